"""A private Xvfb with a known picture on its root window, and what a user sees and holds on it:
screenshots, pixels, the clipboard and the pointer shape."""

import io
import os
import random
import select
import subprocess
from pathlib import Path

from PIL import Image

from harness import paths
from harness.processes import Processes, wait_until
from harness.xlib import XConnection

_FIRST_DISPLAY, _LAST_DISPLAY = 50, 400
# ImageMagick as Debian installs it, not whatever else is called convert earlier on PATH.
_CONVERT = "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else "convert"


def _read_line(fd: int, timeout: float) -> bytes:
    """Reads up to a newline. Xvfb writes its display number and a newline to the -displayfd pipe
    once it accepts clients, and dies if the pipe closes before it has written both."""
    line = b""
    while not line.endswith(b"\n"):
        readable, _, _ = select.select([fd], [], [], timeout)
        chunk = os.read(fd, 32) if readable else b""
        if not chunk:
            break
        line += chunk
    return line


class VirtualScreen:
    """One Xvfb screen of the given size."""
    server_name = "Xvfb"

    def __init__(self, processes: Processes, workdir: Path, width: int, height: int) -> None:
        self.width, self.height = width, height
        self._processes = processes
        self._workdir = workdir
        self.picture: Image.Image | None = None
        self.display = self._start_server()
        self._x = XConnection(self.display)

    def _server_argv(self, number: int, ready_fd: int) -> list[str]:
        return ["Xvfb", f":{number}", "-screen", "0", f"{self.width}x{self.height}x24",
                "-nolisten", "tcp", "-noreset", "-displayfd", str(ready_fd)]

    def _start_server(self) -> str:
        """Starts the X server on a free display number, chosen at random so that parallel runs by
        other people on this machine rarely collide; a taken number makes the server exit and we
        try another."""
        log_path = self._workdir / f"{self.server_name.lower()}.log"
        with open(log_path, "wb") as log:
            for _ in range(30):
                number = random.randint(_FIRST_DISPLAY, _LAST_DISPLAY)
                if (Path(f"/tmp/.X{number}-lock").exists()
                        or Path(f"/tmp/.X11-unix/X{number}").exists()):
                    continue
                ready_read, ready_write = os.pipe()
                try:
                    server = self._processes.start(
                        self.server_name, self._server_argv(number, ready_write),
                        pass_fds=(ready_write,), stdout=log, stderr=log)
                    os.close(ready_write)
                    ready_write = None
                    answer = _read_line(ready_read, timeout=15)
                finally:
                    os.close(ready_read)
                    if ready_write is not None:
                        os.close(ready_write)
                if answer.strip() == str(number).encode():
                    return f":{number}"
                self._processes.end(server)
        raise RuntimeError(f"could not start {self.server_name}; see {log_path}")

    @property
    def env(self) -> dict[str, str]:
        return {"DISPLAY": self.display}

    def run(self, argv: list[str], **kwargs) -> subprocess.CompletedProcess:
        """Runs a short-lived X client on this screen and waits for it."""
        env = {**os.environ, **self.env, **kwargs.pop("env", {})}
        return subprocess.run(argv, env=env, check=kwargs.pop("check", True), timeout=60,
                              **kwargs)

    # --- the picture on the screen ---

    def set_picture(self, picture: Image.Image) -> None:
        """Shows `picture` (exactly the screen's size) as the root window's background."""
        if picture.size != (self.width, self.height):
            raise ValueError(f"picture is {picture.size}, screen is {self.width}x{self.height}")
        path = self._workdir / "screen.png"
        picture.convert("RGB").save(path)
        self._show(path)
        self.picture = picture.convert("RGB")

    def _show(self, path: Path) -> None:
        self.run(["hsetroot", "-full", str(path)], capture_output=True)

    def grab(self, x: int = 0, y: int = 0, width: int | None = None,
             height: int | None = None) -> Image.Image:
        """A fast read of part of the screen (the whole screen by default)."""
        return self._x.grab(x, y, width or self.width - x, height or self.height - y)

    def pixel(self, x: int, y: int) -> tuple[int, int, int]:
        return self._x.pixel(x, y)

    def screenshot(self) -> Image.Image:
        """The whole screen as a user's screenshot tool sees it: xwd, converted by ImageMagick.
        xwd stops with an X error when a window goes away while it runs: it is asked again."""
        for _ in range(20):
            result = self.run(["xwd", "-root", "-silent"], capture_output=True, check=False)
            if result.returncode == 0 or b"X Error" not in result.stderr:
                break
        result.check_returncode()
        dump = result.stdout
        converted = subprocess.run([_CONVERT, "xwd:-", "ppm:-"], input=dump,
                                   capture_output=True, check=True, timeout=60).stdout
        return Image.open(io.BytesIO(converted)).convert("RGB")

    # --- pointer shape ---

    def cursor_name(self) -> str:
        """The name of the pointer shape shown now ("cross", "fleur", ...), or "- WxH hash" for
        a shape without a name."""
        tool = paths.require(paths.XCURSOR_NAME, "xcursor_name")
        return self.run([str(tool)], capture_output=True, text=True).stdout.strip()

    # --- clipboard ---

    def own_clipboard(self, data: bytes, mime: str = "UTF8_STRING") -> None:
        """Puts `data` on the clipboard as another X program would: an xclip that keeps serving it
        until someone else takes the clipboard, or until the desktop closes."""
        server = self._processes.start(
            "xclip", ["xclip", "-quiet", "-selection", "clipboard", "-t", mime, "-i"],
            env={**os.environ, **self.env}, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        server.stdin.write(data)
        server.stdin.close()
        # Owned once a reader gets the data back.
        wait_until(lambda: self.clipboard(mime) == data, 5, what="xclip to own the clipboard")

    def clipboard(self, mime: str = "UTF8_STRING") -> bytes | None:
        """The clipboard's content in `mime`, or None when nothing offers it."""
        result = self.run(["xclip", "-selection", "clipboard", "-t", mime, "-o"],
                          capture_output=True, check=False)
        return result.stdout if result.returncode == 0 else None

    def clipboard_targets(self) -> list[str]:
        data = self.clipboard("TARGETS")
        return data.decode().split() if data else []

    def clipboard_image(self) -> Image.Image | None:
        """The clipboard's picture (as the BMP that Wine offers), or None."""
        data = self.clipboard("image/bmp")
        return Image.open(io.BytesIO(data)).convert("RGB") if data else None

    def close(self) -> None:
        self._x.close()
