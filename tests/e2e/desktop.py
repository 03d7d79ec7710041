"""What the Python end-to-end tests share: a virtual X display, a headless sway, a tray
watcher and host of their own on the session bus, and patient waiting.

The tests run Debian's Python (/usr/bin/python3) with python3-dbus and python3-gi.
"""

import json
import os
import random
import pwd
import subprocess
import time

import dbus
import dbus.lowlevel
import dbus.service
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"


class Watcher(dbus.service.Object):
    """The panel's side of the protocol: items register here, and a host is said to exist."""

    def __init__(self, bus):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.items = []

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # An item names either its bus name or just its object path.
        path = "/StatusNotifierItem"
        if service.startswith("/"):
            service, path = sender, service
        self.items.append((str(service), str(path)))
        self.StatusNotifierItemRegistered(service + path)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    # Qt reads IsStatusNotifierHostRegistered through introspection, which dbus-python does
    # not generate for properties.
    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
    def Introspect(self):
        return f"""<node><interface name="{WATCHER}">
          <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
          <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
          <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
          <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
          <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
          <property name="ProtocolVersion" type="i" access="read"/>
        </interface></node>"""

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {
            "RegisteredStatusNotifierItems": dbus.Array([s + p for s, p in self.items], "s"),
            "IsStatusNotifierHostRegistered": True,
            "ProtocolVersion": dbus.Int32(0),
        }


class Failure(Exception):
    pass


def wait_until(what, condition, seconds=30):
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        value = condition()
        if value:
            return value
        time.sleep(0.02)
    raise Failure(f"waited {seconds} s for {what}")


def start_display(work):
    # Displays started at the same moment by other sessions now and then leave one that takes
    # no clients; such a display is given up for another.
    for _ in range(5):
        xvfb, display = start_xvfb(work)
        if display and subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True,
                                      env=dict(os.environ, DISPLAY=display)).returncode == 0:
            return xvfb, display
        xvfb.kill()
        xvfb.wait()
    raise Failure("Xvfb did not start: " + open(f"{work}/xvfb.log").read())


def start_xvfb(work):
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        # A number drawn at random rather than the lowest free one: a server that has just
        # ended may still be removing the socket of the number it had. Xvfb ends at once when
        # the number is taken. No reset when the last client leaves (the check that the display
        # works is one), which would refuse the next client, trayer, for a moment.
        ["Xvfb", f":{random.randrange(20, 1000)}", "-displayfd", str(write_end), "-screen", "0",
         "1280x800x24", "-nolisten", "tcp", "-noreset"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=open(f"{work}/xvfb.log", "w"))
    os.close(write_end)
    # The number comes once the server accepts clients, ended by a line break.
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            break
        number += chunk
    os.close(read_end)
    return xvfb, (":" + number.decode().strip()) if number.strip() else None


