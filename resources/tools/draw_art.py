#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Generate Quotello's artwork (icons, pictures, cursor) from simple geometry.

Pure Python 3 (standard library only), deterministic: running it twice gives
byte-identical files.  Run from anywhere:

    python3 resources/tools/draw_art.py

Outputs (relative to resources/), all PNG:
  icons/hicolor/{16x16,32x32,48x48,64x64,128x128}/apps/quotello.png
  icons/windows/quotello.ico (the same icon from 16 to 256 pixels, as PNGs)
  pictures/{stopwatch,face-smile,face-neutral,face-laugh,noentry}-{16,24,...,96}.png
  pictures/cursor-face-{24,32,40,48,56,64,80,96}.png

The pictures are 32 x 32 points on screen.  The other sizes draw the same
32-unit geometry with fewer or more pixels, for the scales 0.75, 1.25, 1.5,
1.75, 2, 2.5 and 3, so that these never stretch the 32-pixel drawing; the game
scales the nearest drawing by whole pixels for the scales between.  The
16-pixel versions have geometry of their own.  The cursor's hot spot is the tip of its pointer:
pixel (1, 1) at 32 pixels, the same point scaled at the other sizes.

The scalable icon icons/hicolor/scalable/apps/quotello.svg is hand written;
the PNG renderings use the same geometry (a 128-unit board with a 3x3 grid
of tiles).

Every drawing is a list of layers (shape, colour), painted bottom to top.
A shape is a predicate on continuous coordinates (pixel (x, y) covers the
square [x, x+1) x [y, y+1) at the drawing's own size; at k units per pixel
it covers k times that).  The pictures sample each pixel at its centre, so
they keep flat colours and hard edges, at most 16 colours; the larger icons
and the cursor are supersampled for smoother edges.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)


# --------------------------------------------------------------------------
# Shapes: each returns a predicate f(x, y) -> bool


def disc(cx, cy, r):
    r2 = r * r
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rrect(x0, y0, x1, y1, r):
    """Rectangle with rounded corners of radius r."""
    def f(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        qx = min(max(x, x0 + r), x1 - r)
        qy = min(max(y, y0 + r), y1 - r)
        return (x - qx) ** 2 + (y - qy) ** 2 <= r * r
    return f


def _seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / ll))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def capsule(ax, ay, bx, by, w):
    """Thick line segment with round caps, total width w."""
    h = w / 2.0
    return lambda x, y: _seg_dist(x, y, ax, ay, bx, by) <= h


def arc(cx, cy, r, w, a0, a1):
    """Thick circular arc with round caps.  Angles in degrees, screen
    orientation (0 = right, 90 = down), drawn from a0 to a1 (a0 < a1)."""
    h = w / 2.0
    e0 = (cx + r * math.cos(math.radians(a0)), cy + r * math.sin(math.radians(a0)))
    e1 = (cx + r * math.cos(math.radians(a1)), cy + r * math.sin(math.radians(a1)))

    def f(x, y):
        a = math.degrees(math.atan2(y - cy, x - cx))
        while a < a0:
            a += 360.0
        if a <= a1:
            return abs(math.hypot(x - cx, y - cy) - r) <= h
        return (math.hypot(x - e0[0], y - e0[1]) <= h
                or math.hypot(x - e1[0], y - e1[1]) <= h)
    return f


def sector(cx, cy, r, a0, a1):
    """Pie slice from angle a0 to a1 (degrees, screen orientation)."""
    def f(x, y):
        if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
            return False
        a = math.degrees(math.atan2(y - cy, x - cx))
        while a < a0:
            a += 360.0
        return a <= a1
    return f


def polygon(pts):
    def f(x, y):
        inside = False
        n = len(pts)
        for i in range(n):
            x0, y0 = pts[i]
            x1, y1 = pts[(i + 1) % n]
            if (y0 > y) != (y1 > y):
                xc = x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                if x < xc:
                    inside = not inside
        return inside
    return f


