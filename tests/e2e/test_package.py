#!/usr/bin/env python3
"""The Debian package: CPack builds it from the run-time folder, lintian finds no error in it, and
unpacked into a private root its launcher starts the game from a private XDG_DATA_HOME: the menu
appears, the user's score table is made there from the shipped one, the links reach the installed
data, and a second start keeps the table the user changed. A run folder that cannot be made is
named in one line."""

import glob
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kestrivon_e2e as e2e


def start_menu(root, home, keep_as):
    """Starts the installed game's launcher and waits for its menu."""
    with e2e.Game(root, program="usr/games/kestrivon", XDG_DATA_HOME=home) as game:
        e2e.pause(1.0)
        assert game.process.poll() is None, "the game ended"
        assert e2e.screenshot(game.window, keep_as).mean_brightness() > 10, "the menu is black"


def main(build_dir):
    with tempfile.TemporaryDirectory() as work:
        subprocess.run(["cpack", "-B", work], cwd=build_dir, check=True, capture_output=True)
        package = glob.glob(os.path.join(work, "kestrivon_*_amd64.deb"))[0]
        lint = subprocess.run(["lintian", "--fail-on", "error", package], capture_output=True,
                              text=True)
        assert lint.returncode == 0, "lintian: %s%s" % (lint.stdout, lint.stderr)
        root = os.path.join(work, "root")
        subprocess.run(["dpkg-deb", "-x", package, root], check=True)
        # The fonts come from a package it depends on, installed on this machine.
        os.symlink("/usr/share/fonts", os.path.join(root, "usr/share/fonts"))
        home = os.path.join(work, "home")
        table = os.path.join(home, "kestrivon", "data", "Score.txt")
        shipped = os.path.join(root, "usr/share/games/kestrivon/data/Score.txt")

        start_menu(root, home, "package-menu.png")
        assert open(table).read() == open(shipped).read(), "the table is not the shipped one"
        assert os.path.realpath(os.path.join(home, "kestrivon", "data", "level")) == \
            os.path.realpath(os.path.join(root, "usr/share/games/kestrivon/data/level"))

        changed = open(table).read().replace("VESNA", "TESTER", 1)
        open(table, "w").write(changed)
        start_menu(root, home, None)
        assert open(table).read() == changed, "a second start replaced the user's table"

        environment = dict(os.environ, XDG_DATA_HOME=os.path.join(table, "nowhere"))
        refused = subprocess.run([os.path.join(root, "usr/games/kestrivon-console"), "--solo"],
                                 env=environment, capture_output=True, text=True, timeout=20)
        assert refused.returncode == 1 and "cannot prepare the run folder" in refused.stderr, refused
    print("package: ok")


if __name__ == "__main__":
    main(sys.argv[1])
