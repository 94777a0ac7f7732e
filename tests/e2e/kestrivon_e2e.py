"""Shared helpers for the end-to-end tests: start the real programs from the run-time folder,
drive their windows with xdotool on the X display, wait on what they report, read screenshots."""

import collections
import contextlib
import os
import queue
import re
import shutil
import socket
import struct
import subprocess
import threading
import time

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# Slower builds (the sanitizer build) stretch every wait by this factor.
PACE = float(os.environ.get("KESTRIVON_E2E_PACE", "1"))


def pause(seconds):
    time.sleep(seconds * PACE)


ENVIRONMENT = dict(os.environ, ALSOFT_DRIVERS="null")


def start(folder, program, *arguments, stdin=None):
    """Starts a program of the run-time folder with its working directory there."""
    return subprocess.Popen([os.path.join(folder, program), *arguments], cwd=folder,
                            env=ENVIRONMENT, stdin=stdin, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True)


@contextlib.contextmanager
def running(folder, program, *arguments):
    """Starts a program and stops it at the end of the block; if the block fails after the
    program ended on its own, prints its status and error stream."""
    process = start(folder, program, *arguments)
    try:
        yield process
    except BaseException:
        if process.poll() is not None:
            print("%s ended with status %d:\n%s" % (program, process.returncode,
                                                     process.stderr.read()))
        raise
    finally:
        stop(process)


def stop(process):
    process.terminate()
    with contextlib.suppress(subprocess.TimeoutExpired):
        return process.wait(timeout=5)
    process.kill()
    process.wait()


def xdotool(*arguments):
    return subprocess.run(["xdotool", *map(str, arguments)], check=True, capture_output=True,
                          text=True).stdout.strip()


def wait_until(what, condition, timeout=15.0):
    """The first true value condition() returns, polled until timeout (times the pace)."""
    deadline = time.time() + timeout * PACE
    while not (value := condition()):
        assert time.time() < deadline, "timed out waiting for %s" % what
        time.sleep(0.1)
    return value


def find_window(name, pid, at=(0, 0)):
    """The id of the visible window of pid titled exactly name, moved to at."""
    command = ["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", "^%s$" % name]
    found = wait_until("a window named %r" % name, lambda: subprocess.run(
        command, capture_output=True, text=True).stdout.split(), 30)
    xdotool("windowmove", found[0], *at)
    return found[0]


def window_size(window):
    geometry = xdotool("getwindowgeometry", window)
    return tuple(int(n) for n in re.search(r"Geometry: (\d+)x(\d+)", geometry).groups())


class Picture:
    """An RGB screenshot from a binary PPM."""

    def __init__(self, data):
        header = re.match(rb"P6\s+(?:#.*\n)?(\d+)\s+(\d+)\s+255\s", data)
        self.width, self.height = int(header[1]), int(header[2])
        self.pixels = data[header.end():]

    def pixel(self, x, y):
        at = 3 * (y * self.width + x)
        return tuple(self.pixels[at:at + 3])

    def mean_brightness(self):
        return sum(self.pixels) / len(self.pixels)


def screenshot(window, keep_as=None, convert=()):
    """Captures a window; keep_as, a PNG path, keeps a copy for a person to look at."""
    dump = subprocess.run(["xwd", "-silent", "-id", window], check=True,
                          capture_output=True).stdout
    if keep_as:
        os.makedirs(os.path.dirname(keep_as), exist_ok=True)
        subprocess.run(["convert", "xwd:-", keep_as], input=dump, check=True)
    return Picture(subprocess.run(["convert", "xwd:-", *convert, "ppm:-"], input=dump,
                                  check=True, capture_output=True).stdout)


def copy_runtime_folder(build_dir, target):
    """A private copy of the run-time folder with the shipped score table, whatever was played
    on this machine: programs linked, data copied. The programs come from KESTRIVON_PROGRAM_DIR
    when it is set (the sanitizer build has no data of its own)."""
    shutil.copytree(os.path.join(build_dir, "data"), os.path.join(target, "data"))
    shutil.copy(os.path.join(SOURCE_DIR, "data", "Score.txt"), os.path.join(target, "data"))
    program_dir = os.environ.get("KESTRIVON_PROGRAM_DIR", build_dir)
    for program in ("kestrivon", "kestrivon-console"):
        os.symlink(os.path.join(program_dir, program), os.path.join(target, program))
    return target


SANITIZER_REPORTS = ("ERROR: AddressSanitizer", "runtime error:", "ERROR: LeakSanitizer")


def sanitizer_report(lines):
    report = [line for line in lines if any(mark in line for mark in SANITIZER_REPORTS)]
    assert not report, "sanitizer report: %s" % report[:5]


