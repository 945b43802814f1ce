#!/usr/bin/env bash
# The window under KWin, end to end: the built program runs on the virtual mouse under
# `kwin_wayland --virtual` (a virtual output, software OpenGL, no XWayland) on a private session bus,
# with swaybg's plain background as the desktop. Keys and the pointer go through KWin's fake-input
# protocol, screenshots come from KWin's screenshot interface (kwin_remote does both; KWin lets it, as
# its desktop file asks).
# It checks that the window is shaped by transparency (its corners show the desktop, no pixel shows
# the mask's magenta); that a button's function menu opens under it and its "Keyboard" opens the
# single-key dialog over the window; that KWin grants the dialog's shortcut inhibitor and Alt+F4 is
# then recorded instead of closing the dialog, and Super+Return in a second dialog; that Apply writes
# both into the mouse; that the window can be dragged; and that a second start restores the
# minimised window. Screenshots go to SHOT_DIR.
# usage: e2e_kwin.sh VOLTRANE VOLTRANECTL KWIN_REMOTE WAYLAND_LAUNCHER SKIN_DIR SHOT_DIR
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
# shellcheck source=tests/e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e_common.sh"
voltrane=$1 ctl=$2 remote_tool=$3 launcher_tool=$4 skins=$5 shots=$6

need_tools kwin_wayland swaybg dbus-daemon convert python3

scratch=$(mktemp -d)
pids=() groups=()
cleanup() {
    local group
    cp "$scratch/voltrane.log" "$shots/voltrane.log" 2>/dev/null || true
    stop_pids "${pids[@]}"
    # The bus and KWin with what they started.
    for group in "${groups[@]}"; do kill -- "-$group" 2>/dev/null || true; done
    stop_pids "${groups[@]}"
    rm -rf "$scratch"
}
trap cleanup EXIT

