#!/usr/bin/env bash
# A window started minimised still reads the mouse: the built program starts with --minimised under its
# own X server with openbox, which keeps the window iconic and so never has it painted, on a mouse that
# is not plugged in. The start-up read must run all the same, and say so with its message box.
# usage: e2e_minimised.sh VOLTRANE SKIN_DIR
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
# shellcheck source=tests/e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh"
voltrane=$1 skins=$2

need_tools Xvfb xauth xdotool xdpyinfo xprop openbox
use_scratch
start_xvfb "$scratch"
private_session "$scratch"
start_openbox "$scratch"

app=$scratch/app
install_program "$app"
"$app/voltrane" --minimised --device hid:no-such-mouse >"$scratch/voltrane.log" 2>&1 &
pids+=($!)
# Mapped or not, the main window is the one with its title.
window=$(timeout 20 xdotool search --sync --name '^Tarnhollow GamingMouse Driver Setting$') ||
    { cat "$scratch/voltrane.log"; echo "FAIL: the window did not appear"; exit 1; }
window=${window%%$'\n'*}

iconic() { xprop -id "$window" WM_STATE | grep -q 'window state: Iconic'; }
wait_for 10 iconic || fail "the window did not start minimised"
missing_mouse_box() { xdotool search --onlyvisible --name '^Fail$'; }
wait_for 10 missing_mouse_box || fail "the minimised window never read the mouse: no message that it is missing"
iconic || fail "the window did not stay minimised while it read the mouse"

[ "$failures" -eq 0 ] || exit 1
echo "the minimised window read the mouse"
