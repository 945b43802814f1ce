#!/usr/bin/env bash
# A person without a pointer, end to end: the built program runs on the virtual mouse under its own X
# server (with the accessibility bus, through which the test learns where the focus is, as a screen
# reader user hears it) and is driven by key presses only, never a pointer event. It raises the DPI,
# gives button 4 the combination LCtrl+Tab+Esc through its function menu and the single-key dialog,
# records a macro of the A key in the macro editor, gives it to button 5 through the macro choice
# dialog, applies, answers the message box and closes; then `voltranectl decode` must show exactly
# that in the mouse.
# usage: e2e_keyboard.sh VOLTRANE VOLTRANECTL SKIN_DIR
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
voltrane=$1 ctl=$2 skins=$3

# The main window's controls the session goes to, by their accessible names (English), and the first
# control of their group, where Tab stops before the arrows move within the group.
DPI_SLIDER="DPI level"
BUTTON_ROWS="Button 1" BUTTON4="Button 4" BUTTON5="Button 5"
MACRO_BUTTONS="Import" EDIT_MACRO="Edit"
DIALOG_BUTTONS="OK" APPLY="Apply"
WINDOW_BUTTONS="Minimise" CLOSE="Close"

# shellcheck source=tests/a11y/a11y_common.sh
source "$here/a11y_common.sh"

app=$scratch/app state=$scratch/mouse.bin
install_program "$app"
"$ctl" --device "virtual:$scratch/factory.bin" read --json >"$scratch/factory.json"
launch_program "$app" "$state" "$scratch/voltrane.log" || { echo "FAIL: the window did not appear"; exit 1; }
timeout 10 xdotool windowactivate --sync "$window"

# The program is on the accessibility bus once its controls are.
on_bus() { [ "$("$python" "$here/accessible_focus.py" --count 2>/dev/null || echo 0)" -gt 10 ]; }
wait_for 10 on_bus || fail "the main window's controls are not on the accessibility bus"

# focus_on NAME [GROUP]: Tab until the control named NAME has the focus; with GROUP, Tab until the
# group's first control named GROUP has it, then Right until NAME has it.
focus_on() {
    if [ $# -eq 1 ]; then
        press_until "$1" Tab 60
    else
        press_until "$2" Tab 60 && press_until "$1" Right 10
    fi
}
# A key held until it repeats, the way to stop a capture dialog's capturing.
hold_escape() {
    xdotool keydown Escape
    sleep 1.2
    xdotool keyup Escape
}

# The DPI two stops up.
focus_on "$DPI_SLIDER" && xdotool key Right Right
# Button 4: its function menu from the keyboard, "Keyboard", and LCtrl+Tab+Esc captured.
focus_on "$BUTTON4" "$BUTTON_ROWS" && xdotool key shift+F10
if menu=$(await_dialog); then
    choose_function 7
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
xdotool key ctrl+Tab
focus_on "$EDIT_MACRO" "$MACRO_BUTTONS" && xdotool key Return
if await_dialog >/dev/null; then
    xdotool key a
    hold_escape
    xdotool key shift+Tab shift+Tab Return
    wait_for 10 no_dialog || fail "the macro editor did not close with OK"
else
    fail "Edit opened no macro editor"
fi
# Button 5: "Macro", and the macro confirmed in the choice dialog with Enter.
xdotool key ctrl+Tab
focus_on "$BUTTON5" "$BUTTON_ROWS" && xdotool key shift+F10
if menu=$(await_dialog); then
    choose_function 8
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
focus_on "$APPLY" "$DIALOG_BUTTONS" && xdotool key Return
wait_for 10 test -s "$app/download.bin" || fail "Apply wrote no download.bin"
wait_for 10 has_dialog || fail "Apply showed no message box"
xdotool key Return
wait_for 10 no_dialog || fail "Enter did not close the message box"
focus_on "$CLOSE" "$WINDOW_BUTTONS" && xdotool key Return
wait_for 10 program_gone || fail "Close did not end the program"

[ -s "$state" ] || { cat "$scratch/voltrane.log"; fail "the mouse was never written"; exit 1; }
decode_mouse "$ctl" "$state" "$scratch"
"$python" - "$scratch/factory.json" "$scratch/mouse.json" <<'PY' || failures=$((failures + 1))
import json, sys
factory = json.load(open(sys.argv[1]))["items"]
mouse = json.load(open(sys.argv[2]))
items = mouse["items"]
problems = []
if items[55] != min(factory[55] + 2, 7):
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
