#!/usr/bin/env python3
"""Times the page in headless Chromium against its own static snapshot (the
same DOM and style once the page is ready, scripts removed, loaded from
disk), alternating the two: first contentful paint and ready for input
(the page: the panel loaded and every control drawn and set; the snapshot:
its DOMContentLoaded), each from the navigation's start, as medians of
several loads after one of each to warm the browser up; and the file's size.

    /usr/bin/python3 bench/web/measure.py build-web/web/quenvale.html [--runs 10]
"""

import argparse
import os
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "..", "tests", "web"))
from page_harness import Page, start_browser  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

PAINT_GOAL = 1.05
READY_GOAL = 1.15
SIZE_GOAL_BYTES = 200 * 1024

SNAPSHOT = """
const copy = document.documentElement.cloneNode(true);
copy.querySelectorAll('script').forEach((script) => script.remove());
return '<!DOCTYPE html>\\n' + copy.outerHTML;
"""
PAINT = """
const paint = performance.getEntriesByName('first-contentful-paint')[0];
return paint ? paint.startTime : null;
"""


def load(driver, url, ready_script):
    driver.get("about:blank")
    driver.get(url)
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(ready_script))
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(PAINT))
    return driver.execute_script(PAINT), float(driver.execute_script(ready_script))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page")
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()
    path = os.path.abspath(args.page)

    driver = start_browser()
    with tempfile.TemporaryDirectory() as folder:
        try:
            Page(driver, path).open()
            snapshot = os.path.join(folder, "snapshot.html")
            with open(snapshot, "w", encoding="utf-8") as out:
                out.write(driver.execute_script(SNAPSHOT))
            kinds = {
                "page": ("file://" + path, "return document.documentElement.dataset.ready"),
                "snapshot": ("file://" + snapshot, "const n = performance.getEntriesByType("
                             "'navigation')[0]; return n && n.domContentLoadedEventEnd"),
            }
            figures = {kind: ([], []) for kind in kinds}
            for kind, (url, ready) in kinds.items():
                load(driver, url, ready)  # warms up; not counted
            for _ in range(args.runs):
                for kind, (url, ready) in kinds.items():
                    paint, at = load(driver, url, ready)
                    figures[kind][0].append(paint)
                    figures[kind][1].append(at)
        finally:
            driver.quit()

    medians = {kind: (statistics.median(p), statistics.median(r))
               for kind, (p, r) in figures.items()}
    paint_ratio = medians["page"][0] / medians["snapshot"][0]
    ready_ratio = medians["page"][1] / medians["snapshot"][1]
    size = os.path.getsize(path)
    for kind, (paint, ready) in medians.items():
        print(f"{kind}: first contentful paint {paint:.1f} ms, ready for input {ready:.1f} ms "
              f"(medians of {args.runs})")
    print(f"first paint: {paint_ratio:.2f}x the snapshot's; goal <= {PAINT_GOAL}x")
    print(f"ready for input: {ready_ratio:.2f}x the snapshot's; goal <= {READY_GOAL}x")
    print(f"file size: {size} bytes ({size / 1024:.1f} KiB); goal <= {SIZE_GOAL_BYTES // 1024} KiB")
    within = paint_ratio <= PAINT_GOAL and ready_ratio <= READY_GOAL and size <= SIZE_GOAL_BYTES
    return 0 if within else 1


if __name__ == "__main__":
    sys.exit(main())
