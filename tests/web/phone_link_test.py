#!/usr/bin/env python3
"""The page on a phone, with large text, and in a link: the window scales
as a whole, nothing is cut, a cut result says so, the address holds the
calculation on screen, 終了 keeps the work where the tab stays open, and
the site kept offline gives way to a new build once one is published."""

import hashlib
import json
import os
import pathlib
import re
import shutil
import tempfile
import time
import unittest

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

from page_harness import AGP, FSB, PCI, REFERENCE, Page, PageTestCase, Server, engine, main, \
    start_browser

LINK = "#ref=15.000&fsb=100&pci=1/3&agp=2/3"
LINKED_RESULTS = ["104.7632", "34.92108", "69.84216"]

# The window's geometry, what is cut, and what is too small for a finger.
# A label's text may run past its layout box, as in the window, but neither
# past its frame nor under a control.
METRICS = """
const form = document.getElementById('Form1').getBoundingClientRect();
const box = (e) => e.getBoundingClientRect();
const name = (e) => e.id || e.dataset.name || e.textContent;
const inked = (e) => { const r = document.createRange(); r.selectNodeContents(e);
                       return r.getBoundingClientRect(); };
const meets = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom &&
                        b.top < a.bottom;
const boxes = [...document.querySelectorAll('.combo, .command, .result, .option')].map(box);
const cut = [...document.querySelectorAll('.option, .command, .result')]
    .filter((e) => e.scrollWidth > e.clientWidth ||
        (e.matches('.command') && e.scrollHeight > e.clientHeight))
    .map(name)
    .concat([...document.querySelectorAll('.label, legend')].filter((e) => {
        const text = inked(e);
        const frame = box(e.parentElement);
        return text.right > frame.right || text.left < frame.left ||
            boxes.some((b) => meets(text, b));
    }).map(name));
const controls = '.combo input, .combo .drop, .option, .option input, .command, .result';
const small = [...document.querySelectorAll(controls)]
    .filter((e) => box(e).width < 24 || box(e).height < 24).map(name);
const inputs = [...document.querySelectorAll('.combo input, .result')]
    .map((e) => parseFloat(getComputedStyle(e).fontSize));
return {left: form.left, right: form.right, width: form.width, view: innerWidth,
        scroll: document.documentElement.scrollWidth, cut, small,
        smallestInput: Math.min(...inputs)};
"""

# Phone or desktop, and the browser's minimum font size.
VIEWS = [
    ("phone", True, 0),
    ("phone, 18 px minimum font", True, 18),
    ("desktop", False, 0),
    ("desktop, 18 px minimum font", False, 18),
]
WINDOW_WIDTH = 3948 / 15 + 2  # the client area and its border, in CSS px

# Screens held either way, touch or not, in the browser's language:
# (name, width, height, touch, language).
SCREENS = [
    ("tablet sideways", 1024, 768, True, "ja"),
    ("large tablet sideways", 1366, 1024, True, "ja"),
    ("tablet sideways, 1180", 1180, 820, True, "ja"),
    ("tablet upright", 768, 1024, True, "ja"),
    ("phone sideways", 844, 390, True, "ja"),
    ("small phone", 320, 568, True, "ja"),
    ("laptop", 1366, 768, False, "ja"),
    ("large screen", 2560, 1440, False, "ja"),
    ("large screen, English", 2560, 1440, False, "en"),
    ("narrow desktop window", 320, 640, False, "ja"),
]
# What a screen shows: sideways scrolling, the results' bottom, each part
# of the companion's width, where the FSB table's third row ends, and how
# much of the table is scrolled out of its box.
SCREEN = """
const box = (selector) => document.querySelector(selector).getBoundingClientRect();
return {
    scroll: document.documentElement.scrollWidth, view: document.documentElement.clientWidth,
    height: innerHeight, results: box('[data-name="Text1(2)"]').bottom,
    rem: parseFloat(getComputedStyle(document.documentElement).fontSize),
    parts: Object.fromEntries(['.fsb-rows', '#fsb-chart', '#planner']
        .map((selector) => [selector, box(selector).width])),
    firstRows: box('#fsb-table tbody tr:nth-child(3)').bottom,
    tableCut: ((rows) => rows.scrollWidth - rows.clientWidth)(document.querySelector('.fsb-rows')),
};
"""


