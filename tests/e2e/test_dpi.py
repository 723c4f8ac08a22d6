"""The chrome at 192 DPI (200 %) on a 2560 x 1600 screen: twice its design size, with its text
inside its boxes, while the selection, the annotations and the copy stay in physical pixels."""

import pytest
from PIL import Image, ImageDraw

from harness.capture_ui import (LABEL_HEIGHT, PANEL_FRAME, SELECTION_BLUE, choose_tool,
                                make_selection, settled_grab)
from harness.evidence import Evidence

WHITE = (255, 255, 255)
RED = (255, 0, 0)
START, END = (600, 400), (1600, 1000)


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def label_fits(shot: Image.Image, label, scale: float) -> None:
    """The label's white box starts at the label's corner and is as tall as the scaled font; no
    glyph touches the label's last row or column, where a box too small would cut it."""
    part = shot.crop(label.pil())
    white = [(x, y) for x in range(part.width) for y in range(part.height)
             if part.getpixel((x, y)) == WHITE]
    assert white, f"no label at {label}"
    right = max(x for x, _ in white) + 1
    bottom = max(y for _, y in white) + 1
    assert min(x for x, _ in white) == 0 and min(y for _, y in white) == 0
    assert bottom >= 0.7 * LABEL_HEIGHT * scale, f"text only {bottom} px tall: font not scaled"
    ink = [(x, y) for x in range(right) for y in range(bottom) if part.getpixel((x, y)) != WHITE]
    assert ink, "no text in the label"
    assert max(y for _, y in ink) < part.height - 1, f"text cut at the bottom of {label}"
    assert max(x for x, _ in ink) < part.width - 1, f"text cut at the right of {label}"


def test_chrome_is_twice_its_size_and_the_copy_stays_exact(make_desktop, evidence):
    desktop = make_desktop(2560, 1600, dpi=192)
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        layout = make_selection(desktop, app, START, END)
        strip = layout.strip
        assert strip.size == (784, 52)  # 392 x 26 at 200 %
        shot = settled_grab(desktop, strip)
        assert all(shot.getpixel((x, 0)) == PANEL_FRAME for x in range(strip.size[0]))
        assert all(shot.getpixel((0, y)) == PANEL_FRAME for y in range(strip.size[1]))
        assert desktop.pixel(strip.right, strip.top) != PANEL_FRAME
        assert desktop.pixel(strip.left, strip.bottom) != PANEL_FRAME

        shot = desktop.screenshot()
        for index in (0, 1, 6):
            handle = layout.handle(index)
            assert handle.size == (8, 8)
            inside = {shot.getpixel((x, y)) for x in range(handle.left, handle.right)
                      for y in range(handle.top, handle.bottom)}
            assert inside == {SELECTION_BLUE}, f"handle {index} at {handle} shows {inside}"
            for p in [(handle.left - 1, handle.top), (handle.right, handle.top),
                      (handle.left, handle.top - 1)]:
                assert shot.getpixel(p) != SELECTION_BLUE, f"handle {index} larger than 8 x 8"
        label_fits(shot, layout.size_label, layout.scale)
        label_fits(shot, layout.colour_label, layout.scale)

        # Released outside the selection, the rectangle's corner is held at its bottom-right.
        choose_tool(desktop, app, layout, "rectangle")
        desktop.drag((1400, 900), (1700, 1100))
        desktop.click(*layout.button_point("copy"))
        assert app.wait_exit() == 0
        copied = desktop.clipboard_image()
        assert copied is not None, "nothing on the clipboard"
        evidence.save("clipboard", copied)

    expected = desktop.picture.crop((*START, *END)).convert("RGB")
    ImageDraw.Draw(expected).rectangle((800, 500, 1000, 600), outline=RED)
    assert copied.size == (1000, 600)
    assert copied.convert("RGB").tobytes() == expected.tobytes()
