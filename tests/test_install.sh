#!/usr/bin/env bash
# The Debian package installed the way a user installs it: `apt-get install ./voltrane_*.deb` into a
# fresh Debian 12 root made with debootstrap, so that the declared dependencies must pull in all the
# programs need. Then the installed voltranectl reads and encodes on the virtual mouse, and the
# installed voltrane starts on Qt's offscreen platform and draws its first frame.
# usage: test_install.sh CPACK BUILD_DIR
# The minimal root and the downloaded packages are kept in BUILD_DIR/install-root so that later runs
# only copy them; each run installs into a fresh copy.
set -euo pipefail
cpack=$1 build=$2

for tool in debootstrap dpkg-deb chroot; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ "$(id -u)" -eq 0 ] || { echo "SKIP: debootstrap and chroot need root"; exit 77; }

# The Debian mirror apt is configured with (the only one the network may reach).
mirror() {
    local uri
    uri=$(grep -hs -E '^(deb |URIs:)' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources | grep -v security |
        grep -o -E 'https?://[^ ]+' | head -n 1 || true)
    echo "${uri:-http://deb.debian.org/debian}"
}

cache=$build/install-root
pristine=$cache/bookworm
archives=$cache/archives
scratch=$(mktemp -d "$cache.XXXXXX")
root=$scratch/root
mounted=()
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
    rm -rf --one-file-system "$scratch"
}
trap cleanup EXIT

if [ ! -f "$pristine/.complete" ]; then
    rm -rf --one-file-system "$pristine"
    mkdir -p "$cache"
    echo "debootstrap bookworm from $(mirror)"
    debootstrap --variant=minbase bookworm "$pristine" "$(mirror)" >"$cache/debootstrap.log" 2>&1 ||
        { tail -n 30 "$cache/debootstrap.log"; echo "FAIL: debootstrap"; exit 1; }
    touch "$pristine/.complete"
fi
cp -a "$pristine" "$root"
mkdir -p "$archives/partial"

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; echo "FAIL: cpack could not build the package"; exit 1; }
deb=$(basename "$(echo "$scratch"/out/*.deb)")
cp "$scratch/out/$deb" "$root/tmp/"

bind() {  # bind SOURCE TARGET
    mount --bind "$1" "$2"
    mounted+=("$2")
}
mount -t proc proc "$root/proc"
mounted+=("$root/proc")
bind /dev "$root/dev"
bind "$archives" "$root/var/cache/apt/archives"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

if ! in_root sh -c "apt-get update -q && DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends ./tmp/$deb" >"$scratch/apt.log" 2>&1; then
    tail -n 40 "$scratch/apt.log"
    echo "FAIL: apt-get install ./$deb"
    exit 1
fi
echo "installed $deb and its dependencies into a fresh bookworm root"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# voltranectl, installed: the virtual mouse read into a profile, the profile encoded into reports.
ctl() { in_root voltranectl --device virtual:/tmp/m.bin "$@"; }
ctl read --profile /tmp/mine.ini >/dev/null || fail "voltranectl read failed"
grep -q . "$root/tmp/mine.ini" || fail "voltranectl read wrote an empty profile"
ctl encode /tmp/mine.ini --settings /tmp/settings.bin --buttons /tmp/buttons.bin ||
    fail "voltranectl encode failed"
[ "$(stat -c %s "$root/tmp/settings.bin" 2>/dev/null)" = 8 ] || fail "the settings report is not 8 bytes"
[ "$(stat -c %s "$root/tmp/buttons.bin" 2>/dev/null)" = 2049 ] || fail "the button report is not 2049 bytes"

# voltrane, installed: it finds its skins, fonts and platform plugin, draws its first frame and ends.
frame=$(in_root env QT_QPA_PLATFORM=offscreen VOLTRANE_DEVICE=virtual:/tmp/m.bin \
    VOLTRANE_FIRST_FRAME_PROBE=1 timeout 60 voltrane 2>"$scratch/voltrane.err") ||
    { cat "$scratch/voltrane.err"; fail "voltrane did not start (status $?)"; }
[[ "$frame" == first-frame-ms=* ]] || fail "voltrane drew no first frame: $frame"

# What a desktop session loads at run time, beyond the offscreen platform built into Qt's GUI
# library: the X11 platform plugin with every library it links, and the fonts.
plugins=$root/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms
for plugin in libqxcb.so; do
    [ -f "$plugins/$plugin" ] || { fail "the platform plugin $plugin is not installed"; continue; }
    if in_root ldd "/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/$plugin" | grep 'not found'; then
        fail "a library of $plugin is missing"
    fi
done
for font in Carlito-Regular.ttf NotoSansCJK-Regular.ttc; do
    [ -n "$(find "$root/usr/share/fonts" -name "$font" -print -quit)" ] || fail "the font $font is not installed"
done

[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
echo "the installed voltranectl works and voltrane drew its first frame: $frame"
