"""Runs capture.exe through the same gestures many times on one private virtual screen and counts
what went wrong, by kind: a start-up that failed or ended early, a release that never arrived
(no toolbar after a drag), a click that had no effect (no style panel after a tool click, no
outline after a drag with the rectangle tool), an exit status other than 0, or a clipboard that
does not hold exactly the selection. Meant to be run under a CPU load, e.g. beside a build.

    python3 stress.py [RUNS]        default 300; prints one line per failure and a summary
"""

import signal
import sys
import time
from collections import Counter
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))

from PIL import ImageDraw  # noqa: E402

from harness import Desktop, capture_ui  # noqa: E402
from harness.desktop import difference_box  # noqa: E402

SELECTION = ((100, 100), (300, 250))
OUTLINE = ((150, 150), (200, 200))
RED = (255, 0, 0)


def one_run(desktop: Desktop) -> str | None:
    """One launch, selection, tool click, rectangle and a click on the copy button; what went
    wrong, or None."""
    try:
        app = desktop.launch_capture(timeout=20)
    except Exception as error:  # noqa: BLE001 - every start-up failure is one kind
        return f"start-up: {error}".splitlines()[0]
    try:
        start, end = SELECTION
        try:
            layout = capture_ui.make_selection(desktop, app, start, end)
        except TimeoutError:
            return "lost release: no toolbar after the selection drag"
        try:
            capture_ui.choose_tool(desktop, app, layout, "rectangle")
        except TimeoutError:
            return "lost click: no style panel after the tool click"
        desktop.drag(*OUTLINE)
        try:
            capture_ui.wait_pixel(desktop, (OUTLINE[0][0], OUTLINE[1][1] - 10), RED, app)
        except TimeoutError:
            return "lost press or release: no outline after the rectangle drag"
        desktop.click(*layout.button_point("copy"))
        try:
            status = app.wait_exit(10)
        except TimeoutError:
            return "lost click: the copy button did not end the program"
        if status != 0:
            return f"exit status {status}"
        clip = desktop.clipboard_image()
        expected = desktop.picture.crop((*start, *end))
        draw_outline(expected, start)
        if clip is None or difference_box(clip, expected) is not None:
            return "clipboard: not exactly the selection"
        return None
    finally:
        if app.running():
            app.process.kill()
            app.process.wait()


def draw_outline(picture, corner) -> None:
    (x1, y1), (x2, y2) = OUTLINE
    ImageDraw.Draw(picture).rectangle((x1 - corner[0], y1 - corner[1], x2 - corner[0],
                                       y2 - corner[1]), outline=RED)


def main() -> int:
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 300
    # Stopped from outside, it still ends the desktop it started.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    failures = Counter()
    desktop = Desktop(1280, 800, picture="noise")
    started = time.monotonic()
    try:
        for run in range(1, runs + 1):
            problem = one_run(desktop)
            if problem:
                failures[problem.split(":")[0]] += 1
                print(f"run {run}: {problem}", flush=True)
            elif run % 25 == 0:
                print(f"run {run}: ok ({time.monotonic() - started:.0f} s)", flush=True)
    finally:
        desktop.close()
    failed = sum(failures.values())
    print(f"{runs} runs in {time.monotonic() - started:.0f} s: {runs - failed} clean, "
          f"{failed} with a fault {dict(failures)}")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
