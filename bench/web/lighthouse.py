#!/usr/bin/env python3
"""Lighthouse on the published site, served from 127.0.0.1 as a host would
serve it, in mobile and desktop emulation with Debian's Chromium: each
category's score, and the performance metrics (first contentful paint,
largest contentful paint, total blocking time, cumulative layout shift).

    /usr/bin/python3 bench/web/lighthouse.py build-web/site \\
        --lighthouse build-web/tests/web/npm/node_modules/.bin/lighthouse

The page's tests hold accessibility, best practices and SEO at 100
(tests/web/lighthouse_test.py); performance is measured here, goal 100 on
mobile emulation."""

import argparse
import json
import os
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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("--lighthouse", required=True)
    args = parser.parse_args()
    for mode, report in audit(args.lighthouse, args.site).items():
        scores = {name: round(category["score"] * 100)
                  for name, category in report["categories"].items()}
        print(f"{mode}: " + ", ".join(f"{name} {score}" for name, score in scores.items()))
        print("    " + ", ".join(f"{name} {report['audits'][name]['displayValue']}"
                                 for name in METRICS))


if __name__ == "__main__":
    main()
