#!/usr/bin/env bash
# A person's session with the window, end to end: the built program runs on the virtual mouse under
# its own X server (Xvfb with openbox) and is driven with real pointer and key events from xdotool.
# It sets DPI with the slider and a stepper, changes the lighting, gives button 4 a key combination
# through its function menu and the single-key dialog, switches to the advanced page, moves the
# pointer speed slider, records a macro (a key and a click) and gives it to button 5 through the
# macro choice dialog, presses Apply and closes the window; then it checks what a person would find
# afterwards: "Setting1.ini", "download.bin" and the mouse itself, through voltranectl. On the way it
# taps and drags the window's background and drags the two capture dialogs while they hold the keyboard.
# Screenshots of each stage go to SHOT_DIR.
# usage: e2e_window.sh VOLTRANE VOLTRANECTL SKIN_DIR SHOT_DIR
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
# shellcheck source=tests/e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh"
voltrane=$1 ctl=$2 skins=$3 shots=$4

need_tools Xvfb xauth xdotool openbox xdpyinfo xprop import python3
use_scratch
start_xvfb "$scratch"
# The session: a window manager, and nothing of the host's desktop, settings or session bus.
private_session "$scratch"
start_openbox "$scratch"

# A portable installation of the built program in the scratch folder, on a fresh virtual mouse.
app=$scratch/app state=$scratch/mouse.bin
mkdir -p "$shots"
install_program "$app"
launch_program "$app" "$state" "$scratch/voltrane.log" || { echo "FAIL: the window did not appear"; exit 1; }

shot() { import -window root "$shots/$1.png"; }

# Minimising. openbox offers it for every window of the dialog type, whatever the window's hints say,
# and minimises a dialog together with the window it belongs to; so a modal dialog is never lost
# behind its blocked window: minimising it takes the main window down too, and bringing the main window
# back brings the dialog back over it, holding the keyboard.
iconic() { xprop -id "$1" WM_STATE | grep -q 'window state: Iconic'; }
shown() { xprop -id "$1" WM_STATE | grep -q 'window state: Normal'; }
active() { [ "$(xdotool getactivewindow)" = "$1" ]; }
# minimise_and_restore DIALOG: fails unless minimising DIALOG minimises the main window with it and
# activating the main window brings both back with DIALOG active.
minimise_and_restore() {
    xdotool windowminimize "$1"
    wait_for 5 iconic "$1" || { echo "the dialog was not minimised"; return 1; }
    wait_for 5 iconic "$window" || { echo "the main window stayed up, blocked, without the dialog"; return 1; }
    xdotool windowactivate "$window"
    wait_for 5 shown "$window" || { echo "the main window did not come back"; return 1; }
    wait_for 5 shown "$1" || { echo "the dialog stayed minimised behind the main window"; return 1; }
    wait_for 5 active "$1" || { echo "the dialog came back without the keyboard"; return 1; }
}

timeout 10 xdotool windowactivate --sync "$window" || fail "the window could not be activated"
[[ $(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS) == *_NET_WM_ACTION_MINIMIZE* ]] ||
    fail "the window manager does not offer to minimise the main window"
[ ! -e "$state" ] || fail "reading the mouse at start-up wrote into it"
shot 1-start

# near WINDOW X Y: whether WINDOW's top-left corner is at (X, Y) on the screen, give or take the 10
# pixels a press must move before it drags (the window manager's move takes over from there).
near() {
    local x y
    read -r x y < <(position "$1")
    [ $(((x > $2 ? x - $2 : $2 - x) + (y > $3 ? y - $3 : $3 - y))) -le 10 ]
}
# drag WINDOW X Y: a press on the background point (X, Y) of WINDOW, the pointer moved by (60, 40)
# with the button held (a first short step, then long ones), and the release; fails unless the
# window followed the pointer.
drag() {
    local x y step
    read -r x y < <(position "$1")
    xdotool mousemove --window "$1" "$2" "$3" mousedown 1 mousemove_relative --sync 6 4
    for step in 1 2 3; do xdotool mousemove_relative --sync 18 12; done
    xdotool mouseup 1
    wait_for 5 near "$1" $((x + 60)) $((y + 40)) || { echo "moved from $x $y to $(position "$1")"; return 1; }
}

