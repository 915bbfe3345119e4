#!/usr/bin/env python3
"""Writes the resource parsers' corpus: small good and malformed PE images,
.res blobs, dialog and menu templates, string blocks, icon groups and
icon images.

Each file's name says what the parser must do with it:
  ok-<what>            accepted
  bad-<error>-<what>   refused with that error (the parser's error name,
                       spaces as underscores)
The PE images are laid out here independently of the linker, so the reader
is checked against a second writer. Run from anywhere:
  tools/make_res_corpus.py tests/platform/res/corpus
"""
import os
import struct
import sys

SECTION_RVA = 0x1000
SECTION_FILE = 0x200


def u16(v): return struct.pack('<H', v)
def u32(v): return struct.pack('<I', v)
def utf16z(s): return s.encode('utf-16-le') + b'\0\0'
def pad4(b): return b + b'\0' * (-len(b) % 4)


# ---- resource directory trees ----------------------------------------------

def build_tree(types):
    """types: list of (type_key, [(name_key, [(lang, data_bytes)])]).
    Keys are ints or strings. Returns (tree bytes, layout dict)."""
    dirs = []        # (offset placeholder, entries) in layout order
    layout = {'dirs': [], 'entries': [], 'data_entries': [], 'names': []}

    # Breadth-first: root, then name dirs, then language dirs.
    root = [(k, ('dir', v)) for k, v in types]
    level1 = []
    for _, names in types:
        level1.append([(k, ('dir', v)) for k, v in names])
    level2 = []
    for _, names in types:
        for _, langs in names:
            level2.append([(lang, ('data', data)) for lang, data in langs])
    all_dirs = [root] + level1 + level2

    size = 0
    offsets = []
    for d in all_dirs:
        offsets.append(size)
        size += 16 + 8 * len(d)
    leaves = [e for d in level2 for e in d]
    data_entry_at = size
    size += 16 * len(leaves)
    name_strings = []
    for d in all_dirs:
        for k, _ in d:
            if isinstance(k, str):
                name_strings.append(k)
    name_at = {}
    for s in name_strings:
        if s not in name_at:
            name_at[s] = size
            size += 2 + 2 * len(s)
    size += -size % 4
    data_at = []
    for _, (_, data) in leaves:
        data_at.append(size)
        size += len(data)
        size += -size % 4

    out = bytearray(size)
    child_dir = 1
    leaf = 0
    for di, d in enumerate(all_dirs):
        off = offsets[di]
        named = sum(1 for k, _ in d if isinstance(k, str))
        out[off + 12:off + 16] = u16(named) + u16(len(d) - named)
        layout['dirs'].append(off)
        for ei, (k, (kind, _)) in enumerate(d):
            eoff = off + 16 + 8 * ei
            layout['entries'].append(eoff)
            name = (0x80000000 | name_at[k]) if isinstance(k, str) else k
            if kind == 'dir':
                target = 0x80000000 | offsets[child_dir]
                child_dir += 1
            else:
                target = data_entry_at + 16 * leaf
                leaf += 1
            out[eoff:eoff + 8] = u32(name) + u32(target)
    for i, (_, (_, data)) in enumerate(leaves):
        de = data_entry_at + 16 * i
        layout['data_entries'].append(de)
        out[de:de + 8] = u32(SECTION_RVA + data_at[i]) + u32(len(data))
        out[data_at[i]:data_at[i] + len(data)] = data
    for s, at in name_at.items():
        layout['names'].append(at)
        out[at:at + 2 + 2 * len(s)] = u16(len(s)) + s.encode('utf-16-le')
    return bytearray(out), layout


# ---- PE images ----------------------------------------------------------------

