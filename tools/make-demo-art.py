#!/usr/bin/env python3
"""Draw the demo story's pictures and write them as PNG files in demo/image/.

Everything is drawn procedurally with the standard library only, so the demo
ships art that anyone can regenerate and change. The output is deterministic:
the same script gives the same bytes on every run.

How the drawing works, in short:
  * A Canvas keeps one bytearray per colour channel ("plane"). Sprites add an
    alpha plane and keep colours premultiplied, so "over" compositing is the
    same linear formula for every plane.
  * Shapes (ellipses, polygons, strokes, rounded rectangles and their unions,
    intersections and differences) only answer one question: which x spans
    does a horizontal line at height y cover?
  * Canvas.fill samples a few sub-scanlines per pixel row; the x coverage is
    exact, so edges are anti-aliased in both directions. Runs of fully
    covered pixels are blended with one bytes.translate() call per plane,
    which keeps big pictures fast in pure Python; only edge pixels are
    blended one by one.
  * The PNG writer picks a filter per row (None, Sub, Up or Average), computed
    on whole rows at once with big-integer lane arithmetic.
"""

import math
import os
import random
import struct
import sys
import time
import zlib

OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'demo', 'image')


# ---------------------------------------------------------------------------
# Colours
# ---------------------------------------------------------------------------

def mix(c0, c1, t):
    """Linear mix of two RGB colours, t=0 gives c0 and t=1 gives c1."""
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c0, c1))


def scale(c, f):
    """Darken (f<1) or brighten (f>1) a colour, clamped to 0..255."""
    return tuple(max(0, min(255, int(round(v * f)))) for v in c)


def gradient(stops):
    """A colour function of y from (y, colour) stops, for vertical gradients."""
    stops = sorted(stops)

    def colour_at(y):
        if y <= stops[0][0]:
            return stops[0][1]
        for (y0, c0), (y1, c1) in zip(stops, stops[1:]):
            if y <= y1:
                return mix(c0, c1, (y - y0) / (y1 - y0))
        return stops[-1][1]
    return colour_at


def bezier(p0, p1, p2, p3, n=12):
    """Points of a cubic Bezier curve, both ends included."""
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        a, b, c, d = u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t
        pts.append((a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0],
                    a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))
    return pts


def quad(p0, p1, p2, n=10):
    """Points of a quadratic Bezier curve, both ends included."""
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        pts.append((u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                    u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))
    return pts


# ---------------------------------------------------------------------------
# Shapes: each one reports the x spans it covers on a horizontal line
# ---------------------------------------------------------------------------

def merge_spans(spans):
    """Sort spans and join the overlapping ones."""
    if len(spans) < 2:
        return spans
    spans.sort()
    out = [list(spans[0])]
    for a, b in spans[1:]:
        if a <= out[-1][1]:
            if b > out[-1][1]:
                out[-1][1] = b
        else:
            out.append([a, b])
    return [(a, b) for a, b in out]


def intersect_spans(sa, sb):
    out = []
    i = j = 0
    while i < len(sa) and j < len(sb):
        a0, a1 = sa[i]
        b0, b1 = sb[j]
        lo = a0 if a0 > b0 else b0
        hi = a1 if a1 < b1 else b1
        if lo < hi:
            out.append((lo, hi))
        if a1 < b1:
            i += 1
        else:
            j += 1
    return out


def subtract_spans(sa, sb):
    out = []
    for a0, a1 in sa:
        cur = a0
        for b0, b1 in sb:
            if b1 <= cur:
                continue
            if b0 >= a1:
                break
            if b0 > cur:
                out.append((cur, b0))
            cur = max(cur, b1)
            if cur >= a1:
                break
        if cur < a1:
            out.append((cur, a1))
    return out


class Shape:
    """Base class: bbox is (x0, y0, x1, y1); spans(y) lists covered x spans."""
    bbox = (0.0, 0.0, 0.0, 0.0)

    def spans(self, y):
        return []


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        self.bbox = (x0, y0, x1, y1)

    def spans(self, y):
        if self.y0 <= y < self.y1:
            return [(self.x0, self.x1)]
        return []


class RRect(Shape):
    """Axis-aligned rectangle with circular corners of radius r."""
    def __init__(self, x0, y0, x1, y1, r):
        r = max(0.0, min(r, (x1 - x0) / 2, (y1 - y0) / 2))
        self.x0, self.y0, self.x1, self.y1, self.r = x0, y0, x1, y1, r
        self.bbox = (x0, y0, x1, y1)

    def spans(self, y):
        if not (self.y0 <= y < self.y1):
            return []
        r = self.r
        if y < self.y0 + r:
            d = self.y0 + r - y
        elif y > self.y1 - r:
            d = y - (self.y1 - r)
        else:
            return [(self.x0, self.x1)]
        inset = r - math.sqrt(max(0.0, r * r - d * d))
        return [(self.x0 + inset, self.x1 - inset)]


class Ellipse(Shape):
    """Ellipse with radii rx, ry, turned by angle (radians, clockwise on screen)."""
    def __init__(self, cx, cy, rx, ry, angle=0.0):
        self.cx, self.cy = cx, cy
        c, s = math.cos(angle), math.sin(angle)
        ia, ib = 1.0 / (rx * rx), 1.0 / (ry * ry)
        # u = x*c + y*s, v = -x*s + y*c; u^2/rx^2 + v^2/ry^2 <= 1 is a
        # quadratic in x for each y: A x^2 + B y x + C y^2 - 1 <= 0.
        self.A = c * c * ia + s * s * ib
        self.B = 2 * c * s * (ia - ib)
        self.C = s * s * ia + c * c * ib
        hw = math.sqrt((rx * c) ** 2 + (ry * s) ** 2)
        hh = math.sqrt((rx * s) ** 2 + (ry * c) ** 2)
        self.bbox = (cx - hw, cy - hh, cx + hw, cy + hh)

    def spans(self, y):
        dy = y - self.cy
        b = self.B * dy
        disc = b * b - 4 * self.A * (self.C * dy * dy - 1)
        if disc <= 0:
            return []
        r = math.sqrt(disc)
        a2 = 2 * self.A
        return [(self.cx + (-b - r) / a2, self.cx + (-b + r) / a2)]


class Poly(Shape):
    """Polygon filled with the non-zero winding rule (so strokes may overlap)."""
    def __init__(self, pts):
        edges = []
        n = len(pts)
        for i in range(n):
            x0, y0 = pts[i]
            x1, y1 = pts[(i + 1) % n]
            if y0 == y1:
                continue
            d = 1
            if y0 > y1:
                x0, y0, x1, y1, d = x1, y1, x0, y0, -1
            edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), d))
        self.edges = edges
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        self.bbox = (min(xs), min(ys), max(xs), max(ys))

    def spans(self, y):
        cr = [(x0 + (y - y0) * k, d) for (y0, y1, x0, k, d) in self.edges if y0 <= y < y1]
        if not cr:
            return []
        cr.sort()
        out = []
        w = 0
        start = 0.0
        for x, d in cr:
            if w == 0:
                start = x
            w += d
            if w == 0:
                out.append((start, x))
        return merge_spans(out)


