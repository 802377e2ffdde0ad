#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quorin Station on the simulated board.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
exec ./build/app/quorin-sim
