#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_capture_form into tests/fuzz/corpus: short sessions of a user
who selects, annotates, undoes, resizes, types and leaves, in the harness's input format (see the
comment at the top of fuzz_capture_form.cpp). The fuzzer starts from these and mutates them."""
import pathlib

# ControlId values (src/form/controls.h).
TEXT_EDIT, PIC_COMBOX, PCOLOR_0, IMAGE2_0, IMAGE1_0 = 0, 3, 11, 42, 75
# Toolbar buttons by index.
UNDO, COPY_QUIT, SAVE, QUIT, ARROW, TEXT, ELLIPSE, RECT, REDO = range(9)
# Choices in the harness's button table.
LEFT, RIGHT, MIDDLE = 0, 5, 7


def at(x, y):
    return [0, (x + 8) >> 8, (x + 8) & 255, y + 8]


def near(control, dx, dy):
    return [1, control, dx + 2, dy + 2]


def press(p, b=LEFT):
    return [0, b, 0] + p


def move(p, buttons=1):
    return [2, buttons, 0] + p


def release(p, b=LEFT):
    return [5, b, 0] + p


def double_click(p):
    return press(p) + release(p) + [7, LEFT, 0] + p + release(p)


def click(p, b=LEFT):
    return press(p, b) + release(p, b)


def drag(a, b, button=LEFT, held=1):
    return press(a, button) + move(a, held) + move(b, held) + release(b, button)


def button(i):
    return click(near(IMAGE2_0 + i, 8, 8))


def text(target, s):
    return [9, target, len(s)] + [ord(c) for c in s]


# Virtual-key codes and the modifier bits of a key event.
ENTER, KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN = 0x0D, 0x25, 0x26, 0x27, 0x28
DELETE = 0x2E
CTRL, SHIFT = 1, 2


def key(code, modifiers=0):
    return [8, code, modifiers]


def wheel(p, notches):
    return [9, 7, notches + 3] + p


# The harness's table of aiming keys: arrows, Shift+arrows, Ctrl+A, C, Shift+C, comma, period.
AIM_LEFT, AIM_RIGHT, AIM_SHIFT_DOWN, CTRL_A, C, SHIFT_C, COMMA, PERIOD = 0, 2, 7, 8, 9, 10, 11, 12


def aim(choice):
    return [9, 8, choice]


TIMER = [9, 9]


# The selection (20, 5)-(240, 80) has the strip and the style panel below it. Its size and colour
# labels cover its top down to y = 43, so shapes are drawn lower.
SELECT = drag(at(20, 5), at(240, 80))

SEEDS = {
    "shapes_undo_redo": SELECT
    + button(RECT) + drag(at(60, 50), at(120, 70))
    + button(ELLIPSE) + drag(at(130, 48), at(200, 75))
    + button(ARROW) + drag(at(30, 75), at(220, 50))
    + button(UNDO) + button(UNDO) + button(REDO)
    + button(RECT) + drag(at(45, 60), at(90, 70))
    + button(UNDO) * 5 + SELECT + button(REDO),
    "text_and_style": SELECT
    + button(TEXT) + click(at(60, 55)) + text(0, "Hello")
    + click(near(PCOLOR_0 + 13, 5, 5)) + text(1, "20") + press(near(PIC_COMBOX, 40, 10))
    + [9, 2, 7] + click(at(150, 70)) + text(0, "x") + button(ARROW) + button(UNDO),
    "resize_keeps_history": SELECT
    + button(RECT) + drag(at(60, 50), at(120, 70)) + drag(at(70, 60), at(100, 75))
    + button(UNDO) + button(UNDO)
    + drag(near(IMAGE1_0 + 6, 1, 1), at(250, 100), MIDDLE, 4)
    + drag(at(100, 60), at(60, 50)) + key(ord("A")),
    "edit_marks": SELECT
    + button(RECT) + drag(at(60, 50), at(120, 70))
    + drag(at(60, 55), at(70, 58)) + press(at(130, 73)) + [2, 1, SHIFT] + at(150, 78)
    + release(at(150, 78)) + key(DELETE)
    + button(ARROW) + drag(at(150, 50), at(200, 70)) + drag(at(200, 70), at(210, 50))
    + click(near(PCOLOR_0 + 3, 5, 5)) + key(KEY_DOWN, SHIFT)
    + button(TEXT) + click(at(100, 60)) + text(0, "ab") + key(ENTER)
    + double_click(at(102, 63)) + text(0, "abc") + key(ENTER)
    + button(UNDO) * 4 + button(REDO) * 2,
    "save": [1] + SELECT + button(RECT) + drag(at(60, 50), at(120, 70)) + button(SAVE),
    "copy_by_double_click": SELECT + click(at(100, 60), RIGHT) + SELECT + double_click(at(100, 60)),
    "keys": SELECT
    + key(KEY_LEFT) + key(KEY_DOWN, SHIFT) * 9 + key(KEY_RIGHT, SHIFT) * 30
    + button(RECT) + drag(at(60, 50), at(120, 70)) + key(ord("Z"), CTRL)
    + key(ord("Z"), CTRL | SHIFT) + key(ord("Y"), CTRL) + key(ENTER),
    "aiming": move(at(5, 5), 0) + move(at(60, 45), 0)
    + wheel(at(60, 45), 1) + wheel(at(60, 45), 1) + wheel(at(60, 45), -1)
    + aim(AIM_LEFT) + aim(AIM_SHIFT_DOWN) + aim(C) + TIMER + aim(SHIFT_C) + move(at(61, 45), 0)
    + press(at(100, 50)) + move(at(120, 60)) + aim(AIM_RIGHT) + release(at(121, 60))
    + aim(COMMA) + aim(COMMA) + aim(PERIOD) + aim(CTRL_A) + aim(CTRL_A) + aim(C) + TIMER,
}


def main():
    folder = pathlib.Path(__file__).resolve().parent / "corpus"
    folder.mkdir(exist_ok=True)
    for name, events in SEEDS.items():
        # The first byte answers the save dialog; seeds other than "save" start with it even.
        data = events if name == "save" else [0] + events
        (folder / name).write_bytes(bytes(data))


if __name__ == "__main__":
    main()
