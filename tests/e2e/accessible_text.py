#!/usr/bin/python3
"""Prints what a shown window of a running program says to screen readers: the name,
description and (for text fields) text of every object in the window whose title is
given, one per line, as the accessibility bus reports them. The end-to-end
test reads the room display through it, as a screen reader would.

Usage: accessible_text.py WINDOW_TITLE      (exit status 1: no such window)
       accessible_text.py --wake            (starts the bus before a program does)
"""
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def texts(node, out, depth=0):
    if depth > 40:
        return
    try:
        name = node.get_name() or ""
    except gi.repository.GLib.Error:
        return
    value = ""
    if "Text" in node.get_interfaces():
        value = Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))
    description = node.get_description() or ""
    for line in (name, value, *description.splitlines()):
        if line.strip():
            out.append(" ".join(line.split()))
    for index in range(node.get_child_count()):
        child = node.get_child_at_index(index)
        if child is not None:
            texts(child, out, depth + 1)


def main():
    desktop = Atspi.get_desktop(0)
    if sys.argv[1:] == ["--wake"]:
        return 0
    title = sys.argv[1]
    for a in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(a)
        for w in range(app.get_child_count() if app else 0):
            window = app.get_child_at_index(w)
            if (window is not None and window.get_name() == title
                    and window.get_state_set().contains(Atspi.StateType.SHOWING)):
                out = []
                texts(window, out)
                print("\n".join(out[1:]))
                return 0
    return 1


if __name__ == "__main__":
    sys.exit(main())
