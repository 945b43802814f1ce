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

build() {  # build DIR [cmake options...]
    local dir=$1
    shift
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

run_tests() {
    build "$root/build"
    ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
    echo "== core tests under AddressSanitizer + UndefinedBehaviorSanitizer"
    build "$root/build-asan" -DVOLTRANE_CORE_ONLY=ON -DVOLTRANE_SANITIZE=ON
    ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs" -L core
}

run_program() {
    build "$root/build"
    echo "The program and its command-line tool are not built yet: only the core libraries and"
    echo "their tests exist so far. Run 'tools/dev.sh test' to check them."
}

case "${1:-}" in
    test) install_packages; run_tests ;;
    run) install_packages; run_program ;;
    *) echo "usage: tools/dev.sh run|test" >&2; exit 2 ;;
esac
