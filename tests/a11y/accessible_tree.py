#!/usr/bin/env python3
"""What a screen reader finds in the program's windows, checked against a table.

usage: accessible_tree.py TABLE SCENE LANGUAGE [--dump]

TABLE is a tab-separated file of rows: scene, role, English name, German name, Japanese name, states
(comma-separated AT-SPI state names, or empty); no name may be empty, since a screen reader has
nothing to say of a nameless window or control. The first row of a scene names the top-level window
the scene shows (a dialog, a menu); its other rows are controls that must be inside that window with
that role, that name in LANGUAGE (en, de or ja) and at least those states. Lines starting with # and
empty lines are ignored. Prints one line per row that is not found, and the window's tree then;
exits 1 when a row is missing, 2 when the program is not on the accessibility bus.

A popup menu is no child of the application on the bus; a screen reader meets it through the focus of
its items. For a scene whose window is a popup menu the checker presses Down once (xdotool) and takes
the menu that holds the item the focus moves to.
"""
import subprocess
import sys
import time

from gi.repository import GLib

import pyatspi

LANGUAGES = {"en": 2, "de": 3, "ja": 4}  # the columns after scene and role


def read_table(path, scene):
    rows = []
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 6:
                sys.exit(f"{path}:{number}: {len(fields)} fields, not 6")
            if "" in fields[2:5]:
                sys.exit(f"{path}:{number}: a name is empty; every window and control needs one")
            if fields[0] == scene:
                rows.append((number, fields))
    if not rows:
        sys.exit(f"{path}: no rows for scene {scene}")
    return rows


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "voltrane":
            return app
    return None


def walk(node, depth=0):
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def states(node):
    return {pyatspi.stateToString(s) for s in node.getState().getStates()}


def matches(node, role, name, wanted):
    return node.getRoleName() == role and node.name == name and wanted <= states(node)


def find_window(app, role, name):
    """The showing top-level window (or popup) of `role` and `name`."""
    for node, _ in walk(app):
        if node.getRoleName() == role and node.name == name and "showing" in states(node):
            return node
    return None


def focused_menu(role):
    """The menu of `role` holding the item that takes the focus after one press of Down."""
    focused = []

    def on_focus(event):
        if event.detail1 == 1:
            focused.append(event.source)

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    GLib.timeout_add(300, lambda: subprocess.run(["xdotool", "key", "Down"], check=True) and False)
    GLib.timeout_add(3000, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused")
    for node in reversed(focused):
        while node is not None and node.getRoleName() != role:
            node = node.parent
        if node is not None:
            return node
    return None


def dump(node):
    for child, depth in walk(node):
        print(f"  {'  ' * depth}{child.getRoleName()} {child.name!r} [{','.join(sorted(states(child)))}]")


def main():
    table, scene, language = sys.argv[1:4]
    column = LANGUAGES[language]
    rows = read_table(table, scene)
    app = None
    for _ in range(50):  # the program registers with the bus shortly after it starts
        app = program()
        if app is not None:
            break
        time.sleep(0.2)
    if app is None:
        print("FAIL: the program is not on the accessibility bus")
        sys.exit(2)
    (_, top), controls = rows[0], rows[1:]
    window = None
    if top[1] in ("menu", "popup menu"):
        window = focused_menu(top[1])
        if window is not None and window.name != top[column]:
            print(f"FAIL: {scene}: the menu is named {window.name!r}, not {top[column]!r}")
            window = None
    for _ in range(50):  # and shows the scene's window a moment after the event that opens it
        if window is not None:
            break
        window = find_window(app, top[1], top[column])
        time.sleep(0.2)
    if window is None:
        print(f"FAIL: {scene}: no {top[1]} named {top[column]!r}")
        dump(app)
        sys.exit(1)
    wanted_top = {s for s in top[5].split(",") if s}
    missing = [] if wanted_top <= states(window) else [(rows[0][0], top)]
    for number, row in controls:
        wanted = {s for s in row[5].split(",") if s}
        if not any(matches(node, row[1], row[column], wanted) for node, _ in walk(window)):
            missing.append((number, row))
    for number, row in missing:
        print(f"FAIL: {scene} ({language}), table line {number}: no {row[1]} named {row[column]!r} "
              f"with states {row[5] or '-'}")
    if missing or "--dump" in sys.argv:
        dump(window)
    sys.exit(1 if missing else 0)


if __name__ == "__main__":
    main()
