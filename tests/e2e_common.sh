# Shared by the end-to-end window tests (sourced, not run).

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
