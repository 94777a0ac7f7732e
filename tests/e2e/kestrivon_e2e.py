"""Shared helpers for the end-to-end tests: start the real programs from the run-time folder,
drive their windows with xdotool on the X display, wait on what they report, read screenshots."""

import contextlib
import os
import re
import shutil
import subprocess
import threading
import time

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# Slower builds (the sanitizer build) stretch every wait by this factor.
PACE = float(os.environ.get("KESTRIVON_E2E_PACE", "1"))
SANITIZER_REPORTS = ("ERROR: AddressSanitizer", "runtime error:", "ERROR: LeakSanitizer")


def xdotool(*arguments):
    subprocess.run(["xdotool", *map(str, arguments)], check=True, capture_output=True)


def click(window, x, y):
    """Moves the pointer onto (x, y) first: a press on an idle widget only hovers it. The game
    reads the pointer where it is when it takes each event, so the moves and the press, taken in
    order, all find it on the widget."""
    for dx in (1, 0):
        xdotool("mousemove", "--sync", "--window", window, x + dx, y)
    xdotool("click", 1)


def wait_until(what, condition, timeout=15.0):
    """The first true value condition() returns, polled until timeout (times the pace)."""
    deadline = time.time() + timeout * PACE
    while not (value := condition()):
        assert time.time() < deadline, "timed out waiting for %s" % what
        time.sleep(0.1)
    return value


class Lines:
    """The lines a process writes on a stream, collected by a thread for waiting on them."""

    def __init__(self, stream):
        self.all, self.read, self.ended = [], 0, threading.Event()
        threading.Thread(target=self._collect, args=(stream,), daemon=True).start()

    def _collect(self, stream):
        for line in stream:
            self.all.append(line.rstrip("\n"))
        self.ended.set()

    # The next unread line that contains what (a string) or matches it (a function), if any.
    def seen(self, what):
        matches = what if callable(what) else lambda line: what in line
        ended = self.ended.is_set()
        while self.read < len(self.all):
            self.read += 1
            if matches(self.all[self.read - 1]):
                return self.all[self.read - 1]
        assert not ended, "the stream ended"

    def wait_for(self, what, timeout=10.0):
        return wait_until(repr(what), lambda: self.seen(what), timeout)

    def drain(self):
        self.ended.wait(5)
        return self.all


# status is what the program must end with once stopped: a console ends with 0 (its script told
# to quit, any other mode on SIGTERM), a program with no handler for SIGTERM (the game, the
# console's window) with -15.
class Program:
    """A program started in the run-time folder, its streams collected; stopped after a with
    block, which names how it ended if the block failed. An environment variable given as None
    is unset."""

    def __init__(self, folder, program, *arguments, stdin=None, status=0, **environment):
        self.process = subprocess.Popen(
            [os.path.join(folder, program), *arguments], cwd=folder, stdin=stdin,
            env={name: value for name, value in dict(os.environ, ALSOFT_DRIVERS="null",
                                                     **environment).items() if value is not None},
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, bufsize=1)
        self.output, self.errors = Lines(self.process.stdout), Lines(self.process.stderr)
        self.status = status

    def expect(self, what, timeout=10.0):
        """A line of the output, or a failure showing the last lines of both streams."""
        try:
            return self.output.wait_for(what, timeout)
        except AssertionError as failure:
            raise AssertionError("%s; last lines: %s; errors: %s" % (
                failure, self.output.all[-8:], self.errors.all[-6:]))

    def send(self, line):
        self.process.stdin.write(line + "\n")

    # Ends the program if it still runs (a console script is told to quit, any other program
    # gets SIGTERM), then checks its exit status and that no sanitizer reported.
    def stop(self, check=True):
        if self.process.poll() is None:
            with contextlib.suppress(BrokenPipeError):
                self.send("quit") if self.process.stdin else self.process.terminate()
            with contextlib.suppress(subprocess.TimeoutExpired):
                self.process.wait(timeout=10 * PACE)
            self.process.kill()
        status, errors = self.process.wait(), self.errors.drain()
        report = [line for line in errors if any(mark in line for mark in SANITIZER_REPORTS)]
        assert not check or (status == self.status and not report), "%s ended with status %d, " \
            "not %d: %s" % (self.process.args[0], status, self.status, report[:5] or errors[-5:])

    def __enter__(self):
        return self

    def __exit__(self, kind, failure, trace):
        if failure and self.process.poll() is not None:
            print("%s ended with status %d:\n%s" % (self.process.args[0], self.process.returncode,
                                                     "\n".join(self.errors.drain())))
        self.stop(check=not failure)


