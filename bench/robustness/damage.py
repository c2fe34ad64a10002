#!/usr/bin/env python3
"""Damaged copies of sound media files, the same on every run (fixed seed).

Usage: damage.py <clips-folder> <out-folder> [copies-per-clip] [seed]

Each clip gets the kinds of damage real files carry: cut short at several points, bytes flipped
in the header and in the body, blocks zeroed, the size of a box, chunk, object, tag or page set
to huge or to zero, and whole chunks duplicated or swapped. The structure is walked where the
container has one (ISO boxes, RIFF and SMAF chunks, ASF objects, EBML elements, FLV tags, Ogg
pages, MPEG PES packets, SWF tags); elsewhere fixed blocks stand in for chunks. A damaged copy is
named <clip>.<nnn>-<kind>.<ext>, so a hang or a crash names its input."""
import os
import random
import struct
import sys

# --- Structure walkers: each yields (offset, total length, size-field offset, size-field format) --


def iso_boxes(data, start=0, end=None, depth=0):
    containers = {b'moov', b'trak', b'mdia', b'minf', b'stbl', b'dinf', b'udta', b'edts', b'mvex', b'moof', b'traf'}
    end = len(data) if end is None else end
    pos = start
    while pos + 8 <= end and depth < 6:
        size, kind = struct.unpack('>I4s', data[pos:pos + 8])
        if size < 8 or pos + size > end:
            break
        yield pos, size, pos, '>I'
        if kind in containers:
            yield from iso_boxes(data, pos + 8, pos + size, depth + 1)
        pos += size


def riff_chunks(data, start=12, end=None, depth=0, big_endian=False):
    end = len(data) if end is None else end
    fmt = '>I' if big_endian else '<I'
    pos = start
    while pos + 8 <= end and depth < 4:
        kind = data[pos:pos + 4]
        (size,) = struct.unpack(fmt, data[pos + 4:pos + 8])
        if pos + 8 + size > end:
            break
        yield pos, 8 + size, pos + 4, fmt
        if kind in (b'LIST', b'RIFF') and not big_endian:
            yield from riff_chunks(data, pos + 12, pos + 8 + size, depth + 1)
        pos += 8 + size + (size & 1 and not big_endian)


def smaf_chunks(data):
    yield 0, len(data), 4, '>I'
    yield from riff_chunks(data, 8, None, 0, big_endian=True)


def asf_objects(data):
    pos = 0
    while pos + 24 <= len(data):
        (size,) = struct.unpack('<Q', data[pos + 16:pos + 24])
        if size < 24 or pos + size > len(data):
            break
        yield pos, size, pos + 16, '<Q'
        if pos == 0:  # the header object holds the others after its 30-byte head
            inner = pos + 30
            while inner + 24 <= pos + size:
                (isize,) = struct.unpack('<Q', data[inner + 16:inner + 24])
                if isize < 24 or inner + isize > pos + size:
                    break
                yield inner, isize, inner + 16, '<Q'
                inner += isize
        pos += size


def ebml_vint(data, pos):
    first = data[pos]
    for length in range(1, 9):
        if first & (0x80 >> (length - 1)):
            value = first & ((0x80 >> (length - 1)) - 1)
            for b in data[pos + 1:pos + length]:
                value = (value << 8) | b
            return value, length
    return None, 1


def ebml_elements(data, start=0, end=None, depth=0):
    containers = {0x18538067, 0x1F43B675, 0x1654AE6B, 0xAE, 0x1549A966, 0x114D9B74}
    end = len(data) if end is None else end
    pos = start
    while pos + 2 <= end and depth < 4:
        first = data[pos]
        id_len = next((n for n in range(1, 5) if first & (0x80 >> (n - 1))), None)
        if id_len is None:
            break
        element_id = int.from_bytes(data[pos:pos + id_len], 'big')
        size, size_len = ebml_vint(data, pos + id_len)
        if size is None:
            break
        head = id_len + size_len
        total = min(head + size, end - pos)
        yield pos, total, pos + id_len, f'vint{size_len}'
        if element_id in containers:
            yield from ebml_elements(data, pos + head, pos + total, depth + 1)
        pos += total


def flv_tags(data):
    pos = 9 + 4
    while pos + 11 <= len(data):
        size = int.from_bytes(data[pos + 1:pos + 4], 'big')
        total = 11 + size + 4
        if pos + total > len(data):
            break
        yield pos, total, pos + 1, '>3'
        pos += total


def ogg_pages(data):
    pos = data.find(b'OggS')
    while pos >= 0 and pos + 27 <= len(data):
        count = data[pos + 26]
        total = 27 + count + sum(data[pos + 27:pos + 27 + count])
        yield pos, total, pos + 27, 'B'  # the first lacing value
        pos = data.find(b'OggS', pos + 4)


def pes_packets(data):
    pos = data.find(b'\x00\x00\x01')
    while 0 <= pos and pos + 6 <= len(data):
        code = data[pos + 3]
        if code >= 0xBD:
            (size,) = struct.unpack('>H', data[pos + 4:pos + 6])
            yield pos, 6 + size, pos + 4, '>H'
            pos = data.find(b'\x00\x00\x01', pos + 6 + size)
        else:
            pos = data.find(b'\x00\x00\x01', pos + 4)


def swf_tags(data):
    if data[:3] != b'FWS':
        return
    yield 0, len(data), 4, '<I'
    nbits = data[8] >> 3
    pos = 8 + (5 + 4 * nbits + 7) // 8 + 4
    while pos + 2 <= len(data):
        (code,) = struct.unpack('<H', data[pos:pos + 2])
        size, head = code & 0x3F, 2
        if size == 0x3F:
            (size,) = struct.unpack('<I', data[pos + 2:pos + 6])
            head = 6
            yield pos, head + size, pos + 2, '<I'
        else:
            yield pos, head + size, pos, '<H'
        if code >> 6 == 0:
            break
        pos += head + size


