"""Resident mode: capture.exe --tray waits in the notification area, starts a capture on Print
Screen (a global hotkey) and goes back to waiting when the capture ends; one resident instance
at a time, ended by --quit."""

import os
import subprocess
import time

import pytest
from PIL import Image

from harness import noise, paths
from harness.capture_ui import Box, make_selection, settled_grab, visible_windows
from harness.desktop import CAPTURE_TITLE, difference_box
from harness.dialogs import wait_dialog
from harness.evidence import Evidence
from harness.hotkeys import FOCUS_ACTIVE_TITLE, activate, start_focus_window, wait_deactivated
from harness.processes import wait_until

SAVE_TITLE = "保存为"
WINE_TRAY_TITLE = "Wine System Tray"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
MENU_ITEMS = ["截图", "延时截图", "贴图", "开机启动", "设置…", "退出"]


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def capture_exe():
    return paths.require(paths.CAPTURE_EXE, "capture.exe")


def start_resident(desktop):
    """The resident instance, once its icon shows, and the X id of the focus window that keys
    for hotkeys go through."""
    resident = desktop.launch(capture_exe(), "--tray")
    focus = start_focus_window(desktop, app=resident)
    # The icon shows in Wine's own notification-area window; the screen is still once it has.
    tray = desktop.wait_window(WINE_TRAY_TITLE, app=resident)
    settled_grab(desktop, Box.of(*desktop.window_geometry(tray)))
    return resident, focus


def press_until_capture(desktop, resident, focus: str, key: str = "Print") -> None:
    """Presses the hotkey with the focus window active until a capture window shows (the
    resident instance registers its hotkey a moment after it starts) and holds the keyboard."""
    def shown():
        if desktop.find_windows(CAPTURE_TITLE):  # the last press's, slow to come
            return True
        activate(desktop, focus)
        desktop.key(key)
        deadline = time.monotonic() + 2
        while not desktop.find_windows(CAPTURE_TITLE) and time.monotonic() < deadline:
            time.sleep(0.02)
        return desktop.find_windows(CAPTURE_TITLE)

    wait_until(shown, 20, interval=0, what=f"{key} to start a capture")
    wait_deactivated(desktop)


def hotkey_capture(desktop, resident, focus: str) -> Image.Image:
    """Print Screen, then waits until the capture window shows the frozen screen; returns the
    screen as it was when the key was pressed. Nothing else may change the screen meanwhile (a
    notification coming or going)."""
    before = desktop.grab()
    desktop.watch_painting()
    press_until_capture(desktop, resident, focus)
    desktop.wait_painted(CAPTURE_TITLE, before, app=resident)
    return before


def wait_capture_gone(desktop, resident) -> None:
    def gone():
        assert resident.running(), f"the resident instance ended:\n{resident.output()}"
        return not desktop.find_windows(CAPTURE_TITLE)

    wait_until(gone, 10, what="the capture window to go")


def test_print_screen_captures_again_and_again_until_quit(desktop, evidence):
    resident, focus = start_resident(desktop)
    with evidence.on_failure(desktop):
        assert desktop.find_windows(CAPTURE_TITLE) == []
        second = desktop.launch(capture_exe(), "--tray")
        assert second.wait_exit(10) == 0
        assert resident.running()

        # The frozen screen, exactly; Print Screen during the capture does nothing, and Escape
        # goes back to the tray.
        before = hotkey_capture(desktop, resident, focus)
        assert difference_box(desktop.screenshot(), before) is None
        desktop.key("Print")
        desktop.key("Escape")
        wait_capture_gone(desktop, resident)
        time.sleep(1)
        assert desktop.find_windows(CAPTURE_TITLE) == [], "Print Screen during a capture counted"

        # A second capture, with fresh state: a selection copied by a double-click.
        hotkey_capture(desktop, resident, focus)
        make_selection(desktop, resident, (100, 100), (300, 250))
        desktop.double_click(200, 200)
        wait_capture_gone(desktop, resident)
        copied = desktop.clipboard_image()
        assert copied is not None, "nothing on the clipboard"
        assert difference_box(copied, desktop.picture.crop((100, 100, 300, 250))) is None

        quit_ = desktop.launch(capture_exe(), "--quit")
        assert quit_.wait_exit(10) == 0
        assert resident.wait_exit(10) == 0


def test_each_capture_saves_afresh(desktop, evidence):
    """Each capture is a new run with its own picture, encoder session and dialog."""
    resident, focus = start_resident(desktop)
    folder = desktop.workdir / "out"
    folder.mkdir()
    with evidence.on_failure(desktop):
        for name in ("a.png", "b.png"):
            before = hotkey_capture(desktop, resident, focus)
            layout = make_selection(desktop, resident, (100, 100), (300, 250))
            desktop.click(*layout.button_point("save"))
            wait_dialog(desktop, SAVE_TITLE, resident)
            desktop.key("ctrl+a")
            desktop.type_text(paths.windows_path(folder / name))
            desktop.key("Return")
            wait_until(lambda: (folder / name).exists(), 10, what=f"{name} to be written")
            wait_capture_gone(desktop, resident)
            with Image.open(folder / name) as saved:
                assert difference_box(saved, before.crop((100, 100, 300, 250))) is None
        assert sorted(os.listdir(folder)) == ["a.png", "b.png"]