# A portable installation of the built program, and the session's folders. KWin runs from a copy of
# its binary: the installed one carries a file capability that a container refuses to execute.
session=$scratch/session app=$scratch/session/app
mkdir -p "$session/runtime" "$session/home/.local/share/applications" "$app" "$shots"
rm -f "$shots"/*.png
chmod 700 "$session/runtime"
cp "$(command -v kwin_wayland)" "$session/kwin_wayland"
cp "$voltrane" "$app/voltrane"
cp "$remote_tool" "$session/kwin_remote"
cp "$launcher_tool" "$session/wayland_launcher"
cp -r "$skins" "$app/skins"
mkfifo "$session/commands" "$session/answers"
# KWin hands its fake input and its screenshots only to programs whose desktop file asks for them.
cat >"$session/home/.local/share/applications/org.voltrane.KWinRemote.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Voltrane window test
Exec=$session/kwin_remote
NoDisplay=true
X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input
X-KDE-DBUS-Restricted-Interfaces=org.kde.KWin.ScreenShot2
DESKTOP

# session COMMAND...: runs COMMAND in the session's environment and nothing of ours; background
# COMMAND... starts it so, as the process $! names; in_group COMMAND... starts it so in a process
# group of its own, with all it starts.
session_env=(env -i PATH=/usr/bin:/bin HOME="$session/home" XDG_RUNTIME_DIR="$session/runtime"
    XDG_DATA_DIRS=/usr/share DBUS_SESSION_BUS_ADDRESS="unix:path=$session/runtime/bus"
    WAYLAND_DISPLAY=wayland-0)
as_session() { "${session_env[@]}" "$@"; }
background() { (exec "${session_env[@]}" "$@") & }
in_group() {
    (exec setsid "${session_env[@]}" "$@") &
    groups+=($!)
}
in_group dbus-daemon --session --address="unix:path=$session/runtime/bus" --nofork \
    >"$scratch/session-bus.log" 2>&1
wait_for 10 test -S "$session/runtime/bus" || { cat "$scratch/session-bus.log"; echo "FAIL: no bus"; exit 1; }
in_group "$session/kwin_wayland" --virtual --no-lockscreen --width 1280 \
    --height 1024 --socket wayland-0 >"$scratch/kwin.log" 2>&1
kwin_ready() {
    [ -S "$session/runtime/wayland-0" ] &&
        as_session gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
            --method org.freedesktop.DBus.NameHasOwner org.kde.KWin.ScreenShot2 | grep -q true
}
wait_for 30 kwin_ready || { tail -n 30 "$scratch/kwin.log"; echo "FAIL: KWin did not start"; exit 1; }
background swaybg -c '#3a5f7d' >"$scratch/swaybg.log" 2>&1
pids+=($!)

# KWin's input and screenshots, until the session ends: commands go to it through the FIFO commands,
# and it answers each through the FIFO answers.
as_session "$session/kwin_remote" 1280 1024 <"$session/commands" >"$session/answers" 2>"$scratch/remote.log" &
pids+=($!)
exec {commands}>"$session/commands" {answers}<"$session/answers"
remote() {
    local reply
    echo "$*" >&"$commands"
    read -r -t 10 reply <&"$answers" && [ "$reply" = ok ] ||
        { cat "$scratch/remote.log"; echo "FAIL: KWin did not take \"$*\" ($reply)"; exit 1; }
}
press() {
    local chord
    for chord in "$@"; do remote key "$chord"; done
}
# click X Y: the left button at the screen's point (X, Y).
click() {
    remote move "$1" "$2"
    remote down
    remote up
}

shot() {
    remote shot "$session/$1.pam" && convert "$session/$1.pam" "$session/$1.png" &&
        cp "$session/$1.png" "$shots/$1.png"
}
# changed FILE BEFORE [ROW COLUMN]: "x y width height" of what differs between two screenshots,
# nothing when nothing does: the rows where at least ROW pixels differ (1 unless given), the columns
# where at least COLUMN do, so that a small change elsewhere (a hovered caption) is left out of a large
# one (a window).
changed() {
    python3 - "$@" <<'PY'
import subprocess, sys
width, height = 1280, 1024
least = [int(n) for n in sys.argv[3:5]] or [1, 1]
def counts(scale, length):
    difference = subprocess.run(
        ["convert", sys.argv[1], sys.argv[2], "-alpha", "off", "-compose", "difference", "-composite",
         "-colorspace", "gray", "-threshold", "0", "-filter", "box", "-resize", scale, "-depth", "16",
         "gray:-"], check=True, capture_output=True).stdout
    return [int.from_bytes(difference[i:i + 2], "little") * length / 65535 for i in range(0, len(difference), 2)]
rows = [y for y, n in enumerate(counts(f"1x{height}!", width)) if n >= least[0] - 0.5]
columns = [x for x, n in enumerate(counts(f"{width}x1!", height)) if n >= least[1] - 0.5]
if rows and columns:
    print(columns[0], rows[0], columns[-1] - columns[0] + 1, rows[-1] - rows[0] + 1)
PY
}

# The desktop, once swaybg has painted it.
remote move 1270 1010
desktop_shown() {
    shot 0-desktop && [ "$(pixel "$session/0-desktop.png" 640 600)" = 3A5F7D ] &&
        [ "$(convert "$session/0-desktop.png" -format %k info:)" = 1 ]
}
wait_for 15 desktop_shown || fail "KWin showed no plain desktop"

# The program, its Wayland requests and events logged (WAYLAND_DEBUG) to show its shortcut inhibitors
# and activations; program_log: what it said itself, without them.
program_log() { grep -v '^\[ *[0-9]' "$scratch/voltrane.log" | tail -n 40; }
# start_program [VARIABLE=VALUE...]: the program, in the environment given.
start_program() {
    background "$@" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client VOLTRANE_DEVICE=virtual:$app/mouse.bin \
        "$app/voltrane" >>"$scratch/voltrane.log" 2>&1
}
start_program
program=$!
pids+=("$program")
window_shown() { shot 1-window && [ -n "$(changed "$session/0-desktop.png" "$session/1-window.png")" ]; }
wait_for 20 window_shown || { program_log; echo "FAIL: the window did not appear"; exit 1; }
sleep 1  # the first frame
shot 1-window
read -r x y width height < <(changed "$session/0-desktop.png" "$session/1-window.png")
echo "the window: $width x $height at ($x, $y)"
[ "$width" -le 800 ] && [ "$height" -le 600 ] && [ "$width" -ge 780 ] && [ "$height" -ge 580 ] ||
    fail "the window shows $width x $height pixels, not its 800 x 600"

# The outline: each corner pixel is the desktop's, and the window shows no mask colour.
for corner in "$x $y" "$((x + width - 1)) $y" "$x $((y + height - 1))" \
    "$((x + width - 1)) $((y + height - 1))"; do
    read -r cx cy <<<"$corner"
    desktop=$(pixel "$session/0-desktop.png" "$cx" "$cy") shown=$(pixel "$session/1-window.png" "$cx" "$cy")
    [ "$desktop" = "$shown" ] || fail "the window's corner ($cx, $cy) shows $shown, the desktop $desktop"
done
no_mask_colour "$session/1-window.png" || fail "the window shows the mask colour"

# at DX DY: the screen's point at (DX, DY) of the main window.
at() { echo "$((x + $1)) $((y + $2))"; }
granted='shortcuts_inhibitor_v1@[0-9]*\.active()'
logged() { grep -c -e "$1" "$scratch/voltrane.log" || true; }
logged_more() { [ "$(logged "$1")" -gt "$2" ]; }

# over_window NAME FILE: what changed from the window's first screenshot lies within the window; its
# place is left in ox, oy, owidth and oheight.
over_window() {
    ox=-1 oy=-1 owidth=0 oheight=0
    read -r ox oy owidth oheight < <(changed "$session/1-window.png" "$session/$2.png" 200 80) || true
    [ "$ox" -ge "$x" ] && [ "$oy" -ge "$y" ] && [ $((ox + owidth)) -le $((x + width)) ] &&
        [ $((oy + oheight)) -le $((y + height)) ] ||
        fail "$1 ($ox, $oy, ${owidth}x$oheight) is not over the window"
}

# record BUTTON_Y MENU_Y CHORD NAME: the single-key dialog from the function menu of the button at
# (346, BUTTON_Y) of the window, its "Keyboard" at (336, MENU_Y); KWin's grant of its inhibitor; CHORD
# recorded; OK. Screenshots NAME-*.
record() {
    local button_y=$1 menu_y=$2 chord=$3 name=$4 dx dy
    shot "$name-before"
    # dialog_shown SHOT: the screenshot differs from NAME-before by the dialog (a menu and a caption
    # that changed are too small to count).
    dialog_shown() { [ -n "$(changed "$session/$name-before.png" "$session/$1.png" 200 80)" ]; }
    click $(at 346 "$button_y")
    menu_open() { shot "$name-menu" && [ "$(pixel "$session/$name-menu.png" "$((x + 336))" "$((y + menu_y))")" != \
        "$(pixel "$session/1-window.png" "$((x + 336))" "$((y + menu_y))")" ]; }
    wait_for 5 menu_open || { fail "the button at $button_y opened no function menu under it"; return; }
    local asked
    asked=$(logged "$granted")
    click $(at 336 "$menu_y")
    wait_for 5 logged_more "$granted" "$asked" || fail "KWin did not grant the dialog's inhibitor"
    sleep 0.5  # the dialog's first frame
    shot "$name-dialog"
    over_window "the single-key dialog" "$name-dialog"
    read -r dx dy _ < <(changed "$session/1-window.png" "$session/$name-dialog.png" 200 80) ||
        { fail "the single-key dialog is not shown"; return; }
    field() { convert "$session/$1.png" -crop "300x30+$((dx + 30))+$((dy + 90))" rgb:- | md5sum; }
    local empty
    empty=$(field "$name-dialog")
    press "$chord"
    recorded() { shot "$name-recorded" && [ "$(field "$name-recorded")" != "$empty" ]; }
    wait_for 5 recorded || fail "the single-key dialog did not record $chord"
    sleep 1  # KWin would have acted on the chord by now
    shot "$name-recorded"
    dialog_shown "$name-recorded" || fail "$chord closed the single-key dialog"
    click $((dx + 341)) $((dy + 221))
    closed() { shot "$name-closed" && ! dialog_shown "$name-closed"; }
    wait_for 10 closed || fail "OK did not close the single-key dialog"
}
click $(at 400 40)  # the window's background: the window takes the focus, if it has not yet
record 254 421 Alt_L+F4 2-alt-f4
record 283 450 Super_L+Return 3-super-return

# Apply writes the profile into the mouse; Return closes the message box that says so.
shot 4-before
click $(at 654 558)
wait_for 10 test -s "$app/download.bin" || fail "Apply wrote no download.bin"
sleep 1  # the box's first frame
shot 4-applied
over_window "the message box" 4-applied
press Return
# The box's button, in the lower middle of the box, is gone.
box_button() { pixel "$session/$1.png" $((ox + owidth / 2)) $((oy + oheight * 3 / 4)); }
box_closed() { shot 4-closed && [ "$(box_button 4-closed)" = "$(box_button 4-before)" ]; }
wait_for 10 box_closed || fail "Return did not close the message box"

# A drag by the window's background moves it: KWin's move, which begins once the pointer has moved a
# few pixels with the button down.
remote move $(at 400 30)
remote down
for step in 5 20 60 100; do remote move $(at $((400 + step)) $((30 + step))); done
remote up
sleep 0.5
shot 5-dragged
mx=$x my=$y
read -r mx my _ < <(changed "$session/0-desktop.png" "$session/5-dragged.png") || true
[ "$mx" -ne "$x" ] || [ "$my" -ne "$y" ] || fail "a drag by the background did not move the window"
x=$mx y=$my

# Minimised (KWin's Meta+PgDown), the window is restored when the program is started again: with the
# token the second start requested itself, which KWin grants while no window is active; and with the
# token a launcher got for the key press that started the program, while the launcher is active.
# shown SHOT: the screenshot shows the window's middle as it was after the drag.
shown() { shot "$1" && [ "$(pixel "$session/$1.png" "$((x + 400))" "$((y + 300))")" = \
    "$(pixel "$session/5-dragged.png" "$((x + 400))" "$((y + 300))")" ]; }
minimise() {
    press Super_L+Next
    wait_for 5 eval "! shown $1-minimised" || fail "Meta+PgDown did not minimise the window"
}
# restart NAME [VARIABLE=VALUE...]: the program started again in the environment given, which ends; the
# window restored. Screenshots NAME-*.
restart() {
    local name=$1 second
    shift
    start_program "$@"
    second=$!
    wait_for 20 eval "! kill -0 $second" || fail "the second start did not end"
    wait "$second" || fail "the second start ended with $?"
    wait_for 5 shown "$name-restored" || fail "the second start ($name) did not restore the minimised window"
}
# launch NAME: the launcher's window, clicked, and Return in it: its token in launcher_token.
launch() {
    shot "$1-no-launcher"
    background "$session/wayland_launcher" >"$scratch/launcher.out" 2>"$scratch/launcher.log"
    pids+=($!)
    launcher_shown() { shot "$1-launcher" && [ -n "$(changed "$session/$1-no-launcher.png" "$session/$1-launcher.png")" ]; }
    wait_for 10 launcher_shown "$1" || fail "the launcher did not appear"
    local lx ly lwidth lheight
    read -r lx ly lwidth lheight < <(changed "$session/$1-no-launcher.png" "$session/$1-launcher.png")
    click $((lx + lwidth / 2)) $((ly + lheight / 2))
    press Return
    wait_for 5 test -s "$scratch/launcher.out" || fail "the launcher got no token"
    launcher_token=$(head -n 1 "$scratch/launcher.out")
}
minimise 6-own-token
restart 6-own-token
minimise 7-launcher
launch 7-launcher
restart 7-launcher XDG_ACTIVATION_TOKEN="$launcher_token"
kill "$program" 2>/dev/null || true

# The mouse holds what the dialogs recorded.
tail -c +9 "$app/mouse.bin" >"$scratch/mouse-buttons.bin"
"$ctl" decode --buttons "$scratch/mouse-buttons.bin" --json >"$scratch/mouse.json" ||
    fail "voltranectl could not decode the mouse"
python3 - "$scratch/mouse.json" <<'PY' || fail "the mouse does not hold what was recorded"
import json, sys
mouse = json.load(open(sys.argv[1]))
problems = []
# Key-table rows: LAlt 72, F4 5, LWin 71, Enter 57.
for button, keys, name in ((3, [72, 5, 0], "LAlt+F4"), (4, [71, 57, 0], "LWin+Enter")):
    if mouse["key_data"][button][:3] != keys:
        problems.append(f"button {button + 1} sends keys {mouse['key_data'][button][:3]}, not {name}")
for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
PY
[ "$failures" -eq 0 ] || { program_log; echo "$failures failures"; exit 1; }
echo "the window under KWin passed; screenshots in $shots"
