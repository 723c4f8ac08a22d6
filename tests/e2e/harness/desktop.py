"""A whole test desktop: virtual screen + Wine prefix + keeper, and a user's hands on it."""

import shutil
import tempfile
import time
from pathlib import Path

from PIL import Image, ImageChops

from harness import paths, pictures
from harness.processes import Processes, wait_until
from harness.screen import VirtualScreen
from harness.wine import WineApp, WinePrefix
from harness.xlib import DamageWatch

CAPTURE_TITLE = "Capture"
TRIVIAL_TITLE = "Trivial"


class Desktop:
    """Starts everything in the constructor; `close()` ends exactly what it started."""

    def __init__(self, width: int = 1280, height: int = 800, picture: str | Image.Image = "noise",
                 seed: int = 1, dpi: int = 96,
                 server: type[VirtualScreen] = VirtualScreen) -> None:
        paths.RUN_ROOT.mkdir(parents=True, exist_ok=True)
        self.workdir = Path(tempfile.mkdtemp(prefix="desktop-", dir=paths.RUN_ROOT))
        self._processes = Processes()
        self.screen = None
        self.wine = None
        self._damage = None
        self._drawn: list[float] = []
        self.dpi = dpi  # what Wine reports for its (every) monitor
        try:
            self.screen = server(self._processes, self.workdir, width, height)
            if isinstance(picture, str):
                picture = pictures.make(picture, width, height, seed)
            self.screen.set_picture(picture)
            self._damage = DamageWatch(self.screen.display)
            # The server first reports the whole screen as drawn; that is not a program painting.
            wait_until(self._damage.take, 5, what="the first report of drawings on the screen")
            self.wine = WinePrefix(self._processes, self.workdir, self.screen.env, dpi)
            self.wine.start_keeper()
        except BaseException:
            self.close()
            raise

    @property
    def width(self) -> int:
        return self.screen.width

    @property
    def height(self) -> int:
        return self.screen.height

    @property
    def picture(self) -> Image.Image:
        """The picture on the root window, as set."""
        return self.screen.picture

    # --- programs ---

    def launch(self, exe: Path, *args: str, env: dict[str, str] | None = None) -> WineApp:
        return self.wine.launch(exe, *args, env=env)

    def launch_capture(self, timeout: float = 30, exe: Path | None = None) -> WineApp:
        """Starts capture.exe (the build's, or `exe`) and returns once its window is visible and
        has painted the frozen picture (which is the picture on the root window at launch)."""
        self.watch_painting()
        app = self.launch(exe or paths.require(paths.CAPTURE_EXE, "capture.exe"))
        self.wait_painted(CAPTURE_TITLE, self.picture, app=app, timeout=timeout)
        return app

    def launch_trivial(self, colour: str = "3366CC", rect: tuple[int, int, int, int] | None = None,
                       timeout: float = 30) -> WineApp:
        """Starts the one-colour window (over `rect` = left, top, width, height, or the whole
        screen) and returns once it shows its colour."""
        args = [colour, *(str(v) for v in rect)] if rect else [colour]
        left, top, width, height = rect or (0, 0, self.width, self.height)
        self.watch_painting()
        app = self.launch(paths.require(paths.TRIVIAL_EXE, "trivial_window.exe"), *args)
        expected = Image.new("RGB", (width, height), "#" + colour)
        self.wait_painted(TRIVIAL_TITLE, expected, (left, top), app=app, timeout=timeout)
        return app

    def watch_painting(self) -> None:
        """Starts counting drawings on the screen afresh (call right before a launch)."""
        self._damage.take()
        self._drawn = []

    def wait_painted(self, title: str, expected: Image.Image, at: tuple[int, int] = (0, 0),
                     app: WineApp | None = None, timeout: float = 30) -> float:
        """Waits until a window `title` is visible, something has been drawn on the screen since
        the launch, and the screen shows `expected` at `at`; returns the monotonic time of the
        last drawing before that. A window that has only been mapped shows what lay under it, so
        the picture alone does not prove that a program painted its frozen copy of the screen."""
        window = None

        def painted():
            nonlocal window
            self._check_running(app)
            self._drawn += self._damage.take()
            window = window or self.find_windows(title)
            return bool(window and self._drawn and self.showing(expected, at))

        wait_until(painted, timeout, interval=0.002, what=f"{title!r} to show its picture")
        return self._drawn[-1]

    def find_windows(self, title: str) -> list[str]:
        """X ids of the visible windows whose title is exactly `title`. A search that meets a
        window going away (a dialog closing) stops with an X error and prints nothing, as if no
        window were there: it is asked again."""
        for _ in range(20):
            result = self.screen.run(["xdotool", "search", "--onlyvisible", "--name",
                                      f"^{title}$"], capture_output=True, text=True, check=False)
            if "X Error" not in result.stderr:
                return result.stdout.split()
        raise RuntimeError(f"xdotool search kept failing: {result.stderr}")

    def wait_window(self, title: str, app: WineApp | None = None, timeout: float = 30) -> str:
        def found():
            self._check_running(app)
            windows = self.find_windows(title)
            return windows[0] if windows else None

        return wait_until(found, timeout, interval=0.02, what=f"a visible window {title!r}")

    @staticmethod
    def _check_running(app: WineApp | None) -> None:
        if app is not None and not app.running():
            raise RuntimeError(f"the program ended with status {app.process.returncode} while "
                               f"the test waited for it:\n{app.output()}")

    def window_geometry(self, window: str) -> tuple[int, int, int, int]:
        """Left, top, width, height of an X window."""
        out = self.screen.run(["xdotool", "getwindowgeometry", "--shell", window],
                              capture_output=True, text=True).stdout
        values = dict(line.split("=", 1) for line in out.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    # --- what the screen shows ---

    def showing(self, expected: Image.Image, at: tuple[int, int] = (0, 0),
                samples: int = 64) -> bool:
        """Whether the screen shows `expected` at `at`, judged on a grid of sample pixels (cheap
        enough to poll; compare a screenshot for an exact answer)."""
        width, height = expected.size
        steps = max(1, int(samples ** 0.5))
        for row in range(steps):
            for col in range(steps):
                x = (width - 1) * col // max(1, steps - 1)
                y = (height - 1) * row // max(1, steps - 1)
                if self.screen.pixel(at[0] + x, at[1] + y) != expected.getpixel((x, y)):
                    return False
        return True

    def wait_showing(self, expected: Image.Image, at: tuple[int, int] = (0, 0),
                     app: WineApp | None = None, timeout: float = 30) -> None:
        def shown():
            self._check_running(app)
            return self.showing(expected, at)

        wait_until(shown, timeout, interval=0.005, what=f"the expected picture at {at}")

    def screenshot(self) -> Image.Image:
        return self.screen.screenshot()

    def grab(self, x: int = 0, y: int = 0, width: int | None = None,
             height: int | None = None) -> Image.Image:
        return self.screen.grab(x, y, width, height)

    def pixel(self, x: int, y: int) -> tuple[int, int, int]:
        return self.screen.pixel(x, y)

    # --- a user's hands: one xdotool call per gesture, so no sleeps are needed ---

    def xdotool(self, *args: str | int) -> None:
        self.screen.run(["xdotool", *(str(a) for a in args)], capture_output=True)

    def move(self, x: int, y: int) -> None:
        self.xdotool("mousemove", x, y)

    # Windows makes a press a double-click when it follows a press of the same button within the
    # double-click time (500 ms) and 2 pixels: a test that means two clicks waits that out.
    DOUBLE_CLICK_SECONDS, DOUBLE_CLICK_PIXELS = 0.5, 2

    def _separate_press(self, x: int, y: int, button: int) -> None:
        last = getattr(self, "_last_press", None)
        if last and last[2] == button and abs(last[0] - x) <= self.DOUBLE_CLICK_PIXELS \
                and abs(last[1] - y) <= self.DOUBLE_CLICK_PIXELS:
            wait = last[3] + self.DOUBLE_CLICK_SECONDS + 0.05 - time.monotonic()
            if wait > 0:
                time.sleep(wait)

    def _pressed(self, x: int, y: int, button: int) -> None:
        self._last_press = (x, y, button, time.monotonic())

    def drag(self, start: tuple[int, int], end: tuple[int, int], button: int = 1,
             steps: int = 1) -> None:
        """Press at `start`, move to `end` in `steps` even steps, release."""
        self._separate_press(*start, button)
        moves = []
        for i in range(1, steps + 1):
            moves += ["mousemove", start[0] + (end[0] - start[0]) * i // steps,
                      start[1] + (end[1] - start[1]) * i // steps]
        self.xdotool("mousemove", *start, "mousedown", button, *moves, "mouseup", button)
        self._pressed(*start, button)

    def click(self, x: int, y: int, button: int = 1) -> None:
        """One click, never the second half of a double-click."""
        self._separate_press(x, y, button)
        self.xdotool("mousemove", x, y, "click", button)
        self._pressed(x, y, button)

    def double_click(self, x: int, y: int, button: int = 1) -> None:
        self._separate_press(x, y, button)
        self.xdotool("mousemove", x, y, "click", "--repeat", 2, "--delay", 80, button)
        self._pressed(x, y, button)

    def key(self, *keys: str) -> None:
        """Presses keys by X name, e.g. key("Escape") or key("ctrl+a")."""
        self.xdotool("key", *keys)

    def type_text(self, text: str) -> None:
        """Types text. xdotool drops a non-ASCII first character, so start CJK text with ASCII."""
        self.xdotool("type", "--delay", 20, text)

    # --- clipboard and pointer ---

    def own_clipboard(self, data: bytes, mime: str = "UTF8_STRING") -> None:
        self.screen.own_clipboard(data, mime)

    def clipboard(self, mime: str = "UTF8_STRING") -> bytes | None:
        return self.screen.clipboard(mime)

    def clipboard_image(self) -> Image.Image | None:
        return self.screen.clipboard_image()

    def cursor_name(self) -> str:
        return self.screen.cursor_name()

    # --- the end ---

    def close(self) -> None:
        """Ends every process this desktop started, by process id, then Wine's own helpers of this
        prefix (wineserver -k), and removes the working folder. Raises if a Wine process of this
        prefix had to be killed after wineserver -k (it would otherwise have been left behind)."""
        leftovers = []
        try:
            if self._damage is not None:
                self._damage.close()
                self._damage = None
            if self.screen is not None:
                self.screen.close()
            # Programs and the keeper first, by pid; wineserver -k then ends Wine's helpers.
            self._processes.end_all(keep=("Xvfb", "Xorg"))
            if self.wine is not None:
                leftovers = self.wine.shut_down()
                self.wine.remove()
                self.wine = None
            self._processes.end_all()
        finally:
            shutil.rmtree(self.workdir, ignore_errors=True)
        if leftovers:
            raise RuntimeError(f"Wine processes {leftovers} outlived wineserver -k; killed them")


def difference_box(actual: Image.Image, expected: Image.Image):
    """None when the pictures are identical, else the bounding box of the pixels that differ."""
    if actual.size != expected.size:
        return (0, 0) + max(actual.size, expected.size)
    return ImageChops.difference(actual.convert("RGB"), expected.convert("RGB")).getbbox()
