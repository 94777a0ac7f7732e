#!/usr/bin/env python3
"""The game as a player starts it. The Debian package (lintian finds no error or warning in it),
unpacked into a private root: its launcher starts the game from a private XDG_DATA_HOME holding a
copy of the shipped score table and links to the installed data; on its menu, on a 4:3 screen, a
player goes to Settings, Controls, rebinds "Up :" to Q, back, Full Screen (scaled between black
bars, clicks still on their rows), back, and Quit ends the game cleanly. A second start, through
both launchers with only HOME set, keeps the table: the console in solo mode starts the game that
joins it. A run folder that cannot be made is named. A missing or damaged track or effect: status 1
at the first such file in load order, named."""

import contextlib
import glob
import os
import pathlib
import subprocess
import sys
import tempfile

import kestrivon_e2e as e2e

WIDTH, HEIGHT = 1280, 720
LABEL = (163, 181, 203)
ACTIVE = (150, 220, 255)
LAUNCHER = "usr/games/kestrivon"
# Audio files removed, files damaged, what the error stream names, what it does not.
BROKEN_AUDIO = ((["music/Layer3.wav", "sfx/Bip.wav"], [], "Layer3.wav", "Bip.wav"),
                (["sfx/Bip.wav"], ["music/MenuMusic.wav"], "invalid", "Bip.wav"))


def near(colour, target, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, target))


def rows_with_labels(picture, tops, left=150, right=400):
    """Which rows show more than 40 pixels of the label colour: text, outlines, knobs."""
    return [sum(near(picture.pixel(x, y), LABEL) for y in range(top + 5, top + 35)
                for x in range(left, right)) > 40 for top in tops]


# What each page shows, read from a screenshot.
def main_page(p):
    return rows_with_labels(p, [300, 360, 420, 480, 540]) == [True] * 4 + [False] \
        and not near(p.pixel(729, 320), LABEL)


def settings_page(p):
    knobs = near(p.pixel(730, 320), LABEL) and near(p.pixel(730, 380), LABEL)
    return knobs and rows_with_labels(p, [420, 480, 540, 600]) == [True, True, True, False]


def controls_page(p, listening=False):
    outlines = [p.pixel(379, top + 20) for top in (300, 360, 420, 480)]
    first = ACTIVE if listening else LABEL
    return near(outlines[0], first, 12) and all(near(o, LABEL, 12) for o in outlines[1:]) \
        and rows_with_labels(p, [540], right=260) == [True]


class Player:
    """Looks at and clicks the game's 1280 by 720 picture, wherever a window of size puts it."""

    def __init__(self, window, size=(WIDTH, HEIGHT)):
        self.window = window
        self.scale = min(size[0] / WIDTH, size[1] / HEIGHT)
        self.left = round((size[0] - WIDTH * self.scale) / 2)
        self.top = round((size[1] - HEIGHT * self.scale) / 2)

    def look(self, name=None):
        crop = "%dx%d+%d+%d" % (round(WIDTH * self.scale), round(HEIGHT * self.scale),
                                self.left, self.top)
        return e2e.screenshot(self.window, name,
                              ["-crop", crop, "+repage", "-resize", "%dx%d!" % (WIDTH, HEIGHT)])

    def at(self, x, y):
        return round(self.left + x * self.scale), round(self.top + y * self.scale)

    def wait_for(self, page, name):
        with contextlib.suppress(AssertionError):
            e2e.wait_until(page.__name__, lambda: page(self.look()), 5)
        picture = self.look(name)
        assert page(picture), "expected %s, see screenshots/%s" % (page.__name__, name)
        return picture

    def click(self, x, y, then, name):
        e2e.click(self.window, *self.at(x, y))
        return self.wait_for(then, name)


