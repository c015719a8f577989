#!/usr/bin/env bash
# A settings file of a million sections (about 20 MB): how long the game takes
# to show its window and, asked by the window manager, to close, its peak
# resident memory (VmHWM) with the window open and after the close's save,
# and whether the file keeps every section.
#   bench/run-big-settings.sh [BUILD_DIR]     (BUILD_DIR built beforehand)
# Three runs in a private X server with openbox; prints each and the median.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
game=$(cd "$build" && pwd)/taviq-game
sections=1000000

if [ -z "${BIG_SETTINGS_IN_SESSION:-}" ]; then
    BIG_SETTINGS_IN_SESSION=1 exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
fi
# shellcheck source=../tests/e2e/x_session.sh
source "$here/../tests/e2e/x_session.sh"
start_x_session 200 240
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON

file=$XDG_CONFIG_HOME/taviq/taviqgame.ini
big=$work/big.ini
# The time limit stands as the game does not write it, so that the close
# saves the whole file anew.
python3 - "$big" "$sections" <<'PY'
import sys
with open(sys.argv[1], "w") as out:
    out.write('[Difficulty]\ndiff=Medium\n[Times]\nTimelimit=12\nEasy=" 95"\n[Names]\nEasy=Ada\n')
    for i in range(int(sys.argv[2])):
        out.write(f"[s{i}]\nk=v{i}\n")
PY
echo "Settings file: $(wc -c <"$big") bytes, $sections sections and the game's own three"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# The game's peak resident memory so far, in KiB; nothing once it has ended.
peak_kib() {
    local name value _
    while read -r name value _; do
        [ "$name" = VmHWM: ] && echo "$value" && return
    done 2>/dev/null <"/proc/$pid/status"
}
size=$(wc -c <"$big")
starts=()
closes=()
opens=()
peaks=()
for run in 1 2 3; do
    mkdir -p "$(dirname "$file")"
    cp "$big" "$file"
    sync
    begin=$(now_ms)
    "$game" >"$work/game.log" 2>&1 &
    pid=$!
    win=
    until win=$(xdotool search --onlyvisible --name '^Game$' 2>/dev/null | head -n 1) && [ -n "$win" ]; do
        kill -0 "$pid" 2>/dev/null || { echo "the game ended"; cat "$work/game.log"; exit 1; }
        sleep 0.01
    done
    shown=$(now_ms)
    sleep 0.5
    opened=$(peak_kib)
    asked=$(now_ms)
    wmctrl -i -c "$win"
    # Read until the game ends, so that the peak of the close's save counts.
    peak=$opened
    while kib=$(peak_kib) && [ -n "$kib" ]; do
        peak=$kib
        sleep 0.005
    done
    wait "$pid"
    ended=$(now_ms)
    starts+=($((shown - begin)))
    closes+=($((ended - asked)))
    opens+=("$opened")
    peaks+=("$peak")
    kept=$(grep -c '^\[s[0-9]*\]$' "$file")
    [ "$kept" -eq "$sections" ] || { echo "run $run: only $kept of $sections sections kept"; exit 1; }
    grep -q '^Timelimit=" 12"$' "$file" || { echo "run $run: the time limit was not saved"; exit 1; }
    echo "run $run: window after $((shown - begin)) ms, closed $((ended - asked)) ms after the request," \
        "peak memory $((opened / 1024)) MiB open, $((peak / 1024)) MiB after the close, every section kept"
done
median() { printf '%s\n' "$@" | sort -n | sed -n 2p; }
echo "median: window after $(median "${starts[@]}") ms (target 2000), closed in $(median "${closes[@]}") ms (target 2000)"
echo "median peak memory: $(($(median "${opens[@]}") / 1024)) MiB open, $(($(median "${peaks[@]}") / 1024)) MiB" \
    "after the close, for a file of $((size / 1048576)) MiB (target $((3 * size / 1048576)) MiB)"
