#!/usr/bin/python3
"""Start-up time, memory and idle CPU of the game against a bare Qt window.

Runs inside an X session that is already up (DISPLAY set; see
run-benchmarks.sh). Each program is started RUNS times, alternating, with a
fresh configuration folder each time, and measured the same way:

  start    from just before the process is started until its window (found
           by its title among the windows the window manager manages) is
           mapped and viewable, polled every 2 ms straight through Xlib;
  memory   VmRSS from /proc/PID/status, SETTLE seconds after the window showed;
  idle     utime+stime clock ticks (/proc/PID/stat) and context switches of
           all threads over the IDLE seconds that follow, while the program
           waits for input.

Standard library only.

  measure.py [--runs N] [--settle S] [--idle S] [--strict]
             NAME TITLE PROGRAM  NAME TITLE PROGRAM
The first program is the one measured, the second the yardstick.
"""

import argparse
import ctypes
import ctypes.util
import os
import platform
import signal
import statistics
import subprocess
import sys
import tempfile
import time

POLL_SECONDS = 0.002
WINDOW_TIMEOUT_SECONDS = 30.0
TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")

# Targets: measured program / yardstick.
START_RATIO_TARGET = 1.10
MEMORY_RATIO_TARGET = 1.10
IDLE_TICKS_TARGET = 0


# --- Xlib through ctypes ------------------------------------------------------

class XWindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int), ("y", ctypes.c_int),
        ("width", ctypes.c_int), ("height", ctypes.c_int),
        ("border_width", ctypes.c_int), ("depth", ctypes.c_int),
        ("visual", ctypes.c_void_p), ("root", ctypes.c_ulong),
        ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
        ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
        ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
        ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int),
        ("all_event_masks", ctypes.c_long), ("your_event_mask", ctypes.c_long),
        ("do_not_propagate_mask", ctypes.c_long),
        ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p),
    ]


IS_VIEWABLE = 2
ANY_PROPERTY_TYPE = 0
XA_WINDOW = 33

_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


class Display:
    """Just enough Xlib to see a window, known by its title, mapped."""

    def __init__(self):
        name = ctypes.util.find_library("X11")
        if not name:
            raise SystemExit("measure.py: libX11 not found")
        x = ctypes.CDLL(name)
        self.x = x
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                           ctypes.POINTER(XWindowAttributes)]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XGetWindowProperty.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
            ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XSetErrorHandler.argtypes = [_ERROR_HANDLER]
        # A window that goes away between two requests is no reason to exit.
        self._on_error = _ERROR_HANDLER(lambda display, event: 0)
        x.XSetErrorHandler(self._on_error)
        self.dpy = x.XOpenDisplay(None)
        if not self.dpy:
            raise SystemExit("measure.py: cannot open display %r" % os.environ.get("DISPLAY"))
        self.root = x.XDefaultRootWindow(self.dpy)
        self.names = [x.XInternAtom(self.dpy, b"_NET_WM_NAME", 0),
                      x.XInternAtom(self.dpy, b"WM_NAME", 0)]
        self.client_list = x.XInternAtom(self.dpy, b"_NET_CLIENT_LIST", 0)

    def title(self, window):
        for atom in self.names:
            kind, fmt = ctypes.c_ulong(), ctypes.c_int()
            items, rest = ctypes.c_ulong(), ctypes.c_ulong()
            data = ctypes.c_void_p()
            status = self.x.XGetWindowProperty(self.dpy, window, atom, 0, 1024, 0, ANY_PROPERTY_TYPE,
                                               ctypes.byref(kind), ctypes.byref(fmt), ctypes.byref(items),
                                               ctypes.byref(rest), ctypes.byref(data))
            if status != 0 or not data.value:
                continue
            text = ctypes.string_at(data.value, items.value) if fmt.value == 8 else b""
            self.x.XFree(data)
            if text:
                return text.decode("utf-8", "replace")
        return None

    def managed(self):
        """The client windows the window manager manages (_NET_CLIENT_LIST)."""
        kind, fmt = ctypes.c_ulong(), ctypes.c_int()
        items, rest = ctypes.c_ulong(), ctypes.c_ulong()
        data = ctypes.c_void_p()
        status = self.x.XGetWindowProperty(self.dpy, self.root, self.client_list, 0, 4096, 0, XA_WINDOW,
                                           ctypes.byref(kind), ctypes.byref(fmt), ctypes.byref(items),
                                           ctypes.byref(rest), ctypes.byref(data))
        if status != 0 or not data.value:
            return []
        # Format 32 comes as an array of C longs.
        windows = list((ctypes.c_ulong * items.value).from_address(data.value)) if fmt.value == 32 else []
        self.x.XFree(data)
        return windows

    def shown(self, title):
        """Whether a managed window with this exact title is mapped and viewable.

        Only managed windows count: Qt also names windows that never show
        (the client leader), and those stay unmapped.
        """
        for window in self.managed():
            if self.title(window) == title and self.viewable(window):
                return True
        return False

    def viewable(self, window):
        attributes = XWindowAttributes()
        if not self.x.XGetWindowAttributes(self.dpy, window, ctypes.byref(attributes)):
            return False
        return attributes.map_state == IS_VIEWABLE


