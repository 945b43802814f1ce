# Shared by the end-to-end window tests (sourced, not run).

# need_tools TOOL...: skips the test (exit 77) unless every TOOL is installed.
need_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

# session_user: in `as_user`, the command prefix that runs a session's programs as its user: ourselves,
# or nobody when we are root.
session_user() {
    as_user=()
    [ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
}

# use_scratch: a new scratch folder in `scratch` and an empty `pids`; on exit the processes in `pids`
# are ended and the folder removed.
use_scratch() {
    scratch=$(mktemp -d)
    pids=()
    trap 'stop_pids "${pids[@]}"; rm -rf "$scratch"' EXIT
}

# fail WHAT: reports a failed check and counts it in `failures`; the test goes on.
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# stop_pids PID...: ends the processes and waits for them.
stop_pids() {
    local pid
    for pid in "$@"; do kill "$pid" 2>/dev/null || true; done
    for pid in "$@"; do wait "$pid" 2>/dev/null || true; done
}

# wait_for SECONDS COMMAND...: polls COMMAND every 0.1 s until it succeeds; fails after SECONDS.
wait_for() {
    local tries=$(($1 * 10))
    shift
    until "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# decode_mouse VOLTRANECTL STATE FOLDER: the virtual mouse's state file STATE (its settings report,
# then its button report) split into FOLDER/mouse-settings.bin and FOLDER/mouse-buttons.bin, and
# decoded by `voltranectl decode --json` into FOLDER/mouse.json; fails where a step fails.
decode_mouse() {
    local ctl=$1 state=$2 folder=$3
    head -c 8 "$state" >"$folder/mouse-settings.bin" &&
        tail -c +9 "$state" >"$folder/mouse-buttons.bin" &&
        "$ctl" decode --settings "$folder/mouse-settings.bin" --buttons "$folder/mouse-buttons.bin" \
            --json >"$folder/mouse.json"
}

# start_xvfb SCRATCH: a private X server on the first free display number, reachable only through its
# socket and the cookie in SCRATCH/Xauthority; exports DISPLAY and XAUTHORITY and adds the server to
# the caller's `pids`. Exits with a failure when no server starts.
start_xvfb() {
    local scratch=$1 number
    export XAUTHORITY=$scratch/Xauthority
    touch "$XAUTHORITY"
    for number in $(seq 90 140); do
        [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
        xauth add ":$number" . "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')"
        Xvfb ":$number" -auth "$XAUTHORITY" -nolisten tcp -noreset -screen 0 1024x768x24 \
            >"$scratch/xvfb.log" 2>&1 &
        pids+=($!)
        if wait_for 10 xdpyinfo -display ":$number"; then
            export DISPLAY=:$number
            return 0
        fi
        kill "${pids[-1]}" 2>/dev/null || true
        unset 'pids[-1]'
    done
    cat "$scratch/xvfb.log"
    echo "FAIL: no X server"
    exit 1
}

# private_session SCRATCH: a session on the X server of DISPLAY with nothing of the host's desktop,
# settings or session bus: home and XDG folders in SCRATCH, Qt on X11.
private_session() {
    export HOME=$1/home XDG_CONFIG_HOME=$1/home/.config XDG_DATA_HOME=$1/home/.local/share
    export XDG_RUNTIME_DIR=$1/runtime QT_QPA_PLATFORM=xcb
    unset XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}

# start_openbox SCRATCH: openbox as the window manager, added to `pids`; waits until it manages the
# screen and exits with a failure when it does not.
start_openbox() {
    openbox --sm-disable >"$1/openbox.log" 2>&1 &
    pids+=($!)
    wm_ready() { xprop -root -notype _NET_SUPPORTED | grep -q _NET_ACTIVE_WINDOW; }
    wait_for 10 wm_ready || { cat "$1/openbox.log"; echo "FAIL: openbox did not start"; exit 1; }
}

# The built program, for scripts that keep its path in `voltrane` and the skins' folder in `skins`.

# install_program APP: a portable installation of the program and its skins in the folder APP.
install_program() {
    mkdir -p "$1"
    cp "$voltrane" "$1/voltrane"
    cp -r "$skins" "$1/skins"
}

# launch_program APP STATE LOG: the program installed in APP started on the virtual mouse whose state
# file is STATE, its output in LOG; `program` is its process (added to `pids`), `window` its main
# window once shown. Returns 1, showing LOG, when no window shows within 20 s.
launch_program() {
    VOLTRANE_DEVICE=virtual:$2 "$1/voltrane" >"$3" 2>&1 &
    program=$!
    pids+=("$program")
    window=$(timeout 20 xdotool search --sync --onlyvisible --class voltrane | head -n 1) ||
        { cat "$3"; return 1; }
}
program_gone() { ! kill -0 "$program" 2>/dev/null; }

# The program's windows, for scripts that keep the main window's id in `window`.

# click X Y [WINDOW]: a left click at a point of the main window (or of WINDOW), as the pointer makes it.
click() { xdotool mousemove --window "${3:-$window}" "$1" "$2" click 1; }
# dialog [EXCEPT]: the program's window shown over the main one (a menu or a dialog) other than
# EXCEPT, if any; await_dialog waits for one.
dialog() {
    xdotool search --onlyvisible --class voltrane | grep -vx -e "$window" -e "${1:-$window}" | tail -n 1
}
has_dialog() { [ -n "$(dialog "$@")" ]; }
no_dialog() { ! has_dialog; }
await_dialog() { wait_for 10 has_dialog "$@" && dialog "$@"; }

# position WINDOW: the screen position of WINDOW's top-left corner, as "X Y".
position() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^[XY]=//p' | paste -sd ' '; }

# choose_function ROW: in the open button-function menu, the ROWth item, by the arrow keys.
choose_function() {
    local row
    for row in $(seq "$1"); do xdotool key Down; done
    xdotool key Return
}

# pixel FILE X Y: the colour of a screenshot's pixel, as #RRGGBB.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }
# no_mask_colour FILE: no pixel of the screenshot is the masks' magenta.
no_mask_colour() {
    convert "$1" -alpha off -depth 8 rgb:- | python3 -c '
import sys
pixels = sys.stdin.buffer.read()
at = pixels.find(b"\xff\x00\xff")
while at % 3 and at >= 0:
    at = pixels.find(b"\xff\x00\xff", at + 1)
sys.exit(at >= 0)'
}
