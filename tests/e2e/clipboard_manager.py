#!/usr/bin/python3
"""A clipboard manager of the test's own, as small as the X clipboard manager protocol allows.

It holds CLIPBOARD_MANAGER; when the clipboard's owner asks it to SAVE_TARGETS before quitting,
it fetches the clipboard as UTF8_STRING, takes the clipboard over and serves that text from
then on. Prints "ready" once it holds the manager's selection, and "saved" after a hand-over.
Debian's Python, ctypes and libX11 only.
"""
import ctypes
import sys

x = ctypes.cdll.LoadLibrary("libX11.so.6")
c_void_p, c_ulong, c_long, c_int = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long, ctypes.c_int


class SelectionRequestEvent(ctypes.Structure):
    _fields_ = [("type", c_int), ("serial", c_ulong), ("send_event", c_int),
                ("display", c_void_p), ("owner", c_ulong), ("requestor", c_ulong),
                ("selection", c_ulong), ("target", c_ulong), ("property", c_ulong),
                ("time", c_ulong)]


class SelectionEvent(ctypes.Structure):
    _fields_ = [("type", c_int), ("serial", c_ulong), ("send_event", c_int),
                ("display", c_void_p), ("requestor", c_ulong), ("selection", c_ulong),
                ("target", c_ulong), ("property", c_ulong), ("time", c_ulong)]


class Event(ctypes.Union):
    _fields_ = [("type", c_int), ("request", SelectionRequestEvent),
                ("selection", SelectionEvent), ("pad", c_long * 24)]


SELECTION_REQUEST, SELECTION_NOTIFY = 30, 31
XA_ATOM = 4
x.XOpenDisplay.restype = c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = c_ulong
x.XInternAtom.argtypes = [c_void_p, ctypes.c_char_p, c_int]
x.XDefaultRootWindow.restype = c_ulong
x.XDefaultRootWindow.argtypes = [c_void_p]
x.XCreateSimpleWindow.restype = c_ulong
x.XCreateSimpleWindow.argtypes = [c_void_p, c_ulong, c_int, c_int, ctypes.c_uint,
                                  ctypes.c_uint, ctypes.c_uint, c_ulong, c_ulong]
x.XSetSelectionOwner.argtypes = [c_void_p, c_ulong, c_ulong, c_ulong]
x.XGetSelectionOwner.restype = c_ulong
x.XGetSelectionOwner.argtypes = [c_void_p, c_ulong]
x.XConvertSelection.argtypes = [c_void_p, c_ulong, c_ulong, c_ulong, c_ulong, c_ulong]
x.XNextEvent.argtypes = [c_void_p, ctypes.POINTER(Event)]
x.XSendEvent.argtypes = [c_void_p, c_ulong, c_int, c_long, ctypes.POINTER(Event)]
x.XChangeProperty.argtypes = [c_void_p, c_ulong, c_ulong, c_ulong, c_int, c_int, c_void_p,
                              c_int]
x.XGetWindowProperty.argtypes = [c_void_p, c_ulong, c_ulong, c_long, c_long, c_int, c_ulong,
                                 ctypes.POINTER(c_ulong), ctypes.POINTER(c_int),
                                 ctypes.POINTER(c_ulong), ctypes.POINTER(c_ulong),
                                 ctypes.POINTER(c_void_p)]
x.XFlush.argtypes = [c_void_p]

display = x.XOpenDisplay(None)
if not display:
    sys.exit("clipboard_manager: cannot open the display")


def atom(name):
    return x.XInternAtom(display, name.encode(), 0)


MANAGER, SAVE_TARGETS, CLIPBOARD = atom("CLIPBOARD_MANAGER"), atom("SAVE_TARGETS"), atom("CLIPBOARD")
TARGETS, UTF8, SAVED = atom("TARGETS"), atom("UTF8_STRING"), atom("PELMORA_TEST_SAVED")
window = x.XCreateSimpleWindow(display, x.XDefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)
x.XSetSelectionOwner(display, MANAGER, window, 0)
if x.XGetSelectionOwner(display, MANAGER) != window:
    sys.exit("clipboard_manager: another clipboard manager runs")
print("ready", flush=True)


def answer(request, success):
    """Tells the requestor whether its property now holds what it asked for."""
    event = Event()
    event.selection = SelectionEvent(SELECTION_NOTIFY, 0, 1, None, request.requestor,
                                     request.selection, request.target,
                                     (request.property or request.target) if success else 0,
                                     request.time)
    x.XSendEvent(display, request.requestor, 0, 0, ctypes.byref(event))
    x.XFlush(display)


def fetch_clipboard():
    """The clipboard's text from its owner, or None."""
    x.XConvertSelection(display, CLIPBOARD, UTF8, SAVED, window, 0)
    event = Event()
    while True:
        x.XNextEvent(display, ctypes.byref(event))
        if event.type == SELECTION_NOTIFY and event.selection.requestor == window:
            break
    if not event.selection.property:
        return None
    kind, size, count, after = c_ulong(), c_int(), c_ulong(), c_ulong()
    data = c_void_p()
    x.XGetWindowProperty(display, window, SAVED, 0, 1 << 20, 1, 0, ctypes.byref(kind),
                         ctypes.byref(size), ctypes.byref(count), ctypes.byref(after),
                         ctypes.byref(data))
    return ctypes.string_at(data, count.value) if data else None


saved = None
event = Event()
while True:
    x.XNextEvent(display, ctypes.byref(event))
    if event.type != SELECTION_REQUEST:
        continue
    request = SelectionRequestEvent.from_buffer_copy(event.request)
    target = request.property or request.target
    if request.selection == MANAGER and request.target == SAVE_TARGETS:
        saved = fetch_clipboard()
        if saved is not None:
            x.XSetSelectionOwner(display, CLIPBOARD, window, 0)
            print("saved", flush=True)
        answer(request, saved is not None)
    elif request.selection == CLIPBOARD and saved is not None and request.target == TARGETS:
        targets = (c_ulong * 2)(TARGETS, UTF8)
        x.XChangeProperty(display, request.requestor, target, XA_ATOM, 32, 0, targets, 2)
        answer(request, True)
    elif request.selection == CLIPBOARD and saved is not None and request.target == UTF8:
        x.XChangeProperty(display, request.requestor, target, UTF8, 8, 0, saved, len(saved))
        answer(request, True)
    else:
        answer(request, False)
