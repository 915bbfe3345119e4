#!/usr/bin/env python3
"""Writes the language images of the packs: small flags, 26 x 23 pixels,
4 bits per pixel, as BMP files the pack scripts include (bitmap 33029).

    tools/make_flag_bitmaps.py [OUT_DIR]     # default: i18n/

The files are committed; run this again only to change them. Each image is a
flag of 24 x 21 pixels inside a one-pixel grey frame that blends with the
language dialog's dark background.
"""

import pathlib
import struct
import sys

WIDTH, HEIGHT = 26, 23

# The 16-colour palette, as (red, green, blue). Index 0 is the frame.
PALETTE = [
    (0x80, 0x80, 0x80),  # 0 frame grey
    (0x00, 0x00, 0x00),  # 1 black
    (0xDD, 0x00, 0x00),  # 2 red (German flag)
    (0xFF, 0xCE, 0x00),  # 3 gold
    (0xB2, 0x22, 0x34),  # 4 red (US flag)
    (0xFF, 0xFF, 0xFF),  # 5 white
    (0x3C, 0x3B, 0x6E),  # 6 blue
] + [(0, 0, 0)] * 9


def framed(paint):
    """A WIDTH x HEIGHT grid of palette indices: the frame, and paint(x, y)
    for the flag's pixels, x and y counted inside the frame."""
    return [[paint(x - 1, y - 1) if 0 < x < WIDTH - 1 and 0 < y < HEIGHT - 1 else 0
             for x in range(WIDTH)] for y in range(HEIGHT)]


def flag_us(x, y):
    # Seven stripes of three pixels, red at top and bottom; the blue canton
    # covers the top four stripes and the left ten columns, with stars as a
    # chequer of white dots.
    if x < 10 and y < 12:
        return 5 if (x % 2 == 1 and y % 2 == 1 and y < 11) else 6
    return 4 if (y // 3) % 2 == 0 else 5


def flag_de(x, y):
    # Black, red and gold, seven pixels each.
    return (1, 2, 3)[y // 7]


def bmp_bytes(pixels):
    row_bytes = ((WIDTH * 4 + 31) // 32) * 4
    image = bytearray()
    for row in reversed(pixels):  # bottom-up
        packed = bytearray()
        for x in range(0, WIDTH, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < WIDTH else 0
            packed.append((hi << 4) | lo)
        packed.extend(b"\0" * (row_bytes - len(packed)))
        image.extend(packed)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(image), 2835, 2835,
                       16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    return header + info + palette + bytes(image)


def main():
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else \
        pathlib.Path(__file__).resolve().parent.parent / "i18n"
    out.mkdir(parents=True, exist_ok=True)
    for code, paint in (("us", flag_us), ("de", flag_de)):
        path = out / f"flag_{code}.bmp"
        path.write_bytes(bmp_bytes(framed(paint)))
        print(path)


if __name__ == "__main__":
    main()
