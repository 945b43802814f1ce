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
# can be dragged; and that a second start has the minimised window activated with its token, and
# restored with the token of a launcher.
# Screenshots go to SHOT_DIR.
# usage: e2e_gnome.sh VOLTRANE VOLTRANECTL GNOME_REMOTE WAYLAND_LAUNCHER SKIN_DIR SHOT_DIR
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
# shellcheck source=tests/e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e_common.sh"
# shellcheck source=tests/wayland/desktop_steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/desktop_steps.sh"
voltrane=$1 ctl=$2 remote_tool=$3 launcher_tool=$4 skins=$5 shots=$6

need_tools gnome-shell dbus-daemon gdbus setpriv convert python3

session_user

scratch=$(mktemp -d)
chmod 755 "$scratch"
pids=() groups=()
trap desktop_cleanup EXIT

# A portable installation of the built program, and the session's folders, all the user's own.
session=$scratch/session app=$scratch/session/app
mkdir -p "$session/runtime" "$session/home" "$app" "$shots"
cp "$voltrane" "$app/voltrane"
cp "$remote_tool" "$session/gnome_remote"
cp "$launcher_tool" "$session/wayland_launcher"
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
# A plain desktop background, no animations to wait for, no overview when the pointer passes the top
# left corner, and no notification banners: the screenshots find a dialog by what changed, and a
# banner ("... is ready", the shell's answer when Qt re-activates the main window as its menu closes
# and that request arrives after the dialog has taken the focus, as it can on a loaded machine)
# would count as part of the dialog.
for setting in "org.gnome.desktop.background picture-uri ''" \
    "org.gnome.desktop.background primary-color '#3a5f7d'" \
    "org.gnome.desktop.background color-shading-type 'solid'" \
    "org.gnome.desktop.interface enable-animations false" \
    "org.gnome.desktop.interface enable-hot-corners false" \
    "org.gnome.desktop.notifications show-banners false"; do
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
# GNOME centres a modal dialog across its window, and places it high rather than in the middle.
desktop="GNOME Shell" top=40 centred=x
shot() { remote shot "$session/$1.png" && cp "$session/$1.png" "$shots/$1.png"; }

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

show_window
# The shell's prompt "allow ... to inhibit shortcuts" dims the whole screen while it is up.
prompt_up() { shot "$1" && [ "$(pixel "$session/$1.png" 20 1000)" != "$(pixel "$session/0-desktop.png" 20 1000)" ]; }
prompt_gone() { ! prompt_up "$1"; }
# answer_prompt NAME: the prompt, asked on the dialog's first open, answered "Allow" (Return).
answer_prompt() {
    if wait_for 10 prompt_up "$1-prompt"; then
        press Return
        wait_for 10 prompt_gone "$1-prompt" || fail "the prompt did not go on Return"
    else
        fail "GNOME did not ask whether the single-key dialog may inhibit its shortcuts"
    fi
}
click $(at 400 40)  # the window's background: the window takes the focus, if it has not yet
record 254 421 Alt_L+F4 2-alt-f4
record 283 450 Super_L+Return 3-super-return
apply
drag

# Minimised (the shell's Super+H), the window is activated when the program is started again, with
# the token the second start requested (no launcher gives it one here). GNOME 43 takes such a token
# only as a request for attention and leaves the window minimised, so what is checked is the
# activation the first program asks for with the second's token.
minimise Super_L+h 6
start_again
token=$(grep -o 'xdg_activation_token_v1@[0-9]*\.done("[^"]*")' "$scratch/voltrane.log" | tail -n 1 |
    sed 's/.*done("\(.*\)")/\1/')
wait_for 5 activated_with "$token" ||
    fail "the first program did not activate its window with the second start's token"
shot 7-activated
# With the token of a launcher, for the key press that started the program, GNOME restores the window.
# Launchers on Debian 12's GLib (2.74), the shell's own among them, hand it in DESKTOP_STARTUP_ID.
launch 8-launcher
start_again DESKTOP_STARTUP_ID="$launcher_token"
activated_with "$launcher_token" || fail "the program did not activate its window with the launcher's token"
wait_for 5 shown 8-restored || fail "the second start with the launcher's token did not restore the window"
kill "$program" 2>/dev/null || true

finish
