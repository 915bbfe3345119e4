#!/usr/bin/env python3
"""Writes the BMP reader's corpus: small good and bad BMP files and packed DIBs
under tests/platform/gdi/corpus/, with manifest.txt saying what the reader must
do with each one.

The files are built here byte by byte, independently of the C++ reader, so the
replay test checks the reader against a second description of the format. Each
manifest line is

    FILE EXPECT [WxH PIXELS...]

where EXPECT is Ok or an error name (BmpErrorName), and for good files WxH is
the decoded size and each pixel check reads X,Y=RRGGBB with Y counted from
the top. The same corpus seeds the fuzz target.

Usage: tools/make_bmp_corpus.py [OUTPUT_DIR]
"""

import os
import struct
import sys

BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS = 0, 1, 2, 3

# ---- Building blocks ---------------------------------------------------------


def file_header(offset, total):
    return b"BM" + struct.pack("<IHHI", total, 0, 0, offset)


def core_header(w, h, bpp, planes=1):
    return struct.pack("<IHHHH", 12, w, h, planes, bpp)


def info_header(size, w, h, bpp, comp=BI_RGB, size_image=0, clr_used=0, masks=None, planes=1):
    head = struct.pack("<IiiHHIIiiII", size, w, h, planes, bpp, comp, size_image, 2835, 2835,
                       clr_used, 0)
    if size > 40:
        masks = tuple(masks or ())
        r, g, b, a = masks + (0,) * (4 - len(masks))
        head += struct.pack("<IIII", r, g, b, a)
    return head[:size] + b"\0" * (size - len(head[:size]))


def with_file(dib_head, table, pixels, offset=None):
    """A whole file: file header, then the header(s) and colour table, then pixels."""
    if offset is None:
        offset = 14 + len(dib_head) + len(table)
    body = dib_head + table
    gap = b"\0" * max(0, offset - 14 - len(body))
    data = body + gap + pixels
    return file_header(offset, 14 + len(data)) + data


def quads(colors):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colors)


def triples(colors):
    return b"".join(struct.pack("<BBB", b, g, r) for r, g, b in colors)


def pad4(row):
    return row + b"\0" * (-len(row) % 4)


def pack_indices(rows, bpp):
    out = b""
    for row in rows:
        bits = "".join(format(i, "0%db" % bpp) for i in row)
        bits += "0" * (-len(bits) % 8)
        out += pad4(bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8)))
    return out


def stored(rows, top_down):
    return rows if top_down else list(reversed(rows))


# ---- Test pictures -------------------------------------------------------------

W, H = 5, 3  # odd width: every depth needs row padding


def palette(n):
    return [((i * 37 + 11) % 256, (i * 91 + 7) % 256, (i * 53 + 200) % 256) for i in range(n)]


def index_rows(n):
    return [[(x + y * W) % n for x in range(W)] for y in range(H)]


def rgb_rows():
    return [[(40 * x + 10, 90 * y + 20, (x * 31 + y * 57 + 3) % 256) for x in range(W)]
            for y in range(H)]


