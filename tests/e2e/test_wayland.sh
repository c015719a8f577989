# The game as a native Wayland client in weston's headless compositor, with
# no X server to fall back on: the board read and a tile pressed over AT-SPI,
# the About window opened and closed the same way, and not one line on the
# game's standard error.
command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
if ! compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null; then
    echo "SKIP: Qt's Wayland platform (qt6-wayland) is not installed"
    exit 77
fi

socket=wayland-game-$$
weston --no-config --backend=headless-backend.so --socket="$socket" --idle-time=0 \
    --width=1024 --height=768 >"$ARTIFACTS/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    sleep 0.05
done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || { cat "$ARTIFACTS/weston.log"; fail "weston did not start"; }

errors=$ARTIFACTS/wayland-stderr.log
env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$socket" "$GAME" >/dev/null 2>"$errors" &
GAME_PID=$!
pids+=("$GAME_PID")

# The board, once the first game is dealt: sixteen cells, one of them hidden.
board=
for _ in $(seq 1 100); do
    board=$($A11Y board 2>/dev/null) || true
    read -r -a cells <<<"$board"
    [ "${#cells[@]}" -eq 16 ] && [[ " $board " == *" _ "* ]] && break
    sleep 0.1
done
[ "${#cells[@]}" -eq 16 ] || fail "no board over AT-SPI on Wayland: '$board'"
for i in "${!cells[@]}"; do
    [ "${cells[$i]}" = "_" ] && blank=$i
done

# Press the tile above (or below) the blank; it slides into the blank.
if [ "$blank" -ge 4 ]; then from=$((blank - 4)); else from=$((blank + 4)); fi
$A11Y press "$from"
moved=
for _ in $(seq 1 30); do
    read -r -a after <<<"$($A11Y board)"
    [ "${after[$blank]}" = "${cells[$from]}" ] && [ "${after[$from]}" = "_" ] && moved=1 && break
    sleep 0.1
done
[ -n "$moved" ] || fail "pressing cell $from did not slide it (board: ${after[*]})"

# The About window opens where the compositor puts it, and closes.
$A11Y do Game About &
opener=$!
for _ in $(seq 1 50); do
    $A11Y windows | grep -qx About && break
    sleep 0.1
done
$A11Y windows | grep -qx About || fail "the About window did not open"
$A11Y do About Bye
wait "$opener" || fail "opening About through AT-SPI failed"
for _ in $(seq 1 50); do
    $A11Y windows | grep -qx About || break
    sleep 0.1
done
$A11Y windows | grep -qx About && fail "the About window did not close"

kill -0 "$GAME_PID" || fail "the game ended on Wayland: $(cat "$errors")"
kill "$GAME_PID"
wait "$GAME_PID" 2>/dev/null || true
[ ! -s "$errors" ] || fail "the game wrote to standard error on Wayland: $(cat "$errors")"
echo "1 passed, 0 failed"
