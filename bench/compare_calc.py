#!/usr/bin/env python3
"""Runs two quenvale-calc binaries over the same command lines and inputs and
reports every case whose standard output, standard error or exit status
differ.

    bench/compare_calc.py OLD NEW [--cases 10000] [--seed 1]

The documented examples, each option's error paths and random single, batch,
table, crystal-for and plan cases run in all three formats and in both
languages. The Japanese runs and the English csv and json output must agree
(apart from the intended changes in is_allowed); the English text runs, whose
words changed on purpose, must hold no Japanese character and exit alike.
Exit status 0 when they all agree, 1 otherwise.
"""
import argparse
import concurrent.futures
import random
import re
import subprocess
import sys

LANGS = ["ja_JP.UTF-8", "C"]
FORMATS = ["text", "csv", "json"]
PCI = ["1/2", "1/3", "1/4"]
AGP = ["1/1", "2/3", "1/2"]
REFS = ["14.318", "15", "15.000", "16.000", "12", "0", "-3", "1e30", "1e38", "abc", "", " ",
        "14,318", "&H10", "1d2", "  15  ", "3.4E+38", "0.0001", "14.31818"]
FSBS = ["100", "66", "133", "133.333", "134", "134.5", "150", "99.9", "0", "-100", "xyz",
        "1e38", "200", "83", "75", "112", "124", "2.5E+10", ""]


def rand_number(rng):
    pick = rng.random()
    if pick < 0.5:
        return f"{rng.uniform(1, 250):.{rng.randint(0, 4)}f}"
    if pick < 0.7:
        return rng.choice(REFS + FSBS)
    if pick < 0.85:
        return str(rng.randint(-10, 300))
    return f"{rng.uniform(-1, 1) * 10 ** rng.randint(-5, 39):.3e}"


def rand_format(rng, args):
    if rng.random() < 0.2:
        return args
    return args + ["--format", rng.choice(FORMATS)]


def single(rng):
    args = [rand_number(rng), rand_number(rng)]
    if rng.random() < 0.3:
        args += ["--pci", rng.choice(PCI)]
    if rng.random() < 0.3:
        args += ["--agp", rng.choice(AGP)]
    if rng.random() < 0.3:
        args.append("--details")
    if rng.random() < 0.3:
        args += ["--multiplier", rng.choice(["4.5", "2", "0.5", "1e30", "7"])]
    if any(a.startswith("-") for a in args[:2]):
        args = ["--"] + args[2:] + args[:2] if rng.random() < 0.5 else args
    return rand_format(rng, args), None


def batch(rng):
    lines = []
    if rng.random() < 0.3:
        lines.append("reference,fsb,pci,agp")
    for _ in range(rng.randint(0, 12)):
        kind = rng.random()
        if kind < 0.6:
            fields = [rand_number(rng), rand_number(rng)]
            if rng.random() < 0.4:
                fields += [rng.choice(PCI + ["", "1/5"]), rng.choice(AGP + ["", "x"])]
            lines.append(",".join(fields))
        elif kind < 0.7:
            lines.append(f'"{rand_number(rng)}", "{rand_number(rng)}"')
        elif kind < 0.75:
            lines.append("# comment")
        elif kind < 0.8:
            lines.append("")
        elif kind < 0.85:
            lines.append('"15,100')
        elif kind < 0.9:
            lines.append("reference,100")
        else:
            lines.append(",".join(rand_number(rng) for _ in range(rng.randint(1, 5))))
    text = ("\r\n" if rng.random() < 0.2 else "\n").join(lines)
    if rng.random() < 0.8:
        text += "\n"
    return rand_format(rng, ["--batch"]), text.encode()


def table(rng):
    args = ["--table"]
    if rng.random() < 0.5:
        args += ["--ref", rand_number(rng)]
    if rng.random() < 0.5:
        args += ["--fsb", rand_number(rng)]
    return rand_format(rng, args), None


def crystal_for(rng):
    args = ["--crystal-for", rand_number(rng), "--fsb", rand_number(rng)]
    if rng.random() < 0.3:
        args += ["--pci", rng.choice(PCI)]
    if rng.random() < 0.3:
        args += ["--agp", rng.choice(AGP)]
    return rand_format(rng, args), None


def plan(rng):
    target = rand_number(rng) if rng.random() < 0.3 else str(rng.randint(50, 1200))
    args = ["--plan", "--target", target]
    if rng.random() < 0.5:
        args += ["--multiplier", rng.choice(["4.5", "2", "3.5", "8", "abc", "0"])]
    if rng.random() < 0.4:
        args += ["--limit", rng.choice(["ok", "caution", "danger"])]
    if rng.random() < 0.4:
        args += ["--top", str(rng.randint(1, 30))]
    return rand_format(rng, args), None


