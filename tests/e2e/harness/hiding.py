"""What the mosaic tool makes of a rectangle of a picture, computed the way the program computes
it, so that a test can expect exact pixels: cells of the rounded mean colour counted from the
rectangle's top-left, or three box passes each way in whole numbers."""

from PIL import Image


def pixelated(picture: Image.Image, area: tuple[int, int, int, int], cell: int) -> Image.Image:
    """`picture` with `area` (left, top, right, bottom) in cells of `cell` pixels."""
    out = picture.copy()
    left, top, right, bottom = area
    pixels = picture.load()
    for cell_top in range(top, bottom, cell):
        for cell_left in range(left, right, cell):
            box = (cell_left, cell_top, min(cell_left + cell, right), min(cell_top + cell, bottom))
            inside = [pixels[x, y] for y in range(box[1], box[3]) for x in range(box[0], box[2])]
            n = len(inside)
            mean = tuple((sum(p[c] for p in inside) + n // 2) // n for c in range(3))
            out.paste(mean, box)
    return out


def _box_passes(values: list[int], width: int, height: int, box: int) -> list[int]:
    """Three box passes along the rows, then three along the columns, ends held."""
    factor = (1 << 16) // (2 * box + 1) + 1

    def mean(total: int) -> int:
        return (total * factor + (1 << 15)) >> 16

    def along(line: list[int]) -> list[int]:
        last = len(line) - 1
        total = sum(line[min(max(i, 0), last)] for i in range(-box, box + 1))
        out = []
        for i in range(len(line)):
            out.append(mean(total))
            total += line[min(i + box + 1, last)] - line[max(i - box, 0)]
        return out

    rows = [values[y * width:(y + 1) * width] for y in range(height)]
    for _ in range(3):
        rows = [along(row) for row in rows]
    columns = [[rows[y][x] for y in range(height)] for x in range(width)]
    for _ in range(3):
        columns = [along(column) for column in columns]
    return [columns[x][y] for y in range(height) for x in range(width)]


def blurred(picture: Image.Image, area: tuple[int, int, int, int], within: tuple[int, int, int, int],
            box: int) -> Image.Image:
    """`picture` with `area` blurred by boxes reaching `box` pixels, sampling only `within` (the
    selection) around it."""
    reach = 3 * box
    left, top, right, bottom = area
    around = (max(left - reach, within[0]), max(top - reach, within[1]),
              min(right + reach, within[2]), min(bottom + reach, within[3]))
    part = picture.crop(around)
    width, height = part.size
    channels = [_box_passes(list(band.getdata()), width, height, box) for band in part.split()]
    done = Image.merge("RGB", [Image.frombytes("L", (width, height), bytes(c)) for c in channels])
    out = picture.copy()
    inner = (left - around[0], top - around[1], right - around[0], bottom - around[1])
    out.paste(done.crop(inner), (left, top))
    return out
