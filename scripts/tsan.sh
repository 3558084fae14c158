#!/usr/bin/env bash
# Builds the browser and library test programs with ThreadSanitizer (build-tsan/) and runs them;
# any report fails. The reports that come from Qt's own locking, which TSan cannot see since
# Debian's Qt is not built with it, are suppressed in scripts/tsan.supp, each with its reason.
#   scripts/tsan.sh [GTEST-FILTER]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-tsan
filter=${1:-*}

mkdir -p "$dir"
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGONILUX_TSAN=ON \
  -DGONILUX_BUILD_BENCH=OFF > "$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir" --target browser_tests library_tests -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export TSAN_OPTIONS="suppressions=$PWD/scripts/tsan.supp halt_on_error=0 exitcode=66 \
second_deadlock_stack=1 history_size=4 report_signal_unsafe=0 print_suppressions=0"
# TSan's shadow memory needs the address layout of a process without randomisation on kernels
# with many random bits; where that is not allowed (some containers) the programs run as they are.
run=()
if setarch "$(uname -m)" -R true 2>/dev/null; then run=(setarch "$(uname -m)" -R); fi

status=0
for program in "$dir/tests/library_tests" "$dir/tests/browser/browser_tests"; do
  echo "== $program"
  "${run[@]}" "$program" --gtest_filter="$filter" --gtest_brief=1 || status=1
done
[[ $status -eq 0 ]] && echo "ThreadSanitizer: no reports" || echo "ThreadSanitizer: reports or failures above" >&2
exit $status