def build_pe(tree, machine=0x8664, plus=True, dir_count=16, virtual_size=None):
    """Returns (image, offsets of interest)."""
    dos = bytearray(64)
    dos[0:2] = b'MZ'
    dos[0x3C:0x40] = u32(0x40)
    opt_size = (112 if plus else 96) + 8 * dir_count
    coff = u16(machine) + u16(1) + u32(0) + u32(0) + u32(0) + u16(opt_size) + u16(0x2022)
    opt = bytearray(opt_size)
    opt[0:2] = u16(0x20B if plus else 0x10B)
    count_at = 108 if plus else 92
    opt[count_at:count_at + 4] = u32(dir_count)
    dd2 = count_at + 4 + 16
    if dir_count > 2:
        opt[dd2:dd2 + 8] = u32(SECTION_RVA) + u32(len(tree))
    raw = len(tree) + (-len(tree) % 0x200)
    vsize = len(tree) if virtual_size is None else virtual_size
    section = b'.rsrc\0\0\0' + u32(vsize) + u32(SECTION_RVA) + u32(raw) + u32(SECTION_FILE) \
        + b'\0' * 12 + u32(0x40000040)
    head = dos + b'PE\0\0' + coff + opt + section
    assert len(head) <= SECTION_FILE
    image = bytearray(head + b'\0' * (SECTION_FILE - len(head)) + tree + b'\0' * (raw - len(tree)))
    where = {
        'coff': 0x44,
        'opt': 0x58,
        'dd2': 0x58 + dd2,
        'sections': 0x58 + opt_size,
        'tree': SECTION_FILE,
    }
    return image, where


def sample_types():
    strings = b''.join(u16(len(s)) + s.encode('utf-16-le') for s in
                       ['', 'one'] + [''] * 14)
    return [
        (2, [(33029, [(0x409, b'\x28' + b'\0' * 39)])]),
        (6, [(1, [(0x409, strings)])]),
        ('PNG', [('LOGO', [(0, b'\x89PNG')])]),
    ]


def pe_variants():
    tree, lay = build_tree(sample_types())
    base = lambda **kw: build_pe(bytearray(tree), **kw)
    out = {}

    out['ok-pe32plus-x64'] = base()[0]
    out['ok-pe32-i386'] = base(machine=0x14C, plus=False)[0]
    out['ok-pe32plus-arm64'] = base(machine=0xAA64)[0]
    out['ok-pe32-unknown_machine'] = base(machine=0x1234, plus=False)[0]
    out['ok-no_resource_directory'] = build_pe(bytearray(tree), dir_count=2)[0]
    out['ok-virtual_size_zero'] = base(virtual_size=0)[0]

    def variant(name, patch):
        img, where = base()
        patch(img, where)
        out[name] = img

    def put32(img, at, v): img[at:at + 4] = u32(v)
    def put16(img, at, v): img[at:at + 2] = u16(v)
    T = SECTION_FILE
    root_entry0 = T + lay['entries'][0]
    # Entries are numbered over all directories in layout order: 3 root
    # entries, then one per name directory, then one per language directory.
    lang_entry0 = T + lay['entries'][6]

    variant('bad-bad_signature-no_mz', lambda i, w: i.__setitem__(slice(0, 2), b'ZM'))
    variant('bad-bad_signature-no_pe', lambda i, w: i.__setitem__(slice(0x40, 0x44), b'PX\0\0'))
    variant('bad-out_of_range-pe_offset', lambda i, w: put32(i, 0x3C, 0xFFFFFFF0))
    variant('bad-bad_signature-optional_magic', lambda i, w: put16(i, w['opt'], 0x107))
    variant('bad-truncated-section_count', lambda i, w: put16(i, 0x46, 1000))
    variant('bad-bad_header-optional_too_small', lambda i, w: put16(i, 0x54, 2))
    variant('bad-out_of_range-resource_rva', lambda i, w: put32(i, w['dd2'], 0x9000))
    variant('bad-out_of_range-resource_size', lambda i, w: put32(i, w['dd2'] + 4, 0x100000))
    variant('bad-directory_loop-self', lambda i, w: put32(i, root_entry0 + 4, 0x80000000))
    variant('bad-directory_loop-shared',
            lambda i, w: i.__setitem__(slice(root_entry0 + 12, root_entry0 + 16),
                                       i[root_entry0 + 4:root_entry0 + 8]))
    variant('bad-too_deep-language_subdirectory',
            lambda i, w: put32(i, lang_entry0 + 4, 0x80000000 | lay['dirs'][1]))
    variant('bad-bad_header-data_at_type_level',
            lambda i, w: put32(i, root_entry0 + 4, lay['data_entries'][0]))
    variant('bad-too_many_entries-root_count', lambda i, w: put16(i, T + 14, 0xFFFF))
    variant('bad-bad_name-odd_offset', lambda i, w: put32(i, root_entry0, 0x80000001))
    variant('bad-bad_name-outside_tree', lambda i, w: put32(i, root_entry0, 0x80000000 | (len(tree) - 2)))
    variant('bad-bad_name-named_language',
            lambda i, w: put32(i, lang_entry0, 0x80000000 | lay['names'][0]))
    variant('bad-bad_name-id_above_16_bits', lambda i, w: put32(i, root_entry0, 0x10002))
    variant('bad-out_of_range-subdirectory_offset', lambda i, w: put32(i, root_entry0 + 4, 0x8000FFF0))
    variant('bad-out_of_range-data_rva', lambda i, w: put32(i, T + lay['data_entries'][0], 0x50000))
    variant('bad-out_of_range-data_size', lambda i, w: put32(i, T + lay['data_entries'][0] + 4, 0x7FFFFFFF))
    variant('bad-out_of_range-data_rva_wraps', lambda i, w: put32(i, T + lay['data_entries'][0], 0xFFFFFFFF))
    img = base()[0]
    out['bad-truncated-cut_in_headers'] = img[:0x90]
    out['bad-out_of_range-cut_in_tree'] = img[:SECTION_FILE + 20]
    return out