def test_ctrl_print_screen_when_another_program_holds_print_screen(desktop, evidence):
    start_focus_window(desktop, "600", "400", "40", "40", "--hold-print-screen")
    resident, focus = start_resident(desktop)
    with evidence.on_failure(desktop):
        # The balloon that says so comes and goes: the frozen picture is checked above.
        press_until_capture(desktop, resident, focus, "ctrl+Print")
        desktop.key("Escape")
        wait_capture_gone(desktop, resident)


def test_quit_fails_while_the_resident_instance_is_busy_and_it_ends_after_the_capture(
        desktop, evidence):
    resident, focus = start_resident(desktop)
    with evidence.on_failure(desktop):
        hotkey_capture(desktop, resident, focus)

        # stderr read through a pipe, as a script that calls --quit would.
        quit_ = subprocess.run(["wine", str(capture_exe()), "--quit"], env=desktop.wine.env,
                               capture_output=True, timeout=30, check=False)
        assert quit_.returncode == 1
        assert quit_.stderr.decode("utf-8").strip() == (
            "capture: 常驻的截图程序正在截图，截图结束后才会退出")
        assert resident.running() and desktop.find_windows(CAPTURE_TITLE)

        # What the user is doing is not thrown away; the program ends once they are done.
        desktop.key("Escape")
        assert resident.wait_exit(10) == 0


def test_quit_without_a_resident_instance_version_and_bad_arguments(desktop):
    for arguments, status, output in [(["--quit"], 0, ""), (["--bogus"], 2, None),
                                      (["--tray", "--quit"], 2, None),
                                      (["--version"], 0, f"capture {paths.project_version()}")]:
        app = desktop.launch(capture_exe(), *arguments)

        assert app.wait_exit(10) == status, arguments
        if output is None:  # the reason naming the bad value, then the usage
            reason, *usage = app.output().strip().splitlines()
            assert reason.startswith("capture: ") and arguments[-1] in reason
            assert usage[0].startswith("usage: capture")
        else:
            assert app.output().strip() == output, arguments
    assert desktop.find_windows(CAPTURE_TITLE) == []


def choose_from_tray_menu(desktop, resident, item: str) -> None:
    """Right-clicks the icon in Wine's own notification-area window and clicks `item` in the
    menu that opens (its items are equally high)."""
    tray = desktop.wait_window(WINE_TRAY_TITLE, app=resident)
    left, top, _, height = desktop.window_geometry(tray)
    before = set(visible_windows(desktop))
    desktop.click(left + 13, top + height - 12, button=3)  # the first icon's cell
    menu = wait_until(lambda: set(visible_windows(desktop)) - before, 10, what="the menu").pop()
    left, top, width, height = desktop.window_geometry(menu)
    row = height / len(MENU_ITEMS)
    desktop.click(left + width // 2, top + int(row * (MENU_ITEMS.index(item) + 0.5)))
    wait_until(lambda: menu not in visible_windows(desktop), 10, what="the menu to close")


def run_value(desktop) -> str | None:
    """The program's value under the Run key (its whole line from reg query), or None."""
    result = subprocess.run(["wine", "reg", "query", RUN_KEY, "/v", "Capture"], env=desktop.wine.env,
                            capture_output=True, text=True, check=False)
    return result.stdout if result.returncode == 0 else None


def test_tray_menu_starts_a_capture_switches_start_with_windows_and_quits(desktop):
    resident, _ = start_resident(desktop)

    choose_from_tray_menu(desktop, resident, "截图")
    desktop.wait_window(CAPTURE_TITLE, app=resident)
    wait_until(lambda: desktop.find_windows(CAPTURE_TITLE) and not desktop.find_windows(
        FOCUS_ACTIVE_TITLE), 10, what="the capture window to take the keyboard")
    desktop.key("Escape")
    wait_capture_gone(desktop, resident)

    # 延时截图 freezes what the screen shows three seconds later, not at the click.
    chosen = time.monotonic()
    choose_from_tray_menu(desktop, resident, "延时截图")
    later = noise(desktop.width, desktop.height, seed=11)
    desktop.watch_painting()
    desktop.screen.set_picture(later)
    # (A part no window covers: the frozen screen holds the focus and tray windows too.)
    part = Box(700, 350, 1000, 550)
    desktop.wait_painted(CAPTURE_TITLE, later.crop(part.pil()), (part.left, part.top),
                         app=resident)
    assert time.monotonic() - chosen >= 3
    desktop.key("Escape")
    wait_capture_gone(desktop, resident)

    # The menu closes before its choice is carried out: wait for the registry to change.
    assert run_value(desktop) is None
    choose_from_tray_menu(desktop, resident, "开机启动")
    value = wait_until(lambda: run_value(desktop), 10, what="the Run value")
    assert f'REG_SZ    "{paths.windows_path(capture_exe())}" --tray' in value
    choose_from_tray_menu(desktop, resident, "开机启动")
    wait_until(lambda: run_value(desktop) is None, 10, what="the Run value to go")

    choose_from_tray_menu(desktop, resident, "退出")
    assert resident.wait_exit(10) == 0
