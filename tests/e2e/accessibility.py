#!/usr/bin/python3
"""Pelmora as a screen reader meets it: the real app on a virtual X display with a tray host,
inside a private session bus with the accessibility bus (at-spi2-core) running, as a desktop
session starts it. The picker is walked through AT-SPI (pyatspi) alone, never by pixels:

- the search field, found by its role and the name "Search", takes the text of a search;
- the wand is named after what it does, and the form it opens has named fields;
- the chips are checkable, and choosing one through its action checks it;
- the section headers are headings, the first tile of the search is a button named by its face
  and described by its category and tags, and its action copies the face (read with xclip);
- the copied banner shows as an alert that names the face;
- the menu button opens a menu whose items have names, and its "Quit" quits.

Arguments: the pelmora executable. Exit status 0 when everything holds.
"""

import os
import subprocess
import sys
import tempfile

import dbus
from dbus.mainloop.glib import DBusGMainLoop

from desktop import (Failure, Pelmora, clean_environment, start_display, start_tray, stop,
                     wait_until)

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib
    import pyatspi
except (ImportError, ValueError) as missing:
    # make test installs it (scripts/setup.sh); a missing part fails the test.
    print(f"accessibility: FAIL: pyatspi is missing ({missing}); scripts/setup.sh installs "
          "python3-pyatspi", file=sys.stderr)
    sys.exit(1)

# The first face of the "Cat" category in the catalog, and its tags.
FIRST_CAT = "(=^･ω･^=)"
FIRST_CAT_DESCRIPTION = "Cat: cat, cute, happy"


def start_accessibility_bus(bus):
    """What a desktop session does at login; Qt joins the bus only if it is there already."""
    try:
        launcher = bus.get_object("org.a11y.Bus", "/org/a11y/bus")
        launcher.GetAddress(dbus_interface="org.a11y.Bus")
    except dbus.DBusException as error:
        raise Failure(f"no accessibility bus ({error}); scripts/setup.sh installs at-spi2-core")


def descendants(node):
    """The accessible tree under node, in order, read fresh from the application."""
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def gone_means_none(search):
    """The search, None when an object went away while it was read: the results' rows are made
    and let go as the list changes, and the caller looks again."""
    def reading(*args, **kwargs):
        try:
            return search(*args, **kwargs)
        except GLib.Error as error:
            if "No such object path" not in str(error):
                raise
            return None
    return reading


@gone_means_none
def find(root, role, name=None, showing=True):
    """The first object of the role (and name) in the tree; None when there is none."""
    for node in descendants(root):
        if node.getRole() != role or (name is not None and node.name != name):
            continue
        if showing and not node.getState().contains(pyatspi.STATE_SHOWING):
            continue
        return node
    return None


def wait_for(root, role, name, showing=True):
    return wait_until(f"{'a shown ' if showing else ''}{str(role)[5:].lower()} named {name!r}",
                      lambda: find(root, role, name, showing))


def outline(root):
    """The tree as a screen reader reads it, for the failure report."""
    lines = []
    for node in descendants(root):
        depth, parent = 0, node.parent
        while parent is not None and parent != root:
            depth, parent = depth + 1, parent.parent
        states = [state.value_nick for state in node.getState().getStates()
                  if state in (pyatspi.STATE_SHOWING, pyatspi.STATE_CHECKED,
                               pyatspi.STATE_FOCUSED)]
        lines.append(f"{'  ' * depth}{node.getRoleName()} {node.name!r} {node.description!r} "
                     f"{' '.join(states)}")
    return "\n".join(lines)


def report_tree():
    try:
        app = find_app()
        return outline(app) if app else "(Pelmora is not among the applications)"
    except GLib.Error as error:
        return f"(unreadable: {error})"


@gone_means_none
def first_tile(picker):
    """The first shown button after the first shown heading."""
    after_heading = False
    for node in descendants(picker):
        if not has_state(node, pyatspi.STATE_SHOWING):
            continue
        if node.getRole() == pyatspi.ROLE_HEADING:
            after_heading = True
        elif after_heading and node.getRole() == pyatspi.ROLE_PUSH_BUTTON:
            return node
    return None


def has_state(node, state):
    return node.getState().contains(state)


def press(node):
    """Runs the object's "Press" action, as a screen reader's user does."""
    action = node.queryAction()
    names = [action.getName(index) for index in range(action.nActions)]
    if "Press" not in names or not action.doAction(names.index("Press")):
        raise Failure(f"{node.name!r} has no \"Press\" action that runs (only {names})")


def clipboard(display):
    result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                            env=dict(os.environ, DISPLAY=display), timeout=10)
    return result.stdout.decode("utf-8", "replace")


def find_picker(app):
    """The picker's frame once the window has drawn its content."""
    for index in range(app.childCount):
        frame = app.getChildAtIndex(index)
        if frame is not None and frame.getRole() == pyatspi.ROLE_FRAME and frame.childCount:
            return frame
    return None


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == "Pelmora":
            return app
    return None


