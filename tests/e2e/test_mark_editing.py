"""Drawn marks stay editable, with the real pointer and keyboard: a rectangle pressed on its edge
and dragged, an arrow resized by its end, a step deleted and the later ones renumbered, a
rectangle's colour changed from the palette, a text typed again; undo takes each back to the
frozen screen, and the copy holds the marks where they were left, without handles."""

import pytest
from PIL import Image

from harness.capture_ui import (BLUE, PALETTE, Box, Layout, choose_tool, make_selection,
                                settled_grab, wait_pixel, wait_screen)
from harness.evidence import Evidence
from harness.ink import bounds, ink

RED = (255, 0, 0)
START, END = (100, 100), (600, 450)
SELECTED = Box(100, 100, 600, 450)
INSIDE = Box(102, 102, 598, 448)  # the selection without its frame and handles
TEXT = Box(390, 290, 480, 330)


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def whole(desktop) -> Box:
    return Box(0, 0, desktop.width, desktop.height)


def inner(picture: Image.Image, x: int, y: int) -> bytes:
    """The middle 14 x 14 pixels of a step's 26-pixel disc at (x, y): its colour and number."""
    return picture.crop((x - 7, y - 7, x + 7, y + 7)).tobytes()


def text_right(picture: Image.Image, frozen: Image.Image) -> int:
    """The rightmost pixel the text changed."""
    changed = ink(picture.crop(TEXT.pil()), frozen.crop(TEXT.pil()))
    assert changed, "no text"
    return bounds(changed)[2]


def test_marks_are_moved_resized_deleted_restyled_and_retyped_each_one_undo_step(desktop,
                                                                                   evidence):
    app = desktop.launch_capture()
    frozen = desktop.picture
    with evidence.on_failure(desktop):
        layout: Layout = make_selection(desktop, app, START, END)
        skip = [layout.size_label, layout.colour_label]

        # A rectangle, pressed on its left edge (away from its handles) and dragged 50 down.
        choose_tool(desktop, app, layout, "rectangle")
        desktop.drag((150, 150), (250, 220))
        wait_pixel(desktop, (170, 150), RED, app)
        drawn = settled_grab(desktop, whole(desktop))
        desktop.drag((150, 165), (150, 215))
        wait_pixel(desktop, (170, 270), RED, app)
        wait_pixel(desktop, (170, 150), frozen.getpixel((170, 150)), app)

        # An arrow, its tip handle dragged from (400, 150) down to (400, 250).
        desktop.key("a")
        desktop.drag((300, 150), (400, 150))
        wait_pixel(desktop, (350, 150), RED, app)
        desktop.drag((400, 150), (400, 250))
        wait_pixel(desktop, (350, 200), RED, app)
        wait_pixel(desktop, (350, 150), frozen.getpixel((350, 150)), app)

        # Three steps; the second deleted: the third shows the second's number.
        desktop.key("n")
        for x in (200, 260, 320):
            desktop.click(x, 390)
            wait_pixel(desktop, (x - 10, 390), RED, app)
        three = settled_grab(desktop, whole(desktop))
        desktop.click(260, 390)
        desktop.key("Delete")
        wait_pixel(desktop, (250, 390), frozen.getpixel((250, 390)), app)
        renumbered = settled_grab(desktop, whole(desktop))
        assert inner(renumbered, 320, 390) == inner(three, 260, 390), "step 3 is not number 2"

        # The moved rectangle selected by a click on its edge, then blue from the palette.
        desktop.click(150, 230)
        desktop.click(*layout.swatch_point(BLUE, "rectangle"))
        wait_pixel(desktop, (170, 270), PALETTE[BLUE], app)

        # A text, then typed again after a double-click on it: the caret at its end.
        desktop.key("t")
        desktop.click(400, 300)
        desktop.type_text("ab")
        desktop.key("Return")
        typed = settled_grab(desktop, whole(desktop))
        desktop.double_click(403, 305)
        wait_pixel(desktop, (422, 308), (255, 255, 255), app)  # the box open on the text
        desktop.type_text("cd")
        desktop.key("Return")
        wait_pixel(desktop, (layout.strip.left, layout.strip.top), (128, 128, 255), app)
        final = settled_grab(desktop, whole(desktop))
        assert text_right(final, frozen) > text_right(typed, frozen) + 5, "the text did not grow"

        # Eleven steps back to the frozen screen, and forward again.
        for _ in range(11):
            desktop.key("ctrl+z")
        wait_screen(desktop, app, frozen, INSIDE, skip, evidence, "frozen")
        for _ in range(11):
            desktop.key("ctrl+y")
        wait_screen(desktop, app, final, INSIDE, skip, evidence, "redone")
        desktop.key("ctrl+c")
        assert app.wait_exit() == 0
        copied = desktop.clipboard_image()
        assert copied is not None, "nothing on the clipboard"
        evidence.save("clipboard", copied)

    on_screen = final.crop(SELECTED.pil())
    assert copied.size == on_screen.size
    # The rectangle at its new place, the old place as frozen, no handles anywhere.
    old_edge = (140 - SELECTED.left, 145 - SELECTED.top, 260 - SELECTED.left, 155 - SELECTED.top)
    assert copied.crop(old_edge).tobytes() == frozen.crop((140, 145, 260, 155)).tobytes()
    assert copied.getpixel((170 - SELECTED.left, 270 - SELECTED.top)) == PALETTE[BLUE]
    assert copied.getpixel((150 - SELECTED.left, 200 - SELECTED.top)) == PALETTE[BLUE]
    assert drawn.getpixel((170, 150)) == RED
    handle = (255, 112, 0)
    assert not any(copied.getpixel((x, y)) == handle for x in range(copied.size[0])
                   for y in range(copied.size[1])), "a handle in the copy"