def stop(process):
    """Ends a display's server or client and waits for it. An X server still on its way out
    takes the socket of a new one on the same number with it, so the next test's display
    would refuse every client."""
    process.terminate()
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def start_tray(work, display):
    """trayer, the XEmbed tray host of the shell tests, on the display; up once it shows."""
    environment = dict(os.environ, DISPLAY=display)
    trayer = subprocess.Popen(
        ["trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height",
         "24", "--SetDockType", "true", "--transparent", "false"],
        env=environment, stdout=subprocess.DEVNULL, stderr=open(f"{work}/trayer.log", "w"))
    try:
        wait_until("trayer's panel", lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--class", "^trayer$"], env=environment,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0)
    except Failure as failure:
        trayer.kill()
        raise Failure(f"{failure}; trayer said {open(f'{work}/trayer.log').read()!r}")
    return trayer


def clean_environment(work, **extra):
    """A fresh user for Pelmora: no settings, no running instance, no desktop of the caller's."""
    runtime = f"{work}/runtime"
    os.makedirs(runtime, 0o700, exist_ok=True)
    environment = dict(os.environ, XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=f"{work}/config",
                       XDG_CACHE_HOME=f"{work}/cache", PELMORA_TRACE_STARTUP="1",
                       QT_LOGGING_RULES="qt.qpa.tray*=true")
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME"):
        environment.pop(name, None)
    environment.update(extra)
    return environment


class Pelmora:
    """The app under test, its trace on standard error kept in a log file."""

    def __init__(self, app, environment, work, arguments=()):
        self.log_path = f"{work}/pelmora.log"
        self.process = subprocess.Popen([app, *arguments], env=environment,
                                        stdout=subprocess.DEVNULL,
                                        stderr=open(self.log_path, "w"))

    def log(self):
        return open(self.log_path).read()

    def lines(self, text):
        return self.log().count(f"pelmora: {text}\n")

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()


class Sway:
    """sway on its headless backend, run as an unprivileged user (it refuses to run as root);
    clients of any user reach it through the absolute path of its socket."""

    def __init__(self, work):
        self.dir = f"{work}/sway"
        os.mkdir(self.dir, 0o700)
        user = pwd.getpwnam("nobody")
        if os.getuid() == 0:
            os.chown(self.dir, user.pw_uid, user.pw_gid)
            os.chmod(work, 0o755)
        with open(f"{self.dir}/config", "w") as config:
            config.write("output HEADLESS-1 resolution 1280x800\nxwayland disable\n"
                         "default_border none\nfocus_follows_mouse no\n")
        environment = dict(os.environ, XDG_RUNTIME_DIR=self.dir, HOME=self.dir,
                           WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                           WLR_RENDERER="pixman")
        environment.pop("WAYLAND_DISPLAY", None)
        environment.pop("DISPLAY", None)
        command = ["sway", "-c", f"{self.dir}/config"]
        if os.getuid() == 0:
            command = ["setpriv", f"--reuid={user.pw_uid}", f"--regid={user.pw_gid}",
                       "--clear-groups", *command]
        self.process = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL,
                                        stderr=open(f"{work}/sway.log", "w"))
        self.display = wait_until("sway's Wayland socket", lambda: next(
            (f"{self.dir}/{name}" for name in sorted(os.listdir(self.dir))
             if name.startswith("wayland-") and not name.endswith(".lock")), None), 15)
        self.ipc = wait_until("sway's IPC socket", lambda: next(
            (f"{self.dir}/{name}" for name in os.listdir(self.dir)
             if name.startswith("sway-ipc.")), None), 15)

    def client_environment(self, environment):
        return dict(environment, WAYLAND_DISPLAY=self.display, SWAYSOCK=self.ipc)

    def message(self, *arguments, reply_type=None):
        command = ["swaymsg", "-s", self.ipc]
        if reply_type:
            command += ["-t", reply_type]
        return subprocess.run([*command, *arguments], capture_output=True, text=True,
                              check=True).stdout

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()


def sway_node(sway, matches):
    """The first node of sway's tree (windows included) that `matches`, or None."""
    def walk(node):
        if matches(node):
            return node
        for child in node.get("nodes", []) + node.get("floating_nodes", []):
            found = walk(child)
            if found:
                return found
        return None
    return walk(json.loads(sway.message(reply_type="get_tree")))


def picker_node(sway):
    """Pelmora's window in sway's tree, or None while it is not mapped."""
    return sway_node(sway, lambda node: node.get("app_id") == "pelmora" and node.get("visible"))


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


def first_tile(sway, environment, probe, work):
    """Where on the screen the picker's first result tile is, once the picker stands still."""
    rect = picker_node(sway)["rect"]
    still_picture(environment, rect, f"{work}/picker.png")
    point = subprocess.run([probe, "first-tile", f"{work}/picker.png"],
                           env=dict(environment, QT_QPA_PLATFORM="offscreen"),
                           capture_output=True, text=True)
    if point.returncode != 0:
        raise Failure(f"no tile in the picker: {point.stderr}")
    x, y = (int(value) for value in point.stdout.split())
    return rect["x"] + x, rect["y"] + y


def click_at(sway, pointer, x, y):
    """A left click at x, y through the virtual pointer (pelmora-virtual-pointer) on sway."""
    for step in (["set", str(x), str(y)], ["press", "button1"], ["release", "button1"]):
        sway.message("seat", "seat0", "cursor", *step)
        pointer.stdin.write("frame\n")
        pointer.stdin.flush()
        if pointer.stdout.readline().strip() != "done":
            raise Failure("the virtual pointer stopped")


class FakePortal(dbus.service.Object):
    """The desktop's side of a portal, at the portal's path: one property to read, and answers
    sent at once through the request object named after the caller and its token."""

    def __init__(self, bus, interface, property_name, value):
        super().__init__(bus, "/org/freedesktop/portal/desktop")
        self.bus = bus
        self.property = (interface, property_name)
        self.value = value

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if (interface, name) != self.property:
            raise dbus.exceptions.DBusException(
                name, name="org.freedesktop.DBus.Error.InvalidArgs")
        return self.value

    def respond(self, sender, options, results):
        path = (f"/org/freedesktop/portal/desktop/request/{sender[1:].replace('.', '_')}/"
                f"{options['handle_token']}")
        response = dbus.lowlevel.SignalMessage(path, "org.freedesktop.portal.Request", "Response")
        response.append(dbus.UInt32(0), dbus.Dictionary(results, signature="sv"))
        self.bus.send_message(response)
        return dbus.ObjectPath(path)


def owned_bus_name(bus, name):
    """Owns a well-known name for as long as the returned object lives."""
    return dbus.service.BusName(name, bus)