def package(build_dir):
    with tempfile.TemporaryDirectory() as work:
        subprocess.run(["cpack", "-B", work], cwd=build_dir, check=True, capture_output=True)
        package = glob.glob(os.path.join(work, "kestrivon_*_amd64.deb"))[0]
        subprocess.run(["lintian", "--fail-on", "error,warning", package], check=True)
        root = os.path.join(work, "root")
        subprocess.run(["dpkg-deb", "-x", package, root], check=True)
        # The fonts come from a package it depends on, installed on this machine.
        os.symlink("/usr/share/fonts", os.path.join(root, "usr/share/fonts"))
        home = os.path.join(work, "home")
        share = os.path.join(home, ".local", "share")
        table = os.path.join(share, "kestrivon", "data", "Score.txt")

        # The menu on a 4:3 screen of its own, where full screen has bars.
        subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1600x1200x24 -nolisten tcp -noreset",
                        sys.executable, __file__, "--menu", root, share], check=True)
        assert open(table).read() == open(os.path.join(
            root, "usr/share/games/kestrivon/data/Score.txt")).read(), "not the shipped table"
        assert os.path.realpath(os.path.join(share, "kestrivon", "data", "level")) == \
            os.path.realpath(os.path.join(root, "usr/share/games/kestrivon/data/level"))

        changed = open(table).read().replace("VESNA", "TESTER", 1)
        open(table, "w").write(changed)
        alone = {"HOME": home, "XDG_DATA_HOME": None}
        with e2e.Program(root, "usr/games/kestrivon-console", "--solo", "--bind", "127.0.0.1",
                         **alone) as console, e2e.Game(root, program=LAUNCHER, **alone) as game:
            game.join("127.0.0.1")
            console.expect("started Tutorial (2 doors)")
            game.expect("[LEVEL] Player at :(", 15)
        assert open(table).read() == changed, "a second start replaced the user's table"

        environment = dict(os.environ, XDG_DATA_HOME=os.path.join(table, "nowhere"))
        refused = subprocess.run([os.path.join(root, "usr/games/kestrivon-console"), "--solo"],
                                 env=environment, capture_output=True, text=True, timeout=20)
        assert refused.returncode == 1 and "cannot prepare the run folder" in refused.stderr, refused


def broken_audio(build_dir):
    for missing, damaged, named, not_named in BROKEN_AUDIO:
        with tempfile.TemporaryDirectory() as folder:
            e2e.copy_runtime_folder(build_dir, folder)
            for name in missing:
                pathlib.Path(folder, "data", name).unlink()
            for name in damaged:
                pathlib.Path(folder, "data", name).write_bytes(b"RIFF\x10\x00\x00\x00WAVEjunk" * 4)
            with e2e.Program(folder, "kestrivon", status=1) as game:
                game.process.wait(timeout=30 * e2e.PACE)
                errors = "\n".join(game.errors.drain())
            assert named in errors and not_named not in errors, errors


def menu(root, home):
    with e2e.Game(root, program=LAUNCHER, XDG_DATA_HOME=home, status=0) as game:
        assert e2e.screenshot(game.window).size == (WIDTH, HEIGHT)
        player = Player(game.window)
        e2e.xdotool("mousemove", "--window", game.window, 1000, 650)
        player.wait_for(main_page, "menu-main.png")

        player.click(300, 380, settings_page, "menu-settings.png")
        before = player.click(300, 440, controls_page, "menu-controls.png")
        player.click(450, 320, lambda p: controls_page(p, listening=True), "menu-controls-listening.png")
        e2e.xdotool("key", "q")
        after = player.wait_for(controls_page, "menu-controls-rebound.png")
        # The backdrop drifts and flickers between two pictures; the key names do not.
        def key_text(picture, top):
            return {(x, y) for y in range(top + 5, top + 35) for x in range(395, 440)
                    if near(picture.pixel(x, y), LABEL)}
        assert key_text(before, 300) != key_text(after, 300), "\"Up :\" still shows its old key"
        assert key_text(before, 360) == key_text(after, 360), "the \"Left :\" key changed"

        player.click(200, 560, settings_page, "menu-settings-again.png")
        # "Full Screen" re-creates the window.
        e2e.click(player.window, *player.at(300, 500))
        window = e2e.find_window("Kestrivon", game.process.pid, other_than=player.window)
        picture = e2e.screenshot(window)
        player = Player(window, picture.size)
        # 1600 by 1200 takes the picture at 1600 by 900, between two bars of 150 rows.
        assert (player.left, player.top) == (0, 150), picture.size
        assert {picture.pixel(x, y) for x in range(0, 1600, 40) for y in (0, 149, 1050, 1199)} \
            == {(0, 0, 0)}, "the bars are not black"
        player.wait_for(settings_page, "full-screen-settings.png")
        player.click(200, 560, main_page, "full-screen-main.png")
        # Quit: the window closes at the next event (here the button's release) and the game
        # ends normally.
        e2e.click(player.window, *player.at(300, 500))
        game.process.wait(timeout=10 * e2e.PACE)


if __name__ == "__main__" and sys.argv[1] == "--menu":
    menu(*sys.argv[2:])
elif __name__ == "__main__":
    package(sys.argv[1])
    broken_audio(sys.argv[1])
    print("start: ok")
