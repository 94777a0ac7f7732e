#!/usr/bin/env python3
"""The console's links as a phone's camera reads them: the QR code printed under each link, drawn
as a terminal shows it, gives back exactly that link; without --qr, output that is no terminal
gets the plain links only."""

import os
import re
import subprocess
import sys
import tempfile

import kestrivon_e2e as e2e

# Each character of a code's line is one module wide and two tall: (top dark, bottom dark).
HALVES = {" ": (0, 0), "\u2584": (0, 1), "\u2580": (1, 0), "\u2588": (1, 1)}
LINK = re.compile(r"^(operator|watch): (http://\S+)$")


def decode(lines, path, scale=4):
    """Draws the code's lines as black on white pixels (scale by scale a module), then reads it."""
    rows = []
    for line in lines:
        text = re.sub(r"\x1b\[[0-9;]*m", "", line)
        rows += [[HALVES[c][half] for c in text] for half in (0, 1)]
    pixels = bytearray()
    for row in rows:
        line = bytes(0 if dark else 255 for dark in row for _ in range(scale))
        pixels += line * scale
    with open(path, "wb") as image:
        image.write(b"P5 %d %d 255\n" % (len(rows[0]) * scale, len(rows) * scale) + pixels)
    read = subprocess.run(["zbarimg", "--raw", "-q", path], capture_output=True, text=True)
    assert read.returncode == 0, "zbarimg read no code in %s: %s" % (path, read.stderr)
    return read.stdout.strip()


def printed(folder, *options):
    """The lines the web console prints before the empty line that ends its links."""
    with e2e.Program(folder, "kestrivon-console", "--web", "--bind", "127.0.0.1",
                     *options) as console:
        e2e.wait_until("the end of the links", lambda: "" in console.output.all)
        lines = console.output.all[:console.output.all.index("")]
    return lines[next(i for i, line in enumerate(lines) if LINK.match(line)):]


def main(build_dir):
    with tempfile.TemporaryDirectory() as folder:
        e2e.copy_runtime_folder(build_dir, folder)
        lines = printed(folder, "--qr")
        starts = [i for i, line in enumerate(lines) if LINK.match(line)]
        assert [LINK.match(lines[i]).group(1) for i in starts] == ["operator", "watch"], lines
        for number, (start, end) in enumerate(zip(starts, starts[1:] + [len(lines)])):
            url = LINK.match(lines[start]).group(2)
            got = decode(lines[start + 1:end], os.path.join(folder, "code%d.pgm" % number))
            assert got == url, "the code under %s reads %s" % (url, got)
        plain = printed(folder)
        assert len(plain) == 2 and all(LINK.match(line) for line in plain), plain
    print("invite: ok")


if __name__ == "__main__":
    main(sys.argv[1])
