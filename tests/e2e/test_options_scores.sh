# Options: F3, choose Hard, OK deals a Hard game with 20 minutes, which a
# restart keeps. A game won by hand stores a record that F4 shows.
start_game
win=$(wait_window Game)
xdotool windowactivate --sync "$win"
wait_for "Timer : 10 : 0|Easy" $A11Y status

xdotool key F3
sleep 0.3
screenshot options-open
# The Hard option button, inside the difficulty frame of the panel.
CLIENT_HEIGHT=174 click_client "$win" $((8 + 16 + 24 + 10)) $((0 + 16 + 88 + 6))
sleep 0.2
# OK
CLIENT_HEIGHT=174 click_client "$win" $((8 + 144 + 24)) $((0 + 24 + 24))
wait_for "Timer : 20 : 0|Hard" $A11Y status
screenshot options-hard
wm_close "$win"
wait_exit
[ "$(setting diff)" = "Hard" ] || fail "Hard was not stored: '$(setting diff)'"
[ "$(setting Timelimit)" = '" 20"' ] || fail "the limit was not stored: '$(setting Timelimit)'"

# A restart keeps Hard and its limit.
start_game
win=$(wait_window Game)
xdotool windowactivate --sync "$win"
wait_for "Timer : 20 : 0|Hard" $A11Y status
wm_close "$win"
wait_exit

# Back on Easy through the store, win a game by hand and look at the record.
sed -i 's/^diff=.*/diff=Easy/' "$SETTINGS"
start_game
win=$(wait_window Game)
xdotool windowactivate --sync "$win"
wait_for "Timer : 20 : 0|Easy" $A11Y status
win_by_hand "Ada Tester" winner
[ "$(grep -i '^Easy=' "$SETTINGS" | head -n 2 | tr '\n' ' ')" != "" ] || fail "no record stored"

xdotool key F4
wait_window "High Scorers" >/dev/null
labels=$($A11Y labels "High Scorers")
screenshot high-scores
echo "$labels" | grep -qx "Ada Tester" || fail "the high-score window does not show the winner: $labels"
echo "$labels" | grep -qE '^0:[0-9]+$' || fail "the high-score window does not show the time: $labels"
xdotool key Escape
wait_window_gone "High Scorers"

wm_close "$win"
wait_exit
echo "1 passed, 0 failed"
