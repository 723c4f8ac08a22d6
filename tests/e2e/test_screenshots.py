"""scripts/screenshots' session still plays: both pictures are written and show the chrome."""

import subprocess
import sys

from PIL import Image

from harness import paths
from harness.capture_ui import PANEL_FRAME


def test_screenshots_are_made_at_96_and_192_dpi(tmp_path):
    tool = paths.REPO / "tests" / "e2e" / "tools" / "screenshots.py"
    subprocess.run([sys.executable, str(tool), str(tmp_path)], check=True, timeout=240)
    normal = Image.open(tmp_path / "capture-96dpi.png").convert("RGB")
    large = Image.open(tmp_path / "capture-192dpi.png").convert("RGB")
    assert normal.size == (1280, 800)
    # The toolbar and the style panel are framed in PANEL_FRAME; at 192 DPI with twice the lines.
    frame = [sum(1 for p in picture.getdata() if p == PANEL_FRAME) for picture in (normal, large)]
    assert frame[0] > 800 and frame[1] > 1.8 * frame[0], frame
