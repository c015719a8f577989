# A blind player's game with the real screen reader: Orca, speaking through
# speech-dispatcher, whose generic output module writes each text it would say
# to a file instead of a sound card. What the player hears: the window and the
# focused control at start, Orca's status-bar command, a tile with its number,
# row and column, a move by Space on a tile and one by the number pad (after
# Orca's bypass key), Pause and Resume, F10's menu with an item's shortcut
# key, auto play's start, the new deal after Reset, and High Scorers as it
# opens, and its Reset Scores.
skip() {
    echo "SKIPPED: $*"
    echo "0 passed, 0 failed, 1 skipped"
    exit 77
}
command -v orca >/dev/null 2>&1 || skip "Orca is not installed (scripts/install-deps.sh installs Debian's orca)"
command -v speech-dispatcher >/dev/null 2>&1 || skip "speech-dispatcher is not installed"
generic=/usr/lib/speech-dispatcher-modules/sd_generic
[ -x "$generic" ] || skip "speech-dispatcher has no generic output module ($generic)"

# --- speech-dispatcher: every text into $spoken, one line each -------------
spoken=$work/spoken.txt
: >"$spoken"
mkdir -p "$work/speechd/modules" "$work/speechd-log"
cat >"$work/speechd/speechd.conf" <<CONF
LogLevel 3
LogDir "$work/speechd-log"
# No sound card: ALSA's null device.
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "capture" "sd_generic" "capture.conf"
DefaultModule capture
CONF
cat >"$work/speechd/modules/capture.conf" <<CONF
GenericExecuteSynth "echo '\$DATA' >> $spoken"
GenericLanguage "en" "en" "utf-8"
AddVoice "en" "MALE1" "capture"
DefaultVoice "capture"
CONF
speech-dispatcher --run-single --timeout 0 --config-dir "$work/speechd" \
    --module-dir "$(dirname "$generic")" --communication-method unix_socket \
    --socket-path "$work/speechd.sock" --log-dir "$work/speechd-log" >"$work/speechd.out" 2>&1 &
pids+=($!)
for _ in $(seq 1 200); do [ -S "$work/speechd.sock" ] && break; sleep 0.05; done
[ -S "$work/speechd.sock" ] || fail "speech-dispatcher did not start: $(cat "$work/speechd.out" "$work"/speechd-log/*.log)"
export SPEECHD_ADDRESS=unix_socket:$work/speechd.sock

