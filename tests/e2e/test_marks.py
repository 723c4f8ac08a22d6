"""The mosaic (cells and blur) and the numbered steps with the real pointer and keyboard: the
keys M and N choose them, the pictures they make are exact, undo and redo step through them and
back to the frozen screen, and "复制退出" copies exactly what the screen shows."""

import pytest
from PIL import Image

from harness.capture_ui import (PANEL_FRAME, Box, Layout, differing, make_selection, masked,
                                settled_grab, wait_pixel, wait_screen)
from harness.evidence import Evidence
from harness.hiding import blurred, pixelated

START, END = (100, 100), (600, 450)
SELECTED = Box(100, 100, 600, 450)
INSIDE = Box(102, 102, 598, 448)  # the selection without its frame and handles
RED = (255, 0, 0)
WHITE = (255, 255, 255)


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def choose_by_key(desktop, app, layout: Layout, key: str, tool: str) -> None:
    """Presses a tool's key and waits until its style panel shows."""
    desktop.key(key)
    panel = layout.panel(tool)
    wait_pixel(desktop, (panel.left, panel.top), PANEL_FRAME, app)
    wait_pixel(desktop, (panel.right - 1, panel.bottom - 1), PANEL_FRAME, app)


def show(desktop, app, layout: Layout, expected: Image.Image, evidence: Evidence, name: str):
    """Waits until the selection shows `expected` (a whole screen), its labels aside."""
    return wait_screen(desktop, app, expected, INSIDE, [layout.size_label, layout.colour_label],
                       evidence, name)


def as_shown(copied: Image.Image, shown: Image.Image, layout: Layout) -> bool:
    """The copy holds what the screen showed inside the selection, its frame and labels aside."""
    on_screen = Image.new("RGB", shown.size)
    on_screen.paste(copied, (SELECTED.left, SELECTED.top))
    skip = [layout.size_label, layout.colour_label]
    # The screen also shows the handles of the mark drawn last, which no copy holds.
    return not differing(masked(shown.crop(INSIDE.pil()), INSIDE, skip),
                         masked(on_screen.crop(INSIDE.pil()), INSIDE, skip))


def copy_and_quit(desktop, app, evidence: Evidence) -> Image.Image:
    desktop.key("Return")
    assert app.wait_exit() == 0
    copied = desktop.clipboard_image()
    assert copied is not None, "nothing on the clipboard"
    evidence.save("clipboard", copied)
    return copied


def test_mosaic_and_blur_are_exact_undo_to_the_frozen_screen_and_copy_as_shown(desktop, evidence):
    app = desktop.launch_capture()
    frozen = desktop.picture
    with evidence.on_failure(desktop):
        layout = make_selection(desktop, app, START, END)
        choose_by_key(desktop, app, layout, "m", "mosaic")
        # Cells of 12 at first; dragged up and left, so the cells count from the release point.
        desktop.drag((271, 243), (150, 150))
        cells = pixelated(frozen, (150, 150, 271, 243), 12)
        show(desktop, app, layout, cells, evidence, "cells")

        desktop.key("Escape")  # the cells let go, or 模糊 would turn them into a blur
        desktop.click(*layout.choice_point(1))  # 模糊
        desktop.drag((350, 200), (700, 330))  # released outside: held at the selection's right
        both = blurred(cells, (350, 200, 600, 330), SELECTED.pil(), 4)
        shown = show(desktop, app, layout, both, evidence, "blur")

        for keys, expected, name in [("ctrl+z", cells, "undo-blur"), ("ctrl+z", frozen, "frozen"),
                                     ("ctrl+y", cells, "redo-cells"), ("ctrl+y", both, "redo-blur")]:
            desktop.key(keys)
            show(desktop, app, layout, expected, evidence, name)
        copied = copy_and_quit(desktop, app, evidence)

    assert as_shown(copied, shown, layout), "the copy is not what was shown"
    assert copied.tobytes() == both.crop(SELECTED.pil()).tobytes()


def disc(picture: Image.Image, x: int, y: int) -> bytes:
    """The 26 x 26 pixels of a step placed at (x, y)."""
    return picture.crop((x - 13, y - 13, x + 13, y + 13)).tobytes()


def test_three_steps_undo_and_redo_give_their_numbers_back_and_copy_as_shown(make_desktop,
                                                                              evidence):
    desktop = make_desktop(picture=Image.new("RGB", (1280, 800), WHITE))
    app = desktop.launch_capture()
    frozen = desktop.picture
    with evidence.on_failure(desktop):
        layout = make_selection(desktop, app, START, END)
        choose_by_key(desktop, app, layout, "n", "steps")
        for x in (200, 260, 320):
            desktop.click(x, 200)
            wait_pixel(desktop, (x - 10, 200), RED, app)
        three = settled_grab(desktop, Box(0, 0, desktop.width, desktop.height))
        discs = [disc(three, x, 200) for x in (200, 260, 320)]
        assert len(set(discs)) == 3, "the three steps look the same"
        for picture in discs:
            assert sum(1 for i in range(0, len(picture), 3) if picture[i:i + 3] == b"\xff\0\0") > 250

        desktop.key("ctrl+z")
        wait_pixel(desktop, (310, 200), WHITE, app)
        two = settled_grab(desktop, Box(0, 0, desktop.width, desktop.height))
        desktop.key("ctrl+y")
        show(desktop, app, layout, three, evidence, "redo")
        desktop.key("ctrl+z")
        wait_pixel(desktop, (310, 200), WHITE, app)
        # The undone step's number is given again; a drag moves the step until the release.
        desktop.drag((320, 300), (420, 350))
        wait_pixel(desktop, (410, 350), RED, app)
        final = settled_grab(desktop, Box(0, 0, desktop.width, desktop.height))
        assert disc(final, 420, 350) == discs[2], "the new step is not number 3"
        assert disc(final, 320, 300) == disc(frozen, 320, 300), "the step stayed at the press"

        for key, expected, name in [("ctrl+z", two, "undo"), ("ctrl+z", None, "undo-2"),
                                    ("ctrl+z", frozen, "frozen"), ("ctrl+y", None, "redo-1"),
                                    ("ctrl+y", two, "redo-2"), ("ctrl+y", final, "redo-3")]:
            desktop.key(key)
            if expected is not None:
                show(desktop, app, layout, expected, evidence, name)
        copied = copy_and_quit(desktop, app, evidence)

    assert as_shown(copied, final, layout), "the copy is not what was shown"
    assert copied.size == SELECTED.size