@unittest.skipIf(engine() != "chromium", "phone emulation and font settings are Chromium's")
class Fit(unittest.TestCase):
    def test_the_window_scales_as_a_whole(self):
        for view, phone, minimum_font in VIEWS:
            with self.subTest(view=view):
                driver = start_browser(phone=phone, minimum_font=minimum_font)
                try:
                    page = Page(driver, PageTestCase.page_path).open(LINK)
                    self.assertEqual(page.results(), LINKED_RESULTS)
                    m = driver.execute_script(METRICS)
                    self.assertEqual(m["cut"], [])
                    if phone:
                        self.assertEqual(m["small"], [])
                        self.assertGreaterEqual(m["smallestInput"], 16)
                    if phone:
                        # Never scrolled sideways.
                        self.assertLessEqual(m["scroll"], m["view"])
                    if phone and not minimum_font:
                        # Fills the width less a small margin.
                        self.assertAlmostEqual(m["left"], 4, delta=1)
                        self.assertAlmostEqual(m["right"], m["view"] - 4, delta=1)
                    elif not phone and not minimum_font:
                        self.assertAlmostEqual(m["width"], WINDOW_WIDTH, delta=0.5)
                    elif not phone:
                        # 9 pt text drawn at 18 px: the window is half as
                        # large again, rather than reflowed.
                        self.assertGreaterEqual(m["width"], (WINDOW_WIDTH - 2) * 1.5)
                finally:
                    driver.quit()

    def test_every_screen_shows_the_window_whole_and_the_companion_usable(self):
        for name, width, height, touch, language in SCREENS:
            with self.subTest(screen=name):
                driver = start_browser(touch=(width, height) if touch else None,
                                       language=language)
                try:
                    if not touch:
                        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                            "width": width, "height": height, "deviceScaleFactor": 1,
                            "mobile": False})
                    page = Page(driver, PageTestCase.page_path).open(LINK)
                    page.box(REFERENCE).send_keys(Keys.ENTER)
                    m = driver.execute_script(SCREEN)
                    self.assertLessEqual(m["scroll"], m["view"])
                    # The window and its three results in view together.
                    self.assertLessEqual(m["results"], m["height"])
                    # No part of the companion narrower than it reads.
                    for part, part_width in m["parts"].items():
                        self.assertGreaterEqual(part_width, min(m["rem"] * 20, m["view"] - 32),
                                                part)
                    if width >= 1200 and not touch:
                        # A laptop's first screen holds the table's first rows.
                        self.assertLessEqual(m["firstRows"], m["height"])
                    if m["parts"][".fsb-rows"] > m["rem"] * 40:
                        # Every column shown, none scrolled out of a wide box.
                        self.assertEqual(m["tableCut"], 0)
                finally:
                    driver.quit()

    def test_a_tap_shows_a_tip_inside_the_screen(self):
        driver = start_browser(phone=True)
        try:
            page = Page(driver, PageTestCase.page_path).open(LINK)
            tip = page.control("result-tip")
            for i in range(3):
                page.control(f"Text1({i})").click()
                if page.control(f"Text1({i})").get_attribute("data-tip"):
                    self.assertTrue(tip.is_displayed())
                    rect = driver.execute_script(
                        "const r = arguments[0].getBoundingClientRect();"
                        "return [r.left, r.right, innerWidth]", tip)
                    self.assertGreaterEqual(rect[0], 0)
                    self.assertLessEqual(rect[1], rect[2])
            driver.find_element(By.CSS_SELECTOR, '[data-name="Label2"]').click()
            self.assertFalse(tip.is_displayed())
        finally:
            driver.quit()


# Fragments that are not this page's links: the start state, one line said.
BAD_LINKS = [
    ("not key=value", "#foo", "読めません"),
    ("unknown key", "#ref=15&cpu=100", "読めません"),
    ("repeated key", "#ref=15&ref=16", "読めません"),
    ("overlong value", "#ref=" + "1" * 40, "読めません"),
    ("bad percent-encoding", "#ref=%E0%A4", "読めません"),
    ("no such divider", "#ref=15&pci=1/5", "読めません"),
    ("markup in a value", "#ref=%3Cb%3E1%3C/b%3E&fsb=100", "「<b>1</b>」"),
    ("not a number", "#ref=abc&fsb=100", "「abc」"),
]


