#!/usr/bin/env python3
"""Full screen on a display without a 1280 by 720 mode (Xvfb has one mode, the screen's own):
the picture is scaled to the screen and centred between bars, and a click on a menu row still
hits that row. The player turns full screen on from Settings, goes Back and quits."""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kestrivon_e2e as e2e
import test_menu as menu

WIDTH, HEIGHT = 1280, 720


class Letterbox:
    """Where the 1280 by 720 picture lies in a window of the given size."""

    def __init__(self, width, height):
        self.scale = min(width / WIDTH, height / HEIGHT)
        self.left = round((width - WIDTH * self.scale) / 2)
        self.top = round((height - HEIGHT * self.scale) / 2)

    def screen(self, x, y):
        return round(self.left + x * self.scale), round(self.top + y * self.scale)

    def picture(self, window):
        """The window's screenshot cut to the picture and brought back to 1280 by 720."""
        dump = subprocess.run(["xwd", "-silent", "-id", window], check=True,
                              capture_output=True).stdout
        crop = "%dx%d+%d+%d" % (round(WIDTH * self.scale), round(HEIGHT * self.scale),
                                self.left, self.top)
        ppm = subprocess.run(["convert", "xwd:-", "-crop", crop, "+repage", "-resize",
                              "%dx%d!" % (WIDTH, HEIGHT), "ppm:-"], input=dump, check=True,
                             capture_output=True).stdout
        return e2e.Picture(ppm)


def wait_for(page, look, timeout=10.0):
    deadline = time.time() + timeout
    while not page(look()):
        assert time.time() < deadline, "expected %s" % page.__name__
        time.sleep(0.1)


def main(build_dir):
    with e2e.running(build_dir, "kestrivon") as game:
        window = e2e.find_window("Kestrivon", pid=game.pid)
        player = menu.Player(build_dir, window)
        player.point(1000, 650)
        player.wait_for(menu.main_page, "full-screen-main.png")
        player.click(300, 380, menu.settings_page, "full-screen-settings.png")
        # "Full Screen" re-creates the window.
        player.point(300, 500)
        e2e.xdotool("click", "1")
        e2e.pause(1.0)
        window = e2e.find_window("Kestrivon", pid=game.pid)
        size = e2e.window_size(window)
        assert size != (WIDTH, HEIGHT), "the display offers 1280 by 720: nothing to scale"
        box = Letterbox(*size)

        def click(x, y):
            """Clicks the picture's pixel (x, y), moving onto it first as a player would."""
            for dx in (0, 1):
                e2e.xdotool("mousemove", "--window", window, *box.screen(x + dx, y))
                time.sleep(0.15)
            e2e.xdotool("click", "1")

        wait_for(menu.settings_page, lambda: box.picture(window))
        click(200, 560)
        wait_for(menu.main_page, lambda: box.picture(window))
        e2e.screenshot(window, os.path.join(build_dir, "screenshots", "full-screen.png"))
        click(300, 500)
        assert game.wait(timeout=10) == 0, "Quit in full screen did not end the game cleanly"
    print("full screen: ok")


if __name__ == "__main__":
    main(sys.argv[1])
