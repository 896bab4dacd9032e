#!/usr/bin/env python3
"""Times the page in headless Chromium: from the start of a navigation to
the page being ready for input (the panel loaded and every control drawn
and set), as the median of several loads after one to warm the browser
up; and the size of the file.

    /usr/bin/python3 bench/web/measure.py build-web/web/quenvale.html [--runs 10]
"""

import argparse
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "..", "tests", "web"))
from page_harness import Page, start_browser  # noqa: E402

READY_GOAL_MS = 150
SIZE_GOAL_BYTES = 200 * 1024


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page")
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()
    path = os.path.abspath(args.page)

    driver = start_browser()
    try:
        page = Page(driver, path)
        page.open()  # warms the browser up; not counted
        ready, loaded = [], []
        for _ in range(args.runs):
            page.open()
            # Both are measured from the navigation's start (timeOrigin).
            ready.append(float(driver.execute_script(
                "return document.documentElement.dataset.ready")))
            loaded.append(driver.execute_script(
                "return performance.getEntriesByType('navigation')[0].domContentLoadedEventEnd"))
    finally:
        driver.quit()

    size = os.path.getsize(path)
    ready_ms = statistics.median(ready)
    print(f"ready for input: median {ready_ms:.1f} ms of {args.runs} "
          f"(min {min(ready):.1f}, max {max(ready):.1f}); goal <= {READY_GOAL_MS} ms")
    print(f"DOMContentLoaded: median {statistics.median(loaded):.1f} ms")
    print(f"file size: {size} bytes ({size / 1024:.1f} KiB); goal <= {SIZE_GOAL_BYTES // 1024} KiB")
    return 0 if ready_ms <= READY_GOAL_MS and size <= SIZE_GOAL_BYTES else 1


if __name__ == "__main__":
    sys.exit(main())
