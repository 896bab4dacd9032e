#!/usr/bin/env python3
"""The page in a real browser: the same texts as the window for the same
gestures, and the same keyboard behaviour."""

import base64
import os

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

from page_harness import AGP, FSB, PCI, REFERENCE, PageTestCase, main


class TypicalUse(PageTestCase):
    def test_fifteen_megahertz_crystal_at_hundred_megahertz_fsb(self):
        page = self.page
        self.assertEqual(page.texts(), ["14.318", "100"])
        self.assertEqual(page.pci_state(), "-- ++ +-")
        self.assertEqual(page.selected(AGP), 1)
        self.assertEqual(page.results(), ["", "", ""])
        self.assertEqual(page.focused_id(), "Combo1(0)")

        # 15.000, the item after 14.318, with the Down key on the closed list.
        page.box(REFERENCE).send_keys(Keys.ARROW_DOWN)
        self.assertEqual(page.texts(), ["15.000", "100"])
        self.assertEqual(page.pci_state(), "-- ++ +-")
        self.assertTrue(page.calculate_button().is_enabled())

        page.calculate_button().click()
        self.assertEqual(page.results(), ["104.7632", "34.92108", "69.84216"])
        self.assertFalse(page.calculate_button().is_enabled())
        self.assertFalse(page.dialog_open())
        # Back in the box last used, ready for the next crystal.
        self.assertEqual(page.focused_id(), "Combo1(0)")
        self.assertEqual(page.selection_of_focused(), "15.000")


# Reference and FSB picked from their lists (which sets the FSB band's
# dividers), then the dividers clicked: the texts the window shows.
WORKED_ROWS = [
    ("14.318", "100", 1, 1, ["100", "33.33334", "66.66667"]),
    ("14.318", "66.666", 0, 0, ["66.666", "33.333", "66.666"]),
    ("15.000", "100", 1, 1, ["104.7632", "34.92108", "69.84216"]),
    ("14.318", "133.333", 1, 1, ["133.333", "44.44433", "88.88866"]),
    ("14.318", "140", 2, 2, ["140", "35", "70"]),
    ("24.000", "160", 2, 2, ["268.1939", "67.04847", "134.0969"]),
    ("12.000", "66.666", 0, 0, ["55.87317", "27.93658", "55.87317"]),
]


class WorkedRows(PageTestCase):
    def test_each_row_gives_the_windows_texts(self):
        for reference, fsb, pci, agp, expected in WORKED_ROWS:
            with self.subTest(reference=reference, fsb=fsb):
                page = self.page.open()
                page.pick_with_mouse(FSB, fsb)
                page.pick_with_mouse(REFERENCE, reference)
                page.option(PCI, pci).click()
                page.option(AGP, agp).click()
                page.calculate_button().click()
                self.assertEqual(page.results(), expected)

    def test_over_clocked_results_say_why(self):
        page = self.page
        page.pick_with_mouse(FSB, "160")
        page.pick_with_mouse(REFERENCE, "24.000")
        page.calculate_button().click()
        pci, agp = page.control("Text1(1)"), page.control("Text1(2)")
        tip = page.control("result-tip")
        for box in (pci, agp):
            self.assertIn("danger", box.get_attribute("class"))
            self.assertIn("125%を超えています", box.get_attribute("aria-description"))
            ActionChains(page.driver).move_to_element(box).perform()
            self.assertTrue(tip.is_displayed())
            self.assertIn("125%を超えています", tip.text)
            # Beside the results frame, not over the box.
            self.assertGreaterEqual(tip.location["x"], box.location["x"] + box.size["width"])
        ActionChains(page.driver).move_to_element(page.control("Command2")).perform()
        self.assertFalse(tip.is_displayed())
        # Tab brings the tip as well.
        page.driver.execute_script("arguments[0].focus()", page.control("Text1(0)"))
        ActionChains(page.driver).send_keys(Keys.TAB).perform()
        self.assertEqual(page.focused_id(), "Text1(1)")
        self.assertTrue(tip.is_displayed())
        # A calculation back in range takes the hint away.
        page.pick_with_mouse(REFERENCE, "12.000")
        page.calculate_button().click()
        self.assertNotIn("danger", pci.get_attribute("class"))
        self.assertEqual(pci.get_attribute("data-tip"), "")


# A pick from the FSB list in each band: the PCI options as enabled and
# selected flags, and the AGP option selected.
BANDS = [
    ("90", "++ -- --", 1),
    ("100", "-- ++ +-", 1),
    ("133.333", "-- ++ +-", 1),
    ("138", "-- -- ++", 2),
]


