"""Tiny raster library for Tolmaro's generated resources (standard library only).

Shapes are lists of closed contours (lists of (x, y) float points, pixel
coordinates, y down).  Canvas.fill() scan-converts them with the non-zero
winding rule; anti-aliasing comes from SS sub-scanlines per pixel row plus the
exact horizontal coverage of each span, so edges are smooth without drawing a
large canvas and shrinking it.  All contours built by the helpers below run the
same way round, so a list of them fills as their union; reverse a contour to
cut a hole.

The canvas also keeps the accumulated opacity of everything drawn, so that a
picture can be flattened onto another background later (a colour key for
transparent clips, a matte plus 1-bit mask for icons).
"""

import math
import struct
from collections import Counter

SS = 5  # sub-scanlines per pixel row


# ----------------------------------------------------------------- shapes --

def area(contour):
    a = 0.0
    for i, (x0, y0) in enumerate(contour):
        x1, y1 = contour[(i + 1) % len(contour)]
        a += x0 * y1 - x1 * y0
    return a / 2


def orient(contour, positive=True):
    """Return the contour running the 'positive' way (clockwise on screen)."""
    return list(contour) if (area(contour) >= 0) == positive else contour[::-1]


def hole(shape):
    """Reverse every contour so that, filled together with a shape, it cuts."""
    return [orient(c, False) for c in shape]


def rect(x0, y0, x1, y1):
    return [orient([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])]


def _segments(r):
    return max(8, int(r * 2.5) + 8)


def ellipse(cx, cy, rx, ry, n=None):
    n = n or _segments(max(rx, ry))
    return [orient([(cx + rx * math.cos(2 * math.pi * i / n),
                     cy + ry * math.sin(2 * math.pi * i / n)) for i in range(n)])]


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def arc_points(cx, cy, rx, ry, a0, a1, n=None):
    """Points along an elliptic arc, angles in degrees (0 = +x, 90 = +y/down)."""
    n = n or max(2, int(abs(a1 - a0) / 360 * _segments(max(rx, ry))) + 1)
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n)))
            for i in range(n + 1)]


def rounded_rect(x0, y0, x1, y1, r):
    r = min(r, (x1 - x0) / 2, (y1 - y0) / 2)
    if r <= 0:
        return rect(x0, y0, x1, y1)
    pts = (arc_points(x1 - r, y0 + r, r, r, -90, 0) + arc_points(x1 - r, y1 - r, r, r, 0, 90)
           + arc_points(x0 + r, y1 - r, r, r, 90, 180) + arc_points(x0 + r, y0 + r, r, r, 180, 270))
    return [orient(pts)]


def ring(cx, cy, r_out, r_in):
    return circle(cx, cy, r_out) + hole(circle(cx, cy, r_in))


def polygon(points):
    return [orient(points)]


def stroke(points, width, closed=False, caps=True):
    """Thick polyline: one quad per segment plus round joins (and caps)."""
    hw = width / 2
    pts = list(points) + ([points[0]] if closed else [])
    shape = []
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        d = math.hypot(x1 - x0, y1 - y0)
        if d < 1e-9:
            continue
        nx, ny = -(y1 - y0) / d * hw, (x1 - x0) / d * hw
        shape.append(orient([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                             (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]))
    joints = pts if caps or closed else pts[1:-1]
    for x, y in joints:
        shape += circle(x, y, hw)
    return shape


def bezier(p0, p1, p2, p3=None, n=24):
    """Quadratic (3 points) or cubic (4 points) Bezier curve as a polyline."""
    out = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        if p3 is None:
            out.append((u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                        u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))
        else:
            out.append((u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
                        u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]))
    return out


def transform(shape, dx=0.0, dy=0.0, scale=1.0, angle=0.0, cx=0.0, cy=0.0):
    """Scale and rotate (degrees) about (cx, cy), then move by (dx, dy)."""
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    out = []
    for contour in shape:
        pts = []
        for x, y in contour:
            x, y = (x - cx) * scale, (y - cy) * scale
            pts.append((cx + x * c - y * s + dx, cy + x * s + y * c + dy))
        out.append(pts)
    return out


def polyline_length(points):
    return sum(math.hypot(b[0] - a[0], b[1] - a[1]) for a, b in zip(points, points[1:]))


