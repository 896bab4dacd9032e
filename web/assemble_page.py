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
import hashlib
import html
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import typing

HERE = pathlib.Path(__file__).resolve().parent

# What the page is made of. Every source is found beside this file; the
# build hands over only what it makes (the program module, its WebAssembly,
# the window's markup) and the icons. Each script is one function run as
# soon as it is read, its parts in the order given, in one scope: adding a
# script to the page is adding its name here.
TEMPLATE = "page.html"
STYLE = "page.css"
MODULE = None  # the program module's JavaScript, as the build made it
# A name declared at the top of a part: a function, a class, a constant.
TOP_LEVEL_NAME = re.compile(r"^(?:async function\*?|function\*?|class|const|let|var)\s+(\w+)",
                            re.MULTILINE)


class Script(typing.NamedTuple):
    parts: tuple
    # Whether it waits, for the program to compile: an async function.
    waits: bool = False


SCRIPTS = {
    # Before the first frame: the page in its language and scheme, the window
    # sized, and keeping what the user does until the program runs.
    "@EARLY_SCRIPT@": Script(("held_gestures.js", "first_fit.js", "link.js", "variants.js",
                              "early.js")),
    # Once the program is compiled: the page, driven by it.
    "@APP_SCRIPT@": Script(("program.js", MODULE, "control_kinds.js", "view.js", "combobox.js",
                            "result_tip.js", "link.js", "companion_view.js", "companion.js",
                            "page.js"), waits=True),
}
# On the site only, run first in the app script's element.
SITE_SCRIPT = Script(("register_worker.js",))
# The page's icons, inlined; the site's, beside its page.
PAGE_ICONS = {"@ICON16@": "quenvale-16.png", "@ICON32@": "quenvale-32.png"}
SITE_ICONS = ("quenvale-48.png", "quenvale-64.png", "quenvale-128.png", "quenvale-256.png",
              "quenvale.svg")
# Node's modules, where terser is found.
NODE_PATH = "/usr/share/nodejs"

MANIFEST_LINKS = ('<link rel="manifest" href="manifest.webmanifest">\n'
                  '<link rel="apple-touch-icon" href="quenvale-256.png">')

# Served from the cache of the build that the worker came with, so that the
# page opens offline and never mixes two builds. A new build is a new worker
# (its cache name is the build's hash): the browser fetches the worker anew
# on each opening, and once the new one holds every file it takes over and
# drops the old cache, so the next opening shows the new build.
SERVICE_WORKER = """'use strict';
const CACHE = 'quenvale-@BUILD_ID@';
const FILES = @FILES@;

self.addEventListener('install', (event) => {
    // Past the browser's HTTP cache, which may still hold the old files.
    event.waitUntil(caches.open(CACHE)
        .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' }))))
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
        event.respondWith(caches.open(CACHE)
            .then((cache) => cache.match(event.request, { ignoreSearch: true }))
            .then((cached) => cached || fetch(event.request)));
    }
});
"""


def site_manifest(icons: list, title: str) -> str:
    entries = []
    for icon in icons:
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
    return json.dumps(manifest, ensure_ascii=False, indent=2) + "\n"


def write_site(folder: pathlib.Path, index: str, icons: list, manifest: str,
               build_id: str) -> None:
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "index.html").write_text(index, encoding="utf-8")
    for icon in icons:
        shutil.copyfile(icon, folder / icon.name)
    (folder / "manifest.webmanifest").write_text(manifest, encoding="utf-8")
    files = ["./", "index.html", "manifest.webmanifest"] + [icon.name for icon in icons]
    worker = SERVICE_WORKER.replace("@BUILD_ID@", build_id).replace("@FILES@", json.dumps(files))
    (folder / "sw.js").write_text(worker, encoding="utf-8")


def build_hash(page: str, version: str, manifest: str, icons: list) -> str:
    """The build's name: a hash of everything the site holds, taken before
    the hash itself and the policy (made from the page) are written in."""
    digest = hashlib.sha256()
    for part in (version, page, manifest):
        digest.update(part.encode("utf-8"))
        digest.update(b"\0")
    for icon in icons:
        digest.update(icon.read_bytes())
    return digest.hexdigest()[:16]


