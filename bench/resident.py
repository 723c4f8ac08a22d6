#!/usr/bin/env python3
"""Resident mode under Wine: how fast Print Screen shows the frozen screen, and what the resident
instance holds in memory.

Times, each the median of several runs on one private virtual screen, from the key (or the
launch) to the screen drawing after which the window is visible and shows the frozen picture:
  hotkey      capture.exe --tray running, Print Screen pressed
  one-shot    capture.exe launched
  grab+show   grab_and_show.exe launched (a program that only grabs the screen and shows it), when
              it is built; the column is skipped otherwise
Memory, VmRSS of the program's process:
  trivial     trivial_window.exe, a full-screen window in one colour
  idle        capture.exe --tray waiting in the tray, before any capture
  after 1     after its first capture has ended
  after N     after N captures (each: select, then copy by double-click or leave by Escape); the
              growth from the first is what a long-running instance would keep gaining
Under Wine the first capture leaves the process larger than when idle even though every buffer
of the run is freed: the smallest program that grabs the screen into a DIB section, shows it in
a full-screen window and destroys both keeps 34 MiB more after its first round and 97 MiB after
its second at 3840x2160 (flat after that), so that residue is Wine's, not the program's.
Build first (scripts/build windows), then:

    /usr/bin/python3 bench/resident.py [--runs 7] [--captures 20] [--size 3840x2160]
"""

import argparse
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from PIL import Image  # noqa: E402

from harness import Desktop, paths  # noqa: E402
from harness.capture_ui import make_selection  # noqa: E402
from harness.desktop import CAPTURE_TITLE, TRIVIAL_TITLE  # noqa: E402
from harness.hotkeys import activate, start_focus_window, wait_deactivated  # noqa: E402
from harness.processes import wait_until  # noqa: E402

GRAB_AND_SHOW_EXE = paths.WINDOWS_BUILD / "grab_and_show.exe"
TRIVIAL_COLOUR = "3366CC"
MIB = 1024 * 1024


