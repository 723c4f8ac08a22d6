"""Two monitors, the left one at negative Windows coordinates (Xorg with the dummy driver): the
window covers and freezes both 1:1, a selection across their boundary copies exactly, and the
toolbar stays on the monitor of the selection's bottom-right corner."""

import pytest

from harness import noise
from harness.capture_ui import PANEL_FRAME, STRIP_HEIGHT, STRIP_WIDTH, Box, Layout, wait_pixel
from harness.desktop import CAPTURE_TITLE, difference_box
from harness.evidence import Evidence
from harness.monitors import HEIGHT, LEFT, PRIMARY, WIDTH, TwoMonitorScreen


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def test_both_monitors_frozen_one_to_one_and_the_toolbar_on_the_selections_monitor(
        make_desktop, evidence):
    desktop = make_desktop(WIDTH, HEIGHT, server=TwoMonitorScreen)
    print(f"Xorg with two monitors up in {desktop.screen.start_seconds:.2f} s")
    frozen = desktop.picture
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        [window] = desktop.find_windows(CAPTURE_TITLE)
        assert desktop.window_geometry(window) == (0, 0, WIDTH, HEIGHT)

        # The desktop changes underneath: every monitor goes on showing the frozen picture.
        desktop.screen.set_picture(noise(WIDTH, HEIGHT, seed=2))
        assert difference_box(desktop.screenshot(), frozen) is None

        # Near the bottom of the shorter monitor there is no room below the selection on it
        # (750 + 4 + 26 > 768), though the primary would have it: the strip goes inside.
        desktop.drag((300, 600), (700, 750))
        low = Layout(300, 600, 400, 150, screen_height=LEFT.bottom)
        wait_pixel(desktop, (low.strip.left, low.strip.top), PANEL_FRAME, app)
        assert low.strip.bottom <= LEFT.bottom
        below = Box(low.strip.left, 754, low.strip.right, 754 + STRIP_HEIGHT)
        assert difference_box(desktop.grab(below.left, below.top, *below.size),
                              frozen.crop(below.pil())) is None

        # Across the boundary, with its bottom-right corner on the primary: the strip's left is
        # held at the primary's left edge instead of reaching onto the other monitor.
        across = Box(900, 200, 1100, 500)
        desktop.drag((across.left, across.top), (across.right, across.bottom))
        strip = Box.of(PRIMARY.left, across.bottom + 4, STRIP_WIDTH, STRIP_HEIGHT)
        wait_pixel(desktop, (strip.left, strip.top), PANEL_FRAME, app)
        wait_pixel(desktop, (strip.right - 1, strip.bottom - 1), PANEL_FRAME, app)

        desktop.double_click(1000, 350)
        assert app.wait_exit() == 0
        copied = desktop.clipboard_image()
        assert copied is not None, "nothing on the clipboard"
        evidence.save("clipboard", copied)
        assert difference_box(copied, frozen.crop(across.pil())) is None
