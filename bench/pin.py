#!/usr/bin/env python3
"""Pins under Wine: what a pin costs in memory and how fast F3 shows it.
On one private virtual screen, with capture.exe --tray resident:
  idle          VmRSS before any capture
  before        VmRSS after a first capture has ended (Wine keeps some of a capture's memory
                after its first round: see bench/resident.py), the baseline of each pin below
  pinned        VmRSS once a selection of --selection has been pinned and its capture has ended
  closed        VmRSS once that pin has been closed
  F3 to pin     from the key to the pin's window showing (mapped, found by its title)
  F3 to capture gone  from the key to the capture window gone: the pin alone on the screen
A pin's own pixels are width x height x 4 bytes (the frame around them adds a few rows).
Build first (scripts/build windows), then:
    /usr/bin/python3 bench/pin.py [--runs 5] [--size 3840x2160] [--selection 1000x800]
"""

import argparse
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from harness import Desktop, paths  # noqa: E402
from harness.capture_ui import make_selection  # noqa: E402
from harness.desktop import CAPTURE_TITLE  # noqa: E402
from harness.hotkeys import start_focus_window  # noqa: E402
from harness.processes import wait_until  # noqa: E402
from resident import MIB, hotkey_capture, rss, wait_resident_ready  # noqa: E402

PIN_TITLE = "贴图"


def settled_rss(app) -> int:
    time.sleep(1)
    return rss(app)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--size", default="3840x2160")
    parser.add_argument("--selection", default="1000x800")
    args = parser.parse_args()
    capture = paths.require(paths.CAPTURE_EXE, "capture.exe")
    width, height = (int(v) for v in args.size.split("x"))
    pin_w, pin_h = (int(v) for v in args.selection.split("x"))

    desktop = Desktop(width, height, picture="noise")
    try:
        resident = desktop.launch(capture, "--tray")
        focus = start_focus_window(desktop, app=resident)
        idle = settled_rss(resident)
        screen = wait_resident_ready(desktop, focus)
        rows, to_window, to_gone = [], [], []
        for _ in range(args.runs):
            before = settled_rss(resident)
            hotkey_capture(desktop, resident, focus, screen)
            start, end = (200, 200), (200 + pin_w, 200 + pin_h)
            make_selection(desktop, resident, start, end)
            pressed = time.monotonic()
            desktop.key("F3")
            wait_until(lambda: desktop.find_windows(PIN_TITLE), 10, interval=0.002,
                       what="the pin")
            to_window.append(time.monotonic() - pressed)
            wait_until(lambda: not desktop.find_windows(CAPTURE_TITLE), 10, interval=0.002,
                       what="the capture to go")
            to_gone.append(time.monotonic() - pressed)
            pinned = settled_rss(resident)
            desktop.click(start[0] + 50, start[1] + 50)
            desktop.key("Escape")
            wait_until(lambda: not desktop.find_windows(PIN_TITLE), 10, what="the pin to close")
            closed = settled_rss(resident)
            rows.append((before, pinned, closed))
        desktop.key("Escape")

        print(f"screen {width}x{height}, selection {pin_w}x{pin_h}: its pixels "
              f"{pin_w * pin_h * 4 / MIB:.1f} MiB")
        print(f"idle in the tray            {idle / MIB:8.1f} MiB")
        for i, (before, pinned, closed) in enumerate(rows, 1):
            print(f"run {i}: before {before / MIB:7.1f} MiB, pinned {pinned / MIB:7.1f} MiB "
                  f"(+{(pinned - before) / MIB:5.1f}), closed {closed / MIB:7.1f} MiB "
                  f"(+{(closed - before) / MIB:5.1f} against before)")
        for name, values in (("F3 to pin", to_window), ("F3 to capture gone", to_gone)):
            v = [x * 1000 for x in values]
            print(f"{name:20} {statistics.median(v):8.1f} ms median (min {min(v):.0f}, "
                  f"max {max(v):.0f}, {len(v)} runs)")
    finally:
        desktop.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
