# Sourced by the guest's init: the mouse as a USB device. tools/usb_mouse serves it over USB/IP to
# vhci-hcd, usbhid binds its two interfaces (the pointer on interface 0, both vendor collections on
# interface 1), and every check runs through them: the nodes and the udev rule, byte-exact transfers,
# faults, two identical mice told apart by serial number, and a replug.

# usb_nodes SERIAL: the hidraw nodes of the USB mouse with that serial number, one a line.
usb_nodes() {
    for dir in /sys/class/hidraw/hidraw*; do
        grep -qx "HID_UNIQ=$1" "$dir/device/uevent" 2>/dev/null && [ -e "/dev/${dir##*/}" ] &&
            echo "/dev/${dir##*/}"
    done
}
# wait_usb_nodes SERIAL COUNT: waits up to 30 s until the mouse with SERIAL shows COUNT nodes.
wait_usb_nodes() {
    i=0
    while [ "$(usb_nodes "$1" | wc -l)" != "$2" ] && [ $i -lt 150 ]; do sleep 0.2; i=$((i + 1)); done
    udevadm settle --timeout=30
    [ "$(usb_nodes "$1" | wc -l)" = "$2" ]
}
# The USB interface number a hidraw node ($1) hangs under.
interface_of() {
    usb_interface=$(basename "$(dirname "$(readlink -f "/sys/class/hidraw/${1##*/}/device")")")
    echo "${usb_interface##*.}"
}
# start_usb VAR SERIAL NODES [usb_mouse options]: a USB mouse, its process id in $VAR, waited for until
# it shows NODES nodes.
start_usb() {
    var=$1 serial=$2 count=$3
    shift 3
    rm -f "/tmp/usb-$serial.bin"
    /usr/bin/usb_mouse --serial "$serial" --state "/tmp/usb-$serial.bin" "$@" &
    eval "$var=$!"
    wait_usb_nodes "$serial" "$count" || bad "USB mouse $serial appears ($*)" "$(usb_nodes "$serial")"
}
# stop_usb VAR SERIAL: unplugs the USB mouse and waits until its nodes are gone.
stop_usb() {
    eval "pid=\$$1"
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    eval "$1="
    wait_usb_nodes "$2" 0 || bad "USB mouse $2 goes away" "nodes stayed: $(usb_nodes "$2")"
}
ctl_on() {  # ctl_on DEVICE ARGS...: voltranectl on the mouse --device DEVICE chooses
    choice=$1
    shift
    timeout 120 /usr/bin/voltranectl --device "$choice" --dir /tmp/ctl "$@"
}
usb_same_reports() {  # usb_same_reports SERIAL: the mouse holds the reports encode built
    same_bytes "/tmp/usb-$1.bin" 0 8 /tmp/settings.bin && same_bytes "/tmp/usb-$1.bin" 8 2049 /tmp/buttons.bin
}
# replug_seen FILE NODE: watch's four lines in FILE are the two nodes gone, NODE among them, and two
# arrived, starting with one gone.
replug_seen() {
    [ "$(grep -c '^gone ' "$1")" = 2 ] && [ "$(grep -c '^arrived ' "$1")" = 2 ] &&
        head -n 1 "$1" | grep -q '^gone ' && grep -qx "gone $2" "$1"
}
exits_with() {  # exits_with CODE COMMAND...: the command ends with CODE
    code=$1
    shift
    "$@" >/dev/null 2>&1
    [ $? = "$code" ]
}
# node_entry NODE FILE: the lines `devices` printed in FILE for NODE, its collections with it.
node_entry() { sed -n "\#^$1 #,/^\//p" "$2"; }
vendor_marked() {  # vendor_marked NODE FILE: both collections are marked on NODE
    node_entry "$1" "$2" | grep -q 'feature=8 *<- settings collection' &&
        node_entry "$1" "$2" | grep -q 'feature=2049 *<- button collection'
}
pointer_unmarked() {  # pointer_unmarked NODE FILE: NODE is the pointer collection, nothing marked
    node_entry "$1" "$2" | grep -q 'usage_page=0x0001 usage=0x0002' && ! node_entry "$1" "$2" | grep -q '<-'
}
# reads_back DEVICE SETTINGS BUTTONS: the profile read from the mouse DEVICE chooses encodes to the two
# report files.
reads_back() {
    ctl_on "$1" read --profile /tmp/back.ini >/dev/null &&
        /usr/bin/voltranectl encode /tmp/back.ini --settings /tmp/back-s.bin --buttons /tmp/back-b.bin &&
        cmp /tmp/back-s.bin "$2" && cmp /tmp/back-b.bin "$3"
}

