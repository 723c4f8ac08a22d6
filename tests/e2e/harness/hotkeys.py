"""Global hotkeys under Wine: Wine hears keys only through a window of its own, so a key meant
for a hotkey is typed with focus_window.exe active."""

from harness import paths
from harness.processes import wait_until

FOCUS_TITLE = "Focus(-active)?"  # a regular expression: the title changes with activation
FOCUS_ACTIVE_TITLE = "Focus-active"


def start_focus_window(desktop, *args: str, app=None) -> str:
    """Starts focus_window.exe (by default an 8x8 square in the screen's bottom-right corner) and
    returns the X id of its window once it shows."""
    holder = desktop.launch(paths.require(paths.FOCUS_EXE, "focus_window.exe"), *args)

    def shown():
        # Its own window: another focus window may be up already.
        if app is not None and not app.running():
            raise RuntimeError(f"the program ended with status {app.process.returncode}")
        result = desktop.screen.run(["xdotool", "search", "--onlyvisible", "--pid",
                                     str(holder.pid), "--name", f"^{FOCUS_TITLE}$"],
                                    capture_output=True, text=True, check=False)
        return result.stdout.split()[0] if result.stdout.split() else None

    return wait_until(shown, 30, interval=0.02, what="the focus window")


def activate(desktop, focus: str) -> None:
    """Makes the focus window Wine's active window. A click does it whether or not X already
    gave the window its focus; Wine does it in its own time, and a key before that could go to
    another window."""
    left, top, width, height = desktop.window_geometry(focus)
    desktop.click(left + width // 2, top + height // 2)
    desktop.wait_window(FOCUS_ACTIVE_TITLE)


def wait_deactivated(desktop, timeout: float = 10) -> None:
    """Waits until the focus window is no longer active: another Wine window (the capture window)
    holds the keyboard then, whichever X window has the focus."""
    wait_until(lambda: not desktop.find_windows(FOCUS_ACTIVE_TITLE), timeout,
               what="another window to take the keyboard")
