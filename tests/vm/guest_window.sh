# Sourced by the guest's init when the window is in the guest: the window on Qt's offscreen platform,
# started with the mouse present, ends when the mouse goes and not when an unrelated HID device does.

# Whether process $1 listens to the kernel's device notices (a NETLINK_KOBJECT_UEVENT socket).
listens_to_devices() {
    for fd in /proc/"$1"/fd/*; do
        inode=$(readlink "$fd" 2>/dev/null | sed -n 's/^socket:\[\([0-9]*\)\]$/\1/p')
        [ -n "$inode" ] && awk -v inode="$inode" 'NR > 1 && $2 == 15 && $NF == inode {found = 1}
            END {exit !found}' /proc/net/netlink && return 0
    done
    return 1
}
# Waits up to $2 tenths of a second for process $1 to end.
ends_within() {
    i=0
    while kill -0 "$1" 2>/dev/null && [ $i -lt "$2" ]; do sleep 0.1; i=$((i + 1)); done
    ! kill -0 "$1" 2>/dev/null
}

# start_window NAME LOG [ARGS]: starts the window with ARGS, its output in LOG and its process id in
# $window_pid, and checks (as NAME) that it comes to watch for devices within 90 s.
start_window() {
    name=$1 log=$2
    shift 2
    mkdir -p /tmp/home
    HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/home QT_QPA_PLATFORM=offscreen /opt/voltrane/voltrane "$@" \
        >"$log" 2>&1 &
    window_pid=$!
    i=0
    while kill -0 "$window_pid" 2>/dev/null && ! listens_to_devices "$window_pid" && [ $i -lt 900 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    if listens_to_devices "$window_pid"; then ok "$name"; else bad "$name" "$(tail -c 600 "$log")"; fi
}
# window_ended NAME LOG: checks (as NAME) that the window ends within 60 s, successfully.
window_ended() {
    if ends_within "$window_pid" 600; then
        wait "$window_pid"
        check "$1" [ $? = 0 ]
    else
        bad "$1" "still running 60 s later: $(tail -c 300 "$2")"
        kill -9 "$window_pid"
    fi
}

start_mouse
start_window "the window starts and watches for devices" /tmp/window.log
/usr/bin/uhid_mouse --unrelated &
other_pid=$!
hid_node $unrelated >/dev/null
udevadm settle --timeout=30
kill "$other_pid"
wait "$other_pid"
hid_gone $unrelated
udevadm settle --timeout=30
sleep 2  # time for the window to act on the removal, were it to
check "an unrelated device coming and going leaves the window open" kill -0 "$window_pid"
stop_mouse
window_ended "the window ends when the mouse goes" /tmp/window.log
