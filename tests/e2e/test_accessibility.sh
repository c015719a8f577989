# What a screen reader sees, read from outside the process over AT-SPI: the
# sixteen cells with their places and the blank among them, the status bar,
# every caption and menu item, the help message, the time limit as a spin
# button, the focus after a move, the events of a clock tick, Pause and
# Resume told as notifications, auto play's start, High Scorers
# and About as whole texts, Reset Scores told, the winner's name box and the
# new deal told, and Escape out of the menu bar; a tile next to the blank
# pressed through it.
start_game
win=$(wait_window Game)
xdotool windowactivate --sync "$win"
wait_for "Timer : 10 : 0|Easy" $A11Y status

# Starts listening for events of these kinds (a11y.py listen) in the
# background, into the file $events, and waits until the listener is ready.
events=$work/events.txt
listen() {
    $A11Y listen "$@" >"$events" &
    listener=$!
    for _ in $(seq 1 100); do grep -q '^ready$' "$events" && return 0; sleep 0.05; done
    fail "the event listener did not start"
}

# --- The board: numbers, places, the blank ----------------------------------
read -r -a cells <<<"$($A11Y board)"
[ "${#cells[@]}" -eq 16 ] || fail "expected 16 cells, got ${#cells[@]}"
hidden=0; blank=-1
for i in "${!cells[@]}"; do
    if [ "${cells[$i]}" = "_" ]; then hidden=$((hidden + 1)); blank=$i; fi
done
[ "$hidden" -eq 1 ] || fail "expected exactly one blank, got $hidden: ${cells[*]}"
[ "$(printf '%s\n' "${cells[@]}" | grep -v _ | sort -n | tr '\n' ' ')" = "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 " ] \
    || fail "the tiles are not the numbers 1 to 15: ${cells[*]}"

# Every cell says its place and is showing and visible; a tile can be
# pressed and focused, the blank neither.
check_cells() {
    local i=0 name place states actions
    while IFS='|' read -r name place states actions; do
        [ "$place" = "row $((i / 4 + 1)), column $((i % 4 + 1))" ] || fail "cell $i says '$place'"
        case ",$states," in *,showing,*visible,*) ;; *) fail "cell $i ($name) is not showing and visible: $states" ;; esac
        if [ "$i" -eq "$1" ]; then
            [ "$name|$actions" = "blank|" ] || fail "the blank at $i reads '$name' with actions '$actions'"
            case ",$states," in *,focusable,*) fail "the blank is focusable" ;; esac
        else
            [ "$name" = "${cells[$i]}" ] || fail "cell $i reads '$name', not '${cells[$i]}'"
            case ",$actions," in *,Press,*) ;; *) fail "cell $i cannot be pressed: '$actions'" ;; esac
        fi
        i=$((i + 1))
    done < <($A11Y cells)
    [ "$i" -eq 16 ] || fail "expected 16 cells, read $i"
}
check_cells "$blank"

tree=$($A11Y dump Game)
# A menu item's shortcut key in the form screen readers read it from other
# programs: "mnemonic;full path;shortcut".
for caption in "push button: 'Reset'" "push button: 'Pause'" "menu item: 'Tools'" \
    "menu item: 'Auto Play' keys ';;F2'" "menu item: 'Options' keys ';;F3'" \
    "menu item: 'High Scores' keys ';;F4'" "menu item: 'Help'" "menu item: 'How to Play' keys ';;F1'" \
    "menu item: 'About' keys ';;Ctrl+A'" "radio button: 'Easy'" "radio button: 'Medium'" "radio button: 'Hard'" \
    "push button: 'OK'" "push button: 'Cancel'" "label: 'Time limit in minutes'" \
    "spin button: 'Time limit in minutes'" "status bar: ''" "progress bar: 'Shuffle' (hidden)"; do
    grep -qF "$caption" <<<"$tree" || fail "not in the accessibility tree: $caption"
done
grep -qF "panel: 'Difficulty'" <<<"$tree" || fail "the difficulty frame has no name"
# The status bar holds the two panels and nothing else (no size grip).
[ "$(grep -A3 "status bar: ''" <<<"$tree" | grep -c "^      ")" -eq 2 ] || fail "the status bar does not hold two panels"

# --- A move by the number pad: the focus follows the tile -------------------
if [ "$blank" -lt 12 ]; then key=KP_8; from=$((blank + 4)); else key=KP_2; from=$((blank - 4)); fi
moved=${cells[$from]}
xdotool key "$key"
wait_for "push button|$moved|row $((blank / 4 + 1)), column $((blank % 4 + 1))" $A11Y focused
cells[$blank]=$moved; cells[$from]=_
check_cells "$from"

# --- A clock tick announces the clock and nothing else -----------------------
listen 3.5 object:property-change:accessible-name object:property-change:accessible-value \
    object:state-changed:showing object:state-changed:visible
wait "$listener"
ticks=$(grep -c '^object:property-change:accessible-name|label|Timer : ' "$events")
[ "$ticks" -ge 2 ] && [ "$ticks" -le 4 ] || fail "expected 3 clock announcements, got $ticks: $(cat "$events")"
others=$(grep -v -e '^ready$' -e '|label|Timer : ' "$events" || true)
[ -z "$others" ] || fail "a clock tick announced more than the clock: $others"

