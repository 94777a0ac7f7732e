"""Shared helpers for the end-to-end tests: start the real programs from the run-time folder,
find their windows on the X display, drive them with xdotool and read screenshots."""

import contextlib
import os
import shutil
import subprocess
import time


# Slower builds (the sanitizer build) stretch every fixed wait by this factor.
PACE = float(os.environ.get("KESTRIVON_E2E_PACE", "1"))


def pause(seconds):
    time.sleep(seconds * PACE)


def environment():
    env = dict(os.environ)
    env["ALSOFT_DRIVERS"] = "null"
    return env


def start(build_dir, program, *arguments, stdout=subprocess.PIPE):
    """Starts a program of the run-time folder with its working directory there."""
    return subprocess.Popen([os.path.join(build_dir, program), *arguments], cwd=build_dir,
                            env=environment(), stdout=stdout, stderr=subprocess.PIPE,
                            text=True)


@contextlib.contextmanager
def running(build_dir, program, *arguments):
    """Starts a program of the run-time folder and stops it at the end of the block; if the
    block fails after the program ended on its own, prints its status and error stream."""
    process = start(build_dir, program, *arguments)
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
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def xdotool(*arguments):
    return subprocess.run(["xdotool", *map(str, arguments)], check=True, capture_output=True,
                          text=True).stdout.strip()


def wait_until(what, condition, timeout):
    """The first true value condition() returns, polled until timeout seconds have passed."""
    deadline = time.time() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.time() > deadline:
            raise AssertionError("timed out waiting for %s" % what)
        time.sleep(0.2)


def find_window(name, pid=None, timeout=30.0):
    """The id of the visible window titled exactly name (of pid, when given)."""
    command = ["xdotool", "search", "--onlyvisible", "--name", "^%s$" % name]
    if pid is not None:
        command[2:2] = ["--pid", str(pid)]

    def search():
        return subprocess.run(command, capture_output=True, text=True).stdout.split()
    found = wait_until("a window named %r" % name, search, timeout)
    xdotool("windowmove", found[0], 0, 0)
    return found[0]


def window_size(window):
    info = subprocess.run(["xwininfo", "-id", window], check=True, capture_output=True,
                          text=True).stdout
    fields = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
    return int(fields["Width"]), int(fields["Height"])


class Picture:
    """An RGB screenshot read from a binary PPM."""

    def __init__(self, data):
        fields, at = [], 0
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            if data[at:at + 1] == b"#":
                at = data.index(b"\n", at)
                continue
            end = at
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[at:end])
            at = end
        assert fields[0] == b"P6", "not a binary PPM"
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[at + 1:]

    def pixel(self, x, y):
        at = 3 * (y * self.width + x)
        return tuple(self.pixels[at:at + 3])

    def mean_brightness(self):
        return sum(self.pixels) / len(self.pixels)


def screenshot(window, keep_as=None):
    """Captures a window; keep_as, a PNG path, keeps a copy for a person to look at."""
    dump = subprocess.run(["xwd", "-silent", "-id", window], check=True,
                          capture_output=True).stdout
    ppm = subprocess.run(["convert", "xwd:-", "ppm:-"], input=dump, check=True,
                         capture_output=True).stdout
    if keep_as:
        os.makedirs(os.path.dirname(keep_as), exist_ok=True)
        subprocess.run(["convert", "xwd:-", keep_as], input=dump, check=True)
    return Picture(ppm)


def copy_runtime_folder(build_dir, target):
    """A private copy of the run-time folder: programs linked, data copied. The programs come
    from KESTRIVON_PROGRAM_DIR when it is set (the sanitizer build has no data of its own)."""
    shutil.copytree(os.path.join(build_dir, "data"), os.path.join(target, "data"))
    program_dir = os.environ.get("KESTRIVON_PROGRAM_DIR", build_dir)
    for program in ("kestrivon", "kestrivon-console"):
        if os.path.exists(os.path.join(program_dir, program)):
            os.symlink(os.path.join(program_dir, program), os.path.join(target, program))
    return target


