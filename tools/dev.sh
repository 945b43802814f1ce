#!/usr/bin/env bash
# Voltrane's set-up and build entry point.
#   tools/dev.sh run    install what the build needs, build, run the program
#   tools/dev.sh test   install what the build needs, build, run every test (plus the sanitizer build)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

packages=(
    build-essential cmake pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-dev
    libhidapi-dev libudev-dev libglib2.0-dev gsettings-desktop-schemas
    qt6-base-dev qt6-svg-dev fonts-crosextra-carlito fonts-unfonts-core fonts-noto-cjk
    # key names from the desktop's keyboard layout: xkbcommon (with its X11 part), the layouts, and
    # setxkbmap to give the test's X server other layouts
    libxkbcommon-dev libxkbcommon-x11-dev xkb-data x11-xkb-utils
    # the Debian package's test: dpkg-deb and dpkg-shlibdeps, the desktop file and metainfo validators,
    # lintian, and debootstrap for the fresh Debian root the package is installed into
    dpkg-dev desktop-file-utils appstream lintian debootstrap
    # the desktops' pointer settings stores the tests write through: dconf on a private session bus,
    # Cinnamon's schema, and KDE's own configuration tools
    dbus-daemon dconf-service dconf-gsettings-backend dconf-cli cinnamon-desktop-data libkf5config-bin
    # the window driven end to end: its own X server and window manager, real input, screenshots
    xvfb xauth xdotool openbox x11-utils imagemagick
    # what a screen reader sees of the window: the accessibility bus and registry, read through pyatspi
    at-spi2-core python3-pyatspi
    # the start-up benchmark watches the X server for the first mapped window
    libxcb1-dev
    # the window on Wayland: Qt's Wayland platform and its client extensions (the capture dialogs ask
    # the compositor to inhibit its shortcuts), a headless compositor with a desktop background, the
    # test's virtual pointer and keyboard clients (the keyboard's keymap built by xkbcommon), and
    # screenshots
    qt6-wayland qt6-wayland-dev qt6-wayland-dev-tools qt6-base-private-dev wayland-protocols
    libwayland-dev libwayland-bin sway swaybg grim libxkbcommon-dev
    # the window under GNOME: its shell (headless, on the test's own buses), gdbus and gsettings for
    # the session, and GIO for the test's client of the shell's remote-desktop and screenshot interfaces
    gnome-shell libglib2.0-bin libglib2.0-dev
    # the window under KWin: the compositor (run headless on the test's own bus) and the description
    # of its fake-input protocol, which the test's client of KWin's input and screenshots speaks
    kwin-wayland plasma-wayland-protocols
    # the mouse through a real kernel: a virtual machine (its kernel is fetched by the test itself), a
    # static shell, udev for the guest, and the initramfs archiver
    qemu-system-x86 busybox-static udev cpio
)

install_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {  # build DIR [cmake options...] [--target NAME]
    local dir=$1 target=()
    shift
    if [ "${1:-}" = --target ]; then
        target=(--target "$2")
        shift 2
    fi
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
    cmake --build "$dir" -j "$jobs" "${target[@]}"
}

run_tests() {
    build "$root/build" -DVOLTRANE_BENCH=ON
    ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
    run_fuzzers
    echo "== core tests under AddressSanitizer + UndefinedBehaviorSanitizer"
    build "$root/build-asan" -DVOLTRANE_CORE_ONLY=ON -DVOLTRANE_SANITIZE=ON
    ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs" -L core
}

# Every libFuzzer target runs for a short, fixed time under the sanitizers, starting from its seeds.
# A crash fails the run; its input is left in build-fuzz/crashes/ to become a regression file.
run_fuzzers() {
    echo "== fuzzers, ${VOLTRANE_FUZZ_SECONDS:-20} s each"
    CC=clang CXX=clang++ build "$root/build-fuzz" -DVOLTRANE_CORE_ONLY=ON -DVOLTRANE_SANITIZE=ON \
        -DVOLTRANE_FUZZ=ON -DVOLTRANE_BUILD_TESTS=OFF
    mkdir -p "$root/build-fuzz/crashes"
    local fuzzer name corpus
    for fuzzer in "$root"/build-fuzz/fuzz/fuzz_*; do
        [ -x "$fuzzer" ] || continue
        name=$(basename "$fuzzer")
        corpus="$root/build-fuzz/corpus/$name"
        mkdir -p "$corpus"
        cp -r "$root/fuzz/corpus/$name/." "$corpus/" 2>/dev/null || true
        echo "-- $name"
        local log="$root/build-fuzz/$name.log"
        if ! "$fuzzer" -max_total_time="${VOLTRANE_FUZZ_SECONDS:-20}" -rss_limit_mb=2048 \
            -artifact_prefix="$root/build-fuzz/crashes/$name-" "$corpus" >"$log" 2>&1; then
            tail -n 40 "$log"
            echo "$name found a crash" >&2
            return 1
        fi
        grep -E '^(#[0-9]+ *DONE|Done)' "$log" | tail -n 1 || true
    done
}

# The program on the virtual mouse (state file build/virtual-mouse.bin). Without a display, the
# command-line tool shows the same work instead: read the mouse into a profile, apply it, verify it,
# read back.
run_program() {
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the command-line demonstration."
        run_demo
        return
    fi
    build "$root/build" --target voltrane
    VOLTRANE_DEVICE="virtual:$root/build/virtual-mouse.bin" "$root/build/app/voltrane"
}

run_demo() {
    build "$root/build" --target voltranectl
    local ctl="$root/build/app/voltranectl" demo="$root/build/demo"
    local device=(--device "virtual:$root/build/virtual-mouse.bin")
    mkdir -p "$demo"
    echo "== voltranectl read --profile Setting1.ini --macros mouse.mac"
    "$ctl" "${device[@]}" read --profile "$demo/Setting1.ini" --macros "$demo/mouse.mac" >/dev/null
    echo "== voltranectl apply Setting1.ini"
    "$ctl" "${device[@]}" --dir "$demo" apply "$demo/Setting1.ini"
    echo "== voltranectl verify Setting1.ini"
    "$ctl" "${device[@]}" verify "$demo/Setting1.ini"
    echo "== voltranectl read"
    "$ctl" "${device[@]}" read
    echo "== voltranectl decode --buttons download.bin --json"
    "$ctl" decode --buttons "$demo/download.bin" --json
}

case "${1:-}" in
    test) install_packages; run_tests ;;
    run) install_packages; run_program ;;
    *) echo "usage: tools/dev.sh run|test" >&2; exit 2 ;;
esac
