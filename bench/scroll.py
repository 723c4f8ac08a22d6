#!/usr/bin/env python3
"""A scrolling capture under Wine: `capture --window --scroll --out` over long_window.exe, for a
small and a large window. Prints, for each: the notches (one per step of content, and the two at
the end that move nothing), the wall time per notch (the window's settling and our waits: 50 ms
after a notch, grabs 30 ms apart until two agree), and capture.exe's processor time per notch
(the grabs, their comparison and the joining; start-up and the PNG's encoding are counted in, so
this is an upper bound). Build first (scripts/build windows), then:
    /usr/bin/python3 bench/scroll.py
"""

import resource
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from harness import Desktop, paths  # noqa: E402
from harness.paths import windows_path  # noqa: E402

# Window size, content rows, rows per notch.
CASES = [((480, 360), 3000, 60), ((1200, 700), 6000, 100)]


def main() -> int:
    desktop = Desktop(1280, 800)
    try:
        for (width, height), rows, step in CASES:
            exe = paths.require(paths.WINDOWS_BUILD / "long_window.exe", "long_window.exe")
            app = desktop.launch(exe, "40", "40", str(width), str(height), "--rows", str(rows),
                                 "--step", str(step))
            desktop.wait_window("Long", app)
            desktop.click(60, 60)
            time.sleep(0.5)
            before = resource.getrusage(resource.RUSAGE_CHILDREN)
            start = time.monotonic()
            out = desktop.workdir / "scrolled.png"
            done = subprocess.run(["wine", str(paths.CAPTURE_EXE), "--window", "--scroll",
                                   "--out", windows_path(out)], env=desktop.wine.env,
                                  cwd=desktop.workdir, capture_output=True, check=False)
            wall = time.monotonic() - start
            after = resource.getrusage(resource.RUSAGE_CHILDREN)
            cpu = after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
            notches = -(-(rows - height) // step) + 2
            print(f"{width}x{height}, {rows} rows, {step} a notch: status {done.returncode}, "
                  f"{notches} notches, {1000 * wall / notches:.0f} ms a notch on the clock, "
                  f"{1000 * cpu / notches:.1f} ms of processor time a notch")
            app.process.kill()
            app.process.wait()
    finally:
        desktop.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
