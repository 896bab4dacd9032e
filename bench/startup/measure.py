#!/usr/bin/env python3
"""Start-up time and peak memory of quenvale against a bare Qt window.

Runs both programs under one Xvfb server, alternating, and reports for each
the median time from process start to its first frame shown (the program
prints the CLOCK_MONOTONIC time of that frame when
QUENVALE_REPORT_FIRST_FRAME is set) and the median peak resident memory
(VmHWM) once the window is up.

    bench/startup/measure.py [--build DIR] [--runs N]

DIR is a build tree with the window and bench/startup built (default: build).
Exits with 1 when quenvale misses a goal: start-up at most 1.10 times the
bare window's, peak memory at most the bare window's + 3 MiB.
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SETTLE_SECONDS = 0.5  # after the first frame, before the peak is read
TIME_GOAL = 1.10
MEMORY_GOAL_KIB = 3 * 1024


def start_xvfb():
    if shutil.which("Xvfb") is None:
        sys.exit("measure.py: Xvfb is not installed (Debian: apt-get install xvfb)")
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
         "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as ready:
        display = ready.readline().strip()
    if not display:
        server.kill()
        sys.exit("measure.py: Xvfb did not start")
    return server, ":" + display


def peak_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise RuntimeError("no VmHWM")


def run_once(program, environment):
    started = time.monotonic_ns()
    process = subprocess.Popen([str(program)], env=environment, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, text=True)
    line = process.stdout.readline()
    if not line.startswith("first-frame "):
        process.kill()
        process.wait()
        raise RuntimeError(f"{program} showed no frame")
    shown = int(line.split()[1])
    time.sleep(SETTLE_SECONDS)
    peak = peak_kib(process.pid)
    process.send_signal(signal.SIGTERM)
    process.wait()
    return (shown - started) / 1e6, peak


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default="build", type=Path)
    parser.add_argument("--runs", default=15, type=int)
    arguments = parser.parse_args()
    if arguments.runs < 10:
        parser.error("take at least 10 runs")
    programs = {
        "quenvale": arguments.build / "window" / "quenvale",
        "bare window": arguments.build / "bench" / "startup" / "quenvale_bare_window",
    }
    for name, program in programs.items():
        if not os.access(program, os.X_OK):
            sys.exit(f"measure.py: {program} is missing; build {name} first")

    server, display = start_xvfb()
    runtime = tempfile.mkdtemp(prefix="quenvale-bench-")
    os.chmod(runtime, 0o700)
    environment = {k: v for k, v in os.environ.items()
                   if not k.startswith(("QT_", "WAYLAND_"))}
    environment.update(DISPLAY=display, QT_QPA_PLATFORM="xcb",
                       QUENVALE_REPORT_FIRST_FRAME="1", XDG_RUNTIME_DIR=runtime)
    results = {name: [] for name in programs}
    try:
        for name, program in programs.items():  # warm the file cache
            run_once(program, environment)
        for run in range(arguments.runs):
            order = list(programs.items())
            if run % 2:
                order.reverse()
            for name, program in order:
                results[name].append(run_once(program, environment))
    finally:
        server.terminate()
        server.wait()
        shutil.rmtree(runtime, ignore_errors=True)

    medians = {}
    print(f"{arguments.runs} runs each, alternating, under Xvfb; medians:")
    for name, samples in results.items():
        start_ms = statistics.median(s[0] for s in samples)
        peak = statistics.median(s[1] for s in samples)
        medians[name] = (start_ms, peak)
        print(f"  {name:12} first frame {start_ms:7.1f} ms   peak memory {peak / 1024:6.1f} MiB")
    (own_ms, own_peak), (bare_ms, bare_peak) = medians["quenvale"], medians["bare window"]
    ratio = own_ms / bare_ms
    extra = own_peak - bare_peak
    time_ok = ratio <= TIME_GOAL
    memory_ok = extra <= MEMORY_GOAL_KIB
    print(f"  start-up ratio {ratio:.3f} (goal <= {TIME_GOAL:.2f}): {'met' if time_ok else 'MISSED'}")
    print(f"  extra memory {extra / 1024:+.2f} MiB (goal <= +3 MiB): "
          f"{'met' if memory_ok else 'MISSED'}")
    return 0 if time_ok and memory_ok else 1


if __name__ == "__main__":
    sys.exit(main())
