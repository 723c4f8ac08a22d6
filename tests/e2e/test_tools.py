"""The pen, the highlighter and Shift, chosen by their keys and drawn with the real pointer: the
screen and the copy hold exactly the pixels the stroke rule gives, the highlighter tints once where
its stroke crosses itself, and undo goes back to the frozen picture exactly."""

import math

import pytest

from harness.capture_ui import (PALETTE, PANEL_FRAME, Box, Layout, make_selection, pick_colour,
                                px, wait_pixel, wait_screen)
from harness.evidence import Evidence

START, END = (100, 100), (600, 450)
SELECTED = Box(100, 100, 600, 450)
RED = (255, 0, 0)
YELLOW = 11  # palette index
MARK_FILL = (148, 217, 255)  # behind the chosen choice


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def segment_pixels(a, b, width: float) -> set[tuple[int, int]]:
    """The pixels whose centre lies within width / 2 of the segment from a to b, inside the
    selection."""
    r = width / 2 + 1e-9
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    found = set()
    for y in range(math.floor(min(ay, by) - r) - 1, math.ceil(max(ay, by) + r) + 1):
        for x in range(math.floor(min(ax, bx) - r) - 1, math.ceil(max(ax, bx) + r) + 1):
            cx, cy = x + 0.5 - ax, y + 0.5 - ay
            t = max(0.0, min(1.0, (cx * dx + cy * dy) / length2)) if length2 else 0.0
            if math.hypot(cx - t * dx, cy - t * dy) <= r and SELECTED.contains(x, y):
                found.add((x, y))
    return found


def path_pixels(points, width: float) -> set[tuple[int, int]]:
    covered = segment_pixels(points[0], points[0], width)
    for a, b in zip(points, points[1:]):
        covered |= segment_pixels(a, b, width)
    return covered


def tint_of(colour):
    """The highlighter's tint: the colour halfway to white."""
    return tuple((c + 256) // 2 for c in colour)


def multiply(pixel, tint):
    return tuple((p * t + 127) // 255 for p, t in zip(pixel, tint))


def choose_by_key(desktop, app, layout: Layout, key: str, tool: str) -> None:
    """Presses a tool's key and waits until its style panel shows."""
    desktop.key(key)
    panel = layout.panel(tool)
    wait_pixel(desktop, (panel.left, panel.top), PANEL_FRAME, app)
    wait_pixel(desktop, (panel.right - 1, panel.bottom - 1), PANEL_FRAME, app)


def choose(desktop, app, layout: Layout, index: int) -> None:
    """Clicks the style panel's choice `index` and waits until it is marked as chosen."""
    desktop.click(*layout.choice_point(index))
    x, y = layout.panel_origin()
    corner = px(x + layout.s(4 + 24 * index + 1.5)), px(y + layout.s(130 / 15 + 1.5))
    wait_pixel(desktop, corner, MARK_FILL, app)


def stroke(desktop, app, points, expected, shift: bool = False) -> None:
    """Presses at the first point, moves through the others and releases at the last (with Shift
    held at the release when asked). Each point is shown as `expected` shows it before the next
    move is sent, so that no move is merged into the next."""
    desktop.xdotool("mousemove", *points[0], "mousedown", 1)
    wait_pixel(desktop, points[0], expected.getpixel(points[0]), app)
    for point in points[1:]:
        desktop.xdotool("mousemove", *point)
        wait_pixel(desktop, point, expected.getpixel(point), app)
    if shift:
        desktop.xdotool("keydown", "shift", "mouseup", 1, "keyup", "shift")
    else:
        desktop.xdotool("mouseup", 1)


def test_pen_highlighter_and_shift_square_are_copied_exactly_and_undone_to_the_frozen_picture(
        desktop, evidence):
    frozen = desktop.picture.convert("RGB")
    pen = [(150, 200), (250, 260), (300, 210), (180, 280)]  # crosses itself
    marker = [(320, 160), (540, 160), (540, 260), (430, 120), (430, 300)]  # crosses itself
    square_from, square_to, square_end = (200, 330), (260, 350), (260, 390)
    yellow = PALETTE[YELLOW]

    # What each step leaves on the screen, from the frozen picture on.
    with_pen = frozen.copy()
    for p in path_pixels(pen, 8):
        with_pen.putpixel(p, RED)
    with_marker = with_pen.copy()
    for p in path_pixels(marker, 18):  # one coverage, tinted once
        with_marker.putpixel(p, multiply(with_pen.getpixel(p), tint_of(yellow)))
    with_square = with_marker.copy()
    (l, t), (r, b) = square_from, square_end
    for x in range(l, r + 1):
        for y in (t, b):
            with_square.putpixel((x, y), yellow)
    for y in range(t, b + 1):
        for x in (l, r):
            with_square.putpixel((x, y), yellow)

    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        layout = make_selection(desktop, app, START, END)
        # Inside the selection's frame, but for its labels and handles.
        around = Box(SELECTED.left + 1, SELECTED.top + 1, SELECTED.right - 1, SELECTED.bottom - 1)
        labels = [layout.size_label, layout.colour_label] + [layout.handle(i) for i in range(8)]

        choose_by_key(desktop, app, layout, "p", "pen")
        choose(desktop, app, layout, 2)  # 8 pixels
        stroke(desktop, app, pen, with_pen)
        wait_screen(desktop, app, with_pen, around, labels, evidence, "pen")

        choose_by_key(desktop, app, layout, "h", "highlighter")
        pick_colour(desktop, app, layout, YELLOW, "highlighter")
        stroke(desktop, app, marker, with_marker)
        wait_screen(desktop, app, with_marker, around, labels, evidence, "highlighter")

        choose_by_key(desktop, app, layout, "r", "rectangle")
        # The preview follows the pointer as it is; the square comes with Shift at the release.
        desktop.xdotool("mousemove", *square_from, "mousedown", 1, "mousemove", *square_to)
        wait_pixel(desktop, square_to, yellow, app)
        desktop.xdotool("keydown", "shift", "mouseup", 1, "keyup", "shift")
        wait_screen(desktop, app, with_square, around, labels, evidence, "square")

        for step, expected in [("undo-square", with_marker), ("undo-highlighter", with_pen),
                               ("undo-pen", frozen)]:
            desktop.key("ctrl+z")
            wait_screen(desktop, app, expected, around, labels, evidence, step)
        for step, expected in [("redo-pen", with_pen), ("redo-highlighter", with_marker),
                               ("redo-square", with_square)]:
            desktop.key("ctrl+y")
            wait_screen(desktop, app, expected, around, labels, evidence, step)

        desktop.key("Return")
        assert app.wait_exit() == 0
        copied = desktop.clipboard_image()
        assert copied is not None, "nothing on the clipboard"
        evidence.save("clipboard", copied)

    expected = with_square.crop(SELECTED.pil())
    assert copied.convert("RGB").tobytes() == expected.tobytes(), "the copy is not what was drawn"
