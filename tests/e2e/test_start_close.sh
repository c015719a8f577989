# The program opens its window, deals a board, and a close request from the
# window manager writes the difficulty and the time limit to the store.
start_game
win=$(wait_window Game)
sleep 0.5
screenshot start-close

# The client area, under the menu bar, stands 306 px from the left and 134 px
# from the top of the screen.
read -r ox oy <<<"$(window_origin "$win")"
height=$(xwininfo -id "$win" | awk '/Height/ {print $2}')
[ "$ox" -eq 306 ] || fail "client area at x=$ox"
[ $((oy + height - 240)) -eq 134 ] || fail "client area at y=$((oy + height - 240))"
[ -e "$SETTINGS" ] && fail "the store was written before the window closed"

wm_close "$win"
wait_exit
[ -f "$SETTINGS" ] || fail "no settings file at $SETTINGS"
[ "$(setting diff)" = "Easy" ] || fail "difficulty written as '$(setting diff)'"
[ "$(setting Timelimit)" = '" 10"' ] || fail "time limit written as '$(setting Timelimit)'"

# A stored Hard is read back at the next start and kept on closing.
sed -i 's/^diff=.*/diff=Hard/' "$SETTINGS"
start_game
win=$(wait_window Game)
sleep 0.5
wm_close "$win"
wait_exit
[ "$(setting diff)" = "Hard" ] || fail "Hard was not kept: '$(setting diff)'"
echo "1 passed, 0 failed"
