"""Glyphs of the theme: small symbols drawn on a 24 x 24 design grid.

Each glyph is a list of layers (shape, role); a role ("fg", "accent", "dim") is turned
into a colour by the picture that draws the glyph, so one glyph serves the enabled and
the disabled look. place() maps the grid onto any square or oblong canvas, centred.
"""
import math

from raster import (arc, circle, intersect, polygon, polyline, rrect, ring, segment,
                    subtract, union)

STROKE = 2.6


def _arrow_head(cx, cy, r, angle_deg, size):
    """A triangle on the circle (cx, cy, r) at angle_deg, pointing clockwise."""
    a = math.radians(angle_deg)
    px, py = cx + r * math.cos(a), cy + r * math.sin(a)
    tx, ty = -math.sin(a), math.cos(a)
    nx, ny = math.cos(a), math.sin(a)
    tip = (px + tx * size, py + ty * size)
    back = (px - tx * size * 0.4, py - ty * size * 0.4)
    return polygon([tip, (back[0] + nx * size, back[1] + ny * size),
                    (back[0] - nx * size, back[1] - ny * size)])


def _person(cx, top, scale=1.0):
    head = circle(cx, top + 3.5 * scale, 3.5 * scale)
    body = intersect(circle(cx, top + 15 * scale, 7.5 * scale), lambda x, y: y - (top + 14 * scale))
    return union(head, body)


def _handset(x0, y0, x1, y1):
    shell = rrect(x0, y0, x1, y1, 2.5)
    screen = rrect(x0 + 2, y0 + 3, x1 - 2, y1 - 6, 1)
    key = circle((x0 + x1) / 2, y1 - 3, 1.2)
    return [(subtract(shell, union(screen, key)), "fg"), (screen, "accent")]


def _envelope():
    body = rrect(3, 6, 21, 18, 1.5)
    flap = polyline([(3.5, 7), (12, 13.5), (20.5, 7)], 1.8)
    return [(body, "fg"), (flap, "dim")]


GLYPHS = {
    "check": lambda: [(polyline([(5, 12.5), (10, 17.5), (19, 6.5)], STROKE + 0.4), "fg")],
    "cross": lambda: [(union(segment(6.5, 6.5, 17.5, 17.5, STROKE + 0.4),
                             segment(17.5, 6.5, 6.5, 17.5, STROKE + 0.4)), "fg")],
    "no": lambda: [(union(ring(12, 12, 8, STROKE), segment(6.5, 17.5, 17.5, 6.5, STROKE)), "fg")],
    "help": lambda: [(union(arc(12, 9, 4.5, STROKE, 180, 270), segment(12, 13.5, 12, 15, STROKE),
                            circle(12, 19.5, 1.7)), "fg")],
    "connection": lambda: [(union(rrect(2, 7, 9, 17, 1.5), rrect(15, 4, 22, 20, 1.5)), "fg"),
                           (segment(9, 12, 15, 12, 2), "accent")],
    "refresh": lambda: [(union(arc(12, 12, 7, STROKE, 330, 280), _arrow_head(12, 12, 7, 250, 4)), "fg")],
    "recipients": lambda: [(_person(9, 4, 0.85), "dim"), (_person(14, 6), "fg")],
    "arrow_right": lambda: [(union(segment(4, 12, 15, 12, STROKE + 0.4),
                                   polygon([(13, 5.5), (20.5, 12), (13, 18.5)])), "fg")],
    "arrow_left": lambda: [(union(segment(9, 12, 20, 12, STROKE + 0.4),
                                  polygon([(11, 5.5), (3.5, 12), (11, 18.5)])), "fg")],
    "close": lambda: [(union(segment(7.5, 7.5, 16.5, 16.5, 2.2), segment(16.5, 7.5, 7.5, 16.5, 2.2)), "fg")],
    "minimize": lambda: [(segment(7, 16.5, 17, 16.5, 2.2), "fg")],
    "maximize": lambda: [(subtract(rrect(6.5, 6.5, 17.5, 17.5, 1), rrect(8, 9.5, 16, 16, 0.5)), "fg")],
    "restore": lambda: [(subtract(rrect(9, 5, 19, 15, 1), rrect(10.5, 7.5, 17.5, 13.5, 0.5)), "dim"),
                        (subtract(rrect(5, 9, 15, 19, 1), rrect(6.5, 11.5, 13.5, 17.5, 0.5)), "fg")],
    "handset": lambda: _handset(7, 2, 17, 22),
    "envelope": _envelope,
    "person_plus": lambda: [(_person(10, 3), "fg"), (union(segment(15, 18, 22, 18, 2.2),
                                                          segment(18.5, 14.5, 18.5, 21.5, 2.2)), "accent")],
    "person_minus": lambda: [(_person(10, 3), "fg"), (segment(15, 18, 22, 18, 2.2), "accent")],
    "contacts": lambda: [(rrect(4, 2, 20, 22, 2.5), "dim"), (_person(12, 5, 0.9), "fg"),
                         (rrect(2, 6, 5, 8, 0.8), "accent"), (rrect(2, 16, 5, 18, 0.8), "accent")],
    "cable": lambda: [(union(rrect(7, 8, 17, 16, 2), segment(9.5, 3, 9.5, 8, 2), segment(14.5, 3, 14.5, 8, 2),
                             segment(12, 16, 12, 22, 2.4)), "fg")],
    "waves": lambda: [(circle(6, 12, 2.2), "accent"),
                      (union(arc(6, 12, 7, 2, 300, 120), arc(6, 12, 12, 2, 310, 100)), "fg")],
    "infrared": lambda: [(circle(12, 12, 3.5), "accent"), (union(*[circle(12 + 8 * math.cos(a), 12 + 8 * math.sin(a), 1.4)
                                                                   for a in [i * math.pi / 4 for i in range(8)]]), "fg")],
    "serial": lambda: [(subtract(polygon([(2, 7), (22, 7), (19, 17), (5, 17)]),
                                 union(*[circle(x, 10.5, 1.1) for x in (7, 10, 13, 16)] +
                                       [circle(x, 14, 1.1) for x in (8.5, 11.5, 14.5)])), "fg")],
    "computer": lambda: [(rrect(2, 3, 22, 17, 1.8), "fg"), (rrect(3.5, 4.5, 20.5, 15.5, 0.8), "accent"),
                         (polygon([(9.5, 17), (14.5, 17), (15.5, 20.5), (8.5, 20.5)]), "dim"),
                         (rrect(6, 20, 18, 22, 1), "fg")],
}


def layers(name):
    if name not in GLYPHS:
        raise KeyError("unknown glyph '%s'" % name)
    return GLYPHS[name]()


def place(shape, width, height, margin=0.0):
    """Maps a 24-grid shape onto a width x height canvas, centred, keeping `margin` pixels."""
    unit = (min(width, height) - 2 * margin) / 24.0
    ox, oy = (width - 24 * unit) / 2.0, (height - 24 * unit) / 2.0
    return lambda x, y: shape((x - ox) / unit, (y - oy) / unit) * unit
