# The program opens its window, deals a board, and a close request from the
# window manager writes the difficulty and the time limit to the store.
start_game
win=$(wait_window Game)
sleep 0.5
screenshot start-close
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
