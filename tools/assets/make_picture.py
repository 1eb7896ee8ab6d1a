#!/usr/bin/env python3
"""Draws resources/instrument.bmp: the Zirkano 2.0 seen from the front.

A dark anthracite handheld case with an orange accent, the display window and
three buttons below it, on the dialog background.  The picture lies at
(24, 58) of the dialog's client area, where the frame of the preview ends at
about row CASE_BOTTOM_LIMIT of the picture and the Status line covers its last
rows, so the case with its shadow ends above that row.  The display shows the
instrument's start screen in its upper part only: the program writes three
centred lines of text into the lower part (DISPLAY_TEXT_TOP down to the
bottom of the display), in light (220,200,190) and dark (45,45,55), so that
area is one plain mid-tone LCD colour on which both stay readable.
"""

import math
import os
import sys

sys.dont_write_bytecode = True   # keep tools/ free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gfx  # noqa: E402

W, H = 372, 460
DIALOG = (240, 240, 240)

# display window (inclusive pixel bounds) and where the program's text begins
DISPLAY = (57, 145, 312, 318)
DISPLAY_TEXT_TOP = 205
# (104,122,110) gives light and dark text about the same contrast (~2.9:1 each)
LCD = (104, 122, 110)
LCD_INK = (26, 38, 31)
LCD_FAINT = (78, 96, 84)

CASE = (22, 14, 347, 410)
CASE_BOTTOM_LIMIT = 424
BUTTONS_Y = 372
CASE_RADIUS = 46
CASE_LIGHT, CASE_DARK = (74, 78, 86), (38, 41, 46)
EDGE = (14, 15, 18)
ACCENT, ACCENT_DARK, ACCENT_LIGHT = (242, 122, 28), (160, 64, 8), (255, 178, 100)
BEZEL = (18, 19, 22)
LABEL = (196, 200, 206)
LABEL_DIM = (128, 134, 142)


def rr(box, r, inset=0.0, dx=0.0, dy=0.0):
    x0, y0, x1, y1 = box
    return gfx.rounded_rect(x0 + inset + dx, y0 + inset + dy, x1 - inset + dx, y1 - inset + dy, max(0.0, r - inset))


def case(cv):
    # soft drop shadow: stacked translucent copies, each a little smaller
    for k in range(10):
        cv.fill(rr(CASE, CASE_RADIUS, inset=k * 0.9 - 4, dx=7, dy=9), (0, 0, 0), 0.035)
    cv.fill(rr(CASE, CASE_RADIUS), EDGE)
    # bevel: light towards the top left, dark towards the bottom right
    x0, y0, x1, y1 = CASE
    bevel = lambda x, y: gfx.mix((120, 126, 136), (22, 24, 28), max(0.0, min(1.0, ((x - x0) + (y - y0)) / 720 * 1.4 - 0.1)))
    cv.fill(rr(CASE, CASE_RADIUS, inset=2), bevel)
    cv.fill(rr(CASE, CASE_RADIUS, inset=5), gfx.vgradient(y0, y1, CASE_LIGHT, CASE_DARK))
    # a faint sheen across the upper part of the shell
    cv.fill(rr((x0, y0, x1, y0 + 120), CASE_RADIUS, inset=8), (255, 255, 255), 0.035)


def top_panel(cv):
    cx = (DISPLAY[0] + DISPLAY[2] + 1) / 2
    # pressure sensor vents: a row of recessed slots
    for i in range(-3, 4):
        x = cx + i * 16
        cv.fill(gfx.rounded_rect(x - 5, 34, x + 5, 41, 3.5), (96, 100, 108))
        cv.fill(gfx.rounded_rect(x - 5, 33, x + 5, 40, 3.5), (12, 13, 15))
    # status LED at the top right
    cv.fill(gfx.circle(306, 38, 5.5), (20, 22, 26))
    cv.fill(gfx.circle(306, 38, 4), (60, 210, 90))
    cv.fill(gfx.circle(304.8, 36.8, 1.6), (220, 255, 225))
    # brand name, embossed (a dark copy one pixel lower gives the depth)
    name, scale = 'ZIRKANO', 4
    x = round(cx - gfx.text_width(name, scale) / 2)
    cv.fill(gfx.text_shape(name, x, 61, scale), (20, 22, 26))
    cv.fill(gfx.text_shape(name, x, 60, scale), gfx.vgradient(60, 88, (236, 238, 242), LABEL))
    sub = 'VARIO  GPS  LOGGER'
    x = round(cx - gfx.text_width(sub, 1) / 2)
    cv.fill(gfx.text_shape(sub, x, 98, 1), LABEL_DIM)
    # accent line under the name
    cv.fill(gfx.rounded_rect(cx - 60, 111, cx + 60, 114, 1.5), ACCENT)


def display(cv):
    x0, y0, x1, y1 = DISPLAY
    frame = (x0 - 13, y0 - 13, x1 + 14, y1 + 14)
    # orange accent ring around the bezel
    cv.fill(rr(frame, 20, inset=-4), ACCENT_DARK)
    cv.fill(rr(frame, 20, inset=-3), gfx.vgradient(frame[1], frame[3], ACCENT_LIGHT, ACCENT))
    cv.fill(rr(frame, 20, inset=-1), EDGE)
    cv.fill(rr(frame, 20), BEZEL)
    # gloss on the upper left of the black glass around the display
    cv.fill(gfx.polygon([(frame[0] + 6, frame[1] + 3), (frame[0] + 140, frame[1] + 3),
                         (frame[0] + 70, frame[3] - 3), (frame[0] + 3, frame[3] - 3),
                         (frame[0] + 3, frame[1] + 6)]), (255, 255, 255), 0.05)
    cv.fill(gfx.rect(x0, y0, x1 + 1, y1 + 1), LCD)
    # the glass sits in front of the LCD: a thin inner shadow along top and left
    cv.fill(gfx.rect(x0, y0, x1 + 1, y0 + 2), (0, 0, 0), 0.18)
    cv.fill(gfx.rect(x0, y0 + 2, x0 + 2, y1 + 1), (0, 0, 0), 0.12)
    start_screen(cv)


