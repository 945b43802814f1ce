#!/usr/bin/env bash
# A person without a pointer, end to end: the built program runs on the virtual mouse under its own X
# server (with the accessibility bus, through which the test learns where the focus is, as a screen
# reader user hears it) and is driven by key presses only, never a pointer event. It raises the DPI,
# gives button 4 the combination LCtrl+Tab+Esc through its function menu and the single-key dialog,
# records a macro of the A key in the macro editor, gives it to button 5 through the macro choice
# dialog, applies, answers the message box and closes; then `voltranectl decode` must show exactly
# that in the mouse.
# While the main window offers no keyboard focus over its painted controls, the session reaches the
# main window's controls with the pointer instead (and says so), and drives everything else, the menus
# and the three capture dialogs, by keys as before.
# usage: e2e_keyboard.sh VOLTRANE VOLTRANECTL SKIN_DIR
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
voltrane=$1 ctl=$2 skins=$3

# The main window's controls the session goes to, by their accessible names (English).
DPI_SLIDER=${DPI_SLIDER:-DPI}
BUTTON4=${BUTTON4:-Button 4}
BUTTON5=${BUTTON5:-Button 5}
EDIT_MACRO=${EDIT_MACRO:-Edit}
APPLY=${APPLY:-Apply}
CLOSE=${CLOSE:-Close}

# shellcheck source=tests/a11y/a11y_common.sh
source "$here/a11y_common.sh"

app=$scratch/app state=$scratch/mouse.bin
mkdir -p "$app"
cp "$voltrane" "$app/voltrane"
cp -r "$skins" "$app/skins"
"$ctl" --device "virtual:$scratch/factory.bin" read --json >"$scratch/factory.json"
VOLTRANE_DEVICE=virtual:$state "$app/voltrane" >"$scratch/voltrane.log" 2>&1 &
program=$!
pids+=("$program")
window=$(timeout 20 xdotool search --sync --onlyvisible --class voltrane | head -n 1) ||
    { cat "$scratch/voltrane.log"; echo "FAIL: the window did not appear"; exit 1; }
timeout 10 xdotool windowactivate --sync "$window"

focusable=0
for _ in $(seq 50); do
    focusable=$("$python" "$here/accessible_focus.py" --count 2>/dev/null || echo 0)
    [ "$focusable" -gt 10 ] && break
    sleep 0.2
done
keys_only=true
if [ "$focusable" -le 10 ]; then
    echo "NOTE: the main window offers the keyboard focus to $focusable controls only: its controls are clicked"
    keys_only=false
fi

