# The real program over every damaged settings file of the corpus: it starts,
# shows its clock, takes number-pad moves, closes on the window manager's
# request with exit status 0, and leaves a file that holds the difficulty and
# the time limit it was playing with, and nothing beside it.
# Every file is tried; the failures are listed together at the end.

corpus=$(cd "$(dirname "${BASH_SOURCE[0]}")/../data/broken-settings" && pwd)
store_folder=$(dirname "$SETTINGS")
problems=()

# The status panels once the window shows a clock ("Timer : ..."); empty
# when it never does.
clock_status() {
    local got
    for _ in $(seq 1 40); do
        got=$($A11Y status 2>/dev/null) || true
        case $got in "Timer : "*) echo "$got"; return 0 ;; esac
        sleep 0.1
    done
    echo "$got"
    return 1
}

problem() {
    problems+=("$1: $2")
    echo "PROBLEM $1: $2" >&2
}

# Ends a game that did not end by itself.
end_game() {
    kill -9 "$GAME_PID" 2>/dev/null || true
    wait "$GAME_PID" 2>/dev/null || true
}

# One file: returns 1 (after noting the problem) at the first thing wrong.
try_file() {
    local file=$1 name win status after limit difficulty expected_limit
    name=$(basename "$file")
    rm -rf "$store_folder"
    mkdir -p "$store_folder"
    cp "$file" "$SETTINGS"

    start_game
    win=$(find_window Game) || { problem "$name" "no main window"; end_game; return 1; }
    xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
    status=$(clock_status) || { problem "$name" "no clock in the status bar: '$status'"; end_game; return 1; }
    if [[ ! $status =~ ^Timer\ :\ (-?[0-9]+)\ :\ 0\|(Easy|Medium|Hard)$ ]]; then
        problem "$name" "unexpected status before the first move: '$status'"
        end_game
        return 1
    fi
    limit=${BASH_REMATCH[1]}
    difficulty=${BASH_REMATCH[2]}
    if [ "$limit" -lt -32768 ] || [ "$limit" -gt 32767 ]; then
        problem "$name" "time limit $limit"
        end_game
        return 1
    fi

    xdotool key --delay 30 KP_8 KP_2 KP_4 KP_6
    if [ "$limit" -le 0 ]; then
        # No time at all: the first tick of the clock ends the game.
        local up
        up=$(find_window "Time Up") || { problem "$name" "no time-up message with a limit of $limit"; end_game; return 1; }
        xdotool windowactivate --sync "$up" key Return >/dev/null 2>&1 || true
        window_gone "Time Up" || { problem "$name" "the time-up message stayed open"; end_game; return 1; }
    fi
    after=$(clock_status) || { problem "$name" "no clock after the moves: '$after'"; end_game; return 1; }
    if [ "$limit" -ge 1 ]; then
        # The moves started the clock: its first tick comes within a second.
        local ticking="^Timer : $((limit - 1)) : 5[0-9]\\|$difficulty\$"
        for _ in $(seq 1 30); do
            [[ $after =~ $ticking ]] && break
            sleep 0.1
            after=$($A11Y status 2>/dev/null) || true
        done
        [[ $after =~ $ticking ]] || { problem "$name" "the clock did not run after the moves: '$after'"; end_game; return 1; }
    fi

    wm_close "$win"
    pid_exit_status "$GAME_PID" || { problem "$name" "the game did not end after the close request"; end_game; return 1; }
    [ "$EXIT_STATUS" -eq 0 ] || { problem "$name" "exit status $EXIT_STATUS"; return 1; }

    [ -f "$SETTINGS" ] || { problem "$name" "no settings file after closing"; return 1; }
    section_values "$SETTINGS" Difficulty diff | grep -qxF -- "$difficulty" \
        || { problem "$name" "no diff=$difficulty under [Difficulty]: $(section_values "$SETTINGS" Difficulty diff | head -c 200)"; return 1; }
    if [ "$limit" -ge 0 ]; then expected_limit="\" $limit\""; else expected_limit=$limit; fi
    section_values "$SETTINGS" Times Timelimit | grep -qxF -- "$expected_limit" \
        || { problem "$name" "no Timelimit=$expected_limit under [Times]: $(section_values "$SETTINGS" Times Timelimit | head -c 200)"; return 1; }
    # Nothing else beside the file, but for a copy of what could not be
    # carried over, which holds the file as it was.
    local left
    left=$(ls -A "$store_folder" | tr '\n' ' ')
    case $left in
    "taviqgame.ini ") ;;
    "taviqgame.ini taviqgame.ini.unreadable ")
        cmp -s "$file" "$SETTINGS.unreadable" || { problem "$name" "the copy aside differs from the file"; return 1; } ;;
    *) problem "$name" "left in the folder: $left"; return 1 ;;
    esac
    echo "ok $name: '$status', then '$after'"
    return 0
}

count=0
for file in "$corpus"/*; do
    [ -f "$file" ] || continue
    count=$((count + 1))
    try_file "$file" || true
done
[ "$count" -ge 30 ] || fail "only $count files in $corpus"

if [ "${#problems[@]}" -gt 0 ]; then
    printf '%s\n' "${problems[@]}" >&2
    fail "${#problems[@]} of $count files"
fi
echo "$count passed, 0 failed"
