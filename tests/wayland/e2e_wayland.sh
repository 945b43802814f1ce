#!/usr/bin/env bash
# The window on Wayland, end to end: the built program runs on the virtual mouse under sway in
# headless mode (software rendering, no input devices, no XWayland), as an unprivileged user because
# sway refuses root. Keys and the pointer come from virtual devices of our own, screenshots from grim.
# It checks that the window is shaped by transparency (its corners show the desktop and no pixel shows
# the mask's magenta); that a button's function menu opens and its "Keyboard" opens the single-key
# dialog over the window; that the dialog can be dragged; that while it has the focus sway's own
# shortcut, Super+Return, reaches the dialog instead of running, and that it runs while the dialog has
# lost the focus (the dialog gives its inhibitor back) and once the dialog is closed; that a command
# from a submenu of another button's menu is taken; that a file dialog and the message box come up
# over the window; and that Apply writes the recorded key and the command into the mouse. Screenshots
# go to SHOT_DIR.
# usage: e2e_wayland.sh VOLTRANE VOLTRANECTL WAYLAND_POINTER WAYLAND_KEYBOARD SKIN_DIR SHOT_DIR
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
# shellcheck source=tests/e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e_common.sh"
voltrane=$1 ctl=$2 pointer_tool=$3 keyboard_tool=$4 skins=$5 shots=$6

need_tools sway swaymsg swaybg grim setpriv convert python3

session_user

scratch=$(mktemp -d)
chmod 755 "$scratch"
pids=()
cleanup() {
    local pid
    # sway ends its session and its clients with it.
    [ -z "${swaysock:-}" ] || msg exit >/dev/null 2>&1 || true
    stop_pids "${pids[@]}"
    rm -rf "$scratch"
}
trap cleanup EXIT


