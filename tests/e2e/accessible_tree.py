#!/usr/bin/python3
"""What a screen reader hears of the editor, through the desktop's
accessibility bus (AT-SPI).

accessible_tree.py tree PID
    prints "role<TAB>name<TAB>description" for every visible accessible object
    of the program PID, depth first.
accessible_tree.py selected PID
    prints the name of every visible accessible object of the program PID
    that is selected, depth first.
accessible_tree.py listen PID SECONDS
    prints "ready" once listening, then "name<TAB>description" for each
    description change the program PID announces, for SECONDS seconds.
"""
import sys

import pyatspi
from gi.repository import GLib


def application(pid):
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid:
                return app
        GLib.usleep(100000)
    sys.exit(f"no accessible application with process id {pid}")


def clean(text):
    return (text or "").replace("\t", " ").replace("\n", " ")


def visible(pid):
    def walk(node):
        for child in node:
            if child is None or not child.getState().contains(pyatspi.STATE_VISIBLE):
                continue
            yield child
            yield from walk(child)

    return walk(application(pid))


def tree(pid):
    for node in visible(pid):
        print(f"{node.getRoleName()}\t{clean(node.name)}\t{clean(node.description)}")


def selected(pid):
    for node in visible(pid):
        if node.getState().contains(pyatspi.STATE_SELECTED):
            print(clean(node.name))


def listen(pid, seconds):
    application(pid)

    def changed(event):
        source = event.source
        if source is not None and source.get_process_id() == pid:
            print(f"{clean(source.name)}\t{clean(source.description)}", flush=True)

    pyatspi.Registry.registerEventListener(changed, "object:property-change:accessible-description")
    GLib.timeout_add_seconds(seconds, pyatspi.Registry.stop)
    print("ready", flush=True)
    pyatspi.Registry.start()


if __name__ == "__main__":
    if sys.argv[1] == "tree":
        tree(int(sys.argv[2]))
    elif sys.argv[1] == "selected":
        selected(int(sys.argv[2]))
    else:
        listen(int(sys.argv[2]), int(sys.argv[3]))
