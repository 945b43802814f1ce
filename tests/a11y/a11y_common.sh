# Shared by the accessibility end-to-end tests (sourced, not run, after `set -euo pipefail`, with
# `here` the folder of this file): the tools they need (exit 77 when one is missing); a private
# session for the whole test in a scratch folder of its own (home, configuration and runtime folder)
# with a private session bus: the script runs itself again under dbus-run-session, so that the bus and
# the accessibility bus it starts on demand keep their sockets in the test's runtime folder, never in
# the user's; an X server with openbox; and the helpers of e2e_common.sh that find the program's
# windows. Sets `python` (the one with pyatspi), `scratch`, `pids` and `failures`.

# shellcheck source=tests/e2e_common.sh
source "$here/../e2e_common.sh"
need_tools Xvfb xauth xdotool openbox xdpyinfo xprop dbus-run-session
# pyatspi comes with the system's Python, which a user's own Python on the PATH may hide.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: pyatspi is not installed"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }

# The session's scratch folder, made (and removed at the end) before the bus starts.
if [ -z "${VOLTRANE_TEST_SESSION:-}" ]; then
    use_scratch
    private_session "$scratch"
    export VOLTRANE_TEST_SESSION=$scratch
    dbus-run-session -- bash "$0" "$@" || exit
    exit 0
fi
scratch=$VOLTRANE_TEST_SESSION
pids=()
trap 'stop_pids "${pids[@]}"' EXIT
start_xvfb "$scratch"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_openbox "$scratch"

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
