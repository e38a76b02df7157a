#!/usr/bin/env python3
"""Draws the application icon (a monitor showing red, green and blue bars under a gamma curve)
and writes it as a Windows .ico file: 48, 32 and 16 pixels at 8 bpp, then 256 (PNG), 64, 48, 32
and 16 pixels at 32 bpp. Standard library only.

Usage: make_icon.py OUTPUT.ico
"""

import math
import struct
import sys
import zlib

# The drawing is laid out on a 16-unit grid so that every rectangle edge falls on a pixel
# boundary at each of the sizes below (all multiples of 16).
GRID = 16

BEZEL = (84, 92, 106)
SCREEN = (22, 26, 36)
STAND = (112, 120, 134)
RED = (250, 20, 20)
GREEN = (20, 245, 90)
BLUE = (36, 160, 255)
CURVE = (255, 255, 255)

GAMMA = 2.2

# Screen area in grid units: x0, y0, x1, y1, corner radius.
SCREEN_RECT = (1, 2, 15, 11, 0.25)

ICON_IMAGES = [(48, 8), (32, 8), (16, 8), (256, 32), (64, 32), (48, 32), (32, 32), (16, 32)]


def coverage(x, y, rect, scale):
    """Fraction of the pixel centred on (x, y) covered by `rect` (grid units, scaled to pixels),
    a rectangle with rounded corners, from its signed distance."""
    x0, y0, x1, y1, radius = (v * scale for v in rect)
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius
    dx, dy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
    distance = outside + min(max(dx, dy), 0.0) - radius
    return min(max(0.5 - distance, 0.0), 1.0)


def render(size):
    """Returns the icon at `size` pixels as rows of straight (not premultiplied) RGBA tuples."""
    scale = size / GRID
    # Shapes back to front, in grid units: ((x0, y0, x1, y1, corner radius), colour).
    shapes = [
        ((4, 14, 12, 15, 0.5), STAND),
        ((7, 11, 9, 14.5, 0), STAND),
        ((0, 1, 16, 12, 1), BEZEL),
        (SCREEN_RECT, SCREEN),
        ((3, 7, 5, 10, 0), RED),
        ((7, 5, 9, 10, 0), GREEN),
        ((11, 3, 13, 10, 0), BLUE),
    ]
    # The curve y = x^GAMMA spans the screen's inner area; its stroke is at least a pixel wide.
    left, right, bottom, top = 1.5 * scale, 14.5 * scale, 10.5 * scale, 2.5 * scale
    half_stroke = max(1.0, 0.06 * size) / 2

    image = []
    for py in range(size):
        row = []
        for px in range(size):
            x, y = px + 0.5, py + 0.5
            layers = [(coverage(x, y, rect, scale), colour) for rect, colour in shapes]
            t = (x - left) / (right - left)
            if 0.0 <= t <= 1.0:
                curve = bottom - (bottom - top) * t**GAMMA
                slope = (bottom - top) * GAMMA * t ** (GAMMA - 1) / (right - left)
                distance = abs(y - curve) / math.sqrt(1 + slope * slope)
                stroke = min(max(half_stroke + 0.5 - distance, 0.0), 1.0)
                # Drawn on the screen only, never over the bezel.
                layers.append((stroke * coverage(x, y, SCREEN_RECT, scale), CURVE))
            r = g = b = a = 0.0
            for cover, colour in layers:
                # Porter-Duff "over" of an opaque colour with the given coverage.
                keep = 1.0 - cover
                r = colour[0] * cover + r * keep
                g = colour[1] * cover + g * keep
                b = colour[2] * cover + b * keep
                a = cover + a * keep
            if a > 0.0:
                row.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
            else:
                row.append((0, 0, 0, 0))
        image.append(row)
    return image


def and_mask(image):
    """The 1-bpp AND mask, bottom-up, rows padded to 32 bits: set where the pixel is clear."""
    size = len(image)
    stride = (size + 31) // 32 * 4
    out = bytearray()
    for row in reversed(image):
        bits = bytearray(stride)
        for px, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[px // 8] |= 0x80 >> (px % 8)
        out += bits
    return bytes(out)


def bitmap_header(size, bpp, image_bytes):
    # BITMAPINFOHEADER; an icon's height counts the colour bitmap and the AND mask.
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, image_bytes, 0, 0, 0, 0)


def dib_32(image):
    size = len(image)
    pixels = bytearray()
    for row in reversed(image):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = and_mask(image)
    return bitmap_header(size, 32, len(pixels) + len(mask)) + bytes(pixels) + mask


def palette_for(image):
    """Up to 256 colours: black (the colour under clear pixels) and the most frequent others."""
    counts = {}
    for row in image:
        for r, g, b, a in row:
            if a >= 128:
                counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
    ranked = sorted(counts, key=lambda c: (-counts[c], c))
    palette = [(0, 0, 0)] + [c for c in ranked if c != (0, 0, 0)][:255]
    return palette + [(0, 0, 0)] * (256 - len(palette))


def dib_8(image):
    size = len(image)
    palette = palette_for(image)
    index_of = {}

    def nearest(colour):
        if colour not in index_of:
            index_of[colour] = min(
                range(len(palette)),
                key=lambda i: sum((p - c) ** 2 for p, c in zip(palette[i], colour)),
            )
        return index_of[colour]

    stride = (size + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(image):
        line = bytearray(stride)
        for px, (r, g, b, a) in enumerate(row):
            line[px] = nearest((r, g, b)) if a >= 128 else 0
        pixels += line
    mask = and_mask(image)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return bitmap_header(size, 8, len(pixels) + len(mask)) + colours + bytes(pixels) + mask


def png(image):
    size = len(image)
    raw = bytearray()
    for row in image:
        raw.append(0)  # filter type None
        for pixel in row:
            raw += bytes(pixel)

    def chunk(kind, data):
        return (
            struct.pack(">I", len(data))
            + kind
            + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
        )

    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", ihdr)
        + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
        + chunk(b"IEND", b"")
    )


def make_icon():
    renders = {}
    images = []
    for size, bpp in ICON_IMAGES:
        if size not in renders:
            renders[size] = render(size)
        image = renders[size]
        if size == 256:
            data = png(image)
        elif bpp == 8:
            data = dib_8(image)
        else:
            data = dib_32(image)
        images.append((size, bpp, data))

    # ICONDIR, then one ICONDIRENTRY per image (a width or height of 0 means 256).
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = len(out) + 16 * len(images)
    for size, bpp, data in images:
        side = size % 256
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, bpp, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], "wb") as f:
        f.write(make_icon())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
