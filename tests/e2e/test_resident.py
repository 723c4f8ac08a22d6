"""Resident mode: capture.exe --tray waits in the notification area, starts a capture on Print
Screen (a global hotkey) and goes back to waiting when the capture ends; one resident instance
at a time, ended by --quit."""

import time

import pytest
from PIL import Image

from harness import paths
from harness.capture_ui import make_selection
from harness.desktop import CAPTURE_TITLE, difference_box
from harness.evidence import Evidence
from harness.processes import wait_until

FOCUS_TITLE = "Focus(-active)?"  # a regular expression
FOCUS_ACTIVE_TITLE = "Focus-active"


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def capture_exe():
    return paths.require(paths.CAPTURE_EXE, "capture.exe")


def start_resident(desktop):
    """The resident instance, and the X id of a small Wine window in the screen's bottom-right
    corner that takes the keyboard: Wine hears keys, hotkeys included, only through a window of
    its own."""
    resident = desktop.launch(capture_exe(), "--tray")
    desktop.launch(paths.require(paths.FOCUS_EXE, "focus_window.exe"))
    return resident, desktop.wait_window(FOCUS_TITLE, app=resident)


def press_until_capture(desktop, resident, focus: str, key: str = "Print") -> None:
    """Presses the hotkey with the focus window focused until a capture window shows (the
    resident instance registers its hotkey a moment after it starts) and holds the keyboard."""
    left, top, width, height = desktop.window_geometry(focus)

    def shown():
        if desktop.find_windows(CAPTURE_TITLE):  # the last press's, slow to come
            return True
        # A click activates the window whether or not X already gave it the focus; Wine does that
        # in its own time, and a key before it could go elsewhere.
        desktop.click(left + width // 2, top + height // 2)
        desktop.wait_window(FOCUS_ACTIVE_TITLE)
        desktop.key(key)
        deadline = time.monotonic() + 2
        while not desktop.find_windows(CAPTURE_TITLE) and time.monotonic() < deadline:
            time.sleep(0.02)
        return desktop.find_windows(CAPTURE_TITLE)

    wait_until(shown, 20, interval=0, what=f"{key} to start a capture")
    # Wine hands keys to its active window whichever X window has the focus: the capture window
    # holds the keyboard once the focus window is no longer the active one.
    wait_until(lambda: not desktop.find_windows(FOCUS_ACTIVE_TITLE), 10,
               what="the capture window to take the keyboard")


def hotkey_capture(desktop, resident, focus: str) -> Image.Image:
    """Print Screen, then waits until the capture window shows the frozen screen; returns the
    screen as it was when the key was pressed. Nothing else may change the screen meanwhile (a
    notification coming or going)."""
    before = desktop.screenshot()
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


def test_ctrl_print_screen_when_another_program_holds_print_screen(desktop, evidence):
    holder = desktop.launch(paths.require(paths.FOCUS_EXE, "focus_window.exe"), "600", "400",
                            "40", "40", "--hold-print-screen")
    desktop.wait_window(FOCUS_TITLE, app=holder)
    resident, focus = start_resident(desktop)
    with evidence.on_failure(desktop):
        # The balloon that says so comes and goes: the frozen picture is checked above.
        press_until_capture(desktop, resident, focus, "ctrl+Print")
        desktop.key("Escape")
        wait_capture_gone(desktop, resident)


def test_quit_without_a_resident_instance_and_bad_arguments(desktop):
    for arguments, status in [(["--quit"], 0), (["--bogus"], 2), (["--tray", "--quit"], 2)]:
        app = desktop.launch(capture_exe(), *arguments)

        assert app.wait_exit(10) == status, arguments
        if status == 2:
            assert app.output().strip() == "usage: capture [--tray | --quit]"
    assert desktop.find_windows(CAPTURE_TITLE) == []
