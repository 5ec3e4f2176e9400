#!/usr/bin/python3
"""The chat page in headless Chromium, served by velk serve: the greeting, a
line and its reply, a reload that carries on the conversation, markup typed in
shown as text, Escape during a reveal, the end of a conversation and a fresh
start, all without script errors or refusals by the page's security policy.

  /usr/bin/python3 tests/web_page_test.py path/to/velk-serve [ARGUMENT...]

Replies are random, so what the page shows is compared with the records the
service keeps. With VELK_PAGE_SCREENSHOT=picture.png set, a picture of the
page with a long reply showing is saved there as well.
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.request

from selenium import webdriver
from selenium.common.exceptions import NoAlertPresentException, WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

MARKUP = "<img src=x onerror=alert(1)>"
LONG_LINE = ("my favourite thing is walking with my grandmother Margaret along the windy cliffs "
             "of Cornwall every single Sunday morning before breakfast while the seagulls "
             "scream overhead and the fishermen haul their nets")


def start_server(command, folder):
    """Starts the service on a free port; returns the process and its address."""
    notes = os.path.join(folder, "serve.err")
    with open(notes, "wb") as stderr:
        process = subprocess.Popen(
            command + ["--listen", "127.0.0.1:0", "--db", os.path.join(folder, "velk.db")],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=stderr, cwd=folder)
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        with open(notes, "rb") as f:
            text = f.read().decode(errors="replace")
        found = re.search(r"listening on (http://[0-9.]+:[0-9]+)", text)
        if found:
            return process, found[1]
        if process.poll() is not None:
            raise AssertionError(f"the server ended ({process.returncode}): {text}")
        time.sleep(0.05)
    process.kill()
    raise AssertionError("the server never said where it listens")


def stop_server(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def start_browser(folder):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage",
                     f"--user-data-dir={os.path.join(folder, 'chromium')}",
                     "--window-size=900,700"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    # An alert must stay open for the test to find it, not be dismissed quietly.
    options.unhandled_prompt_behavior = "ignore"
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def said(records):
    """The log as the page should show these records."""
    return [("You: " if r.startswith("USER:>") else "Velk: ") + r[6:] for r in records]


class Page:
    def __init__(self, driver, base):
        self.driver = driver
        self.base = base

    def api(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        with urllib.request.urlopen(request, timeout=10) as response:
            return json.load(response)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def conversation_id(self):
        return self.js("return localStorage.getItem('velk.conversation')")

    def state(self):
        return self.js("""
            const $ = (id) => document.getElementById(id);
            return {reply: $('reply').textContent, status: $('status').textContent,
                    input: $('line').value, disabled: $('line').disabled,
                    log: Array.from(document.querySelectorAll('#log li'), (li) => li.textContent)};
        """)

    def conversation(self):
        return self.api("GET", f"/api/conversations/{self.conversation_id()}")

    def wait(self, what, probe, timeout=10):
        """Polls probe() until it returns something true; returns that."""
        deadline = time.monotonic() + timeout
        while True:
            value = probe()
            if value:
                return value
            if time.monotonic() > deadline:
                raise AssertionError(f"{what}; the page shows {self.state()}")
            time.sleep(0.02)

    def settled(self, records):
        """Waits until the page shows the conversation as the service keeps it,
        holding at least `records` records; returns the records."""
        def shown():
            if not self.conversation_id():
                return None
            kept = self.conversation()["records"]
            state = self.state()
            last = [r[6:] for r in kept if r.startswith("VELK:>")][-1]
            return (len(kept) >= records and state["log"] == said(kept) and state["reply"] == last
                    and kept)
        return self.wait(f"the page never showed {records} records whole", shown)

    def say(self, line):
        """Types a line, presses Enter and waits for the reply shown whole."""
        before = len(self.conversation()["records"])
        self.driver.find_element(By.ID, "line").send_keys(line, Keys.ENTER)
        records = self.settled(before + 2)
        assert self.state()["input"] == "", "the input was not cleared"
        return records

    def escape_during_reveal(self):
        """Sends lines until one's reply is caught early in its reveal; Escape
        must then show it whole at once, long before the reveal would."""
        for attempt in range(12):
            before = len(self.conversation()["records"])
            self.driver.find_element(By.ID, "line").send_keys(f"tell me more {attempt}", Keys.ENTER)

            def under_way():
                kept = self.conversation()["records"]
                state = self.state()
                # The line in the log: the page has the answer and reveals it.
                if len(kept) < before + 2 or state["log"][-1] != f"You: tell me more {attempt}":
                    return None
                reply, shown = kept[-1][6:], state["reply"]
                return reply.startswith(shown) and (reply, shown)
            reply, shown = self.wait("the reply's reveal never showed", under_way)
            # A tick shows one more character, a blank coming along free.
            ticks_left = len(reply[len(shown):].replace(" ", ""))
            if ticks_left < 8:
                self.settled(before + 2)
                continue
            self.driver.find_element(By.ID, "line").send_keys(Keys.ESCAPE)
            self.wait("Escape did not show the reply whole",
                      lambda: self.state()["reply"] == reply, timeout=0.1)
            self.settled(before + 2)
            return
        raise AssertionError("no reply was long enough to catch its reveal")


def run(page, screenshot):
    driver = page.driver
    driver.get(page.base + "/")
    records = page.settled(1)
    first = page.conversation_id()
    assert re.fullmatch(r"[0-9a-f]{32}", first), first

    page.say("hello Velk, how are you")

    driver.refresh()
    page.settled(len(records) + 2)
    assert page.conversation_id() == first, "the reload started another conversation"
    page.say("what do you like doing")

    page.say(MARKUP)
    assert MARKUP in "".join(page.state()["log"])
    for place in ("#log", "#reply"):
        assert not driver.find_elements(By.CSS_SELECTOR, f"{place} img"), f"markup ran in {place}"
    try:
        driver.switch_to.alert
        raise AssertionError("an alert opened")
    except NoAlertPresentException:
        pass

    page.escape_during_reveal()

    line = driver.find_element(By.ID, "line")
    before = len(page.conversation()["records"])
    line.send_keys("exit", Keys.ENTER)
    page.wait("the ended conversation left the input open",
              lambda: page.state()["disabled"] and page.state()["status"])
    ended = page.conversation()
    # The line that ends the conversation is not kept, nor shown.
    assert ended["ended"] and len(ended["records"]) == before, ended
    assert page.state()["log"] == said(ended["records"]), page.state()

    driver.find_element(By.ID, "afresh").click()
    page.wait("New conversation kept the old one", lambda: page.conversation_id() != first)
    page.settled(1)
    state = page.state()
    assert len(state["log"]) == 1 and not state["disabled"] and not state["status"], state

    try:
        logged = driver.get_log("browser")
    except (WebDriverException, AttributeError):
        logged = []  # this driver keeps no console log
    faults = [entry["message"] for entry in logged
              if entry["level"] == "SEVERE" or "Content Security Policy" in entry["message"]]
    assert not faults, faults

    if screenshot:
        # A known conversation that ends in a long reply, the last line typed
        # on the page itself.
        seeded = page.api("POST", "/api/conversations", {"seed": 1})["id"]
        for typed in (LONG_LINE, LONG_LINE):
            page.api("POST", f"/api/conversations/{seeded}/lines", {"line": typed})
        page.js("localStorage.setItem('velk.conversation', arguments[0])", seeded)
        # The viewport itself, whatever the headless window adds around it.
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 720, "height": 480, "deviceScaleFactor": 1, "mobile": False})
        driver.refresh()
        page.settled(5)
        page.say("what about Cornwall")
        driver.save_screenshot(screenshot)


def main():
    command = sys.argv[1:]
    if not command:
        sys.exit(__doc__)
    command[0] = os.path.abspath(command[0])
    folder = tempfile.mkdtemp(prefix="velk-page-")
    server = driver = None
    try:
        server, base = start_server(command, folder)
        driver = start_browser(folder)
        started = time.monotonic()
        run(Page(driver, base), os.environ.get("VELK_PAGE_SCREENSHOT"))
        print(f"web page test passed in {time.monotonic() - started:.1f} s")
    except BaseException:
        with open(os.path.join(folder, "serve.err"), "rb") as notes:
            sys.stderr.write("velk serve said:\n" + notes.read().decode(errors="replace")[-4000:])
        raise
    finally:
        if driver is not None:
            driver.quit()
        if server is not None:
            stop_server(server)
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
