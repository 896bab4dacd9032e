#!/usr/bin/env python3
"""The page's start on a slow phone's processor: each load in a new
headless Chromium (nothing compiled or cached from the load before, as on a
first visit), its CPU slowed as Lighthouse's mobile emulation slows it
(4x), in phone emulation, with the browser asking for Japanese and for
English (the page is built in Japanese, so an English browser has it
relabel its texts). For each load: the first contentful paint, the largest
contentful paint and its element, and the main thread's tasks of 50 ms or
more after the first paint, with their blocking time (the part of each
over 50 ms, as Lighthouse counts it). Medians over the runs.

    /usr/bin/python3 bench/web/start_tasks.py build-web/web/quenvale.html [--runs 5]
        [--cpu 4] [--against OLD.html] [--network]

With --against, another build of the page is loaded in turn with this one.
With --network, each page is served from 127.0.0.1 (from a folder of its
own, as index.html) over a network slowed as Lighthouse's mobile emulation
slows it (150 ms round trips, 1.6 Mbit/s down, 750 kbit/s up). A folder
given for a page is served as it is: a published site, with the files
beside its page.

    /usr/bin/python3 bench/web/start_tasks.py build-web/site --network [--against OLD-SITE]
"""

import argparse
import os
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "..", "tests", "web"))
from page_harness import Server, start_browser  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

# Kept from before the page's first script: long tasks and the largest
# contentful paint's candidates.
OBSERVE = """
window.quenvaleTasks = [];
new PerformanceObserver((list) => {
    for (const task of list.getEntries()) {
        window.quenvaleTasks.push([task.startTime, task.duration]);
    }
}).observe({ type: 'longtask', buffered: true });
window.quenvalePaints = [];
new PerformanceObserver((list) => {
    for (const paint of list.getEntries()) {
        window.quenvalePaints.push([paint.startTime, paint.element?.id || paint.element?.tagName]);
    }
}).observe({ type: 'largest-contentful-paint', buffered: true });
"""
FIGURES = """
const paint = performance.getEntriesByName('first-contentful-paint')[0].startTime;
const tasks = window.quenvaleTasks.filter(([start]) => start >= paint);
return {paint, tasks, largest: window.quenvalePaints[window.quenvalePaints.length - 1],
        ready: Number(document.documentElement.dataset.ready)};
"""


SLOW_NETWORK = {"offline": False, "latency": 150, "downloadThroughput": 1.6e6 / 8,
                "uploadThroughput": 750e3 / 8}


def load(address, language, cpu, network):
    driver = start_browser(phone=True, language=language)
    try:
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": cpu})
        if network:
            driver.execute_cdp_cmd("Network.enable", {})
            driver.execute_cdp_cmd("Network.emulateNetworkConditions", SLOW_NETWORK)
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": OBSERVE})
        driver.get(address)
        WebDriverWait(driver, 60).until(
            lambda d: d.execute_script("return document.documentElement.dataset.ready"))
        # The start's last tasks come after the window is ready.
        time.sleep(2)
        return driver.execute_script(FIGURES)
    finally:
        driver.quit()


def summary(loads):
    blocking = [sum(max(0, duration - 50) for _, duration in load["tasks"]) for load in loads]
    longest = [max([duration for _, duration in load["tasks"]] or [0]) for load in loads]
    return (f"first paint {statistics.median(load['paint'] for load in loads):.0f} ms, "
            f"largest paint {statistics.median(load['largest'][0] for load in loads):.0f} ms "
            f"({loads[0]['largest'][1]}), ready {statistics.median(l['ready'] for l in loads):.0f}"
            f" ms, tasks of 50 ms or more after the first paint: median "
            f"{statistics.median(len(load['tasks']) for load in loads)}, longest "
            f"{statistics.median(longest):.0f} ms, blocking {statistics.median(blocking):.0f} ms "
            f"(runs: {', '.join(f'{b:.0f}' for b in blocking)})")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--cpu", type=float, default=4)
    parser.add_argument("--against")
    parser.add_argument("--network", action="store_true")
    args = parser.parse_args()
    pages = {"page": os.path.abspath(args.page)}
    if args.against:
        pages["other page"] = os.path.abspath(args.against)
    servers = []
    with tempfile.TemporaryDirectory() as folder:
        addresses = {}
        for name, path in pages.items():
            if args.network:
                served = path
                if not os.path.isdir(path):
                    served = os.path.join(folder, name.replace(" ", "-"))
                    os.mkdir(served)
                    shutil.copyfile(path, os.path.join(served, "index.html"))
                servers.append(Server(served))
                addresses[name] = servers[-1].address
            elif os.path.isdir(path):
                parser.error(f"{path} is a site: it is served, with --network")
            else:
                addresses[name] = "file://" + path
        try:
            for language in ("ja", "en"):
                figures = {name: [] for name in pages}
                for _ in range(args.runs):
                    for name, address in addresses.items():
                        figures[name].append(load(address, language, args.cpu, args.network))
                for name in pages:
                    print(f"{name}, {language}, CPU {args.cpu:g}x slower"
                          f"{', slow network' if args.network else ''}: {summary(figures[name])}")
        finally:
            for server in servers:
                server.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
