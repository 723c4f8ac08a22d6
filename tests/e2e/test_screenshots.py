"""scripts/screenshots' session still plays: the pictures are written and show the chrome, the
pin and 长截图's joined picture being drawn on."""

import subprocess
import sys

from PIL import Image

from harness import paths
from harness.capture_ui import PANEL_FRAME, SELECTION_BLUE


def test_screenshots_are_made_at_96_and_192_dpi(tmp_path):
    tool = paths.REPO / "tests" / "e2e" / "tools" / "screenshots.py"
    subprocess.run([sys.executable, str(tool), str(tmp_path)], check=True, timeout=300)
    normal = Image.open(tmp_path / "capture-96dpi.png").convert("RGB")
    large = Image.open(tmp_path / "capture-192dpi.png").convert("RGB")
    assert normal.size == (1280, 800)
    # The toolbar and the style panel are framed in PANEL_FRAME; at 192 DPI with twice the lines.
    frame = [sum(1 for p in picture.getdata() if p == PANEL_FRAME) for picture in (normal, large)]
    assert frame[0] > 800 and frame[1] > 1.8 * frame[0], frame
    # Each pin picture shows the pin's one-pixel outline all round it.
    for name in ("pin-96dpi.png", "pin-192dpi.png"):
        pin = Image.open(tmp_path / name).convert("RGB")
        assert sum(1 for p in pin.getdata() if p == SELECTION_BLUE) > 1000, name
    # 长截图's frame in the selection's blue all round the window, twice as thick at 192 DPI.
    frame = [sum(1 for p in Image.open(tmp_path / f"scroll-{dpi}dpi.png").convert("RGB").getdata()
                 if p == SELECTION_BLUE) for dpi in (96, 192)]
    assert frame[0] > 3000 and frame[1] > 1.8 * frame[0], frame
    # 长截图's joined picture in the capture: the window's grey beside the picture, which is
    # narrower than the screen, and the red marks drawn on it.
    for dpi in (96, 192):
        view = list(Image.open(tmp_path / f"view-{dpi}dpi.png").convert("RGB").getdata())
        assert sum(1 for p in view if p == (48, 48, 48)) > len(view) // 2, dpi
        assert sum(1 for p in view if p == (255, 0, 0)) > 2000, dpi
