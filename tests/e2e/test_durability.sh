# What the program has stored survives it: a best time stored just before the
# process is killed is in the file, and the next run keeps it; two copies of
# the program closing in the same instant leave one readable file with each
# entry once and nothing else in the folder.
store_folder=$(dirname "$SETTINGS")

# Prints "<name>|<time>" of the Easy record as the file holds it.
easy_record() {
    echo "$(section_values "$SETTINGS" Names Easy | head -n 1)|$(section_values "$SETTINGS" Times Easy | head -n 1)"
}

# Nothing but the settings file in its folder: no lock, no temporary file.
only_the_file() {
    local left
    left=$(ls -A "$store_folder" | tr '\n' ' ')
    [ "$left" = "taviqgame.ini " ] || fail "$1: left in the folder: $left"
}

# --- (a) A record stored just before the process is killed ---------------------
start_game
win=$(wait_window Game)
xdotool windowactivate --sync "$win"
wait_for "Timer : 10 : 0|Easy" $A11Y status
win_by_hand "Kim Durable"
# The record is stored once the winner window has closed, in the same
# handler: kill the program the moment the record is in the file (or after
# three seconds if it never comes).
for _ in $(seq 1 300); do
    [[ $(easy_record) =~ ^Kim\ Durable\|\"\ [0-9]+\"$ ]] && break
    sleep 0.01
done
kill -9 "$GAME_PID"
pid_exit_status "$GAME_PID" || fail "process $GAME_PID did not end"
[ "$EXIT_STATUS" -eq 137 ] || fail "the game was not killed (exit status $EXIT_STATUS)"
screenshot durability-killed
record=$(easy_record)
[[ $record =~ ^Kim\ Durable\|\"\ [0-9]+\"$ ]] || fail "the record did not survive the kill: '$record' in $(tr '\n' ' ' <"$SETTINGS")"
easy_time=${record#*|}

# The next run finds the record in the high-score window, and a normal close
# writes its entries beside it, whatever the killed run left behind.
start_game
win=$(wait_window Game)
xdotool windowactivate --sync "$win"
wait_for "Timer : 10 : 0|Easy" $A11Y status
xdotool key F4
wait_window "High Scorers" >/dev/null
labels=$($A11Y labels "High Scorers")
echo "$labels" | grep -qx "Kim Durable" || fail "the next run does not show the record: $labels"
xdotool key Escape
wait_window_gone "High Scorers"
wm_close "$win"
pid_exit_status "$GAME_PID" || fail "process $GAME_PID did not end"
[ "$EXIT_STATUS" -eq 0 ] || fail "the next run ended with status $EXIT_STATUS"
[ "$(easy_record)" = "Kim Durable|$easy_time" ] || fail "the record changed: '$(easy_record)'"
[ "$(section_values "$SETTINGS" Difficulty diff)" = "Easy" ] || fail "diff after the next run: '$(section_values "$SETTINGS" Difficulty diff)'"
[ "$(section_values "$SETTINGS" Times Timelimit)" = '" 10"' ] || fail "Timelimit after the next run: '$(section_values "$SETTINGS" Times Timelimit)'"
only_the_file "after the next run"
echo "record kept: $easy_time"

# --- (b) Two copies closing in the same instant ----------------------------------
for round in 1 2 3 4 5; do
    # Every other round starts without a file, so that both copies create it;
    # the others start from what is there (the first one with the record) and
    # must keep all of it.
    kept=
    if [ $((round % 2)) -eq 0 ]; then
        rm -rf "$store_folder"
    else
        kept=$(grep -vi -e '^diff=' -e '^Timelimit=' "$SETTINGS" | sort -u)
    fi
    start_game
    first_pid=$GAME_PID
    start_game
    second_pid=$GAME_PID
    windows=()
    for _ in $(seq 1 200); do
        mapfile -t windows < <(xdotool search --onlyvisible --name '^Game$' 2>/dev/null || true)
        [ "${#windows[@]}" -ge 2 ] && break
        sleep 0.05
    done
    [ "${#windows[@]}" -eq 2 ] || fail "round $round: ${#windows[@]} game windows instead of 2"
    # Both must be past their start-up before they are asked to close.
    sleep 0.3
    wmctrl -i -c "${windows[0]}"
    wmctrl -i -c "${windows[1]}"
    pid_exit_status "$first_pid" || fail "process $first_pid did not end"
    [ "$EXIT_STATUS" -eq 0 ] || fail "round $round: the first copy ended with status $EXIT_STATUS"
    pid_exit_status "$second_pid" || fail "process $second_pid did not end"
    [ "$EXIT_STATUS" -eq 0 ] || fail "round $round: the second copy ended with status $EXIT_STATUS"

    [ -f "$SETTINGS" ] || fail "round $round: no settings file"
    contents=$(tr '\n' ' ' <"$SETTINGS")
    [ "$(grep -ci '^diff=' "$SETTINGS")" -eq 1 ] || fail "round $round: diff not there exactly once: $contents"
    [ "$(grep -ci '^Timelimit=' "$SETTINGS")" -eq 1 ] || fail "round $round: Timelimit not there exactly once: $contents"
    [ "$(section_values "$SETTINGS" Difficulty diff)" = "Easy" ] || fail "round $round: unreadable difficulty: $contents"
    [ "$(section_values "$SETTINGS" Times Timelimit)" = '" 10"' ] || fail "round $round: unreadable time limit: $contents"
    [ "$(grep -c '^\[' "$SETTINGS")" -eq "$(grep '^\[' "$SETTINGS" | sort -u | wc -l)" ] || fail "round $round: a section twice: $contents"
    lost=$(comm -23 <(echo "$kept") <(sort -u "$SETTINGS") | grep -v '^$' || true)
    [ -z "$lost" ] || fail "round $round: lost $lost"
    if [ "$round" -eq 1 ]; then
        [ "$(easy_record)" = "Kim Durable|$easy_time" ] || fail "round 1: the record changed: '$(easy_record)'"
    fi
    only_the_file "round $round"
    echo "round $round: $contents"
done
echo "1 passed, 0 failed"
