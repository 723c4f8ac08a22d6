"""capture.ini: a portable copy keeps its settings beside capture.exe. Quick save (Ctrl+Shift+S)
writes into the folder the file names under its pattern; the save dialog opens where the last
save went with its format; a resident instance takes a hotkey changed in the file at once."""

import shutil
import time
from pathlib import Path

import pytest
from PIL import Image

from harness.capture_ui import Box, choose_tool, make_selection, settled_grab, wait_pixel
from harness.desktop import CAPTURE_TITLE, difference_box
from harness.evidence import Evidence
from harness.hotkeys import activate, start_focus_window
from harness.paths import CAPTURE_EXE, require, windows_path
from harness.wine import chinese_code_page
from harness.processes import wait_until
from test_resident import (WINE_TRAY_TITLE, choose_from_tray_menu, press_until_capture,
                           start_resident, wait_capture_gone)
from test_save import (OUTLINE_FROM, OUTLINE_TO, RED, SAVE_TITLE, SELECTION_FROM, SELECTION_TO,
                       click_save, enter_path, exit_status, expected_selection, launch,
                       open_save_dialog)


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def portable_copy(desktop, ini: str | bytes) -> Path:
    """capture.exe copied into a folder of its own with `ini` as its capture.ini (text: UTF-8, no
    byte-order mark); the copy's path."""
    folder = desktop.workdir / "portable"
    folder.mkdir()
    ini_bytes = ini if isinstance(ini, bytes) else ini.encode("utf-8")
    (folder / "capture.ini").write_bytes(ini_bytes)
    return Path(shutil.copy(require(CAPTURE_EXE, "capture.exe"), folder))


def test_quick_save_writes_the_selection_under_the_pattern_and_a_second_one_is_numbered(
        desktop, evidence):
    shots = desktop.workdir / "shots" / "新"  # made by the first quick save
    day = time.strftime("%Y-%m-%d")
    exe = portable_copy(desktop, f"[quick_save]\nfolder = {windows_path(shots)}\n"
                                 "pattern = 截图 {yyyy}-{MM}-{dd}\n")
    plain = desktop.picture.crop((*SELECTION_FROM, *SELECTION_TO))
    with evidence.on_failure(desktop):
        # The annotated selection, with no dialog.
        app = launch(desktop, exe=exe)
        layout = make_selection(desktop, app, SELECTION_FROM, SELECTION_TO)
        choose_tool(desktop, app, layout, "rectangle")
        desktop.drag(OUTLINE_FROM, OUTLINE_TO)
        # The left edge, away from the handles of the rectangle just drawn.
        wait_pixel(desktop, (OUTLINE_FROM[0], OUTLINE_TO[1] - 10), RED, app)
        desktop.key("ctrl+shift+s")
        assert exit_status(desktop, app) == 0
        with Image.open(shots / f"截图 {day}.png") as saved:
            assert difference_box(saved, expected_selection(desktop.picture)) is None

        # Again the same day: the name is taken, so " (2)"; copied too, as the default says.
        app = launch(desktop, exe=exe)
        make_selection(desktop, app, SELECTION_FROM, SELECTION_TO)
        desktop.key("ctrl+shift+s")
        assert exit_status(desktop, app) == 0
        with Image.open(shots / f"截图 {day} (2).png") as saved:
            assert difference_box(saved, plain) is None
        copied = desktop.clipboard_image()
        assert copied is not None and difference_box(copied, plain) is None
        assert len(list(shots.iterdir())) == 2


def test_save_dialog_opens_in_the_last_folder_with_the_last_format(desktop, evidence):
    exe = portable_copy(desktop, "")
    out = desktop.workdir / "out"
    out.mkdir()
    with evidence.on_failure(desktop):
        app = launch(desktop, exe=exe)
        open_save_dialog(desktop, app)
        enter_path(desktop, windows_path(out / "a.bmp"))
        assert exit_status(desktop, app) == 0
        ini = (exe.parent / "capture.ini").read_text(encoding="utf-8-sig")
        assert f"last_folder = {windows_path(out)}" in ini and "last_format = bmp" in ini

        # A bare name: the dialog is in that folder, with the BMP filter's extension.
        app = launch(desktop, exe=exe)
        open_save_dialog(desktop, app)
        enter_path(desktop, "b")
        assert exit_status(desktop, app) == 0
        with Image.open(out / "b.bmp") as saved:
            assert saved.format == "BMP"
            assert difference_box(saved, expected_selection(desktop.picture)) is None