SANITIZER_REPORTS = ("ERROR: AddressSanitizer", "runtime error:", "ERROR: LeakSanitizer")


def sanitizer_report(lines):
    report = [line for line in lines if any(mark in line for mark in SANITIZER_REPORTS)]
    if report:
        raise AssertionError("sanitizer report: %s" % report[:5])


def read_level(path, with_start):
    """The numbers of a level file: grid[y][x], the tutorial's start and the spawn points."""
    numbers = open(path).read().split()
    width, height, _ = int(numbers[0]), int(numbers[1]), int(numbers[2])
    cells = [int(n) for n in numbers[3:3 + width * height]]
    grid = [cells[y * width:(y + 1) * width] for y in range(height)]
    rest = numbers[3 + width * height:]
    start = None
    if with_start:
        start = (int(rest[0]), int(rest[1]), float(rest[2]))
        rest = rest[3:]
    count = int(rest[1])
    spawns = [(int(rest[2 + 2 * i]), int(rest[3 + 2 * i])) for i in range(count)]
    return grid, start, spawns


NORTH, EAST, SOUTH, WEST = (0, -1), (1, 0), (0, 1), (-1, 0)
TURN_LEFT = {EAST: NORTH, NORTH: WEST, WEST: SOUTH, SOUTH: EAST}
TURN_RIGHT = {v: k for k, v in TURN_LEFT.items()}


def walkable(grid, cell):
    x, y = cell
    if not (1 <= y < len(grid) and 1 <= x < len(grid[0])):
        return False
    # Floor, and door cells (all doors start open in these tests).
    return grid[y][x] == 0 or grid[y][x] == 8


def route(grid, start, goals):
    """The shortest list of cells from start to the nearest of goals (start excluded)."""
    previous = {start: None}
    frontier = [start]
    while frontier:
        following = []
        for cell in frontier:
            if cell in goals:
                path = []
                while cell != start:
                    path.append(cell)
                    cell = previous[cell]
                return path[::-1]
            for dx, dy in (NORTH, EAST, SOUTH, WEST):
                nxt = (cell[0] + dx, cell[1] + dy)
                if nxt not in previous and walkable(grid, nxt):
                    previous[nxt] = cell
                    following.append(nxt)
        frontier = following
    raise AssertionError("no route from %s to %s" % (start, goals))


def keys_to_use(grid, position, facing, target):
    """Keys that walk from position to a cell beside target and face it, then use it; returns
    the keys as ("turn", key) / ("step", key) / ("use", key), the end position and facing."""
    beside = {(target[0] - dx, target[1] - dy): (dx, dy) for dx, dy in (NORTH, EAST, SOUTH, WEST)}
    moves = []
    for cell in route(grid, position, set(beside)):
        wanted = (cell[0] - position[0], cell[1] - position[1])
        moves += turns(facing, wanted)
        facing = wanted
        moves.append(("step", "w"))
        position = cell
    moves += turns(facing, beside[position])
    facing = beside[position]
    moves.append(("use", "e"))
    return moves, position, facing


def turns(facing, wanted):
    if facing == wanted:
        return []
    if TURN_LEFT[facing] == wanted:
        return [("turn", "a")]
    if TURN_RIGHT[facing] == wanted:
        return [("turn", "d")]
    return [("turn", "d"), ("turn", "d")]


