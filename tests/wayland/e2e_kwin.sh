#!/usr/bin/env bash
# The window under KWin, end to end: the built program runs on the virtual mouse under
# `kwin_wayland --virtual` (a virtual output, software OpenGL, no XWayland) on a private session bus,
# with swaybg's plain background as the desktop. Keys and the pointer go through KWin's fake-input
# protocol, screenshots come from KWin's screenshot interface (kwin_remote does both; KWin lets it, as
# its desktop file asks).
# It checks that the window is shaped by transparency (its corners show the desktop, no pixel shows
# the mask's magenta); that a button's function menu opens under it and its "Keyboard" opens the
# single-key dialog centred on the window; that KWin grants the dialog's shortcut inhibitor and Alt+F4
# is then recorded instead of closing the dialog, and Super+Return in a second dialog; that Apply
# writes both into the mouse, its message box centred on the window; that the window can be dragged;
# and that a second start restores the minimised window, with the token it requested itself and with a
# launcher's. Screenshots go to SHOT_DIR.
# usage: e2e_kwin.sh VOLTRANE VOLTRANECTL KWIN_REMOTE WAYLAND_LAUNCHER SKIN_DIR SHOT_DIR
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
# shellcheck source=tests/e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e_common.sh"
# shellcheck source=tests/wayland/desktop_steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/desktop_steps.sh"
voltrane=$1 ctl=$2 remote_tool=$3 launcher_tool=$4 skins=$5 shots=$6

need_tools kwin_wayland swaybg dbus-daemon convert python3

scratch=$(mktemp -d)
pids=() groups=()
trap desktop_cleanup EXIT

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

# as_session COMMAND...: runs COMMAND in the session's environment and nothing of ours; background
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
as_session "$session/kwin_remote" 1280 1024 <"$session/commands" >"$session/answers" \
    2>"$scratch/remote.log" &
pids+=($!)
exec {commands}>"$session/commands" {answers}<"$session/answers"
desktop=KWin top=0 centred="x y"
shot() {
    remote shot "$session/$1.pam" && convert "$session/$1.pam" "$session/$1.png" &&
        cp "$session/$1.png" "$shots/$1.png"
}

# The desktop, once swaybg has painted it.
remote move 1270 1010
desktop_shown() {
    shot 0-desktop && [ "$(pixel "$session/0-desktop.png" 640 600)" = 3A5F7D ] &&
        [ "$(convert "$session/0-desktop.png" -format %k info:)" = 1 ]
}
wait_for 15 desktop_shown || fail "KWin showed no plain desktop"

show_window
click $(at 400 40)  # the window's background: the window takes the focus, if it has not yet
record 254 421 Alt_L+F4 2-alt-f4
record 283 450 Super_L+Return 3-super-return
apply
drag

# Minimised (KWin's Meta+PgDown), the window is restored when the program is started again: with the
# token the second start requested itself, which KWin grants while no window is active; and with the
# token a launcher got for the key press that started the program, while the launcher is active (a
# token the second start requested then would not be granted).
minimise Super_L+Next 6-own-token
start_again
wait_for 5 shown 6-own-token-restored || fail "the second start did not restore the minimised window"
minimise Super_L+Next 7-launcher
launch 7-launcher
start_again XDG_ACTIVATION_TOKEN="$launcher_token"
activated_with "$launcher_token" || fail "the program did not activate its window with the launcher's token"
wait_for 5 shown 7-launcher-restored ||
    fail "the second start with the launcher's token did not restore the minimised window"
kill "$program" 2>/dev/null || true

finish
