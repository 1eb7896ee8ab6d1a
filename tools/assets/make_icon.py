#!/usr/bin/env python3
"""Draws resources/tolmaro.ico: a paraglider seen from the front - an arched
canopy of coloured cells, the lines down to the pilot - at 16, 32 and 48 pixels.

Each size is drawn from the same geometry (fractions of the size) with stroke
widths that never go below what stays visible at that size.  Icons have a
1-bit transparency mask, so edge pixels that stay opaque are blended onto a
neutral matte that looks right on both light and dark backgrounds.
"""

import math
import os
import sys

sys.dont_write_bytecode = True   # keep tools/ free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gfx  # noqa: E402

SIZES = (32, 16, 48)          # 32x32 first: the one a Win32 window class asks for
MATTE = (150, 156, 166)
CELL_COLOURS = [(255, 208, 40), (244, 110, 28)]   # alternating cells
CANOPY_INK = (70, 24, 8)
LINE_COLOUR = (84, 90, 110)
HARNESS = (36, 60, 120)
HELMET = (232, 40, 36)
CELLS = 7

# canopy geometry as fractions of the icon size: one ellipse centre, the arch
# spanning START..END degrees (270 = straight up), outer and inner radii.
CX, CY = 0.5, 0.66
ARCH = (196, 344)
OUTER = (0.49, 0.60)
INNER = (0.44, 0.43)
PILOT = (0.5, 0.86)


def canopy_point(s, radii, angle):
    return (s * (CX + radii[0] * math.cos(math.radians(angle))),
            s * (CY + radii[1] * math.sin(math.radians(angle))))


def draw(s):
    cv = gfx.Canvas(s, s, MATTE)
    ink_w = max(1.0, s / 32)
    line_w = max(0.9, s / 40)
    a0, a1 = ARCH
    span = (a1 - a0) / CELLS

    def cell(i, grow=0.0):
        lo, hi = a0 + i * span, a0 + (i + 1) * span
        outer = [canopy_point(s, (OUTER[0] + grow, OUTER[1] + grow), lo + (hi - lo) * k / 6) for k in range(7)]
        inner = [canopy_point(s, (INNER[0] - grow, INNER[1] - grow), hi - (hi - lo) * k / 6) for k in range(7)]
        return gfx.polygon(outer + inner)

    # suspension lines: from the lower edge of the canopy to the two risers
    px, py = PILOT[0] * s, PILOT[1] * s
    riser_l, riser_r = (px - 0.085 * s, py - 0.03 * s), (px + 0.085 * s, py - 0.03 * s)
    attach = [a0 + 0.3 * span, a0 + 1.5 * span, a0 + 2.7 * span]
    if s < 24:
        attach = [a0 + 0.3 * span, a0 + 2.2 * span]
    lines = []
    for ang in attach:
        for side, riser in ((ang, riser_l), (a0 + a1 - ang, riser_r)):
            x, y = canopy_point(s, INNER, side)
            lines += gfx.stroke([(x, y), riser], line_w)
    cv.fill(lines, LINE_COLOUR)

    # canopy: a dark rim, then the cells with a light-to-dark shading
    rim = []
    for i in range(CELLS):
        rim += cell(i, grow=ink_w / s)
    cv.fill(rim, CANOPY_INK)
    for i in range(CELLS):
        base = CELL_COLOURS[i % 2]
        top, bottom = canopy_point(s, OUTER, 270)[1], canopy_point(s, INNER, 270)[1]
        cv.fill(cell(i), gfx.vgradient(top, bottom + 0.1 * s, gfx.mix(base, (255, 255, 255), 0.25), base))
    # cell seams on the underside give the arch its ribbed look
    if s >= 32:
        for i in range(1, CELLS):
            ang = a0 + i * span
            cv.fill(gfx.stroke([canopy_point(s, OUTER, ang), canopy_point(s, INNER, ang)], s / 64, caps=False),
                    CANOPY_INK, 0.45)

    # pilot: harness seat and a helmeted head between the risers
    cv.fill(gfx.rounded_rect(px - 0.1 * s, py - 0.06 * s, px + 0.1 * s, py + 0.12 * s, 0.05 * s), (20, 24, 40))
    cv.fill(gfx.rounded_rect(px - 0.1 * s + ink_w * 0.8, py - 0.06 * s + ink_w * 0.8,
                             px + 0.1 * s - ink_w * 0.8, py + 0.12 * s - ink_w * 0.8, 0.04 * s), HARNESS)
    head_r = max(1.6, 0.07 * s)
    cv.fill(gfx.circle(px, py - 0.1 * s, head_r + ink_w * 0.7), (20, 24, 40))
    cv.fill(gfx.circle(px, py - 0.1 * s, head_r), HELMET)
    return cv.pixels(), cv.mask()


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = os.path.join(root, 'resources', 'tolmaro.ico')
    gfx.write_ico(out, [draw(s) for s in SIZES])
    print(out)


if __name__ == '__main__':
    main()
