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


def pause(seconds):
    time.sleep(seconds * PACE)


def xdotool(*arguments):
    subprocess.run(["xdotool", *map(str, arguments)], check=True, capture_output=True)


def click(window, x, y):
    """Moves the pointer onto (x, y) first: a press on an idle widget only hovers it."""
    for dx in (1, 0):
        xdotool("mousemove", "--window", window, x + dx, y)
        pause(0.2)
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

    def wait_for(self, what, timeout=10.0):
        """The next line that contains what (a string) or matches it (a function)."""
        matches = what if callable(what) else lambda line: what in line

        def next_match():
            ended = self.ended.is_set()
            while self.read < len(self.all):
                self.read += 1
                if matches(self.all[self.read - 1]):
                    return self.all[self.read - 1]
            assert not ended, "the stream ended"
        return wait_until(repr(what), next_match, timeout)

    def drain(self):
        self.ended.wait(5)
        return self.all


class Program:
    """A program started in the run-time folder, its streams collected; stopped after a with
    block, which names how it ended if the block failed."""

    def __init__(self, folder, program, *arguments, stdin=None, **environment):
        self.process = subprocess.Popen(
            [os.path.join(folder, program), *arguments], cwd=folder, stdin=stdin,
            env=dict(os.environ, ALSOFT_DRIVERS="null", **environment),
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, bufsize=1)
        self.output, self.errors = Lines(self.process.stdout), Lines(self.process.stderr)

    def expect(self, what, timeout=10.0):
        """A line of the output, or a failure showing the last lines of both streams."""
        try:
            return self.output.wait_for(what, timeout)
        except AssertionError as failure:
            raise AssertionError("%s; last lines: %s; errors: %s" % (
                failure, self.output.all[-8:], self.errors.all[-6:]))

    def send(self, line):
        self.process.stdin.write(line + "\n")

    def stop(self):
        """A console script is told to quit first, so that its own end is checked too."""
        with contextlib.suppress(BrokenPipeError, subprocess.TimeoutExpired):
            if self.process.stdin:
                self.send("quit")
                self.process.wait(timeout=5)
        self.process.terminate()
        with contextlib.suppress(subprocess.TimeoutExpired):
            self.process.wait(timeout=5)
        self.process.kill()
        self.process.wait()
        report = [line for line in self.errors.drain()
                  if any(mark in line for mark in SANITIZER_REPORTS)]
        assert not report, "sanitizer report: %s" % report[:5]

    def __enter__(self):
        return self

    def __exit__(self, kind, failure, trace):
        if failure and self.process.poll() is not None:
            print("%s ended with status %d:\n%s" % (self.process.args[0], self.process.returncode,
                                                     "\n".join(self.errors.drain())))
        self.stop()


def find_window(name, pid, at=(0, 0)):
    """The id of the visible window of pid titled exactly name, moved to at."""
    command = ["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", "^%s$" % name]
    found = wait_until("a window named %r" % name, lambda: subprocess.run(
        command, capture_output=True, text=True).stdout.split(), 30)
    xdotool("windowmove", found[0], *at)
    return found[0]


class Picture:
    """An RGB screenshot, read from a binary PPM."""

    def __init__(self, data):
        header = re.match(rb"P6\s+(?:#.*\n)?(\d+)\s+(\d+)\s+255\s", data)
        self.size, self.pixels = (int(header[1]), int(header[2])), data[header.end():]

    def pixel(self, x, y):
        at = 3 * (y * self.size[0] + x)
        return tuple(self.pixels[at:at + 3])

    def mean_brightness(self):
        return sum(self.pixels) / len(self.pixels)


def screenshot(window, keep_as=None, convert=()):
    """Captures a window; keep_as, a file in build/screenshots, keeps a PNG for a person."""
    dump = subprocess.run(["xwd", "-silent", "-id", window], check=True,
                          capture_output=True).stdout
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

    def __init__(self, folder, at=(0, 0), program="kestrivon", **environment):
        super().__init__(folder, program, **environment)
        try:
            self.window = find_window("Kestrivon", self.process.pid, at)
        except AssertionError as failure:
            self.stop()
            raise AssertionError("%s; the game said: %s" % (failure, self.errors.all[-5:]))

    def click(self, x, y):
        click(self.window, x, y)
        pause(0.3)

    def key(self, name):
        xdotool("windowfocus", "--sync", self.window, "key", name)

    def enter(self, text, button):
        """Into the box at the usual place (it keeps what was typed for an earlier game), then
        Enter and the button: "Join" on the joining page, "Submit" on the end-of-game page."""
        self.click(480, 320)
        xdotool("windowfocus", "--sync", self.window, "key", "--repeat", 15, "BackSpace",
                "type", text + "\n")
        pause(0.3)
        self.click(*button)

    def join(self, address):
        """From the main page: "Joining", the address into "IP :", "Join"."""
        self.click(300, 320)
        self.enter(address, (300, 380))
