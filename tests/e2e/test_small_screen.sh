# screen: 400x300x24
# On a screen too small for the layout's places, every window opens with all
# of it on the screen: moved in as far as it sticks out, or to the top-left
# corner when it is larger than the screen. Windows are never resized.

# The window's frame as "left top right bottom" in screen pixels.
frame_of() {
    local x y w h extents l r t b
    read -r x y <<<"$(window_origin "$1")"
    w=$(xwininfo -id "$1" | awk '/Width:/ {print $2}')
    h=$(xwininfo -id "$1" | awk '/Height:/ {print $2}')
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
    read -r l r t b <<<"${extents:-0 0 0 0}"
    echo "$((x - l)) $((y - t)) $((x + w + r)) $((y + h + b))"
}

# Fails unless the window lies inside the 400x300 screen, or, where it is
# larger, stands at its top-left corner.
check_inside() {
    local name=$1 id=$2 left top right bottom
    read -r left top right bottom <<<"$(frame_of "$id")"
    if [ $((right - left)) -gt 400 ] || [ $((bottom - top)) -gt 300 ]; then
        # (Scaled, a window stands on whole logical pixels.)
        [ "$left" -lt "$scale" ] && [ "$top" -lt "$scale" ] \
            || fail "$name ($left,$top)-($right,$bottom) is larger than the screen but not at its corner"
    else
        [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ "$right" -le 400 ] && [ "$bottom" -le 300 ] \
            || fail "$name ($left,$top)-($right,$bottom) is not inside the screen"
    fi
    echo "$name: ($left,$top)-($right,$bottom)"
}

for scale in 1 2; do
    rm -rf "$XDG_CONFIG_HOME/taviq"
    QT_SCALE_FACTOR=$scale start_game
    win=$(wait_window Game)
    xdotool windowactivate --sync "$win"
    wait_for "Timer : 10 : 0|Easy" $A11Y status
    sleep 0.3
    check_inside "main window at scale $scale" "$win"
    screenshot "small-screen-$scale-main"

    xdotool key ctrl+a
    about=$(wait_window About)
    sleep 0.3
    check_inside "About at scale $scale" "$about"
    xdotool key Escape
    wait_window_gone About

    xdotool key F4
    scores=$(wait_window "High Scorers")
    sleep 0.3
    check_inside "High Scorers at scale $scale" "$scores"
    xdotool key Escape
    wait_window_gone "High Scorers"

    # shellcheck disable=SC2046
    xdotool key --delay 40 $($A11Y solve)
    winner=$(wait_window Winner)
    sleep 0.3
    check_inside "winner window at scale $scale" "$winner"
    screenshot "small-screen-$scale-winner"
    xdotool type --delay 30 "Small"
    xdotool key Return
    wait_window_gone Winner
    wm_close "$win"
    wait_exit
done
echo "1 passed, 0 failed"
