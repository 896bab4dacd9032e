#!/usr/bin/env python3
"""The page in Japanese and English: the browser's languages decide, a link's
lang overrides them, and the switch relabels every text at once and keeps
its choice in the address."""

import re
import unittest

from selenium.webdriver.common.by import By

from page_harness import REFERENCE, Page, PageTestCase, engine, main, start_browser
from phone_link_test import LINK, LINKED_RESULTS, METRICS

JAPANESE = re.compile("[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]")

# Every text the page shows or announces, each with the language of the
# element it is in: text nodes, tool tips, accessible names and
# descriptions, the results' tips and the document's title.
TEXTS = """
const lang = (e) => e.closest('[lang]').lang;
const out = [['title', document.title, document.documentElement.lang],
             ['description', document.querySelector('meta[name=description]').content,
              document.documentElement.lang]];
const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    const e = node.parentElement;
    if (!e.closest('script, style, noscript') && node.textContent.trim()) {
        out.push([e.id || e.dataset.name || e.tagName, node.textContent, lang(e)]);
    }
}
for (const e of document.body.querySelectorAll('*')) {
    for (const name of ['title', 'aria-label', 'aria-description', 'data-tip']) {
        if (e.getAttribute(name)) {
            out.push([`${e.id || e.tagName} ${name}`, e.getAttribute(name), lang(e)]);
        }
    }
}
return out;
"""

# The browser's language, the link opened, and the page's language then.
OPENINGS = [
    ("ja", "", "ja", None),
    ("en", "", "en", None),
    ("ja", "#lang=en", "en", None),
    ("en", "#lang=ja", "ja", None),
    ("ja", LINK + "&lang=en", "en", LINKED_RESULTS),
    # An unknown language is a bad link: the browser's language, the start
    # state, and a notice in that language.
    ("en", "#ref=15&lang=fr", "en", ["", "", ""]),
]


def japanese_outside_japanese(driver):
    """Texts in Japanese within an element that is not."""
    return [(where, text) for where, text, lang in driver.execute_script(TEXTS)
            if lang != "ja" and JAPANESE.search(text)]


class Language(PageTestCase):
    def lang(self):
        return self.driver.execute_script("return document.documentElement.lang")

    def switch_to(self, code):
        self.driver.find_element(By.CSS_SELECTOR, f'#language-switch [lang="{code}"]').click()

    def test_the_browser_or_the_link_decides(self):
        for browser in ("ja", "en"):
            driver = start_browser(language=browser)
            try:
                for _, fragment, expected, results in (o for o in OPENINGS if o[0] == browser):
                    with self.subTest(browser=browser, fragment=fragment):
                        page = Page(driver, self.page_path).open(fragment)
                        self.assertEqual(driver.execute_script(
                            "return document.documentElement.lang"), expected)
                        caption = page.calculate_button().text
                        if expected == "ja":
                            self.assertEqual(caption, "計算実行")
                        else:
                            self.assertNotRegex(caption, JAPANESE)
                            self.assertEqual(japanese_outside_japanese(driver), [])
                        if results is not None:
                            self.assertEqual(page.results(), results)
                        if fragment.endswith("=fr"):
                            self.assertIsNotNone(page.notice())
                            self.assertEqual(page.fragment(), "")
            finally:
                driver.quit()

    def test_the_switch_changes_every_text_at_once(self):
        # (what shows a notice, the link opened, and the notice then)
        for case, opened, notice in (
                ("ended", LINK, "プログラムは終了しました。"),
                ("a divider the band lacks", LINK.replace("pci=1/3", "pci=1/2"),
                 "リンクの FSB：PCI 1/2 はこの FSB では選べないため、FSB に合わせた分周比のままです。")):
            with self.subTest(case=case):
                page = self.page.open(opened)
                if case == "ended":
                    # Ended, so that the notice's button is shown too.
                    page.control("Command2").click()
                self.assertEqual(page.notice(), notice)
                japanese = self.driver.execute_script(TEXTS)
                self.switch_to("en")
                self.assertEqual(self.lang(), "en")
                self.assertEqual(japanese_outside_japanese(self.driver), [])
                english = self.driver.execute_script(TEXTS)
                self.assertEqual(len(english), len(japanese))
                self.assertEqual(page.results(), LINKED_RESULTS)
                self.assertEqual(page.fragment(), LINK + "&lang=en")
                self.switch_to("ja")
                self.assertEqual(self.lang(), "ja")
                self.assertEqual(self.driver.execute_script(TEXTS), japanese)
                self.assertEqual(page.fragment(), LINK + "&lang=ja")

    def test_the_chosen_language_stays_in_links(self):
        page = self.page
        self.switch_to("en")
        self.assertEqual(page.fragment(), "#lang=en")
        page.calculate_button().click()
        link = page.fragment()
        self.assertTrue(link.startswith("#ref=14.318&fsb=100&") and link.endswith("&lang=en"))
        # The link opens in English in a Japanese browser.
        page.open(link)
        self.assertEqual(self.lang(), "en")
        self.assertNotEqual(page.results(), ["", "", ""])

    def test_a_failure_is_told_in_the_language(self):
        for how in ("browser", "switch"):
            with self.subTest(how=how):
                driver = start_browser(language="en" if how == "browser" else "ja")
                try:
                    page = Page(driver, self.page_path).open()
                    if how == "switch":
                        driver.find_element(By.CSS_SELECTOR,
                                            '#language-switch [lang="en"]').click()
                    page.type_into(REFERENCE, "abc")
                    page.calculate_button().click()
                    self.assertTrue(page.dialog_open())
                    message = page.dialog_message()
                    self.assertIn("abc", message)
                    self.assertNotRegex(message, JAPANESE)
                    self.assertEqual(page.control("failure-ok").text, "OK")
                finally:
                    driver.quit()


@unittest.skipIf(engine() != "chromium", "phone emulation and font settings are Chromium's")
class EnglishFit(unittest.TestCase):
    def test_english_captions_fit(self):
        for view, phone, minimum_font in [("phone", True, 0), ("desktop, 18 px", False, 18)]:
            with self.subTest(view=view):
                driver = start_browser(phone=phone, minimum_font=minimum_font, language="en")
                try:
                    Page(driver, PageTestCase.page_path).open(LINK)
                    metrics = driver.execute_script(METRICS)
                    self.assertEqual(metrics["cut"], [])
                    if phone:
                        self.assertEqual(metrics["small"], [])
                    self.assertLessEqual(metrics["scroll"], metrics["view"])
                finally:
                    driver.quit()


if __name__ == "__main__":
    main()
