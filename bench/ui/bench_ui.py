#!/usr/bin/python3
"""What scripts/bench-app.sh cannot do with xdotool alone.

  bench_ui.py settings FILE COUNT   writes a fresh settings file holding COUNT kaomoji of the
                                    user's own and a full Recently Used list, in the stored JSON
                                    format
  bench_ui.py click WINDOW X Y      clicks at X Y of the window (in its coordinates) once it is
                                    still, and prints the milliseconds from the button's release
                                    to the next frame that reaches the X server
  bench_ui.py paste WINDOW X Y FILE  clicks the same way and prints the milliseconds from the
                                    button's release until FILE grows: the paste has reached the
                                    program that writes what it is typed into FILE

Frames are seen as the X server sees them, through the DAMAGE extension: whatever the program
draws shows as damage to its window, with no help from the program. Debian's Python and the
X libraries that xdotool and Qt bring along are all it needs (ctypes, no extra modules).
"""

import ctypes
import json
import os
import select
import sys
import time

# The Recently Used list holds five faces; these are the catalog's, none of them a bear's, so that
# a search for "bear" shows none of them.
RECENTLY_USED = [
    ("(ﾉ◕ヮ◕)ﾉ*:･ﾟ✧", "Joy", ["excited", "happy", "celebration"]),
    ("(｡♥‿♥｡)", "Love", ["love", "affection", "adoration"]),
    ("(*/ω＼*)", "Embarrassment", ["embarrassed", "shy", "hiding"]),
    ("(´；ω；`)", "Sympathy", ["sympathy", "sad", "crying"]),
    ("(✿◠‿◠)", "Joy", ["happy", "flower", "cute"]),
]

# Faces of the user's own: shapes from several scripts, each made unique by a number, as lists
# that grew over years look. No Latin letters, so the bench's words match none of them.
CUSTOM_SHAPES = [
    "(◕‿◕) {}",
    "ʕ•ᴥ•ʔ {}",
    "(╯°□°)╯︵ ┻━┻ {}",
    "(づ｡◕‿‿◕｡)づ {}",
    "ಠ_ಠ {}",
    "(ノ°▽°)ノ {}",
    "( ˘ ³˘)♥ {}",
    "{} ヽ(´▽`)/",
]


def record(index, face, category, tags):
    return {
        "id": "%08X-0000-4000-8000-%012X" % (index, index),
        "face": face,
        "category": category,
        "tags": tags,
    }


def ini_byte_array(value):
    # QSettings' INI escapes: the JSON is plain ASCII (\\u escapes), so only \ and " need them.
    text = json.dumps(value, ensure_ascii=True, separators=(",", ":"))
    return '"@ByteArray(' + text.replace("\\", "\\\\").replace('"', '\\"') + ')"'


def write_settings(path, count):
    custom = [
        record(i, CUSTOM_SHAPES[i % len(CUSTOM_SHAPES)].format(i + 1), "Custom", ["mine"])
        for i in range(count)
    ]
    recent = [record(count + i, *entry) for i, entry in enumerate(RECENTLY_USED)]
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="ascii") as file:
        file.write("[General]\n")
        if custom:
            file.write("CustomKaomojis=" + ini_byte_array(custom) + "\n")
        file.write("RecentlyUsedKaomojis=" + ini_byte_array(recent) + "\n")


class Rectangle(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_short),
        ("y", ctypes.c_short),
        ("width", ctypes.c_ushort),
        ("height", ctypes.c_ushort),
    ]


class DamageNotify(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("drawable", ctypes.c_ulong),
        ("damage", ctypes.c_ulong),
        ("level", ctypes.c_int),
        ("more", ctypes.c_int),
        ("timestamp", ctypes.c_ulong),
        ("area", Rectangle),
        ("geometry", Rectangle),
    ]


class Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("damage", DamageNotify), ("padding", ctypes.c_long * 24)]


