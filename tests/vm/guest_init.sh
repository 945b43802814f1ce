#!/bin/sh
# The guest's init: brings up the kernel's HID drivers and udev, runs every check against the uhid mouse
# and writes one line per check to the serial console ("CHECK ok NAME" or "CHECK FAIL NAME: why"),
# then "VM-DONE passed=N failed=M", and powers the machine off.
/bin/busybox --install -s /bin
export PATH=/bin:/usr/bin:/usr/sbin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mount -t tmpfs tmpfs /run
mount -t tmpfs tmpfs /tmp
for module in $(cat /etc/vm-modules); do insmod "$module" || echo "insmod $module failed"; done

passed=0
failed=0
ok() { echo "CHECK ok $1"; passed=$((passed + 1)); }
bad() { echo "CHECK FAIL $1: $2"; failed=$((failed + 1)); }
# check NAME COMMAND...: the command's success is the check's
check() {
    name=$1
    shift
    if "$@" >/tmp/check.out 2>&1; then ok "$name"; else bad "$name" "$(head -c 600 /tmp/check.out)"; fi
}
profile=/etc/vm-profile.ini  # unlike the mouse's factory state
ctl() { timeout 120 /usr/bin/voltranectl --device hid --dir /tmp/ctl "$@"; }

mouse=1B80:B412
unrelated=1234:5678
# Waits up to 30 s for the hidraw node of the USB HID device VENDOR:PRODUCT ($1) and prints it.
hid_node() {
    i=0
    while [ $i -lt 150 ]; do
        for dir in /sys/bus/hid/devices/0003:$1.*/hidraw/hidraw*; do
            [ -e "/dev/${dir##*/}" ] && { echo "/dev/${dir##*/}"; return 0; }
        done
        sleep 0.2
        i=$((i + 1))
    done
    return 1
}
# Waits up to 30 s until the USB HID device VENDOR:PRODUCT ($1) is gone.
hid_gone() {
    i=0
    while [ $i -lt 150 ]; do
        ls -d /sys/bus/hid/devices/0003:$1.* >/dev/null 2>&1 || return 0
        sleep 0.2
        i=$((i + 1))
    done
    return 1
}
# start_mouse [uhid_mouse options]: a fresh mouse (the one before goes away first); $node is its node.
start_mouse() {
    stop_mouse
    rm -f /tmp/state.bin
    /usr/bin/uhid_mouse --state /tmp/state.bin "$@" &
    mouse_pid=$!
    node=$(hid_node $mouse) || { bad "mouse appears ($*)" "no hidraw node"; return 1; }
    udevadm settle --timeout=30
}
stop_mouse() {
    [ -n "${mouse_pid:-}" ] || return 0
    kill "$mouse_pid" 2>/dev/null
    wait "$mouse_pid" 2>/dev/null
    mouse_pid=
    hid_gone $mouse || bad "mouse goes away" "its HID device stayed"
}
# expect_exit NAME CODE TEXT COMMAND...: the command ends with CODE and says TEXT on stderr
expect_exit() {
    name=$1 code=$2 text=$3
    shift 3
    "$@" >/tmp/expect.out 2>/tmp/expect.err
    got=$?
    if [ "$got" = "$code" ] && grep -qF -- "$text" /tmp/expect.err; then
        ok "$name"
    else
        bad "$name" "exit $got, expected $code with '$text'; stderr: $(head -c 400 /tmp/expect.err)"
    fi
}
tagged() { udevadm info --query=property --name="$1" | grep -q '^TAGS=.*:uaccess:'; }
not_tagged() { ! tagged "$1"; }
as_user() { su -s /bin/sh tester -c "$*"; }
same_bytes() {  # same_bytes FILE OFFSET LENGTH EXPECTED_FILE
    dd if="$1" bs=1 skip="$2" count="$3" 2>/dev/null | cmp - "$4"
}

mkdir -p /tmp/ctl /run/udev
chmod 1777 /tmp
systemd-udevd --daemon
udevadm trigger --action=add
udevadm settle --timeout=30

