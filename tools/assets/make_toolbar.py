#!/usr/bin/env python3
"""Draws resources/toolbar.bmp: nine 16x16 toolbar images side by side.

0 open (folder with a document), 1 pilot (head with helmet), 2 globe,
3 tools (wrench and hammer), 4 tree of folders, 5 document with coloured
lines, 6 help (question mark), 7 flight book (a bound book with a glider on
its cover), 8 waypoints onto the instrument (a document with an arrow into
the instrument).

The bitmap is loaded with LR_LOADMAP3DCOLORS, which turns the palette grey
(192,192,192) into the button face colour, so that grey is the background and
nowhere else.  The other greys Windows maps for toolbar bitmaps - black,
(128,128,128), (223,223,223) and white - are kept out of the pictures so that
no part of an image changes colour with the desktop scheme.
"""

import math
import os
import sys

sys.dont_write_bytecode = True   # keep tools/ free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gfx  # noqa: E402

SIZE = 16
BACKGROUND = (192, 192, 192)
MAPPED_GREYS = [(0, 0, 0), (128, 128, 128), (223, 223, 223), (255, 255, 255)]

INK = (34, 34, 44)             # outlines of neutral things
PAPER = (252, 252, 250)
PAPER_SHADE = (214, 218, 226)
FOLDER = (250, 204, 82)
FOLDER_LIGHT = (255, 230, 140)
FOLDER_DARK = (222, 160, 40)
FOLDER_INK = (130, 82, 14)


def outlined(cv, outer, inner, ink, colour):
    cv.fill(outer, ink)
    cv.fill(inner, colour)


def box(cv, x0, y0, x1, y1, ink, colour):
    """Pixel-aligned rectangle with a 1-pixel outline."""
    outlined(cv, gfx.rect(x0, y0, x1, y1), gfx.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1), ink, colour)


def open_folder(cv, ox):
    # back of the folder with its tab
    back = gfx.polygon([(ox + 1, 2), (ox + 6, 2), (ox + 7, 3), (ox + 14, 3), (ox + 14, 14), (ox + 1, 14)])
    back_in = gfx.polygon([(ox + 2, 3), (ox + 5.6, 3), (ox + 6.6, 4), (ox + 13, 4), (ox + 13, 13), (ox + 2, 13)])
    outlined(cv, back, back_in, FOLDER_INK, FOLDER_DARK)
    # the document sticking out
    box(cv, ox + 4, 1, ox + 13, 11, (70, 78, 96), PAPER)
    for y, length in ((3, 5), (5, 6), (7, 4)):
        cv.fill(gfx.rect(ox + 6, y, ox + 6 + length, y + 1), (120, 140, 180))
    # front flap, slanted like an opened folder
    front = gfx.polygon([(ox + 3, 7), (ox + 16, 7), (ox + 14, 15), (ox + 0.5, 15)])
    front_in = gfx.polygon([(ox + 3.8, 8), (ox + 14.7, 8), (ox + 13.2, 14), (ox + 1.8, 14)])
    outlined(cv, front, front_in, FOLDER_INK, gfx.vgradient(8, 14, FOLDER_LIGHT, FOLDER))


def pilot(cv, ox):
    cx = ox + 8
    shell, shell_dark, shell_ink = (226, 58, 40), (170, 30, 24), (96, 14, 10)
    # open-face helmet: the dome, with ear covers reaching down past the face
    dome = gfx.rounded_rect(cx - 7, 1, cx + 7, 14, 6.5)
    dome_in = gfx.rounded_rect(cx - 6, 2, cx + 6, 13, 5.5)
    outlined(cv, dome, dome_in, shell_ink, gfx.vgradient(2, 13, shell, shell_dark))
    # face
    face = gfx.ellipse(cx, 10.2, 4.3, 4.6)
    cv.fill(face, (120, 70, 40))
    cv.fill(gfx.ellipse(cx, 10.2, 3.4, 3.8), gfx.vgradient(7, 14, (250, 212, 172), (226, 170, 120)))
    # visor rim across the forehead
    cv.fill(gfx.stroke(gfx.arc_points(cx, 12, 5.2, 6.2, 200, 340), 1.5, caps=False), (40, 40, 60))
    # eyes, mouth, chin strap
    cv.fill(gfx.rect(cx - 2.5, 9, cx - 1, 10.5), (50, 40, 40))
    cv.fill(gfx.rect(cx + 1, 9, cx + 2.5, 10.5), (50, 40, 40))
    cv.fill(gfx.stroke(gfx.arc_points(cx, 11.3, 1.6, 1.3, 30, 150), 0.9), (150, 70, 60))
    cv.fill(gfx.stroke([(cx - 4.5, 12), (cx, 15), (cx + 4.5, 12)], 1.0, caps=False), (40, 40, 60))
    # shine on the shell
    cv.fill(gfx.stroke(gfx.arc_points(cx, 7.5, 4.6, 4.6, 205, 250), 1.2), (255, 170, 150))


