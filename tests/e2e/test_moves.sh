# A number-pad key and a click move tiles in the real program; the arrow keys
# do not. The board is read through the accessibility interface.
start_game
win=$(wait_window Game)
xdotool windowactivate --sync "$win"
sleep 0.5
screenshot moves-before

board_before=$($A11Y board)
read -r -a cells <<<"$board_before"
blank=-1
for i in "${!cells[@]}"; do [ "${cells[$i]}" = "_" ] && blank=$i; done
[ "$blank" -ge 0 ] || fail "no blank in '$board_before'"

# The arrow keys move nothing.
xdotool key Up Down Left Right
sleep 0.3
[ "$($A11Y board)" = "$board_before" ] || fail "an arrow key moved a tile"

# Number pad 8 moves the tile below the blank up; with the blank in the
# bottom row, number pad 2 moves the tile above it down.
if [ "$blank" -lt 12 ]; then key=KP_8; from=$((blank + 4)); else key=KP_2; from=$((blank - 4)); fi
xdotool key "$key"
sleep 0.3
read -r -a after <<<"$($A11Y board)"
[ "${after[$blank]}" = "${cells[$from]}" ] || fail "$key did not move tile ${cells[$from]} (board: ${after[*]})"
[ "${after[$from]}" = "_" ] || fail "$key left the blank elsewhere (board: ${after[*]})"
screenshot moves-key

# A click on a tile next to the blank slides it: click the tile that just
# moved, and it slides back.
col=$((blank % 4)); row=$((blank / 4))
click_client "$win" $((16 + 48 * col + 20)) $((8 + 40 * row + 16))
sleep 0.3
[ "$($A11Y board)" = "$board_before" ] || fail "a click on the tile did not slide it back (board: $($A11Y board))"
screenshot moves-click

wm_close "$win"
wait_exit
echo "1 passed, 0 failed"
