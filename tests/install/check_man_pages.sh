#!/usr/bin/env bash
# Each manual page renders without warnings, names every option and sub-command that its
# program's --help lists (so a new option without its documentation fails here), and carries the
# version the program prints.
# Usage: check_man_pages.sh MAN_DIR GONILUX GONILUX_CLI
set -euo pipefail
man_dir=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

check() { # PAGE HELP-TEXT VERSION-LINE
    local page=$man_dir/$1.1 help=$2 version=${3##* } text warnings words=0 word
    warnings=$(MANWIDTH=1000 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man -l $page"
    [[ -z $warnings ]] || fail "$page: $warnings"
    text=$(MANWIDTH=1000 man -l "$page" 2>/dev/null | col -b)
    grep -qF "Gonilux $version" <<<"$text" || fail "$1(1) does not carry version $version"
    # Options anywhere in the help; sub-commands are the words that open a line of its list.
    for word in $(grep -oE -- '(^|[^[:alnum:]-])--?[[:alpha:]][[:alnum:]-]*' <<<"$help" |
        sed -E 's/^[^-]*//' | sort -u) \
        $(sed -n '/^Commands:/,/^$/p' <<<"$help" | sed -nE 's/^  ([a-z]+) .*/\1/p'); do
        grep -qE -- "(^|[^[:alnum:]-])$word([^[:alnum:]-]|$)" <<<"$text" ||
            fail "$1(1) does not mention $word"
        words=$((words + 1))
    done
    ((words >= 5)) || fail "only $words options found in the help of $1"
    echo "ok: $1(1), $words options and commands"
}

export QT_QPA_PLATFORM=offscreen
check gonilux "$("$2" --help)" "$("$2" --version)"
check gonilux-cli "$("$3" --help)" "$("$3" --version)"