def union(*fs):
    return lambda x, y: any(f(x, y) for f in fs)


def inter(*fs):
    return lambda x, y: all(f(x, y) for f in fs)


def minus(f, g):
    return lambda x, y: f(x, y) and not g(x, y)


def teardrop(tx, ty, cx, cy, r):
    """Disc (cx, cy, r) joined to a sharp tip at (tx, ty) by its tangents."""
    d = math.hypot(cx - tx, cy - ty)
    ux, uy = (cx - tx) / d, (cy - ty) / d
    sin_a = r / d
    cos_a = math.sqrt(1.0 - sin_a * sin_a)
    # tangent points seen from the tip
    tl = d * cos_a
    pts = [(tx, ty)]
    for s in (1, -1):
        vx = ux * cos_a - s * uy * sin_a
        vy = s * ux * sin_a + uy * cos_a
        pts.append((tx + vx * tl, ty + vy * tl))
    # close the triangle through the disc centre
    tri = polygon([pts[0], pts[1], (cx, cy), pts[2]])
    return union(disc(cx, cy, r), tri)


# --------------------------------------------------------------------------
# Rendering


def hex_rgb(h):
    h = h.lstrip('#')
    return tuple(int(h[i:i + 2], 16) for i in (0, 2, 4))


def render_flat(size, layers, k=1.0):
    """One sample per pixel centre, k units to a pixel. Returns rows of
    colour strings / None."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            px, py = (x + 0.5) * k, (y + 0.5) * k
            c = None
            for shape, col in layers:
                if shape(px, py):
                    c = col
            row.append(c)
        rows.append(row)
    return rows


def render_aa(size, layers, ss=5, k=1.0):
    """Supersampled RGBA rendering, k units to a pixel.  Layer colours are '#rrggbb' or
    ('#rrggbb', alpha).  Returns rows of (r, g, b, a) tuples 0..255."""
    offs = [(i + 0.5) / ss for i in range(ss)]
    n = ss * ss
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            ar = ag = ab = aa = 0.0
            for oy in offs:
                for ox in offs:
                    px, py = (x + ox) * k, (y + oy) * k
                    r = g = b = a = 0.0          # premultiplied
                    for shape, col in layers:
                        if shape(px, py):
                            if isinstance(col, tuple):
                                hc, ca = col
                            else:
                                hc, ca = col, 1.0
                            cr, cg, cb = hex_rgb(hc)
                            r = cr * ca + r * (1 - ca)
                            g = cg * ca + g * (1 - ca)
                            b = cb * ca + b * (1 - ca)
                            a = ca + a * (1 - ca)
                    ar += r
                    ag += g
                    ab += b
                    aa += a
            if aa <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((int(round(ar / aa)), int(round(ag / aa)),
                            int(round(ab / aa)), int(round(255 * aa / n))))
        rows.append(row)
    return rows


def render_aa_hard_alpha(size, layers, ss=5, step=8, hard=(), k=1.0):
    """Supersampled colours but binary transparency (taken from the pixel
    centre sample), as a cursor with a 1-bit mask needs.  Pixels whose
    centre sample has a colour listed in `hard` keep that exact colour (crisp
    outlines).  Colours are quantised to multiples of `step` to keep the
    palette small."""
    flat = render_flat(size, layers, k)
    # leave the hard colours out of the blend so they do not smear inwards
    soft = render_aa(size, [l for l in layers if l[1] not in hard], ss, k)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if flat[y][x] is None or flat[y][x] in hard or soft[y][x][3] == 0:
                row.append(flat[y][x])
            else:
                r, g, b, _ = soft[y][x]
                q = lambda v: min(255, int(round(v / step)) * step)
                row.append('#%02x%02x%02x' % (q(r), q(g), q(b)))
        rows.append(row)
    return rows


def write_png(path, rgba_rows):
    h = len(rgba_rows)
    w = len(rgba_rows[0])
    raw = bytearray()
    for row in rgba_rows:
        raw.append(0)
        for px in row:
            raw.extend(px)

    def chunk(tag, data):
        c = struct.pack('>I', len(data)) + tag + data
        return c + struct.pack('>I', zlib.crc32(tag + data) & 0xffffffff)

    png = (b'\x89PNG\r\n\x1a\n'
           + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
           + chunk(b'IDAT', zlib.compress(bytes(raw), 9))
           + chunk(b'IEND', b''))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as fh:
        fh.write(png)


def write_ico(path, pngs):
    """A Windows icon holding PNG images, the form Windows Vista and later read."""
    entries, data = b'', b''
    offset = 6 + 16 * len(pngs)
    for size, png in pngs:
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(png), offset + len(data))
        data += png
    with open(path, 'wb') as fh:
        fh.write(struct.pack('<HHH', 0, 1, len(pngs)) + entries + data)


def flat_to_rgba(rows):
    return [[(0, 0, 0, 0) if c is None else hex_rgb(c) + (255,) for c in row]
            for row in rows]


# --------------------------------------------------------------------------
# Palette

OUTLINE = '#2b2838'      # dark outline used everywhere
WHITE = '#ffffff'

TILE_COLOURS = [
    '#e53935',  # red
    '#fb8c00',  # orange
    '#fdd835',  # yellow
    '#7cc832',  # lime
    '#16a67c',  # teal green
    '#29b6f6',  # sky blue
    '#3d5afe',  # blue
    '#9145e6',  # violet
    '#ec407a',  # pink
]


def lighten(col, f):
    """Mix `col` with white; f = 0 keeps col, f = 1 gives white."""
    return '#%02x%02x%02x' % tuple(int(round(v * (1 - f) + 255 * f)) for v in hex_rgb(col))


# --------------------------------------------------------------------------
# 1. Program icon: 3x3 tiles on a dark rounded board.
# In 128 units: border 8, tile 32, gap 8 -> 8+32+8+32+8+32+8 = 128.
# Must stay in step with icons/hicolor/scalable/apps/quotello.svg.


def icon_layers(size, smooth):
    k = size / 128.0
    board_r = 16 * k if smooth else max(1.0, 16 * k)
    layers = [(rrect(0, 0, size, size, board_r), OUTLINE)]
    for i, col in enumerate(TILE_COLOURS):
        row, column = divmod(i, 3)
        x0 = (8 + 40 * column) * k
        y0 = (8 + 40 * row) * k
        t = 32 * k
        if smooth:
            layers.append((rrect(x0, y0, x0 + t, y0 + t, 5 * k), col))
            # soft highlight on the upper part of each tile
            layers.append((rrect(x0 + 3 * k, y0 + 3 * k, x0 + t - 3 * k,
                                 y0 + 11 * k, 3 * k), lighten(col, 0.30)))
        else:
            layers.append((rect(x0, y0, x0 + t, y0 + t), col))
    return layers


# --------------------------------------------------------------------------
# 2. Stopwatch


SW_METAL = '#c5cbd3'
SW_METAL_DARK = '#8d96a3'
SW_FACE = '#ffffff'
SW_ELAPSED = '#bfe6fb'
SW_TICK = '#5b6270'
SW_HAND = '#e53935'


def stopwatch_32_layers():
    L = []
    # 32x32 only; the 16x16 one is drawn by hand (STOPWATCH_16 below)
    cx, cy = 16.0, 18.5
    # crown: stem + push button on top, small button at 45 degrees
    L.append((capsule(16, 2.2, 16, 7, 4.6), OUTLINE))
    L.append((rrect(11.0, 0.0, 21.0, 4.4, 1.6), OUTLINE))
    L.append((rect(14.9, 4.4, 17.1, 7), SW_METAL))
    L.append((rrect(12.2, 1.2, 19.8, 3.2, 0.8), SW_METAL))
    a = math.radians(-45)
    bx0, by0 = cx + 11 * math.cos(a), cy + 11 * math.sin(a)
    bx1, by1 = cx + 14.6 * math.cos(a), cy + 14.6 * math.sin(a)
    L.append((capsule(bx0, by0, bx1, by1, 4.4), OUTLINE))
    L.append((capsule(bx0, by0, bx1, by1, 2.0), SW_METAL))
    # case
    L.append((disc(cx, cy, 13.0), OUTLINE))
    L.append((disc(cx, cy, 11.9), SW_METAL))
    L.append((minus(disc(cx, cy, 11.9), disc(cx - 1.3, cy - 1.3, 11.4)), SW_METAL_DARK))
    L.append((disc(cx, cy, 10.0), OUTLINE))
    L.append((disc(cx, cy, 9.0), SW_FACE))
    # elapsed time: from 12 o'clock to the hand
    L.append((sector(cx, cy, 9.0, -90, -30), SW_ELAPSED))
    for h in range(12):
        ang = math.radians(h * 30)
        r0 = 6.6 if h % 3 == 0 else 7.6
        sx, sy = math.sin(ang), -math.cos(ang)
        L.append((capsule(cx + r0 * sx, cy + r0 * sy, cx + 8.3 * sx, cy + 8.3 * sy,
                          1.3 if h % 3 == 0 else 0.9), SW_TICK))
    ha = math.radians(-30)
    L.append((capsule(cx, cy, cx + 7.6 * math.cos(ha), cy + 7.6 * math.sin(ha), 1.7), SW_HAND))
    L.append((disc(cx, cy, 1.9), OUTLINE))
    return L


# At 16x16 geometry gives a muddy crown and hand, so this one is drawn
# pixel by pixel.  o outline, m metal, d metal shadow, w dial, e elapsed
# time, t tick, h hand.
STOPWATCH_16 = [
    "     oooooo     ",
    "     ommmmo     ",
    "     oooooo     ",
    "       oo   oo  ",
    "      oooo ommo ",
    "    oommmmoooo  ",
    "    omwttemo    ",
    "   omwwweeemo   ",
    "  omwwwwehhwmo  ",
    "  omtwwoowwtmo  ",
    "  omtwwoowwtdo  ",
    "  omwwwwwwwwdo  ",
    "   omwwwwwwdo   ",
    "    omwttwdo    ",
    "    oodddddo    ",
    "      oooo      ",
]


def grid_rows(grid, legend):
    return [[legend[ch] for ch in line] for line in grid]


def stopwatch_16_rows():
    return grid_rows(STOPWATCH_16, {
        ' ': None, 'o': OUTLINE, 'm': SW_METAL, 'd': SW_METAL_DARK, 'w': SW_FACE,
        'e': SW_ELAPSED, 't': SW_TICK, 'h': SW_HAND})


# --------------------------------------------------------------------------
# 3. Faces


FACE_YELLOW = '#ffd23f'
FACE_SHADE = '#f4a926'
FACE_LIGHT = '#fff2a8'
FACE_FEATURE = '#3a2a1a'
MOUTH_INSIDE = '#9c2a1f'
TONGUE = '#ff7a7a'


def face_base(size):
    if size == 32:
        c, r_out, r_in = 16.0, 15.5, 14.35
        L = [(disc(c, c, r_out), OUTLINE), (disc(c, c, r_in), FACE_YELLOW),
             (minus(disc(c, c, r_in), disc(c - 1.6, c - 1.6, r_in - 0.4)), FACE_SHADE),
             (ellipse(9.6, 8.4, 2.6, 1.7), FACE_LIGHT)]
    else:
        c, r_out, r_in = 8.0, 7.8, 6.7
        L = [(disc(c, c, r_out), OUTLINE), (disc(c, c, r_in), FACE_YELLOW),
             (minus(disc(c, c, r_in), disc(c - 1.0, c - 1.0, r_in - 0.2)), FACE_SHADE)]
    return L


def face_layers(kind, size):
    L = face_base(size)
    if size == 32:
        if kind in ('smile', 'neutral'):
            L.append((ellipse(11.0, 12.0, 1.6, 2.5), FACE_FEATURE))
            L.append((ellipse(21.0, 12.0, 1.6, 2.5), FACE_FEATURE))
        if kind == 'smile':
            L.append((arc(16, 15.5, 7.8, 1.9, 30, 150), FACE_FEATURE))
        elif kind == 'neutral':
            L.append((capsule(10.5, 21.5, 21.5, 21.5, 2.0), FACE_FEATURE))
        elif kind == 'laugh':
            # closed happy eyes: upside-down arcs
            L.append((arc(11, 13.4, 2.8, 1.6, 200, 340), FACE_FEATURE))
            L.append((arc(21, 13.4, 2.8, 1.6, 200, 340), FACE_FEATURE))
            # wide open mouth: flat top, round bottom
            mouth_o = inter(disc(16, 16.5, 9.0), rect(0, 16.5, 32, 32))
            mouth_i = inter(disc(16, 16.5, 7.6), rect(0, 17.7, 32, 32))
            L.append((mouth_o, FACE_FEATURE))
            L.append((mouth_i, MOUTH_INSIDE))
            L.append((inter(mouth_i, disc(16, 26.6, 4.6)), TONGUE))
            L.append((inter(mouth_i, rect(0, 17.7, 32, 19.6)), WHITE))
    else:
        if kind in ('smile', 'neutral'):
            L.append((rect(5, 4.5, 6, 7), FACE_FEATURE))
            L.append((rect(10, 4.5, 11, 7), FACE_FEATURE))
        if kind == 'smile':
            L.append((polygon([(3.6, 9), (4.6, 9), (6, 11), (10, 11), (11.4, 9), (12.4, 9),
                               (10.6, 12), (5.4, 12)]), FACE_FEATURE))
        elif kind == 'neutral':
            L.append((rect(5, 10, 11, 11), FACE_FEATURE))
        elif kind == 'laugh':
            for ex in (5.5, 10.5):
                L.append((rect(ex - 1.5, 6, ex - 0.5, 7), FACE_FEATURE))
                L.append((rect(ex - 0.5, 5, ex + 0.5, 6), FACE_FEATURE))
                L.append((rect(ex + 0.5, 6, ex + 1.5, 7), FACE_FEATURE))
            L.append((polygon([(3.5, 8.5), (12.5, 8.5), (11.5, 11), (10, 12.5), (6, 12.5),
                               (4.5, 11)]), FACE_FEATURE))
            L.append((polygon([(5, 9.5), (11, 9.5), (10.5, 10.8), (9.5, 11.5), (6.5, 11.5),
                               (5.5, 10.8)]), MOUTH_INSIDE))
            L.append((rect(6, 10.5, 10, 11.5), TONGUE))
    return L


# --------------------------------------------------------------------------
# 4. No-entry sign


NE_RED = '#e02b2b'
NE_DARK = '#8e1414'


def noentry_layers(size):
    if size == 32:
        c = 16.0
        return [(disc(c, c, 15.5), NE_DARK), (disc(c, c, 14.35), NE_RED),
                (minus(disc(c, c, 14.35), disc(c + 1.2, c + 1.2, 14.15)), '#f05a4f'),
                (rrect(6.0, 13.0, 26.0, 19.0, 0.8), WHITE)]
    c = 8.0
    return [(disc(c, c, 7.8), NE_DARK), (disc(c, c, 6.8), NE_RED),
            (rect(3, 6.5, 13, 9.5), WHITE)]


# --------------------------------------------------------------------------
# 5. Cursor: a smiling face with a pointer tip at the top-left; the tip
# pixel is (1, 1), which is the hotspot.


def cursor_layers():
    tip = (0.8, 0.8)
    c, r = 19.0, 12.6
    t = 1.5                                     # outline width
    d = math.hypot(c - tip[0], c - tip[1])
    shift = t * d / r                           # t / sin(half angle)
    u = 1 / math.sqrt(2)
    inner_tip = (tip[0] + shift * u, tip[1] + shift * u)
    body = teardrop(tip[0], tip[1], c, c, r)
    inner = teardrop(inner_tip[0], inner_tip[1], c, c, r - t)
    L = [(body, OUTLINE), (inner, FACE_YELLOW),
         (minus(inner, teardrop(inner_tip[0] - 1.5, inner_tip[1] - 1.5, c - 1.5, c - 1.5, r - t - 0.4)),
          FACE_SHADE),
         (ellipse(12.4, 12.0, 2.2, 1.5), FACE_LIGHT),
         (ellipse(15.2, 16.5, 1.5, 2.3), FACE_FEATURE),
         (ellipse(23.0, 16.5, 1.5, 2.3), FACE_FEATURE),
         (arc(19.0, 19.0, 6.6, 1.8, 30, 150), FACE_FEATURE)]
    return L


# --------------------------------------------------------------------------


# Pixel sizes drawn from the 32-unit geometry: 1x, 1.25x, 1.5x and 2x.
SCALED_SIZES = (24, 32, 40, 48, 56, 64, 80, 96)


def colours(rows):
    return len({c for row in rows for c in row})


def main():
    made = []

    def png(rel, rows, limit=None):
        if limit is not None and colours(rows) > limit:
            raise SystemExit('%s: %d colours, limit %d' % (rel, colours(rows), limit))
        rgba = flat_to_rgba(rows) if isinstance(rows[0][0], (str, type(None))) else rows
        write_png(os.path.join(RES, rel), rgba)
        made.append((rel, len(rows)))

    for size in (16, 32):
        png('icons/hicolor/%dx%d/apps/quotello.png' % (size, size),
            render_flat(size, icon_layers(size, smooth=False)), 16)
    for size in (48, 64, 128):
        png('icons/hicolor/%dx%d/apps/quotello.png' % (size, size),
            render_aa(size, icon_layers(size, smooth=True)))
    # The program's icon on Windows: the same drawings, and a 256-pixel one.
    png('icons/windows/quotello-256.png', render_aa(256, icon_layers(256, smooth=True)))
    icon_sizes = (16, 32, 48, 64, 128, 256)
    icon_files = ['icons/hicolor/%dx%d/apps/quotello.png' % (n, n) for n in icon_sizes[:-1]]
    icon_files.append('icons/windows/quotello-256.png')
    write_ico(os.path.join(RES, 'icons/windows/quotello.ico'),
              [(n, open(os.path.join(RES, f), 'rb').read()) for n, f in zip(icon_sizes, icon_files)])
    os.remove(os.path.join(RES, 'icons/windows/quotello-256.png'))
    made.pop()
    made.append(('icons/windows/quotello.ico', 256))

    # 16 colours, transparency included
    pictures = [('stopwatch', stopwatch_32_layers(), stopwatch_16_rows())]
    for kind in ('smile', 'neutral', 'laugh'):
        pictures.append(('face-' + kind, face_layers(kind, 32),
                         render_flat(16, face_layers(kind, 16))))
    pictures.append(('noentry', noentry_layers(32), render_flat(16, noentry_layers(16))))
    for name, layers, small in pictures:
        png('pictures/%s-16.png' % name, small, 16)
        for size in SCALED_SIZES:
            png('pictures/%s-%d.png' % (name, size), render_flat(size, layers, 32 / size), 16)

    for size in SCALED_SIZES:
        png('pictures/cursor-face-%d.png' % size,
            render_aa_hard_alpha(size, cursor_layers(), hard=(OUTLINE,), k=32 / size), 256)

    for rel, size in made:
        print('%-40s %3dx%-3d %5d bytes' % (rel, size, size, os.path.getsize(os.path.join(RES, rel))))


if __name__ == '__main__':
    main()
