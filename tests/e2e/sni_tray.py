#!/usr/bin/python3
"""Pelmora's tray item over D-Bus (StatusNotifierItem), as panels that are not XEmbed trays see
it: GNOME with the AppIndicator extension, KDE Plasma, swaybar, waybar.

Runs inside a private session bus (dbus-run-session) on a virtual X display of its own, and
plays the panel itself: a small StatusNotifierWatcher and host. Pelmora must register its item,
publish its title, tooltip, picture and menu, open the picker on Activate, and leave the panel
when "Quit" is chosen from the menu.

Arguments: the pelmora executable. Exit status 0 when everything holds.
"""

import os
import subprocess
import sys
import tempfile

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop

from desktop import ITEM, MENU, WATCHER, Failure, Watcher, start_display, wait_until

def menu_labels(bus, service, path):
    """The item's menu as (id, label, toggle type) rows, from the dbusmenu layout."""
    menu = bus.get_object(service, path)
    _, (_, _, children) = menu.GetLayout(0, -1, [], dbus_interface=MENU)
    rows = []
    for child in children:
        child_id, properties, _ = child
        if properties.get("type") == "separator":
            continue
        rows.append((int(child_id), str(properties.get("label", "")),
                     str(properties.get("toggle-type", ""))))
    return rows


def main():
    app = sys.argv[1]
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus)
    watcher_name = dbus.service.BusName(WATCHER, bus)  # kept: the name goes with the object

    with tempfile.TemporaryDirectory(prefix="pelmora-sni.") as work:
        xvfb, display = start_display(work)
        runtime = f"{work}/runtime"
        os.mkdir(runtime, 0o700)
        environment = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=runtime,
                           XDG_CONFIG_HOME=f"{work}/config", PELMORA_TRACE_STARTUP="1", QT_LOGGING_RULES="qt.qpa.tray*=true")
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME"):
            environment.pop(name, None)
        log_path = f"{work}/pelmora.log"
        pelmora = subprocess.Popen([app], env=environment, stdout=subprocess.DEVNULL,
                                   stderr=open(log_path, "w"))
        log = lambda: open(log_path).read()
        try:
            service, path = wait_until("pelmora to register its item",
                                       lambda: watcher.items and watcher.items[0])
            item = bus.get_object(service, path)
            properties = item.GetAll(ITEM, dbus_interface=dbus.PROPERTIES_IFACE)
            if properties["Title"] != "Pelmora":
                raise Failure(f"the item's title is {properties['Title']!r}")
            tooltip = properties["ToolTip"]
            if str(tooltip[2]) != "(•⩊•)":
                raise Failure(f"the item's tooltip is {tooltip[2]!r}")
            if properties["Status"] != "Active":
                raise Failure(f"the item is {properties['Status']}")
            pictures = properties["IconPixmap"]
            if not properties["IconName"] and not pictures:
                raise Failure("the item has neither an icon name nor a picture")
            if pictures and max(int(width) for width, _, _ in pictures) < 22:
                raise Failure("the item's pictures are too small for a panel")

            rows = menu_labels(bus, service, properties["Menu"])
            labels = [label.replace("&", "") for _, label, _ in rows]
            if labels != ["Open", "Start at Login", "Quit"]:
                raise Failure(f"the item's menu reads {labels}")
            if rows[1][2] != "checkmark":
                raise Failure("\"Start at Login\" is not a check item")

            # A left click on the item.
            item.Activate(dbus.Int32(10), dbus.Int32(10), dbus_interface=ITEM)
            wait_until("the picker to open after Activate", lambda: "window opened" in log())

            # "Quit" from the menu ends Pelmora, and its item leaves the bus with it.
            quit_id = rows[2][0]
            bus.get_object(service, properties["Menu"]).Event(
                dbus.Int32(quit_id), "clicked", dbus.String("", variant_level=1),
                dbus.UInt32(0), dbus_interface=MENU)
            wait_until("pelmora to quit", lambda: pelmora.poll() is not None, 15)
            if pelmora.returncode != 0:
                raise Failure(f"pelmora quit with status {pelmora.returncode}")
            if bus.name_has_owner(service):
                raise Failure("the item is still on the bus after quitting")
            print("sni: passed")
            return 0
        except (Failure, dbus.DBusException) as failure:
            print(f"sni: FAIL: {failure}\n--- pelmora's log\n{log()}", file=sys.stderr)
            return 1
        finally:
            if pelmora.poll() is None:
                pelmora.kill()
            xvfb.terminate()


if __name__ == "__main__":
    sys.exit(main())
