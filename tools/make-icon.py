#!/usr/bin/env python3
"""Draws Quorlan's application icon and writes src/exe/res/Quorlan.ico.

The icon is our own: a blue tile with white crop corners around an amber shutter dot. Sizes
16, 24, 32, 48 and 256, each a 32-bit image with alpha. Run it again after changing the
drawing; the .ico it writes is committed."""

import math
import struct
import sys


def draw(size):
    """Pixels of the icon at that size, rows from the top, each (r, g, b, a) in 0..1."""
    s = float(size)
    radius = s * 0.22
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            # rounded tile
            dx = max(radius - px, 0, px - (s - radius))
            dy = max(radius - py, 0, py - (s - radius))
            inside = radius - math.hypot(dx, dy) + 0.5 if (dx or dy) else 1.0
            alpha = max(0.0, min(1.0, inside))
            t = py / s
            colour = [0.12 + 0.10 * t, 0.36 + 0.12 * t, 0.78 - 0.18 * t]
            # white crop corners
            m, arm, w = s * 0.2, s * 0.22, max(1.0, s * 0.075)
            for cx, cy, sx, sy in ((m, m, 1, 1), (s - m, m, -1, 1), (m, s - m, 1, -1),
                                   (s - m, s - m, -1, -1)):
                ux, uy = (px - cx) * sx, (py - cy) * sy
                on_h = 0 <= ux <= arm and 0 <= uy <= w
                on_v = 0 <= uy <= arm and 0 <= ux <= w
                if on_h or on_v:
                    colour = [1.0, 1.0, 1.0]
            # shutter dot
            d = math.hypot(px - s / 2, py - s / 2)
            dot = s * 0.16
            cover = max(0.0, min(1.0, dot + 0.5 - d))
            colour = [c * (1 - cover) + a * cover for c, a in zip(colour, (0.98, 0.70, 0.18))]
            row.append((colour[0], colour[1], colour[2], alpha))
        pixels.append(row)
    return pixels


def bmp_entry(size):
    """The icon image as a BITMAPINFOHEADER, BGRA rows bottom-up, and an all-zero AND mask."""
    pixels = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    data = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            data += bytes((round(b * 255), round(g * 255), round(r * 255), round(a * 255)))
    mask_stride = ((size + 31) // 32) * 4
    data += bytes(mask_stride * size)
    return header + bytes(data)


def main(path):
    sizes = (16, 24, 32, 48, 256)
    images = [bmp_entry(size) for size in sizes]
    out = bytearray(struct.pack('<HHH', 0, 1, len(sizes)))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'src/exe/res/Quorlan.ico')