focus() { "$python" "$here/accessible_focus.py"; }
# focus_on NAME [X Y]: Tab until the control named NAME has the focus (at most 100 presses); without
# the main window's keyboard focus, a click at (X, Y) instead (returning false, so that the caller's
# key to activate it is not pressed).
focus_on() {
    if ! $keys_only; then
        [ $# -lt 3 ] || xdotool mousemove --window "$window" "$2" "$3" click 1
        return 1
    fi
    for _ in $(seq 100); do
        [ "$(focus | cut -f2)" = "$1" ] && return 0
        xdotool key Tab
        sleep 0.05
    done
    fail "Tab never reached $1 (the focus is on: $(focus))"
    return 1
}
# A key held until it repeats, the way to stop a capture dialog's capturing.
hold_escape() {
    xdotool keydown Escape
    sleep 1.2
    xdotool keyup Escape
}

# The DPI two stops up (without the main window's focus, its fifth stop clicked: level 4).
focus_on "$DPI_SLIDER" 648 462 && xdotool key Right Right
# Button 4: its function menu from the keyboard, "Keyboard", and LCtrl+Tab+Esc captured.
focus_on "$BUTTON4" 346 254 && xdotool key shift+F10
if menu=$(await_dialog); then
    for _ in 1 2 3 4 5 6 7; do xdotool key Down; done
    xdotool key Return
    if await_dialog "$menu" >/dev/null; then
        xdotool keydown ctrl keydown Tab keydown Escape keyup Escape keyup Tab keyup ctrl
        xdotool key Return  # the combination is in: the focus is on OK
        wait_for 10 no_dialog || fail "Enter did not confirm the single-key dialog"
    else
        fail "Keyboard opened no single-key dialog"
    fi
else
    fail "no function menu on button 4"
fi
# The advanced page: a macro of the A key, recorded in the editor, recording stopped by holding Esc,
# and OK reached from the step list with Shift+Tab (Cancel, then OK).
if $keys_only; then
    xdotool key ctrl+Tab
    focus_on "$EDIT_MACRO" && xdotool key Return
else
    focus_on "$EDIT_MACRO" 264 98 || xdotool mousemove --window "$window" 517 430 click 1
fi
if await_dialog >/dev/null; then
    xdotool key a
    hold_escape
    xdotool key shift+Tab shift+Tab Return
    wait_for 10 no_dialog || fail "the macro editor did not close with OK"
else
    fail "Edit opened no macro editor"
fi
# Button 5: "Macro", and the macro confirmed in the choice dialog with Enter.
if $keys_only; then
    xdotool key ctrl+Tab
    focus_on "$BUTTON5" && xdotool key shift+F10
else
    focus_on "$BUTTON5" 95 98 || xdotool mousemove --window "$window" 346 283 click 1
fi
if menu=$(await_dialog); then
    for _ in 1 2 3 4 5 6 7 8; do xdotool key Down; done
    xdotool key Return
    if await_dialog "$menu" >/dev/null; then
        xdotool key Return
        wait_for 10 no_dialog || fail "Enter did not confirm the macro choice dialog"
    else
        fail "Macro opened no macro choice dialog"
    fi
else
    fail "no function menu on button 5"
fi
# Apply, the message box answered with Enter, and Close.
focus_on "$APPLY" 654 558 && xdotool key Return
wait_for 10 test -s "$app/download.bin" || fail "Apply wrote no download.bin"
wait_for 10 has_dialog || fail "Apply showed no message box"
xdotool key Return
wait_for 10 no_dialog || fail "Enter did not close the message box"
focus_on "$CLOSE" 766 27 && xdotool key Return
program_gone() { ! kill -0 "$program" 2>/dev/null; }
wait_for 10 program_gone || fail "Close did not end the program"

[ -s "$state" ] || { cat "$scratch/voltrane.log"; fail "the mouse was never written"; exit 1; }
head -c 8 "$state" >"$scratch/mouse-settings.bin"
tail -c +9 "$state" >"$scratch/mouse-buttons.bin"
"$ctl" decode --settings "$scratch/mouse-settings.bin" --buttons "$scratch/mouse-buttons.bin" --json \
    >"$scratch/mouse.json"
"$python" - "$scratch/factory.json" "$scratch/mouse.json" "$keys_only" <<'PY' || failures=$((failures + 1))
import json, sys
factory = json.load(open(sys.argv[1]))["items"]
keys_only = sys.argv[3] == "true"
mouse = json.load(open(sys.argv[2]))
items = mouse["items"]
problems = []
if items[55] != (min(factory[55] + 2, 7) if keys_only else 4):
    problems.append(f"the mouse's DPI level is {items[55]}, not two above the factory's {factory[55]}")
# Button 4 a key combination (function 7) of LCtrl, Tab and Esc (key-table rows 70, 31, 1); button 5
# a macro (function 8).
if items[3] != 7 or mouse["key_data"][3][:4] != [70, 31, 1, 0]:
    problems.append(f"button 4: function {items[3]}, keys {mouse['key_data'][3]}, not LCtrl+Tab+Esc")
if items[4] != 8:
    problems.append(f"button 5: function {items[4]}, not a macro")
steps = [[step[:2] for step in m["steps"]] for m in mouse["macros"]]
if steps != [[[6, 46], [18, 46]]]:
    problems.append(f"the mouse holds the macros {steps}, not the A key alone")
for problem in problems:
    print("FAIL:", problem)
sys.exit(1 if problems else 0)
PY
[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "PASS: the keyboard alone configured the mouse"
