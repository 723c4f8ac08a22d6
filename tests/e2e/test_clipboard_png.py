"""Every copy puts "PNG" on the clipboard beside the bitmap, and both hold the same pixels: read by
another program while the copying one still runs (a pin's copy), and after it has ended (a
capture's copy, a script's --clipboard)."""

import pytest
from PIL import Image

from harness import paths
from harness.capture_ui import make_selection
from harness.desktop import difference_box
from harness.evidence import Evidence
from harness.processes import wait_until
from test_command_line import run
from test_pin import pin_selection

CLIPBOARD_TOOL = paths.WINDOWS_BUILD / "clipboard_tool.exe"
START, END = (200, 150), (520, 390)


@pytest.fixture
def evidence(tmp_path) -> Evidence:
    return Evidence(tmp_path)


def read_clipboard(desktop, name: str) -> tuple[Image.Image, Image.Image]:
    """The clipboard's bitmap and its PNG, as another Windows program reads them."""
    folder = desktop.workdir / name
    folder.mkdir()
    tool = desktop.launch(paths.require(CLIPBOARD_TOOL, "clipboard_tool.exe"), "dump",
                          paths.windows_path(folder))
    assert tool.wait_exit(60) == 0, tool.output()
    assert "PNG" in tool.output().split(), f"no PNG offered: {tool.output()}"
    with Image.open(folder / "clip.png") as png, Image.open(folder / "bitmap.bmp") as bmp:
        assert png.format == "PNG"
        return bmp.convert("RGB"), png.convert("RGB")


def assert_png_is_the_bitmap(desktop, name: str, expected: Image.Image, evidence) -> None:
    bitmap, png = read_clipboard(desktop, name)
    evidence.save(f"{name}-png", png)
    assert png.size == expected.size
    assert difference_box(png, bitmap) is None, "the PNG and the bitmap differ"
    assert difference_box(png, expected) is None, "the PNG is not the copied picture"


def test_a_captures_copy_leaves_its_png_after_the_program_ended(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        make_selection(desktop, app, START, END)
        desktop.key("Return")
        assert app.wait_exit(30) == 0
        assert_png_is_the_bitmap(desktop, "capture", desktop.picture.crop((*START, *END)),
                                 evidence)


def test_a_scripts_clipboard_leaves_its_png_after_the_program_ended(desktop, evidence):
    done = run(desktop, "--region", "7,9,301,123", "--clipboard")
    assert (done.returncode, done.stderr) == (0, b"")
    assert_png_is_the_bitmap(desktop, "script", desktop.picture.crop((7, 9, 308, 132)), evidence)


def test_a_pins_copy_gives_its_png_while_the_program_runs(desktop, evidence):
    app = desktop.launch_capture()
    with evidence.on_failure(desktop):
        expected, _ = pin_selection(desktop, app, START, END)
        desktop.click(300, 200)  # the pin's focus, for the keys
        desktop.key("ctrl+c")
        wait_until(lambda: desktop.clipboard_image() is not None, 5, what="the pin's copy")
        assert app.running()
        assert_png_is_the_bitmap(desktop, "pin", expected, evidence)
        desktop.key("Escape")
        assert app.wait_exit() == 0
