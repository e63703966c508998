#!/usr/bin/python3
"""Reads a window of the running corvane through AT-SPI, as a screen reader does.

    accessible-tree.py WINDOW expect NODE...       every NODE is in the window
    accessible-tree.py WINDOW state NODE STATE     NODE has STATE (focused, checked)
    accessible-tree.py WINDOW act NODE             NODE's first action succeeds
    accessible-tree.py WINDOW announces NODE EVENT COMMAND...
                                                   COMMAND makes NODE send EVENT

WINDOW is the name of a showing window; a NODE is "ROLE|NAME", the role as
AT-SPI spells it. Exits 0 when the check holds, else 1, printing the tree.
"""
import subprocess
import sys

import pyatspi
from gi.repository import GLib


def find_window(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in filter(None, (desktop.getChildAtIndex(i) for i in range(desktop.childCount))):
        if app.name == "corvane":
            for window in filter(None, (app.getChildAtIndex(i) for i in range(app.childCount))):
                if window.name == name and window.getState().contains(pyatspi.STATE_SHOWING):
                    return window
    return None


def nodes(root):
    yield root
    for child in filter(None, (root.getChildAtIndex(i) for i in range(root.childCount))):
        yield from nodes(child)


def spec_of(node):
    return f"{node.getRoleName()}|{node.name}"


def announces(node, event_type, command):
    heard = []

    def listener(event):
        if spec_of(event.source) == spec_of(node):
            heard.append(event)
            pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(listener, event_type)
    GLib.timeout_add(200, lambda: subprocess.run(command, check=True) and False)
    GLib.timeout_add(5000, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    return bool(heard)


def holds(window, check, args):
    found = {spec_of(node): node for node in nodes(window)}
    if check == "expect":
        return all(spec in found for spec in args)
    node = found.get(args[0])
    if node is None:
        return False
    if check == "state":
        return node.getState().contains(getattr(pyatspi, "STATE_" + args[1].upper()))
    if check == "act":
        return node.queryAction().doAction(0)
    if check == "announces":
        return announces(node, args[1], args[2:])
    raise SystemExit(f"unknown check {check}")


def main(name, check, *args):
    window = find_window(name)
    if window is not None and holds(window, check, list(args)):
        return 0
    print(f"{check} {' '.join(args)} does not hold in the window {name!r}:", file=sys.stderr)
    for node in nodes(window) if window is not None else []:
        states = ",".join(pyatspi.stateToString(s) for s in node.getState().getStates())
        print(f"  {spec_of(node)}  [{states}]", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
