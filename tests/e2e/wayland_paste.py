#!/usr/bin/python3
"""Paste After Copy on Wayland, in Debian's sway on its headless backend: with
`pelmora --paste-after-copy on`, a click on a tile ends with the face typed, through Pelmora's
virtual keyboard, into the foot terminal that had the keyboard before the picker opened; foot
runs cat, which writes what it receives to a file.

Then a remote-desktop portal of the test's own appears on the bus, as GNOME's and KDE Plasma's
do: the next paste goes through it, as Shift+Insert pressed and let go on a keyboard session,
and the restore token it gives is kept in Pelmora.conf.

Arguments: the pelmora executable, pelmora-window-probe, pelmora-virtual-pointer.
"""

import subprocess
import sys
import tempfile

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop

from desktop import (ITEM, WATCHER, Failure, FakePortal, Pelmora, Sway, Watcher,
                     clean_environment, click_at, first_tile, owned_bus_name, picker_node,
                     sway_node, wait_until)


PORTAL = "org.freedesktop.portal.Desktop"
REMOTE_DESKTOP = "org.freedesktop.portal.RemoteDesktop"
SHIFT_L, INSERT = 0xffe1, 0xff63


class RemoteDesktopPortal(FakePortal):
    """The desktop's side of the RemoteDesktop portal: it grants a keyboard at once and writes
    down the calls and keys."""

    def __init__(self, bus):
        super().__init__(bus, REMOTE_DESKTOP, "AvailableDeviceTypes", dbus.UInt32(1 | 2))
        self.calls = []
        self.keys = []

    @dbus.service.method(REMOTE_DESKTOP, in_signature="a{sv}", out_signature="o",
                         sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        self.calls.append("CreateSession")
        return self.respond(sender, options, {"session_handle": "/session/pelmora"})

    @dbus.service.method(REMOTE_DESKTOP, in_signature="oa{sv}", out_signature="o",
                         sender_keyword="sender")
    def SelectDevices(self, session, options, sender=None):
        self.calls.append(f"SelectDevices types={int(options['types'])} "
                          f"persist={int(options['persist_mode'])}")
        return self.respond(sender, options, {})

    @dbus.service.method(REMOTE_DESKTOP, in_signature="osa{sv}", out_signature="o",
                         sender_keyword="sender")
    def Start(self, session, parent_window, options, sender=None):
        self.calls.append("Start")
        return self.respond(sender, options, {"devices": dbus.UInt32(1),
                                              "restore_token": "e2e-restore-token"})

    @dbus.service.method(REMOTE_DESKTOP, in_signature="oa{sv}iu")
    def NotifyKeyboardKeysym(self, session, options, keysym, state):
        self.keys.append((int(keysym), int(state)))


def focused_app(sway):
    node = sway_node(sway, lambda node: node.get("focused"))
    return node.get("app_id") if node else None


def main():
    app, probe, virtual_pointer = sys.argv[1:4]
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus)
    watcher_name = owned_bus_name(bus, WATCHER)  # noqa: F841 (kept for the test's length)

    with tempfile.TemporaryDirectory(prefix="pelmora-wayland-paste.") as work:
        sway = Sway(work)
        environment = sway.client_environment(clean_environment(work, QT_QPA_PLATFORM="wayland"))
        pointer = subprocess.Popen([virtual_pointer], env=environment, stdin=subprocess.PIPE,
                                   stdout=subprocess.PIPE, text=True)
        # The headless seat needs a keyboard for focus to move between windows.
        keyboard = subprocess.Popen(["wtype", "-s", "600000", "-k", "Shift_L"], env=environment)
        typed = f"{work}/typed"
        open(typed, "w").close()
        # Without canonical mode cat gets each character at once, not at the end of a line.
        target = subprocess.Popen(["foot", "--app-id", "paste-target", "sh", "-c",
                                   f"stty -icanon -echo; exec cat >'{typed}'"], env=environment,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        others = [pointer, keyboard, target]
        pelmora = Pelmora(app, environment, work, ["--paste-after-copy", "on"])
        try:
            if pointer.stdout.readline().strip() != "ready":
                raise Failure("the virtual pointer did not come up")
            wait_until("foot to have the keyboard", lambda: focused_app(sway) == "paste-target")
            service, path = wait_until("pelmora to register its tray item",
                                       lambda: watcher.items and watcher.items[0])

            def click_first_tile():
                bus.get_object(service, path).Activate(dbus.Int32(0), dbus.Int32(0),
                                                       dbus_interface=ITEM)
                wait_until("the picker to take the keyboard",
                           lambda: (picker_node(sway) or {}).get("focused"))
                click_at(sway, pointer, *first_tile(sway, environment, probe, work))

            click_first_tile()
            # foot may hand the face to cat in more than one piece.
            face = wait_until("the face on the clipboard typed into foot", lambda: (
                lambda copied: copied if copied and open(typed, encoding="utf-8").read() ==
                copied else None)(subprocess.run(["wl-paste", "-n"], env=environment,
                                                 capture_output=True, text=True).stdout), 15)
            wait_until("the picker to hide", lambda: picker_node(sway) is None)

            portal = RemoteDesktopPortal(bus)
            portal_name = owned_bus_name(bus, PORTAL)  # noqa: F841 (kept for the test's length)
            wait_until("foot to have the keyboard back", lambda: focused_app(sway) == "paste-target")
            click_first_tile()
            keys = wait_until("Shift+Insert through the portal",
                              lambda: len(portal.keys) == 4 and portal.keys)
            if keys != [(SHIFT_L, 1), (INSERT, 1), (INSERT, 0), (SHIFT_L, 0)]:
                raise Failure(f"the portal got the keys {keys}")
            if portal.calls != ["CreateSession", "SelectDevices types=1 persist=2", "Start"]:
                raise Failure(f"the portal was asked {portal.calls}")
            settings = open(f"{work}/config/Pelmora/Pelmora.conf", encoding="utf-8").read()
            if "e2e-restore-token" not in settings:
                raise Failure(f"the restore token is not kept: {settings}")
            print(f"wayland: passed (pasted {face})")
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
