#!/usr/bin/python3
"""Full screen on the saver page (index.html) in Chromium, as the saver runs: a click
enters it, a key leaves it; a key enters it, a mouse button leaves it; in full screen
the pointer may drift up to the saver's threshold (4 pixels, the sum of both
directions) from where it is first seen, and no further. Screenshot: full-screen.png."""
from web_lib import Browser, Site, check, main

IN_FULL_SCREEN = "return document.fullscreenElement !== null"
OUT_OF_FULL_SCREEN = "return document.fullscreenElement === null"


def test(site, render_tool, shots):
    from selenium.webdriver.common.action_chains import ActionChains

    with Site(site) as server, Browser(800, 600) as browser:
        browser.get(f"{server.url}index.html?seed=9&completion-delay=60")
        browser.wait_for("return document.body.dataset.pictures === '1'", "the first picture")
        page = browser.driver.find_element("tag name", "body")
        actions = lambda: ActionChains(browser.driver)  # noqa: E731

        actions().move_to_element_with_offset(page, 0, 0).click().perform()
        browser.wait_for(IN_FULL_SCREEN, "full screen after a click")
        browser.wait_for("""const c = document.getElementById('picture');
                            return c.width === innerWidth && c.height === innerHeight &&
                                   document.body.dataset.pictures === '1';""",
                         "a picture at the full screen's size")
        browser.shot(shots, "full-screen.png")
        actions().send_keys("a").perform()
        browser.wait_for(OUT_OF_FULL_SCREEN, "the end of full screen after a key")

        actions().send_keys("b").perform()
        browser.wait_for(IN_FULL_SCREEN, "full screen after a key")
        actions().click().perform()
        browser.wait_for(OUT_OF_FULL_SCREEN, "the end of full screen after a mouse button")
        check(browser.run(OUT_OF_FULL_SCREEN), "the button's click entered full screen again")

        # Drift: from where the pointer is first seen in full screen, 2 + 2 pixels away
        # (stays), then one more (leaves).
        actions().send_keys("c").perform()
        browser.wait_for(IN_FULL_SCREEN, "full screen for the drift")
        actions().move_by_offset(1, 0).perform()
        actions().move_by_offset(2, 0).move_by_offset(0, 2).perform()
        check(browser.run(IN_FULL_SCREEN), "a drift of 4 pixels ended full screen")
        actions().move_by_offset(1, 0).perform()
        browser.wait_for(OUT_OF_FULL_SCREEN, "the end of full screen after a drift of 5 pixels")
        errors = browser.console_errors()
        check(not errors, f"the console has errors: {errors}")


if __name__ == "__main__":
    main(test)