class Bands(PageTestCase):
    def test_a_pick_sets_the_dividers_of_its_band(self):
        for fsb, pci, agp in BANDS:
            with self.subTest(fsb=fsb):
                page = self.page.open()
                page.pick_with_mouse(FSB, fsb)
                self.assertEqual(page.texts()[FSB], fsb)
                self.assertEqual(page.pci_state(), pci)
                self.assertEqual(page.selected(AGP), agp)

    def test_typing_runs_no_rule(self):
        page = self.page
        page.calculate_button().click()
        self.assertFalse(page.calculate_button().is_enabled())
        page.type_into(FSB, "150")
        self.assertEqual(page.texts()[FSB], "150")
        self.assertEqual(page.pci_state(), "-- ++ +-")
        self.assertEqual(page.selected(AGP), 1)
        # The edit armed 計算実行; the results stay until it is pressed.
        self.assertTrue(page.calculate_button().is_enabled())
        self.assertEqual(page.results(), ["100", "33.33334", "66.66667"])


# Typed texts that fail, the box blamed and the message shown.
BAD_INPUT = [
    (FSB, "abc", "Combo1(1)",
     "FSBの値「abc」は数値ではありません。\n実行時エラー 13: 型が一致しません。"),
    (REFERENCE, "14,318", "Combo1(0)",
     "PLL-IC REF クロックの値「14,318」は数値ではありません。小数点は「.」です。\n"
     "実行時エラー 13: 型が一致しません。"),
    (FSB, "1e39", "Combo1(1)", "FSBの値「1e39」は大きすぎます。\n実行時エラー 6: オーバーフローしました。"),
    (REFERENCE, "", "Combo1(0)",
     "PLL-IC REF クロックの値が入力されていません。\n実行時エラー 13: 型が一致しません。"),
]


class BadInput(PageTestCase):
    def test_the_dialog_names_the_box_and_hands_the_focus_back(self):
        for box, text, blamed, message in BAD_INPUT:
            with self.subTest(text=text):
                page = self.page.open()
                page.type_into(box, text)
                page.calculate_button().click()
                self.assertTrue(page.dialog_open())
                self.assertEqual(page.dialog_message(), message)
                self.assertEqual(page.results(), ["", "", ""])
                self.assertEqual(page.pci_state(), "-- ++ +-")
                self.assertTrue(page.calculate_button().is_enabled())
                page.control("failure-ok").click()
                self.assertFalse(page.dialog_open())
                self.assertEqual(page.focus_settles_on(blamed), blamed)
                self.assertEqual(page.selection_of_focused(), text)

    def test_a_pick_with_a_bad_fsb_blames_the_fsb(self):
        page = self.page
        page.type_into(FSB, "x")
        page.pick_with_mouse(REFERENCE, "15.000")
        self.assertTrue(page.dialog_open())
        # The pick itself stays; the rules changed nothing.
        self.assertEqual(page.texts(), ["15.000", "x"])
        self.assertEqual(page.pci_state(), "-- ++ +-")
        page.driver.switch_to.active_element.send_keys(Keys.ESCAPE)
        self.assertFalse(page.dialog_open())
        self.assertEqual(page.focus_settles_on("Combo1(1)"), "Combo1(1)")


# However 計算実行 is pressed, the focus goes back to the box last used.
CALCULATE_BY = ["click", "Enter on the button", "Space on the button", "Enter in the reference box"]

# Up and Down with the list closed go on from the text: typed text, key,
# the text after it, and the item highlighted when the list opens.
ARROW_STEPS = [
    ("150", Keys.ARROW_DOWN, "153", "150"),
    ("103", Keys.ARROW_UP, "100", "103"),
    ("101", Keys.ARROW_DOWN, "103", None),
    ("101", Keys.ARROW_UP, "100", None),
    ("170", Keys.ARROW_DOWN, "170", None),
    ("abc", Keys.ARROW_UP, "160", None),
    ("101", Keys.PAGE_DOWN, "103", None),
    ("150", Keys.PAGE_UP, "148", "150"),
]


