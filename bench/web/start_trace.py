#!/usr/bin/env python3
"""Where the main thread's time goes after the page's first paint, from a
trace of each load: each load in a new headless Chromium (nothing cached),
in phone emulation at Lighthouse's mobile size (412x823), its CPU not
slowed (Lighthouse slows the trace it takes 4x when it scores, so a task
here counts as blocking from 12.5 ms on). For each page, medians over the
loads of: the time the main thread is busy after the first paint, its
longest task, the blocking time those tasks would have 4x slower, and how
much of the busy time is layout, style, paint, reading the HTML, running
scripts and collecting garbage; and the longest tasks of one load.

    /usr/bin/python3 bench/web/start_trace.py build-web/web/quenvale.html [--runs 8]
        [--language ja] [--against OLD.html]

With --against, another build of the page is loaded in turn with this one.
"""

import argparse
import collections
import json
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "..", "tests", "web"))
from page_harness import CHROMEDRIVER, PHONE_AGENT  # noqa: E402
from selenium import webdriver  # noqa: E402
from selenium.webdriver.chrome.options import Options  # noqa: E402
from selenium.webdriver.chrome.service import Service  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

CATEGORIES = ("devtools.timeline,disabled-by-default-devtools.timeline,loading,"
              "v8.execute")
# What a task's time is spent on, as the trace names it. A layout that a
# script forces counts as layout and as the script's; reading the HTML counts
# without the scripts it runs.
KINDS = {
    "layout": ("Layout",),
    "style": ("UpdateLayoutTree",),
    "paint": ("Paint", "PrePaint", "Layerize"),
    "HTML": ("ParseHTML",),
    "scripts": ("EvaluateScript", "RunMicrotasks", "FunctionCall", "TimerFire"),
    "garbage": ("MinorGC", "MajorGC"),
}
SLOWDOWN = 4


def load(page, language):
    """The main thread's events after the first paint, and its tasks."""
    options = Options()
    for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage",
                     "--disable-gpu", "--force-device-scale-factor=1", f"--lang={language}"):
        options.add_argument(argument)
    options.add_experimental_option("prefs", {"intl.accept_languages": language})
    options.add_experimental_option("mobileEmulation", {
        "deviceMetrics": {"width": 412, "height": 823, "pixelRatio": 1.75, "touch": True},
        "userAgent": PHONE_AGENT})
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    options.add_experimental_option("perfLoggingPrefs", {"traceCategories": CATEGORIES})
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    try:
        driver.get("file://" + os.path.abspath(page))
        WebDriverWait(driver, 60).until(
            lambda d: d.execute_script("return document.documentElement.dataset.ready"))
        # The start's last tasks come after the window is ready.
        time.sleep(1.5)
        logs = driver.get_log("performance")
    finally:
        driver.quit()
    events = []
    for entry in logs:
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Tracing.dataCollected" and "ph" in message["params"]:
            events.append(message["params"])
    paint = [e for e in events if e.get("name") == "firstContentfulPaint"][-1]
    thread = (paint["pid"], paint["tid"])
    after = [e for e in events if (e.get("pid"), e.get("tid")) == thread and e.get("ph") == "X"
             and e["ts"] > paint["ts"]]
    tasks = [e for e in after if e["name"] == "RunTask"]
    return after, tasks


def covered(events, names):
    """The time, in ms, that events of these names cover, each instant once
    (they nest: a function called from a script evaluated)."""
    total, reach = 0, 0
    for event in sorted((e for e in events if e["name"] in names), key=lambda e: e["ts"]):
        start, end = event["ts"], event["ts"] + event["dur"]
        if end > reach:
            total += end - max(start, reach)
            reach = end
    return total / 1000


def figures(after, tasks):
    durations = [task["dur"] / 1000 for task in tasks]
    kinds = {kind: covered(after, names) for kind, names in KINDS.items()}
    kinds["HTML"] = covered(after, KINDS["HTML"] + KINDS["scripts"]) - kinds["scripts"]
    return {"busy": sum(durations), "longest": max(durations, default=0),
            "blocking": sum(max(0, SLOWDOWN * d - 50) for d in durations), **kinds}


def longest(after, tasks, count=4):
    """The load's longest tasks: when, how long, and on what."""
    lines = []
    for task in sorted(tasks, key=lambda t: -t["dur"])[:count]:
        end = task["ts"] + task["dur"]
        inside = [e for e in after if task["ts"] <= e["ts"] and e["ts"] + e["dur"] <= end]
        spent = collections.Counter(figures(inside, []))
        for key in ("busy", "longest", "blocking"):
            del spent[key]
        lines.append(f"    {task['dur'] / 1000:.0f} ms: " +
                     ", ".join(f"{kind} {ms:.0f}" for kind, ms in spent.most_common(4)))
    return lines


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page")
    parser.add_argument("--runs", type=int, default=8)
    parser.add_argument("--language", default="ja")
    parser.add_argument("--against")
    args = parser.parse_args()
    pages = [("page", args.page)] + ([("other page", args.against)] if args.against else [])
    loads = {name: [] for name, _ in pages}
    tops = {}
    for _ in range(args.runs):
        for name, page in pages:
            after, tasks = load(page, args.language)
            loads[name].append(figures(after, tasks))
            tops[name] = longest(after, tasks)
    for name, _ in pages:
        median = {key: statistics.median(load[key] for load in loads[name])
                  for key in loads[name][0]}
        runs = ", ".join(f"{load['blocking']:.0f}" for load in loads[name])
        print(f"{name}, {args.language}: busy {median['busy']:.0f} ms after the first paint, "
              f"longest task {median['longest']:.0f} ms, blocking {SLOWDOWN}x slower "
              f"{median['blocking']:.0f} ms (runs: {runs}); "
              + ", ".join(f"{kind} {median[kind]:.0f}" for kind in KINDS))
        print("  the last load's longest tasks:")
        print("\n".join(tops[name]))


if __name__ == "__main__":
    main()
