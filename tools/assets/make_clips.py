#!/usr/bin/env python3
"""Draws the progress animations resources/clip1030.avi .. clip1034.avi.

1030  the instrument at the left, a folder window opening at the right
1031  a sheet flies from the instrument to a monitor that fills with coloured text
1032  the same, the monitor draws a flight track and its height profile
1033  the same, the monitor fills with green lines
1034  a green check mark being drawn

The animate control makes the colour of the first frame's top-left pixel
transparent, so 1030-1033 stand on magenta and 1034 on grey (192,192,192).
Edges against that key colour are not blended with it (that would leave a
magenta fringe): pixels less than half covered become key colour, the others
are blended with the dialog grey they will be seen on.
"""

import math
import os
import random
import sys

sys.dont_write_bytecode = True   # keep tools/ free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gfx  # noqa: E402

WIDE = (282, 60)
WIDE_FRAMES, WIDE_USEC = 20, 33333
CHECK = (48, 48)
CHECK_FRAMES, CHECK_USEC = 10, 125000
MAGENTA = (255, 0, 255)
FACE = (192, 192, 192)
DIALOG = (240, 240, 240)

# instrument colours, as in instrument.bmp
CASE_LIGHT, CASE_DARK, EDGE = (80, 84, 92), (38, 41, 46), (14, 15, 18)
ACCENT, ACCENT_DARK, ACCENT_LIGHT = (242, 122, 28), (160, 64, 8), (255, 178, 100)
LCD, LCD_INK = (104, 122, 110), (26, 38, 31)
PAPER, PAPER_EDGE = (252, 252, 250), (120, 126, 140)
FOLDER, FOLDER_LIGHT, FOLDER_INK = (250, 204, 82), (255, 232, 150), (150, 96, 18)

# where things sit in the 282x60 clips
MONITOR = (196, 2, 276, 48)      # bezel
SCREEN = (200, 6, 272, 43)       # inside the bezel
SHEET_FROM, SHEET_VIA, SHEET_TO = (30, 20), (125, -5), (236, 25)


class View:
    """Draws onto a canvas through a scale/rotation about a local point and a
    move to a place on the canvas, so one drawing can grow, turn and fly."""

    def __init__(self, cv, at=(0.0, 0.0), scale=1.0, angle=0.0, origin=(0.0, 0.0)):
        self.cv, self.at, self.scale, self.angle, self.origin = cv, at, scale, angle, origin

    def fill(self, shape, colour, opacity=1.0):
        ox, oy = self.origin
        shape = gfx.transform(shape, self.at[0] - ox, self.at[1] - oy, self.scale, self.angle, ox, oy)
        if callable(colour):
            local, c, s = colour, math.cos(math.radians(-self.angle)), math.sin(math.radians(-self.angle))

            def colour(x, y):
                x, y = (x - self.at[0]) / self.scale, (y - self.at[1]) / self.scale
                return local(ox + x * c - y * s, oy + x * s + y * c)
        self.cv.fill(shape, colour, opacity)


def ease(t):
    t = max(0.0, min(1.0, t))
    return t * t * (3 - 2 * t)


# ------------------------------------------------------------- scene parts --

