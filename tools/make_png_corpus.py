#!/usr/bin/env python3
"""Writes the PNG reader's seed corpus: small good images of each colour
type and malformed ones. Names say the verdict: ok-<what> must decode,
bad-<what> must be refused. Run from the source root:
  tools/make_png_corpus.py tests/platform/gdi/png_corpus
"""
import os
import struct
import sys
import zlib


def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


def png(width, height, colour_type, depth, rows, extra=b'', ihdr_crc_ok=True):
    ihdr = struct.pack('>IIBBBBB', width, height, depth, colour_type, 0, 0, 0)
    head = chunk(b'IHDR', ihdr)
    if not ihdr_crc_ok:
        head = head[:-1] + bytes([head[-1] ^ 0xFF])
    raw = b''.join(b'\0' + r for r in rows)
    return b'\x89PNG\r\n\x1a\n' + head + extra + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b'')


def variants():
    rgb = png(2, 2, 2, 8, [b'\xff\0\0\0\xff\0', b'\0\0\xff\xff\xff\xff'])
    out = {
        'ok-rgb_2x2': rgb,
        'ok-grey_3x1': png(3, 1, 0, 8, [b'\x00\x80\xff']),
        'ok-rgba_1x1': png(1, 1, 6, 8, [b'\x10\x20\x30\x80']),
        'ok-palette_2x1': png(2, 1, 3, 8, [b'\x00\x01'],
                              extra=chunk(b'PLTE', b'\xff\0\0\0\0\xff')),
        'ok-grey16_1x1': png(1, 1, 0, 16, [b'\x12\x34']),
    }
    out['bad-empty'] = b''
    out['bad-signature_only'] = rgb[:8]
    out['bad-cut_in_idat'] = rgb[:-20]
    out['bad-ihdr_crc'] = png(2, 2, 2, 8, [b'\0' * 6] * 2, ihdr_crc_ok=False)
    out['bad-zero_width'] = png(0, 1, 2, 8, [b''])
    out['bad-huge'] = png(1 << 20, 1 << 20, 2, 8, [b'\0' * 3])
    out['bad-too_few_rows'] = png(2, 4, 2, 8, [b'\0' * 6])
    out['bad-palette_missing'] = png(2, 1, 3, 8, [b'\x00\x01'])
    out['bad-depth_3'] = png(1, 1, 0, 3, [b'\0'])
    return out


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else 'tests/platform/gdi/png_corpus'
    os.makedirs(root, exist_ok=True)
    for name in os.listdir(root):
        if name.startswith(('ok-', 'bad-')):
            os.remove(os.path.join(root, name))
    for name, data in variants().items():
        with open(os.path.join(root, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
