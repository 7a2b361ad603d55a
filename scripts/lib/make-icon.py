#!/usr/bin/env python3
"""Draws the program's icon, a pie of three wedges over the strata of a
quarry face, at 16, 24, 32, 48 and 256 pixels, and writes them into one
.ico file: 32-bit images with alpha, the 256-pixel one as PNG. Run by hand
when the picture changes; the result is kept in res/."""
import math
import struct
import sys
import zlib

WEDGES = [  # start and end angle in degrees (clockwise from 12 o'clock), colour
    (0, 150, (32, 200, 64)),
    (150, 250, (40, 200, 230)),
    (250, 360, (250, 190, 40)),
]
STRATA = [(200, 170, 110), (160, 130, 80), (120, 95, 60)]
OUTLINE = (40, 40, 40)


def pixel(size, x, y):
    """The colour and coverage of one pixel, sampled 4 x 4 times."""
    samples = []
    for sy in range(4):
        for sx in range(4):
            u = (x + (sx + 0.5) / 4) / size
            v = (y + (sy + 0.5) / 4) / size
            samples.append(sample(u, v, size))
    covered = [s for s in samples if s is not None]
    if not covered:
        return (0, 0, 0, 0)
    r = sum(c[0] for c in covered) / len(covered)
    g = sum(c[1] for c in covered) / len(covered)
    b = sum(c[2] for c in covered) / len(covered)
    a = 255 * len(covered) / len(samples)
    return (round(r), round(g), round(b), round(a))


def sample(u, v, size):
    # The pie: centre slightly up and right, so the strata show below left.
    cx, cy, radius = 0.58, 0.42, 0.40
    dx, dy = u - cx, v - cy
    distance = math.hypot(dx, dy)
    edge = max(1.2 / size, 0.025)
    if distance <= radius:
        if distance > radius - edge:
            return OUTLINE
        angle = (math.degrees(math.atan2(dx, -dy)) + 360) % 360
        for start, end, colour in WEDGES:
            if start <= angle < end:
                # Radius lines between the wedges, on larger sizes only.
                if size >= 32 and distance > 0.03:
                    for border in (start, end):
                        if abs((angle - border + 180) % 360 - 180) * math.pi / 180 * distance < edge * 0.6:
                            return OUTLINE
                return colour
    # Three strata stepping down to the left, under the pie.
    for layer, colour in enumerate(STRATA):
        top = 0.60 + layer * 0.13
        if top <= v < top + 0.11:
            left = 0.04 + (2 - layer) * 0.10
            right = 0.95 - layer * 0.12
            if left <= u < right:
                return colour
    return None


def rgba_rows(size):
    return [[pixel(size, x, y) for x in range(size)] for y in range(size)]


def bmp_entry(size):
    rows = rgba_rows(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + bytes(mask)


def png_entry(size):
    rows = rgba_rows(size)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(path):
    sizes = [16, 24, 32, 48, 256]
    images = [png_entry(s) if s == 256 else bmp_entry(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Quarrymap.ico")
