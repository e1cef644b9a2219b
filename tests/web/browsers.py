"""The three browser engines the tests drive, behind one interface: Debian's Chromium
(its chromedriver, through Debian's Selenium), Firefox ESR (puppeteer-core over WebDriver
BiDi, firefox_bridge.mjs) and WebKitGTK (its WebKitWebDriver and MiniBrowser, through
Selenium, on a private Xvfb). Each starts with a fresh profile and a window of the size
asked; `console` gathers what the pages said, as {level: error|warning|info, message}.

Elements are named by a CSS selector, or by "xpath:EXPRESSION".
"""
import base64
import importlib.util
import json
import os
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
NODE_MODULES = os.path.join(HERE, "node_modules")
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
# What each engine needs, and where ./test installs it from.
NEEDS = {
    "chromium": [("/usr/bin/chromium", "chromium"), ("/usr/bin/chromedriver", "chromium-driver")],
    "firefox": [("/usr/bin/firefox-esr", "firefox-esr"),
                (os.path.join(NODE_MODULES, "puppeteer-core"), "npm ci in tests/web")],
    "webkit": [("/usr/bin/WebKitWebDriver", "webkit2gtk-driver"),
               (MINIBROWSER, "webkit2gtk-driver"),
               ("/usr/bin/Xvfb", "xvfb")],
}
# The accessibility audit, from the npm registry (package-lock.json; ./test installs it).
AXE = os.path.join(NODE_MODULES, "axe-core", "axe.min.js")
# Generous: a slow or busy machine makes a test slow, never failed.
PATIENCE = 240


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def missing(engine):
    """Why the engine cannot run here, or None."""
    for path, source in NEEDS[engine]:
        if not os.path.exists(path):
            return f"{path} is not installed (./test installs it: {source})"
    if engine != "firefox" and importlib.util.find_spec("selenium") is None:
        return "Debian's python3-selenium is not installed (./test installs it)"
    return None


# What the drivers say when a navigation takes the page away while a script runs in it
# (WebKit: "Callback was not called before the unload event"; puppeteer: "Execution
# context was destroyed").
GONE_UNDER_A_SCRIPT = ("unload", "context was destroyed")


class Browser:
    """What every engine's browser does the same way, on top of `run`."""

    # Whether `console` holds what a page says while it loads, or only from then on.
    console_from_start = True

    def __init__(self, width, height):
        self.size = (width, height)
        self.console = []

    def __enter__(self):
        self.profile = tempfile.TemporaryDirectory(prefix=f"scintle-{self.engine}-")
        self.downloads = os.path.join(self.profile.name, "downloads")
        os.makedirs(self.downloads)
        self.start()
        return self

    def __exit__(self, kind, value, trace):
        try:
            if kind is not None:
                # What the pages said, to tell why the test failed.
                self.read_console()
                for entry in self.console:
                    print(f"console {entry['level']}: {entry['message']}")
                print(f"at {self.url()}")
            self.stop()
        finally:
            self.profile.cleanup()

    def wait_for(self, script, what, timeout=PATIENCE, *args):
        """Waits until the script returns something true; returns it."""
        end = time.monotonic() + timeout
        while True:
            try:
                value = self.run(script, *args)
            except Exception as error:  # noqa: BLE001 (each driver has its own)
                if not any(words in str(error) for words in GONE_UNDER_A_SCRIPT):
                    raise
                value = None  # the page went away under the script: no answer yet
            if value:
                return value
            if time.monotonic() > end:
                raise Failure(f"waited {timeout} s for {what}")
            time.sleep(0.1)

    def console_errors(self):
        self.read_console()
        return [entry["message"] for entry in self.console if entry["level"] == "error"]

    def refusal(self):
        """The page's note of a refused entry or query, once it shows."""
        return self.wait_for("""const note = document.getElementById('refusal');
                                return !note.hidden && note.textContent;""", "a refusal")

    def audit(self, what):
        """Fails with what axe-core finds against WCAG 2.1 A and AA on the page as it is."""
        with open(AXE) as axe:
            self.run(axe.read())
        found = self.run(
            """const tags = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'];
               return axe.run(document, { runOnly: { type: 'tag', values: tags } })
                  .then((r) => r.violations.map((v) => `${v.id} at ${v.nodes[0].target}`));""")
        check(not found, f"{what} breaks accessibility rules in {self.engine}: {found}")

    def canvas_rgba(self, selector):
        """The canvas's pixels as RGBA bytes, and its size."""
        width, height, data = self.run(
            """const canvas = document.querySelector(arguments[0]);
               const pixels = canvas.getContext('2d')
                   .getImageData(0, 0, canvas.width, canvas.height).data;
               let text = '';
               for (let i = 0; i < pixels.length; i += 32768)
                   text += String.fromCharCode(...pixels.subarray(i, i + 32768));
               return [canvas.width, canvas.height, btoa(text)];""", selector)
        return width, height, base64.b64decode(data)


