#!/usr/bin/env python3
"""The window the page opens with, before the program is ready: every
control is there with its caption and its start state, where the ready page
has it, at the desktop size and on a phone, so that nothing moves when the
program takes over; and with JavaScript off the window still shows."""

import os
import re
import tempfile
import unittest

from page_harness import (AGP, REFERENCE, Page, PageTestCase, allow_script, engine, main,
                          start_browser)
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

# The companion beside the window: each cell of the FSB table and the chart,
# with what they show (the chart: its elements) and their boxes.
COMPANION = """
return [...document.querySelectorAll(
    '#fsb-heading, #fsb-table caption, #fsb-table th, #fsb-table td, #fsb-chart-image')]
    .map((e) => {
    const r = e.getBoundingClientRect();
    return [e.id || e.tagName, e.matches('svg') ? e.innerHTML : e.textContent,
            ...[r.left, r.top, r.width, r.height].map((v) => Math.round(v * 10) / 10)];
});
"""

# Each control: its name, what it shows, whether it is on and chosen,
# whether it shows at all, and its box.
CONTROLS = """
return [...document.querySelectorAll('#Form1 [data-name]')].map((e) => {
    const input = e.matches('input') ? e : e.querySelector('input');
    const shown = e.matches('.frame') ? e.querySelector('legend').textContent
        : e.matches('.combo, .result') ? input.value : e.textContent;
    const r = e.getBoundingClientRect();
    return [e.dataset.name, shown, !!(input || e).disabled, !!(input && input.checked),
            getComputedStyle(e).visibility,
            ...[r.left, r.top, r.width, r.height].map((v) => Math.round(v * 10) / 10)];
});
"""

# The page's inline scripts: the early one, run before the first frame, the
# line that ends its work once the companion is read, and the app script,
# which holds the program. With the app script taken out, the page is as it
# is until the program is ready.
INLINE_SCRIPT = re.compile(r"<script>.*?</script>", re.DOTALL)

# The view, phone emulation, the browser's minimum font size in px, whether
# scripts run at all, the browser's language, the colour scheme, and the
# language the page's link names, if any.
VIEWS = [
    ("desktop", False, 0, True, "ja", "light", None),
    ("desktop, 18 px minimum font", False, 18, True, "ja", "light", None),
    ("phone", True, 0, True, "ja", "light", None),
    ("phone, 18 px minimum font", True, 18, True, "ja", "light", None),
    ("desktop, JavaScript off", False, 0, False, "ja", "light", None),
    ("desktop, English", False, 0, True, "en", "light", None),
    ("desktop, English, a link in Japanese", False, 0, True, "en", "light", "ja"),
    ("phone, English, dark", True, 0, True, "en", "dark", None),
    ("phone, dark", True, 0, True, "ja", "dark", None),
]


