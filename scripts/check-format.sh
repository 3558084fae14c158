#!/usr/bin/env bash
# Fails when a C++ source of the repository differs from what clang-format makes of it
# (.clang-format at the root); prints the files that do. Run clang-format -i on them to mend.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed" >&2; exit 2; }
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h' | sort -u)
else
  mapfile -t files < <(find src apps tests bench fuzz -name '*.cpp' -o -name '*.h' | sort)
fi
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if ((${#bad[@]})); then
  echo "check-format: ${#bad[@]} of ${#files[@]} files are not formatted:" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
