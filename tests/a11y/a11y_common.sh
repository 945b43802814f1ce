# Shared by the accessibility end-to-end tests (sourced, not run, after `set -euo pipefail`, with
# `here` the folder of this file): the tools they need (exit 77 when one is missing), a private
# session bus for the whole test (the script runs itself again under dbus-run-session; the
# accessibility bus starts on it on demand), an X server with openbox and a scratch home, and the
# helpers that find the program's windows. Sets `python` (the one with pyatspi), `scratch`, `pids`,
# `failures` and `fail`.

for tool in Xvfb xauth xdotool openbox xdpyinfo xprop dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# pyatspi comes with the system's Python, which a user's own Python on the PATH may hide.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: pyatspi is not installed"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }

if [ -z "${VOLTRANE_PRIVATE_BUS:-}" ]; then
    export VOLTRANE_PRIVATE_BUS=1
    unset DBUS_SESSION_BUS_ADDRESS
    exec dbus-run-session -- bash "$0" "$@"
fi
# shellcheck source=tests/e2e_common.sh
source "$here/../e2e_common.sh"

scratch=$(mktemp -d)
pids=()
cleanup() {
    stop_pids "${pids[@]}"
    rm -rf "$scratch"
}
trap cleanup EXIT
start_xvfb "$scratch"
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local/share
export XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset XDG_CURRENT_DESKTOP WAYLAND_DISPLAY
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
pids+=($!)
wm_ready() { xprop -root -notype _NET_SUPPORTED | grep -q _NET_ACTIVE_WINDOW; }
wait_for 10 wm_ready || { cat "$scratch/openbox.log"; echo "FAIL: openbox did not start"; exit 1; }

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# dialog [EXCEPT]: the program's window shown over the main one ($window: a menu or a dialog) other
# than EXCEPT, if any; await_dialog waits for one.
dialog() { xdotool search --onlyvisible --class voltrane | grep -vx -e "$window" -e "${1:-$window}" | tail -n 1; }
has_dialog() { [ -n "$(dialog "$@")" ]; }
no_dialog() { [ -z "$(dialog)" ]; }
await_dialog() { wait_for 10 has_dialog "$@" && dialog "$@"; }

# The focused control of the program as "role<TAB>name"; press_until NAME KEY TIMES: KEY pressed
# until the control named NAME has the focus, at most TIMES (fails otherwise).
focus() { "$python" "$here/accessible_focus.py"; }
press_until() {
    for _ in $(seq "$3"); do
        [ "$(focus | cut -f2)" = "$1" ] && return 0
        xdotool key "$2"
        sleep 0.05
    done
    [ "$(focus | cut -f2)" = "$1" ] && return 0
    fail "$2 never reached $1 (the focus is on: $(focus))"
    return 1
}
