"""Annotating the selection with the real pointer and keyboard: the style panel, shapes and text
in a chosen colour, what "复制退出" puts on the clipboard, undo and redo, and the Chinese
tooltips of the toolbar."""

import math
import subprocess

import pytest
from PIL import Image

from harness import noise, paths
from harness.capture_ui import (BLUE, GREEN, PALETTE, PANEL_FRAME, SELECTION_BLUE, TOOLTIP, Box,
                                Layout, choose_tool, magnifier_box, make_selection, pick_colour,
                                settled_grab, visible_windows, wait_pixel, wait_screen)
from harness.evidence import Evidence
from harness.ink import bounds, dark, ink, tofu
from harness.keymap import bind_characters
from harness.processes import wait_until

PURE_BLUE = PALETTE[BLUE]
RED = (255, 0, 0)
# A 500 x 350 selection, room for several annotations away from its labels.
START, END = (100, 100), (600, 450)
SELECTED = Box(100, 100, 600, 450)


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def copy_and_quit(desktop, app, layout: Layout, evidence: Evidence) -> Image.Image:
    """Clicks "复制退出"; the program ends with status 0 and the clipboard holds a picture."""
    desktop.click(*layout.button_point("copy"))
    assert app.wait_exit() == 0
    copied = desktop.clipboard_image()
    assert copied is not None, "nothing on the clipboard"
    evidence.save("clipboard", copied)
    return copied


def assert_panel_for(shot: Image.Image, layout: Layout, tool: str) -> None:
    """The style panel's frame, its sixteen swatches and the current colour, where the layout
    for `tool` puts them."""
    panel = layout.panel(tool)
    for x in range(panel.left, panel.right):
        assert shot.getpixel((x, panel.top)) == PANEL_FRAME, f"panel frame missing at x={x}"
        assert shot.getpixel((x, panel.bottom - 1)) == PANEL_FRAME
    assert shot.getpixel((panel.right, panel.top + 10)) != PANEL_FRAME
    for index, colour in enumerate(PALETTE):
        assert shot.getpixel(layout.swatch_point(index, tool)) == colour, f"swatch {index}"


def same(a: Image.Image, b: Image.Image) -> bool:
    return a.size == b.size and a.tobytes() == b.tobytes()


# --- shapes ---

def ellipse_distance(x: float, y: float, box: tuple[int, int, int, int]) -> float:
    """Roughly how many pixels (x, y) lies off the ellipse inscribed in `box` (inclusive)."""
    left, top, right, bottom = box
    cx, cy = (left + right) / 2, (top + bottom) / 2
    a, b = (right - left) / 2, (bottom - top) / 2
    return abs(math.hypot((x - cx) / a, (y - cy) / b) - 1) * min(a, b)


def segment_distance(p, a, b) -> float:
    (px_, py_), (ax, ay), (bx, by) = p, a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px_ - ax) * dx + (py_ - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px_ - ax - t * dx, py_ - ay - t * dy)


