"""The keyboard on a real keyboard: arrows move the selection, Enter and Ctrl+C copy and quit,
Ctrl+S saves through the save dialog, Ctrl+Z undoes and Ctrl+Y or Ctrl+Shift+Z redo; keys typed
into the text box stay the box's."""

import pytest
from PIL import Image

from harness.capture_ui import Box, choose_tool, make_selection, wait_pixel
from harness.desktop import difference_box
from harness.dialogs import wait_dialog
from harness.evidence import Evidence
from harness.ink import ink
from harness.paths import windows_path

RED = (255, 0, 0)


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


@pytest.mark.parametrize("copy_key", ["Return", "ctrl+c"])
def test_arrow_keys_move_the_selection_and_the_copy_key_copies_exactly_there(
        desktop, evidence, copy_key):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        make_selection(desktop, app, (100, 100), (300, 250))

        # Twelve steps of 10 to the left stop at the screen's edge, 100 pixels away; then down
        # 10 + 10 + 1 and back up 1.
        desktop.key(*["shift+Left"] * 12, "shift+Down", "shift+Down", "Down", "Up", "Right", "Left")
        desktop.key(copy_key)

        assert app.wait_exit() == 0
        copied = desktop.clipboard_image()
        assert copied is not None, "nothing on the clipboard"
        evidence.save("clipboard", copied)
        moved = Box(0, 120, 200, 270)
        assert copied.size == moved.size
        wrong = sorted(ink(copied, desktop.picture.crop(moved.pil())))
        assert not wrong, f"{len(wrong)} copied pixels differ from the moved selection: {wrong[:5]}"


def test_click_right_after_enter_does_not_change_the_copy(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        make_selection(desktop, app, (100, 100), (300, 250))
        # Outside the selection, where a press that reached the window would throw it away.
        desktop.move(600, 500)

        # Both wait until the program reads its input: the click is queued behind Enter when
        # the copy begins.
        with app.busy():
            desktop.xdotool("key", "Return", "click", "1")

        assert app.wait_exit() == 0
        copied = desktop.clipboard_image()
        assert copied is not None, "nothing on the clipboard"
        evidence.save("clipboard", copied)
        assert difference_box(copied, desktop.picture.crop((100, 100, 300, 250))) is None


def test_ctrl_s_saves_the_selection_through_the_save_dialog(desktop, evidence):
    folder = desktop.workdir / "out"
    folder.mkdir()
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        make_selection(desktop, app, (100, 100), (300, 250))

        desktop.key("ctrl+s")
        wait_dialog(desktop, "保存为", app)
        desktop.key("ctrl+a")
        desktop.type_text(windows_path(folder) + "\\keys.png")
        desktop.key("Return")

        assert app.wait_exit(15) == 0
        with Image.open(folder / "keys.png") as saved:
            expected = desktop.picture.crop((100, 100, 300, 250))
            assert difference_box(saved.convert("RGB"), expected) is None


def test_undo_and_redo_keys_take_back_and_bring_back_a_rectangle(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        layout = make_selection(desktop, app, (100, 100), (500, 400))
        choose_tool(desktop, app, layout, "rectangle")
        corner = (260, 300)  # on the bottom edge, away from the handles at its corners and middle
        desktop.drag((150, 200), (300, 300))
        wait_pixel(desktop, corner, RED, app)
        underneath = desktop.picture.getpixel(corner)

        for key, colour in [("ctrl+z", underneath), ("ctrl+y", RED), ("ctrl+z", underneath),
                            ("ctrl+shift+z", RED)]:
            desktop.key(key)
            wait_pixel(desktop, corner, colour, app)

        desktop.key("Escape")
        assert app.wait_exit() == 0


def test_keys_typed_into_the_text_box_stay_the_boxs(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        layout = make_selection(desktop, app, (100, 100), (500, 400))
        choose_tool(desktop, app, layout, "text")
        desktop.click(200, 300)
        desktop.type_text("ab")

        # None of these may copy, save, undo or move anything; Escape still ends the run. Had a
        # copy or a save run before it, the clipboard would hold a picture. (Enter ends the typing:
        # test_mark_editing.py.)
        desktop.key("ctrl+z", "ctrl+y", "ctrl+shift+z", "Left", "shift+Down", "ctrl+c", "ctrl+s",
                    "Escape")

        assert app.wait_exit() == 0
        assert desktop.clipboard_image() is None
