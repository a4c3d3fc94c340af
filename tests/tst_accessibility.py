# SPDX-License-Identifier: GPL-3.0-or-later
"""One equation through every page of the real Vertex2, read and answered through AT-SPI as a
screen reader does: the names, roles and states of what shows, the dialogs' texts, and the
verdict carried to the closing question. Under each kind of box, every button of the window is
pressed too, as a screen reader's user can, and nothing happens; and a screen reader that keeps
the buttons' states hears each become unavailable as the box opens, and available again as it
closes.
tst_accessibility.py VERTEX2_PROGRAM"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

SHOWING, ENABLED, FOCUSED = pyatspi.STATE_SHOWING, pyatspi.STATE_ENABLED, pyatspi.STATE_FOCUSED
SENSITIVE = pyatspi.STATE_SENSITIVE
TITLE = "Paravel v2.1 by Zorvan"
failures = []


def check(holds, what):
    print(("ok: " if holds else "FAILED: ") + what, flush=True)
    if not holds:
        failures.append(what)


# What the program announced of its buttons' availability, in order, as a screen reader that
# caches their states hears it: (name, available).
announced = []


def on_state_change(event):
    source = event.source
    if source is not None and source.getRole() == pyatspi.ROLE_PUSH_BUTTON:
        announced.append((source.name, bool(event.detail1)))


pyatspi.Registry.registerEventListener(on_state_change, "object:state-changed:sensitive",
                                       "object:state-changed:enabled")


def last_announced(name):
    return next((available for n, available in reversed(announced) if n == name), None)


def within(seconds, find, what):
    """What find() returns once it returns something, or a clear failure: never a hang. The
    limits are generous, as the bus answers slowly on a machine busy with builds beside it.
    Events that came meanwhile are heard first."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        found = find()
        if found:
            return found
        time.sleep(0.05)
    print("FAILED: " + what + " did not come within %g s" % seconds, flush=True)
    sys.exit(1)


def children(node):
    """The children that still exist: a closed dialog may leave a gap for a moment."""
    found = (node.getChildAtIndex(i) for i in range(node.childCount))
    return [child for child in found if child is not None]


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((a for a in children(desktop) if a.name == "vertex2"), None)


def states(node):
    return set(node.getState().getStates())


def showing(window):
    return [c for c in children(window) if SHOWING in states(c)]


def dialogs(app):
    """The open dialogs: the windows that are not the wizard."""
    return [w for w in children(app) if w.name != TITLE and SHOWING in states(w)]


def dialog(app):
    return next(iter(dialogs(app)), None)


def seen(window):
    """What the window shows: each control's role, name and text, and where the focus is."""
    def text(node):
        return node.queryText().getText(0, -1) if node.getRole() == pyatspi.ROLE_TEXT else ""
    return [(n.getRoleName(), n.name, text(n), FOCUSED in states(n)) for n in showing(window)]


