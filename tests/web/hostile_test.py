#!/usr/bin/env python3
"""Links and texts written to attack the page: whatever a link carries or a
user types, no script of theirs runs, no element is added, and the text
comes out as text; a link gets the bad-link notice and the start state."""

import urllib.parse
import unittest

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from page_harness import REFERENCE, PageTestCase, engine, main

# Each payload sets this global if it ever runs.
OWNED = "window.quenvaleOwned"
PAYLOADS = [
    f"<img src=x onerror={OWNED}=1>",
    f'"><svg onload={OWNED}=1>',
    f"javascript:{OWNED}=1",
    f"<script>{OWNED}=1</script>",
]
# Either of the notices a link that is not one of the page's gets: it
# could not be read, or its values could not be calculated.
BAD_LINK_NOTICE = "読めません|計算できませんでした"

# Fragments no link of the page's makes.
HOSTILE_LINKS = [(f"payload {i} as it is", "#ref=" + p + "&fsb=100")
                 for i, p in enumerate(PAYLOADS)] + [
    (f"payload {i} percent-encoded", "#ref=" + urllib.parse.quote(p, safe="") + "&fsb=100")
    for i, p in enumerate(PAYLOADS)] + [
    ("a short payload encoded", "#ref=%3Cb%20onclick%3Dx%3E&fsb=100"),
    ("a javascript: value", "#ref=javascript:1&fsb=100"),
    ("a javascript: divider", f"#ref=15&pci=javascript:{OWNED}=1"),
    ("a 1 MB fragment", "#ref=" + "1" * (1 << 20)),
    ("a key twice", "#fsb=100&fsb=133"),
    ("an unknown key", f"#ref=15&onload={OWNED}=1"),
    ("an inherited name as key", "#__proto__=1&ref=15"),
    ("a language not ja or en", "#lang=%3Cb%3Ede"),
    ("a control character", "#ref=15%00&fsb=100"),
    ("an invalid percent escape", "#ref=%ZZ15"),
    ("a lone surrogate", "#ref=%ED%A0%80"),
]

STATE = """
return [document.querySelectorAll('*').length, typeof window.quenvaleOwned,
        document.querySelectorAll('#notice-text *, #failure-message *, .field-error *').length];
"""


class Hostile(PageTestCase):
    def type_text(self, field, text):
        """The text typed into the field. WebKit's driver types through a
        keyboard layout that loses <, > and the like: there the text goes in
        as an input method commits it, with the input event it sends."""
        field.click()
        field.send_keys(Keys.CONTROL, "a")
        field.send_keys(Keys.BACKSPACE)
        if engine() == "webkitgtk":
            self.driver.execute_script(
                "arguments[0].value = arguments[1];"
                "arguments[0].dispatchEvent(new InputEvent('input', {bubbles: true}));",
                field, text)
        else:
            field.send_keys(text)

    def state(self):
        return self.driver.execute_script(STATE)

    def test_a_hostile_link_runs_nothing_and_opens_the_start_state(self):
        # The start state with the notice shown, as every case should be.
        self.page.open("#foo")
        elements = self.state()[0]
        for case, fragment in HOSTILE_LINKS:
            with self.subTest(case=case):
                page = self.page.open(fragment)
                self.assertEqual(self.state(), [elements, "undefined", 0])
                self.assertRegex(page.notice(), BAD_LINK_NOTICE)
                self.assertEqual(page.texts(), ["14.318", "100"])
                self.assertEqual(page.results(), ["", "", ""])
                self.assertEqual(page.pci_state(), "-- ++ +-")
                self.assertFalse(page.dialog_open())
                self.assertEqual(page.fragment(), "")

    def test_hostile_texts_typed_come_out_as_text(self):
        page = self.page
        downloads = ("save-csv", "save-svg")
        for i, payload in enumerate(PAYLOADS):
            with self.subTest(payload=i):
                page.open()
                page.type_into(REFERENCE, "15.000")
                page.calculate_button().click()
                saved = [page.download(link) for link in downloads]
                elements = self.state()[0]
                # The window's box: the warning quotes the text as it was
                # typed, cut to its first characters.
                self.type_text(page.box(REFERENCE), payload)
                page.calculate_button().click()
                self.assertTrue(page.dialog_open())
                self.assertIn(payload[:10], page.dialog_message())
                self.assertEqual(self.state(), [elements, "undefined", 0])
                # What the page saves is still the last calculation's.
                page.control("failure-ok").click()
                self.assertEqual([page.download(link) for link in downloads], saved)
                page.open()
                # The planner's field: its error says so, and the text is
                # left in the field as typed.
                planner = self.driver.find_element(By.ID, "plan-target")
                self.type_text(planner, payload)
                find = self.driver.find_element(By.ID, "plan-find")
                if engine() == "webkitgtk":
                    # WebKit's driver now and then loses this click (the
                    # form's submit never runs); the form is sent as the
                    # button sends it.
                    self.driver.execute_script("arguments[0].form.requestSubmit(arguments[0]);", find)
                else:
                    find.click()
                self.assertNotEqual(
                    self.driver.find_element(By.ID, "plan-target-error").text, "")
                self.assertEqual(planner.get_attribute("value"), payload)
                self.assertEqual(self.state()[1:], ["undefined", 0])

    def test_a_pasted_text_of_megabytes_is_refused_and_the_page_goes_on(self):
        # Four million digits: more than the module's first memory holds
        # in the copies a call makes.
        page = self.page.open()
        self.driver.execute_script(
            "arguments[0].value = '1'.repeat(4 << 20);"
            "arguments[0].dispatchEvent(new InputEvent('input', {bubbles: true}));",
            page.box(REFERENCE))
        page.calculate_button().click()
        self.assertTrue(page.dialog_open())
        page.control("failure-ok").click()
        page.type_into(REFERENCE, "15.000")
        page.calculate_button().click()
        self.assertEqual(page.results(), ["104.7632", "34.92108", "69.84216"])


if __name__ == "__main__":
    main()
