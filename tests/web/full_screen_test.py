#!/usr/bin/python3
"""Full screen on the saver page (index.html), entered and left as the saver is ended.
Screenshot: full-screen.png."""
from web_lib import check, main

IN_FULL_SCREEN = "return document.fullscreenElement !== null"
OUT_OF_FULL_SCREEN = "return document.fullscreenElement === null"


def actions(page):
    from selenium.webdriver.common.action_chains import ActionChains
    return ActionChains(page.browser.driver)


def a_click_enters_full_screen_and_a_key_leaves_it(page):
    page.browser.get(f"{page.url}index.html?seed=9&completion-delay=60")
    page.browser.wait_for("return document.body.dataset.pictures === '1'", "the first picture")
    body = page.browser.driver.find_element("tag name", "body")
    actions(page).move_to_element_with_offset(body, 0, 0).click().perform()
    page.browser.wait_for(IN_FULL_SCREEN, "full screen after a click")
    page.browser.wait_for("""const c = document.getElementById('picture');
                             return c.width === innerWidth && c.height === innerHeight &&
                                    document.body.dataset.pictures === '1';""",
                          "a picture at the full screen's size")
    page.browser.shot(page.shots, "full-screen.png")
    actions(page).send_keys("a").perform()
    page.browser.wait_for(OUT_OF_FULL_SCREEN, "the end of full screen after a key")


def a_key_enters_full_screen_and_a_mouse_button_leaves_it(page):
    actions(page).send_keys("b").perform()
    page.browser.wait_for(IN_FULL_SCREEN, "full screen after a key")
    actions(page).click().perform()
    page.browser.wait_for(OUT_OF_FULL_SCREEN, "the end of full screen after a mouse button")
    check(page.browser.run(OUT_OF_FULL_SCREEN), "the button's click entered full screen again")


def the_pointer_may_drift_4_pixels_and_not_5(page):
    # From where the pointer is first seen in full screen, 2 + 2 pixels away (stays),
    # then one more (leaves).
    actions(page).send_keys("c").perform()
    page.browser.wait_for(IN_FULL_SCREEN, "full screen for the drift")
    actions(page).move_by_offset(1, 0).perform()
    actions(page).move_by_offset(2, 0).move_by_offset(0, 2).perform()
    check(page.browser.run(IN_FULL_SCREEN), "a drift of 4 pixels ended full screen")
    actions(page).move_by_offset(1, 0).perform()
    page.browser.wait_for(OUT_OF_FULL_SCREEN, "the end of full screen after a drift of 5 pixels")


if __name__ == "__main__":
    main([a_click_enters_full_screen_and_a_key_leaves_it,
          a_key_enters_full_screen_and_a_mouse_button_leaves_it,
          the_pointer_may_drift_4_pixels_and_not_5])
