#!/usr/bin/python3
"""What a screen reader hears of the editor, through the desktop's
accessibility bus (AT-SPI).

accessible_tree.py tree PID
    prints "role<TAB>name<TAB>description" for every visible accessible object
    of the program PID, depth first.
accessible_tree.py selected PID
    prints the name of every visible accessible object of the program PID
    that is selected, depth first.
accessible_tree.py focused PID
    prints "role<TAB>name<TAB>description" for the visible accessible object
    of the program PID that has the keyboard focus, if one has.
accessible_tree.py listen PID SECONDS [PROPERTY]
    prints "ready" once listening, then "name<TAB>description" for each
    change of PROPERTY (accessible-description unless named, or
    accessible-name) the program PID announces, for SECONDS seconds.
accessible_tree.py focus PID SECONDS
    prints "ready" once listening, then "role<TAB>name<TAB>window" for each
    object of the program PID that takes the focus, window being the name of
    the window (dialog, popup) it lies in, for SECONDS seconds. A popup is
    no child of the application, and is met only this way.
accessible_tree.py job PID SECONDS
    prints "ready" once listening, then for SECONDS seconds each event of the
    program PID that a screen reader speaks, in the order they come:
    "focus<TAB>role<TAB>name<TAB>description" for an object taking the focus,
    "description<TAB>role<TAB>name<TAB>new description" and
    "name<TAB>role<TAB>new name" for a changed description or name.
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


def focused_node(pid):
    for node in visible(pid):
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            print(f"{node.getRoleName()}\t{clean(node.name)}\t{clean(node.description)}")


def window_of(node):
    while node.parent is not None and node.parent.getRole() != pyatspi.ROLE_APPLICATION:
        node = node.parent
    return node


def listen(pid, seconds, event_types, present):
    application(pid)

    def heard(event):
        source = event.source
        try:
            line = present(event, source) if source.get_process_id() == pid else None
        except (AttributeError, GLib.GError):
            return  # an object already gone (a closed popup's row)
        if line is not None:
            print(line, flush=True)

    pyatspi.Registry.registerEventListener(heard, *event_types)
    GLib.timeout_add_seconds(seconds, pyatspi.Registry.stop)
    print("ready", flush=True)
    pyatspi.Registry.start()


def changed(event, source):
    return f"{clean(source.name)}\t{clean(source.description)}"


def focused(event, source):
    if not event.detail1:
        return None
    return f"{source.getRoleName()}\t{clean(source.name)}\t{clean(window_of(source).name)}"


def spoken(event, source):
    # Qt sends no new value with a change, so the source is asked for it.
    line = f"{source.getRoleName()}\t{clean(source.name)}"
    if event.type.startswith("object:state-changed:focused"):
        return f"focus\t{line}\t{clean(source.description)}" if event.detail1 else None
    if event.type.endswith("accessible-description"):
        return f"description\t{line}\t{clean(source.description)}"
    return f"name\t{line}"


if __name__ == "__main__":
    mode, pid = sys.argv[1], int(sys.argv[2])
    if mode == "tree":
        tree(pid)
    elif mode == "selected":
        selected(pid)
    elif mode == "focused":
        focused_node(pid)
    elif mode == "focus":
        listen(pid, int(sys.argv[3]), ["object:state-changed:focused"], focused)
    elif mode == "job":
        listen(pid, int(sys.argv[3]),
               ["object:state-changed:focused", "object:property-change:accessible-description",
                "object:property-change:accessible-name"], spoken)
    else:
        prop = sys.argv[4] if len(sys.argv) > 4 else "accessible-description"
        listen(pid, int(sys.argv[3]), [f"object:property-change:{prop}"], changed)
