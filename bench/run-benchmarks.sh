#!/usr/bin/env bash
# Speed and footprint of the game against a bare Qt Widgets window of the same
# size (bench_baseline), then the accuracy of its clock and auto-play timers.
#   bench/run-benchmarks.sh [--quick] [--runs N] [--strict] [BUILD_DIR]
# BUILD_DIR defaults to build; it is configured (RelWithDebInfo) if need be
# and built first. Both programs run in a private X server (Xvfb) with a
# window manager (openbox) and a private session bus without the
# accessibility bus, each with a fresh configuration folder, alternating,
# at least five runs each. --quick leaves out the clock accuracy (about 80 s).
# --strict exits with 3 when a target is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD/bench

quick=0
runs=5
strict=
build=build
while [ $# -gt 0 ]; do
    case $1 in
        --quick) quick=1 ;;
        --runs) runs=$2; shift ;;
        --runs=*) runs=${1#--runs=} ;;
        --strict) strict=--strict ;;
        -h|--help) sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        -*) echo "unknown option $1" >&2; exit 2 ;;
        *) build=$1 ;;
    esac
    shift
done
[ "$runs" -ge 5 ] 2>/dev/null || { echo "--runs needs 5 or more" >&2; exit 2; }
case $build in
    /*) ;;
    *) build=$PWD/$build ;;
esac

# --- The X session (runs inside the private session bus) --------------------
if [ -n "${BENCH_IN_SESSION:-}" ]; then
    # shellcheck source=../tests/e2e/x_session.sh
    source "$here/../tests/e2e/x_session.sh"
    start_x_session 150 199

    # As on a desktop without a screen reader.
    unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON QT_ACCESSIBILITY AT_SPI_BUS_ADDRESS
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_STYLE_OVERRIDE
    export QT_QPA_PLATFORM=xcb

    qt=$(qtpaths6 --qt-version 2>/dev/null || qmake6 -query QT_VERSION 2>/dev/null || echo unknown)
    baseline=$build/bench/baseline/bench_baseline
    # shellcheck disable=SC2086
    /usr/bin/python3 "$here/measure.py" --runs "$runs" --qt-version "$qt" $strict ${BENCH_MEASURE_ARGS:-} \
        game Game "$build/taviq-game" baseline Baseline "$baseline"
    exit $?
fi

# --- Build -------------------------------------------------------------------
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

# A session bus that knows no services, so nothing starts the accessibility
# bus on demand.
bus_config=$(mktemp)
clock_log=$(mktemp)
trap 'rm -f "$bus_config" "$clock_log"' EXIT
cat >"$bus_config" <<'CONF'
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF

status=0
BENCH_IN_SESSION=1 dbus-run-session --config-file="$bus_config" -- \
    bash "$0" --runs "$runs" $strict "$build" \
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
