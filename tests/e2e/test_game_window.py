#!/usr/bin/env python3
"""The game started from the run-time folder opens its 1280 by 720 window titled "Kestrivon",
and reaches the menu."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kestrivon_e2e as e2e


def main(build_dir):
    game = e2e.start(build_dir, "kestrivon")
    try:
        window = e2e.find_window("Kestrivon", pid=game.pid)
        assert e2e.window_size(window) == (1280, 720), e2e.window_size(window)
        time.sleep(1.0)
        assert game.poll() is None, "the game ended on its own"
        picture = e2e.screenshot(window, os.path.join(build_dir, "screenshots", "start.png"))
        assert (picture.width, picture.height) == (1280, 720)
    finally:
        e2e.stop(game)
    print("game window: ok")


if __name__ == "__main__":
    main(sys.argv[1])