# ---- .res blobs ----------------------------------------------------------------

def name_field(key):
    return u16(0xFFFF) + u16(key) if isinstance(key, int) else utf16z(key)


def res_entry(type_key, name_key, lang, data):
    names = pad4(name_field(type_key) + name_field(name_key))
    header = u32(len(data)) + u32(8 + len(names) + 16) + names + u32(0) + u16(0x1030) + u16(lang) \
        + u32(0) + u32(0)
    return pad4(header + data)


def res_variants():
    lead = res_entry(0, 0, 0, b'')
    strings = b''.join(u16(len(s)) + s.encode('utf-16-le') for s in ['', 'one'] + [''] * 14)
    good = lead + res_entry(6, 1, 0x409, strings) + res_entry('BITMAP_X', 'BTN', 0, b'abc')
    out = {'ok-two_entries': good, 'ok-empty': b'', 'ok-lead_only': lead}
    out['bad-bad_signature-no_lead_entry'] = res_entry(6, 1, 0x409, strings)
    bad = bytearray(good)
    bad[len(lead):len(lead) + 4] = u32(0x10000)
    out['bad-truncated-data_past_end'] = bad
    bad = bytearray(good)
    bad[len(lead) + 4:len(lead) + 8] = u32(12)
    out['bad-bad_header-header_size_too_small'] = bad
    bad = bytearray(good)
    bad[len(lead) + 4:len(lead) + 8] = u32(0x7FFFFFF0)
    out['bad-truncated-header_past_end'] = bad
    unterminated = u32(0) + u32(40) + 'ABCDEFGHIJKLMNOP'.encode('utf-16-le')
    out['bad-bad_name-unterminated_name'] = lead + unterminated
    out['bad-truncated-cut_header'] = good[:len(lead) + 6]
    return out


# ---- templates and string blocks ------------------------------------------------

def dialog_bytes(extended, items, title='T', font=True):
    style = 0x80C80000 | (0x40 if font else 0)
    if extended:
        head = u16(1) + u16(0xFFFF) + u32(0) + u32(0) + u32(style)
    else:
        head = u32(style) + u32(0)
    head += u16(len(items)) + struct.pack('<hhhh', 0, 0, 135, 149)
    head += u16(0) + u16(0) + utf16z(title)
    if font:
        head += u16(8) + (u16(700) + b'\x01\x00' if extended else b'') + utf16z('System')
    out = bytearray(head)
    for atom, text, ident, extra in items:
        out += b'\0' * (-len(out) % 4)
        if extended:
            out += u32(0) + u32(0) + u32(0x50010000) + struct.pack('<hhhh', 6, 132, 38, 14) + u32(ident)
        else:
            out += u32(0x50010000) + u32(0) + struct.pack('<hhhh', 6, 132, 38, 14) + u16(ident)
        out += (u16(0xFFFF) + u16(atom)) if isinstance(atom, int) else utf16z(atom)
        out += (u16(0xFFFF) + u16(text)) if isinstance(text, int) else utf16z(text)
        out += u16(len(extra)) + extra
    return bytes(out)