class FirstPaint(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        with open(PageTestCase.page_path, encoding="utf-8") as page:
            html = page.read()
        scripts = INLINE_SCRIPT.findall(html)
        assert len(scripts) == 3, f"the page has {len(scripts)} inline scripts, not 3"
        html = html.replace(scripts[2], "")
        cls.unready = os.path.join(cls.folder.name, "unready.html")
        with open(cls.unready, "w", encoding="utf-8") as out:
            out.write(html)
        # As a slow phone may paint it before the parser reaches the early
        # script, which sizes the window.
        cls.unsized = os.path.join(cls.folder.name, "unsized.html")
        with open(cls.unsized, "w", encoding="utf-8") as out:
            out.write(html.replace(scripts[0], ""))

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_the_first_frame_is_the_ready_window(self):
        for view, phone, minimum_font, script, browser, scheme, linked in VIEWS:
            language = linked or browser
            link = f"#lang={linked}" if linked else ""
            # Phone emulation, font settings, turning scripts off and the
            # scheme are Chromium's.
            if engine() != "chromium" and (phone or minimum_font or not script or
                                           scheme != "light"):
                continue
            with self.subTest(view=view):
                ready = start_browser(phone=phone, minimum_font=minimum_font, language=browser)
                first = start_browser(phone=phone, minimum_font=minimum_font, script=script,
                                      language=browser)
                if scheme != "light":
                    first.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [
                        {"name": "prefers-color-scheme", "value": scheme}]})
                try:
                    # The ready page as the program draws it: opened in
                    # Japanese and light, then switched.
                    Page(ready, PageTestCase.page_path).open("#lang=ja")
                    if language != "ja":
                        ready.find_element(
                            By.CSS_SELECTOR, f'#language-switch [lang="{language}"]').click()
                    if scheme != "light":
                        ready.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [
                            {"name": "prefers-color-scheme", "value": scheme}]})
                    WebDriverWait(ready, 10).until(lambda d: d.execute_script(
                        "return document.getElementById('fsb-chart-image').getAttribute('class')"
                    ) == scheme)
                    expected = ready.execute_script(CONTROLS)
                    first.get("file://" + (self.unready if script else PageTestCase.page_path) +
                              link)
                    shown = first.execute_script(CONTROLS)
                    self.assertEqual(shown, expected)
                    # The start crystal's table and chart too, where the
                    # program leaves them.
                    self.assertEqual(first.execute_script(COMPANION),
                                     ready.execute_script(COMPANION))
                    # On a touch screen nothing of the window shows before
                    # it is sized to the screen.
                    if script and phone:
                        first.get("file://" + self.unsized)
                        self.assertEqual(first.execute_script(
                            "return getComputedStyle(document.getElementById('Form1'))"
                            ".visibility"), "hidden")
                        first.get("file://" + self.unready)
                    # None of the page's scripts ran where they are off.
                    self.assertEqual(first.execute_script(
                        "return typeof window.quenvaleEarly"), "object" if script else "undefined")
                    # The footer names the build from the first frame.
                    footer = "return [document.getElementById('version').dataset.build," \
                        " document.getElementById('build').textContent]"
                    build, line = first.execute_script(footer)
                    self.assertEqual([build, line], ready.execute_script(footer))
                    self.assertRegex(build, "^[0-9a-f]{16}$")
                    self.assertIn(build, line)
                    # Every control but the empty results and their hint marks
                    # says what it is.
                    self.assertEqual(
                        [name for name, text, *_ in shown
                         if not text and not name.startswith(("Text1", "HintMark"))], [])
                finally:
                    ready.quit()
                    first.quit()


# Run before anything else on the page: the program's compiling waits until
# the test calls releaseProgram().
HOLD = """
const held = new Promise((release) => { window.releaseProgram = release; });
for (const name of ['compile', 'compileStreaming']) {
    const real = WebAssembly[name];
    WebAssembly[name] = (...args) => held.then(() => real.apply(WebAssembly, args));
}
"""


class EarlyInput(unittest.TestCase):
    """What is done in the window before the program runs is not lost."""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        with open(PageTestCase.page_path, encoding="utf-8") as page:
            html = allow_script(page.read(), HOLD)
        self.held = os.path.join(self.folder.name, "held.html")
        with open(self.held, "w", encoding="utf-8") as out:
            out.write(html)
        self.driver = start_browser()

    def tearDown(self):
        self.driver.quit()
        self.folder.cleanup()

    def held_page(self):
        """The page with its program held back until release()."""
        self.driver.get("about:blank")
        self.driver.get("file://" + self.held)
        return Page(self.driver, self.held)

    def release(self):
        ready = "return document.documentElement.dataset.ready"
        self.assertFalse(self.driver.execute_script(ready))
        self.driver.execute_script("releaseProgram()")
        WebDriverWait(self.driver, 10).until(lambda d: d.execute_script(ready))

    def test_gestures_before_the_program_runs_are_done_once_it_does(self):
        def gestures(page):
            page.type_into(REFERENCE, "15")
            page.option(AGP, 2).click()
            page.calculate_button().click()

        page = Page(self.driver, PageTestCase.page_path).open()
        gestures(page)
        expected = page.results(), page.texts(), page.selected(AGP)
        self.assertNotEqual(expected[0], ["", "", ""])
        early = self.held_page()
        gestures(early)
        self.release()
        self.assertEqual((early.results(), early.texts(), early.selected(AGP)), expected)

    def test_what_follows_a_warning_or_the_end_is_not_done(self):
        # The warning, or the program's end, would have stopped the user:
        # what they did after it was done before they saw it.
        def warning(page):
            page.type_into(REFERENCE, "abc")
            page.calculate_button().click()

        def end(page):
            page.control("Command2").click()

        for case, first in (("warning", warning), ("終了", end)):
            with self.subTest(case=case):
                early = self.held_page()
                first(early)
                early.type_into(REFERENCE, "15")
                early.calculate_button().click()
                self.release()
                if case == "warning":
                    self.assertTrue(early.dialog_open())
                    self.assertIn("abc", early.dialog_message())
                else:
                    self.assertTrue(self.driver.execute_script(
                        "return document.getElementById('Form1').inert"))
                self.assertEqual(early.results(), ["", "", ""])


if __name__ == "__main__":
    main()