# --- /proc ------------------------------------------------------------------

def status_fields(path):
    fields = {}
    with open(path) as f:
        for line in f:
            key, _, value = line.partition(":")
            fields[key] = value.strip()
    return fields


def kilobytes(text):
    return int(text.split()[0])


def cpu_ticks(pid):
    with open("/proc/%d/stat" % pid) as f:
        after_name = f.read().rpartition(")")[2].split()
    # Fields 14 and 15 (utime, stime); after the name the list starts at field 3.
    return int(after_name[11]) + int(after_name[12])


def context_switches(pid):
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            fields = status_fields("/proc/%d/task/%s/status" % (pid, task))
        except OSError:
            continue
        total += int(fields.get("voluntary_ctxt_switches", 0))
        total += int(fields.get("nonvoluntary_ctxt_switches", 0))
    return total


# --- One run ------------------------------------------------------------------

class Program:
    def __init__(self, name, title, path):
        self.name, self.title, self.path = name, title, os.path.abspath(path)
        self.runs = []


def run_once(display, program, settle, idle, workdir, index):
    config = os.path.join(workdir, "%s-%d" % (program.name, index))
    os.makedirs(config)
    env = dict(os.environ, XDG_CONFIG_HOME=config)
    log = open(os.path.join(workdir, "%s-%d.log" % (program.name, index)), "w")

    started = time.monotonic()
    process = subprocess.Popen([program.path], env=env, stdout=log, stderr=subprocess.STDOUT,
                               stdin=subprocess.DEVNULL)

    def fail(message):
        log.flush()
        with open(log.name) as f:
            output = f.read()[-2000:]
        raise SystemExit("measure.py: %s\n%s" % (message, output))

    try:
        shown = None
        while shown is None:
            if process.poll() is not None:
                fail("%s exited with %d before its window showed" % (program.path, process.returncode))
            if display.shown(program.title):
                shown = time.monotonic()
                break
            if time.monotonic() - started > WINDOW_TIMEOUT_SECONDS:
                fail("no window titled %r within %d s" % (program.title, WINDOW_TIMEOUT_SECONDS))
            time.sleep(POLL_SECONDS)

        time.sleep(max(0.0, shown + settle - time.monotonic()))
        fields = status_fields("/proc/%d/status" % process.pid)
        ticks = cpu_ticks(process.pid)
        switches = context_switches(process.pid)
        result = {
            "start_ms": (shown - started) * 1000.0,
            "rss_kb": kilobytes(fields["VmRSS"]),
            "anon_kb": kilobytes(fields.get("RssAnon", "0 kB")),
            "file_kb": kilobytes(fields.get("RssFile", "0 kB")),
            "shmem_kb": kilobytes(fields.get("RssShmem", "0 kB")),
            "threads": int(fields.get("Threads", "0")),
        }
        if idle > 0:
            time.sleep(idle)
            result["idle_ticks"] = cpu_ticks(process.pid) - ticks
            result["idle_switches"] = context_switches(process.pid) - switches
        result["total_ticks"] = cpu_ticks(process.pid)
        if process.poll() is not None:
            fail("%s ended on its own" % program.path)
        return result
    finally:
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        log.close()


# --- Report -------------------------------------------------------------------

def machine():
    model, processors = "unknown", 0
    with open("/proc/cpuinfo") as f:
        for line in f:
            key, _, value = line.partition(":")
            key = key.strip()
            if key == "model name" and model == "unknown":
                model = value.strip()
            elif key == "processor":
                processors += 1
    memory = kilobytes(status_fields("/proc/meminfo")["MemTotal"])
    return model, processors or os.cpu_count(), memory


def median(runs, key):
    return statistics.median(run[key] for run in runs)


def spread(runs, key):
    values = [run[key] for run in runs]
    return min(values), max(values)


