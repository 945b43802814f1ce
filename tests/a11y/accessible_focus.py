#!/usr/bin/env python3
"""Where the keyboard focus is in the program, as a screen reader reads it.

usage: accessible_focus.py            prints "role<TAB>name" of the focused control (the deepest
                                      focused object of the program's windows); nothing when none
       accessible_focus.py --count    prints how many controls of the main window can take the focus
"""
import sys

import pyatspi


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def program():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "voltrane":
            return app
    return None


def main():
    app = program()
    if app is None:
        sys.exit("the program is not on the accessibility bus")
    if "--count" in sys.argv:
        main_window = app.getChildAtIndex(0)
        print(sum(1 for node in walk(main_window) if node.getState().contains(pyatspi.STATE_FOCUSABLE)))
        return
    focused = [node for node in walk(app) if node.getState().contains(pyatspi.STATE_FOCUSED)]
    if focused:
        print(f"{focused[-1].getRoleName()}\t{focused[-1].name}")


if __name__ == "__main__":
    main()
