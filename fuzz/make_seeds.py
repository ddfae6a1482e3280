#!/usr/bin/env python3
"""Writes small GIF files covering the reader's blocks into fuzz/seeds/."""
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))


def table(n):
    return b"".join(bytes((i * 37 % 256, 255 - i, i // 2)) for i in range(n))


def codes(min_size, pixels):
    """Clear, one literal per pixel with a clear every two pixels (fixed width), end."""
    width = min_size + 1
    clear, end = 1 << min_size, (1 << min_size) + 1
    seq = [clear]
    for i, p in enumerate(pixels):
        seq.append(p)
        if i % 2 == 1:
            seq.append(clear)
    seq.append(end)
    acc = bits = 0
    data = bytearray()
    for c in seq:
        acc |= c << bits
        bits += width
        while bits >= 8:
            data.append(acc & 0xFF)
            acc >>= 8
            bits -= 8
    if bits:
        data.append(acc)
    out = bytearray([min_size])
    for i in range(0, len(data), 255):
        out += bytes([len(data[i:i + 255])]) + data[i:i + 255]
    return bytes(out + b"\0")


def screen(w, h, bits=2, version=b"89a", bg=0):
    packed = 0x80 | 0x70 | (bits - 1) if bits else 0
    head = b"GIF" + version + struct.pack("<HHBBB", w, h, packed, bg, 0)
    return head + (table(1 << bits) if bits else b"")


def image(x, y, w, h, pixels, local=0, interlaced=False, min_size=2):
    packed = (0x80 | (local - 1) if local else 0) | (0x40 if interlaced else 0)
    return b"," + struct.pack("<HHHHB", x, y, w, h, packed) + (table(1 << local) if local else b"") + \
        codes(min_size, pixels)


def gce(packed, delay, index):
    return b"!\xF9\x04" + struct.pack("<BHB", packed, delay, index) + b"\0"


def loop(n, ident=b"NETSCAPE2.0"):
    return b"!\xFF\x0B" + ident + b"\x03\x01" + struct.pack("<H", n) + b"\0"


seeds = {
    "simple.gif": screen(2, 2) + image(0, 0, 2, 2, [0, 1, 2, 3]) + b";",
    "gif87a.gif": screen(3, 1, 1, b"87a") + image(0, 0, 3, 1, [1, 0, 1]) + b";",
    "interlaced.gif": screen(2, 9, 3) + image(0, 0, 2, 9, [i % 8 for i in range(18)], interlaced=True, min_size=3) + b";",
    "local-table.gif": screen(4, 4, 0) + image(1, 1, 2, 2, [3, 2, 1, 0], local=2) + b";",
    "animation.gif": screen(4, 4) + loop(0) + gce(0x05, 10, 0) + image(0, 0, 4, 4, [1] * 16) +
    gce(0x09, 20, 1) + image(1, 1, 2, 2, [2, 3, 0, 1]) + b"!\xFE\x05hello\0" + b";",
    "extensions.gif": screen(2, 2) + loop(5, b"ANIMEXTS1.0") + gce(0x01, 5, 3) + b"!\x01\x0c" + bytes(12) +
    b"\x03abc\0" + b"!\xFF\x0BXMP DataXMP\x02<>\0" + image(0, 0, 0, 0, [1, 2, 3, 0]) + b";",
    "zero-size.gif": screen(3, 2) + image(0, 0, 0, 0, [1, 2, 3, 1, 2, 3]) + b"\0\0;",
    "no-table.gif": screen(2, 2, 0) + image(0, 0, 2, 2, [0, 1, 0, 1]) + b";",
    "one-bit.gif": screen(4, 1, 1) + gce(0x01, 0, 1) + image(0, 0, 4, 1, [0, 1, 0, 1]) + b";",
}
os.makedirs(os.path.join(here, "seeds"), exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(here, "seeds", name), "wb") as f:
        f.write(data)
