#!/usr/bin/env bash
# Measures the game clock and the auto-play stepper against the wall clock.
#   bench/run-clock-accuracy.sh [CLOCK_TICKS [AUTO_STEPS]]   (defaults 60 and 40)
set -euo pipefail
cd "$(dirname "$0")/.."
make build >/dev/null
QT_QPA_PLATFORM=offscreen build/bench/bench_clock_accuracy "${1:-60}" "${2:-40}"
