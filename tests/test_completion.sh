#!/usr/bin/env bash
# The bash completion of voltranectl, run on command lines with bash-completion's helpers stubbed:
# each row is a line typed so far (the word being completed last, possibly empty) and the words
# offered (after a colon, the part readline replaces), or <files EXT> for file name completion.
# `voltranectl devices` is a stand-in that lists two mice and two other devices; the rows of
# `no_mouse` run with a voltranectl that finds none.
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
# As bash-completion has it: a word with a colon is completed after its last colon.
COMP_WORDBREAKS=$' \t\n"\'><=;|&(:'
__ltrim_colon_completions() {
    if [[ $1 == *:* && $COMP_WORDBREAKS == *:* ]]; then
        local colon_word=${1%"${1##*:}"} i=${#COMPREPLY[*]}
        while ((i-- > 0)); do COMPREPLY[i]=${COMPREPLY[i]#"$colon_word"}; done
    fi
}
# shellcheck source=/dev/null
source "$1"

# What `voltranectl devices` prints: a keyboard; mouse A on two interfaces (the pointer, then both
# vendor collections); mouse B on one; a device of another maker with a serial number.
listing='/dev/hidraw0 046D:C31C
  usage_page=0x0001 usage=0x0006 input=8 output=1 feature=0
/dev/hidraw1 1B80:B412 serial=MOUSE-A
  usage_page=0x0001 usage=0x0002 input=8 output=0 feature=0
/dev/hidraw2 1B80:B412 serial=MOUSE-A
  usage_page=0xFF00 usage=0x0001 input=0 output=0 feature=8  <- settings collection
  usage_page=0xFF00 usage=0x0002 input=0 output=0 feature=2049  <- button collection
/dev/hidraw3 0C45:7403 serial=PAD-1
  usage_page=0x000C usage=0x0001 input=3 output=0 feature=0
/dev/hidraw4 1B80:B412 serial=MOUSE-B
  usage_page=0x0001 usage=0x0002 input=8 output=0 feature=0
  usage_page=0xFF00 usage=0x0001 input=0 output=0 feature=8  <- settings collection
  usage_page=0xFF00 usage=0x0002 input=0 output=0 feature=2049  <- button collection'
voltranectl() {
    # Asked for the devices only, whatever mouse the environment chooses.
    [[ $* == devices && -z ${VOLTRANE_DEVICE-} ]] || return 2
    [[ -n $listing ]] && printf '%s\n' "$listing"
}
export VOLTRANE_DEVICE=hid:MOUSE-A

cases=(
    "voltranectl |devices collections apply read encode decode verify watch"
    "voltranectl v|verify"
    "voltranectl w|watch"
    "voltranectl watch |--count"
    "voltranectl watch --count |"
    "voltranectl --|--device --dir --language --host --help"
    "voltranectl --host |desktop none"
    "voltranectl --device |hid hid:MOUSE-A hid:MOUSE-B /dev/hidraw1 /dev/hidraw2 /dev/hidraw4 virtual virtual:"
    "voltranectl --device hid|hid hid:MOUSE-A hid:MOUSE-B"
    "voltranectl --device hid:|MOUSE-A MOUSE-B"
    "voltranectl --device hid:MOUSE-B|MOUSE-B"
    "voltranectl --device /dev/hidraw|/dev/hidraw1 /dev/hidraw2 /dev/hidraw4"
    "voltranectl --device v|virtual virtual:"
    "voltranectl --device virtual:|<files>"
    "voltranectl --device hid:MOUSE-A |devices collections apply read encode decode verify watch"
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
no_mouse=(
    "voltranectl --device |hid virtual virtual:"
    "voltranectl --device hid:|"
)
failures=0
# complete ROW...: each row's line completed, its words checked.
complete_rows() {
    local row line expected got
    for row in "$@"; do
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
}
complete_rows "${cases[@]}"
listing=
complete_rows "${no_mouse[@]}"
[ "$failures" -eq 0 ] || exit 1
echo "$((${#cases[@]} + ${#no_mouse[@]})) command lines complete as expected"
