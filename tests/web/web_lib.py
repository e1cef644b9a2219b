"""What the browser tests share: the built site served on 127.0.0.1 (web/serve.py),
Debian's Chromium driven by its chromedriver through Debian's Selenium, the pictures
scintle-render writes, and PNG files read back as RGBA bytes.

Each test program takes SITE_DIR SCINTLE_RENDER SHOTS_DIR and exits 0 when it passes,
1 when it fails, and 77 (with a "SKIP:" line) where the browser cannot run at all.
"""
import base64
import inspect
import os
import struct
import subprocess
import sys
import types
import tempfile
import time
import zlib

SKIP = 77
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# Generous: a slow or busy machine makes a test slow, never failed.
PATIENCE = 240
# The accessibility audit, from the npm registry (package-lock.json; ./test installs it).
AXE = os.path.join(ROOT, "tests", "web", "node_modules", "axe-core", "axe.min.js")


def skip(reason):
    print(f"SKIP: {reason}")
    sys.exit(SKIP)


def arguments():
    if len(sys.argv) != 4:
        sys.exit(f"usage: {sys.argv[0]} SITE_DIR SCINTLE_RENDER SHOTS_DIR")
    site, render, shots = sys.argv[1:]
    if not os.path.isfile(os.path.join(site, "index.html")):
        sys.exit(f"no site in {site} (web/build.sh builds it)")
    for tool in (CHROMIUM, CHROMEDRIVER):
        if not os.access(tool, os.X_OK):
            skip(f"{tool} is not installed (./test installs chromium and chromium-driver)")
    if not os.path.isfile(AXE):
        skip("axe-core is not installed (./test installs it: npm ci in tests/web)")
    try:
        import selenium  # noqa: F401
    except ImportError:
        skip("Debian's python3-selenium is not installed (./test installs it)")
    os.makedirs(shots, exist_ok=True)
    return site, render, shots


class Site:
    """The site on a free port of 127.0.0.1, for as long as the block runs."""

    def __init__(self, folder):
        self.folder = folder

    def __enter__(self):
        self.server = subprocess.Popen(
            ["/usr/bin/python3", os.path.join(ROOT, "web", "serve.py"), self.folder],
            stdout=subprocess.PIPE, text=True)
        self.url = self.server.stdout.readline().strip()
        if not self.url.startswith("http://127.0.0.1:"):
            raise RuntimeError("the site's server did not start")
        return self

    def stop(self):
        if self.server.poll() is None:
            self.server.terminate()
            self.server.wait()

    def __exit__(self, *exc):
        self.stop()


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Browser:
    """Headless Chromium with a fresh profile, its console read for errors."""

    def __init__(self, width=800, height=600):
        self.size = (width, height)

    def __enter__(self):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service

        self.profile = tempfile.TemporaryDirectory(prefix="scintle-chromium-")
        self.downloads = os.path.join(self.profile.name, "downloads")
        os.makedirs(self.downloads)
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
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
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": self.downloads})
        self.console = []
        return self

    def __exit__(self, kind, value, trace):
        try:
            if kind is not None:
                # What the pages said, to tell why the test failed.
                self.read_console()
                for entry in self.console:
                    print(f"console {entry['level']}: {entry['message']}")
                print(f"at {self.driver.current_url}")
            self.driver.quit()
        finally:
            self.profile.cleanup()

    def get(self, url):
        self.driver.get(url)

    def run(self, script, *args):
        return self.driver.execute_script(script, *args)

    def wait_for(self, script, what, timeout=PATIENCE, *args):
        """Waits until the script returns something true; returns it."""
        end = time.monotonic() + timeout
        while True:
            value = self.run(script, *args)
            if value:
                return value
            if time.monotonic() > end:
                raise Failure(f"waited {timeout} s for {what}")
            time.sleep(0.1)

    def refusal(self):
        """The page's note of a refused entry or query, once it shows."""
        return self.wait_for("""const note = document.getElementById('refusal');
                                return !note.hidden && note.textContent;""", "a refusal")

    def audit(self, what):
        """Fails with what axe-core finds against WCAG 2.1 A and AA on the page as it is."""
        with open(AXE) as axe:
            self.run(axe.read())
        found = self.driver.execute_async_script(
            """const done = arguments[arguments.length - 1];
               const tags = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'];
               axe.run(document, { runOnly: { type: 'tag', values: tags } })
                  .then((r) => done(r.violations.map((v) => `${v.id} at ${v.nodes[0].target}`)));""")
        check(not found, f"{what} breaks accessibility rules: {found}")

    def read_console(self):
        self.console += self.driver.get_log("browser")

    def console_errors(self):
        self.read_console()
        return [entry["message"] for entry in self.console if entry["level"] == "SEVERE"]

    def shot(self, folder, name):
        path = os.path.join(folder, name)
        self.driver.save_screenshot(path)
        return path

    def canvas_rgba(self, selector):
        """The canvas's pixels as RGBA bytes, and its size."""
        width, height, data = self.run(
            """const canvas = document.querySelector(arguments[0]);
               const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
               let text = '';
               for (let i = 0; i < pixels.length; i += 32768)
                   text += String.fromCharCode(...pixels.subarray(i, i + 32768));
               return [canvas.width, canvas.height, btoa(text)];""", selector)
        return width, height, base64.b64decode(data)


def read_png(path):
    """A PNG file (8 bits per sample, RGB or RGBA, not interlaced) as RGBA bytes."""
    with open(path, "rb") as file:
        data = file.read()
    check(data[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is not a PNG file")
    at, chunks, header = 8, [], None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            chunks.append(body)
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    check(depth == 8 and colour in (2, 6) and interlace == 0, f"{path}: a PNG form not read here")
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(chunks))
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append(bytes(line))
        previous = line
    pixels = b"".join(rows)
    if channels == 3:
        opaque = bytearray(width * height * 4)
        opaque[0::4], opaque[1::4], opaque[2::4] = pixels[0::3], pixels[1::3], pixels[2::3]
        opaque[3::4] = b"\xff" * (width * height)
        pixels = bytes(opaque)
    return width, height, pixels


def render(tool, *args):
    """Runs scintle-render; its standard output."""
    return subprocess.run([tool, *args], check=True, capture_output=True, text=True).stdout


def first_difference(a, b, width):
    for i in range(0, min(len(a), len(b)), 4):
        if a[i:i + 4] != b[i:i + 4]:
            return f"first at ({i // 4 % width}, {i // 4 // width}): {tuple(a[i:i + 4])} against {tuple(b[i:i + 4])}"
    return f"sizes {len(a)} and {len(b)}"


def no_page_logs_an_error(browser):
    errors = browser.console_errors()
    check(not errors, f"the console has errors: {errors}")


def main(behaviours, width=800, height=600):
    """Runs each behaviour in turn in one browser, handing it what its parameters name
    (site, server, url, browser, render_tool, shots, or page, to leave findings on)."""
    site, render_tool, shots = arguments()
    name = "starting the browser"
    try:
        with Site(site) as server, Browser(width, height) as browser:
            page = types.SimpleNamespace(site=site, server=server, url=server.url, browser=browser,
                                         render_tool=render_tool, shots=shots)
            for behaviour in [*behaviours, no_page_logs_an_error]:
                name = behaviour.__name__.replace("_", " ")
                wanted = inspect.signature(behaviour).parameters
                behaviour(**{n: page if n == "page" else getattr(page, n) for n in wanted})
                print(f"ok: {name}")
    except Failure as failure:
        print(f"FAILED: {name}: {failure}")
        sys.exit(1)
    print("passed")
