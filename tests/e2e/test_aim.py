"""Aiming a selection with the real pointer: a click selects the window or control under it (as
listed at the freeze), the whole monitor by Ctrl+A, an earlier capture's selection by `,`; the
magnifier shows the pixels under the pointer; C copies the pointer's colour as text."""

import pytest
from PIL import Image

from harness import paths
from harness.desktop import CAPTURE_TITLE, difference_box
from harness.evidence import Evidence
from harness.processes import wait_until

# button_window.exe's window and its button, in screen pixels.
WINDOW = (300, 200, 700, 500)
BUTTON = (340, 250, 500, 310)
BUTTONS_TITLE = "Buttons"


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def show_button_window(desktop) -> Image.Image:
    """Starts button_window.exe over WINDOW with its button at BUTTON; the screen once it shows."""
    left, top, right, bottom = WINDOW
    exe = paths.require(paths.WINDOWS_BUILD / "button_window.exe", "button_window.exe")
    app = desktop.launch(exe, str(left), str(top), str(right - left), str(bottom - top),
                         str(BUTTON[0] - left), str(BUTTON[1] - top),
                         str(BUTTON[2] - BUTTON[0]), str(BUTTON[3] - BUTTON[1]))
    desktop.wait_window(BUTTONS_TITLE, app=app)
    green = (0x30, 0x90, 0x50)
    wait_until(lambda: desktop.pixel(left + 5, bottom - 5) == green, 10, interval=0.02,
               what="the button window to paint")
    return settled(desktop)


def settled(desktop) -> Image.Image:
    """The screen once two reads 50 ms apart agree."""
    last = [desktop.screenshot()]

    def stable():
        now = desktop.screenshot()
        same = now.tobytes() == last[0].tobytes()
        last[0] = now
        return same

    wait_until(stable, 10, interval=0.05, what="the screen to settle")
    return last[0]


def box_of(area: tuple[int, int, int, int]) -> tuple[int, int, int, int]:
    """A (left, top, width, height) area as a (left, top, right, bottom) box."""
    left, top, width, height = area
    return (left, top, left + width, top + height)


def launch_on(desktop, screen: Image.Image):
    """capture.exe, once it shows its frozen picture of `screen`."""
    desktop.watch_painting()
    app = desktop.launch(paths.require(paths.CAPTURE_EXE, "capture.exe"))
    desktop.wait_painted(CAPTURE_TITLE, screen, app=app)
    return app


def assert_copied(desktop, app, screen: Image.Image, box: tuple[int, int, int, int],
                  evidence: Evidence, name: str) -> None:
    assert app.wait_exit(10) == 0
    copied = desktop.clipboard_image()
    assert copied is not None, "nothing on the clipboard"
    evidence.save(name, copied)
    assert copied.size == (box[2] - box[0], box[3] - box[1]), f"copied {copied.size} for {box}"
    assert difference_box(copied, screen.crop(box)) is None, f"the copy of {box} differs"


@pytest.mark.parametrize("point, box", [
    ((420, 280), BUTTON),             # the button
    ((600, 450), WINDOW),             # the window's own background: the window
    ((100, 700), (0, 0, 1280, 800)),  # the bare desktop: the monitor
], ids=["button", "window", "desktop"])
def test_click_selects_what_is_under_it_and_enter_copies_it_exactly(desktop, evidence, point,
                                                                    box):
    screen = show_button_window(desktop)
    app = launch_on(desktop, screen)
    with evidence.on_failure(desktop):
        desktop.move(point[0] + 3, point[1] + 3)
        desktop.click(*point)
        desktop.key("Return")
        assert_copied(desktop, app, screen, box, evidence, "clipboard")


def test_ctrl_a_then_enter_copies_the_whole_monitor(desktop, evidence):
    screen = settled(desktop)
    app = launch_on(desktop, screen)
    with evidence.on_failure(desktop):
        desktop.move(640, 400)
        desktop.key("ctrl+a")
        desktop.key("Return")
        assert_copied(desktop, app, screen, (0, 0, 1280, 800), evidence, "clipboard")


