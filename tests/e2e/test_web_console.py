#!/usr/bin/env -S /usr/bin/python3
"""The operator's console in a real browser: headless Chromium opens the page that
`kestrivon-console --web` serves while the real game, joined on Xvfb, plays the tutorial. The
operator starts the tutorial, sees the player's first step, closes door 1 with a tap on the
plan and scans with the S key; a dropped connection comes back by itself; a watch link shows the
same plan and cannot act; the operator ends the game; a wrong key gets nothing."""

import os
import re
import subprocess
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kestrivon_e2e as e2e  # noqa: E402

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


class Page:
    """One headless Chromium with a fresh profile."""

    def __init__(self, profile):
        options = webdriver.ChromeOptions()
        for flag in CHROMIUM_FLAGS + ("--user-data-dir=" + profile,):
            options.add_argument(flag)
        self.driver = webdriver.Chrome(options=options)

    def find(self, selector):
        return self.driver.find_element(By.CSS_SELECTOR, selector)

    def classes(self, selector="body"):
        return self.find(selector).get_attribute("class").split()

    def log(self):
        return [item.text for item in self.driver.find_elements(By.CSS_SELECTOR, "#log li")]

    def plan(self):
        """The plan's text for screen readers, less the monster mark's age (a late step ages it)."""
        return re.sub(r"\d+ steps ago", "", self.find("#plan").get_attribute("aria-label"))

    def press(self, selector):
        button = self.find(selector)
        e2e.wait_until("%s enabled" % selector, button.is_enabled)
        button.click()


def play(page, game):
    e2e.wait_until("the game to join", lambda: "game connected" in page.find("#status").text, 30)
    page.press('[data-level="0"]')
    e2e.wait_until("the tutorial chosen", lambda: "chosen" in page.classes('[data-level="0"]'))
    page.press('[data-action="start"]')
    game.expect("[LEVEL] Player at :(", 15)
    # The player stands frozen while the lights come up: W until the page logs a step.
    e2e.wait_until("the first step in the page's log", lambda: game.key("w") or any(
        "player moved (step 1)" in line for line in page.log()), 30)

    # Door 1 is the first door cell in reading order, at (5;2) in the tutorial.
    x, y = page.driver.execute_script(FIND_OPEN_DOOR)
    ActionChains(page.driver).move_to_element_with_offset(page.find("#plan"), x + 4, y + 4) \
        .click().perform()
    game.expect("Closing door (5;2)", 15)
    e2e.wait_until("door 1 shown closed", lambda: "closed" in page.classes('[data-door="1"]'))

    assert "monster not scanned" in page.plan()
    ActionChains(page.driver).send_keys("s").perform()
    e2e.wait_until("the monster on the plan", lambda: "monster at column" in page.plan())
    assert page.find("#f-scan").text == "1", "scan count %s" % page.find("#f-scan").text


def drop_network(page):
    """Every connection to the web port is cut, as when a phone loses its network: the page says
    so, comes back by itself and shows the whole state again."""
    log = page.log()
    subprocess.run(["ss", "-K", "dport", "=", "8080"], check=True, capture_output=True)
    e2e.wait_until("the page to see the drop", lambda: "reconnecting" in page.classes(), 5)
    e2e.wait_until("the page to come back", lambda: "reconnecting" not in page.classes())
    # A late step of the player's may add a line meanwhile; nothing shown before is lost.
    assert page.log()[:len(log)] == log, "the log after reconnecting: %s" % page.log()[-3:]
    assert "monster at column" in page.plan(), "the monster went missing"


def main(build_dir):
    with tempfile.TemporaryDirectory() as folder:
        e2e.copy_runtime_folder(build_dir, folder)
        with e2e.Program(folder, "kestrivon-console", "--web") as console, \
                e2e.Game(folder) as game:
            links = {role: console.expect(role + ": http://127.0.0.1:").split(": ", 1)[1]
                     for role in ("operator", "watch")}
            page = Page(os.path.join(folder, "profile"))
            try:
                page.driver.get(links["operator"])
                game.join("127.0.0.1")
                play(page, game)
                drop_network(page)
                errors = [entry["message"] for entry in page.driver.get_log("browser")
                          if entry["level"] == "SEVERE"]
                assert not errors, "the page failed: %s" % errors

                operator_plan = page.plan()
                page.driver.switch_to.new_window("tab")
                page.driver.get(links["watch"])
                e2e.wait_until("the watch page's plan", lambda: page.plan() == operator_plan)
                assert "watch" in page.classes()
                controls = page.driver.find_elements(By.CSS_SELECTOR,
                                                     "[data-action], [data-object], [data-level]")
                assert not any(button.is_displayed() and button.is_enabled() for button in controls)
                page.driver.close()
                page.driver.switch_to.window(page.driver.window_handles[0])

                page.press('[data-action="end"]')
                game.expect("Total : ", 15)
                e2e.wait_until("the result",
                               lambda: "ended by the operator" in page.find("#banner").text)

                page.driver.get(re.sub(r"=[0-9a-f]+$", "=" + "0" * 32, links["operator"]))
                e2e.wait_until("the refusal", lambda: "refused" in page.classes())
                assert not page.log(), "a refused page shows the log"
            finally:
                page.driver.quit()
    print("web console: ok")


if __name__ == "__main__":
    main(sys.argv[1])