def inline_hashes(page: str, tag: str) -> list:
    """The CSP source of each inline element <tag> that the browser runs or
    applies (those with attributes, such as the data block, are neither),
    from the bytes written."""
    return ["'sha256-" + base64.b64encode(hashlib.sha256(body.encode("utf-8")).digest()).decode(
        "ascii") + "'" for body in re.findall(rf"<{tag}>(.*?)</{tag}>", page, flags=re.DOTALL)]


def security_policy(page: str, site: bool) -> str:
    """The page's Content Security Policy: its own scripts and styles by
    their hashes, the WebAssembly module compiled, the icons as data
    addresses, the module's bytes fetched from a data address; on
    the site also its icons, manifest and service worker, whose address is
    the one trusted type made. Nothing else loads, no markup is made from
    strings, and no form goes anywhere. (A policy in the page cannot say
    who may frame it: that is frame-ancestors, for a host's header.)"""
    directives = [
        "default-src 'none'",
        "script-src " + " ".join(inline_hashes(page, "script") + ["'wasm-unsafe-eval'"]),
        "style-src " + " ".join(inline_hashes(page, "style")),
        "img-src " + ("'self' data:" if site else "data:"),
        # The module's bytes; reading back a download the page made (a blob)
        # or, on the site, one of its own files is harmless.
        "connect-src " + ("'self' data: blob:" if site else "data: blob:"),
    ]
    if site:
        directives += ["manifest-src 'self'", "worker-src 'self'"]
    directives += ["base-uri 'none'", "form-action 'none'", "require-trusted-types-for 'script'",
                   "trusted-types " + ("quenvale-worker" if site else "'none'")]
    return f'<meta http-equiv="Content-Security-Policy" content="{"; ".join(directives)}">'


def data_uri(path: pathlib.Path) -> str:
    return "data:image/png;base64," + base64.b64encode(path.read_bytes()).decode("ascii")


class Build:
    """What the build hands over, and the sources read so far."""

    def __init__(self, args: argparse.Namespace):
        self.args = args
        self.read = [pathlib.Path(__file__).resolve()]

    def source(self, name: str) -> pathlib.Path:
        path = HERE / name
        self.read.append(path)
        return path

    def text(self, name) -> str:
        """A source's text; MODULE is the module's."""
        path = self.args.module if name is MODULE else self.source(name)
        return path.read_text(encoding="utf-8")

    def script(self, script: Script, label: str) -> str:
        """The script's parts as one function in one scope, minified by
        terser (compact_script.js, with node)."""
        texts = {name: self.text(name) for name in script.parts}
        # The parts share one scope, where a function declared again would
        # quietly take the place of the first: a name declared twice at the
        # top of two parts stops the build.
        declared = {}
        for name, text in texts.items():
            if name is MODULE:
                continue
            for found in TOP_LEVEL_NAME.finditer(text):
                if found[1] in declared:
                    raise ValueError(f"{label}: {found[1]} is declared in both "
                                     f"{declared[found[1]]} and {name}")
                declared[found[1]] = name
        body = "".join(f"// ---- {name or 'the program module'}\n{text}\n"
                       for name, text in texts.items())
        opening = "(async () => {" if script.waits else "(() => {"
        source = f"{opening}\n'use strict';\n{body}}})();\n"
        return subprocess.run([str(self.args.node), str(self.source("compact_script.js")), label],
                              input=source, check=True, capture_output=True, text=True,
                              encoding="utf-8", env={**os.environ, "NODE_PATH": NODE_PATH}).stdout


def compact_script(node: pathlib.Path, path: pathlib.Path) -> str:
    """The script minified by terser (compact_script.js, with node)."""
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
    """The WebAssembly gzip-compressed by Debian's zopfli, a twentieth
    smaller than zlib's best and inflated by the same DecompressionStream,
    in base64. zopfli writes no time stamp: the same build makes the same
    page."""
    packed = subprocess.run(["zopfli", "--gzip", "-c", str(path)], check=True,
                            capture_output=True).stdout
    return base64.b64encode(packed).decode("ascii")


