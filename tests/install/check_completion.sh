#!/usr/bin/env bash
# The bash completion as bash-completion runs it: the script registers a function for each
# program, which is called with COMP_WORDS and COMP_CWORD and answers in COMPREPLY.
# Usage: check_completion.sh COMPLETION_SCRIPT
set -uo pipefail
# shellcheck source=/dev/null
source "$1" || exit 1
failures=0
cd "$(mktemp -d)" || exit 1
trap 'rm -rf "$PWD"' EXIT
mkdir lamps
touch a.ies B.LDT c.txt notes.ies.txt p.png q.SVG r.pdf s.jpg

expect() { # EXPECTED-ANSWERS COMMAND-LINE-WORDS... (the last one is being completed)
    local expected=$1 function answer
    shift
    function=$(complete -p "$1" | sed -nE 's/.*-F ([^ ]+) .*/\1/p')
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    "$function"
    answer=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
    if [[ "$answer" != "$expected " ]]; then
        echo "FAIL: '$*' completes to '$answer', expected '$expected'" >&2
        failures=$((failures + 1))
    fi
}

expect "--help --version convert find help index info render report table thumbnail" gonilux-cli ""
expect "convert" gonilux-cli con
expect "c ies ldt" gonilux-cli convert --to ""
expect "zonal" gonilux-cli table a.ies --kind z
expect "cd cdklm" gonilux-cli table a.ies --unit ""
expect "file metric" gonilux-cli info --units ""
expect "--no-update" gonilux-cli find lamps q --no
expect "manufacturer maxcd" gonilux-cli find lamps q --sort m
expect "-field -file -flux -format" gonilux-cli find lamps q --sort -f
expect "en zh" gonilux-cli render a.ies --lang ""
expect "GB18030" gonilux-cli info --encoding G
expect "--no-ortho --no-warning" gonilux-cli render a.ies --no
expect "--force --output-dir --recursive --resample --to" gonilux-cli convert a.ies -
expect "B.LDT a.ies lamps" gonilux-cli info ""
expect "B.LDT lamps" gonilux-cli convert --to ies ""
expect "lamps p.png q.SVG r.pdf" gonilux-cli render a.ies -o ""
expect "lamps r.pdf" gonilux-cli report lamps -o ""
expect "lamps p.png" gonilux-cli thumbnail -s 128 a.ies ""
expect "lamps" gonilux-cli convert a.ies --output-dir ""
expect "" gonilux-cli render a.ies --size ""
expect "en zh" gonilux --lang ""
expect "--root" gonilux --ro
expect "B.LDT a.ies lamps" gonilux ""
expect "lamps" gonilux --root ""
exit $((failures > 0))