def polyline_part(points, fraction):
    """The first `fraction` (0..1) of a polyline, cut inside a segment."""
    todo = polyline_length(points) * max(0.0, min(1.0, fraction))
    out = [points[0]]
    for a, b in zip(points, points[1:]):
        d = math.hypot(b[0] - a[0], b[1] - a[1])
        if d >= todo:
            if d > 0:
                out.append((a[0] + (b[0] - a[0]) * todo / d, a[1] + (b[1] - a[1]) * todo / d))
            return out
        out.append(b)
        todo -= d
    return out


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def vgradient(y0, y1, c0, c1):
    """Colour function for Canvas.fill: vertical gradient from y0 to y1."""
    def colour(x, y):
        return mix(c0, c1, max(0.0, min(1.0, (y - y0) / (y1 - y0))))
    return colour


def hgradient(x0, x1, c0, c1):
    def colour(x, y):
        return mix(c0, c1, max(0.0, min(1.0, (x - x0) / (x1 - x0))))
    return colour


# --------------------------------------------------------------- pixel font --

# 5x7 glyphs (some narrower); '#' = lit pixel.
_FONT_ROWS = {
    'A': ".###. #...# #...# ##### #...# #...# #...#",
    'B': "####. #...# #...# ####. #...# #...# ####.",
    'C': ".###. #...# #.... #.... #.... #...# .###.",
    'D': "###.. #..#. #...# #...# #...# #..#. ###..",
    'E': "##### #.... #.... ####. #.... #.... #####",
    'F': "##### #.... #.... ####. #.... #.... #....",
    'G': ".###. #...# #.... #.### #...# #...# .####",
    'H': "#...# #...# #...# ##### #...# #...# #...#",
    'I': "### .#. .#. .#. .#. .#. ###",
    'J': "..### ...#. ...#. ...#. ...#. #..#. .##..",
    'K': "#...# #..#. #.#.. ##... #.#.. #..#. #...#",
    'L': "#.... #.... #.... #.... #.... #.... #####",
    'M': "#...# ##.## #.#.# #.#.# #...# #...# #...#",
    'N': "#...# #...# ##..# #.#.# #..## #...# #...#",
    'O': ".###. #...# #...# #...# #...# #...# .###.",
    'P': "####. #...# #...# ####. #.... #.... #....",
    'Q': ".###. #...# #...# #...# #.#.# #..#. .##.#",
    'R': "####. #...# #...# ####. #.#.. #..#. #...#",
    'S': ".#### #.... #.... .###. ....# ....# ####.",
    'T': "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    'U': "#...# #...# #...# #...# #...# #...# .###.",
    'V': "#...# #...# #...# #...# #...# .#.#. ..#..",
    'W': "#...# #...# #...# #.#.# #.#.# #.#.# .#.#.",
    'X': "#...# #...# .#.#. ..#.. .#.#. #...# #...#",
    'Y': "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#..",
    'Z': "##### ....# ...#. ..#.. .#... #.... #####",
    '0': ".###. #...# #..## #.#.# ##..# #...# .###.",
    '1': "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###.",
    '2': ".###. #...# ....# ...#. ..#.. .#... #####",
    '3': "##### ...#. ..#.. ...#. ....# #...# .###.",
    '4': "...#. ..##. .#.#. #..#. ##### ...#. ...#.",
    '5': "##### #.... ####. ....# ....# #...# .###.",
    '6': "..##. .#... #.... ####. #...# #...# .###.",
    '7': "##### ....# ...#. ..#.. .#... .#... .#...",
    '8': ".###. #...# #...# .###. #...# #...# .###.",
    '9': ".###. #...# #...# .#### ....# ...#. .##..",
    '.': ".. .. .. .. .. ## ##",
    ':': ". # # . # # .",
    '-': ".... .... .... #### .... .... ....",
    '/': "....# ...#. ...#. ..#.. .#... .#... #....",
    ' ': "... ... ... ... ... ... ...",
}
FONT = {ch: rows.split() for ch, rows in _FONT_ROWS.items()}


def text_width(text, scale=1, spacing=1):
    return (sum(len(FONT[c][0]) + spacing for c in text) - spacing) * scale


