"""Pictures of a capture in use, for README: capture.exe under Wine on a private virtual screen,
a selection with its labels, the toolbar, the style panel and a few annotations, taken at 96 DPI
(the whole screen) and at 192 DPI (the part around the selection); the pen, the highlighter
and a Shift-square with the highlighter's panel open, at both DPIs (the part around the
selection); a pin, F3 on an annotated selection dragged aside over the desktop, at both DPIs;
and aiming before a selection: a window with a button on the screen, the button outlined under
the pointer and the magnifier beside it (the part around them, at both DPIs); 长截图: a long
window selected by a click with the strip under it, and the same window while the program
scrolls it, with the frame around it and the panel, and its joined picture scrolled and drawn on
(the whole screen, at both DPIs).

    python3 screenshots.py OUTPUT_FOLDER     writes capture-*dpi.png, tools-*dpi.png,
                                             pin-*dpi.png, aim-*dpi.png, scroll-strip-*dpi.png
                                             scroll-*dpi.png and view-*dpi.png
"""

import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))

from harness import Desktop, capture_ui, paths  # noqa: E402
from harness.capture_ui import Box  # noqa: E402
from harness.desktop import CAPTURE_TITLE  # noqa: E402
from harness.keymap import bind_characters  # noqa: E402
from harness.processes import wait_until  # noqa: E402

WIDTH, HEIGHT = 1280, 800
SELECTION = ((250, 130), (910, 500))
TEXT = "Hello 截图"


def around_chrome(layout, tool: str) -> Box:
    """The part of the screen holding the selection, the strip and the tool's panel, with a
    margin."""
    return capture_ui.around([layout.frame, layout.strip, layout.panel(tool)], WIDTH, HEIGHT)


def scene(dpi: int) -> tuple:
    """Plays the session at `dpi`; returns the screen and the box around the selection and its
    chrome."""
    desktop = Desktop(WIDTH, HEIGHT, picture="desktop", dpi=dpi)
    try:
        bind_characters(desktop.screen.display, TEXT)
        app = desktop.launch_capture()
        layout = capture_ui.make_selection(desktop, app, *SELECTION)
        capture_ui.choose_tool(desktop, app, layout, "ellipse")
        desktop.drag((610, 330), (870, 470))
        capture_ui.choose_tool(desktop, app, layout, "arrow")
        desktop.drag((560, 420), (690, 300))
        capture_ui.choose_tool(desktop, app, layout, "text")
        desktop.click(300, 420)
        desktop.type_text(TEXT)
        # The rectangle last: its style panel stays open, the pointer inside shows its colour.
        capture_ui.choose_tool(desktop, app, layout, "rectangle")
        capture_ui.pick_colour(desktop, app, layout, capture_ui.BLUE, "rectangle")
        desktop.drag((640, 170), (860, 290))
        capture_ui.wait_pixel(desktop, (700, 170), capture_ui.PALETTE[capture_ui.BLUE], app)
        desktop.move(700, 230)
        whole = Box(0, 0, WIDTH, HEIGHT)
        shot = capture_ui.settled_grab(desktop, whole)
        # A picture for README must show what the session did: each red annotation is there.
        for name, box in [("ellipse", (605, 325, 875, 475)), ("arrow", (555, 295, 695, 425)),
                          ("text", (295, 405, 420, 445))]:
            red = sum(1 for p in shot.crop(box).getdata() if p[0] > 200 and p[1] < 80)
            if red < 30:
                raise RuntimeError(f"the {name} is missing from the picture at {dpi} DPI")
        around = around_chrome(layout, "rectangle")
        desktop.key("Escape", "Escape")  # the mark drawn last let go, then the end
        app.wait_exit(10)
        return shot, around
    finally:
        desktop.close()


PIN_SELECTION = ((250, 130), (610, 370))


def pin_scene(dpi: int):
    """A selection with an ellipse, pinned with F3 and dragged 420 pixels right and 200 down over
    the desktop; the screen, cut to the part around the pin at 192 DPI."""
    desktop = Desktop(WIDTH, HEIGHT, picture="desktop", dpi=dpi)
    try:
        app = desktop.launch_capture()
        layout = capture_ui.make_selection(desktop, app, *PIN_SELECTION)
        capture_ui.choose_tool(desktop, app, layout, "ellipse")
        desktop.drag((300, 170), (560, 330))
        desktop.key("F3")
        pin = desktop.wait_window("贴图", app=app)
        wait_until(lambda: not desktop.find_windows(CAPTURE_TITLE), 10, what="the capture to go")
        desktop.drag((400, 250), (820, 450))
        wait_until(lambda: desktop.window_geometry(pin)[:2] > (640, 300), 5, what="the move")
        desktop.move(1200, 760)
        shot = capture_ui.settled_grab(desktop, Box(0, 0, WIDTH, HEIGHT))
        desktop.key("Escape")
        app.wait_exit(10)
        if dpi == 96:
            return shot
        return shot.crop((560, 250, 1140, 650))
    finally:
        desktop.close()


