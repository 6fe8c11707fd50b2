#!/usr/bin/env bash
# The whole set-up on a fresh Debian machine:
#   ./build.sh run [raylore|diska]   install what is missing, build, start a program
#   ./build.sh test                  install what is missing, build with sanitizers, run every test headless,
#                                    then build and check the package
#   ./build.sh package               install what is missing, build the release .deb in build/release
#   ./build.sh fuzz [EVENTS]         every window's fuzzer on every test screen, fresh seeds, EVENTS each
#   ./build.sh bench                 whole-update medians of the heaviest moves on a 1920x1080 screen, ratio 1 and 2
#   ./build.sh mutate [PATTERN]      mutation check: which of tests/mutation/mutants.txt the tests catch
#   ./build.sh mutate --recheck RESULTS   the mutants an earlier run caught, once more; names any now missed
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
          fonts-liberation fonts-dejavu-core
          dpkg-dev file desktop-file-utils appstream
          lintian groff-base libxml2-utils shared-mime-info)

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

# Leaves exactly one .deb in build/release, so its name can be globbed.
package() {
    build release
    rm -f build/release/raylore_*.deb
    cmake --build --preset release --target package
}

# Long fuzz campaigns for contributors: CI runs the same fuzzers with a few
# thousand events. Each run prints its seed; the first failure stops with the
# seed and the events that led to it.
fuzz() {
    local events="$1" screen test
    echo "== file_fuzz_test, $((events * 5)) damaged files"
    RAYLORE_FUZZ_INPUTS=$((events * 5)) ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
        UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 build/dev/tests/files/file_fuzz_test \
        || { echo "fuzz failed: file_fuzz_test (replay with the seed printed above)" >&2; exit 1; }
    for test in build/dev/tests/*/*_fuzz_test; do
        [ "${test##*/}" = file_fuzz_test ] && continue
        for screen in 640x480 800x600 1280x1024 800x600-dpr2; do
            echo "== ${test##*/} on ${screen}, ${events} events"
            if ! QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/support/screen-${screen}.json" \
                RAYLORE_FUZZ_EVENTS="$events" QTEST_FUNCTION_TIMEOUT=86400000 \
                ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
                "$test"; then
                echo "fuzz failed: ${test##*/} on ${screen} (replay with the seed printed above)" >&2
                exit 1
            fi
        done
    done
}

# Optimised and without sanitizers, so the numbers mean something.
bench() {
    local screen
    cmake --preset measure >/dev/null
    cmake --build --preset measure --target update_benchmark
    for screen in 1920x1080 1920x1080-dpr2; do
        echo "== ${screen}"
        QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/support/screen-${screen}.json" \
            build/measure/tests/desktop/update_benchmark
    done
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
        package
        packaging/check-package.sh build/release/raylore_*.deb
        ;;
    package)
        install_missing
        package
        ;;
    bench)
        install_missing
        bench
        ;;
    mutate)
        install_missing
        shift
        exec tests/mutation/mutate.sh "$@"
        ;;
    fuzz)
        install_missing
        build dev
        fuzz "${2:-200000}"
        ;;
    *)
        echo "usage: $0 run [raylore|diska] | $0 test | $0 package | $0 fuzz [EVENTS] | $0 bench | $0 mutate [PATTERN | --recheck RESULTS]" >&2
        exit 2
        ;;
esac