def start_screen(cv):
    """Logo and name in the upper part of the display: nothing below DISPLAY_TEXT_TOP - 3."""
    x0, y0, x1, _ = DISPLAY
    name, scale = 'ZIRKANO 2.0', 3
    logo_w, gap = 34, 10
    total = logo_w + gap + gfx.text_width(name, scale)
    lx = round((x0 + x1 + 1) / 2 - total / 2)
    top = y0 + 8
    # logo: a climb graph - rising bars under an arrow curving upwards
    bottom = top + 24
    for i, hgt in enumerate((3, 6, 9, 12, 15)):
        cv.fill(gfx.rect(lx + i * 7, bottom - hgt, lx + i * 7 + 5, bottom), LCD_INK)
    p0, p1, p2 = (lx - 1, top + 10), (lx + 15, top + 10), (lx + 27, top + 2)
    cv.fill(gfx.stroke(gfx.bezier(p0, p1, p2, n=16), 2.2), LCD_INK)
    dx, dy = p2[0] - p1[0], p2[1] - p1[1]
    n = math.hypot(dx, dy)
    dx, dy = dx / n, dy / n
    cv.fill(gfx.polygon([(p2[0] + dx * 7, p2[1] + dy * 7), (p2[0] - dy * 4.5, p2[1] + dx * 4.5),
                         (p2[0] + dy * 4.5, p2[1] - dx * 4.5)]), LCD_INK)
    tx = lx + logo_w + gap
    cv.fill(gfx.text_shape(name, tx, top + 3, scale), LCD_INK)
    # a barogram strip across the screen: the climb of a flight, drawn in dim pixels under an ink trace
    gx0, gx1, base = lx, tx + gfx.text_width(name, scale), top + 47
    trace = []
    for x in range(gx0, gx1 + 1):
        t = (x - gx0) / (gx1 - gx0)
        h = 2 + 10 * t + 2.6 * math.sin(t * 19) * (0.3 + t) + 1.2 * math.sin(t * 53)
        trace.append((x + 0.5, base - h))
        cv.fill(gfx.rect(x, base - h, x + 1, base), LCD_FAINT)
    cv.fill(gfx.stroke(trace, 1.3), LCD_INK)
    cv.fill(gfx.rect(gx0, base, gx1 + 1, base + 1), LCD_INK)
    assert base + 1 <= DISPLAY_TEXT_TOP - 3


def button(cv, cx, cy, w, h, r, symbol):
    box = (cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2)
    cv.fill(rr(box, r, inset=-3, dy=1), (12, 13, 15))          # recess in the shell
    cv.fill(rr(box, r, dy=2), (20, 22, 26))                     # button's own shadow
    cv.fill(rr(box, r), gfx.vgradient(box[1], box[3], (92, 96, 104), (50, 53, 58)))
    cv.fill(rr(box, r, inset=2), gfx.vgradient(box[1], box[3], (70, 74, 80), (56, 59, 64)))
    cv.fill(symbol, LABEL)


def buttons(cv):
    cx, cy = (DISPLAY[0] + DISPLAY[2] + 1) / 2, BUTTONS_Y
    up = gfx.polygon([(cx - 103, cy + 6), (cx - 92, cy - 6), (cx - 81, cy + 6)])
    down = gfx.polygon([(cx + 81, cy - 6), (cx + 103, cy - 6), (cx + 92, cy + 6)])
    button(cv, cx - 92, cy, 60, 36, 13, up)
    button(cv, cx + 92, cy, 60, 36, 13, down)
    # the main button, ringed in the accent colour
    cv.fill(gfx.circle(cx, cy + 1, 31), (12, 13, 15))
    cv.fill(gfx.ring(cx, cy, 29, 24.5), gfx.vgradient(cy - 29, cy + 29, ACCENT_LIGHT, ACCENT_DARK))
    cv.fill(gfx.circle(cx, cy + 2, 23), (18, 20, 24))
    cv.fill(gfx.circle(cx, cy, 23), gfx.vgradient(cy - 23, cy + 23, (96, 100, 108), (48, 51, 56)))
    cv.fill(gfx.circle(cx, cy, 20), gfx.vgradient(cy - 20, cy + 20, (66, 70, 76), (58, 61, 66)))
    cv.fill(gfx.ring(cx, cy, 8, 5), LABEL)
    # lanyard eyelet in the bottom edge
    bottom = CASE[3]
    cv.fill(gfx.rounded_rect(cx - 14, bottom - 12, cx + 14, bottom - 5, 3.5), (12, 13, 15))


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    cv = gfx.Canvas(W, H, DIALOG)
    case(cv)
    top_panel(cv)
    display(cv)
    buttons(cv)
    rows = cv.pixels()
    # the text area must really be one colour
    x0, _, x1, y1 = DISPLAY
    assert {rows[y][x] for y in range(DISPLAY_TEXT_TOP, y1 + 1) for x in range(x0 + 2, x1 + 1)} == {LCD}
    # nothing but background from the frame's edge down
    assert {p for row in rows[CASE_BOTTOM_LIMIT:] for p in row} == {DIALOG}
    palette, (index_rows,) = gfx.quantise([rows], reserved=[DIALOG, LCD])
    out = os.path.join(root, 'resources', 'instrument.bmp')
    gfx.write_bmp8(out, palette, index_rows)
    print(out)


if __name__ == '__main__':
    main()