# What Orca has said since the last `mark`, one text a line.
said() { tail -n +$((mark + 1)) "$spoken"; }
mark() { mark=$(wc -l <"$spoken"); }
# Waits until Orca has said these texts since the mark, in this order, each
# on a line of its own or within one (twenty seconds at most).
hear() {
    local got
    for _ in $(seq 1 400); do
        got=$(said | awk -v texts="$(printf '%s\n' "$@")" '
            BEGIN { n = split(texts, want, "\n"); i = 1 }
            { while (i <= n && index($0, want[i])) i++ }
            END { exit i <= n }') && return 0
        sleep 0.05
    done
    fail "Orca did not say $(printf "'%s' " "$@"); it said: $(said | tr '\n' '|')
--- Orca's debug log (tail):
$(tail -n 30 "$work/orca-debug.txt" 2>/dev/null)"
}

# --- Orca, with fresh preferences and its debug log ----------------------------
# Only one Orca runs per user: wait for another one to finish (never end it).
for _ in $(seq 1 240); do pgrep -u "$(id -u)" -x orca >/dev/null || break; sleep 0.5; done
pgrep -u "$(id -u)" -x orca >/dev/null && fail "another Orca of this user is still running"
# Orca writes its debug log block by block; run it with the log written line
# by line, so that the log shows what Orca has done at any moment.
line_buffered_orca() {
    exec /usr/bin/python3 -c '
import builtins, sys
log = sys.argv[sys.argv.index("--debug-file") + 1]
real_open = builtins.open
def open_line_buffered(file, mode="r", buffering=-1, *args, **kwargs):
    if file == log and "w" in mode:
        buffering = 1
    return real_open(file, mode, buffering, *args, **kwargs)
builtins.open = open_line_buffered
sys.argv[0] = "/usr/bin/orca"
exec(compile(real_open(sys.argv[0]).read(), sys.argv[0], "exec"))
' "$@"
}
mark
line_buffered_orca --user-prefs "$work/orca-prefs" --debug-file "$work/orca-debug.txt" >"$work/orca.out" 2>&1 &
orca_pid=$!
pids+=("$orca_pid")
# Orca ends before the X server and the accessibility bus it talks to, or it
# may wait for them for ever.
stop_orca() {
    kill "$orca_pid" 2>/dev/null || return 0
    for _ in $(seq 1 100); do kill -0 "$orca_pid" 2>/dev/null || return 0; sleep 0.05; done
    kill -KILL "$orca_pid" 2>/dev/null || true
}
trap 'stop_orca; x_session_cleanup' EXIT
hear "Screen reader on"
# Ready once it listens for events, which its debug log tells.
for _ in $(seq 1 400); do grep -q "Startup complete" "$work/orca-debug.txt" 2>/dev/null && break; sleep 0.05; done
grep -q "Startup complete" "$work/orca-debug.txt" || fail "Orca did not finish starting: $(tail -n 20 "$work/orca-debug.txt")"

# Orca drops the title of the first window that opens right after its key
# grabs: a key press in another window first, a small GTK window that Orca
# reads. The key is Num Lock, which the number pad needs later on.
mark
/usr/bin/python3 -c '
import gi
gi.require_version("Gtk", "3.0")
from gi.repository import Gtk
window = Gtk.Window(title="helper")
window.add(Gtk.Button(label="Ready"))
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
' >"$work/helper.log" 2>&1 &
pids+=($!)
helper=$(wait_window helper)
xdotool windowactivate --sync "$helper"
hear "helper frame" "Ready push button"
mark
xdotool key Num_Lock
hear "num lock on"
wm_close "$helper"
wait_window_gone helper

# --- At start: the window's title and the control with the focus ------------
mark
start_game
win=$(wait_window Game)
xdotool windowactivate --sync "$win"
hear "Game frame" "Reset push button"

# --- The status-bar command (Orca+KP_Enter twice) ------------------------------
mark
xdotool keydown Insert
xdotool key --delay 150 KP_Enter KP_Enter
xdotool keyup Insert
hear "statusbar" "Timer : 10 : 0" "Easy"

# --- A tile: Tab to the one above or below the blank --------------------------
read -r -a cells <<<"$($A11Y board)"
for i in "${!cells[@]}"; do [ "${cells[$i]}" = "_" ] && blank=$i; done
if [ "$blank" -ge 4 ]; then tile=$((blank - 4)); back=KP8; else tile=$((blank + 4)); back=KP2; fi
place() { echo "row $(($1 / 4 + 1)), column $(($1 % 4 + 1))"; }
tabs=()
for i in $(seq 0 "$tile"); do [ "$i" -ne "$blank" ] && tabs+=(Tab); done
mark
xdotool key --delay 150 "${tabs[@]}"
hear "${cells[$tile]} push button" "$(place "$tile")"

# --- Space on it: the tile moves, and Orca says where it went -----------------
mark
xdotool key space
hear "${cells[$tile]} push button" "$(place "$blank")"

# --- The number pad after Orca's bypass key (Orca+BackSpace) moves it back ---
mark
xdotool keydown Insert
xdotool key BackSpace
xdotool keyup Insert
hear "Bypass mode enabled"
# Sent as the key's code, with Num Lock on: given the key's name, xdotool
# would switch Num Lock itself, and Orca would take that for the next key.
code=$(xkbcomp -xkb "$DISPLAY" - 2>/dev/null | awk -v k="<$back>" '$1 == k && !found { sub(";", "", $3); print $3; found = 1 }')
[ -n "$code" ] || fail "no key code for $back"
mark
xdotool key "$code"
hear "${cells[$tile]} push button" "$(place "$tile")"
[ "$($A11Y board)" = "${cells[*]}" ] || fail "the number pad did not move the tile back: $($A11Y board)"

# --- Pause and Resume say what the button does now -----------------------------
# Back from the tile to Pause, which the moves have enabled.
mark
xdotool key --delay 150 $(printf 'shift+Tab %.0s' "${tabs[@]}")
hear "Pause push button"
mark
xdotool key space
hear "Resume"
mark
xdotool key space
hear "Pause"

# --- F10 opens the first menu, Escape twice leaves the menu bar -------------------
mark
xdotool key F10
hear "Tools"
mark
xdotool key Down
hear "Auto Play F2"
xdotool key --delay 150 Escape Escape

# --- Auto play tells that it has started; Reset tells the new deal ------------------
mark
xdotool key F2
hear "Auto play started"
mark
xdotool key space
hear "Pause"
mark
xdotool key --delay 150 shift+Tab space
wait_window Reset >/dev/null
xdotool key Return
hear "New game"

# --- High Scorers reads its whole table as it opens -----------------------------
mark
xdotool key F4
wait_window "High Scorers" >/dev/null
hear "High Scorers dialog" "Easy: 8:0, Anonymous; Medium: 8:0, Anonymous; Hard: 8:0, Anonymous" "OK push button"
mark
xdotool key --delay 150 Tab space
hear "Scores reset"
xdotool key Escape
wait_window_gone "High Scorers"

wm_close "$win"
wait_exit
echo "1 passed, 0 failed"
