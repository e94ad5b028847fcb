#!/usr/bin/env python3
"""Compares the top-left 1024 x 768 of a picture drawn by tmxrasterizer with a screenshot of the
game showing the same view. Pixels of cells whose Animated layer is not 0 may differ (the game's
animations have run for a while when the shot is taken; the rasterizer shows each entry's first
frame); every other pixel must be equal. A transparent picture pixel is the game's black.

usage: png_compare.py RASTER.png SHOT.png LEVEL.txt COLUMNS"""
import struct
import sys
import zlib


def read_png(path, max_rows=768):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path + ": not a PNG"
    pos, idat, w = 8, b"", 0
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b"IHDR":
            w, h, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, path + ": unsupported PNG"
            bpp = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    stride = w * bpp
    # Only the rows of the view are needed: the rest stays packed.
    raw = zlib.decompressobj().decompress(idat, (stride + 1) * min(h, max_rows))
    rows, prev = [], bytearray(stride)
    for y in range(min(h, max_rows)):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if f == 1:
            for i in range(bpp, stride):
                line[i] = (line[i] + line[i - bpp]) & 255
        elif f == 2:
            for i in range(stride):
                line[i] = (line[i] + prev[i]) & 255
        elif f == 3:
            for i in range(stride):
                left = line[i - bpp] if i >= bpp else 0
                line[i] = (line[i] + ((left + prev[i]) >> 1)) & 255
        elif f == 4:
            for i in range(stride):
                a = line[i - bpp] if i >= bpp else 0
                b = prev[i]
                c = prev[i - bpp] if i >= bpp else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pr = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pr) & 255
        rows.append(line)
        prev = line
    return w, h, bpp, rows


def pixel(png, x, y):
    w, h, bpp, rows = png
    r = rows[y]
    if bpp == 4 and r[x * 4 + 3] == 0:
        return (0, 0, 0)
    return tuple(r[x * bpp:x * bpp + 3])


def main():
    raster, shot = read_png(sys.argv[1]), read_png(sys.argv[2])
    numbers = [int(v) for v in open(sys.argv[3]).read().split()]
    columns = int(sys.argv[4])
    rows_of_map = {16: 12, 32: 18, 10: 8}[columns]
    animated = numbers[2 * columns * rows_of_map:3 * columns * rows_of_map]
    assert shot[0] == 1024 and shot[1] == 768, "the shot is not 1024 x 768"
    assert raster[0] >= 1024 and raster[1] >= 768, "the picture is smaller than the view"
    same = differ = moving = 0
    first = None
    for y in range(768):
        for x in range(1024):
            a, b = pixel(raster, x, y), pixel(shot, x, y)
            if a == b:
                same += 1
            elif animated[x // 128 + (y // 128) * columns] != 0:
                moving += 1
            else:
                differ += 1
                first = first or (x, y, a, b)
    print("%d pixels equal, %d differ in animated cells (allowed), %d differ elsewhere"
          % (same, moving, differ))
    if differ:
        x, y, a, b = first
        print("first difference at (%d, %d): picture %s, game %s" % (x, y, a, b))
        return 1
    return 0


sys.exit(main())
