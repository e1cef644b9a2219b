"""What the browser tests share: the built site served on 127.0.0.1 (web/serve.py),
one of the three engines (browsers.py), the pictures scintle-render writes, and PNG files
read back as RGBA bytes.

Each test program takes SITE_DIR SCINTLE_RENDER SHOTS_DIR ENGINE and exits 0 when it
passes, 1 when it fails, and 77 (with a "SKIP:" line) where the engine cannot run it.
"""
import inspect
import os
import struct
import subprocess
import sys
import types
import zlib

from browsers import AXE, ENGINES, Failure, PATIENCE, check, missing  # noqa: F401

SKIP = 77
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def skip(reason):
    print(f"SKIP: {reason}")
    sys.exit(SKIP)


def arguments():
    if len(sys.argv) != 5 or sys.argv[4] not in ENGINES:
        sys.exit(f"usage: {sys.argv[0]} SITE_DIR SCINTLE_RENDER SHOTS_DIR {'|'.join(ENGINES)}")
    site, render, shots, engine = sys.argv[1:]
    if not os.path.isfile(os.path.join(site, "index.html")):
        sys.exit(f"no site in {site} (web/build.sh builds it)")
    if missing(engine):
        skip(missing(engine))
    if not os.path.isfile(AXE):
        skip("axe-core is not installed (./test installs it: npm ci in tests/web)")
    shots = os.path.join(shots, engine)
    os.makedirs(shots, exist_ok=True)
    return site, render, shots, ENGINES[engine]


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


# Each page once it has wholly started, its engine's Workers loaded. A test that leaves a
# page sooner makes Firefox's service worker log the aborted fetches as errors.
STARTED = {
    "index.html": "return !!document.body.dataset.kernel",
    "settings.html": "return document.body.dataset.ready === 'true'",
    "gallery.html": "return document.body.dataset.thumbnails === '74'",
}


def wait_until_started(browser, page):
    browser.wait_for(f"return location.pathname.endsWith('/{page}') && document.body !== null && "
                     f"(() => {{ {STARTED[page]} }})()",
                     f"{page} started")


def no_page_logs_an_error(browser):
    errors = browser.console_errors()
    check(not errors, f"the console has errors: {errors}")


def main(behaviours, width=800, height=600, cannot=None):
    """Runs each behaviour in turn in one browser, handing it what its parameters name
    (site, server, url, browser, render_tool, shots, or page, to leave findings on).
    `cannot` maps an engine that cannot run these behaviours to its reason."""
    site, render_tool, shots, Browser = arguments()
    if Browser.engine in (cannot or {}):
        skip(cannot[Browser.engine])
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
