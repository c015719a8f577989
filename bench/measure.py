#!/usr/bin/python3
"""The game against a bare Qt window and sgt-puzzles' fifteen, side by side.

Runs inside an X session that is already up (DISPLAY set, a window manager
running; see run-benchmarks.sh). Three programs take part:

  game      the game (window "Game", fifteen numbered tiles, number-pad keys)
  baseline  a bare Qt Widgets window with sixteen numbered buttons ("Baseline")
  peer      sgt-puzzles' fifteen (window "Fifteen", arrow keys), a black box

Every program is started with a fresh configuration folder and the locale
C.UTF-8, and is seen only from outside, through the X server and /proc:

  start-up  from just before the process is started until (a) its window is
            mapped and viewable and (b) the first frame with all its numbers
            drawn: the window's pixels are read at every XDamage report until
            each of the sixteen cells of its board holds a number (fifteen
            for the game and the peer, sixteen for the baseline);
  memory    VmRSS 0.5 s after the window was mapped (the game's floor: the
            bare window's plus its own program file's code and data), then
            Private_Dirty of /proc/PID/smaps_rollup once the program has
            settled;
  idle      CPU time of all threads (/proc/PID/task/*/schedstat) while the
            program waits for input;
  latency   from a key sent with XTest to the first XDamage report on the
            cell the moved tile arrives in whose pixels really changed, over
            many moves (number-pad 8/2/4/6 for the game, the arrow keys for
            the peer, which animates its slides: its first changed frame
            counts), without and with an accessibility bus;
  clock     CPU time of the game over a stretch of running clock, without
            and with an accessibility bus, and how often its window changed;
            the same for the bare window started with --clock, which sets
            one status-bar label a second (the floor for a ticking clock);
            several runs each, interleaved, their median and spread.

Where the board lies in a window is found from the window's own pixels: the
four rows and four columns of dark number glyphs. Which way each key moves
the blank is found by pressing it. Standard library only (Xlib, XTest and
XDamage through ctypes).

  measure.py --game PATH --baseline PATH --peer PATH [--quick] [options]
"""

import argparse
import ctypes
import ctypes.util
import math
import os
import platform
import random
import select
import signal
import statistics
import subprocess
import sys
import tempfile
import time

WINDOW_TIMEOUT_SECONDS = 30.0
MOVE_TIMEOUT_SECONDS = 2.0
POLL_SECONDS = 0.001
TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")
LOCALE = "C.UTF-8"

# Targets of the game.
START_RATIO_TO_PEER = 0.95        # start to first full frame, game / peer
# Resident memory 0.5 s after mapping: at most the bare window's plus the
# loaded part of the game's own program file (its code and data).
DIRTY_RATIO_TO_PEER = 0.70        # private dirty memory, settled
IDLE_CPU_MS = 0.0                 # while waiting for input
LATENCY_P95_MS = 5.0              # key to first changed pixel of the tile
LATENCY_P95_RATIO_TO_PEER = 0.5
CLOCK_CPU_RATIO_TO_BASELINE = 1.10  # while the clock runs: medians, game / bare window --clock

KEYSYMS = {"KP_8": 0xFFB8, "KP_2": 0xFFB2, "KP_4": 0xFFB4, "KP_6": 0xFFB6,
           "Up": 0xFF52, "Down": 0xFF54, "Left": 0xFF51, "Right": 0xFF53}
XK_NUM_LOCK = 0xFF7F


class Program:
    def __init__(self, name, title, path, numbers, keys):
        self.name, self.title, self.path = name, title, os.path.abspath(path)
        self.numbers = numbers      # numbered cells of a full frame
        self.keys = keys            # keys that move tiles
        self.board = None           # Board, once found
        self.steps = {}             # key -> change of the blank's index
        self.runs = []
        self.latency = {}           # bus -> [ms]
        self.clock = {}             # bus -> results of the clock runs


# --- Xlib, XTest and XDamage through ctypes -----------------------------------

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


class XImage(ctypes.Structure):
    _fields_ = [
        ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
    ]


class XRectangle(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort)]


class XDamageNotifyEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p), ("drawable", ctypes.c_ulong), ("damage", ctypes.c_ulong),
        ("level", ctypes.c_int), ("more", ctypes.c_int), ("timestamp", ctypes.c_ulong),
        ("area", XRectangle), ("geometry", XRectangle),
    ]


XEvent = ctypes.c_long * 24

IS_VIEWABLE = 2
ANY_PROPERTY_TYPE = 0
XA_WINDOW = 33
Z_PIXMAP = 2
ALL_PLANES = 0xFFFFFFFFFFFFFFFF
XKB_USE_CORE_KBD = 0x0100
DAMAGE_REPORT_RAW_RECTANGLES = 0
REVERT_TO_PARENT = 2