class Alerts:
    """Which alerts the application announced: shown, or renamed while shown."""

    def __init__(self):
        self.names = []
        for kind in ("object:state-changed:showing", "object:property-change:accessible-name"):
            pyatspi.Registry.registerEventListener(self.heard, kind)

    def heard(self, event):
        try:
            if event.source is None or event.source.getRole() != pyatspi.ROLE_ALERT:
                return
            if event.type.startswith("object:property-change") or event.detail1:
                self.names.append(event.source.name)
        except GLib.Error:
            pass  # an object gone by now, as they all go when Pelmora quits


def walk_the_picker(app, display):
    picker = wait_until("the picker's content in the accessible tree", lambda: find_picker(app))
    # Names are read anew every time: they change as the window does.
    Atspi.Accessible.set_cache_mask(app, Atspi.Cache.NONE)

    search = wait_for(picker, pyatspi.ROLE_TEXT, "Search")

    wand = wait_for(picker, pyatspi.ROLE_PUSH_BUTTON, "Add your own kaomoji")
    press(wand)
    wait_for(picker, pyatspi.ROLE_TEXT, "Kaomoji Face")
    wait_for(picker, pyatspi.ROLE_TEXT, "AI Prompt")
    press(wait_for(picker, pyatspi.ROLE_PUSH_BUTTON, "Close the form"))
    wait_until("the form to close", lambda: find(picker, pyatspi.ROLE_TEXT, "Kaomoji Face") is None)

    # Most chips are out of sight in the scrolling bar, but there.
    chip = wait_for(picker, pyatspi.ROLE_CHECK_BOX, "Cat", showing=False)
    if has_state(chip, pyatspi.STATE_CHECKED):
        raise Failure("the chip \"Cat\" is checked before it is chosen")
    press(chip)
    wait_until("the chip \"Cat\" to be checked", lambda: has_state(chip, pyatspi.STATE_CHECKED))
    if has_state(find(picker, pyatspi.ROLE_CHECK_BOX, "Joy", False), pyatspi.STATE_CHECKED):
        raise Failure("choosing \"Cat\" checked \"Joy\" as well")

    # Qt Quick's fields have no editable-text interface: typed, as a screen reader's user does.
    subprocess.run(["xdotool", "type", "--delay", "50", "cat"], check=True, timeout=30,
                   env=dict(os.environ, DISPLAY=display))
    wait_until("the search field to read \"cat\"",
               lambda: search.queryText().getText(0, -1) == "cat")
    wait_for(picker, pyatspi.ROLE_PUSH_BUTTON, "Generate a kaomoji")

    # The results hold the one section of the chosen chip; its first tile follows its heading.
    wait_for(picker, pyatspi.ROLE_HEADING, "Cat")
    tile = wait_until("the first tile after the heading", lambda: first_tile(picker))
    if (tile.name, tile.description) != (FIRST_CAT, FIRST_CAT_DESCRIPTION):
        raise Failure(f"the first tile reads {tile.name!r}, {tile.description!r}")

    alerts = Alerts()
    press(tile)
    wait_until("the face on the clipboard", lambda: clipboard(display) == FIRST_CAT)
    wait_until("the copied banner to be announced",
               lambda: f"Copied: {FIRST_CAT}" in alerts.names)

    press(wait_for(picker, pyatspi.ROLE_PUSH_BUTTON, "Menu"))
    wait_for(picker, pyatspi.ROLE_MENU_ITEM, "Donate")
    press(wait_for(picker, pyatspi.ROLE_MENU_ITEM, "Quit"))


def main():
    app_path = sys.argv[1]
    # This session's accessibility bus, not one the caller's desktop may name.
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    with tempfile.TemporaryDirectory(prefix="pelmora-a11y.") as work:
        xvfb, display = start_display(work)
        trayer = pelmora = None
        try:
            trayer = start_tray(work, display)
            start_accessibility_bus(bus)
            environment = clean_environment(work, DISPLAY=display, LANGUAGE="en",
                                            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
            pelmora = Pelmora(app_path, environment, work)
            wait_until("the tray item", lambda: "pelmora: tray shown" in pelmora.log())
            subprocess.run([app_path, "--toggle"], env=environment, check=True, timeout=30)
            wait_until("the picker to open", lambda: pelmora.lines("window opened") >= 1)
            app = wait_until("Pelmora among the accessible applications", find_app)
            walk_the_picker(app, display)
            wait_until("pelmora to quit from its menu", lambda: pelmora.process.poll() is not None)
            if pelmora.process.returncode != 0:
                raise Failure(f"pelmora quit with status {pelmora.process.returncode}")
            print("accessibility: passed")
            return 0
        except (Failure, GLib.Error, dbus.DBusException, subprocess.SubprocessError) as failure:
            print(f"accessibility: FAIL: {failure}\n--- pelmora's log\n"
                  f"{pelmora.log() if pelmora else ''}--- the accessible tree\n{report_tree()}",
                  file=sys.stderr)
            return 1
        finally:
            if pelmora:
                pelmora.stop()
            if trayer:
                stop(trayer)
            stop(xvfb)


if __name__ == "__main__":
    sys.exit(main())
