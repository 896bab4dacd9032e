#!/usr/bin/env python3
"""What the companion beside the window costs the page as it opens, before
any script of the program runs: reading its markup (its chart's elements
among it) and its first layout, in a new headless
Chromium for each load (no font, style or image cached from the load
before, as on a first visit), in phone emulation with the browser in
Japanese. Timing scripts are put just before and just after the companion,
with the page's policy taken out, which would refuse them. Medians.

    /usr/bin/python3 bench/web/first_layout.py build-web/web/quenvale.html [--runs 10]
        [--against OLD.html]

With --against, another build of the page is loaded in turn with this one.
"""

import argparse
import os
import re
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "..", "tests", "web"))
from page_harness import start_browser  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

# Before the companion: what is read so far laid out, so that the layout
# timed after it is the companion's.
BEFORE = ("<script>document.body.offsetHeight;"
          "window.quenvaleRead = performance.now();</script>")
AFTER = ("<script>const read = performance.now();"
         "document.body.offsetHeight;"
         "window.quenvaleFirst = [read - window.quenvaleRead, performance.now() - read];</script>")


def timed(page, folder):
    """A copy of the page with the timing scripts, its path."""
    with open(page, encoding="utf-8") as source:
        html = source.read()
    html = re.sub(r'<meta http-equiv="Content-Security-Policy"[^>]*>', "", html, count=1)
    html = html.replace('<aside id="companion"', BEFORE + '<aside id="companion"', 1)
    html = html.replace("</aside>", "</aside>" + AFTER, 1)
    path = os.path.join(folder, f"{len(os.listdir(folder))}.html")
    with open(path, "w", encoding="utf-8") as copy:
        copy.write(html)
    return path


def load(path):
    driver = start_browser(phone=True, language="ja")
    try:
        driver.get("file://" + path)
        return WebDriverWait(driver, 60).until(
            lambda d: d.execute_script("return window.quenvaleFirst"))
    finally:
        driver.quit()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--against")
    args = parser.parse_args()
    pages = [("page", args.page)] + ([("other page", args.against)] if args.against else [])
    with tempfile.TemporaryDirectory() as folder:
        copies = {name: timed(os.path.abspath(page), folder) for name, page in pages}
        loads = {name: [] for name, _ in pages}
        for _ in range(args.runs):
            for name, _ in pages:
                loads[name].append(load(copies[name]))
    for name, _ in pages:
        read = statistics.median(load[0] for load in loads[name])
        layout = statistics.median(load[1] for load in loads[name])
        print(f"{name}: the companion read in {read:.1f} ms, "
              f"its first layout {layout:.1f} ms (medians of {args.runs} loads)")


if __name__ == "__main__":
    main()