if [ ! -e /sys/devices/platform/vhci_hcd.0/attach ]; then
    bad "vhci-hcd is loaded" "no /sys/devices/platform/vhci_hcd.0/attach"
else
    # One USB mouse on two interfaces, beside an unrelated pointer.
    /usr/bin/uhid_mouse --unrelated &
    other_pid=$!
    other=$(hid_node $unrelated)
    start_usb first VT0001 2
    nodes=$(usb_nodes VT0001)
    pointer_node= vendor_node=
    for n in $nodes; do
        [ "$(interface_of "$n")" = 0 ] && pointer_node=$n
        [ "$(interface_of "$n")" = 1 ] && vendor_node=$n
    done
    check "usb: the mouse shows a node on interface 0 and one on interface 1" \
        [ -n "$pointer_node" -a -n "$vendor_node" ]
    check "usb: the nodes hang under the USB device" sh -c \
        "udevadm info --query=path --name=$vendor_node | grep -q '/usb[0-9]*/'"
    ctl devices >/tmp/usb-devices.out 2>&1
    check "usb: devices lists both nodes with the serial number" sh -c \
        "grep -q '^$pointer_node 1B80:B412 serial=VT0001' /tmp/usb-devices.out && \
         grep -q '^$vendor_node 1B80:B412 serial=VT0001' /tmp/usb-devices.out"
    check "usb: devices marks both collections on the vendor interface's node" \
        vendor_marked "$vendor_node" /tmp/usb-devices.out
    check "usb: the pointer interface's node is the boot mouse, unmarked" \
        pointer_unmarked "$pointer_node" /tmp/usb-devices.out
    check "usb: the pointer interface's node is tagged uaccess" tagged "$pointer_node"
    check "usb: the vendor interface's node is tagged uaccess" tagged "$vendor_node"
    check "usb: no other node is tagged" sh -c "for n in /dev/hidraw*; do \
        [ \$n = $pointer_node ] || [ \$n = $vendor_node ] && continue; \
        udevadm info --query=property --name=\$n | grep -q '^TAGS=.*:uaccess:' && exit 1; done; exit 0"
    check "usb: the unrelated pointer's node is there, untagged" sh -c "[ -c $other ] && \
        ! udevadm info --query=property --name=$other | grep -q '^TAGS=.*:uaccess:'"
    kill "$other_pid"
    wait "$other_pid"

    # Byte-exact transfers through usbhid's control transfers.
    check "usb: apply" ctl apply $profile
    check "usb: the mouse holds the reports encode builds" usb_same_reports VT0001
    check "usb: verify agrees" ctl verify $profile
    check "usb: the profile read back encodes to the same reports" \
        reads_back hid /tmp/settings.bin /tmp/buttons.bin

    # Replug: a USB disconnect and a new attach of the same device, seen by watch both ways.
    timeout 60 /usr/bin/voltranectl watch --count 4 >/tmp/usb-watch.out 2>/tmp/usb-watch.err &
    watch_pid=$!
    i=0
    while ! grep -q watching /tmp/usb-watch.err && [ $i -lt 100 ]; do sleep 0.2; i=$((i + 1)); done
    kill -USR1 "$first"
    wait "$watch_pid"
    check "usb: watch ends after the replug's four lines" [ $? = 0 ]
    check "usb: watch sees both nodes go, then come back" replug_seen /tmp/usb-watch.out "$vendor_node"
    wait_usb_nodes VT0001 2
    check "usb: after the replug the mouse reads and holds what was applied" ctl verify $profile

    # The one-interface layout: every collection on one node.
    stop_usb first VT0001
    start_usb first VT0001 1 --one-interface
    ctl devices >/tmp/usb-one.out 2>&1
    check "usb: one interface: one node with the pointer and both collections" sh -c \
        "grep -q 'usage_page=0x0001 usage=0x0002' /tmp/usb-one.out && \
         grep -q 'feature=8 *<- settings collection' /tmp/usb-one.out && \
         grep -q 'feature=2049 *<- button collection' /tmp/usb-one.out"
    check "usb: one interface: apply" ctl apply $profile
    check "usb: one interface: the mouse holds the reports encode builds" usb_same_reports VT0001
    stop_usb first VT0001

    # Faults, each with its message and exit code, none hanging.
    start_usb first VT0001 2 --refuse-sets 1000
    expect_exit "usb: a refused set" 4 "the mouse refused the settings report five times" ctl apply $profile
    stop_usb first VT0001
    start_usb first VT0001 2 --short-replies
    expect_exit "usb: a short reply to read" 5 "the settings report could not be read" ctl read
    expect_exit "usb: a short reply to apply's read-back" 5 "the settings report could not be read back" \
        ctl apply $profile
    stop_usb first VT0001
    start_usb first VT0001 2 --no-answer
    expect_exit "usb: no answer, usbhid's time-out" 4 "the mouse refused the settings report five times" \
        ctl apply $profile
    stop_usb first VT0001
    start_usb first VT0001 2 --vanish-after 2
    expect_exit "usb: the mouse disconnected mid-apply" 7 \
        "settings written; the mouse refused the button report five times" ctl apply $profile
    wait "$first" 2>/dev/null
    first=
    wait_usb_nodes VT0001 0 || bad "usb: the vanished mouse goes away" "$(usb_nodes VT0001)"

    # Two identical mice, told apart by serial number.
    start_usb first VT0001 2
    start_usb second VT0002 2
    second_vendor=
    for n in $(usb_nodes VT0002); do [ "$(interface_of "$n")" = 1 ] && second_vendor=$n; done
    first_pointer=
    for n in $(usb_nodes VT0001); do [ "$(interface_of "$n")" = 0 ] && first_pointer=$n; done
    ctl devices >/tmp/usb-two.out 2>&1
    check "usb: devices lists both mice, two nodes each" sh -c \
        "[ \$(grep -c ' 1B80:B412 serial=VT0001' /tmp/usb-two.out) = 2 ] && \
         [ \$(grep -c ' 1B80:B412 serial=VT0002' /tmp/usb-two.out) = 2 ]"
    expect_exit "usb: without a choice the tool refuses and lists the mice" 12 "2 mice are plugged in" \
        ctl read
    check "usb: the refusal lists both serial numbers" sh -c \
        "grep -q 'serial VT0001:' /tmp/expect.err && grep -q 'serial VT0002:' /tmp/expect.err"
    check "usb: apply to the mouse chosen by serial" ctl_on hid:VT0002 apply $profile
    check "usb: the chosen mouse holds the reports" usb_same_reports VT0002
    check "usb: the other mouse took no report" [ ! -e /tmp/usb-VT0001.bin ]
    check "usb: the other mouse still holds its factory reports" \
        reads_back hid:VT0001 /tmp/s0.bin /tmp/b0.bin
    check "usb: a node path chooses its mouse" ctl_on "$second_vendor" verify $profile
    check "usb: the other mouse's pointer node chooses the other mouse, which differs" \
        exits_with 10 ctl_on "$first_pointer" verify $profile

    # The window on the mouse --device chooses: the other mouse going leaves it open, its own ends it.
    start_window "usb: the window starts on the chosen mouse" /tmp/usb-window.log --device hid:VT0002
    stop_usb first VT0001
    sleep 2  # time for the window to act on the removal, were it to
    check "usb: the other mouse going leaves the window open" kill -0 "$window_pid"
    stop_usb second VT0002
    window_ended "usb: the window ends when its own mouse goes" /tmp/usb-window.log
fi
