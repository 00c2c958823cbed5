"""A minimal AVI writer: one video stream of uncompressed 8-bit palette frames, the form
the animation control and the shell's progress dialog play from an "AVI" resource.

Colours are reduced to a fixed palette (a 6 x 6 x 6 cube and a ramp of 40 greys, so
greys stay grey), so the bytes depend on the pixels only. Limits: no audio, no
compression, frames of one size.
"""
import struct

GREYS = 40


def _palette():
    cube = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    ramp = [(round(i * 255 / (GREYS - 1)),) * 3 for i in range(GREYS)]
    return cube + ramp


def _index(r, g, b):
    if max(r, g, b) - min(r, g, b) < 24:
        return 216 + round((r + g + b) / 3 * (GREYS - 1) / 255)
    return round(r / 51) * 36 + round(g / 51) * 6 + round(b / 51)


def _chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def _list(kind, body):
    return _chunk(b"LIST", kind + body)


def _frame_dib(width, height, rgb):
    stride = (width + 3) // 4 * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytes(_index(*rgb[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width))
        rows.append(row + b"\0" * (stride - width))
    return b"".join(rows)


def avi(width, height, frames_rgb, fps):
    """An AVI file from equally sized frames (8-bit RGB rows, top-down)."""
    dibs = [_frame_dib(width, height, rgb) for rgb in frames_rgb]
    size = len(dibs[0])
    avih = struct.pack("<IIIIIIIIII4I", 1000000 // fps, size * fps, 0, 0x10, len(dibs), 0, 1,
                       size, width, height, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0, 1, fps, 0, len(dibs),
                       size, 0xFFFFFFFF, 0, 0, 0, width, height)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, size, 0, 0, 256, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in _palette())
    header = _list(b"hdrl", _chunk(b"avih", avih) +
                   _list(b"strl", _chunk(b"strh", strh) + _chunk(b"strf", info + palette)))
    movi_body, index, offset = b"", b"", 4
    for dib in dibs:
        chunk = _chunk(b"00db", dib)
        index += struct.pack("<4sIII", b"00db", 0x10, offset, len(dib))
        movi_body += chunk
        offset += len(chunk)
    body = b"AVI " + header + _list(b"movi", movi_body) + _chunk(b"idx1", index)
    return b"RIFF" + struct.pack("<I", len(body)) + body
