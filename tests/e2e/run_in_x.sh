#!/usr/bin/env bash
# Runs one end-to-end test script against the built program in a private X
# server (Xvfb) with a window manager (openbox), as on a real desktop.
#   run_in_x.sh TEST_SCRIPT PROGRAM
# The test script gets: GAME (the program), DISPLAY, XDG_CONFIG_HOME (a fresh
# folder), SETTINGS (the settings file the game writes), ARTIFACTS (a folder
# for screenshots) and the helpers of e2e_lib.sh.
set -euo pipefail

# A private session bus with the accessibility bus on it, so that tests can
# read the program from outside as a screen reader does.
if [ -z "${E2E_SESSION_BUS:-}" ]; then
    export E2E_SESSION_BUS=1
    exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
fi

script=$1
export GAME=$2
here=$(cd "$(dirname "$0")" && pwd)

display=
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        display=:$n
        break
    fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done

launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
done
if [ -n "$launcher" ]; then
    "$launcher" --launch-immediately >"$work/atspi.log" 2>&1 &
    pids+=($!)
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export A11Y="/usr/bin/python3 $here/a11y.py"

export XDG_CONFIG_HOME=$work/config
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export SETTINGS=$XDG_CONFIG_HOME/taviq/taviqgame.ini
export ARTIFACTS=${E2E_ARTIFACTS:-$PWD/e2e-artifacts}
mkdir -p "$ARTIFACTS"
unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb

# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"
source "$script"