def dialog_variants():
    items = [(0x80, 'OK', 1, b''), (0x82, 5, 0xFFFF, b''), ('MyClass', 'x', 7, b'\x01\x02')]
    good = dialog_bytes(False, items)
    goodex = dialog_bytes(True, items)
    out = {'ok-dlgtemplate': good, 'ok-dlgtemplateex': goodex,
           'ok-no_font_no_items': dialog_bytes(False, [], font=False)}
    out['bad-truncated-cut_in_item'] = good[:-3]
    out['bad-truncated-cut_in_header'] = goodex[:10]
    out['bad-truncated-item_count_too_high'] = good[:8] + u16(500) + good[10:]
    bad = bytearray(goodex)
    bad[0:2] = u16(2)
    out['bad-bad_header-extended_version'] = bytes(bad)
    out['bad-bad_string-title_over_cap'] = dialog_bytes(False, [], title='W' * 4200, font=False)
    out['bad-truncated-creation_data_past_end'] = good[:-6] + u16(0x400) + b'\0\0'
    return out


def menu_item(option, ident, text):
    body = u16(option)
    if not option & 0x10:
        body += u16(ident)
    return body + utf16z(text)


def menuex_item(type_, state, ident, flags, text, help_id=None):
    body = u32(type_) + u32(state) + u32(ident) + u16(flags) + utf16z(text)
    body = pad4(body)
    if flags & 0x01:
        body += u32(help_id or 0)
    return body


def menu_variants():
    good = u16(0) + u16(0) + menu_item(0x10 | 0x80, 0, 'ed_dial') + menu_item(0, 32782, 'Cut') \
        + menu_item(0, 0, '') + menu_item(0x01 | 0x80, 32781, 'Copy')
    goodex = u16(1) + u16(4) + u32(0) + menuex_item(0, 0, 10, 0x81, 'P', 77) \
        + menuex_item(0x800, 0, 0, 0, '') + menuex_item(0, 3, 11, 0x80, 'A')
    out = {'ok-menu': good, 'ok-menuex': goodex}
    out['bad-truncated-no_end_flag'] = u16(0) + u16(0) + menu_item(0, 5, 'A')
    out['bad-truncated-cut_in_text'] = good[:-4]
    out['bad-bad_header-version_2'] = u16(2) + good[2:]
    deep = u16(0) + u16(0)
    for _ in range(20):
        deep += menu_item(0x90, 0, 'p')
    out['bad-too_deep-nested_popups'] = deep + menu_item(0x80, 1, 'x')
    out['bad-bad_header-menuex_offset_past_end'] = u16(1) + u16(0x400) + u32(0)
    out['bad-truncated-menuex_cut'] = goodex[:-6]
    return out


def string_variants():
    block = b''.join(u16(len(s)) + s.encode('utf-16-le') for s in ['a', '', 'bc'] + [''] * 13)
    out = {'ok-block': block, 'ok-block_with_padding': block + b'\0\0\0\0'}
    out['bad-truncated-fifteen_strings'] = block[:-2]
    out['bad-truncated-length_past_end'] = u16(100) + b'x\0'
    return out


def icon_group_bytes(entries, type_=1, count=None):
    """entries: list of (width, image id); a GRPICONDIR with 32-bit entries."""
    out = u16(0) + u16(type_) + u16(len(entries) if count is None else count)
    for width, ident in entries:
        out += bytes([width, width, 0, 0]) + u16(1) + u16(32) + u32(width * width * 4 + 40) + u16(ident)
    return out