def scale(v, bits):
    top = (1 << bits) - 1
    return (v * 255 + top // 2) // top


def checks(image):
    return ["%d,%d=%02x%02x%02x" % ((x, y) + tuple(px))
            for y, row in enumerate(image) for x, px in enumerate(row)]


corpus = []  # (name, bytes, expect, image or None)


def good(name, data, image):
    corpus.append((name, data, "Ok", image))


def bad(name, data, error):
    corpus.append((name, data, error, None))


def paletted(name, bpp, header_size=40, top_down=False, packed=False, clr_used=0, used=None):
    n = 1 << bpp
    stored_n = clr_used or n
    pal = palette(stored_n)
    idx = index_rows(used or n)
    if header_size == 12:
        head, table = core_header(W, H, bpp), triples(pal)
    else:
        head = info_header(header_size, W, -H if top_down else H, bpp, clr_used=clr_used)
        table = quads(pal)
    pixels = pack_indices(stored(idx, top_down), bpp)
    data = head + table + pixels if packed else with_file(head, table, pixels)
    usable = pal[:min(stored_n, n)]
    image = [[usable[i] if i < len(usable) else (0, 0, 0) for i in row] for row in idx]
    good(name, data, image)


def direct(name, bpp, header_size=40, comp=BI_RGB, masks=None, top_down=False, core=False):
    """16/24/32-bit images. masks: (r, g, b) or None for the defaults."""
    rows = rgb_rows()
    if bpp == 24:
        encode = lambda p: struct.pack("<BBB", p[2], p[1], p[0])
        image = rows
    else:
        r, g, b = masks or ((0x7C00, 0x03E0, 0x001F) if bpp == 16 else (0xFF0000, 0xFF00, 0xFF))
        fields = []
        for m in (r, g, b):
            shift = (m & -m).bit_length() - 1
            fields.append((m, shift, bin(m).count("1")))

        def quantise(p):
            return [c * ((1 << bits) - 1) // 255 for c, (_, _, bits) in zip(p, fields)]

        def encode(p):
            v = 0
            for q, (_, shift, _) in zip(quantise(p), fields):
                v |= q << shift
            if bpp == 32 and masks is None:
                v |= 0xAB000000  # the unused top byte must be ignored
            return struct.pack("<H" if bpp == 16 else "<I", v)
        image = [[tuple(scale(q, bits) for q, (_, _, bits) in zip(quantise(p), fields))
                  for p in row] for row in rows]
    pixels = b"".join(pad4(b"".join(encode(p) for p in row)) for row in stored(rows, top_down))
    if core:
        head = core_header(W, H, bpp)
    else:
        head = info_header(header_size, W, -H if top_down else H, bpp, comp,
                           masks=(masks + (0xFF000000 if bpp == 32 else 0,)) if masks and header_size > 40 else None)
    extra = struct.pack("<III", *masks) if comp == BI_BITFIELDS and header_size == 40 else b""
    good(name, with_file(head + extra, b"", pixels), image)


class Rle:
    """Emits an RLE8/RLE4 stream and paints what it should decode to."""

    def __init__(self, w, h, four, pal):
        self.w, self.h, self.four, self.pal = w, h, four, pal
        self.x = self.y = 0  # y counts stored rows, from the bottom
        self.out = bytearray()
        self.canvas = [[(0, 0, 0)] * w for _ in range(h)]

    def _put(self, i):
        self.canvas[self.h - 1 - self.y][self.x] = self.pal[i] if i < len(self.pal) else (0, 0, 0)
        self.x += 1

    def run(self, count, value):
        self.out += bytes([count, value])
        for k in range(count):
            self._put(((value >> 4) if k % 2 == 0 else (value & 15)) if self.four else value)
        return self

    def absolute(self, indices):
        self.out += bytes([0, len(indices)])
        if self.four:
            packed = [(indices[k] << 4) | (indices[k + 1] if k + 1 < len(indices) else 0)
                      for k in range(0, len(indices), 2)]
        else:
            packed = list(indices)
        self.out += bytes(packed) + (b"\0" if len(packed) % 2 else b"")
        for i in indices:
            self._put(i)
        return self

    def delta(self, dx, dy):
        self.out += bytes([0, 2, dx, dy])
        self.x += dx
        self.y += dy
        return self

    def eol(self):
        self.out += b"\0\0"
        self.x, self.y = 0, self.y + 1
        return self

    def eob(self):
        self.out += b"\0\1"
        return self

    def raw(self, data):
        self.out += data
        return self


def rle_file(r, comp, w=None, h=None, packed=False, size_image=None, top_down=False):
    bpp = 4 if comp == BI_RLE4 else 8
    head = info_header(40, w or r.w, -(h or r.h) if top_down else (h or r.h), bpp, comp,
                       size_image=len(r.out) if size_image is None else size_image,
                       clr_used=len(r.pal))
    table = quads(r.pal)
    return head + table + bytes(r.out) if packed else with_file(head, table, bytes(r.out))


def rle8(w=8, h=4):
    return Rle(w, h, False, palette(12))


def rle4(w=8, h=4):
    return Rle(w, h, True, palette(16))


# ---- Good files ----------------------------------------------------------------

for bpp in (1, 4, 8):
    paletted("good_core_%dbpp.bmp" % bpp, bpp, header_size=12)
    paletted("good_info_%dbpp.bmp" % bpp, bpp)
direct("good_core_24bpp.bmp", 24, core=True)
paletted("good_core_4bpp.dib", 4, header_size=12, packed=True)
paletted("good_info_8bpp.dib", 8, packed=True)
paletted("good_info_8bpp_topdown.bmp", 8, top_down=True)
paletted("good_info_8bpp_clrused4.bmp", 8, clr_used=4, used=6)       # indices 4, 5 read black
paletted("good_info_4bpp_clrused40.dib", 4, clr_used=40, packed=True)  # 40 stored, 16 usable
paletted("good_v4_8bpp.bmp", 8, header_size=108)
direct("good_info_16bpp_555.bmp", 16)
direct("good_info_24bpp.bmp", 24)
direct("good_info_24bpp_topdown.bmp", 24, top_down=True)
direct("good_info_32bpp.bmp", 32)
direct("good_info_32bpp_topdown.bmp", 32, top_down=True)
direct("good_info_16bpp_565_bitfields.bmp", 16, comp=BI_BITFIELDS, masks=(0xF800, 0x07E0, 0x001F))
direct("good_info_32bpp_bitfields.bmp", 32, comp=BI_BITFIELDS,
       masks=(0x0000FF00, 0x00FF0000, 0xFF000000))
direct("good_v2_16bpp_565.bmp", 16, 52, BI_BITFIELDS, (0xF800, 0x07E0, 0x001F))
direct("good_v3_32bpp_bitfields.bmp", 32, 56, BI_BITFIELDS, (0xFF0000, 0xFF00, 0xFF))
direct("good_v4_16bpp_444.bmp", 16, 108, BI_BITFIELDS, (0x0F00, 0x00F0, 0x000F))
direct("good_v5_32bpp_101010.bmp", 32, 124, BI_BITFIELDS, (0x3FF00000, 0x000FFC00, 0x000003FF))
direct("good_v5_24bpp.bmp", 24, 124)

r = rle8().run(3, 1).absolute([2, 3, 4]).run(2, 11).eol() \
    .absolute([5, 6, 7, 8, 9, 10]).delta(1, 1).run(1, 3).eol() \
    .run(8, 200).eol().eob()  # index 200 is past the 12 colours: black
good("good_rle8.bmp", rle_file(r, BI_RLE8), r.canvas)
r = rle8().run(4, 2).eol().run(8, 5).eob()  # rows 2 and 3 (from the bottom) stay black
good("good_rle8_early_eob.bmp", rle_file(r, BI_RLE8), r.canvas)
r = rle8().run(8, 1).eol().run(8, 2).eol().run(8, 3).eol().run(8, 4).eol()  # no end code
good("good_rle8_no_eob.bmp", rle_file(r, BI_RLE8), r.canvas)
r = rle8(5, 3).run(5, 7).eol().delta(1, 1).absolute([1, 2, 3]).eob()
good("good_rle8.dib", rle_file(r, BI_RLE8, packed=True), r.canvas)
r = rle4().run(5, 0x1A).absolute([3, 4, 5]).eol() \
    .absolute([6, 7, 8, 9, 10, 11, 12]).eol().delta(2, 1).run(6, 0xF0).eob()
good("good_rle4.bmp", rle_file(r, BI_RLE4), r.canvas)
r = rle4(7, 2).absolute([1, 2, 3, 4, 5]).run(2, 0x9C).eol().run(7, 0x33).eob()
good("good_rle4_odd_width.dib", rle_file(r, BI_RLE4, packed=True), r.canvas)

# ---- Bad files -------------------------------------------------------------------

ok24 = with_file(info_header(40, W, H, 24), b"", pad4(b"\x10" * 15) * H)
bad("bad_empty.bmp", b"", "TruncatedHeader")
bad("bad_file_header_short.bmp", b"BM\x20\0\0\0\0\0", "TruncatedHeader")
bad("bad_signature.bmp", b"BX" + ok24[2:], "UnsupportedHeader")
bad("bad_header_size_64.bmp", with_file(info_header(64, W, H, 24), b"", pad4(b"\0" * 15) * H),
    "UnsupportedHeader")
bad("bad_info_header_short.bmp", ok24[:14 + 20], "TruncatedHeader")
bad("bad_v5_header_short.dib", info_header(124, W, H, 24)[:100], "TruncatedHeader")
bad("bad_zero_width.bmp", with_file(info_header(40, 0, H, 24), b"", b""), "BadDimensions")
bad("bad_negative_width.bmp", with_file(info_header(40, -5, H, 24), b"", b"\0" * 64),
    "BadDimensions")
bad("bad_zero_height.bmp", with_file(info_header(40, W, 0, 24), b"", b""), "BadDimensions")
bad("bad_planes_2.bmp", with_file(info_header(40, W, H, 24, planes=2), b"", pad4(b"\0" * 15) * H),
    "BadDimensions")
bad("bad_huge_dimensions.bmp", with_file(info_header(40, 20000, 20000, 24), b"", b"\0" * 64),
    "TooLarge")
bad("bad_too_many_pixels.bmp", with_file(info_header(40, 16384, 8192, 1), quads(palette(2)), b""),
    "TooLarge")
bad("bad_height_int_min.bmp", with_file(info_header(40, W, -2**31, 24), b"", b"\0" * 64),
    "TooLarge")
bad("bad_core_huge_dimensions.bmp", with_file(core_header(65535, 65535, 24), b"", b"\0" * 64),
    "TooLarge")
bad("bad_bpp_7.bmp", with_file(info_header(40, W, H, 7), b"", b"\0" * 64), "UnsupportedBitCount")
bad("bad_core_16bpp.bmp", with_file(core_header(W, H, 16), b"", b"\0" * 64),
    "UnsupportedBitCount")
bad("bad_compression_jpeg.bmp", with_file(info_header(40, W, H, 24, 4), b"", b"\0" * 64),
    "UnsupportedCompression")
bad("bad_rle8_with_24bpp.bmp", with_file(info_header(40, W, H, 24, BI_RLE8), b"", b"\0\1"),
    "UnsupportedCompression")
bad("bad_rle4_with_8bpp.bmp", with_file(info_header(40, W, H, 8, BI_RLE4), b"", b"\0\1"),
    "UnsupportedCompression")
bad("bad_bitfields_24bpp.bmp",
    with_file(info_header(40, W, H, 24, BI_BITFIELDS) + struct.pack("<III", 0xFF0000, 0xFF00, 0xFF),
              b"", pad4(b"\0" * 15) * H), "UnsupportedCompression")
r = rle8(5, 3).run(5, 1).eob()
bad("bad_rle8_topdown.bmp", rle_file(r, BI_RLE8, top_down=True), "TopDownRle")


def bitfields(name, masks, bpp=16, error="BadMasks", header=40):
    head = info_header(header, W, H, bpp, BI_BITFIELDS, masks=masks if header > 40 else None)
    extra = struct.pack("<III", *masks) if header == 40 else b""
    bad(name, with_file(head + extra, b"", pad4(b"\0" * (W * bpp // 8)) * H), error)


bitfields("bad_bitfields_zero_mask.bmp", (0xF800, 0, 0x001F))
bitfields("bad_bitfields_all_zero_v5.bmp", (0, 0, 0), 32, header=124)
bitfields("bad_bitfields_noncontiguous.bmp", (0xF00F, 0x07E0, 0x0010))
bitfields("bad_bitfields_overlap.bmp", (0xFF0000, 0x00FFFF, 0xFF), 32)
bitfields("bad_bitfields_16bpp_wide_mask.bmp", (0x1F0000, 0x07E0, 0x001F))
bad("bad_bitfields_masks_truncated.dib",
    info_header(40, W, H, 16, BI_BITFIELDS) + struct.pack("<I", 0xF800), "TruncatedHeader")

full8 = with_file(info_header(40, W, H, 8), quads(palette(256)), pack_indices(index_rows(256), 8))
bad("bad_truncated_palette.bmp", full8[:14 + 40 + 100], "TruncatedPalette")
bad("bad_truncated_palette.dib", (info_header(40, W, H, 4) + quads(palette(16)))[:40 + 30],
    "TruncatedPalette")
bad("bad_core_truncated_palette.bmp",
    with_file(core_header(W, H, 8), triples(palette(256)), b"")[:14 + 12 + 200], "TruncatedPalette")
bad("bad_truncated_pixels.bmp", ok24[:-1], "TruncatedPixels")
bad("bad_truncated_pixels_topdown.dib",
    info_header(40, W, -H, 32) + b"\0" * (4 * W * H - 4), "TruncatedPixels")
bad("bad_clrused_huge.dib",
    info_header(40, W, H, 24, clr_used=0xFFFFFFFF) + pad4(b"\0" * 15) * H, "TruncatedPixels")
far = info_header(40, W, H, 24) + pad4(b"\0" * 15) * H
bad("bad_offset_beyond_file.bmp", file_header(5000, 14 + len(far)) + far, "BadPixelOffset")
bad("bad_offset_inside_header.bmp", ok24[:10] + struct.pack("<I", 20) + ok24[14:],
    "BadPixelOffset")

r = rle8().run(4, 1).delta(5, 0)
bad("bad_rle8_delta_beyond_row.bmp", rle_file(r, BI_RLE8), "RleOutOfBounds")
r = rle8().run(4, 1).delta(0, 200)
bad("bad_rle8_delta_beyond_image.bmp", rle_file(r, BI_RLE8), "RleOutOfBounds")
r = rle8().run(6, 1).raw(b"\x03\x02")
bad("bad_rle8_run_overflow.bmp", rle_file(r, BI_RLE8), "RleOutOfBounds")
r = rle8().raw(b"\xff\x01\0\1")
bad("bad_rle8_long_run.bmp", rle_file(r, BI_RLE8), "RleOutOfBounds")
r = rle4().run(4, 0x12).raw(b"\0\x05\x12\x34\x50\0")
bad("bad_rle4_absolute_overflow.bmp", rle_file(r, BI_RLE4), "RleOutOfBounds")
r = rle8(4, 2).eol().eol().run(1, 1)
bad("bad_rle8_below_last_row.bmp", rle_file(r, BI_RLE8), "RleOutOfBounds")
r = rle8().run(8, 1).eol().run(3, 2)
bad("bad_rle8_truncated.bmp", rle_file(r, BI_RLE8), "TruncatedPixels")
r = rle8().raw(b"\0\x06\1\2\3")
bad("bad_rle8_absolute_truncated.bmp", rle_file(r, BI_RLE8), "TruncatedPixels")
r = rle8().run(2, 1).raw(b"\0\2\1")
bad("bad_rle8_delta_truncated.bmp", rle_file(r, BI_RLE8), "TruncatedPixels")
r = rle8().run(8, 1).eol().run(8, 2).eob()
bad("bad_rle8_size_image_cuts.bmp", rle_file(r, BI_RLE8, size_image=4), "TruncatedPixels")
r = rle4().raw(b"\0\x09\x12\x34")
bad("bad_rle4_absolute_truncated.dib", rle_file(r, BI_RLE4, packed=True), "TruncatedPixels")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "tests", "platform",
                                                              "gdi", "corpus")
    os.makedirs(out, exist_ok=True)
    lines = ["# Written by tools/make_bmp_corpus.py; regenerate rather than edit.",
             "# FILE EXPECT [WxH X,Y=RRGGBB ...]"]
    for name, data, expect, image in corpus:
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
        line = [name, expect]
        if image is not None:
            line.append("%dx%d" % (len(image[0]), len(image)))
            line += checks(image)
        lines.append(" ".join(line))
    with open(os.path.join(out, "manifest.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")
    print("%d files in %s" % (len(corpus), os.path.normpath(out)))


if __name__ == "__main__":
    main()
