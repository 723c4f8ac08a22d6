"""Where capture.exe puts its controls on the screen, and a user's gestures on them.

Positions follow the program's own layout rules: the toolbar strip hangs under the selection's
right end (inside it when the screen's bottom is too close), the style panel opens 3 pixels under
the strip (above it when it does not fit), and every control is painted on the whole pixels its
single-precision geometry rounds to. All values are window pixels, which are screen pixels; the
sizes below are design pixels (96 DPI), which the chrome shows at the monitor's DPI: a Layout's
`scale` is DPI / 96.
"""

import subprocess
import time
from dataclasses import dataclass

from PIL import Image, ImageDraw

from harness.ink import ink
from harness.processes import wait_until

SELECTION_BLUE = (0, 122, 236)  # selection frame, handles and label text
MARK_HANDLE = (255, 112, 0)  # the selected mark's handles
PANEL_BACK = (222, 238, 255)  # toolbar strip and style panel
PANEL_FRAME = (128, 128, 255)
SEPARATOR = (192, 192, 255)

STRIP_WIDTH, STRIP_HEIGHT = 5880 / 15, 26
STYLE_PANEL_WIDTH = 3620 / 15  # with the font size
TOOLS_SEPARATOR_LEFT = 3100 / 15  # between the last tool and undo
PANEL_HEIGHT = 560 / 15
HANDLE = 4
LABEL_HEIGHT = 17
SIZE_LABEL_WIDTH, COLOUR_LABEL_WIDTH = 185, 175

# The magnifier beside the pointer while no selection exists: its size, and its gap to the pointer.
MAGNIFIER_SIZE, MAGNIFIER_GAP = (122, 138), 20


def magnifier_box(pointer: tuple[int, int]) -> "Box":
    """Where the magnifier stands for a pointer with room below and right of it (96 DPI)."""
    x, y = pointer[0] + MAGNIFIER_GAP, pointer[1] + MAGNIFIER_GAP
    return Box(x, y, x + MAGNIFIER_SIZE[0], y + MAGNIFIER_SIZE[1])


# Toolbar buttons by meaning: the left of the 16x16 icon inside the strip (its top is 5).
BUTTON_LEFT = {
    "rectangle": 100 / 15, "ellipse": 32, "text": 860 / 15, "arrow": 1220 / 15,
    "pen": 1600 / 15, "highlighter": 1980 / 15, "mosaic": 2360 / 15, "steps": 2740 / 15,
    "undo": 3220 / 15, "redo": 3590 / 15, "save": 3960 / 15, "pin": 4330 / 15,
    "scroll": 4700 / 15, "quit": 5160 / 15, "copy": 5530 / 15,
}
# The tooltip of each button, which is also the tool's name.
TOOLTIP = {
    "rectangle": "添加矩形", "ellipse": "添加椭圆", "text": "添加文字", "arrow": "添加箭头",
    "pen": "画笔", "highlighter": "荧光笔", "mosaic": "马赛克", "steps": "序号",
    "undo": "撤销", "redo": "重做", "save": "保存", "pin": "钉在桌面", "scroll": "长截图",
    "quit": "退出截屏", "copy": "复制退出",
}
# How many choices a tool has at the left of its style panel (20 x 20 each, 24 apart), and the gap
# between them and the colours.
CHOICES = {"pen": 3, "highlighter": 3, "mosaic": 5, "steps": 3}
CHOICES_GAP = 6


def before_colours(tool: str) -> float:
    """The design width the tool's choices take on the style panel, gap included."""
    n = CHOICES.get(tool, 0)
    return 24 * n - 4 + CHOICES_GAP if n else 0
