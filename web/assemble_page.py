#!/usr/bin/env python3
"""Writes the one self-contained page: the HTML template with the style
sheet, the program module (JavaScript holding its WebAssembly), the page
script and the icons inlined, so that it opens from disk with no server."""

import argparse
import base64
import pathlib
import sys


def data_uri(path: pathlib.Path) -> str:
    return "data:image/png;base64," + base64.b64encode(path.read_bytes()).decode("ascii")


def main() -> int:
    parser = argparse.ArgumentParser()
    for name in ("template", "style", "module", "script", "icon16", "icon32", "output"):
        parser.add_argument("--" + name, type=pathlib.Path, required=True)
    args = parser.parse_args()

    parts = {
        "@STYLE@": args.style.read_text(encoding="utf-8"),
        "@MODULE@": args.module.read_text(encoding="utf-8"),
        "@SCRIPT@": args.script.read_text(encoding="utf-8"),
        "@ICON16@": data_uri(args.icon16),
        "@ICON32@": data_uri(args.icon32),
    }
    for marker, text in parts.items():
        # An inlined part must not end the element that holds it.
        if "</script" in text.lower() or "</style" in text.lower():
            print(f"assemble_page: {marker} would close its element early", file=sys.stderr)
            return 1
    page = args.template.read_text(encoding="utf-8")
    for marker, text in parts.items():
        if marker not in page:
            print(f"assemble_page: the template has no {marker}", file=sys.stderr)
            return 1
        page = page.replace(marker, text.rstrip("\n"))
    args.output.write_text(page, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