def press_behind(app, window, box):
    """Presses every button the window shows while the box is open: each says it cannot be
    pressed, and nothing changes. The program still runs, with the same box open."""
    before = seen(window)
    buttons = [n for n in showing(window) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    for button in buttons:
        said = states(button)
        check(ENABLED not in said and SENSITIVE not in said,
              "behind %r, %r is unavailable" % (box.name, button.name))
        button.queryAction().doAction(0)
    time.sleep(0.5)  # a press comes as a click 100 ms later
    check(program.poll() is None, "behind %r, the presses leave the program running" % box.name)
    check(seen(window) == before, "behind %r, the presses change nothing in the window" % box.name)
    check(dialogs(app) == [box], "behind %r, the presses open no other box" % box.name)


def press(node):
    actions = node.queryAction()
    check(actions.getName(0) == "Press", "%s %r can be pressed" % (node.getRoleName(), node.name))
    actions.doAction(0)


def answer(app, role, prompt, typed=None, button="ОК", behind=None, another_follows=False):
    """Reads the dialog that opens, presses the buttons of the window behind it if given, types
    into its field and presses one of its buttons; returns what the dialog says when it opens."""
    box = within(15, lambda: dialog(app), "a dialog asking %r" % prompt)
    said = box.description
    check(box.getRole() == role, "the dialog is a %s" % box.getRoleName())
    check(said.endswith(prompt), "the dialog carries its prompt: %r" % said)
    if behind is not None:
        names = {n.name for n in showing(behind) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON}
        what = "under %r, every button announced as unavailable" % prompt
        check(within(10, lambda: all(last_announced(name) is False for name in names), what), what)
        held = len(announced)
        press_behind(app, behind, box)
    if typed is not None:
        field = next(n for n in all_nodes(box) if n.getRole() == pyatspi.ROLE_TEXT)
        field.queryEditableText().setTextContents(typed)
    press(next(n for n in all_nodes(box) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == button))
    within(15, lambda: dialog(app) is None or dialog(app) != box, "the dialog closing")
    if behind is not None:
        what = "after %r, every button announced as available again" % prompt
        check(within(10, lambda: all((name, True) in announced[held:] for name in names), what),
              what)
    # With no window manager under Xvfb, nothing gives the window the keyboard back; a dialog
    # that follows takes it itself.
    if not another_follows:
        subprocess.run(["xdotool", "search", "--name", TITLE, "windowfocus"], check=False)
    return said


def all_nodes(node):
    found = [node]
    for child in children(node):
        found += all_nodes(child)
    return found


def page(window, what, buttons, preview=None):
    """The controls that show: the page's buttons by name with their enabled state, Exit, the
    picture, and the preview's text."""
    shown = showing(window)
    seen = {(n.name, ENABLED in states(n)) for n in shown
            if n.getRole() == pyatspi.ROLE_PUSH_BUTTON}
    wanted = set(buttons) | {("Выход", True)}
    check(seen == wanted, "%s: the buttons %s" % (what, sorted(seen)))
    check(any(n.getRole() == pyatspi.ROLE_IMAGE and n.name == "Надпись «Paravel»" for n in shown),
          "%s: the picture is named" % what)
    texts = [n for n in shown if n.getRole() == pyatspi.ROLE_TEXT]
    if preview is None:
        check(not texts, "%s: no preview" % what)
        return
    check(len(texts) == 1 and texts[0].name == "y=ax^2+bx+c", "%s: the preview is named" % what)
    relations = [r for r in texts[0].getRelationSet()
                 if r.getRelationType() == pyatspi.RELATION_LABELLED_BY]
    check(relations and relations[0].getTarget(0).name == "y=ax^2+bx+c",
          "%s: the preview is labelled by its heading" % what)
    check(texts[0].queryText().getText(0, -1) == preview, "%s: the preview reads %r" % (what, preview))


def focused(window, name):
    has = [n.name for n in showing(window) if FOCUSED in states(n)]
    check(has == [name], "%r has the focus: %r" % (name, has))


program = subprocess.Popen([sys.argv[1]])
try:
    app = within(30, application, "Vertex2 on the accessibility bus")
    window = within(15, lambda: next((w for w in children(app) if w.name == TITLE), None),
                    "the window")
    check(window.getRole() == pyatspi.ROLE_FRAME, "the window is a %s" % window.getRoleName())
    page(window, "welcome", [("Назад", False), ("Дальше", True)])

    press(next(n for n in showing(window) if n.name == "Дальше"))
    answer(app, pyatspi.ROLE_DIALOG, "Введите значение коэффициента А", "2", behind=window)
    page(window, "A page", [("Назад", True), ("Дальше", True)], " 2x^2+bx+c=0")
    focused(window, "Дальше")

    press(next(n for n in showing(window) if n.name == "Дальше"))
    answer(app, pyatspi.ROLE_DIALOG, "Введите значение коэффициента В", "0", another_follows=True)
    answer(app, pyatspi.ROLE_ALERT, "Вы ввели ноль, буквы, нажали отмену или ничего не ввели.",
           behind=window, another_follows=True)
    answer(app, pyatspi.ROLE_ALERT, "Нет для введения нового значения В, Отмену для выхода)",
           button="Нет", behind=window, another_follows=True)
    answer(app, pyatspi.ROLE_DIALOG, "Введите значение коэффициента В", "-3")
    page(window, "B page", [("Назад", True), ("Дальше", True)], " 2x^2-3x+c=0")
    focused(window, "Дальше")

    press(next(n for n in showing(window) if n.name == "Дальше"))
    answer(app, pyatspi.ROLE_DIALOG, "Введите значение коэффициента C", "-2")
    page(window, "C page", [("Назад", True), ("Дальше", True)], " 2x^2-3x-2=0")
    focused(window, "Дальше")

    press(next(n for n in showing(window) if n.name == "Дальше"))
    verdict = "Дискриминант больше нуля, х1= 2 x2=-.5"
    said = answer(app, pyatspi.ROLE_ALERT, "Хотите решить другое уравнение?", button="Нет",
                  behind=window)
    check(said == verdict + " Хотите решить другое уравнение?",
          "the verdict is said with the question: %r" % said)
    page(window, "result page", [("Назад", False), ("Дальше", False)])
    check(any(n.getRole() == pyatspi.ROLE_LABEL and n.name == verdict for n in showing(window)),
          "the result page shows the verdict")

    exit_button = next(n for n in showing(window) if n.name == "Выход")
    binding = exit_button.queryAction().getKeyBinding(0)
    check("ы" in binding.lower(), "Exit keeps Alt+ы: %r" % binding)
    press(exit_button)
    check(within(15, lambda: program.poll() is not None, "the program ending"), "Exit ends it")
finally:
    if program.poll() is None:
        program.kill()

print("%d failed" % len(failures))
sys.exit(1 if failures else 0)
