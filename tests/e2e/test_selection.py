"""Choosing the region with the real pointer: the drawn selection with its frame, handles, labels
and toolbar; moving it against the screen's edges; resizing it by its handles; the pointer shapes
over it; and the ways a selection ends the run (double-click copies, right-click leaves)."""

import pytest
from PIL import Image, ImageDraw

from harness.capture_ui import (PANEL_BACK, PANEL_FRAME, SELECTION_BLUE, SEPARATOR,
                                TOOLS_SEPARATOR_LEFT, TOOLTIP, Box, Layout, layout_of_drag,
                                magnifier_box, make_selection, px, wait_screen)
from harness.desktop import CAPTURE_TITLE
from harness.evidence import Evidence
from harness.ink import bounds, ink
from harness.processes import wait_until

WHITE = (255, 255, 255)


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def expected_screen(picture: Image.Image, layout: Layout) -> Image.Image:
    """The frozen picture with the selection's frame and handles painted on it (labels and
    toolbar are checked on their own)."""
    expected = picture.copy()
    draw = ImageDraw.Draw(expected)
    frame = layout.frame
    draw.rectangle((frame.left, frame.top, frame.right - 1, frame.bottom - 1),
                   outline=SELECTION_BLUE)
    for index in range(8):
        handle = layout.handle(index)
        draw.rectangle((handle.left, handle.top, handle.right - 1, handle.bottom - 1),
                       fill=SELECTION_BLUE)
    return expected


def shows_selection(desktop, app, layout: Layout, region: Box, evidence: Evidence,
                    name: str) -> Image.Image:
    """Waits until the screen shows the selection of `layout`: its frame and handles, and
    nothing else drawn in `region` but its two labels and its toolbar, which are checked too.
    Returns the screenshot."""
    picture = desktop.picture
    skip = [layout.strip, layout.size_label, layout.colour_label]
    shot = wait_screen(desktop, app, expected_screen(picture, layout), region, skip, evidence,
                       name, toolbar=layout.strip)
    assert_toolbar_at(shot, picture, layout)
    assert_label(shot, picture, layout.size_label, "size label")
    assert_label(shot, picture, layout.colour_label, "colour label")
    return shot


def assert_label(shot: Image.Image, picture: Image.Image, box: Box, what: str) -> None:
    """A label is a white box from the label's top-left, as big as its text, with text in the
    selection blue (or its blends with white) on it; the rest of the label shows the picture."""
    covered = {(x + box.left, y + box.top)
               for x, y in ink(shot.crop(box.pil()), picture.crop(box.pil()))}
    assert covered, f"the {what} is not painted"
    left, top, right, bottom = bounds(covered)
    assert (left, top) == (box.left, box.top), f"the {what} starts at {(left, top)}, not {box}"
    filled = {(x, y) for x in range(left, right + 1) for y in range(top, bottom + 1)}
    assert covered == filled, f"the {what} is not one box"
    assert 6 <= bottom - top + 1 <= box.size[1], f"the {what} is {bottom - top + 1} high"
    text = [shot.getpixel(p) for p in sorted(covered) if shot.getpixel(p) != WHITE]
    assert len(text) >= 20, f"the {what} shows almost no text ({len(text)} pixels)"
    assert all(b >= g >= r for r, g, b in text), f"the {what} text is not blue on white"
    assert min(text, key=sum) == SELECTION_BLUE, f"the {what} text is not in the selection blue"


def painted_label(shot: Image.Image, picture: Image.Image, box: Box) -> Image.Image:
    """The label's white box with its text, as the screen shows it."""
    covered = ink(shot.crop(box.pil()), picture.crop(box.pil()))
    left, top, right, bottom = bounds(covered)
    return shot.crop((box.left + left, box.top + top, box.left + right + 1, box.top + bottom + 1))


def assert_toolbar_at(shot: Image.Image, picture: Image.Image, layout: Layout) -> None:
    strip = layout.strip
    for x in range(strip.left, strip.right):
        assert shot.getpixel((x, strip.top)) == PANEL_FRAME, f"strip frame missing at {x}"
        assert shot.getpixel((x, strip.bottom - 1)) == PANEL_FRAME
    for y in range(strip.top, strip.bottom):
        assert shot.getpixel((strip.left, y)) == PANEL_FRAME, f"strip frame missing at y={y}"
        assert shot.getpixel((strip.right - 1, y)) == PANEL_FRAME
    outside = [(strip.left - 1, strip.top + 13), (strip.right, strip.top + 13),
               (strip.left + 30, strip.top - 1), (strip.left + 30, strip.bottom)]
    for x, y in outside:
        if 0 <= x < picture.width and 0 <= y < picture.height:
            assert shot.getpixel((x, y)) == picture.getpixel((x, y)), f"strip spills to {(x, y)}"
    assert shot.getpixel((strip.left + 2, strip.top + 2)) == PANEL_BACK
    # The separator between the tools and undo.
    separator = px(layout.strip_origin[0] + TOOLS_SEPARATOR_LEFT)
    assert shot.getpixel((separator, strip.top + 13)) == SEPARATOR
    for name in TOOLTIP:
        icon = layout.button(name)
        drawn = [p for p in shot.crop(icon.pil()).getdata() if p != PANEL_BACK]
        assert len(drawn) >= 12, f"the {name} button shows no icon"


def assert_clipboard_is(desktop, box: Box, evidence: Evidence) -> None:
    copied = desktop.clipboard_image()
    assert copied is not None, "nothing on the clipboard"
    evidence.save("clipboard", copied)
    assert copied.size == box.size
    wrong = sorted(ink(copied, desktop.picture.crop(box.pil())))
    assert not wrong, f"{len(wrong)} copied pixels differ from the picture, e.g. {wrong[:5]}"


