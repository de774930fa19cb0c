#!/usr/bin/python3
"""A restless user for Corvane: random input under Xvfb + openbox, with a
second process sending datagrams to the program's port, and checks every few
seconds that the program is still a good citizen of the desktop.

  monkey.py --program build/shell/corvane --seed 7 --minutes 5 --log run.log
  monkey.py --program build/shell/corvane --replay run.log

Every action is written to the log with its time (seconds since the start)
before it is done, so a failure comes with the sequence that led to it; a log
replays with the same spacing. Positions are relative to the main window.
Exit status 0 when every check held and the program never ended except
by a close it was asked for, 1 otherwise. Run it in a network namespace of
its own (tools/monkey/monkey does), so that port 1234 is its alone.
"""

import argparse
import os
import random
import shlex
import socket
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xsession import XSession, end_process, process_rss_kib, process_times, wait_exit  # noqa: E402

# Places on the main window (window coordinates of the skinned frame).
ICON = (47, 11)
CAPTION = (300, 11)
ROLLUP_BUTTON, MINIMIZE_BUTTON, CLOSE_BUTTON = 25, 614, 654
BOARD = (30, 50, 400, 420)
MENU_BAR = [(56, 33)]
CHAT_INPUT = (543, 101)
SEND = (592, 164)
OWN_DIALOG_TITLES = {"CorvaneV1.0", "关于Corvane", "设置对方计算机名或IP地址", "帮助"}
KEY_SEQUENCES = ["F10", "alt", "alt+g", "alt+space", "shift+F10", "Escape", "Return", "Up", "Down", "Left", "Right",
                 "Menu", "Tab", "alt+minus"]
CLOSES = "closes"  # marks the actions that may close the window
CHAT_WORDS = ["你好", "将军", "hello", "再来一局", "走得好", "12345", "!?"]


class Failure(Exception):
    pass


