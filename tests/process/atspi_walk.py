#!/usr/bin/env python3
"""The program's windows as a screen reader finds them, read through AT-SPI.

    atspi_walk.py PID ru|en

Finds the running program PID on the accessibility bus, checks its main window, walks that
window's tab order with the keyboard (xdotool), then opens the settings window with its button
and checks that one too. The main window must have the keyboard already. Prints what it found
and a "FAIL:" line per fault; exits 1 when there is any.
"""
import subprocess
import sys
import time

import pyatspi

# What each control is called, as a screen reader says it: its accessible name, or the text of
# the label it is tied to. Compared without case and without a trailing colon.
EXPECTED = {
    "ru": {
        "model list": ("Тип миникамеры:", "combo box"),
        "time-stamp list": ("Отображать метку времени:", "combo box"),
        "drive list": ("Миникамера в системе под буквой:", "combo box"),
        "refresh button": ("Обновить список устройств", "push button"),
        "current moment": ("Установить текущую системную дату и время:", "radio button"),
        "other moment": ("Установить другую дату и время", "radio button"),
        "set button": ("Установить выбранную дату и время", "push button"),
    },
    "en": {
        "model list": ("Type of Zentrik:", "combo box"),
        "time-stamp list": ("Showing date and time:", "combo box"),
        "drive list": ("The device is registered in system as:", "combo box"),
        "refresh button": ("Update the list of devices", "push button"),
        "current moment": ("Set the current system date and time:", "radio button"),
        "other moment": ("Set other date and time:", "radio button"),
        "set button": ("Set chosen date and time", "push button"),
    },
}
SETTINGS_BUTTON = {"ru": "Настройки", "en": "Settings"}
MAIN_WINDOW = (400, 558)
SETTINGS_WINDOW = (400, 526)
MODEL_WITH_STAMP = "Q5"  # the time-stamp list is enabled, and so in the tab order, only for such

# Roles a user operates; any of them in reach of the keyboard needs a name.
OPERABLE = {"push button", "combo box", "check box", "radio button", "spin button", "text", "entry",
            "link", "toggle button", "date editor"}
PICKERS = {"spin button", "date editor", "text", "entry"}  # Qt shows QDateEdit/QTimeEdit as spin buttons
MOMENT_OPTIONS = {"check box", "radio button"}
MOST_STOPS = 40

faults = []


def fault(text):
    faults.append(text)
    print("FAIL:", text, flush=True)


class Stuck(Exception):
    pass


def wait_for(what, probe, seconds=20):
    deadline = time.monotonic() + seconds
    while True:
        found = probe()
        if found:
            return found
        if time.monotonic() > deadline:
            raise Stuck("never " + what)
        time.sleep(0.05)


def press(key):
    subprocess.run(["xdotool", "key", key], check=True)


class Node:
    """What one shown object says of itself at one moment."""

    def __init__(self, acc, path):
        self.acc = acc
        self.path = path  # child indices from the window: tells ancestors apart
        self.role = acc.getRoleName()
        self.name = acc.name or ""
        self.description = acc.description or ""
        states = acc.getState()
        self.focusable = states.contains(pyatspi.STATE_FOCUSABLE)
        self.focused = states.contains(pyatspi.STATE_FOCUSED)
        self.checked = states.contains(pyatspi.STATE_CHECKED)
        box = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.box = (box.x, box.y, box.width, box.height)
        self.labels = [r.getTarget(i).name or "" for r in acc.getRelationSet()
                       if r.getRelationType() == pyatspi.RELATION_LABELLED_BY
                       for i in range(r.getNTargets())]

    @property
    def key(self):  # a list's name is its current row, so the place tells objects apart
        return (self.role, self.box)

    def spoken(self):
        return " / ".join(n for n in [self.name, *self.labels] if n)

    def is_called(self, expected):
        return any(plain(n) == plain(expected) for n in [self.name, *self.labels])

    def __str__(self):
        return f"{self.role} '{self.spoken()}' at {self.box[0]},{self.box[1]}"


def plain(text):
    return text.strip().rstrip(":").strip().casefold()


