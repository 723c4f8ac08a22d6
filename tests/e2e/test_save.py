"""Saving through the real save dialog: the "保存" button copies the selection to the clipboard,
asks for a file in Windows' own dialog, writes the file in the format its extension names,
empties the clipboard only once the file holds the picture, and ends the run in every case."""

import math
import os
import shutil
import subprocess
from pathlib import Path

import pytest
from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageStat

from harness import noise
from harness.capture_ui import (BUTTON_LEFT, SELECTION_BLUE, Box, Layout, choose_tool, layout_of_drag,
                                make_selection, px, settled_grab, wait_pixel)
from harness.desktop import CAPTURE_TITLE, difference_box
from harness.dialogs import visible_titles, wait_dialog
from harness.evidence import Evidence
from harness.keymap import bind_characters
from harness.paths import CAPTURE_EXE, WINDOWS_BUILD, require, windows_path
from harness.processes import wait_until

SAVE_TITLE = "保存为"
ERROR_TITLE = "错误"
RED = (255, 0, 0)

# A 200 x 150 selection whose toolbar lies below it, left of where the save dialog opens.
SELECTION_FROM, SELECTION_TO = (100, 100), (300, 250)
# The rectangle drawn inside the selection: a one-pixel red outline, both corners included.
OUTLINE_FROM, OUTLINE_TO = (150, 150), (200, 200)
# The save button's hover square: its left inside the strip (30 twips left of the icon) and its
# border colour.
SAVE_HOVER_LEFT, HOVER_BORDER = BUTTON_LEFT["save"] - 2, (36, 143, 251)

PLANTED_DLL = WINDOWS_BUILD / "planted" / "planted.dll"
# Libraries the program or the system libraries it uses load in a run for a script and a save
# through the dialog (read with WINEDEBUG=+loaddll,+module). Left out, because Wine 8 itself loads
# them from the program's folder whatever the program does (measured with a program that imports
# only kernel32, user32 and gdi32 and limits the search on its first line): advapi32, sechost and
# version, imported by Wine's gdi32 and user32; imm32, which Wine's user32 loads as it starts;
# ole32, combase, rpcrt4, msimg32, propsys and windowscodecs, which Wine's own libraries
# delay-load without heeding the search path the program set.
PLANTED_NAMES = ("comctl32", "comdlg32", "compstui", "dwmapi", "gdiplus", "oleaut32", "shcore",
                 "shell32", "shlwapi", "uxtheme")


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def expected_selection(picture: Image.Image) -> Image.Image:
    """The selection of the screen's picture with the red outline drawn into it."""
    selection = picture.crop((*SELECTION_FROM, *SELECTION_TO))
    corner = SELECTION_FROM
    ImageDraw.Draw(selection).rectangle(
        (OUTLINE_FROM[0] - corner[0], OUTLINE_FROM[1] - corner[1], OUTLINE_TO[0] - corner[0],
         OUTLINE_TO[1] - corner[1]), outline=RED)
    return selection


def launch(desktop, exe: Path | None = None, text: str = "", env: dict[str, str] | None = None):
    """Starts capture.exe (or a copy of it at `exe`, with `env` added to its environment) once
    every character of `text` has a key."""
    bind_characters(desktop.screen.display, text)
    if exe is None:
        return desktop.launch_capture()
    desktop.watch_painting()
    app = desktop.launch(exe, env=env)
    desktop.wait_painted(CAPTURE_TITLE, desktop.picture, app=app)
    return app


def click_save(desktop, app, layout: Layout) -> None:
    """Clicks "保存" and waits until the save dialog holds the keyboard."""
    desktop.click(*layout.button_point("save"))
    wait_dialog(desktop, SAVE_TITLE, app)


def open_save_dialog(desktop, app) -> None:
    """Selects, draws the red rectangle inside the selection and clicks "保存", each step shown on
    the screen before the next."""
    layout = make_selection(desktop, app, SELECTION_FROM, SELECTION_TO)
    choose_tool(desktop, app, layout, "rectangle")
    desktop.drag(OUTLINE_FROM, OUTLINE_TO)
    # The left edge, away from the handles of the rectangle just drawn.
    wait_pixel(desktop, (OUTLINE_FROM[0], OUTLINE_TO[1] - 10), RED, app)
    click_save(desktop, app, layout)


def enter_path(desktop, path: str) -> None:
    """Replaces the dialog's file name with `path` and confirms it."""
    desktop.key("ctrl+a")
    desktop.type_text(path)
    desktop.key("Return")


def exit_status(desktop, app, timeout: float = 15) -> int:
    """The program's exit status; fails naming the open windows when it does not end."""
    try:
        return app.wait_exit(timeout)
    except TimeoutError:
        raise AssertionError(f"the program did not end; windows open: "
                             f"{visible_titles(desktop)}") from None


