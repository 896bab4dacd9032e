#!/usr/bin/env python3
"""Lighthouse on the published site, served from 127.0.0.1 as a host would
serve it, in mobile and desktop emulation with Debian's Chromium: each
category's score, and the performance metrics (first contentful paint,
largest contentful paint, total blocking time, cumulative layout shift).

    /usr/bin/python3 bench/web/lighthouse.py build-web/site \\
        --lighthouse build-web/tests/web/npm/node_modules/.bin/lighthouse \\
        [--runs 5] [--modes mobile,desktop] [--against OLD-SITE]

With --runs, each mode is audited that many times, and its performance
scores and blocking times listed with the medians of its metrics; with
--against, another build of the site is audited in turn with this one, run
for run, as the machine's load drifts.

The page's tests hold accessibility, best practices and SEO at 100
(tests/web/lighthouse_test.py); performance is measured here, goal 100 on
mobile emulation."""

import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "..", "tests", "web"))
from page_harness import Server  # noqa: E402

CHROMIUM = "/usr/bin/chromium"
METRICS = ["first-contentful-paint", "largest-contentful-paint", "total-blocking-time",
           "cumulative-layout-shift"]


def audit(lighthouse, site, modes=("mobile", "desktop")):
    """{mode: Lighthouse's report} for the site served on 127.0.0.1."""
    server = Server(site)
    reports = {}
    try:
        with tempfile.TemporaryDirectory() as folder:
            for mode in modes:
                out = os.path.join(folder, f"{mode}.json")
                subprocess.run(
                    [lighthouse, server.address, "--quiet", "--output=json",
                     f"--output-path={out}",
                     "--chrome-flags=--headless=new --no-sandbox --disable-dev-shm-usage"] +
                    (["--preset=desktop"] if mode == "desktop" else []),
                    check=True, env={**os.environ, "CHROME_PATH": CHROMIUM}, timeout=240)
                with open(out, encoding="utf-8") as report:
                    reports[mode] = json.load(report)
    finally:
        server.stop()
    return reports


def summary(label, mode, reports):
    """The runs of one site in one mode: performance scores and blocking
    times run by run, the metrics' medians."""
    scores = [round(report["categories"]["performance"]["score"] * 100) for report in reports]
    blocking = [round(report["audits"]["total-blocking-time"]["numericValue"])
                for report in reports]
    medians = ", ".join(
        f"{name} {statistics.median(r['audits'][name]['numericValue'] for r in reports):.0f}"
        for name in METRICS[:2])
    return (f"{label}, {mode}: performance {', '.join(map(str, scores))}; "
            f"blocking {', '.join(map(str, blocking))} ms; medians {medians} ms")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("--lighthouse", required=True)
    parser.add_argument("--runs", type=int, default=1)
    parser.add_argument("--modes", default="mobile,desktop")
    parser.add_argument("--against")
    args = parser.parse_args()
    modes = tuple(args.modes.split(","))
    sites = [("site", args.site)] + ([("other site", args.against)] if args.against else [])
    runs = {(label, mode): [] for label, _ in sites for mode in modes}
    for _ in range(args.runs):
        for label, site in sites:
            for mode, report in audit(args.lighthouse, site, modes).items():
                runs[(label, mode)].append(report)
    if args.runs == 1 and not args.against:
        for mode in modes:
            report = runs[("site", mode)][0]
            scores = {name: round(category["score"] * 100)
                      for name, category in report["categories"].items()}
            print(f"{mode}: " + ", ".join(f"{name} {score}" for name, score in scores.items()))
            print("    " + ", ".join(f"{name} {report['audits'][name]['displayValue']}"
                                     for name in METRICS))
        return
    for (label, mode), reports in runs.items():
        print(summary(label, mode, reports))


if __name__ == "__main__":
    main()
