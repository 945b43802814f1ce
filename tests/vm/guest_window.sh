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

start_mouse
mkdir -p /tmp/home
HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/home QT_QPA_PLATFORM=offscreen /opt/voltrane/voltrane \
    >/tmp/window.log 2>&1 &
window_pid=$!
i=0
while kill -0 "$window_pid" 2>/dev/null && ! listens_to_devices "$window_pid" && [ $i -lt 900 ]; do
    sleep 0.1
    i=$((i + 1))
done
if listens_to_devices "$window_pid"; then
    ok "the window starts and watches for devices"
else
    bad "the window starts and watches for devices" "$(tail -c 600 /tmp/window.log)"
fi
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
if ends_within "$window_pid" 600; then
    wait "$window_pid"
    check "the window ends when the mouse goes" [ $? = 0 ]
else
    bad "the window ends when the mouse goes" "still running 60 s later: $(tail -c 300 /tmp/window.log)"
    kill -9 "$window_pid"
fi
