# What a screen reader sees, read from outside the process over AT-SPI: the
# sixteen cells with the blank not shown, the status text, every caption and
# menu item, the help message; a tile next to the blank pressed through it.
start_game
win=$(wait_window Game)
xdotool windowactivate --sync "$win"
sleep 0.3

read -r -a cells <<<"$($A11Y board)"
[ "${#cells[@]}" -eq 16 ] || fail "expected 16 cells, got ${#cells[@]}"
hidden=0; blank=-1
for i in "${!cells[@]}"; do
    if [ "${cells[$i]}" = "_" ]; then hidden=$((hidden + 1)); blank=$i; fi
done
[ "$hidden" -eq 1 ] || fail "expected exactly one hidden cell, got $hidden: ${cells[*]}"
[ "$(printf '%s\n' "${cells[@]}" | grep -v _ | sort -n | tr '\n' ' ')" = "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 " ] \
    || fail "the visible cells are not the numbers 1 to 15: ${cells[*]}"
wait_for "Timer : 10 : 0|Easy" $A11Y status

tree=$($A11Y dump Game)
for caption in "push button: 'Reset'" "push button: 'Pause'" "menu item: 'Tools'" "menu item: 'Auto Play'" \
    "menu item: 'Options'" "menu item: 'High Scores'" "menu item: 'Help'" "menu item: 'How to Play'" \
    "menu item: 'About'" "radio button: 'Easy'" "radio button: 'Medium'" "radio button: 'Hard'" \
    "push button: 'OK'" "push button: 'Cancel'" "label: 'Time limit in minutes'"; do
    grep -qF "$caption" <<<"$tree" || fail "not in the accessibility tree: $caption"
done
grep -qF "panel: 'Difficulty'" <<<"$tree" || fail "the difficulty frame has no name"
# The blank is not presented as a button one could see.
$A11Y dump Game | grep -E "push button: ''$" && fail "the blank is presented as a visible button"

# Press the tile above (or below) the blank through the accessibility interface.
if [ "$blank" -ge 4 ]; then from=$((blank - 4)); else from=$((blank + 4)); fi
$A11Y press "$from"
sleep 0.3
read -r -a after <<<"$($A11Y board)"
[ "${after[$blank]}" = "${cells[$from]}" ] && [ "${after[$from]}" = "_" ] \
    || fail "pressing cell $from did not slide it (board: ${after[*]})"
wait_for "Timer : 9 : 59|Easy" $A11Y status

# The help message reads as its five lines.
xdotool key F1
wait_window Help >/dev/null
labels=$($A11Y labels Help)
grep -qF "Your goal is to arrange the numbers in order" <<<"$labels" || fail "help text not readable: $labels"
grep -qF "Click Reset button to reset Game" <<<"$labels" || fail "help text not readable: $labels"
screenshot accessibility-help
xdotool key Return
wait_window_gone Help

wm_close "$win"
wait_exit
echo "1 passed, 0 failed"