# A portable installation of the built program, and the session's folders, all the user's own.
session=$scratch/session app=$scratch/session/app
mkdir -p "$session/runtime" "$session/home" "$app" "$shots"
cp "$voltrane" "$app/voltrane"
cp "$pointer_tool" "$session/wayland_pointer"
cp "$keyboard_tool" "$session/wayland_keyboard"
mkfifo "$session/keys" "$session/typed"
cp -r "$skins" "$app/skins"
cat >"$session/sway.conf" <<CONF
xwayland disable
output HEADLESS-1 resolution 1024x768 position 0 0 bg #3a5f7d solid_color
default_floating_border none
bindsym Mod4+Return exec touch $session/binding-ran
CONF
chmod 700 "$session/runtime"
[ ${#as_user[@]} -eq 0 ] || chown -R nobody:nogroup "$session"

# as_session COMMAND...: runs COMMAND as the session's user, in its environment and nothing of ours;
# background COMMAND... starts it so, as the process $! names.
session_env=(env -i PATH=/usr/bin:/bin HOME="$session/home" XDG_RUNTIME_DIR="$session/runtime"
    WAYLAND_DISPLAY=wayland-1)
as_session() { "${as_user[@]}" "${session_env[@]}" "$@"; }
background() { (exec "${as_user[@]}" "${session_env[@]}" "$@") & }
background WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$session/sway.conf" >"$scratch/sway.log" 2>&1 &
pids+=($!)
sway_ready() { compgen -G "$session/runtime/sway-ipc.*.sock" && [ -S "$session/runtime/wayland-1" ]; }
wait_for 10 sway_ready || { cat "$scratch/sway.log"; echo "FAIL: sway did not start"; exit 1; }
swaysock=$(compgen -G "$session/runtime/sway-ipc.*.sock")
msg() { as_session SWAYSOCK="$swaysock" swaymsg "$@"; }
wait_for 10 msg -t get_outputs || { cat "$scratch/sway.log"; echo "FAIL: sway does not answer"; exit 1; }

# The session's keyboard, on the seat before the program starts and until the session ends: chords go
# to it through the FIFO keys, and it answers each once sway has taken its keys through the FIFO typed.
as_session "$session/wayland_keyboard" <"$session/keys" >"$session/typed" 2>"$scratch/keyboard.log" &
pids+=($!)
exec {keys}>"$session/keys" {typed}<"$session/typed"
# press CHORD...: types each chord (key names joined by "+", e.g. Super_L+Return) in turn.
press() {
    local chord reply
    for chord in "$@"; do
        echo "$chord" >&"$keys"
        read -r -t 5 reply <&"$typed" && [ "$reply" = "$chord" ] ||
            { cat "$scratch/keyboard.log"; echo "FAIL: the keyboard did not type $chord ($reply)"; exit 1; }
    done
}

shot() { as_session grim "$session/$1.png" && cp "$session/$1.png" "$shots/$1.png"; }
# windows: one line per window of the program, "x y width height focused", the main window first.
windows() {
    msg -t get_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("app_id") == "org.voltrane.Voltrane":
        r = node["rect"]
        yield node["id"], " ".join(str(v) for v in (r["x"], r["y"], r["width"], r["height"],
                                                  int(node["focused"])))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from walk(child)
for _, line in sorted(walk(json.load(sys.stdin))):
    print(line)'
}
window_count() { [ "$(windows | wc -l)" -eq "$1" ]; }

# The desktop, once its background is painted.
background_painted() { shot 0-desktop && [ "$(pixel "$session/0-desktop.png" 0 0)" = 3A5F7D ]; }
wait_for 10 background_painted || fail "sway painted no desktop background"
# The program, its Wayland requests and events logged (WAYLAND_DEBUG) to show its shortcut inhibitors;
# program_log: what it said itself, without them.
program_log() { grep -v '^\[ *[0-9]' "$scratch/voltrane.log" | tail -n 40; }
background QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client VOLTRANE_DEVICE=virtual:$app/mouse.bin \
    "$app/voltrane" \
    >"$scratch/voltrane.log" 2>&1 &
program=$!
pids+=("$program")
wait_for 20 window_count 1 || { program_log; echo "FAIL: the window did not appear"; exit 1; }
sleep 1  # the first frame
shot 1-window
read -r x y width height _ < <(windows | head -n 1)

# The outline: each corner pixel is the desktop's, and the window shows no mask colour.
for corner in "$x $y" "$((x + width - 1)) $y" "$x $((y + height - 1))" \
    "$((x + width - 1)) $((y + height - 1))"; do
    read -r cx cy <<<"$corner"
    desktop=$(pixel "$session/0-desktop.png" "$cx" "$cy") shown=$(pixel "$session/1-window.png" "$cx" "$cy")
    [ "$desktop" = "$shown" ] || fail "the window's corner ($cx, $cy) shows $shown, the desktop $desktop"
done
no_mask_colour "$session/1-window.png" || fail "the window shows the mask colour"

# pointer ACTION...: the virtual pointer's moves and left button, at points of the output.
pointer() { as_session "$session/wayland_pointer" 1024 768 "$@"; }
# at DX DY: the output's point at (DX, DY) of the main window.
at() { echo "$((x + $1)),$((y + $2))"; }

# Sway's own shortcut runs while no capture dialog is open.
press Super_L+Return
wait_for 5 test -e "$session/binding-ran" || fail "Super+Return did not run sway's binding"
rm -f "$session/binding-ran"

# logged PATTERN: how many lines of the program's Wayland log match PATTERN; logged_more PATTERN N:
# more than N do. The compositor's grants of the program's shortcut inhibitors, and their releases:
granted='shortcuts_inhibitor_v1@[0-9]*\.active()'
released='-> zwp_keyboard_shortcuts_inhibitor_v1@[0-9]*\.destroy()'
logged() { grep -c -e "$1" "$scratch/voltrane.log" || true; }
logged_more() { [ "$(logged "$1")" -gt "$2" ]; }

# over_window NAME: the program's last window lies within the main window.
over_window() {
    local ox oy owidth oheight
    read -r ox oy owidth oheight _ < <(windows | tail -n 1)
    [ "$ox" -ge "$x" ] && [ "$oy" -ge "$y" ] && [ $((ox + owidth)) -le $((x + width)) ] &&
        [ $((oy + oheight)) -le $((y + height)) ] ||
        fail "$1 ($ox, $oy, ${owidth}x$oheight) is not over the window"
}

# Button 4's function menu, opened under the button; its seventh item, "Keyboard".
pointer "click:$(at 346 254)"
sleep 0.5  # the popup's first frame
shot 2-menu
[ "$(pixel "$session/2-menu.png" "$((x + 336))" "$((y + 421))")" != "$(pixel "$session/1-window.png" \
    "$((x + 336))" "$((y + 421))")" ] || fail "button 4 opened no function menu under it"
pointer "click:$(at 336 421)"
if wait_for 10 window_count 2; then
    read -r dx dy _ < <(windows | tail -n 1)
    over_window "the single-key dialog"
    dialog_focused() { [ "$(windows | tail -n 1 | cut -d' ' -f5)" = 1 ]; }
    wait_for 10 dialog_focused || fail "the single-key dialog did not get the focus"
    wait_for 5 logged_more "$granted" 0 || fail "sway did not grant the single-key dialog's inhibitor"
    # Super+Return goes to the dialog: it is recorded (the key field changes) and sway's binding does
    # not run.
    field() { convert "$session/$1.png" -crop "300x30+$((dx + 30))+$((dy + 90))" rgb:- | md5sum; }
    shot 3-single-key
    empty=$(field 3-single-key) inhibited=$(logged "$released")
    press Super_L+Return
    recorded() { shot 3-single-key && [ "$(field 3-single-key)" != "$empty" ]; }
    wait_for 5 recorded || fail "the single-key dialog did not record Super+Return"
    sleep 1  # the binding would have run by now
    [ ! -e "$session/binding-ran" ] || fail "Super+Return ran sway's binding while the dialog was open"
    # The combination is in: the dialog stops capturing and gives the shortcuts back. Tab, Tab (OK,
    # Cancel, the key field) and Return capture again, and the shortcuts are inhibited again.
    asked=$(logged "$granted")
    wait_for 5 logged_more "$released" "$inhibited" || fail "the dialog kept its inhibitor after the combination"
    press Tab Tab Return
    wait_for 5 logged_more "$granted" "$asked" || fail "Return on the key field did not inhibit the shortcuts"
    # Focus lost (sway shows another workspace): the dialog gives the shortcuts back, and the binding
    # runs. Focus back: the dialog inhibits them again, and the binding stays quiet.
    given=$(logged "$released") asked=$(logged "$granted")
    msg workspace 2 >/dev/null
    wait_for 5 logged_more "$released" "$given" || fail "the dialog kept its inhibitor without the focus"
    press Super_L+Return
    wait_for 5 test -e "$session/binding-ran" ||
        fail "Super+Return did not run sway's binding on another workspace"
    rm -f "$session/binding-ran"
    msg workspace 1 >/dev/null
    wait_for 10 dialog_focused || fail "the single-key dialog did not get the focus back"
    wait_for 5 logged_more "$granted" "$asked" || fail "the dialog did not inhibit the shortcuts again"
    press Super_L+Return
    sleep 1  # the binding would have run by now
    [ ! -e "$session/binding-ran" ] || fail "Super+Return ran sway's binding with the dialog focused again"
    no_mask_colour "$session/3-single-key.png" || fail "the single-key dialog shows the mask colour"
    # A drag by the dialog's background moves it as far as the pointer went, so that the point pressed
    # stays under the pointer, however few motions came.
    pointer "move:$((dx + 150)),$((dy + 12))" down "move:$((dx + 160)),$((dy + 17))" \
        "move:$((dx + 200)),$((dy + 40))" "move:$((dx + 250)),$((dy + 62))" up
    dragged() {
        read -r mx my _ < <(windows | tail -n 1)
        [ "$mx" -eq $((dx + 100)) ] && [ "$my" -eq $((dy + 50)) ]
    }
    wait_for 5 dragged ||
        fail "a drag by the background from $dx $dy ended at $mx $my, not $((dx + 100)) $((dy + 50))"
    shot 4-dragged
    pointer "click:$((mx + 341)),$((my + 221))"
    wait_for 10 window_count 1 || fail "OK did not close the single-key dialog"
else
    fail "Keyboard opened no single-key dialog"
fi
# The binding runs again once the dialog is closed.
press Super_L+Return
wait_for 5 test -e "$session/binding-ran" || fail "Super+Return did not run sway's binding after the dialog"

# Button 5's function menu, and a command from its submenu "MediaCommand" (the menu's eleventh item):
# the submenu's second item, function 34, chosen by the arrow keys.
pointer "click:$(at 346 283)"
menu_open() { shot 6-menu && [ "$(pixel "$session/6-menu.png" "$((x + 336))" "$((y + 450))")" != \
    "$(pixel "$session/1-window.png" "$((x + 336))" "$((y + 450))")" ]; }
if wait_for 5 menu_open; then
    press Down Down Down Down Down Down Down Down Down Down Down Right
    sleep 0.5  # the submenu's first frame
    shot 6-submenu
    press Down Return
else
    fail "button 5 opened no function menu under it"
fi

# Load setting's file dialog comes up over the window; Esc closes it.
pointer "click:$(at 73 564)"
if wait_for 10 window_count 2; then
    over_window "the file dialog"
    sleep 0.5  # the dialog's first frame
    shot 7-file-dialog
    press Escape
    wait_for 10 window_count 1 || fail "Esc did not close the file dialog"
else
    fail "Load setting opened no file dialog"
fi

# Apply writes the profile into the mouse; Return closes the message box that says so.
pointer "click:$(at 654 558)"
wait_for 10 test -s "$app/download.bin" || fail "Apply wrote no download.bin"
if wait_for 10 window_count 2; then
    over_window "the message box"
else
    fail "Apply showed no message box"
fi
sleep 0.5  # the box's first frame
shot 8-applied
no_mask_colour "$session/8-applied.png" || fail "the message box shows the mask colour"
press Return
wait_for 10 window_count 1 || fail "Return did not close the message box"
kill "$program" 2>/dev/null || true

# The mouse holds what the dialog recorded and what the submenu chose.
decode_mouse "$ctl" "$app/mouse.bin" "$scratch" || fail "voltranectl could not decode the mouse"
python3 - "$scratch/mouse.json" <<'PY' || fail "the mouse does not hold what was chosen"
import json, sys
mouse = json.load(open(sys.argv[1]))
problems = []
# Key-table rows: LWin 71, Enter 57.
if mouse["key_data"][3][:3] != [71, 57, 0]:
    problems.append(f"button 4 sends keys {mouse['key_data'][3][:3]}, not LWin+Enter")
if mouse["items"][4] != 34:
    problems.append(f"button 5 has function {mouse['items'][4]}, not the submenu's 34")
for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
PY
[ "$failures" -eq 0 ] || { program_log; echo "$failures failures"; exit 1; }
echo "the window on Wayland passed; screenshots in $shots"
