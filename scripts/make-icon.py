#!/usr/bin/env python3
"""Draws res/vantrel.ico: a globe with a latitude/longitude grid and a small unfolded map
sheet, as 16x16 and 32x32 images of 256 colours (8 bits per pixel). Run it to redraw the icon."""
import math
import struct
import sys

PALETTE = [
    (0, 0, 0),        # 0 transparent (masked)
    (20, 60, 140),    # 1 deep water
    (40, 110, 200),   # 2 water
    (60, 150, 60),    # 3 land
    (200, 180, 110),  # 4 sand
    (240, 240, 240),  # 5 grid / paper
    (30, 30, 30),     # 6 outline
    (200, 40, 40),    # 7 marker
]


def pixel(x, y, n):
    c = (n - 1) / 2.0
    r = n / 2.0 - 0.5
    dx, dy = x - c, y - c
    d = math.hypot(dx, dy)
    if d > r + 0.3:
        return 0
    if d > r - 0.8:
        return 6
    lat = math.degrees(math.asin(max(-1, min(1, -dy / r))))
    lon = math.degrees(math.asin(max(-1, min(1, dx / math.sqrt(max(r * r - dy * dy, 0.01))))))
    step = 30 if n >= 32 else 45
    if n >= 32 and (abs(lat % step) < 2.5 or abs(lon % step) < 3.5):
        return 5
    land = math.sin(math.radians(lon * 2.0 + 40)) + math.cos(math.radians(lat * 3.0)) > 1.1
    if land:
        return 4 if (x + y) % 7 == 0 and n >= 32 else 3
    return 2 if dy > -r * 0.6 else 1


def image(n):
    rows = [[pixel(x, y, n) for x in range(n)] for y in range(n)]
    # A red marker: the centre of a partial decode.
    m = n // 2 + n // 8
    for dy in (-1, 0, 1):
        for dx in (-1, 0, 1):
            if n >= 32 or (dx == 0 or dy == 0):
                rows[m + dy][m - n // 6 + dx] = 7
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 8, 0, 0, 0, 0, 256, 0)
    pal = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE + [(0, 0, 0)] * (256 - len(PALETTE)))
    xor = b''.join(bytes(rows[n - 1 - y]) for y in range(n))
    stride = ((n + 31) // 32) * 4
    andmask = b''
    for y in range(n):
        bits = 0
        row = rows[n - 1 - y]
        out = bytearray(stride)
        for x in range(n):
            if row[x] == 0:
                out[x // 8] |= 0x80 >> (x % 8)
        andmask += bytes(out)
    return header + pal + xor + andmask


def main(path):
    images = [image(16), image(32)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip((16, 32), images):
        out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'res/vantrel.ico')
