#!/usr/bin/python3
"""The settings form (settings.html): the dialog's settings, kept as the registry keeps
them. Screenshots: settings-*.png."""
from web_lib import check, main, wait_until_started

GROUPS = ["General", "Blanking Methods", "Colour Schemes", "Curve Types", "Iteration Options"]
# Each registry value and how many inputs the form has for it.
FIELDS = {"ExtraMemory": 1, "CompletionDelay": 1, "BlankingMethod": 3, "ColourScheme": 14,
          "CurveType": 4, "MinIterations": 1, "MaxIterations": 1, "ExcludeCurves": 2, "AllMonitors": 1}

STORED = """const stored = {};
            for (let i = 0; i < localStorage.length; ++i) {
                const key = localStorage.key(i);
                if (key.startsWith('scintle.')) stored[key.slice(8)] = localStorage.getItem(key);
            }
            return stored;"""


def open_form(browser, server):
    browser.get(f"{server.url}settings.html")
    browser.wait_for("return document.body.dataset.ready", "the form")


def field(name):
    return f'input[name="{name}"]'


def box(name, label):
    return f'xpath://label[normalize-space(.)="{label}"]/input[@name="{name}"]'


def value(browser, name):
    return browser.property(field(name), "value")


def checked(browser, name, label):
    return browser.property(box(name, label), "checked")


def type_into(browser, name, text):
    browser.type_into(field(name), text)


def press(browser, button):
    browser.click(f"#{button}")


def only_greys(pixels):
    return all(pixels[i] == pixels[i + 1] == pixels[i + 2] for i in range(0, len(pixels), 4))


def the_form_has_the_dialogs_groups_labels_and_defaults(server, browser, shots):
    open_form(browser, server)
    legends = browser.run("return [...document.querySelectorAll('legend')].map((l) => l.textContent)")
    check(legends == GROUPS, f"the groups are {legends}")
    for name, count in FIELDS.items():
        found = browser.run(f"return document.querySelectorAll('input[name=\"{name}\"]').length")
        check(found == count, f"{count} fields named {name} expected, {found} found")
    label = browser.run("return document.querySelector('label[for=\"field-CompletionDelay\"]').textContent")
    check(label == "Completion delay", f"the delay's label is '{label}'")
    check(value(browser, "CompletionDelay") == "1", "the delay's default is not 1")
    browser.shot(shots, "settings-defaults.png")
    browser.audit("the form")


def the_dialogs_refusals_store_nothing_nor_does_cancel(browser, shots):
    type_into(browser, "CompletionDelay", "301")
    press(browser, "ok")
    message = browser.refusal()
    check(message == "Invalid entry: Please enter a value between 0 and 300 seconds",
          f"301 seconds refused with '{message}'")
    check(browser.run("return document.activeElement.name") == "CompletionDelay",
          "the refused field does not have the focus")
    browser.shot(shots, "settings-refused.png")
    browser.audit("the form with a refusal")
    check(browser.run(STORED) == {}, "a refused form stored something")
    type_into(browser, "CompletionDelay", "7")
    type_into(browser, "MinIterations", "50")
    type_into(browser, "MaxIterations", "20")
    browser.press(box("ColourScheme", "Mono"), "Enter")  # Enter is OK, as in the dialog
    message = browser.refusal()
    check(message == "Inconsistent entry: The minimum value cannot exceed the maximum value",
          f"a minimum above the maximum refused with '{message}'")
    check(browser.run(STORED) == {}, "a refused form stored something")
    press(browser, "cancel")
    wait_until_started(browser, "index.html")  # after Cancel
    check(browser.run(STORED) == {}, "Cancel stored something")