def instrument(cv):
    """The Zirkano at the left end: 32x52 px case, display, buttons."""
    x0, y0, x1, y1 = 5, 4, 37, 56
    cv.fill(gfx.rounded_rect(x0, y0, x1, y1, 7), EDGE)
    cv.fill(gfx.rounded_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 6), gfx.vgradient(y0, y1, (118, 124, 134), (30, 32, 36)))
    cv.fill(gfx.rounded_rect(x0 + 2, y0 + 2, x1 - 1.5, y1 - 1.5, 5.5), gfx.vgradient(y0, y1, CASE_LIGHT, CASE_DARK))
    for i in range(3):
        cv.fill(gfx.rect(15 + i * 4, 7.5, 17 + i * 4, 9), EDGE)
    # accent-framed display with a tiny climb graph
    cv.fill(gfx.rounded_rect(8, 11, 34, 33, 3), gfx.vgradient(11, 33, ACCENT_LIGHT, ACCENT))
    cv.fill(gfx.rounded_rect(9, 12, 33, 32, 2.5), EDGE)
    cv.fill(gfx.rect(11, 14, 31, 30), LCD)
    for i, h in enumerate((2, 4, 6, 8)):
        cv.fill(gfx.rect(13 + i * 3, 28 - h, 15 + i * 3, 28), LCD_INK)
    cv.fill(gfx.stroke([(13, 22), (20, 21), (27, 17)], 1.0), LCD_INK)
    cv.fill(gfx.rect(25, 18, 30, 19), LCD_INK)
    # buttons
    for x in (12, 30):
        cv.fill(gfx.rounded_rect(x - 3.5, 41, x + 3.5, 45, 2), (16, 17, 20))
        cv.fill(gfx.rounded_rect(x - 3, 41, x + 3, 44.2, 1.6), (86, 90, 98))
    cv.fill(gfx.circle(21, 43, 4.6), ACCENT)
    cv.fill(gfx.circle(21, 43.4, 3.2), (16, 17, 20))
    cv.fill(gfx.circle(21, 43, 3.0), gfx.vgradient(40, 46, (110, 114, 122), (56, 59, 64)))


def monitor(cv, screen_colour):
    x0, y0, x1, y1 = MONITOR
    cx = (x0 + x1) / 2
    # stand, then the bezel over it
    cv.fill(gfx.polygon([(cx - 5, y1 - 1), (cx + 5, y1 - 1), (cx + 7, 53), (cx - 7, 53)]), (70, 74, 82))
    cv.fill(gfx.polygon([(cx - 4, y1 - 1), (cx + 4, y1 - 1), (cx + 5.5, 53), (cx - 5.5, 53)]),
            gfx.hgradient(cx - 6, cx + 6, (150, 156, 166), (96, 100, 110)))
    cv.fill(gfx.rounded_rect(cx - 19, 52, cx + 19, 57, 2.5), (54, 58, 66))
    cv.fill(gfx.rounded_rect(cx - 18, 52.5, cx + 18, 55.8, 2), gfx.vgradient(52, 57, (170, 176, 186), (110, 116, 126)))
    cv.fill(gfx.rounded_rect(x0, y0, x1, y1, 3.5), (30, 32, 38))
    cv.fill(gfx.rounded_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 2.8), gfx.vgradient(y0, y1, (96, 102, 114), (52, 56, 64)))
    sx0, sy0, sx1, sy1 = SCREEN
    cv.fill(gfx.rect(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1), (24, 26, 30))
    cv.fill(gfx.rect(sx0, sy0, sx1, sy1), screen_colour)
    cv.fill(gfx.circle(cx, y1 - 2.2, 0.9), (120, 220, 120))   # power light


def sheet(cv, t):
    """The flying page at flight time t (0 = leaving the instrument, 1 = in the screen)."""
    u = 1 - t
    x = u * u * SHEET_FROM[0] + 2 * u * t * SHEET_VIA[0] + t * t * SHEET_TO[0]
    y = u * u * SHEET_FROM[1] + 2 * u * t * SHEET_VIA[1] + t * t * SHEET_TO[1]
    dx = 2 * u * (SHEET_VIA[0] - SHEET_FROM[0]) + 2 * t * (SHEET_TO[0] - SHEET_VIA[0])
    dy = 2 * u * (SHEET_VIA[1] - SHEET_FROM[1]) + 2 * t * (SHEET_TO[1] - SHEET_VIA[1])
    # the page leans along its path and is small where it leaves and arrives
    view = View(cv, (x, y), 0.4 + 0.6 * math.sin(math.pi * t), math.degrees(math.atan2(dy, dx)) * 0.7)
    w, h, ear = 13, 16, 4
    page = [(-w / 2, -h / 2), (w / 2 - ear, -h / 2), (w / 2, -h / 2 + ear), (w / 2, h / 2), (-w / 2, h / 2)]
    inner = [(-w / 2 + 1, -h / 2 + 1), (w / 2 - ear - 0.4, -h / 2 + 1), (w / 2 - 1, -h / 2 + ear + 0.4),
             (w / 2 - 1, h / 2 - 1), (-w / 2 + 1, h / 2 - 1)]
    view.fill(gfx.polygon(page), PAPER_EDGE)
    view.fill(gfx.polygon(inner), PAPER)
    view.fill(gfx.polygon([(w / 2 - ear, -h / 2), (w / 2, -h / 2 + ear), (w / 2 - ear, -h / 2 + ear)]), (200, 206, 216))
    for k, length in enumerate((6, 8, 5, 8, 7)):
        yy = -h / 2 + 4 + k * 2.4
        view.fill(gfx.rect(-w / 2 + 2.5, yy, -w / 2 + 2.5 + length, yy + 1.1), (150, 160, 190))


