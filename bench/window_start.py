#!/usr/bin/env python3
"""Start-up of the performance window beside the design window's, measured side by side.

Run under an X server (xvfb-run -a bench/window_start.py BUILD_DIR [RUNS]): starts each program
in turn, RUNS times, and times the interval from the start of the process to its main window
being mapped and viewable, polled with xwininfo. Prints each program's median and the ratio.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

POLL_SECONDS = 0.002
TIMEOUT_SECONDS = 20.0


def viewable(title):
    """Whether a window of that title (Qt also names a 1x1 helper window so) is viewable."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    for line in tree.splitlines():
        fields = line.split()
        if f'"{title}":' not in line or not fields or " 1x1+" in line:
            continue
        info = subprocess.run(["xwininfo", "-id", fields[0]], capture_output=True, text=True)
        if "IsViewable" in info.stdout:
            return True
    return False


def time_start(program, title, config_home):
    environment = dict(os.environ, XDG_CONFIG_HOME=config_home, XDG_DATA_HOME=config_home)
    start = time.perf_counter()
    errors = tempfile.TemporaryFile()
    process = subprocess.Popen([program], env=environment, stdout=subprocess.DEVNULL,
                               stderr=errors)
    try:
        while not viewable(title):
            if process.poll() is not None or time.perf_counter() - start > TIMEOUT_SECONDS:
                errors.seek(0)
                raise RuntimeError(f"{program} showed no window titled {title!r} "
                                   f"(exit status {process.poll()}): "
                                   + errors.read().decode(errors="replace")[-1000:])
            time.sleep(POLL_SECONDS)
        return time.perf_counter() - start
    finally:
        process.terminate()
        process.wait()
        # Let the X server drop the connection before the next start.
        time.sleep(0.5)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/release"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    programs = {
        "veltrane": (os.path.join(build, "app/veltrane"), "Cooling Tower"),
        "veltrane-performance": (os.path.join(build, "performance/veltrane-performance"),
                                 "Untitled - Veltrane Performance"),
    }
    times = {name: [] for name in programs}
    with tempfile.TemporaryDirectory() as config_home:
        for _ in range(runs):
            for name, (program, title) in programs.items():
                times[name].append(time_start(program, title, config_home))
    medians = {name: statistics.median(values) * 1000 for name, values in times.items()}
    for name, median in medians.items():
        print(f"{name}: median {median:.0f} ms to its main window over {runs} starts")
    print(f"ratio: {medians['veltrane-performance'] / medians['veltrane']:.2f}")


if __name__ == "__main__":
    main()
