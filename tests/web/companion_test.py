#!/usr/bin/env python3
"""Beside the window: the FSB table and its downloads against the command
line, a chosen row of the table or the planner put in the window, the
planner's bad input, and the chart's marked point."""

import base64
import csv
import io
import os
import re
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

from page_harness import FSB, PCI, AGP, REFERENCE, Page, PageTestCase, engine, main, \
    start_browser

SVG = "{http://www.w3.org/2000/svg}"
# `quenvale-calc --table --ref 15 --details --format csv`, its header and
# the row at 100 MHz, for when the native build is not there to run.
KNOWN_CSV = {
    "15": ["reference,fsb,pci_divider,agp_divider,cpu_mhz,pci_mhz,agp_mhz,pci_hint,agp_hint,"
           "error,error_code,usb_mhz,usb_ok,sio_mhz,timer_drift_s_per_day,core_mhz",
           "15,100,1/3,2/3,104.7632,34.92108,69.84216,ok,ok,,,50.28635,false,25.14318,4115.435,"],
}
# The crystal's consequences, `quenvale-calc REF 100 --details --format
# csv`'s usb_mhz, usb_ok and timer_drift_s_per_day: the same at every FSB.
KNOWN_CONSEQUENCES = {"15": ("50.28635", "false", "4115.435")}
# `quenvale-calc --plan --target 500 --multiplier 4.5`'s first line.
KNOWN_PLAN = {
    "ja": "コアクロック (CPU × 4.5)が 500 MHz に近い順、PCI・AGP は caution(注意) まで: "
          "108 件中 10 件",
    "en": "Core clock (CPU × 4.5) nearest 500 MHz, PCI and AGP within caution: 10 of 108",
}


def cli(*args, language="ja"):
    """What the command line prints, or None without it."""
    calc = os.environ.get("QUENVALE_CALC", "")
    if not os.access(calc, os.X_OK):
        return None
    locale = {"ja": "ja_JP.UTF-8", "en": "en_US.UTF-8"}[language]
    return subprocess.run([calc, *args], capture_output=True, check=False, text=True,
                          env={**os.environ, "LC_ALL": locale}).stdout


def cli_csv(reference):
    """The command line's CSV of the crystal's table with every column, or
    None without it."""
    return cli("--table", "--ref", reference, "--details", "--format", "csv")


def pdf_pages_and_text(pdf):
    """A PDF's page count (pdfinfo) and its text (pdftotext)."""
    with tempfile.NamedTemporaryFile(suffix=".pdf") as out:
        out.write(pdf)
        out.flush()
        info = subprocess.run(["pdfinfo", out.name], capture_output=True, text=True,
                              check=True).stdout
        text = subprocess.run(["pdftotext", out.name, "-"], capture_output=True, text=True,
                              check=True).stdout
    return int(re.search(r"^Pages:\s+(\d+)", info, re.M)[1]), text


def first_line(printed):
    """The text output's first line, wrapped to the terminal's 80 columns
    (its continuations are indented), without its white space: a line
    broken between two wide characters has none there."""
    lines = printed.splitlines()
    first = lines[0]
    for line in lines[1:]:
        if not line.startswith("  "):
            break
        first += line
    return "".join(first.split())


def consequences(reference):
    """The crystal's USB clock, whether it is in tolerance, and its drift."""
    saved = cli(reference, "100", "--details", "--format", "csv")
    if saved is None:
        return KNOWN_CONSEQUENCES.get(reference)
    record = next(csv.DictReader(io.StringIO(saved)))
    return record["usb_mhz"], record["usb_ok"], record["timer_drift_s_per_day"]


# The chart on the page: its words, and the FSB of each point marked.
PAGE_CHART = """
const chart = document.getElementById('fsb-chart-image');
return [[...chart.querySelectorAll('text')].map((text) => text.textContent),
        [...chart.querySelectorAll('circle.current')].map((point) => point.dataset.fsb)];
"""


