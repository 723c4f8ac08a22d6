"""Windows' own dialogs on a test desktop: waiting until one takes the keyboard, typing any text
into it (Chinese included), and finding the message boxes it may raise.

Typing text that the keyboard has no key for makes xdotool rebind a spare key for each such
character while it types; Wine reads the new binding only when it gets round to X's mapping
notice, so now and then a character goes missing. `give_keys` binds every character of a text
to a key of its own once, before the program that will receive it starts, and the typing is then
as exact as plain ASCII.
"""

import ctypes
import time

from harness.desktop import Desktop
from harness.processes import wait_until
from harness.wine import WineApp

_NO_SYMBOL = 0


def _keysym(character: str) -> int:
    """X's key symbol for a character: Latin-1 stands for itself, the rest of Unicode is offset."""
    code = ord(character)
    return code if 0x20 <= code <= 0x7E or 0xA0 <= code <= 0xFF else 0x01000000 | code


class _Keyboard:
    """A client connection that reads and changes the key bindings of one X server."""

    def __init__(self, display: str) -> None:
        lib = ctypes.CDLL("libX11.so.6")
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        lib.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                         ctypes.POINTER(ctypes.c_int)]
        lib.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
        lib.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int,
                                            ctypes.POINTER(ctypes.c_int)]
        lib.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                               ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
        lib.XFree.argtypes = [ctypes.c_void_p]
        lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self._lib = lib
        self._display = lib.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError(f"cannot open X display {display}")

    def bindings(self) -> tuple[int, int, list[list[int]]]:
        """First key code, symbols per key code, and the symbols of every key code."""
        low, high = ctypes.c_int(), ctypes.c_int()
        self._lib.XDisplayKeycodes(self._display, ctypes.byref(low), ctypes.byref(high))
        per_code = ctypes.c_int()
        count = high.value - low.value + 1
        table = self._lib.XGetKeyboardMapping(self._display, low.value, count,
                                              ctypes.byref(per_code))
        try:
            width = per_code.value
            keys = [[table[code * width + i] for i in range(width)] for code in range(count)]
        finally:
            self._lib.XFree(table)
        return low.value, width, keys

    def bind(self, keycode: int, width: int, keysym: int) -> None:
        symbols = (ctypes.c_ulong * width)(*([keysym] * width))
        self._lib.XChangeKeyboardMapping(self._display, keycode, width, symbols, 1)
        self._lib.XSync(self._display, 0)

    def close(self) -> None:
        self._lib.XCloseDisplay(self._display)


def give_keys(desktop: Desktop, text: str) -> None:
    """Binds each character of `text` that no key produces yet to a spare key of its own. Call
    it before launching the program that will receive the text: a Wine program reads the key
    bindings when it starts."""
    keyboard = _Keyboard(desktop.screen.display)
    try:
        first, width, keys = keyboard.bindings()
        bound = {symbol for symbols in keys for symbol in symbols}
        spare = [first + code for code, symbols in enumerate(keys)
                 if all(s == _NO_SYMBOL for s in symbols)]
        wanted = sorted({_keysym(c) for c in text} - bound)
        if len(wanted) > len(spare):
            raise RuntimeError(f"{len(wanted)} characters need keys, only {len(spare)} are spare")
        for keycode, keysym in zip(spare, wanted):
            keyboard.bind(keycode, width, keysym)
    finally:
        keyboard.close()


def focused_window(desktop: Desktop) -> str:
    """The X id of the window that holds the keyboard focus."""
    result = desktop.screen.run(["xdotool", "getwindowfocus"], capture_output=True, text=True,
                                check=False)
    return result.stdout.strip()


def wait_dialog(desktop: Desktop, title: str, app: WineApp | None = None, timeout: float = 30,
                settle: float = 0.3) -> list[str]:
    """Waits until a window titled `title` holds the keyboard focus and the dialog has stopped
    changing (Wine's file dialog maps two windows of that title and moves the focus from the
    first to the second ~0.1 s later; keys typed in between can be lost). Returns the dialog's
    windows."""
    last, since = None, time.monotonic()

    def settled():
        nonlocal last, since
        if app is not None and not app.running():
            raise RuntimeError(f"the program ended with status {app.process.returncode} while "
                               f"the test waited for {title!r}:\n{app.output()}")
        windows = desktop.find_windows(title)
        state = (tuple(windows), focused_window(desktop))
        if state != last:
            last, since = state, time.monotonic()
            return None
        ready = bool(windows) and state[1] in windows
        return windows if ready and time.monotonic() - since >= settle else None

    return wait_until(settled, timeout, interval=0.02, what=f"the dialog {title!r} to settle")


def visible_titles(desktop: Desktop) -> list[str]:
    """Titles of every visible top-level window, e.g. to name what blocks a program."""
    result = desktop.screen.run(["xdotool", "search", "--onlyvisible", "--name", ""],
                                capture_output=True, text=True, check=False)
    titles = []
    for window in result.stdout.split():
        name = desktop.screen.run(["xdotool", "getwindowname", window], capture_output=True,
                                  text=True, check=False)
        titles.append(name.stdout.strip())
    return titles
