#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test (no display
# needed).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh -DVELTARO_WERROR=ON
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
