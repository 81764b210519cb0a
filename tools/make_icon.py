#!/usr/bin/env python3
"""Draws the program icon, a small television with a red recording dot, and
writes it as res/halvorn2.ico: 48, 32 and 16 pixels, each in 16 colours,
256 colours and 24-bit colour. Run it again after changing the drawing."""
import struct
import sys

SIZES = (48, 32, 16)
DEPTHS = (4, 8, 24)

# The sixteen colours every Windows display has.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def pixel(x, y, n):
    """Colour at (x, y) of an n×n icon, top row first; None is transparent."""
    u, v = (x + 0.5) / n, (y + 0.5) / n
    if 0.30 < u < 0.70 and 0.84 < v < 0.94:            # stand
        return (64, 64, 64)
    if not (0.06 < u < 0.94 and 0.14 < v < 0.84):       # outside the set
        return None
    if (u - 0.76) ** 2 + (v - 0.32) ** 2 < 0.11 ** 2:   # recording dot
        return (230, 20, 20)
    if 0.14 < u < 0.62 and 0.22 < v < 0.76:             # screen
        return (40, 90, 200) if v < 0.55 else (20, 160, 220)
    return (48, 48, 48)                                  # cabinet


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def palette_for(depth):
    if depth == 4:
        return VGA
    if depth == 8:
        extra = [(64, 64, 64), (48, 48, 48), (230, 20, 20), (40, 90, 200), (20, 160, 220)]
        return (VGA + extra + [(0, 0, 0)] * 256)[:256]
    return []


def row_bytes(bits):
    return ((bits + 31) // 32) * 4


def image(n, depth):
    palette = palette_for(depth)
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(n)):  # bitmaps are stored bottom-up
        row = [pixel(x, y, n) for x in range(n)]
        if depth == 24:
            line = b"".join(bytes(((c or (0, 0, 0))[2], (c or (0, 0, 0))[1], (c or (0, 0, 0))[0])) for c in row)
        else:
            indexes = [0 if c is None else nearest(c, palette) for c in row]
            if depth == 8:
                line = bytes(indexes)
            else:
                line = bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, n, 2))
        xor += line.ljust(row_bytes(n * depth), b"\0")
        bits = 0
        packed = bytearray()
        for x, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if x % 8 == 7:
                packed.append(bits)
                bits = 0
        mask += bytes(packed).ljust(row_bytes(n), b"\0")
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, depth, 0, len(xor) + len(mask), 0, 0,
                         len(palette), 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + colours + bytes(xor) + bytes(mask), len(palette)


def main(path):
    images = [(n, d) + image(n, d) for n in SIZES for d in DEPTHS]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for n, depth, data, colours in images:
        out += struct.pack("<BBBBHHII", n, n, colours % 256, 0, 1, depth, len(data), offset)
        offset += len(data)
    for _, _, data, _ in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "res/halvorn2.ico")
