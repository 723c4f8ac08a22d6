"""Pins: F3 turns the selection into a window that stays on top, at the selection's place, with
its exact pixels; what it does with the pointer and the keys; --pin-clipboard."""

import pytest
from PIL import Image

from harness.capture_ui import make_selection
from harness.evidence import Evidence
from harness.ink import ink
from harness.processes import wait_until

PIN_TITLE = "贴图"
START, END = (200, 150), (520, 390)  # a 320 x 240 selection


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def wait_shows(desktop, picture: Image.Image, at: tuple[int, int], timeout: float = 10) -> None:
    """Waits until the screen shows `picture` with its top-left at `at`, pixel for pixel."""
    wrong = []

    def shown():
        wrong[:] = ink(desktop.grab(*at, *picture.size), picture)
        return not wrong

    try:
        wait_until(shown, timeout, interval=0.05, what=f"the pin's picture at {at}")
    except TimeoutError as error:
        raise TimeoutError(f"{error}; {len(wrong)} pixels differ, first {sorted(wrong)[:5]}") \
            from None


def pin_selection(desktop, app, start=START, end=END) -> tuple[Image.Image, str]:
    """Selects from `start` to `end`, presses F3 and waits for the pin: the selected part of the
    desktop at the selection's place, and the pin's window."""
    make_selection(desktop, app, start, end)
    expected = desktop.picture.crop((*start, *end))
    desktop.key("F3")
    window = desktop.wait_window(PIN_TITLE, app=app)
    wait_shows(desktop, expected, start)
    return expected, window


def test_f3_pins_the_selection_in_place_and_escape_ends_the_program(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        expected, _ = pin_selection(desktop, app)
        # The pin keeps its own pixels when the desktop under it changes.
        desktop.screen.set_picture(Image.new("RGB", (desktop.width, desktop.height), "#204060"))
        wait_until(lambda: desktop.pixel(10, 10) == (0x20, 0x40, 0x60), 5, what="the new desktop")
        wait_shows(desktop, expected, START)
        evidence.save("pinned", desktop.screenshot())
        assert app.running(), "the program ended with its pin shown"

        desktop.click(300, 200)  # the focus, for the keys
        desktop.key("Escape")
        assert app.wait_exit() == 0
