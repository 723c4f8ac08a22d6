"""Windows' own dialogs on a test desktop: waiting until one is ready for the keyboard, and
naming the windows that are open when a program does not end.

Type text with characters outside ASCII into a dialog only after `keymap.bind_characters` has
given them keys, before the program starts."""

import time

from harness.desktop import Desktop
from harness.processes import wait_until
from harness.wine import WineApp


def focused_window(desktop: Desktop) -> str:
    """The X id of the window that holds the keyboard focus."""
    result = desktop.screen.run(["xdotool", "getwindowfocus"], capture_output=True, text=True,
                                check=False)
    return result.stdout.strip()


# Wine, with no window manager, sometimes activates a new dialog without moving X's keyboard focus
# to it: the focus stays on the window that opened it. A 90-line program that does what a save
# does (a full-screen window with a tooltip takes the pointer for the press, puts a bitmap on the
# clipboard and opens an unowned save dialog) left the focus so in 32 of 180 runs on a loaded
# machine, and the keys typed then still reached the dialog: Wine's X focus lags, not the
# program. After this long with the dialog up and the focus still on another window of the same
# program, the harness gives the dialog the focus, as a window manager would when it maps; focus
# anywhere else is left alone, and the wait fails as before. One exception: the window of Wine's
# desktop that shows the tray icons, which a test's click on the program's icon gives the focus;
# a box the program opens from that icon's menu was seen to stay behind it so (not yet reproduced
# with a small program).
FOCUS_HANDOVER = 2.0
TRAY_WINDOW = "Wine System Tray"


def wait_dialog(desktop: Desktop, title: str, app: WineApp | None = None, timeout: float = 30,
                settle: float = 0.3) -> str:
    """Waits until the one window titled `title` holds the keyboard focus and has stopped
    changing for `settle` seconds, and returns it. One call of a dialog maps one window under
    Wine; a second window of that title means the program opened the dialog twice, and fails."""
    last, since, handed_over = None, time.monotonic(), False

    def settled():
        nonlocal last, since, handed_over
        if app is not None and not app.running():
            raise RuntimeError(f"the program ended with status {app.process.returncode} while "
                               f"the test waited for {title!r}:\n{app.output()}")
        windows = desktop.find_windows(title)
        assert len(windows) <= 1, f"{len(windows)} windows titled {title!r}: opened twice"
        state = (tuple(windows), focused_window(desktop))
        if state != last:
            last, since = state, time.monotonic()
            return None
        ready = bool(windows) and state[1] in windows
        if windows and not ready and not handed_over and app is not None and \
                time.monotonic() - since >= FOCUS_HANDOVER and \
                (window_pid(desktop, state[1]) == app.pid or
                 window_name(desktop, state[1]) == TRAY_WINDOW):
            desktop.screen.run(["xdotool", "windowfocus", windows[0]], check=False)
            handed_over = True
        return windows[0] if ready and time.monotonic() - since >= settle else None

    try:
        return wait_until(settled, timeout, interval=0.02, what=f"the dialog {title!r} to settle")
    except TimeoutError as error:
        focus = focused_window(desktop)
        error.add_note(f"the focus is on {focus} {window_name(desktop, focus)!r}; visible: "
                       f"{visible_titles(desktop)}")
        raise


def window_pid(desktop: Desktop, window: str) -> int | None:
    """The process id Wine gives the X window (_NET_WM_PID), or None."""
    result = desktop.screen.run(["xdotool", "getwindowpid", window], capture_output=True,
                                text=True, check=False)
    return int(result.stdout) if result.stdout.strip().isdigit() else None


def window_name(desktop: Desktop, window: str) -> str:
    result = desktop.screen.run(["xdotool", "getwindowname", window], capture_output=True,
                                text=True, check=False)
    return result.stdout.strip()


def visible_titles(desktop: Desktop) -> list[str]:
    """Titles of every visible top-level window, e.g. to name what blocks a program."""
    result = desktop.screen.run(["xdotool", "search", "--onlyvisible", "--name", ""],
                                capture_output=True, text=True, check=False)
    return [window_name(desktop, window) for window in result.stdout.split()]