_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


def _library(name):
    path = ctypes.util.find_library(name)
    if not path:
        raise SystemExit("measure.py: lib%s not found (bench/install-peer.sh installs it)" % name)
    return ctypes.CDLL(path)


class Display:
    """Windows found by title, their pixels, XDamage reports and XTest keys."""

    def __init__(self):
        x = self.x = _library("X11")
        xtst = self.xtst = _library("Xtst")
        xdamage = self.xdamage = _library("Xdamage")
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
        x.XGetImage.restype = ctypes.POINTER(XImage)
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        x.XKeysymToKeycode.restype = ctypes.c_ubyte
        x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x.XkbKeysymToModifiers.restype = ctypes.c_uint
        x.XkbKeysymToModifiers.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x.XkbLockModifiers.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint, ctypes.c_uint]
        x.XGetInputFocus.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_ulong),
                                     ctypes.POINTER(ctypes.c_int)]
        x.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
        xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        xdamage.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                                  ctypes.POINTER(ctypes.c_int)]
        xdamage.XDamageCreate.restype = ctypes.c_ulong
        xdamage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
        xdamage.XDamageDestroy.argtypes = [ctypes.c_void_p, ctypes.c_ulong]

        # A window that goes away between two requests is no reason to exit.
        self._on_error = _ERROR_HANDLER(lambda display, event: 0)
        x.XSetErrorHandler(self._on_error)
        self.dpy = x.XOpenDisplay(None)
        if not self.dpy:
            raise SystemExit("measure.py: cannot open display %r" % os.environ.get("DISPLAY"))
        self.fd = x.XConnectionNumber(self.dpy)
        self.root = x.XDefaultRootWindow(self.dpy)
        self.names = [x.XInternAtom(self.dpy, b"_NET_WM_NAME", 0),
                      x.XInternAtom(self.dpy, b"WM_NAME", 0)]
        self.client_list = x.XInternAtom(self.dpy, b"_NET_CLIENT_LIST", 0)
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not xdamage.XDamageQueryExtension(self.dpy, ctypes.byref(event_base), ctypes.byref(error_base)):
            raise SystemExit("measure.py: the X server has no DAMAGE extension")
        self.damage_notify = event_base.value
        self._titles = {}

    # Windows

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
        """A managed, mapped and viewable window with this exact title, or None.

        Only managed windows count: Qt also names windows that never show
        (the client leader), and those stay unmapped.
        """
        for window in self.managed():
            if self.title(window) == title:
                size = self.viewable(window)
                if size:
                    return window, size
        return None

    def viewable(self, window):
        """The window's size if it is mapped and viewable, else None."""
        attributes = XWindowAttributes()
        if not self.x.XGetWindowAttributes(self.dpy, window, ctypes.byref(attributes)):
            return None
        if attributes.map_state != IS_VIEWABLE:
            return None
        return attributes.width, attributes.height

    # Pixels

    def image(self, window, x, y, width, height):
        """The pixels of a rectangle of a window, or None (gone, unmapped)."""
        pointer = self.x.XGetImage(self.dpy, window, x, y, width, height, ALL_PLANES, Z_PIXMAP)
        if not pointer:
            return None
        image = pointer.contents
        if image.bits_per_pixel != 32:
            self.x.XDestroyImage(pointer)
            raise SystemExit("measure.py: needs a 24- or 32-bit screen")
        data = ctypes.string_at(image.data, image.bytes_per_line * image.height)
        result = Image(data, image.width, image.height, image.bytes_per_line)
        self.x.XDestroyImage(pointer)
        return result

    # Damage

    def watch(self, window):
        """Starts XDamage reports of every drawing on the window."""
        damage = self.xdamage.XDamageCreate(self.dpy, window, DAMAGE_REPORT_RAW_RECTANGLES)
        self.x.XSync(self.dpy, 0)
        return damage

    def unwatch(self, damage):
        self.xdamage.XDamageDestroy(self.dpy, damage)
        self.x.XSync(self.dpy, 0)
        self.drain()

    def drain(self):
        """Takes every queued event; returns the rectangles damaged."""
        rects = []
        event = XEvent()
        while self.x.XPending(self.dpy):
            self.x.XNextEvent(self.dpy, ctypes.byref(event))
            if event[0] & 0x7F == self.damage_notify:
                notify = XDamageNotifyEvent.from_buffer(event)
                area = notify.area
                rects.append((area.x, area.y, area.width, area.height))
        return rects

    def wait(self, timeout):
        """Waits up to `timeout` seconds for events; returns the rectangles
        damaged and the time they were read (monotonic)."""
        self.x.XFlush(self.dpy)
        rects = self.drain()
        if rects:
            return rects, time.monotonic()
        ready, _, _ = select.select([self.fd], [], [], max(0.0, timeout))
        now = time.monotonic()
        if ready:
            return self.drain(), now
        return [], now

    # Keys and focus

    def num_lock_on(self):
        mask = self.x.XkbKeysymToModifiers(self.dpy, XK_NUM_LOCK)
        if mask:
            self.x.XkbLockModifiers(self.dpy, XKB_USE_CORE_KBD, mask, mask)
        self.x.XSync(self.dpy, 0)

    def keycode(self, name):
        code = self.x.XKeysymToKeycode(self.dpy, KEYSYMS[name])
        if not code:
            raise SystemExit("measure.py: no key for %s" % name)
        return code

    def tap(self, keycode):
        """Presses and releases a key; returns the time the press went out."""
        self.xtst.XTestFakeKeyEvent(self.dpy, keycode, 1, 0)
        self.xtst.XTestFakeKeyEvent(self.dpy, keycode, 0, 0)
        sent = time.monotonic()
        self.x.XFlush(self.dpy)
        return sent

    def focus(self, window):
        focused, revert = ctypes.c_ulong(), ctypes.c_int()
        self.x.XGetInputFocus(self.dpy, ctypes.byref(focused), ctypes.byref(revert))
        if focused.value != window:
            self.x.XSetInputFocus(self.dpy, window, REVERT_TO_PARENT, 0)
        self.x.XSync(self.dpy, 0)


