"""Fast reads of the X screen through libX11 (ctypes): a few pixels in well under a millisecond,
so the harness can poll for a painted window instead of sleeping."""

import ctypes
import select
import threading
import time

from PIL import Image

_ALL_PLANES = 0xFFFFFFFF
_Z_PIXMAP = 2


class _XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, enough to read a ZPixmap.
    _fields_ = [
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int),
        ("data", ctypes.POINTER(ctypes.c_char)),
        ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
    ]


_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
# Xlib's default handler exits the process on any protocol error; a failed read must not.
_ignore_errors = _ERROR_HANDLER(lambda display, event: 0)

_x11 = None


def _library():
    global _x11
    if _x11 is None:
        lib = ctypes.CDLL("libX11.so.6")
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        lib.XDefaultRootWindow.restype = ctypes.c_ulong
        lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        lib.XGetImage.restype = ctypes.POINTER(_XImage)
        lib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        lib.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        lib.XSetErrorHandler.argtypes = [_ERROR_HANDLER]
        lib.XSetErrorHandler.restype = ctypes.c_void_p
        lib.XSetErrorHandler(_ignore_errors)
        _x11 = lib
    return _x11


class XConnection:
    """One client connection to a display, closed by `close()` (before the server ends)."""

    def __init__(self, display: str) -> None:
        self._lib = _library()
        self._display = self._lib.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError(f"cannot open X display {display}")
        self._root = self._lib.XDefaultRootWindow(self._display)

    def grab(self, x: int, y: int, width: int, height: int) -> Image.Image:
        """What the screen shows in that rectangle (windows included), as an RGB picture."""
        image = self._lib.XGetImage(self._display, self._root, x, y, width, height, _ALL_PLANES,
                                    _Z_PIXMAP)
        if not image:
            raise RuntimeError(f"XGetImage failed for {width}x{height}+{x}+{y}")
        try:
            fields = image.contents
            if fields.bits_per_pixel != 32:
                raise RuntimeError(f"unexpected {fields.bits_per_pixel} bits per pixel")
            raw = ctypes.string_at(fields.data, fields.bytes_per_line * height)
            return Image.frombuffer("RGB", (width, height), raw, "raw", "BGRX",
                                    fields.bytes_per_line, 1).copy()
        finally:
            self._lib.XDestroyImage(image)

    def pixel(self, x: int, y: int) -> tuple[int, int, int]:
        return self.grab(x, y, 1, 1).getpixel((0, 0))

    def close(self) -> None:
        if self._display:
            self._lib.XCloseDisplay(self._display)
            self._display = None


class DamageWatch:
    """Notes the moment of every drawing on the screen (XDamage on the root window, which covers
    all windows on it), from a thread of its own so that each moment is taken as it happens.
    Lets a caller tell a window that has painted from one that merely shows what lay under it."""

    _XDAMAGE_REPORT_RAW_RECTANGLES = 0

    def __init__(self, display: str) -> None:
        lib = _library()
        damage = ctypes.CDLL("libXdamage.so.1")
        damage.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                                 ctypes.POINTER(ctypes.c_int)]
        damage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
        damage.XDamageCreate.restype = ctypes.c_ulong
        lib.XPending.argtypes = [ctypes.c_void_p]
        lib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        lib.XFlush.argtypes = [ctypes.c_void_p]
        lib.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self._lib = lib
        self._display = lib.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError(f"cannot open X display {display}")
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not damage.XDamageQueryExtension(self._display, ctypes.byref(event_base),
                                            ctypes.byref(error_base)):
            raise RuntimeError("the X server has no DAMAGE extension")
        self._notify = event_base.value  # XDamageNotify is the extension's first event
        root = lib.XDefaultRootWindow(self._display)
        damage.XDamageCreate(self._display, root, self._XDAMAGE_REPORT_RAW_RECTANGLES)
        lib.XFlush(self._display)
        self._times: list[float] = []
        self._lock = threading.Lock()
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._watch, daemon=True)
        self._thread.start()

    def _watch(self) -> None:
        fd = self._lib.XConnectionNumber(self._display)
        event = ctypes.create_string_buffer(192)  # sizeof(XEvent)
        while not self._stop.is_set():
            select.select([fd], [], [], 0.05)
            while self._lib.XPending(self._display):
                self._lib.XNextEvent(self._display, event)
                if int.from_bytes(event.raw[:4], "little") == self._notify:
                    with self._lock:
                        self._times.append(time.monotonic())

    def take(self) -> list[float]:
        """The monotonic times of the drawings seen since the last call."""
        with self._lock:
            times, self._times = self._times, []
        return times

    def close(self) -> None:
        if self._display:
            self._stop.set()
            self._thread.join()
            self._lib.XCloseDisplay(self._display)
            self._display = None
