"""Signed-distance raster for the theme generator.

Shapes are signed distance functions of a point (negative inside, in pixels); a
Canvas fills them with one-pixel anti-aliased edges and composites source-over in
straight (not premultiplied) RGBA floats. Pixel centres are sampled at (x + 0.5, y + 0.5).

Limits: polygon() is exact only for convex polygons; no curves beyond circles, rings
and arcs; coverage is the linear ramp of the distance, not true area coverage.
"""
import math


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def rrect(x0, y0, x1, y1, r):
    """Rounded rectangle from (x0, y0) to (x1, y1) with corner radius r."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return sdf


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2.0


def arc(cx, cy, r, width, start_deg, sweep_deg):
    """A ring limited to the angles start..start+sweep (degrees, y down, clockwise)."""
    ring_sdf = ring(cx, cy, r, width)
    a0 = math.radians(start_deg)
    sweep = math.radians(sweep_deg)
    ends = [(cx + r * math.cos(a), cy + r * math.sin(a)) for a in (a0, a0 + sweep)]

    def sdf(x, y):
        a = (math.atan2(y - cy, x - cx) - a0) % (2 * math.pi)
        if a <= sweep:
            return ring_sdf(x, y)
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - width / 2.0
    return sdf


def segment(ax, ay, bx, by, width):
    """A stroke with round caps from (ax, ay) to (bx, by)."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-9

    def sdf(x, y):
        t = clamp(((x - ax) * dx + (y - ay) * dy) / length2)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2.0
    return sdf


def polyline(points, width):
    return union(*[segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)])


def polygon(points):
    """Convex polygon, points in either winding order."""
    n = len(points)
    area = sum(points[i][0] * points[(i + 1) % n][1] - points[(i + 1) % n][0] * points[i][1]
               for i in range(n))
    sign = 1.0 if area > 0 else -1.0
    edges = []
    for i in range(n):
        (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
        length = math.hypot(bx - ax, by - ay) or 1e-9
        edges.append((ax, ay, sign * (by - ay) / length, -sign * (bx - ax) / length))

    def sdf(x, y):
        return max((x - ax) * nx + (y - ay) * ny for ax, ay, nx, ny in edges)
    return sdf


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def intersect(*shapes):
    return lambda x, y: max(s(x, y) for s in shapes)


def subtract(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


def inset(shape, amount):
    """The shape shrunk by `amount` pixels (grown when negative)."""
    return lambda x, y: shape(x, y) + amount


def vertical_gradient(top, bottom, y0, y1):
    """Paint running from colour `top` at y0 to `bottom` at y1 (RGBA tuples)."""
    span = (y1 - y0) or 1.0

    def paint(x, y):
        t = clamp((y - y0) / span)
        return tuple(top[i] + (bottom[i] - top[i]) * t for i in range(4))
    return paint


BLOCK = 8


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [(0.0, 0.0, 0.0, 0.0)] * (width * height)

    def fill(self, shape, paint, opacity=1.0):
        """Composites `paint` (RGBA 0..255 tuple or function of x, y) inside `shape`.

        Works in blocks of BLOCK x BLOCK pixels: the shapes never overstate the distance
        to their edge, so a block whose centre lies farther out than its half-diagonal
        plus the anti-aliasing ramp is skipped whole, and one that deep inside is
        covered without asking the shape per pixel."""
        const = None if callable(paint) else paint
        reach = BLOCK * 0.7072 + 0.5
        for by in range(0, self.height, BLOCK):
            for bx in range(0, self.width, BLOCK):
                d = shape(bx + BLOCK / 2.0, by + BLOCK / 2.0)
                if d > reach:
                    continue
                inside = d < -reach
                for py in range(by, min(by + BLOCK, self.height)):
                    y = py + 0.5
                    for px in range(bx, min(bx + BLOCK, self.width)):
                        x = px + 0.5
                        coverage = 1.0 if inside else clamp(0.5 - shape(x, y))
                        if coverage <= 0.0:
                            continue
                        src = const if const is not None else paint(x, y)
                        self._over(py * self.width + px, src, coverage * opacity)

    def _over(self, index, src, coverage):
        sa = src[3] / 255.0 * coverage
        dr, dg, db, da = self.pixels[index]
        da /= 255.0
        out_a = sa + da * (1.0 - sa)
        if out_a <= 0.0:
            return
        k = da * (1.0 - sa)
        self.pixels[index] = ((src[0] * sa + dr * k) / out_a, (src[1] * sa + dg * k) / out_a,
                              (src[2] * sa + db * k) / out_a, out_a * 255.0)

    def rgba_bytes(self):
        """Rows top-down, 8-bit RGBA; fully transparent pixels carry colour 0."""
        out = bytearray()
        for r, g, b, a in self.pixels:
            alpha = int(round(a))
            if alpha <= 0:
                out += b"\0\0\0\0"
            else:
                out += bytes((int(round(r)), int(round(g)), int(round(b)), alpha))
        return bytes(out)

    def flattened(self, background):
        """Rows top-down, 8-bit RGB, composited over an opaque background colour."""
        out = bytearray()
        for r, g, b, a in self.pixels:
            t = a / 255.0
            out += bytes(int(round(c * t + bg * (1.0 - t))) for c, bg in zip((r, g, b), background))
        return bytes(out)