def ok_stores_all_nine_as_the_registry_would_and_shows_them_again(server, browser):
    open_form(browser, server)
    type_into(browser, "CompletionDelay", "7")
    type_into(browser, "MaxIterations", "500")
    browser.click(box("ColourScheme", "Mono"))
    browser.click(box("ExcludeCurves", "Exclude"))
    browser.click(box("ExtraMemory", "Use extra memory"))
    press(browser, "ok")
    wait_until_started(browser, "index.html")  # after OK
    stored = browser.run(STORED)
    expected = {"ExtraMemory": "1", "CompletionDelay": "7", "BlankingMethod": "2",
                "ColourScheme": "16381", "CurveType": "15", "MinIterations": "0",
                "MaxIterations": "500", "ExcludeCurves": "1", "AllMonitors": "0"}
    check(stored == expected, f"stored {stored}")
    open_form(browser, server)
    check(value(browser, "CompletionDelay") == "7", "the stored delay is not shown")
    check(not checked(browser, "ColourScheme", "Mono"), "Mono is shown checked")
    check(checked(browser, "ExcludeCurves", "Exclude"), "Exclude is not shown chosen")
    press(browser, "select-none")
    check(browser.run("return document.querySelectorAll('input[type=checkbox]:checked').length") == 1,
          "Select None left a box of a mask checked (or cleared Use extra memory)")
    press(browser, "select-all")
    check(browser.run("return document.querySelectorAll('input[type=checkbox]:not(:checked)').length") == 1,
          "Select All left a box of a mask clear (or set Cover all monitors)")
    browser.press(field("CompletionDelay"), "Escape")  # Escape is Cancel
    wait_until_started(browser, "index.html")  # after Escape
    check(browser.run(STORED) == stored, "Escape stored something")


def values_no_version_stores_show_and_work_as_their_defaults(server, browser):
    browser.run("""localStorage.clear();
                   localStorage.setItem('scintle.CompletionDelay', 'banana');
                   localStorage.setItem('scintle.ColourScheme', '0');
                   localStorage.setItem('scintle.MaxIterations', '99999999999');
                   localStorage.setItem('scintle.ExtraMemory', '-1');
                   localStorage.setItem('scintle.CurveType', '4');""")
    open_form(browser, server)
    check(value(browser, "CompletionDelay") == "1", "a bad delay is not shown as 1")
    check(value(browser, "MaxIterations") == "0", "a bad maximum is not shown as 0")
    check(browser.run("return document.querySelectorAll('input[name=ColourScheme]:checked').length") == 14,
          "a stored mask of 0 is not shown as every scheme")
    check(not checked(browser, "ExtraMemory", "Use extra memory"), "a bad switch is shown on")
    check(checked(browser, "CurveType", "Dragon") and
          not checked(browser, "CurveType", "Julia"), "the stored families are not shown")
    browser.get(f"{server.url}index.html")
    browser.wait_for("return Number(document.body.dataset.pictures) >= 1", "a picture from bad values")


def the_saver_takes_stored_settings_and_a_change_at_its_next_picture(server, browser):
    browser.run("""localStorage.clear();
                   localStorage.setItem('scintle.ColourScheme', '2');
                   localStorage.setItem('scintle.CompletionDelay', '1');""")
    browser.get(f"{server.url}index.html")
    browser.wait_for("return Number(document.body.dataset.pictures) >= 1", "a Mono picture")
    check(only_greys(browser.canvas_rgba("#picture")[2]), "a picture in Mono has colours")
    browser.open_tab()
    browser.get(f"{server.url}settings.html")
    browser.run("localStorage.setItem('scintle.ColourScheme', '256');")
    browser.close_tab()
    seen = int(browser.run("return document.body.dataset.pictures"))
    browser.wait_for(f"return Number(document.body.dataset.pictures) >= {seen + 2}", "later pictures")
    check(not only_greys(browser.canvas_rgba("#picture")[2]), "the change to Firestorm was not taken")


if __name__ == "__main__":
    main([the_form_has_the_dialogs_groups_labels_and_defaults,
          the_dialogs_refusals_store_nothing_nor_does_cancel,
          ok_stores_all_nine_as_the_registry_would_and_shows_them_again,
          values_no_version_stores_show_and_work_as_their_defaults,
          the_saver_takes_stored_settings_and_a_change_at_its_next_picture], 1100, 800)
