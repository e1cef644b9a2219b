#!/usr/bin/python3
"""The gallery (gallery.html): its views, painted as scintle-render view paints them.
Screenshots: gallery-*.png."""
import glob
import os
import re
import tempfile
import time

from web_lib import check, first_difference, main, read_png, render, PATIENCE

FAMILIES = {"Mandelbrot": 23, "Julia": 39, "Dragon": 8, "Phoenix": 4}


def scintle_render_view(render_tool, family, row, scheme, width, height):
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "view.png")
        render(render_tool, "view", "--family", family.lower(), "--row", str(row), "--scheme", scheme,
               "--size", f"{width}x{height}", "-o", path)
        return read_png(path)


def the_gallery_shows_74_views_labelled_by_family_row_and_scheme(server, browser, shots, page):
    browser.get(f"{server.url}gallery.html")
    browser.wait_for("return document.body.dataset.thumbnails === '74'", "74 thumbnails")
    captions = browser.run("return [...document.querySelectorAll('.views span')].map((s) => s.textContent)")
    check(len(captions) == 74, f"{len(captions)} captions")
    counts = {}
    for caption in captions:
        match = re.fullmatch(r"(\w+) (\d+) · (.+)", caption)
        check(match, f"a caption '{caption}' does not name a family, a row and a scheme")
        counts[match[1]] = counts.get(match[1], 0) + 1
    check(counts == FAMILIES, f"the views per family are {counts}")
    browser.shot(shots, "gallery-thumbnails.png")
    browser.audit("the gallery")
    page.captions = captions


def thumbnails_are_scintle_renders_views(browser, render_tool, captions):
    for index in (0, 40):
        family, row, scheme = re.fullmatch(r"(\w+) (\d+) · (.+)", captions[index]).groups()
        width, height, pixels = browser.canvas_rgba(f".views li:nth-child({index + 1}) canvas")
        expected = scintle_render_view(render_tool, family, row, scheme, width, height)
        check(expected[2] == pixels, f"the thumbnail of {captions[index]} differs: "
              + first_difference(pixels, expected[2], width))


def a_thumbnail_opens_its_view_large_and_its_link_reopens_it(browser, shots, page, captions):
    browser.click(".views li:nth-child(52) a")
    title = browser.wait_for("""const d = document.getElementById('large');
                                return d.open && document.getElementById('large-picture').width > 0 &&
                                       document.getElementById('large-title').textContent;""",
                             "the large view")
    check(title == captions[51], f"the large view is '{title}', the thumbnail '{captions[51]}'")
    link = browser.run("return document.getElementById('link').href")
    check(browser.run("return location.href") == link, "the address is not the view's link")
    browser.shot(shots, "gallery-large.png")
    browser.audit("the large view")
    browser.get(link)
    again = browser.wait_for("""return document.getElementById('large').open &&
                                       document.getElementById('large-title').textContent;""",
                             "the view from its link")
    check(again == title, f"the link opens '{again}', not '{title}'")
    page.title = title


def whole_png_in(folder):
    """A PNG file in `folder` written to its end (Firefox makes the file before it
    fills it), or None."""
    for path in glob.glob(os.path.join(folder, "*.png")):
        with open(path, "rb") as file:
            if file.read().endswith(b"IEND\xaeB`\x82"):
                return path
    return None


def save_picture_downloads_scintle_renders_view_at_the_size_asked(browser, render_tool, title):
    browser.type_into("#save-width", "400")
    browser.type_into("#save-height", "250")
    command = browser.run("return document.getElementById('command').textContent")
    check("--size 400x250" in command, f"the command shown is '{command}'")
    browser.click("#save-button")
    end = time.monotonic() + PATIENCE
    while not (saved := whole_png_in(browser.downloads)):
        check(time.monotonic() < end, "no PNG was downloaded")
        time.sleep(0.2)
    family, row, scheme = re.fullmatch(r"(\w+) (\d+) · (.+)", title).groups()
    expected_name = f"{family.lower()}-{row}-{scheme.lower().replace(' / ', '-').replace(' ', '-')}-400x250.png"
    check(os.path.basename(saved) == expected_name, f"saved as {os.path.basename(saved)}")
    width, height, pixels = read_png(saved)
    expected = scintle_render_view(render_tool, family, row, scheme, 400, 250)
    check((width, height) == (400, 250), f"the saved picture is {width}x{height}")
    check(pixels == expected[2], "the saved picture differs from scintle-render's: "
          + first_difference(pixels, expected[2], width))


def an_engine_that_cannot_start_costs_its_own_thumbnail_and_says_so(url, browser):
    browser.get(f"{url}gallery.html?broken-workers=1")
    note = browser.wait_for("""const note = document.getElementById('engine-note');
                               return !note.hidden && note.textContent;""", "the engine's note")
    check(note.startswith("The engine could not start: "), f"the note says '{note}'")
    # The broken Worker costs the thumbnail it had, if it had one yet.
    browser.wait_for("return Number(document.body.dataset.thumbnails) >= 73", "the other thumbnails")
    browser.read_console()
    browser.console = [e for e in browser.console if "scintle-missing" not in e["message"]]


if __name__ == "__main__":
    main([the_gallery_shows_74_views_labelled_by_family_row_and_scheme,
          thumbnails_are_scintle_renders_views,
          a_thumbnail_opens_its_view_large_and_its_link_reopens_it,
          save_picture_downloads_scintle_renders_view_at_the_size_asked,
          an_engine_that_cannot_start_costs_its_own_thumbnail_and_says_so], 1280, 800)
