#!/usr/bin/env python3
"""The game opens its 1280 by 720 window titled "Kestrivon" on its menu, and a player walks it
with the mouse and keyboard: Settings, Controls, rebinds "Up :" to Q, back, Full Screen: on a
display without a 1280 by 720 mode (Xvfb has only the screen's own) the picture is scaled to
the screen and centred between bars, and clicks still hit their rows: Back, then Quit ends the
game cleanly. Every page is captured into build/screenshots and checked by its pixels."""

import contextlib
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kestrivon_e2e as e2e

WIDTH, HEIGHT = 1280, 720
LABEL = (163, 181, 203)
ACTIVE = (150, 220, 255)


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
    """Looks at and clicks the game's 1280 by 720 picture, wherever full screen puts it."""

    def __init__(self, window):
        self.letterbox(window, (WIDTH, HEIGHT))

    def letterbox(self, window, size):
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
        """Points at a widget, clicks it and waits for the page it leads to."""
        e2e.click(self.window, *self.at(x, y))
        return self.wait_for(then, name)


def main(build_dir):
    with e2e.Game(build_dir) as game:
        assert e2e.window_size(game.window) == (WIDTH, HEIGHT), e2e.window_size(game.window)
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
        e2e.pause(1.0)
        window = e2e.find_window("Kestrivon", game.process.pid)
        size = e2e.window_size(window)
        assert size != (WIDTH, HEIGHT), "the display offers 1280 by 720: nothing to scale"
        player.letterbox(window, size)
        player.wait_for(settings_page, "full-screen-settings.png")
        player.click(200, 560, main_page, "full-screen-main.png")
        # Quit: the window closes at the next event (here the button's release) and the game
        # ends normally.
        e2e.click(player.window, *player.at(300, 500))
        assert game.process.wait(timeout=10 * e2e.PACE) == 0, "the game did not end cleanly after Quit"
    print("menu: ok")


if __name__ == "__main__":
    main(sys.argv[1])
