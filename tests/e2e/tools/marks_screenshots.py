"""Pictures of the mosaic and the numbered steps, for README: capture.exe under Wine on a private
virtual screen showing a small form with text of 9 to 12 points; one line hidden in cells, one
blurred, three numbered steps beside the fields; taken at 96 and 192 DPI around the selection.

    python3 marks_screenshots.py OUTPUT_FOLDER     writes marks-96dpi.png and marks-192dpi.png
"""

import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))

from harness import Desktop, capture_ui  # noqa: E402
from harness.capture_ui import PANEL_FRAME, Box  # noqa: E402

WIDTH, HEIGHT = 1280, 800
SELECTION = ((200, 110), (760, 430))
FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
# (top, pixel size, text): 16 px is 12 points at 96 DPI, 12 px is 9 points.
LINES = [(190, 16, "用户名  zhang.wei@example.com"), (240, 16, "密码  Hunter2-Secret!"),
         (290, 14, "账号  6222 0212 3456 7890"), (340, 12, "验证码  481 926   (9 pt)"),
         (380, 12, "备注  Call me at 138-0013-8000")]
CELLS_AREA = ((300, 232), (520, 262))
BLUR_AREA = ((300, 282), (560, 312))
BLUR_SMALL = ((330, 334), (480, 358))
STEPS = [(230, 198), (230, 248), (230, 298)]


def form_picture() -> Image.Image:
    picture = Image.new("RGB", (WIDTH, HEIGHT), (236, 240, 244))
    draw = ImageDraw.Draw(picture)
    draw.rectangle((180, 100, 800, 460), fill=(255, 255, 255), outline=(120, 120, 120))
    for top, size, text in LINES:
        draw.text((250, top), text, fill=(20, 20, 20), font=ImageFont.truetype(FONT, size))
    return picture


def scene(dpi: int) -> tuple[Image.Image, Box]:
    desktop = Desktop(WIDTH, HEIGHT, picture=form_picture(), dpi=dpi)
    try:
        app = desktop.launch_capture()
        layout = capture_ui.make_selection(desktop, app, *SELECTION)
        capture_ui.choose_tool(desktop, app, layout, "mosaic")
        desktop.drag(*CELLS_AREA)
        desktop.click(*layout.choice_point(1))  # 模糊
        desktop.drag(*BLUR_AREA)
        desktop.drag(*BLUR_SMALL)
        capture_ui.choose_tool(desktop, app, layout, "steps")
        desktop.click(*layout.choice_point(0))  # the smallest disc: 20 pixels at 96 DPI
        for x, y in STEPS:
            desktop.click(x, y)
            capture_ui.wait_pixel(desktop, (x - 9, y), (255, 0, 0), app)
        desktop.move(700, 420)
        panel = layout.panel("steps")
        capture_ui.wait_pixel(desktop, (panel.left, panel.top), PANEL_FRAME, app)
        whole = Box(0, 0, WIDTH, HEIGHT)
        shot = capture_ui.settled_grab(desktop, whole)
        around = capture_ui.around([layout.frame, layout.strip, panel], WIDTH, HEIGHT)
        desktop.key("Escape", "Escape")  # the mark drawn last let go, then the end
        app.wait_exit(10)
        return shot, around
    finally:
        desktop.close()


def main() -> int:
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for dpi in (96, 192):
        shot, around = scene(dpi)
        name = out / f"marks-{dpi}dpi.png"
        shot.crop(around.pil()).save(name, optimize=True)
        print(f"  {name}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
