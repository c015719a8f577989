# The status bar counts down after a first move; Pause holds the clock and
# Resume lets it go on; F2 starts Auto Play and the pause button reads "Stop".
start_game
win=$(wait_window Game)
xdotool windowactivate --sync "$win"
sleep 0.3
wait_for "Timer : 10 : 0|Easy" $A11Y status
sleep 1.2
[ "$($A11Y status)" = "Timer : 10 : 0|Easy" ] || fail "the clock ran before the first move"

# A first move starts the clock.
xdotool key KP_8 KP_2
wait_for "Timer : 9 : 59|Easy" $A11Y status
wait_for "Timer : 9 : 58|Easy" $A11Y status
screenshot clock-running

# Pause (the button at the right under the board).
click_client "$win" 176 198
wait_for "Resume" $A11Y button 17
held=$($A11Y status)
sleep 1.5
[ "$($A11Y status)" = "$held" ] || fail "the clock ran while paused"
board=$($A11Y board)
xdotool key KP_8 KP_2 KP_4 KP_6
sleep 0.3
[ "$($A11Y board)" = "$board" ] || fail "a tile moved while paused"
screenshot clock-paused

# Resume: the countdown goes on from where it stood.
click_client "$win" 176 198
wait_for "Pause" $A11Y button 17
sleep 1.3
[ "$($A11Y status)" != "$held" ] || fail "the clock did not go on after Resume"

# Auto Play: the pause button reads "Stop", and stops it.
xdotool key F2
wait_for "Stop" $A11Y button 17
screenshot auto-play
click_client "$win" 176 198
wait_for "Pause" $A11Y button 17

wm_close "$win"
wait_exit
echo "1 passed, 0 failed"