class CompanionTestCase(PageTestCase):
    def calculate(self, reference):
        self.page.type_into(REFERENCE, reference)
        self.page.box(REFERENCE).send_keys(Keys.ENTER)

    def table_rows(self, table):
        return self.driver.execute_script(
            "return [...document.querySelectorAll(arguments[0] + ' tbody tr')]"
            ".map((tr) => [...tr.cells].map((c) => c.firstChild?.textContent ?? ''))", table)

    def window_dividers(self):
        captions = ["1/2", "1/3", "1/4"], ["1/1", "2/3", "1/2"]
        return [captions[g][self.page.selected(group)] for g, group in enumerate((PCI, AGP))]


class Table(CompanionTestCase):
    def test_the_table_and_its_csv_are_the_command_lines(self):
        for reference in ("15", "14.318", "12.800", "24.000"):
            with self.subTest(reference=reference):
                self.calculate(reference)
                saved = self.page.download("save-csv")
                expected = cli_csv(reference)
                if expected is not None:
                    self.assertEqual(saved, expected)
                elif reference in KNOWN_CSV:
                    lines = saved.splitlines()
                    self.assertEqual(lines[0], KNOWN_CSV[reference][0])
                    self.assertIn(KNOWN_CSV[reference][1], lines)
                # The table on screen shows the same rows, cell for cell.
                records = list(csv.DictReader(io.StringIO(saved)))
                shown = self.table_rows("#fsb-table")
                self.assertEqual(len(shown), len(records))
                for cells, record in zip(shown, records):
                    self.assertEqual(cells[:6], [record[k] for k in (
                        "fsb", "pci_divider", "agp_divider", "cpu_mhz", "pci_mhz", "agp_mhz")])
                # Each PCI and AGP cell keeps its hint in colour and words as
                # the rows are written over from one crystal to the next.
                hints = self.driver.execute_script(
                    "return [...document.querySelectorAll('#fsb-table tbody tr')].map((tr) =>"
                    " [4, 5].map((i) => [tr.cells[i].className || 'ok',"
                    " tr.cells[i].querySelector('.hint')?.textContent ?? '']))")
                words = {}
                for pair, record in zip(hints, records):
                    self.assertEqual([hint for hint, _ in pair],
                                     [record["pci_hint"], record["agp_hint"]])
                    for hint, word in pair:
                        self.assertEqual(words.setdefault(hint, word), word)
                        self.assertEqual(word != "", hint != "ok")
                # The USB and drift cells are the crystal's, at every FSB;
                # a USB clock out of tolerance is marked.
                expected = consequences(reference)
                if expected is not None:
                    usb, usb_ok, drift = expected
                    notes = self.driver.execute_script(
                        "return [...document.querySelectorAll('#fsb-table tbody tr')].map("
                        "(tr) => tr.cells[6].querySelector('.hint')?.textContent ?? '')")
                    for cells, note in zip(shown, notes):
                        self.assertEqual(cells[6:], [usb, drift])
                        self.assertEqual(note, "" if usb_ok == "true" else "範囲外")


    def test_a_failed_row_says_why_across_the_row(self):
        # 5e37 MHz overflows from FSB 100 on; 15 MHz after it fills every row.
        spans = """
const columns = document.querySelector('#fsb-table thead tr').cells.length;
return [...document.querySelectorAll('#fsb-table tbody tr')].map((tr) => [
    [...tr.cells].reduce((n, cell) => n + cell.colSpan, 0) === columns,
    tr.cells.length === 2 && tr.cells[1].getClientRects().length > 0]);
"""
        for reference, failed in (("5e37", 16), ("15", 0)):
            with self.subTest(reference=reference):
                if reference == "5e37":
                    self.page.open("#ref=5e37&fsb=66.666")
                else:
                    self.calculate(reference)
                rows = self.driver.execute_script(spans)
                self.assertEqual([fits for fits, _ in rows], [True] * 21)
                # The message shows however narrow the table.
                self.assertEqual(sum(shown for _, shown in rows), failed)


