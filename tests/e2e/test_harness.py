"""The harness itself, checked with the one-colour window: if these fail, fix the harness before
trusting any other end-to-end result."""

import os

from harness.desktop import TRIVIAL_TITLE, difference_box
from harness.processes import pids_with_environment


def test_screen_shows_the_known_picture_exactly(desktop):
    assert difference_box(desktop.screenshot(), desktop.picture) is None


def test_cover_window_shows_and_escape_ends_it_with_status_0(desktop):
    cover = desktop.launch_trivial("FF00FF", rect=(100, 50, 300, 200))

    assert desktop.pixel(99, 50) == desktop.picture.getpixel((99, 50))
    assert desktop.pixel(100, 50) == (255, 0, 255)
    desktop.key("Escape")
    assert cover.wait_exit() == 0
    assert desktop.find_windows(TRIVIAL_TITLE) == []


def test_close_ends_every_process_the_desktop_started(make_desktop):
    desktop = make_desktop()
    app = desktop.launch_trivial()
    prefix_entry = f"WINEPREFIX={desktop.wine.path}"
    display = desktop.screen.display
    assert app.pid in pids_with_environment(prefix_entry)

    desktop.close()

    assert pids_with_environment(prefix_entry) == []
    assert not os.path.exists(f"/tmp/.X{display[1:]}-lock")
    assert not desktop.workdir.exists()