# button_window.exe's window and its button (left, top, width, height; the button's in the window).
AIM_WINDOW = (330, 220, 420, 260)
AIM_BUTTON = (60, 70, 150, 44)
AIM_POINTER = (462, 309)


def aim_scene(dpi: int):
    """The button outlined under the pointer, with the magnifier beside it: the part of the
    screen around both."""
    desktop = Desktop(WIDTH, HEIGHT, picture="desktop", dpi=dpi)
    try:
        exe = paths.require(paths.WINDOWS_BUILD / "button_window.exe", "button_window.exe")
        desktop.launch(exe, *(str(v) for v in AIM_WINDOW + AIM_BUTTON))
        desktop.wait_window("Buttons")
        screen = capture_ui.settled_grab(desktop, Box(0, 0, WIDTH, HEIGHT))
        desktop.watch_painting()
        app = desktop.launch(paths.require(paths.CAPTURE_EXE, "capture.exe"))
        desktop.wait_painted(CAPTURE_TITLE, screen, app=app)
        x, y = AIM_POINTER
        desktop.move(x - 1, y - 1)
        desktop.move(x, y)
        # The outline is in the selection's blue on the button's top edge.
        button_top = AIM_WINDOW[1] + AIM_BUTTON[1]
        capture_ui.wait_pixel(desktop, (x, button_top), capture_ui.SELECTION_BLUE, app)
        left, top = AIM_WINDOW[0] - 20, AIM_WINDOW[1] - 20
        shot = capture_ui.settled_grab(desktop, Box(left, top, left + 520, top + (380 if dpi == 96 else 520)))
        desktop.key("Escape")
        app.wait_exit(10)
        return shot
    finally:
        desktop.close()


def draw_path(desktop, points) -> None:
    """A press, moves through the points a tenth of a second apart (as a hand moves: moves sent
    all at once reach the window as one), and a release."""
    moves = [a for p in points[1:] for a in ("mousemove", *p, "sleep", "0.1")]
    desktop.xdotool("mousemove", *points[0], "mousedown", 1, "sleep", "0.1", *moves, "mouseup", 1)


def tools_scene(dpi: int):
    """The pen, the highlighter over a window's lines of text and a square drawn with Shift, with
    the highlighter's panel open; returns the part of the screen around the selection."""
    desktop = Desktop(WIDTH, HEIGHT, picture="desktop", dpi=dpi)
    try:
        app = desktop.launch_capture()
        layout = capture_ui.make_selection(desktop, app, *SELECTION)
        desktop.key("p")
        pen = [(300, 300), (340, 260), (380, 320), (420, 250), (470, 330), (520, 270)]
        draw_path(desktop, pen)
        capture_ui.wait_pixel(desktop, pen[-1], (255, 0, 0), app)
        desktop.key("r")
        capture_ui.pick_colour(desktop, app, layout, capture_ui.BLUE, "rectangle")
        desktop.xdotool("mousemove", 600, 330, "mousedown", 1, "mousemove", 700, 380,
                        "keydown", "shift", "mouseup", 1, "keyup", "shift")
        # Its bottom edge, away from the handles the square shows once drawn.
        capture_ui.wait_pixel(desktop, (690, 430), capture_ui.PALETTE[capture_ui.BLUE], app)
        desktop.key("h")
        capture_ui.pick_colour(desktop, app, layout, 11, "highlighter")  # yellow
        draw_path(desktop, [(280, 430), (560, 430), (560, 470), (420, 400)])
        desktop.move(880, 470)
        whole = Box(0, 0, WIDTH, HEIGHT)
        shot = capture_ui.settled_grab(desktop, whole)
        around = around_chrome(layout, "highlighter")
        desktop.key("Escape", "Escape")  # the mark drawn last let go, then the end
        app.wait_exit(10)
        return shot.crop(around.pil())
    finally:
        desktop.close()


LONG_WINDOW = (240, 120, 520, 420)