def json_data(value) -> str:
    """JSON for a data block in the page: a "<" escaped cannot end it."""
    return json.dumps(value, ensure_ascii=False, separators=(",", ":")).replace("<", "\\u003c")


def page_parts(build: Build, markup: dict) -> dict:
    """Each marker of the template and the text that takes its place, in
    order: the markup first, which holds markers of its own."""
    parts = {
        "@WINDOW_STYLE@": compact_style(markup["style"]),
        "@STYLE@": compact_style(build.text(STYLE)),
        "@FORM@": markup["form"],
        "@FOOTER@": markup["footer"],
        "@COMPANION@": markup["companion"],
        "@NOSCRIPT@": markup["noscript"],
        "@WASM@": packed_wasm(build.args.wasm),
        "@DESCRIPTION@": markup["description"],
        # Read as data, never run: a "<" escaped cannot end its element.
        "@WINDOW_VARIANTS@": json_data(markup["variants"]["window"]),
        "@COMPANION_VARIANTS@": json_data(markup["variants"]["companion"]),
        "@VERSION@": html.escape(build.args.version),
    }
    for marker, script in SCRIPTS.items():
        parts[marker] = build.script(script, marker)
    for marker, name in PAGE_ICONS.items():
        parts[marker] = data_uri(build.args.icons / name)
    return parts


def main() -> int:
    parser = argparse.ArgumentParser()
    for name in ("node", "module", "wasm", "markup", "icons", "output"):
        parser.add_argument("--" + name, type=pathlib.Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--site", type=pathlib.Path)
    # The sources read, for the build to run this again when one changes.
    parser.add_argument("--depfile", type=pathlib.Path)
    args = parser.parse_args()

    build = Build(args)
    markup = json.loads(args.markup.read_text(encoding="utf-8"))
    try:
        parts = page_parts(build, markup)
        site_script = build.script(SITE_SCRIPT, "@SITE_SCRIPT@")
    except subprocess.CalledProcessError as error:
        print(f"assemble_page: {error.stderr.strip()}", file=sys.stderr)
        return 1
    except ValueError as error:
        print(f"assemble_page: {error}", file=sys.stderr)
        return 1
    for marker, text in [*parts.items(), ("@SITE_SCRIPT@", site_script)]:
        # An inlined part must not end the element that holds it.
        if "</script" in text.lower() or "</style" in text.lower():
            print(f"assemble_page: {marker} would close its element early", file=sys.stderr)
            return 1
    page = build.text(TEMPLATE)
    for marker, text in parts.items():
        if marker not in page:
            print(f"assemble_page: the template has no {marker}", file=sys.stderr)
            return 1
        page = page.replace(marker, text.rstrip("\n"))
    for marker in ("@SITE_HEAD@", "@SITE_SCRIPT@", "@CSP@", "@BUILD_ID@"):
        if marker not in page:
            print(f"assemble_page: the template has no {marker}", file=sys.stderr)
            return 1
    site_icons = [args.icons / name for name in SITE_ICONS]
    manifest = site_manifest(site_icons, "Quenvale")
    index = page.replace("@SITE_HEAD@", MANIFEST_LINKS).replace("@SITE_SCRIPT@",
                                                                site_script.rstrip("\n"))
    build_id = build_hash(index, args.version, manifest, site_icons)
    if args.site:
        index = index.replace("@BUILD_ID@", build_id)
        index = index.replace("@CSP@", security_policy(index, site=True))
        write_site(args.site, index, site_icons, manifest, build_id)
    one_file = page.replace("@SITE_HEAD@\n", "").replace("@SITE_SCRIPT@", "")
    one_file = one_file.replace("@BUILD_ID@", build_id)
    args.output.write_text(one_file.replace("@CSP@", security_policy(one_file, site=False)),
                           encoding="utf-8")
    if args.depfile:
        sources = " ".join(str(path).replace(" ", "\\ ") for path in dict.fromkeys(build.read))
        args.depfile.write_text(f"{args.output}: {sources}\n", encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
