#!/usr/bin/env python3
"""Start-up time and memory of capture.exe against the least programs, under the same Wine.

Each run launches a program on a private virtual screen showing a known picture and stops the
clock at the screen drawing after which the program's window is visible and shows its picture:
the frozen screen for capture.exe and for grab_and_show.exe (which grabs the screen into a DIB
section and shows it, nothing else: the floor for a program that freezes the screen), one colour
for trivial_window.exe (the floor Wine itself sets for any window). The programs alternate,
several runs each, with one keeper per screen layout so that they all start the same way. Then,
with the window shown and nothing drawn, it reads the resident memory (VmRSS) of the program's own
Wine process. Prints the medians, capture's ratios against both floors (of the medians, and of the
minimums, which a busy machine disturbs less), and the memory.

With --script, each layout also times `capture.exe --region 0,0,W,H --out x.png` from launch to
its end with the PNG written (the whole screen, no window), alternating with the other programs.

With --annotate, capture.exe also draws 100 rectangles in a selection and its memory is read
after them (once per layout; printed, never judged).

Build first (scripts/build), then:

    /usr/bin/python3 bench/startup.py [--runs 7] [--sizes 1280x800,3840x2160] [--two-monitors]
        [--annotate] [--script]

A layout is a name and a function that makes a Desktop (see layouts() below). --two-monitors adds
a desktop of a 1024x768 monitor left of a 1280x800 primary (Xorg's dummy driver; needs root).
"""

import argparse
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from PIL import Image  # noqa: E402

from harness import Desktop, paths  # noqa: E402
from harness.capture_ui import choose_tool, make_selection  # noqa: E402
from harness.desktop import CAPTURE_TITLE, TRIVIAL_TITLE  # noqa: E402
from harness.monitors import TwoMonitorScreen  # noqa: E402
from harness.wine import WineApp  # noqa: E402

TRIVIAL_COLOUR = "3366CC"
GRAB_AND_SHOW_EXE = paths.WINDOWS_BUILD / "grab_and_show.exe"
GRAB_AND_SHOW_TITLE = "GrabAndShow"
PROGRAMS = ("capture", "grab", "trivial")
# Resident memory is read this long after the window showed its picture, once start-up work
# that follows the first paint (if any) has settled.
SETTLE_SECONDS = 0.3


def single_screen(size: str) -> Desktop:
    width, height = (int(v) for v in size.split("x"))
    return Desktop(width, height, picture="noise")


def layouts(args) -> list[tuple[str, callable]]:
    """The screen layouts to measure, each with a function making its Desktop."""
    made = [(size, lambda size=size: single_screen(size)) for size in args.sizes.split(",")]
    if args.two_monitors:
        made.append(("2 monitors", lambda: Desktop(2304, 800, picture="noise",
                                                   server=TwoMonitorScreen)))
    return made


