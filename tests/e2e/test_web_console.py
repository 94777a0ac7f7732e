#!/usr/bin/env -S /usr/bin/python3
"""The operator's console in a real browser: headless Chromium opens the page that
`kestrivon-console --web` serves while the real game, joined on Xvfb, plays the tutorial. The
operator chooses the level, starts it, sees the player's first step, closes door 1 with a tap on
the plan, scans with the S key and ends the game from the page; a dropped connection comes back
by itself; a watch link shows the same plan and cannot act; a wrong key gets nothing."""

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
WEB_PORT = 8080
PHONE = (390, 844)
LAPTOP = (1280, 800)
# The plan's colours, as style.css defines them.
MONSTER_RGB = (0xff, 0x78, 0x20)
OPEN_DOOR_RGB = (0x34, 0xb4, 0x54)

# The plan is a picture, so the test looks at it: how many canvas pixels have one colour, and
# the first of them in reading order, in CSS pixels from the canvas's top left corner.
FIND_COLOUR = """
const [r, g, b] = arguments[0];
const canvas = document.getElementById("plan");
const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
const found = [];
for (let i = 0; i < data.length; i += 4)
    if (Math.abs(data[i] - r) < 8 && Math.abs(data[i + 1] - g) < 8 && Math.abs(data[i + 2] - b) < 8)
        found.push(i / 4);
const scale = window.devicePixelRatio;
const first = found.length ? found[0] : 0;
return [found.length, (first % canvas.width) / scale, Math.floor(first / canvas.width) / scale];
"""

def monster_pixels(page):
    return page.driver.execute_script(FIND_COLOUR, MONSTER_RGB)[0]


def plan_described(canvas):
    """The plan's text for screen readers, less the monster mark's age (a late step ages it)."""
    return re.sub(r"\d+ steps ago", "", canvas.get_attribute("aria-label"))


def tap_first_door(page):
    """A tap a few pixels inside the top left corner of the first open door on the plan."""
    canvas = page.driver.find_element(By.ID, "plan")
    count, x, y = page.driver.execute_script(FIND_COLOUR, OPEN_DOOR_RGB)
    assert count > 0, "no open door on the plan"
    ActionChains(page.driver).move_to_element_with_offset(
        canvas, x + 4 - canvas.size["width"] / 2, y + 4 - canvas.size["height"] / 2).click().perform()


class Browser:
    """One headless Chromium with a fresh profile."""

    def __init__(self, profile):
        options = webdriver.ChromeOptions()
        for flag in CHROMIUM_FLAGS + ("--user-data-dir=" + profile,):
            options.add_argument(flag)
        self.driver = webdriver.Chrome(options=options)

    def open(self, url, size):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": size[0], "height": size[1], "deviceScaleFactor": 1, "mobile": size[0] < 600})
        self.driver.get(url)

    def text(self, element_id):
        return self.driver.find_element(By.ID, element_id).text

    def log(self):
        return [item.text for item in self.driver.find_elements(By.CSS_SELECTOR, "#log li")]

    def press(self, selector):
        button = self.driver.find_element(By.CSS_SELECTOR, selector)
        e2e.wait_until("%s enabled" % selector, button.is_enabled)
        button.click()

    def body_classes(self):
        return self.driver.find_element(By.TAG_NAME, "body").get_attribute("class").split()

    def errors(self):
        return [entry["message"] for entry in self.driver.get_log("browser")
                if entry["level"] == "SEVERE"]


class WebConsole:
    """kestrivon-console --web, with the links it prints."""

    def __init__(self, folder):
        self.process = e2e.start(folder, "kestrivon-console", "--web")
        self.output = e2e.Lines(self.process.stdout)
        self.log = e2e.Lines(self.process.stderr)
        self.links = {role: self.output.wait_for(role + ": http://127.0.0.1:").split(": ", 1)[1]
                      for role in ("operator", "watch")}

    def stop(self):
        e2e.stop(self.process)
        self.log.drain()
        e2e.sanitizer_report(self.log.seen)