def icon_group_variants():
    good = icon_group_bytes([(16, 1), (32, 2), (0, 3)])
    out = {'ok-three_sizes': good, 'ok-one_size': icon_group_bytes([(16, 7)])}
    out['bad-bad_header-cursor_type'] = icon_group_bytes([(16, 1)], type_=2)
    out['bad-bad_header-no_entries'] = icon_group_bytes([])
    out['bad-truncated-cut_in_header'] = good[:4]
    out['bad-truncated-cut_in_entry'] = good[:-3]
    out['bad-truncated-count_too_high'] = icon_group_bytes([(16, 1)], count=500)
    return out


def icon_dib(width, bits, height=None, planes=1, compression=0, colors=0, cut=0):
    """A packed DIB as an icon image: colour rows then the 1-bit mask rows."""
    height = 2 * width if height is None else height
    header = (u32(40) + u32(width) + u32(height & 0xffffffff) + u16(planes) + u16(bits) + u32(compression)
              + u32(0) * 3 + u32(colors) + u32(0))
    table = (min(colors, 1 << bits) if colors else 1 << bits) * 4 if bits <= 8 else 0
    rows = max(height, 0) // 2
    row = (width * bits + 31) // 32 * 4
    mask = (width + 31) // 32 * 4
    data = header + b'\x40' * table + b'\x7f' * (row * rows) + b'\0' * (mask * rows)
    return data[:len(data) - cut]


def icon_png(width, height, chunk=b'IHDR', length=13):
    sig = b'\x89PNG\r\n\x1a\n'
    ihdr = struct.pack('>I', length) + chunk + struct.pack('>II', width, height) + bytes([8, 6, 0, 0, 0])
    return sig + ihdr + b'\0' * 4


def icon_image_variants():
    out = {'ok-32_bits_16': icon_dib(16, 32), 'ok-4_bits_32': icon_dib(32, 4),
           'ok-1_bit_few_colours': icon_dib(16, 1, colors=2), 'ok-8_bits_used_5': icon_dib(24, 8, colors=5),
           'ok-png_256': icon_png(256, 256)}
    out['bad-truncated-cut_in_header'] = icon_dib(16, 32)[:30]
    out['bad-truncated-mask_cut'] = icon_dib(16, 32, cut=1)
    out['bad-truncated-table_cut'] = icon_dib(16, 8)[:40 + 100]
    out['bad-bad_header-odd_height'] = icon_dib(16, 32, height=31)
    out['bad-bad_header-negative_height'] = icon_dib(16, 32, height=-32)
    out['bad-bad_header-zero_width'] = icon_dib(0, 32, height=32)
    out['bad-bad_header-huge_width'] = u32(40) + u32(0x7fffffff) + icon_dib(16, 32)[8:]
    out['bad-bad_header-two_planes'] = icon_dib(16, 32, planes=2)
    out['bad-bad_header-bit_count_7'] = icon_dib(16, 8)[:14] + u16(7) + icon_dib(16, 8)[16:]
    out['bad-bad_header-rle'] = icon_dib(16, 8, compression=1)
    out['bad-bad_header-small_header'] = u32(12) + icon_dib(16, 32)[4:]
    out['bad-truncated-png_cut'] = icon_png(16, 16)[:20]
    out['bad-bad_header-png_no_ihdr'] = icon_png(16, 16, chunk=b'IDAT')
    out['bad-bad_header-png_zero_size'] = icon_png(0, 16)
    return out


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else 'tests/platform/res/corpus'
    groups = {'pe': pe_variants(), 'res': res_variants(), 'dialog': dialog_variants(),
              'menu': menu_variants(), 'strings': string_variants(),
              'icon_group': icon_group_variants(), 'icon_image': icon_image_variants()}
    for group, files in groups.items():
        folder = os.path.join(root, group)
        os.makedirs(folder, exist_ok=True)
        for name in os.listdir(folder):
            if not name.startswith(('ok-', 'bad-')):
                continue  # inputs the fuzzer found are kept
            os.remove(os.path.join(folder, name))
        for name, data in files.items():
            with open(os.path.join(folder, name), 'wb') as f:
                f.write(bytes(data))


if __name__ == '__main__':
    main()
