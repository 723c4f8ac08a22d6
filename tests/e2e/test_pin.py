"""Pins: F3 turns the selection into a window that stays on top, at the selection's place, with
its exact pixels; what it does with the pointer and the keys; --pin-clipboard."""

import io
from pathlib import Path

import pytest
from PIL import Image

from harness import paths
from harness.capture_ui import make_selection
from harness.desktop import CAPTURE_TITLE
from harness.evidence import Evidence
from harness.ink import ink
from harness.processes import wait_until
from harness.dialogs import wait_dialog
from test_resident import choose_from_tray_menu, hotkey_capture, start_resident, wait_capture_gone

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


def change_desktop(desktop) -> None:
    """A plain blue desktop under the pin from now on."""
    desktop.screen.set_picture(Image.new("RGB", (desktop.width, desktop.height), "#204060"))
    wait_until(lambda: desktop.pixel(700, 600) == (0x20, 0x40, 0x60), 5, what="the new desktop")


def pin_selection(desktop, app, start=START, end=END) -> tuple[Image.Image, str]:
    """Selects from `start` to `end`, presses F3 and waits for the pin: the selected part of the
    desktop at the selection's place, and the pin's window."""
    make_selection(desktop, app, start, end)
    expected = desktop.picture.crop((*start, *end))
    desktop.key("F3")
    window = desktop.wait_window(PIN_TITLE, app=app)
    wait_until(lambda: not desktop.find_windows(CAPTURE_TITLE), 10, what="the capture to go")
    wait_shows(desktop, expected, start)
    return expected, window


