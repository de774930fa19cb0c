#!/usr/bin/python3
"""Fresh starts of the game under a real window manager (Xvfb + openbox).

Each start is played as a user would: the window comes up, and after a short
wait a press on the menu bar's first item must open its popup right under the
item (and the popup must stay open on the release), and a red soldier dragged
one row up must move. Both fail when the program's idea of where its window
stands differs from where the window manager put it.

The script starts its own Xvfb on a display number nobody holds (from
--first-display upwards; the X server's lock file decides) and its own
openbox with the monkey's session helper (tools/monkey/xsession.py), and
takes both down at the end. Exit status 0 when every start was
playable, 1 otherwise; with --keep-going every start is tried and counted.
"""

import argparse
import os
import signal
import socket
import subprocess
import sys
import time

from Xlib import X, display as xdisplay
from Xlib.error import XError
from Xlib.ext import xtest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "monkey"))
from xsession import XSession  # noqa: E402

CLIENT_SIZE = (632, 450)  # the main window's client area
BOARD_TOP = 16            # the board's top in the client area
MENU_ITEM = (20, 10)      # a point on the menu bar's first item, in the client area


def point_centre(row, column):
    """The centre of a board point's square in the client area."""
    return (48 + 40 * (column - 1) + 16, BOARD_TOP + 32 + 40 * (row - 1) + 16)


def wait_for(predicate, timeout, step=0.02):
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value or time.monotonic() > end:
            return value
        time.sleep(step)


class Start:
    """One run of the game on the server."""

    def __init__(self, server, program):
        self.server = server
        self.display = server.conn
        port = free_udp_port()
        env = dict(os.environ, DISPLAY=server.env["DISPLAY"], QT_QPA_PLATFORM="xcb")
        env.pop("WAYLAND_DISPLAY", None)
        # In a sanitizer build: libxkbcommon-x11 (not Corvane) trips
        # strict_string_checks at start on a real X display.
        if "ASAN_OPTIONS" in env:
            env["ASAN_OPTIONS"] = ":".join(option for option in env["ASAN_OPTIONS"].split(":")
                                           if not option.startswith("strict_string_checks"))
        self.process = subprocess.Popen([program, "--local-port", str(port), "--remote-port", str(port)], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self.window = wait_for(self.find_window, 40)  # a loaded 2-core CI machine
        if not self.window:
            self.close()
            raise RuntimeError(f"the game's window did not appear (exit status {self.process.returncode}): "
                               f"{self.process.stderr.read()}")

    def find_window(self):
        clients = self.server.root.get_full_property(self.display.intern_atom("_NET_CLIENT_LIST"), X.AnyPropertyType)
        pid_atom = self.display.intern_atom("_NET_WM_PID")
        for window_id in (clients.value if clients else []):
            window = self.display.create_resource_object("window", window_id)
            try:
                pid = window.get_full_property(pid_atom, X.AnyPropertyType)
                if pid and pid.value[0] == self.process.pid and window.get_attributes().map_state == X.IsViewable:
                    return window
            except XError:
                pass
        return None

    def client_origin(self):
        """Where the client area stands on the screen, as the X server says."""
        geometry = self.window.get_geometry()
        origin = self.server.root.translate_coords(self.window, 0, 0)
        side = (geometry.width - CLIENT_SIZE[0]) // 2
        bottom_border = side
        return (origin.x + side, origin.y + geometry.height - CLIENT_SIZE[1] - bottom_border)

    def popups(self):
        """The game's override-redirect windows on the screen (its popups)."""
        found = []
        for child in self.server.root.query_tree().children:
            try:
                attributes = child.get_attributes()
                if attributes.override_redirect and attributes.map_state == X.IsViewable:
                    geometry = child.get_geometry()
                    if geometry.width > 1 and geometry.height > 1:  # not Qt's own 1 x 1 helper
                        found.append((geometry.x, geometry.y, geometry.width, geometry.height))
            except XError:
                pass
        return found

    def pointer(self, x, y, button=None, press=None):
        xtest.fake_input(self.display, X.MotionNotify, x=x, y=y)
        if button is not None:
            xtest.fake_input(self.display, X.ButtonPress if press else X.ButtonRelease, button)
        self.display.sync()

    def key(self, keysym):
        code = self.display.keysym_to_keycode(keysym)
        xtest.fake_input(self.display, X.KeyPress, code)
        xtest.fake_input(self.display, X.KeyRelease, code)
        self.display.sync()

    def grab(self, x, y, width, height):
        return self.server.root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data

    def menu_opens_under_item(self):
        cx, cy = self.client_origin()
        press = (cx + MENU_ITEM[0], cy + MENU_ITEM[1])
        self.pointer(*press, button=1, press=True)
        self.pointer(*press, button=1, press=False)
        popups = wait_for(self.popups, 3)
        ok = False
        if popups:
            x, y, _, _ = popups[0]
            # Its left edge at or left of the press, its top edge below it,
            # within the bar's height.
            ok = cx <= x <= press[0] and press[1] < y <= press[1] + 20
        time.sleep(0.2)
        still_open = bool(self.popups())
        self.key(0xFF1B)  # Escape
        wait_for(lambda: not self.popups(), 3)
        return ok and still_open, popups

    def drag_moves_piece(self):
        cx, cy = self.client_origin()
        source = point_centre(7, 1)  # a red soldier
        target = point_centre(6, 1)
        square = (cx + source[0] - 16, cy + source[1] - 16, 33, 33)
        before = self.grab(*square)
        self.pointer(cx + source[0], cy + source[1], button=1, press=True)
        for step in range(1, 9):
            self.pointer(cx + source[0], cy + source[1] + (target[1] - source[1]) * step // 8)
            time.sleep(0.01)
        self.pointer(cx + target[0], cy + target[1], button=1, press=False)
        return bool(wait_for(lambda: self.grab(*square) != before, 3))

    def close(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()



def free_udp_port():
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("program")
    parser.add_argument("--starts", type=int, default=20)
    parser.add_argument("--wait", type=float, default=1.5, help="seconds between the window's showing and the press")
    parser.add_argument("--first-display", type=int, default=int(os.environ.get("CORVANE_TEST_FIRST_DISPLAY", 80)))
    parser.add_argument("--keep-going", action="store_true")
    args = parser.parse_args()

    # Xvfb and openbox on a free display, started as the monkey starts them.
    os.environ["MONKEY_DISPLAYS"] = f"{args.first_display}-{args.first_display + 199}"
    server = XSession().start()
    playable = 0
    try:
        for number in range(1, args.starts + 1):
            start = Start(server, args.program)
            try:
                time.sleep(args.wait)
                origin = start.client_origin()
                menu_ok, popups = start.menu_opens_under_item()
                drag_ok = start.drag_moves_piece()
            finally:
                start.close()
            if menu_ok and drag_ok:
                playable += 1
            else:
                print(f"start {number}: menu {'ok' if menu_ok else 'WRONG'} (popups {popups}, client at {origin}), "
                      f"drag {'ok' if drag_ok else 'REJECTED'}")
                if not args.keep_going:
                    break
    finally:
        server.stop()
    print(f"{playable} of {args.starts} starts playable on {server.env['DISPLAY']}")
    return 0 if playable == args.starts else 1


if __name__ == "__main__":
    sys.exit(main())
