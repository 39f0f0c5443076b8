#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (FUZZ_SECONDS,
# default 60; FUZZ_TARGETS picks some of them) on a copy of its stored corpus. New crashing inputs land in build-fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
command -v clang++ >/dev/null || { sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo; $sudo apt-get install -y -qq clang libclang-rt-14-dev </dev/null; }
seconds=${FUZZ_SECONDS:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVELTARO_FUZZ=ON -DVELTARO_TESTS=OFF \
  -DVELTARO_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
read -r -a targets <<<"${FUZZ_TARGETS:-records dates amounts password checks ini projects cards escaping arguments}"
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"
mkdir -p build-fuzz/findings
status=0
for t in "${targets[@]}"; do
  work=build-fuzz/corpus/$t
  mkdir -p "$work"
  cp -n fuzz/corpus/$t/* "$work"/ 2>/dev/null || true
  log=build-fuzz/fuzz_$t.log
  if build-fuzz/fuzz/fuzz_$t -max_total_time="$seconds" -max_len=9000 -artifact_prefix=build-fuzz/findings/$t- \
       "$work" >"$log" 2>&1; then
    echo "$t: $(grep -E '^Done [0-9]+ runs' "$log" | tail -1)"
  else
    echo "$t: FINDING, see $log and build-fuzz/findings/"
    status=1
  fi
done
exit $status
