#!/usr/bin/env python3
"""Times, in headless Chromium, what 計算実行 costs once the FSB table, its
chart and the planner are beside the window: from the click to the page
laid out again with the new table and chart (the click's handler runs
everything at once, so one frame must hold it all), as the median and the
slowest of many calculations, crystals taken in turn from the window's list.
The goal is one frame at 60 Hz.

    /usr/bin/python3 bench/web/companion_frame.py build-web/web/quenvale.html [--runs 60]
        [--against OTHER.html]

With --against, the two pages take turns in blocks in the same browser, and
the ratio of their medians is printed: this machine's speed drifts too much
from one run to the next to compare two separate runs.
"""

import argparse
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "..", "tests", "web"))
from page_harness import Page, start_browser  # noqa: E402

FRAME_MS = 16.0

# Types the crystal as a user does (an input event the session hears), then
# clicks 計算実行 and makes the browser lay the page out.
CALCULATE = """
const [reference] = arguments;
const box = document.getElementById('Combo1(0)');
box.value = reference;
box.dispatchEvent(new Event('input', { bubbles: true }));
// The typed text's own frame is not 計算実行's.
document.body.getBoundingClientRect();
const start = performance.now();
document.getElementById('Command1').click();
document.body.getBoundingClientRect();
const rows = document.querySelectorAll('#fsb-table tbody tr').length;
return [performance.now() - start, rows,
        document.querySelector('#fsb-table caption').textContent];
"""

CRYSTALS = ["12.000", "14.318", "15.000", "16.000", "18.432", "20.000", "24.000"]


def time_page(driver, page, runs):
    """The times of `runs` calculations after five to warm up, or None when
    the table did not follow the crystal."""
    Page(driver, os.path.abspath(page)).open()
    times = []
    for run in range(runs + 5):
        reference = CRYSTALS[run % len(CRYSTALS)]
        elapsed, rows, caption = driver.execute_script(CALCULATE, reference)
        if rows != 21 or reference not in caption:
            print(f"{page}: the table did not follow {reference}: {rows} rows, {caption!r}",
                  file=sys.stderr)
            return None
        if run >= 5:  # the first few warm the engine up
            times.append(elapsed)
    return times


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page")
    parser.add_argument("--runs", type=int, default=60)
    parser.add_argument("--against", help="another build of the page, timed in turn")
    args = parser.parse_args()
    pages = [args.page] + ([args.against] if args.against else [])
    blocks = 6 if args.against else 1
    times = {page: [] for page in pages}
    driver = start_browser(1280, 900)
    try:
        for _ in range(blocks):
            for page in pages:
                block = time_page(driver, page, args.runs // blocks)
                if block is None:
                    return 1
                times[page] += block
    finally:
        driver.quit()
    median = statistics.median(times[args.page])
    print(f"計算実行 to table and chart laid out, {len(times[args.page])} runs: "
          f"median {median:.2f} ms, slowest {max(times[args.page]):.2f} ms "
          f"(goal {FRAME_MS:.0f} ms)")
    if args.against:
        other = statistics.median(times[args.against])
        print(f"{args.against}: median {other:.2f} ms; ratio {median / other:.2f}")
    return 0 if median <= FRAME_MS else 1


if __name__ == "__main__":
    sys.exit(main())
