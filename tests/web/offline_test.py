#!/usr/bin/python3
"""The site installed as an app, and run offline. Screenshot: offline-saver.png."""
import json
import os
import struct

from web_lib import check, main, wait_until_started

PAGES = ["index.html", "settings.html", "gallery.html"]


def the_manifests_icons_are_the_engines_pngs_at_their_sizes(site):
    manifest = json.load(open(os.path.join(site, "manifest.webmanifest")))
    for icon in manifest["icons"]:
        path = os.path.join(site, icon["src"])
        check(os.path.isfile(path), f"the manifest's icon {icon['src']} is missing")
        if icon["type"] == "image/png":
            with open(path, "rb") as file:
                width, height = struct.unpack(">II", file.read(24)[16:24])
            check(icon["sizes"] == f"{width}x{height}", f"{icon['src']} is {width}x{height}, not {icon['sizes']}")


def every_page_names_the_icon_and_the_manifest(url, browser):
    for name in PAGES:
        browser.get(f"{url}{name}")
        wait_until_started(browser, name)
        links = browser.run("return [...document.querySelectorAll('link[rel=icon], link[rel=manifest]')]"
                                 ".map((l) => [l.rel, new URL(l.href).pathname])")
        check(links == [["icon", "/favicon.ico"], ["manifest", "/manifest.webmanifest"]],
              f"{name} links {links}")


def the_pages_load_and_work_with_the_server_gone(server, url, browser, shots):
    browser.get(f"{url}index.html?seed=3&size=200x150&completion-delay=60")
    # The service worker takes the page over once it has kept every file.
    browser.wait_for("return navigator.serviceWorker.controller !== null",
                     "the service worker in control")
    wait_until_started(browser, "index.html")
    server.stop()
    browser.get(f"{url}index.html?seed=3&size=200x150&completion-delay=60")
    browser.wait_for("return document.body.dataset.pictures === '1'", "a picture offline")
    kernel = browser.run("return document.body.dataset.kernel")
    check(kernel == "sse2", f"the kept SIMD build paints with '{kernel}'")
    browser.shot(shots, "offline-saver.png")
    browser.get(f"{url}settings.html")
    wait_until_started(browser, "settings.html")
    browser.get(f"{url}gallery.html")
    wait_until_started(browser, "gallery.html")


if __name__ == "__main__":
    main([the_manifests_icons_are_the_engines_pngs_at_their_sizes,
          every_page_names_the_icon_and_the_manifest,
          the_pages_load_and_work_with_the_server_gone], 900, 600)
