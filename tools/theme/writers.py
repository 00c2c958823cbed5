"""Image file writers of the theme generator: PNG (8-bit RGBA), BMP (24-bit) and ICO.

Everything is written from the Python standard library (zlib, struct) with fixed
settings, so the same pixels always give the same bytes.
"""
import struct
import zlib


def _png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_rgba(width, height, rgba):
    """A PNG of colour type 6 (RGBA, 8 bits per channel); rows top-down, filter 0."""
    return _png(width, height, rgba, 4, 6)


def png_rgb(width, height, rgb):
    """A PNG of colour type 2 (RGB, no alpha): the loader makes no mask for it."""
    return _png(width, height, rgb, 3, 2)


def _png(width, height, pixels, channels, colour_type):
    stride = width * channels
    raw = b"".join(b"\0" + pixels[y * stride:(y + 1) * stride] for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", header) +
            _png_chunk(b"IDAT", zlib.compress(raw, 9)) + _png_chunk(b"IEND", b""))


def bmp_rgb(width, height, rgb):
    """A 24-bit BI_RGB bitmap file; rows bottom-up, each padded to 4 bytes."""
    pad = (4 - (width * 3) % 4) % 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = rgb[y * width * 3:(y + 1) * width * 3]
        bgr = bytearray(row)
        bgr[0::3], bgr[2::3] = row[2::3], row[0::3]
        rows.append(bytes(bgr) + b"\0" * pad)
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def _icon_dib(width, height, rgba):
    """One icon image: 32-bit BGRA rows bottom-up plus the 1-bit AND mask (opaque = 0)."""
    xor = bytearray()
    for y in range(height - 1, -1, -1):
        for x in range(width):
            r, g, b, a = rgba[(y * width + x) * 4:(y * width + x) * 4 + 4]
            xor += bytes((b, g, r, a))
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(width):
            if rgba[(y * width + x) * 4 + 3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico(images):
    """An .ico file from (width, height, rgba) images, each stored as a 32-bit DIB."""
    dibs = [_icon_dib(w, h, data) for w, h, data in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (w, h, _), dib in zip(images, dibs):
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(dib), offset)
        offset += len(dib)
    return out + b"".join(dibs)