# The window's background: a short click (press and release at once, as a touchpad tap sends them)
# leaves the window where it is when the pointer moves on; a press and a move drags it.
read -r x y < <(position "$window")
for tap in 1 2 3; do
    xdotool mousemove --window "$window" 300 45 click 1 mousemove_relative --sync 80 60
    sleep 0.3
    [ "$(position "$window")" = "$x $y" ] || { fail "the window followed the pointer after click $tap"; click 300 45; }
done
drag "$window" 300 45 || fail "a drag on the background did not move the window"

# Basic page: the DPI slider's fifth stop (level 4), then the down stepper (level 3).
click 648 462
click 753 461
# Lighting: colour shift (breathing comes on with it), shine up, lamp 1 on and two levels up, lamp 3 off.
click 569 153
click 745 147
click 648 188
click 745 182
click 745 182
click 569 258
# Button 4 sends Ctrl+B: its function menu, "Keyboard", and the keys pressed in the single-key dialog.
click 346 254
menu=$(await_dialog) || fail "button 4 opened no function menu"
choose_function 7
if single_key=$(await_dialog "$menu"); then
    drag "$single_key" 200 160 || fail "the single-key dialog did not follow a drag while it holds the keyboard"
    minimise_and_restore "$single_key" || fail "minimising the single-key dialog lost it"
    xdotool key ctrl+b
    shot 2-single-key
    click 341 221 "$single_key"
    wait_for 10 no_dialog || fail "OK did not close the single-key dialog"
else
    fail "Keyboard opened no single-key dialog"
fi
shot 3-basic-page

# Advanced page: the pointer speed slider's eighth stop (speed 7).
click 264 98
click 244 206
# A new macro: the editor records the A key and a click on its left-button strip.
click 517 430
if editor=$(await_dialog); then
    xdotool key a
    drag "$editor" 300 40 || fail "the macro editor did not follow a drag while it holds the keyboard"
    minimise_and_restore "$editor" || fail "minimising the macro editor lost it"
    click 65 151 "$editor"
    shot 4-macro-editor
    click 519 442 "$editor"
    wait_for 10 no_dialog || fail "OK did not close the macro editor"
else
    fail "Edit opened no macro editor"
fi
shot 5-advanced-page
# Button 5 plays the macro: its function menu, "Macro", and the macro chosen in the choice dialog.
click 95 98
click 346 283
menu=$(await_dialog) || fail "button 5 opened no function menu"
choose_function 8
if choice=$(await_dialog "$menu"); then
    click 100 118 "$choice"
    shot 6-macro-choice
    click 519 442 "$choice"
    wait_for 10 no_dialog || fail "OK did not close the macro choice dialog"
else
    fail "Macro opened no macro choice dialog"
fi

# Apply: the profile is saved, the mouse written, and a message box says so; Return closes it.
click 654 558
wait_for 10 test -s "$app/download.bin" || fail "Apply wrote no download.bin"
wait_for 10 has_dialog || fail "Apply showed no message box"
shot 7-applied
box=$(xdotool getactivewindow)
[ "$box" != "$window" ] || fail "the message box does not have the focus"
# To the window manager the box is a modal dialog of fixed size that can be moved and closed, never
# maximised; its Motif hints offer no minimising either, for the window managers that heed them.
[[ $(xprop -id "$box" _NET_WM_WINDOW_TYPE _NET_WM_STATE) == *_TYPE_DIALOG*_STATE_MODAL* ]] ||
    fail "the message box is no modal dialog: $(xprop -id "$box" _NET_WM_WINDOW_TYPE _NET_WM_STATE)"
actions=$(xprop -id "$box" _NET_WM_ALLOWED_ACTIONS)
[[ $actions == *_NET_WM_ACTION_MOVE* && $actions == *_NET_WM_ACTION_CLOSE* && $actions != *MAXIMIZE* ]] ||
    fail "the window manager does not offer to move and close the message box, or offers to maximise it: $actions"
