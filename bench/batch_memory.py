#!/usr/bin/env python3
"""Peak memory of `quenvale-calc --batch` on large inputs.

    bench/batch_memory.py build/cli/quenvale-calc [--format csv]

Feeds the program, through a pipe, 1,000,000 ordinary lines, 1 GB without a
line break, and /dev/zero for 10 seconds, and reports each run's peak resident
set size (as GNU time measures it) and its time. The output goes
to /dev/null. Exit status 1 when a run passes --limit-mib (16 by default).
"""
import argparse
import os
import subprocess
import sys
import tempfile
import time

CHUNK = 1 << 20


def ordinary_lines(count):
    crystals = ["14.318", "15.000", "16.000", "abc", "12.000"]
    settings = ["66.666", "100", "133.333", "150", "1e39"]
    block = []
    for i in range(count):
        block.append(f"{crystals[i % 5]},{settings[(i // 5) % 5]}\n")
        if len(block) == 10000:
            yield "".join(block).encode()
            block = []
    if block:
        yield "".join(block).encode()


def no_line_break(size):
    chunk = b"7" * CHUNK
    for _ in range(size // CHUNK):
        yield chunk


def measure(binary, fmt, feed=None, stdin_path=None, seconds=None):
    # GNU time reports the program's own peak: a child forked from Python
    # would count Python's pages too, as the peak carries over exec.
    with tempfile.NamedTemporaryFile("r") as report:
        command = ["/usr/bin/time", "-f", "%M", "-o", report.name]
        if seconds is not None:
            command += ["timeout", "--foreground", "-s", "KILL", str(seconds)]
        command += [binary, "--batch", "--format", fmt]
        stdin = open(stdin_path, "rb") if stdin_path else subprocess.PIPE
        start = time.monotonic()
        child = subprocess.Popen(command, stdin=stdin, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        if feed is not None:
            try:
                for data in feed:
                    child.stdin.write(data)
                child.stdin.close()
            except BrokenPipeError:
                pass
        child.wait()
        took = time.monotonic() - start
        if stdin_path:
            stdin.close()
        kib = int(report.read().split()[-1])
    return kib / 1024, took


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("--format", default="csv", choices=["csv", "json", "text"])
    parser.add_argument("--limit-mib", type=float, default=16)
    options = parser.parse_args()

    runs = [
        ("1,000,000 ordinary lines", dict(feed=ordinary_lines(1_000_000))),
        ("1 GB without a line break", dict(feed=no_line_break(1 << 30))),
        ("/dev/zero for 10 s", dict(stdin_path="/dev/zero", seconds=10)),
    ]
    worst = 0.0
    for name, how in runs:
        peak, took = measure(options.binary, options.format, **how)
        worst = max(worst, peak)
        print(f"{name:28} peak RSS {peak:7.1f} MiB  {took:6.1f} s")
    return 1 if worst > options.limit_mib else 0


if __name__ == "__main__":
    sys.exit(main())
