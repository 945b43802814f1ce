#!/usr/bin/env bash
# The window under GNOME Shell, end to end: the built program runs on the virtual mouse under
# `gnome-shell --wayland --headless` (a virtual monitor, no XWayland) as an unprivileged user, on a
# private session bus with a stand-in system bus. Keys and the pointer go through the shell's
# remote-desktop interface, screenshots come from the shell itself (gnome_remote does both).
# It checks that the window is shaped by transparency (its corners show the desktop, no pixel shows
# the mask's magenta); that a button's function menu opens under it and its "Keyboard" opens the
# single-key dialog over the window; that GNOME asks whether the dialog may inhibit its shortcuts on
# the dialog's first open, and that once that is allowed Alt+F4 is recorded instead of closing the
# dialog, and Super+Return in a second dialog; that Apply writes both into the mouse; that the window
# can be dragged; and that a second start has the minimised window activated with its token.
# Screenshots go to SHOT_DIR.
# usage: e2e_gnome.sh VOLTRANE VOLTRANECTL GNOME_REMOTE SKIN_DIR SHOT_DIR
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
# shellcheck source=tests/e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e_common.sh"
voltrane=$1 ctl=$2 remote_tool=$3 skins=$4 shots=$5

for tool in gnome-shell dbus-daemon gdbus setpriv convert python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# The session's user: ourselves, or nobody when we are root.
as_user=()
[ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)

scratch=$(mktemp -d)
chmod 755 "$scratch"
pids=() groups=()
cleanup() {
    local group
    cp "$scratch/voltrane.log" "$shots/voltrane.log" 2>/dev/null || true
    stop_pids "${pids[@]}"
    # The buses and the shell with what they started (the accessibility bus and its registry...).
    for group in "${groups[@]}"; do kill -- "-$group" 2>/dev/null || true; done
    stop_pids "${groups[@]}"
    rm -rf "$scratch"
}
trap cleanup EXIT

# A portable installation of the built program, and the session's folders, all the user's own.
session=$scratch/session app=$scratch/session/app
mkdir -p "$session/runtime" "$session/home" "$app" "$shots"
cp "$voltrane" "$app/voltrane"
cp "$remote_tool" "$session/gnome_remote"
cp -r "$skins" "$app/skins"
mkfifo "$session/commands" "$session/answers"
cat >"$session/system-bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$session/system-bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/><allow own="*"/><allow send_destination="*"/><allow receive_sender="*"/>
  </policy>
