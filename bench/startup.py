#!/usr/bin/env python3
"""Start-up time of capture.exe against the smallest window program, under the same Wine.

Each run launches the program on a private virtual screen showing a known picture and stops the
clock at the screen drawing after which the program's window is visible and shows its picture:
the frozen screen for capture.exe, one colour for trivial_window.exe. The two alternate, several
runs each, with one keeper per screen size so that both start the same way. Prints the median of
each and their ratio. Build first (scripts/build), then:

    /usr/bin/python3 bench/startup.py [--runs 7] [--sizes 1280x800,3840x2160]
"""

import argparse
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from PIL import Image  # noqa: E402

from harness import Desktop, paths  # noqa: E402
from harness.desktop import CAPTURE_TITLE, TRIVIAL_TITLE  # noqa: E402

TRIVIAL_COLOUR = "3366CC"


def time_one(desktop: Desktop, program: str) -> float:
    if program == "capture":
        exe, args, title, expected = paths.CAPTURE_EXE, (), CAPTURE_TITLE, desktop.picture
    else:
        exe, args, title = paths.TRIVIAL_EXE, (TRIVIAL_COLOUR,), TRIVIAL_TITLE
        expected = Image.new("RGB", (desktop.width, desktop.height), "#" + TRIVIAL_COLOUR)
    desktop.watch_painting()
    started = time.monotonic()
    app = desktop.launch(exe, *args)
    painted = desktop.wait_painted(title, expected, app=app)
    desktop.key("Escape")
    status = app.wait_exit(30)
    if status != 0:
        raise RuntimeError(f"{exe.name} ended with status {status}")
    # The next run starts from the bare screen again.
    desktop.wait_showing(desktop.picture)
    return painted - started


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=7, help="runs of each program per size")
    parser.add_argument("--sizes", default="1280x800,3840x2160")
    args = parser.parse_args()
    paths.require(paths.CAPTURE_EXE, "capture.exe")
    paths.require(paths.TRIVIAL_EXE, "trivial_window.exe")

    print(f"{'screen':>10} {'program':>8} {'median ms':>10} {'min ms':>8} {'max ms':>8}  runs")
    for size in args.sizes.split(","):
        width, height = (int(v) for v in size.split("x"))
        times = {"capture": [], "trivial": []}
        desktop = Desktop(width, height, picture="noise")
        try:
            time_one(desktop, "trivial")  # warm-up, not counted: first use of the prefix
            for run in range(args.runs):
                order = ("capture", "trivial") if run % 2 == 0 else ("trivial", "capture")
                for program in order:
                    times[program].append(time_one(desktop, program))
        finally:
            desktop.close()
        for program, values in times.items():
            ms = [v * 1000 for v in values]
            print(f"{size:>10} {program:>8} {statistics.median(ms):10.1f} {min(ms):8.1f} "
                  f"{max(ms):8.1f}  {' '.join(f'{v:.0f}' for v in ms)}")
        ratio = statistics.median(times["capture"]) / statistics.median(times["trivial"])
        print(f"{size:>10}    ratio capture / trivial (medians): {ratio:.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
