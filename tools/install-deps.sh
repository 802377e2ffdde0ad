#!/usr/bin/env bash
# Installs what Quorin Station needs to build, run and test on Debian 12. Safe to re-run.
# Extra package names given as arguments are installed too (CI adds its sanitizer and fuzzing tools).
set -euo pipefail
packages=(
    cmake g++ make pkg-config
    qtbase5-dev qtbase5-dev-tools
    libopencv-core-dev libopencv-imgproc-dev libopencv-imgcodecs-dev libopencv-videoio-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libftdi1-dev
    fonts-dejavu-core
    "$@"
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