class Lines:
    """Collects the lines a process writes on a stream, in a thread, for waiting on them."""

    def __init__(self, stream):
        import queue
        import threading
        self.queue = queue.Queue()
        self.seen = []
        threading.Thread(target=self._read, args=(stream,), daemon=True).start()

    def _read(self, stream):
        for line in stream:
            self.queue.put(line.rstrip("\n"))
        self.queue.put(None)

    def wait_for(self, predicate, timeout, what):
        """The first new line that satisfies predicate; lines before it are kept in seen."""
        import queue
        deadline = time.time() + timeout
        while True:
            left = deadline - time.time()
            try:
                line = self.queue.get(timeout=max(left, 0.01))
            except queue.Empty:
                line = ""
                if left <= 0:
                    raise AssertionError("timed out waiting for %s; last lines: %s"
                                         % (what, self.seen[-8:]))
                continue
            if line is None:
                raise AssertionError("stream ended while waiting for %s; last lines: %s"
                                     % (what, self.seen[-8:]))
            self.seen.append(line)
            if predicate(line):
                return line

    def drain(self):
        import queue
        while True:
            try:
                line = self.queue.get_nowait()
            except queue.Empty:
                return
            if line is not None:
                self.seen.append(line)


class Game:
    """The real game, its standard output (line-buffered by the game itself) collected."""

    def __init__(self, folder):
        self.errors = os.path.join(folder, "game-errors.log")
        with open(self.errors, "w") as errors:
            self.process = subprocess.Popen([os.path.join(folder, "kestrivon")],
                                            cwd=folder, env=environment(),
                                            stdout=subprocess.PIPE, stderr=errors, text=True)
        self.trace = Lines(self.process.stdout)
        try:
            self.window = find_window("Kestrivon", pid=self.process.pid)
        except AssertionError as failure:
            stop(self.process)
            with open(self.errors) as errors:
                raise AssertionError("%s; the game said: %s" % (failure, errors.read()[-2000:]))

    def click(self, x, y):
        """Moves the pointer onto (x, y) first: a press on an idle widget only hovers it."""
        xdotool("mousemove", "--window", self.window, x, y)
        time.sleep(0.3)
        xdotool("mousemove", "--window", self.window, x + 1, y)
        time.sleep(0.3)
        xdotool("click", 1)
        time.sleep(0.3)

    def type(self, text):
        xdotool("windowfocus", "--sync", self.window)
        xdotool("type", text)
        time.sleep(0.3)

    def key(self, name):
        xdotool("windowfocus", "--sync", self.window)
        xdotool("key", name)

    def join(self, address):
        """From the main page: "Joining", the address into "IP :", Enter, "Join"."""
        self.click(300, 320)
        self.click(480, 320)
        # The box keeps what was typed for an earlier game.
        xdotool("key", "--repeat", 15, "BackSpace")
        self.type(address)
        self.key("Return")
        time.sleep(0.3)
        self.click(300, 380)

    def submit_name(self, name):
        """On the end-of-game page: the name into "Name :", Enter, "Submit"."""
        self.click(480, 320)
        self.type(name)
        self.key("Return")
        time.sleep(0.3)
        self.click(200, 440)

    def back_home_from_stats(self):
        self.click(200, 620)

    def stop(self):
        stop(self.process)
        with open(self.errors) as errors:
            sanitizer_report(errors)


class Console:
    """kestrivon-console in script mode, fed line by line from the test."""

    def __init__(self, folder, *arguments):
        self.process = subprocess.Popen(
            [os.path.join(folder, "kestrivon-console"), "--script", "-", *arguments],
            cwd=folder, env=environment(), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=subprocess.PIPE, text=True)
        self.events = Lines(self.process.stdout)
        self.log = Lines(self.process.stderr)

    def send(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()

    def expect(self, prefix, timeout=10.0):
        try:
            return self.events.wait_for(lambda line: line.startswith(prefix), timeout,
                                        repr(prefix))
        except AssertionError as failure:
            self.log.drain()
            raise AssertionError("%s; the console said: %s" % (failure, self.log.seen[-6:]))

    def stop(self):
        if self.process.poll() is None:
            try:
                self.send("quit")
                self.process.wait(timeout=5)
            except (BrokenPipeError, subprocess.TimeoutExpired):
                pass
        stop(self.process)
        time.sleep(0.2)
        self.log.drain()
        sanitizer_report(self.log.seen)
