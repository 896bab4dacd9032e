#!/usr/bin/env python3
"""Compiles the PO catalogues into a C++ header: one constexpr table with
every message of the template and its Japanese and English text, so that the
program needs neither a file nor libintl at run time.

usage: generate_catalogue.py TEMPLATE.pot ja.po en.po OUTPUT.h
"""

import sys


def unquote(token, where):
    if len(token) < 2 or token[0] != '"' or token[-1] != '"':
        sys.exit(f"{where}: expected a quoted string, found {token!r}")
    out = []
    chars = iter(token[1:-1])
    for c in chars:
        if c != "\\":
            out.append(c)
            continue
        escaped = next(chars, None)
        mapping = {"n": "\n", "t": "\t", '"': '"', "\\": "\\"}
        if escaped not in mapping:
            sys.exit(f"{where}: unknown escape \\{escaped}")
        out.append(mapping[escaped])
    return "".join(out)


def read_po(path):
    """The entries of a PO file as {(context, id): text}, the header left out."""
    entries = {}
    current = {}
    field = None

    def finish():
        if "msgid" in current and current["msgid"] != "":
            key = (current.get("msgctxt", ""), current["msgid"])
            if key in entries:
                sys.exit(f"{path}: message {key!r} twice")
            entries[key] = current.get("msgstr", "")
        current.clear()

    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.strip()
            where = f"{path}:{number}"
            if not line:
                continue
            if line.startswith("#"):
                if line.startswith("#~"):
                    sys.exit(f"{where}: obsolete entries do not belong in the catalogue")
                continue
            keyword, _, rest = line.partition(" ")
            if keyword in ("msgctxt", "msgid", "msgstr"):
                if keyword == "msgctxt" or (keyword == "msgid" and "msgid" in current):
                    finish()
                field = keyword
                current[field] = unquote(rest, where)
            elif line.startswith('"') and field:
                current[field] += unquote(line, where)
            elif keyword == "msgid_plural" or keyword.startswith("msgstr["):
                sys.exit(f"{where}: plural forms are not supported")
            else:
                sys.exit(f"{where}: cannot read {line!r}")
    finish()
    return entries


def cxx_string(text):
    out = []
    for c in text:
        if c == "\\":
            out.append("\\\\")
        elif c == '"':
            out.append('\\"')
        elif c == "\n":
            out.append("\\n")
        elif c == "\t":
            out.append("\\t")
        else:
            out.append(c)
    # u8"" would give char8_t; plain literals are UTF-8 in this build.
    return '"' + "".join(out) + '"'


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    template_path, ja_path, en_path, output = sys.argv[1:]
    template = read_po(template_path)
    languages = [read_po(ja_path), read_po(en_path)]
    for path, entries in zip((ja_path, en_path), languages):
        for key in entries:
            if key not in template:
                sys.exit(f"{path}: {key!r} is not in {template_path}")
    rows = []
    # Sorted, so that the program can find a message by binary search.
    for context, msgid in sorted(template, key=lambda k: (k[0].encode(), k[1].encode())):
        # A missing or empty translation stays empty here; the catalogue's
        # test names it.
        ja = languages[0].get((context, msgid), "")
        en = languages[1].get((context, msgid), "")
        rows.append(
            f"    {{{cxx_string(context)}, {cxx_string(msgid)}, {cxx_string(ja)}, {cxx_string(en)}}},"
        )
    text = (
        "// Generated from po/*.po by po/generate_catalogue.py; do not edit.\n"
        "#pragma once\n\n"
        "#include <array>\n#include <string_view>\n\n"
        "namespace quenvale {\n\n"
        "struct CatalogueEntry {\n"
        "    std::string_view context;\n"
        "    std::string_view id;\n"
        "    std::string_view japanese;\n"
        "    std::string_view english;\n"
        "};\n\n"
        # The texts are translators' words, written as they stand.
        "// NOLINTBEGIN\n"
        f"inline constexpr std::array<CatalogueEntry, {len(rows)}> kCatalogue{{{{\n"
        + "\n".join(rows)
        + "\n}};\n// NOLINTEND\n\n} // namespace quenvale\n"
    )
    try:
        with open(output, encoding="utf-8") as f:
            if f.read() == text:
                return
    except FileNotFoundError:
        pass
    with open(output, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