@pytest.mark.parametrize("encoding", ["gbk", "utf-16"])
def test_a_file_notepad_saved_in_the_code_page_or_as_utf16_is_read_and_written_back_in_it(
        desktop, evidence, encoding):
    """Notepad's "ANSI" on a Chinese system (GBK, the program run with code page 936) and its
    "Unicode" (UTF-16 with a byte-order mark)."""
    env = chinese_code_page() if encoding == "gbk" else None
    shots = desktop.workdir / "shots" / "截图"
    out = desktop.workdir / "图片"
    out.mkdir()
    original = f"; 我的设置\r\n[quick_save]\r\nfolder = {windows_path(shots)}\r\n".encode(encoding)
    exe = portable_copy(desktop, original)
    ini = exe.parent / "capture.ini"
    with evidence.on_failure(desktop):
        # Read: a run for a script saves into the folder the file names.
        script = desktop.launch(exe, "--region", "0,0,64,48", env=env)
        assert script.wait_exit(30) == 0, script.output()
        saved = list(shots.iterdir())
        assert len(saved) == 1 and windows_path(saved[0]) in script.output()

        # Written back in its encoding after a save through the dialog remembers its folder, its
        # format and the selection; the user's lines keep their bytes.
        target = out / "a.png"
        app = launch(desktop, exe=exe, text=windows_path(target), env=env)
        open_save_dialog(desktop, app)
        enter_path(desktop, windows_path(target))
        assert exit_status(desktop, app) == 0
        assert target.exists()
        written = ini.read_bytes()
        assert written.startswith(original)
        added = written[len(original):].decode("utf-16-le" if encoding == "utf-16" else encoding)
        lines = added.split("\r\n")
        for line in (f"last_folder = {windows_path(out)}", "last_format = png", "[selections]"):
            assert line in lines, added


def test_a_capture_hotkey_changed_in_the_file_works_without_a_restart(desktop, evidence):
    exe = portable_copy(desktop, "[hotkeys]\ncapture = F7\n")
    resident = desktop.launch(exe, "--tray")
    focus = start_focus_window(desktop, app=resident)
    tray = desktop.wait_window(WINE_TRAY_TITLE, app=resident)
    settled_grab(desktop, Box.of(*desktop.window_geometry(tray)))
    with evidence.on_failure(desktop):
        press_until_capture(desktop, resident, focus, "F7")
        desktop.key("Escape")
        wait_capture_gone(desktop, resident)

        (exe.parent / "capture.ini").write_text("[hotkeys]\ncapture = Shift+F8\n",
                                                encoding="utf-8")
        press_until_capture(desktop, resident, focus, "shift+F8")
        desktop.key("Escape")
        wait_capture_gone(desktop, resident)
        # The old key is let go.
        activate(desktop, focus)
        desktop.key("F7")
        time.sleep(2)
        assert desktop.find_windows(CAPTURE_TITLE) == [], "F7 still captured"

        quit_ = desktop.launch(exe, "--quit")
        assert quit_.wait_exit(10) == 0
        assert resident.wait_exit(10) == 0


def test_settings_menu_item_writes_the_commented_defaults_and_opens_them_in_an_editor(
        desktop, evidence):
    resident, _ = start_resident(desktop)
    with evidence.on_failure(desktop):
        roaming = next((desktop.wine.path / "drive_c" / "users").glob("*/AppData/Roaming"))
        ini = roaming / "Capture" / "capture.ini"
        assert not ini.exists(), "written before anything changed"

        choose_from_tray_menu(desktop, resident, "设置…")

        wait_until(ini.exists, 10, what="capture.ini to be written")
        text = ini.read_bytes().decode("utf-8")
        assert text.startswith("\ufeff; ")
        for line in ("capture = PrintScreen", "folder = ",
                     "pattern = 截图 {yyyy}-{MM}-{dd} {HH}{mm}{ss}", "copy = yes", "format = png",
                     "jpeg_quality = 80"):
            assert line + "\r\n" in text, line

        def editor():
            found = desktop.screen.run(["xdotool", "search", "--onlyvisible", "--name",
                                        r"capture\.ini"], capture_output=True, text=True,
                                       check=False)
            return found.stdout.split()

        wait_until(editor, 20, what="an editor showing capture.ini")
        quit_ = desktop.launch(CAPTURE_EXE, "--quit")
        assert quit_.wait_exit(10) == 0
        assert resident.wait_exit(10) == 0