# --- Pixels and the board ------------------------------------------------------

# Number glyphs are dark: a pixel counts as ink below this green value.
INK_LEVEL = 100
_INK = bytes(1 if value < INK_LEVEL else 0 for value in range(256))


class Image:
    def __init__(self, data, width, height, stride):
        self.data, self.width, self.height, self.stride = data, width, height, stride

    def green(self, x, y, width):
        """The green values of `width` pixels of row y from x (BGRX)."""
        start = y * self.stride + x * 4 + 1
        return self.data[start:start + width * 4:4]

    def ink(self, rect):
        """How many pixels of the rectangle are ink."""
        x, y, width, height = rect
        return sum(self.green(x, row, width).translate(_INK).count(1) for row in range(y, y + height))

    def pixels(self, rect):
        x, y, width, height = rect
        return b"".join(self.data[row * self.stride + x * 4:row * self.stride + (x + width) * 4]
                        for row in range(y, y + height))


def bands(flags, gap=3):
    """Runs of true flags (a gap of fewer than `gap` false ones joins two)."""
    runs = []
    start = last = None
    for index, flag in enumerate(flags):
        if not flag:
            continue
        if start is not None and index - last <= gap:
            last = index
            continue
        if start is not None:
            runs.append((start, last))
        start = last = index
    if start is not None:
        runs.append((start, last))
    return runs


def even_four(runs):
    """Four consecutive runs whose centres lie evenly apart, or None."""
    centres = [(a + b) / 2.0 for a, b in runs]
    for i in range(len(runs) - 3):
        steps = [centres[i + k + 1] - centres[i + k] for k in range(3)]
        if min(steps) >= 20 and max(steps) - min(steps) <= 3:
            return runs[i:i + 4], sum(steps) / 3.0
    return None


class Board:
    """The sixteen cells of a program's board, in window coordinates.

    Found from a settled frame: the rows of number glyphs come in four evenly
    spaced bands, and so do their columns within those rows. A cell is the
    square around its band's crossing, less a margin for the tile's edge.
    """

    def __init__(self, cells):
        self.cells = cells

    @staticmethod
    def find(image):
        ink = [image.green(0, y, image.width).translate(_INK) for y in range(image.height)]
        # Frame lines (a box drawn around the board) are no glyphs.
        columns = [sum(column) for column in zip(*ink)]
        lines = {x for x, count in enumerate(columns) if count > image.height / 2}
        keep = [x for x in range(image.width) if x not in lines]

        def glyphs(row):
            count = sum(row[x] for x in keep)
            return 0 < count < image.width / 2

        found = even_four(bands([glyphs(row) for row in ink]))
        if not found:
            return None
        rows, row_pitch = found
        top, bottom = rows[0][0], rows[3][1]
        ink_columns = [x not in lines and any(ink[y][x] for y in range(top, bottom + 1))
                       for x in range(image.width)]
        found = even_four(bands(ink_columns, gap=6))
        if not found:
            return None
        columns, column_pitch = found
        half_w = int(column_pitch / 2) - 5
        half_h = int(row_pitch / 2) - 5
        cells = []
        for a, b in rows:
            cy = int(round((a + b) / 2.0))
            for c, d in columns:
                cx = int(round((c + d) / 2.0))
                cells.append((cx - half_w, cy - half_h, 2 * half_w, 2 * half_h))
        return Board(cells)

    def numbered(self, image):
        """Indices of the cells that show a number: some ink, mostly not ink."""
        result = []
        for index, rect in enumerate(self.cells):
            ink = image.ink(rect)
            if 4 <= ink <= rect[2] * rect[3] * 0.4:
                result.append(index)
        return result

    def span(self):
        left = min(c[0] for c in self.cells)
        top = min(c[1] for c in self.cells)
        right = max(c[0] + c[2] for c in self.cells)
        bottom = max(c[1] + c[3] for c in self.cells)
        return left, top, right - left, bottom - top