def rss(app) -> int:
    """The process's resident memory in bytes."""
    for line in Path(f"/proc/{app.pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) * 1024
    raise RuntimeError(f"no VmRSS for pid {app.pid}")


def visible_windows(desktop) -> set[str]:
    result = desktop.screen.run(["xdotool", "search", "--onlyvisible", "--name", ".*"],
                                capture_output=True, text=True, check=False)
    return set(result.stdout.split())


def wait_new_window_painted(desktop, before: set[str], expected: Image.Image, app) -> float:
    """Waits until a window not in `before` is visible, something was drawn since
    watch_painting(), and the screen shows `expected`; the time of the last drawing then."""
    drawn = []

    def painted():
        if app is not None and not app.running():
            raise RuntimeError(f"{app.pid} ended with status {app.process.returncode}")
        drawn.extend(desktop._damage.take())
        return drawn and visible_windows(desktop) - before and desktop.showing(expected)

    wait_until(painted, 30, interval=0.002, what="a new window showing its picture")
    return drawn[-1]


def end_shown(desktop, app, title: str | None, screen: Image.Image | None = None) -> None:
    """Escape, then waits for the window to go and the screen to show the desktop's picture (or
    `screen`) again."""
    desktop.key("Escape")
    if app is not None:
        try:
            app.wait_exit(10)
        except TimeoutError:
            app.process.terminate()
            app.wait_exit(10)
    if title:
        wait_until(lambda: not desktop.find_windows(title), 10, what=f"{title} to go")
    desktop.wait_showing(screen or desktop.picture)


def time_launch(desktop, exe: Path, args=(), expected=None, title=None) -> float:
    before = set() if title else visible_windows(desktop)
    desktop.watch_painting()
    started = time.monotonic()
    app = desktop.launch(exe, *args)
    if title:
        painted = desktop.wait_painted(title, expected or desktop.picture, app=app)
    else:  # a program whose title is not known here: its first visible window
        painted = wait_new_window_painted(desktop, before, expected or desktop.picture, app)
    end_shown(desktop, app, title)
    return painted - started


def hotkey_capture(desktop, resident, focus: str, screen: Image.Image) -> float:
    """Print Screen with the focus window active; the time until the frozen screen (`screen`,
    the desktop with the tray and focus windows on it) shows."""
    activate(desktop, focus)
    desktop.watch_painting()
    started = time.monotonic()
    desktop.key("Print")
    painted = desktop.wait_painted(CAPTURE_TITLE, screen, app=resident)
    wait_deactivated(desktop)
    return painted - started


def wait_resident_ready(desktop, focus: str) -> Image.Image:
    """Presses Print Screen until the resident instance answers (its hotkey is registered a
    moment after it starts), leaves that capture, and returns the screen as it is then."""
    def answered():
        if not desktop.find_windows(CAPTURE_TITLE):
            activate(desktop, focus)
            desktop.key("Print")
            time.sleep(1)
        return desktop.find_windows(CAPTURE_TITLE)

    wait_until(answered, 30, interval=0, what="the resident instance to answer Print Screen")
    wait_deactivated(desktop)
    desktop.key("Escape")
    wait_until(lambda: not desktop.find_windows(CAPTURE_TITLE), 10, what="the capture to end")
    time.sleep(1)
    return desktop.screenshot()


def one_capture(desktop, resident, focus: str, screen: Image.Image, copy: bool) -> None:
    hotkey_capture(desktop, resident, focus, screen)
    make_selection(desktop, resident, (200, 200), (900, 700))
    if copy:
        desktop.double_click(500, 400)
        wait_until(lambda: not desktop.find_windows(CAPTURE_TITLE), 10, what="the copy")
        desktop.wait_showing(screen)
    else:
        end_shown(desktop, None, CAPTURE_TITLE, screen)


def ms(values: list[float]) -> str:
    v = [x * 1000 for x in values]
    return f"{statistics.median(v):8.1f} ms (min {min(v):.0f}, max {max(v):.0f}, {len(v)} runs)"


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--captures", type=int, default=20)
    parser.add_argument("--size", default="3840x2160")
    args = parser.parse_args()
    capture = paths.require(paths.CAPTURE_EXE, "capture.exe")
    trivial = paths.require(paths.TRIVIAL_EXE, "trivial_window.exe")
    grab_and_show = GRAB_AND_SHOW_EXE if GRAB_AND_SHOW_EXE.exists() else None
    width, height = (int(v) for v in args.size.split("x"))

    desktop = Desktop(width, height, picture="noise")
    try:
        # Memory of the trivial full-screen window, as the floor.
        app = desktop.launch(trivial, TRIVIAL_COLOUR)
        desktop.wait_painted(TRIVIAL_TITLE, Image.new("RGB", (width, height), "#" + TRIVIAL_COLOUR),
                             app=app)
        time.sleep(0.5)
        trivial_rss = rss(app)
        end_shown(desktop, app, TRIVIAL_TITLE)

        # Launch times, alternating.
        times = {"one-shot": [], "grab+show": []}
        for _ in range(args.runs):
            times["one-shot"].append(time_launch(desktop, capture, title=CAPTURE_TITLE))
            if grab_and_show:
                times["grab+show"].append(time_launch(desktop, grab_and_show))

        resident = desktop.launch(capture, "--tray")
        focus = start_focus_window(desktop, app=resident)
        time.sleep(1)
        idle_rss = rss(resident)
        screen = wait_resident_ready(desktop, focus)
        hotkey = []
        for _ in range(args.runs):
            hotkey.append(hotkey_capture(desktop, resident, focus, screen))
            end_shown(desktop, None, CAPTURE_TITLE, screen)
        series = []  # after each capture
        for n in range(args.captures):
            one_capture(desktop, resident, focus, screen, copy=n % 2 == 0)
            time.sleep(0.3)
            series.append(rss(resident))
        first_rss, last_rss = series[0], series[-1]
    finally:
        desktop.close()

    print(f"screen {args.size}, Wine, medians")
    print(f"  hotkey -> frozen screen shown   {ms(hotkey)}")
    print(f"  one-shot launch -> shown        {ms(times['one-shot'])}")
    if grab_and_show:
        print(f"  grab_and_show launch -> shown   {ms(times['grab+show'])}")
    else:
        print("  grab_and_show launch -> shown   skipped (grab_and_show.exe is not built)")
    print("memory (VmRSS)")
    print(f"  trivial full-screen window      {trivial_rss / MIB:8.1f} MiB")
    print(f"  resident, idle                  {idle_rss / MIB:8.1f} MiB")
    print(f"  resident, after 1 capture       {first_rss / MIB:8.1f} MiB")
    print(f"  resident, after {args.captures} captures     {last_rss / MIB:8.1f} MiB")
    print("  after each capture (MiB)        " + " ".join(f"{v / MIB:.0f}" for v in series))
    growth = (last_rss - first_rss) / MIB
    print(f"  growth from capture 1 to {args.captures}       {growth:8.2f} MiB "
          f"({'within' if growth <= 4 else 'OVER'} 4 MiB)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
