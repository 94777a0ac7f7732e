#!/usr/bin/env -S /usr/bin/python3
"""The console from the operator's side. Its command line: a busy port or bad arguments end it
with status 2 and a reason. Its window, with a real game: Start, the plan's wall and door in their
colours, a click closing door 1, Scan, Locate, Shock until the player's lights go out, Power on,
End. Its web page in headless Chromium: the buttons and the note the console's state gives, Start,
the first step seen, door 1 closed with a tap on the plan, a scan with the S key, a door the level
lacks refused by the console; a dropped connection comes back by itself; a watch link shows the
same plan and cannot act; End; a wrong key gets nothing. The page is kept as a phone and a laptop
would show it, in build/screenshots. In solo mode on another web port, only a watch link, whose
page follows the game the console starts; SIGINT ends the console as cleanly as SIGTERM."""

import contextlib
import os
import re
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import traceback

from selenium import webdriver
from selenium.common.exceptions import StaleElementReferenceException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.support import expected_conditions as shown
from selenium.webdriver.support.wait import WebDriverWait

import kestrivon_e2e as e2e

# The port held by someone else, the arguments, what the console says (with status 2).
REFUSED = [(3000, "--script -", "port 3000 is in use: is another console running?\n"),
           (8080, "--web --bind 127.0.0.1", "web port 8080 is in use: is another console"),
           (None, "--bind nowhere --solo", "cannot listen on nowhere: not an IPv4 address")]
REFUSED += [(None, arguments, "usage:") for arguments in ("--frobnicate", "--seed x", "--hard",
            "--solo --script -", "--web --script -", "--web-port 8081", "--web --web-port 0")]


def refusals(folder):
    for port, arguments, reason in REFUSED:
        with socket.create_server(("127.0.0.1", port)) if port else contextlib.nullcontext():
            result = subprocess.run([os.path.join(folder, "kestrivon-console"),
                                     *arguments.split()], cwd=folder, input="quit\n",
                                    capture_output=True, text=True, timeout=20 * e2e.PACE)
        assert result.returncode == 2 and reason in result.stderr, (arguments, result)


WALL = (112, 116, 128)
OPEN_DOOR = (52, 180, 84)
CLOSED_DOOR = (206, 52, 52)
MAP_AREA = (12, 44, 776, 664)
# The shipped tutorial: 11 by 9 cells, door 1 at (5;2), object 3 at (2;2).
TUTORIAL, DOOR_1, OBJECT_3 = (11, 9), (5, 2), (2, 2)
# The centres of the action buttons, one column on the right.
START, SCAN, SHOCK, POWER_ON, END_GAME, LOCATE_3 = ((1154, 59 + 34 * row) for row in range(6))