def text_shape(text, x, y, scale=1, spacing=1):
    """The lit pixels of `text` as squares of size `scale`, top-left at (x, y)."""
    shape = []
    for ch in text:
        rows = FONT[ch]
        for j, row in enumerate(rows):
            for i, bit in enumerate(row):
                if bit == '#':
                    shape += rect(x + i * scale, y + j * scale, x + (i + 1) * scale, y + (j + 1) * scale)
        x += (len(rows[0]) + spacing) * scale
    return shape


# ------------------------------------------------------------------ canvas --

class Canvas:
    def __init__(self, w, h, bg):
        self.w, self.h, self.bg = w, h, tuple(bg)
        n = w * h
        self.r, self.g, self.b = [float(bg[0])] * n, [float(bg[1])] * n, [float(bg[2])] * n
        self.a = [0.0] * n  # opacity of everything drawn so far

    def fill(self, shape, colour, opacity=1.0):
        """Fill a shape (non-zero rule) with an RGB tuple or a function (x, y) -> RGB."""
        edges = []
        for contour in shape:
            for i, (x0, y0) in enumerate(contour):
                x1, y1 = contour[(i + 1) % len(contour)]
                if y0 == y1:
                    continue
                wind = 1 if y1 > y0 else -1
                if y0 > y1:
                    x0, y0, x1, y1 = x1, y1, x0, y0
                edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), wind))
        if not edges:
            return
        top = max(0, int(math.floor(min(e[0] for e in edges))))
        bottom = min(self.h, int(math.ceil(max(e[1] for e in edges))))
        w, step = self.w, 1.0 / SS
        for py in range(top, bottom):
            cov = [0.0] * (w + 2)
            full = [0.0] * (w + 2)  # difference array for fully covered pixels
            lo, hi = w, 0
            live = [e for e in edges if e[0] < py + 1 and e[1] > py]
            for k in range(SS):
                sy = py + (k + 0.5) * step
                xs = sorted((e[2] + (sy - e[0]) * e[3], e[4]) for e in live if e[0] <= sy < e[1])
                wind, start = 0, 0.0
                for x, d in xs:
                    if wind == 0:
                        start = x
                    wind += d
                    if wind != 0:
                        continue
                    xa, xb = max(0.0, start), min(float(w), x)
                    if xb <= xa:
                        continue
                    ia, ib = int(xa), int(xb)
                    lo, hi = min(lo, ia), max(hi, ib + 1)
                    if ia == ib:
                        cov[ia] += (xb - xa) * step
                    else:
                        cov[ia] += (ia + 1 - xa) * step
                        full[ia + 1] += step
                        full[ib] -= step
                        cov[ib] += (xb - ib) * step
            run, row = 0.0, py * w
            for x in range(lo, min(hi, w)):
                run += full[x]
                c = min(1.0, cov[x] + run) * opacity
                if c <= 0.0:
                    continue
                col = colour(x + 0.5, py + 0.5) if callable(colour) else colour
                i = row + x
                self.r[i] += (col[0] - self.r[i]) * c
                self.g[i] += (col[1] - self.g[i]) * c
                self.b[i] += (col[2] - self.b[i]) * c
                self.a[i] += (1.0 - self.a[i]) * c

    def pixels(self, key=None, matte=None, threshold=0.5):
        """The picture as rows of integer RGB tuples.

        key:   pixels less than `threshold` opaque become this colour (colour-key
               transparency); the others lose the background they were blended
               with, so no key-coloured fringe remains.
        matte: colour those kept pixels are blended onto instead of the canvas
               background (what the picture will most likely be shown on).
        """
        bg = self.bg
        matte = matte or bg
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                i = y * self.w + x
                a = self.a[i]
                rgb = (self.r[i], self.g[i], self.b[i])
                if key is not None and a < threshold:
                    row.append(tuple(key))
                    continue
                if a > 0 and matte != bg:
                    # Swap the share of canvas background for the same share of matte.
                    rgb = tuple(c + (mc - bc) * (1 - a) for c, bc, mc in zip(rgb, bg, matte))
                row.append(tuple(max(0, min(255, int(round(c)))) for c in rgb))
            rows.append(row)
        return rows

    def mask(self, threshold=0.5):
        """Rows of booleans: True where the picture is transparent."""
        return [[self.a[y * self.w + x] < threshold for x in range(self.w)] for y in range(self.h)]


