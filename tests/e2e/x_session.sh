# A private X server (Xvfb) with a window manager (openbox), as on a real
# desktop, and fresh per-user folders. Sourced by the end-to-end runner and
# the benchmarks:  start_x_session FIRST_DISPLAY LAST_DISPLAY
# An optional third argument gives the screen (default 1024x768x24).
# Sets DISPLAY, XDG_CONFIG_HOME, XDG_RUNTIME_DIR and `work` (a scratch folder);
# everything started here (listed in `pids`) ends with the calling script.

start_x_session() {
    local n display=
    for n in $(seq "$1" "$2"); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            display=:$n
            break
        fi
    done
    [ -n "$display" ] || { echo "no free X display"; exit 1; }

    work=$(mktemp -d)
    pids=()
    trap x_session_cleanup EXIT

    # No server reset when the last client leaves: the readiness probe below
    # would otherwise make the window manager race a restarting server.
    Xvfb "$display" -screen 0 "${3:-1024x768x24}" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    export DISPLAY=$display
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.05
    done
    xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }

    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    # Ready once it has announced what it supports, window activation among it.
    local ready=
    for _ in $(seq 1 200); do
        xprop -root _NET_SUPPORTED 2>/dev/null | grep -q '_NET_ACTIVE_WINDOW' && ready=1 && break
        sleep 0.05
    done
    if [ -z "$ready" ]; then
        echo "openbox is not ready:"; cat "$work/openbox.log"; ps -ef | grep -E 'openbox|Xvfb' | grep -v grep
        xprop -root | head -20
    fi

    export XDG_CONFIG_HOME=$work/config
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    export QT_QPA_PLATFORM=xcb
}

x_session_cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
