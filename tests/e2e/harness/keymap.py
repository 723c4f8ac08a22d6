"""Keys for characters the virtual keyboard lacks.

`xdotool type` sends a character that has no key by binding it to a spare key code for a moment
and unbinding it right after the key press. A Wine program reads the key map again when it is told
of the change, and when it reads it after the unbinding the character is lost (measured: CJK
characters typed that way vanish now and then, the first of each call always). Binding the
characters for good, before the program starts, gives each one a key that every program already
knows, so typing them is as exact as typing ASCII.
"""

import ctypes

from harness.xlib import _library

_NO_SYMBOL = 0


def _keysym(character: str) -> int:
    code = ord(character)
    # X's keysym for a Unicode character outside Latin-1.
    return code if code < 0x100 else 0x01000000 + code


def bind_characters(display: str, text: str) -> None:
    """Gives each character of `text` outside ASCII a spare key code of its own on `display`,
    unless a key already has it. Raises when the key map has too few spare key codes."""
    lib = _library()
    lib.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                     ctypes.POINTER(ctypes.c_int)]
    lib.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int,
                                        ctypes.POINTER(ctypes.c_int)]
    lib.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
    lib.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                           ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
    lib.XFree.argtypes = [ctypes.c_void_p]
    lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]

    handle = lib.XOpenDisplay(display.encode())
    if not handle:
        raise RuntimeError(f"cannot open X display {display}")
    try:
        low, high = ctypes.c_int(), ctypes.c_int()
        lib.XDisplayKeycodes(handle, ctypes.byref(low), ctypes.byref(high))
        count = high.value - low.value + 1
        per_code = ctypes.c_int()
        table = lib.XGetKeyboardMapping(handle, low.value, count, ctypes.byref(per_code))
        try:
            rows = [[table[code * per_code.value + i] for i in range(per_code.value)]
                    for code in range(count)]
        finally:
            lib.XFree(table)
        bound = {sym for row in rows for sym in row}
        spare = [low.value + code for code, row in enumerate(rows)
                 if all(sym == _NO_SYMBOL for sym in row)]
        wanted = [sym for sym in dict.fromkeys(_keysym(c) for c in text if ord(c) > 0x7F)
                  if sym not in bound]
        if len(wanted) > len(spare):
            raise RuntimeError(f"{len(wanted)} characters to bind, {len(spare)} spare key codes")
        for keycode, sym in zip(spare, wanted):
            value = ctypes.c_ulong(sym)
            lib.XChangeKeyboardMapping(handle, keycode, 1, ctypes.byref(value), 1)
        lib.XSync(handle, 0)
    finally:
        lib.XCloseDisplay(handle)
