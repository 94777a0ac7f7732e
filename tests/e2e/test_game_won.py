#!/usr/bin/env python3
"""One game won from end to end, as two people would play it: the player joins from the menu,
the console starts the tutorial, the player walks a planned route, takes the five objects and
uses the exit, the console ends the game with its figures, the player submits a name and the
score table is rewritten with the entry ranked where its total belongs. Then the player joins
again and a second game starts."""

import os
import re
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kestrivon_e2e as e2e

STEP_SECONDS = 0.625
BILLS = 1000


def check_picture(picture, stage):
    assert picture.mean_brightness() > 3, "%s: the picture is blank" % stage


def play(game, console, folder, shots):
    grid, start, _ = e2e.read_level(os.path.join(folder, "data/level/Tutorial.txt"), True)
    exit_line = game.trace.wait_for(lambda line: "[LEVEL] Exit Door at :(" in line, 15,
                                    "the exit trace")
    exit_cell = tuple(int(n) for n in re.findall(r"-?\d+", exit_line)[-2:])
    game.trace.wait_for(lambda line: line.startswith("[LEVEL] Player at :("), 5, "the start")

    # Keep the monster still: a shock paralyses it for two turns, renewed after every step.
    console.send("shock noreboot")
    e2e.pause(10.5)
    check_picture(e2e.screenshot(game.window, os.path.join(shots, "view.png")), "view")
    picture = e2e.screenshot(game.window)
    assert max(picture.pixel(1100, 600)) > 10, "the Geiger counter is not in its place"

    objects = {grid[y][x]: (x, y) for y in range(len(grid)) for x in range(len(grid[0]))
               if 3 <= grid[y][x] <= 7}
    assert sorted(objects) == [3, 4, 5, 6, 7]
    position, facing = (start[0], start[1]), e2e.EAST
    steps = 0
    for target in [objects[v] for v in sorted(objects)] + [exit_cell]:
        moves, position, facing = e2e.keys_to_use(grid, position, facing, target)
        for kind, key in moves:
            game.key(key)
            if kind == "step":
                steps += 1
                console.expect("moved %d" % steps, 10)
                console.send("shock noreboot")
                e2e.pause(0.2)
            elif kind == "turn":
                e2e.pause(0.9)
        value = grid[target[1]][target[0]] if target != exit_cell else 24
        console.expect("interaction %d" % value, 10)
        if target != exit_cell:
            grid[target[1]][target[0]] = 2


def main(build_dir):
    with tempfile.TemporaryDirectory() as folder:
        e2e.copy_runtime_folder(build_dir, folder)
        shots = os.path.join(build_dir, "screenshots", "game_won")
        console = e2e.Console(folder)
        game = None
        try:
            game = e2e.Game(folder)
            time.sleep(1.0)
            check_picture(e2e.screenshot(game.window, os.path.join(shots, "menu.png")), "menu")
            game.join("127.0.0.1")
            console.send("wait-join 15")
            console.expect("joined", 20)
            console.send("load 0")
            play(game, console, folder, shots)

            console.send("end %d 1 2 3 4 5 6" % BILLS)
            console.expect("disconnected", 10)
            time.sleep(1.0)
            check_picture(e2e.screenshot(game.window, os.path.join(shots, "end.png")), "end")

            game.submit_name("TESTER")
            time.sleep(0.5)
            lines = open(os.path.join(folder, "data/Score.txt")).read().split("\n")
            assert len(lines) == 61 and lines[60] == "", "the table is not five entries"
            # 7135.19 for five objects, less the bills: ranked first of the shipped table.
            assert lines[0] == "TESTER", lines[:12]
            assert lines[1] == "5" and lines[9] == "5" and float(lines[10]) == 6135.19, lines[:12]
            assert float(lines[11]) == BILLS

            # The page after a submit is the statistics page; its back button leads home, from
            # where the player joins the next game.
            game.back_home_from_stats()
            game.join("127.0.0.1")
            console.send("wait-join 15")
            console.expect("joined", 20)
            console.send("load 1")
            game.trace.wait_for(lambda line: line.startswith("[LEVEL] Player at :("), 15,
                                "the second game")
        finally:
            console.stop()
            if game:
                game.stop()
    print("game won: ok")


if __name__ == "__main__":
    main(sys.argv[1])
