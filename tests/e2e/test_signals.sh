# A polite end by a signal (a logout, `kill`, Ctrl+C in a terminal) closes the
# game as its close box does, within three seconds and with exit status 0:
# the settings are saved, a dialog that waits is finished as by its default
# button, and an open winner window saves the record with the name typed so
# far, or "Anonymous".

# Sends the signal and waits for the game to end; fails unless it ends within
# three seconds with status 0.
end_with() {
    kill -"$1" "$GAME_PID"
    for _ in $(seq 1 60); do
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$GAME_PID" 2>/dev/null && fail "SIG$1: the game still runs three seconds later"
    pid_exit_status "$GAME_PID" || fail "SIG$1: the game did not end"
    [ "$EXIT_STATUS" -eq 0 ] || fail "SIG$1: exit status $EXIT_STATUS"
}

start_ready() {
    start_game
    win=$(wait_window Game)
    xdotool windowactivate --sync "$win"
    wait_for "$1" $A11Y status
}

easy_record() {
    echo "$(section_values "$SETTINGS" Names Easy | head -n 1)|$(section_values "$SETTINGS" Times Easy | head -n 1)"
}

# SIGTERM after the options were applied: Hard and its 20 minutes are saved.
start_ready "Timer : 10 : 0|Easy"
xdotool key F3
sleep 0.3
CLIENT_HEIGHT=174 click_client "$win" $((8 + 16 + 24 + 10)) $((0 + 16 + 88 + 6))
sleep 0.2
CLIENT_HEIGHT=174 click_client "$win" $((8 + 144 + 24)) $((0 + 24 + 24))
wait_for "Timer : 20 : 0|Hard" $A11Y status
end_with TERM
[ "$(setting diff)" = "Hard" ] || fail "SIGTERM: Hard was not saved: '$(setting diff)'"
[ "$(setting Timelimit)" = '" 20"' ] || fail "SIGTERM: the limit was not saved: '$(setting Timelimit)'"

# SIGINT while the Reset question waits: answered with its default, saved.
sed -i 's/^diff=.*/diff=Easy/' "$SETTINGS"
start_ready "Timer : 20 : 0|Easy"
click_client "$win" 40 198
wait_window Reset >/dev/null
end_with INT
[ "$(setting diff)" = "Easy" ] || fail "SIGINT: the difficulty was not saved: '$(setting diff)'"

# SIGHUP with the winner window open and a name half typed.
start_ready "Timer : 20 : 0|Easy"
# shellcheck disable=SC2046
xdotool key --delay 40 $($A11Y solve)
wait_window Winner >/dev/null
xdotool type --delay 30 "Ki"
sleep 0.2
screenshot signals-winner-open
end_with HUP
[[ $(easy_record) =~ ^Ki\|\"\ [0-9]+\"$ ]] || fail "SIGHUP: the record was not saved with the name typed: '$(easy_record)'"

# SIGTERM with the name box still empty: the record is Anonymous's.
rm -f "$SETTINGS"
start_ready "Timer : 10 : 0|Easy"
# shellcheck disable=SC2046
xdotool key --delay 40 $($A11Y solve)
wait_window Winner >/dev/null
end_with TERM
[[ $(easy_record) =~ ^Anonymous\|\"\ [0-9]+\"$ ]] || fail "SIGTERM: the record was not saved as Anonymous's: '$(easy_record)'"
[ "$(setting Timelimit)" = '" 10"' ] || fail "SIGTERM: the limit was not saved beside the record"
echo "1 passed, 0 failed"