def globe(cv, ox):
    cx, cy, r = ox + 8, 8, 7
    cv.fill(gfx.circle(cx, cy, r), (18, 52, 120))
    sea = gfx.circle(cx, cy, r - 1)
    cv.fill(sea, lambda x, y: gfx.mix((110, 180, 250), (36, 100, 200),
                                      min(1.0, math.hypot(x - cx + 2.5, y - cy + 2.5) / 9)))
    land = (70, 170, 60)
    # two continents, kept inside the disc
    cv.fill(gfx.polygon([(cx - 5, cy - 3), (cx - 2, cy - 5.5), (cx + 1, cy - 5), (cx + 0.5, cy - 2.5),
                         (cx - 1, cy - 1), (cx - 0.5, cy + 1.5), (cx - 2.5, cy + 4.5), (cx - 4, cy + 2),
                         (cx - 5.6, cy - 0.5)]), land)
    cv.fill(gfx.polygon([(cx + 2, cy - 1.5), (cx + 5.5, cy - 2), (cx + 5.5, cy + 2.5), (cx + 3, cy + 5.2),
                         (cx + 1.6, cy + 2)]), land)
    grid = (200, 230, 255)
    cv.fill(gfx.stroke(gfx.arc_points(cx, cy, 3, r - 1, 0, 360), 0.7), grid, 0.8)
    cv.fill(gfx.rect(cx - r + 1, cy - 0.35, cx + r - 1, cy + 0.35), grid, 0.8)
    cv.fill(gfx.rect(cx - 0.35, cy - r + 1, cx + 0.35, cy + r - 1), grid, 0.8)
    cv.fill(gfx.ellipse(cx - 2.8, cy - 3.2, 1.8, 1.2), (250, 252, 254), 0.7)


def tools(cv, ox):
    # open-end wrench from the bottom left; its jaw (a C open to the top right) at the top right
    steel_ink, steel = (40, 46, 60), gfx.vgradient(1, 14, (240, 244, 250), (150, 160, 178))
    hx, hy, r = ox + 11.6, 4.4, 2.4
    jaw = gfx.arc_points(hx, hy, r, r, 10, 260)
    handle = [(ox + 2.2, 13.8), (hx - 1.7, hy + 1.7)]
    cv.fill(gfx.stroke(jaw, 3.8) + gfx.stroke(handle, 3.8), steel_ink)
    cv.fill(gfx.stroke(jaw, 1.9) + gfx.stroke(handle, 1.9), steel)
    # hammer: wooden handle from the bottom right, steel head across it at the top left
    grip = [(ox + 5, 5), (ox + 14, 14)]
    cv.fill(gfx.stroke(grip, 3.6), (70, 38, 12))
    cv.fill(gfx.stroke(grip, 1.8), gfx.vgradient(5, 14, (220, 160, 90), (160, 100, 40)))
    cv.fill(gfx.transform(gfx.rounded_rect(-4.4, -2.4, 4.4, 2.4, 0.8), ox + 4.4, 4.4, angle=-45), (24, 28, 40))
    cv.fill(gfx.transform(gfx.rect(-3.5, -1.4, 3.5, 1.4), ox + 4.4, 4.4, angle=-45),
            gfx.vgradient(1, 9, (150, 158, 178), (74, 82, 100)))


def small_folder(cv, x, y):
    """8x5 folder (tab row plus a 4-row body), top-left at (x, y)."""
    cv.fill(gfx.rect(x + 1, y, x + 4, y + 1), FOLDER_INK)
    box(cv, x, y + 1, x + 8, y + 5, FOLDER_INK, FOLDER)
    cv.fill(gfx.rect(x + 1, y + 2, x + 7, y + 3), FOLDER_LIGHT)


def folder_tree(cv, ox):
    dots = (90, 90, 100)
    for y in range(6, 15, 2):
        cv.fill(gfx.rect(ox + 3, y, ox + 4, y + 1), dots)
    for y in (8, 14):
        cv.fill(gfx.rect(ox + 5, y, ox + 6, y + 1), dots)
    small_folder(cv, ox + 0, 0)
    small_folder(cv, ox + 7, 6)
    small_folder(cv, ox + 7, 11)


def document(cv, ox):
    ink = (60, 64, 80)
    page = gfx.polygon([(ox + 2, 0), (ox + 10, 0), (ox + 14, 4), (ox + 14, 16), (ox + 2, 16)])
    page_in = gfx.polygon([(ox + 3, 1), (ox + 9.6, 1), (ox + 13, 4.4), (ox + 13, 15), (ox + 3, 15)])
    outlined(cv, page, page_in, ink, PAPER)
    cv.fill(gfx.polygon([(ox + 9.5, 0.5), (ox + 13.5, 4.5), (ox + 9.5, 4.5)]), ink)
    cv.fill(gfx.polygon([(ox + 10.4, 2.2), (ox + 11.8, 3.6), (ox + 10.4, 3.6)]), PAPER_SHADE)
    lines = [(3, 5, (220, 40, 40)), (5, 8, (30, 90, 220)), (7, 9, (30, 150, 50)),
             (9, 6, (230, 130, 0)), (11, 9, (30, 90, 220)), (13, 7, (150, 50, 180))]
    for y, length, colour in lines:
        cv.fill(gfx.rect(ox + 4, y, ox + 4 + length, y + 1), colour)


