#!/usr/bin/python3
"""Starts the installed window on the X display in $DISPLAY, waits until it
has painted its first frame, asks it to close with WM_DELETE_WINDOW (what a
window manager's close button sends) and wants it to end with status 0."""

import ctypes
import os
import select
import subprocess
import sys

CLIENT_MESSAGE = 33  # X.h


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def send_delete_window(window):
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                               ctypes.c_long, ctypes.POINTER(XEvent)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("FAIL: cannot open the X display")
    event = XEvent()
    event.xclient.type = CLIENT_MESSAGE
    event.xclient.window = window
    event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.xclient.data[1] = 0  # CurrentTime
    if not x11.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
        sys.exit("FAIL: the close request was not sent")
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def main():
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QUENVALE_REPORT_FIRST_FRAME="1",
                       LANG="ja_JP.UTF-8")
    program = subprocess.Popen(["/usr/bin/quenvale"], env=environment, stdout=subprocess.PIPE)
    try:
        ready, _, _ = select.select([program.stdout], [], [], 60)
        line = program.stdout.readline().decode() if ready else ""
        if not line.startswith("first-frame "):
            sys.exit(f"FAIL: no first frame painted (status {program.poll()}, printed {line!r})")
        print("ok the window painted its first frame")
        found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                                str(program.pid)], capture_output=True, text=True, timeout=30,
                               check=True)
        windows = found.stdout.split()
        if len(windows) != 1:
            sys.exit(f"FAIL: {len(windows)} visible windows, not one: {windows}")
        send_delete_window(int(windows[0]))
        status = program.wait(timeout=30)
        if status != 0:
            sys.exit(f"FAIL: the window ended with status {status} when closed")
        print("ok closed by the window system, status 0")
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


if __name__ == "__main__":
    main()