class Links(PageTestCase):
    def test_a_link_round_trip(self):
        page = self.page.open(LINK)
        self.assertEqual(page.texts(), ["15.000", "100"])
        self.assertEqual(page.results(), LINKED_RESULTS)
        self.assertEqual(page.fragment(), LINK)
        self.assertIsNone(page.notice())
        page.pick_with_mouse(REFERENCE, "14.318")
        page.pick_with_mouse(FSB, "133.333")
        # Only a calculation changes the address.
        self.assertEqual(page.fragment(), LINK)
        page.calculate_button().click()
        changed = "#ref=14.318&fsb=133.333&pci=1/3&agp=2/3"
        self.assertEqual(page.fragment(), changed)
        page.open(changed)
        self.assertEqual(page.texts(), ["14.318", "133.333"])
        self.assertEqual(page.results(), ["133.333", "44.44433", "88.88866"])
        self.assertEqual(page.pci_state(), "-- ++ +-")

    def test_a_link_runs_the_fsb_lists_rules_and_its_dividers(self):
        # 138 picked from the list: its band allows only PCI 1/4, AGP 1/2.
        page = self.page.open("#ref=14.318&fsb=138&pci=1/4&agp=1/2")
        self.assertEqual(page.pci_state(), "-- -- ++")
        self.assertEqual(page.selected(AGP), 2)
        self.assertEqual(page.results(), ["138", "34.5", "69"])
        # A divider the band does not offer: the band's stays, and it is said.
        page.open("#ref=14.318&fsb=100&pci=1/2&agp=1/1")
        self.assertEqual(page.pci_state(), "-- ++ +-")
        self.assertEqual(page.selected(AGP), 0)
        self.assertIn("1/2", page.notice())
        self.assertEqual(page.fragment(), "#ref=14.318&fsb=100&pci=1/3&agp=1/1")

    def test_back_and_forward_step_through_the_calculations(self):
        page = self.page
        for reference in ("15", "16"):
            page.type_into(REFERENCE, reference)
            page.box(REFERENCE).send_keys(Keys.ENTER)
        sixteen = page.fragment()
        # A row chosen from the FSB table is a step too.
        first = page.driver.find_elements(By.CSS_SELECTOR, "#fsb-table tbody th button")[0]
        page.driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", first)
        first.click()
        row = page.fragment()
        self.assertNotEqual(row, sixteen)
        # (how, the fragment after it, the window's texts then)
        for how, fragment, texts in (("back", sixteen, ["16", "100"]),
                                     ("back", "#ref=15&fsb=100&pci=1/3&agp=2/3", ["15", "100"]),
                                     ("forward", sixteen, ["16", "100"]),
                                     ("forward", row, ["16", "66.666"])):
            with self.subTest(step=how, to=fragment):
                getattr(page.driver, how)()
                WebDriverWait(page.driver, 5).until(lambda d: page.fragment() == fragment)
                WebDriverWait(page.driver, 5).until(lambda d: page.texts() == texts)
                self.assertNotEqual(page.results(), ["", "", ""])
                self.assertFalse(page.calculate_button().is_enabled())

    @unittest.skipIf(engine() != "chromium", "the clipboard's permission is granted in Chromium")
    def test_copy_link_copies_the_calculation(self):
        page = self.page.open(LINK)
        page.driver.execute_cdp_cmd("Browser.grantPermissions", {
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        page.driver.find_element(By.CSS_SELECTOR, "#share button").click()
        WebDriverWait(page.driver, 5).until(lambda d: page.notice())
        copied = page.driver.execute_async_script(
            "navigator.clipboard.readText().then(arguments[0], (e) => arguments[0](String(e)))")
        self.assertEqual(copied, page.driver.current_url)
        self.assertTrue(copied.endswith(LINK))

    def test_a_bad_link_opens_the_start_state(self):
        for case, fragment, said in BAD_LINKS:
            with self.subTest(case=case):
                page = self.page.open(fragment)
                self.assertEqual(page.texts(), ["14.318", "100"])
                self.assertEqual(page.results(), ["", "", ""])
                self.assertEqual(page.pci_state(), "-- ++ +-")
                self.assertFalse(page.dialog_open())
                self.assertIn(said, page.notice())
                self.assertNotIn("\n", page.notice())
                self.assertEqual(page.driver.find_elements(By.CSS_SELECTOR, "#notice b"), [])
                self.assertEqual(page.fragment(), "")

    def test_a_result_too_long_for_its_box_is_marked(self):
        page = self.page.open("#ref=1.5E%2B29&fsb=100")
        cpu, pci = page.control("Text1(0)"), page.control("Text1(1)")
        self.assertEqual(cpu.get_attribute("value"), "1.047632E+30")
        for box, whole, name in ((cpu, "1.047632E+30", "CPUクロック"),
                                 (pci, "3.492108E+29", "PCIクロック")):
            self.assertIn("cut", box.get_attribute("class"))
            self.assertEqual(box.value_of_css_property("text-overflow"), "ellipsis")
            self.assertTrue(box.get_attribute("data-tip").startswith(whole + " MHz\n"))
            self.assertEqual(box.accessible_name, f"{whole} MHz {name}")
        # Back to numbers that fit: no mark, the label alone names the box.
        page.type_into(REFERENCE, "15")
        page.box(REFERENCE).send_keys(Keys.ENTER)
        self.assertNotIn("cut", cpu.get_attribute("class"))
        self.assertEqual(cpu.accessible_name, "CPUクロック")


# axe-core's verdicts in four states: what it finds wrong, and the contrast
# it cannot decide. The chart's words are drawn over the chart's own
# background, which axe cannot see through; their colours are the palette's.
AXE = """
const done = arguments[arguments.length - 1];
axe.run(document, { elementRef: true }).then((result) => done({
    violations: result.violations.map((v) => v.id + ': ' +
        v.nodes.map((n) => n.target.join(' ')).join(', ')),
    undecided: result.incomplete.filter((v) => v.id === 'color-contrast')
        .flatMap((v) => v.nodes.filter((n) => !n.element.closest('#fsb-chart-image'))
            .filter((n) => !arguments[0] || !n.any.some((check) =>
                ['bgOverlap', 'elmPartiallyObscured'].includes(check.data?.messageKey)))
            .map((n) => n.target.join(' ')))}));
"""


class Accessibility(PageTestCase):
    def test_axe_finds_nothing_in_any_state(self):
        axe = os.environ.get("QUENVALE_AXE", "")
        # Installed by the test run from the lock file; missing is a failure.
        self.assertTrue(os.path.isfile(axe), f"axe-core not installed: {axe!r}")
        with open(axe, encoding="utf-8") as script:
            source = script.read()
        page = self.page
        page.driver.set_script_timeout(60)

        def list_open():
            page.box(FSB).send_keys(Keys.ALT, Keys.ARROW_DOWN)

        def failure_open():
            page.type_into(FSB, "abc")
            page.calculate_button().click()
            self.assertTrue(page.dialog_open())

        # With the list open, axe cannot see past it to what it covers, nor
        # into its own scrolled-out items: those are left out, nothing else.
        states = [
            ("start", lambda: None, False),
            ("after a calculation", lambda: page.box(REFERENCE).send_keys(Keys.ENTER), False),
            ("with the list open", list_open, True),
            ("with the failure dialog open", failure_open, False),
        ]
        for state, reach, covered in states:
            with self.subTest(state=state):
                page.open()
                reach()
                page.driver.execute_script(source)
                verdict = page.driver.execute_async_script(AXE, covered)
                self.assertEqual(verdict["violations"], [])
                self.assertEqual(verdict["undecided"], [])


# Each hinted text's WCAG contrast against the first background under it
# that is not transparent, and each hint word beside a result, shown or not.
HINTS = """
const channels = (colour) => colour.match(/[\\d.]+/g).map(Number);
const luminance = (colour) => {
    const [r, g, b] = channels(colour).slice(0, 3).map((c) => {
        const s = c / 255;
        return s <= 0.04045 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
};
const ground = (e) => {
    for (; e; e = e.parentElement) {
        const colour = getComputedStyle(e).backgroundColor;
        if (channels(colour)[3] !== 0) {
            return colour;
        }
    }
    return 'rgb(255, 255, 255)';
};
const ratio = (e) => {
    const [a, b] = [luminance(getComputedStyle(e).color), luminance(ground(e))];
    return (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
};
const hinted = [...document.querySelectorAll(
    '.result.caution, .result.danger, .credit, .mark, #companion td.caution, #companion td.danger')];
return {
    low: hinted.filter((e) => ratio(e) < 4.5).map((e) => [e.id || e.className, ratio(e)]),
    marks: [0, 1, 2].map((i) => {
        const mark = document.getElementById(`HintMark(${i})`);
        return mark.getClientRects().length > 0 ? mark.textContent : '';
    }),
};
"""
# The page's schemes: (name, the media features emulated).
SCHEMES = [
    ("light", []),
    ("dark", [{"name": "prefers-color-scheme", "value": "dark"}]),
    ("forced colours", [{"name": "forced-colors", "value": "active"}]),
]


@unittest.skipIf(engine() != "chromium", "the schemes are emulated in Chromium")
class Schemes(PageTestCase):
    def test_a_hint_reads_in_every_scheme(self):
        for scheme, features in SCHEMES:
            with self.subTest(scheme=scheme):
                self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                                            {"features": features})
                # PCI in caution, AGP in danger, and a table of every hint.
                self.page.open("#ref=15.000&fsb=110&pci=1/3&agp=1/1")
                hints = self.driver.execute_script(HINTS)
                self.assertEqual(hints["low"], [])
                # Seen without telling colours apart.
                self.assertEqual(hints["marks"], ["", "注意", "危険"])
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})