class Choose(CompanionTestCase):
    def test_a_table_row_is_picked_and_calculated(self):
        self.calculate("15")
        records = list(csv.DictReader(io.StringIO(self.page.download("save-csv"))))
        for fsb, key in (("133.333", Keys.ENTER), ("66.666", Keys.SPACE)):
            with self.subTest(fsb=fsb):
                index = [r["fsb"] for r in records].index(fsb)
                row = records[index]
                button = self.driver.find_elements(By.CSS_SELECTOR, "#fsb-table tbody th button")
                button[index].send_keys(key)
                self.assertEqual(self.page.texts(), ["15", fsb])
                self.assertEqual(self.page.results(),
                                 [row["cpu_mhz"], row["pci_mhz"], row["agp_mhz"]])
                self.assertEqual(self.window_dividers(), [row["pci_divider"], row["agp_divider"]])
                self.assertIn(f"fsb={fsb}", self.page.fragment())
                # The chart and the table mark the window's FSB.
                chart = ElementTree.fromstring(self.page.download("save-svg"))
                # The legend names each hint in its own word.
                self.assertEqual([text.text for text in chart.findall(f".//{SVG}text")[:3]],
                                 ["安全", "注意", "危険"])
                marked = chart.findall(f".//{SVG}circle[@class='point cpu current']")
                self.assertEqual([c.get("data-fsb") for c in marked], [fsb])
                self.assertEqual(len(chart.findall(f".//{SVG}circle[@data-fsb]")),
                                 3 * len(records))
                # The page draws the chart it saves: the same words, the same
                # points marked.
                self.assertEqual(self.driver.execute_script(PAGE_CHART),
                                 [[text.text for text in chart.iter(f"{SVG}text")],
                                  [c.get("data-fsb") for c in chart.iter(f"{SVG}circle")
                                   if "current" in c.get("class")]])
                self.assertEqual(self.driver.execute_script(
                    "return document.querySelector('#fsb-table tr.current th').textContent"), fsb)

    def test_a_planner_row_fills_the_window(self):
        self.page.control("plan-target").send_keys("500")
        self.page.control("plan-multiplier").send_keys("4.5")
        self.page.control("plan-find").click()
        rows = self.table_rows("#plan-table")
        self.assertEqual(len(rows), 10)
        for index in (0, 3):
            with self.subTest(row=index):
                reference, fsb, pci, agp, cpu, _core, pci_mhz, agp_mhz = rows[index][:8]
                # A click anywhere on the row: here on its CPU clock.
                cell = self.driver.find_elements(By.CSS_SELECTOR, "#plan-table tbody tr")[
                    index].find_elements(By.TAG_NAME, "td")[3]
                self.driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", cell)
                cell.click()
                self.assertEqual(self.page.texts(), [reference, fsb])
                self.assertEqual(self.page.results(), [cpu, pci_mhz, agp_mhz])
                self.assertEqual(self.window_dividers(), [pci, agp])

    def test_each_table_is_one_tab_stop_and_a_chosen_row_is_said(self):
        focused = "return [document.activeElement.id, document.activeElement.textContent," \
            " document.activeElement.closest('table')?.id ?? '']"
        self.calculate("15")
        for table, first in (("fsb-table", "100"), ("plan-table", None)):
            with self.subTest(table=table):
                if first is None:
                    self.plan("500", "4.5")
                stops = self.driver.find_elements(
                    By.CSS_SELECTOR, f"#{table} tbody th button[tabindex='0']")
                self.assertEqual(len(stops), 1)
                stop = stops[0]
                if first is not None:
                    self.assertEqual(stop.text, first)
                # Down is the next row, Enter puts it in the window, and the
                # focus stays there, the next row one key away.
                stop.send_keys(Keys.ARROW_DOWN)
                _, chosen, where = self.driver.execute_script(focused)
                self.assertEqual(where, table)
                button = self.driver.switch_to.active_element
                self.assertIn(f"{chosen} MHz", button.accessible_name)
                button.send_keys(Keys.ENTER)
                self.assertEqual(self.driver.execute_script(focused)[1:], [chosen, table])
                spoken = self.driver.execute_script(
                    "return document.querySelector('[aria-live=polite]').textContent")
                self.assertIn(f"{self.page.results()[0]} MHz", spoken)
                # Tab goes on past the table.
                self.driver.switch_to.active_element.send_keys(Keys.TAB)
                self.assertNotEqual(self.driver.execute_script(focused)[2], table)
        self.assertIn("計画", self.page.control("plan-table").accessible_name)

    def plan(self, target, multiplier, crystals=""):
        for name, text in (("plan-target", target), ("plan-multiplier", multiplier),
                           ("plan-crystals", crystals)):
            self.page.control(name).clear()
            if text:  # WebKit's driver refuses to type nothing
                self.page.control(name).send_keys(text)
        self.page.control("plan-find").click()

    def test_the_plan_is_the_command_lines_in_either_language(self):
        # The limit starts where the command line's does.
        self.assertEqual(Select(self.page.control("plan-limit")).first_selected_option.text,
                         "注意")
        self.assertEqual([o.text for o in Select(self.page.control("plan-limit")).options],
                         ["安全", "注意", "危険"])
        # (target, multiplier, the user's crystals)
        for target, multiplier, crystals in (("500", "4.5", ""), ("120", "", "14.7456, 16.384")):
            self.plan(target, multiplier, crystals)
            rows = len(self.table_rows("#plan-table"))
            asked = ["--plan", "--target", target] + (
                ["--multiplier", multiplier] if multiplier else []) + (
                ["--ref", crystals.replace(" ", "")] if crystals else [])
            for language in ("ja", "en"):
                with self.subTest(language=language, crystals=crystals):
                    self.driver.find_element(
                        By.CSS_SELECTOR, f'#language-switch button[lang="{language}"]').click()
                    printed = cli(*asked, language=language)
                    if printed is None and crystals:
                        continue
                    line = first_line(printed) if printed else "".join(
                        KNOWN_PLAN[language].split())
                    self.assertEqual("".join(self.page.control("plan-summary").text.split()),
                                     line)
                    self.assertEqual(len(self.table_rows("#plan-table")), rows)

    def test_bad_target_or_multiplier_is_told_beside_it(self):
        page = self.page
        window = page.texts(), page.results()
        for target, multiplier, field, message in (
                ("abc", "", "plan-target", "目標クロックの値「abc」は数値ではありません。"),
                ("-5", "", "plan-target", "目標クロック は正の数です: -5"),
                ("", "", "plan-target", "目標クロック"),
                ("500", "0", "plan-multiplier", "倍率 は正の数です: 0"),
                ("500", "x", "plan-multiplier", "倍率の値「x」は数値ではありません。")):
            with self.subTest(target=target, multiplier=multiplier):
                self.plan("500", "")
                self.assertEqual(len(self.table_rows("#plan-table")), 10)
                self.plan(target, multiplier)
                self.assertIn(message, page.control(f"{field}-error").text)
                other = "plan-multiplier" if field == "plan-target" else "plan-target"
                self.assertEqual(page.control(f"{other}-error").text, "")
                self.assertEqual(page.control(field).get_attribute("aria-invalid"), "true")
                # The earlier plan's rows, and its headings, do not stay under
                # the message.
                self.assertEqual(self.table_rows("#plan-table"), [])
                self.assertFalse(page.control("plan-table").is_displayed())
                self.assertEqual(page.control("plan-summary").text, "")
                self.assertEqual((page.texts(), page.results()), window)


