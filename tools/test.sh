#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (offscreen; no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh -DQUORIN_WERROR=ON
cd build
ctest --output-on-failure -j"$(nproc)"
