#!/usr/bin/python3
# Reads the program's windows over AT-SPI, as a screen reader does.
#
#   atspi-check.py names [dump]     every showing control has a name; prints
#                                   each nameless one with its role and path
#                                   (and with "dump" every showing object)
#   atspi-check.py text SUMMARY     the note window named SUMMARY has a text
#                                   area that reads and edits through the
#                                   text interfaces
#   atspi-check.py focus NAME       puts the keyboard on the showing control
#                                   named NAME
#   atspi-check.py locked-text SUMMARY
#                                   as above, but the edit is refused
# Exit status 0 when the check holds, 1 when it does not, 2 when the program
# is not on the accessibility bus.
import sys
import time

import pyatspi

# The roles a user works with; labels, panels, frames and scroll bars are not.
CONTROL_ROLES = {
    "push button", "toggle button", "check box", "radio button", "text", "entry",
    "password text", "combo box", "spin button", "slider", "list item", "table cell",
    "tree item", "page tab", "menu item", "check menu item", "radio menu item", "menu",
}


def application():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name.lower() == "notarella":
                return app
        time.sleep(0.1)
    return None


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def walk(node, path, found):
    try:
        children = list(node)
    except Exception:
        children = []
    for child in children:
        if child is None:
            continue
        role = child.getRoleName()
        child_path = path + [f"{role}:{child.name!r}"]
        if not showing(child):
            continue
        found.append((child, role, child_path))
        walk(child, child_path, found)


def check_names(app):
    found = []
    walk(app, [], found)
    controls = [(node, role, path) for node, role, path in found if role in CONTROL_ROLES]
    if len(sys.argv) > 2:
        for node, role, path in found:
            print(" / ".join(path))
    nameless = [(role, path) for node, role, path in controls if not node.name.strip()]
    for role, path in nameless:
        print(f"nameless {role}: {' / '.join(path)}")
    print(f"{len(controls) - len(nameless)} of {len(controls)} showing controls have a name")
    return 0 if controls and not nameless else 1


def check_text(app, summary, locked):
    windows = [node for node in app
               if node is not None and node.name == summary and node.getRoleName() == "frame"]
    if not windows:
        print(f"no window named {summary!r}: "
              f"{[(node.getRoleName(), node.name) for node in app if node]}")
        return 1
    found = []
    walk(windows[0], [], found)
    areas = [node for node, role, path in found if role == "text"]
    if len(areas) != 1:
        print(f"expected one text area in the note, found {len(areas)}")
        return 1
    text = areas[0].queryText()
    before = text.getText(0, -1)
    print(f"the note reads {before!r}")
    areas[0].queryEditableText().insertText(0, "Read aloud. ", len("Read aloud. "))
    after = text.getText(0, -1)
    print(f"after the edit it reads {after!r}")
    if locked:
        return 0 if after == before and before else 1
    return 0 if after == "Read aloud. " + before and before else 1


def focus(app, name):
    found = []
    walk(app, [], found)
    for node, role, path in found:
        if node.name == name and role in CONTROL_ROLES:
            return 0 if node.queryComponent().grabFocus() else 1
    print(f"no showing control named {name!r}")
    return 1


def main():
    app = application()
    if app is None:
        print("the program is not on the accessibility bus")
        return 2
    if sys.argv[1] == "names":
        return check_names(app)
    if sys.argv[1] == "focus":
        return focus(app, sys.argv[2])
    return check_text(app, sys.argv[2], sys.argv[1] == "locked-text")


sys.exit(main())