def main():
    parser = argparse.ArgumentParser(
        description=__doc__.splitlines()[0],
        usage="%(prog)s [options] NAME TITLE PROGRAM NAME TITLE PROGRAM",
        epilog="The first program is the one measured, the second the yardstick.")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--settle", type=float, default=1.0,
                        help="seconds from the window showing to the memory reading (default 1)")
    parser.add_argument("--idle", type=float, default=10.0,
                        help="seconds of waiting measured for CPU time (default 10; 0 skips)")
    parser.add_argument("--qt-version", default="unknown")
    parser.add_argument("--strict", action="store_true", help="exit with 3 when a target is missed")
    parser.add_argument("programs", nargs=6, metavar="ARG", help=argparse.SUPPRESS)
    args = parser.parse_args()

    measured = Program(*args.programs[0:3])
    yardstick = Program(*args.programs[3:6])
    programs = [measured, yardstick]
    display = Display()

    model, processors, memory = machine()
    print("Machine: %s, %d cores, %.1f GiB memory, kernel %s, Qt %s, display %s (Xvfb + openbox)"
          % (model, processors, memory / 1024.0 / 1024.0, platform.release(), args.qt_version,
             os.environ.get("DISPLAY")))
    print("%d runs each, alternating, after one warm-up run each; memory %.1f s after the window "
          "showed, then %.0f s of waiting" % (args.runs, args.settle, args.idle))
    print()

    with tempfile.TemporaryDirectory(prefix="taviq-bench-") as workdir:
        # Warm-up: loads the libraries and fonts into the page cache.
        for program in programs:
            run_once(display, program, 0.0, 0.0, workdir, 0)
        for index in range(1, args.runs + 1):
            for program in programs:
                result = run_once(display, program, args.settle, args.idle, workdir, index)
                program.runs.append(result)
                line = "  run %d %-9s start %7.1f ms   RSS %6d kB (anon %d, file %d, shmem %d)   threads %d" % (
                    index, program.name, result["start_ms"], result["rss_kb"], result["anon_kb"],
                    result["file_kb"], result["shmem_kb"], result["threads"])
                if "idle_ticks" in result:
                    line += "   idle %d ticks, %d context switches" % (result["idle_ticks"],
                                                                      result["idle_switches"])
                print(line, flush=True)
    print()

    missed = []

    def verdict(ok, what):
        if not ok:
            missed.append(what)
        return "yes" if ok else "NO"

    a, b = measured.runs, yardstick.runs
    start_ratio = median(a, "start_ms") / median(b, "start_ms")
    rss_ratio = median(a, "rss_kb") / median(b, "rss_kb")
    header = "%-34s %16s %16s %7s  %-22s %s" % ("median of %d runs" % args.runs, measured.name,
                                               yardstick.name, "ratio", "target", "met")
    print(header)
    print("-" * len(header))
    print("%-34s %13.1f ms %13.1f ms %7.3f  %-22s %s" % (
        "start to first window shown", median(a, "start_ms"), median(b, "start_ms"), start_ratio,
        "ratio <= %.2f" % START_RATIO_TARGET, verdict(start_ratio <= START_RATIO_TARGET, "start-up time")))
    print("%-34s %13.0f kB %13.0f kB %7.3f  %-22s %s" % (
        "resident memory %.0f s after shown" % args.settle, median(a, "rss_kb"), median(b, "rss_kb"),
        rss_ratio, "ratio <= %.2f" % MEMORY_RATIO_TARGET,
        verdict(rss_ratio <= MEMORY_RATIO_TARGET, "resident memory")))
    if args.idle > 0:
        worst = max(run["idle_ticks"] for run in a)
        print("%-34s %10d ticks %10d ticks %7s  %-22s %s" % (
            "CPU while waiting %.0f s (max)" % args.idle, worst,
            max(run["idle_ticks"] for run in b), "",
            "%s: %d ticks" % (measured.name, IDLE_TICKS_TARGET),
            verdict(worst <= IDLE_TICKS_TARGET, "idle CPU")))
        print("%-34s %16d %16d" % ("context switches while waiting (max)",
                                   max(run["idle_switches"] for run in a),
                                   max(run["idle_switches"] for run in b)))
    print("%-34s %16.0f %16.0f" % ("CPU ticks from start (median)", median(a, "total_ticks"),
                                   median(b, "total_ticks")))
    low, high = spread(a, "start_ms")
    low_b, high_b = spread(b, "start_ms")
    print("%-34s %7.1f-%6.1f ms %7.1f-%6.1f ms" % ("start-up range", low, high, low_b, high_b))
    print("(one tick = %d ms)" % (1000 // TICKS_PER_SECOND))
    print()
    if missed:
        print("Targets missed: %s" % ", ".join(missed))
    else:
        print("All start-up, memory and idle targets met.")
    return 3 if missed and args.strict else 0


if __name__ == "__main__":
    sys.exit(main())
