"""What a program drew over a known picture, and whether drawn text is glyphs or "tofu".

A font without a character draws a hollow rectangle in its place (Wine does exactly that when no
CJK font is mapped), and it draws the same rectangle for every missing character. So drawn text is
real glyphs when it contains no hollow rectangle and different characters leave different ink.
"""

from PIL import Image, ImageChops

Point = tuple[int, int]


def ink(actual: Image.Image, original: Image.Image, threshold: int = 0) -> set[Point]:
    """Pixels where `actual` differs from `original` by more than `threshold` in some channel."""
    if actual.size != original.size:
        raise ValueError(f"sizes differ: {actual.size} and {original.size}")
    channels = ImageChops.difference(actual.convert("RGB"), original.convert("RGB")).split()
    largest = ImageChops.lighter(ImageChops.lighter(channels[0], channels[1]), channels[2])
    width = actual.size[0]
    return {(i % width, i // width) for i, value in enumerate(largest.tobytes())
            if value > threshold}


def dark(picture: Image.Image, background: tuple[int, int, int], threshold: int = 64) -> set[Point]:
    """Pixels that differ from a plain `background` by more than `threshold` in some channel."""
    plain = Image.new("RGB", picture.size, background)
    return ink(picture, plain, threshold)


def bounds(points: set[Point]) -> tuple[int, int, int, int]:
    """Left, top, right, bottom (inclusive) of a non-empty set of pixels."""
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return min(xs), min(ys), max(xs), max(ys)


def components(points: set[Point]) -> list[set[Point]]:
    """The 8-connected pieces of a set of pixels, left to right."""
    left = set(points)
    pieces = []
    while left:
        seed = left.pop()
        piece, todo = {seed}, [seed]
        while todo:
            x, y = todo.pop()
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    n = (x + dx, y + dy)
                    if n in left:
                        left.remove(n)
                        piece.add(n)
                        todo.append(n)
        pieces.append(piece)
    return sorted(pieces, key=lambda p: bounds(p)[0])


def is_hollow_box(piece: set[Point]) -> bool:
    """Whether a piece is a rectangle outline at least 4 x 6 pixels: all of it on its bounding
    box's edge and nearly all of that edge inked. (A single stroke is a box no taller or wider
    than its line, so it does not count.)"""
    left, top, right, bottom = bounds(piece)
    width, height = right - left + 1, bottom - top + 1
    if width < 4 or height < 6:
        return False
    edge = {(x, y) for x in range(left, right + 1) for y in (top, bottom)}
    edge |= {(x, y) for y in range(top, bottom + 1) for x in (left, right)}
    return piece <= edge and len(piece) >= 0.9 * len(edge)


def tofu(points: set[Point]) -> list[tuple[int, int, int, int]]:
    """Bounds of the pieces of drawn text `points` that are empty boxes as tall as the text: what
    a font draws for a character it lacks. (A box inside a real glyph, such as 口 in 加, is only
    part of its character's height.)"""
    _, top, _, bottom = bounds(points)
    return [bounds(piece) for piece in components(points) if is_hollow_box(piece)
            and bounds(piece)[3] - bounds(piece)[1] + 1 >= 0.9 * (bottom - top + 1)]
