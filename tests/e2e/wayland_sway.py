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

import re
import subprocess
import sys
import tempfile
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop

from desktop import (ITEM, WATCHER, Failure, FakePortal, Pelmora, Sway, Watcher,
                     clean_environment, click_at, first_tile, owned_bus_name, picker_node,
                     wait_until)


PORTAL = "org.freedesktop.portal.Desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"


class ShortcutsPortal(FakePortal):
    """The desktop's side of the GlobalShortcuts portal: it binds whatever it is asked for and
    answers every request at once."""

    def __init__(self, bus):
        super().__init__(bus, SHORTCUTS, "version", dbus.UInt32(1))
        self.bound = []  # (session, [(id, preferred trigger)])

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
            x, y = first_tile(sway, environment, probe, work)

            sentinel = "pelmora-wayland-sentinel"
            others.append(subprocess.Popen(["wl-copy", sentinel], env=environment))
            wait_until("the sentinel on the clipboard", lambda: subprocess.run(
                ["wl-paste", "-n"], env=environment, capture_output=True,
                text=True).stdout == sentinel, 10)
            click_at(sway, pointer, x, y)
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
