#!/usr/bin/env bash
# The game side by side with a bare Qt Widgets window of the same size
# (bench_baseline) and with sgt-puzzles' fifteen (sgt-fifteen, the sliding
# puzzle a Debian player would otherwise pick, run as a black box): start-up
# to the first full frame, memory, idle CPU, input latency and CPU while the
# clock runs (bench/measure.py); then the accuracy of the game's clock and
# auto-play timers, and a settings file of a million sections.
#   bench/run-benchmarks.sh [--quick] [--runs N] [--strict] [BUILD_DIR]
# BUILD_DIR defaults to build; it is configured (RelWithDebInfo) if need be
# and built first; bench/install-peer.sh installs the peer and the X
# libraries. All programs run in a private X server (Xvfb) with a window
# manager (openbox) and a private session bus, in the locale C.UTF-8, with a
# fresh configuration folder each time, interleaved: 25 start-up runs each,
# 200 moves each and 5 runs of 30 s of running clock each, without and then
# with an accessibility bus.
# --quick: 5 runs, 40 moves, 2 runs of 10 s of clock, no clock accuracy (for
# development; its figures are not the benchmark's). --strict exits with 3
# when a target is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD/bench

quick=0
runs=
strict=
build=build
while [ $# -gt 0 ]; do
    case $1 in
        --quick) quick=1 ;;
        --runs) runs=$2; shift ;;
        --runs=*) runs=${1#--runs=} ;;
        --strict) strict=--strict ;;
        -h|--help) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        -*) echo "unknown option $1" >&2; exit 2 ;;
        *) build=$1 ;;
    esac
    shift
done
least=25
[ "$quick" -eq 1 ] && least=5
if [ -n "$runs" ] && ! [ "$runs" -ge "$least" ] 2>/dev/null; then
    echo "--runs needs $least or more" >&2
    exit 2
fi
case $build in
    /*) ;;
    *) build=$PWD/$build ;;
esac

export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset LANGUAGE

# --- The X session (runs inside the private session bus) --------------------
if [ -n "${BENCH_IN_SESSION:-}" ]; then
    # shellcheck source=../tests/e2e/x_session.sh
    source "$here/../tests/e2e/x_session.sh"
    start_x_session 150 199

    # As on a desktop without a screen reader; measure.py starts the
    # accessibility bus itself for the measurements with it.
    unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON QT_ACCESSIBILITY AT_SPI_BUS_ADDRESS NO_AT_BRIDGE
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_STYLE_OVERRIDE GTK_THEME GDK_SCALE
    export QT_QPA_PLATFORM=xcb

    qt=$(qtpaths6 --qt-version 2>/dev/null || qmake6 -query QT_VERSION 2>/dev/null || echo unknown)
    args=(--qt-version "$qt")
    [ "$quick" -eq 1 ] && args+=(--quick)
    [ -n "$runs" ] && args+=(--runs "$runs")
    [ -n "$strict" ] && args+=("$strict")
    # shellcheck disable=SC2086
    /usr/bin/python3 "$here/measure.py" "${args[@]}" ${BENCH_MEASURE_ARGS:-} \
        --game "$build/taviq-game" --baseline "$build/bench/baseline/bench_baseline" \
        --peer "$(command -v sgt-fifteen || echo /usr/games/sgt-fifteen)"
    exit $?
fi

# --- Set-up and build ---------------------------------------------------------
"$here/install-peer.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAME_BUILD_BENCH=ON >/dev/null
fi
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target taviq-game bench_baseline bench_clock_accuracy >/dev/null
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
echo "Build: $build (${type:-no build type}), $(c++ --version | head -n1)"
case $type in
    Release|RelWithDebInfo|MinSizeRel) ;;
    *) echo "note: not an optimised build; the figures are not representative" ;;
esac
[ "$quick" -eq 1 ] && echo "Quick mode: fewer runs and moves than the benchmark asks for; for development only."

# A session bus that knows no services, so nothing starts the accessibility
# bus on demand.
bus_config=$here/session-bus.conf
clock_log=$(mktemp)
trap 'rm -f "$clock_log"' EXIT

pass=()
[ "$quick" -eq 1 ] && pass+=(--quick)
[ -n "$runs" ] && pass+=(--runs "$runs")
[ -n "$strict" ] && pass+=("$strict")
status=0
BENCH_IN_SESSION=1 dbus-run-session --config-file="$bus_config" -- \
    bash "$0" "${pass[@]}" "$build" \
    2> >(grep -v 'Failed to set fd limit' >&2) || status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 3 ] || exit "$status"

echo
echo "A settings file of a million sections:"
"$here/run-big-settings.sh" "$build"

if [ "$quick" -eq 0 ]; then
    echo
    echo "Clock accuracy (offscreen, about 80 s):"
    BUILD_DIR=$build BENCH_SKIP_BUILD=1 "$here/run-clock-accuracy.sh" | tee "$clock_log"
    if [ -n "$strict" ] && grep -q ': NO$' "$clock_log"; then
        status=3
    fi
fi
exit "$status"