def resident_mib(app: WineApp) -> float:
    """VmRSS of the program's own process: `wine x.exe` becomes the program (checked here)."""
    cmdline = Path(f"/proc/{app.pid}/cmdline").read_bytes().replace(b"\0", b" ").decode()
    if ".exe" not in cmdline.lower():
        raise RuntimeError(f"pid {app.pid} is not the program but {cmdline!r}")
    for line in Path(f"/proc/{app.pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024
    raise RuntimeError(f"no VmRSS for pid {app.pid}")


def launch(desktop: Desktop, program: str) -> tuple[WineApp, float, float]:
    """Starts a program and waits until it shows its picture; returns the program, the seconds
    from launch to that picture, and its resident memory then (MiB)."""
    if program == "capture":
        exe, args, title, expected = paths.CAPTURE_EXE, (), CAPTURE_TITLE, desktop.picture
    elif program == "grab":
        exe, args, title, expected = GRAB_AND_SHOW_EXE, (), GRAB_AND_SHOW_TITLE, desktop.picture
    else:
        exe, args, title = paths.TRIVIAL_EXE, (TRIVIAL_COLOUR,), TRIVIAL_TITLE
        expected = Image.new("RGB", (desktop.width, desktop.height), "#" + TRIVIAL_COLOUR)
    desktop.watch_painting()
    started = time.monotonic()
    app = desktop.launch(exe, *args)
    painted = desktop.wait_painted(title, expected, app=app)
    time.sleep(SETTLE_SECONDS)
    return app, painted - started, resident_mib(app)


def script_ms(desktop: Desktop) -> float:
    """Milliseconds from launching capture.exe --region over the whole screen to its end, the
    PNG written (checked)."""
    out = desktop.workdir / "script.png"
    out.unlink(missing_ok=True)
    started = time.monotonic()
    app = desktop.launch(paths.CAPTURE_EXE, "--region", f"0,0,{desktop.width},{desktop.height}",
                         "--out", paths.windows_path(out))
    status = app.wait_exit(60)
    seconds = time.monotonic() - started
    if status != 0 or not out.read_bytes().startswith(b"\x89PNG"):
        raise RuntimeError(f"capture --region ended with status {status}, no PNG written")
    return seconds * 1000


def end(desktop: Desktop, app: WineApp) -> None:
    desktop.key("Escape")
    status = app.wait_exit(30)
    if status != 0:
        raise RuntimeError(f"pid {app.pid} ended with status {status}")
    # The next run starts from the bare screen again.
    desktop.wait_showing(desktop.picture)


def annotated_mib(desktop: Desktop) -> tuple[float, float]:
    """capture.exe's resident memory with the frozen window shown, and after 100 rectangles."""
    app, _, before = launch(desktop, "capture")
    layout = make_selection(desktop, app, (20, 20), (desktop.width - 20, desktop.height - 80))
    choose_tool(desktop, app, layout, "rectangle")
    for i in range(100):
        x = 120 + (i % 10) * (desktop.width - 200) // 10
        y = 120 + (i // 10) * (desktop.height - 320) // 10
        desktop.drag((x, y), (x + 100, y + 60))
    time.sleep(1)  # the last release's snapshot
    after = resident_mib(app)
    end(desktop, app)
    return before, after


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=7, help="runs of each program per layout")
    parser.add_argument("--sizes", default="1280x800,3840x2160")
    parser.add_argument("--two-monitors", action="store_true",
                        help="also a desktop of two monitors, one at negative coordinates")
    parser.add_argument("--script", action="store_true",
                        help="also time capture.exe --region to a written PNG")
    parser.add_argument("--annotate", action="store_true",
                        help="also read capture.exe's memory after 100 rectangles")
    args = parser.parse_args()
    paths.require(paths.CAPTURE_EXE, "capture.exe")
    paths.require(paths.TRIVIAL_EXE, "trivial_window.exe")
    paths.require(GRAB_AND_SHOW_EXE, "grab_and_show.exe")

    print(f"{'screen':>10} {'program':>8} {'median ms':>10} {'min ms':>8} {'max ms':>8} "
          f"{'VmRSS MiB':>10}  runs (ms)")
    for name, make in layouts(args):
        times = {p: [] for p in PROGRAMS}
        memory = {p: [] for p in PROGRAMS}
        annotated = None
        scripted = []
        desktop = make()
        try:
            end(desktop, launch(desktop, "trivial")[0])  # warm-up: first use of the prefix
            for run in range(args.runs):
                order = PROGRAMS[run % 3:] + PROGRAMS[:run % 3]
                for program in order:
                    app, seconds, mib = launch(desktop, program)
                    end(desktop, app)
                    times[program].append(seconds * 1000)
                    memory[program].append(mib)
                if args.script:
                    scripted.append(script_ms(desktop))
            if args.annotate:
                annotated = annotated_mib(desktop)
        finally:
            desktop.close()
        for program in PROGRAMS:
            ms = times[program]
            print(f"{name:>10} {program:>8} {statistics.median(ms):10.1f} {min(ms):8.1f} "
                  f"{max(ms):8.1f} {statistics.median(memory[program]):10.1f}  "
                  f"{' '.join(f'{v:.0f}' for v in ms)}")
        for label, stat in (("medians", statistics.median), ("minimums", min)):
            capture = stat(times["capture"])
            print(f"{name:>10}    start-up ratio capture / grab-and-show "
                  f"{capture / stat(times['grab']):.2f}, capture / trivial "
                  f"{capture / stat(times['trivial']):.2f} ({label})")
        extra = statistics.median(memory["capture"]) - statistics.median(memory["grab"])
        print(f"{name:>10}    memory capture - grab-and-show {extra:+.1f} MiB")
        if scripted:
            print(f"{name:>10}    capture --region to a written PNG: median "
                  f"{statistics.median(scripted):.0f} ms (min {min(scripted):.0f}, max "
                  f"{max(scripted):.0f}); ratio to grab-and-show's launch "
                  f"{statistics.median(scripted) / statistics.median(times['grab']):.2f} (medians)")
        if annotated:
            print(f"{name:>10}    capture VmRSS {annotated[0]:.1f} MiB frozen, "
                  f"{annotated[1]:.1f} MiB after 100 rectangles ({annotated[1] - annotated[0]:+.1f})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
