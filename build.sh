#!/usr/bin/env bash
# The whole set-up on a fresh Debian machine:
#   ./build.sh run [raylore|diska]   install what is missing, build, start a program
#   ./build.sh test                  install what is missing, build with sanitizers, run every test headless
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
          fonts-liberation fonts-dejavu-core)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

case "${1:-}" in
    run)
        install_missing
        build release
        case "${2:-raylore}" in
            raylore) exec build/release/apps/raylore/RAYLORE ;;
            diska)   exec build/release/apps/diska/DISKA ;;
            *) echo "usage: $0 run [raylore|diska]" >&2; exit 2 ;;
        esac
        ;;
    test)
        install_missing
        build dev
        ctest --preset dev
        ;;
    *)
        echo "usage: $0 run [raylore|diska] | $0 test" >&2
        exit 2
        ;;
esac