def fixed_blocks(data, block=2048):
    for pos in range(0, len(data) - block, block):
        yield pos, block, None, None


def walker_for(data, ext):
    if ext in ('mp4', 'mov', '3gp', '3g2'):
        return iso_boxes(data)
    if data[:4] == b'RIFF':
        return riff_chunks(data)
    if data[:4] == b'MMMD':
        return smaf_chunks(data)
    if ext in ('asf', 'wmv', 'wma'):
        return asf_objects(data)
    if ext == 'webm':
        return ebml_elements(data)
    if ext == 'flv':
        return flv_tags(data)
    if ext == 'ogg':
        return ogg_pages(data)
    if ext in ('mpg', 'vob'):
        return pes_packets(data)
    if ext == 'swf':
        return swf_tags(data)
    return fixed_blocks(data)


# --- Damage ---------------------------------------------------------------------------------


def set_size(data, field, fmt, huge):
    if fmt is None:  # no size field known: a 32-bit word near the start stands in
        field, fmt = 4 * random.randrange(max(1, min(len(data), 64) // 4)), '>I'
    if fmt.startswith('vint'):
        n = int(fmt[4:])
        marker = 0x80 >> (n - 1)
        value = (1 << (7 * n)) - 2 if huge else 0  # all ones would mean "unknown size"
        raw = (value | (marker << (8 * (n - 1)))).to_bytes(n, 'big')
        data[field:field + n] = raw
        return
    width = {'>I': 4, '<I': 4, '<Q': 8, '>H': 2, '<H': 2, '>3': 3, 'B': 1}[fmt]
    value = (1 << (8 * width)) - 1 if huge else 0
    if fmt == '<H':  # an SWF short tag keeps its code: only the low six bits are its length
        (code,) = struct.unpack('<H', data[field:field + 2])
        data[field:field + 2] = struct.pack('<H', (code & ~0x3F) | (0x3E if huge else 0))
        return
    order = 'little' if fmt.startswith('<') else 'big'
    data[field:field + width] = value.to_bytes(width, order)


def flip(data, lo, hi, count):
    for _ in range(count):
        i = random.randrange(lo, max(lo + 1, hi))
        if i < len(data):
            data[i] ^= random.randrange(1, 256)


def damaged_copies(data, ext, copies):
    """Yields (kind, bytes) `copies` times, cycling through the kinds."""
    chunks = [c for c in walker_for(bytes(data), ext) if c[1] > 0]
    header_end = min(len(data), 4096)
    kinds = ['cut', 'flip-head', 'flip-body', 'zero', 'size-huge', 'size-zero', 'duplicate', 'swap', 'cut', 'flip-head']
    cuts = [512, 0.03, 0.15, 0.4, 0.7, 0.97, 16, 0.01, 0.25, 0.55, 0.85, 0.99]
    cut = 0
    for n in range(copies):
        kind = kinds[n % len(kinds)]
        d = bytearray(data)
        if kind == 'cut':
            point = cuts[cut % len(cuts)]
            cut += 1
            point = point if isinstance(point, int) else int(len(d) * point)
            point = max(1, min(len(d) - 1, point + random.randrange(-8, 9)))
            d = d[:point]
        elif kind == 'flip-head':
            flip(d, 0, header_end, random.choice([1, 2, 4, 16]))
        elif kind == 'flip-body':
            flip(d, header_end, len(d), random.choice([1, 8, 64, 512]))
        elif kind == 'zero':
            size = random.choice([16, 512, 4096, 65536])
            at = random.randrange(0, max(1, len(d) - size))
            d[at:at + size] = bytes(len(d[at:at + size]))
        elif kind in ('size-huge', 'size-zero'):
            sized = [c for c in chunks if c[2] is not None] or [(0, 0, None, None)]
            _, _, field, fmt = random.choice(sized)
            set_size(d, field, fmt, kind == 'size-huge')
        elif kind == 'duplicate' and chunks:
            pos, size, _, _ = random.choice(chunks)
            piece = d[pos:pos + size]
            d[pos:pos] = piece
        elif kind == 'swap' and len(chunks) >= 2:
            a, b = sorted(random.sample(chunks, 2))
            if a[0] + a[1] <= b[0]:
                d = d[:a[0]] + d[b[0]:b[0] + b[1]] + d[a[0] + a[1]:b[0]] + d[a[0]:a[0] + a[1]] + d[b[0] + b[1]:]
            else:  # nested: the inner one goes in front of the outer one
                d = d[:a[0]] + d[b[0]:b[0] + b[1]] + d[a[0]:]
        yield kind, bytes(d)


def main():
    clips, out = sys.argv[1], sys.argv[2]
    copies = int(sys.argv[3]) if len(sys.argv) > 3 else 80
    random.seed(int(sys.argv[4]) if len(sys.argv) > 4 else 22)
    os.makedirs(out, exist_ok=True)
    count = 0
    for name in sorted(os.listdir(clips)):
        if name.startswith('.'):
            continue
        stem, ext = os.path.splitext(name)
        data = open(os.path.join(clips, name), 'rb').read()
        for n, (kind, damaged) in enumerate(damaged_copies(data, ext[1:].lower(), copies)):
            with open(os.path.join(out, f'{stem}.{n:03d}-{kind}{ext}'), 'wb') as f:
                f.write(damaged)
            count += 1
    print(count)


if __name__ == '__main__':
    main()