def shown_nodes(window):
    """Every shown object under the window, depth first; hidden branches are left out."""
    window.clearCache()
    nodes = []

    def visit(acc, path):
        for i, child in enumerate(acc):
            if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
                nodes.append(Node(child, path + (i,)))
                visit(child, path + (i,))

    visit(window, ())
    return nodes


def find_application(pid):
    def probe():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid:
                return app
        return None
    return wait_for(f"the program {pid} on the accessibility bus", probe, 30)


def find_window(app, size):
    def probe():
        app.clearCache()
        for window in app:
            if window is not None and window.getState().contains(pyatspi.STATE_SHOWING):
                box = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                if (box.width, box.height) == size:
                    return window
        return None
    return wait_for("a shown window of %dx%d" % size, probe)


# 1. Every control in reach of the keyboard is called something.
# Nor is a name said twice where screen readers repeat it: a radio button's label is read as
# the name of its group, before the button's own; a link's description after its name.
def check_names(title, nodes):
    for node in nodes:
        if node.focusable and node.role in OPERABLE and not node.spoken():
            fault(f"{title}: a {node.role} at {node.box[0]},{node.box[1]} has no name")
        again = {"radio button": node.labels, "link": [node.description]}.get(node.role, [])
        if node.name and any(plain(node.name) == plain(text) for text in again):
            fault(f"{title}: the {node} says its name twice")


def near(a, b):  # overlapping or at most 1 pixel apart
    gap = max(b[0] - (a[0] + a[2]), a[0] - (b[0] + b[2]), b[1] - (a[1] + a[3]), a[1] - (b[1] + b[3]))
    return gap <= 1


# 2. Every text is said once: the window draws captions and clock values twice, one copy under
# the other, and only one copy may be exposed.
def check_said_once(title, nodes):
    named = [n for n in nodes if n.name]
    for i, a in enumerate(named):
        for b in named[i + 1:]:
            related = a.path == b.path[:len(a.path)] or b.path == a.path[:len(b.path)]
            if a.name == b.name and not related and near(a.box, b.box):
                fault(f"{title}: '{a.name}' is said twice, {a.role} at {a.box} and {b.role} at {b.box}")


# 3. Screen readers announce a top window by the role frame.
def check_window_role(title, window):
    role = window.getRoleName()
    if role != "frame":
        fault(f"{title}: exposed as {role}, not frame")


# 4. A window that is not shown says nothing, though its sample changes every second and it
# follows the model chosen in the main window (a step down the list and back, meanwhile); the
# shown main window is left out, as it has the keyboard and its clock.
def check_hidden_windows_quiet(main_window, seconds=3):
    from gi.repository import GLib
    heard = []

    def outside_main(event):
        acc = event.source
        while acc is not None and acc.getRole() != pyatspi.ROLE_APPLICATION:
            if acc == main_window:
                return
            acc = acc.parent
        heard.append(event.source.name or "")

    kinds = ["object:property-change:accessible-name", "object:property-change:accessible-description",
             "object:text-changed", "object:selection-changed"]
    pyatspi.Registry.registerEventListener(outside_main, *kinds)
    GLib.timeout_add(500, lambda: press("Down"))  # the model list has the keyboard
    GLib.timeout_add(1500, lambda: press("Up"))
    GLib.timeout_add_seconds(seconds, pyatspi.Registry.stop)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(outside_main, *kinds)
    if heard:
        fault(f"a hidden window told {len(heard)} changes in {seconds} s, last of '{heard[-1]}'")


def check_window(title, window):
    nodes = shown_nodes(window)
    check_window_role(title, window)
    check_names(title, nodes)
    check_said_once(title, nodes)


def focused(window):
    return next((n for n in shown_nodes(window) if n.focused), None)


def offers(node, item):
    """A list whose rows include ITEM (its rows live under its popup, shown or not)."""
    return node.role == "combo box" and any(row is not None and row.name == item
                                            for popup in node.acc if popup is not None for row in popup)


def rows_before(node, item):
    popup = node.acc[0]
    return [row.name for row in popup].index(item)


