"""长截图 in a capture: a click selects long_window.exe's window, the button or L starts it, the
program scrolls the window with a frame just outside the selection and a panel beside it, and the
joined picture becomes the capture's picture, which the wheel scrolls, the tools draw on and Enter
copies whole; a seam that cannot be joined stops it with "无法拼接" and a picture right as far as
it goes; 取消 or Escape brings the capture back as it was; a window that neither the wheel nor
WM_VSCROLL moves asks "请滚动窗口" and follows the user's scroll bar."""

import time

import pytest
from PIL import Image

from harness import paths
from harness.capture_ui import layout_of_drag
from harness.desktop import CAPTURE_TITLE, difference_box
from harness.evidence import Evidence
from harness.processes import wait_until
from test_scroll_capture import WINDOW, show_long_window

FRAME_BLUE = (0, 122, 236)


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def settled(desktop) -> Image.Image:
    last = [desktop.screenshot()]

    def stable():
        time.sleep(0.05)
        now = desktop.screenshot()
        same = now.tobytes() == last[0].tobytes()
        last[0] = now
        return same

    wait_until(stable, 10, interval=0, what="the screen to settle")
    return last[0]


def panel(desktop) -> tuple[str, str] | None:
    """The panel's X window and its text (the window's title), while it shows."""
    found = desktop.screen.run(["xdotool", "search", "--onlyvisible", "--name",
                                "像素|无法|请稍候|已复制"], capture_output=True, text=True,
                               check=False).stdout.split()
    for window in found:
        name = desktop.screen.run(["xdotool", "getwindowname", window], capture_output=True,
                                  text=True, check=False).stdout.strip()
        if name:
            return window, name
    return None


def wait_panel(desktop, app, starts: str, timeout: float = 60) -> tuple[str, str]:
    def said():
        if not app.running():
            raise RuntimeError(f"capture ended with {app.process.returncode}:\n{app.output()}")
        shown = panel(desktop)
        return shown if shown and shown[1].startswith(starts) else None

    return wait_until(said, timeout, interval=0.05, what=f"the panel to say {starts!r}")


def panel_button(desktop, window: str, which: int) -> tuple[int, int]:
    """The middle of 完成 (0) or 取消 (1) on the panel at 96 DPI."""
    left, top, width, height = desktop.window_geometry(window)
    right = left + width - 4 - (52 + 6 if which == 0 else 0)
    return right - 26, top + height // 2


