"""Shared helpers for the end-to-end tests: start the real programs from the run-time folder,
find their windows on the X display, drive them with xdotool and read screenshots."""

import os
import shutil
import subprocess
import time


def environment():
    env = dict(os.environ)
    env["ALSOFT_DRIVERS"] = "null"
    return env


def start(build_dir, program, *arguments, stdout=subprocess.PIPE):
    """Starts a program of the run-time folder with its working directory there."""
    return subprocess.Popen([os.path.join(build_dir, program), *arguments], cwd=build_dir,
                            env=environment(), stdout=stdout, stderr=subprocess.PIPE,
                            text=True)


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


def find_window(name, pid=None, timeout=15.0):
    """The id of the visible window titled exactly name (of pid, when given)."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        command = ["xdotool", "search", "--onlyvisible", "--name", "^%s$" % name]
        if pid is not None:
            command[2:2] = ["--pid", str(pid)]
        found = subprocess.run(command, capture_output=True, text=True).stdout.split()
        if found:
            window = found[0]
            xdotool("windowmove", window, 0, 0)
            return window
        time.sleep(0.2)
    raise AssertionError("no window named %r appeared" % name)


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
    """A private copy of the run-time folder: programs linked, data copied."""
    shutil.copytree(os.path.join(build_dir, "data"), os.path.join(target, "data"))
    for program in ("kestrivon", "kestrivon-console"):
        if os.path.exists(os.path.join(build_dir, program)):
            os.symlink(os.path.join(build_dir, program), os.path.join(target, program))
    return target
