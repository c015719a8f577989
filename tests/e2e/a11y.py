#!/usr/bin/python3
"""Reads and drives the running game through the desktop accessibility
interface (AT-SPI), from outside the process, as a screen reader would.

    a11y.py board                 the sixteen cells, "_" for the blank
    a11y.py cells                 per cell: name|description|states|actions
    a11y.py status                the two status-bar panels, "|" between them
    a11y.py button INDEX          caption of a push button of the main window
    a11y.py press CELL            presses cell CELL (0..15)
    a11y.py focused               role|name|description of the focused control
    a11y.py spin                  per spin button: name|value|minimum|maximum
    a11y.py do TITLE NAME         does what the button or menu item NAME of
                                  window TITLE does (waits while a modal
                                  window it opens is open)
    a11y.py windows               the titles of the program's windows
    a11y.py labels TITLE          the texts of the labels in window TITLE
    a11y.py description TITLE     the description of window TITLE
    a11y.py listen SECONDS EVENT...
                                  prints "ready", then for SECONDS each event
                                  of these kinds: kind|role|name|value
    a11y.py solve                 prints number-pad keys that solve the board
    a11y.py dump [TITLE]          the tree of a window (default: all)
"""
import heapq
import sys
import time

import pyatspi


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "Game":
                return app
        time.sleep(0.1)
    sys.exit("the game is not on the accessibility bus")


def windows():
    app = application()
    return [app.getChildAtIndex(i) for i in range(app.childCount)]


def window(title):
    for w in windows():
        if w.name == title:
            return w
    sys.exit(f"no window '{title}'")


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def state_names(node):
    """The states a screen reader goes by, as words."""
    states = node.getState()
    wanted = [("showing", pyatspi.STATE_SHOWING), ("visible", pyatspi.STATE_VISIBLE),
              ("focusable", pyatspi.STATE_FOCUSABLE), ("focused", pyatspi.STATE_FOCUSED),
              ("enabled", pyatspi.STATE_ENABLED)]
    return ",".join(word for word, state in wanted if states.contains(state))


def action_names(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return ""
    return ",".join(action.getName(i) for i in range(action.nActions))


def main_buttons():
    """The push buttons of the main window's client area, in creation order:
    the sixteen cells, then Reset, then the pause button."""
    main = window("Game")
    client = next(c for c in descendants(main) if c.getRoleName() == "filler")
    return [client.getChildAtIndex(i) for i in range(client.childCount)
            if client.getChildAtIndex(i).getRoleName() == "push button"]


def board():
    cells = main_buttons()[:16]
    return ["_" if c.name == "blank" or not showing(c) else c.name for c in cells]


def status():
    main = window("Game")
    bar = next(c for c in descendants(main) if c.getRoleName() == "status bar")
    return [bar.getChildAtIndex(i).name for i in range(bar.childCount)]


def focused():
    for w in windows():
        for node in descendants(w):
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                return node
    return None


def listen(seconds, kinds):
    """Prints the events of these kinds that the game sends for SECONDS."""
    from gi.repository import GLib

    def report(event):
        source = event.source
        if source is None or source.getApplication().name != "Game":
            return
        try:
            value = f"{source.queryValue().currentValue:g}"
        except NotImplementedError:
            value = ""
        print(f"{event.type}|{source.getRoleName()}|{source.name}|{value}", flush=True)

    application()
    pyatspi.Registry.registerEventListener(report, *kinds)
    GLib.timeout_add(int(seconds * 1000), pyatspi.Registry.stop)
    GLib.idle_add(lambda: print("ready", flush=True) and False)
    pyatspi.Registry.start()


def press(node):
    node.queryAction().doAction(0)


def solve(cells):
    """Number-pad keys that solve the board: weighted A* on Manhattan
    distance (quick, not always shortest)."""
    start = tuple(0 if c == "_" else int(c) for c in cells)
    goal = tuple(list(range(1, 16)) + [0])

    def h(state):
        d = 0
        for i, v in enumerate(state):
            if v:
                d += abs(i // 4 - (v - 1) // 4) + abs(i % 4 - (v - 1) % 4)
        return d

    # key -> offset of the tile that moves into the blank
    moves = {"KP_8": 4, "KP_2": -4, "KP_4": 1, "KP_6": -1}
    frontier = [(3 * h(start), 0, start, [])]
    seen = {start: 0}
    while frontier:
        _, g, state, path = heapq.heappop(frontier)
        if state == goal:
            return path
        blank = state.index(0)
        for key, off in moves.items():
            n = blank + off
            if n < 0 or n > 15:
                continue
            if off in (1, -1) and n // 4 != blank // 4:
                continue
            s = list(state)
            s[blank], s[n] = s[n], 0
            s = tuple(s)
            if s not in seen or seen[s] > g + 1:
                seen[s] = g + 1
                heapq.heappush(frontier, (g + 1 + 3 * h(s), g + 1, s, path + [key]))
    sys.exit("no solution")


def main(argv):
    command = argv[1]
    if command == "board":
        print(" ".join(board()))
    elif command == "status":
        print("|".join(status()))
    elif command == "cells":
        for c in main_buttons()[:16]:
            print(f"{c.name}|{c.description}|{state_names(c)}|{action_names(c)}")
    elif command == "focused":
        node = focused()
        print(f"{node.getRoleName()}|{node.name}|{node.description}" if node else "")
    elif command == "spin":
        for w in windows():
            for c in descendants(w):
                if c.getRoleName() == "spin button":
                    v = c.queryValue()
                    print(f"{c.name}|{v.currentValue:g}|{v.minimumValue:g}|{v.maximumValue:g}")
    elif command == "description":
        print(window(argv[2]).description)
    elif command == "listen":
        listen(float(argv[2]), argv[3:])
    elif command == "button":
        print(main_buttons()[int(argv[2])].name)
    elif command == "press":
        press(main_buttons()[int(argv[2])])
    elif command == "do":
        node = next((c for c in descendants(window(argv[2])) if c.name == argv[3]), None)
        if node is None:
            sys.exit(f"no '{argv[3]}' in window '{argv[2]}'")
        press(node)
    elif command == "windows":
        print("\n".join(w.name for w in windows() if showing(w)))
    elif command == "labels":
        w = window(argv[2])
        print("\n".join(c.name for c in descendants(w) if c.getRoleName() == "label"))
    elif command == "dump":
        def show(node, depth):
            flag = "" if showing(node) else " (hidden)"
            keys = ""
            if node.getRoleName() == "menu item":
                action = node.queryAction()
                if action.nActions and action.getKeyBinding(0):
                    keys = f" keys {action.getKeyBinding(0)!r}"
            print("  " * depth + f"{node.getRoleName()}: {node.name!r}{keys}{flag}")
            for i in range(node.childCount):
                child = node.getChildAtIndex(i)
                if child is not None:
                    show(child, depth + 1)
        for w in windows():
            if len(argv) < 3 or w.name == argv[2]:
                show(w, 0)
    elif command == "solve":
        print(" ".join(solve(board())))
    else:
        sys.exit(f"unknown command {command}")


if __name__ == "__main__":
    main(sys.argv)
