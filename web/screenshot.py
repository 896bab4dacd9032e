#!/usr/bin/env python3
"""Takes the page's picture for the README in headless Chromium: the
window's client area after "15" is typed and 計算実行 pressed, as the
desktop window's picture shows it.

    /usr/bin/python3 web/screenshot.py build-web/web/quenvale.html docs/page-screenshot.png
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from page_harness import REFERENCE, Page, start_browser  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    driver = start_browser()
    try:
        page = Page(driver, os.path.abspath(sys.argv[1])).open()
        page.type_into(REFERENCE, "15")
        page.box(REFERENCE).send_keys(Keys.ENTER)
        page.control("Form1").screenshot(sys.argv[2])
    finally:
        driver.quit()
    return 0


if __name__ == "__main__":
    sys.exit(main())
