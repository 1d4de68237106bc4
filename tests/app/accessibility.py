#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The card as a screen reader meets it: walks Brivane's accessibility tree
over AT-SPI on every tab and checks that what a sighted user reads is there
to be heard, and that every control has a name.

Runs inside the test session with Brivane already started; expands the card
with the pointer (xdotool) and switches tabs through AT-SPI actions.
  accessibility.py <expected-json>
The expected file names, per tab, the texts that must be heard there.
"""
import json
import subprocess
import sys
import time
import warnings

import gi

# The action's untranslated name is what is matched; its getter is marked
# deprecated in favour of the translated one.
warnings.filterwarnings("ignore", category=DeprecationWarning)

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

CONTROLS = {"push button", "toggle button", "radio button", "slider", "scroll bar", "text", "entry",
            "password text", "page tab", "check box", "combo box", "spin button"}


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe, seconds=20):
    """probe's first true answer; at the deadline, fails naming what, or
    returns None when what is None."""
    end = time.time() + seconds
    while time.time() < end:
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    if what is not None:
        fail("gave up waiting for " + what)
    return None


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        child = desktop.get_child_at_index(i)
        if child is not None and child.get_name() == "brivane":
            return child
    return None


def showing(node):
    try:
        return node.get_state_set().contains(Atspi.StateType.SHOWING)
    except gi.repository.GLib.GError:
        return False


def walk(node, out):
    """The showing nodes under node as (role, name, node)."""
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None or not showing(child):
            continue
        out.append((child.get_role_name(), child.get_name() or "", child))
        walk(child, out)
    return out


def tree(app):
    return walk(app, [])


def find(app, role, name):
    for r, n, node in tree(app):
        if r == role and n == name:
            return node
    return None


def press(node):
    for i in range(Atspi.Action.get_n_actions(node)):
        if Atspi.Action.get_action_name(node, i).lower() in ("press", "click"):
            Atspi.Action.do_action(node, i)
            return
    fail("no press action on " + node.get_name())


def open_card():
    """Brivane's application node, once the pointer has opened its card."""
    app = wait_for("Brivane on the accessibility bus", application)
    width = int(subprocess.check_output(["xdotool", "getdisplaygeometry"]).split()[0])
    # Into the strip, then to the card's empty top gap, where it stays open.
    subprocess.check_call(["xdotool", "mousemove", str(width // 2), "10"])
    wait_for("the tab bar", lambda: find(app, "page tab list", "Tabs"))
    subprocess.check_call(["xdotool", "mousemove", str(width // 2), "33"])
    return app


def main():
    expected = json.load(open(sys.argv[1]))
    app = open_card()
    report = []
    for tab, texts in expected.items():
        tab_node = wait_for("the tab " + tab, lambda: find(app, "page tab", tab))
        press(tab_node)
        # The tab content says which tab it shows.
        wait_for("the content of " + tab, lambda: find(app, "panel", tab))
        for text in texts:
            # "role::name" asks for that role too.
            role, _, name = text.rpartition("::")

            def heard():
                return any((name == n or (name.endswith("*") and n.startswith(name[:-1])))
                           and role in ("", r) for r, n, _ in tree(app))
            if not wait_for(None, heard, 10):
                dump = "\n".join("  %s [%s]" % (r, n) for r, n, _ in tree(app))
                fail("on %s, nothing says '%s'; heard:\n%s" % (tab, text, dump))
        nameless = [r for r, n, _ in tree(app) if r in CONTROLS and not n.strip()]
        if nameless:
            fail("on %s, controls without a name: %s" % (tab, ", ".join(nameless)))
        report.append("%s: %d texts heard" % (tab, len(texts)))
    print("\n".join(report))


if __name__ == "__main__":
    main()
