#!/usr/bin/env bash
# The Debian package in a scratch root: built with cpack, unpacked with dpkg-deb, then checked as a
# Debian system would meet it: its files in the standard places, its dependencies known to apt, its
# desktop file and metainfo valid, lintian without errors or warnings, the binaries hardened and
# stripped, and the unpacked voltranectl working in the user's data folder.
# usage: test_package.sh CPACK BUILD_DIR APP_ID SKIN_DIR
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
cpack=$1 build=$2 id=$3 skins=$4

for tool in dpkg-deb desktop-file-validate appstreamcli lintian readelf; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
deb=$(echo "$scratch"/out/*.deb)
root=$scratch/root
dpkg-deb -x "$deb" "$root"

# Every file where a Debian system looks for it, and nothing outside /usr.
icons=()
for size in 16 24 32 48 64 128 256; do icons+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png"); done
for file in usr/bin/voltrane usr/bin/voltranectl usr/lib/udev/rules.d/70-voltrane.rules \
    "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
    "usr/share/icons/hicolor/scalable/apps/$id.svg" "${icons[@]}" \
    usr/share/man/man1/voltrane.1.gz usr/share/man/man1/voltranectl.1.gz \
    usr/share/bash-completion/completions/voltranectl \
    usr/share/doc/voltrane/copyright usr/share/doc/voltrane/changelog.gz; do
    [ -f "$root/$file" ] || fail "/$file is missing"
done
for program in voltrane voltranectl; do
    [ -x "$root/usr/bin/$program" ] || fail "/usr/bin/$program is not executable"
done
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v -e '^\./usr/' -e '^\./$' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
diff <(ls "$skins") <(ls "$root/usr/share/voltrane/skins") || fail "the installed skins are not the built ones"
grep -q '^SUBSYSTEM=="hidraw", KERNELS=="0003:1B80:B412\.\*".*TAG+="uaccess"' "$root/usr/lib/udev/rules.d/70-voltrane.rules" ||
    fail "the udev rule does not give the seat's user the mouse"
for page in voltrane voltranectl; do
    gzip -t "$root/usr/share/man/man1/$page.1.gz" || fail "$page.1.gz is not gzip"
done
bash -n "$root/usr/share/bash-completion/completions/voltranectl" || fail "the bash completion does not parse"
if ldd "$root/usr/bin/voltrane" "$root/usr/bin/voltranectl" | grep 'not found'; then
    fail "a library the programs link is missing"
fi

# The licence and the changelog as Debian reads them.
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$root/usr/share/doc/voltrane/copyright" || fail "the copyright file is not machine-readable"
grep -qx 'License: GPL-3+' "$root/usr/share/doc/voltrane/copyright" || fail "the copyright file names no GPL-3+"
version=$(dpkg-deb -f "$deb" Version)
zcat "$root/usr/share/doc/voltrane/changelog.gz" | head -n 1 | grep -q "^voltrane ($version) " ||
    fail "the changelog's first entry is not version $version"

# Lintian, as a distribution runs it: no error and no warning.
lintian --no-cfg --display-info "$deb" >"$scratch/lintian.log" 2>&1 || true
if grep -E '^[EW]: ' "$scratch/lintian.log"; then
    fail "lintian reports errors or warnings"
fi
grep -E '^(I|P|N|O): ' "$scratch/lintian.log" || true

# The binaries: position-independent, relocations read-only and bound at start, stack protector,
# fortified libc calls, and no symbol table or debugging information.
for program in voltrane voltranectl; do
    binary=$root/usr/bin/$program
    readelf -h "$binary" | grep -q 'Type: *DYN' || fail "$program is not position-independent"
    readelf -l "$binary" | grep -q GNU_RELRO || fail "$program has no read-only relocations (relro)"
    readelf -d "$binary" | grep -q -E 'BIND_NOW|FLAGS_1.*NOW' || fail "$program is not bound now"
    symbols=$(readelf --dyn-syms -W "$binary")
    grep -q '__stack_chk_fail' <<<"$symbols" || fail "$program has no stack protector"
    grep -q -E '__[a-z_]+_chk@' <<<"$symbols" || fail "$program calls no fortified libc function"
    sections=$(readelf -S -W "$binary")
    if grep -q -E '\.symtab|\.debug_' <<<"$sections"; then fail "$program is not stripped"; fi
done

# Dependencies: the libraries, the platform plugins and the fonts, each a package apt knows.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libhidapi-hidraw0 libudev1 libxkbcommon0 libxkbcommon-x11-0 qt6-qpa-plugins \
    fonts-crosextra-carlito fonts-noto-cjk xkb-data; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done
if apt-cache show libc6 >/dev/null 2>&1; then
    for package in $(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*)//; s/ //g'); do
        apt-cache show "$package" >/dev/null 2>&1 || fail "Depends names $package, which apt does not know"
    done
else
    echo "apt has no package lists: the dependency names are not looked up"
fi

# The desktop file and the metainfo: valid, and naming what the package installs.
desktop=$root/usr/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli refuses the metainfo"
grep -qx "Icon=$id" "$desktop" || fail "the desktop file's icon is not $id"
grep -qx "Exec=voltrane" "$desktop" || fail "the desktop file does not start voltrane"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "the metainfo does not launch $id.desktop"

# The unpacked voltranectl: its program directory is the user's data folder, made on first start.
home=$scratch/home
data=$home/.local/share/voltrane
mkdir "$home"
ctl() { env -i HOME="$home" PATH=/usr/bin:/bin "$root/usr/bin/voltranectl" --device virtual "$@"; }
ctl --help | grep -q '^usage: voltranectl' || fail "voltranectl --help does not print the usage"
[ -d "$data" ] || fail "voltranectl did not create $data"
ctl read --profile "$scratch/mine.ini" >/dev/null || fail "voltranectl read failed"
ctl apply "$scratch/mine.ini" || fail "voltranectl apply failed"
ctl verify "$scratch/mine.ini" >/dev/null || fail "voltranectl verify does not find the applied profile"
for file in download.bin virtual-mouse.bin; do
    [ -f "$data/$file" ] || fail "voltranectl apply left no $file in $data"
done

[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
echo "the package $(basename "$deb") installs as expected"
