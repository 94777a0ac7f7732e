#!/usr/bin/env python3
"""Two games from end to end. Won: the player joins a console bound to 127.0.0.2 (deaf on
127.0.0.1) whose script, fed as the game goes, starts the tutorial and shocks the monster after
every step; the player takes the five objects and uses the exit, the console ends the game with
its figures and the submitted name ranks first of the shipped score table. Lost: a console script
read from a file closes a door on the player's cell. Then solo mode starts the next join's game."""

import errno
import os
import re
import socket
import subprocess
import sys
import tempfile

import kestrivon_e2e as e2e

BILLS = 1000
# The end-of-game page's "Submit" leads to the statistics page, whose "Back" leads home.
SUBMIT, BACK = (200, 440), (200, 620)
# The shipped tutorial from its start, (1;1) facing east: W steps, A and D turn, E uses. The keys
# to take objects 3 to 7 in turn, then to use the exit the level drew among its two. Each route
# starts with a step and follows each turn with a step or a use, which tell when the turn ended.
TAKING_KEYS = "wdeawwdwawwwedwdwawwawedwdwwdwawwawdedwdwwwwdwae"
EXIT_KEYS = {(9, 1): "awawdwwdwwwawe", (1, 7): "awawwwwawwdwe"}
USES = ["interaction %d" % value for value in (3, 4, 5, 6, 7, 24)]
# From the start round object 3 to door 2 at (2;4): the cell of the door reads as floor while the
# player stands in it. The console closes it after the sixth step.
CRUSHING_KEYS = "wwdwwdwaw"
CRUSHING_SCRIPT = "wait-join 30\nload 0\nshock noreboot\nexpect moved 6 within 120\nclose 2\n" \
    "expect lost\nend\nquit\n"

# The end-of-game page's figures, a row each from y = 200 on, the digit from x = 1000: doors opened,
# doors closed, scans, detections, shocks, reboots, steps, loot.
CRUSHED_FIGURES = "01001060"


# Whether the rows' digits look alike where the figures are alike, and differ elsewhere.
def figures_shown(picture, figures):
    digits = [{(x, y) for y in range(34) for x in range(1000, 1030)
               if sum(picture.pixel(x, 200 + 40 * row + y)) > 300} for row in range(8)]
    return all((len(a ^ b) <= 10) == (figures[i] == figures[j])
               for i, a in enumerate(digits) for j, b in enumerate(digits))


# Presses each key once the one before it is done. The player takes no key while frozen as the
# lights come up, nor while turning: a step is pressed until the game reports it, then its end
# awaited; a use until the console reports it (pressed again, it meets a spent cell); a turn once,
# as the player stands still.
def play(game, console, keys, uses=(), after_step=lambda: None):
    game.expect("[LEVEL] Player at :(", 15)
    steps, uses = 0, iter(uses)
    for key in keys:
        if key == "w":
            steps += 1
            game.press_until(key, game.output, "[Player] Position")
            console.expect("moved %d" % steps)
            after_step()
        elif key == "e":
            game.press_until(key, console.output, next(uses))
        else:
            game.key(key)


def won(game, console, folder):
    console.send("wait-join 30")
    console.errors.wait_for("waiting for the game on 127.0.0.2:3000")
    with socket.socket() as probe:
        assert probe.connect_ex(("127.0.0.1", 3000)) == errno.ECONNREFUSED, "also on 127.0.0.1"
    game.join("127.0.0.2")
    console.expect("joined", 30)
    console.send("load 0")
    exit_line = game.expect("[LEVEL] Exit Door at :(", 15)
    keys = TAKING_KEYS + EXIT_KEYS[tuple(int(n) for n in re.findall(r"\d+", exit_line)[-2:])]
    # A shock keeps the monster still for two turns: renewed after every step.
    console.send("shock noreboot")
    play(game, console, keys, USES, lambda: console.send("shock noreboot"))
    console.send("end %d 1 2 3 4 5 6" % BILLS)
    console.expect("disconnected")
    table = os.path.join(folder, "data/Score.txt")
    shipped = open(table).read()
    game.enter("TESTER", SUBMIT)
    lines = e2e.wait_until("the table rewritten", lambda: (
        text := open(table).read()) != shipped and text.split("\n"), 5)
    assert len(lines) == 61 and lines[60] == "", "the table is not five entries"
    # 7135.19 for five objects, less the bills: ranked first of the shipped table.
    assert lines[:2] == ["TESTER", "5"] and lines[9] == "5" and float(lines[10]) == 6135.19 \
        and float(lines[11]) == BILLS, lines[:12]


def crushed(game, console):
    console.expect("joined", 20)
    play(game, console, CRUSHING_KEYS)
    console.expect("lost")
    assert console.process.wait(timeout=10 * e2e.PACE) == 0, "the script did not run to its end"
    game.expect("Total : ")
    # The end-of-game trace may share the line: its total has no line end.
    assert sum(line.endswith("lose") for line in game.output.all) == 1, game.output.all[-10:]
    assert "Closing door (2;4)" in game.output.all
    e2e.wait_until("the game's figures on the end-of-game page", lambda: figures_shown(
        e2e.screenshot(game.window), CRUSHED_FIGURES), 5)
    e2e.screenshot(game.window, "lost.png")


def main(build_dir):
    with tempfile.TemporaryDirectory() as folder:
        e2e.copy_runtime_folder(build_dir, folder)
        open(os.path.join(folder, "crush.script"), "w").write(CRUSHING_SCRIPT)
        with e2e.Game(folder) as game:
            with e2e.Program(folder, "kestrivon-console", "--script", "-", "--bind", "127.0.0.2",
                             stdin=subprocess.PIPE) as console:
                won(game, console, folder)
            with e2e.Program(folder, "kestrivon-console", "--script", "crush.script") as console:
                game.click(*BACK)
                game.join("127.0.0.1")
                crushed(game, console)
            # Solo mode, in the console scripts/play starts, plays the operator's part: the
            # tutorial for the game that joins.
            with e2e.Program(folder, "kestrivon-console-solo", "--solo", "--bind",
                             "127.0.0.1") as solo:
                game.enter("LOSER", SUBMIT)
                game.click(*BACK)
                game.join("127.0.0.1")
                solo.expect("started Tutorial (2 doors)")
                game.expect("[LEVEL] Player at :(", 15)
    print("games: ok")


if __name__ == "__main__":
    main(sys.argv[1])
