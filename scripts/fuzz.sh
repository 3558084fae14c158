#!/usr/bin/env bash
# Builds the reader's libFuzzer target with clang and runs it for SECONDS (default 60), seeded
# with samples/ and, when present, ../shared/testdata/ies-real. Exits non-zero on any finding.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
corpus=$build/corpus
artifacts=$build/artifacts
log=$build/fuzz.log

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGONILUX_BUILD_FUZZ=ON -DGONILUX_SANITIZE=ON -DGONILUX_BUILD_GUI=OFF \
  -DGONILUX_BUILD_TESTS=OFF -DGONILUX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_reader -j2

# Seeds: every IES file we may use, named after its path so that equal names cannot collide.
mkdir -p "$corpus" "$artifacts"
seed_dirs=("$root/samples")
[ -d "$root/../shared/testdata/ies-real" ] && seed_dirs+=("$root/../shared/testdata/ies-real")
for dir in "${seed_dirs[@]}"; do
  while IFS= read -r -d '' file; do
    name=$(printf '%s' "${file#"$dir"/}" | tr '/ ' '__')
    cp "$file" "$corpus/seed_$(basename "$dir")_$name"
  done < <(find "$dir" -type f -iname '*.ies' -print0)
done

found_before=$(find "$artifacts" -type f | wc -l)
set +e
"$build/fuzz/fuzz_reader" "$corpus" \
  -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=262144 \
  -dict="$root/fuzz/ies.dict" -artifact_prefix="$artifacts/" -print_final_stats=1 \
  >"$log" 2>&1
status=$?
set -e

execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
echo "fuzz_reader: ${execs:-unknown} executions in ${seconds} s (log: $log)"
found_after=$(find "$artifacts" -type f | wc -l)
if [ "$status" -ne 0 ] || [ "$found_after" -gt "$found_before" ]; then
  echo "fuzz_reader found a problem (exit status $status); reproducers in $artifacts:" >&2
  ls -l "$artifacts" >&2
  tail -n 60 "$log" >&2
  exit 1
fi
