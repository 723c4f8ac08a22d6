"""Start-up: the window freezes the whole screen 1:1; Escape ends the run and leaves the
clipboard alone."""

import io

import pytest
from PIL import Image

from harness import gradient
from harness.capture_ui import Box, magnifier_box, wait_screen
from harness.desktop import CAPTURE_TITLE, difference_box
from harness.evidence import Evidence

SCREENS = [pytest.param((1280, 800), id="1280x800"), pytest.param((3840, 2160), id="3840x2160")]


@pytest.mark.parametrize("size", SCREENS)
def test_window_covers_the_screen_and_shows_the_frozen_picture(make_desktop, size, tmp_path):
    desktop = make_desktop(*size)
    app = desktop.launch_capture()
    [window] = desktop.find_windows(CAPTURE_TITLE)

    assert desktop.window_geometry(window) == (0, 0, *size)
    assert difference_box(desktop.screenshot(), desktop.picture) is None

    # Another window comes and goes over the capture window: what it hid is painted again from
    # the frozen picture, not left as it was. The pointer is over the capture window then, and
    # once the window has seen it move the magnifier stands beside it.
    width, height = size
    cover_rect = (width // 4, height // 4, width // 2, height // 2)
    desktop.launch_trivial("FF00FF", rect=cover_rect)
    desktop.click(width // 2, height // 2)
    wait_screen(desktop, app, desktop.picture, Box(0, 0, width, height),
                [magnifier_box((width // 2, height // 2))], Evidence(tmp_path), "uncovered")


def test_pointer_is_the_crosshair_over_the_frozen_screen(desktop):
    desktop.move(50, 50)
    bare_screen_pointer = desktop.cursor_name()
    desktop.launch_capture()

    desktop.move(640, 400)

    assert desktop.cursor_name() == "cross" != bare_screen_pointer


def _png(picture: Image.Image) -> bytes:
    out = io.BytesIO()
    picture.save(out, "PNG")
    return out.getvalue()


CLIPBOARDS = [
    pytest.param("UTF8_STRING", "剪贴板里原有的文字 / text that was there".encode(), id="text"),
    pytest.param("image/png", _png(gradient(64, 48, seed=7)), id="image"),
]


@pytest.mark.parametrize("size", SCREENS)
@pytest.mark.parametrize("mime, content", CLIPBOARDS)
def test_escape_right_after_start_ends_with_status_0_and_leaves_the_clipboard(
        make_desktop, size, mime, content):
    desktop = make_desktop(*size)
    desktop.own_clipboard(content, mime)
    app = desktop.launch_capture()

    desktop.key("Escape")

    assert app.wait_exit(10) == 0
    assert desktop.find_windows(CAPTURE_TITLE) == []
    assert desktop.clipboard(mime) == content