class Display:
    """One connection to $DISPLAY, watching one window for damage."""

    def __init__(self, window):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.damage = ctypes.CDLL("libXdamage.so.1")
        self.test = ctypes.CDLL("libXtst.so.6")
        x11, pointer = self.x11, ctypes.c_void_p
        x11.XOpenDisplay.restype = pointer
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        for name in ("XFlush", "XPending", "XConnectionNumber"):
            getattr(x11, name).argtypes = [pointer]
        x11.XSync.argtypes = [pointer, ctypes.c_int]
        x11.XNextEvent.argtypes = [pointer, pointer]
        x11.XDefaultRootWindow.argtypes = [pointer]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        int_pointer = ctypes.POINTER(ctypes.c_int)
        x11.XTranslateCoordinates.argtypes = [pointer, ctypes.c_ulong, ctypes.c_ulong,
                                              ctypes.c_int, ctypes.c_int, int_pointer,
                                              int_pointer, ctypes.POINTER(ctypes.c_ulong)]
        self.damage.XDamageQueryExtension.argtypes = [pointer, int_pointer, int_pointer]
        self.damage.XDamageCreate.argtypes = [pointer, ctypes.c_ulong, ctypes.c_int]
        self.damage.XDamageCreate.restype = ctypes.c_ulong
        self.test.XTestFakeMotionEvent.argtypes = [pointer, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.test.XTestFakeButtonEvent.argtypes = [pointer, ctypes.c_uint, ctypes.c_int,
                                                   ctypes.c_ulong]

        self.display = x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("bench_ui: cannot open the display")
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not self.damage.XDamageQueryExtension(self.display, ctypes.byref(event_base),
                                                 ctypes.byref(error_base)):
            sys.exit("bench_ui: the X server has no DAMAGE extension")
        self.damage_event = event_base.value
        self.window = window
        # Raw rectangles: every drawing is reported, with nothing to acknowledge.
        self.damage.XDamageCreate(self.display, window, 0)
        x11.XSync(self.display, 0)
        self.connection = x11.XConnectionNumber(self.display)

    def screen_point(self, x, y):
        root = self.x11.XDefaultRootWindow(self.display)
        screen_x, screen_y, child = ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
        self.x11.XTranslateCoordinates(self.display, self.window, root, x, y,
                                       ctypes.byref(screen_x), ctypes.byref(screen_y),
                                       ctypes.byref(child))
        return screen_x.value, screen_y.value

    def next_damage(self, timeout):
        """The time of the next damage to the window, or None after timeout seconds."""
        deadline = time.monotonic() + timeout
        event = Event()
        while True:
            while self.x11.XPending(self.display):
                self.x11.XNextEvent(self.display, ctypes.byref(event))
                if event.type == self.damage_event and event.damage.drawable == self.window:
                    return time.monotonic()
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            select.select([self.connection], [], [], left)

    def wait_until_still(self, quiet):
        """Waits for a pause of quiet seconds in the window's drawing."""
        give_up = time.monotonic() + 10
        while self.next_damage(quiet) is not None:
            if time.monotonic() > give_up:
                sys.exit("bench_ui: the window never stopped drawing (a blinking cursor, or an "
                         "endless animation?)")

    def move(self, x, y):
        self.test.XTestFakeMotionEvent(self.display, -1, x, y, 0)
        self.x11.XFlush(self.display)

    def button(self, pressed):
        self.test.XTestFakeButtonEvent(self.display, 1, 1 if pressed else 0, 0)
        self.x11.XFlush(self.display)


def click(window, x, y):
    display = Display(window)
    # The pointer's arrival (hover, cursor shape) and the press (a pressed look) may draw; only
    # what the release does is timed.
    display.move(*display.screen_point(x, y))
    display.wait_until_still(0.2)
    display.button(True)
    display.wait_until_still(0.1)
    released = time.monotonic()
    display.button(False)
    drawn = display.next_damage(30)
    if drawn is None:
        sys.exit("bench_ui: nothing was drawn within 30 s of the click")
    print("%.3f" % ((drawn - released) * 1000))


def paste(window, x, y, path):
    display = Display(window)
    display.move(*display.screen_point(x, y))
    display.wait_until_still(0.2)
    display.button(True)
    display.wait_until_still(0.1)
    size = os.path.getsize(path)
    released = time.monotonic()
    display.button(False)
    while os.path.getsize(path) == size:
        if time.monotonic() - released > 30:
            sys.exit("bench_ui: nothing was pasted within 30 s of the click")
        time.sleep(0.0005)
    print("%.3f" % ((time.monotonic() - released) * 1000))


def main(arguments):
    if len(arguments) == 3 and arguments[0] == "settings":
        write_settings(arguments[1], int(arguments[2]))
    elif len(arguments) == 4 and arguments[0] == "click":
        click(int(arguments[1], 0), int(arguments[2]), int(arguments[3]))
    elif len(arguments) == 5 and arguments[0] == "paste":
        paste(int(arguments[1], 0), int(arguments[2]), int(arguments[3]), arguments[4])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
