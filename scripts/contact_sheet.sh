#!/usr/bin/env bash
# Renders every samples/*.ies through "gonilux-cli render" and puts the diagrams on one PNG
# contact sheet, each captioned with its file name.
#
# Usage: scripts/contact_sheet.sh [OUT.png] [RENDER OPTIONS...]
#   OUT.png          the sheet to write (default: contact_sheet.png in the current folder)
#   RENDER OPTIONS   passed to every render, e.g. --labels --fit --thumbnail
# Environment:
#   GONILUX_CLI      the gonilux-cli program (default: the newest build*/apps/gonilux-cli/gonilux-cli)
#   SAMPLES          folder of the .ies files (default: samples/ of this repository)
#   SIZE             side of each diagram in pixels (default 300)
#   COLUMNS          diagrams per row (default 4)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-contact_sheet.png}"
[[ $# -gt 0 ]] && shift
samples="${SAMPLES:-$root/samples}"
size="${SIZE:-300}"
columns="${COLUMNS:-4}"

if ! command -v montage >/dev/null 2>&1; then
    echo "contact_sheet: 'montage' from ImageMagick is missing; install it (Debian: apt-get install imagemagick)" >&2
    exit 1
fi

cli="${GONILUX_CLI:-}"
if [[ -z "$cli" ]]; then
    cli="$(ls -t "$root"/build*/apps/gonilux-cli/gonilux-cli 2>/dev/null | head -n 1 || true)"
fi
if [[ -z "$cli" || ! -x "$cli" ]]; then
    echo "contact_sheet: gonilux-cli not found; build it or set GONILUX_CLI" >&2
    exit 1
fi

shopt -s nullglob
files=("$samples"/*.ies)
if [[ ${#files[@]} -eq 0 ]]; then
    echo "contact_sheet: no .ies files in $samples" >&2
    exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

tiles=()
failed=0
for file in "${files[@]}"; do
    name="$(basename "$file" .ies)"
    tile="$work/$name.png"
    if "$cli" render "$file" -o "$tile" --size "$size" "$@"; then
        tiles+=("$tile")
    else
        echo "contact_sheet: rendering $name failed" >&2
        failed=1
    fi
done

# A font file for the captions: ImageMagick's default (Helvetica) is often not installed.
font=()
if command -v fc-match >/dev/null 2>&1; then
    font_file="$(fc-match -f '%{file}' sans 2>/dev/null || true)"
    [[ -n "$font_file" && -f "$font_file" ]] && font=(-font "$font_file")
fi

if [[ ${#tiles[@]} -gt 0 ]]; then
    montage "${font[@]}" -label '%t' -pointsize 12 -background white -geometry +6+6 \
        -tile "${columns}x" "${tiles[@]}" "$out"
    echo "contact_sheet: wrote $out (${#tiles[@]} diagrams)"
fi
exit "$failed"
