#!/usr/bin/env bash
# The key names the window reads from the X server's keyboard: a private Xvfb whose layout setxkbmap
# changes to US, German and French in turn, each checked by the test program on Qt's X11 platform; then
# the offscreen platform, which keeps the key table's names.
# usage: test_desktop_key_names.sh TEST_PROGRAM
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
# shellcheck source=tests/e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh"
program=$1

need_tools Xvfb xauth xdpyinfo setxkbmap
use_scratch

start_xvfb "$scratch"
export HOME=$scratch XDG_RUNTIME_DIR=$scratch/runtime
unset WAYLAND_DISPLAY XKB_DEFAULT_LAYOUT
mkdir -m 700 "$XDG_RUNTIME_DIR"

for layout in us de fr; do
    setxkbmap -display "$DISPLAY" "$layout"
    echo "== $layout"
    QT_QPA_PLATFORM=xcb "$program" "$layout"
done
echo "== offscreen (the X server's layout is fr)"
QT_QPA_PLATFORM=offscreen "$program" offscreen
