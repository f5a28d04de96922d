"""Listens to rideriddle as a screen reader does, over the accessibility bus (AT-SPI), and acts
through the same bus: the names the menu and the board give their controls, that the hidden score
box is offered neither in the board's tree nor in its events, and that a press while a message
box is open does nothing. Prints PASS/FAIL lines; the exit status is 1 when a check failed. The
program must be showing its menu; at the end the client presses EXIT.

Every wait has a deadline."""

import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

failed = False


def report(ok, what):
    global failed
    print(("PASS: " if ok else "FAIL: ") + what, flush=True)
    failed = failed or not ok


def abort(what):
    report(False, what)
    sys.exit(1)


def pump():
    """Lets the queued bus events reach the listeners."""
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(what, probe, seconds=10):
    """Polls probe() until it returns something true; returns it, or None at the deadline."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        pump()
        found = probe()
        if found:
            return found
        time.sleep(0.05)
    report(False, what + f" within {seconds} s")
    return None


def children(accessible):
    found = []
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            found.append(child)
    return found


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def text_of(accessible):
    try:
        text = accessible.queryText()
    except NotImplementedError:
        return None
    return text.getText(0, -1)


def do_action(accessible, name):
    action = accessible.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == name:
            return action.doAction(i)
    abort(f"'{accessible.name}' offers the action {name}")


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "rideriddle":
            return app
    return None


def shown_windows(app, name):
    return [w for w in children(app) if w.name == name and showing(w)]


def main():
    app = wait_for("the program shows on the accessibility bus", application)
    if not app:
        sys.exit(1)
    app.setCacheMask(Atspi.Cache.NONE)  # every state read is the program's answer of the moment

    # ---- the menu: every picture button says what its picture shows ----
    menu = wait_for("the menu shows", lambda: shown_windows(app, ""))
    if not menu:
        sys.exit(1)
    buttons = [c for c in children(menu[0]) if c.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    names = [b.name for b in buttons]
    report(names == ["NEW GAME", "EXIT", "About Us", "Help"],
           f"the menu's buttons read NEW GAME, EXIT, About Us, Help: {names}")
    if len(buttons) != 4:
        abort("the menu has four buttons")
    new_game, exit_button, _, _ = buttons

    do_action(new_game, "Press")
    board = wait_for("NEW GAME opens the board Form1", lambda: shown_windows(app, "Form1"))
    if not board:
        sys.exit(1)
    board = board[0]

    # ---- the board: every control it shows, named; the hidden score box is not offered ----
    controls = children(board)
    seen = [(c.getRoleName(), c.name) for c in controls]
    expected = [("text", "")]
    expected += [("combo box", f"List for Check{k}") for k in range(1, 7)]
    expected += [("check box", f"Check{k}") for k in range(1, 7)]
    expected += [("push button", "Find")]
    report(seen == expected, f"the board offers its 14 shown controls, named: {seen}")
    hidden = [c.getRoleName() + " " + repr(text_of(c)) for c in controls if not showing(c)]
    report(not hidden, f"the board offers no control that it does not show: {hidden}")

    checks = {c.name: c for c in controls if c.getRole() == pyatspi.ROLE_CHECK_BOX}
    finds = [c for c in controls if c.name == "Find"]
    if len(checks) != 6 or len(finds) != 1:
        abort("the board has six check boxes and Find")
    find = finds[0]

    # Text changes name the object that changed: the score box must not be one of them.
    changed = []

    def on_text_changed(event):
        changed.append((event.source.getRoleName(), text_of(event.source), showing(event.source)))

    pyatspi.Registry.registerEventListener(on_text_changed, "object:text-changed")
    for k in range(1, 7):
        do_action(checks[f"Check{k}"], "Toggle")
    ticked = all(c.getState().contains(pyatspi.STATE_CHECKED) for c in checks.values())
    report(ticked, "Toggle ticks the six boxes")
    do_action(find, "Press")  # 1 + ... + 6 = 21: "invalid selection", the board stays
    boxes = wait_for("Find shows a message box", lambda: shown_windows(app, "rideriddle"))
    if not boxes:
        sys.exit(1)
    pump()
    pyatspi.Registry.deregisterEventListener(on_text_changed, "object:text-changed")
    unseen = [c for c in changed if not c[2]]
    report(not unseen, f"no text change comes from a control the board does not show: {unseen}")

    # ---- a message box is open: the board takes no press, whoever presses ----
    do_action(find, "Press")
    # The press comes a moment after the action (the button shows it pressed first); the box
    # that it would open shows before the button is released.
    wait_for("Find is released after the press",
             lambda: not find.getState().contains(pyatspi.STATE_PRESSED))
    do_action(checks["Check1"], "Toggle")
    open_boxes = len(shown_windows(app, "rideriddle"))
    report(open_boxes == 1, f"Press on Find while a message box is open opens no second box: "
           f"{open_boxes} open")
    report(checks["Check1"].getState().contains(pyatspi.STATE_CHECKED),
           "Toggle on Check1 while a message box is open leaves it ticked")

    # Close every box with its OK button.
    def close_one():
        boxes = shown_windows(app, "rideriddle")
        if not boxes:
            return True
        stack = [boxes[-1]]
        while stack:
            node = stack.pop()
            if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name == "OK":
                do_action(node, "Press")
                wait_for("the box closes", lambda: not showing(boxes[-1]))
                return False
            stack.extend(children(node))
        abort("a message box has an OK button")

    wait_for("every message box is closed", close_one)
    do_action(exit_button, "Press")


main()
sys.exit(1 if failed else 0)