class SeleniumBrowser(Browser):
    def root_pid(self):
        """The process the browser's own processes descend from."""
        return self.driver.service.process.pid

    def stop(self):
        self.driver.quit()

    def get(self, url):
        self.read_console()
        self.driver.get(url)

    def url(self):
        return self.driver.current_url

    def run(self, script, *args):
        return self.driver.execute_script(script, *args)

    def find(self, locator):
        if locator.startswith("xpath:"):
            return self.driver.find_element("xpath", locator[6:])
        return self.driver.find_element("css selector", locator)

    def resize(self, width, height):
        self.driver.set_window_size(width, height)

    def click(self, locator):
        self.find(locator).click()

    def type_into(self, locator, text):
        element = self.find(locator)
        element.clear()
        element.send_keys(text)

    def press(self, locator, key):
        from selenium.webdriver.common.keys import Keys
        self.find(locator).send_keys(getattr(Keys, key.upper()))

    def property(self, locator, name):
        return self.find(locator).get_property(name)

    def keys(self, text):
        self.actions().send_keys(text).perform()

    def move_to(self, x, y):
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        builder = ActionBuilder(self.driver)
        builder.pointer_action.move_to_location(x, y)
        builder.perform()

    def move_by(self, dx, dy):
        self.actions().move_by_offset(dx, dy).perform()

    def click_here(self):
        self.actions().click().perform()

    def actions(self):
        from selenium.webdriver.common.action_chains import ActionChains
        return ActionChains(self.driver)

    def shot(self, folder, name):
        path = os.path.join(folder, name)
        self.driver.save_screenshot(path)
        return path

    def open_tab(self):
        self.tabs = getattr(self, "tabs", []) + [self.driver.current_window_handle]
        self.driver.switch_to.new_window("tab")

    def close_tab(self):
        self.driver.close()
        self.driver.switch_to.window(self.tabs.pop())


class ChromiumBrowser(SeleniumBrowser):
    engine = "chromium"

    def start(self):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service

        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     "--force-device-scale-factor=1",
                     f"--user-data-dir={self.profile.name}/profile",
                     f"--window-size={self.size[0]},{self.size[1]}"):
            options.add_argument(flag)
        options.add_experimental_option("prefs", {"download.default_directory": self.downloads,
                                                  "download.prompt_for_download": False})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": self.downloads})

    def read_console(self):
        levels = {"SEVERE": "error", "WARNING": "warning"}
        self.console += [{"level": levels.get(entry["level"], "info"), "message": entry["message"]}
                         for entry in self.driver.get_log("browser")]


# WebKitWebDriver keeps no console log, so a recorder goes into each page once it has
# loaded; what a page says while loading is not seen.
RECORDER = """if (!window.scintleConsole) {
    const record = window.scintleConsole = [];
    for (const [name, level] of [['error', 'error'], ['warn', 'warning']]) {
        const said = console[name];
        console[name] = (...parts) => { record.push({ level, message: parts.join(' ') });
                                        said.apply(console, parts); };
    }
    addEventListener('error', (e) => record.push({ level: 'error', message: e.message }));
    addEventListener('unhandledrejection',
                     (e) => record.push({ level: 'error', message: String(e.reason) }));
}"""


