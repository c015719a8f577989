#!/usr/bin/python3
"""Runs a command until its window shows its first full frame, then ends it.

  profile_startup.py [--callgrind-dump] [--smaps FILE] TITLE NUMBERS -- COMMAND...

For profile-startup.sh: COMMAND may be the program itself or the program under
strace or valgrind. Once the window titled TITLE shows NUMBERS numbered cells,
the program (the process that owns the window, _NET_WM_PID) is, in order:
asked for a callgrind dump (--callgrind-dump), looked at 0.5 s later
(--smaps: its mapped files and their memory are written to FILE) and ended
with SIGTERM. Prints the time from the
start to the full frame and the CPU time the program had used by then.
"""

import argparse
import ctypes
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import measure  # noqa: E402


def window_pid(display, window):
    atom = display.x.XInternAtom(display.dpy, b"_NET_WM_PID", 0)
    kind, fmt = ctypes.c_ulong(), ctypes.c_int()
    items, rest = ctypes.c_ulong(), ctypes.c_ulong()
    data = ctypes.c_void_p()
    status = display.x.XGetWindowProperty(display.dpy, window, atom, 0, 1, 0, 0, ctypes.byref(kind),
                                          ctypes.byref(fmt), ctypes.byref(items), ctypes.byref(rest),
                                          ctypes.byref(data))
    if status != 0 or not data.value or items.value < 1:
        return None
    pid = ctypes.c_ulong.from_address(data.value).value
    display.x.XFree(data)
    return pid


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--callgrind-dump", action="store_true")
    parser.add_argument("--smaps")
    parser.add_argument("title")
    parser.add_argument("numbers", type=int)
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command

    display = measure.Display()
    program = measure.Program("profiled", args.title, command[0], args.numbers, [])
    program.path = command[0]
    started = time.monotonic()
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL)
    deadline = started + 120
    window = None
    while window is None:
        if process.poll() is not None:
            raise SystemExit("profile_startup.py: %s exited with %d" % (command[0], process.returncode))
        found = display.shown(args.title)
        if found:
            window, size = found
        elif time.monotonic() > deadline:
            raise SystemExit("profile_startup.py: no window titled %r" % args.title)
        else:
            time.sleep(0.002)
    damage = display.watch(window)
    while True:
        image = display.image(window, 0, 0, size[0], size[1])
        board = program.board or (image and measure.Board.find(image))
        if board and len(board.numbered(image)) == args.numbers:
            break
        if time.monotonic() > deadline:
            raise SystemExit("profile_startup.py: no full frame")
        display.wait(0.05)
    shown = time.monotonic()
    pid = window_pid(display, window) or process.pid
    cpu_ms = measure.cpu_ns(pid) / 1e6
    display.unwatch(damage)
    if args.callgrind_dump:
        subprocess.run(["callgrind_control", "--dump=first-full-frame", str(pid)], stdout=subprocess.DEVNULL,
                       check=False)
    if args.smaps:
        time.sleep(0.5)
        with open("/proc/%d/smaps" % pid) as source, open(args.smaps, "w") as target:
            target.write(source.read())
    os.kill(pid, signal.SIGTERM)
    try:
        process.wait(60)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
    print("%s: first full frame %.1f ms after the start, CPU %.1f ms by then" % (
        args.title, (shown - started) * 1000.0, cpu_ms))


if __name__ == "__main__":
    main()
