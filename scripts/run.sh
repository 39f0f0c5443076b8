#!/usr/bin/env bash
# Installs what is missing, builds and starts Veltaro. Extra arguments go to the program
# (for example --cartella DIR to keep the archives in another folder).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
exec build/bin/veltaro "$@"