def test_f3_pins_the_selection_in_place_and_escape_ends_the_program(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        expected, _ = pin_selection(desktop, app)
        # The pin keeps its own pixels when the desktop under it changes.
        change_desktop(desktop)
        wait_shows(desktop, expected, START)
        evidence.save("pinned", desktop.screenshot())
        assert app.running(), "the program ended with its pin shown"

        desktop.click(300, 200)  # the focus, for the keys
        desktop.key("Escape")
        assert app.wait_exit() == 0


def test_a_pin_moves_copies_exactly_and_zooms_around_the_pointer(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        expected, window = pin_selection(desktop, app)
        left, top, width, height = desktop.window_geometry(window)

        desktop.drag((300, 200), (400, 260))  # the pin's focus comes with the press
        wait_shows(desktop, expected, (START[0] + 100, START[1] + 60))

        desktop.key("ctrl+c")
        wait_until(lambda: desktop.clipboard_image() is not None, 5, what="the pin's copy")
        copied = desktop.clipboard_image()
        evidence.save("clipboard", copied)
        assert copied.size == expected.size
        assert not ink(copied, expected), "the copy differs from the pinned pixels"

        # One notch up 40 pixels into the pin: 150 %, the point under the pointer staying put.
        desktop.move(340, 250)
        desktop.xdotool("click", "4")
        wait_until(lambda: desktop.window_geometry(window)[2] == width + 160, 5,
                   what="the pin to grow by half")
        grown = desktop.window_geometry(window)
        assert grown[3] == height + 120
        assert (grown[0], grown[1]) == (left + 100 - 20, top + 60 - 20)

        desktop.key("Escape")
        assert app.wait_exit() == 0


def test_a_resident_pin_outlives_its_capture_is_frozen_by_the_next_and_takes_pin_clipboard(desktop, evidence):
    resident, focus = start_resident(desktop)
    with evidence.on_failure(desktop):
        hotkey_capture(desktop, resident, focus)
        expected, _ = pin_selection(desktop, resident)
        wait_capture_gone(desktop, resident)

        # The next capture's frozen screen holds the pin, as anything else on the screen.
        change_desktop(desktop)
        frozen = hotkey_capture(desktop, resident, focus)
        assert not ink(frozen.crop((*START, *END)), expected)
        desktop.key("Escape")
        wait_capture_gone(desktop, resident)
        wait_shows(desktop, expected, START)

        # --pin-clipboard hands the pin to the resident instance and ends at once.
        desktop.click(300, 200)
        desktop.key("ctrl+c")
        wait_until(lambda: desktop.clipboard_image() is not None, 5, what="the pin's copy")
        desktop.move(900, 500)
        handed = desktop.launch(paths.require(paths.CAPTURE_EXE, "capture.exe"), "--pin-clipboard")
        assert handed.wait_exit(15) == 0
        wait_until(lambda: len(desktop.find_windows(PIN_TITLE)) == 2, 5, what="the second pin")
        wait_shows(desktop, expected, (900 - 160, 500 - 120))

        desktop.click(300, 200)
        desktop.key("shift+Escape")  # both
        wait_until(lambda: not desktop.find_windows(PIN_TITLE), 5, what="the pins to close")
        assert resident.running()
        quitter = desktop.launch(paths.require(paths.CAPTURE_EXE, "capture.exe"), "--quit")
        assert quitter.wait_exit(15) == 0
        assert resident.wait_exit(10) == 0


def test_pin_clipboard_pins_a_picture_at_the_pointer_and_refuses_text(desktop, evidence):
    exe = paths.require(paths.CAPTURE_EXE, "capture.exe")
    with evidence.on_failure(desktop):
        desktop.own_clipboard(b"no picture")
        app = desktop.launch(exe, "--pin-clipboard")
        assert app.wait_exit(15) == 1
        assert app.output().strip() == "capture: 剪贴板中没有图片"
        assert not desktop.find_windows(PIN_TITLE)

        # A picture on the clipboard, copied by a capture; the pin is centred on the pointer.
        app = desktop.launch_capture()
        make_selection(desktop, app, START, END)
        desktop.key("Return")
        assert app.wait_exit() == 0
        expected = desktop.picture.crop((*START, *END))
        desktop.move(700, 500)
        app = desktop.launch(exe, "--pin-clipboard")
        desktop.wait_window(PIN_TITLE, app=app)
        wait_shows(desktop, expected, (700 - 160, 500 - 120))
        desktop.double_click(700, 500)
        assert app.wait_exit() == 0


def test_a_pin_taller_than_its_monitor_shows_its_height_and_the_wheel_scrolls_it(desktop, evidence):
    exe = paths.require(paths.CAPTURE_EXE, "capture.exe")
    # A 300 x 2000 picture on the clipboard, as a tall capture leaves it: the screen's top 400
    # rows five times over, each band told apart by a mark in its first rows.
    tall = Image.new("RGB", (300, 2000))
    for band in range(5):
        part = desktop.picture.crop((100 + band * 40, 0, 400 + band * 40, 400))
        tall.paste(part, (0, band * 400))
    buffer = io.BytesIO()
    tall.save(buffer, "BMP")
    with evidence.on_failure(desktop):
        desktop.own_clipboard(buffer.getvalue(), "image/bmp")
        desktop.move(640, 400)
        app = desktop.launch(exe, "--pin-clipboard")
        window = desktop.wait_window(PIN_TITLE, app=app)
        left, top, width, height = desktop.window_geometry(window)
        assert height == desktop.height, "the pin is not its monitor's height"
        margin = (width - 300) // 2
        shown = height - 2 * margin
        wait_shows(desktop, tall.crop((0, 0, 300, shown)), (left + margin, top + margin))

        desktop.move(left + 150, top + 300)
        desktop.xdotool("click", "5")  # one notch down
        wait_shows(desktop, tall.crop((0, 120, 300, 120 + shown)), (left + margin, top + margin))
        assert desktop.window_geometry(window) == (left, top, width, height)
        evidence.save("scrolled", desktop.screenshot())
        desktop.double_click(left + 150, top + 300)
        assert app.wait_exit() == 0


def settings_folder(desktop):
    """Where the resident program keeps capture.ini (and the pins folder beside it)."""
    roaming = next((desktop.wine.path / "drive_c" / "users").glob("*/AppData/Roaming"))
    return roaming / "Capture"


def quit_resident(desktop, resident) -> tuple[int, str, int]:
    """--quit: its status and output, and the resident instance's exit status."""
    quitter = desktop.launch(paths.require(paths.CAPTURE_EXE, "capture.exe"), "--quit")
    status = quitter.wait_exit(15)
    return status, quitter.output().strip(), resident.wait_exit(10)


def test_pins_open_at_a_quit_are_back_where_they_were_at_the_next_start(desktop, evidence):
    pins = settings_folder(desktop) / "pins"
    moved = (START[0] + 150, START[1] + 100)
    resident, focus = start_resident(desktop)
    with evidence.on_failure(desktop):
        hotkey_capture(desktop, resident, focus)
        expected, _ = pin_selection(desktop, resident)
        wait_capture_gone(desktop, resident)
        desktop.drag((300, 200), (450, 300))
        wait_shows(desktop, expected, moved)

        assert quit_resident(desktop, resident) == (0, "", 0)
        kept = list(pins.glob("pin-*.png"))
        assert len(kept) == 1, f"pins folder holds {sorted(p.name for p in pins.iterdir())}"
        with Image.open(kept[0]) as picture:  # the picture itself, for any viewer
            assert not ink(picture.convert("RGB"), expected)
        # A file that is no pin is said and skipped; it takes nothing with it.
        (pins / "pin-0-bad.png").write_bytes(b"\x89PNG\r\n\x1a\n cut short")

        change_desktop(desktop)
        resident, _ = start_resident(desktop)
        wait_shows(desktop, expected, moved)
        evidence.save("restored", desktop.screenshot())
        assert len(desktop.find_windows(PIN_TITLE)) == 1
        wait_until(lambda: "pin-0-bad.png 无法读取，已跳过" in resident.output(), 5,
                   what="the bad file to be reported")
        assert sorted(p.name for p in pins.iterdir()) == ["无法恢复-pin-0-bad.png"]

        # Closed by its user, the pin is gone for good.
        desktop.double_click(moved[0] + 10, moved[1] + 10)
        wait_until(lambda: not desktop.find_windows(PIN_TITLE), 5, what="the pin to close")
        assert quit_resident(desktop, resident) == (0, "", 0)
        assert not list(pins.glob("pin-*.png"))


def test_pins_of_a_plain_run_and_of_the_resident_program_outlive_the_end_of_the_session(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        expected, _ = pin_selection(desktop, app)
        # Wine's end of the session: every window hears WM_QUERYENDSESSION and WM_ENDSESSION.
        ender = desktop.launch(Path("wineboot"), "--end-session")
        assert ender.wait_exit(30) == 0
        app.wait_exit(10)
        assert len(list((settings_folder(desktop) / "pins").glob("pin-*.png"))) == 1

        change_desktop(desktop)
        resident, _ = start_resident(desktop)
        wait_shows(desktop, expected, START)

        # The resident program's pins too, each once.
        ender = desktop.launch(Path("wineboot"), "--end-session")
        assert ender.wait_exit(30) == 0
        resident.wait_exit(10)
        assert len(list((settings_folder(desktop) / "pins").glob("pin-*.png"))) == 1
        resident, _ = start_resident(desktop)
        wait_shows(desktop, expected, START)
        assert quit_resident(desktop, resident) == (0, "", 0)


def test_a_pin_that_cannot_be_kept_is_said_at_the_quit_unless_pins_are_not_kept(desktop, evidence):
    folder = settings_folder(desktop)
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "pins").write_bytes(b"a file where the pins folder goes")
    for restore, said in (("no", False), ("yes", True)):
        (folder / "capture.ini").write_text(f"[pins]\nrestore = {restore}\n", encoding="utf-8")
        resident, focus = start_resident(desktop)
        with evidence.on_failure(desktop):
            hotkey_capture(desktop, resident, focus)
            pin_selection(desktop, resident)
            wait_capture_gone(desktop, resident)
            status, output, resident_status = quit_resident(desktop, resident)
            assert status == 0, "the program has ended: the quit did what it was asked"
            if said:
                assert output == "capture: 常驻的截图程序已退出，但有贴图无法保存"
                assert resident_status == 5
                assert "capture: 贴图 1 无法保存：" in resident.output()
            else:
                assert (output, resident_status) == ("", 0)
            assert (folder / "pins").is_file()


def test_quit_from_the_menu_asks_first_when_a_pin_cannot_be_kept(desktop, evidence):
    folder = settings_folder(desktop)
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "pins").write_bytes(b"a file where the pins folder goes")
    resident, focus = start_resident(desktop)
    with evidence.on_failure(desktop):
        hotkey_capture(desktop, resident, focus)
        expected, _ = pin_selection(desktop, resident)
        wait_capture_gone(desktop, resident)

        choose_from_tray_menu(desktop, resident, "退出")
        wait_dialog(desktop, "退出", resident)
        evidence.save("asked", desktop.screenshot())
        desktop.key("Return")  # 否, the default: the program stays with its pin
        wait_until(lambda: not desktop.find_windows("退出"), 5, what="the question to go")
        assert resident.running()
        wait_shows(desktop, expected, START)

        choose_from_tray_menu(desktop, resident, "退出")
        wait_dialog(desktop, "退出", resident)
        desktop.key("y")
        assert resident.wait_exit(10) == 5
