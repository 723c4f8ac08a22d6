"""End-to-end harness: the real capture.exe under Wine on a private virtual X screen.

A test asks the `desktop` fixture (or `make_desktop`) for a `Desktop`: its own Xvfb with a known
picture on the root window, its own copy of the template Wine prefix with a keeper process, and
helpers to launch programs, drive the pointer and keyboard with xdotool, read the screen, the
clipboard and the pointer shape. Teardown ends exactly the processes the desktop started.
"""

from harness.desktop import Desktop, WineApp
from harness.pictures import gradient, noise

__all__ = ["Desktop", "WineApp", "gradient", "noise"]
