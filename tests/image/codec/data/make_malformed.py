#!/usr/bin/env python3
"""Hostile and broken inputs for the readers, written from the good fixtures or by hand."""
import struct
import zlib


def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


def png(width, height, depth, colour, raw, extra=b''):
    ihdr = struct.pack('>IIBBBBB', width, height, depth, colour, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + extra +
            chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))


def write(name, data):
    with open(name, 'wb') as f:
        f.write(data)


def read(name):
    with open(name, 'rb') as f:
        return f.read()


ONE_PIXEL_IMAGE = b'\x2c' + struct.pack('<HHHH', 0, 0, 1, 1) + b'\x00' + b'\x02\x02\x44\x01\x00'


def gif(width, height, frames, table=b'\x00\x00\x00\xff\xff\xff', control=b''):
    packed = 0x80 | {6: 0, 12: 1, 24: 2}[len(table)]
    head = b'GIF89a' + struct.pack('<HH', width, height) + bytes([packed, 0, 0]) + table
    return head + (control + ONE_PIXEL_IMAGE) * frames + b'\x3b'


good_png = read('png_rgb8.png')
write('bad_png_truncated.png', good_png[:len(good_png) * 2 // 3])
write('bad_png_huge.png', png(100000, 100000, 8, 2, b'\x00' * 64))
# A two-entry palette with pixels 0, 1, 5 and 255.
write('bad_png_palette_index.png',
      png(4, 1, 8, 3, b'\x00\x00\x01\x05\xff', chunk(b'PLTE', b'\x10\x20\x30\x40\x50\x60')))

# Fewer than 8 bits per pixel: 4-bit grey and 1-bit palette, 8 x 2.
write('png_grey4.png', png(8, 2, 4, 0, b'\x00\x01\x23\x45\x67\x00\x89\xab\xcd\xef'))
write('png_palette1.png', png(8, 2, 1, 3, b'\x00\xa5\x00\x5a', chunk(b'PLTE', b'\x00\x00\x00\xff\xff\xff')))

anim = read('gif_anim_none.gif')
write('bad_gif_truncated.gif', anim[:len(anim) - 20])
write('bad_gif_600_frames.gif', gif(1, 1, 600))
write('bad_gif_huge_screen.gif', gif(65535, 65535, 2))
# A control block naming transparent index 200 of a two-entry table.
write('bad_gif_transparent_index.gif', gif(1, 1, 2, control=b'\x21\xf9\x04\x01\x00\x00\xc8\x00'))
write('bad_gif_header_only.gif', b'GIF89a\x05\x00\x05\x00\xf7\x00\x00')

good_bmp = read('bmp_24.bmp')
write('bad_bmp_truncated.bmp', good_bmp[:len(good_bmp) // 2])
write('bad_bmp_huge.bmp', good_bmp[:18] + struct.pack('<ii', 100000, 100000) + good_bmp[26:])
write('bad_jpeg_truncated.jpg', read('jpeg_baseline.jpg')[:100])
write('bad_wbmp_short.wbm', b'\x00\x00\x10\x10' + b'\xff' * 20)
write('bad_wbmp_long_size.wbm', b'\x00\x00\x81\x81\x01\x01' + b'\xff' * 20)
write('bad_ota_too_big.otb', b'\x00\x10\x10\x01' + b'\xff' * 8193)
write('bad_ota_depth.otb', b'\x00\x08\x01\x02\xff')