class Monkey:
    def __init__(self, args):
        self.args = args
        self.rng = random.Random(args.seed)
        self.start_time = time.time()
        self.log_file = open(args.log, "a" if args.replay else "w", encoding="utf-8") if args.log else None
        self.session = None
        self.program = None
        self.pid = None
        self.closing = False
        self.sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.stats = {"actions": 0, "checks": 0, "starts": 0, "closes": 0, "rss_kib": [], "idle_cpu": []}

    # --- log -----------------------------------------------------------------

    def now(self):
        return time.time() - self.start_time

    def note(self, text):
        line = f"{self.now():9.3f} {text}"
        if self.log_file:
            self.log_file.write(line + "\n")
            self.log_file.flush()
        if self.args.verbose:
            print(line, flush=True)

    # --- the program -----------------------------------------------------------

    def start_program(self):
        env = dict(self.session.env, QT_QPA_PLATFORM="xcb")
        # On X, libxkbcommon-x11 (not Corvane) reads a string past its end
        # the way strict_string_checks reports at start: that check is for
        # the offscreen tests only.
        if "ASAN_OPTIONS" in env:
            env["ASAN_OPTIONS"] = ":".join(option for option in env["ASAN_OPTIONS"].split(":")
                                           if not option.startswith("strict_string_checks"))
        self.stderr_path = (self.args.log or "/tmp/monkey") + f".stderr.{self.stats['starts']}"
        self.program = subprocess.Popen([self.args.program], env=env, stdout=subprocess.DEVNULL,
                                        stderr=open(self.stderr_path, "w"))
        self.pid = self.program.pid
        self.stats["starts"] += 1
        self.closing = False
        deadline = time.time() + 60
        while time.time() < deadline:
            window = self.session.main_window(self.pid)
            if window is not None and self.session.viewable(window):
                break
            if self.program.poll() is not None:
                raise Failure(f"the program ended at start with status {self.program.returncode}")
            time.sleep(0.1)
        else:
            raise Failure("the main window did not appear")
        time.sleep(0.5)
        self.note(f"start pid={self.pid}")
        # Escapes the window manager's start-up race: a first drag by the caption.
        self.do("drag_caption 40 30")

    def window_origin(self):
        window = self.session.main_window(self.pid)
        rect = self.session.geometry(window) if window is not None else None
        return (rect[0], rect[1]) if rect else (0, 0)

    # --- actions -----------------------------------------------------------------

    def do(self, line):
        """Logs an action line and performs it."""
        self.note(line)
        self.stats["actions"] += 1
        words = shlex.split(line)
        name, args = words[0], words[1:]
        getattr(self, "act_" + name)(*args)

    def at(self, x, y):
        ox, oy = self.window_origin()
        return ox + int(x), oy + int(y)

    def act_click(self, x, y, button="1", repeat="1", delay="150"):
        gx, gy = self.at(x, y)
        self.session.xdotool("mousemove", gx, gy, "click", "--repeat", repeat, "--delay", delay, button)

    def act_drag(self, x1, y1, x2, y2):
        gx1, gy1 = self.at(x1, y1)
        gx2, gy2 = gx1 + int(x2) - int(x1), gy1 + int(y2) - int(y1)
        self.session.xdotool("mousemove", gx1, gy1, "mousedown", 1, "sleep", 0.1, "mousemove", (gx1 + gx2) // 2,
                             (gy1 + gy2) // 2, "sleep", 0.1, "mousemove", gx2, gy2, "sleep", 0.1, "mouseup", 1)

    def act_drag_caption(self, dx, dy):
        self.act_drag(CAPTION[0], CAPTION[1], CAPTION[0] + int(dx), CAPTION[1] + int(dy))

    def act_outside(self, x="5", y="760"):
        self.session.xdotool("mousemove", x, y, "click", 1)

    def act_key(self, *combos):
        self.session.xdotool("key", "--delay", 80, *combos)

    def act_type(self, text):
        self.session.xdotool("type", "--delay", 20, text)

    def act_paste(self, count):
        text = ("连接" * (int(count) // 2 + 1))[: int(count)]
        clip = subprocess.Popen(["xclip", "-selection", "clipboard", "-loops", "1"], stdin=subprocess.PIPE,
                                env=self.session.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        clip.stdin.write(text.encode("utf-8"))
        clip.stdin.close()
        time.sleep(0.2)
        self.session.xdotool("key", "ctrl+v")
        if wait_exit(clip, 5) is None:
            clip.kill()
            clip.wait()

    def act_datagram(self, hex_bytes):
        # "-" is the empty datagram.
        self.sender.sendto(b"" if hex_bytes == "-" else bytes.fromhex(hex_bytes), ("127.0.0.1", 1234))

    def act_wmclose(self):
        window = self.session.main_window(self.pid)
        if window is not None:
            self.session.close_request(window)

    def act_expect_popup(self, size):
        """A replay's assertion: a popup of that size (WxH) is on screen."""
        time.sleep(0.3)
        sizes = [f"{w}x{h}" for _, w, h in self.session.viewable_popups(self.pid)]
        if size not in sizes:
            raise Failure(f"expected a {size} popup on screen, found {sizes or 'none'}")

    def act_expect_no_popup(self):
        time.sleep(0.3)
        sizes = [f"{w}x{h}" for _, w, h in self.session.viewable_popups(self.pid)]
        if sizes:
            raise Failure(f"expected no popup on screen, found {sizes}")
        if not self.session.grabs_free():
            raise Failure("the pointer or the keyboard stays grabbed with no menu open")

    def act_restore(self):
        """What a task bar does for a minimised window: asks the window
        manager to activate it."""
        window = self.session.main_window(self.pid)
        if window is not None:
            self.session.xdotool("windowactivate", window.id)

    def act_sleep(self, seconds):
        time.sleep(float(seconds))

    def act_check(self):
        self.check()

    def act_idle(self):
        self.check_idle()

    # --- random choice of actions -------------------------------------------------

    def random_datagram(self):
        r = self.rng
        piece, point = f"Image{r.randint(2, 33)}", f"Image{r.randint(34, 123)}"
        rows = [str(r.randint(1, 10)), str(r.randint(1, 9)), str(r.randint(1, 10)), str(r.randint(1, 9))]
        kind = r.choice(["blksky", "redsky", "blkred", "redblk", "redjiangdead", "blkjiangdead"])
        choices = [
            "|".join([kind, piece, point if kind.endswith("sky") else f"Image{r.randint(2, 33)}", *rows]).encode(),
            b"message|2|3|4|5|6|" + "来自 2026-12-07  22:00:00\r\n".encode("gbk") + r.choice(CHAT_WORDS).encode("gbk"),
            b"chongxin|2|3|4|5|6|7",
            b"close|2|3|4|5|6|7",
            bytes(r.getrandbits(8) for _ in range(r.randint(0, 64))),
            b"|" * r.randint(0, 12),
        ]
        return r.choice(choices).hex() or "-"

    def random_action(self):
        r = self.rng
        bx, by, bw, bh = BOARD
        kinds = [
            (12, lambda: f"click {r.randint(bx, bx + bw)} {r.randint(by, by + bh)}"),
            (8, lambda: f"drag {r.randint(bx, bx + bw)} {r.randint(by, by + bh)} "
                        f"{r.randint(bx, bx + bw)} {r.randint(by, by + bh)}"),
            (4, lambda: f"click {r.randint(0, 670)} {r.randint(0, 480)} 3"),
            (3, lambda: f"click {CAPTION[0] + r.randint(-60, 60)} {CAPTION[1]} 1 2 {r.randint(60, 200)}"),
            (3, lambda: f"click {ICON[0]} {ICON[1]} {r.choice(['1', '1', '3'])} {r.choice([1, 1, 2, 3])} "
                        f"{r.randint(80, 250)}", CLOSES),
            (3, lambda: f"click {self.caption_button()} {ICON[1]}", CLOSES),
            (8, lambda: "key " + " ".join(r.choice(KEY_SEQUENCES) for _ in range(r.randint(1, 6)))),
            (5, lambda: f"click {r.choice(MENU_BAR)[0]} {MENU_BAR[0][1]}"),
            (3, lambda: f"click {CHAT_INPUT[0]} {CHAT_INPUT[1]}"),
            (4, lambda: "type " + shlex.quote(" ".join(r.choice(CHAT_WORDS) for _ in range(r.randint(1, 5))))),
            (3, lambda: f"click {SEND[0]} {SEND[1]} 1 {r.randint(1, 4)} 60"),
            (2, lambda: f"paste {r.choice([10, 1000, 20000, 100000])}"),
            (10, lambda: f"datagram {self.random_datagram()}"),
            (2, lambda: f"drag_caption {r.randint(-80, 80)} {r.randint(-60, 60)}"),
            (2, lambda: "outside"),
            (1, lambda: r.choice(["wmclose", "key alt+F4"]), CLOSES),
            (3, lambda: "restore"),
        ]
        if self.args.keep_open:
            # A soak of one process: nothing that closes the window (a double
            # click on the icon, the close button, Alt+F4, the window manager).
            kinds = [kind for kind in kinds if CLOSES not in kind]
            kinds += [(3, lambda: f"click {ICON[0]} {ICON[1]} {r.choice(['1', '3'])}"),
                      (3, lambda: f"click {r.choice([MINIMIZE_BUTTON, ROLLUP_BUTTON])} {ICON[1]}")]
        total = sum(kind[0] for kind in kinds)
        pick = r.uniform(0, total)
        for weight, make, *_ in kinds:
            pick -= weight
            if pick <= 0:
                return make()
        return kinds[0][1]()

    def caption_button(self):
        # Minimise, roll-up and close sit at the right end of the caption;
        # a close is rare so that a run is not mostly start-ups.
        choice = self.rng.choices([MINIMIZE_BUTTON, ROLLUP_BUTTON, CLOSE_BUTTON], [5, 5, 1])[0]
        return choice

    # --- checks ----------------------------------------------------------------------

    def alive(self):
        return self.program is not None and self.program.poll() is None

    def check_exit(self):
        """The program ended: only a close may end it, and with status 0."""
        status = self.program.returncode
        self.note(f"ended status={status}")
        if status != 0:
            raise Failure(f"the program ended with status {status} (see {self.stderr_path})")
        self.stats["closes"] += 1
        self.start_program()

    def check(self):
        self.stats["checks"] += 1
        if not self.alive():
            self.check_exit()
            return
        s = self.session
        window = s.main_window(self.pid)
        main_viewable = window is not None and s.viewable(window)
        popups = s.viewable_popups(self.pid)
        if popups and not main_viewable:
            time.sleep(1.0)  # a menu that is already ending gets a moment
            window = s.main_window(self.pid)
            main_viewable = window is not None and s.viewable(window)
            popups = s.viewable_popups(self.pid) if self.alive() else []
            if popups and not main_viewable:
                sizes = ", ".join(f"{w}x{h}" for _, w, h in popups)
                raise Failure(f"popup {sizes} viewable while the main window is not")
        boxes = [w for w in s.managed_windows(self.pid) if s.viewable(w) and s.window_title(w) not in OWN_DIALOG_TITLES]
        if len(boxes) > 1:
            raise Failure(f"{len(boxes)} message boxes open at once")
        if window is not None and not s.ping(window, timeout=10):
            if self.alive():
                raise Failure("the main window did not answer _NET_WM_PING in 10 s")
        rss = process_rss_kib(self.pid)
        if rss:
            self.stats["rss_kib"].append(rss)
        self.note(f"checked popups={len(popups)} boxes={len(boxes)} main={int(main_viewable)} rss={rss}")

    def check_idle(self):
        """No input for a while: the processor falls below 1 %, and after
        Escape and an outside click nothing holds the pointer or keyboard."""
        if not self.alive():
            self.check_exit()
            return
        self.act_key("Escape", "Escape")
        time.sleep(0.3)
        self.act_outside()
        time.sleep(0.5)
        if not self.alive():
            self.check_exit()
            return
        popups = self.session.viewable_popups(self.pid)
        if not popups and not self.session.grabs_free():
            time.sleep(1.0)
            if self.alive() and not self.session.viewable_popups(self.pid) and not self.session.grabs_free():
                raise Failure("the pointer or the keyboard stays grabbed with no menu open")
        # The program settles (repaints, a box's sound) before the measure.
        time.sleep(1.5)
        before, start = process_times(self.pid), time.time()
        time.sleep(self.args.idle_seconds)
        after = process_times(self.pid)
        if before is None or after is None:
            self.check_exit()
            return
        share = 100.0 * (after - before) / (time.time() - start)
        self.stats["idle_cpu"].append(share)
        self.note(f"idle cpu={share:.2f}%")
        if share >= 1.0:
            # One more measure: a single late repaint is not a busy loop.
            before, start = process_times(self.pid), time.time()
            time.sleep(self.args.idle_seconds)
            after = process_times(self.pid)
            if after is not None and before is not None:
                share = 100.0 * (after - before) / (time.time() - start)
                self.note(f"idle cpu again={share:.2f}%")
                if share >= 1.0:
                    raise Failure(f"idle processor use {share:.1f} % with no input")

    # --- runs -------------------------------------------------------------------------

    def run_random(self):
        deadline = self.start_time + self.args.minutes * 60
        next_check = time.time() + self.args.check_every
        next_idle = time.time() + self.args.idle_every
        while time.time() < deadline:
            if not self.alive():
                self.check_exit()
            self.do(self.random_action())
            time.sleep(self.rng.uniform(0.1, 0.5))
            if time.time() >= next_check:
                self.do("check")
                next_check = time.time() + self.args.check_every
            if time.time() >= next_idle:
                self.do("idle")
                next_idle = time.time() + self.args.idle_every

    def run_replay(self, path):
        """Replays a log's actions with their spacing, then checks."""
        last = None
        with open(path, encoding="utf-8") as log:
            lines = [line.rstrip("\n") for line in log if line.strip() and not line.startswith("#")]
        for line in lines:
            stamp, _, action = line.strip().partition(" ")
            action = action.strip()
            name = action.split(" ", 1)[0]
            if name in ("start", "ended", "checked", "idle", "check") or name.startswith("FAIL"):
                continue
            if name == "expect_exit":
                self.expect_exit()
                continue
            if last is not None:
                time.sleep(max(0.0, min(5.0, float(stamp) - last)))
            last = float(stamp)
            self.do(action)
        if self.alive():
            self.do("check")
            self.do("idle")

    def expect_exit(self):
        """The program was closed: it must end by itself, and leave no grab."""
        status = wait_exit(self.program, 20)
        self.note(f"expect_exit status={status}")
        if status is None:
            cpu = process_times(self.pid)
            raise Failure(f"the program did not end after the close (processor time {cpu} s)")
        if status != 0:
            raise Failure(f"the program ended with status {status}")
        if self.session.viewable_popups(self.pid):
            raise Failure("a popup stays on screen")
        if not self.session.grabs_free():
            raise Failure("the pointer or the keyboard stays grabbed after the program ended")
        self.program = None

    def finish_by_close(self):
        """The window manager's close request ends the program, whatever menu
        or box is open, and it exits cleanly (a sanitizer's report at exit
        shows as a non-zero status)."""
        self.do("wmclose")
        status = wait_exit(self.program, 30)
        if status is None:
            # The close query may have been refused (its notice could not
            # be sent): a box says why. A second request must still close.
            self.do("key Escape")
            self.do("wmclose")
            status = wait_exit(self.program, 30)
        self.note(f"ended status={status}")
        if status is None:
            raise Failure("the window manager's close request did not end the program")
        if status != 0:
            raise Failure(f"the program ended with status {status} (see {self.stderr_path})")
        self.program = None

    def summary(self):
        rss = self.stats["rss_kib"]
        idle = self.stats["idle_cpu"]
        text = (f"actions={self.stats['actions']} checks={self.stats['checks']} starts={self.stats['starts']} "
                f"closes={self.stats['closes']} minutes={self.now() / 60:.1f}")
        if rss:
            text += f" rss_kib first={rss[0]} max={max(rss)} last={rss[-1]}"
        if idle:
            text += f" idle_cpu_percent max={max(idle):.2f} mean={sum(idle) / len(idle):.2f}"
        return text

    def run(self):
        self.session = XSession(log=self.note).start()
        self.note(f"display :{self.session.number} seed={self.args.seed}")
        try:
            self.start_program()
            if self.args.replay:
                self.run_replay(self.args.replay)
            else:
                self.run_random()
            if self.alive():
                self.do("check")
                self.finish_by_close()
            self.note("summary " + self.summary())
            return 0
        except Failure as failure:
            self.note(f"FAIL {failure}")
            if self.args.screenshot:
                self.session.screenshot(self.args.screenshot)
            if self.program is not None and self.program.poll() is None:
                self.note(f"cpu_seconds={process_times(self.pid)} rss_kib={process_rss_kib(self.pid)}")
            self.note("summary " + self.summary())
            print(f"monkey: FAIL {failure}", file=sys.stderr)
            return 1
        finally:
            if self.program is not None:
                end_process(self.program)
            self.session.stop()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", required=True)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--minutes", type=float, default=3)
    parser.add_argument("--log")
    parser.add_argument("--replay")
    parser.add_argument("--screenshot")
    parser.add_argument("--check-every", type=float, default=5)
    parser.add_argument("--idle-every", type=float, default=60)
    parser.add_argument("--idle-seconds", type=float, default=3)
    parser.add_argument("--keep-open", action="store_true",
                        help="no action that closes the window: one process for the whole run (memory soak)")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()
    if args.replay and args.log == args.replay:
        parser.error("--log must differ from --replay")
    return Monkey(args).run()


if __name__ == "__main__":
    sys.exit(main())
