#!/usr/bin/python3
"""Reads the running corvane's windows through AT-SPI, as a screen reader does.

    accessible-tree.py WINDOW dump
    accessible-tree.py WINDOW expect ROLE|NAME...      every one is in WINDOW
    accessible-tree.py WINDOW state ROLE|NAME STATE    that one has STATE
    accessible-tree.py WINDOW labels ROLE|NAME ROLE|NAME  the first labels the second
    accessible-tree.py WINDOW act ROLE|NAME            does its first action
    accessible-tree.py WINDOW announces ROLE|NAME EVENT COMMAND...
        runs COMMAND and waits for EVENT (such as object:state-changed:checked)
        from that one

WINDOW is the name of a showing window of the application "corvane"; a node
is named by its role as AT-SPI spells it and its accessible name. Exit status
0 when the check holds, 1 when not (the window's tree is printed then), 2 when
the window is not there.
"""
import subprocess
import sys

import pyatspi
from gi.repository import GLib


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def find_window(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
        if app is None or app.name != "corvane":
            continue
        for window in (app.getChildAtIndex(i) for i in range(app.childCount)):
            if window is not None and window.name == name and showing(window):
                return window
    return None


def nodes(root):
    yield root
    for child in (root.getChildAtIndex(i) for i in range(root.childCount)):
        if child is not None:
            yield from nodes(child)


def spec_of(node):
    return f"{node.getRoleName()}|{node.name}"


def find(window, spec):
    return next((node for node in nodes(window) if spec_of(node) == spec), None)


def dump(window):
    for node in nodes(window):
        states = ",".join(pyatspi.stateToString(s) for s in node.getState().getStates())
        print(f"  {spec_of(node)}  [{states}]", file=sys.stderr)


def announces(node, event_type, command):
    heard = []

    def listener(event):
        if spec_of(event.source) == spec_of(node):
            heard.append(event)
            pyatspi.Registry.stop()

    def act():
        subprocess.run(command, check=True)
        return False

    def give_up():
        pyatspi.Registry.stop()
        return False

    pyatspi.Registry.registerEventListener(listener, event_type)
    GLib.timeout_add(200, act)
    GLib.timeout_add(5000, give_up)
    pyatspi.Registry.start()
    return bool(heard)


def main(argv):
    window = find_window(argv[1])
    if window is None:
        print(f"no showing window {argv[1]!r}", file=sys.stderr)
        return 2
    command, specs = argv[2], argv[3:]
    if command == "dump":
        dump(window)
        return 0
    if command == "expect":
        missing = [spec for spec in specs if find(window, spec) is None]
        for spec in missing:
            print(f"missing: {spec}", file=sys.stderr)
        ok = not missing
    else:
        node = find(window, specs[0])
        if node is None:
            print(f"missing: {specs[0]}", file=sys.stderr)
            ok = False
        elif command == "state":
            wanted = getattr(pyatspi, "STATE_" + specs[1].upper().replace(" ", "_"))
            ok = node.getState().contains(wanted)
        elif command == "labels":
            targets = [
                relation.getTarget(i)
                for relation in node.getRelationSet()
                if relation.getRelationType() == pyatspi.RELATION_LABEL_FOR
                for i in range(relation.getNTargets())
            ]
            ok = any(spec_of(target) == specs[1] for target in targets)
        elif command == "act":
            ok = node.queryAction().doAction(0)
        elif command == "announces":
            ok = announces(node, specs[1], specs[2:])
        else:
            print(f"unknown command {command}", file=sys.stderr)
            return 2
    if not ok:
        print(f"{command} {' '.join(specs)} does not hold in {argv[1]!r}:", file=sys.stderr)
        dump(window)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
