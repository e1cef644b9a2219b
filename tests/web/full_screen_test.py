#!/usr/bin/python3
"""Full screen on the saver page (index.html), entered and left as the saver is ended.
Screenshot: full-screen.png."""
from web_lib import check, main

IN_FULL_SCREEN = "return document.fullscreenElement !== null"
OUT_OF_FULL_SCREEN = "return document.fullscreenElement === null"


def actions(browser):
    from selenium.webdriver.common.action_chains import ActionChains
    return ActionChains(browser.driver)


def a_click_enters_full_screen_and_a_key_leaves_it(url, browser, shots):
    browser.get(f"{url}index.html?seed=9&completion-delay=60")
    browser.wait_for("return document.body.dataset.pictures === '1'", "the first picture")
    body = browser.driver.find_element("tag name", "body")
    actions(browser).move_to_element_with_offset(body, 0, 0).click().perform()
    browser.wait_for(IN_FULL_SCREEN, "full screen after a click")
    browser.wait_for("""const c = document.getElementById('picture');
                             return c.width === innerWidth && c.height === innerHeight &&
                                    document.body.dataset.pictures === '1';""",
                          "a picture at the full screen's size")
    browser.shot(shots, "full-screen.png")
    actions(browser).send_keys("a").perform()
    browser.wait_for(OUT_OF_FULL_SCREEN, "the end of full screen after a key")


def a_key_enters_full_screen_and_a_mouse_button_leaves_it(browser):
    actions(browser).send_keys("b").perform()
    browser.wait_for(IN_FULL_SCREEN, "full screen after a key")
    actions(browser).click().perform()
    browser.wait_for(OUT_OF_FULL_SCREEN, "the end of full screen after a mouse button")
    check(browser.run(OUT_OF_FULL_SCREEN), "the button's click entered full screen again")


def the_pointer_may_drift_4_pixels_and_not_5(browser):
    # From where the pointer is first seen in full screen, 2 + 2 pixels away (stays),
    # then one more (leaves).
    actions(browser).send_keys("c").perform()
    browser.wait_for(IN_FULL_SCREEN, "full screen for the drift")
    actions(browser).move_by_offset(1, 0).perform()
    actions(browser).move_by_offset(2, 0).move_by_offset(0, 2).perform()
    check(browser.run(IN_FULL_SCREEN), "a drift of 4 pixels ended full screen")
    actions(browser).move_by_offset(1, 0).perform()
    browser.wait_for(OUT_OF_FULL_SCREEN, "the end of full screen after a drift of 5 pixels")


if __name__ == "__main__":
    main([a_click_enters_full_screen_and_a_key_leaves_it,
          a_key_enters_full_screen_and_a_mouse_button_leaves_it,
          the_pointer_may_drift_4_pixels_and_not_5])
