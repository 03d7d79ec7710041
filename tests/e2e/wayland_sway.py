#!/usr/bin/python3
"""Pelmora on Wayland, in Debian's sway on its headless backend, with a tray of the test's own
over D-Bus (swaybar's tray speaks the same StatusNotifierItem protocol).

The tray item opens the picker, which takes the keyboard: "cat" typed through the virtual
keyboard (wtype) reaches its search field; a click on the first tile puts a face of the "Cat"
category on the clipboard, read back with wl-paste; and when another window (foot) takes the
keyboard, the picker hides.

The global shortcut: sway offers no GlobalShortcuts portal, which Pelmora says once. With a
portal of the test's own on the bus, `pelmora --shortcut` binds the new combination through it,
and the portal's Activated signal opens and closes the picker.

Arguments: the pelmora executable, pelmora-window-probe, pelmora-virtual-pointer (the headless
seat's mouse), the source tree.
"""

import json
import re
import subprocess
import sys
import tempfile
import time

import dbus
import dbus.lowlevel
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop

from desktop import (ITEM, WATCHER, Failure, Pelmora, Sway, Watcher, clean_environment,
                     owned_bus_name, wait_until)


PORTAL = "org.freedesktop.portal.Desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"


class ShortcutsPortal(dbus.service.Object):
    """The desktop's side of the GlobalShortcuts portal: it binds whatever it is asked for and
    answers every request at once."""

    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/portal/desktop")
        self.bus = bus
        self.bound = []  # (session, [(id, preferred trigger)])

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if (interface, name) != (SHORTCUTS, "version"):
            raise dbus.exceptions.DBusException(
                name, name="org.freedesktop.DBus.Error.InvalidArgs")
        return dbus.UInt32(1)

    def respond(self, sender, options, results):
        """Answers through the request object named after the caller and its token."""
        path = (f"/org/freedesktop/portal/desktop/request/{sender[1:].replace('.', '_')}/"
                f"{options['handle_token']}")
        response = dbus.lowlevel.SignalMessage(path, "org.freedesktop.portal.Request", "Response")
        response.append(dbus.UInt32(0), dbus.Dictionary(results, signature="sv"))
        self.bus.send_message(response)
        return dbus.ObjectPath(path)

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o",
                         sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        session = (f"/org/freedesktop/portal/desktop/session/{sender[1:].replace('.', '_')}/"
                   f"{options['session_handle_token']}")
        return self.respond(sender, options, {"session_handle": session})

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent_window, options, sender=None):
        self.bound.append((str(session), [(str(shortcut), str(properties["preferred_trigger"]))
                                          for shortcut, properties in shortcuts]))
        return self.respond(sender, options, {"shortcuts": dbus.Array(shortcuts,
                                                                      signature="(sa{sv})")})

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut, timestamp, options):
        pass


def cat_faces(source_dir):
    catalog = open(f"{source_dir}/src/model/PresetCatalogData.cpp", encoding="utf-8").read()
    block = catalog[catalog.index(" catEntries[] = {"):]
    block = block[:block.index("\n};")]
    return set(re.findall(r'R"~\((.*?)\)~"', block))


def picker_node(sway):
    """Pelmora's window in sway's tree, or None while it is not mapped."""
    def walk(node):
        if node.get("app_id") == "pelmora" and node.get("visible"):
            return node
        for child in node.get("nodes", []) + node.get("floating_nodes", []):
            found = walk(child)
            if found:
                return found
        return None
    return walk(json.loads(sway.message(reply_type="get_tree")))


def still_picture(environment, rect, path):
    """A picture of the window once two shots in a row agree (the fade-in has ended)."""
    geometry = f"{rect['x']},{rect['y']} {rect['width']}x{rect['height']}"
    previous = None
    for _ in range(60):
        subprocess.run(["grim", "-g", geometry, path], env=environment, check=True)
        current = open(path, "rb").read()
        if current == previous:
            return
        previous = current
        time.sleep(0.15)
    raise Failure("the picker did not stop moving")