def site(name):
    """A folder the build made to publish: QUENVALE_SITE (the site) or
    QUENVALE_NEXT_SITE (the same under the next version)."""
    return os.environ[name]


def reopen(driver, address):
    """The page opened anew, as a tap on its icon does, once it is ready."""
    driver.get("about:blank")
    driver.get(address)
    WebDriverWait(driver, 20).until(
        lambda d: d.execute_script("return document.documentElement.dataset.ready"))
    # The build it shows, as the footer names it.
    return driver.find_element(By.ID, "build").text.split()[-1]


class Offline(unittest.TestCase):
    def test_the_page_opens_again_with_the_server_stopped(self):
        server = Server(site("QUENVALE_SITE"))
        self.addCleanup(server.stop)
        driver = start_browser()
        try:
            driver.get(server.address)
            WebDriverWait(driver, 20).until(lambda d: d.execute_script(
                "return navigator.serviceWorker.controller !== null"))
            manifest = driver.execute_script(
                "return fetch('manifest.webmanifest').then((r) => r.json())")
            self.assertEqual(manifest["start_url"], "./")
            self.assertTrue(any(icon["sizes"] == "256x256" for icon in manifest["icons"]))
            server.stop()
            reopen(driver, server.address + LINK)
            self.assertEqual(Page(driver, "").results(), LINKED_RESULTS)
            # Offline too: the manifest, and the page under the address a
            # home-screen icon may add a query to.
            self.assertEqual(driver.execute_script(
                "return fetch('manifest.webmanifest', { cache: 'no-store' })"
                ".then((r) => r.json())"), manifest)
            reopen(driver, server.address + "index.html?src=home" + LINK)
            self.assertEqual(Page(driver, "").results(), LINKED_RESULTS)
        finally:
            driver.quit()


    @unittest.skipIf(engine() != "chromium", "an installed app's window is Chromium's --app")
    def test_the_installed_app_reopens_with_its_last_calculation(self):
        server = Server(site("QUENVALE_SITE"))
        self.addCleanup(server.stop)
        driver = start_browser(app=server.address)
        try:
            WebDriverWait(driver, 20).until(
                lambda d: d.execute_script("return document.documentElement.dataset.ready"))
            page = Page(driver, "")
            page.type_into(REFERENCE, "15.000")
            page.box(REFERENCE).send_keys(Keys.ENTER)
            page.control("plan-target").send_keys("500")
            page.control("plan-find").click()
            planned = page.control("plan-summary").text
            # (what it is opened with, the results, the planner's target)
            for opened, results, target in (("", LINKED_RESULTS, "500"),
                                            ("#ref=14.318&fsb=100", ["100", "33.33334",
                                                                     "66.66667"], "500")):
                with self.subTest(opened=opened):
                    reopen(driver, server.address + opened)
                    self.assertEqual(page.results(), results)
                    self.assertEqual(page.control("plan-target").get_attribute("value"),
                                     target)
                    self.assertEqual(page.control("plan-summary").text, planned)
            # What is kept can be forgotten: the app then opens as new.
            page.control("forget").click()
            reopen(driver, server.address)
            self.assertEqual(page.results(), ["", "", ""])
            self.assertEqual(page.control("plan-target").get_attribute("value"), "")
        finally:
            driver.quit()


