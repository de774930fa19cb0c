"""A private X session for driving Corvane: Xvfb on a free display, openbox
as the window manager, the program itself, and what another client of the
display can see of it (its windows, its grabs, its answer to _NET_WM_PING,
its processor time and memory).

Displays are taken from a range (MONKEY_DISPLAYS="21-29", default 90-199):
a display whose lock file or socket exists is skipped, and one whose lock
Xvfb could not take (its lock names another server) is skipped too, so two
sessions never share a display.
"""

import os
import select
import signal
import subprocess
import time

from Xlib import X, Xatom, display as xdisplay, error as xerror, protocol

POPUP_TYPES = ("_NET_WM_WINDOW_TYPE_POPUP_MENU", "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", "_NET_WM_WINDOW_TYPE_MENU",
               "_NET_WM_WINDOW_TYPE_COMBO")
CLK_TCK = os.sysconf("SC_CLK_TCK")


def display_range():
    text = os.environ.get("MONKEY_DISPLAYS", "90-199")
    first, _, last = text.partition("-")
    return range(int(first), int(last or first) + 1)


class XSession:
    def __init__(self, size="1024x768", log=None):
        self.size = size
        self.log = log or (lambda text: None)
        self.xvfb = None
        self.wm = None
        self.number = None
        self.conn = None

    # --- the display and the window manager -----------------------------

    def start(self):
        for number in display_range():
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            xvfb = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", f"{self.size}x24", "-nolisten", "tcp",
                                     "-noreset"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if self._wait_for_display(number, xvfb):
                self.xvfb, self.number = xvfb, number
                break
            if xvfb.poll() is None:
                xvfb.kill()
            xvfb.wait()
        if self.xvfb is None:
            raise RuntimeError("no free X display in " + os.environ.get("MONKEY_DISPLAYS", "90-199"))
        self.env = dict(os.environ, DISPLAY=f":{self.number}")
        self.env.pop("WAYLAND_DISPLAY", None)
        self.conn = xdisplay.Display(f":{self.number}")
        self.root = self.conn.screen().root
        # Qt answers _NET_WM_PING to the root with StructureNotify | SubstructureRedirect.
        self.root.change_attributes(event_mask=X.StructureNotifyMask)
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        deadline = time.time() + 10
        while time.time() < deadline and not self.root.get_full_property(self.atom("_NET_SUPPORTING_WM_CHECK"),
                                                                          X.AnyPropertyType):
            time.sleep(0.05)
        return self

    def _wait_for_display(self, number, xvfb):
        deadline = time.time() + 10
        while time.time() < deadline:
            if xvfb.poll() is not None:
                return False
            if os.path.exists(f"/tmp/.X11-unix/X{number}") and self._locked_by(number, xvfb.pid):
                try:
                    xdisplay.Display(f":{number}").close()
                    return True
                except Exception:
                    pass
            time.sleep(0.05)
        return False

    @staticmethod
    def _locked_by(number, pid):
        """Whether the display's lock names this server: another session
        starting at the same moment may have taken the number first."""
        try:
            with open(f"/tmp/.X{number}-lock") as lock:
                return int(lock.read().strip() or 0) == pid
        except (OSError, ValueError):
            return False

    def stop(self):
        for process in (self.wm, self.xvfb):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()

    def atom(self, name):
        return self.conn.intern_atom(name)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)

    # --- the program's windows --------------------------------------------

    def _prop(self, window, name, kind=X.AnyPropertyType):
        try:
            value = window.get_full_property(self.atom(name), kind)
            return value.value if value else None
        except xerror.XError:
            return None

    def window_pid(self, window):
        value = self._prop(window, "_NET_WM_PID", Xatom.CARDINAL)
        return int(value[0]) if value is not None and len(value) else None

    def window_types(self, window):
        value = self._prop(window, "_NET_WM_WINDOW_TYPE", Xatom.ATOM)
        return [self.conn.get_atom_name(a) for a in value] if value is not None else []

    def window_title(self, window):
        value = self._prop(window, "_NET_WM_NAME")
        if value is None:
            value = self._prop(window, "WM_NAME")
        if value is None:
            return ""
        return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)

    def managed_windows(self, pid):
        """The program's windows the window manager manages (mapped or not)."""
        value = self._prop(self.root, "_NET_CLIENT_LIST", Xatom.WINDOW) or []
        windows = []
        for wid in value:
            window = self.conn.create_resource_object("window", wid)
            if self.window_pid(window) == pid:
                windows.append(window)
        return windows

    def viewable(self, window):
        try:
            return window.get_attributes().map_state == X.IsViewable
        except xerror.XError:
            return False

    def main_window(self, pid, title="CorvaneV1.0"):
        """The main window, mapped or not: Qt's top-level window of that title."""
        for window in self._pid_toplevels(pid):
            if self.window_title(window) == title:
                return window
        return None

    def _pid_toplevels(self, pid):
        # Managed windows are children of openbox's frames; override-redirect
        # ones are children of the root; unmapped managed ones are reparented
        # back to the root by the window manager.
        found = []
        try:
            children = self.root.query_tree().children
        except xerror.XError:
            return found
        for child in children:
            if self.window_pid(child) == pid:
                found.append(child)
                continue
            try:
                for grandchild in child.query_tree().children:
                    if self.window_pid(grandchild) == pid:
                        found.append(grandchild)
            except xerror.XError:
                pass
        return found

    def viewable_popups(self, pid):
        """The program's override-redirect windows on screen that are menus
        or popups (tool tips are not counted)."""
        popups = []
        for child in self.root.query_tree().children:
            try:
                attributes = child.get_attributes()
            except xerror.XError:
                continue
            if not attributes.override_redirect or attributes.map_state != X.IsViewable:
                continue
            if self.window_pid(child) != pid:
                continue
            types = self.window_types(child)
            if "_NET_WM_WINDOW_TYPE_TOOLTIP" in types:
                continue
            geometry = child.get_geometry()
            if geometry.width <= 1 or geometry.height <= 1:
                continue
            popups.append((child, geometry.width, geometry.height))
        return popups

    def geometry(self, window):
        """A window's rectangle on the root, or None."""
        try:
            geometry = window.get_geometry()
            origin = window.translate_coords(self.root, 0, 0)
            return (-origin.x, -origin.y, geometry.width, geometry.height)
        except xerror.XError:
            return None

    # --- what another client can do ----------------------------------------

    def grabs_free(self):
        """Whether this client can take the pointer and the keyboard now."""
        pointer = self.root.grab_pointer(False, X.ButtonPressMask, X.GrabModeAsync, X.GrabModeAsync, X.NONE, X.NONE,
                                         X.CurrentTime)
        if pointer == X.GrabSuccess:
            self.conn.ungrab_pointer(X.CurrentTime)
        keyboard = self.root.grab_keyboard(False, X.GrabModeAsync, X.GrabModeAsync, X.CurrentTime)
        if keyboard == X.GrabSuccess:
            self.conn.ungrab_keyboard(X.CurrentTime)
        self.conn.sync()
        return pointer == X.GrabSuccess and keyboard == X.GrabSuccess

    def ping(self, window, timeout=5.0):
        """Sends _NET_WM_PING to a window; True when it answered in time."""
        stamp = int(time.time() * 1000) & 0x7FFFFFFF
        wm_protocols = self.atom("WM_PROTOCOLS")
        net_wm_ping = self.atom("_NET_WM_PING")
        event = protocol.event.ClientMessage(window=window, client_type=wm_protocols,
                                             data=(32, [net_wm_ping, stamp, window.id, 0, 0]))
        try:
            window.send_event(event, event_mask=0)
            self.conn.flush()
        except xerror.XError:
            return False
        deadline = time.time() + timeout
        while time.time() < deadline:
            while self.conn.pending_events():
                answer = self.conn.next_event()
                if (answer.type == X.ClientMessage and answer.client_type == wm_protocols and
                        answer.data[1][0] == net_wm_ping and answer.data[1][1] == stamp):
                    return True
            select.select([self.conn], [], [], 0.05)
        return False

    def close_request(self, window):
        """What a window manager sends for its close button: WM_DELETE_WINDOW."""
        event = protocol.event.ClientMessage(window=window, client_type=self.atom("WM_PROTOCOLS"),
                                             data=(32, [self.atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        try:
            window.send_event(event, event_mask=0)
            self.conn.flush()
        except xerror.XError:
            pass

    def drain_events(self):
        while self.conn.pending_events():
            self.conn.next_event()


def process_times(pid):
    """Processor seconds (user + system) of a process, or None when gone."""
    try:
        with open(f"/proc/{pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / CLK_TCK
    except (OSError, IndexError):
        return None


def process_rss_kib(pid):
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def wait_exit(process, timeout):
    try:
        return process.wait(timeout)
    except subprocess.TimeoutExpired:
        return None


def end_process(process):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        if wait_exit(process, 5) is None:
            process.kill()
            process.wait()