def start_capture(desktop, *options: str):
    """long_window with `options`, a capture over it with the window selected by a click; the
    truth, the program and the capture's screen once its toolbar shows."""
    truth = show_long_window(desktop, *options)
    screen = settled(desktop)
    desktop.watch_painting()
    app = desktop.launch(paths.require(paths.CAPTURE_EXE, "capture.exe"))
    desktop.wait_painted(CAPTURE_TITLE, screen, app=app)
    left, top, width, height = WINDOW
    desktop.move(left + width // 2 + 3, top + height // 2 + 3)
    desktop.click(left + width // 2, top + height // 2)
    layout = layout_of_drag((left, top), (left + width, top + height))
    strip = layout.strip
    wait_until(lambda: desktop.pixel(int(strip.left) + 1, int(strip.top) + 1) != screen.getpixel(
        (int(strip.left) + 1, int(strip.top) + 1)), 10, interval=0.02, what="the toolbar")
    return truth, app, layout, settled(desktop)


def start_scrolling(desktop, layout, by_key: bool) -> None:
    if by_key:
        desktop.key("l")
    else:
        desktop.click(*layout.button_point("scroll"))


def joined_shown(desktop, app) -> None:
    """Waits for the panel to go and the capture to show the joined picture, settled."""
    wait_until(lambda: panel(desktop) is None, 60, interval=0.05, what="the panel to go")
    assert app.running(), app.output()
    settled(desktop)


def copy_joined(desktop, app) -> Image.Image:
    """Once the capture shows the joined picture, Enter copies it; the clipboard's picture."""
    joined_shown(desktop, app)
    desktop.key("Return")
    return copied(desktop, app)


def copied(desktop, app) -> Image.Image:
    assert app.wait_exit(30) == 0, app.output()
    picture = desktop.clipboard_image()
    assert picture is not None, "nothing on the clipboard"
    return picture.convert("RGB")


@pytest.mark.parametrize("options, by_key", [
    (["--rows", "1200"], False),
    (["--rows", "1200", "--header", "24", "--footer", "18"], True),
    (["--rows", "1013", "--step", "47"], False),
    (["--rows", "1200", "--smooth"], True),
    (["--rows", "1200", "--lazy"], False),
    (["--rows", "1200", "--no-wheel"], True),
], ids=["plain-button", "header_and_footer-L", "step_not_dividing-button", "smooth-L",
        "late_rows-button", "line_down_only-L"])
def test_scrolls_the_selected_window_to_its_end_and_copies_the_whole_content(desktop, evidence,
                                                                             options, by_key):
    truth, app, layout, _ = start_capture(desktop, *options)
    left, top, width, height = WINDOW
    with evidence.on_failure(desktop):
        start_scrolling(desktop, layout, by_key)
        wait_panel(desktop, app, "高度")
        shot = desktop.screenshot()
        evidence.save("scrolling", shot)
        # The frame stands just outside the selection, on all four sides, never inside it.
        for x, y in [(left - 2, top - 2), (left + width + 1, top + height + 1),
                     (left - 2, top + height // 2), (left + width + 1, top + height // 2)]:
            assert shot.getpixel((x, y)) == FRAME_BLUE, (x, y)
        picture = copy_joined(desktop, app)
        evidence.save("copied", picture)
        assert difference_box(picture, truth) is None, (picture.size, truth.size)
        # The pointer, parked in the window while it scrolled, is back where the user left it.
        was = layout.button_point("scroll") if not by_key else (left + width // 2,
                                                                 top + height // 2)
        location = desktop.screen.run(["xdotool", "getmouselocation"], capture_output=True,
                                      text=True, check=True).stdout
        assert location.startswith(f"x:{was[0]} y:{was[1]} "), location


def test_repeating_content_stops_with_why_and_enter_copies_the_picture_so_far(desktop,
                                                                              evidence):
    truth, app, layout, _ = start_capture(desktop, "--rows", "2000", "--repeat", "700,40")
    with evidence.on_failure(desktop):
        start_scrolling(desktop, layout, True)
        wait_panel(desktop, app, "无法拼接")
        desktop.key("Return")
        picture = copy_joined(desktop, app)
        assert picture.width == truth.width and 700 < picture.height < truth.height
        assert difference_box(picture, truth.crop((0, 0, truth.width, picture.height))) is None


@pytest.mark.parametrize("how", ["Escape", "取消"])
def test_cancel_brings_the_capture_back_as_it_was(desktop, evidence, how):
    truth, app, layout, _ = start_capture(desktop, "--rows", "3000")
    with evidence.on_failure(desktop):
        # The pointer on the strip between buttons: no hover square, no tooltip.
        strip = layout.strip
        aside = (int(strip.left) + 2, int(strip.top) + 13)
        desktop.move(*aside)
        before = settled(desktop)
        desktop.click(*layout.button_point("scroll"))
        window, _ = wait_panel(desktop, app, "高度")
        if how == "Escape":
            desktop.key("Escape")
        else:
            desktop.click(*panel_button(desktop, window, 1))
        wait_until(lambda: panel(desktop) is None, 10, interval=0.05, what="the panel to go")
        desktop.move(*aside)
        after = settled(desktop)
        assert difference_box(after, before) is None
        # Nothing lost: the capture goes on with its selection, which Enter copies.
        desktop.key("Return")
        picture = copied(desktop, app)
        left, top, width, height = WINDOW
        assert difference_box(picture, truth.crop((0, 0, width, height))) is None


def test_a_window_that_will_not_scroll_asks_the_user_and_follows_the_scroll_bar(desktop,
                                                                                evidence):
    truth, app, layout, _ = start_capture(desktop, "--rows", "3000", "--scrollbar",
                                          "--no-wheel", "--no-line-down")
    left, top, width, height = WINDOW
    with evidence.on_failure(desktop):
        start_scrolling(desktop, layout, True)
        window, _ = wait_panel(desktop, app, "请滚动窗口，高度 360 像素")
        # The scroll bar's thumb dragged down a few pixels at a time, as a user would.
        thumb = (left + width - 8, top + 22)
        desktop.xdotool("mousemove", *thumb, "mousedown", "1")
        for step in range(1, 6):
            desktop.xdotool("mousemove", thumb[0], thumb[1] + 6 * step)
            time.sleep(0.5)
        desktop.xdotool("mouseup", "1")
        _, said = wait_panel(desktop, app, "请滚动窗口")
        assert said != "请滚动窗口，高度 360 像素"
        desktop.click(*panel_button(desktop, window, 0))
        picture = copy_joined(desktop, app)
        assert picture.width == truth.width and picture.height > height
        assert difference_box(picture, truth.crop((0, 0, truth.width, picture.height))) is None


def test_the_joined_picture_is_shown_scrolled_drawn_on_and_copied_whole(desktop, evidence):
    truth, app, layout, _ = start_capture(desktop, "--rows", "1200")
    left, top, width, height = WINDOW
    screen_height = 800
    with evidence.on_failure(desktop):
        # The session scrolls to the window's end and finishes by itself.
        start_scrolling(desktop, layout, True)
        wait_panel(desktop, app, "高度")
        joined_shown(desktop, app)
        # The picture's top where the selection was, at full size; inside the outline and clear of
        # the labels, the window shows it as it is.
        inner = (20, 40, width - 20, screen_height - top - 80)
        shot = desktop.screenshot()
        evidence.save("joined", shot)
        shown = shot.crop((left + inner[0], top + inner[1], left + inner[2], top + inner[3]))
        assert difference_box(shown, truth.crop(inner)) is None
        # Three notches of the wheel down: 120 rows each at 96 DPI.
        middle = (left + width // 2, 300)
        desktop.move(*middle)
        for _ in range(3):
            desktop.xdotool("click", "5")
        offset = -top + 3 * 120
        shot = settled(desktop)
        evidence.save("scrolled", shot)
        rows = (200, 500)
        shown = shot.crop((left + 20, rows[0], left + width - 20, rows[1]))
        assert difference_box(shown, truth.crop((20, rows[0] + offset, width - 20,
                                                 rows[1] + offset))) is None
        # A rectangle dragged out on the window lands on the picture where the window showed it.
        desktop.key("r")
        start, end = (left + 100, 300), (left + 200, 400)
        desktop.drag(start, end, steps=4)
        settled(desktop)
        desktop.key("Return")
        picture = copied(desktop, app)
        evidence.save("copied", picture)
        assert picture.size == truth.size
        drawn = difference_box(picture, truth)
        assert drawn is not None
        expected = (100, start[1] + offset, 201, end[1] + offset + 1)
        assert all(abs(a - b) <= 2 for a, b in zip(drawn, expected)), (drawn, expected)