def find_window(name, pid, at=(0, 0), other_than=None):
    """The id of the visible window of pid titled exactly name (and not other_than), moved to at."""
    command = ["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", "^%s$" % name]
    found = wait_until("a window named %r" % name, lambda: [window for window in subprocess.run(
        command, capture_output=True, text=True).stdout.split() if window != other_than], 30)
    xdotool("windowmove", found[0], *at)
    return found[0]


def frames_drawn(window, count=2):
    """Waits until the window shows count new pictures (the menu's veil flickers at each): the
    game reads its events before each picture, so by the second it has taken every event sent
    before the wait, with the pointer still where they left it."""
    for _ in range(count):
        last = screenshot(window).pixels
        wait_until("a new picture", lambda: screenshot(window).pixels != last, 5)


class Picture:
    """An RGB screenshot, read from a binary PPM."""

    def __init__(self, data):
        header = re.match(rb"P6\s+(?:#.*\n)?(\d+)\s+(\d+)\s+255\s", data)
        self.size, self.pixels = (int(header[1]), int(header[2])), data[header.end():]

    def pixel(self, x, y):
        at = 3 * (y * self.size[0] + x)
        return tuple(self.pixels[at:at + 3])


def screenshot(window, keep_as=None, convert=()):
    """Captures a window; keep_as, a file in build/screenshots, keeps a PNG for a person."""
    dump = subprocess.run(["xwd", "-silent", "-id", window], check=True, capture_output=True).stdout
    if keep_as:
        os.makedirs("screenshots", exist_ok=True)
        subprocess.run(["convert", "xwd:-", "screenshots/" + keep_as], input=dump, check=True)
    return Picture(subprocess.run(["convert", "xwd:-", *convert, "ppm:-"], input=dump,
                                  check=True, capture_output=True).stdout)


def copy_runtime_folder(build_dir, target):
    """A copy of the run-time folder with the shipped score table, whatever was played here; the
    programs linked from KESTRIVON_PROGRAM_DIR if set (the sanitizer build has no data)."""
    shutil.copytree(os.path.join(build_dir, "data"), os.path.join(target, "data"))
    shutil.copy(os.path.join(SOURCE_DIR, "data", "Score.txt"), os.path.join(target, "data"))
    program_dir = os.path.abspath(os.environ.get("KESTRIVON_PROGRAM_DIR", build_dir))
    for program in ("kestrivon", "kestrivon-console", "kestrivon-console-solo"):
        os.symlink(os.path.join(program_dir, program), os.path.join(target, program))
    return target


class Game(Program):
    """The real game (its trace, on the output, line-buffered by the game itself) and its window."""

    def __init__(self, folder, at=(0, 0), program="kestrivon", status=-15, **environment):
        super().__init__(folder, program, status=status, **environment)
        try:
            self.window = find_window("Kestrivon", self.process.pid, at)
        except (AssertionError, subprocess.CalledProcessError) as failure:
            self.stop(check=False)
            raise AssertionError("%s; the game ended with status %d and said: %s" % (
                failure, self.process.returncode, self.errors.all[-5:]))

    def click(self, x, y):
        click(self.window, x, y)
        frames_drawn(self.window)

    def key(self, name):
        xdotool("windowfocus", "--sync", self.window, "key", name)

    # Presses a key until lines report what, for a key the game may not take at once.
    def press_until(self, name, lines, what):
        return wait_until("%r taken" % name, lambda: self.key(name) or lines.seen(what), 30)

    def enter(self, text, button):
        """Into the box at the usual place (it keeps what was typed for an earlier game), then
        Enter and the button: "Join" on the joining page, "Submit" on the end-of-game page."""
        self.click(480, 320)
        xdotool("windowfocus", "--sync", self.window, "key", "--repeat", 15, "BackSpace",
                "type", text + "\n")
        self.click(*button)

    def join(self, address):
        """From the main page: "Joining", the address into "IP :", "Join"."""
        self.click(300, 320)
        self.enter(address, (300, 380))
