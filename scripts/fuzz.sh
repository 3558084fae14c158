#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs them for SECONDS in all (default 60): a third
# for the IES reader (fuzz_reader, seeded with the .ies files of samples/ and
# tests/data/ies-real), a third for the EULUMDAT reader and the IES writer (fuzz_ldt,
# seeded with the .ldt files of samples/ and tests/data/ldt-real), a third for the query
# language (fuzz_query, seeded with a few queries and fuzz/query.dict). Exits non-zero on
# any finding.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
artifacts=$build/artifacts
testdata=$root/tests/data

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGONILUX_BUILD_FUZZ=ON -DGONILUX_SANITIZE=ON -DGONILUX_BUILD_GUI=OFF \
  -DGONILUX_BUILD_TESTS=OFF -DGONILUX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_reader fuzz_ldt fuzz_query -j2
mkdir -p "$artifacts"

# Copies every file with the given extension from the folders into the corpus, named after its
# path so that equal names cannot collide.
seed() {
  local corpus=$1 extension=$2
  shift 2
  mkdir -p "$corpus"
  for dir in "$@"; do
    [ -d "$dir" ] || continue
    while IFS= read -r -d '' file; do
      name=$(printf '%s' "${file#"$dir"/}" | tr '/ ' '__')
      cp "$file" "$corpus/seed_$(basename "$dir")_$name"
    done < <(find "$dir" -type f -iname "*.$extension" -print0)
  done
}

# Runs one target for the given seconds; returns non-zero on a finding.
run() {
  local target=$1 time=$2 corpus=$3
  shift 3
  local log=$build/$target.log
  local found_before found_after status execs
  found_before=$(find "$artifacts" -type f | wc -l)
  set +e
  "$build/fuzz/$target" "$corpus" \
    -max_total_time="$time" -rss_limit_mb=2048 -max_len=262144 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 "$@" >"$log" 2>&1
  status=$?
  set -e
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  echo "$target: ${execs:-unknown} executions in ${time} s (log: $log)"
  found_after=$(find "$artifacts" -type f | wc -l)
  if [ "$status" -ne 0 ] || [ "$found_after" -gt "$found_before" ]; then
    echo "$target found a problem (exit status $status); reproducers in $artifacts:" >&2
    ls -l "$artifacts" >&2
    tail -n 60 "$log" >&2
    return 1
  fi
}

seed "$build/corpus" ies "$root/samples" "$testdata/ies-real"
seed "$build/corpus-ldt" ldt "$root/samples" "$testdata/ldt-real"

# A few queries as a user types them, right and wrong.
mkdir -p "$build/corpus-query"
n=0
for query in 'acme wall_w flux>=3000 beam:20..40' 'flux >= 3000 AND beam<30' \
  '光束角<30 灯具光通量＞2999' '(kaldera OR solbrook) lamp:"led 40" type:c' \
  '"luminaire flux" =< 2000 OR error:yes' 'a OR (b AND (c or d)) format:ldt' \
  'manufacturer:"acme co' 'flux<>3 ()'; do
  n=$((n + 1))
  printf '%s' "$query" >"$build/corpus-query/seed_$n"
done

reader_seconds=$(( (seconds + 2) / 3 ))
ldt_seconds=$(( (seconds + 1) / 3 ))
query_seconds=$(( seconds - reader_seconds - ldt_seconds ))
[ "$ldt_seconds" -ge 1 ] || ldt_seconds=1
[ "$query_seconds" -ge 1 ] || query_seconds=1
failed=0
run fuzz_reader "$reader_seconds" "$build/corpus" -dict="$root/fuzz/ies.dict" || failed=1
run fuzz_ldt "$ldt_seconds" "$build/corpus-ldt" || failed=1
run fuzz_query "$query_seconds" "$build/corpus-query" -dict="$root/fuzz/query.dict" \
  -max_len=4096 || failed=1
exit "$failed"