PALETTE = [
    (0, 0, 0), (128, 128, 128), (192, 0, 0), (192, 192, 0),
    (0, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (255, 255, 255), (192, 192, 192), (255, 0, 0), (255, 255, 0),
    (0, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255),
]
BLUE, GREEN = 13, 12  # palette indices


def px(value: float) -> int:
    """The whole pixel a control edge at `value` is painted from (round half away from zero, as
    the program does)."""
    return int(value + 0.5) if value >= 0 else -int(-value + 0.5)


@dataclass(frozen=True)
class Box:
    """Whole-pixel rectangle, right and bottom exclusive."""
    left: int
    top: int
    right: int
    bottom: int

    @classmethod
    def of(cls, left: float, top: float, width: float, height: float) -> "Box":
        return cls(px(left), px(top), px(left + width), px(top + height))

    @property
    def size(self) -> tuple[int, int]:
        return self.right - self.left, self.bottom - self.top

    def pil(self) -> tuple[int, int, int, int]:
        return self.left, self.top, self.right, self.bottom

    def contains(self, x: int, y: int) -> bool:
        return self.left <= x < self.right and self.top <= y < self.bottom


@dataclass(frozen=True)
class Layout:
    """The controls around a selection at `left`, `top` with size `width` x `height` on a screen
    `screen_height` pixels high, with the chrome at `scale` (DPI / 96)."""
    left: float
    top: float
    width: float
    height: float
    screen_height: int = 800
    scale: float = 1.0

    def s(self, design: float) -> float:
        """A design size on the screen."""
        return design * self.scale

    @property
    def right(self) -> float:
        return self.left + self.width

    @property
    def bottom(self) -> float:
        return self.top + self.height

    @property
    def frame(self) -> Box:
        """The selection outline: its first and last columns and rows are painted."""
        return Box.of(self.left, self.top, self.width, self.height)

    def handle(self, index: int) -> Box:
        cx = [0, 0.5, 1, 0, 0, 0.5, 1, 1][index]
        cy = [0, 0, 0, 0.5, 1, 1, 1, 0.5][index]
        handle = self.s(HANDLE)
        left = self.left + self.width * cx - handle / 2
        if index == 2:  # stands a little further left than a centred handle
            left = self.right - handle / 1.5
        return Box.of(left, self.top + self.height * cy - handle / 2, handle, handle)

    def handle_point(self, index: int) -> tuple[int, int]:
        """A pixel on handle `index`, for pointing at it."""
        box = self.handle(index)
        return box.left + 1, box.top + 1

    @property
    def size_label(self) -> Box:
        return Box.of(self.left + self.s(2), self.top + self.s(2), self.s(SIZE_LABEL_WIDTH),
                      self.s(LABEL_HEIGHT))

    @property
    def colour_label(self) -> Box:
        return Box.of(self.left + self.s(2), self.top + self.s(2) + self.s(LABEL_HEIGHT + 2),
                      self.s(COLOUR_LABEL_WIDTH), self.s(LABEL_HEIGHT))

    @property
    def strip_origin(self) -> tuple[float, float]:
        s = self.s
        inside = self.screen_height < self.bottom + s(4) + s(STRIP_HEIGHT)
        top = self.bottom - s(STRIP_HEIGHT) - s(4) if inside else self.bottom + s(4)
        return max(0.0, self.right - s(STRIP_WIDTH)), top

    @property
    def strip(self) -> Box:
        return Box.of(*self.strip_origin, self.s(STRIP_WIDTH), self.s(STRIP_HEIGHT))

    def button(self, name: str) -> Box:
        x, y = self.strip_origin
        return Box.of(x + self.s(BUTTON_LEFT[name]), y + self.s(5), self.s(16), self.s(16))

    def button_point(self, name: str) -> tuple[int, int]:
        x, y = self.strip_origin
        return px(x + self.s(BUTTON_LEFT[name] + 8)), px(y + self.s(5 + 8))

    def panel_origin(self) -> tuple[float, float]:
        s = self.s
        x, y = self.strip_origin
        below = y + s(STRIP_HEIGHT) + s(3)
        above = y - s(PANEL_HEIGHT) - s(3)
        return x, (below if self.screen_height >= below + s(PANEL_HEIGHT) else above)

    def panel(self, tool: str) -> Box:
        width = STYLE_PANEL_WIDTH if tool == "text" else \
            STYLE_PANEL_WIDTH - 73 - 2 + before_colours(tool)
        return Box.of(*self.panel_origin(), self.s(width), self.s(PANEL_HEIGHT))

    def choice_point(self, index: int) -> tuple[int, int]:
        """The centre of the style panel's choice `index` (from the left)."""
        x, y = self.panel_origin()
        return px(x + self.s(4 + 24 * index + 10)), px(y + self.s(130 / 15 + 10))

    def _colour_group(self, tool: str) -> tuple[float, float]:
        x, y = self.panel_origin()
        return x + self.s(78.667 if tool == "text" else 4 + before_colours(tool)), y + self.s(4)

    def swatch_point(self, index: int, tool: str) -> tuple[int, int]:
        """The centre of palette swatch `index` (0..15) on the panel laid out for `tool`."""
        x, y = self._colour_group(tool)
        return (px(x + self.s(32 + 16 * (index % 8) + 20 / 3)),
                px(y + self.s((0 if index < 8 else 220 / 15) + 20 / 3)))

    def current_colour_point(self, tool: str) -> tuple[int, int]:
        """The centre of the large swatch that shows the current colour."""
        x, y = self._colour_group(tool)
        return px(x + self.s(20 / 15 + 14)), px(y + self.s(14))


def layout_of_drag(start: tuple[int, int], end: tuple[int, int], screen_height: int = 800,
                   scale: float = 1.0):
    """The layout after a left drag between two points (either direction)."""
    left, top = min(start[0], end[0]), min(start[1], end[1])
    return Layout(left, top, abs(end[0] - start[0]), abs(end[1] - start[1]), screen_height,
                  scale)


def settled_grab(desktop, box: Box, timeout: float = 5) -> Image.Image:
    """The screen in `box` once two reads 50 ms apart agree (the program has finished
    repainting)."""
    last = [desktop.grab(box.left, box.top, *box.size)]

    def stable():
        time.sleep(0.05)
        now = desktop.grab(box.left, box.top, *box.size)
        same = now.tobytes() == last[0].tobytes()
        last[0] = now
        return same

    wait_until(stable, timeout, interval=0, what=f"the screen in {box} to settle")
    return last[0]


def wait_pixel(desktop, point: tuple[int, int], colour: tuple[int, int, int], app=None,
               timeout: float = 5) -> None:
    """Waits until the screen shows `colour` at `point` (raises TimeoutError naming what it saw
    last)."""
    seen = []

    def shown():
        if app is not None and not app.running():
            raise RuntimeError(f"the program ended with status {app.process.returncode}")
        seen[:] = [desktop.pixel(*point)]
        return seen[0] == colour

    try:
        wait_until(shown, timeout, interval=0.01, what=f"{colour} at {point}")
    except TimeoutError as error:
        raise TimeoutError(f"{error}; the screen shows {seen[0]} there") from None


# --- what the screen shows ---

def masked(part: Image.Image, region: Box, skip: list[Box]) -> Image.Image:
    """`part`, the screen's `region`, with the `skip` boxes painted over."""
    part = part.copy()
    for box in skip:
        ImageDraw.Draw(part).rectangle((box.left - region.left, box.top - region.top,
                                        box.right - region.left - 1, box.bottom - region.top - 1),
                                       fill=(1, 2, 3))
    return part


def differing(seen: Image.Image, wanted: Image.Image) -> set[tuple[int, int]]:
    """The pixels where `seen` differs from `wanted`, but for a selected mark's handles in either:
    chrome over the picture, as the selection's frame is."""
    return {p for p in ink(seen, wanted)
            if seen.getpixel(p) != MARK_HANDLE and wanted.getpixel(p) != MARK_HANDLE}


def wait_screen(desktop, app, expected: Image.Image, region: Box, skip: list[Box], evidence,
                name: str, toolbar: Box | None = None) -> Image.Image:
    """Waits until every pixel of `region` outside the `skip` boxes is as in `expected` (a whole
    screen), and the corners of `toolbar` show the strip's frame; returns a screenshot taken then.
    Raises AssertionError naming the differing pixels, with the pictures kept in `evidence`, when
    that does not happen within 5 s."""
    wanted = masked(expected.crop(region.pil()), region, skip)
    corners = [(toolbar.left, toolbar.top), (toolbar.right - 1, toolbar.bottom - 1)] if toolbar \
        else []

    def shown():
        if not app.running():
            raise RuntimeError(f"the program ended with status {app.process.returncode}")
        seen = masked(desktop.grab(region.left, region.top, *region.size), region, skip)
        return not differing(seen, wanted) and \
            all(desktop.pixel(*p) == PANEL_FRAME for p in corners)

    try:
        wait_until(shown, 5, interval=0.02, what=name)
    except TimeoutError:
        shot = desktop.screenshot()
        seen = masked(shot.crop(region.pil()), region, skip)
        wrong = sorted(differing(seen, wanted))
        evidence.save(f"{name}-screen", shot)
        evidence.save(f"{name}-expected", expected)
        samples = [((x + region.left, y + region.top), seen.getpixel((x, y)),
                    wanted.getpixel((x, y))) for x, y in wrong[:6]]
        raise AssertionError(f"{name}: {len(wrong)} pixels differ (where, seen, expected): "
                             f"{samples}; strip corners {[shot.getpixel(p) for p in corners]}") \
            from None
    return desktop.screenshot()


# --- a user's gestures on the program ---

def point_at(desktop, point: tuple[int, int], timeout: float = 5) -> None:
    """Moves the pointer to `point`, as a user does before pressing there, and waits until the
    program has followed it: one of its windows (the magnifier beside the pointer) appears or
    moves. In full runs a drag sent within tens of milliseconds of the first paint lost its press
    or its release now and then (never alone: the cause is not proven; Wine clips the pointer to a
    full-screen window then and was seen to reset that clip at once); no user presses that soon."""
    where = desktop.screen.run(["xdotool", "getmouselocation", "--shell"], capture_output=True,
                               text=True).stdout
    values = dict(line.split("=", 1) for line in where.split())
    if (int(values["X"]), int(values["Y"])) == point:
        return

    def geometry(window):
        try:
            return desktop.window_geometry(window)
        except subprocess.CalledProcessError:  # gone meanwhile
            return None

    before = {window: geometry(window) for window in visible_windows(desktop)}
    desktop.move(*point)
    def followed():
        return any(before.get(w, "new") != geometry(w) for w in visible_windows(desktop))

    wait_until(followed, timeout, interval=0.005,
               what=f"a window of the program to follow the pointer to {point}")


def make_selection(desktop, app, start: tuple[int, int], end: tuple[int, int]) -> Layout:
    """Points at `start`, drags a selection to `end` and waits until its toolbar shows."""
    point_at(desktop, start)
    desktop.drag(start, end)
    layout = layout_of_drag(start, end, desktop.height, desktop.dpi / 96)
    wait_pixel(desktop, (layout.strip.left, layout.strip.top), PANEL_FRAME, app)
    return layout


def choose_tool(desktop, app, layout: Layout, tool: str) -> None:
    """Clicks a tool button and waits until the style panel shows (for a tool other than the one
    chosen last; a second click on the same tool hides the panel)."""
    desktop.click(*layout.button_point(tool))
    panel = layout.panel(tool)
    wait_pixel(desktop, (panel.left, panel.top), PANEL_FRAME, app)
    wait_pixel(desktop, (panel.right - 1, panel.bottom - 1), PANEL_FRAME, app)


def pick_colour(desktop, app, layout: Layout, index: int, tool: str) -> None:
    """Clicks palette swatch `index` and waits until the current-colour swatch shows it."""
    desktop.click(*layout.swatch_point(index, tool))
    wait_pixel(desktop, layout.current_colour_point(tool), PALETTE[index], app)


def visible_windows(desktop) -> list[str]:
    """X ids of all visible windows, named or not."""
    result = desktop.screen.run(["xdotool", "search", "--onlyvisible", "--name", ".*"],
                                capture_output=True, text=True, check=False)
    return result.stdout.split()


def around(boxes: list[Box], width: int, height: int, margin: int = 16) -> Box:
    """The box holding all `boxes` with `margin` pixels more on each side, cut to the screen."""
    return Box(max(0, min(b.left for b in boxes) - margin), max(0, min(b.top for b in boxes) - margin),
               min(width, max(b.right for b in boxes) + margin),
               min(height, max(b.bottom for b in boxes) + margin))
