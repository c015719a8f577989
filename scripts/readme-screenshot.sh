#!/usr/bin/env bash
# Makes docs/screenshot.png: the game in a real X server with a window
# manager, a few moves into a game.
set -euo pipefail
cd "$(dirname "$0")/.."
make build >/dev/null
cat > /tmp/readme-shot-$$.sh <<'SCRIPT'
start_game
win=$(wait_window Game)
sleep 0.5
xdotool windowactivate --sync "$win"
# Three number-pad moves start the clock.
xdotool key KP_8 KP_2 KP_8
sleep 2.2
import -frame -window "$win" "$OUT"
wm_close "$win"
wait_exit
SCRIPT
E2E_ARTIFACTS=$(mktemp -d) OUT=$PWD/docs/screenshot.png bash tests/e2e/run_in_x.sh /tmp/readme-shot-$$.sh "$PWD/build/taviq-game"
rm -f /tmp/readme-shot-$$.sh
echo "wrote docs/screenshot.png"
