#!/usr/bin/env python3
"""Draws Tandrel's icon (resource 100) and writes src/res/tandrel.ico: one source key fanning out
to three terminal windows, at 16, 24, 32 and 48 pixels, 32-bit with alpha. Run it again after
changing the drawing; the .ico is committed."""
import os
import struct

BACKGROUND = (0x1F, 0x4E, 0x79)
SOURCE = (0xFF, 0xFF, 0xFF)
LINE = (0xE8, 0xEE, 0xF4)
TERMINAL = (0x7F, 0xD4, 0x6B)
SCREEN = (0x10, 0x2A, 0x40)
TARGETS = [(0.76, 0.22), (0.76, 0.50), (0.76, 0.78)]


def inside_rounded(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def near_segment(x, y, ax, ay, bx, by, half_width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return (x - px) ** 2 + (y - py) ** 2 <= half_width ** 2


def colour_at(x, y):
    """The colour at a point of the unit square, or None where the icon is transparent."""
    if not inside_rounded(x, y, 0.02, 0.02, 0.98, 0.98, 0.18):
        return None
    for tx, ty in TARGETS:
        if inside_rounded(x, y, tx - 0.13, ty - 0.09, tx + 0.13, ty + 0.09, 0.03):
            inner = inside_rounded(x, y, tx - 0.10, ty - 0.055, tx + 0.10, ty + 0.065, 0.01)
            return SCREEN if inner else TERMINAL
    if (x - 0.22) ** 2 + (y - 0.5) ** 2 <= 0.12 ** 2:
        return SOURCE
    for tx, ty in TARGETS:
        if near_segment(x, y, 0.28, 0.5, tx - 0.13, ty, 0.035):
            return LINE
    return BACKGROUND


def render(size, samples=4):
    """Rows top-down of (b, g, r, a), averaged over samples x samples points per pixel."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size)
                    if c is not None:
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
                        acc[3] += 255
            n = samples * samples
            covered = acc[3] // 255
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[2] // covered, acc[1] // covered, acc[0] // covered, acc[3] // n))
        rows.append(row)
    return rows


def bmp_entry(size):
    rows = render(size, 4 if size <= 48 else 2)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_row * size)


def main():
    sizes = [16, 24, 32, 48]
    images = [bmp_entry(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        dim = 0 if s == 256 else s
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "tandrel.ico")
    with open(path, "wb") as f:
        f.write(out)
    print(f"wrote {path} ({len(out)} bytes)")


if __name__ == "__main__":
    main()