# The mouse as the kernel shows it, and the udev rule.
start_mouse
/usr/bin/uhid_mouse --unrelated &
other_pid=$!
other=$(hid_node $unrelated)
udevadm settle --timeout=30
ctl devices >/tmp/devices.out 2>&1
check "devices lists the node" grep -q "^$node 1B80:B412" /tmp/devices.out
check "devices marks the settings collection" grep -q "feature=8 *<- settings collection" /tmp/devices.out
check "devices marks the button collection" grep -q "feature=2049 *<- button collection" /tmp/devices.out
check "the mouse's node is tagged uaccess" tagged "$node"
check "an unrelated pointer has its node" [ -c "$other" ]
check "an unrelated pointer's node is not tagged" not_tagged "$other"
check "no other node is tagged" sh -c "for n in /dev/hidraw*; do [ \$n = $node ] && continue; \
    udevadm info --query=property --name=\$n | grep -q '^TAGS=.*:uaccess:' && exit 1; done; exit 0"

# A user without access to the node, then with a group that has it.
expect_exit "a user without access is refused" 9 "70-voltrane.rules" \
    su -s /bin/sh tester -c "/usr/bin/voltranectl --device hid --dir /tmp/tester read"
cp /etc/vm-test-access.rules /etc/udev/rules.d/90-test-access.rules
udevadm control --reload
udevadm trigger --action=change --subsystem-match=hidraw
udevadm settle --timeout=30
check "a user with access reads" as_user /usr/bin/voltranectl --device hid --dir /tmp/tester read
check "a user with access applies" as_user /usr/bin/voltranectl --device hid --dir /tmp/tester \
    apply $profile
rm /etc/udev/rules.d/90-test-access.rules
udevadm control --reload

# Byte-exact transfers.
/usr/bin/voltranectl encode $profile --settings /tmp/settings.bin --buttons /tmp/buttons.bin
start_mouse
ctl read --profile /tmp/before.ini >/dev/null 2>&1
check "the fresh mouse holds other reports than the profile's" sh -c "/usr/bin/voltranectl encode \
    /tmp/before.ini --settings /tmp/s0.bin --buttons /tmp/b0.bin && \
    ! cmp -s /tmp/s0.bin /tmp/settings.bin && ! cmp -s /tmp/b0.bin /tmp/buttons.bin"
check "apply" ctl apply $profile
check "the mouse holds the settings report encode builds" same_bytes /tmp/state.bin 0 8 /tmp/settings.bin
check "the mouse holds the button report encode builds" same_bytes /tmp/state.bin 8 2049 /tmp/buttons.bin
check "verify agrees" ctl verify $profile
check "read" ctl read --profile /tmp/read.ini
check "the profile read back applies the same reports" sh -c "/usr/bin/voltranectl encode /tmp/read.ini \
    --settings /tmp/s2.bin --buttons /tmp/b2.bin && cmp /tmp/s2.bin /tmp/settings.bin && \
    cmp /tmp/b2.bin /tmp/buttons.bin"

# Faults, each with its message and exit code, none hanging.
start_mouse --refuse-sets 1000
expect_exit "a refused set" 4 "the mouse refused the settings report five times" ctl apply $profile
start_mouse --short-replies
expect_exit "a short reply to read" 5 "the settings report could not be read" ctl read
expect_exit "a short reply to apply's read-back" 5 "the settings report could not be read back" \
    ctl apply $profile
start_mouse --no-answer
expect_exit "no answer" 4 "the mouse refused the settings report five times" ctl apply $profile
start_mouse --vanish-after 2
expect_exit "the mouse gone mid-apply" 7 "settings written; the mouse refused the button report five times" \
    ctl apply $profile
stop_mouse

# Hot-plug: watch sees the mouse come and go, and nothing of the unrelated pointer.
timeout 60 /usr/bin/voltranectl watch --count 2 >/tmp/watch.out 2>/tmp/watch.err &
watch_pid=$!
i=0
while ! grep -q watching /tmp/watch.err && [ $i -lt 100 ]; do sleep 0.2; i=$((i + 1)); done
kill "$other_pid"
wait "$other_pid"
hid_gone $unrelated
start_mouse
stop_mouse
wait "$watch_pid"
check "watch ends after its two lines" [ $? = 0 ]
printf 'arrived %s\ngone %s\n' "$node" "$node" >/tmp/watch.expected
check "watch sees the mouse come and go" cmp /tmp/watch.out /tmp/watch.expected

[ -f /etc/vm-window.sh ] && . /etc/vm-window.sh
[ -f /etc/vm-usb.sh ] && . /etc/vm-usb.sh

echo "VM-DONE passed=$passed failed=$failed"
poweroff -f
