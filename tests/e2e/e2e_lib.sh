# Helpers for the end-to-end scripts (sourced by run_in_x.sh).

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the game in the background; sets GAME_PID.
start_game() {
    "$GAME" >"$ARTIFACTS/game-$$.log" 2>&1 &
    GAME_PID=$!
    pids+=("$GAME_PID")
}

# Prints the id of the visible window with this exact title once there is
# one and the window manager has taken it in (given it a desktop, which
# `xdotool windowactivate` reads); returns 1 when none shows within ten
# seconds.
find_window() {
    local title=$1 id
    for _ in $(seq 1 200); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1) || true
        if [ -n "$id" ] && xprop -id "$id" _NET_WM_DESKTOP 2>/dev/null | grep -q ' = '; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    [ -n "$id" ] && echo "$id"
}

# Returns 1 when a visible window with this title is still there after ten
# seconds.
window_gone() {
    for _ in $(seq 1 200); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    return 1
}

wait_window() { find_window "$1" || fail "no window titled '$1'"; }
wait_window_gone() { window_gone "$1" || fail "window '$1' is still open"; }

# Asks the window manager to close a window, as its close box does.
wm_close() { wmctrl -i -c "$1"; }

# Saves a screenshot of the whole screen.
screenshot() { import -window root "$ARTIFACTS/$1.png"; }

# Waits for a process to end and sets EXIT_STATUS to its exit status;
# returns 1 when it is still running after ten seconds.
pid_exit_status() {
    local pid=$1
    for _ in $(seq 1 200); do
        if ! kill -0 "$pid" 2>/dev/null; then
            EXIT_STATUS=0
            wait "$pid" 2>/dev/null || EXIT_STATUS=$?
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Waits for the game process to end; fails after ten seconds.
wait_exit() { pid_exit_status "$GAME_PID" || fail "the game did not end"; }

# The values of a key in every section of that name, names without regard to
# case, as written (quotes included):  section_values FILE SECTION KEY
# Names are read as the game reads them: blanks around them left out, %XX and
# %UXXXX decoded, a header may end in a ';' comment. LF, CR LF and a lone CR
# each end a line; a UTF-8 byte-order mark before the first line is skipped.
section_values() {
    local file=$1 section=$2 key=$3
    awk -v RS='\r\n|\r|\n' -v s="$(tr '[:upper:]' '[:lower:]' <<<"$section")" -v k="$(tr '[:upper:]' '[:lower:]' <<<"$key")" '
        function name(t,   out, hex, n, i) {
            gsub(/^[ \t]+|[ \t]+$/, "", t)
            while (match(t, /%U[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]|%[0-9A-Fa-f][0-9A-Fa-f]/)) {
                hex = tolower(substr(t, RSTART + (RLENGTH == 6 ? 2 : 1), RLENGTH == 6 ? 4 : 2))
                for (n = 0; hex != ""; hex = substr(hex, 2))
                    n = n * 16 + index("0123456789abcdef", substr(hex, 1, 1)) - 1
                out = out substr(t, 1, RSTART - 1) (n > 0 && n < 128 ? sprintf("%c", n) : substr(t, RSTART, RLENGTH))
                t = substr(t, RSTART + RLENGTH)
            }
            return tolower(out t)
        }
        NR == 1 { sub(/^\357\273\277/, "") }
        { line = $0; gsub(/^[ \t]+|[ \t]+$/, "", line); equals = index(line, "=") }
        line ~ /^\[[^]]*\][ \t]*(;.*)?$/ { current = name(substr(line, 2, index(line, "]") - 2)); next }
        current == s && equals > 1 && name(substr(line, 1, equals - 1)) == k {
            value = substr(line, equals + 1)
            sub(/^[ \t]+/, "", value)
            print value
        }
    ' "$file" 2>/dev/null
}

# The value of a key in the settings file (as written, quotes included).
setting() { tr '\r' '\n' <"$SETTINGS" | grep -i "^$1=" | head -n 1 | cut -d= -f2-; }

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

# Solves the board with number-pad keys, as a player who knows the way, and
# gives the winner's name when the winner window asks for it:
#   win_by_hand NAME [SCREENSHOT]
win_by_hand() {
    local keys
    keys=$($A11Y solve)
    [ -n "$keys" ] || fail "no moves to solve the board"
    # shellcheck disable=SC2086
    xdotool key --delay 40 $keys
    wait_window Winner >/dev/null
    if [ -n "${2:-}" ]; then screenshot "$2"; fi
    xdotool type --delay 30 "$1"
    xdotool key Return
    wait_window_gone Winner
}
