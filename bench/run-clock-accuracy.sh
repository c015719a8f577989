#!/usr/bin/env bash
# Measures the game clock and the auto-play stepper against the wall clock.
#   bench/run-clock-accuracy.sh [CLOCK_TICKS [AUTO_STEPS]]   (defaults 60 and 40)
# BUILD_DIR names the build folder (default build); BENCH_SKIP_BUILD=1 uses
# it as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
if [ -z "${BENCH_SKIP_BUILD:-}" ]; then
    if [ -f "$build/CMakeCache.txt" ]; then
        cmake --build "$build" --target bench_clock_accuracy >/dev/null
    else
        make build BUILD_DIR="$build" >/dev/null
    fi
fi
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
QT_QPA_PLATFORM=offscreen "$build/bench/bench_clock_accuracy" "${1:-60}" "${2:-40}"
