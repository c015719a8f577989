# Helpers for the end-to-end scripts (sourced by run_in_x.sh).

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the game in the background; sets GAME_PID.
start_game() {
    "$GAME" >"$ARTIFACTS/game-$$.log" 2>&1 &
    GAME_PID=$!
    pids+=("$GAME_PID")
}

# Waits until a visible window with this exact title exists; prints its id.
wait_window() {
    local title=$1 id
    for _ in $(seq 1 200); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1) || true
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    fail "no window titled '$title'"
}

# Waits until no visible window with this title is left.
wait_window_gone() {
    local title=$1
    for _ in $(seq 1 200); do
        xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    fail "window '$title' is still open"
}

# Asks the window manager to close a window, as its close box does.
wm_close() { wmctrl -i -c "$1"; }

# Saves a screenshot of the whole screen.
screenshot() { import -window root "$ARTIFACTS/$1.png"; }

# Waits for the game process to end; fails after a few seconds.
wait_exit() {
    for _ in $(seq 1 200); do
        kill -0 "$GAME_PID" 2>/dev/null || { wait "$GAME_PID" 2>/dev/null || true; return 0; }
        sleep 0.05
    done
    fail "the game did not end"
}

# The value of a key in the settings file (as written, quotes included).
setting() { grep -i "^$1=" "$SETTINGS" | head -n 1 | cut -d= -f2-; }

# Client-area position of the window (x y), relative to the screen.
window_origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'
}

# Clicks at a point given in pixels of the main window's client area.
click_client() {
    local win=$1 x=$2 y=$3 ox oy height
    read -r ox oy <<<"$(window_origin "$win")"
    height=$(xwininfo -id "$win" | awk '/Height/ {print $2}')
    # The client area is the part of the window below the menu bar.
    xdotool mousemove $((ox + x)) $((oy + height - CLIENT_HEIGHT + y)) click 1
}
CLIENT_HEIGHT=240

# Waits until a command prints the expected text.
wait_for() {
    local expected=$1 got
    shift
    for _ in $(seq 1 60); do
        got=$("$@" 2>/dev/null) || true
        [ "$got" = "$expected" ] && return 0
        sleep 0.1
    done
    fail "expected '$expected' from '$*', got '$got'"
}
