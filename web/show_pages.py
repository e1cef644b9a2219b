#!/usr/bin/python3
"""Shows the site's pages in headless Chromium and saves a screenshot of each, for
./run web where there is no display:

    web/show_pages.py SITE_URL OUT_DIR [WIDTHxHEIGHT [QUERY]]

saver.png (the saver page, with the QUERY's options such as seed=8, once its first
picture is finished), settings.png and
gallery.png (once every thumbnail is painted); prints their paths.
"""
import os
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--force-device-scale-factor=1"]


def wait_for(driver, script, seconds=300):
    end = time.monotonic() + seconds
    while not driver.execute_script(script):
        if time.monotonic() > end:
            sys.exit(f"show_pages: gave up waiting for: {script}")
        time.sleep(0.2)


def main():
    url, out = sys.argv[1], sys.argv[2]
    width, height = (sys.argv[3] if len(sys.argv) > 3 else "1280x720").split("x")
    query = "&".join(filter(None, [sys.argv[4] if len(sys.argv) > 4 else "", "completion-delay=60"]))
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="scintle-chromium-") as profile:
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in FLAGS + [f"--user-data-dir={profile}", f"--window-size={width},{height}"]:
            options.add_argument(flag)
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        try:
            pages = [("saver.png", f"index.html?{query}",
                      "return document.body.dataset.pictures === '1'"),
                     ("settings.png", "settings.html", "return document.body.dataset.ready"),
                     ("gallery.png", "gallery.html", "return document.body.dataset.thumbnails === '74'")]
            for name, page, ready in pages:
                driver.get(url + page)
                wait_for(driver, ready)
                path = os.path.join(out, name)
                driver.save_screenshot(path)
                print(f"  {path}")
        finally:
            driver.quit()


if __name__ == "__main__":
    main()
