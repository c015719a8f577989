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

# shellcheck source=x_session.sh
source "$here/x_session.sh"
# A script may ask for another screen with a line "# screen: WxHxD".
start_x_session 90 140 "$(sed -n 's/^# screen: //p' "$script" | head -n 1)"

launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
done
if [ -n "$launcher" ]; then
    "$launcher" --launch-immediately >"$work/atspi.log" 2>&1 &
    pids+=($!)
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The game in English, whatever the machine's language.
export LC_ALL=C.UTF-8 LANGUAGE=
unset LC_MESSAGES
export A11Y="/usr/bin/python3 $here/a11y.py"

export SETTINGS=$XDG_CONFIG_HOME/taviq/taviqgame.ini
export ARTIFACTS=${E2E_ARTIFACTS:-$PWD/e2e-artifacts}
mkdir -p "$ARTIFACTS"

# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"
source "$script"