read -r mwm_flags mwm_functions _ < <(xprop -id "$box" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
# The hints' flags: 1, the functions are given; the functions: 8, minimise.
((mwm_flags & 1 && !(mwm_functions & 8))) ||
    fail "the message box's Motif hints offer minimising: $(xprop -id "$box" _MOTIF_WM_HINTS)"
minimise_and_restore "$box" || fail "minimising the message box lost it"
xdotool key Return
wait_for 10 no_dialog || fail "Return did not close the message box"

# Close: the program ends by itself, and well.
click 766 27
if wait_for 10 program_gone; then
    wait "$program" || fail "the program ended with status $?"
else
    fail "Close did not end the program"
fi

# What Apply left: the profile, download.bin and the mouse's state file, each agreeing with the
# reports voltranectl builds from the profile.
profile=$app/Setting1.ini
[ -s "$profile" ] || { cat "$scratch/voltrane.log"; fail "Apply saved no Setting1.ini"; exit 1; }
decode_mouse "$ctl" "$state" "$scratch"
"$ctl" encode "$profile" --settings "$scratch/expected-settings.bin" --buttons "$scratch/expected-buttons.bin"
cmp -s "$app/download.bin" "$scratch/expected-buttons.bin" ||
    fail "download.bin is not the profile's button report"
cmp -s "$scratch/mouse-buttons.bin" "$app/download.bin" || fail "the mouse does not hold download.bin"
cmp -s "$scratch/mouse-settings.bin" "$scratch/expected-settings.bin" ||
    fail "the mouse does not hold the profile's settings"
# The values the clicks chose, in the profile (keyed by caption) and in the mouse (by item number);
# each differs from the factory value.
python3 - "$profile" "$scratch/mouse.json" <<'EOF' || failures=$((failures + 1))
import json, sys
raw = open(sys.argv[1], "rb").read()
problems = []
if raw[:2] != b"\xff\xfe":
    problems.append("Setting1.ini does not start with the UTF-16LE byte order mark")
profile = {}
for line in raw.decode("utf-16").splitlines():
    key, equals, value = line.partition("=")
    if equals and key.strip() not in profile:
        profile[key.strip()] = int(value, 16) if value.startswith("0x") else value
chosen = {"XDpi": 3, "Single": 0, "Colorshift": 1, "Breathing": 1, "HShine": 2, "RLED": 2, "GLED": 0,
          "XSpeed": 7, "Button4": 7, "Button5": 8, "Macros Names5": "Macro_1"}
for key, value in chosen.items():
    if profile.get(key) != value:
        problems.append(f"Setting1.ini: {key}={profile.get(key)}, the clicks chose {value}")
if not str(profile.get("Keyboard Settings4")).startswith("070,063,000,"):
    problems.append(f"Setting1.ini: button 4 sends keys {profile.get('Keyboard Settings4')}, not LCtrl+B")
mouse = json.load(open(sys.argv[2]))
items = mouse["items"]
# DPI level, single, colour shift, breathing, shine, lamp 1 on and its level, lamp 3 off (the report
# carries no level for a lamp that is off), button 4 a key combination, button 5 a macro
held = {55: 3, 14: 0, 15: 1, 16: 1, 36: 2, 25: 1, 37: 2, 32: 1, 33: 0, 3: 7, 4: 8}
for item, value in held.items():
    if items[item] != value:
        problems.append(f"the mouse holds item {item} = {items[item]}, the clicks chose {value}")
# Key-table rows: LCtrl 70, B 63.
if mouse["key_data"][3][:3] != [70, 63, 0]:
    problems.append(f"the mouse's button 4 sends keys {mouse['key_data'][3]}, not LCtrl+B")
# The macro as the mouse plays it: A down, A up, left button down, left button up.
steps = [(m["name"], [step[:2] for step in m["steps"]]) for m in mouse["macros"]]
if steps != [("Macro_1", [[6, 46], [18, 46], [2, 1], [19, 1]])]:
    problems.append(f"the mouse holds the macros {steps}, not Macro_1: A, then a left click")
for problem in problems:
    print("FAIL:", problem)
sys.exit(1 if problems else 0)
EOF
[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
echo "the window's session reached the profile, download.bin and the mouse; screenshots in $shots"
