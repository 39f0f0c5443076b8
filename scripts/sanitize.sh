#!/usr/bin/env bash
# Builds the tests with sanitizers, each kind in its own folder, and runs them:
#   bash scripts/sanitize.sh address  build-asan: AddressSanitizer and UndefinedBehaviorSanitizer
#                                      over every test;
#   bash scripts/sanitize.sh thread   build-tsan: ThreadSanitizer over the parallel scan's tests.
# Any finding ends the program that made it, so its test fails with the report in the log.
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-address}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
here=$PWD
# -O1 and line tables only: the reports keep their file and line, the builds take less time.
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" -DVELTARO_BENCH=OFF "${launcher[@]}")
# The archive reader maps files and turns a vanished page into zeros from its own SIGBUS
# handler: the sanitizers must leave that signal to it.
export ASAN_OPTIONS="handle_sigbus=0:allow_user_segv_handler=1:detect_stack_use_after_return=1:check_initialization_order=1:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$here/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:handle_sigbus=0:suppressions=$here/tests/sanitizers/tsan.supp"
case $kind in
  address)
    dir=build-asan
    cmake -S . -B $dir -G Ninja -DVELTARO_SANITIZE=address,undefined "${flags[@]}" >/dev/null
    cmake --build $dir -j "$(nproc)"
    tests=()
    ;;
  thread)
    dir=build-tsan
    cmake -S . -B $dir -G Ninja -DVELTARO_SANITIZE=thread "${flags[@]}" >/dev/null
    cmake --build $dir -j "$(nproc)" --target test_parallel_scan veltaro-cli
    tests=(-R '^test_parallel_scan$')
    ;;
  *)
    echo "usage: sanitize.sh address|thread" >&2
    exit 2
    ;;
esac
cd $dir
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" "${tests[@]}"