# The SHA-256 of each file the worker keeps, as the page reads it.
DIGESTS = """
const done = arguments[1];
Promise.all(arguments[0].map((file) => fetch(file).then((r) => r.arrayBuffer())
    .then((bytes) => crypto.subtle.digest('SHA-256', bytes))
    .then((d) => [...new Uint8Array(d)].map((b) => b.toString(16).padStart(2, '0')).join(''))))
    .then(done, (error) => done(String(error)));
"""


def kept(folder):
    """The files the build's worker keeps, as its list names them."""
    worker = pathlib.Path(folder, "sw.js").read_text(encoding="utf-8")
    return json.loads(re.search(r"const FILES = (.*);", worker)[1])


def digests(folder):
    return [hashlib.sha256(pathlib.Path(folder, "index.html" if name == "./" else name)
                           .read_bytes()).hexdigest() for name in kept(folder)]


class Update(unittest.TestCase):
    """A new build published in place of the one a phone keeps offline."""

    def publish(self, build, served, age):
        """The build's files, dated age seconds ago, copied to a new folder
        that then takes the served name at once, as a host swaps in a
        release. Old files are ones a browser's HTTP cache may keep for a
        while."""
        folder = tempfile.mkdtemp(dir=self.root)
        shutil.copytree(build, folder, dirs_exist_ok=True, copy_function=shutil.copyfile)
        date = time.time() - age
        for name in os.listdir(folder):
            os.utime(os.path.join(folder, name), (date, date))
        os.symlink(folder, served + ".new")
        os.replace(served + ".new", served)

    def test_a_new_build_shows_by_the_second_opening_and_offline(self):
        old, new = site("QUENVALE_SITE"), site("QUENVALE_NEXT_SITE")
        ids = [re.search(r'data-build="([0-9a-f]+)"',
                         pathlib.Path(folder, "index.html").read_text(encoding="utf-8"))[1]
               for folder in (old, new)]
        self.assertNotEqual(ids[0], ids[1])
        self.root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.root, True)
        served = os.path.join(self.root, "served")
        self.publish(old, served, 86400)
        server = Server(served)
        self.addCleanup(server.stop)
        driver = start_browser()
        caches = "return caches.keys()"
        try:
            # Installed: the old build's worker in charge, its files kept.
            driver.get(server.address)
            WebDriverWait(driver, 20).until(lambda d: d.execute_script(
                "return navigator.serviceWorker.controller !== null"))
            self.assertEqual(driver.execute_script(caches), ["quenvale-" + ids[0]])
            self.assertEqual(reopen(driver, server.address), ids[0])
            self.assertEqual(driver.execute_async_script(DIGESTS, kept(old)), digests(old))

            self.publish(new, served, 0)
            # The first opening may still show the old build; the new one
            # takes its place in the background.
            self.assertIn(reopen(driver, server.address), ids)
            WebDriverWait(driver, 30).until(
                lambda d: d.execute_script(caches) == ["quenvale-" + ids[1]])
            self.assertEqual(reopen(driver, server.address), ids[1])

            # Offline, the new build still opens, and every file it keeps is
            # the new build's.
            server.stop()
            self.assertEqual(reopen(driver, server.address + LINK), ids[1])
            self.assertEqual(Page(driver, "").results(), LINKED_RESULTS)
            self.assertEqual(driver.execute_async_script(DIGESTS, kept(new)), digests(new))
        finally:
            driver.quit()


