"""Runs one command on a private test desktop and ends the desktop afterwards.

    python3 on_desktop.py [--size 1280x800 | --two-monitors] [--picture noise] -- COMMAND ...

The desktop is a virtual X screen showing the known picture, a copy of the template Wine prefix and
a keeper process; with --two-monitors, a 1024x768 monitor left of a 1280x800 primary
(Xorg's dummy driver, needs root; Windows sees the left one at x = -1024). The command sees DISPLAY, WINEPREFIX, WINEDEBUG and WINEDLLOVERRIDES for it, and
CAPTURE_TEST_SCREEN_BMP: the Windows path (Z:\\...) of a 24-bit BMP file holding exactly the
picture on the screen. The exit status is the command's.
"""

import argparse
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))

from harness import Desktop, monitors  # noqa: E402
from harness.screen import VirtualScreen  # noqa: E402
from harness.paths import windows_path  # noqa: E402


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--size", default="1280x800", help="WIDTHxHEIGHT of the screen")
    parser.add_argument("--two-monitors", action="store_true",
                        help="two monitors, the left one at negative coordinates (2304x800)")
    parser.add_argument("--picture", default="noise", choices=["noise", "gradient", "desktop"])
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        parser.error("no command given")
    width, height = (int(v) for v in args.size.lower().split("x"))

    if args.two_monitors:
        width, height = monitors.WIDTH, monitors.HEIGHT
    server = monitors.TwoMonitorScreen if args.two_monitors else VirtualScreen
    desktop = Desktop(width, height, args.picture, server=server)
    try:
        bmp = desktop.workdir / "screen.bmp"
        desktop.picture.save(bmp)
        env = {**desktop.wine.env, "CAPTURE_TEST_SCREEN_BMP": windows_path(bmp)}
        return subprocess.run(command, env=env, check=False).returncode
    finally:
        desktop.close()


if __name__ == "__main__":
    sys.exit(main())