# Where the page's parts fall on a screen: the notice of a bad link, and
# the FSB table's cells on a phone.
IN_VIEW = """
const [selector] = arguments;
const r = document.querySelector(selector).getBoundingClientRect();
return [r.left, r.top, r.right, r.bottom, innerWidth, innerHeight];
"""


class Layout(unittest.TestCase):
    def test_a_bad_links_notice_is_in_view_under_the_window_on_a_desktop(self):
        for width, height in ((1280, 900), (1920, 1080)):
            with self.subTest(size=f"{width}x{height}"):
                driver = start_browser(width=width, height=height)
                try:
                    page = Page(driver, PageTestCase.page_path).open()
                    companion = driver.execute_script(IN_VIEW, "#companion")
                    page.open("#ref=abc&fsb=100")
                    self.assertIn("abc", page.notice())
                    window = driver.execute_script(IN_VIEW, "#Form1")
                    for part in ("#notice", "#language-switch"):
                        left, top, right, bottom, view_width, view_height = \
                            driver.execute_script(IN_VIEW, part)
                        self.assertGreaterEqual(top, window[3], part)
                        self.assertLessEqual(bottom, view_height, part)
                        self.assertLessEqual(right, companion[0], part)
                        self.assertGreaterEqual(left, 0, part)
                    # Neither pushed aside nor narrowed by the notice.
                    self.assertEqual(driver.execute_script(IN_VIEW, "#companion")[:3],
                                     companion[:3])
                finally:
                    driver.quit()

    @unittest.skipIf(engine() != "chromium", "printing to PDF is Chromium's")
    def test_one_crystal_prints_on_one_page(self):
        # (paper, width and height in inches)
        papers = (("A4", 8.27, 11.69), ("Letter", 8.5, 11))
        sheet = """
const words = (e) => e.textContent.split(/\\s+/).filter(Boolean);
const last = document.querySelector('#fsb-table tbody tr:last-child');
return [[...document.querySelectorAll('#fsb-table thead th'), ...last.cells].flatMap(words),
        ['save-csv', 'plan-find', 'copy-link'].map((id) => document.getElementById(id).textContent)];
"""
        for language in ("ja", "en"):
            driver = start_browser(language=language)
            try:
                Page(driver, PageTestCase.page_path).open("#ref=24.000&fsb=160")
                shown, screen_only = driver.execute_script(sheet)
                for paper, width, height in papers:
                    for landscape in (False, True):
                        with self.subTest(language=language, paper=paper, landscape=landscape):
                            pdf = base64.b64decode(driver.execute_cdp_cmd("Page.printToPDF", {
                                "paperWidth": width, "paperHeight": height,
                                "landscape": landscape, "printBackground": True})["data"])
                            pages, text = pdf_pages_and_text(pdf)
                            self.assertEqual(pages, 1)
                            # Every column's heading and the last row whole.
                            self.assertEqual([w for w in shown if w not in text], [])
                            self.assertEqual([s for s in screen_only if s in text], [])
            finally:
                driver.quit()

    @unittest.skipIf(engine() != "chromium", "phone emulation is Chromium's")
    def test_the_fsb_and_the_pci_and_agp_hints_are_in_view_on_a_phone(self):
        driver = start_browser(phone=True)
        try:
            # A crystal whose table has both hints in both columns.
            Page(driver, PageTestCase.page_path).open("#ref=14.318&fsb=100&lang=ja")
            cells = """
const box = document.querySelector('#fsb-table').parentElement;
box.scrollLeft = arguments[0];
const edge = box.getBoundingClientRect();
const rows = [...document.querySelectorAll('#fsb-table tr')];
const span = (cell) => { const r = cell.getBoundingClientRect();
                         return [r.left - edge.left, r.right - edge.left]; };
return [edge.width, box.scrollWidth,
        rows.map((tr) => [0, 4, 5].map((i) => [...span(tr.cells[i]),
                                             tr.cells[i].querySelector('.hint')?.textContent]))];
"""
            width, scroll_width, rows = driver.execute_script(cells, 0)
            words = {word for row in rows for *_, word in row[1:]}
            self.assertLessEqual({"注意", "危険"}, words)
            for row in rows:
                for left, right, _ in row:
                    self.assertGreaterEqual(left, 0)
                    self.assertLessEqual(right, width)
            # Scrolled to its far end, the table keeps each row's FSB in view.
            self.assertGreater(scroll_width, width)
            _, _, rows = driver.execute_script(cells, scroll_width)
            for (left, right, _), *_ in rows:
                self.assertEqual(left, 0)
        finally:
            driver.quit()


if __name__ == "__main__":
    main()
