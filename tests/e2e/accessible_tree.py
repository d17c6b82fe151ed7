#!/usr/bin/python3
"""What a screen reader hears of the editor, through the desktop's
accessibility bus (AT-SPI).

accessible_tree.py tree PID
    prints "role<TAB>name<TAB>description" for every visible accessible object
    of the program PID, depth first.
accessible_tree.py listen PID SECONDS [PROPERTY]
    prints "ready" once listening, then "name<TAB>description" for each
    change of PROPERTY (accessible-description unless named, or
    accessible-name) the program PID announces, for SECONDS seconds.
accessible_tree.py focus PID SECONDS
    prints "ready" once listening, then "role<TAB>name<TAB>window" for each
    object of the program PID that takes the focus, window being the name of
    the window (dialog, popup) it lies in, for SECONDS seconds. A popup is
    no child of the application, and is met only this way.
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


def tree(pid):
    def walk(node):
        for child in node:
            if child is None or not child.getState().contains(pyatspi.STATE_VISIBLE):
                continue
            print(f"{child.getRoleName()}\t{clean(child.name)}\t{clean(child.description)}")
            walk(child)

    walk(application(pid))


def window_of(node):
    while node.parent is not None and node.parent.getRole() != pyatspi.ROLE_APPLICATION:
        node = node.parent
    return node


def listen(pid, seconds, event_type, present):
    application(pid)

    def heard(event):
        source = event.source
        if source is not None and source.get_process_id() == pid:
            line = present(event, source)
            if line is not None:
                print(line, flush=True)

    pyatspi.Registry.registerEventListener(heard, event_type)
    GLib.timeout_add_seconds(seconds, pyatspi.Registry.stop)
    print("ready", flush=True)
    pyatspi.Registry.start()


def changed(event, source):
    return f"{clean(source.name)}\t{clean(source.description)}"


def focused(event, source):
    if not event.detail1:
        return None
    return f"{source.getRoleName()}\t{clean(source.name)}\t{clean(window_of(source).name)}"


if __name__ == "__main__":
    mode, pid = sys.argv[1], int(sys.argv[2])
    if mode == "tree":
        tree(pid)
    elif mode == "focus":
        listen(pid, int(sys.argv[3]), "object:state-changed:focused", focused)
    else:
        prop = sys.argv[4] if len(sys.argv) > 4 else "accessible-description"
        listen(pid, int(sys.argv[3]), f"object:property-change:{prop}", changed)