def test_drag_shows_frame_handles_labels_and_toolbar_where_laid_out(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        desktop.drag((100, 100), (300, 250))

        layout = layout_of_drag((100, 100), (300, 250))
        assert (layout.frame, layout.handle(0)) == (Box(100, 100, 300, 250), Box(98, 98, 102, 102))
        # The strip is wider than the selection's right end is far from the screen's left edge:
        # it starts at the edge.
        assert (layout.handle(2).left, layout.strip.left, layout.strip.right, layout.strip.top) \
            == (297, 0, 392, 254)
        shows_selection(desktop, app, layout, Box(40, 60, 360, 320), evidence, "selection")


def test_double_click_inside_copies_exactly_the_selection_and_ends_with_status_0(desktop,
                                                                                  evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        make_selection(desktop, app, (100, 100), (300, 250))

        desktop.double_click(200, 200)

        assert app.wait_exit() == 0
        assert desktop.find_windows(CAPTURE_TITLE) == []
        assert_clipboard_is(desktop, Box(100, 100, 300, 250), evidence)


def test_right_click_without_a_selection_ends_the_run(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        desktop.click(400, 300, button=3)

        assert app.wait_exit() == 0
        assert desktop.clipboard_image() is None


def test_right_click_removes_the_selection_and_a_second_one_ends_the_run(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        make_selection(desktop, app, (100, 100), (300, 250))

        desktop.click(200, 200, button=3)

        # Frame, handles, labels and toolbar are gone; the program goes on, aiming again with the
        # magnifier beside the pointer.
        whole = Box(0, 0, desktop.width, desktop.height)
        wait_screen(desktop, app, desktop.picture, whole, [magnifier_box((200, 200))], evidence,
                    "after-removal")

        desktop.click(200, 200, button=3)

        assert app.wait_exit() == 0


def test_selection_moved_past_the_screen_edges_stays_on_screen(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        make_selection(desktop, app, (100, 100), (300, 250))

        # Far past the top-left corner: the pointer stops at (0, 0), 200 pixels up and left of
        # where it took the selection, which is 100 pixels from the edges. The toolbar, wider
        # than the selection, is pinned at the left edge.
        desktop.drag((200, 200), (0, 0))
        shows_selection(desktop, app, Layout(0, 0, 200, 150), Box(0, 0, 400, 300), evidence,
                        "at-top-left")

        # Far past the bottom-right corner: pinned there, with the toolbar inside the selection.
        desktop.drag((100, 100), (1279, 799))
        shows_selection(desktop, app, Layout(1080, 650, 200, 150), Box(880, 500, 1280, 800),
                        evidence, "at-bottom-right")

        # And that is the region copied.
        desktop.double_click(1150, 720)
        assert app.wait_exit() == 0
        assert_clipboard_is(desktop, Box(1080, 650, 1280, 800), evidence)


def test_handle_drags_move_only_the_edges_they_hold(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        layout = make_selection(desktop, app, (100, 100), (300, 250))

        # The bottom-right handle, pointer taken to (400, 330): right and bottom follow it.
        desktop.drag(layout.handle_point(6), (400, 330))
        grown = Layout(100, 100, 300, 230)
        picture = desktop.picture
        shot = shows_selection(desktop, app, grown, Box(60, 60, 460, 400), evidence, "grown")
        label_before = painted_label(shot, picture, grown.size_label)

        # The top-left handle, pointer taken to (50, 60): its edges land on the handle's centre,
        # (52, 62); the right and bottom edges stay exactly where they were.
        desktop.drag(grown.handle_point(0), (50, 60))
        moved = Layout(52, 62, 348, 268)
        shot = shows_selection(desktop, app, moved, Box(10, 20, 460, 400), evidence, "moved")
        label_after = painted_label(shot, picture, moved.size_label)
        # "300x230" and "348x268": as long, other digits.
        assert label_before.size == label_after.size
        assert label_before.tobytes() != label_after.tobytes(), "the size label kept its text"

        desktop.key("Escape")
        assert app.wait_exit() == 0


POINTER_SPOTS = [
    ("outside", (500, 400), "cross"),
    ("strictly inside", (250, 200), "fleur"),
    ("on the left frame column", (100, 150), "cross"),
    ("on the bottom frame row", (150, 249), "fleur"),
    ("just below the frame", (150, 250), "cross"),
    ("handle 0", 0, "top_left_corner"),
    ("handle 1", 1, "v_double_arrow"),
    ("handle 2", 2, "top_right_corner"),
    ("handle 3", 3, "h_double_arrow"),
    ("handle 4", 4, "top_right_corner"),
    ("handle 5", 5, "v_double_arrow"),
    ("handle 6", 6, "top_left_corner"),
    ("handle 7", 7, "h_double_arrow"),
    ("toolbar background", "strip", "left_ptr"),
    ("outside again", (700, 500), "cross"),
]


def test_pointer_shape_tells_where_the_pointer_is(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        # Drawn from its bottom-right corner: the same selection as from its top-left.
        layout = make_selection(desktop, app, (300, 250), (100, 100))
        shows_selection(desktop, app, layout, Box(40, 60, 360, 320), evidence, "drawn-backwards")
        seen = {}
        for where, spot, wanted in POINTER_SPOTS:
            if isinstance(spot, int):
                spot = layout.handle_point(spot)
            elif spot == "strip":
                spot = (layout.strip.left + 3, layout.strip.top + 3)
            desktop.move(*spot)
            # Waits for the shape expected there; the comparison below names what was seen.
            try:
                wait_until(lambda: desktop.cursor_name() == wanted, 3, interval=0.02)
            except TimeoutError:
                pass
            seen[where] = desktop.cursor_name()
        assert seen == {where: wanted for where, _, wanted in POINTER_SPOTS}
