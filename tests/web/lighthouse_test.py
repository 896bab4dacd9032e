#!/usr/bin/env python3
"""Lighthouse's accessibility, best practices and SEO at 100 on the
published site served from 127.0.0.1, in mobile and desktop emulation, and
its CSP audit passed.

usage: lighthouse_test.py SITE LIGHTHOUSE"""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "bench", "web"))
from lighthouse import audit  # noqa: E402

SITE, LIGHTHOUSE = None, None


class Audit(unittest.TestCase):
    def test_the_site_scores_100(self):
        for mode, report in audit(LIGHTHOUSE, SITE).items():
            for category in ("accessibility", "best-practices", "seo"):
                with self.subTest(mode=mode, category=category):
                    failed = [name for name, result in report["audits"].items()
                              if result.get("scoreDisplayMode") in ("binary", "numeric") and
                              result.get("score") is not None and result["score"] < 1 and
                              any(ref["id"] == name for ref in
                                  report["categories"][category]["auditRefs"])]
                    self.assertEqual((report["categories"][category]["score"], failed), (1, []))
            with self.subTest(mode=mode, audit="csp-xss"):
                self.assertEqual(report["audits"]["csp-xss"]["score"], 1)


if __name__ == "__main__":
    SITE, LIGHTHOUSE = sys.argv.pop(1), sys.argv.pop(1)
    unittest.main(verbosity=2)