# ------------------------------------------------------------ quantisation --

def quantise(images, colours=256, reserved=(), avoid=()):
    """One palette for several pictures (rows of RGB tuples).

    `reserved` colours are kept exact (the first palette entries).  Colours
    that cover a noticeable part of the pictures are kept exact too, so flat
    areas do not shift; the remaining anti-aliasing shades are shared out by
    median cut.  Palette entries that would be equal to a colour in `avoid`
    are nudged by one step (e.g. the greys Windows replaces in toolbar
    bitmaps).  Returns (palette of `colours` entries, list of index rows).
    """
    hist = Counter(p for img in images for row in img for p in row)
    total = sum(hist.values())
    palette = [tuple(c) for c in reserved]
    lookup = {c: i for i, c in enumerate(palette)}
    rest = {c: n for c, n in hist.items() if c not in lookup}
    if len(rest) + len(palette) <= colours:
        for c in sorted(rest):
            lookup[c] = len(palette)
            palette.append(c)
    else:
        for c, n in sorted(rest.items(), key=lambda kv: -kv[1])[:colours // 4]:
            if n * 400 < total:
                break
            lookup[c] = len(palette)
            palette.append(c)
            del rest[c]
        boxes = [list(rest.items())]
        while len(boxes) + len(palette) < colours:
            best, spread, channel = None, 0, 0
            for bi, box in enumerate(boxes):
                if len(box) < 2:
                    continue
                for ch in range(3):
                    vals = [c[ch] for c, _ in box]
                    s = max(vals) - min(vals)
                    if s > spread:
                        best, spread, channel = bi, s, ch
            if best is None:
                break
            box = sorted(boxes.pop(best), key=lambda cn: cn[0][channel])
            half, acc, cut = sum(n for _, n in box) / 2, 0, 1
            for j, (_, n) in enumerate(box[:-1]):
                acc += n
                cut = j + 1
                if acc >= half:
                    break
            boxes += [box[:cut], box[cut:]]
        for box in boxes:
            weight = sum(n for _, n in box)
            mean = tuple(int(round(sum(c[ch] * n for c, n in box) / weight)) for ch in range(3))
            for c, _ in box:
                lookup[c] = len(palette)
            palette.append(mean)
    avoid = set(map(tuple, avoid))
    for i in range(len(reserved), len(palette)):
        if palette[i] in avoid:
            palette[i] = tuple(v + 1 if v < 255 else v - 1 for v in palette[i])
    palette += [(0, 0, 0)] * (colours - len(palette))
    return palette, [[[lookup[p] for p in row] for row in img] for img in images]


# ------------------------------------------------------------------ writers --

def bitmapinfoheader(w, h, bits, compression=0, size_image=0, clr_used=0):
    # biSize, biWidth, biHeight, biPlanes, biBitCount, biCompression,
    # biSizeImage, biXPelsPerMeter, biYPelsPerMeter, biClrUsed, biClrImportant
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, compression, size_image,
                       2835, 2835, clr_used, 0)


def rgbquads(palette):
    return b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in palette)


def write_bmp8(path, palette, rows):
    """8-bit palettised BMP: file header, BITMAPINFOHEADER, 256 RGBQUADs, then
    the rows bottom-up, each padded to a multiple of 4 bytes."""
    h, w = len(rows), len(rows[0])
    stride = (w + 3) & ~3
    bits = b''.join(bytes(row) + b'\0' * (stride - w) for row in reversed(rows))
    info = bitmapinfoheader(w, h, 8, 0, len(bits), 256) + rgbquads(palette)
    offset = 14 + len(info)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', offset + len(bits), 0, 0, offset) + info + bits)