def test_shapes_in_the_chosen_colour_are_copied_without_any_chrome(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        layout = make_selection(desktop, app, START, END)
        choose_tool(desktop, app, layout, "rectangle")
        panel_shot = desktop.screenshot()
        assert panel_shot.getpixel(layout.current_colour_point("rectangle")) == RED
        assert_panel_for(panel_shot, layout, "rectangle")
        pick_colour(desktop, app, layout, BLUE, "rectangle")

        # Released far outside, up and left: the corner is held at the selection's top-left.
        desktop.drag((400, 300), (20, 20))
        choose_tool(desktop, app, layout, "ellipse")
        desktop.drag((420, 160), (590, 300))
        choose_tool(desktop, app, layout, "arrow")
        desktop.drag((150, 400), (550, 400))
        copied = copy_and_quit(desktop, app, layout, evidence)

    # In the copy's own pixels (the selection's top-left is (0, 0)).
    assert copied.size == SELECTED.size
    drawn = ink(copied, desktop.picture.crop(SELECTED.pil()))
    colours = {copied.getpixel(p) for p in drawn}
    assert colours == {PURE_BLUE}, f"drawn in {colours - {PURE_BLUE}} as well as blue"

    rectangle = ({(x, y) for x in range(0, 301) for y in (0, 200)}
                 | {(x, y) for y in range(0, 201) for x in (0, 300)})
    shaft = {(x, 300) for x in range(50, 451)}
    tip, wings = (450, 300), [(440, 305), (440, 295)]
    assert rectangle <= drawn, f"rectangle outline missing at {sorted(rectangle - drawn)[:5]}"
    assert shaft <= drawn, f"arrow shaft missing at {sorted(shaft - drawn)[:5]}"
    assert {tip, *wings} <= drawn, "arrow head missing"

    # Dragged from (420, 160) to (590, 300): the box's right and bottom lie outside the ellipse.
    ellipse_box = (320, 60, 489, 199)
    ellipse = {p for p in drawn if ellipse_box[0] - 3 <= p[0] <= ellipse_box[2] + 3
               and ellipse_box[1] - 3 <= p[1] <= ellipse_box[3] + 3}
    assert bounds(ellipse) == ellipse_box
    for row in range(124, 136):  # one pixel wide: one pixel each side across the middle rows
        assert len({p for p in ellipse if p[1] == row}) == 2, f"ellipse row {row}"
    for column in range(398, 412):
        assert len({p for p in ellipse if p[0] == column}) == 2, f"ellipse column {column}"

    def expected(p) -> bool:
        return (p in rectangle or p in shaft or ellipse_distance(*p, ellipse_box) <= 1.0
                or any(segment_distance(p, wing, tip) <= 1.0 for wing in wings))

    stray = sorted(p for p in drawn if not expected(p))
    assert not stray, f"{len(stray)} pixels changed outside the annotations, e.g. {stray[:8]}"
    border = ([(x, y) for x in range(500) for y in (0, 349)]
              + [(x, y) for y in range(350) for x in (0, 499)])
    assert SELECTION_BLUE not in {copied.getpixel(p) for p in border if p not in drawn}


def test_panel_opens_above_a_low_toolbar_and_its_colour_is_drawn(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        # The strip fits under this selection (760 + 4 + 26 <= 800), the panel under it does not.
        layout = make_selection(desktop, app, (700, 600), (1000, 760))
        panel = layout.panel("rectangle")
        assert panel.bottom <= layout.strip.top - 2
        choose_tool(desktop, app, layout, "rectangle")
        assert_panel_for(desktop.screenshot(), layout, "rectangle")

        # A second click on the same tool hides the panel, a third shows it again.
        desktop.click(*layout.button_point("rectangle"))
        wait_pixel(desktop, (panel.left, panel.top), desktop.picture.getpixel(
            (panel.left, panel.top)), app)
        choose_tool(desktop, app, layout, "rectangle")
        pick_colour(desktop, app, layout, GREEN, "rectangle")
        desktop.drag((720, 650), (950, 715))
        copied = copy_and_quit(desktop, app, layout, evidence)

    drawn = ink(copied, desktop.picture.crop((700, 600, 1000, 760)))
    outline = ({(x, y) for x in range(20, 251) for y in (50, 115)}
               | {(x, y) for y in range(50, 116) for x in (20, 250)})
    assert drawn == outline, \
        f"missing {sorted(outline - drawn)[:5]}, stray {sorted(drawn - outline)[:5]}"
    assert {copied.getpixel(p) for p in drawn} == {PALETTE[GREEN]}


# --- text ---

TEXTS = [((200, 300), "a标注"), ((200, 330), "a注标")]
TEXT_WIDTH, TEXT_HEIGHT = 80, 24


def white_under_text():
    """Noise with a white patch where the texts go, so that their colour can be read from their
    antialiased edges."""
    picture = noise(1280, 800)
    picture.paste((255, 255, 255), (150, 280, 450, 370))
    return picture


def test_text_is_drawn_as_chinese_glyphs_in_the_chosen_colour(make_desktop, evidence):
    desktop = make_desktop(picture=white_under_text())
    bind_characters(desktop.screen.display, "".join(text for _, text in TEXTS))
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        layout = make_selection(desktop, app, START, END)
        choose_tool(desktop, app, layout, "text")
        assert_panel_for(desktop.screenshot(), layout, "text")
        pick_colour(desktop, app, layout, BLUE, "text")

        for (x, y), text in TEXTS:
            desktop.click(x, y)  # opens the text box there
            desktop.type_text(text)
            desktop.click(800, 600)  # outside the selection: draws the text
        copied = copy_and_quit(desktop, app, layout, evidence)

    assert copied.size == SELECTED.size
    drawn = ink(copied, desktop.picture.crop(SELECTED.pil()))
    boxes = [Box(x - 100, y - 100, x - 100 + TEXT_WIDTH, y - 100 + TEXT_HEIGHT)
             for (x, y), _ in TEXTS]
    stray = sorted(p for p in drawn if not any(box.contains(*p) for box in boxes))
    assert not stray, f"{len(stray)} pixels changed outside the text, e.g. {stray[:8]}"

    # Blue glyphs blended into white: (v, v, 255), the fully covered ones pure blue.
    colours = {copied.getpixel(p) for p in drawn}
    assert all(b == 255 and abs(r - g) <= 3 for r, g, b in colours), f"not blue: {colours}"
    assert PURE_BLUE in colours

    texts = [copied.crop(box.pil()) for box in boxes]
    for picture_of_text, (_, text) in zip(texts, TEXTS):
        strokes = dark(picture_of_text, (255, 255, 255), threshold=127)
        assert len(strokes) >= 60, f"{text!r} has almost no ink"
        left, top, _, _ = bounds(strokes)
        assert left <= 3 and top <= 8, f"{text!r} starts at {(left, top)} from its box's corner"
        assert not tofu(strokes), f"{text!r} is drawn with empty boxes"
    # Both start with the same "a" at the same place, and their Chinese characters, swapped,
    # must look different: a font without them draws the same box for each.
    same_start = same(texts[0].crop((0, 0, 5, TEXT_HEIGHT)), texts[1].crop((0, 0, 5, TEXT_HEIGHT)))
    assert same_start, "the same letter at the same place is drawn differently"
    assert not same(*texts), "the Chinese characters all look the same"


def test_copy_and_quit_keeps_the_text_still_being_typed(make_desktop, evidence):
    desktop = make_desktop(picture=white_under_text())
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        layout = make_selection(desktop, app, START, END)
        choose_tool(desktop, app, layout, "text")
        desktop.click(200, 300)
        desktop.type_text("Typed")

        copied = copy_and_quit(desktop, app, layout, evidence)

    # Drawn in the current colour, red at start, blended into white; the box itself is not copied.
    drawn = ink(copied, desktop.picture.crop(SELECTED.pil()))
    assert len(dark(copied.crop((100, 200, 100 + TEXT_WIDTH, 200 + TEXT_HEIGHT)),
                    (255, 255, 255), threshold=127)) >= 40, "the typed text is not in the copy"
    left, top, right, bottom = bounds(drawn)
    assert 100 <= left and 200 <= top and right < 100 + TEXT_WIDTH and bottom < 200 + TEXT_HEIGHT
    colours = {copied.getpixel(p) for p in drawn}
    assert all(r == 255 and abs(g - b) <= 3 for r, g, b in colours), f"not red: {colours}"


# --- undo and redo ---

def test_undo_and_redo_restore_the_picture_exactly(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        layout = make_selection(desktop, app, START, END)
        # The selection with its frame and handles; its labels change with the pointer.
        around = Box(SELECTED.left - 3, SELECTED.top - 3, SELECTED.right + 3, SELECTED.bottom + 3)
        labels = [layout.size_label, layout.colour_label]
        before = screen_settled(desktop)
        choose_tool(desktop, app, layout, "rectangle")

        # Each rectangle's edge is waited for away from its corners, where its handles show.
        desktop.drag((150, 200), (300, 300))
        wait_pixel(desktop, (260, 300), RED, app)
        after_a = screen_settled(desktop)
        desktop.drag((350, 250), (550, 420))
        wait_pixel(desktop, (500, 420), RED, app)
        after_b = screen_settled(desktop)
        assert after_a.getpixel((550, 420)) != RED

        for button, expected, name in [("undo", after_a, "first-undo"), ("redo", after_b, "redo"),
                                       ("undo", after_a, "second-undo"),
                                       ("undo", before, "back-to-start")]:
            desktop.click(*layout.button_point(button))
            wait_screen(desktop, app, expected, around, labels, evidence, name)

        # One undo more leaves annotating: selection, labels, handles and toolbar go, and the
        # magnifier is back beside the pointer.
        desktop.click(*layout.button_point("undo"))
        wait_screen(desktop, app, desktop.picture, Box(0, 0, desktop.width, desktop.height),
                    [magnifier_box(layout.button_point("undo"))], evidence, "back-to-selecting")

        desktop.key("Escape")
        assert app.wait_exit() == 0


def screen_settled(desktop) -> Image.Image:
    return settled_grab(desktop, Box(0, 0, desktop.width, desktop.height))


# --- tooltips ---

def hover_tooltip(desktop, app, point: tuple[int, int], timeout: float = 5):
    """Rests the pointer on `point` until a new window appears; returns its X id, its picture
    and the text its tooltip control holds."""
    known = set(visible_windows(desktop))
    desktop.move(*point)
    window = wait_until(lambda: set(visible_windows(desktop)) - known, timeout,
                        what="a tooltip window").pop()
    left, top, width, height = desktop.window_geometry(window)
    picture = settled_grab(desktop, Box(left, top, left + width, top + height))
    reader = paths.require(paths.TOOLTIP_TEXT_EXE, "tooltip_text.exe")
    shown = subprocess.run(["wine", str(reader)], env=desktop.wine.env, capture_output=True,
                           timeout=30)
    assert shown.returncode == 0, "no tooltip control shows a text"
    assert app.running()
    return window, picture, shown.stdout.decode("utf-8")


def test_toolbar_tooltips_show_chinese_glyphs(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        layout = make_selection(desktop, app, START, END)
        # "添加矩形" and "添加椭圆": as long, the same first two characters.
        assert TOOLTIP["rectangle"][:2] == TOOLTIP["ellipse"][:2]
        tip, rectangle, rectangle_text = hover_tooltip(desktop, app,
                                                       layout.button_point("rectangle"))
        evidence.save("tooltip-rectangle", rectangle)
        desktop.move(800, 600)
        wait_until(lambda: tip not in visible_windows(desktop), 5, what="the tooltip to close")
        _, ellipse, ellipse_text = hover_tooltip(desktop, app, layout.button_point("ellipse"))
        evidence.save("tooltip-ellipse", ellipse)

    assert (rectangle_text, ellipse_text) == ("添加矩形", "添加椭圆")
    assert rectangle.size == ellipse.size
    width, height = rectangle.size
    for picture in (rectangle, ellipse):
        _, background = max(picture.getcolors(width * height))
        text = dark(picture.crop((2, 2, width - 2, height - 2)), background, threshold=64)
        assert len(text) >= 40, "the tooltip shows almost no text"
        assert not tofu(text), "the tooltip shows empty boxes for its characters"
    half = (0, 0, width // 2, height)
    assert same(rectangle.crop(half), ellipse.crop(half)), "添加 is drawn differently"
    assert not same(rectangle, ellipse), "矩形 and 椭圆 look the same"
