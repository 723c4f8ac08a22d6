"""The large-screen run: one 7680x4320 screen. Start-up, the frozen picture, a rectangle, undo and
an exact copy all work there; the start-up time and the program's memory are printed (run with
-s to see them)."""

import time
from pathlib import Path

import pytest

from harness import paths
from harness.capture_ui import Box, choose_tool, make_selection, settled_grab, wait_pixel
from harness.desktop import CAPTURE_TITLE, difference_box
from harness.evidence import Evidence

WIDTH, HEIGHT = 7680, 4320
SELECTED = Box(3000, 1500, 5000, 3000)
RED = (255, 0, 0)


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def memory(pid: int) -> str:
    """The process's resident memory now and at its peak, as the kernel reports them."""
    status = dict(line.split(":", 1) for line in Path(f"/proc/{pid}/status").read_text()
                  .splitlines() if ":" in line)
    return f"VmRSS {status['VmRSS'].strip()}, VmHWM {status['VmHWM'].strip()}"


@pytest.mark.large_screen
def test_7680x4320_freezes_annotates_undoes_and_copies_exactly(make_desktop, evidence):
    desktop = make_desktop(WIDTH, HEIGHT)
    frozen = desktop.picture
    desktop.watch_painting()
    launched = time.monotonic()
    app = desktop.launch(paths.require(paths.CAPTURE_EXE, "capture.exe"))
    painted = desktop.wait_painted(CAPTURE_TITLE, frozen, app=app, timeout=120)
    print(f"\n{WIDTH}x{HEIGHT}: launch to frozen picture shown {painted - launched:.2f} s; "
          f"after start-up {memory(app.pid)}")
    with evidence.on_failure(desktop):
        [window] = desktop.find_windows(CAPTURE_TITLE)
        assert desktop.window_geometry(window) == (0, 0, WIDTH, HEIGHT)
        assert difference_box(desktop.screenshot(), frozen) is None

        layout = make_selection(desktop, app, (SELECTED.left, SELECTED.top),
                                (SELECTED.right, SELECTED.bottom))
        inside = Box(SELECTED.left + 300, SELECTED.top + 300, SELECTED.right - 100,
                     SELECTED.bottom - 100)
        choose_tool(desktop, app, layout, "rectangle")
        corners = [(3400, 1900), (4800, 2800)]
        desktop.drag(*corners)
        edges = [(3500, 1900), (4800, 2700)]  # away from the handles of the rectangle drawn
        for edge in edges:
            wait_pixel(desktop, edge, RED, app, timeout=30)

        desktop.click(*layout.button_point("undo"))
        for edge in edges:
            wait_pixel(desktop, edge, frozen.getpixel(edge), app, timeout=30)
        undone = settled_grab(desktop, inside)
        assert difference_box(undone, frozen.crop(inside.pil())) is None
        print(f"after a rectangle and its undo {memory(app.pid)}")

        desktop.click(*layout.button_point("copy"))
        assert app.wait_exit(30) == 0
        copied = desktop.clipboard_image()
        assert copied is not None, "nothing on the clipboard"
        evidence.save("clipboard", copied)
        assert difference_box(copied, frozen.crop(SELECTED.pil())) is None