def inside_cell(x, y):
    """A point just inside the top left corner of the plan's cell (x;y), clear of its label."""
    (left, top, area_width, area_height), (width, height) = MAP_AREA, TUTORIAL
    size = min(48, area_width // width, area_height // height)
    return (left + (area_width - size * width) // 2 + x * size + 6,
            top + (area_height - size * height) // 2 + y * size + 6)


def brightness(game):
    return sum(pixels := e2e.screenshot(game.window).pixels) / len(pixels)


def operator_window(folder):
    wall, door = inside_cell(0, 0), inside_cell(*DOOR_1)
    # Bound to the loopback, the console names that one address whatever the machine has. The
    # window has no handler for SIGTERM.
    with e2e.Program(folder, "kestrivon-console", "--seed", "3", "--bind", "127.0.0.1",
                     status=-15) as console, e2e.Game(folder, at=(0, 420)) as game:
        # The game sits below the action buttons and the plan's top rows, which the test reads.
        window = e2e.find_window("Kestrivon Operator", console.process.pid)
        game.join("127.0.0.1")
        console.expect("game connected from 127.0.0.1")
        e2e.click(window, *START)
        console.expect("started Tutorial (2 doors)")
        game.expect("[LEVEL] Player at :(")
        shot = e2e.screenshot(window, "console.png")
        assert [shot.pixel(*wall), shot.pixel(*door)] == [WALL, OPEN_DOOR], shot.pixel(*door)

        e2e.click(window, *door)
        game.expect("Closing door (%d;%d)" % DOOR_1)
        e2e.wait_until("door 1 shown closed",
                       lambda: e2e.screenshot(window).pixel(*door) == CLOSED_DOOR, 5)

        e2e.click(window, *SCAN)
        console.expect(lambda line: re.search(r"monster at \(\d+;\d+\)|monster is not in", line))
        e2e.click(window, *LOCATE_3)
        console.expect("object 3 at (%d;%d)" % OBJECT_3)

        # The lights are up when the player may first step: the lit view is the one after it.
        game.press_until("w", game.output, "[Player] Position")
        console.expect("player moved (step 1)")
        lit = brightness(game)
        for _ in range(20):
            e2e.click(window, *SHOCK)
            game.expect("Recive order to shock monster")
            if "POWER DOWN" in console.expect("shock"):
                break
        else:
            raise AssertionError("twenty shocks and no power down")
        # The player's lights go out with the plant and come back with the power.
        e2e.wait_until("the lights out", lambda: brightness(game) < lit / 2)
        e2e.click(window, *POWER_ON)
        console.expect(lambda line: line.endswith("power on"))
        e2e.wait_until("the lights back", lambda: brightness(game) > lit * 0.9)

        e2e.click(window, *END_GAME)
        game.expect("Total : ")


CHROMIUM_FLAGS = ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync")
# The plan is a picture: the first pixel of an open door's colour (style.css) in reading order,
# in CSS pixels from the canvas's centre.
FIND_OPEN_DOOR = """
const canvas = document.getElementById("plan"), size = canvas.getBoundingClientRect();
const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
for (let i = 0; i < data.length; i += 4)
    if (Math.abs(data[i] - 0x34) < 8 && Math.abs(data[i + 1] - 0xb4) < 8 && Math.abs(data[i + 2] - 0x54) < 8)
        return [(i / 4 % canvas.width) / devicePixelRatio - size.width / 2,
                Math.floor(i / 4 / canvas.width) / devicePixelRatio - size.height / 2];
"""


class Page(webdriver.Chrome):
    """One headless Chromium with a fresh profile, quit at the end of a with block."""

    def __init__(self, profile):
        options = webdriver.ChromeOptions()
        for flag in CHROMIUM_FLAGS + ("--user-data-dir=" + profile,):
            options.add_argument(flag)
        super().__init__(options=options)

    def find(self, selector):
        return self.find_element(By.CSS_SELECTOR, selector)

    def classes(self, selector="body"):
        return self.find(selector).get_attribute("class").split()

    def log(self):
        return [item.text for item in self.find_elements(By.CSS_SELECTOR, "#log li")]

    def plan(self):
        """The plan's text for screen readers, less the monster mark's age (a late step ages it)."""
        return re.sub(r"\d+ steps ago", "", self.find("#plan").get_attribute("aria-label"))

    def texts(self, selector):
        return [element.text for element in self.find_elements(By.CSS_SELECTOR, selector)
                if element.is_displayed()]

    # condition(page), retried by Selenium while false or its element missing or stale.
    def wait(self, what, condition, timeout=15):
        return WebDriverWait(self, timeout * e2e.PACE, 0.1, [StaleElementReferenceException]) \
            .until(condition, "timed out waiting for " + what)

    def press(self, selector):
        self.wait(selector + " enabled", shown.element_to_be_clickable((By.CSS_SELECTOR, selector)))\
            .click()

    def keep(self, name, width, height):
        """A screenshot at that window size once the plan is drawn to fit it."""
        self.set_window_size(width, height)
        self.execute_script("window.scrollTo(0, 0);")
        self.wait("the plan drawn at %dx%d" % (width, height), lambda _: self.execute_script(
            "const canvas = document.getElementById('plan');"
            "return canvas.width === Math.round(canvas.clientWidth * devicePixelRatio);"))
        os.makedirs("screenshots", exist_ok=True)
        assert self.save_screenshot(os.path.join("screenshots", name)), name


# The buttons the console's state gives the page: the levels by name, the tutorial's doors, the
# objects to locate; and the note before and after the game joins.
LEVEL_NAMES = ["Tutorial", "Simple Factory", "Storages Backrooms", "Endless Warehouse",
               "Factory Office", "Industrial Labyrinth", "Irradiated Powerplant"]
TUTORIAL_DOORS, OBJECTS = ["1", "2"], ["3", "4", "5", "6", "7"]
NO_GAME_NOTE = "Start needs a connected game."
DOORS_NOTE = "press its number (1-8)"


def controls(page, game):
    page.wait("the console's note", lambda _: page.find("#note").text == NO_GAME_NOTE)
    assert not page.find('[data-action="start"]').is_enabled(), "Start without a game"
    for selector, names in (("#levels b", LEVEL_NAMES), ("#doors b", TUTORIAL_DOORS),
                            ("#locate b", OBJECTS)):
        assert page.texts(selector) == names, page.texts(selector)
    game.join("127.0.0.1")
    page.wait("the game to join", lambda _: "game connected" in page.find("#status").text, 30)
    page.wait("the doors note", lambda _: DOORS_NOTE in page.find("#note").text)


def play(page, game):
    page.press('[data-level="0"]')
    page.wait("the tutorial chosen", lambda _: "chosen" in page.classes('[data-level="0"]'))
    page.press('[data-action="start"]')
    game.expect("[LEVEL] Player at :(", 15)
    # The player stands frozen while the lights come up: W until the page logs a step.
    page.wait("the first step in the page's log", lambda _: game.key("w") or any(
        "player moved (step 1)" in line for line in page.log()), 30)

    # Door 1 is the first door cell in reading order, at (5;2) in the tutorial.
    x, y = page.execute_script(FIND_OPEN_DOOR)
    ActionChains(page).move_to_element_with_offset(page.find("#plan"), x + 4, y + 4) \
        .click().perform()
    game.expect("Closing door (5;2)", 15)
    page.wait("door 1 shown closed", lambda _: "closed" in page.classes('[data-door="1"]'))

    assert "monster not scanned" in page.plan()
    ActionChains(page).send_keys("s").perform()
    page.wait("the monster on the plan", lambda _: "monster at column" in page.plan())
    assert page.find("#f-scan").text == "1", "scan count %s" % page.find("#f-scan").text


# The test's own way to the web port: cut() closes every connection made through it, as when a
# phone loses its network, and no one else's.
class Relay:
    def __init__(self, port):
        self.listener, self.port, self.ends = socket.create_server(("127.0.0.1", 0)), port, []
        threading.Thread(target=self._accept, daemon=True).start()

    def _accept(self):
        while True:
            ends = [self.listener.accept()[0], socket.create_connection(("127.0.0.1", self.port))]
            self.ends += ends
            for source, target in (ends, ends[::-1]):
                threading.Thread(target=pump, args=(source, target), daemon=True).start()

    def cut(self):
        for end in self.ends:
            with contextlib.suppress(OSError):
                end.shutdown(socket.SHUT_RDWR)


def pump(source, target):
    with contextlib.suppress(OSError):
        while data := source.recv(1 << 16):
            target.sendall(data)
        target.shutdown(socket.SHUT_WR)


def drop_network(page, relay):
    """The page says it lost the console, comes back by itself and shows the whole state again."""
    log = page.log()
    relay.cut()
    page.wait("the page to see the drop", lambda _: "reconnecting" in page.classes(), 5)
    page.wait("the page to come back", lambda _: "reconnecting" not in page.classes())
    # A late step of the player's may add a line meanwhile; nothing shown before is lost.
    assert page.log()[:len(log)] == log, "the log after reconnecting: %s" % page.log()[-3:]
    assert "monster at column" in page.plan(), "the monster went missing"
    errors = [entry["message"] for entry in page.get_log("browser") if entry["level"] == "SEVERE"]
    assert not errors, "the page failed: %s" % errors


# A part of the test whose failure is kept for the end: one failure hides none of the next parts.
@contextlib.contextmanager
def reported(failures, part):
    try:
        yield
    except Exception:
        failures.append("%s: %s" % (part, traceback.format_exc()))


def web_page(folder):
    failures = []
    with e2e.Program(folder, "kestrivon-console", "--web") as console, e2e.Game(folder) as game, \
            Page(os.path.join(folder, "profile")) as page:
        relay = Relay(8080)
        links = {role: console.expect(role + ": http://127.0.0.1:8080/").split(": ")[1].replace(
            ":8080/", ":%d/" % relay.listener.getsockname()[1]) for role in ("operator", "watch")}
        page.get(links["operator"])
        controls(page, game)
        play(page, game)
        page.keep("web-phone.png", 412, 915)
        page.keep("web-laptop.png", 1366, 800)
        with reported(failures, "a door the level lacks"):
            # A digit with no door button still goes out, and the console says why it refuses.
            ActionChains(page).send_keys("9").perform()
            page.wait("the refusal shown", lambda _: page.find("#toast").text ==
                      "door: door 9 does not exist: 1 to 8")
        with reported(failures, "the dropped connection"):
            drop_network(page, relay)
        with reported(failures, "the watch link"):
            operator_plan = page.plan()
            page.get(links["watch"])
            page.wait("the watch page's plan", lambda _: page.plan() == operator_plan)
            assert "watch" in page.classes()
            buttons = page.find_elements(By.CSS_SELECTOR, "main button")
            assert buttons and not any(button.is_enabled() for button in buttons)
        with reported(failures, "the end"):
            page.get(links["operator"])
            page.press('[data-action="end"]')
            game.expect("Total : ", 15)
            page.wait("the result", lambda _: "ended by the operator" in page.find("#banner").text)
        with reported(failures, "a wrong key"):
            page.get(re.sub(r"=[0-9a-f]+$", "=" + "0" * 32, links["operator"]))
            page.wait("the refusal", lambda _: "refused" in page.classes())
            assert not page.log(), "a refused page shows the log"
    assert not failures, "\n".join(failures)


def solo_web(folder):
    with e2e.Program(folder, "kestrivon-console", "--web", "--solo", "--web-port", "8090") \
            as console, e2e.Game(folder) as game, Page(os.path.join(folder, "solo")) as page:
        link = console.expect("watch: http://127.0.0.1:8090/#watch=").split(": ")[1]
        # The links come operator first.
        assert not [line for line in console.output.all if "operator" in line], "an operator link"
        page.get(link)
        game.join("127.0.0.1")
        page.wait("the console's start in the page", lambda _: "watch" in page.classes() and any(
            "started Tutorial (2 doors)" in line for line in page.log()), 30)
        console.process.send_signal(signal.SIGINT)
        console.process.wait(10 * e2e.PACE)


if __name__ == "__main__":
    with tempfile.TemporaryDirectory() as folder:
        e2e.copy_runtime_folder(sys.argv[1], folder)
        refusals(folder)
        operator_window(folder)
        web_page(folder)
        solo_web(folder)
    print("console: ok")
