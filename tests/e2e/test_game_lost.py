#!/usr/bin/env python3
"""Games lost both ways. A door closed on the player's cell: "lose" once, the console hears
PlayerLost, the menu shows the end-of-game page. The monster catching the player, on a small
corridor level put in place of the tutorial in a private run-time folder, with the console in
solo mode: the five-second death sequence runs, the game is lost, solo mode ends the game, and
the next join gets the first real level."""

import os
import re
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kestrivon_e2e as e2e

CORRIDOR = """7 3
1
1 1 1 1 1 1 1
1 0 0 0 0 9 1
1 1 1 1 1 1 1
1 1 0.0
1
1
4 1
"""


def wait_until_thawed(game):
    game.trace.wait_for(lambda line: line.startswith("[LEVEL] Player at :("), 15, "level start")
    e2e.pause(10.5)


def crushed_in_a_door(build_dir):
    with tempfile.TemporaryDirectory() as folder:
        e2e.copy_runtime_folder(build_dir, folder)
        console = e2e.Console(folder)
        game = None
        try:
            game = e2e.Game(folder)
            game.join("127.0.0.1")
            console.send("wait-join 15")
            console.expect("joined", 20)
            console.send("load 0")
            wait_until_thawed(game)
            console.send("shock noreboot")
            # From the tutorial's start, (1;1) facing east, to door 2 at (2;4): the cell of
            # the door reads as floor while the player stands in it.
            for key in ("d", "w", "w", "a", "w", "d", "w"):
                game.key(key)
                time.sleep(0.9)
            console.send("close 2")
            console.expect("lost", 10)
            time.sleep(1.0)
            game.trace.drain()
            # The end-of-game trace may share the line: its total has no line end.
            assert sum(line.endswith("lose") for line in game.trace.seen) == 1, \
                game.trace.seen[-10:]
            assert "Closing door (2;4)" in game.trace.seen
            shot = e2e.screenshot(game.window, os.path.join(build_dir, "screenshots",
                                                            "game_lost", "crushed.png"))
            assert shot.mean_brightness() > 3, "the end-of-game page is blank"
        finally:
            console.stop()
            if game:
                game.stop()


def caught_by_the_monster_in_solo(build_dir):
    with tempfile.TemporaryDirectory() as folder:
        e2e.copy_runtime_folder(build_dir, folder)
        with open(os.path.join(folder, "data/level/Tutorial.txt"), "w") as level:
            level.write(CORRIDOR)
        console = e2e.start(folder, "kestrivon-console", "--solo")
        game = None
        try:
            time.sleep(0.5)
            game = e2e.Game(folder)
            game.join("127.0.0.1")
            wait_until_thawed(game)
            # The monster waits at (4;1): the first step shows the player to it, the second
            # brings it onto the player's cell.
            game.key("w")
            time.sleep(0.9)
            game.key("w")
            caught = game.trace.wait_for(lambda line: line.startswith("[Monstre] Position : (3;1)"),
                                         5, "the monster's catch")
            assert caught
            started = time.time()
            game.trace.wait_for(lambda line: line.endswith("lose"), 10,
                                "the end of the death sequence")
            lasted = time.time() - started
            assert 4.0 < lasted < 8.0, "the death sequence lasted %.1f s" % lasted
            countdown = [float(line) for line in game.trace.seen
                         if re.fullmatch(r"-?\d+(\.\d+)?(e-?\d+)?", line)]
            assert countdown and countdown[0] > 4.9 and countdown[-1] <= 0.2, countdown[:3]

            # Solo mode ends the game by itself; the next join plays the first real level.
            time.sleep(2.0)
            game.submit_name("SOLO")
            game.back_home_from_stats()
            game.join("127.0.0.1")
            exit_line = game.trace.wait_for(lambda line: "[LEVEL] Exit Door at :(" in line, 20,
                                            "the second level")
            grid, _, _ = e2e.read_level(os.path.join(folder, "data/level/SimpleFactory.txt"), False)
            x, y = (int(n) for n in re.findall(r"-?\d+", exit_line)[-2:])
            assert grid[y][x] == 9, "the second game is not the first level"
        finally:
            e2e.stop(console)
            if game:
                game.stop()


def main(build_dir):
    crushed_in_a_door(build_dir)
    caught_by_the_monster_in_solo(build_dir)
    print("games lost: ok")


if __name__ == "__main__":
    main(sys.argv[1])
