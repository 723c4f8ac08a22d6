"""A short scripted session with capture.exe on a private virtual screen, for machines without a
display. Writes what a user would have seen, and the clipboard picture, into a folder:

    1-frozen.png     the screen right after start-up (the frozen picture)
    2-selection.png  after dragging a selection from (100,100) to (300,250)
    3-clipboard.png  the clipboard after a double-click inside the selection
    screen.png       the picture that was on the screen before start-up

    python3 demo.py OUTPUT_FOLDER
"""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))

from harness import Desktop, capture_ui  # noqa: E402
from harness.desktop import difference_box  # noqa: E402

SELECTION = ((100, 100), (300, 250))


def step(message: str) -> None:
    print(f"  {message}", flush=True)


def main() -> int:
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    desktop = Desktop(1280, 800, picture="desktop")
    try:
        desktop.picture.save(out / "screen.png")
        step("starting capture.exe on a 1280x800 virtual screen")
        app = desktop.launch_capture()
        desktop.screenshot().save(out / "1-frozen.png")

        (left, top), (right, bottom) = SELECTION
        step(f"dragging a selection from ({left},{top}) to ({right},{bottom})")
        desktop.drag((left, top), (right, bottom), steps=10)
        # The toolbar strip shows once the release has been handled: the drag is complete then.
        strip = capture_ui.layout_of_drag((left, top), (right, bottom), desktop.height).strip
        try:
            capture_ui.wait_pixel(desktop, (strip.left, strip.top), capture_ui.PANEL_FRAME, app)
        except TimeoutError:
            step("the toolbar strip did not show after the drag")
        desktop.screenshot().save(out / "2-selection.png")

        step("double-clicking inside the selection")
        desktop.double_click((left + right) // 2, (top + bottom) // 2)
        status = app.wait_exit(10)
        step(f"capture.exe ended with status {status}")
        clip = desktop.clipboard_image()
        if clip is None:
            step("the clipboard holds no picture")
            return 1
        clip.save(out / "3-clipboard.png")
        same = difference_box(clip, desktop.picture.crop((left, top, right, bottom))) is None
        step(f"clipboard picture {clip.width}x{clip.height}, "
             f"{'exactly' if same else 'NOT'} the selected part of the screen")
        return 0 if status == 0 and same else 1
    finally:
        desktop.close()


if __name__ == "__main__":
    sys.exit(main())