class Capsule(Shape):
    """A thick line segment with round ends (all points within r of it)."""
    def __init__(self, x0, y0, x1, y1, r):
        self.c0 = Ellipse(x0, y0, r, r)
        self.c1 = Ellipse(x1, y1, r, r)
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / ln * r, dx / ln * r
        self.body = Poly([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                          (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])
        self.bbox = (min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r)

    def spans(self, y):
        s = self.c0.spans(y) + self.c1.spans(y) + self.body.spans(y)
        if not s:
            return []
        return [(min(a for a, _ in s), max(b for _, b in s))]


def stroke_points(pts, widths):
    """Outline polygon of a polyline with a width per point (tapered strokes)."""
    if not isinstance(widths, (list, tuple)):
        widths = [widths] * len(pts)
    n = len(pts)
    left, right = [], []
    for i in range(n):
        if i == 0:
            dx, dy = pts[1][0] - pts[0][0], pts[1][1] - pts[0][1]
        elif i == n - 1:
            dx, dy = pts[-1][0] - pts[-2][0], pts[-1][1] - pts[-2][1]
        else:
            ax, ay = pts[i][0] - pts[i - 1][0], pts[i][1] - pts[i - 1][1]
            bx, by = pts[i + 1][0] - pts[i][0], pts[i + 1][1] - pts[i][1]
            la, lb = math.hypot(ax, ay) or 1.0, math.hypot(bx, by) or 1.0
            dx, dy = ax / la + bx / lb, ay / la + by / lb
        ln = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / ln, dx / ln
        h = widths[i] / 2.0
        left.append((pts[i][0] + nx * h, pts[i][1] + ny * h))
        right.append((pts[i][0] - nx * h, pts[i][1] - ny * h))
    return left + right[::-1]


def Stroke(pts, widths):
    return Poly(stroke_points(pts, widths))


class Union(Shape):
    def __init__(self, *shapes):
        self.shapes = [s for s in shapes if s is not None]
        bb = [s.bbox for s in self.shapes]
        self.bbox = (min(b[0] for b in bb), min(b[1] for b in bb),
                     max(b[2] for b in bb), max(b[3] for b in bb))

    def spans(self, y):
        out = []
        for s in self.shapes:
            b = s.bbox
            if b[1] <= y <= b[3]:
                out.extend(s.spans(y))
        return merge_spans(out)


class Intersect(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b
        ba, bb = a.bbox, b.bbox
        self.bbox = (max(ba[0], bb[0]), max(ba[1], bb[1]), min(ba[2], bb[2]), min(ba[3], bb[3]))

    def spans(self, y):
        sa = self.a.spans(y)
        if not sa:
            return []
        return intersect_spans(sa, self.b.spans(y))


class Diff(Shape):
    """Shape a with shape b cut out of it."""
    def __init__(self, a, b):
        self.a, self.b = a, b
        self.bbox = a.bbox

    def spans(self, y):
        sa = self.a.spans(y)
        if not sa:
            return []
        return subtract_spans(sa, self.b.spans(y))


class Shift(Shape):
    def __init__(self, shape, dx, dy):
        self.s, self.dx, self.dy = shape, dx, dy
        b = shape.bbox
        self.bbox = (b[0] + dx, b[1] + dy, b[2] + dx, b[3] + dy)

    def spans(self, y):
        return [(a + self.dx, b + self.dx) for a, b in self.s.spans(y - self.dy)]


class View:
    """Maps design coordinates to pixels (uniform scale and offset), so one
    character drawing serves a full portrait and a close-up bust."""
    def __init__(self, s=1.0, ox=0.0, oy=0.0):
        self.s, self.ox, self.oy = s, ox, oy

    def p(self, x, y):
        return (self.ox + x * self.s, self.oy + y * self.s)

    def pts(self, pts):
        return [self.p(x, y) for x, y in pts]

    def ell(self, cx, cy, rx, ry, ang=0.0):
        x, y = self.p(cx, cy)
        return Ellipse(x, y, rx * self.s, ry * self.s, ang)

    def circ(self, cx, cy, r):
        return self.ell(cx, cy, r, r)

    def poly(self, pts):
        return Poly(self.pts(pts))

    def stroke(self, pts, widths):
        if isinstance(widths, (list, tuple)):
            widths = [w * self.s for w in widths]
        else:
            widths = widths * self.s
        return Stroke(self.pts(pts), widths)

    def cap(self, x0, y0, x1, y1, r):
        a, b = self.p(x0, y0)
        c, d = self.p(x1, y1)
        return Capsule(a, b, c, d, r * self.s)

    def rrect(self, x0, y0, x1, y1, r):
        a, b = self.p(x0, y0)
        c, d = self.p(x1, y1)
        return RRect(a, b, c, d, r * self.s)


# ---------------------------------------------------------------------------
# Canvas
# ---------------------------------------------------------------------------

_TABLES = {}


def blend_table(c, a):
    """Lookup table for v -> v*(1-a) + c*a with a in 0..255 (one plane)."""
    key = (c, a)
    t = _TABLES.get(key)
    if t is None:
        ia = 255 - a
        ca = c * a + 127
        t = bytes((v * ia + ca) // 255 for v in range(256))
        if len(_TABLES) > 200000:
            _TABLES.clear()
        _TABLES[key] = t
    return t


class Canvas:
    """Picture as separate planes. With alpha, colours are premultiplied."""
    def __init__(self, w, h, alpha=False, bg=(0, 0, 0), ss=4):
        self.w, self.h, self.alpha, self.ss = w, h, alpha, ss
        if alpha:
            self.planes = [bytearray(w * h) for _ in range(4)]
        else:
            self.planes = [bytearray(bytes([c]) * (w * h)) for c in bg]

    def _colour(self, col):
        return tuple(col) + (255,) if self.alpha else tuple(col)

    def fill(self, shape, colour, alpha=1.0, ss=None):
        """Paint shape "over" the canvas. colour and alpha may be functions of
        y (pixel row centre) for vertical gradients."""
        n = ss or self.ss
        W, H = self.w, self.h
        x0, y0, x1, y1 = shape.bbox
        if x1 <= 0 or x0 >= W:
            return
        ya = max(0, int(math.floor(y0)))
        yb = min(H, int(math.ceil(y1)) + 1)
        planes = self.planes
        subs = [(s + 0.5) / n for s in range(n)]
        ccall = callable(colour)
        acall = callable(alpha)
        col = None if ccall else self._colour(colour)
        alp = alpha
        inv = 1.0 / n
        for y in range(ya, yb):
            diff = {}
            part = {}
            for sy in subs:
                for a, b in shape.spans(y + sy):
                    if a < 0:
                        a = 0.0
                    if b > W:
                        b = float(W)
                    if b <= a:
                        continue
                    ia = int(a)
                    ib = int(b)
                    if ia == ib:
                        part[ia] = part.get(ia, 0.0) + (b - a)
                        continue
                    fa = ia + 1 - a
                    if fa < 1.0:
                        part[ia] = part.get(ia, 0.0) + fa
                        start = ia + 1
                    else:
                        start = ia
                    fb = b - ib
                    if fb > 0 and ib < W:
                        part[ib] = part.get(ib, 0.0) + fb
                    if start < ib:
                        diff[start] = diff.get(start, 0) + 1
                        diff[ib] = diff.get(ib, 0) - 1
            if not diff and not part:
                continue
            if ccall:
                col = self._colour(colour(y + 0.5))
            if acall:
                alp = alpha(y + 0.5)
                if alp <= 0:
                    continue
            keys = sorted(set(diff) | set(part))
            row = y * W
            count = 0
            last = len(keys) - 1
            for i, k in enumerate(keys):
                count += diff.get(k, 0)
                run = k
                p = part.get(k)
                if p is not None:
                    cov = (count + p) * inv
                    if cov > 1.0:
                        cov = 1.0
                    av = int(alp * cov * 255 + 0.5)
                    if av > 0:
                        idx = row + k
                        ia = 255 - av
                        for pl, c in zip(planes, col):
                            pl[idx] = (pl[idx] * ia + c * av + 127) // 255
                    run = k + 1
                if count > 0:
                    end = keys[i + 1] if i < last else W
                    if run < end:
                        av = int(alp * count * inv * 255 + 0.5)
                        if av >= 255:
                            for pl, c in zip(planes, col):
                                pl[row + run:row + end] = bytes((c,)) * (end - run)
                        elif av > 0:
                            for pl, c in zip(planes, col):
                                pl[row + run:row + end] = pl[row + run:row + end].translate(blend_table(c, av))

    def rect(self, x0, y0, x1, y1, colour, alpha=1.0):
        self.fill(Rect(x0, y0, x1, y1), colour, alpha)

    def mirrored(self):
        """A left-right mirror image of the canvas."""
        out = Canvas(self.w, self.h, self.alpha, ss=self.ss)
        W = self.w
        for src, dst in zip(self.planes, out.planes):
            for y in range(self.h):
                dst[y * W:(y + 1) * W] = src[y * W:(y + 1) * W][::-1]
        return out

    def outline(self, colour, radius=1, alpha=1.0):
        """Put a soft outline of the given colour under a sprite: the alpha
        plane grown by radius pixels (a square max filter) is painted behind
        what is already there."""
        W, H = self.w, self.h
        A = self.planes[3]
        rows = [bytes(A[y * W:(y + 1) * W]) for y in range(H)]
        # Horizontal max over 2*radius+1 pixels, then vertical.
        hrows = []
        for r in rows:
            m = r
            for d in range(1, radius + 1):
                left = r[d:] + bytes(d)
                right = bytes(d) + r[:-d]
                m = bytes(map(max, m, left, right))
            hrows.append(m)
        zero = bytes(W)
        col = self._colour(colour)
        planes = self.planes
        for y in range(H):
            m = hrows[y]
            for d in range(1, radius + 1):
                up = hrows[y - d] if y - d >= 0 else zero
                dn = hrows[y + d] if y + d < H else zero
                m = bytes(map(max, m, up, dn))
            own = rows[y]
            if m == own:
                continue
            base = y * W
            for x in range(W):
                g = m[x]
                a0 = own[x]
                if g > a0:
                    # outline alpha behind the sprite pixel: g*(1-a0)
                    ga = int(g * alpha + 0.5) * (255 - a0) // 255
                    if ga <= 0:
                        continue
                    idx = base + x
                    for pl, c in zip(planes, col):
                        pl[idx] = pl[idx] + (c * ga + 127) // 255


# ---------------------------------------------------------------------------
# PNG writing
# ---------------------------------------------------------------------------

def _lanes_sub(a, b, n):
    """Byte-wise (a - b) mod 256 over whole rows, as big integers (SWAR)."""
    H = int.from_bytes(b'\x80' * n, 'big')
    M = (1 << (8 * n)) - 1
    ia = int.from_bytes(a, 'big')
    ib = int.from_bytes(b, 'big')
    d = ((ia | H) - (ib & (M ^ H))) ^ ((ia ^ (ib ^ M)) & H)
    return d.to_bytes(n, 'big')


def _lanes_avg(a, b, n):
    """Byte-wise floor((a + b) / 2) over whole rows."""
    ia = int.from_bytes(a, 'big')
    ib = int.from_bytes(b, 'big')
    fe = int.from_bytes(b'\xfe' * n, 'big')
    return ((ia & ib) + (((ia ^ ib) & fe) >> 1)).to_bytes(n, 'big')


def png_bytes(canvas):
    """Encode a canvas as an 8-bit RGBA PNG (opaque canvases get alpha 255)."""
    W, H = canvas.w, canvas.h
    n = W * 4
    planes = canvas.planes
    if canvas.alpha:
        planes = [bytearray(p) for p in planes]
        R, G, B, A = planes
        # Premultiplied -> straight colour on partly transparent pixels.
        partial = bytes([0] + [1] * 254 + [0])
        for y in range(H):
            base = y * W
            flags = bytes(A[base:base + W]).translate(partial)
            x = flags.find(1)
            while x >= 0:
                i = base + x
                a = A[i]
                for pl in (R, G, B):
                    pl[i] = min(255, (pl[i] * 255 + a // 2) // a)
                x = flags.find(1, x + 1)
    opaque_alpha = b'\xff' * W
    raw = bytearray()
    prev = bytes(n)
    for y in range(H):
        base = y * W
        row = bytearray(n)
        row[0::4] = planes[0][base:base + W]
        row[1::4] = planes[1][base:base + W]
        row[2::4] = planes[2][base:base + W]
        row[3::4] = planes[3][base:base + W] if canvas.alpha else opaque_alpha
        row = bytes(row)
        left = bytes(4) + row[:-4]
        cands = [
            (0, row),
            (1, _lanes_sub(row, left, n)),
            (2, _lanes_sub(row, prev, n)),
            (3, _lanes_sub(row, _lanes_avg(left, prev, n), n)),
        ]
        # Pick the filter whose output has the most zero bytes; on flat and
        # gently shaded pictures that is a good, cheap stand-in for size.
        best = max(cands, key=lambda c: (c[1].count(0), -c[0]))
        raw.append(best[0])
        raw += best[1]
        prev = row

    def chunk(tag, data):
        c = struct.pack('>I', len(data)) + tag + data
        return c + struct.pack('>I', zlib.crc32(tag + data) & 0xffffffff)

    ihdr = struct.pack('>IIBBBBB', W, H, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr)
            + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def save(canvas, name):
    path = os.path.join(OUT_DIR, name)
    with open(path, 'wb') as f:
        f.write(png_bytes(canvas))
    return path


# ---------------------------------------------------------------------------
# Shared scenery helpers
# ---------------------------------------------------------------------------

COS30 = math.cos(math.radians(30))
# The two floor axes of the isometric walk grid, as screen directions.
ISO_U = (COS30, 0.5)    # towards the lower right
ISO_V = (COS30, -0.5)   # towards the upper right


def iso_quad(cx, cy, a, b):
    """Corners of a floor rectangle seen isometrically: centre (cx, cy),
    half-lengths a along ISO_U and b along ISO_V."""
    (ux, uy), (vx, vy) = ISO_U, ISO_V
    return [(cx - a * ux + b * vx, cy - a * uy + b * vy),
            (cx + a * ux + b * vx, cy + a * uy + b * vy),
            (cx + a * ux - b * vx, cy + a * uy - b * vy),
            (cx - a * ux - b * vx, cy - a * uy - b * vy)]


def inset_quad(q, d):
    """A convex quad moved inwards by roughly d pixels (towards its centre
    along each corner's diagonal, good enough for the near-rhombs used here)."""
    cx = sum(p[0] for p in q) / 4
    cy = sum(p[1] for p in q) / 4
    out = []
    for x, y in q:
        dx, dy = cx - x, cy - y
        ln = math.hypot(dx, dy) or 1.0
        out.append((x + dx / ln * d * 1.9, y + dy / ln * d * 1.9))
    return out


def plank_floor(cv, region, angle, plank_w, board_len, tones, rng, gap=1.6,
                grain=None, end_angle=None):
    """Wooden boards over region: long sides along angle (degrees, counter-
    clockwise on screen), staggered end joints cut along end_angle (by
    default square to the boards; -angle gives isometric board ends), one
    tone per board. The canvas colour under region shows through the gaps
    as seams."""
    a = math.radians(angle)
    dx, dy = math.cos(a), -math.sin(a)      # along the boards
    nx, ny = math.sin(a), math.cos(a)       # across the boards
    ea = a - math.pi / 2 if end_angle is None else math.radians(end_angle)
    # how far an end joint runs along the board per unit across it
    skew = math.cos(ea - a) / math.sin(a - ea)
    x0, y0, x1, y1 = region.bbox
    corners = [(x0, y0), (x1, y0), (x0, y1), (x1, y1)]
    ts = [x * dx + y * dy for x, y in corners]
    ds = [x * nx + y * ny for x, y in corners]

    def P(t, d):
        return (t * dx + d * nx, t * dy + d * ny)

    k0 = int(math.floor(min(ds) / plank_w)) - 1
    k1 = int(math.ceil(max(ds) / plank_w)) + 1
    for k in range(k0, k1):
        d0, d1 = k * plank_w + gap / 2, (k + 1) * plank_w - gap / 2
        t = min(ts) - rng.uniform(0.1, 0.9) * board_len
        while t < max(ts):
            ln = board_len * rng.uniform(0.7, 1.3)
            sk = skew * (d1 - d0)
            board = Poly([P(t + gap / 2, d0), P(t + ln - gap / 2, d0),
                          P(t + ln - gap / 2 + sk, d1), P(t + gap / 2 + sk, d1)])
            shape = Intersect(board, region)
            if shape.bbox[0] < shape.bbox[2] and shape.bbox[1] < shape.bbox[3]:
                tone = tones[rng.randrange(len(tones))]
                cv.fill(shape, tone)
                if grain:
                    # a couple of faint grain lines along the board
                    for _ in range(rng.randrange(1, 3)):
                        gd = rng.uniform(d0 + 4, d1 - 4)
                        g0 = t + rng.uniform(0, ln * 0.3)
                        g1 = t + ln - rng.uniform(0, ln * 0.3)
                        pts = [P(g0, gd), P((g0 + g1) / 2, gd + rng.uniform(-2, 2)), P(g1, gd)]
                        cv.fill(Intersect(Stroke(pts, [0.5, 1.6, 0.5]), region),
                                grain, 0.35)
            t += ln


def glow(cv, cx, cy, rx, ry, colour, alpha, steps=10):
    """A soft light: nested translucent ellipses, densest in the middle.
    Enough rings are used that each one changes the colour by only a level
    or two, so no bands show; steps is a lower bound."""
    steps = max(steps, min(64, int(alpha * 1.6 * 255 / 2.5)))
    for i in range(steps):
        f = 1.0 - i / steps
        cv.fill(Ellipse(cx, cy, rx * f, ry * f), colour, alpha / steps * 1.6)


def edge_shadow(cv, x0, y0, x1, y1, colour, alpha, vertical=True, fade_down=True):
    """A shadow band whose strength fades linearly across its height."""
    if fade_down:
        fa = lambda y: alpha * max(0.0, 1 - (y - y0) / (y1 - y0))
    else:
        fa = lambda y: alpha * max(0.0, (y - y0) / (y1 - y0))
    cv.fill(Rect(x0, y0, x1, y1), colour, fa)


def hshadow(cv, x0, y0, x1, y1, colour, alpha, fade_right=True):
    """A shadow band whose strength fades across its width, in strips."""
    n = max(1, int(abs(x1 - x0) / 3))
    w = (x1 - x0) / n
    for i in range(n):
        f = (i + 0.5) / n
        a = alpha * (1 - f if fade_right else f)
        cv.fill(Rect(x0 + i * w, y0, x0 + (i + 1) * w, y1), colour, a)


WOOD_DARK = (96, 64, 44)
WOOD_MID = (150, 104, 68)
WOOD_LIGHT = (196, 150, 102)
PLASTER = (242, 231, 208)


def wall_band(cv, w, wall_y, plaster=PLASTER, wainscot=True):
    """The back wall: ceiling beam, plaster, picture rail, wainscot, skirting."""
    cv.fill(Rect(0, 0, w, wall_y), gradient([(0, scale(plaster, 1.02)), (wall_y, scale(plaster, 0.93))]))
    cv.fill(Rect(0, 0, w, 26), WOOD_DARK)
    cv.fill(Rect(0, 24, w, 27), scale(WOOD_DARK, 1.35))
    cv.fill(Rect(0, 26, w, 40), (0, 0, 0), lambda y: 0.10 * (40 - y) / 14)
    cv.fill(Rect(0, 62, w, 74), WOOD_MID)
    cv.fill(Rect(0, 62, w, 64), scale(WOOD_MID, 1.2))
    cv.fill(Rect(0, 74, w, 80), (0, 0, 0), lambda y: 0.08 * (80 - y) / 6)
    if wainscot:
        top = wall_y - 96
        cv.fill(Rect(0, top, w, wall_y), gradient([(top, (178, 130, 88)), (wall_y, (160, 114, 76))]))
        cv.fill(Rect(0, top - 8, w, top), (204, 158, 110))
        cv.fill(Rect(0, top - 1, w, top), (130, 90, 60))
        for x in range(24, w, 48):
            cv.fill(Rect(x, top, x + 2, wall_y - 14), (140, 98, 64))
            cv.fill(Rect(x + 2, top, x + 3, wall_y - 14), (196, 148, 104))
    cv.fill(Rect(0, wall_y - 14, w, wall_y), (104, 70, 48))
    cv.fill(Rect(0, wall_y - 14, w, wall_y - 12), (140, 98, 66))


def window(cv, x0, y0, x1, y1, rng, sunset=False, curtains=True):
    """A window in the back wall with sky, a few leaves and a frame."""
    sky = gradient([(y0, (150, 200, 240)), (y1, (222, 238, 248))])
    cv.fill(Rect(x0, y0, x1, y1), sky)
    # a branch with leaves outside
    for i in range(14):
        lx = x1 - rng.uniform(0, (x1 - x0) * 0.45)
        ly = y0 + rng.uniform(0, (y1 - y0) * 0.5)
        cv.fill(Intersect(Ellipse(lx, ly, 16, 9, rng.uniform(0, 3)), Rect(x0, y0, x1, y1)),
                rng.choice([(120, 170, 110), (100, 150, 96), (140, 186, 120)]))
    # light on the glass
    cv.fill(Intersect(Poly([(x0 + 20, y1), (x0 + 90, y0), (x0 + 130, y0), (x0 + 60, y1)]),
                      Rect(x0, y0, x1, y1)), (255, 255, 255), 0.22)
    fr = WOOD_MID
    t = 10
    cv.fill(Rect(x0 - t, y0 - t, x1 + t, y0), fr)
    cv.fill(Rect(x0 - t, y1, x1 + t, y1 + t), fr)
    cv.fill(Rect(x0 - t, y0, x0, y1), fr)
    cv.fill(Rect(x1, y0, x1 + t, y1), fr)
    mx = (x0 + x1) / 2
    cv.fill(Rect(mx - 4, y0, mx + 4, y1), fr)
    cv.fill(Rect(x0 - t - 6, y1 + t, x1 + t + 6, y1 + t + 8), scale(fr, 1.15))
    cv.fill(Rect(x0 - t - 6, y1 + t + 8, x1 + t + 6, y1 + t + 12), scale(fr, 0.7))
    if curtains:
        for side in (0, 1):
            cx = x0 - t + 4 if side == 0 else x1 + t - 4
            sgn = 1 if side == 0 else -1
            pts = [(cx - sgn * 14, y0 - t - 6), (cx + sgn * 44, y0 - t - 6),
                   (cx + sgn * 26, (y0 + y1) / 2 + 10), (cx + sgn * 40, y1 + t + 16),
                   (cx - sgn * 14, y1 + t + 16)]
            cv.fill(Poly(pts), (250, 246, 236))
            cv.fill(Poly([(cx - sgn * 14, y0 - t - 6), (cx + sgn * 6, y0 - t - 6),
                          (cx + sgn * 4, y1 + t + 16), (cx - sgn * 14, y1 + t + 16)]),
                    (226, 218, 204))
            cv.fill(Ellipse(cx + sgn * 22, (y0 + y1) / 2 + 12, 22, 6), (200, 120, 110))
        cv.fill(Rect(x0 - t - 24, y0 - t - 12, x1 + t + 24, y0 - t - 6), (120, 96, 80))


def potted_plant(cv, cx, base_y, rng, size=1.0):
    """A tall leafy plant in a terracotta pot, standing at base_y."""
    s = size
    cv.fill(Ellipse(cx + 10 * s, base_y, 60 * s, 16 * s), (0, 0, 0), 0.18)
    for i in range(11):
        ang = -math.pi / 2 + rng.uniform(-1.1, 1.1)
        ln = rng.uniform(70, 130) * s
        bx, by = cx, base_y - 70 * s
        tx, ty = bx + math.cos(ang) * ln, by + math.sin(ang) * ln
        cv.fill(Stroke(quad((bx, by), ((bx + tx) / 2, by - 30 * s), (tx, ty), 6),
                       [3 * s, 3 * s, 2 * s, 2 * s, 1 * s, 1 * s, 1 * s]), (70, 110, 70))
        cv.fill(Ellipse(tx, ty, 30 * s, 12 * s, ang), rng.choice([(96, 150, 92), (80, 134, 82), (116, 168, 104)]))
        cv.fill(Ellipse(tx - 3, ty - 3, 20 * s, 4 * s, ang), (255, 255, 255), 0.18)
    pot = Poly([(cx - 42 * s, base_y - 84 * s), (cx + 42 * s, base_y - 84 * s),
                (cx + 32 * s, base_y), (cx - 32 * s, base_y)])
    cv.fill(pot, gradient([(base_y - 84 * s, (206, 120, 84)), (base_y, (168, 92, 64))]))
    cv.fill(Intersect(pot, Rect(cx + 14 * s, 0, cx + 60 * s, 4000)), (0, 0, 0), 0.12)
    cv.fill(RRect(cx - 48 * s, base_y - 94 * s, cx + 48 * s, base_y - 78 * s, 4 * s), (216, 132, 94))


# ---------------------------------------------------------------------------
# Backgrounds
# ---------------------------------------------------------------------------

def draw_genkan():
    """Entrance hall: stone shoe area and sliding door at the left, shoe
    cabinet, a curtained doorway and a window on the back wall, wooden floor
    with 30-degree boards and a rug in the middle."""
    W, H = 2048, 1024
    WALL_Y = 300
    rng = random.Random(101)
    cv = Canvas(W, H, bg=(120, 84, 58))
    wall_band(cv, W, WALL_Y)

    # --- wooden floor, boards at 30 degrees to match the walk grid
    floor = Rect(452, WALL_Y, W, H)
    cv.fill(floor, (112, 76, 52))
    plank_floor(cv, floor, 30, 66, 430,
                [(204, 156, 108), (198, 148, 100), (210, 162, 112), (192, 144, 98), (206, 152, 104)],
                rng, gap=2.2, grain=(150, 104, 70), end_angle=-30)

    # --- stone shoe area (tataki) and the raised step edge
    tataki = Rect(0, WALL_Y, 420, H)
    cv.fill(tataki, (150, 142, 134))
    for j, y in enumerate(range(WALL_Y, H, 118)):
        off = 70 if j % 2 else 0
        for x in range(-140 + off, 420, 140):
            cv.fill(Intersect(RRect(x + 3, y + 3, x + 137, y + 115, 6), tataki),
                    rng.choice([(184, 176, 166), (178, 170, 160), (190, 182, 170)]))
    cv.fill(Rect(0, WALL_Y, 420, WALL_Y + 40), (0, 0, 0), lambda y: 0.22 * (WALL_Y + 40 - y) / 40)
    hshadow(cv, 360, WALL_Y, 420, H, (40, 30, 24), 0.3, fade_right=False)
    cv.fill(Rect(420, WALL_Y, 460, H), gradient([(WALL_Y, (150, 98, 62)), (H, (170, 112, 72))]))
    cv.fill(Rect(420, WALL_Y, 424, H), (90, 58, 40))
    cv.fill(Rect(452, WALL_Y, 460, H), (186, 130, 86))
    cv.fill(Rect(458, WALL_Y, 460, H), (110, 74, 50))

    # --- sliding entrance door at the left of the back wall
    dx0, dx1, dy0 = 60, 380, 44
    cv.fill(Rect(dx0 - 14, dy0 - 14, dx1 + 14, WALL_Y), WOOD_DARK)
    for i in range(2):
        px0 = dx0 + i * (dx1 - dx0) / 2
        px1 = px0 + (dx1 - dx0) / 2
        cv.fill(Rect(px0, dy0, px1, WALL_Y), (132, 90, 60))
        gx0, gx1, gy0, gy1 = px0 + 14, px1 - 14, dy0 + 14, WALL_Y - 56
        cv.fill(Rect(gx0, gy0, gx1, gy1), gradient([(gy0, (252, 246, 226)), (gy1, (238, 228, 204))]))
        for y in range(int(gy0) + 38, int(gy1), 38):
            cv.fill(Rect(gx0, y - 2, gx1, y + 2), (132, 90, 60))
        cv.fill(Rect((gx0 + gx1) / 2 - 2, gy0, (gx0 + gx1) / 2 + 2, gy1), (132, 90, 60))
        cv.fill(Rect(gx0 + 4, WALL_Y - 48, gx1 - 4, WALL_Y - 8), (118, 80, 54))
        cv.fill(RRect(px1 - 30 if i == 0 else px0 + 22, 150, (px1 - 22) if i == 0 else px0 + 30, 190, 3), (80, 56, 40))
    cv.fill(Rect(dx0 - 14, WALL_Y - 6, dx1 + 14, WALL_Y), (80, 54, 38))
    # daylight through the door falling on the stone floor
    cv.fill(Poly([(dx0, WALL_Y), (dx1, WALL_Y), (dx1 + 40, WALL_Y + 200), (dx0 + 30, WALL_Y + 200)]),
            (255, 246, 220), lambda y: 0.22 * max(0.0, 1 - (y - WALL_Y) / 200))

    # --- shoes on the stone floor, toes towards the door
    def shoe(x, y, colour):
        cv.fill(Ellipse(x + 4, y + 6, 17, 34), (0, 0, 0), 0.18)
        cv.fill(Ellipse(x, y, 16, 34), colour)
        cv.fill(Ellipse(x, y + 10, 10, 18), scale(colour, 0.55))
        cv.fill(Ellipse(x - 5, y - 16, 5, 10), (255, 255, 255), 0.25)
    shoe(190, 520, (200, 78, 78)); shoe(228, 526, (200, 78, 78))
    shoe(130, 720, (120, 80, 56)); shoe(172, 714, (120, 80, 56))
    shoe(300, 860, (70, 80, 110)); shoe(342, 866, (70, 80, 110))
    # umbrella stand by the door
    cv.fill(Ellipse(26, WALL_Y + 6, 30, 10), (0, 0, 0), 0.2)
    cv.fill(RRect(0, WALL_Y - 90, 46, WALL_Y + 4, 6), (90, 110, 120))
    cv.fill(Stroke([(20, WALL_Y - 90), (30, WALL_Y - 190)], 6), (200, 90, 90))
    cv.fill(Stroke([(30, WALL_Y - 190), (40, WALL_Y - 196)], 4), (60, 40, 30))

    # --- shoe cabinet with a vase and a framed photo
    cx0, cx1, ctop = 540, 900, 166
    cv.fill(Rect(cx0 - 6, WALL_Y - 2, cx1 + 16, WALL_Y + 22), (0, 0, 0), lambda y: 0.25 * (WALL_Y + 22 - y) / 24)
    cv.fill(Rect(cx0, ctop + 22, cx1, WALL_Y), (140, 96, 64))
    cv.fill(Rect(cx0 - 6, ctop, cx1 + 6, ctop + 22), (196, 148, 100))
    cv.fill(Rect(cx0 - 6, ctop + 18, cx1 + 6, ctop + 24), (110, 74, 50))
    half = (cx1 - cx0) / 2
    for i in range(2):
        px = cx0 + 10 + i * half
        cv.fill(Rect(px, ctop + 32, px + half - 20, WALL_Y - 12), (158, 110, 74))
        cv.fill(Rect(px + 12, ctop + 44, px + half - 32, WALL_Y - 24), (148, 102, 68))
        cv.fill(Rect(px + 12, ctop + 44, px + half - 32, ctop + 47), (120, 82, 56))
        hx = px + half - 40 if i == 0 else px + 20
        cv.fill(Ellipse(hx, (ctop + WALL_Y) / 2 + 10, 6, 6), (230, 200, 120))
    # vase with flowers
    vx = 620
    cv.fill(Ellipse(vx, ctop - 18, 26, 34), (110, 150, 190))
    cv.fill(Rect(vx - 9, ctop - 66, vx + 9, ctop - 40), (110, 150, 190))
    cv.fill(Ellipse(vx - 9, ctop - 26, 7, 16), (255, 255, 255), 0.3)
    for i, (fx, fy) in enumerate([(-40, -120), (-10, -140), (24, -124), (46, -96), (-52, -86)]):
        cv.fill(Stroke([(vx, ctop - 60), (vx + fx * 0.6, ctop + fy * 0.6), (vx + fx, ctop + fy)], 3), (90, 140, 80))
        for k in range(5):
            ang = k * 2 * math.pi / 5 + i
            cv.fill(Ellipse(vx + fx + math.cos(ang) * 9, ctop + fy + math.sin(ang) * 9, 9, 7, ang),
                    [(240, 150, 170), (250, 214, 120), (240, 240, 250)][i % 3])
        cv.fill(Ellipse(vx + fx, ctop + fy, 5, 5), (250, 190, 80))
    # framed photo
    cv.fill(Rect(760, ctop - 92, 846, ctop - 2), (120, 84, 56))
    cv.fill(Rect(770, ctop - 82, 836, ctop - 12), gradient([(ctop - 82, (170, 210, 236)), (ctop - 12, (230, 236, 210))]))
    cv.fill(Ellipse(790, ctop - 40, 10, 16), (140, 90, 70))
    cv.fill(Ellipse(816, ctop - 36, 9, 14), (80, 60, 60))
    cv.fill(Ellipse(790, ctop - 58, 8, 8), (250, 220, 196))
    cv.fill(Ellipse(816, ctop - 52, 7, 7), (250, 220, 196))

    # --- wall clock
    cv.fill(Ellipse(1016, 146, 44, 44), (120, 84, 56))
    cv.fill(Ellipse(1016, 146, 36, 36), (252, 248, 236))
    for k in range(12):
        ang = k * math.pi / 6
        cv.fill(Ellipse(1016 + math.cos(ang) * 29, 146 + math.sin(ang) * 29, 2, 2), (90, 70, 60))
    cv.fill(Stroke([(1016, 146), (1016, 122)], 4), (60, 50, 46))
    cv.fill(Stroke([(1016, 146), (1034, 156)], 3), (60, 50, 46))

    # --- doorway with a short curtain (noren) leading further in
    nx0, nx1 = 1140, 1440
    cv.fill(Rect(nx0, 40, nx1, WALL_Y), gradient([(40, (92, 70, 58)), (WALL_Y, (60, 44, 36))]))
    cv.fill(Rect(nx0 - 16, 34, nx0, WALL_Y), WOOD_DARK)
    cv.fill(Rect(nx1, 34, nx1 + 16, WALL_Y), WOOD_DARK)
    cv.fill(Rect(nx0 - 16, 30, nx1 + 16, 46), WOOD_DARK)
    pw = (nx1 - nx0) / 3
    for i in range(3):
        p = Rect(nx0 + i * pw + 3, 50, nx0 + (i + 1) * pw - 3, 206)
        cv.fill(p, (62, 82, 130))
        cv.fill(Intersect(Diff(Ellipse((nx0 + nx1) / 2, 124, 48, 48), Ellipse((nx0 + nx1) / 2, 124, 38, 38)), p),
                (240, 236, 224))
        cv.fill(Intersect(Ellipse((nx0 + nx1) / 2, 124, 18, 18), p), (240, 236, 224))
        cv.fill(Rect(nx0 + i * pw + 3, 196, nx0 + (i + 1) * pw - 3, 206), (50, 66, 108))
    cv.fill(Rect(nx0 - 6, 46, nx1 + 6, 52), (170, 130, 90))
    # floor of the passage beyond
    cv.fill(Rect(nx0, 260, nx1, WALL_Y), (130, 92, 62))

    # --- window on the right with curtains
    window(cv, 1580, 92, 1840, 224, rng)

    # --- light from the window on the floor
    cv.fill(Poly([(1570, WALL_Y), (1850, WALL_Y), (1700, 620), (1420, 620)]),
            (255, 248, 226), lambda y: 0.20 * max(0.0, 1 - (y - WALL_Y) / 320))

    # --- shadow where the floor meets the wall
    cv.fill(Rect(460, WALL_Y, W, WALL_Y + 34), (40, 26, 18), lambda y: 0.25 * (WALL_Y + 34 - y) / 34)

    # --- rug in the middle of the floor
    rc = (1180, 690)
    outer = iso_quad(rc[0], rc[1], 330, 190)
    cv.fill(Shift(Poly(outer), 0, 7), (40, 24, 16), 0.25)
    # fringes on the two short ends
    for end in (-1, 1):
        for i in range(19):
            f = (i + 0.5) / 19 * 2 - 1
            bx = rc[0] + end * 330 * ISO_U[0] + f * 190 * ISO_V[0]
            by = rc[1] + end * 330 * ISO_U[1] + f * 190 * ISO_V[1]
            cv.fill(Stroke([(bx, by), (bx + end * 16 * ISO_U[0], by + end * 16 * ISO_U[1])], 3), (236, 222, 196))
    cv.fill(Poly(outer), (150, 62, 70))
    cv.fill(Poly(inset_quad(outer, 16)), (236, 214, 178))
    cv.fill(Poly(inset_quad(outer, 24)), (176, 82, 86))
    cv.fill(Poly(iso_quad(rc[0], rc[1], 110, 70)), (236, 214, 178))
    cv.fill(Poly(iso_quad(rc[0], rc[1], 84, 48)), (120, 140, 170))
    cv.fill(Poly(iso_quad(rc[0], rc[1], 40, 22)), (236, 214, 178))
    for a in (-220, -170, 170, 220):
        for b in (-110, 0, 110):
            if b == 0 and abs(a) < 200:
                continue
            x = rc[0] + a * ISO_U[0] + b * ISO_V[0]
            y = rc[1] + a * ISO_U[1] + b * ISO_V[1]
            cv.fill(Poly(iso_quad(x, y, 14, 14)), (236, 214, 178))
    cv.fill(Poly(inset_quad(outer, 24)), (255, 255, 255), lambda y: 0.07 * max(0.0, 1 - (y - 480) / 300))

    # --- plant in the right corner
    potted_plant(cv, 1960, WALL_Y + 36, rng)

    # --- a gentle darkening towards the bottom edge
    cv.fill(Rect(0, 820, W, H), (30, 20, 14), lambda y: 0.16 * (y - 820) / 204)
    return cv



def shoji(cv, x0, y0, x1, y1):
    """A sliding paper door: light wooden frame, glowing paper, lattice."""
    frame = (206, 172, 126)
    lattice = (196, 160, 114)
    cv.fill(Rect(x0, y0, x1, y1), frame)
    cv.fill(Rect(x1 - 3, y0, x1, y1), scale(frame, 0.8))
    px0, px1, py0, py1 = x0 + 10, x1 - 10, y0 + 10, y1 - 46
    cv.fill(Rect(px0, py0, px1, py1), gradient([(py0, (252, 249, 238)), (py1, (244, 236, 216))]))
    cols = 4
    rows = 6
    for i in range(1, cols):
        x = px0 + (px1 - px0) * i / cols
        cv.fill(Rect(x - 1.5, py0, x + 1.5, py1), lattice)
    for j in range(1, rows):
        y = py0 + (py1 - py0) * j / rows
        cv.fill(Rect(px0, y - 1.5, px1, y + 1.5), lattice)
    cv.fill(Rect(px0, py1, px1, y1 - 8), (186, 148, 104))
    cv.fill(Rect(px0, py1, px1, py1 + 3), (160, 124, 86))
    # recessed finger pull
    hx = x1 - 26
    cv.fill(RRect(hx - 5, (py0 + py1) / 2 - 14, hx + 5, (py0 + py1) / 2 + 14, 4), (150, 116, 80))


def room_glimpse(cv, x0, y0, x1, y1):
    """The dim room seen through an opened door: wall, scroll, tatami."""
    cv.fill(Rect(x0, y0, x1, y1), gradient([(y0, (128, 108, 90)), (y1, (92, 74, 60))]))
    cv.fill(Rect(x0, y1 - 70, x1, y1), (150, 148, 100))
    cv.fill(Rect(x0, y1 - 72, x1, y1 - 66), (70, 70, 56))
    cx = (x0 + x1) / 2
    cv.fill(Rect(cx - 22, y0 + 40, cx + 22, y0 + 180), (214, 206, 186))
    cv.fill(Ellipse(cx, y0 + 92, 11, 11), (190, 90, 80))


def draw_rouka():
    """A long corridor: paper sliding doors along the back wall, a hanging
    scroll and a paper lamp, a bright window at the right end, and long
    polished boards that catch the light."""
    W, H = 2048, 1024
    WALL_Y = 400
    rng = random.Random(202)
    cv = Canvas(W, H, bg=(110, 76, 52))
    wall_band(cv, W, WALL_Y, wainscot=False)

    # --- floor: long boards along the corridor
    floor = Rect(0, WALL_Y, W, H)
    plank_floor(cv, floor, 0, 52, 640,
                [(196, 146, 98), (188, 138, 92), (202, 152, 104), (184, 136, 90)],
                rng, gap=2.0, grain=(146, 102, 68))
    # polish: a soft sheen that fades towards the viewer
    cv.fill(floor, (255, 240, 214), lambda y: 0.10 * max(0.0, 1 - (y - WALL_Y) / 400))

    # --- pillars and the sections between them
    pillars = [60, 560, 1060, 1540, 2010]
    y0, y1 = 86, WALL_Y - 8
    # two pairs of paper doors; in the second pair the left door is slid
    # behind the right one, showing the room beyond
    shoji(cv, 74, y0, 316, y1)
    shoji(cv, 304, y0, 546, y1)
    room_glimpse(cv, 574, y0, 700, y1)
    shoji(cv, 700, y0, 942, y1)
    shoji(cv, 804, y0, 1046, y1)
    # sills under the doors
    cv.fill(Rect(0, WALL_Y - 10, 1060, WALL_Y), (170, 126, 86))
    # reflections of the glowing doors on the polished floor
    for a, b in ((74, 546), (574, 1046)):
        cv.fill(Rect(a, WALL_Y + 4, b, WALL_Y + 220), (255, 250, 236),
                lambda y: 0.16 * max(0.0, 1 - (y - WALL_Y) / 220))
        for i in range(1, 8):
            x = a + (b - a) * i / 8
            cv.fill(Rect(x - 1.5, WALL_Y + 4, x + 1.5, WALL_Y + 120), (196, 150, 104),
                    lambda y: 0.35 * max(0.0, 1 - (y - WALL_Y) / 120))

    # section three: plain wall with a hanging scroll and a paper lamp
    sx = 1300
    cv.fill(Rect(sx - 70, 92, sx + 70, 100), (120, 84, 56))
    cv.fill(Rect(sx - 62, 100, sx + 62, 330), (232, 222, 196))
    cv.fill(Rect(sx - 50, 116, sx + 50, 300), (250, 246, 232))
    cv.fill(Poly([(sx - 50, 270), (sx - 20, 220), (sx, 244), (sx + 26, 200), (sx + 50, 250), (sx + 50, 300), (sx - 50, 300)]),
            (150, 160, 170))
    cv.fill(Poly([(sx - 50, 284), (sx - 10, 250), (sx + 20, 272), (sx + 50, 262), (sx + 50, 300), (sx - 50, 300)]),
            (110, 120, 134))
    cv.fill(Ellipse(sx + 18, 160, 18, 18), (214, 96, 84))
    cv.fill(Rect(sx - 66, 326, sx + 66, 336), (120, 84, 56))
    cv.fill(Rect(sx - 70, 336, sx + 70, 350), (0, 0, 0), lambda y: 0.12 * (350 - y) / 14)
    # paper floor lamp (andon) with a pool of warm light
    lx, ly = 1170, WALL_Y + 40
    glow(cv, lx, ly, 220, 90, (255, 214, 150), 0.35, steps=12)
    cv.fill(Ellipse(lx + 6, ly + 4, 50, 14), (0, 0, 0), 0.2)
    cv.fill(Rect(lx - 38, ly - 150, lx + 38, ly - 10), gradient([(ly - 150, (255, 240, 196)), (ly - 10, (255, 226, 170))]))
    for x in (lx - 38, lx + 34):
        cv.fill(Rect(x, ly - 160, x + 4, ly), (80, 54, 38))
    for y in (ly - 160, ly - 90, ly - 14):
        cv.fill(Rect(lx - 40, y, lx + 40, y + 4), (80, 54, 38))
    glow(cv, lx, ly - 80, 120, 120, (255, 220, 160), 0.18, steps=8)

    # section four: the window at the end of the corridor
    wx0, wx1 = 1600, 1950
    cv.fill(Rect(wx0 - 16, 86, wx1 + 16, WALL_Y - 8), (206, 172, 126))
    cv.fill(Rect(wx0, 100, wx1, WALL_Y - 22), gradient([(100, (150, 204, 244)), (WALL_Y - 22, (226, 242, 250))]))
    # garden outside: hedge and a tree
    cv.fill(Intersect(Union(*[Ellipse(wx0 + i * 50, WALL_Y - 60, 46, 40) for i in range(9)]),
                      Rect(wx0, 100, wx1, WALL_Y - 22)), (120, 170, 110))
    cv.fill(Intersect(Union(Ellipse(wx1 - 70, 170, 90, 70), Ellipse(wx1 - 150, 200, 70, 60)),
                      Rect(wx0, 100, wx1, WALL_Y - 22)), (140, 186, 120))
    cv.fill(Intersect(Rect(wx1 - 84, 200, wx1 - 70, WALL_Y - 60), Rect(wx0, 100, wx1, WALL_Y - 22)), (120, 90, 70))
    for i in range(1, 3):
        x = wx0 + (wx1 - wx0) * i / 3
        cv.fill(Rect(x - 4, 100, x + 4, WALL_Y - 22), (206, 172, 126))
    cv.fill(Rect(wx0, 230, wx1, 236), (206, 172, 126))
    cv.fill(Poly([(wx0 + 20, WALL_Y - 22), (wx0 + 90, 100), (wx0 + 140, 100), (wx0 + 70, WALL_Y - 22)]),
            (255, 255, 255), 0.2)
    glow(cv, (wx0 + wx1) / 2, 240, 330, 200, (255, 250, 230), 0.25, steps=10)
    # sunlight on the floor below the window
    cv.fill(Poly([(wx0, WALL_Y), (wx1, WALL_Y), (wx1 - 120, 760), (wx0 - 240, 760)]),
            (255, 246, 214), lambda y: 0.32 * max(0.0, 1 - (y - WALL_Y) / 360))
    for i in range(1, 3):
        x = wx0 + (wx1 - wx0) * i / 3
        cv.fill(Poly([(x - 4, WALL_Y), (x + 4, WALL_Y), (x - 40 * i - 50, 760), (x - 40 * i - 60, 760)]),
                (150, 104, 70), lambda y: 0.18 * max(0.0, 1 - (y - WALL_Y) / 360))

    # pillars last so they frame every section
    for x in pillars:
        cv.fill(Rect(x - 14, 26, x + 14, WALL_Y), (150, 108, 72))
        cv.fill(Rect(x - 14, 26, x - 9, WALL_Y), (180, 134, 92))
        cv.fill(Rect(x + 10, 26, x + 14, WALL_Y), (118, 82, 56))
    cv.fill(Rect(0, WALL_Y, W, WALL_Y + 30), (40, 26, 18), lambda y: 0.22 * (WALL_Y + 30 - y) / 30)

    # a small flower stand by the window
    potted_plant(cv, 1500, WALL_Y + 40, rng, size=0.8)

    cv.fill(Rect(0, 840, W, H), (30, 20, 14), lambda y: 0.18 * (y - 840) / 184)
    return cv


TATAMI = (206, 200, 140)


def tatami_floor(cv, y_top, unit, origin, rng):
    """Tatami mats laid in running bond on the isometric grid: long sides
    along ISO_U with dark cloth borders, fine rush lines along ISO_V."""
    W, H = cv.w, cv.h
    # Rush texture: lines along ISO_V are a horizontal pattern shifted by
    # sqrt(3) pixels per row, so each row is a slice of one template row
    # (four templates for quarter-pixel shifts keep the lines smooth).
    period = 14
    base = TATAMI
    line = scale(TATAMI, 0.93)
    templates = []
    for q in range(4):
        shift = q / 4
        tmpl = [bytearray(W + period) for _ in range(3)]
        for x in range(W + period):
            # coverage of a 2.4 px line centred on multiples of period
            pos = (x + 0.5 + shift) % period
            d = min(pos, period - pos)
            cov = max(0.0, min(1.0, 1.7 - d))
            c = mix(base, line, cov)
            for k in range(3):
                tmpl[k][x] = c[k]
        templates.append(tmpl)
    for y in range(y_top, H):
        off = math.sqrt(3) * (y + 0.5)
        o = int(off)
        q = int((off - o) * 4)
        o %= period
        for k in range(3):
            cv.planes[k][y * W:(y + 1) * W] = templates[q][k][o:o + W]

    region = Rect(0, y_top, W, H)
    ox, oy = origin
    (ux, uy), (vx, vy) = ISO_U, ISO_V

    def P(a, b):
        return (ox + (a * ux + b * vx) * unit, oy + (a * uy + b * vy) * unit)

    # mats: shade each one a little differently, seams at the short ends
    for j in range(-8, 9):
        for i in range(-8, 9):
            a0 = 2 * i + (j % 2)
            mat = Poly([P(a0, j), P(a0 + 2, j), P(a0 + 2, j + 1), P(a0, j + 1)])
            shape = Intersect(mat, region)
            if shape.bbox[0] >= shape.bbox[2] or shape.bbox[1] >= shape.bbox[3]:
                continue
            if shape.bbox[1] > H or shape.bbox[3] < y_top:
                continue
            tone = rng.choice([(255, 250, 210, 0.10), (120, 120, 60, 0.06), (255, 240, 190, 0.04), (140, 130, 70, 0.10)])
            cv.fill(shape, tone[:3], tone[3])
            seam = Stroke([P(a0, j), P(a0, j + 1)], 2.2)
            cv.fill(Intersect(seam, region), (150, 140, 92))
    # borders (heri) along every long edge line
    for j in range(-8, 10):
        band = Poly([P(-30, j - 0.045), P(30, j - 0.045), P(30, j + 0.045), P(-30, j + 0.045)])
        cv.fill(Intersect(band, region), (58, 66, 54))
        thin = Stroke([P(-30, j - 0.01), P(30, j - 0.01)], 1.6)
        cv.fill(Intersect(thin, region), (110, 120, 96))


def iso_box(cv, cx, cy, a, b, h, top, side_l, side_r, thick=None):
    """A box standing on the floor at (cx, cy): the two front faces and the
    top. With thick set, only a slab of that thickness at height h is drawn
    (a table top)."""
    q = iso_quad(cx, cy - h, a, b)   # top face corners: TL, R(top), BR, BL
    t = h if thick is None else thick
    # q[3] is the lowest-left corner, q[2] the lowest, q[1] the right one
    left = Poly([q[3], q[2], (q[2][0], q[2][1] + t), (q[3][0], q[3][1] + t)])
    right = Poly([q[2], q[1], (q[1][0], q[1][1] + t), (q[2][0], q[2][1] + t)])
    cv.fill(left, side_l)
    cv.fill(right, side_r)
    cv.fill(Poly(q), top)
    return q


def zabuton(cv, cx, cy, colour):
    """A square floor cushion lying on the tatami."""
    s = 74
    cv.fill(Shift(Poly(iso_quad(cx, cy, s, s)), 0, 8), (40, 40, 20), 0.25)
    iso_box(cv, cx, cy, s, s, 12, colour, scale(colour, 0.78), scale(colour, 0.66))
    q = iso_quad(cx, cy - 12, s - 10, s - 10)
    cv.fill(Poly(q), (255, 255, 255), 0.08)
    cv.fill(Poly(iso_quad(cx, cy - 12, 8, 8)), scale(colour, 0.7))
    for k in range(4):
        cv.fill(Stroke([(cx, cy - 12), (q[k][0] * 0.15 + cx * 0.85, q[k][1] * 0.15 + (cy - 12) * 0.85)], 2),
                scale(colour, 0.75))


def draw_heya0():
    """A tatami room: a window and a chest of drawers, an alcove with a
    scroll and a branch in a vase, mats on the isometric grid, a low table
    with tea and cushions."""
    W, H = 2048, 1024
    WALL_Y = 330
    rng = random.Random(303)
    cv = Canvas(W, H, bg=TATAMI)
    wall_band(cv, W, WALL_Y, plaster=(236, 222, 196), wainscot=False)
    tatami_floor(cv, WALL_Y, 150, (1010, 690), rng)

    # window with light on the mats
    window(cv, 200, 100, 560, 270, rng)
    cv.fill(Poly([(190, WALL_Y), (570, WALL_Y), (780, 640), (400, 640)]),
            (255, 250, 226), lambda y: 0.24 * max(0.0, 1 - (y - WALL_Y) / 310))

    # chest of drawers (tansu)
    tx0, tx1, ttop = 760, 1040, 150
    cv.fill(Rect(tx0 - 4, WALL_Y - 2, tx1 + 14, WALL_Y + 20), (0, 0, 0), lambda y: 0.22 * (WALL_Y + 20 - y) / 22)
    cv.fill(Rect(tx0, ttop, tx1, WALL_Y), (150, 92, 56))
    cv.fill(Rect(tx0 - 6, ttop - 10, tx1 + 6, ttop + 4), (176, 112, 70))
    for j, (a, b) in enumerate(((ttop + 14, ttop + 60), (ttop + 66, ttop + 116), (ttop + 122, WALL_Y - 10))):
        cv.fill(Rect(tx0 + 10, a, tx1 - 10, b), (166, 104, 64))
        cv.fill(Rect(tx0 + 10, b - 3, tx1 - 10, b), (120, 72, 44))
        for hx in ((tx0 + tx1) / 2 - 60, (tx0 + tx1) / 2 + 60):
            cv.fill(Diff(Ellipse(hx, (a + b) / 2, 13, 10), Ellipse(hx, (a + b) / 2 + 2, 9, 6)), (70, 60, 56))
            cv.fill(Rect(hx - 16, (a + b) / 2 - 12, hx + 16, (a + b) / 2 - 8), (70, 60, 56))
    # a doll and a small radio on the chest
    cv.fill(Ellipse(820, ttop - 40, 22, 30), (220, 90, 90))
    cv.fill(Ellipse(820, ttop - 78, 16, 16), (250, 230, 210))
    cv.fill(Ellipse(820, ttop - 84, 17, 12), (50, 40, 40))
    cv.fill(RRect(940, ttop - 56, 1010, ttop - 10, 8), (110, 150, 150))
    cv.fill(Ellipse(962, ttop - 33, 14, 14), (80, 100, 100))
    cv.fill(Rect(984, ttop - 46, 1000, ttop - 20), (230, 230, 220))

    # alcove (tokonoma) on the right with a scroll and a branch in a vase
    ax0, ax1 = 1440, 1900
    cv.fill(Rect(ax0, 30, ax1, WALL_Y), gradient([(30, (214, 198, 170)), (WALL_Y, (200, 184, 156))]))
    cv.fill(Rect(ax0, 30, ax0 + 40, WALL_Y), (0, 0, 0), 0.06)
    cv.fill(Rect(ax0 - 16, 26, ax0, WALL_Y), (140, 100, 66))
    cv.fill(Rect(ax1, 26, ax1 + 22, WALL_Y), (124, 90, 60))
    cv.fill(Rect(ax0 - 16, 26, ax1 + 22, 46), WOOD_DARK)
    cv.fill(Rect(ax0, WALL_Y - 30, ax1, WALL_Y), (170, 116, 72))
    cv.fill(Rect(ax0, WALL_Y - 30, ax1, WALL_Y - 26), (196, 140, 92))
    sx = 1640
    cv.fill(Rect(sx - 60, 56, sx + 60, 270), (196, 176, 150))
    cv.fill(Rect(sx - 48, 72, sx + 48, 252), (250, 246, 234))
    cv.fill(Diff(Ellipse(sx, 150, 34, 34), Ellipse(sx + 5, 146, 26, 27)), (60, 56, 60))
    cv.fill(Stroke([(sx - 12, 200), (sx - 6, 216), (sx - 10, 236)], [4, 5, 2]), (60, 56, 60))
    cv.fill(Stroke([(sx + 8, 200), (sx + 12, 222)], [4, 2]), (60, 56, 60))
    cv.fill(Rect(sx - 64, 50, sx + 64, 58), (110, 80, 56))
    cv.fill(Rect(sx - 64, 266, sx + 64, 276), (110, 80, 56))
    vx = 1790
    cv.fill(Ellipse(vx, WALL_Y - 58, 26, 30), (70, 90, 120))
    cv.fill(Rect(vx - 8, WALL_Y - 104, vx + 8, WALL_Y - 80), (70, 90, 120))
    cv.fill(Stroke([(vx, WALL_Y - 100), (vx - 30, WALL_Y - 170), (vx - 10, WALL_Y - 230), (vx - 50, WALL_Y - 270)], [5, 4, 3, 2]), (90, 64, 50))
    for bx, by in [(vx - 30, WALL_Y - 170), (vx - 10, WALL_Y - 230), (vx - 50, WALL_Y - 270), (vx - 22, WALL_Y - 200), (vx - 38, WALL_Y - 250)]:
        for k in range(5):
            ang = k * 2 * math.pi / 5
            cv.fill(Ellipse(bx + math.cos(ang) * 6, by + math.sin(ang) * 6, 6, 5, ang), (248, 196, 206))
        cv.fill(Ellipse(bx, by, 3, 3), (220, 120, 140))

    # pillars
    for x in (120, 680, 1300, 1960):
        cv.fill(Rect(x - 14, 26, x + 14, WALL_Y), (150, 108, 72))
        cv.fill(Rect(x - 14, 26, x - 9, WALL_Y), (180, 134, 92))
        cv.fill(Rect(x + 10, 26, x + 14, WALL_Y), (118, 82, 56))
    cv.fill(Rect(0, WALL_Y, W, WALL_Y + 30), (40, 40, 20), lambda y: 0.22 * (WALL_Y + 30 - y) / 30)

    # cushions and the low table, back to front
    tcx, tcy = 1020, 690
    zabuton(cv, tcx - 250 * ISO_U[0], tcy - 250 * ISO_U[1], (150, 70, 80))
    zabuton(cv, tcx + 200 * ISO_V[0], tcy + 200 * ISO_V[1], (150, 70, 80))
    # table shadow, legs, top slab
    cv.fill(Poly(iso_quad(tcx, tcy + 10, 190, 130)), (40, 40, 20), 0.22)
    ta, tb, th = 180, 120, 96
    for sa, sb in ((-1, -1), (1, -1), (1, 1), (-1, 1)):
        lx = tcx + sa * (ta - 20) * ISO_U[0] + sb * (tb - 20) * ISO_V[0]
        ly = tcy + sa * (ta - 20) * ISO_U[1] + sb * (tb - 20) * ISO_V[1]
        cv.fill(Rect(lx - 9, ly - th, lx + 9, ly), (110, 60, 36))
        cv.fill(Rect(lx - 9, ly - th, lx - 4, ly), (140, 84, 52))
    q = iso_box(cv, tcx, tcy, ta, tb, th, (168, 96, 58), (126, 70, 42), (110, 60, 36), thick=18)
    cv.fill(Poly(iso_quad(tcx, tcy - th, ta - 12, tb - 12)), (184, 110, 68))
    cv.fill(Poly([q[0], q[1], (q[1][0] - 40, q[1][1] + 10), (q[0][0] + 40, q[0][1] + 10)]), (255, 255, 255), 0.10)
    # tea things on the table
    top_y = tcy - th
    cv.fill(Ellipse(tcx - 40, top_y + 10, 40, 16), (0, 0, 0), 0.18)
    cv.fill(Ellipse(tcx - 46, top_y - 16, 36, 30), (90, 120, 110))
    cv.fill(Ellipse(tcx - 46, top_y - 44, 16, 7), (70, 100, 90))
    cv.fill(Stroke([(tcx - 14, top_y - 20), (tcx + 4, top_y - 34)], 8), (90, 120, 110))
    cv.fill(Diff(Ellipse(tcx - 46, top_y - 50, 22, 16), Ellipse(tcx - 46, top_y - 46, 16, 10)), (60, 46, 36))
    cv.fill(Ellipse(tcx - 58, top_y - 24, 8, 10), (255, 255, 255), 0.25)
    for cx, cy in ((tcx + 60, top_y + 24), (tcx + 40, top_y - 30)):
        cv.fill(Ellipse(cx + 3, cy + 6, 16, 7), (0, 0, 0), 0.18)
        cv.fill(Rect(cx - 14, cy - 16, cx + 14, cy), (240, 236, 224))
        cv.fill(Ellipse(cx, cy, 14, 6), (240, 236, 224))
        cv.fill(Ellipse(cx, cy - 16, 14, 6), (140, 160, 90))
        cv.fill(Rect(cx - 14, cy - 8, cx + 14, cy - 5), (120, 140, 170))
    # a bowl of mandarins
    bx, by = tcx + 120 * ISO_V[0] - 30, top_y + 120 * ISO_V[1] + 40
    cv.fill(Ellipse(bx, by + 6, 44, 14), (0, 0, 0), 0.18)
    for ox, oy in ((-16, -14), (14, -16), (0, -30), (-2, -8)):
        cv.fill(Ellipse(bx + ox, by + oy, 15, 14), (238, 150, 60))
        cv.fill(Ellipse(bx + ox - 4, by + oy - 5, 5, 4), (255, 214, 150))
    cv.fill(Diff(Ellipse(bx, by - 4, 40, 18), Ellipse(bx, by - 14, 40, 14)), (60, 80, 130))
    zabuton(cv, tcx + 260 * ISO_U[0], tcy + 260 * ISO_U[1], (70, 90, 140))

    cv.fill(Rect(0, 840, W, H), (30, 26, 10), lambda y: 0.16 * (y - 840) / 184)
    return cv


def star_shape(cx, cy, r_out, r_in, points=4, rot=-math.pi / 2, squash=1.0):
    """A pointed star polygon (4 points makes a sparkle)."""
    pts = []
    for k in range(points * 2):
        r = r_out if k % 2 == 0 else r_in
        a = rot + k * math.pi / points
        pts.append((cx + math.cos(a) * r, cy + math.sin(a) * r * squash))
    return Poly(pts)


def magic_circle(cv, cx, cy, R, colour, core, rng, squash=0.5, rich=True):
    """A glowing circle drawn on the ground (squashed for the viewing angle):
    rings, a band of rune marks, a six-pointed star and a bright centre."""
    def P(r, ang):
        return (cx + math.cos(ang) * r, cy + math.sin(ang) * r * squash)

    def ring(r0, r1, col, a):
        cv.fill(Diff(Ellipse(cx, cy, r1, r1 * squash), Ellipse(cx, cy, r0, r0 * squash)), col, a)

    glow(cv, cx, cy, R * 1.6, R * 1.6 * squash, colour, 0.45, steps=14)
    ring(R - 30, R + 18, colour, 0.18)
    ring(R - 10, R, core, 0.95)
    ring(R - 46, R - 40, core, 0.9)
    # rune marks between the two rings
    n = 40 if rich else 20
    for k in range(n):
        ang = k * 2 * math.pi / n
        kind = rng.randrange(3)
        if kind == 0:
            x, y = P(R - 25, ang)
            cv.fill(Ellipse(x, y, 4, 4 * squash + 1), core, 0.9)
        elif kind == 1:
            cv.fill(Stroke([P(R - 34, ang), P(R - 16, ang)], 3), core, 0.9)
        else:
            cv.fill(Poly([P(R - 34, ang - 0.02), P(R - 16, ang), P(R - 34, ang + 0.02)]), core, 0.9)
    r = R - 46
    for off in (0.0, math.pi / 3):
        tri = [P(r, -math.pi / 2 + off + k * 2 * math.pi / 3) for k in range(4)]
        cv.fill(Stroke(tri, 14), colour, 0.18)
        cv.fill(Stroke(tri, 4), core, 0.9)
    ring(r * 0.5 - 4, r * 0.5, core, 0.9)
    if rich:
        ring(r * 0.5 - 26, r * 0.5 - 22, core, 0.7)
    glow(cv, cx, cy, r * 0.45, r * 0.45 * squash, (255, 255, 255), 0.5, steps=8)


def draw_magic():
    """A night garden: starry sky with a crescent moon, the house and trees
    as silhouettes, and glowing circles on the grass with rising sparks."""
    W, H = 2048, 1024
    HOR = 560
    rng = random.Random(404)
    cv = Canvas(W, H)
    cv.fill(Rect(0, 0, W, HOR + 40), gradient([(0, (12, 16, 44)), (280, (30, 32, 82)), (HOR, (84, 58, 120))]))
    # a faint band of the galaxy
    for i in range(7):
        cv.fill(Ellipse(300 + i * 240, 120 + i * 50 + rng.uniform(-20, 20), 300, 90, 0.42), (200, 190, 255), 0.02)
        cv.fill(Ellipse(300 + i * 240, 120 + i * 50, 200, 40, 0.42), (200, 190, 255), 0.02)
    # stars, denser and brighter high up
    for i in range(340):
        x = rng.uniform(0, W)
        y = HOR * (rng.random() ** 1.6)
        r = rng.uniform(0.7, 1.9)
        col = rng.choice([(255, 255, 255), (255, 244, 214), (210, 226, 255)])
        cv.fill(Ellipse(x, y, r, r), col, rng.uniform(0.45, 1.0) * (1 - y / HOR * 0.6))
    for i in range(16):
        x, y = rng.uniform(40, W - 40), rng.uniform(20, HOR - 140)
        r = rng.uniform(9, 18)
        glow(cv, x, y, r * 1.6, r * 1.6, (220, 230, 255), 0.14, steps=6)
        cv.fill(star_shape(x, y, r, r * 0.18), (255, 255, 250), 0.95)
        cv.fill(star_shape(x, y, r * 0.5, r * 0.12, rot=-math.pi / 4), (255, 255, 250), 0.7)
    # crescent moon with a halo
    mx, my = 1680, 150
    glow(cv, mx, my, 190, 190, (240, 230, 200), 0.3, steps=12)
    cv.fill(Diff(Ellipse(mx, my, 58, 58), Ellipse(mx + 24, my - 16, 52, 52)), (252, 246, 214))
    # distant hills
    hill = [(0, HOR + 40)]
    for x in range(0, W + 64, 64):
        hill.append((x, HOR - 40 - 34 * math.sin(x / 300.0) - 20 * math.sin(x / 97.0 + 1)))
    hill.append((W, HOR + 40))
    cv.fill(Poly(hill), (46, 40, 88))
    # ground
    cv.fill(Rect(0, HOR, W, H), gradient([(HOR, (30, 52, 66)), (H, (14, 28, 38))]))
    # the house at the left, one warm window
    cv.fill(Rect(60, 330, 520, HOR + 30), (28, 26, 54))
    cv.fill(Poly([(30, 340), (290, 200), (550, 340)]), (22, 20, 46))
    cv.fill(Rect(400, 220, 440, 300), (22, 20, 46))
    glow(cv, 220, 430, 140, 110, (255, 200, 120), 0.3, steps=8)
    cv.fill(Rect(180, 390, 260, 470), (255, 214, 140))
    cv.fill(Rect(218, 390, 222, 470), (28, 26, 54))
    cv.fill(Rect(180, 428, 260, 432), (28, 26, 54))
    cv.fill(Rect(330, 400, 400, 470), (60, 56, 96))
    # fence along the back of the garden
    fence = (36, 34, 66)
    cv.fill(Rect(520, HOR - 20, 1780, HOR - 10), fence)
    cv.fill(Rect(520, HOR + 14, 1780, HOR + 24), fence)
    for x in range(530, 1780, 56):
        cv.fill(Poly([(x - 8, HOR + 40), (x - 8, HOR - 40), (x, HOR - 50), (x + 8, HOR - 40), (x + 8, HOR + 40)]), fence)
    # trees: round canopies
    for tx, ty, s in ((1880, 380, 1.25), (640, 440, 0.8), (1580, 470, 0.75)):
        cv.fill(Rect(tx - 14 * s, ty, tx + 14 * s, HOR + 50), (20, 22, 40))
        blobs = [Ellipse(tx + dx * s, ty + dy * s, r * s, r * s) for dx, dy, r in
                 ((0, -60, 110), (-90, 10, 90), (90, 0, 95), (-30, 60, 90), (50, 60, 80))]
        cv.fill(Union(*blobs), (20, 34, 50))
        cv.fill(Intersect(Union(*blobs), Shift(Union(*blobs), -16 * s, 20 * s)), (26, 44, 60))
    # bushes with pale flowers along the fence
    for i in range(14):
        bx = 560 + i * 90 + rng.uniform(-20, 20)
        cv.fill(Ellipse(bx, HOR + 40, rng.uniform(50, 80), rng.uniform(34, 50)), (24, 48, 58))
        for k in range(4):
            cv.fill(Ellipse(bx + rng.uniform(-40, 40), HOR + 30 + rng.uniform(-20, 16), 4, 3), (230, 220, 250), 0.7)
    # stepping stones from the house towards the circle
    for i, (sx, sy) in enumerate(((300, 640), (420, 690), (560, 730), (700, 760))):
        cv.fill(Ellipse(sx, sy + 4, 52, 18), (8, 16, 24), 0.4)
        cv.fill(Ellipse(sx, sy, 50, 17), (70, 84, 104))
        cv.fill(Ellipse(sx - 6, sy - 4, 36, 9), (110, 124, 146), 0.5)
    # grass tufts
    for i in range(170):
        gx, gy = rng.uniform(0, W), rng.uniform(HOR + 50, H)
        col = (42, 74, 78) if rng.random() < 0.6 else (20, 40, 46)
        for k in range(3):
            lean = rng.uniform(-8, 8)
            cv.fill(Poly([(gx + k * 6 - 3, gy), (gx + k * 6 + lean, gy - rng.uniform(12, 24)), (gx + k * 6 + 3, gy)]), col, 0.8)
    # the glowing circles
    magic_circle(cv, 1120, 800, 330, (110, 220, 255), (200, 250, 255), rng)
    magic_circle(cv, 360, 900, 120, (230, 140, 230), (255, 220, 250), rng, rich=False)
    magic_circle(cv, 1800, 880, 140, (250, 200, 110), (255, 240, 200), rng, rich=False)
    # a column of light over the main circle
    for w, a in ((300, 0.05), (220, 0.06), (120, 0.08)):
        cv.fill(Rect(1120 - w, 120, 1120 + w, 800), (160, 240, 255),
                lambda y, a=a: a * ((y - 120) / 680) ** 2)
    # rising sparks and fireflies
    for i in range(70):
        x = 1120 + rng.gauss(0, 150)
        y = 800 - rng.uniform(0, 520) * rng.random()
        r = rng.uniform(1.5, 4)
        col = (200, 250, 255) if rng.random() < 0.75 else (255, 236, 170)
        glow(cv, x, y, r * 3.5, r * 3.5, col, 0.14, steps=5)
        cv.fill(Ellipse(x, y, r, r), (255, 255, 255), 0.95)
    for i in range(28):
        x, y = rng.uniform(0, W), rng.uniform(HOR - 60, H - 40)
        glow(cv, x, y, 12, 12, (230, 250, 140), 0.16, steps=5)
        cv.fill(Ellipse(x, y, 2.4, 2.4), (250, 255, 200), 0.9)
    cv.fill(Rect(0, 860, W, H), (0, 0, 10), lambda y: 0.25 * (y - 860) / 164)
    return cv


# ---- the street, by day and at sunset ------------------------------------

class Tint:
    """Colour treatment for the street: identity by day; at sunset every
    colour is darkened and pulled towards a warm orange."""
    def __init__(self, sunset):
        self.sunset = sunset

    def __call__(self, c):
        if not self.sunset:
            return c
        return mix(scale(c, 0.72), (236, 130, 96), 0.22)


def cloud(cv, cx, cy, s, top, bottom, alpha=1.0):
    blobs = [Ellipse(cx + dx * s, cy + dy * s, r * s, r * s * 0.8) for dx, dy, r in
             ((0, 0, 70), (-80, 16, 52), (80, 14, 56), (-30, -30, 56), (40, -26, 50), (130, 26, 36), (-130, 28, 34))]
    shape = Union(*blobs)
    cv.fill(shape, top, alpha)
    cv.fill(Intersect(shape, Rect(cx - 400 * s, cy + 18 * s, cx + 400 * s, cy + 200 * s)), bottom, alpha)


def house(cv, t, x0, x1, top, wall, roof, roof_kind, rng, sunset, floors=2):
    """A house front: wall, roof (gable or hipped), windows, door."""
    base = 760
    # wall with a darker right edge and the shade under the eaves
    cv.fill(Rect(x0, top, x1, base), t(wall))
    cv.fill(Rect(x1 - 22, top, x1, base), t(scale(wall, 0.86)))
    cv.fill(Rect(x0, top, x1, top + 26), (40, 30, 40), 0.12)
    w = x1 - x0
    if roof_kind == 'gable':
        pts = [(x0 - 30, top + 6), ((x0 + x1) / 2, top - w * 0.36), (x1 + 30, top + 6)]
        cv.fill(Poly(pts), t(roof))
        cv.fill(Poly([(x0 - 6, top + 6), ((x0 + x1) / 2, top - w * 0.36 + 30), (x1 + 6, top + 6)]), t(scale(wall, 0.95)))
        cv.fill(Stroke(pts, 18), t(roof))
        # a round attic vent
        cv.fill(Ellipse((x0 + x1) / 2, top - w * 0.12, 18, 18), t(scale(roof, 0.8)))
        cv.fill(Ellipse((x0 + x1) / 2, top - w * 0.12, 12, 12), t((240, 236, 226)))
    else:
        h = 100
        pts = [(x0 - 34, top + 8), (x0 + 60, top - h), (x1 - 60, top - h), (x1 + 34, top + 8)]
        cv.fill(Poly(pts), t(roof))
        for k in range(1, 6):
            y = top - h + k * (h + 8) / 6
            f = k / 6
            cv.fill(Rect(x0 + 60 - 94 * f, y - 1.5, x1 - 60 + 94 * f, y + 1.5), t(scale(roof, 0.82)))
        cv.fill(Rect(x0 + 60, top - h - 6, x1 - 60, top - h + 4), t(scale(roof, 0.8)))
    cv.fill(Rect(x0 - 34, top + 6, x1 + 34, top + 14), t(scale(roof, 0.7)))
    # windows: two rows on two-storey houses
    rows = [top + 44, top + 216] if floors == 2 else [base - 200]
    for ry in rows:
        n = max(1, int(w // 170))
        for i in range(n):
            wx = x0 + (i + 0.5) * w / n
            ww, wh = min(110, w / n - 50), 92
            lit = sunset and rng.random() < 0.6
            glass = (gradient([(ry, (255, 206, 130)), (ry + wh, (255, 230, 170))]) if lit else
                     gradient([(ry, t((150, 190, 226))), (ry + wh, t((226, 238, 248)))]))
            cv.fill(Rect(wx - ww / 2 - 8, ry - 8, wx + ww / 2 + 8, ry + wh + 8), t((246, 244, 238)))
            cv.fill(Rect(wx - ww / 2, ry, wx + ww / 2, ry + wh), glass)
            if not lit:
                cv.fill(Intersect(Poly([(wx - ww / 2 + 10, ry + wh), (wx - 10, ry), (wx + 14, ry), (wx - ww / 2 + 34, ry + wh)]),
                                  Rect(wx - ww / 2, ry, wx + ww / 2, ry + wh)), (255, 255, 255), 0.3)
            # a curtain on one side
            cv.fill(Poly([(wx + ww / 2, ry), (wx + ww / 2 - 26, ry), (wx + ww / 2 - 16, ry + wh), (wx + ww / 2, ry + wh)]),
                    t(rng.choice([(240, 200, 190), (236, 230, 200), (200, 220, 236)])))
            cv.fill(Rect(wx - 2, ry, wx + 2, ry + wh), t((246, 244, 238)))
            cv.fill(Rect(wx - ww / 2 - 12, ry + wh + 8, wx + ww / 2 + 12, ry + wh + 14), t((200, 196, 190)))
    # door with a small roof
    dx = x0 + w * 0.72
    cv.fill(Rect(dx - 40, base - 150, dx + 40, base), t((150, 104, 70)))
    cv.fill(Rect(dx - 30, base - 140, dx + 30, base - 80), t((176, 128, 88)))
    cv.fill(Ellipse(dx + 26, base - 70, 5, 5), t((230, 200, 120)))
    cv.fill(Rect(dx - 56, base - 170, dx + 56, base - 156), t(scale(roof, 0.9)))
    return dx


def utility_pole(cv, t, x, top):
    cv.fill(Rect(x - 11, top, x + 11, 800), t((160, 156, 150)))
    cv.fill(Rect(x + 3, top, x + 11, 800), t((130, 126, 122)))
    cv.fill(Rect(x - 80, top + 40, x + 80, top + 52), t((120, 118, 116)))
    for k in (-64, -20, 20, 64):
        cv.fill(RRect(x + k - 5, top + 24, x + k + 5, top + 42, 3), t((236, 236, 230)))
    cv.fill(RRect(x + 14, top + 110, x + 58, top + 190, 8), t((140, 144, 140)))
    for y in range(top + 240, 760, 44):
        cv.fill(Rect(x - 16, y, x - 11, y + 8), t((100, 100, 100)))


def draw_street(sunset):
    """A quiet street of houses seen from across the road. The same layout
    is drawn twice: by day and at sunset."""
    W, H = 2048, 1024
    rng = random.Random(505)
    t = Tint(sunset)
    cv = Canvas(W, H)
    if sunset:
        sky = gradient([(0, (56, 42, 108)), (260, (132, 72, 134)), (500, (236, 122, 104)), (720, (255, 192, 120))])
    else:
        sky = gradient([(0, (88, 152, 226)), (480, (168, 208, 244)), (760, (220, 236, 250))])
    cv.fill(Rect(0, 0, W, 780), sky)
    if sunset:
        glow(cv, 900, 610, 700, 400, (255, 200, 140), 0.45, steps=14)
        cv.fill(Ellipse(900, 610, 74, 74), (255, 236, 190))
        for cx, cy, s in ((300, 150, 1.3), (1200, 110, 1.1), (1700, 260, 1.4), (660, 340, 0.9)):
            cloud(cv, cx, cy, s, (250, 170, 150), (150, 90, 140), 0.9)
    else:
        for cx, cy, s in ((300, 150, 1.3), (1200, 110, 1.1), (1700, 260, 1.4), (660, 340, 0.9)):
            cloud(cv, cx, cy, s, (255, 255, 255), (224, 234, 248))
    # distant hills and town in the gap between houses
    hills = [(0, 780)] + [(x, 600 - 40 * math.sin(x / 260.0 + 0.5) - 18 * math.sin(x / 90.0)) for x in range(0, W + 40, 40)] + [(W, 780)]
    cv.fill(Poly(hills), (150, 96, 136) if sunset else (150, 184, 212))
    # far-off town: a few blocks with rows of tiny windows
    far = (126, 78, 114) if sunset else (136, 170, 196)
    for bx, bw, bh in ((790, 70, 120), (850, 50, 170), (905, 80, 90), (960, 60, 140)):
        cv.fill(Rect(bx, 780 - bh - 40, bx + bw, 780), far)
        for wy in range(int(780 - bh - 28), 700, 18):
            for wx in range(bx + 8, bx + bw - 8, 14):
                cv.fill(Rect(wx, wy, wx + 6, wy + 7), scale(far, 1.12) if not sunset else (230, 170, 120))
    # houses
    doors = []
    doors.append(house(cv, t, 30, 400, 340, (242, 236, 220), (84, 96, 128), 'gable', rng, sunset))
    doors.append(house(cv, t, 450, 800, 356, (226, 200, 176), (164, 84, 72), 'hip', rng, sunset))
    doors.append(house(cv, t, 1000, 1420, 346, (208, 218, 212), (70, 76, 84), 'hip', rng, sunset))
    doors.append(house(cv, t, 1490, 1760, 520, (238, 218, 184), (90, 116, 92), 'gable', rng, sunset, floors=1))
    doors.append(house(cv, t, 1860, 2160, 330, (234, 228, 238), (124, 84, 96), 'hip', rng, sunset))
    # a balcony on the wide house
    cv.fill(Rect(1030, 452, 1390, 462), t((236, 236, 232)))
    for x in range(1034, 1390, 16):
        cv.fill(Rect(x, 462, x + 4, 506), t((236, 236, 232)))
    cv.fill(Rect(1030, 504, 1390, 512), t((236, 236, 232)))
    cv.fill(Rect(1030, 512, 1390, 520), (40, 30, 40), 0.15)
    # striped awning on the small house
    for i in range(8):
        x = 1500 + i * 32
        cv.fill(Poly([(x, 620), (x + 32, 620), (x + 38, 668), (x + 6, 668)]),
                t((214, 82, 76) if i % 2 == 0 else (248, 244, 236)))
    # a tree by the small house
    cv.fill(Rect(1792, 560, 1812, 770), t((110, 80, 60)))
    leaves = Union(*[Ellipse(1802 + dx, 520 + dy, r, r * 0.9) for dx, dy, r in
                     ((0, -40, 90), (-70, 10, 70), (70, 16, 74), (0, 40, 70))])
    cv.fill(leaves, t((110, 164, 96)))
    cv.fill(Intersect(leaves, Shift(leaves, 18, 22)), t((90, 140, 82)))
    cv.fill(Intersect(leaves, Shift(leaves, -24, -26)), t((140, 190, 112)))
    # block walls in front, open at each door
    for x0, x1 in ((0, 440), (440, 820), (980, 1440), (1480, 1790), (1840, W)):
        segs = [(x0, x1)]
        for d in doors:
            segs = [s for a, b in segs for s in (((a, min(b, d - 60)), (max(a, d + 60), b)))
                    if s[1] - s[0] > 0]
        for a, b in segs:
            cv.fill(Rect(a, 680, b, 764), t((196, 192, 184)))
            cv.fill(Rect(a, 676, b, 684), t((214, 210, 202)))
            for j, y in enumerate(range(684, 764, 20)):
                cv.fill(Rect(a, y - 1, b, y + 1), t((170, 166, 160)))
                off = 0 if j % 2 else 40
                for x in range(int(a) + off, int(b), 80):
                    cv.fill(Rect(x - 1, y, x + 1, min(y + 20, 764)), t((170, 166, 160)))
            # a hedge over some walls
            if (a // 200) % 2 == 0 and b - a > 120:
                cv.fill(Union(*[Ellipse(x, 672, 34, 26) for x in range(int(a) + 30, int(b) - 20, 44)]), t((104, 156, 90)))
    # vending machine
    cv.fill(Rect(1432, 600, 1484, 764), t((206, 64, 64)))
    cv.fill(Rect(1438, 610, 1478, 690), (250, 246, 230) if sunset else (240, 240, 236))
    for j in range(3):
        for i in range(3):
            cv.fill(RRect(1442 + i * 12, 616 + j * 24, 1450 + i * 12, 632 + j * 24, 2),
                    t(rng.choice([(60, 120, 200), (240, 180, 60), (80, 170, 90), (200, 70, 70)])))
    cv.fill(Rect(1444, 730, 1476, 746), t((60, 60, 60)))
    if sunset:
        glow(cv, 1458, 650, 70, 80, (255, 250, 220), 0.3, steps=6)
    # utility poles and their wires
    utility_pole(cv, t, 940, 150)
    utility_pole(cv, t, 1830, 190)
    wire = t((60, 62, 70))
    for k, dy in enumerate((176, 196, 240)):
        for xa, ya, xb, yb in ((-200, 120 + dy * 0.6, 940, 150 + dy - 150), (940, dy, 1830, 40 + dy), (1830, 40 + dy, 2300, 80 + dy)):
            mid = ((xa + xb) / 2, max(ya, yb) + 60)
            cv.fill(Stroke(quad((xa, ya), mid, (xb, yb), 24), 2.4), wire)
    # sidewalk, curb and road
    cv.fill(Rect(0, 760, W, 804), t((204, 200, 192)))
    for x in range(0, W, 96):
        cv.fill(Rect(x, 760, x + 2, 804), t((180, 176, 170)))
    cv.fill(Rect(0, 760, W, 770), (60, 40, 40), 0.12)
    cv.fill(Rect(0, 804, W, 818), t((224, 222, 216)))
    cv.fill(Rect(0, 818, W, 822), t((150, 148, 146)))
    cv.fill(Rect(0, 822, W, H), gradient([(822, t((120, 122, 130))), (H, t((92, 94, 104)))]))
    cv.fill(Rect(0, 840, W, 848), t((240, 240, 236)))
    for x in range(-60, W, 200):
        cv.fill(Rect(x, 950, x + 110, 958), t((236, 216, 140)))
    if sunset:
        # long warm light across the road and a dusky top
        cv.fill(Rect(0, 822, W, H), (255, 170, 110), lambda y: 0.10 * (1 - (y - 822) / 202))
        cv.fill(Rect(0, 0, W, H), (60, 30, 90), lambda y: 0.18 * max(0.0, 1 - y / 500))
    return cv


def draw_pc01():
    return draw_street(False)


def draw_pc02():
    return draw_street(True)


def draw_end():
    """The ending card: a dark, softly vignetted field with a big flower
    emblem in a thin golden ring."""
    W, H = 1280, 720
    cx, cy = 640, 360
    rng = random.Random(606)
    cv = Canvas(W, H, bg=(18, 14, 30))
    # vignette: nested ellipses from dark edge to a lighter middle
    edge, mid = (18, 14, 30), (58, 42, 78)
    steps = 40
    for i in range(steps):
        f = i / (steps - 1)
        rx = 900 * (1 - f) + 60
        cv.fill(Ellipse(cx, cy, rx, rx * 0.62), mix(edge, mid, f ** 1.5))
    glow(cv, cx, cy, 330, 330, (255, 190, 200), 0.25, steps=14)
    # golden ring with beads
    gold = (232, 196, 120)
    cv.fill(Diff(Ellipse(cx, cy, 262, 262), Ellipse(cx, cy, 256, 256)), gold)
    cv.fill(Diff(Ellipse(cx, cy, 244, 244), Ellipse(cx, cy, 242, 242)), gold, 0.6)
    for k in range(48):
        a = k * 2 * math.pi / 48
        r = 4 if k % 4 == 0 else 2
        cv.fill(Ellipse(cx + math.cos(a) * 252, cy + math.sin(a) * 252, r, r), gold)
    # flower: two layers of eight petals, then a golden heart
    for k in range(8):
        a = k * math.pi / 4 + math.pi / 8
        px, py = cx + math.cos(a) * 118, cy + math.sin(a) * 118
        cv.fill(Ellipse(px, py, 118, 52, a), (178, 84, 122))
        cv.fill(Ellipse(cx + math.cos(a) * 136, cy + math.sin(a) * 136, 80, 26, a), (206, 116, 150))
    for k in range(8):
        a = k * math.pi / 4
        px, py = cx + math.cos(a) * 104, cy + math.sin(a) * 104
        cv.fill(Ellipse(px, py, 106, 50, a), (238, 164, 186))
        cv.fill(Ellipse(cx + math.cos(a) * 126, cy + math.sin(a) * 126, 66, 20, a), (252, 212, 222))
        cv.fill(Stroke([(cx + math.cos(a) * 30, cy + math.sin(a) * 30), (cx + math.cos(a) * 170, cy + math.sin(a) * 170)],
                       [2, 3, 0.5][:2]), (214, 128, 160), 0.8)
    cv.fill(Ellipse(cx, cy, 58, 58), (226, 170, 90))
    cv.fill(Ellipse(cx, cy, 46, 46), (246, 206, 120))
    for k in range(14):
        a = k * 2 * math.pi / 14
        cv.fill(Ellipse(cx + math.cos(a) * 32, cy + math.sin(a) * 32, 4, 4), (200, 140, 70))
    cv.fill(Ellipse(cx - 14, cy - 16, 14, 10), (255, 255, 255), 0.35)
    # sparkles around the ring
    for i in range(22):
        a = rng.uniform(0, 2 * math.pi)
        r = rng.uniform(290, 420)
        x, y = cx + math.cos(a) * r * 1.2, cy + math.sin(a) * r * 0.75
        s = rng.uniform(5, 13)
        glow(cv, x, y, s * 1.6, s * 1.6, (255, 230, 240), 0.12, steps=6)
        cv.fill(star_shape(x, y, s, s * 0.2), (255, 240, 220), rng.uniform(0.5, 0.9))
    return cv


# ---------------------------------------------------------------------------
# Characters: shared bits
# ---------------------------------------------------------------------------

SKIN = (253, 230, 214)
SKIN_SH = (240, 198, 184)
LINE = (66, 42, 48)
BLUSH = (246, 150, 160)


def over(dst, src):
    """Composite a premultiplied sprite canvas over another of the same size."""
    for pd, ps, pa in zip(dst.planes, src.planes, [src.planes[3]] * 4):
        for i in range(len(pd)):
            a = pa[i]
            if a == 0:
                continue
            pd[i] = ps[i] + pd[i] * (255 - a) // 255


def sprite_with_shadow(figure, cx, cy, rx, ry, alpha=0.28):
    """Outline the figure and put it over a soft ground shadow."""
    figure.outline(LINE, radius=1)
    base = Canvas(figure.w, figure.h, alpha=True, ss=figure.ss)
    for i in range(6):
        f = 1 - i / 6
        base.fill(Ellipse(cx, cy, rx * f, ry * f), (30, 20, 30), alpha / 4)
    over(base, figure)
    return base


# ---------------------------------------------------------------------------
# The hero: a young traveller, walk frames in four directions
# ---------------------------------------------------------------------------

HERO = dict(
    hair=(92, 62, 50), hair_sh=(68, 44, 38), hair_hi=(138, 98, 74),
    jacket=(62, 134, 142), jacket_sh=(44, 104, 114), jacket_hi=(96, 166, 170),
    shirt=(246, 240, 226), scarf=(218, 86, 76), scarf_sh=(176, 62, 58),
    pants=(64, 70, 102), pants_sh=(48, 52, 80),
    boot=(128, 84, 56), boot_sh=(94, 60, 42), sole=(62, 44, 34),
    bag=(176, 124, 76), bag_sh=(140, 96, 58), strap=(120, 82, 52),
    eye=(64, 44, 40), iris=(120, 84, 60),
)


def hero_leg(cv, hip, foot, back_view, lifted, P):
    """One leg: trouser capsule from hip to ankle and a boot. lifted means
    the heel is up (the back foot of a stride)."""
    hx, hy = hip
    fx, fy = foot
    cv.fill(Capsule(hx, hy, fx, fy - 12, 7.5), P['pants'])
    cv.fill(Intersect(Capsule(hx, hy, fx, fy - 12, 7.5), Rect(hx + 1, hy, hx + 20, fy)), P['pants_sh'])
    # boot shaft
    cv.fill(RRect(fx - 7.5, fy - 22, fx + 7.5, fy - 4, 4), P['boot'])
    cv.fill(Rect(fx - 7.5, fy - 22, fx + 7.5, fy - 18), scale(P['boot'], 1.18))
    if back_view:
        # seen from behind: the heel, toe hidden ahead
        if lifted:
            cv.fill(Ellipse(fx, fy - 4, 8, 5), P['sole'])
        else:
            cv.fill(Ellipse(fx - 2, fy - 3, 8.5, 4.5), P['boot_sh'])
            cv.fill(Rect(fx - 7, fy - 4, fx + 7, fy - 1), P['sole'])
    else:
        # toe pointing to the lower left
        tilt = -0.25 if lifted else 0.0
        cv.fill(Ellipse(fx - 5, fy - 5, 11, 6, tilt), P['boot'])
        cv.fill(Ellipse(fx - 5, fy - 2, 11, 3, tilt), P['sole'])
        cv.fill(Ellipse(fx - 8, fy - 8, 4, 2, tilt), (255, 255, 255), 0.25)


def hero_arm(cv, shoulder, hand, P, behind=False):
    sx, sy = shoulder
    hx, hy = hand
    col = P['jacket_sh'] if behind else P['jacket']
    cv.fill(Capsule(sx, sy, hx, hy - 5, 7), col)
    cv.fill(Capsule(hx + (sx - hx) * 0.12, hy - 5 + (sy - hy) * 0.12, hx, hy - 5, 7.2), scale(col, 0.9))
    cv.fill(Ellipse(hx, hy, 5.8, 6), SKIN if not behind else SKIN_SH)


def draw_hero(back_view, phase):
    """The hero facing the lower left (back_view False) or the upper left
    (back_view True). phase 0 stands, 1 and 2 are the two steps.
    Feet rest on y=240, the body is centred on x=64."""
    P = HERO
    cv = Canvas(128, 256, alpha=True, ss=8)
    # stride: the forward foot moves along the walking direction
    fwd = (-1.0, 0.5) if not back_view else (-1.0, -0.5)
    stride = 8.0 if phase else 0.0
    sign = 1 if phase == 1 else -1
    bob = -2 if phase else 0
    # screen-left leg and screen-right leg
    lfoot = (55 + fwd[0] * stride * sign, 240 + fwd[1] * stride * sign - (0 if sign > 0 or not phase else 3))
    rfoot = (73 - fwd[0] * stride * sign, 240 - fwd[1] * stride * sign - (0 if sign < 0 or not phase else 3))
    if back_view:
        lfoot = (lfoot[0], 240 + (fwd[1] * stride * sign))
        rfoot = (rfoot[0], 240 - (fwd[1] * stride * sign))
    hip_y = 184 + bob
    swing = 7.0 * sign if phase else 0.0
    # far parts first
    if not back_view:
        hero_arm(cv, (46, 134 + bob), (40 + swing * 0.6, 174 + bob + swing * 0.3), P, behind=True)
        # scarf tail trailing behind the right shoulder
        cv.fill(Stroke(bezier((76, 124 + bob), (92, 132 + bob), (86, 150 + bob), (98, 166 + bob - swing * 0.4), 10),
                       [11, 11, 10, 9, 9, 8, 8, 7, 7, 6, 4]), P['scarf_sh'])
    # legs
    # the foot that is behind in the stride has its heel lifted
    legs = [((56, hip_y), lfoot, sign < 0), ((72, hip_y), rfoot, sign > 0)]
    if back_view:
        # the leg further up the screen is further away: draw it first
        legs.sort(key=lambda l: l[1][1])
    for hip, foot, lifted in legs:
        hero_leg(cv, hip, foot, back_view, lifted and phase != 0, P)
    # body: jacket with a slight flare
    b = bob
    torso = Poly([(48, 122 + b), (80, 122 + b), (87, 140 + b), (90, 190 + b), (38, 190 + b), (41, 140 + b)])
    cv.fill(torso, gradient([(122 + b, P['jacket_hi']), (190 + b, P['jacket'])]))
    cv.fill(Intersect(torso, Rect(76, 0, 100, 256)), P['jacket_sh'])
    cv.fill(Rect(38, 184 + b, 90, 190 + b), P['jacket_sh'])
    if not back_view:
        # open front with the shirt, shifted left because he faces left
        cv.fill(Poly([(50, 124 + b), (60, 124 + b), (56, 190 + b), (46, 190 + b)]), P['shirt'])
        cv.fill(Rect(38, 170 + b, 90, 177 + b), P['strap'])
        cv.fill(RRect(50, 169 + b, 58, 178 + b, 1.5), (230, 196, 110))
        # satchel strap across the chest and the bag on the left hip
        cv.fill(Stroke([(80, 124 + b), (42, 172 + b)], 5), P['strap'])
        cv.fill(RRect(30, 166 + b, 50, 188 + b, 4), P['bag'])
        cv.fill(RRect(30, 166 + b, 50, 175 + b, 4), P['bag_sh'])
    else:
        cv.fill(Rect(38, 170 + b, 90, 177 + b), P['strap'])
        # backpack
        cv.fill(Stroke([(52, 124 + b), (50, 140 + b)], 5), P['strap'])
        cv.fill(Stroke([(78, 124 + b), (80, 140 + b)], 5), P['strap'])
        cv.fill(RRect(46, 132 + b, 84, 176 + b, 8), P['bag'])
        cv.fill(Intersect(RRect(46, 132 + b, 84, 176 + b, 8), Rect(76, 0, 100, 256)), P['bag_sh'])
        cv.fill(RRect(46, 132 + b, 84, 150 + b, 8), P['bag_sh'])
        cv.fill(RRect(62, 146 + b, 68, 156 + b, 1.5), (230, 196, 110))
        cv.fill(Rect(50, 164 + b, 80, 166 + b), P['bag_sh'])
    # near arm
    if not back_view:
        hero_arm(cv, (82, 134 + b), (88 - swing * 0.6, 174 + b - swing * 0.3), P)
    else:
        hero_arm(cv, (44, 134 + b), (38 - swing * 0.6, 174 + b - swing * 0.3), P)
        hero_arm(cv, (84, 134 + b), (90 + swing * 0.6, 174 + b + swing * 0.3), P)
    # scarf around the neck
    cv.fill(RRect(44, 116 + b, 84, 130 + b, 7), P['scarf'])
    cv.fill(Rect(44, 126 + b, 84, 130 + b), P['scarf_sh'])
    if back_view:
        # knot tails hanging down the back, over the pack
        cv.fill(Stroke([(70, 126 + b), (72, 140 + b), (70 + swing * 0.3, 150 + b)], [9, 8, 6]), P['scarf'])

    # head
    hb = 86 + b
    if not back_view:
        cv.fill(Ellipse(66, hb - 4, 40, 38), P['hair_sh'])                       # hair behind
        face = Union(Ellipse(60, hb + 2, 31, 29),
                     Poly(bezier((29, hb + 2), (31, hb + 22), (44, hb + 32), (52, hb + 33), 8)
                          + [(80, hb + 24), (90, hb + 2)]))
        cv.fill(face, SKIN)
        cv.fill(Ellipse(86, hb + 8, 6, 8), SKIN_SH)                              # ear
        # eyes: the far eye (left) is narrower
        for ex, rx in ((42, 4.2), (63, 5.6)):
            ey = hb + 10
            cv.fill(Ellipse(ex, ey, rx, 8.5), P['eye'])
            cv.fill(Intersect(Ellipse(ex, ey, rx, 8.5), Rect(0, ey + 1, 128, 256)), P['iris'])
            cv.fill(Ellipse(ex - rx * 0.35, ey - 3.5, rx * 0.45, 2.6), (255, 255, 255))
            cv.fill(Ellipse(ex + rx * 0.35, ey + 4, 1.1, 1.1), (255, 255, 255))
            cv.fill(Stroke([(ex - rx - 1.5, ey - 7), (ex, ey - 9.5), (ex + rx + 1.5, ey - 7.5)], 2.2), LINE)
        cv.fill(Ellipse(38, hb + 21, 5, 2.6), BLUSH, 0.45)
        cv.fill(Ellipse(68, hb + 21, 6, 2.6), BLUSH, 0.45)
        cv.fill(Stroke([(47, hb + 25), (51, hb + 27), (55, hb + 25)], 1.6), (150, 80, 76))
        cv.fill(Stroke([(33, hb + 14), (31, hb + 17)], 1.2), SKIN_SH)
        # front hair: cap plus spiky bangs, swept to the left
        cap = Intersect(Ellipse(64, hb - 6, 38, 36), Rect(0, 0, 128, hb - 6))
        bangs = Poly([(26, hb - 6), (28, hb + 8), (34, hb - 4), (38, hb + 4), (44, hb - 4), (50, hb + 5),
                      (56, hb - 4), (62, hb + 4), (68, hb - 3), (74, hb + 3), (80, hb - 3), (88, hb + 18),
                      (92, hb + 26), (100, hb + 6), (102, hb - 6)])
        hair = Union(cap, bangs, Poly([(82, hb - 10), (104, hb - 8), (100, hb + 20), (90, hb + 10)]))
        cv.fill(Intersect(face, Shift(bangs, 1, 2.5)), SKIN_SH, 0.8)   # shade under the bangs
        cv.fill(hair, P['hair'])
        # a broken highlight arc on the crown
        arc = Diff(Ellipse(62, hb - 16, 30, 20), Ellipse(62, hb - 19, 30, 20))
        cv.fill(Intersect(Intersect(hair, arc), Union(Rect(36, 0, 54, 256), Rect(58, 0, 80, 256))), P['hair_hi'])
        cv.fill(Stroke([(64, hb - 40), (70, hb - 52), (80, hb - 54)], [4, 3, 0.5]), P['hair'])   # tuft
        for sx0, sx1 in ((58, 48), (72, 66), (84, 86)):
            cv.fill(Stroke(quad((sx0, hb - 34), (sx0 - 6, hb - 16), (sx1, hb + 2), 6), [0.5, 1.6, 1.8, 1.4, 1, 0.6, 0.3]),
                    P['hair_sh'], 0.8)
    else:
        # the edge of the cheek shows at the left, the rest is hair
        cv.fill(Ellipse(38, hb + 12, 10, 15), SKIN)
        back = Union(Ellipse(66, hb - 2, 37, 37),
                     Poly([(33, hb + 4), (40, hb + 30), (48, hb + 24), (56, hb + 34), (64, hb + 26),
                           (72, hb + 34), (80, hb + 24), (88, hb + 30), (99, hb + 6)]))
        cv.fill(back, P['hair'])
        cv.fill(Intersect(back, Ellipse(84, hb + 6, 24, 32)), P['hair_sh'], 0.45)
        cv.fill(Ellipse(37, hb + 8, 3.5, 5.5), SKIN_SH)                          # ear
        arc = Diff(Ellipse(66, hb - 16, 30, 20), Ellipse(66, hb - 19, 30, 20))
        cv.fill(Intersect(Intersect(back, arc), Union(Rect(40, 0, 60, 256), Rect(64, 0, 86, 256))), P['hair_hi'])
        cv.fill(Stroke([(60, hb - 38), (54, hb - 50), (44, hb - 52)], [4, 3, 0.5]), P['hair'])  # tuft
    return cv


def draw_walk_frames():
    """walk = lower left, walkb = upper left, walkc = upper right (mirror of
    walkb), walkd = lower right (mirror of walk)."""
    out = []
    for back_view, name, mirror_name in ((False, 'walk', 'walkd'), (True, 'walkb', 'walkc')):
        for phase in range(3):
            fig = sprite_with_shadow(draw_hero(back_view, phase), 64, 240, 32, 7)
            out.append(('%s%02d.png' % (name, phase), fig))
            out.append(('%s%02d.png' % (mirror_name, phase), fig.mirrored()))
    return out


ONEE = dict(
    hair=(98, 60, 66), hair_sh=(72, 42, 52), hair_hi=(146, 98, 104),
    dress=(158, 138, 198), dress_sh=(128, 108, 170), dress_hi=(182, 166, 216),
    apron=(252, 250, 246), apron_sh=(222, 216, 232), ribbon=(228, 122, 146),
    iris=(112, 80, 146), iris_hi=(196, 160, 220), tights=(92, 80, 102), shoe=(124, 80, 88),
)


def draw_oneechan_small():
    """The older sister as a small standing figure, facing the viewer, in
    the same style as the hero: long hair, lavender dress, white apron,
    hands folded. Feet on y=240, centred on x=64."""
    P = ONEE
    cv = Canvas(128, 256, alpha=True, ss=8)
    hb = 86
    # long hair behind everything
    back = Union(Ellipse(64, hb - 4, 40, 38),
                 Poly([(25, hb), (103, hb), (106, 150), (100, 172), (90, 164), (78, 176), (64, 168),
                       (50, 176), (38, 164), (28, 172), (22, 150)]))
    cv.fill(back, P['hair_sh'])
    # legs and shoes
    for x in (57, 71):
        cv.fill(Capsule(x, 206, x, 232, 5), P['tights'])
        cv.fill(Ellipse(x + (x - 64) * 0.2, 236, 8, 5), P['shoe'])
        cv.fill(Ellipse(x + (x - 64) * 0.2 - 2, 234, 3, 1.5), (255, 255, 255), 0.3)
    # skirt and bodice
    skirt = Poly([(45, 160), (83, 160), (98, 214), (30, 214)])
    cv.fill(skirt, P['dress'])
    cv.fill(Rect(30, 208, 98, 214), P['dress_sh'])
    cv.fill(Intersect(skirt, Rect(80, 0, 128, 256)), P['dress_sh'])
    body = Poly([(48, 120), (80, 120), (87, 136), (83, 164), (45, 164), (41, 136)])
    cv.fill(body, gradient([(120, P['dress_hi']), (164, P['dress'])]))
    # apron: bib, straps, skirt with a frilled hem, waist band
    apron = Union(Poly([(53, 134), (75, 134), (78, 164), (50, 164)]),
                  Poly([(49, 164), (79, 164), (89, 204), (39, 204)]))
    cv.fill(Union(*[Ellipse(43 + i * 7.1, 205, 4.2, 3.6) for i in range(8)]), P['apron_sh'])
    cv.fill(apron, P['apron'])
    cv.fill(Intersect(apron, Rect(74, 160, 128, 256)), P['apron_sh'])
    cv.fill(Stroke([(53, 135), (50, 122)], 3), P['apron'])
    cv.fill(Stroke([(75, 135), (78, 122)], 3), P['apron'])
    cv.fill(Rect(45, 160, 83, 166), P['apron_sh'])
    cv.fill(RRect(56, 182, 72, 194, 2), P['apron_sh'])                     # pocket
    # arms folded in front, hands together over the apron
    for sx, hx in ((44, 58), (84, 70)):
        cv.fill(Stroke([(sx, 130), (sx + (hx - sx) * 0.1, 150), (hx, 164)], [13, 12, 11]), P['dress'])
        cv.fill(Stroke([(sx, 130), (sx + (hx - sx) * 0.1, 150), (hx, 164)], [5, 5, 4]), P['dress_sh'], 0.5)
    cv.fill(Ellipse(60, 166, 6, 5), SKIN)
    cv.fill(Ellipse(68, 166, 6, 5), SKIN)
    cv.fill(Stroke([(64, 162), (64, 170)], 1), SKIN_SH)
    # neck, collar, ribbon
    cv.fill(Rect(58, 110, 70, 124), SKIN_SH)
    cv.fill(Ellipse(57, 124, 9, 5, -0.3), P['apron'])
    cv.fill(Ellipse(71, 124, 9, 5, 0.3), P['apron'])
    cv.fill(Ellipse(59, 126, 4.5, 3, 0.4), P['ribbon'])
    cv.fill(Ellipse(69, 126, 4.5, 3, -0.4), P['ribbon'])
    cv.fill(Ellipse(64, 126, 2.2, 2.2), scale(P['ribbon'], 0.85))
    # face
    face = Union(Ellipse(64, hb + 2, 30, 28),
                 Poly(bezier((34, hb + 2), (35, hb + 22), (54, hb + 31), (64, hb + 32), 8)
                      + bezier((64, hb + 32), (74, hb + 31), (93, hb + 22), (94, hb + 2), 8)[1:]))
    cv.fill(face, SKIN)
    # soft, slightly lowered eyes with long lashes
    for ex, side in ((52, -1), (76, 1)):
        ey = hb + 11
        cv.fill(Ellipse(ex, ey, 5.4, 7.2), P['iris'])
        cv.fill(Intersect(Ellipse(ex, ey, 5.4, 7.2), Rect(0, ey + 1.5, 128, 256)), P['iris_hi'], 0.6)
        cv.fill(Ellipse(ex, ey + 0.5, 2.4, 3.4), scale(P['iris'], 0.55))
        cv.fill(Ellipse(ex - 1.8, ey - 2.8, 1.8, 2.0), (255, 255, 255))
        cv.fill(Ellipse(ex + 2, ey + 3.2, 0.9, 0.9), (255, 255, 255))
        cv.fill(Stroke([(ex - side * 5.5, ey - 5), (ex, ey - 7.4), (ex + side * 6.5, ey - 5.5), (ex + side * 8.5, ey - 3)],
                       [1.2, 2.4, 2.6, 0.6]), LINE)
    cv.fill(Ellipse(45, hb + 21, 5, 2.5), BLUSH, 0.4)
    cv.fill(Ellipse(83, hb + 21, 5, 2.5), BLUSH, 0.4)
    cv.fill(Stroke([(60, hb + 25), (64, hb + 27), (68, hb + 25)], 1.5), (160, 84, 84))
    # front hair: cap, side-swept bangs, long side locks
    cap = Intersect(Ellipse(64, hb - 6, 37, 35), Rect(0, 0, 128, hb - 6))
    bangs = Poly([(27, hb - 6), (29, hb + 10), (36, hb - 2), (42, hb + 6), (48, hb - 4), (56, hb + 8),
                  (60, hb - 4), (70, hb + 6), (74, hb - 6), (86, hb + 4), (90, hb - 4), (100, hb + 4), (101, hb - 6)])
    cv.fill(Intersect(face, Shift(bangs, 1, 2.5)), SKIN_SH, 0.8)
    hair = Union(cap, bangs)
    cv.fill(hair, P['hair'])
    for x0, x1, bend in ((30, 32, -4), (98, 96, 4)):
        cv.fill(Stroke(bezier((x0, hb - 10), (x0 - bend, hb + 20), (x1 + bend, hb + 40), (x1, hb + 58), 10),
                       [10, 10, 10, 9, 9, 8, 7, 6, 5, 3, 1]), P['hair'])
    arc = Diff(Ellipse(64, hb - 16, 30, 20), Ellipse(64, hb - 19, 30, 20))
    cv.fill(Intersect(Intersect(hair, arc), Union(Rect(38, 0, 56, 256), Rect(60, 0, 84, 256))), P['hair_hi'])
    for sx0, sx1 in ((56, 46), (70, 66), (82, 88)):
        cv.fill(Stroke(quad((sx0, hb - 34), (sx0 - 4, hb - 16), (sx1, hb), 6), [0.5, 1.4, 1.6, 1.2, 0.9, 0.5, 0.3]),
                P['hair_sh'], 0.7)
    # hair clip: a small flower
    for k in range(5):
        a = k * 2 * math.pi / 5
        cv.fill(Ellipse(90 + math.cos(a) * 3.4, hb - 22 + math.sin(a) * 3.4, 2.8, 2.8), P['ribbon'])
    cv.fill(Ellipse(90, hb - 22, 1.8, 1.8), (250, 220, 130))
    return sprite_with_shadow(cv, 64, 240, 28, 6)


# ---------------------------------------------------------------------------
# Portraits: the two sisters, large. Drawn in design units through a View,
# so the same drawing makes the full standing portrait and the bust.
# ---------------------------------------------------------------------------

def sym(cx, right):
    """A left-right symmetric outline from its right half, given as
    (offset from cx, y) points from top to bottom."""
    pts = [(cx + dx, y) for dx, y in right]
    return pts + [(cx - dx, y) for dx, y in reversed(right)]


def curvy(points, bends, n=6):
    """A path through points where each segment bows sideways by bends[i]
    (in the same units), as quadratic curves: for fringes and hems."""
    out = [points[0]]
    for i in range(len(points) - 1):
        (x0, y0), (x1, y1) = points[i], points[i + 1]
        mx, my = (x0 + x1) / 2, (y0 + y1) / 2
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy) or 1.0
        b = bends[i % len(bends)]
        c = (mx - dy / ln * b, my + dx / ln * b)
        out.extend(quad((x0, y0), c, (x1, y1), n)[1:])
    return out


def anime_eye(cv, V, ex, ey, rx, ry, side, iris_top, iris_bot, lash=LINE, soft=False):
    """A large anime eye. side is -1 for the eye on the left of the picture
    (outer corner to the left) and +1 for the right one."""
    white = V.ell(ex, ey, rx, ry)
    cv.fill(white, (255, 255, 255))
    cv.fill(Intersect(white, V.ell(ex, ey - ry * 0.7, rx * 1.4, ry * 0.6)), (226, 218, 236))   # lid shade
    iris_s = V.ell(ex + side * rx * 0.04, ey + ry * 0.12, rx * 0.8, ry * 0.94)
    iris = Intersect(white, iris_s)
    top_y = V.p(0, ey - ry)[1]
    bot_y = V.p(0, ey + ry)[1]
    cv.fill(iris, gradient([(top_y, iris_top), (bot_y, iris_bot)]))
    cv.fill(Intersect(white, Diff(iris_s, V.ell(ex + side * rx * 0.04, ey + ry * 0.12, rx * 0.7, ry * 0.84))),
            scale(iris_top, 0.72))
    cv.fill(Intersect(iris, V.ell(ex, ey + ry * 0.2, rx * 0.36, ry * 0.46)), scale(iris_top, 0.55))
    cv.fill(Intersect(iris, V.ell(ex, ey + ry * 0.66, rx * 0.52, ry * 0.28)), mix(iris_bot, (255, 255, 255), 0.45), 0.75)
    cv.fill(Intersect(iris, V.ell(ex, ey - ry * 0.85, rx * 1.3, ry * 0.62)), scale(iris_top, 0.5), 0.5)
    # highlights, the same side on both eyes as if lit from the upper left
    cv.fill(V.ell(ex - rx * 0.3, ey - ry * 0.22, rx * 0.26, ry * 0.2), (255, 255, 255))
    cv.fill(V.ell(ex + rx * 0.32, ey + ry * 0.42, rx * 0.11, ry * 0.09), (255, 255, 255))
    # upper lash line: thin at the inner corner, thick outside, with a flick
    if side < 0:
        angs = [2 * math.pi - 0.35 - i * (math.pi - 0.45) / 10 for i in range(11)]
    else:
        angs = [math.pi + 0.35 + i * (math.pi - 0.45) / 10 for i in range(11)]
    pts = [(ex + rx * 1.06 * math.cos(a), ey + ry * (1.02 if not soft else 0.86) * math.sin(a) - (0 if not soft else ry * 0.12)) for a in angs]
    pts.append((ex + side * rx * 1.32, ey - ry * (0.02 if not soft else 0.14)))
    widths = [rx * (0.06 + 0.26 * i / 10) for i in range(11)] + [rx * 0.04]
    cv.fill(V.stroke(pts, widths), lash)
    # crease above and a short lower lash at the outer corner
    crease = [(ex + rx * 1.0 * math.cos(a), ey - ry * 0.2 + ry * 1.05 * math.sin(a) - ry * 0.12) for a in angs[3:10]]
    cv.fill(V.stroke(crease, rx * 0.05), scale(SKIN_SH, 0.8), 0.7)
    if side < 0:
        la = [math.pi * 0.62 + i * 0.06 for i in range(6)]
    else:
        la = [math.pi * 0.38 - i * 0.06 for i in range(6)]
    low = [(ex + rx * 1.0 * math.cos(a), ey + ry * 0.98 * math.sin(a)) for a in la]
    cv.fill(V.stroke(low, [rx * 0.03, rx * 0.07, rx * 0.08, rx * 0.07, rx * 0.05, rx * 0.02]), lash, 0.75)


def anime_face(cv, V, cx, cy, u, skin=SKIN):
    """Head shape with ears; returns the face shape (pixel space)."""
    for s_ in (-1, 1):
        cv.fill(V.ell(cx + s_ * u * 0.97, cy + u * 0.32, u * 0.15, u * 0.24), skin)
        cv.fill(V.ell(cx + s_ * u * 0.99, cy + u * 0.33, u * 0.07, u * 0.14), SKIN_SH)
    jaw = (bezier((cx - u, cy), (cx - u * 0.98, cy + u * 0.6), (cx - u * 0.5, cy + u * 1.06), (cx, cy + u * 1.2), 12)
           + bezier((cx, cy + u * 1.2), (cx + u * 0.5, cy + u * 1.06), (cx + u * 0.98, cy + u * 0.6), (cx + u, cy), 12)[1:])
    face = Union(V.ell(cx, cy, u, u), V.poly(jaw))
    cv.fill(face, skin)
    return face


def face_features(cv, V, cx, cy, u, iris_top, iris_bot, brow, mouth='smile', eye_ry=0.3, soft=False):
    ey = cy + u * 0.4
    rx, ry = u * 0.245, u * eye_ry
    for side in (-1, 1):
        anime_eye(cv, V, cx + side * u * 0.45, ey, rx, ry, side, iris_top, iris_bot, soft=soft)
    # cheeks, nose
    for side in (-1, 1):
        bx = cx + side * u * 0.52
        by = cy + u * 0.78
        cv.fill(V.ell(bx, by, u * 0.2, u * 0.09), BLUSH, 0.35)
        for k in range(3):
            x = bx + (k - 1) * u * 0.07
            cv.fill(V.stroke([(x + u * 0.02, by - u * 0.04), (x - u * 0.02, by + u * 0.04)], u * 0.016), (230, 120, 130), 0.5)
    cv.fill(V.stroke([(cx + u * 0.03, cy + u * 0.7), (cx + u * 0.01, cy + u * 0.76)], u * 0.03), SKIN_SH)
    my = cy + u * 0.96
    if mouth == 'open':
        m = Intersect(V.ell(cx, my - u * 0.02, u * 0.17, u * 0.15), V.poly([(cx - u, my - u * 0.02), (cx + u, my - u * 0.02), (cx + u, my + u), (cx - u, my + u)]))
        cv.fill(m, (168, 64, 80))
        cv.fill(Intersect(m, V.ell(cx, my + u * 0.11, u * 0.11, u * 0.06)), (236, 124, 136))
        cv.fill(V.stroke([(cx - u * 0.19, my - u * 0.03), (cx, my - u * 0.01), (cx + u * 0.19, my - u * 0.03)], u * 0.02), (140, 60, 70))
    else:
        cv.fill(V.stroke(quad((cx - u * 0.12, my), (cx, my + u * 0.07), (cx + u * 0.12, my), 8), u * 0.028), (160, 80, 84))
    return ey, ry


def hair_sheen(cv, V, hair_shape, cx, y, u, width, colour):
    """The glossy band on anime hair: a row of thin slivers along an arc,
    each leaning with the strands, clipped to the hair."""
    slivers = []
    n = 11
    for i in range(n):
        f = (i + 0.5) / n * 2 - 1
        x = cx + f * width
        yy = y + (f * f) * u * 0.32
        h = u * (0.22 + 0.16 * ((i * 7) % 4) / 3)
        lean = f * u * 0.12
        slivers.append(V.stroke([(x - lean * 0.5, yy - h * 0.4), (x, yy), (x + lean * 0.5, yy + h * 0.6)],
                                [0, u * 0.075, 0]))
    cv.fill(Intersect(hair_shape, Union(*slivers)), colour, 0.8)


# ---- the older sister ------------------------------------------------------

ONEE_BIG = dict(
    hair=(98, 60, 66), hair_sh=(70, 40, 50), hair_hi=(160, 112, 116),
    dress=(158, 138, 198), dress_sh=(126, 106, 168), dress_hi=(184, 168, 218),
    apron=(252, 250, 246), apron_sh=(220, 214, 232), ribbon=(226, 116, 142),
    iris_top=(84, 56, 120), iris_bot=(186, 140, 214), tights=(90, 78, 100), shoe=(120, 76, 84),
)


def draw_oneechan_figure(cv, V):
    """Older sister, standing, hands folded over her apron. Design space:
    512 x 1024, head centre (256, 150), feet at y = 1000."""
    P = ONEE_BIG
    cx, cy, u = 256, 150, 62
    # long hair behind everything
    back = Union(V.ell(cx, cy - u * 0.1, u * 1.2, u * 1.24),
                 V.poly(curvy(sym(cx, [(u * 1.12, cy), (u * 1.34, cy + u * 2.4), (u * 1.5, cy + u * 5.2), (u * 1.3, cy + u * 6.1)])
                              , [u * 0.3, u * 0.1, 0, 0, 0, u * 0.1, u * 0.3], 6)))
    cv.fill(back, P['hair_sh'])
    cv.fill(Intersect(back, V.poly(sym(cx, [(u * 1.0, cy + u * 1.2), (u * 1.2, cy + u * 6.2)]))), scale(P['hair_sh'], 0.85))
    # legs and shoes
    for s_ in (-1, 1):
        leg = V.poly([(cx + s_ * 44, 850), (cx + s_ * 12, 850), (cx + s_ * 17, 972), (cx + s_ * 36, 972)])
        cv.fill(leg, P['tights'])
        cv.fill(Intersect(leg, V.poly([(cx + s_ * 12, 850), (cx + s_ * 22, 850), (cx + s_ * 24, 972), (cx + s_ * 17, 972)])), scale(P['tights'], 1.2))
        shoe = Union(V.ell(cx + s_ * 28, 984, 25, 14), V.rrect(cx + s_ * 28 - 18, 962, cx + s_ * 28 + 18, 984, 8))
        cv.fill(shoe, P['shoe'])
        cv.fill(V.stroke([(cx + s_ * 28 - 17, 970), (cx + s_ * 28 + 17, 970)], 4), scale(P['shoe'], 0.7))
        cv.fill(V.ell(cx + s_ * 28 - 8, 980, 8, 3.5), (255, 255, 255), 0.3)
    # skirt of the dress with a gentle curved hem
    hem = curvy([(cx + 132, 862), (cx, 884), (cx - 132, 862)], [-8, -8], 10)
    skirt = V.poly([(cx - 56, 440), (cx + 56, 440), (cx + 74, 520), (cx + 104, 670), (cx + 132, 862)] + hem[1:-1] + [(cx - 132, 862), (cx - 104, 670), (cx - 74, 520)])
    cv.fill(skirt, gradient([(V.p(0, 440)[1], P['dress']), (V.p(0, 880)[1], P['dress_sh'])]))
    for dx in (-70, -26, 26, 70):
        cv.fill(V.stroke([(cx + dx * 0.45, 480), (cx + dx * 0.9, 700), (cx + dx * 1.2, 860)], [1, 3, 4]), P['dress_sh'], 0.8)
    # bodice
    body = V.poly(sym(cx, [(18, 252), (54, 260), (86, 274), (98, 296), (96, 350), (82, 418), (58, 446)]))
    cv.fill(body, gradient([(V.p(0, 252)[1], P['dress_hi']), (V.p(0, 446)[1], P['dress'])]))
    # apron: skirt with a frilled hem, bib, straps and waist band
    ap_skirt = V.poly([(cx - 62, 458), (cx + 62, 458), (cx + 94, 770), (cx - 94, 770)])
    frill = Union(*[V.circ(cx - 94 + i * 188 / 12, 772, 10) for i in range(13)])
    cv.fill(frill, P['apron_sh'])
    cv.fill(ap_skirt, P['apron'])
    cv.fill(Intersect(ap_skirt, V.poly([(cx + 30, 458), (cx + 62, 458), (cx + 94, 770), (cx + 52, 770)])), P['apron_sh'], 0.6)
    for i in range(13):
        cv.fill(V.circ(cx - 94 + i * 188 / 12, 770, 2.4), P['apron_sh'])
    cv.fill(V.rrect(cx - 30, 600, cx + 30, 656, 6), P['apron_sh'], 0.7)
    cv.fill(V.stroke([(cx - 30, 608), (cx + 30, 608)], 2), P['apron'])
    bib = V.poly([(cx - 42, 300), (cx + 42, 300), (cx + 48, 446), (cx - 48, 446)])
    cv.fill(bib, P['apron'])
    cv.fill(Union(*[V.circ(cx - 42 + i * 84 / 7, 301, 6) for i in range(8)]), P['apron'])
    for s_ in (-1, 1):
        cv.fill(V.stroke([(cx + s_ * 40, 304), (cx + s_ * 58, 268)], 16), P['apron'])
    cv.fill(V.rrect(cx - 64, 436, cx + 64, 462, 8), P['apron_sh'])
    # arms in sleeves, hands folded at the waist
    for s_ in (-1, 1):
        path = bezier((cx + s_ * 80, 290), (cx + s_ * 96, 380), (cx + s_ * 84, 440), (cx + s_ * 30, 474), 10)
        cv.fill(V.circ(cx + s_ * 78, 292, 22), P['dress'])                      # round shoulder
        sleeve = V.stroke(path, [44, 42, 40, 38, 37, 36, 35, 34, 33, 32, 31])
        cv.fill(sleeve, P['dress'])
        cv.fill(Intersect(sleeve, Shift(sleeve, s_ * 12 * V.s, -6 * V.s)), P['dress_hi'], 0.5)
        cv.fill(Diff(sleeve, Shift(sleeve, -s_ * 8 * V.s, 4 * V.s)), P['dress_sh'], 0.8)
        cuff = Intersect(sleeve, V.poly([(cx + s_ * 66, 420), (cx + s_ * 30, 420), (cx + s_ * 30, 500), (cx + s_ * 50, 500)]))
        cv.fill(cuff, P['apron'])
        cv.fill(Intersect(cuff, Shift(cuff, -s_ * 5 * V.s, 0)), P['apron_sh'], 0.5)
    cv.fill(V.ell(cx + 8, 480, 26, 17, 0.25), SKIN)
    cv.fill(V.ell(cx - 10, 484, 26, 17, -0.25), SKIN)
    for k in range(3):
        cv.fill(V.stroke([(cx - 22 + k * 8, 478), (cx - 26 + k * 8, 492)], 1.6), SKIN_SH)
    # neck, collar and ribbon
    neck = V.poly([(cx - 16, 200), (cx + 16, 200), (cx + 15, 246), (cx + 22, 268), (cx - 22, 268), (cx - 15, 246)])
    cv.fill(neck, SKIN)
    for s_ in (-1, 1):
        cv.fill(V.ell(cx + s_ * 28, 268, 36, 18, s_ * 0.35), P['apron'])
        cv.fill(V.ell(cx + s_ * 28, 274, 30, 10, s_ * 0.35), P['apron_sh'], 0.5)
    for s_ in (-1, 1):
        cv.fill(V.poly([(cx, 274), (cx + s_ * 24, 260), (cx + s_ * 28, 288)]), P['ribbon'])
        cv.fill(V.stroke([(cx + s_ * 3, 278), (cx + s_ * 10, 300), (cx + s_ * 8, 312)], [8, 7, 3]), P['ribbon'])
    cv.fill(V.ell(cx, 275, 7, 7), scale(P['ribbon'], 0.85))
    # head
    face = anime_face(cv, V, cx, cy, u)
    cv.fill(Diff(Intersect(neck, Shift(face, 0, u * 0.18 * V.s)), face), SKIN_SH)
    # front hair shape: cap plus a soft side-parted fringe and side pieces
    fr = [(cx + u * 1.17, cy - u * 0.08)]
    fr += [(cx + u * 1.12, cy + u * 0.5), (cx + u * 0.98, cy + u * 1.1)]
    tips = [(0.8, 0.15), (0.72, 0.32), (0.56, -0.3), (0.4, 0.24), (0.24, -0.38), (0.08, 0.2), (-0.06, -0.42),
            (-0.24, 0.22), (-0.38, -0.34), (-0.56, 0.26), (-0.7, -0.2), (-0.82, 0.32), (-0.9, 0.16)]
    fr += [(cx + a * u, cy + b * u) for a, b in tips]
    fr += [(cx - u * 0.98, cy + u * 1.1), (cx - u * 1.12, cy + u * 0.5), (cx - u * 1.17, cy - u * 0.08)]
    arc = [(cx + u * 1.17 * math.cos(a), cy - u * 0.1 + u * 1.22 * math.sin(a))
           for a in [math.pi + i * math.pi / 24 for i in range(25)]]
    fringe = V.poly(curvy(fr, [u * 0.02, u * 0.06, -u * 0.03, u * 0.05, -u * 0.06, u * 0.05, -u * 0.06, u * 0.05,
                               -u * 0.06, u * 0.05, -u * 0.06, u * 0.05, -u * 0.05, u * 0.04, -u * 0.05, -u * 0.04, u * 0.02], 6) + arc)
    cv.fill(Intersect(face, Shift(fringe, 0.03 * u * V.s, 0.1 * u * V.s)), SKIN_SH)
    ey, ry = face_features(cv, V, cx, cy, u, P['iris_top'], P['iris_bot'], P['hair_sh'], eye_ry=0.27, soft=True)
    cv.fill(fringe, P['hair'])
    # long locks falling in front of the shoulders
    for s_ in (-1, 1):
        lock = V.stroke(bezier((cx + s_ * u * 1.0, cy + u * 0.1), (cx + s_ * u * 1.25, cy + u * 1.4),
                               (cx + s_ * u * 1.05, cy + u * 2.6), (cx + s_ * u * 1.32, cy + u * 4.1), 14),
                        [u * w for w in (0.3, 0.4, 0.44, 0.46, 0.46, 0.44, 0.42, 0.4, 0.36, 0.3, 0.24, 0.18, 0.12, 0.06, 0.0)])
        cv.fill(lock, P['hair'])
        cv.fill(Intersect(lock, Shift(lock, s_ * u * 0.16 * V.s, 0)), P['hair_sh'], 0.45)
        cv.fill(V.stroke(bezier((cx + s_ * u * 1.0, cy + u * 0.6), (cx + s_ * u * 1.15, cy + u * 1.6),
                                (cx + s_ * u * 1.04, cy + u * 2.4), (cx + s_ * u * 1.22, cy + u * 3.4), 10),
                         [u * 0.01, u * 0.03, u * 0.04, u * 0.04, u * 0.03, u * 0.03, u * 0.02, u * 0.02, u * 0.01, 0.5, 0.2]),
                P['hair_sh'], 0.8)
    hair_sheen(cv, V, fringe, cx, cy - u * 0.62, u, u * 0.8, P['hair_hi'])
    # strand lines in the fringe
    for a, b in ((0.5, 0.1), (0.16, 0.1), (-0.16, 0.1), (-0.5, 0.14)):
        cv.fill(V.stroke(quad((cx + a * u * 0.6, cy - u * 0.95), (cx + a * u * 1.1, cy - u * 0.4), (cx + a * u * 1.2 - u * 0.05, cy + b * u), 8),
                         [u * w for w in (0.005, 0.02, 0.03, 0.03, 0.03, 0.025, 0.02, 0.01, 0.0)]), P['hair_sh'], 0.7)
    # eyebrows peek through the fringe
    for s_ in (-1, 1):
        bx = cx + s_ * u * 0.45
        cv.fill(V.stroke(quad((bx - s_ * u * 0.2, ey - ry * 1.9), (bx, ey - ry * 2.25), (bx + s_ * u * 0.22, ey - ry * 1.95), 6),
                         [u * 0.02, u * 0.035, u * 0.04, u * 0.035, u * 0.03, u * 0.02, u * 0.01]), P['hair_sh'], 0.55)
    # hair clip: a small flower above her left ear
    fx, fy = cx + u * 0.82, cy - u * 0.62
    for k in range(5):
        a = k * 2 * math.pi / 5 - 0.3
        cv.fill(V.circ(fx + math.cos(a) * u * 0.11, fy + math.sin(a) * u * 0.11, u * 0.09), P['ribbon'])
    cv.fill(V.circ(fx, fy, u * 0.06), (250, 222, 130))


# ---- the little sister -----------------------------------------------------

IMOUTO_BIG = dict(
    hair=(214, 150, 100), hair_sh=(174, 108, 74), hair_hi=(244, 196, 146),
    blouse=(252, 250, 246), blouse_sh=(214, 218, 234), navy=(58, 70, 120), navy_sh=(42, 50, 92),
    ribbon=(226, 72, 86), ribbon_sh=(180, 50, 66), iris_top=(150, 74, 36), iris_bot=(238, 170, 80),
    sock=(252, 250, 246), shoe=(150, 66, 58),
)


def ribbon_bow(cv, V, x, y, s, P, angle=0.0):
    """A hair ribbon: two loops, a knot and two short tails."""
    ca, sa = math.cos(angle), math.sin(angle)

    def R(dx, dy):
        return (x + dx * ca - dy * sa, y + dx * sa + dy * ca)
    for side in (-1, 1):
        tail = [R(side * 2 * s, 4 * s), R(side * 10 * s, 20 * s), R(side * 8 * s, 40 * s), R(side * 16 * s, 34 * s),
                R(side * 24 * s, 38 * s), R(side * 20 * s, 16 * s), R(side * 12 * s, 2 * s)]
        cv.fill(V.poly(tail), P['ribbon_sh'])
        loop = [R(0, 0), R(side * 30 * s, -20 * s), R(side * 38 * s, -2 * s), R(side * 30 * s, 16 * s)]
        cv.fill(V.poly(curvy(loop + [R(0, 0)], [side * -4 * s, side * -6 * s, side * -6 * s, side * 4 * s], 5)), P['ribbon'])
        cv.fill(V.stroke([R(side * 6 * s, 0), R(side * 24 * s, -6 * s)], 2.5 * s), P['ribbon_sh'], 0.8)
    cv.fill(V.ell(*R(0, 0), 7 * s, 8 * s), P['ribbon'])
    cv.fill(V.ell(*R(0, 0), 7 * s, 8 * s), P['ribbon_sh'], 0.5)
    cv.fill(V.ell(*R(-2 * s, -2 * s), 3 * s, 3 * s), (255, 255, 255), 0.3)


def draw_imouto_figure(cv, V):
    """Little sister, standing with a big smile: twin tails with red
    ribbons, sailor-style blouse, pleated navy skirt, knee socks. Design
    space: 512 x 1024, head centre (256, 300), feet at y = 992."""
    P = IMOUTO_BIG
    cx, cy, u = 256, 300, 72
    # twin tails and the back of the hair, behind the body
    tails = []
    for s_ in (-1, 1):
        root = (cx + s_ * u * 1.0, cy - u * 0.7)
        path = bezier(root, (cx + s_ * u * 2.0, cy - u * 0.1), (cx + s_ * u * 1.2, cy + u * 2.3), (cx + s_ * u * 1.75, cy + u * 3.5), 16)
        widths = [u * w for w in (0.5, 0.62, 0.72, 0.78, 0.8, 0.78, 0.74, 0.68, 0.62, 0.56, 0.5, 0.42, 0.34, 0.26, 0.18, 0.1, 0.0)]
        tail = V.stroke(path, widths)
        tails.append(tail)
        cv.fill(tail, P['hair'])
        cv.fill(Intersect(tail, Shift(tail, -s_ * u * 0.2 * V.s, 0)), P['hair_sh'], 0.6)
        # curl at the tip and strand lines
        cv.fill(V.stroke(bezier((cx + s_ * u * 1.62, cy + u * 3.0), (cx + s_ * u * 1.9, cy + u * 3.3), (cx + s_ * u * 1.9, cy + u * 3.7),
                                (cx + s_ * u * 1.6, cy + u * 3.75), 8), [u * w for w in (0.2, 0.18, 0.16, 0.14, 0.11, 0.08, 0.05, 0.03, 0.0)]), P['hair'])
        for off in (-0.14, 0.12):
            sp = bezier((root[0] + s_ * u * 0.2, root[1] + u * 0.1), (cx + s_ * u * (1.9 + off), cy), (cx + s_ * u * (1.25 + off), cy + u * 2.2),
                        (cx + s_ * u * (1.66 + off), cy + u * 3.3), 12)
            cv.fill(V.stroke(sp, [u * w for w in (0.01, 0.02, 0.03, 0.03, 0.03, 0.03, 0.025, 0.02, 0.02, 0.015, 0.01, 0.005, 0.0)]), P['hair_sh'], 0.7)
        sh = bezier((root[0] + s_ * u * 0.3, root[1] + u * 0.2), (cx + s_ * u * 1.85, cy + u * 0.1), (cx + s_ * u * 1.3, cy + u * 1.6),
                    (cx + s_ * u * 1.5, cy + u * 2.4), 10)
        cv.fill(V.stroke(sh, [u * w for w in (0.01, 0.04, 0.06, 0.07, 0.07, 0.06, 0.05, 0.04, 0.03, 0.02, 0.0)]), P['hair_hi'], 0.7)
    back = Union(V.ell(cx, cy - u * 0.08, u * 1.2, u * 1.24),
                 V.ell(cx, cy + u * 0.5, u * 1.0, u * 0.8))
    cv.fill(back, P['hair_sh'])
    # legs, socks and shoes
    for s_ in (-1, 1):
        leg = V.poly(curvy([(cx + s_ * 50, 680), (cx + s_ * 46, 800), (cx + s_ * 38, 950), (cx + s_ * 16, 950), (cx + s_ * 12, 800), (cx + s_ * 10, 680)],
                           [s_ * 6, s_ * 3, 0, s_ * 3, 0], 6))
        cv.fill(leg, SKIN)
        cv.fill(Intersect(leg, V.poly([(cx + s_ * 10, 680), (cx + s_ * 26, 680), (cx + s_ * 24, 950), (cx + s_ * 14, 950)])), (255, 240, 228))
        cv.fill(Intersect(leg, V.rrect(cx - 80, 836, cx + 80, 960, 0)), P['sock'])
        cv.fill(Intersect(leg, V.rrect(cx - 80, 836, cx + 80, 848, 0)), P['blouse_sh'])
        cv.fill(Intersect(leg, V.poly([(cx + s_ * 36, 848), (cx + s_ * 50, 848), (cx + s_ * 50, 960), (cx + s_ * 32, 960)])), P['blouse_sh'], 0.7)
        shoe = Union(V.ell(cx + s_ * 28, 974, 28, 16), V.rrect(cx + s_ * 28 - 19, 950, cx + s_ * 28 + 19, 974, 8))
        cv.fill(shoe, P['shoe'])
        cv.fill(V.stroke([(cx + s_ * 28 - 18, 958), (cx + s_ * 28 + 18, 958)], 5), scale(P['shoe'], 0.7))
        cv.fill(V.ell(cx + s_ * 28 - 10, 970, 9, 4), (255, 255, 255), 0.3)
    # pleated skirt
    skirt_pts = [(cx - 66, 556), (cx + 66, 556), (cx + 96, 640), (cx + 122, 704)] + \
        curvy([(cx + 122, 704), (cx, 716), (cx - 122, 704)], [-6, -6], 10)[1:-1] + [(cx - 122, 704), (cx - 96, 640)]
    skirt = V.poly(skirt_pts)
    cv.fill(skirt, gradient([(V.p(0, 556)[1], P['navy']), (V.p(0, 716)[1], P['navy_sh'])]))
    for k in range(-4, 5):
        x0, x1 = cx + k * 13, cx + k * 27
        cv.fill(V.stroke([(x0, 572), (x1, 712)], [1, 3]), P['navy_sh'])
        cv.fill(V.stroke([(x0 + 4, 572), (x1 + 8, 712)], [0.5, 2]), scale(P['navy'], 1.25), 0.5)
    cv.fill(V.stroke([(cx - 121, 700), (cx, 712), (cx + 121, 700)], 4), (250, 250, 250), 0.9)
    cv.fill(V.rrect(cx - 68, 548, cx + 68, 568, 6), P['navy_sh'])
    # blouse
    body = V.poly(sym(cx, [(16, 402), (50, 410), (72, 424), (80, 446), (76, 500), (64, 556)]))
    cv.fill(body, P['blouse'])
    cv.fill(Intersect(body, V.poly([(cx + 40, 400), (cx + 90, 400), (cx + 90, 560), (cx + 52, 560)])), P['blouse_sh'], 0.8)
    # arms: sleeves with navy cuffs, hands relaxed
    for s_ in (-1, 1):
        path = [(cx + s_ * 70, 432), (cx + s_ * 88, 496), (cx + s_ * 96, 560), (cx + s_ * 100, 596)]
        cv.fill(V.stroke(path, [42, 40, 38, 38]), P['blouse'])
        cv.fill(V.stroke([(cx + s_ * 92, 452), (cx + s_ * 106, 520), (cx + s_ * 112, 584)], [3, 12, 6]), P['blouse_sh'], 0.9)
        cuff = V.stroke([(cx + s_ * 98, 580), (cx + s_ * 100, 606)], 40)
        cv.fill(cuff, P['navy'])
        cv.fill(Intersect(cuff, V.rrect(cx - 200, 588, cx + 200, 592, 0)), (250, 250, 250))
        cv.fill(V.ell(cx + s_ * 101, 624, 17, 20), SKIN)
        cv.fill(V.stroke([(cx + s_ * 94, 628), (cx + s_ * 96, 640)], 1.6), SKIN_SH)
    # neck and sailor collar with a red scarf knot
    neck = V.poly([(cx - 17, 370), (cx + 17, 370), (cx + 19, 412), (cx - 19, 412)])
    cv.fill(neck, SKIN)
    collar = V.poly(sym(cx, [(0, 500), (18, 404), (50, 408), (78, 428), (84, 450), (40, 470)]))
    cv.fill(collar, P['navy'])
    cv.fill(Diff(V.poly(sym(cx, [(0, 486), (30, 440), (60, 426), (72, 438), (36, 456)])),
                 V.poly(sym(cx, [(0, 478), (30, 446), (60, 432), (66, 438), (34, 452)]))), (250, 250, 250))
    cv.fill(Diff(collar, V.poly(sym(cx, [(0, 470), (20, 404)]))), P['navy'])
    cv.fill(V.poly(sym(cx, [(0, 440), (20, 410), (14, 400)])), SKIN)
    for s_ in (-1, 1):
        cv.fill(V.poly([(cx, 488), (cx + s_ * 40, 470), (cx + s_ * 46, 500), (cx + s_ * 10, 496)]), P['ribbon'])
        cv.fill(V.poly([(cx + s_ * 4, 494), (cx + s_ * 26, 548), (cx + s_ * 12, 544), (cx + s_ * 2, 540)]), P['ribbon_sh'])
    cv.fill(V.rrect(cx - 12, 478, cx + 12, 502, 5), P['ribbon_sh'])
    # head
    face = anime_face(cv, V, cx, cy, u)
    cv.fill(Diff(Intersect(neck, Shift(face, 0, u * 0.16 * V.s)), face), SKIN_SH)
    # front hair: straight fringe with a few points, side pieces to the cheek
    fr = [(cx + u * 1.17, cy - u * 0.08), (cx + u * 1.1, cy + u * 0.55), (cx + u * 0.96, cy + u * 0.9)]
    tips = [(0.84, 0.1), (0.76, 0.26), (0.64, -0.2), (0.5, 0.2), (0.36, -0.3), (0.2, 0.16), (0.08, -0.26), (-0.06, 0.2),
            (-0.2, -0.3), (-0.36, 0.18), (-0.5, -0.24), (-0.64, 0.22), (-0.76, -0.1), (-0.86, 0.24)]
    fr += [(cx + a * u, cy + b * u) for a, b in tips]
    fr += [(cx - u * 0.96, cy + u * 0.9), (cx - u * 1.1, cy + u * 0.55), (cx - u * 1.17, cy - u * 0.08)]
    arc = [(cx + u * 1.17 * math.cos(a), cy - u * 0.1 + u * 1.22 * math.sin(a))
           for a in [math.pi + i * math.pi / 24 for i in range(25)]]
    fringe = V.poly(curvy(fr, [u * 0.02, u * 0.05] + [-u * 0.04, u * 0.04] * 8, 6) + arc)
    cv.fill(Intersect(face, Shift(fringe, 0.02 * u * V.s, 0.1 * u * V.s)), SKIN_SH)
    ey, ry = face_features(cv, V, cx, cy, u, P['iris_top'], P['iris_bot'], P['hair_sh'], mouth='open', eye_ry=0.33)
    cv.fill(fringe, P['hair'])
    hair_sheen(cv, V, fringe, cx, cy - u * 0.62, u, u * 0.8, P['hair_hi'])
    for a, b in ((0.5, 0.1), (0.16, 0.05), (-0.2, 0.1), (-0.56, 0.1)):
        cv.fill(V.stroke(quad((cx + a * u * 0.6, cy - u * 0.95), (cx + a * u * 1.1, cy - u * 0.4), (cx + a * u * 1.15, cy + b * u), 8),
                         [u * w for w in (0.005, 0.02, 0.03, 0.03, 0.03, 0.025, 0.02, 0.01, 0.0)]), P['hair_sh'], 0.7)
    # a little tuft on top
    cv.fill(V.stroke(bezier((cx - u * 0.05, cy - u * 1.28), (cx + u * 0.05, cy - u * 1.6), (cx + u * 0.35, cy - u * 1.62), (cx + u * 0.42, cy - u * 1.45), 8),
                     [u * w for w in (0.12, 0.1, 0.08, 0.07, 0.06, 0.05, 0.04, 0.02, 0.0)]), P['hair'])
    for s_ in (-1, 1):
        bx = cx + s_ * u * 0.45
        cv.fill(V.stroke(quad((bx - s_ * u * 0.2, ey - ry * 1.75), (bx, ey - ry * 2.0), (bx + s_ * u * 0.2, ey - ry * 1.8), 6),
                         [u * 0.02, u * 0.035, u * 0.04, u * 0.035, u * 0.03, u * 0.02, u * 0.01]), P['hair_sh'], 0.55)
    # ribbons where the tails are tied
    for s_ in (-1, 1):
        ribbon_bow(cv, V, cx + s_ * u * 1.04, cy - u * 0.76, u * 0.015, P, angle=s_ * 0.55)


def fade_bottom(cv, height):
    """Fade the lowest rows of a sprite to transparent, so a bust cut off
    by the picture's edge ends softly instead of on a hard line."""
    W = cv.w
    for y in range(cv.h - height, cv.h):
        f = (cv.h - 1 - y) / (height - 1)
        f = f * f * (3 - 2 * f)
        table = bytes(int(v * f + 0.5) for v in range(256))
        for pl in cv.planes:
            pl[y * W:(y + 1) * W] = pl[y * W:(y + 1) * W].translate(table)


def portrait(figure_fn, w, h, s, ox, oy, outline_r, fade=0):
    cv = Canvas(w, h, alpha=True, ss=5)
    figure_fn(cv, View(s, ox, oy))
    cv.outline(LINE, radius=outline_r)
    if fade:
        fade_bottom(cv, fade)
    return cv


def draw_tachie_oneechan():
    return portrait(draw_oneechan_figure, 512, 1024, 1.0, 0, 0, 2)


def draw_tachie_imouto():
    return portrait(draw_imouto_figure, 512, 1024, 1.0, 0, 0, 2)


# The busts are the dialogue frame's portraits: the frame shows them from x 70
# and its text starts 330 pixels further right, so each figure keeps to the
# left 320 pixels of its picture.
def draw_bust_oneechan():
    s = 1.15
    return portrait(draw_oneechan_figure, 512, 512, s, 160 - 256 * s, 24 - 68 * s, 3, fade=72)


def draw_bust_imouto():
    s = 1.1
    return portrait(draw_imouto_figure, 512, 512, s, 160 - 256 * s, 24 - 188 * s, 3, fade=72)


# ---------------------------------------------------------------------------
# Interface pictures: pointers and the dialogue frame
# ---------------------------------------------------------------------------

def offset_polygon(pts, d):
    """Move every edge of a simple polygon inwards by d (mitred corners)."""
    n = len(pts)
    area = sum(pts[i][0] * pts[(i + 1) % n][1] - pts[(i + 1) % n][0] * pts[i][1] for i in range(n))
    sgn = 1 if area > 0 else -1      # inward normal side for this winding
    lines = []
    for i in range(n):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy)
        nx, ny = -dy / ln * sgn, dx / ln * sgn
        lines.append(((x0 + nx * d, y0 + ny * d), (dx, dy)))
    out = []
    for i in range(n):
        (p0, d0), (p1, d1) = lines[i - 1], lines[i]
        den = d0[0] * d1[1] - d0[1] * d1[0]
        if abs(den) < 1e-9:
            out.append(p1)
            continue
        t = ((p1[0] - p0[0]) * d1[1] - (p1[1] - p0[1]) * d1[0]) / den
        out.append((p0[0] + d0[0] * t, p0[1] + d0[1] * t))
    return out


POINTER_DARK = (44, 36, 52)


def draw_pointer_arrow():
    """The mouse pointer: a white arrow with a dark outline, tip at (5, 5)."""
    cv = Canvas(64, 64, alpha=True, ss=8)
    arrow = [(5, 5), (5, 45), (15, 36), (23, 54), (31, 50.5), (23, 33), (36, 33)]
    cv.fill(Shift(Poly(arrow), 1.5, 2.5), (0, 0, 0), 0.25)
    cv.fill(Poly(arrow), POINTER_DARK)
    inner = offset_polygon(arrow, 2.4)
    cv.fill(Poly(inner), gradient([(5, (255, 255, 255)), (54, (232, 232, 240))]))
    return cv


def draw_pointer_talk():
    """The talk pointer: a speech bubble with three dots whose tail tip is at
    (5, 5); three frames pulse in size and brightness."""
    out = []
    for i, (k, bright) in enumerate(((0.92, 0.90), (1.0, 0.96), (1.08, 1.0))):
        cv = Canvas(64, 64, alpha=True, ss=8)
        cx, cy = 33, 31
        rx, ry = 21 * k, 16 * k
        glow(cv, cx, cy, rx + 5, ry + 5, (255, 226, 150), 0.12 + 0.14 * i, steps=8)
        tail = [(5, 5), (cx - rx * 0.02, cy - ry * 0.8), (cx - rx * 0.85, cy + ry * 0.15)]
        body = Union(Ellipse(cx, cy, rx + 2.4, ry + 2.4), Poly(tail))
        cv.fill(Shift(body, 1.5, 2.5), (0, 0, 0), 0.25)
        cv.fill(body, POINTER_DARK)
        white = scale((255, 255, 255), bright)
        inner_tail = offset_polygon(tail, 2.4)
        cv.fill(Union(Ellipse(cx, cy, rx, ry), Poly(inner_tail)), white)
        cv.fill(Ellipse(cx, cy, rx, ry), (214, 208, 230), lambda y: 0.7 * max(0.0, (y - cy) / ry))
        for dx in (-8, 0, 8):
            cv.fill(Ellipse(cx + dx * k, cy + 1, 2.6 * k, 2.6 * k), POINTER_DARK)
        out.append(('m%d.png' % (i + 1), cv))
    return out


def draw_dialogue_frame():
    """The dialogue frame: a translucent light rounded panel with a thin
    darker border and a soft top highlight. The portrait stands over its
    left part and text is drawn from x=400, so the inside stays plain."""
    W, H = 1280, 200
    cv = Canvas(W, H, alpha=True, ss=6)
    x0, y0, x1, y1, r = 6, 6, W - 6, H - 6, 26
    outer = RRect(x0, y0, x1, y1, r)
    # body: a very light lilac-white gradient, alpha about 215
    cv.fill(outer, gradient([(y0, (252, 251, 255)), (y1, (238, 234, 246))]), 215 / 255)
    # top highlight
    inner = RRect(x0 + 3, y0 + 3, x1 - 3, y1 - 3, r - 3)
    cv.fill(Intersect(inner, Rect(0, y0, W, y0 + 44)), (255, 255, 255),
            lambda y: 0.55 * max(0.0, 1 - (y - y0) / 44))
    # borders: a darker outer line and a faint inner rule
    cv.fill(Diff(outer, inner), (92, 80, 112), 0.9)
    cv.fill(Diff(RRect(x0 + 9, y0 + 9, x1 - 9, y1 - 9, r - 9), RRect(x0 + 10.5, y0 + 10.5, x1 - 10.5, y1 - 10.5, r - 10.5)),
            (170, 150, 190), 0.45)
    return cv

PICTURES = [
    ('genkan.png', draw_genkan),
    ('rouka.png', draw_rouka),
    ('heya0.png', draw_heya0),
    ('magic.png', draw_magic),
    ('pc01.png', draw_pc01),
    ('pc02.png', draw_pc02),
    ('end.png', draw_end),
    ('walk00.png', draw_walk_frames),
    ('oneechanS.png', draw_oneechan_small),
    ('tachie-oneechan.png', draw_tachie_oneechan),
    ('tachie-imouto.png', draw_tachie_imouto),
    ('oneechan.png', draw_bust_oneechan),
    ('imouto.png', draw_bust_imouto),
    ('m0.png', draw_pointer_arrow),
    ('m1.png', draw_pointer_talk),
    ('dia.png', draw_dialogue_frame),
]


def main(argv):
    os.makedirs(OUT_DIR, exist_ok=True)
    only = set(argv[1:])
    start = time.time()
    for name, fn in PICTURES:
        if only and name not in only:
            continue
        t = time.time()
        result = fn()
        items = result if isinstance(result, list) else [(name, result)]
        for out_name, canvas in items:
            path = save(canvas, out_name)
            print('%-22s %4dx%-4d %8d bytes  %.1fs' % (out_name, canvas.w, canvas.h,
                                                     os.path.getsize(path), time.time() - t))
    print('total %.1fs' % (time.time() - start))


if __name__ == '__main__':
    main(sys.argv)
