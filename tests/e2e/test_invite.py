#!/usr/bin/env -S /usr/bin/python3
"""The console's watch and operator links as a phone's camera reads them, from the three places
they are shown: the terminal (the code under each link, drawn as a terminal shows it), the
operator window (W) and the operator's page (Invite). Each code gives back exactly its link; W
and Invite show the watch link, and output that is no terminal gets the plain links only."""

import os
import re
import subprocess
import sys
import tempfile

import kestrivon_e2e as e2e
from test_console import Page

# Each character of a code's line is one module wide and two tall: (top dark, bottom dark).
HALVES = {" ": (0, 0), "\u2584": (0, 1), "\u2580": (1, 0), "\u2588": (1, 1)}
LINK = re.compile(r"^(operator|watch): (http://\S+)$")


def read_codes(path):
    """The texts of the QR codes zbarimg finds in a picture, none when it finds none."""
    read = subprocess.run(["zbarimg", "--raw", "-q", path], capture_output=True, text=True)
    assert read.returncode in (0, 4), "zbarimg failed on %s: %s" % (path, read.stderr)
    return read.stdout.split()


def drawn(lines, path, scale=4):
    """Draws a code's lines as black on white pixels, scale by scale a module, into path."""
    rows = []
    for line in lines:
        text = re.sub(r"\x1b\[[0-9;]*m", "", line)
        rows += [[HALVES[c][half] for c in text] for half in (0, 1)]
    with open(path, "wb") as image:
        image.write(b"P5 %d %d 255\n" % (len(rows[0]) * scale, len(rows) * scale))
        for row in rows:
            image.write(bytes(0 if dark else 255 for dark in row for _ in range(scale)) * scale)
    return path


def links_of(console):
    """The lines the web console prints before the empty line that ends its links."""
    e2e.wait_until("the end of the links", lambda: "" in console.output.all)
    lines = console.output.all[:console.output.all.index("")]
    return lines[next(i for i, line in enumerate(lines) if LINK.match(line)):]


def main(build_dir):
    with tempfile.TemporaryDirectory() as folder:
        e2e.copy_runtime_folder(build_dir, folder)
        with e2e.Program(folder, "kestrivon-console", "--web", "--window", "--qr", "--bind",
                         "127.0.0.1", status=-15) as console:
            lines = links_of(console)
            starts = [i for i, line in enumerate(lines) if LINK.match(line)]
            links = dict(LINK.match(lines[i]).groups() for i in starts)
            assert list(links) == ["operator", "watch"], lines
            for start, end in zip(starts, starts[1:] + [len(lines)]):
                url = LINK.match(lines[start]).group(2)
                picture = drawn(lines[start + 1:end], os.path.join(folder, "terminal.pgm"))
                assert read_codes(picture) == [url], "the terminal's code under " + url

            window = e2e.find_window("Kestrivon Operator", console.process.pid)
            e2e.screenshot(window, "invite-before.png")
            assert read_codes("screenshots/invite-before.png") == [], "a code before W"
            e2e.xdotool("windowfocus", "--sync", window, "key", "w")
            e2e.wait_until("the window's code", lambda: read_codes(
                e2e.screenshot(window, "invite-window.png") and "screenshots/invite-window.png"))
            assert read_codes("screenshots/invite-window.png") == [links["watch"]]

            with Page(os.path.join(folder, "profile")) as page:
                page.get(links["operator"])
                page.press("#invite-button")
                page.wait("the invitation", lambda _: page.execute_script(
                    "const code = document.querySelector('#invite img');"
                    "return code && code.complete && code.naturalWidth > 0;"))
                page.keep("invite-page.png", 480, 900)
                assert read_codes("screenshots/invite-page.png") == [links["watch"]]

        with e2e.Program(folder, "kestrivon-console", "--web", "--bind", "127.0.0.1") as plain:
            lines = links_of(plain)
            assert len(lines) == 2 and all(LINK.match(line) for line in lines), lines
    print("invite: ok")


if __name__ == "__main__":
    main(sys.argv[1])
