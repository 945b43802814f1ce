#!/usr/bin/env bash
# Drags by a window's background land under the pointer: the built program runs on the virtual mouse
# under its own X server (Xvfb, with openbox or with no window manager at all), and xdotool drags the
# main window and the three capture dialogs with real pointer events, in few and in many motions.
# After each drag the window must have moved exactly as far as the pointer did, to the pixel.
# usage: e2e_drag.sh VOLTRANE SKIN_DIR openbox|none
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
# shellcheck source=tests/e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh"
voltrane=$1 skins=$2 manager=$3

tools=(Xvfb xauth xdotool xdpyinfo xprop)
[ "$manager" = none ] || tools+=("$manager")
need_tools "${tools[@]}"
use_scratch
start_xvfb "$scratch"
private_session "$scratch"
[ "$manager" = none ] || start_openbox "$scratch"

app=$scratch/app
install_program "$app"
launch_program "$app" "$scratch/mouse.bin" "$scratch/voltrane.log" ||
    { echo "FAIL: the window did not appear"; exit 1; }


# The drags, as "MOTIONS DX DY": the pointer moves MOTIONS times by (DX, DY) with the button held.
drags=("2 30 20" "20 3 2" "5 -20 -10" "1 40 30" "3 -25 -15")

# drags_land NAME WINDOW X Y: every drag of the table, each pressed on the background point (X, Y)
# of WINDOW, moves WINDOW by exactly the pointer's way.
drags_land() {
    local name=$1 target=$2 row motions dx dy x y step
    for row in "${drags[@]}"; do
        read -r motions dx dy <<<"$row"
        read -r x y < <(position "$target")
        xdotool mousemove --window "$target" "$3" "$4" mousedown 1
        for step in $(seq "$motions"); do xdotool mousemove_relative --sync -- "$dx" "$dy"; done
        xdotool mouseup 1
        local expected="$((x + motions * dx)) $((y + motions * dy))"
        at_expected() { [ "$(position "$target")" = "$expected" ]; }
        wait_for 3 at_expected ||
            fail "$name: $motions motions of ($dx, $dy) from $x $y ended at $(position "$target"), not $expected"
    done
}

# in_dialog NAME X Y CANCEL_X CANCEL_Y [EXCEPT]: the drags of the table in the dialog opening over the
# window (other than EXCEPT), pressed at its background point (X, Y); then its Cancel closes it.
in_dialog() {
    local opened
    opened=$(await_dialog "${6:-}") || { fail "$1 did not open"; return; }
    drags_land "$1" "$opened" "$2" "$3"
    click "$4" "$5" "$opened"
    wait_for 10 no_dialog || fail "$1 did not close"
}
# menu_item X Y ROW: opens the function menu of the button at (X, Y) and chooses its ROWth item;
# prints the menu's id, and fails when no menu opened.
menu_item() {
    local menu
    click "$1" "$2"
    menu=$(await_dialog) || return 1
    choose_function "$3"
    echo "$menu"
}

drags_land "the main window" "$window" 300 45
# The single-key dialog, through button 4's "Keyboard"; it holds the keyboard while dragged.
if menu=$(menu_item 346 254 7); then
    in_dialog "the single-key dialog" 200 160 409 221 "$menu"
else
    fail "button 4 opened no function menu"
fi
# The macro editor: the advanced page's Edit.
click 264 98
click 517 430
in_dialog "the macro editor" 300 40 606 442
# The macro choice dialog, through button 5's "Macro" on the basic page.
click 95 98
if menu=$(menu_item 346 283 8); then
    in_dialog "the macro choice dialog" 300 40 606 442 "$menu"
else
    fail "button 5 opened no function menu"
fi

[ "$failures" -eq 0 ] || { echo "$failures failures"; cat "$scratch/voltrane.log"; exit 1; }
echo "every drag with $manager landed under the pointer"
