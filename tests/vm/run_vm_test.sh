#!/usr/bin/env bash
# The mouse through a real kernel: boots Debian's kernel under qemu (no KVM needed) with an initramfs
# built here from Debian's packages, in which tools/uhid_mouse creates the mouse through uhid and
# guest_init.sh drives voltranectl through hidapi's hidraw backend, udev and the udev rule; then
# tools/usb_mouse makes the mouse a USB device on vhci-hcd, bound by usbhid (guest_usb.sh). The guest
# reports each check on the serial console; any failed check, or a guest that does not report in
# time, fails the test. Skips (exit 77) only where qemu is not installed.
# usage: run_vm_test.sh SOURCE_DIR WORK_DIR VOLTRANECTL UHID_MOUSE VOLTRANE SKIN_DIR UDEV_RULE USB_MOUSE
set -euo pipefail

source_dir=$1
work=$2
voltranectl=$3
uhid_mouse=$4
voltrane=$5
skins=$6
udev_rule=$7  # the rule a package installs, generated at build time
usb_mouse=$8
cache=$work/cache  # downloaded packages, kept between runs
root=$work/root
command -v qemu-system-x86_64 >/dev/null || { echo "qemu-system-x86_64 is not installed: skipped"; exit 77; }

# The kernel the linux-image-amd64 package currently depends on, and its HID and USB modules, from the
# package unpacked into the cache (the rest of the package is not kept).
kernel_package=$(apt-cache depends linux-image-amd64 | awk '/Depends: linux-image-[0-9]/ {print $2; exit}')
[ -n "$kernel_package" ] || { echo "no kernel package behind linux-image-amd64" >&2; exit 1; }
version=${kernel_package#linux-image-}
kernel=$cache/$kernel_package
mkdir -p "$cache"
module_dirs=(drivers/hid drivers/usb/common drivers/usb/core drivers/usb/usbip)
if [ ! -d "$kernel/lib/modules/$version/kernel/drivers/usb/usbip" ]; then
    rm -rf "$kernel" "$kernel.tmp" "$kernel.unpacked"
    ls "$cache/${kernel_package}"_*.deb >/dev/null 2>&1 || (cd "$cache" && apt-get download "$kernel_package")
    dpkg-deb -x "$cache/${kernel_package}"_*.deb "$kernel.unpacked"
    mkdir -p "$kernel.tmp/boot"
    cp "$kernel.unpacked/boot/vmlinuz-$version" "$kernel.tmp/boot/"
    for dir in "${module_dirs[@]}"; do
        mkdir -p "$kernel.tmp/lib/modules/$version/kernel/$dir"
        cp -r "$kernel.unpacked/lib/modules/$version/kernel/$dir/." \
            "$kernel.tmp/lib/modules/$version/kernel/$dir/"
    done
    rm -rf "$kernel.unpacked" "$cache"/*.deb
    mv "$kernel.tmp" "$kernel"
fi
modules=$kernel/lib/modules/$version/kernel

# Copies a program and every shared library it needs, with the loader, into the guest.
copy_program() {  # copy_program HOST_PATH GUEST_PATH
    mkdir -p "$root/$(dirname "$2")"
    cp -L "$1" "$root/$2"
    local library
    for library in $(ldd "$1" | grep -o '/[^ ]*'); do
        [ -e "$root/$library" ] && continue
        mkdir -p "$root/$(dirname "$library")"
        cp -L "$library" "$root/$library"
    done
}

# A module's file, after the modules it depends on (from its own .modinfo).
module_order() {  # module_order NAME
    local file
    file=$(find "$modules" -name "$1.ko" -o -name "${1//_/-}.ko" | head -n 1)
    [ -n "$file" ] || { echo "module $1 not in $kernel_package" >&2; return 1; }
    local dependency
    for dependency in $(grep -a -o 'depends=[a-z0-9_,-]*' "$file" | head -n 1 | cut -d= -f2 | tr ',' ' '); do
        module_order "$dependency"
    done
    echo "$file"
}

rm -rf "$root"
# Laid out like Debian's merged /usr, so that programs find their libraries and plugins where the host
# has them.
mkdir -p "$root"/{bin,usr/bin,usr/sbin,usr/lib/modules,usr/lib64,etc/udev/rules.d,proc,sys,dev,run,tmp}
ln -s usr/lib "$root/lib"
ln -s usr/lib64 "$root/lib64"
cp /bin/busybox "$root/bin/busybox"
ln -s busybox "$root/bin/sh"
if ldd /bin/busybox >/dev/null 2>&1; then
    echo "/bin/busybox is not static (install busybox-static)" >&2
    exit 1
fi
copy_program "$voltranectl" /usr/bin/voltranectl
copy_program "$uhid_mouse" /usr/bin/uhid_mouse
copy_program "$usb_mouse" /usr/bin/usb_mouse
copy_program "$(command -v udevadm)" /usr/bin/udevadm
copy_program "$(command -v udevadm)" /usr/sbin/systemd-udevd
needed=$(for name in hid hid-generic uhid usbhid vhci-hcd; do module_order "$name"; done | awk '!seen[$0]++')
for file in $needed; do
    cp "$file" "$root/lib/modules/"
    echo "/lib/modules/$(basename "$file")"
done >"$root/etc/vm-modules"

# The window, with Qt's offscreen platform and jpeg reader, fontconfig and one font family.
copy_program "$voltrane" /opt/voltrane/voltrane
cp -r "$skins" "$root/opt/voltrane/skins"
qt_plugins=$(dirname "$(ldd "$voltrane" | grep -o '/[^ ]*libQt6Core\.so[^ ]*')")/qt6/plugins
for plugin in platforms/libqoffscreen.so imageformats/libqjpeg.so; do
    copy_program "$qt_plugins/$plugin" "$qt_plugins/$plugin"
done
mkdir -p "$root/usr/share/fonts/truetype"
cp -r /etc/fonts "$root/etc/fonts"
cp -r /usr/share/fonts/truetype/crosextra "$root/usr/share/fonts/truetype/"
cp "$source_dir/tests/vm/guest_window.sh" "$root/etc/vm-window.sh"
cp "$source_dir/tests/vm/guest_usb.sh" "$root/etc/vm-usb.sh"

cp "$source_dir/tests/vm/guest_init.sh" "$root/init"
chmod +x "$root/init"
cp "$udev_rule" "$root/etc/udev/rules.d/"
# The test's own grant of access: the same nodes to the group "mouse".
sed -n 's/TAG+="uaccess"/GROUP="mouse", MODE="0660"/p' "$udev_rule" >"$root/etc/vm-test-access.rules"
grep -q 'GROUP="mouse"' "$root/etc/vm-test-access.rules" || { echo "FAIL: the udev rule has no uaccess line"; exit 1; }
printf 'root:x:0:0:root:/root:/bin/sh\ntester:x:1000:1000:tester:/tmp:/bin/sh\n' >"$root/etc/passwd"
printf 'root:x:0:\ntester:x:1000:\nmouse:x:1001:tester\n' >"$root/etc/group"

# A profile unlike the mouse's factory state: 1000 Hz, the red LED, buttons 6 and 7 swapped.
"$voltranectl" --device "virtual:$work/factory.bin" --dir "$work" read --profile "$work/factory.ini" \
    >/dev/null
iconv -f UTF-16LE -t UTF-8 "$work/factory.ini" |
    sed -e 's/^500Hz=0x1/500Hz=0x0/' -e 's/^1000Hz=0x0/1000Hz=0x1/' -e 's/^RLED=0x0/RLED=0x1/' \
        -e 's/^Button6=0x18/Button6=0x19/' -e 's/^Button7=0x19/Button7=0x18/' |
    iconv -f UTF-8 -t UTF-16LE >"$root/etc/vm-profile.ini"
rm -f "$work/factory.bin"

(cd "$root" && find . | cpio -o -H newc --quiet) | gzip -1 >"$work/initramfs.gz"
rm -rf "$root"

# One boot runs every check. TCG on a busy machine boots in 10-60 s, the checks take about three
# minutes; every wait in the guest is bounded, so a guest that has not powered off after 10 minutes is
# stuck.
log=$work/serial.log
status=0
timeout 600 qemu-system-x86_64 -accel tcg -m 1536 -smp 1 -no-reboot -nographic -nodefaults \
    -serial "file:$log" -kernel "$kernel/boot/vmlinuz-$version" -initrd "$work/initramfs.gz" \
    -append "console=ttyS0 panic=-1 quiet" </dev/null || status=$?
grep -a '^CHECK' "$log" || true
fail() {
    tail -n 40 "$log"
    echo "$1" >&2
    exit 1
}
[ "$status" -eq 0 ] || fail "qemu ended with $status (124: the guest did not finish in time)"
done_line=$(grep -a '^VM-DONE' "$log" | tr -d '\r') || fail "the guest did not report"
echo "$done_line"
[[ $done_line == *" failed=0" ]] && ! grep -aq '^CHECK FAIL' "$log"