def write_ico(path, images):
    """ICO with 24-bit images; `images` is a list of (rgb rows, transparency mask rows).

    Each image is a BITMAPINFOHEADER whose height counts both the colour (XOR)
    bitmap and the 1-bit AND mask, then the XOR rows (BGR, bottom-up, padded to
    4 bytes), then the AND rows (1 = transparent, bottom-up, padded to 4 bytes).
    Transparent pixels are black in the XOR bitmap so that AND-then-XOR leaves
    the screen unchanged.
    """
    blobs = []
    for rgb, mask in images:
        h, w = len(rgb), len(rgb[0])
        xor_stride, and_stride = (w * 3 + 3) & ~3, ((w + 31) // 32) * 4
        xor, andm = bytearray(), bytearray()
        for y in range(h - 1, -1, -1):
            line = bytearray()
            for x in range(w):
                r, g, b = (0, 0, 0) if mask[y][x] else rgb[y][x]
                line += bytes((b, g, r))
            xor += line + b'\0' * (xor_stride - len(line))
            bits = bytearray(and_stride)
            for x in range(w):
                if mask[y][x]:
                    bits[x // 8] |= 0x80 >> (x % 8)
            andm += bits
        blobs.append((w, h, bitmapinfoheader(w, 2 * h, 24, 0, len(xor) + len(andm)) + xor + andm))
    offset = 6 + 16 * len(blobs)
    out = struct.pack('<HHH', 0, 1, len(blobs))
    for w, h, data in blobs:
        # bWidth, bHeight, bColorCount, bReserved, wPlanes, wBitCount, dwBytesInRes, dwImageOffset
        out += struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(d for _, _, d in blobs))


def rle8_encode(rows):
    """BI_RLE8 key frame.  Rows go bottom-up; a run is (count, index); a stretch
    of 3..255 differing pixels is written in absolute mode (0, n, n indices,
    padded to an even length); (0, 0) ends a line, (0, 1) ends the bitmap."""
    out = bytearray()
    for row in reversed(rows):
        w, i, literal = len(row), 0, []

        def flush():
            if len(literal) >= 3:
                out.extend((0, len(literal)))
                out.extend(literal)
                if len(literal) % 2:
                    out.append(0)
            else:
                for v in literal:
                    out.extend((1, v))
            literal.clear()

        while i < w:
            j = i + 1
            while j < w and row[j] == row[i] and j - i < 255:
                j += 1
            if j - i >= 3:
                flush()
                out.extend((j - i, row[i]))
                i = j
            else:
                literal.append(row[i])
                i += 1
                if len(literal) == 255:
                    flush()
        flush()
        out.extend((0, 0))
    out.extend((0, 1))
    return bytes(out)


def _chunk(fourcc, data):
    return fourcc + struct.pack('<I', len(data)) + data + (b'\0' if len(data) % 2 else b'')


def _list(kind, data):
    return _chunk(b'LIST', kind + data)


def write_avi_rle8(path, palette, frames, usec_per_frame):
    """AVI that the Win32 animate control plays: one 'vids' stream of BI_RLE8
    key frames, every frame a '00dc' chunk in 'movi', indexed by 'idx1'.

    The shared BITMAPINFOHEADER's biSizeImage and the suggested buffer sizes
    are the largest frame, since the control reads whole frames into one buffer.
    """
    h, w = len(frames[0]), len(frames[0][0])
    data = [rle8_encode(f) for f in frames]
    biggest = max(len(d) for d in data)
    buf = biggest + (biggest & 1)
    fps = 1e6 / usec_per_frame
    avih = struct.pack('<14I', usec_per_frame, int(buf * fps + 0.5), 0, 0x10,  # AVIF_HASINDEX
                       len(frames), 0, 1, buf, w, h, 0, 0, 0, 0)
    strh = (b'vids' + b'RLE ' + struct.pack('<IHHIIIIIIII', 0, 0, 0, 0, usec_per_frame, 1000000,
                                             0, len(frames), buf, 0xFFFFFFFF, 0)
            + struct.pack('<hhhh', 0, 0, w, h))
    strf = bitmapinfoheader(w, h, 8, 1, biggest, 256) + rgbquads(palette)
    hdrl = _list(b'hdrl', _chunk(b'avih', avih) + _list(b'strl', _chunk(b'strh', strh) + _chunk(b'strf', strf)))
    movi, index, pos = b'', b'', 4  # offsets count from the 'movi' fourcc
    for d in data:
        index += b'00dc' + struct.pack('<III', 0x10, pos, len(d))  # AVIIF_KEYFRAME
        c = _chunk(b'00dc', d)
        movi += c
        pos += len(c)
    body = b'AVI ' + hdrl + _list(b'movi', movi) + _chunk(b'idx1', index)
    with open(path, 'wb') as f:
        f.write(b'RIFF' + struct.pack('<I', len(body)) + body)