def text_lines(seed, colours, rows, left, right, top, pitch, thick):
    """Lines of 'words' (bars) in the given colours: [(x0, x1, y, colour), ...] in reading order."""
    rnd = random.Random(seed)
    words = []
    for r in range(rows):
        x = left + (rnd.choice((0, 0, 4, 8)) if r else 0)
        end = right - rnd.randint(0, (right - left) // 2)
        y = top + r * pitch
        while x < end - 3:
            n = min(rnd.randint(3, 14), end - x)
            words.append((x, x + n, y, y + thick, rnd.choice(colours)))
            x += n + 2
    return words


def reveal_words(cv, words, progress):
    """Draws the first `progress` (0..1) of the words' total length, as if typed."""
    todo = progress * sum(x1 - x0 for x0, x1, *_ in words)
    for x0, x1, y0, y1, colour in words:
        if todo <= 0:
            break
        cv.fill(gfx.rect(x0, y0, min(x1, x0 + todo), y1), colour)
        todo -= x1 - x0


# -------------------------------------------------------------- the clips --

def transfer_frames(screen_colour, draw_screen):
    """Sheet flies instrument -> monitor once per loop while the screen fills."""
    frames = []
    for i in range(WIDE_FRAMES):
        cv = gfx.Canvas(*WIDE, DIALOG)
        instrument(cv)
        monitor(cv, screen_colour)
        draw_screen(cv, (i + 1) / WIDE_FRAMES)
        # half a frame in from each end, so the last page arriving and the next leaving join up
        sheet(cv, (i + 0.5) / WIDE_FRAMES)
        frames.append(cv.pixels(key=MAGENTA))
    return frames


def text_screen(cv, progress):
    sx0, sy0, sx1, sy1 = SCREEN
    cv.fill(gfx.rect(sx0, sy0, sx1, sy0 + 4), gfx.hgradient(sx0, sx1, (30, 80, 190), (110, 160, 240)))
    cv.fill(gfx.rect(sx1 - 4, sy0 + 1, sx1 - 1, sy0 + 3), (230, 90, 80))
    colours = [(30, 80, 200), (200, 40, 40), (30, 140, 60), (60, 62, 74), (210, 120, 0), (140, 50, 170)]
    reveal_words(cv, text_lines(1031, colours, 7, sx0 + 3, sx1 - 3, sy0 + 7, 4, 2), progress)


def track_screen(cv, progress):
    sx0, sy0, sx1, sy1 = SCREEN
    split = sy0 + 24
    # map above, profile panel below
    cv.fill(gfx.rect(sx0, split, sx1, sy1), (246, 246, 240))
    cv.fill(gfx.rect(sx0, split, sx1, split + 1), (150, 160, 150))
    for gx in range(sx0 + 8, sx1, 12):
        cv.fill(gfx.rect(gx, sy0, gx + 1, split), (214, 226, 204))
    for gy in range(sy0 + 6, split, 8):
        cv.fill(gfx.rect(sx0, gy, sx1, gy + 1), (214, 226, 204))
    # a flight: thermals (circling, climbing) linked by glides (straight, sinking)
    thermals = [(0.18, 0.07), (0.52, 0.08), (0.82, 0.06)]
    lift = lambda u: sum(math.exp(-((u - c) / w) ** 2) for c, w in thermals)
    track, heights, h, phase = [], [], 0.15, 0.0
    steps = 240
    x, y = sx0 + 6.0, split - 6.0
    for k in range(steps + 1):
        u = k / steps
        l = lift(u)
        phase += 0.55 * l
        x += (1 - 0.75 * l) * (sx1 - sx0 - 14) / steps / 0.72
        y -= 0.055 * math.sin(u * 7)
        r = 3.2 * min(1.0, l)
        track.append((x + r * math.sin(phase), y + r * math.cos(phase) - 12 * u + 10 * u * u))
        h += (0.02 * l - 0.004) * 1.3
        heights.append(h)
    track_part = gfx.polyline_part(track, progress)
    cv.fill(gfx.stroke(track_part, 1.2), (214, 40, 40))
    cv.fill(gfx.circle(*track[0], 1.6), (30, 140, 60))
    cv.fill(gfx.circle(*track_part[-1], 1.5), (20, 60, 170))
    # height profile, growing from the left in step with the track
    lo, hi = min(heights), max(heights)
    px0, px1, base, top = sx0 + 2, sx1 - 2, sy1 - 1, split + 3
    n = max(1, int(progress * steps))
    prof = [(px0 + (px1 - px0) * k / steps, base - (base - top) * (heights[k] - lo) / (hi - lo)) for k in range(n + 1)]
    cv.fill(gfx.polygon(prof + [(prof[-1][0], base), (px0, base)]), gfx.vgradient(top, base, (120, 170, 240), (60, 110, 200)))
    cv.fill(gfx.stroke(prof, 1.0), (30, 60, 150))


def green_screen(cv, progress):
    sx0, sy0, sx1, sy1 = SCREEN
    colours = [(70, 230, 100), (70, 230, 100), (40, 160, 70), (150, 250, 160)]
    words = text_lines(1033, colours, 9, sx0 + 3, sx1 - 3, sy0 + 3, 4, 2)
    reveal_words(cv, words, progress)
    # the cursor sits after the last typed word
    todo, cx, cy = progress * sum(x1 - x0 for x0, x1, *_ in words), words[0][0], words[0][2]
    for x0, x1, y0, _, _ in words:
        if todo <= 0:
            break
        cx, cy = min(x1, x0 + todo) + 1, y0
        todo -= x1 - x0
    cv.fill(gfx.rect(cx, cy - 0.5, cx + 2, cy + 2.5), (170, 255, 180))


def window(view, items):
    """Folder window drawn in its own 100x52 coordinates; `items` folders shown in the right pane."""
    view.fill(gfx.rounded_rect(0, 0, 100, 52, 2.5), (40, 60, 110))
    view.fill(gfx.rect(1, 1, 99, 51), (250, 251, 253))
    view.fill(gfx.rounded_rect(1, 1, 99, 9, 1.8), gfx.hgradient(0, 100, (30, 84, 200), (100, 160, 245)))
    view.fill(gfx.rect(1, 6, 99, 9), gfx.hgradient(0, 100, (30, 84, 200), (100, 160, 245)))
    mini_folder(view, 3, 2.5, 0.55)
    view.fill(gfx.rect(10, 4, 34, 6), (235, 242, 255))
    for k, col in enumerate(((200, 215, 240), (200, 215, 240), (225, 80, 70))):
        view.fill(gfx.rect(78 + k * 7, 3, 83.5 + k * 7, 7.5), col)
    # tree pane on the left
    view.fill(gfx.rect(1, 9, 30, 51), (232, 238, 248))
    view.fill(gfx.rect(30, 9, 31, 51), (180, 190, 210))
    view.fill(gfx.rect(8, 20, 29.5, 28), (196, 216, 246))   # selected entry
    for k in range(4):
        y = 12 + k * 9
        indent = 0 if k == 0 else 5
        if k:
            view.fill(gfx.rect(5, y - 4, 6, y + 3), (150, 156, 170))
            view.fill(gfx.rect(5, y + 2, 8, y + 3), (150, 156, 170))
        mini_folder(view, 4 + indent, y, 0.8)
        view.fill(gfx.rect(13 + indent, y + 2, 26, y + 3.5), (110, 116, 130))
    for k in range(items):
        col, row = k % 3, k // 3
        x, y = 38 + col * 21, 14 + row * 19
        mini_folder(view, x, y, 1.3)
        view.fill(gfx.rect(x - 1, y + 12, x + 15, y + 13.6), (90, 96, 110))


def mini_folder(view, x, y, s):
    """Folder icon ~11x8 times s, top-left at (x, y)."""
    view.fill(gfx.polygon([(x, y), (x + 4 * s, y), (x + 5 * s, y + 1.4 * s), (x + 11 * s, y + 1.4 * s),
                           (x + 11 * s, y + 9 * s), (x, y + 9 * s)]), FOLDER_INK)
    view.fill(gfx.rect(x + 0.8 * s, y + 2.6 * s, x + 10.2 * s, y + 8.2 * s), gfx.vgradient(y, y + 9 * s, FOLDER_LIGHT, FOLDER))


def folder_frames():
    frames = []
    wx, wy = 176, 4            # window's final top-left
    home = (226.0, 30.0)       # the closed folder it grows out of
    for i in range(WIDE_FRAMES):
        cv = gfx.Canvas(*WIDE, DIALOG)
        instrument(cv)
        # data moving to the right: dots that travel one spacing per 10 frames (seamless loop)
        for k in range(13):
            x = 44 + k * 10 + (i % 10)
            size = min(1.0, (x - 42) / 10, (172 - x) / 14)
            if size > 0.15:
                cv.fill(gfx.circle(x, 30, 1.7 * size), gfx.mix((120, 126, 140), ACCENT, size))
        grow = ease((i - 3) / 8)
        if grow <= 0.02:
            # still a closed folder, waiting; it bounces a little just before opening
            lift = [0, 0, -1.5, -0.5][i] if i < 4 else 0
            mini_folder(View(cv), home[0] - 11, home[1] - 9 + lift, 2.0)
        else:
            items = max(0, min(6, i - 11))
            scale = 0.18 + 0.82 * grow
            cx, cy = home[0] + (wx + 50 - home[0]) * grow, home[1] + (wy + 26 - home[1]) * grow
            window(View(cv, (cx, cy), scale, 0, (50, 26)), items)
            if grow < 0.35:
                # the folder shrinks away in front of the window coming out of it
                fs = 2.0 * (1 - grow / 0.35 * 0.6)
                mini_folder(View(cv), home[0] - 5.5 * fs, home[1] - 4.5 * fs, fs)
        frames.append(cv.pixels(key=MAGENTA))
    return frames


def check_frames():
    frames = []
    path = [(9, 25), (19, 36), (39.5, 11)]
    for i in range(CHECK_FRAMES):
        cv = gfx.Canvas(*CHECK, (212, 212, 212))
        part = gfx.polyline_part(path, ease((i + 1) / 8) if i < 7 else 1.0)
        cv.fill(gfx.stroke(part, 9.5), (16, 96, 36))
        cv.fill(gfx.stroke(part, 6.3), gfx.vgradient(10, 38, (120, 220, 110), (30, 150, 50)))
        # a highlight along the stroke's upper side
        cv.fill(gfx.stroke(gfx.transform([part], -0.8, -1.0)[0], 1.2), (200, 255, 190), 0.55)
        frames.append(cv.pixels(key=FACE))
    return frames


def save(path, frames, usec, key):
    palette, indexed = gfx.quantise(frames, reserved=[key])
    assert palette[indexed[0][0][0]] == key
    gfx.write_avi_rle8(path, palette, indexed, usec)
    print(path)


def main():
    out = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))), 'resources')
    save(os.path.join(out, 'clip1030.avi'), folder_frames(), WIDE_USEC, MAGENTA)
    save(os.path.join(out, 'clip1031.avi'), transfer_frames((252, 252, 252), text_screen), WIDE_USEC, MAGENTA)
    save(os.path.join(out, 'clip1032.avi'), transfer_frames((232, 240, 222), track_screen), WIDE_USEC, MAGENTA)
    save(os.path.join(out, 'clip1033.avi'), transfer_frames((12, 22, 16), green_screen), WIDE_USEC, MAGENTA)
    save(os.path.join(out, 'clip1034.avi'), check_frames(), CHECK_USEC, FACE)


if __name__ == '__main__':
    main()