def psnr(actual: Image.Image, expected: Image.Image, mode: str = "RGB") -> float:
    difference = ImageChops.difference(actual.convert(mode), expected.convert(mode))
    squares = [rms * rms for rms in ImageStat.Stat(difference).rms]
    mean_square = sum(squares) / len(squares)
    return math.inf if mean_square == 0 else 10 * math.log10(255 * 255 / mean_square)


# Smooth colour blobs a few pixels wide: a JPEG or a 256-colour palette stays close to it, and
# the same picture shifted by one pixel does not.
BLOBS = noise(1280 // 6, 800 // 6, seed=3).resize((1280, 800), Image.Resampling.BICUBIC)


def check_exact(saved: Image.Image, expected: Image.Image) -> None:
    assert difference_box(saved, expected) is None


def check_tiff(saved: Image.Image, expected: Image.Image) -> None:
    assert saved.mode == "RGB" and saved.info.get("compression") == "raw"
    check_exact(saved, expected)


def check_jpeg(saved: Image.Image, expected: Image.Image) -> None:
    # JPEG keeps brightness at full resolution and halves colour: judge the brightness. Measured
    # 42.7 dB; the same picture one pixel off scores 27 dB.
    assert psnr(saved, expected, "L") > 36


def check_gif(saved: Image.Image, expected: Image.Image) -> None:
    assert saved.convert("RGB").getcolors(256) is not None, "more than 256 colours"
    # A palette chosen for the picture, dithered, is close once neighbours are averaged: measured
    # 34.8 dB; one pixel off scores 24 dB, a fixed web palette far less.
    blur = ImageFilter.BoxBlur(1)
    assert psnr(saved.convert("RGB").filter(blur), expected.filter(blur)) > 30
    left, top = OUTLINE_FROM[0] - SELECTION_FROM[0], OUTLINE_FROM[1] - SELECTION_FROM[1]
    right = OUTLINE_TO[0] - SELECTION_FROM[0]
    outline = [saved.convert("RGB").getpixel((x, top)) for x in range(left, right + 1)]
    assert all(max(abs(a - b) for a, b in zip(pixel, RED)) <= 16 for pixel in outline)


# File name, format, check, picture on the screen. Exact formats
# use noise, where any shifted or altered pixel shows; lossy ones smooth blobs.
FORMATS = [
    pytest.param("shot.png", "PNG", check_exact, "noise", id="png"),
    pytest.param("shot.bmp", "BMP", check_exact, "noise", id="bmp"),
    pytest.param("shot.tiff", "TIFF", check_tiff, "noise", id="tiff"),
    pytest.param("shot.tif", "TIFF", check_tiff, "noise", id="tif"),
    pytest.param("shot.jpg", "JPEG", check_jpeg, BLOBS, id="jpg"),
    pytest.param("shot.jpeg", "JPEG", check_jpeg, BLOBS, id="jpeg"),
    pytest.param("shot.GIF", "GIF", check_gif, BLOBS, id="gif"),
]


@pytest.mark.parametrize("name, image_format, check, picture", FORMATS)
def test_save_writes_the_annotated_selection_in_the_format_of_the_extension(
        make_desktop, evidence, name, image_format, check, picture):
    desktop = make_desktop(picture=picture)
    folder = desktop.workdir / "out"
    folder.mkdir()
    app = launch(desktop)
    with evidence.on_failure(desktop):
        open_save_dialog(desktop, app)

        enter_path(desktop, windows_path(folder) + "\\" + name)

        assert exit_status(desktop, app) == 0
        assert os.listdir(folder) == [name]
        with Image.open(folder / name) as saved:
            evidence.save("saved", saved.convert("RGB"))
            assert saved.format == image_format
            assert saved.size == (200, 150)
            check(saved, expected_selection(desktop.picture))
        assert desktop.clipboard_image() is None


def test_ctrl_c_in_the_file_name_box_keeps_the_text_and_saves_the_selection(desktop, evidence):
    folder = desktop.workdir / "out"
    folder.mkdir()
    path = windows_path(folder) + "\\shot.png"
    app = launch(desktop)
    with evidence.on_failure(desktop):
        open_save_dialog(desktop, app)
        desktop.key("ctrl+a")
        desktop.type_text(path)

        desktop.key("ctrl+a", "ctrl+c", "Return")

        assert exit_status(desktop, app) == 0
        with Image.open(folder / "shot.png") as saved:
            check_exact(saved, expected_selection(desktop.picture))
        assert desktop.clipboard() == path.encode()


def test_planted_libraries_stay_unloaded_and_a_bare_name_saves_beside_the_program(desktop,
                                                                                  evidence):
    folder = desktop.workdir / "program"
    folder.mkdir()
    for name in PLANTED_NAMES:
        shutil.copy(require(PLANTED_DLL, "the planted DLL"), folder / f"{name}.dll")
    exe = Path(shutil.copy(CAPTURE_EXE, folder))
    # Wine prefers its own builtin libraries unless told to load a native one where the search
    # finds it first, as Windows does.
    env = desktop.wine.env
    overrides = "".join(f";{name}=n,b" for name in PLANTED_NAMES)
    desktop.wine.env = {**env, "WINEDLLOVERRIDES": env.get("WINEDLLOVERRIDES", "") + overrides}
    try:
        region = ["--region", "20,30,64,48", "--out", windows_path(folder / "r.png")]
        runs = [subprocess.run(["wine", str(exe), *arguments], env=desktop.wine.env, cwd=folder,
                               capture_output=True, timeout=60, check=False)
                for arguments in (["--version"], region)]
        assert sorted(path.name for path in folder.glob("*.loaded")) == []
        assert [run.returncode for run in runs] == [0, 0], [run.stderr for run in runs]
        with Image.open(folder / "r.png") as grabbed:
            check_exact(grabbed, desktop.picture.crop((20, 30, 84, 78)))
        app = launch(desktop, exe=exe)
    finally:
        desktop.wine.env = env
    with evidence.on_failure(desktop):
        open_save_dialog(desktop, app)

        enter_path(desktop, "shot")

        assert exit_status(desktop, app) == 0
        assert sorted(path.name for path in folder.glob("*.loaded")) == []
        # The dialog appends its default extension: Wine's in lower case, Windows' as "PNG".
        written = [name for name in os.listdir(folder) if name.lower() == "shot.png"]
        assert len(written) == 1
        with Image.open(folder / written[0]) as saved:
            assert saved.format == "PNG"
            check_exact(saved, expected_selection(desktop.picture))


@pytest.mark.parametrize("cancel", ["Escape", "Cancel button"])
def test_cancelled_dialog_ends_the_run_and_leaves_the_selection_on_the_clipboard(
        desktop, evidence, cancel):
    app = launch(desktop)
    expected = expected_selection(desktop.picture)
    with evidence.on_failure(desktop):
        open_save_dialog(desktop, app)
        # The copy is made before the dialog opens.
        assert difference_box(desktop.clipboard_image(), expected) is None

        if cancel == "Escape":
            desktop.key("Escape")
        else:
            # Bottom right of Windows' save dialog, under "Save".
            [window, *_] = desktop.find_windows(SAVE_TITLE)
            left, top, width, height = desktop.window_geometry(window)
            desktop.click(left + width - 50, top + height - 23)

        assert exit_status(desktop, app) == 0
        assert difference_box(desktop.clipboard_image(), expected) is None


def test_save_overwrites_an_existing_file_without_asking(desktop, evidence):
    folder = desktop.workdir / "out"
    folder.mkdir()
    target = folder / "shot.png"
    # Larger than what will be written: a file that is not truncated keeps a tail.
    noise(640, 480, seed=5).save(target)
    old_size = target.stat().st_size
    app = launch(desktop)
    with evidence.on_failure(desktop):
        open_save_dialog(desktop, app)

        enter_path(desktop, windows_path(target))

        assert exit_status(desktop, app) == 0
        data = target.read_bytes()
        assert len(data) < old_size and data.endswith(b"IEND\xaeB`\x82")
        with Image.open(target) as saved:
            check_exact(saved, expected_selection(desktop.picture))


@pytest.fixture
def small_disk(tmp_path):
    """A folder on a 64 KB file system of its own, unmounted at the end."""
    if os.geteuid() != 0:
        pytest.skip("mounting a small file system needs root")
    folder = tmp_path / "small"
    folder.mkdir()
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", str(folder)], check=True)
    try:
        yield folder
    finally:
        subprocess.run(["umount", str(folder)], check=True)


@pytest.mark.parametrize("name", ["shot.png", "shot.bmp"])
def test_save_that_does_not_fit_on_the_disk_keeps_the_old_file(desktop, evidence, small_disk,
                                                                 name):
    target = small_disk / name
    old = os.urandom(40 * 1024)  # leaves 24 KB; the noise selection takes about 90 KB
    target.write_bytes(old)
    app = launch(desktop)
    with evidence.on_failure(desktop):
        open_save_dialog(desktop, app)

        enter_path(desktop, windows_path(target))

        desktop.wait_window(ERROR_TITLE, app=app)
        desktop.key("Return")
        assert exit_status(desktop, app) == 0
        assert os.listdir(small_disk) == [name]
        assert target.read_bytes() == old


def test_save_to_a_long_path_with_chinese_names(desktop, evidence):
    # Longer than 255 characters, and under Windows' 260: Wine's dialog crashes beyond ~262.
    folder = desktop.workdir / "图片 文件夹"
    folder.mkdir()
    prefix = windows_path(folder) + "\\截图"
    padding = 258 - len(prefix) - len(".png")
    if padding < 1:
        pytest.skip(f"the test folder's path is too long: {prefix}")
    name = "截图" + "x" * padding + ".png"
    path = windows_path(folder) + "\\" + name
    app = launch(desktop, text=path)
    with evidence.on_failure(desktop):
        open_save_dialog(desktop, app)

        enter_path(desktop, path)

        assert exit_status(desktop, app) == 0
        assert os.listdir(folder) == [name]
        with Image.open(folder / name) as saved:
            check_exact(saved, expected_selection(desktop.picture))
        assert desktop.clipboard_image() is None


def test_unknown_extension_shows_the_error_and_keeps_the_clipboard(desktop, evidence):
    folder = desktop.workdir / "out"
    folder.mkdir()
    app = launch(desktop)
    with evidence.on_failure(desktop):
        open_save_dialog(desktop, app)

        enter_path(desktop, windows_path(folder) + "\\shot.bitmap")

        desktop.wait_window(ERROR_TITLE, app=app)
        desktop.key("Return")
        assert exit_status(desktop, app) == 0
        assert os.listdir(folder) == []
        assert difference_box(desktop.clipboard_image(),
                              expected_selection(desktop.picture)) is None


@pytest.mark.parametrize("ending", ["unknown extension", "cancelled"])
def test_no_file_after_the_clipboard_changed_keeps_the_window_for_another_copy(
        desktop, evidence, ending):
    folder = desktop.workdir / "out"
    folder.mkdir()
    app = launch(desktop)
    with evidence.on_failure(desktop):
        open_save_dialog(desktop, app)
        name = windows_path(folder) + "\\shot.bitmap"
        desktop.key("ctrl+a")
        desktop.type_text(name)
        # The name goes to the clipboard in place of the copy made before the dialog opened.
        desktop.key("ctrl+a", "ctrl+c")
        wait_until(lambda: desktop.clipboard() == name.encode(), 10,
                   what="the name on the clipboard")

        if ending == "unknown extension":
            desktop.key("Return")
            desktop.wait_window(ERROR_TITLE, app=app)
            desktop.key("Return")
        else:
            desktop.key("Escape")
        wait_until(lambda: not desktop.find_windows(SAVE_TITLE) and
                   not desktop.find_windows(ERROR_TITLE), 15, what="the dialogs to close")
        # The window is as it was before the save: the handles, which the copy hid, show again.
        # Closed, with the picture in neither a file nor the clipboard, it never shows them.
        layout = layout_of_drag(SELECTION_FROM, SELECTION_TO)
        wait_pixel(desktop, layout.handle_point(0), SELECTION_BLUE, app)
        desktop.click(*layout.button_point("copy"))

        assert exit_status(desktop, app) == 0
        assert os.listdir(folder) == []
        assert difference_box(desktop.clipboard_image(),
                              expected_selection(desktop.picture)) is None


def test_toolbar_panel_and_outline_stay_shown_while_the_dialog_is_open(desktop, evidence):
    app = launch(desktop)
    with evidence.on_failure(desktop):
        # Away from the dialog, which opens at the screen's top left.
        layout = make_selection(desktop, app, (500, 300), (700, 450))
        choose_tool(desktop, app, layout, "rectangle")
        # The save button's hover square shows before the click and after it alike.
        desktop.move(*layout.button_point("save"))
        strip_x, strip_y = layout.strip_origin
        wait_pixel(desktop, (px(strip_x + SAVE_HOVER_LEFT + 2), px(strip_y + 3)), HOVER_BORDER, app)
        panel = layout.panel("rectangle")
        chrome = Box(layout.strip.left, layout.strip.top, layout.strip.right, panel.bottom)
        # The outline's bottom edge, between the handles (which the copy hides for good).
        frame = layout.frame
        edge = Box(frame.left + 20, frame.bottom - 1, frame.left + 80, frame.bottom)
        before = [settled_grab(desktop, box) for box in (chrome, edge)]

        click_save(desktop, app, layout)
        during = [settled_grab(desktop, box) for box in (chrome, edge)]

        evidence.save("dialog-open", desktop.screenshot())
        desktop.key("Escape")
        assert exit_status(desktop, app) == 0
        assert difference_box(during[0], before[0]) is None, "strip or panel not shown"
        assert difference_box(during[1], before[1]) is None, "selection outline not shown"
