#!/usr/bin/env bash
# The bash completion of voltranectl, run on command lines with bash-completion's helpers stubbed:
# each row is a line typed so far (the word being completed last, possibly empty) and the words
# offered, or <files EXT> for file name completion.
# usage: test_completion.sh COMPLETION_FILE
set -uo pipefail

_init_completion() {
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
}
_filedir() { COMPREPLY=("<files${1:+ $1}>"); }
compopt() { :; }
complete() { :; }
# shellcheck source=/dev/null
source "$1"

cases=(
    "voltranectl |devices collections apply read encode decode verify watch"
    "voltranectl v|verify"
    "voltranectl w|watch"
    "voltranectl watch |--count"
    "voltranectl watch --count |"
    "voltranectl --|--device --dir --language --host --help"
    "voltranectl --host |desktop none"
    "voltranectl --device |hid virtual virtual:"
    "voltranectl --language 2 --dir /tmp |devices collections apply read encode decode verify watch"
    "voltranectl --dir |<files -d>"
    "voltranectl read --|--profile --macros --json"
    "voltranectl read --profile |<files ini>"
    "voltranectl read --macros |<files mac>"
    "voltranectl decode |--settings --buttons --json"
    "voltranectl encode p.ini --settings |<files bin>"
    "voltranectl --host none verify |<files ini>"
    "voltranectl verify mine.ini --|--json"
    "voltranectl apply |<files ini>"
    "voltranectl collections |<files>"
)
failures=0
for row in "${cases[@]}"; do
    line=${row%%|*} expected=${row#*|}
    read -r -a COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _voltranectl
    got="${COMPREPLY[*]}"
    if [ "$got" != "$expected" ]; then
        echo "FAIL: '$line' offers '$got', expected '$expected'"
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ] || exit 1
echo "${#cases[@]} command lines complete as expected"