class Lines:
    """The lines a process writes on a stream, collected in a thread for waiting on them."""

    def __init__(self, stream):
        self.queue = queue.Queue()
        self.seen = []
        threading.Thread(target=self._read, args=(stream,), daemon=True).start()

    def _read(self, stream):
        for line in stream:
            self.queue.put(line.rstrip("\n"))
        self.queue.put(None)

    def wait_for(self, what, timeout=10.0):
        """The first new line that starts with what (a string) or matches it (a function);
        lines before it are kept in seen. The timeout is stretched by the pace."""
        matches = what if callable(what) else lambda line: line.startswith(what)
        deadline = time.time() + timeout * PACE
        while True:
            try:
                line = self.queue.get(timeout=max(deadline - time.time(), 0.01))
            except queue.Empty:
                line = None
            # None: the time is up, or the stream ended.
            assert line is not None, "no %r; last lines: %s" % (what, self.seen[-8:])
            self.seen.append(line)
            if matches(line):
                return line

    def drain(self):
        self.queue.put(None)
        self.seen += list(iter(self.queue.get, None))


class Game:
    """The real game, its standard output (line-buffered by the game itself) collected."""

    def __init__(self, folder, at=(0, 0)):
        self.process = start(folder, "kestrivon")
        self.trace = Lines(self.process.stdout)
        self.errors = Lines(self.process.stderr)
        try:
            self.window = find_window("Kestrivon", self.process.pid, at)
        except AssertionError as failure:
            self.stop()
            raise AssertionError("%s; the game said: %s" % (failure, self.errors.seen[-5:]))

    def click(self, x, y):
        """Moves the pointer onto (x, y) first: a press on an idle widget only hovers it."""
        for dx in (0, 1):
            xdotool("mousemove", "--window", self.window, x + dx, y)
            pause(0.3)
        xdotool("click", 1)
        pause(0.3)

    def key(self, name):
        xdotool("windowfocus", "--sync", self.window)
        xdotool("key", name)

    def type(self, text):
        """Into the box that has the focus, then Enter."""
        xdotool("windowfocus", "--sync", self.window)
        xdotool("type", text)
        xdotool("key", "Return")
        pause(0.3)

    def join(self, address):
        """From the main page: "Joining", the address into "IP :", "Join"."""
        self.click(300, 320)
        self.click(480, 320)
        # The box keeps what was typed for an earlier game.
        xdotool("key", "--repeat", 15, "BackSpace")
        self.type(address)
        self.click(300, 380)

    def submit_name(self, name):
        """On the end-of-game page: the name into "Name :", "Submit"."""
        self.click(480, 320)
        self.type(name)
        self.click(200, 440)

    def stop(self):
        stop(self.process)
        self.errors.drain()
        sanitizer_report(self.errors.seen)


class Console:
    """kestrivon-console in script mode, its events (standard output) and log (standard error)
    collected; the script is a file, or lines the test sends."""

    def __init__(self, folder, *arguments, script="-"):
        self.process = start(folder, "kestrivon-console", "--script", script, *arguments,
                             stdin=subprocess.PIPE)
        self.events = Lines(self.process.stdout)
        self.log = Lines(self.process.stderr)

    def send(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()

    def expect(self, event, timeout=10.0):
        try:
            return self.events.wait_for(event, timeout)
        except AssertionError as failure:
            self.log.drain()
            raise AssertionError("%s; the console said: %s" % (failure, self.log.seen[-6:]))

    def stop(self):
        with contextlib.suppress(BrokenPipeError, subprocess.TimeoutExpired):
            self.send("quit")
            self.process.wait(timeout=5)
        stop(self.process)
        self.log.drain()
        sanitizer_report(self.log.seen)


def frame(payload):
    return struct.pack(">I", len(payload)) + payload


def message(code, *fields):
    """A console message as bytes: its code and fields (32-bit integers or bytes) in a frame."""
    return frame(struct.pack(">i", code) + b"".join(
        field if isinstance(field, bytes) else struct.pack(">i", field) for field in fields))


class RawOperator:
    """A raw console on port 3000, for bytes no console would send: takes the game's
    connection and counts the messages the game sends, by code."""

    def __init__(self):
        self.listener = socket.create_server(("127.0.0.1", 3000))
        self.connection, self.buffer, self.received = None, b"", collections.Counter()

    def accept(self, timeout=20.0):
        self.listener.settimeout(timeout * PACE)
        self.connection = self.listener.accept()[0]

    def send(self, data):
        self.connection.sendall(data)

    def pump(self, seconds):
        """Reads what arrives within seconds."""
        self.connection.settimeout(seconds)
        with contextlib.suppress(socket.timeout):
            data = self.connection.recv(1 << 16)
            assert data, "the game closed the connection"
            self.buffer += data
        while len(self.buffer) >= 8 and len(self.buffer) >= 4 + (
                size := struct.unpack(">I", self.buffer[:4])[0]):
            self.received[struct.unpack(">i", self.buffer[4:8])[0]] += 1
            self.buffer = self.buffer[4 + size:]

    def close(self):
        self.listener.close()
        if self.connection:
            self.connection.close()
