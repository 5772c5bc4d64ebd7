"""Every push button showing in the running program, as a screen reader
finds it on the accessibility bus, is focusable and named.
Usage: atspi_buttons.py <application name>"""
import sys
import time

import pyatspi


def buttons(node):
    for child in filter(None, node):
        if child.getRole() == pyatspi.ROLE_PUSH_BUTTON and child.getState().contains(
                pyatspi.STATE_SHOWING):
            yield child
        yield from buttons(child)


for _ in range(180):
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a and a.name == sys.argv[1]]
    if apps and apps[0].childCount:
        break
    time.sleep(0.5)
else:
    sys.exit(f"no application {sys.argv[1]!r} on the accessibility bus, only "
             f"{[a.name for a in pyatspi.Registry.getDesktop(0) if a]}")
found = list(buttons(apps[0]))
faults = [f"{b.name!r} at {b.queryComponent().getExtents(0)}" for b in found
          if not b.name.strip() or not b.getState().contains(pyatspi.STATE_FOCUSABLE)]
print(f"{len(found)} push buttons showing")
if len(found) < 10 or faults:
    sys.exit("unnamed or unfocusable: " + ", ".join(faults) if faults else "too few buttons")
