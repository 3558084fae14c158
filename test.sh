#!/usr/bin/env bash
# Installs what is missing, builds Gonilux with its tests and runs them all.
#   ./test.sh          sanitizer build (ASan + UBSan) and tests, then the normal build (warnings
#                      are errors) and tests
#   ./test.sh --quick  the normal build and tests only
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

build_and_test() {  # DIR EXTRA-CMAKE-ARGS...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}

if [[ "${1:-}" != "--quick" ]]; then
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
  export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  build_and_test build-asan -DCMAKE_BUILD_TYPE=Debug -DGONILUX_SANITIZE=ON -DGONILUX_BUILD_BENCH=OFF
  unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
fi
build_and_test build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGONILUX_WERROR=ON
