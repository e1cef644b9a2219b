#!/usr/bin/python3
"""The saver page (index.html): the pictures scintle-render cycle writes for the same
seed, size and settings, one device pixel per picture pixel. Screenshots: saver-*.png."""
import os
import shutil
import tempfile

from web_lib import check, first_difference, main, read_png, render, Site


def same_as_cycle(browser, render_tool, options, numbers):
    """Waits for each numbered picture and compares it with scintle-render cycle's."""
    with tempfile.TemporaryDirectory() as folder:
        args = ["cycle", "--pictures", str(max(numbers)), "-o", folder]
        for name, value in options.items():
            if name != "completion-delay":
                args += [f"--{name}", value]
        render(render_tool, *args)
        for number in numbers:
            browser.wait_for(f"return Number(document.body.dataset.pictures) >= {number}",
                             f"picture {number}")
            width, height, pixels = browser.canvas_rgba("#picture")
            # Read while the picture is still shown (the completion delay runs).
            check(browser.run("return document.body.dataset.pictures") == str(number),
                  f"picture {number} was replaced before it could be read")
            expected_width, expected_height, expected = read_png(
                os.path.join(folder, f"picture-{number:03d}.png"))
            check((width, height) == (expected_width, expected_height),
                  f"the canvas is {width}x{height}, scintle-render's {expected_width}x{expected_height}")
            check(pixels == expected, f"picture {number} differs from scintle-render's: "
                  + first_difference(pixels, expected, width))


def query(options):
    return "&".join(f"{name}={value}" for name, value in options.items())


def a_seeded_query_paints_scintle_renders_picture_at_the_top_left(url, browser, render_tool, shots):
    options = {"seed": "4242", "size": "320x200", "completion-delay": "4", "extra-memory": "1"}
    browser.get(f"{url}index.html?{query(options)}")
    same_as_cycle(browser, render_tool, options, [1])
    check(browser.run("return document.body.dataset.kernel") == "sse2",
          "the SIMD build does not paint with the SSE2 lanes")
    placed = browser.run("""const box = document.getElementById('picture').getBoundingClientRect();
                                 return [box.left, box.top, box.width, box.height];""")
    check(placed == [0, 0, 320, 200], f"the picture is placed at {placed}, not the top-left corner")
    browser.shot(shots, "saver-seeded-320x200.png")
    browser.audit("the saver page")


def every_blanking_method_leads_to_scintle_renders_next_pictures(url, browser, render_tool):
    options = {"seed": "2026", "size": "200x120", "completion-delay": "3", "blanking": "7"}
    browser.get(f"{url}index.html?{query(options)}")
    same_as_cycle(browser, render_tool, options, [1, 2, 3])


def the_plain_build_paints_the_same_picture_in_2x2_blocks(url, browser, render_tool):
    options = {"seed": "77", "size": "160x100", "completion-delay": "60", "colours": "2"}
    browser.get(f"{url}index.html?build=plain&{query(options)}")
    same_as_cycle(browser, render_tool, options, [1])
    check(browser.run("return document.body.dataset.kernel") == "scalar",
          "the plain build does not paint with the one-pixel kernel")


def a_resized_window_gets_a_new_picture_at_its_size(url, browser, shots):
    browser.get(f"{url}index.html?seed=5&completion-delay=60")
    browser.wait_for("return document.body.dataset.pictures === '1'", "the first picture")
    size = browser.run("return [document.getElementById('picture').width, "
                       "document.getElementById('picture').height, innerWidth, innerHeight]")
    check(size[:2] == size[2:], f"the picture is {size[0]}x{size[1]} in a {size[2]}x{size[3]} window")
    browser.resize(640, 480)
    inner = browser.wait_for("""const c = document.getElementById('picture');
                                return c.width === innerWidth && c.height === innerHeight &&
                                       c.width !== arguments[0] && [innerWidth, innerHeight];""",
                             "a picture at the new size", 240, size[0])
    browser.wait_for("return document.body.dataset.pictures === '1'", "the picture at the new size")
    browser.shot(shots, f"saver-window-{inner[0]}x{inner[1]}.png")


def a_window_resized_while_loading_gets_its_picture_at_the_new_size(url, browser):
    browser.resize(800, 600)
    browser.get(f"{url}index.html?seed=6&completion-delay=60")
    browser.resize(560, 420)
    browser.wait_for("""const c = document.getElementById('picture');
                        return c.width === innerWidth && c.height === innerHeight &&
                               document.body.dataset.pictures === '1';""", "a picture at the new size")


def without_the_simd_module_the_plain_build_paints_and_says_so(site, browser):
    with tempfile.TemporaryDirectory() as folder:
        shutil.copytree(site, folder, dirs_exist_ok=True)
        os.remove(os.path.join(folder, "scintle-simd.wasm"))
        with Site(folder) as bare:
            browser.get(f"{bare.url}index.html?seed=8&size=64x48&completion-delay=60")
            browser.wait_for("return document.body.dataset.pictures === '1'", "a picture")
            kernel = browser.run("return document.body.dataset.kernel")
            check(kernel == "scalar", f"without its SIMD module the page paints with '{kernel}'")
            browser.read_console()
    said = [e for e in browser.console if "the plain build paints instead" in e["message"]]
    check(len(said) == 1, f"the fallback was told {len(said)} times")
    browser.console = [e for e in browser.console if bare.url not in e["message"]]


def a_refused_query_says_why_and_paints_nothing(url, browser):
    browser.get(f"{url}index.html?completion-delay=301")
    reason = browser.refusal()
    check(reason == "completion-delay '301' is out of range: whole seconds from 0 to 300",
          f"refused with '{reason}'")
    check(browser.run("return document.getElementById('picture').width") == 0,
          "a refused query painted")
    browser.audit("the saver page's refusal")


if __name__ == "__main__":
    main([a_seeded_query_paints_scintle_renders_picture_at_the_top_left,
          every_blanking_method_leads_to_scintle_renders_next_pictures,
          the_plain_build_paints_the_same_picture_in_2x2_blocks,
          a_resized_window_gets_a_new_picture_at_its_size,
          a_window_resized_while_loading_gets_its_picture_at_the_new_size,
          without_the_simd_module_the_plain_build_paints_and_says_so,
          a_refused_query_says_why_and_paints_nothing])