def intersects(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


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


def cpu_ns(pid):
    """CPU time of all the process's threads so far, in nanoseconds."""
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as f:
                total += int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            continue
    return total


# --- Running a program -----------------------------------------------------------

class Session:
    """One running program, seen from outside."""

    def __init__(self, display, program, workdir, label, env, args=()):
        self.display, self.program = display, program
        config = tempfile.mkdtemp(prefix="%s-%s-" % (program.name, label), dir=workdir)
        self.log_path = config + ".log"
        self.log = open(self.log_path, "w")
        full_env = dict(env, XDG_CONFIG_HOME=config)
        self.damage = None
        self.window = None
        self.started = time.monotonic()
        self.process = subprocess.Popen([program.path, *args], env=full_env, stdout=self.log,
                                        stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)

    def fail(self, message):
        self.log.flush()
        with open(self.log_path) as f:
            output = f.read()[-2000:]
        self.close()
        raise SystemExit("measure.py: %s: %s\n%s" % (self.program.name, message, output))

    def alive(self):
        if self.process.poll() is not None:
            self.fail("exited with %d" % self.process.returncode)

    def wait_mapped(self):
        """Polls until the window is mapped; returns the time it was seen."""
        while True:
            self.alive()
            found = self.display.shown(self.program.title)
            if found:
                self.window, self.size = found
                return time.monotonic()
            if time.monotonic() - self.started > WINDOW_TIMEOUT_SECONDS:
                self.fail("no window titled %r within %d s" % (self.program.title, WINDOW_TIMEOUT_SECONDS))
            time.sleep(POLL_SECONDS)

    def frame(self):
        return self.display.image(self.window, 0, 0, self.size[0], self.size[1])

    def wait_full_frame(self):
        """Waits for the first frame with all the numbers drawn; returns the
        time the drawing that completed it was reported (or seen)."""
        self.damage = self.display.watch(self.window)
        seen = time.monotonic()
        deadline = self.started + WINDOW_TIMEOUT_SECONDS
        while True:
            image = self.frame()
            if image is not None and self.full(image):
                return seen
            if seen > deadline:
                self.fail("no frame with %d numbers within %d s" % (self.program.numbers, WINDOW_TIMEOUT_SECONDS))
            self.alive()
            rects, seen = self.display.wait(0.05)

    def full(self, image):
        board = self.program.board or Board.find(image)
        return board is not None and len(board.numbered(image)) == self.program.numbers

    def settle(self, quiet=0.15, limit=5.0):
        """Waits until nothing has been drawn for `quiet` seconds."""
        end = time.monotonic() + limit
        last = time.monotonic()
        while time.monotonic() < end:
            rects, now = self.display.wait(quiet / 3)
            if rects:
                last = now
            elif now - last >= quiet:
                return
        self.fail("still drawing after %.0f s" % limit)

    def close(self):
        if self.damage is not None:
            self.display.unwatch(self.damage)
            self.damage = None
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()


def program_env(accessible):
    env = dict(os.environ, LANG=LOCALE, LC_ALL=LOCALE)
    env.pop("LANGUAGE", None)
    for name in ("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "QT_ACCESSIBILITY", "AT_SPI_BUS_ADDRESS", "NO_AT_BRIDGE"):
        env.pop(name, None)
    if accessible:
        # Qt talks to the accessibility bus only when told to or when a screen
        # reader asked for it; GTK does whenever the bus is there.
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    return env


# --- Start-up, memory, idle -------------------------------------------------------

def startup_run(display, program, workdir, label, settle, idle):
    session = Session(display, program, workdir, label, program_env(False))
    try:
        mapped = session.wait_mapped()
        full = session.wait_full_frame()
        result = {"mapped_ms": (mapped - session.started) * 1000.0,
                  "frame_ms": (full - session.started) * 1000.0}
        time.sleep(max(0.0, mapped + 0.5 - time.monotonic()))
        result["rss_kb"] = kilobytes(status_fields("/proc/%d/status" % session.process.pid)["VmRSS"])
        time.sleep(max(0.0, mapped + settle - time.monotonic()))
        rollup = status_fields("/proc/%d/smaps_rollup" % session.process.pid)
        result["dirty_kb"] = kilobytes(rollup["Private_Dirty"])
        result["pss_kb"] = kilobytes(rollup["Pss"])
        if program.board is None:
            image = session.frame()
            program.board = image and Board.find(image)
            if program.board is None or len(program.board.numbered(image)) != program.numbers:
                session.fail("its board was not found in its window")
        if idle > 0:
            before = cpu_ns(session.process.pid)
            time.sleep(idle)
            result["idle_ms"] = (cpu_ns(session.process.pid) - before) / 1e6
        result["cpu_ms"] = cpu_ns(session.process.pid) / 1e6
        session.alive()
        return result
    finally:
        session.close()


def measure_startup(display, programs, runs, settle, idle, workdir):
    print("Start-up and memory: %d runs each, interleaved (the order turns each round), after one "
          "warm-up run each; RSS 0.5 s after mapping, private dirty %.1f s after it, then %.0f s of "
          "waiting" % (runs, settle, idle), flush=True)
    for program in programs:
        startup_run(display, program, workdir, "warm", settle, 0)
    for index in range(runs):
        shift = index % len(programs)
        for program in programs[shift:] + programs[:shift]:
            result = startup_run(display, program, workdir, "run%d" % index, settle, idle)
            program.runs.append(result)
            print("  run %2d %-8s mapped %6.1f ms  full frame %6.1f ms  RSS %6d kB  private dirty %5d kB"
                  "  idle CPU %5.2f ms" % (index + 1, program.name, result["mapped_ms"], result["frame_ms"],
                                           result["rss_kb"], result["dirty_kb"], result.get("idle_ms", 0.0)),
                  flush=True)


# --- Input latency ----------------------------------------------------------------

def blank_of(program, image):
    numbered = program.board.numbered(image)
    if len(numbered) != 15:
        return None
    return (set(range(16)) - set(numbered)).pop()


def neighbour(index, step):
    row, column = divmod(index, 4)
    if step in (1, -1):
        column += step
    else:
        row += step // 4
    if 0 <= row < 4 and 0 <= column < 4:
        return row * 4 + column
    return None


def settled_blank(session, limit=3.0):
    """The blank once the board has stopped changing."""
    end = time.monotonic() + limit
    while time.monotonic() < end:
        session.settle(quiet=0.06)
        image = session.frame()
        blank = image and blank_of(session.program, image)
        if blank is not None:
            return blank
    session.fail("no blank found on its board")


def learn_steps(display, session, keycodes):
    """Presses each key to see which way it moves the blank (a key that moves
    nothing from where the blank is gets another try once it has moved)."""
    program = session.program
    blank = settled_blank(session)
    for _ in range(6):
        for key in program.keys:
            if key in program.steps:
                continue
            display.tap(keycodes[key])
            after = settled_blank(session)
            if after != blank:
                program.steps[key] = after - blank
                blank = after
    if sorted(program.steps.values()) != [-4, -1, 1, 4]:
        session.fail("its keys move the blank by %r" % program.steps)


def latency_block(display, program, workdir, label, accessible, moves, rng):
    session = Session(display, program, workdir, label, program_env(accessible))
    try:
        session.wait_mapped()
        session.wait_full_frame()
        session.settle(quiet=0.3)
        if program.board is None:
            program.board = Board.find(session.frame())
        display.focus(session.window)
        keycodes = {key: display.keycode(key) for key in program.keys}
        if len(program.steps) < 4:
            learn_steps(display, session, keycodes)
        blank = settled_blank(session)
        times = []
        for _ in range(moves):
            choices = [key for key, step in sorted(program.steps.items()) if neighbour(blank, step) is not None]
            key = rng.choice(choices)
            target = program.board.cells[blank]
            image = session.frame()
            before = image.pixels(target)
            display.drain()
            sent = display.tap(keycodes[key])
            changed = None
            while changed is None:
                rects, seen = display.wait(MOVE_TIMEOUT_SECONDS)
                if not rects and seen - sent >= MOVE_TIMEOUT_SECONDS:
                    session.fail("no change on cell %d within %.0f s of %s" % (blank, MOVE_TIMEOUT_SECONDS, key))
                if any(intersects(rect, target) for rect in rects):
                    now = display.image(session.window, *target)
                    if now is not None and now.pixels((0, 0, target[2], target[3])) != before:
                        changed = seen
            times.append((changed - sent) * 1000.0)
            expected = neighbour(blank, program.steps[key])
            blank = settled_blank(session)
            if blank != expected:
                # A solved board deals anew; go on from wherever the blank is.
                pass
            time.sleep(rng.uniform(0.01, 0.03))
        session.alive()
        return times
    finally:
        session.close()


def measure_latency(display, programs, moves, blocks, workdir, accessible, seed):
    bus = "with" if accessible else "without"
    per_block = int(math.ceil(moves / float(blocks)))
    print("Input latency %s an accessibility bus: %d moves each in %d blocks, interleaved, one program "
          "start per block" % (bus, per_block * blocks, blocks), flush=True)
    rng = random.Random(seed)
    for program in programs:
        program.latency[bus] = []
    for block in range(blocks):
        for program in programs:
            times = latency_block(display, program, workdir, "lat-%s-%d" % (bus, block), accessible, per_block, rng)
            program.latency[bus].extend(times)
            print("  block %d %-6s p50 %6.2f ms  p95 %6.2f ms  (%d moves)"
                  % (block + 1, program.name, percentile(times, 50), percentile(times, 95), len(times)),
                  flush=True)


# --- CPU while the clock runs ------------------------------------------------------

def measure_clocks(display, programs, runs, seconds, workdir, accessible):
    """The running clock of each program, `runs` times, interleaved (the
    order turns each round)."""
    for index in range(runs):
        shift = index % len(programs)
        for program in programs[shift:] + programs[:shift]:
            measure_clock(display, program, seconds, workdir, accessible)


def loaded_kb(path):
    """The part of a program file that is loaded into memory: its code and
    data, as binutils' size counts them (debugging sections never are)."""
    fields = subprocess.run(["size", path], check=True, capture_output=True, text=True).stdout.splitlines()[1]
    text, data = fields.split()[:2]
    return (int(text) + int(data)) / 1024.0


def measure_clock(display, program, seconds, workdir, accessible):
    """The game from its first move on; the bare window started with
    --clock, which sets one status-bar label a second from its start: what
    any Qt window pays for a ticking clock here."""
    bus = "with" if accessible else "without"
    ticking_alone = not program.keys
    session = Session(display, program, workdir, "clock-%s" % bus, program_env(accessible),
                      ["--clock"] if ticking_alone else [])
    try:
        session.wait_mapped()
        session.wait_full_frame()
        session.settle(quiet=0.3)
        display.focus(session.window)
        if not ticking_alone:
            keycodes = {key: display.keycode(key) for key in program.keys}
            blank = settled_blank(session)
            key = next(k for k, step in sorted(program.steps.items()) if neighbour(blank, step) is not None)
            # The first move starts the clock.
            display.tap(keycodes[key])
            settled_blank(session)
        before = cpu_ns(session.process.pid)
        start = time.monotonic()
        updates = 0
        while time.monotonic() - start < seconds:
            rects, _ = display.wait(start + seconds - time.monotonic())
            if rects:
                updates += 1
        used_ms = (cpu_ns(session.process.pid) - before) / 1e6
        session.alive()
        program.clock.setdefault(bus, []).append({"cpu_ms": used_ms, "updates": updates, "seconds": seconds})
        print("  clock %s an accessibility bus, %s: %.1f ms of CPU over %.0f s, %d window updates"
              % (bus, program.name, used_ms, seconds, updates), flush=True)
    finally:
        session.close()


# --- The accessibility bus --------------------------------------------------------

class AccessibilityBus:
    """The accessibility bus of the session, as a desktop with one runs it."""

    def __init__(self, launcher):
        self.process = subprocess.Popen([launcher, "--launch-immediately"], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, start_new_session=True)
        for _ in range(200):
            if self.up():
                return
            time.sleep(0.05)
        self.stop()
        raise SystemExit("measure.py: the accessibility bus did not come up")

    @staticmethod
    def up():
        result = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                                 "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        return result.returncode == 0

    def stop(self):
        if self.process.poll() is None:
            # The launcher and the bus daemon it started form their own group.
            os.killpg(self.process.pid, signal.SIGTERM)
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, signal.SIGKILL)
                self.process.wait()


# --- Report -------------------------------------------------------------------

def percentile(values, p):
    """Nearest-rank percentile."""
    ordered = sorted(values)
    rank = max(1, int(math.ceil(p / 100.0 * len(ordered))))
    return ordered[rank - 1]


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


def peer_version():
    result = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "sgt-puzzles"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    return result.stdout.strip() or "unknown"


class Verdicts:
    def __init__(self):
        self.missed = []

    def __call__(self, ok, what):
        if not ok:
            self.missed.append(what)
        return "yes" if ok else "**no**"


def report_startup(game, baseline, peer, runs, settle, verdict, program_kb):
    def med(program, key):
        return statistics.median(run[key] for run in program.runs)

    print()
    print("Start-up and memory, medians of %d runs each:" % runs)
    print()
    print("| measure | game | baseline | sgt-fifteen | game/peer | game/baseline | target | met |")
    print("|---|---|---|---|---|---|---|---|")
    rows = [
        ("start to window mapped", "mapped_ms", "%.1f ms", None),
        ("start to first full frame", "frame_ms", "%.1f ms",
         ("peer", START_RATIO_TO_PEER, "start-up")),
        ("resident memory 0.5 s after mapping", "rss_kb", "%.0f kB", "program file"),
        ("private dirty memory, settled (%.0f s)" % settle, "dirty_kb", "%.0f kB",
         ("peer", DIRTY_RATIO_TO_PEER, "private dirty memory")),
        ("proportional set size, settled", "pss_kb", "%.0f kB", None),
        ("CPU from start to the end of the run", "cpu_ms", "%.1f ms", None),
    ]
    for label, key, fmt, target in rows:
        g, b, p = med(game, key), med(baseline, key), med(peer, key)
        cells = [fmt % g, fmt % b, fmt % p, "%.3f" % (g / p) if p else "-", "%.3f" % (g / b) if b else "-"]
        if target == "program file":
            cells += ["game <= baseline + %.0f kB of program file" % program_kb,
                      verdict(g <= b + program_kb, "resident memory")]
        elif target:
            against, ratio, what = target
            value = g / (p if against == "peer" else b)
            cells += ["game/%s <= %.2f" % (against, ratio), verdict(value <= ratio, what)]
        else:
            cells += ["", ""]
        print("| %s | %s |" % (label, " | ".join(cells)))
    if "idle_ms" in game.runs[0]:
        worst = [max(run["idle_ms"] for run in program.runs) for program in (game, baseline, peer)]
        print("| CPU while waiting for input (worst run) | %.2f ms | %.2f ms | %.2f ms | | | game: %.0f ms | %s |"
              % (worst[0], worst[1], worst[2], IDLE_CPU_MS, verdict(worst[0] <= IDLE_CPU_MS + 0.5, "idle CPU")))
    for program in (game, baseline, peer):
        values = [run["frame_ms"] for run in program.runs]
        print("(%s: full frame %.1f-%.1f ms over the runs, p95 %.1f ms)"
              % (program.name, min(values), max(values), percentile(values, 95)))


def report_latency(game, peer, verdict):
    print()
    print("Input latency, key sent to the first changed pixel of the cell the tile arrives in:")
    print()
    print("| program | accessibility bus | moves | p50 | p95 | max | target | met |")
    print("|---|---|---|---|---|---|---|---|")
    for bus in ("without", "with"):
        if bus not in game.latency:
            continue
        peer_p95 = percentile(peer.latency[bus], 95)
        for program in (game, peer):
            values = program.latency[bus]
            p95 = percentile(values, 95)
            target = met = ""
            if program is game:
                limit = min(LATENCY_P95_MS, LATENCY_P95_RATIO_TO_PEER * peer_p95)
                target = "p95 <= %.1f ms and <= %.1f x peer (%.2f ms)" % (
                    LATENCY_P95_MS, LATENCY_P95_RATIO_TO_PEER, limit)
                met = verdict(p95 <= limit, "input latency %s the bus" % bus)
            print("| %s | %s | %d | %.2f ms | %.2f ms | %.2f ms | %s | %s |" % (
                "game" if program is game else "sgt-fifteen", bus, len(values), percentile(values, 50), p95,
                max(values), target, met))


def report_clock(game, baseline, verdict):
    print()
    print("CPU a minute while the clock runs (the bare window: one status-bar label set a second), "
          "medians of the runs with their spread:")
    print()
    print("| program | accessibility bus | runs | median a minute | spread (min-max) | window updates a run "
          "| game/bare | target | met |")
    print("|---|---|---|---|---|---|---|---|---|")
    for bus in ("without", "with"):
        if bus not in game.clock or bus not in baseline.clock:
            continue
        medians = {}
        for program in (game, baseline):
            per_minute = [r["cpu_ms"] * 60.0 / r["seconds"] for r in program.clock[bus]]
            medians[program.name] = statistics.median(per_minute)
        ratio = medians[game.name] / medians[baseline.name] if medians[baseline.name] else float("inf")
        for program in (game, baseline):
            results = program.clock[bus]
            per_minute = [r["cpu_ms"] * 60.0 / r["seconds"] for r in results]
            updates = statistics.median(r["updates"] for r in results)
            cells = ["", "", ""]
            if program is game:
                cells = ["%.3f" % ratio, "game/bare <= %.2f" % CLOCK_CPU_RATIO_TO_BASELINE,
                         verdict(ratio <= CLOCK_CPU_RATIO_TO_BASELINE, "clock CPU %s the bus" % bus)]
            print("| %s | %s | %d | %.1f ms | %.1f-%.1f ms | %.0f | %s |" % (
                "game" if program is game else "bare window, --clock", bus, len(results),
                medians[program.name], min(per_minute), max(per_minute), updates, " | ".join(cells)))


def find_launcher():
    for candidate in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher"):
        if os.access(candidate, os.X_OK):
            return candidate
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--game", required=True)
    parser.add_argument("--baseline", required=True)
    parser.add_argument("--peer", required=True)
    parser.add_argument("--quick", action="store_true",
                        help="fewer runs, moves and seconds: for development, not for the figures")
    parser.add_argument("--runs", type=int, help="start-up runs of each program (default 25, quick 5)")
    parser.add_argument("--moves", type=int, help="moves of each program (default 200, quick 40)")
    parser.add_argument("--clock-seconds", type=float, help="running clock measured a run (default 30, quick 10)")
    parser.add_argument("--clock-runs", type=int, help="running-clock runs of each program (default 5, quick 2)")
    parser.add_argument("--settle", type=float, default=2.0,
                        help="seconds from mapping to the private dirty reading (default 2)")
    parser.add_argument("--idle", type=float, default=3.0,
                        help="seconds of waiting measured for CPU time (default 3; 0 skips)")
    parser.add_argument("--only", default="startup,latency,clock",
                        help="comma-separated parts to run: startup, latency, clock")
    parser.add_argument("--seed", type=int, default=15)
    parser.add_argument("--qt-version", default="unknown")
    parser.add_argument("--strict", action="store_true", help="exit with 3 when a target is missed")
    args = parser.parse_args()
    runs = args.runs or (5 if args.quick else 25)
    moves = args.moves or (40 if args.quick else 200)
    clock_seconds = args.clock_seconds or (10.0 if args.quick else 30.0)
    clock_runs = args.clock_runs or (2 if args.quick else 5)
    parts = set(args.only.split(","))

    game = Program("game", "Game", args.game, 15, ["KP_8", "KP_2", "KP_4", "KP_6"])
    baseline = Program("baseline", "Baseline", args.baseline, 16, [])
    peer = Program("peer", "Fifteen", args.peer, 15, ["Up", "Down", "Left", "Right"])
    display = Display()
    display.num_lock_on()

    model, processors, memory = machine()
    with open("/proc/loadavg") as f:
        load = " ".join(f.read().split()[:3])
    print("Machine: %s, %d cores, %.1f GiB memory, kernel %s, load %s; Qt %s; sgt-puzzles %s; display %s "
          "(Xvfb + openbox); locale %s" % (model, processors, memory / 1024.0 / 1024.0, platform.release(), load,
                                           args.qt_version, peer_version(), os.environ.get("DISPLAY"), LOCALE))
    print(flush=True)

    verdict = Verdicts()
    bus = None
    with tempfile.TemporaryDirectory(prefix="taviq-bench-") as workdir:
        try:
            if "startup" in parts:
                measure_startup(display, [game, baseline, peer], runs, args.settle, args.idle, workdir)
            if "latency" in parts:
                measure_latency(display, [game, peer], moves, 4 if moves >= 100 else 2, workdir, False, args.seed)
            if "clock" in parts:
                if not game.steps:
                    # Which key moves which way, for the first move.
                    game.steps = {"KP_8": 4, "KP_2": -4, "KP_4": 1, "KP_6": -1}
                    if game.board is None:
                        startup_run(display, game, workdir, "board", 0.5, 0)
                measure_clocks(display, [game, baseline], clock_runs, clock_seconds, workdir, False)
            if parts & {"latency", "clock"}:
                launcher = find_launcher()
                if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
                    print("No session bus: measured without an accessibility bus only.")
                elif launcher is None:
                    print("No accessibility bus launcher (at-spi2-core): measured without the bus only.")
                else:
                    bus = AccessibilityBus(launcher)
                    if "latency" in parts:
                        measure_latency(display, [game, peer], moves, 4 if moves >= 100 else 2, workdir, True,
                                        args.seed + 1)
                    if "clock" in parts:
                        measure_clocks(display, [game, baseline], clock_runs, clock_seconds, workdir, True)
        finally:
            if bus is not None:
                bus.stop()

    if "startup" in parts:
        report_startup(game, baseline, peer, runs, args.settle, verdict, loaded_kb(args.game))
    if "latency" in parts:
        report_latency(game, peer, verdict)
    if "clock" in parts:
        report_clock(game, baseline, verdict)
    print()
    if verdict.missed:
        print("Targets missed: %s" % ", ".join(verdict.missed))
    else:
        print("All targets met.")
    return 3 if verdict.missed and args.strict else 0


if __name__ == "__main__":
    sys.exit(main())