class WebKitBrowser(SeleniumBrowser):
    engine = "webkit"
    console_from_start = False

    def start(self):
        from selenium import webdriver
        from selenium.webdriver.webkitgtk.options import Options

        self.display = start_xvfb(self.profile.name)
        os.environ["DISPLAY"] = self.display.name
        # MiniBrowser saves a download in the home folder, without asking.
        os.environ["HOME"] = self.downloads
        options = Options()
        options.binary_location = MINIBROWSER
        options.add_argument("--automation")
        self.driver = webdriver.WebKitGTK(options=options)
        self.driver.set_window_size(*self.size)

    def stop(self):
        try:
            super().stop()
        finally:
            self.display.terminate()
            self.display.wait()

    def get(self, url):
        super().get(url)
        # WebKitWebDriver may answer before the new page has taken over from the old one.
        self.wait_for("return location.href === arguments[0] && document.readyState === 'complete'",
                      f"{url} to load", PATIENCE, url)

    def run(self, script, *args):
        # Every script sees the recorder, also in a page loaded by a click or a link.
        return self.driver.execute_script(RECORDER + "\n" + script, *args)

    def read_console(self):
        self.console += self.driver.execute_script(
            "return (window.scintleConsole || []).splice(0);") or []


def start_xvfb(folder):
    """Xvfb on a display number it picks itself; the process, its display as `name`."""
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1920x1080x24",
                               "-nolisten", "tcp", "-noreset"], pass_fds=[write],
                              stdout=subprocess.DEVNULL,
                              stderr=open(os.path.join(folder, "xvfb.log"), "w"))
    os.close(write)
    with os.fdopen(read) as answer:
        number = answer.readline().strip()
    if not number:
        raise RuntimeError("Xvfb did not start")
    server.name = f":{number}"
    return server


class FirefoxBrowser(Browser):
    engine = "firefox"

    def start(self):
        self.bridge = subprocess.Popen(
            ["node", os.path.join(HERE, "firefox_bridge.mjs"),
             os.path.join(self.profile.name, "profile"), self.downloads,
             str(self.size[0]), str(self.size[1])],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, cwd=HERE)
        self.answer()

    def root_pid(self):
        return self.bridge.pid

    def stop(self):
        self.bridge.stdin.write('{"op": "quit"}\n')
        self.bridge.stdin.close()
        self.bridge.wait()

    def answer(self):
        line = self.bridge.stdout.readline()
        if not line:
            raise RuntimeError("Firefox's bridge ended")
        reply = json.loads(line)
        if "error" in reply:
            raise Failure(reply["error"])
        return reply["value"]

    def ask(self, op, **fields):
        self.bridge.stdin.write(json.dumps({"op": op, **fields}) + "\n")
        self.bridge.stdin.flush()
        return self.answer()

    def get(self, url):
        self.ask("get", url=url)

    def url(self):
        return self.ask("url")

    def run(self, script, *args):
        return self.ask("run", script=script, args=list(args))

    def resize(self, width, height):
        self.ask("resize", width=width, height=height)

    def click(self, locator):
        self.ask("click", locator=locator)

    def type_into(self, locator, text):
        self.ask("typeInto", locator=locator, text=text)

    def press(self, locator, key):
        self.ask("press", locator=locator, key=key)

    def property(self, locator, name):
        return self.ask("property", locator=locator, name=name)

    def keys(self, text):
        self.ask("keys", text=text)

    def move_to(self, x, y):
        self.ask("moveTo", x=x, y=y)

    def move_by(self, dx, dy):
        self.ask("moveBy", dx=dx, dy=dy)

    def click_here(self):
        self.ask("clickHere")

    def shot(self, folder, name):
        path = os.path.join(folder, name)
        self.ask("shot", path=path)
        return path

    def open_tab(self):
        self.ask("openTab")

    def close_tab(self):
        self.ask("closeTab")

    def read_console(self):
        levels = {"error": "error", "warn": "warning"}
        self.console += [{"level": levels.get(entry["level"], "info"), "message": entry["message"]}
                         for entry in self.ask("console")]


ENGINES = {browser.engine: browser for browser in (ChromiumBrowser, FirefoxBrowser, WebKitBrowser)}