def select_long_window(desktop: Desktop, dpi: int, *options: str):
    """Shows the long window with `options`, starts a capture and selects the window by a click;
    returns the capture and the layout of its chrome."""
    exe = paths.require(paths.WINDOWS_BUILD / "long_window.exe", "long_window.exe")
    left, top, width, height = LONG_WINDOW
    desktop.launch(exe, *(str(v) for v in LONG_WINDOW), *options)
    desktop.wait_window("Long")
    desktop.click(left + width // 2, top + height // 2)
    wait_until(lambda: desktop.pixel(left + width // 2, top + height - 5) != (0, 0, 0), 10,
               what="the long window")
    desktop.watch_painting()
    app = desktop.launch(paths.require(paths.CAPTURE_EXE, "capture.exe"))
    desktop.wait_window(CAPTURE_TITLE, app)
    desktop.move(left + width // 2 + 3, top + height // 2 + 3)
    desktop.click(left + width // 2, top + height // 2)
    return app, capture_ui.layout_of_drag((left, top), (left + width, top + height), HEIGHT,
                                          dpi / 96)


def scroll_panel(desktop: Desktop):
    """The 长截图 panel's window while it shows, else None."""
    found = desktop.screen.run(["xdotool", "search", "--onlyvisible", "--name", "像素$"],
                               capture_output=True, text=True, check=False).stdout
    return found.split()[0] if found.split() else None


def scroll_scene(dpi: int) -> tuple:
    """长截图 at `dpi`: the strip under a long window selected by a click, and the window while
    it is scrolled, with the frame and the panel (the parts around them)."""
    desktop = Desktop(WIDTH, HEIGHT, picture="desktop", dpi=dpi)
    try:
        left, top, width, height = LONG_WINDOW
        app, layout = select_long_window(desktop, dpi, "--rows", "3000", "--header", "24",
                                         "--footer", "18", "--scrollbar", "--step", "20",
                                         "--smooth")
        button = layout.button_point("scroll")
        desktop.move(*button)
        around_strip = capture_ui.around([layout.strip], WIDTH, HEIGHT)
        strip = capture_ui.settled_grab(desktop, around_strip)
        desktop.key("l")
        panel = wait_until(lambda: scroll_panel(desktop), 30, interval=0.05, what="the panel")
        time.sleep(1.5)
        p_left, p_top, p_width, p_height = desktop.window_geometry(panel)
        margin = 24
        box = Box(max(0, min(left, p_left) - margin), max(0, top - margin),
                  min(WIDTH, max(left + width, p_left + p_width) + margin),
                  min(HEIGHT, max(top + height, p_top + p_height) + margin))
        shot = desktop.grab(box.left, box.top, *box.size)
        desktop.key("Escape")
        wait_until(lambda: not scroll_panel(desktop), 10, what="the panel to go")
        desktop.key("Escape")
        app.wait_exit(10)
        return strip, shot
    finally:
        desktop.close()


def view_scene(dpi: int):
    """长截图's joined picture being annotated at `dpi`: the session run to the long window's end,
    the picture scrolled down two notches, a rectangle and a pen stroke drawn on it; returns the
    whole screen."""
    desktop = Desktop(WIDTH, HEIGHT, picture="desktop", dpi=dpi)
    try:
        left, top, width, height = LONG_WINDOW
        app, layout = select_long_window(desktop, dpi, "--rows", "1500", "--header", "24",
                                         "--footer", "18")
        capture_ui.settled_grab(desktop, capture_ui.around([layout.strip], WIDTH, HEIGHT))
        desktop.key("l")
        wait_until(lambda: scroll_panel(desktop), 30, interval=0.05, what="the panel")
        wait_until(lambda: not scroll_panel(desktop), 60, interval=0.1, what="the session to end")
        whole = Box(0, 0, WIDTH, HEIGHT)
        capture_ui.settled_grab(desktop, whole)
        desktop.move(left + width // 2, top + height // 2)
        for _ in range(2):
            desktop.xdotool("click", "5")
        capture_ui.settled_grab(desktop, whole)
        desktop.key("r")
        desktop.drag((left + 60, 260), (left + 300, 380), steps=4)
        desktop.key("p")
        draw_path(desktop, [(left + 80, 520), (left + 160, 470), (left + 240, 540),
                            (left + 320, 480)])
        desktop.move(left + width - 40, 200)
        shot = capture_ui.settled_grab(desktop, whole)
        # The first Escape lets the stroke just drawn go, the second ends the capture.
        desktop.key("Escape")
        desktop.key("Escape")
        app.wait_exit(10)
        return shot
    finally:
        desktop.close()


def main() -> int:
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    shot, _ = scene(96)
    shot.save(out / "capture-96dpi.png", optimize=True)
    print(f"  {out / 'capture-96dpi.png'}", flush=True)
    shot, around = scene(192)
    shot.crop(around.pil()).save(out / "capture-192dpi.png", optimize=True)
    print(f"  {out / 'capture-192dpi.png'}", flush=True)
    for dpi in (96, 192):
        tools_scene(dpi).save(out / f"tools-{dpi}dpi.png", optimize=True)
        print(f"  {out / f'tools-{dpi}dpi.png'}", flush=True)
        pin_scene(dpi).save(out / f"pin-{dpi}dpi.png", optimize=True)
        print(f"  {out / f'pin-{dpi}dpi.png'}", flush=True)
        name = out / f"aim-{dpi}dpi.png"
        aim_scene(dpi).save(name, optimize=True)
        print(f"  {name}", flush=True)
        strip, scrolling = scroll_scene(dpi)
        for name, picture in [(f"scroll-strip-{dpi}dpi.png", strip),
                              (f"scroll-{dpi}dpi.png", scrolling)]:
            picture.save(out / name, optimize=True)
            print(f"  {out / name}", flush=True)
        name = out / f"view-{dpi}dpi.png"
        view_scene(dpi).save(name, optimize=True)
        print(f"  {name}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