FIXED = [
    # The examples of the README and docs/command-line.md.
    ["15.000", "100"], ["15", "100", "--format", "json"], ["abc", "100"],
    ["15.000", "100", "--details", "--multiplier", "4.5", "--format", "json"],
    ["--plan", "--target", "500", "--multiplier", "4.5", "--top", "5"],
    ["--table"], ["--table", "--format", "csv"], ["--table", "--format", "json"],
    ["--crystal-for", "150", "--fsb", "133"], ["--crystal-for", "100", "--fsb", "100"],
    ["15", "100", "--pci", "1/3", "--agp", "1/1"], ["15", "150", "--details"],
    # Every option's error paths.
    [], ["15"], ["15", "100", "200"], ["--bogus"], ["-x", "100"], ["--format"],
    ["--format", "tsv", "15", "100"], ["--format=xml"], ["--pci", "1/5", "15", "100"],
    ["--agp", "3/4", "15", "100"], ["--pci"], ["--agp"], ["--help=1"], ["--version=x"],
    ["--batch=1"], ["--table=yes"], ["--details=1", "15", "100"], ["--plan=1"],
    ["--batch", "--table"], ["--table", "--plan", "--target", "1"],
    ["--crystal-for", "1", "--plan"], ["--batch", "15", "100"], ["--batch", "--pci", "1/2"],
    ["--batch", "--ref", "15"], ["--batch", "--fsb", "100"], ["--table", "15"],
    ["--table", "--pci", "1/2"], ["--table", "--ref", "abc"], ["--table", "--fsb", "1e39"],
    ["--table", "--ref", ""], ["--crystal-for", "150"], ["--crystal-for", "x", "--fsb", "1"],
    ["--crystal-for", "150", "--fsb", "y"], ["--crystal-for", "150", "--fsb", "0"],
    ["--crystal-for", "0", "--fsb", "100"], ["--crystal-for", "-5", "--fsb", "100"],
    ["--crystal-for", "1e38", "--fsb", "1e-30"], ["--crystal-for", "150", "--fsb", "100", "15"],
    ["--crystal-for", "150", "--fsb", "100", "--ref", "15"], ["--plan"],
    ["--plan", "--target", "abc"], ["--plan", "--target", "0"], ["--plan", "--target", "-1"],
    ["--plan", "--target", "500", "--limit", "bad"], ["--plan", "--target", "500", "--top", "0"],
    ["--plan", "--target", "500", "--top", "x"], ["--plan", "--target", "500", "--top", "-1"],
    ["--plan", "--target", "500", "15"], ["--plan", "--target", "500", "--pci", "1/2"],
    ["--plan", "--target", "500", "--fsb", "100"], ["--plan", "--target", "500", "--ref", "1"],
    ["--plan", "--target", "500", "--multiplier", "0"], ["--plan", "--target", "1e39"],
    ["--plan", "--target", "500", "--limit", "ok", "--top", "3", "--format", "csv"],
    ["--target", "5", "15", "100"], ["--limit", "ok", "15", "100"], ["--top", "1"],
    ["--details", "--batch"], ["--details", "--table"], ["--multiplier", "2", "--table"],
    ["--multiplier", "-2", "15", "100"], ["--multiplier", "abc", "15", "100"],
    ["--multiplier"], ["--ref", "15", "100"], ["--fsb", "100", "15"], ["--", "-15", "100"],
    ["15", "--", "-100"], ["-h"], ["--help"], ["-V"], ["--version"], ["--help", "--bogus"],
    ["--bogus", "--help"], ["-h", "--batch", "--table"], ["--format", "csv", "abc", "100"],
    ["--format", "json", "1e38", "1e38"], ["--format", "json", "15", "100", "--details"],
    ["15", "1e38", "--multiplier", "1e30", "--format", "csv"], ["\x1b[31m", "100"],
]

FIXED_BATCH = [
    b"", b"\n", b"reference,fsb\n15,100\n", b"15,100\nreference,fsb\n", b'" 15 ",100\n',
    b"\xef\xbb\xbf15,100\r\n16,133\r\n", b'"15\n",100\n', b'"15,100\n', b'15,"1"00\n',
    b"15,100,1/5,1/1\n15,100,1/2,9/9\n15,100,,\n15,100,1/4,\n15\n15,100,1/2\n",
    b"# c\n\n   \n15,100", b"1e38,1e38\nabc,100\n15,abc\n",
    b"x" * 70000 + b"\n15,100\n", b"15," + b"1" * 70000 + b"\n",
]