def main():
    app, probe, virtual_pointer, source_dir = sys.argv[1:5]
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus)
    watcher_name = owned_bus_name(bus, WATCHER)  # noqa: F841 (kept for the test's length)

    with tempfile.TemporaryDirectory(prefix="pelmora-wayland.") as work:
        sway = Sway(work)
        environment = sway.client_environment(clean_environment(work, QT_QPA_PLATFORM="wayland"))
        pointer = subprocess.Popen([virtual_pointer], env=environment, stdin=subprocess.PIPE,
                                   stdout=subprocess.PIPE, text=True)
        # The headless seat has no keyboard of its own: one that sleeps for the test's length
        # keeps it there, so focus moves between windows as on a real seat.
        keyboard = subprocess.Popen(["wtype", "-s", "600000", "-k", "Shift_L"], env=environment)
        others = [pointer, keyboard]
        pelmora = Pelmora(app, environment, work)
        try:
            if pointer.stdout.readline().strip() != "ready":
                raise Failure("the virtual pointer did not come up")
            service, path = wait_until("pelmora to register its tray item",
                                       lambda: watcher.items and watcher.items[0])
            bus.get_object(service, path).Activate(dbus.Int32(0), dbus.Int32(0),
                                                   dbus_interface=ITEM)
            wait_until("the picker to open", lambda: pelmora.lines("window opened") >= 1)
            node = wait_until("the picker on screen", lambda: picker_node(sway))
            wait_until("the picker to take the keyboard",
                       lambda: (picker_node(sway) or {}).get("focused"))

            # Qt 6.4 drops the first key after a keyboard brings a new keymap, which every run
            # of wtype does; a BackSpace in the empty field takes that place.
            subprocess.run(["wtype", "-k", "BackSpace", "cat"], env=environment, check=True)
            time.sleep(0.3)
            rect = picker_node(sway)["rect"]
            still_picture(environment, rect, f"{work}/picker.png")
            point = subprocess.run([probe, "first-tile", f"{work}/picker.png"],
                                   env=dict(environment, QT_QPA_PLATFORM="offscreen"),
                                   capture_output=True, text=True)
            if point.returncode != 0:
                raise Failure(f"no tile in the picker: {point.stderr}")
            x, y = (int(value) for value in point.stdout.split())

            sentinel = "pelmora-wayland-sentinel"
            others.append(subprocess.Popen(["wl-copy", sentinel], env=environment))
            wait_until("the sentinel on the clipboard", lambda: subprocess.run(
                ["wl-paste", "-n"], env=environment, capture_output=True,
                text=True).stdout == sentinel, 10)
            for step in (["set", str(rect["x"] + x), str(rect["y"] + y)], ["press", "button1"],
                         ["release", "button1"]):
                sway.message("seat", "seat0", "cursor", *step)
                pointer.stdin.write("frame\n")
                pointer.stdin.flush()
                if pointer.stdout.readline().strip() != "done":
                    raise Failure("the virtual pointer stopped")
            face = wait_until("the clipboard to receive a face", lambda: (lambda text: (
                text if text and text != sentinel else None))(subprocess.run(
                    ["wl-paste", "-n"], env=environment, capture_output=True,
                    text=True).stdout), 15)
            if face not in cat_faces(source_dir):
                raise Failure(f"copied {face!r}, which is not a face of the \"Cat\" category")

            others.append(subprocess.Popen(["foot"], env=environment,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            wait_until("the picker to hide once another window has the keyboard",
                       lambda: picker_node(sway) is None)

            said = pelmora.log().count("the shortcut Ctrl+Alt+K is off: the desktop offers "
                                       "applications no global shortcuts")
            if said != 1:
                raise Failure(f"Pelmora said {said} times that sway has no shortcut portal")
            portal = ShortcutsPortal(bus)
            portal_name = owned_bus_name(bus, PORTAL)  # noqa: F841 (kept for the test's length)
            subprocess.run([app, "--shortcut", "ctrl+alt+j"], env=environment, check=True,
                           timeout=30)
            session, shortcuts = wait_until("Pelmora to bind its shortcut through the portal",
                                            lambda: portal.bound and portal.bound[-1])
            if shortcuts != [("toggle-picker", "CTRL+ALT+j")]:
                raise Failure(f"Pelmora asked the portal for {shortcuts}")
            # A picker that hid on losing the keyboard ignores a toggle within 300 ms
            # (PickerWindow::reopenGuardMs), as when that loss came from a click on its tray item.
            time.sleep(0.3)
            portal.Activated(dbus.ObjectPath(session), "toggle-picker", dbus.UInt64(0),
                             dbus.Dictionary({"activation_token": "e2e-token"}, signature="sv"))
            wait_until("the shortcut to open the picker", lambda: picker_node(sway))
            wait_until("the picker's first frame", lambda: pelmora.lines("window opened") == 2
                       and "window shown after" in pelmora.log().rsplit("window opened", 1)[1])
            portal.Activated(dbus.ObjectPath(session), "toggle-picker", dbus.UInt64(0),
                             dbus.Dictionary({}, signature="sv"))
            wait_until("the shortcut to close the picker", lambda: picker_node(sway) is None)
            print(f"wayland: passed (copied {face}; the picker opened at "
                  f"{node['rect']['x']},{node['rect']['y']})")
            return 0
        except (Failure, dbus.DBusException, subprocess.CalledProcessError) as failure:
            print(f"wayland: FAIL: {failure}\n--- pelmora's log\n{pelmora.log()}",
                  file=sys.stderr)
            return 1
        finally:
            for other in others:
                other.kill()
            pelmora.stop()
            sway.stop()


if __name__ == "__main__":
    sys.exit(main())
