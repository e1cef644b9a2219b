#!/usr/bin/python3
"""The site installs and runs offline, in Chromium: every page names the saver's icon
and the web app manifest, whose icons are the engine's PNGs at their sizes; once the
service worker has kept the site, the saver page, the settings form and the gallery
load and work with the server gone. Screenshot: offline-saver.png."""
import json
import os
import struct

from web_lib import Browser, Site, check, main

PAGES = ["index.html", "settings.html", "gallery.html"]


def test(site, render_tool, shots):
    manifest = json.load(open(os.path.join(site, "manifest.webmanifest")))
    for icon in manifest["icons"]:
        path = os.path.join(site, icon["src"])
        check(os.path.isfile(path), f"the manifest's icon {icon['src']} is missing")
        if icon["type"] == "image/png":
            with open(path, "rb") as file:
                width, height = struct.unpack(">II", file.read(24)[16:24])
            check(icon["sizes"] == f"{width}x{height}", f"{icon['src']} is {width}x{height}, not {icon['sizes']}")
    with Site(site) as server, Browser(900, 600) as browser:
        for page in PAGES:
            browser.get(f"{server.url}{page}")
            links = browser.run("return [...document.querySelectorAll('link[rel=icon], link[rel=manifest]')]"
                                ".map((l) => [l.rel, new URL(l.href).pathname])")
            check(links == [["icon", "/favicon.ico"], ["manifest", "/manifest.webmanifest"]],
                  f"{page} links {links}")
        browser.get(f"{server.url}index.html?seed=3&size=200x150&completion-delay=60")
        # The service worker takes the page over once it has kept every file.
        browser.wait_for("return navigator.serviceWorker.controller !== null",
                         "the service worker in control")
        server.stop()
        browser.get(f"{server.url}index.html?seed=3&size=200x150&completion-delay=60")
        browser.wait_for("return document.body.dataset.pictures === '1'", "a picture offline")
        browser.shot(shots, "offline-saver.png")
        browser.get(f"{server.url}settings.html")
        browser.wait_for("return document.body.dataset.ready", "the settings form offline")
        browser.get(f"{server.url}gallery.html")
        browser.wait_for("return document.body.dataset.thumbnails === '74'", "the gallery offline")
        errors = browser.console_errors()
        check(not errors, f"the console has errors: {errors}")


if __name__ == "__main__":
    main(test)