class Keyboard(PageTestCase):
    def test_focus_returns_to_the_last_box_after_calculating(self):
        for by in CALCULATE_BY:
            with self.subTest(by=by):
                page = self.page.open()
                page.type_into(FSB, "133.333")
                if by == "click":
                    page.calculate_button().click()
                elif by == "Enter in the reference box":
                    page.box(REFERENCE).send_keys(Keys.ENTER)
                else:
                    page.driver.execute_script("arguments[0].focus()", page.calculate_button())
                    ActionChains(page.driver).send_keys(
                        Keys.ENTER if by.startswith("Enter") else Keys.SPACE).perform()
                results = page.results()
                self.assertEqual(results[0], "133.333")
                self.assertEqual(page.focused_id(), "Combo1(1)")
                self.assertEqual(page.selection_of_focused(), "133.333")
                # Neither Enter nor Space can reach 終了 from there.
                ActionChains(page.driver).send_keys(Keys.ENTER, Keys.ENTER, Keys.SPACE).perform()
                self.assertEqual(page.results(), results)

    def test_arrow_keys_go_on_from_the_text(self):
        for typed, key, after, highlighted in ARROW_STEPS:
            with self.subTest(typed=typed, key=key):
                page = self.page.open()
                page.type_into(FSB, typed)
                box = page.box(FSB)
                box.send_keys(Keys.ALT, Keys.ARROW_DOWN)
                active = box.get_attribute("aria-activedescendant")
                shown = page.driver.find_element("id", active).text if active else None
                self.assertEqual(shown, highlighted)
                box.send_keys(Keys.ESCAPE)
                box.send_keys(key)
                self.assertEqual(page.texts()[FSB], after)

    def test_tab_skips_the_disabled_button_after_calculating(self):
        page = self.page
        page.box(REFERENCE).send_keys(Keys.ENTER)
        visited = []
        for _ in range(8):
            ActionChains(page.driver).send_keys(Keys.TAB).perform()
            visited.append(page.focused_id())
        self.assertNotIn("Command1", visited)
        self.assertEqual(len(set(visited)), 8)
        # Tab into a box selects its text, so typing replaces it.
        self.assertEqual(visited[0], "Combo1(1)")
        page.driver.execute_script("arguments[0].focus()", page.control("Command2"))
        ActionChains(page.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(
            Keys.SHIFT).perform()
        ActionChains(page.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(
            Keys.SHIFT).perform()
        ActionChains(page.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(
            Keys.SHIFT).perform()
        self.assertEqual(page.focused_id(), "Combo1(1)")
        self.assertEqual(page.selection_of_focused(), "100")

    def test_text_being_composed_is_typed_when_committed(self):
        page = self.page
        box = page.box(FSB)
        box.send_keys(Keys.ENTER)
        self.assertFalse(page.calculate_button().is_enabled())
        # An input method composing "１５０": neither its updates nor the
        # Enter that commits it are the user's edit or calculation.
        page.driver.execute_script("""
            const box = arguments[0];
            box.focus();
            box.dispatchEvent(new CompositionEvent('compositionstart'));
            box.value = '１５０';
            box.dispatchEvent(new InputEvent('input', {isComposing: true}));
            box.dispatchEvent(new KeyboardEvent('keydown',
                {key: 'Enter', isComposing: true, bubbles: true}));""", box)
        self.assertFalse(page.calculate_button().is_enabled())
        self.assertEqual(page.results(), ["100", "33.33334", "66.66667"])
        page.driver.execute_script(
            "arguments[0].dispatchEvent(new CompositionEvent('compositionend', {data: '１５０'}))",
            box)
        self.assertTrue(page.calculate_button().is_enabled())
        box.send_keys(Keys.ENTER)
        self.assertEqual(page.results(), ["150", "50", "100"])

    def test_enter_calculates_wherever_the_focus_is(self):
        page = self.page
        page.type_into(REFERENCE, "15")
        page.box(REFERENCE).send_keys(Keys.ENTER)
        self.assertEqual(page.results(), ["104.7632", "34.92108", "69.84216"])
        self.assertFalse(page.calculate_button().is_enabled())
        # Disarmed until the next change: Enter again calculates nothing.
        page.box(REFERENCE).send_keys(Keys.ENTER)
        self.assertEqual(page.results(), ["104.7632", "34.92108", "69.84216"])
        # From an option frame, after an edit.
        page.type_into(FSB, "200")
        page.option(AGP, 1).send_keys(Keys.ENTER)
        self.assertEqual(page.results(), ["209.5265", "69.84216", "139.6843"])
        self.assertFalse(page.calculate_button().is_enabled())

    def test_alt_down_opens_the_list_and_enter_picks(self):
        page = self.page
        box = page.box(FSB)
        box.click()
        self.assertEqual(box.get_attribute("aria-expanded"), "false")
        box.send_keys(Keys.ALT, Keys.ARROW_DOWN)
        self.assertEqual(box.get_attribute("aria-expanded"), "true")
        active = page.driver.find_element("id", box.get_attribute("aria-activedescendant"))
        self.assertEqual(active.text, "100")
        box.send_keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN)
        box.send_keys(Keys.ENTER)
        self.assertEqual(box.get_attribute("aria-expanded"), "false")
        self.assertEqual(page.texts()[FSB], "110")
        # The pick did not calculate: Enter in the open list belongs to it.
        self.assertEqual(page.results(), ["", "", ""])

    def test_escape_closes_the_list_without_a_pick(self):
        page = self.page
        box = page.box(REFERENCE)
        box.send_keys(Keys.ALT, Keys.ARROW_DOWN)
        box.send_keys(Keys.ARROW_UP, Keys.ESCAPE)
        self.assertEqual(box.get_attribute("aria-expanded"), "false")
        self.assertEqual(page.texts()[REFERENCE], "14.318")

    def test_controls_carry_their_labels_and_roles(self):
        page = self.page
        expected = [
            ("Combo1(0)", "combobox", "PLL-IC REF クロック"),
            ("Combo1(1)", "combobox", "設定するM/BのFSB"),
            ("Text1(0)", "textbox", "CPUクロック"),
            ("Text1(1)", "textbox", "PCIクロック"),
            ("Text1(2)", "textbox", "AGPクロック"),
            ("Command1", "button", "計算実行"),
            ("Command2", "button", "終了"),
            ("Option1(1)", "radio", "1/3"),
            ("Option2(0)", "radio", "1/1"),
        ]
        for name, role, label in expected:
            with self.subTest(name=name):
                control = page.control(name)
                self.assertEqual(control.aria_role, role)
                self.assertEqual(control.accessible_name, label)
        self.assertEqual(page.box(REFERENCE).get_attribute("title"), "PLL-ICに与える周波数")
        self.assertEqual(page.box(FSB).get_attribute("title"), "マザーボードで設定するFSB")
        # The CPU clock tells what the crystal does to USB and the timer.
        page.box(REFERENCE).send_keys(Keys.ENTER)
        self.assertIn("USB", page.control("Text1(0)").get_attribute("data-tip"))

    def test_tab_visits_the_controls_in_layout_order(self):
        page = self.page
        order = [page.focused_id()]
        for _ in range(8):
            ActionChains(page.driver).send_keys(Keys.TAB).perform()
            order.append(page.focused_id())
        self.assertEqual(order, ["Combo1(0)", "Combo1(1)", "Option1(1)", "Option2(1)", "Command1",
                                 "Command2", "Text1(0)", "Text1(1)", "Text1(2)"])


class SelfContained(PageTestCase):
    def test_the_page_loads_nothing_else(self):
        # Everything is inlined: not one request beyond the file itself.
        self.assertEqual(self.page.driver.execute_script(
            "return performance.getEntriesByType('resource').map(e => e.name)"), [])
        self.assertEqual(self.page.driver.title, "Quenvale")
        self.assertEqual(self.page.driver.execute_script(
            "return document.documentElement.lang"), "ja")
        icons = self.page.driver.execute_script(
            "return [...document.querySelectorAll('link[rel=icon]')].map(l => l.href)")
        self.assertEqual(len(icons), 2)
        self.assertTrue(all(icon.startswith("data:image/png;base64,") for icon in icons))
        # Minified, local names shortened: a page whose scripts are not grows
        # by more than a tenth.
        self.assertLessEqual(os.path.getsize(self.page_path), 196 * 1024)

    def test_the_policy_allows_no_code_from_strings(self):
        policy = dict(directive.split(" ", 1) for directive in self.page.driver.execute_script(
            "return document.querySelector('meta[http-equiv=Content-Security-Policy]').content")
            .split("; "))
        # (directive, sources it must name, sources it must not)
        for directive, present, absent in [
            ("script-src", ["'wasm-unsafe-eval'"], ["'unsafe-eval'", "'unsafe-inline'"]),
            ("require-trusted-types-for", ["'script'"], []),
            ("trusted-types", ["'none'"], []),
            ("default-src", ["'none'"], []),
        ]:
            with self.subTest(directive=directive):
                sources = policy.get(directive, "").split()
                self.assertEqual([s for s in present if s not in sources], [])
                self.assertEqual([s for s in absent if s in sources], [])

    def test_the_same_sources_make_the_same_page(self):
        # The WebAssembly's gzip header carries no time stamp, so that two
        # builds of the same sources give the same bytes and build id.
        packed = self.page.driver.execute_script(
            "return document.getElementById('program-wasm').textContent")
        header = base64.b64decode(packed[:16])
        self.assertEqual(header[:2], b"\x1f\x8b")
        self.assertEqual(header[4:8], bytes(4))


if __name__ == "__main__":
    main()
