"""Every push button and spin button showing in the running program, as a
screen reader finds it on the accessibility bus, is named, and every push
button is focusable: in the main window, then with the shaft specifications
window opened from a size cell, then with the calculator opened from it.
Usage: atspi_buttons.py <application name>
       atspi_buttons.py --press <application name> <name prefix>"""
import subprocess
import sys
import time

import pyatspi


def controls(node, role):
    for child in filter(None, node):
        if child.getRole() == role and child.getState().contains(pyatspi.STATE_SHOWING):
            yield child
        yield from controls(child, role)


def application(name):
    for _ in range(180):
        apps = [a for a in pyatspi.Registry.getDesktop(0) if a and a.name == name]
        if apps and apps[0].childCount:
            return apps[0]
        time.sleep(0.5)
    sys.exit(f"no application {name!r} on the accessibility bus, only "
             f"{[a.name for a in pyatspi.Registry.getDesktop(0) if a]}")


def button(app, prefix):
    found = [b for b in controls(app, pyatspi.ROLE_PUSH_BUTTON) if b.name.startswith(prefix)]
    return found[-1] if found else None


if sys.argv[1] == "--press":
    # A button that opens a modal window answers only once that window
    # closes, so each press runs in a process of its own.
    target = button(application(sys.argv[2]), sys.argv[3])
    target.queryAction().doAction(0)
    sys.exit(0)

app = application(sys.argv[1])
presses = []
for step, (opener, opened) in enumerate([(None, None), ("Size, row 1:", "Print Build Sheet"),
                                         ("Kinetic Energy & FOC Calculator", "Calculate")]):
    if opener:
        presses.append(subprocess.Popen([sys.executable, __file__, "--press", sys.argv[1], opener]))
        for _ in range(60):
            if button(app, opened):
                break
            time.sleep(0.5)
        else:
            sys.exit(f"{opener!r} opened no window with {opened!r}")
    found = list(controls(app, pyatspi.ROLE_PUSH_BUTTON))
    spins = list(controls(app, pyatspi.ROLE_SPIN_BUTTON))
    faults = [f"{b.name!r} at {b.queryComponent().getExtents(0)}" for b in found
              if not b.name.strip() or not b.getState().contains(pyatspi.STATE_FOCUSABLE)]
    faults += [f"spin button at {s.queryComponent().getExtents(0)}" for s in spins
               if not s.name.strip()]
    print(f"{len(found)} push buttons and {len(spins)} spin buttons showing")
    if len(found) < 10 or faults:
        sys.exit("unnamed or unfocusable: " + ", ".join(faults) if faults else "too few buttons")
for press in presses:
    press.kill()
