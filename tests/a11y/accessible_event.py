#!/usr/bin/env python3
"""Whether the program announces a change, as a screen reader hears it.

usage: accessible_event.py EVENT NAME KEY...

Listens on the accessibility bus for EVENT (an AT-SPI event type such as
object:state-changed:focused or object:property-change:accessible-value), presses the KEYs with
xdotool, and waits up to three seconds for an EVENT whose source is named NAME (its name when the
event is read: after a language switch, the new one). Exits 0 when it came; otherwise 1, printing the
events of that type that did come.
"""
import subprocess
import sys

from gi.repository import GLib

import pyatspi


def main():
    event_type, name, keys = sys.argv[1], sys.argv[2], sys.argv[3:]
    heard = []

    def on_event(event):
        # A state change announces both the gain (detail1 1) and the loss of a state; only the gain counts.
        if event_type.startswith("object:state-changed:") and event.detail1 != 1:
            return
        heard.append(event.source.name if event.source is not None else None)
        if name in heard:
            pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(on_event, event_type)
    GLib.timeout_add(300, lambda: subprocess.run(["xdotool", "key", *keys], check=True) and False)
    GLib.timeout_add(3000, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_event, event_type)
    if name in heard:
        return 0
    print(f"FAIL: no {event_type} from {name!r} after {' '.join(keys)}; heard from: {heard}")
    return 1


if __name__ == "__main__":
    sys.exit(main())
