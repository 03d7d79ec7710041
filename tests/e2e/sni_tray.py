#!/usr/bin/python3
"""Pelmora's tray item over D-Bus (StatusNotifierItem), as panels that are not XEmbed trays see
it: GNOME with the AppIndicator extension, KDE Plasma, swaybar, waybar. A panel that comes up
after Pelmora showed itself as a window gets the item too.

Runs inside a private session bus (dbus-run-session) on a virtual X display of its own, and
plays the panel itself: a small StatusNotifierWatcher and host. Pelmora must register its item,
publish its title, tooltip, picture and menu, open the picker on Activate, and leave the panel
when "Quit" is chosen from the menu; "Paste After Copy" from the menu turns pasting on.

Arguments: the pelmora executable. Exit status 0 when everything holds.
"""

import sys
import tempfile

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop

from desktop import (ITEM, MENU, WATCHER, Failure, Pelmora, Watcher, clean_environment,
                     owned_bus_name, start_display, stop, wait_until)

def menu_labels(bus, service, path):
    """The item's menu as (id, label, toggle type, toggle state) rows, from the dbusmenu
    layout."""
    menu = bus.get_object(service, path)
    _, (_, _, children) = menu.GetLayout(0, -1, [], dbus_interface=MENU)
    rows = []
    for child in children:
        child_id, properties, _ = child
        if properties.get("type") == "separator":
            continue
        rows.append((int(child_id), str(properties.get("label", "")),
                     str(properties.get("toggle-type", "")),
                     int(properties.get("toggle-state", 0))))
    return rows


def check_item(bus, watcher, pelmora):
    """The registered item's title, tooltip, picture and menu; Activate opens the picker."""
    # An item whose process has gone (one that started again) no longer counts.
    service, path = wait_until("pelmora to register its item", lambda: next(
        (item for item in reversed(watcher.items) if bus.name_has_owner(item[0])), None))
    item = bus.get_object(service, path)
    properties = item.GetAll(ITEM, dbus_interface=dbus.PROPERTIES_IFACE)
    if properties["Title"] != "Pelmora":
        raise Failure(f"the item's title is {properties['Title']!r}")
    if str(properties["ToolTip"][2]) != "(•⩊•)":
        raise Failure(f"the item's tooltip is {properties['ToolTip'][2]!r}")
    if properties["Status"] != "Active":
        raise Failure(f"the item is {properties['Status']}")
    pictures = properties["IconPixmap"]
    if not properties["IconName"] and not pictures:
        raise Failure("the item has neither an icon name nor a picture")
    if pictures and max(int(width) for width, _, _ in pictures) < 22:
        raise Failure("the item's pictures are too small for a panel")
    rows = menu_labels(bus, service, properties["Menu"])
    labels = [label.replace("&", "") for _, label, _, _ in rows]
    if labels != ["Open", "Start at Login", "Paste After Copy", "Quit"]:
        raise Failure(f"the item's menu reads {labels}")
    if rows[1][2] != "checkmark" or rows[2][2] != "checkmark":
        raise Failure(f"\"Start at Login\" and \"Paste After Copy\" are not check items: {rows}")
    # A left click on the item.
    opened = pelmora.lines("window opened")
    item.Activate(dbus.Int32(10), dbus.Int32(10), dbus_interface=ITEM)
    wait_until("the picker to open after Activate",
               lambda: pelmora.lines("window opened") > opened)
    return service, properties["Menu"], rows


def main():
    app = sys.argv[1]
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus)
    watcher_name = owned_bus_name(bus, WATCHER)

    with tempfile.TemporaryDirectory(prefix="pelmora-sni.") as work:
        xvfb, display = start_display(work)
        environment = clean_environment(work, DISPLAY=display)
        pelmora = Pelmora(app, environment, work)
        try:
            service, menu, rows = check_item(bus, watcher, pelmora)
            bus.get_object(service, menu).Event(
                dbus.Int32(rows[2][0]), "clicked", dbus.String("", variant_level=1),
                dbus.UInt32(0), dbus_interface=MENU)
            wait_until("\"Paste After Copy\" to turn pasting on",
                       lambda: pelmora.lines("paste after copy on") == 1)
            # "Quit" from the menu ends Pelmora, and its item leaves the bus with it.
            bus.get_object(service, menu).Event(
                dbus.Int32(rows[3][0]), "clicked", dbus.String("", variant_level=1),
                dbus.UInt32(0), dbus_interface=MENU)
            wait_until("pelmora to quit", lambda: pelmora.process.poll() is not None, 15)
            if pelmora.process.returncode != 0:
                raise Failure(f"pelmora quit with status {pelmora.process.returncode}")
            if bus.name_has_owner(service):
                raise Failure("the item is still on the bus after quitting")

            # A panel that comes after Pelmora showed itself as a window: Pelmora starts
            # again to take it up, and shows in it.
            del watcher_name
            pelmora = Pelmora(app, environment, work)
            wait_until("the picker as a window of its own",
                       lambda: pelmora.lines("window opened") >= 1)
            watcher_name = owned_bus_name(bus, WATCHER)  # noqa: F841 (kept while it serves)
            _, _, rows = check_item(bus, watcher, pelmora)
            if rows[2][3] != 1:
                raise Failure("\"Paste After Copy\" is not checked after a restart")
            if "starting again" not in pelmora.log():
                raise Failure("the item came without Pelmora starting again")
            print("sni: passed")
            return 0
        except (Failure, dbus.DBusException) as failure:
            print(f"sni: FAIL: {failure}\n--- pelmora's log\n{pelmora.log()}", file=sys.stderr)
            return 1
        finally:
            pelmora.stop()
            stop(xvfb)


if __name__ == "__main__":
    sys.exit(main())