def question(cv, ox):
    cx = ox + 8
    path = gfx.arc_points(cx, 5.6, 3.6, 3.4, 190, 400) + [(cx, 9.6), (cx, 10.4)]
    cv.fill(gfx.stroke(path, 4.8) + gfx.circle(cx, 13.5, 2.4), (16, 40, 110))
    cv.fill(gfx.stroke(path, 2.8) + gfx.circle(cx, 13.5, 1.45), gfx.vgradient(1, 15, (90, 160, 255), (24, 84, 210)))
    cv.fill(gfx.stroke(gfx.arc_points(cx, 5.6, 3.6, 3.4, 215, 260), 0.9), (200, 226, 255), 0.8)


def flight_book(cv, ox):
    cover_ink, spine = (20, 50, 40), (24, 92, 64)
    # the pages' edge at the right and bottom, behind the cover
    box(cv, ox + 3, 2, ox + 15, 16, (70, 78, 96), PAPER)
    for y in (4, 7, 10, 13):
        cv.fill(gfx.rect(ox + 13, y, ox + 14, y + 1), PAPER_SHADE)
    # the cover, darker along its spine
    box(cv, ox + 1, 0, ox + 13, 15, cover_ink, gfx.vgradient(1, 14, (70, 170, 120), (36, 120, 84)))
    cv.fill(gfx.rect(ox + 2, 1, ox + 4, 14), spine)
    # a paraglider's canopy above its pilot on the cover
    canopy = gfx.arc_points(ox + 8.5, 7.5, 3.8, 3.2, 200, 340)
    cv.fill(gfx.stroke(canopy, 1.6), (250, 210, 60))
    for x in (ox + 5.4, ox + 11.6):
        cv.fill(gfx.stroke([(x, 6.6), (ox + 8.5, 10.6)], 0.6), (230, 240, 236))
    cv.fill(gfx.circle(ox + 8.5, 11.2, 0.9), (250, 230, 220))


def document_into_instrument(cv, ox):
    ink = (60, 64, 80)
    # the document at the top left, with coloured lines as on image 5
    page = gfx.polygon([(ox + 0, 0), (ox + 6, 0), (ox + 9, 3), (ox + 9, 10), (ox + 0, 10)])
    page_in = gfx.polygon([(ox + 1, 1), (ox + 5.6, 1), (ox + 8, 3.4), (ox + 8, 9), (ox + 1, 9)])
    outlined(cv, page, page_in, ink, PAPER)
    for y, length, colour in ((3, 4, (220, 40, 40)), (5, 6, (30, 90, 220)), (7, 5, (30, 150, 50))):
        cv.fill(gfx.rect(ox + 2, y, ox + 2 + length, y + 1), colour)
    # the instrument at the bottom right: a dark case with a green screen
    cv.fill(gfx.rounded_rect(ox + 8, 6, ox + 16, 16, 1.6), (28, 30, 40))
    cv.fill(gfx.rect(ox + 9.5, 7.5, ox + 14.5, 11.5), gfx.vgradient(7, 12, (170, 230, 150), (90, 170, 80)))
    cv.fill(gfx.circle(ox + 12, 13.8, 1.0), (230, 120, 30))
    # the arrow from the document down into the screen
    cv.fill(gfx.stroke([(ox + 3.5, 11.5), (ox + 3.5, 14), (ox + 7.5, 14)], 1.6, caps=False), (16, 120, 40))
    cv.fill(gfx.polygon([(ox + 6.5, 11.5), (ox + 10, 14), (ox + 6.5, 16.5)]), (16, 120, 40))


IMAGES = [open_folder, pilot, globe, tools, folder_tree, document, question, flight_book,
          document_into_instrument]


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    cv = gfx.Canvas(SIZE * len(IMAGES), SIZE, BACKGROUND)
    for i, draw in enumerate(IMAGES):
        draw(cv, i * SIZE)
    palette, (rows,) = gfx.quantise([cv.pixels()], reserved=[BACKGROUND], avoid=MAPPED_GREYS)
    # no pixel may turn into button face by accident: only the reserved entry 0 is that grey
    assert BACKGROUND not in palette[1:], "a picture colour equals the background grey"
    out = os.path.join(root, 'resources', 'toolbar.bmp')
    gfx.write_bmp8(out, palette, rows)
    print(out)


if __name__ == '__main__':
    main()