def play(page, game, console):
    page.open(console.links["operator"], LAPTOP)
    e2e.wait_until("the game to join", lambda: "game connected" in page.text("status"), 30)
    page.press('[data-level="0"]')
    e2e.wait_until("the tutorial chosen", lambda: "chosen" in page.driver.find_element(
        By.CSS_SELECTOR, '[data-level="0"]').get_attribute("class"))
    page.press('[data-action="start"]')
    game.trace.wait_for("[LEVEL] Player at :(", 15)

    # The player stands frozen while the lights come up: W until a step is reported.
    def stepped():
        game.key("w")
        return any("player moved (step 1)" in line for line in page.log())
    e2e.wait_until("the first step in the page's log", lambda: stepped() or None, 30)

    # Door 1 is the first door cell in reading order, at (5;2) in the tutorial.
    tap_first_door(page)
    game.trace.wait_for("Closing door (5;2)", 15)
    e2e.wait_until("door 1 shown closed", lambda: "closed" in page.driver.find_element(
        By.CSS_SELECTOR, '[data-door="1"]').get_attribute("class"))

    assert monster_pixels(page) == 0, "a monster before any scan"
    ActionChains(page.driver).send_keys("s").perform()
    e2e.wait_until("the monster on the plan", lambda: monster_pixels(page) > 20)
    assert page.text("f-scan") == "1", "scan count %s" % page.text("f-scan")


def drop_network(page):
    """Every connection to the web port is cut, as when a phone loses its network: the page says
    so, comes back by itself and shows the whole state again."""
    log = page.log()
    subprocess.run(["ss", "-K", "dport", "=", str(WEB_PORT)], check=True, capture_output=True)
    e2e.wait_until("the page to see the drop", lambda: "reconnecting" in page.body_classes(), 5)
    e2e.wait_until("the page to come back", lambda: "reconnecting" not in page.body_classes())
    # A late step of the player's may add a line meanwhile; nothing shown before is lost.
    assert page.log()[:len(log)] == log, "the log after reconnecting: %s" % page.log()[-3:]
    assert monster_pixels(page) > 20, "the monster went missing"


def watch(browser, console, operator_plan):
    browser.open(console.links["watch"], PHONE)
    plan = browser.driver.find_element(By.ID, "plan")
    e2e.wait_until("the watch page's plan", lambda: plan_described(plan) == operator_plan)
    assert "watch" in browser.body_classes()
    controls = browser.driver.find_elements(By.CSS_SELECTOR,
                                            "[data-action], [data-object], [data-level]")
    assert not any(button.is_displayed() and button.is_enabled() for button in controls)


def wrong_key(browser, console):
    browser.open(re.sub(r"=[0-9a-f]+$", "=" + "0" * 32, console.links["operator"]), PHONE)
    e2e.wait_until("the refusal", lambda: "refused" in browser.body_classes())
    assert browser.text("status") == "connecting to the console" and not browser.log()


def main(build_dir):
    with tempfile.TemporaryDirectory() as folder:
        e2e.copy_runtime_folder(build_dir, folder)
        console = WebConsole(folder)
        game = page = None
        try:
            page = Browser(os.path.join(folder, "profile"))
            game = e2e.Game(folder)
            game.join("127.0.0.1")
            play(page, game, console)
            drop_network(page)
            errors = page.errors()
            assert not errors, "the page failed: %s" % errors

            operator_plan = plan_described(page.driver.find_element(By.ID, "plan"))
            page.driver.switch_to.new_window("tab")
            watch(page, console, operator_plan)
            page.driver.close()
            page.driver.switch_to.window(page.driver.window_handles[0])

            page.press('[data-action="end"]')
            game.trace.wait_for("Total : ", 15)
            e2e.wait_until("the result", lambda: "ended by the operator" in page.text("banner"))

            wrong_key(page, console)
        finally:
            if page:
                page.driver.quit()
            if game:
                game.stop()
            console.stop()
    print("web console: ok")


if __name__ == "__main__":
    main(sys.argv[1])
