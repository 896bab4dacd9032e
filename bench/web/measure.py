#!/usr/bin/env python3
"""Times the page in headless Chromium against its own static snapshot (the
same DOM and style once the page is ready, scripts removed, loaded from
disk), alternating the two: first contentful paint and ready for input,
each from the navigation's start, as medians of several loads after one of
each to warm the browser up; and the file's size.

Ready for input: the snapshot's DOMContentLoaded; the page's moment its
controls take input that is kept (held_gestures.js, right after the
window's markup: what is done before the program runs is done again
through it). Also shown: when the program itself runs (every control
driven by it: the page's mark quenvale-running, else, for a build without
it, the moment the page is ready in all), and the longest task after the
first paint, which delays
a gesture's echo; a task of 50 ms or more is a "long task" and would
count against readiness.

    /usr/bin/python3 bench/web/measure.py build-web/web/quenvale.html [--runs 10]
        [--against OLD.html]

With --against, another build of the page (and its own snapshot) is loaded
in turn with this one, and each figure of this page is also given as a
ratio to the other's, pair by pair.
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
// Its policy too, which would refuse the style the scripts set.
copy.querySelectorAll('meta[http-equiv]').forEach((policy) => policy.remove());
return '<!DOCTYPE html>\\n' + copy.outerHTML;
"""
PAINT = """
const paint = performance.getEntriesByName('first-contentful-paint')[0];
return paint ? paint.startTime : null;
"""
LONGEST_TASK = """
const done = arguments[0];
new PerformanceObserver((list, observer) => {
    observer.disconnect();
    done(Math.max(0, ...list.getEntries().map((task) => task.duration)));
}).observe({ type: 'longtask', buffered: true });
setTimeout(() => done(0), 200);
"""


def load(driver, url, kind):
    """First paint, ready for input and, for the page, the program running
    and its longest long task, in ms from the navigation's start."""
    driver.get("about:blank")
    driver.get(url)
    done = (PAGE_READY if kind == "page" else SNAPSHOT_LOADED)
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(done))
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(PAINT))
    paint = driver.execute_script(PAINT)
    if kind == "snapshot":
        return paint, float(driver.execute_script(SNAPSHOT_LOADED)), None, None
    ready = driver.execute_script(
        "return performance.getEntriesByName('quenvale-input')[0].startTime")
    return (paint, ready, float(driver.execute_script(PAGE_RUNNING)),
            driver.execute_async_script(LONGEST_TASK))


# The window driven by the program (its mark); the page ready in all, for
# a build without the mark.
PAGE_READY = "return document.documentElement.dataset.ready"
PAGE_RUNNING = """
const running = performance.getEntriesByName('quenvale-running')[0];
return running ? running.startTime : document.documentElement.dataset.ready;
"""
SNAPSHOT_LOADED = ("const n = performance.getEntriesByType('navigation')[0]; "
                   "return n && n.domContentLoadedEventEnd")


def snapshot_of(driver, path, out_path):
    """The page's static snapshot, written to out_path."""
    Page(driver, path).open()
    with open(out_path, "w", encoding="utf-8") as out:
        out.write(driver.execute_script(SNAPSHOT))
    return out_path


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--against", help="another build of the page, loaded in turn")
    args = parser.parse_args()
    path = os.path.abspath(args.page)

    driver = start_browser()
    with tempfile.TemporaryDirectory() as folder:
        try:
            urls = {"page": "file://" + path, "snapshot": "file://" + snapshot_of(
                driver, path, os.path.join(folder, "snapshot.html"))}
            if args.against:
                other = os.path.abspath(args.against)
                urls["other page"] = "file://" + other
                urls["other snapshot"] = "file://" + snapshot_of(
                    driver, other, os.path.join(folder, "other-snapshot.html"))
            figures = {kind: [] for kind in urls}
            for kind, url in urls.items():
                load(driver, url, kind.split()[-1])  # warms up; not counted
            for _ in range(args.runs):
                for kind, url in urls.items():
                    figures[kind].append(load(driver, url, kind.split()[-1]))
        finally:
            driver.quit()

    def median(kind, column):
        return statistics.median(row[column] for row in figures[kind])

    paint_ratio = median("page", 0) / median("snapshot", 0)
    ready_ratio = median("page", 1) / median("snapshot", 1)
    size = os.path.getsize(path)
    for kind in urls:
        print(f"{kind}: first contentful paint {median(kind, 0):.1f} ms, ready for input "
              f"{median(kind, 1):.1f} ms (medians of {args.runs})")
    print(f"page: the program running at {median('page', 2):.1f} ms "
          f"({median('page', 2) / median('snapshot', 1):.2f}x the snapshot's ready), "
          f"longest task after loading {max(row[3] for row in figures['page']):.0f} ms "
          "(0: none of 50 ms or more)")
    print(f"first paint: {paint_ratio:.2f}x the snapshot's; goal <= {PAINT_GOAL}x")
    print(f"ready for input: {ready_ratio:.2f}x the snapshot's; goal <= {READY_GOAL}x")
    print(f"file size: {size} bytes ({size / 1024:.1f} KiB); goal <= {SIZE_GOAL_BYTES // 1024} KiB")
    if args.against:
        other_size = os.path.getsize(args.against)
        print(f"other page: first paint {median('other page', 0) / median('other snapshot', 0):.2f}x"
              f", ready for input {median('other page', 1) / median('other snapshot', 1):.2f}x, "
              f"the program running {median('other page', 2) / median('other snapshot', 1):.2f}x"
              f" its snapshot's; {other_size} bytes")
        for name, column in (("first paint", 0), ("ready for input", 1),
                             ("the program running", 2)):
            paired = statistics.median(row[column] / other[column] for row, other in
                                       zip(figures["page"], figures["other page"]))
            print(f"{name}: this page / the other, pair by pair: {paired:.2f}x (median)")
    within = paint_ratio <= PAINT_GOAL and ready_ratio <= READY_GOAL and size <= SIZE_GOAL_BYTES
    return 0 if within else 1


if __name__ == "__main__":
    sys.exit(main())
