#!/usr/bin/env python3
"""Writes the one self-contained page: the HTML template with the style
sheet, the window's markup as it opens, the program module (its JavaScript,
and its WebAssembly gzip-compressed in base64), the page scripts and the
icons inlined, so that it opens from disk with no server.

With --site, also the folder to publish: the same page as index.html with a
web app manifest, its icons and a service worker that keeps them all, so
that a phone can add it to its home screen and open it with no network."""

import argparse
import base64
import gzip
import hashlib
import json
import pathlib
import re
import shutil
import subprocess
import sys

HERE = pathlib.Path(__file__).resolve().parent

MANIFEST_LINKS = ('<link rel="manifest" href="manifest.webmanifest">\n'
                  '<link rel="apple-touch-icon" href="quenvale-256.png">')
REGISTER_WORKER = ("<script>\n"
                   "if ('serviceWorker' in navigator) {\n"
                   "    navigator.serviceWorker.register('sw.js');\n"
                   "}\n"
                   "</script>")

# Served first from the cache, so that the page opens offline; a new build
# is a new cache name, and the worker that brings it drops the old cache.
SERVICE_WORKER = """'use strict';
const CACHE = 'quenvale-@VERSION@';
const FILES = @FILES@;

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((keys) => Promise.all(keys.filter((key) => key !== CACHE)
            .map((key) => caches.delete(key))))
        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
    if (event.request.method === 'GET') {
        event.respondWith(caches.match(event.request, { ignoreSearch: true })
            .then((cached) => cached || fetch(event.request)));
    }
});
"""


def write_site(folder: pathlib.Path, page: str, icons: list, title: str) -> None:
    folder.mkdir(parents=True, exist_ok=True)
    index = page.replace("@SITE_HEAD@", MANIFEST_LINKS).replace("@SITE_BODY@", REGISTER_WORKER)
    (folder / "index.html").write_text(index, encoding="utf-8")
    entries = []
    for icon in icons:
        shutil.copyfile(icon, folder / icon.name)
        if icon.suffix == ".svg":
            entries.append({"src": icon.name, "sizes": "any", "type": "image/svg+xml"})
        else:
            size = icon.stem.rsplit("-", 1)[1]
            entries.append({"src": icon.name, "sizes": f"{size}x{size}", "type": "image/png"})
    manifest = {
        "name": title,
        "short_name": title,
        "lang": "ja",
        "start_url": "./",
        "scope": "./",
        "display": "standalone",
        "background_color": "#d4d0c8",
        "theme_color": "#d4d0c8",
        "icons": entries,
    }
    (folder / "manifest.webmanifest").write_text(
        json.dumps(manifest, ensure_ascii=False, indent=2) + "\n", encoding="utf-8")
    files = ["./", "index.html", "manifest.webmanifest"] + [icon.name for icon in icons]
    digest = hashlib.sha256()
    for name in files[1:]:
        digest.update((folder / name).read_bytes())
    worker = SERVICE_WORKER.replace("@VERSION@", digest.hexdigest()[:16]).replace(
        "@FILES@", json.dumps(files))
    (folder / "sw.js").write_text(worker, encoding="utf-8")


def data_uri(path: pathlib.Path) -> str:
    return "data:image/png;base64," + base64.b64encode(path.read_bytes()).decode("ascii")


def compact_script(node: pathlib.Path, path: pathlib.Path) -> str:
    """The script without its comments and the white space its tokens do
    not need (compact_script.js, with node)."""
    return subprocess.run([str(node), str(HERE / "compact_script.js"), str(path)], check=True,
                          capture_output=True, text=True, encoding="utf-8").stdout


def compact_style(text: str) -> str:
    """The style sheet without its comments and without the white space
    around braces, colons, semicolons and commas; quoted strings as they
    are. (calc() needs the spaces around + and -: those stay.)"""
    parts = re.split(r"(\"[^\"]*\"|'[^']*')", re.sub(r"/\*.*?\*/", "", text, flags=re.DOTALL))
    for i in range(0, len(parts), 2):
        squeezed = re.sub(r"\s*([{};,])\s*", r"\1", parts[i])
        parts[i] = re.sub(r":\s+", ":", squeezed)
    return "".join(parts).strip()


def packed_wasm(path: pathlib.Path) -> str:
    # A fixed time stamp: the same build makes the same page.
    return base64.b64encode(gzip.compress(path.read_bytes(), compresslevel=9, mtime=0)).decode(
        "ascii")


def page_parts(args: argparse.Namespace, markup: dict) -> dict:
    """Each marker of the template and the text that takes its place."""
    return {
        "@WINDOW_STYLE@": compact_style(markup["style"]),
        "@STYLE@": compact_style(args.style.read_text(encoding="utf-8")),
        "@FORM@": markup["form"],
        "@NOSCRIPT@": markup["noscript"],
        "@FIRST_FIT@": compact_script(args.node, args.first_fit),
        "@HELD@": compact_script(args.node, args.held),
        "@WASM@": packed_wasm(args.wasm),
        "@LOADER@": compact_script(args.node, args.loader),
        "@MODULE@": args.module.read_text(encoding="utf-8"),
        "@SCRIPT@": compact_script(args.node, args.script),
        "@COMPANION@": compact_script(args.node, args.companion),
        "@ICON16@": data_uri(args.icon16),
        "@ICON32@": data_uri(args.icon32),
    }


def main() -> int:
    parser = argparse.ArgumentParser()
    for name in ("node", "template", "style", "module", "wasm", "markup", "first_fit", "held",
                 "loader", "script", "companion", "icon16", "icon32", "output"):
        parser.add_argument("--" + name.replace("_", "-"), dest=name, type=pathlib.Path,
                            required=True)
    parser.add_argument("--site", type=pathlib.Path)
    parser.add_argument("--site-icon", type=pathlib.Path, action="append", default=[])
    args = parser.parse_args()

    markup = json.loads(args.markup.read_text(encoding="utf-8"))
    try:
        parts = page_parts(args, markup)
    except subprocess.CalledProcessError as error:
        print(f"assemble_page: {error.cmd[-1]}: {error.stderr.strip()}", file=sys.stderr)
        return 1
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
    if "@SITE_HEAD@" not in page or "@SITE_BODY@" not in page:
        print("assemble_page: the template has no @SITE_HEAD@ or @SITE_BODY@", file=sys.stderr)
        return 1
    if args.site:
        write_site(args.site, page, args.site_icon, "Quenvale")
    args.output.write_text(page.replace("@SITE_HEAD@\n", "").replace("@SITE_BODY@\n", ""),
                           encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