def run(binary, args, stdin, lang):
    env = {"LANG": lang, "PATH": "/usr/bin:/bin"}
    done = subprocess.run([binary] + args, input=stdin or b"", capture_output=True, env=env,
                          timeout=60)
    return done.stdout, done.stderr, done.returncode


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--cases", type=int, default=10000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--show", type=int, default=10, help="differences to print")
    parser.add_argument("--jobs", type=int, default=2)
    options = parser.parse_args()

    rng = random.Random(options.seed)
    cases = [(args, None) for args in FIXED]
    cases += [(["--batch", "--format", f], data) for data in FIXED_BATCH for f in FORMATS]
    makers = [single, batch, table, crystal_for, plan]
    cases += [makers[i % len(makers)](rng) for i in range(options.cases)]

    def compare(case):
        args, stdin, lang = case
        old = run(options.old, args, stdin, lang)
        new = run(options.new, args, stdin, lang)
        return case, old, new

    # Every case in both languages; two at a time.
    jobs = [(args, stdin, lang) for args, stdin in cases for lang in LANGS]
    runs = differ = allowed = shown = 0
    with concurrent.futures.ThreadPoolExecutor(options.jobs) as pool:
        for (args, stdin, lang), old, new in pool.map(compare, jobs):
            runs += 1
            if lang != "ja_JP.UTF-8":
                old, new = english_view(args, stdin, old, new)
            if old == new:
                continue
            if is_allowed(args, stdin, old, new):
                allowed += 1
                continue
            differ += 1
            if shown < options.show:
                shown += 1
                print(f"DIFFERS LANG={lang} args={args!r} stdin={(stdin or b'')[:80]!r}")
                for name, a, b in zip(("stdout", "stderr", "status"), old, new):
                    if a != b:
                        print(f"  {name}:\n    old {str(a)[:400]}\n    new {str(b)[:400]}")
    print(f"{len(cases)} cases, {runs} runs, {differ} differ, {allowed} allowed differences")
    return 1 if differ else 0


JAPANESE = re.compile("[\u3000-\u9fff\uff00-\uffef]")


def data_format(args, stdin):
    """csv or json when the run writes rows as data, else None."""
    if "-h" in args or "--help" in args:
        return None
    chosen = None
    for i, arg in enumerate(args):
        if arg == "--format" and i + 1 < len(args):
            chosen = args[i + 1]
        elif arg.startswith("--format="):
            chosen = arg.split("=", 1)[1]
    if chosen is None and "--batch" in args:
        chosen = "csv"
    return chosen if chosen in ("csv", "json") else None


def english_view(args, stdin, old, new):
    """What must agree in an English run: csv and json output (the catalogue
    calls the reference box "reference clock") and the exit status; in text
    runs, that no Japanese is left (then the texts are not compared)."""
    japanese = JAPANESE.search((new[0] + new[1]).decode("utf-8", "replace"))
    if data_format(args, stdin) is not None and b"The multiplier value" not in new[0]:
        old_out = old[0].replace(b"The PLL-IC REF clock value", b"The reference clock value")
        new_out = new[0]
        for told in (b' The decimal point is ".".', b' The decimal point is ".".'.replace(b'"', b'""'),
                     b' The decimal point is \\".\\".'):
            new_out = new_out.replace(told, b"")
        return ("en", old_out, old[2], False), ("en", new_out, new[2], bool(japanese))
    return ("en", old[2], False), ("en", new[2], bool(japanese))


def is_allowed(args, stdin, old, new):
    """The intended changes: a batch line over 64 KiB is one failed case,
    --plan refuses a target of 0 or below, the help and usage name --lang and
    svg, a number with a comma is told the decimal point, and an overflowing
    core clock leaves the bus clocks shown."""
    if stdin is not None and any(len(line) > 65536 for line in stdin.split(b"\n")):
        return True
    if old[0] != "en":
        if "-h" in args or any(a.startswith("--help") for a in args):
            return old[2] == new[2]
        comma = "小数点は「.」です。".encode()
        svg = "、svg".encode()
        old_err, new_err = old[1], new[1].replace(comma, b"").replace(svg, b"")
        new_out = new[0].replace(comma, b"")
        if old[2] == new[2] == 2:
            old_err, new_err = old_err.split(b"\n")[0], new_err.split(b"\n")[0]
        if (old[0], old_err, old[2]) == (new_out, new_err, new[2]):
            return True
        if "--multiplier" in args and "倍率の値".encode() in new[0] + new[1]:
            return old[2] == new[2] == 1
    if "--plan" in args and "--target" in args:
        target = args[args.index("--target") + 1]
        try:
            if float(target) <= 0 and new[-2 if new[0] == "en" else 2] == 2:
                return True
        except ValueError:
            pass
    return False


if __name__ == "__main__":
    sys.exit(main())