def act_on(window, stop, moments):
    """What a user does on the way: a model with a time stamp, then the other moment.
    Returns the key that moves on from STOP."""
    if offers(stop, MODEL_WITH_STAMP):
        press("Home")
        for _ in range(rows_before(stop, MODEL_WITH_STAMP)):
            press("Down")
        print(f"chose {MODEL_WITH_STAMP} in the model list: Home, then Down", flush=True)
    if stop.role in MOMENT_OPTIONS and len(moments) == 2:
        if stop.key == moments[0].key:
            return "Down"  # moves within a radio pair; on a check box it moves as Tab does
        if stop.key == moments[1].key and not stop.checked:
            press("space")
            wait_for("the other moment chosen", lambda: (n := focused(window)) and n.checked)
    return "Tab"


def caret(node):
    """Where the keyboard is inside a control: Tab walks a date picker's parts before leaving it."""
    try:
        text = node.acc.queryText()
    except NotImplementedError:
        return None
    return text.getSelection(0) if text.getNSelections() else text.caretOffset


def tab_round(window):
    """Moves the keyboard from the control that has it until it comes back; returns the stops."""
    nodes = shown_nodes(window)
    moments = sorted((n for n in nodes if n.role in MOMENT_OPTIONS), key=lambda n: n.box[1])
    start = wait_for("a focused control in the main window", lambda: focused(window))
    stops = [start]
    here, inside = start, caret(start)
    while len(stops) < MOST_STOPS:
        press(act_on(window, here, moments))
        there = wait_for(f"the keyboard moved on from {here}",
                         lambda: (n := focused(window)) and (n.key != here.key or caret(n) != inside) and n)
        if there.key == start.key:
            now = {n.key: n for n in shown_nodes(window)}  # the names as the round left them
            return [now.get(stop.key, stop) for stop in stops]
        if there.key != here.key:
            stops.append(there)
        here, inside = there, caret(there)
    fault(f"the keyboard did not come back to {start} in {MOST_STOPS} stops")
    return stops


# 4. One tab round reaches every control, each called as expected.
def check_tab_round(stops, language):
    for what, (name, role) in EXPECTED[language].items():
        stop = next((s for s in stops if s.is_called(name)), None)
        if stop is None:
            fault(f"the tab round never reaches the {what} '{name}'")
        elif stop.role != role:
            fault(f"the {what} '{name}' is a {stop.role}, not a {role}")
    # Over AT-SPI a list's row is found nowhere but in its description.
    for stop in stops:
        if stop.role == "combo box" and plain(stop.description) != plain(stop.name):
            fault(f"the list {stop} tells '{stop.description}', not its row '{stop.name}'")
    pickers = [s for s in stops if s.role in PICKERS]
    if len(pickers) < 2:
        fault(f"the tab round reaches {len(pickers)} of the two date and time pickers")
    for picker in pickers:
        if not picker.spoken():
            fault(f"the picker {picker} has no name")


def open_settings(app, main_window, language):
    button = next((n for n in shown_nodes(main_window)
                   if n.role == "push button" and n.is_called(SETTINGS_BUTTON[language])), None)
    if button is None:
        raise Stuck(f"no settings button '{SETTINGS_BUTTON[language]}' in the main window")
    action = button.acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)
    return find_window(app, SETTINGS_WINDOW)


def main():
    pid, language = int(sys.argv[1]), sys.argv[2]
    try:
        app = find_application(pid)
        main_window = find_window(app, MAIN_WINDOW)
        print(f"main window '{main_window.name}'", flush=True)
        check_window("main window", main_window)
        check_hidden_windows_quiet(main_window)
        stops = tab_round(main_window)
        # 5. For the record.
        print("tab order:")
        for stop in stops:
            print(f"  {stop.role}\t{stop.spoken()}")
        check_tab_round(stops, language)
        settings = open_settings(app, main_window, language)
        print(f"settings window '{settings.name}'", flush=True)
        check_window("settings window", settings)
    except Stuck as stuck:
        fault(str(stuck))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
