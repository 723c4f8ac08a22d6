"""Two monitors for the end-to-end tests: a 1024x768 monitor left of a 1280x800 primary, so that
Windows sees the left one at x = -1024. Xvfb cannot show that to Wine (its Xinerama stacks every
screen at (0,0)); Xorg with the dummy video driver can, arranged with xrandr.

X root coordinates are window coordinates of the capture window, which covers the virtual screen:
(0,0) is the left monitor's top-left, the primary starts at x = 1024, and the strip below the left
monitor (x < 1024, y 768..800) is shown by neither."""

import os
import subprocess
import time
from pathlib import Path

from harness.capture_ui import Box
from harness.processes import Processes
from harness.screen import VirtualScreen

LEFT = Box(0, 0, 1024, 768)
PRIMARY = Box(1024, 0, 2304, 800)
WIDTH, HEIGHT = 2304, 800
_CONFIG = Path(__file__).with_name("xorg-dummy.conf")
_ARRANGE = [
    ["xrandr", "--addmode", "DUMMY1", "1024x768"],
    ["xrandr", "--output", "DUMMY1", "--mode", "1024x768", "--left-of", "DUMMY0"],
    ["xrandr", "--output", "DUMMY0", "--primary"],
    # A full query makes the server probe its outputs again; without it, Wine started afterwards
    # sees the primary only (measured: SM_CXVIRTUALSCREEN 1280 instead of 2304).
    ["xrandr"],
]


class TwoMonitorScreen(VirtualScreen):
    """Xorg (dummy driver) on a free display, its two outputs arranged as above. Needs root."""
    server_name = "Xorg"

    def __init__(self, processes: Processes, workdir: Path, width: int = WIDTH,
                 height: int = HEIGHT) -> None:
        if (width, height) != (WIDTH, HEIGHT):
            raise ValueError(f"two monitors make a {WIDTH}x{HEIGHT} screen, not {width}x{height}")
        self.start_seconds = 0.0  # launch of Xorg to both monitors arranged
        super().__init__(processes, workdir, width, height)

    def _show(self, path: Path) -> None:
        # hsetroot fits or tiles a picture per monitor (leaving the gap black); ImageMagick puts it
        # on the root 1:1, though it exits with status 1 when done (the tests compare pixels).
        self.run(["display", "-window", "root", str(path)], capture_output=True, check=False)

    def _server_argv(self, number: int, ready_fd: int) -> list[str]:
        return ["Xorg", f":{number}", "-config", str(_CONFIG), "-noreset", "-nolisten", "tcp",
                "-logfile", str(self._workdir / "xorg-server.log"), "-displayfd", str(ready_fd)]

    def _start_server(self) -> str:
        started = time.monotonic()
        display = super()._start_server()
        env = {**os.environ, "DISPLAY": display}
        for argv in _ARRANGE:
            subprocess.run(argv, env=env, check=True, timeout=30, capture_output=True)
        self.start_seconds = time.monotonic() - started
        return display
