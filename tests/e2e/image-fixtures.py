#!/usr/bin/env python3
"""Writes the small pictures of the image-dialog cases as `writefile` lines.

    python3 tests/e2e/image-fixtures.py            prints every fixture
    python3 tests/e2e/image-fixtures.py a.gif      prints one

The cases carry these lines themselves; this script is how they were made.
"""
import struct
import sys
import zlib

LIGHT = (255, 255, 192)  # light yellow: the inverting pen draws it dark blue
BLUE = (160, 200, 255)
WHITE = (255, 255, 255)
RED = (200, 40, 40)


def stripes(w, h):
    """Colour indexes: light yellow with two pale blue bands and a red dot."""
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            if 10 <= x < 14 and 10 <= y < 14:
                row.append(3)
            elif (y // 20) % 2 == 1:
                row.append(1)
            else:
                row.append(0)
        rows.append(row)
    return rows


def lzw(indexes, min_size):
    """GIF LZW: variable-width codes, packed from the low bit."""
    clear, eoi = 1 << min_size, (1 << min_size) + 1
    out, acc, nbits = bytearray(), 0, 0
    width = min_size + 1

    def emit(code):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    table = {(i,): i for i in range(clear)}
    nxt = eoi + 1
    emit(clear)
    cur = ()
    for px in indexes:
        cand = cur + (px,)
        if cand in table:
            cur = cand
            continue
        emit(table[cur])
        if nxt < 4096:
            table[cand] = nxt
            nxt += 1
            if nxt > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            nxt = eoi + 1
            width = min_size + 1
        cur = (px,)
    if cur:
        emit(table[cur])
    emit(eoi)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def gif(w, h):
    palette = [LIGHT, BLUE, WHITE, RED]
    b = bytearray(b"GIF89a" + struct.pack("<HHBBB", w, h, 0x81, 0, 0))
    for c in palette:
        b += bytes(c)
    b += b"\x2c" + struct.pack("<HHHHB", 0, 0, w, h, 0) + b"\x02"
    data = lzw([i for row in stripes(w, h) for i in row], 2)
    for i in range(0, len(data), 255):
        block = data[i:i + 255]
        b += bytes([len(block)]) + block
    b += b"\x00\x3b"
    return bytes(b)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(w, h):
    palette = [LIGHT, BLUE, WHITE, RED]
    raw = b"".join(b"\x00" + bytes(row) for row in stripes(w, h))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 3, 0, 0, 0))
            + chunk(b"PLTE", b"".join(bytes(c) for c in palette))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bmp(w, h):
    """A 24-bit bitmap, rows bottom up, each padded to four bytes."""
    palette = [LIGHT, BLUE, WHITE, RED]
    rows = stripes(w, h)
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for i in row:
            r, g, b = palette[i]
            line += bytes((b, g, r))
        pixels += line + b"\x00" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def png_bomb():
    """Only the header of a 20000 x 20000 picture, and a scrap of data."""
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 20000, 20000, 8, 0, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"\x00" * 20001 * 4, 9)) + chunk(b"IEND", b""))


def script_string(data):
    out = []
    for byte in data:
        c = chr(byte)
        if c in '"\\' or byte < 0x20 or byte > 0x7E:
            out.append("\\x%02X" % byte)
        else:
            out.append(c)
    return '"' + "".join(out) + '"'


FIXTURES = {
    "a.gif": lambda: gif(120, 80),
    "cut.gif": lambda: gif(120, 80)[: len(gif(120, 80)) // 2],
    "map.png": lambda: png(160, 100),
    "map.gif": lambda: png(160, 100),  # a PNG under a GIF name
    "map.bmp": lambda: bmp(40, 30),
    "bomb.png": png_bomb,
}

if __name__ == "__main__":
    for name in sys.argv[1:] or FIXTURES:
        print("writefile @CASE@/%s %s" % (name, script_string(FIXTURES[name]())))