# --- A press through the accessibility interface slides the tile back --------
$A11Y press "$blank"
wait_for "push button|$moved|row $((from / 4 + 1)), column $((from % 4 + 1))" $A11Y focused
read -r -a after <<<"$($A11Y board)"
[ "${after[$from]}" = "$moved" ] && [ "${after[$blank]}" = "_" ] \
    || fail "pressing cell $blank did not slide it back (board: ${after[*]})"

# --- Pause and Resume: the button's new caption is told as a notification ------
for _ in $(seq 1 16); do
    case "$($A11Y focused)" in "push button|Pause|"*) break ;; esac
    xdotool key shift+Tab
done
case "$($A11Y focused)" in "push button|Pause|"*) ;; *) fail "Shift+Tab did not reach Pause: $($A11Y focused)" ;; esac
for caption in Resume Pause; do
    listen 2 object:state-changed:showing
    xdotool key space
    wait "$listener"
    grep -qx "object:state-changed:showing|notification|$caption|" "$events" \
        || fail "no notification '$caption' after Space on the pause button: $(cat "$events")"
done

# --- The help message reads as its five lines ---------------------------------
xdotool key F1
wait_window Help >/dev/null
labels=$($A11Y labels Help)
grep -qF "Your goal is to arrange the numbers in order" <<<"$labels" || fail "help text not readable: $labels"
grep -qF "Click Reset button to reset Game" <<<"$labels" || fail "help text not readable: $labels"
screenshot accessibility-help
xdotool key Return
wait_window_gone Help

# --- High Scorers and About read whole ----------------------------------------
xdotool key F4
wait_window "High Scorers" >/dev/null
labels=$($A11Y labels "High Scorers")
for row in "Easy: 8:0, Anonymous" "Medium: 8:0, Anonymous" "Hard: 8:0, Anonymous"; do
    grep -qxF "$row" <<<"$labels" || fail "High Scorers does not read '$row': $labels"
done
[ "$($A11Y description "High Scorers")" = "Easy: 8:0, Anonymous; Medium: 8:0, Anonymous; Hard: 8:0, Anonymous" ] \
    || fail "High Scorers is described as '$($A11Y description "High Scorers")'"
listen 2 object:state-changed:showing
xdotool key Tab space
wait "$listener"
grep -qx "object:state-changed:showing|notification|Scores reset|" "$events" \
    || fail "no notification after Reset Scores: $(cat "$events")"
xdotool key Escape
wait_window_gone "High Scorers"
xdotool key ctrl+a
wait_window About >/dev/null
[ "$($A11Y description About)" = "Taviq. Programmed by Taviq Game. E-mail game@example.org" ] \
    || fail "About reads '$($A11Y description About)'"
xdotool key Return
wait_window_gone About

# --- Options: Tab reaches each control, read with its caption -----------------
xdotool windowactivate --sync "$win" key F3
wait_for "radio button|Easy|" $A11Y focused
xdotool key Down
wait_for "radio button|Medium|" $A11Y focused
xdotool key Down
wait_for "radio button|Hard|" $A11Y focused
xdotool key Tab
wait_for "spin button|Time limit in minutes|" $A11Y focused
[ "$($A11Y spin | sort -u)" = "Time limit in minutes|20|1|60" ] || fail "the time limit reads '$($A11Y spin)'"
# Each step of the limit is told as a new value.
listen 3 object:property-change:accessible-value
xdotool key Up
for _ in $(seq 1 60); do grep -q '|spin button|Time limit in minutes|21$' "$events" && break; sleep 0.05; done
grep -q '|spin button|Time limit in minutes|21$' "$events" || fail "no value change for the step: $(cat "$events")"
wait "$listener"
xdotool key Tab
wait_for "spin button|Time limit in minutes|" $A11Y focused
xdotool key Tab
wait_for "push button|OK|Apply Difficulty Level" $A11Y focused
xdotool key Tab
wait_for "push button|Cancel|" $A11Y focused
xdotool key space
wait_for "push button|Reset|Reset Game" $A11Y focused
[ "$($A11Y status | cut -d'|' -f2)" = "Easy" ] || fail "Cancel did not keep Easy: $($A11Y status)"

# --- Escape closes the menu and leaves the menu bar ---------------------------
read -r ox oy <<<"$(window_origin "$win")"
xdotool mousemove $((ox + 15)) $((oy + 10)) click 1
xdotool key Down
wait_for "menu item|Tools|" $A11Y focused
xdotool key Escape
wait_for "menu bar||" $A11Y focused
xdotool key Escape
wait_for "push button|Reset|Reset Game" $A11Y focused

# --- The winner's name box ---------------------------------------------------------
keys=$($A11Y solve)
# shellcheck disable=SC2086
xdotool key --delay 40 $keys
wait_window Winner >/dev/null
wait_for "text|Name|" $A11Y focused
xdotool type --delay 30 "Ann"
listen 3 object:state-changed:showing
xdotool key Return
wait_window_gone Winner
wait "$listener"
grep -qx "object:state-changed:showing|notification|New game|" "$events" \
    || fail "no notification of the new deal after the win: $(cat "$events")"

# --- Auto play tells that it has started -------------------------------------------
listen 2 object:state-changed:showing
xdotool key F2
wait "$listener"
grep -qx "object:state-changed:showing|notification|Auto play started|" "$events" \
    || fail "no notification that auto play started: $(cat "$events")"

wm_close "$win"
wait_exit
echo "1 passed, 0 failed"
