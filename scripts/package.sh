#!/usr/bin/env bash
# Installs what is missing, builds Veltaro and makes its Debian package in build/package/.
# Install it with: sudo apt install ./build/package/veltaro_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
(cd build && cpack -G DEB >/dev/null)
ls build/package/veltaro_*.deb
