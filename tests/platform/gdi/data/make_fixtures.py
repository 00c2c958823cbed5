#!/usr/bin/env python3
"""Writes the small icon, cursor and bitmap files the icon and image tests load.

Each icon image is one solid colour (so a test can tell which entry was chosen) with its
top-left pixel transparent in the AND mask.
"""
import struct, zlib

def dib_entry(w, h, bpp, argb):
    """A BITMAPINFOHEADER icon image: XOR bits then AND mask, height doubled."""
    palette = b''
    if bpp <= 8:
        n = 1 << bpp
        colours = [0] * n
        colours[1] = argb & 0xFFFFFF
        palette = b''.join(struct.pack('<I', c) for c in colours)
        index = 1
    row_bytes = ((w * bpp + 31) // 32) * 4
    rows = []
    for y in range(h):
        if bpp == 32:
            row = struct.pack('<I', argb) * w
        elif bpp == 24:
            row = struct.pack('<I', argb)[:3] * w
        else:
            per_byte = 8 // bpp
            byte = 0
            for i in range(per_byte):
                byte |= index << (8 - bpp * (i + 1))
            row = bytes([byte]) * ((w * bpp + 7) // 8)
        rows.append(row.ljust(row_bytes, b'\0'))
    mask_row = ((w + 31) // 32) * 4
    masks = []
    for y in range(h):  # bottom-up: the last row written is the top row
        m = bytearray(mask_row)
        if y == h - 1:
            m[0] = 0x80
        masks.append(bytes(m))
    header = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, bpp, 0, 0, 0, 0, 0, 0)
    return header + palette + b''.join(rows) + b''.join(masks)

def png_entry(w, h, argb):
    r, g, b, a = (argb >> 16) & 255, (argb >> 8) & 255, argb & 255, argb >> 24
    raw = b''.join(b'\0' + bytes([r, g, b, a]) * w for _ in range(h))
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))

def directory_file(kind, images):
    """images: (w, h, bpp, data, hot) tuples; kind 1 = .ico, 2 = .cur."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for w, h, bpp, data, hot in images:
        colours = (1 << bpp) if bpp < 8 else 0
        if kind == 1:
            fields = struct.pack('<HH', 1, bpp)
        else:
            fields = struct.pack('<HH', *hot)
        out += struct.pack('<BBBB', w % 256, h % 256, colours, 0) + fields
        out += struct.pack('<II', len(data), offset)
        offset += len(data)
    return out + b''.join(d for _, _, _, d, _ in images)

ICONS = [  # w, h, bpp, colour
    (16, 16, 8, 0xFF000010),
    (16, 16, 32, 0xFF000020),
    (32, 32, 4, 0xFF000030),
    (32, 32, 32, 0xFF000040),
    (48, 48, 24, 0xFF000050),
]
images = [(w, h, bpp, dib_entry(w, h, bpp, c), None) for w, h, bpp, c in ICONS]
images.append((64, 64, 32, png_entry(64, 64, 0x80000060), None))
open('sizes.ico', 'wb').write(directory_file(1, images))

cursor = dib_entry(32, 32, 1, 0xFFFFFFFF)
open('pointer.cur', 'wb').write(directory_file(2, [(32, 32, 1, cursor, (5, 7))]))

def bmp_file(w, h, bpp, pixels, palette=None):
    """pixels: rows top first of 0xRRGGBB (24 bpp) or indices (8 bpp); stored bottom-up."""
    row_bytes = ((w * bpp + 31) // 32) * 4
    body = b''
    for row in reversed(pixels):
        if bpp == 24:
            data = b''.join(struct.pack('<I', p)[:3] for p in row)
        else:
            data = bytes(row)
        body += data.ljust(row_bytes, b'\0')
    table = b''.join(struct.pack('<I', c) for c in (palette or []))
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, 0, len(body), 0, 0, len(palette or []), 0)
    offset = 14 + len(header) + len(table)
    return b'BM' + struct.pack('<IHHI', offset + len(body), 0, 0, offset) + header + table + body

open('colours.bmp', 'wb').write(bmp_file(3, 2, 24, [[0xFF0000, 0x00FF00, 0x0000FF],
                                                     [0x123456, 0xFFFFFF, 0x000000]]))
open('indexed.bmp', 'wb').write(bmp_file(4, 2, 8, [[0, 1, 2, 3], [3, 2, 1, 0]],
                                         [0x102030, 0x405060, 0x708090, 0xA0B0C0]))
