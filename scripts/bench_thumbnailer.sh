#!/usr/bin/env bash
# Times the whole thumbnailer process as a file manager starts it: "gonilux-cli thumbnail -s 256"
# run COUNT times (default 100) over the real-file corpus, one new process per file.
#   scripts/bench_thumbnailer.sh [COUNT]
# GONILUX_CLI overrides the program (default: the Release build in build-relgui).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-100}
cli=${GONILUX_CLI:-$root/build-relgui/apps/gonilux-cli/gonilux-cli}
[[ -x "$cli" ]] || { echo "error: $cli not built" >&2; exit 1; }
mapfile -t files < <(find "$root/tests/data/ies-real" -type f -iname '*.ies' | sort)
[[ ${#files[@]} -gt 0 ]] || { echo "error: no files in tests/data/ies-real" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

run_all() {
  for ((i = 0; i < count; ++i)); do
    "$cli" thumbnail -s 256 "${files[i % ${#files[@]}]}" "$out/thumb.png"
  done
}
TIMEFORMAT="%R s wall, %U s user, %S s system for $count files"
start=$(date +%s%N)
time run_all
end=$(date +%s%N)
echo "$(( (end - start) / count / 1000 )) us per file (wall)"
