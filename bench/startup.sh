#!/usr/bin/env bash
# Start-up time and memory of the program against a bare Qt window (one label), both
# stopping as soon as their first window is shown. Needs a build (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
s=""; [ "$(id -u)" -eq 0 ] || s=sudo
command -v hyperfine >/dev/null || $s apt-get install -y -qq hyperfine </dev/null
[ -x /usr/bin/time ] || $s apt-get install -y -qq time </dev/null
dir=$(mktemp -d)
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
hyperfine -N --warmup 3 --runs 30 "build/bench/startup_bare" "build/bin/veltaro --cartella $dir --misura-avvio"
for cmd in "build/bench/startup_bare" "build/bin/veltaro --cartella $dir --misura-avvio"; do
  /usr/bin/time -f "%M KiB  $cmd" $cmd 2>&1 >/dev/null | tail -1
done
rm -rf "$dir"