def test_c_copies_the_pointers_colour_as_text_and_the_run_goes_on(desktop, evidence):
    screen = settled(desktop)
    app = launch_on(desktop, screen)
    with evidence.on_failure(desktop):
        desktop.move(122, 320)
        desktop.move(123, 321)
        # The magnifier's last line, 20 pixels right of and below the pointer: the colour, then
        # "已复制" and the colour for a moment, then the colour again with the pointer still.
        hex_line = (143 + 1, 341 + 121, 120, 15)

        def line() -> bytes:
            return desktop.grab(*hex_line).convert("RGB").tobytes()

        frozen = screen.crop(box_of(hex_line)).convert("RGB").tobytes()
        showing = [line()]

        def settled_line():
            now = line()
            same = now == showing[0]
            showing[0] = now
            return same and now != frozen

        wait_until(settled_line, 10, interval=0.05, what="the magnifier's colour line")
        colour_line = showing[0]
        desktop.key("c")
        wait_until(lambda: line() != colour_line, 10, interval=0.02, what="已复制 in the magnifier")
        evidence.save("copied", desktop.grab(123, 321, 180, 180))
        r, g, b = screen.getpixel((123, 321))[:3]
        expected = f"#{r:02X}{g:02X}{b:02X}".encode()
        wait_until(lambda: desktop.clipboard() == expected, 10, interval=0.05,
                   what=f"{expected!r} on the clipboard")
        wait_until(lambda: line() == colour_line, 10, interval=0.05,
                   what="the colour back in the magnifier, the pointer still")
        assert app.running()
        desktop.key("Escape")
        assert app.wait_exit(10) == 0


def test_magnifier_shows_the_pixel_under_the_pointer_as_an_8x8_block_of_its_colour(desktop,
                                                                                  evidence):
    screen = settled(desktop)
    app = launch_on(desktop, screen)
    with evidence.on_failure(desktop):
        x, y = 401, 301
        desktop.move(x - 1, y - 1)
        desktop.move(x, y)
        # The box stands 20 pixels below and right of the pointer, its pixels 1 further in; the
        # pointer's is the eighth of fifteen across and the sixth of eleven down.
        left, top = x + 20 + 1 + 7 * 8, y + 20 + 1 + 5 * 8
        colour = screen.getpixel((x, y))[:3]

        def block():
            shot = desktop.grab(left, top, 8, 8)
            return all(p[:3] == colour for p in shot.getdata())

        wait_until(block, 10, interval=0.05, what=f"an 8x8 block of {colour} at {(left, top)}")
        evidence.save("magnifier", desktop.grab(x, y, 180, 180))
        # It is chrome: the frozen screen under it is what a copy takes.
        desktop.key("ctrl+a")
        desktop.key("Return")
        assert_copied(desktop, app, screen, (0, 0, 1280, 800), evidence, "clipboard")


def test_resident_comma_brings_back_the_last_captures_selection(desktop, evidence):
    from test_resident import hotkey_capture, start_resident, wait_capture_gone

    resident, focus = start_resident(desktop)
    with evidence.on_failure(desktop):
        hotkey_capture(desktop, resident, focus)
        desktop.drag((100, 100), (300, 250))
        desktop.key("Return")
        wait_capture_gone(desktop, resident)

        second = hotkey_capture(desktop, resident, focus)
        desktop.key("comma")
        desktop.key("Return")
        wait_capture_gone(desktop, resident)
        copied = desktop.clipboard_image()
        assert copied is not None, "nothing on the clipboard"
        assert copied.size == (200, 150)
        assert difference_box(copied, second.crop((100, 100, 300, 250))) is None
        quit_ = desktop.launch(paths.require(paths.CAPTURE_EXE, "capture.exe"), "--quit")
        assert quit_.wait_exit(10) == 0
        assert resident.wait_exit(10) == 0
