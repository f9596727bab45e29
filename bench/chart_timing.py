#!/usr/bin/env python3
"""Times veltrane-calc --chart from the command's start to its end, for each format.

A chart of six curves (the defaults' own 13 F and the default five approaches, with the tower
line of C 2.3, m 0.75) must take at most 150 ms in each of SVG, PDF and PNG. The start-up of
veltrane-calc without --chart is timed beside it, as the chart must not slow it down.

Usage: bench/chart_timing.py [build/release/cli/veltrane-calc] [runs]
Exit status 1 when a median is over its limit.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

CHART_LIMIT_MS = 150.0


def time_runs(command, runs):
    """Median and slowest wall time of `runs` runs, in milliseconds."""
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
        times.append((time.perf_counter() - start) * 1000.0)
    return statistics.median(times), max(times)


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else "build/release/cli/veltrane-calc"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    failed = False
    median, slowest = time_runs([program, "--defaults"], runs * 5)
    print(f"--defaults          median {median:6.1f} ms  slowest {slowest:6.1f} ms")
    with tempfile.TemporaryDirectory() as folder:
        for extension in ("svg", "pdf", "png"):
            chart = os.path.join(folder, "chart." + extension)
            command = [program, "--defaults", "--tower", "2.3:0.75", "--chart", chart]
            median, slowest = time_runs(command, runs)
            verdict = "ok" if median <= CHART_LIMIT_MS else f"over {CHART_LIMIT_MS:.0f} ms"
            failed = failed or median > CHART_LIMIT_MS
            size = os.path.getsize(chart)
            print(f"--chart chart.{extension}   median {median:6.1f} ms  slowest {slowest:6.1f} ms"
                  f"  {size:7d} bytes  {verdict}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
