#!/usr/bin/env bash
# Configures and builds Veltaro into build/ (the program folder is build/bin).
# Extra arguments go to CMake (scripts/test.sh adds -DVELTARO_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build build -j "$(nproc)"
