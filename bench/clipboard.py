#!/usr/bin/env python3
"""A capture's copy under Wine: the time from Enter to the clipboard holding the picture.

On a private virtual screen showing noise, capture.exe is launched, Ctrl+A selects the whole
screen and Enter copies it. clipboard_tool.exe (started before Enter, in a process of its own)
returns once the clipboard has changed and holds the bitmap, and also offers "PNG" with --png;
the clock runs from Enter to its end. Then, after the capture has exited, the time
clipboard_tool.exe takes to read the bitmap and the PNG is printed too (the PNG is made when it
is asked for, or when the copying program ends). Figures on this shared machine swing with the
load: compare within one run.

Build first (scripts/build windows), then:

    /usr/bin/python3 bench/clipboard.py [--runs 5] [--size 3840x2160] [--png] [--before EXE]

With --before, each run also copies with that capture.exe (say, one built before a change),
alternating with the build's, and both are printed: the load on this machine changes from minute
to minute, so only figures taken together compare.
"""

import argparse
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from harness import Desktop, paths  # noqa: E402
from harness.processes import wait_until  # noqa: E402

CLIPBOARD_TOOL = paths.WINDOWS_BUILD / "clipboard_tool.exe"


def one_copy(desktop: Desktop, exe: Path, png: bool, folder: Path) -> tuple[float, float]:
    """Milliseconds from Enter to the clipboard holding the copy, and to the whole dump read
    after the program ended."""
    app = desktop.launch_capture(timeout=120, exe=exe)
    desktop.move(desktop.width // 2, desktop.height // 2)
    desktop.key("ctrl+a")
    time.sleep(1)  # the selection made and painted
    waiter = desktop.launch(CLIPBOARD_TOOL, "wait", *(["png"] if png else []))
    wait_until(lambda: "ready" in waiter.output(), 30, what="clipboard_tool to start")
    pressed = time.monotonic()
    desktop.key("Return")
    if waiter.wait_exit(60) != 0:
        raise RuntimeError("clipboard_tool wait failed")
    copied = time.monotonic()
    if app.wait_exit(60) != 0:
        raise RuntimeError("capture.exe did not end with status 0")
    started = time.monotonic()
    dump = desktop.launch(CLIPBOARD_TOOL, "dump", "Z:" + str(folder).replace("/", "\\"))
    if dump.wait_exit(120) != 0:
        raise RuntimeError("clipboard_tool dump failed")
    return (copied - pressed) * 1000, (time.monotonic() - started) * 1000


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--size", default="3840x2160")
    parser.add_argument("--png", action="store_true", help="wait for \"PNG\" to be offered too")
    parser.add_argument("--before", type=Path, help="a capture.exe to compare with")
    args = parser.parse_args()
    programs = {"this build": paths.require(paths.CAPTURE_EXE, "capture.exe")}
    if args.before:
        programs["before"] = args.before
    width, height = (int(v) for v in args.size.split("x"))
    paths.require(CLIPBOARD_TOOL, "clipboard_tool.exe")
    desktop = Desktop(width, height, picture="noise")
    copies = {name: [] for name in programs}
    dumps = {name: [] for name in programs}
    try:
        folder = desktop.workdir
        for run in range(args.runs + 1):
            for name, exe in programs.items():
                copy_ms, dump_ms = one_copy(desktop, exe, args.png and name != "before", folder)
                if run > 0:  # the first run warms the prefix up
                    copies[name].append(copy_ms)
                    dumps[name].append(dump_ms)
                png = folder / "clip.png"
                offered = f"yes, {png.stat().st_size} bytes" if png.exists() else "no"
                png.unlink(missing_ok=True)
                if run == 0:
                    print(f"{name}: PNG on the clipboard after the program ended: {offered}")
    finally:
        desktop.close()
    for name in programs:
        ms = copies[name]
        print(f"{name}, {args.size}: Enter to the clipboard holding the picture, median "
              f"{statistics.median(ms):.0f} ms (min {min(ms):.0f}, max {max(ms):.0f}): "
              f"{' '.join(f'{v:.0f}' for v in ms)}")
        print(f"{name}: after the program ended, another program reading the bitmap and the PNG:"
              f" median {statistics.median(dumps[name]):.0f} ms: "
              f"{' '.join(f'{v:.0f}' for v in dumps[name])}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
