#!/usr/bin/env bash
# Makes the pictures of the README: docs/screenshot.png, the game in a real X
# server with a window manager a few moves into a game, and the same in French
# and German (docs/screenshot-fr.png, docs/screenshot-de.png).
set -euo pipefail
cd "$(dirname "$0")/.."
make build >/dev/null
cat > /tmp/readme-shot-$$.sh <<'SCRIPT'
for shot in en:C.UTF-8:Game fr:fr_FR.UTF-8:Jeu de:de_DE.UTF-8:Spiel; do
    IFS=: read -r name locale title <<<"$shot"
    LANGUAGE= LC_ALL= LC_MESSAGES= LANG=$locale start_game
    win=$(wait_window "$title")
    sleep 0.5
    xdotool windowactivate --sync "$win"
    # Three number-pad moves start the clock.
    xdotool key KP_8 KP_2 KP_8
    sleep 2.2
    file=$OUT/screenshot.png
    [ "$name" = en ] || file=$OUT/screenshot-$name.png
    import -frame -window "$win" "$file"
    wm_close "$win"
    wait_exit
done
SCRIPT
E2E_ARTIFACTS=$(mktemp -d) OUT=$PWD/docs bash tests/e2e/run_in_x.sh /tmp/readme-shot-$$.sh "$PWD/build/taviq-game"
rm -f /tmp/readme-shot-$$.sh
echo "wrote docs/screenshot.png, docs/screenshot-fr.png, docs/screenshot-de.png"
