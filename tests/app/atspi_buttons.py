"""Asks the desktop's accessibility bus, as a screen reader does, for every
push button of the running program's main window: each one showing must be
focusable and carry a name. Usage: atspi_buttons.py <application name>."""
import sys
import time

import pyatspi


def application(name, wait=30.0):
    end = time.time() + wait
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name and app.childCount > 0:
                return app
        time.sleep(0.5)
    sys.exit(f"no application {name!r} on the accessibility bus")


def buttons(node):
    for child in node:
        if child is None:
            continue
        if child.getRole() == pyatspi.ROLE_PUSH_BUTTON:
            yield child
        yield from buttons(child)


app = application(sys.argv[1])
found, faults = 0, []
for button in buttons(app):
    states = button.getState()
    if not states.contains(pyatspi.STATE_SHOWING):
        continue
    found += 1
    if not button.name.strip():
        faults.append(f"a button without a name in a {button.parent.getRoleName()} "
                      f"{button.parent.name!r} at {button.queryComponent().getExtents(0)}")
    if not states.contains(pyatspi.STATE_FOCUSABLE):
        faults.append(f"{button.name!r} cannot take the focus")
print(f"{found} push buttons showing")
if found < 10 or faults:
    sys.exit("\n".join(faults) or "too few push buttons on the bus")
