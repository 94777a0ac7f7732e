#!/usr/bin/env python3
"""The monster catching the player, on a small corridor level put in place of the tutorial, with
the console in solo mode: the five-second death sequence counts down, the game is lost and solo
mode ends it by itself."""

import os
import re
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kestrivon_e2e as e2e
from test_games import play

CORRIDOR = "7 3\n1\n1 1 1 1 1 1 1\n1 0 0 0 0 9 1\n1 1 1 1 1 1 1\n1 1 0.0\n1\n1\n4 1\n"


class SoloLog(e2e.Lines):
    """The solo console's log, answering the expectations play() has of a script's events."""

    def expect(self, event):
        self.wait_for(lambda line: "player moved (step %s)" % event.split()[1] in line)


def main(build_dir):
    with tempfile.TemporaryDirectory() as folder:
        e2e.copy_runtime_folder(build_dir, folder)
        with open(os.path.join(folder, "data/level/Tutorial.txt"), "w") as level:
            level.write(CORRIDOR)
        with e2e.running(folder, "kestrivon-console", "--solo", "--bind", "127.0.0.1") as console:
            log = SoloLog(console.stdout)
            log.wait_for(lambda line: "waiting for the game" in line)
            game = e2e.Game(folder)
            try:
                game.join("127.0.0.1")
                # The monster waits at (4;1): the first step shows the player to it, the second
                # brings it onto the player's cell.
                play(game, log, "ww")
                game.trace.wait_for("[Monstre] Position : (3;1)", 5)
                game.trace.wait_for(lambda line: line.endswith("lose"))
                countdown = [float(line) for line in game.trace.seen
                             if re.fullmatch(r"-?\d+(\.\d+)?(e-?\d+)?", line)]
                assert countdown and countdown[0] > 4.9 and countdown[-1] <= 0.2, countdown[:3]
                log.wait_for(lambda line: "the player died: game lost" in line)
                log.wait_for(lambda line: "end of game sent" in line)
            finally:
                game.stop()
    print("solo caught: ok")


if __name__ == "__main__":
    main(sys.argv[1])