class Exit(PageTestCase):
    def end_and_check(self, press):
        page = self.page
        page.pick_with_mouse(FSB, "150")
        page.type_into(REFERENCE, "20")
        page.calculate_button().click()
        results = page.results()
        press(page.control("Command2"))
        # A tab the page did not open stays: the work stays with it.
        self.assertEqual(page.notice(), "プログラムは終了しました。")
        self.assertEqual(page.results(), results)
        self.assertEqual(page.texts(), ["20", "150"])
        self.assertEqual(page.focused_id(), "again")
        self.assertTrue(page.driver.execute_script(
            "return document.getElementById('Form1').inert"))
        page.control("again").click()
        self.assertIsNone(page.notice())
        self.assertEqual(page.texts(), ["14.318", "100"])
        self.assertEqual(page.results(), ["", "", ""])
        self.assertEqual(page.pci_state(), "-- ++ +-")
        self.assertEqual(page.selected(AGP), 1)
        self.assertTrue(page.calculate_button().is_enabled())
        self.assertEqual(page.focused_id(), "Combo1(0)")
        self.assertEqual(page.fragment(), "")

    def test_a_click_on_exit_ends_without_wiping_the_work(self):
        self.end_and_check(lambda button: button.click())

    def test_enter_on_exit_presses_it(self):
        def enter(button):
            self.page.driver.execute_script("arguments[0].focus()", button)
            button.send_keys(Keys.ENTER)
        self.end_and_check(enter)


if __name__ == "__main__":
    main()
