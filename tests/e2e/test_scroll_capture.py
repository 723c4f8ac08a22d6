"""A scrolling capture for scripts: `--window --scroll` and `--region --scroll` scroll the window
under the area to its end and write one joined picture that equals the window's whole content;
content that repeats ends with status 5 and a picture right as far as it goes."""

import subprocess
from pathlib import Path

import pytest
from PIL import Image

from harness.desktop import difference_box
from harness.paths import CAPTURE_EXE, WINDOWS_BUILD, require, windows_path
from test_clipboard_png import read_clipboard

# long_window.exe's window: left, top, width, height.
WINDOW = (100, 50, 480, 360)
CARET = (30, 40, 2, 16)  # its caret: columns 30 and 31, content rows 40 to 56


def run(desktop, *arguments: str, timeout: float = 240) -> subprocess.CompletedProcess:
    exe = require(CAPTURE_EXE, "capture.exe")
    return subprocess.run(["wine", str(exe), *arguments], env=desktop.wine.env,
                          cwd=desktop.workdir, capture_output=True, timeout=timeout, check=False)


def show_long_window(desktop, *options: str) -> Image.Image:
    """Starts long_window.exe over WINDOW with `options`, makes it the foreground window by a click
    and returns its whole content (the truth it wrote)."""
    truth = desktop.workdir / "truth.ppm"
    exe = require(WINDOWS_BUILD / "long_window.exe", "long_window.exe")
    app = desktop.launch(exe, *(str(v) for v in WINDOW), "--truth", windows_path(truth), *options)
    desktop.wait_window("Long", app)
    left, top, width, height = WINDOW
    desktop.click(left + width // 3, top + height // 2)
    with Image.open(truth) as picture:
        picture = picture.convert("RGB")
    desktop.wait_showing(picture.crop((0, 0, picture.width, 40)), (left, top))
    return picture


def joined(desktop, name: str, *arguments: str) -> tuple[subprocess.CompletedProcess, Image.Image]:
    out = desktop.workdir / f"{name}.png"
    done = run(desktop, *arguments, "--scroll", "--out", windows_path(out))
    with Image.open(out) as picture:
        return done, picture.convert("RGB")


def caret_place(truth: Image.Image) -> Image.Image:
    """The truth where the caret blinks: whether a frame caught the caret on is not content."""
    x, row, width, height = CARET
    return truth.crop((x, row, x + width, row + height))


OPTIONS = {
    "plain": [],
    "header_and_footer": ["--header", "24", "--footer", "18"],
    "step_not_dividing": ["--rows", "1013", "--step", "47"],
    "smooth": ["--smooth"],
    "late_rows": ["--lazy"],
    "caret": ["--caret"],
    "line_down_only": ["--no-wheel"],
}


@pytest.mark.parametrize("name", OPTIONS)
def test_window_scroll_joins_the_whole_content_exactly(desktop, name):
    options = ["--rows", "1200", *OPTIONS[name]]
    truth = show_long_window(desktop, *options)
    done, picture = joined(desktop, name, "--window")
    assert done.returncode == 0, done.stderr.decode("utf-8", "replace")
    if name == "caret":
        picture.paste(caret_place(truth), CARET[:2])
    assert difference_box(picture, truth) is None, (picture.size, truth.size)
    # The pointer is back where the click left it.
    location = desktop.screen.run(["xdotool", "getmouselocation"], capture_output=True,
                                  text=True, check=True).stdout
    assert location.startswith(f"x:{WINDOW[0] + WINDOW[2] // 3} y:{WINDOW[1] + WINDOW[3] // 2} ")


def test_region_scroll_leaves_the_scroll_bar_out_of_the_file_and_the_clipboard(desktop):
    truth = show_long_window(desktop, "--rows", "1500", "--scrollbar", "--header", "20")
    done, picture = joined(desktop, "bar", "--region", ",".join(str(v) for v in WINDOW),
                           "--clipboard")
    # At its end, as its scroll bar says: no word of a window that would not scroll.
    assert (done.returncode, done.stderr) == (0, b"")
    assert difference_box(picture, truth) is None, (picture.size, truth.size)
    # The same picture on the clipboard, as a bitmap and as PNG, after the program ended.
    bitmap, png = read_clipboard(desktop, "scrolled")
    assert difference_box(bitmap, truth) is None, (bitmap.size, truth.size)
    assert difference_box(png, truth) is None, (png.size, truth.size)


def test_repeating_content_stops_with_status_5_and_a_picture_right_as_far_as_it_goes(desktop):
    truth = show_long_window(desktop, "--rows", "2000", "--repeat", "700,40")
    done, picture = joined(desktop, "repeat", "--window")
    assert done.returncode == 5
    assert "无法拼接" in done.stderr.decode("utf-8", "replace")
    assert picture.width == truth.width and 700 < picture.height < truth.height
    assert difference_box(picture, truth.crop((0, 0, truth.width, picture.height))) is None


def test_wines_notepad_scrolled_to_its_end_shows_every_line_once_in_order(desktop):
    lines = desktop.workdir / "lines.txt"
    lines.write_text("".join(f"line {i:03d} " + "abcdefghij"[i % 10] * (i % 17) + "\r\n"
                             for i in range(1, 301)))
    app = desktop.launch(Path("notepad.exe"), windows_path(lines))
    window = desktop.wait_window("lines.txt - Notepad", app)
    left, top, width, height = desktop.window_geometry(window)
    desktop.click(left + width // 2, top + height // 2)
    done, picture = joined(desktop, "notepad", "--window")
    assert done.returncode == 0, done.stderr.decode("utf-8", "replace")
    # Where ink starts a line of "line NNN" in the first columns: 300 lines, one step apart.
    grey = picture.convert("L")
    starts, inked = [], False
    for y in range(grey.height):
        ink = any(grey.getpixel((x, y)) < 128 for x in range(4, 26))
        if ink and not inked:
            starts.append(y)
        inked = ink
    steps = [b - a for a, b in zip(starts, starts[1:])]
    step = max(set(steps), key=steps.count)
    runs = [i for i, s in enumerate(steps) if s == step]
    assert len(runs) == 299 and runs == list(range(runs[0], runs[0] + 299)), starts
