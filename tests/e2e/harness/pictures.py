"""Known pictures for the virtual screen. Deterministic: the same arguments give the same pixels."""

import math
import random

from PIL import Image, ImageDraw


def noise(width: int, height: int, seed: int = 1) -> Image.Image:
    """Independent random bytes per channel: every pixel differs from its neighbours, so any
    shift, scaling or colour change shows up in a pixel comparison."""
    data = random.Random(seed).randbytes(width * height * 3)
    return Image.frombytes("RGB", (width, height), data)


def gradient(width: int, height: int, seed: int = 1) -> Image.Image:
    """Smooth colour ramps with soft blobs: looks like a photograph to an encoder or a colour
    picker, unlike noise, and still has no two identical columns."""
    rng = random.Random(seed)
    blobs = [(rng.random() * width, rng.random() * height, (0.1 + rng.random() * 0.3) * width,
              [rng.randrange(256) for _ in range(3)]) for _ in range(6)]
    small_w, small_h = max(1, width // 8), max(1, height // 8)
    small = Image.new("RGB", (small_w, small_h))
    pixels = small.load()
    for y in range(small_h):
        for x in range(small_w):
            px, py = x * width / small_w, y * height / small_h
            colour = [255 * px / width, 255 * py / height, 255 * (1 - px / width)]
            for bx, by, radius, tint in blobs:
                weight = math.exp(-((px - bx) ** 2 + (py - by) ** 2) / (radius * radius))
                colour = [c * (1 - weight) + t * weight for c, t in zip(colour, tint)]
            pixels[x, y] = tuple(int(c) for c in colour)
    picture = small.resize((width, height), Image.Resampling.BICUBIC)
    # A faint grain keeps neighbouring pixels apart, as in a real photograph.
    grain = Image.frombytes("L", (width, height), rng.randbytes(width * height))
    return Image.blend(picture, Image.merge("RGB", (grain, grain, grain)), 0.04)


def desktop(width: int, height: int, seed: int = 1) -> Image.Image:
    """The gradient with a few plain application windows on it: something recognisable for a
    person looking at screenshots of a session."""
    picture = gradient(width, height, seed)
    draw = ImageDraw.Draw(picture)
    rng = random.Random(seed + 1)
    for index in range(3):
        w, h = width * (3 + index) // 10, height * (3 + index) // 10
        x, y = rng.randrange(width - w), rng.randrange(height - h)
        draw.rectangle((x, y, x + w, y + h), fill=(246, 246, 246), outline=(90, 90, 90))
        draw.rectangle((x, y, x + w, y + 24), fill=(40, 90 + 40 * index, 160))
        draw.text((x + 8, y + 6), f"Window {index + 1}", fill=(255, 255, 255))
        for line in range(1, (h - 40) // 18):
            length = rng.randrange(w // 4, w - 24)
            draw.line((x + 12, y + 24 + line * 18, x + 12 + length, y + 24 + line * 18),
                      fill=(60, 60, 60), width=3)
    return picture


def make(kind: str, width: int, height: int, seed: int = 1) -> Image.Image:
    makers = {"noise": noise, "gradient": gradient, "desktop": desktop}
    if kind not in makers:
        raise ValueError(f"unknown picture kind {kind!r}; choose from {sorted(makers)}")
    return makers[kind](width, height, seed)