</busconfig>
CONF
chmod 700 "$session/runtime"
[ ${#as_user[@]} -eq 0 ] || chown -R nobody:nogroup "$session"

# as_session COMMAND...: runs COMMAND as the session's user, in its environment and nothing of ours;
# background COMMAND... starts it so, as the process $! names.
session_env=(env -i PATH=/usr/bin:/bin HOME="$session/home" XDG_RUNTIME_DIR="$session/runtime"
    DBUS_SESSION_BUS_ADDRESS="unix:path=$session/runtime/bus"
    DBUS_SYSTEM_BUS_ADDRESS="unix:path=$session/system-bus" WAYLAND_DISPLAY=wayland-0)
as_session() { "${as_user[@]}" "${session_env[@]}" "$@"; }
background() { (exec "${as_user[@]}" "${session_env[@]}" "$@") & }
# in_group COMMAND...: starts COMMAND so in a process group of its own, with all it starts.
in_group() {
    (exec setsid "${as_user[@]}" "${session_env[@]}" "$@") &
    groups+=($!)
}
in_group dbus-daemon --config-file="$session/system-bus.conf" --nofork >"$scratch/system-bus.log" 2>&1
in_group dbus-daemon --session --address="unix:path=$session/runtime/bus" --nofork \
    >"$scratch/session-bus.log" 2>&1
wait_for 10 test -S "$session/runtime/bus" -a -S "$session/system-bus" ||
    { cat "$scratch"/*-bus.log; echo "FAIL: no buses"; exit 1; }
# A plain desktop background, no animations to wait for, and no overview when the pointer passes the
# top left corner.
for setting in "org.gnome.desktop.background picture-uri ''" \
    "org.gnome.desktop.background primary-color '#3a5f7d'" \
    "org.gnome.desktop.background color-shading-type 'solid'" \
    "org.gnome.desktop.interface enable-animations false" \
    "org.gnome.desktop.interface enable-hot-corners false"; do
    eval "as_session gsettings set $setting" || { echo "FAIL: gsettings set $setting"; exit 1; }
done
in_group gnome-shell --wayland --no-x11 --headless --virtual-monitor 1280x1024 >"$scratch/shell.log" 2>&1
shell_ready() {
    [ -S "$session/runtime/wayland-0" ] &&
        as_session gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
            --method org.freedesktop.DBus.NameHasOwner org.gnome.Shell.Screenshot | grep -q true
}
wait_for 30 shell_ready || { tail -n 30 "$scratch/shell.log"; echo "FAIL: GNOME Shell did not start"; exit 1; }

# The shell's input and screenshots, until the session ends: commands go to it through the FIFO
# commands, and it answers each through the FIFO answers.
as_session "$session/gnome_remote" <"$session/commands" >"$session/answers" 2>"$scratch/remote.log" &
pids+=($!)
exec {commands}>"$session/commands" {answers}<"$session/answers"
remote() {
    local reply
    echo "$*" >&"$commands"
    read -r -t 10 reply <&"$answers" && [ "$reply" = ok ] ||
        { cat "$scratch/remote.log"; echo "FAIL: the shell did not take \"$*\" ($reply)"; exit 1; }
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

shot() { remote shot "$session/$1.png" && cp "$session/$1.png" "$shots/$1.png"; }
# changed FILE BEFORE [ROW COLUMN]: "x y width height" of what differs between two screenshots below
# the top bar, nothing when nothing does: the rows where at least ROW pixels differ (1 unless given),
# the columns where at least COLUMN do, so that a small change elsewhere (a hovered caption) is left
# out of a large one (a window).
changed() {
    python3 - "$@" <<'PY'
import subprocess, sys
width, height, top = 1280, 1024, 40
least = [int(n) for n in sys.argv[3:5]] or [1, 1]
def counts(scale, length):
    difference = subprocess.run(
        ["convert", sys.argv[1], sys.argv[2], "-alpha", "off", "-compose", "difference", "-composite",
         "-crop", f"{width}x{height - top}+0+{top}", "+repage", "-colorspace", "gray", "-threshold", "0",
         "-filter", "box", "-resize", scale, "-depth", "16", "gray:-"], check=True, capture_output=True).stdout
    return [int.from_bytes(difference[i:i + 2], "little") * length / 65535 for i in range(0, len(difference), 2)]
rows = [y for y, n in enumerate(counts(f"1x{height - top}!", width)) if n >= least[0] - 0.5]
columns = [x for x, n in enumerate(counts(f"{width}x1!", height - top)) if n >= least[1] - 0.5]
if rows and columns:
    print(columns[0], rows[0] + top, columns[-1] - columns[0] + 1, rows[-1] - rows[0] + 1)
PY
}

# The desktop, once the shell has left the overview it starts in (whose background is its own, and
# which shows the desktop's only in small pictures of the workspaces).
desktop_shown() {
    shot 0-desktop && [ "$(pixel "$session/0-desktop.png" 640 600)" = 3A5F7D ] &&
        [ "$(convert "$session/0-desktop.png" -crop 1280x984+0+40 -format %k info:)" = 1 ]
}
# The pointer, away from the top left corner (the shell's virtual pointer takes its first moves only
# once it exists); Escape leaves the overview, once the shell has shown it.
remote move 1000 1000
left_overview() { press Escape && sleep 0.5 && desktop_shown && sleep 1 && desktop_shown; }
wait_for 15 left_overview || fail "the shell did not leave its overview"

# The program, its Wayland requests and events logged (WAYLAND_DEBUG) to show its shortcut inhibitors;
# program_log: what it said itself, without them.
program_log() { grep -v '^\[ *[0-9]' "$scratch/voltrane.log" | tail -n 40; }
start_program() {
    background QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client VOLTRANE_DEVICE=virtual:$app/mouse.bin \
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
# The shell's prompt "allow ... to inhibit shortcuts" dims the whole screen while it is up.
prompt_up() { shot "$1" && [ "$(pixel "$session/$1.png" 20 1000)" != "$(pixel "$session/0-desktop.png" 20 1000)" ]; }
prompt_gone() { ! prompt_up "$1"; }

# record BUTTON_Y MENU_Y CHORD NAME: the single-key dialog from the function menu of the button at
# (346, BUTTON_Y) of the window, its "Keyboard" at (336, MENU_Y); the shell's prompt answered "Allow";
# CHORD recorded; OK. Screenshots NAME-*.
record() {
    local button_y=$1 menu_y=$2 chord=$3 name=$4 dx dy
    click $(at 346 "$button_y")
    menu_open() { shot "$name-menu" && [ "$(pixel "$session/$name-menu.png" "$((x + 336))" "$((y + menu_y))")" != \
        "$(pixel "$session/1-window.png" "$((x + 336))" "$((y + menu_y))")" ]; }
    wait_for 5 menu_open || { fail "the button at $button_y opened no function menu under it"; return; }
    local asked
    asked=$(logged "$granted")
    click $(at 336 "$menu_y")
    if wait_for 10 prompt_up "$name-prompt"; then
        press Return  # "Allow"
        wait_for 10 prompt_gone "$name-prompt" || fail "the prompt did not go on Return"
    else
        fail "GNOME did not ask whether the single-key dialog may inhibit its shortcuts"
    fi
    wait_for 5 logged_more "$granted" "$asked" || fail "GNOME did not grant the dialog's inhibitor"
    sleep 0.5  # the dialog's frame after the prompt
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
    sleep 1  # the shell would have acted on the chord by now
    shot "$name-recorded"
    [ "$(field "$name-recorded")" != "$(field 1-window)" ] || fail "$chord closed the single-key dialog"
    click $((dx + 341)) $((dy + 221))
    closed() { shot "$name-closed" && [ "$(field "$name-closed")" = "$(field 1-window)" ]; }
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

# A drag by the window's background moves it: the shell's move, which begins once the pointer has
# moved a few pixels with the button down.
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

# Minimised (the shell's Super+H), the window is activated when the program is started again, with
# the token the second start requested (no launcher gives it one here). GNOME 43 takes such a token
# only as a request for attention and leaves the window minimised (it restores it with a launcher's
# token), so what is checked is the activation the first program asks for with the second's token.
centre_shown() { shot "$1" && [ "$(pixel "$session/$1.png" "$((x + 400))" "$((y + 300))")" != \
    "$(pixel "$session/0-desktop.png" "$((x + 400))" "$((y + 300))")" ]; }
press Super_L+h
wait_for 5 eval '! centre_shown 6-minimised' || fail "Super+H did not minimise the window"
start_program
second=$!
wait_for 20 eval "! kill -0 $second" || fail "the second start did not end"
wait "$second" || fail "the second start ended with $?"
token=$(grep -o 'xdg_activation_token_v1@[0-9]*\.done("[^"]*")' "$scratch/voltrane.log" | tail -n 1 |
    sed 's/.*done("\(.*\)")/\1/')
activated() { grep -q "xdg_activation_v1@[0-9]*\.activate(\"$token\"" "$scratch/voltrane.log"; }
[ -n "$token" ] && wait_for 5 activated ||
    fail "the first program did not activate its window with the second start's token"
shot 7-activated
kill "$program" 2>/dev/null || true

# The mouse holds what the dialogs recorded.
decode_mouse "$ctl" "$app/mouse.bin" "$scratch" || fail "voltranectl could not decode the mouse"
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
echo "the window under GNOME Shell passed; screenshots in $shots"
