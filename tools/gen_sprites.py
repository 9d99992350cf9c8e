#!/usr/bin/python3
"""Draws the sprite sheets of the game objects and their resource file.

    tools/gen_sprites.py [DATA_DIR [REVIEW_PNG]]

Writes DATA_DIR/Graphics/Objects/<name>.png (32x32 frames in one row),
DATA_DIR/Graphics/objects_resourses.xml (the resources "Graphics/Objects/<name>")
a contact sheet of every sprite and frame (default tools/review/sprites.png)
and, beside it, field.png: a small made-up field of them as a player meets them.
Deterministic: every random choice comes from a seeded generator.
"""

import math
import os
import random
import sys

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pixelkit import (Layer, blank, faded, glow, mix, outline, rotate, scaled,  # noqa: E402
                      shifted, stack)

HERE = os.path.dirname(os.path.abspath(__file__))
DIRS = ("left", "right", "up", "down")
DIR_ANGLE = {"right": 0.0, "down": 90.0, "left": 180.0, "up": 270.0}  # clockwise on screen
DIR_VEC = {"left": (-1, 0), "right": (1, 0), "up": (0, -1), "down": (0, 1)}

# ---------------------------------------------------------------- Pellik

PEL = (200, 228, 62)
PEL_DARK = (84, 120, 24)
FOOT = (236, 124, 44)
EYE = (252, 252, 242)
PUPIL = (22, 22, 34)


def pellik_eyes(lay, eyes, look, shape="open"):
    """Two eyes at the given centres; LOOK moves the pupils."""
    for ex, ey in eyes:
        if shape == "open":
            lay.ellipse(ex, ey, 2.6, 3.1, EYE)
            lay.circle(ex + look[0] * 1.1, ey + look[1] * 1.2, 1.45, PUPIL)
            lay.circle(ex + look[0] * 1.1 - 0.6, ey + look[1] * 1.2 - 0.7, 0.5, (255, 255, 255))
        else:  # squeezed shut with effort
            lay.line([(ex - 2.2, ey - 1.2), (ex + 0.6, ey), (ex - 2.2, ey + 1.2)] if ex > 16 else
                     [(ex + 2.2, ey - 1.2), (ex - 0.6, ey), (ex + 2.2, ey + 1.2)], PUPIL, 1.1)


def pellik_feet(lay, feet):
    for fx, fy in feet:
        lay.ellipse(fx, fy, 3.2, 2.0, FOOT)


def smile(lay, cx, cy, w=3.5):
    lay.d.arc([(cx - w) * 4, (cy - 2.2) * 4, (cx + w) * 4, (cy + 1.6) * 4], 20, 160, fill=PUPIL + (255,), width=4)


def pellik_walk(direction, k):
    """One of the 16 frames of a step: the body bobs and the feet swing."""
    ph = 2 * math.pi * k / 16
    bob = -1.3 * abs(math.sin(ph))
    lay = Layer()
    cy = 16.5 + bob
    if direction in ("left", "right"):
        s = 1 if direction == "right" else -1
        swing = 4.2 * math.sin(ph)
        lift_a, lift_b = 1.6 * max(0, math.cos(ph)), 1.6 * max(0, -math.cos(ph))
        lay.ellipse(16 - swing * s, 27.4 - lift_b, 3.2, 2.0, mix(FOOT, (0, 0, 0), 0.35))  # the far foot
        pellik_feet(lay, [(16 + swing * s, 27.4 - lift_a)])
        lay.sphere(16, cy, 11, PEL)
        pellik_eyes(lay, [(16 + s * 3.5, cy - 3), (16 + s * 8.2, cy - 3)], (s, 0))
        lay.d.arc([(16 + s * 7 - 2.5) * 4, (cy + 1.5) * 4, (16 + s * 7 + 2.5) * 4, (cy + 5) * 4],
                  10 if s > 0 else 50, 130 if s > 0 else 170, fill=PUPIL + (255,), width=4)
    else:
        lift_a, lift_b = 2.2 * max(0, math.sin(ph)), 2.2 * max(0, -math.sin(ph))
        sway = 1.0 * math.sin(ph)  # the body leans over the foot it stands on
        pellik_feet(lay, [(10.5, 27.4 - lift_a), (21.5, 27.4 - lift_b)])
        cx = 16 - sway
        lay.sphere(cx, cy, 11, PEL)
        if direction == "up":
            pellik_eyes(lay, [(cx - 3.8, cy - 6), (cx + 3.8, cy - 6)], (0, -1))
        else:
            pellik_eyes(lay, [(cx - 3.8, cy - 1.5), (cx + 3.8, cy - 1.5)], (0, 1))
            smile(lay, cx, cy + 4.6)
    return outline(lay.down())


def pellik_eat(direction, k):
    """Eating in place: the mouth on the side of the food chomps twice over 8 frames."""
    opening = abs(math.sin(2 * math.pi * k / 8))
    lay = Layer()
    pellik_feet(lay, [(10.5, 27.4), (21.5, 27.4)])
    lay.sphere(16, 16.5, 11, PEL)
    vx, vy = DIR_VEC[direction]
    mx, my = 16 + vx * 7.2, 16.5 + (vy * 7.5 if vy else 3.5)
    rx, ry = (2.6, 0.7 + 3.6 * opening) if vx else (3.6, 0.6 + 3.0 * opening)
    lay.ellipse(mx, my, rx + 0.7, ry + 0.7, PEL_DARK)
    lay.ellipse(mx, my, rx, ry, (104, 18, 30))
    if opening > 0.3:
        lay.rect(mx - rx * 0.6, my - ry, mx + rx * 0.6, my - ry + 1.1, (250, 250, 240))
        lay.ellipse(mx, my + ry * 0.45, rx * 0.6, ry * 0.4, (232, 96, 116))
    eyes = {"left": [(12.5, 10.5), (18, 11)], "right": [(14, 11), (19.5, 10.5)],
            "up": [(11.5, 16.5), (20.5, 16.5)], "down": [(11.5, 12), (20.5, 12)]}[direction]
    pellik_eyes(lay, eyes, DIR_VEC[direction])
    return outline(lay.down())


def pellik_push(direction):
    """Pressed flat against what it pushes, hands on it, eyes shut with effort."""
    lay = Layer()
    vx, vy = DIR_VEC[direction]
    if vx:
        cx, cy = 16 - vx * 1.0, 16.5
        pellik_feet(lay, [(16 - vx * 6, 27.6), (16 - vx * 1, 27.6)])
        hx = 16 + vx * 11.6
        for hy in (12.5, 20.5):  # arms braced against what it pushes
            lay.line([(cx + vx * 6, hy + 0.5), (hx, hy)], PEL_DARK, 3.2)
        lay.sphere(cx, cy, 9.8, PEL, ry=11.2)
        for hy in (12.5, 20.5):
            lay.ellipse(hx, hy, 1.9, 2.8, PEL_DARK)
            lay.ellipse(hx - vx * 0.4, hy - 0.4, 1.1, 1.9, PEL)
        pellik_eyes(lay, [(cx + vx * 2, cy - 3), (cx + vx * 7, cy - 3)], (vx, 0), "shut")
        lay.line([(cx + vx * 2.5, cy + 4), (cx + vx * 7.5, cy + 4)], PUPIL, 1.2)
    else:
        cy = 17 - vy * 1.0
        if vy < 0:  # pushing down, the hands take the feet's place
            pellik_feet(lay, [(10.5, 27.6), (21.5, 27.6)])
        hy = 16.5 + vy * 11.2
        for hx in (11, 21):
            lay.line([(hx, cy + vy * 5), (hx, hy)], PEL_DARK, 3.2)
        lay.sphere(16, cy, 11.2, PEL, ry=9.8)
        for hx in (11, 21):
            lay.ellipse(hx, hy, 2.8, 1.9, PEL_DARK)
            lay.ellipse(hx, hy - 0.4, 1.9, 1.1, PEL)
        pellik_eyes(lay, [(11, cy - 1 + vy), (21, cy - 1 + vy)], (0, vy), "shut")
        lay.line([(13, cy + 4.5), (19, cy + 4.5)], PUPIL, 1.2)
    return outline(lay.down())


def pellik_idle():
    lay = Layer()
    pellik_feet(lay, [(10.5, 27.4), (21.5, 27.4)])
    lay.sphere(16, 16.5, 11, PEL)
    pellik_eyes(lay, [(12.2, 13.5), (19.8, 13.5)], (0, 0))
    smile(lay, 16, 20)
    return outline(lay.down())


def pellik_red_disk():
    """Ready to lay a red disk: it holds one up in front, eyes on it."""
    lay = Layer()
    pellik_feet(lay, [(10.5, 27.4), (21.5, 27.4)])
    lay.sphere(16, 15.5, 11, PEL)
    pellik_eyes(lay, [(12.2, 11.5), (19.8, 11.5)], (0, 1))
    body = lay.down()
    disk = scaled(floppy("red"), 0.42)
    return outline(stack(body, shifted(disk, 0, 6)))


# ---------------------------------------------------------------- enemies

def gnarrow(angle, opening):
    """Scissors pointing along ANGLE, blades opened by OPENING degrees."""
    lay = Layer()
    px, py = 17.0, 16.0

    def place(pts, turn):
        return rotate(rotate([(px + x, py + y) for x, y in pts], turn, px, py), angle)

    for s in (-1, 1):  # handles first: each sits on the far side of the pivot
        turn = -s * opening / 2
        arm = place([(0, 0), (-6.5, s * 3.8)], turn)
        lay.line(arm, (150, 26, 48), 2.4)
        ring = place([(-9.2, s * 5.0)], turn)[0]
        lay.circle(ring[0], ring[1], 3.9, (226, 48, 72))
        lay.circle(ring[0], ring[1], 1.7, (0, 0, 0, 0))
    for s in (-1, 1):
        turn = s * opening / 2
        blade = place([(-2.5, -2.6 * s), (13.5, -0.4 * s), (14.2, 0.9 * s), (-2.5, 1.5 * s)], turn)
        edge = place([(-2.5, 1.5 * s), (14.2, 0.9 * s)], turn)
        lay.poly(blade, (212, 218, 230))
        lay.line(edge, (118, 124, 142), 0.9)
    pivot = rotate([(px, py)], angle)[0]
    lay.circle(pivot[0], pivot[1], 1.9, (70, 70, 84))
    lay.circle(pivot[0] - 0.5, pivot[1] - 0.5, 0.8, (200, 200, 210))
    return outline(lay.down())


def electron(spin, trail_angle, wobble):
    """A spinning star of four long and four short rays, sparks trailing behind."""
    halo = glow(16, 16, 15, (70, 140, 255), 0.75)
    lay = Layer()
    pts = []
    for i in range(16):
        r = (13.5 if i % 4 == 0 else 3.4 if i % 2 else 7.5)
        a = math.radians(spin + i * 22.5)
        pts.append((16 + r * math.cos(a), 16 + r * math.sin(a)))
    lay.poly(pts, (120, 190, 255))
    inner = []
    for i in range(16):
        r = (9.5 if i % 4 == 0 else 2.2 if i % 2 else 4.6)
        a = math.radians(spin + i * 22.5)
        inner.append((16 + r * math.cos(a), 16 + r * math.sin(a)))
    lay.poly(inner, (220, 240, 255))
    lay.circle(16, 16, 3.0, (255, 255, 255))
    sparks = Layer()
    if trail_angle is not None:
        a = math.radians(trail_angle + 180)
        for n, (dist, r, al) in enumerate(((10.5, 1.7, 230), (13.0, 1.3, 170), (15.0, 0.9, 120))):
            side = math.sin(wobble * 1.7 + n * 2.1) * 1.6
            x = 16 + dist * math.cos(a) - side * math.sin(a)
            y = 16 + dist * math.sin(a) + side * math.cos(a)
            sparks.circle(x, y, r, (170, 220, 255, al))
    return stack(halo, sparks.down(), outline(lay.down(), (10, 20, 60), 170, 200))


# ---------------------------------------------------------------- falling things

GROBBLE = (152, 150, 142)


def grobble(k):
    """Frame K of a roll: the marks on the stone turn a sixteenth of a half turn per frame."""
    lay = Layer()
    cx, cy, r = 16.0, 16.5, 12.6
    lay.sphere(cx, cy, r, GROBBLE, gloss=0.15)
    turn = -11.25 * k  # counter-clockwise as the frames count up: rolling to the left
    marks = [(6.2, 25, 2.5), (6.2, 205, 2.5), (8.8, 118, 1.7), (8.8, 298, 1.7), (2.6, 80, 1.3), (2.6, 260, 1.3)]
    for dist, ang, size in marks:
        a = math.radians(ang + turn)
        x, y = cx + dist * math.cos(a), cy + dist * math.sin(a)
        squash = math.sqrt(max(0.15, 1 - (dist / r) ** 2))
        lit = max(0.25, 1 - ((x - cx) * 0.55 + (y - cy) * 0.65) / r * 0.55 - 0.25)
        dark = tuple(int(c * 0.55 * lit) for c in GROBBLE)
        rim = tuple(min(255, int(c * 1.05 * lit + 30)) for c in GROBBLE)
        # crater: a dark pit with a lit lower rim, flattened toward the edge of the ball
        rx = size * (squash if abs(math.cos(a)) > 0.5 else 1)
        ry = size * (squash if abs(math.sin(a)) > 0.5 else 1)
        lay.ellipse(x + 0.35, y + 0.35, rx, ry, rim)
        lay.ellipse(x, y, rx * 0.85, ry * 0.85, dark)
    for sgn in (0, 180):
        a = math.radians(160 + sgn + turn)
        crack = [(cx + d * math.cos(a + 0.25 * math.sin(d)), cy + d * math.sin(a + 0.25 * math.sin(d)))
                 for d in (3.5, 6.0, 8.5, 10.8)]
        lay.line(crack, (88, 86, 80), 0.8)
    return outline(lay.down())


QUARKEL_DARK, QUARKEL_LIGHT = (64, 24, 142), (222, 168, 255)


def quarkel_gem(turn, size=1.0, w=32):
    """A faceted violet crystal with a cyan heart, in a W-pixel square; TURN in degrees, clockwise."""
    lay = Layer(w, w)
    c, size = w / 2.0, size * w / 32.0

    def ring(radius):
        return [(c + radius * size * math.cos(math.radians(turn + 22.5 + i * 45)),
                 c + radius * size * math.sin(math.radians(turn + 22.5 + i * 45))) for i in range(8)]
    outer, inner = ring(12.2), ring(6.2)
    for i in range(8):
        j = (i + 1) % 8
        mid = math.radians(turn + 45 + i * 45)
        light = 0.5 + 0.5 * (-0.6 * math.cos(mid) - 0.8 * math.sin(mid))
        lay.poly([outer[i], outer[j], inner[j], inner[i]], mix(QUARKEL_DARK, QUARKEL_LIGHT, light))
    lay.poly(inner, (150, 228, 255))
    glint = [(c + 3.2 * size * math.cos(math.radians(turn + 200 + i * 90)) * (1 if i % 2 else 0.35),
              c + 3.2 * size * math.sin(math.radians(turn + 200 + i * 90)) * (1 if i % 2 else 0.35))
             for i in range(4)]
    lay.poly(glint, (250, 255, 255))
    return lay.down()


def quarkel(k):
    halo = glow(16, 16, 16, (90, 220, 255), 0.55)
    return stack(halo, outline(quarkel_gem(45.0 * k / 16), (22, 8, 48)))


def sparkle(lay, x, y, r, colour):
    lay.poly([(x - r, y), (x - r * 0.2, y - r * 0.2), (x, y - r), (x + r * 0.2, y - r * 0.2),
              (x + r, y), (x + r * 0.2, y + r * 0.2), (x, y + r), (x - r * 0.2, y + r * 0.2)], colour)


def quarkel_eaten(k):
    """Collected: the crystal spins, shrinks and bursts into sparkles."""
    t = k / 16.0
    gem = faded(scaled(quarkel_gem(45.0 * k / 4), 1.0 - 0.85 * t), 1.0 - 0.5 * t)
    sp = Layer()
    for i in range(6):
        a = math.radians(i * 60 + k * 9)
        d = 5 + 11 * t
        sparkle(sp, 16 + d * math.cos(a), 16 + d * math.sin(a), 2.8 * (1 - t) + 0.8,
                (200, 245, 255, int(255 * (1 - t * 0.8))))
    return stack(glow(16, 16, 16 * (1 - t) + 2, (90, 220, 255), 0.55 * (1 - t)), gem, sp.down())


# ---------------------------------------------------------------- disks

DISK_COLOURS = {"orange": (236, 124, 28), "yellow": (240, 212, 44), "red": (210, 36, 38)}


def floppy(kind):
    """A floppy disk: shutter at the top, label below, one corner cut. The label's mark tells
    the kinds apart at a glance: a fuse (red, it is laid and goes off), a falling arrow (orange,
    it blows up where it lands), a lightning bolt (yellow, a terminal sets it off)."""
    colour = DISK_COLOURS[kind]
    lay = Layer()
    dark = tuple(int(c * 0.55) for c in colour)
    light = tuple(min(255, int(c * 1.15 + 30)) for c in colour)
    body = [(4, 4), (25, 4), (28, 7), (28, 28), (4, 28)]
    lay.poly([(x + 0.8, y + 0.8) for x, y in body], dark)
    lay.poly(body, colour)
    lay.line([(4.5, 27.5), (4.5, 4.5), (24.5, 4.5)], light, 0.9)
    lay.rect(10, 4, 22, 13, (196, 200, 208))
    lay.rect(10, 12.2, 22, 13, (120, 124, 134))
    lay.rect(17, 6, 20, 11, (46, 48, 56))
    lay.rect(7, 16, 25, 27, (238, 234, 220))
    for y in (19, 22.5):
        lay.rect(15, y, 23, y + 1.1, dark)
    ink = (34, 30, 28)
    if kind == "yellow":
        lay.poly([(12.2, 16.6), (8.3, 22.2), (11, 22.2), (9.3, 26.6), (14, 20.2), (11.4, 20.2), (13.4, 16.6)], ink)
    elif kind == "orange":
        lay.rect(10, 17, 12, 22, ink)
        lay.poly([(8, 21.5), (14, 21.5), (11, 25.8)], ink)
    else:
        lay.circle(11, 22.5, 3.0, ink)
        lay.line([(12.6, 19.8), (14, 17.4)], ink, 1.0)
        lay.circle(14.2, 17.2, 0.9, (240, 120, 40))
    return outline(lay.down())


def disk_red_eaten(k):
    t = k / 16.0
    return faded(scaled(floppy("red"), 1.0 - 0.8 * t), 1.0 - 0.6 * t)


# ---------------------------------------------------------------- base and bug

def base_tile():
    """Green-brown circuit dirt, a full tile."""
    rnd = random.Random(39)
    img = Image.new("RGBA", (32, 32))
    px = img.load()
    for y in range(32):
        for x in range(32):
            t = rnd.random()
            c = mix((58, 46, 26), (72, 88, 34), rnd.random() * 0.8)
            if t < 0.08:
                c = mix(c, (30, 24, 14), 0.6)
            elif t > 0.94:
                c = mix(c, (128, 118, 70), 0.5)
            px[x, y] = c + (255,)
    d = ImageDraw.Draw(img)
    trace, pad = (88, 118, 48, 255), (128, 150, 72, 255)
    for pts in (((3, 6), (12, 6), (12, 12)), ((20, 3), (20, 9), (28, 9)), ((4, 24), (10, 24), (14, 28)),
                ((18, 27), (18, 20), (27, 20)), ((7, 15), (16, 15))):
        d.line(pts, fill=trace, width=1)
        for p in (pts[0], pts[-1]):
            d.rectangle([p[0] - 1, p[1] - 1, p[0] + 1, p[1] + 1], fill=pad)
            d.point(p, fill=(60, 70, 30, 255))
    return img


def base_eaten(k):
    """Eaten: the dirt crumbles away grain by grain."""
    tile = base_tile()
    if k == 0:
        return tile
    rnd = random.Random(41)
    px = tile.load()
    level = k / 16.0
    for y in range(32):
        for x in range(32):
            keep = rnd.random() * 0.75 + 0.25 * (1 - abs(x - 15.5) / 16) * (1 - abs(y - 15.5) / 16)
            if keep < level:
                px[x, y] = (0, 0, 0, 0)
            elif keep < level + 0.12:
                r, g, b, a = px[x, y]
                px[x, y] = (r // 2, g // 2, b // 2, a)
    return tile


def bug_spark(k):
    """A bug sparking: lightning crackles over the dirt, brightest mid-way."""
    tile = base_tile()
    power = 0.45 + 0.55 * math.sin(math.pi * (k + 0.5) / 15)
    flash = Image.new("RGBA", (32, 32), (90, 170, 255, int(70 * power)))
    rnd = random.Random(1000 + k)
    glow_l, core = Layer(), Layer()
    for bolt in range(3):
        x, y = 16 + rnd.uniform(-3, 3), 16 + rnd.uniform(-3, 3)
        a = rnd.uniform(0, 2 * math.pi) + bolt * 2.1
        pts = [(x, y)]
        for _ in range(5):
            a += rnd.uniform(-0.9, 0.9)
            x += 3.2 * math.cos(a)
            y += 3.2 * math.sin(a)
            pts.append((min(31, max(1, x)), min(31, max(1, y))))
        glow_l.line(pts, (100, 190, 255, int(140 * power)), 2.6)
        core.line(pts, (235, 250, 255, 255), 0.9)
    return stack(tile, flash, glow_l.down(), core.down(), glow(16, 16, 7, (220, 240, 255), 0.7 * power))


# ---------------------------------------------------------------- walls and chips

STEEL = (88, 96, 110)


def steel_plate(seed=0):
    rnd = random.Random(500 + seed)
    img = Image.new("RGBA", (32, 32))
    px = img.load()
    for y in range(32):
        for x in range(32):
            v = rnd.randint(-5, 5) + (3 if (x + y) % 7 == 0 else 0)
            px[x, y] = tuple(max(0, min(255, c + v)) for c in STEEL) + (255,)
    d = ImageDraw.Draw(img)
    d.line([(0, 31), (0, 0), (31, 0)], fill=(146, 156, 172, 255))
    d.line([(1, 30), (1, 1), (30, 1)], fill=(118, 128, 142, 255))
    d.line([(1, 31), (31, 31), (31, 1)], fill=(36, 40, 48, 255))
    d.line([(2, 30), (30, 30), (30, 2)], fill=(60, 66, 76, 255))
    return img


def rivet(d, x, y):
    d.ellipse([x - 1.5, y - 1.5, x + 1.5, y + 1.5], fill=(58, 62, 72, 255))
    d.point((x - 1, y - 1), fill=(190, 196, 208, 255))
    d.point((x, y - 1), fill=(150, 156, 168, 255))


def hardware(v):
    """Wall variant V: a steel block, plain (0) or with a piece of hardware mounted on it."""
    img = steel_plate(v)
    d = ImageDraw.Draw(img)
    if v == 0:
        for x, y in ((6, 6), (25, 6), (6, 25), (25, 25)):
            rivet(d, x, y)
        d.rectangle([10, 10, 21, 21], outline=(70, 76, 88, 255))
        d.line([(11, 21), (21, 21), (21, 11)], fill=(120, 128, 142, 255))
    elif v == 1:  # vent grille
        for y in range(7, 26, 4):
            d.rectangle([6, y, 25, y + 1], fill=(22, 24, 30, 255))
            d.line([(6, y + 2), (25, y + 2)], fill=(132, 140, 156, 255))
        for x, y in ((4, 4), (27, 4), (4, 27), (27, 27)):
            rivet(d, x, y)
    elif v == 2:  # status lamps
        d.rectangle([5, 8, 26, 23], fill=(30, 32, 38, 255))
        for i, c in enumerate(((255, 60, 50), (255, 200, 40), (60, 230, 90))):
            x = 9 + i * 7
            d.ellipse([x - 2.5, 13, x + 2.5, 18], fill=c + (255,))
            d.point((x - 1, 14), fill=(255, 255, 240, 255))
        d.line([(5, 23), (26, 23), (26, 8)], fill=(126, 134, 148, 255))
    elif v == 3:  # capacitor from above
        lay = Layer()
        lay.circle(16, 16, 11, (40, 44, 56))
        lay.sphere(16, 16, 9.5, (60, 110, 190), gloss=0.25)
        lay.line([(11, 16), (21, 16)], (190, 200, 220), 1.2)
        lay.line([(16, 11), (16, 21)], (190, 200, 220), 1.2)
        img = stack(img, lay.down())
    elif v == 4:  # resistor on a board
        d.rectangle([3, 9, 28, 22], fill=(26, 84, 46, 255))
        d.line([(3, 15), (28, 15)], fill=(200, 200, 205, 255), width=2)
        d.rounded_rectangle([8, 11, 23, 20], radius=3, fill=(214, 186, 130, 255))
        for x, c in ((11, (150, 60, 30)), (14, (20, 20, 20)), (17, (220, 40, 40)), (21, (230, 190, 40))):
            d.rectangle([x, 11, x + 1, 20], fill=c + (255,))
    elif v == 5:  # heat sink
        for x in range(5, 27, 4):
            d.rectangle([x, 4, x + 2, 27], fill=(150, 158, 172, 255))
            d.line([(x + 2, 4), (x + 2, 27)], fill=(54, 58, 68, 255))
        d.rectangle([4, 26, 27, 28], fill=(70, 76, 88, 255))
    elif v == 6:  # connector with gold pins
        d.rectangle([4, 10, 27, 21], fill=(28, 28, 34, 255))
        for x in range(6, 26, 4):
            for y in (12, 17):
                d.rectangle([x, y, x + 1, y + 2], fill=(222, 180, 60, 255))
        d.line([(4, 21), (27, 21), (27, 10)], fill=(90, 90, 100, 255))
    elif v == 7:  # warning stripes
        stripes = Image.new("RGBA", (32, 32))
        sp = stripes.load()
        for y in range(32):
            for x in range(32):
                sp[x, y] = (236, 196, 30, 255) if ((x + y) // 5) % 2 == 0 else (30, 30, 30, 255)
        img.paste(stripes.crop((3, 3, 29, 29)), (3, 3))
        d.rectangle([3, 3, 28, 28], outline=(50, 54, 62, 255))
    elif v == 8:  # chip socket
        d.rectangle([6, 6, 25, 25], fill=(36, 36, 42, 255))
        for i in range(5):
            for x, y in ((8 + i * 4, 7), (8 + i * 4, 23), (7, 8 + i * 4), (23, 8 + i * 4)):
                d.rectangle([x, y, x + 1, y + 1], fill=(212, 172, 56, 255))
        d.rectangle([11, 11, 20, 20], fill=(54, 54, 62, 255))
    elif v == 9:  # big bolt
        lay = Layer()
        hexagon = [(16 + 9 * math.cos(math.radians(30 + i * 60)), 16 + 9 * math.sin(math.radians(30 + i * 60)))
                   for i in range(6)]
        lay.poly([(x + 1, y + 1) for x, y in hexagon], (40, 44, 52))
        lay.poly(hexagon, (140, 148, 162))
        lay.circle(16, 16, 5.5, (110, 118, 132))
        lay.line([(12.5, 16), (19.5, 16)], (44, 48, 58), 1.6)
        img = stack(img, lay.down())
    elif v == 10:  # cable bundle
        for i, c in enumerate(((200, 40, 40), (40, 120, 220), (230, 200, 40), (60, 180, 80), (30, 30, 30))):
            y = 7 + i * 4
            d.line([(2, y), (30, y + (1 if i % 2 else -1))], fill=c + (255,), width=3)
            d.line([(2, y - 1), (30, y - 1 + (1 if i % 2 else -1))], fill=mix(c, (255, 255, 255), 0.4) + (255,))
        d.rectangle([13, 4, 18, 27], fill=(60, 64, 72, 255))
        d.line([(13, 4), (13, 27)], fill=(140, 148, 160, 255))
    return img


PCB = (24, 70, 40)


def ram(v):
    """A memory chip on a board: whole (0), left/right half of a wide one (1, 2), top/bottom of a tall one (3, 4)."""
    img = Image.new("RGBA", (32, 32), PCB + (255,))
    d = ImageDraw.Draw(img)
    for y in range(3, 32, 6):
        d.line([(0, y), (31, y)], fill=(34, 88, 50, 255))
    pin, body, top = (206, 208, 214, 255), (34, 34, 40, 255), (70, 70, 80, 255)
    box = {0: (8, 5, 23, 26), 1: (5, 8, 31, 23), 2: (0, 8, 26, 23), 3: (8, 5, 23, 31), 4: (8, 0, 23, 26)}[v]
    x0, y0, x1, y1 = box
    if v in (1, 2):
        for x in range(x0 + 2, x1 - 1, 4):
            d.rectangle([x, y0 - 3, x + 1, y0 - 1], fill=pin)
            d.rectangle([x, y1 + 1, x + 1, y1 + 3], fill=pin)
    else:
        for y in range(y0 + 2, y1 - 1, 4):
            d.rectangle([x0 - 3, y, x0 - 1, y + 1], fill=pin)
            d.rectangle([x1 + 1, y, x1 + 3, y + 1], fill=pin)
    d.rectangle(box, fill=body)
    d.line([(x0, y0), (x1, y0)], fill=top)
    d.line([(x0, y0), (x0, y1)], fill=top)
    if v == 0 or v == 3:
        d.pieslice([14, y0 - 3, 18, y0 + 3], 0, 180, fill=(18, 18, 22, 255))
    if v == 1:
        d.pieslice([x0 - 3, 13, x0 + 3, 18], 270, 90, fill=(18, 18, 22, 255))
    if v in (0, 2, 4):  # the maker's print
        cx, cy = (x0 + x1) // 2, (y0 + y1) // 2
        for i, w in enumerate((8, 6, 7)):
            d.line([(cx - w // 2, cy - 3 + i * 3), (cx + w // 2, cy - 3 + i * 3)], fill=(150, 150, 160, 255))
    return img


# ---------------------------------------------------------------- ports

RAIL, RAIL_LIGHT, RAIL_DARK = (54, 100, 108), (120, 170, 176), (22, 44, 50)
ARROW = (120, 246, 170)


def port(kind):
    """A port tile: rails on the sides it closes, the passage between them see-through."""
    lay = Layer()
    horizontal = kind in ("l_to_r", "r_to_l", "horizontal", "cross")
    vertical = kind in ("u_to_d", "d_to_u", "vertical", "cross")
    floor = (40, 90, 96, 70)
    if kind == "cross":
        lay.rect(0, 0, 32, 32, floor)
        for x, y in ((0, 0), (24, 0), (0, 24), (24, 24)):
            lay.rect(x, y, x + 8, y + 8, RAIL_DARK)
            lay.rect(x + 0.8, y + 0.8, x + 7.2, y + 7.2, RAIL)
            lay.rect(x + 1.5, y + 1.5, x + 4, y + 4, RAIL_LIGHT)
    elif horizontal:
        lay.rect(0, 6, 32, 26, floor)
        for y in (0, 26):
            lay.rect(0, y, 32, y + 6, RAIL_DARK)
            lay.rect(0, y + 0.8, 32, y + 5.2, RAIL)
            lay.rect(0, y + 1.4, 32, y + 2.4, RAIL_LIGHT)
    else:
        lay.rect(6, 0, 26, 32, floor)
        for x in (0, 26):
            lay.rect(x, 0, x + 6, 32, RAIL_DARK)
            lay.rect(x + 0.8, 0, x + 5.2, 32, RAIL)
            lay.rect(x + 1.4, 0, x + 2.4, 32, RAIL_LIGHT)
    arrows = Layer()
    one = [(6, 13), (16, 13), (16, 8.5), (25.5, 16), (16, 23.5), (16, 19), (6, 19)]
    both = [(5, 16), (11.5, 9.5), (11.5, 13.2), (20.5, 13.2), (20.5, 9.5), (27, 16), (20.5, 22.5),
            (20.5, 18.8), (11.5, 18.8), (11.5, 22.5)]
    shapes = {"l_to_r": [(one, 0)], "r_to_l": [(one, 180)], "u_to_d": [(one, 90)], "d_to_u": [(one, 270)],
              "horizontal": [(both, 0)], "vertical": [(both, 90)], "cross": []}[kind]
    if kind == "cross":  # a plus of bars with an arrow head out to each side
        arrows.rect(14, 8, 18, 24, ARROW)
        arrows.rect(8, 14, 24, 18, ARROW)
        head = [(22, 11), (27.5, 16), (22, 21)]
        for turn in (0, 90, 180, 270):
            shapes.append((head, turn))
    for shape, turn in shapes:
        arrows.poly(rotate(shape, turn), ARROW)
    return stack(lay.down(), outline(arrows.down(), (10, 40, 24), 140, 255))


# ---------------------------------------------------------------- exit and terminal

PIXEL_LETTERS = {"E": ["111", "100", "110", "100", "111"], "X": ["101", "101", "010", "101", "101"],
                 "I": ["111", "010", "010", "010", "111"], "T": ["111", "010", "010", "010", "010"]}


def pixel_text(img, x, y, text, colour):
    px = img.load()
    for ch in text:
        for r, row in enumerate(PIXEL_LETTERS[ch]):
            for c, bit in enumerate(row):
                if bit == "1":
                    px[x + c, y + r] = colour + (255,)
        x += 4


def exit_tile(is_open):
    """The exit: a shut door under a red sign (0), or an open door onto green light (1)."""
    img = steel_plate(77)
    d = ImageDraw.Draw(img)
    d.rectangle([5, 1, 26, 8], fill=(20, 20, 24, 255))
    pixel_text(img, 9, 2, "EXIT", (90, 255, 130) if is_open else (255, 64, 52))
    if is_open:
        light = Image.new("RGBA", (32, 32))
        lp = light.load()
        for y in range(10, 30):
            for x in range(6, 26):
                t = 1 - abs(x - 15.5) / 10
                lp[x, y] = mix((20, 90, 40), (200, 255, 210), t * t) + (255,)
        img.alpha_composite(light.crop((6, 10, 26, 30)), (6, 10))
        for x0 in (5, 22):
            d.rectangle([x0, 10, x0 + 4, 29], fill=(96, 40, 34, 255))
            d.line([(x0, 10), (x0, 29)], fill=(150, 70, 60, 255))
    else:
        d.rectangle([5, 10, 26, 29], fill=(104, 42, 36, 255))
        d.line([(5, 10), (26, 10)], fill=(156, 76, 64, 255))
        d.line([(5, 10), (5, 29)], fill=(156, 76, 64, 255))
        d.line([(15, 10), (15, 29)], fill=(50, 18, 16, 255))
        d.line([(16, 10), (16, 29)], fill=(140, 64, 54, 255))
        for x in (12, 19):
            d.rectangle([x, 18, x + 1, 21], fill=(214, 200, 120, 255))
    d.rectangle([4, 9, 27, 30], outline=(34, 36, 44, 255))
    return img


def terminal(k):
    """A computer terminal; its text scrolls one line every two frames and the cursor blinks."""
    img = blank()
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([2, 2, 29, 24], radius=3, fill=(168, 166, 152, 255))
    d.line([(4, 2), (27, 2)], fill=(214, 212, 198, 255))
    d.line([(2, 4), (2, 22)], fill=(214, 212, 198, 255))
    d.line([(4, 24), (27, 24)], fill=(100, 98, 90, 255))
    d.rectangle([5, 5, 26, 20], fill=(8, 32, 16, 255))
    rnd = random.Random(30)
    lines = [[(rnd.randint(0, 3), rnd.randint(2, 6)) for _ in range(3)] for _ in range(8)]
    top = k // 2
    for row in range(4):
        words = lines[(top + row) % 8]
        x = 7
        y = 7 + row * 3 + 0
        for gap, w in words:
            x += gap
            if x + w > 25:
                break
            d.line([(x, y), (x + w - 1, y)], fill=(90, 236, 120, 255))
            x += w + 1
    if k % 2 == 0:
        d.rectangle([7, 18, 9, 19], fill=(180, 255, 190, 255))
    for y in range(5, 21, 2):
        d.line([(5, y), (26, y)], fill=(0, 0, 0, 60))
    d.rectangle([13, 24, 18, 26], fill=(120, 118, 108, 255))
    d.rounded_rectangle([3, 26, 28, 30], radius=1, fill=(140, 138, 126, 255))
    for x in range(5, 27, 3):
        d.point((x, 28), fill=(70, 70, 66, 255))
    return img


# ---------------------------------------------------------------- explosions

FIRE = [(0.0, (44, 40, 40)), (0.15, (96, 42, 30)), (0.32, (204, 54, 22)), (0.52, (250, 142, 30)),
        (0.75, (255, 222, 84)), (1.0, (255, 255, 226))]
ZAP = [(0.0, (40, 18, 64)), (0.15, (76, 30, 130)), (0.32, (126, 50, 210)), (0.52, (150, 110, 255)),
       (0.75, (130, 232, 255)), (1.0, (240, 252, 255))]


def ramp(table, h):
    h = max(0.0, min(1.0, h))
    for (h0, c0), (h1, c1) in zip(table, table[1:]):
        if h <= h1:
            return mix(c0, c1, (h - h0) / (h1 - h0))
    return table[-1][1]


def blast(k, colours, seed):
    """Frame K of 16 of a blast: a flash that fills the cell, flickers and dies to smoke."""
    rnd = random.Random(seed)
    blobs = [(rnd.uniform(4, 28), rnd.uniform(4, 28), rnd.uniform(5, 9), rnd.uniform(0, 6.28)) for _ in range(16)]
    t = k / 15.0
    grow = min(1.0, 0.5 + k * 0.2)
    heat = 1.0 - 0.85 * t
    alpha = 255 if k < 11 else int(255 * (1 - (k - 10) / 6.0))
    rise = max(0, k - 8) * 0.5
    lay = Layer()
    # each puff drawn in three shells, darker outside, so the fire has body
    for shell, (size, warm) in enumerate(((1.0, -0.32), (0.72, -0.12), (0.42, 0.1))):
        for bx, by, r, ph in blobs:
            flick = 0.1 * math.sin(ph + k * 1.9 + shell)
            rr = r * grow * size * (1.0 if k < 11 else 1.0 - (k - 10) * 0.07)
            x = 16 + (bx - 16) * grow + 0.4 * shell * math.cos(ph)
            y = 16 + (by - 16) * grow - rise - 0.5 * shell
            lay.circle(x, y, rr, ramp(colours, heat + warm + flick) + (alpha,))
    core = Layer()
    if k < 9:
        core.circle(16, 16, 9 * grow * (1 - k / 9.0) + 1, ramp(colours, 1.0) + (int(230 * (1 - k / 9.0)),))
    sparks = Layer()
    for i in range(8):
        a = rnd.uniform(0, 6.28)
        d = 4 + k * 1.1 + rnd.uniform(0, 3)
        if k >= 3 and d < 17:
            sparks.circle(16 + d * math.cos(a), 16 + d * math.sin(a), 0.9, ramp(colours, 0.85) + (alpha,))
    return stack(lay.down(), core.down(), sparks.down())


def explosion(k):
    return blast(k, FIRE, 43)


def exploding_quarkel(k):
    """Like a blast, in the crystal's colours; the Quarkel it leaves behind forms at the end."""
    frame = blast(k, ZAP, 44)
    if k >= 11:
        grow = (k - 10) / 6.0
        frame = stack(frame, faded(scaled(quarkel(0), 0.3 + 0.6 * grow), 0.4 + 0.6 * grow))
    return frame


# ---------------------------------------------------------------- the sheet table


def turn_angles(base):
    """The two frames of a quarter turn starting at BASE degrees (clockwise)."""
    return [base + 22.5, base + 67.5]


SNIP = (4, 18, 32, 44, 36, 24, 12)  # blade opening of each moving frame: a snip per cycle
TURNS = {"left_to_up": 180.0, "up_to_right": 270.0, "right_to_down": 0.0, "down_to_left": 90.0}


def sprites():
    """Every sprite: (resource name, frames)."""
    out = []
    for d in DIRS:
        out.append(("pellik_moving_" + d, [pellik_walk(d, k) for k in range(16)]))
    for d in DIRS:
        out.append(("pellik_eating_" + d, [pellik_eat(d, k) for k in range(8)]))
    for d in DIRS:
        out.append(("pellik_pushing_" + d, [pellik_push(d)]))
    out.append(("pellik", [pellik_idle()]))
    out.append(("pellik_seting_red_disk", [pellik_red_disk()]))
    for d in DIRS:
        out.append(("gnarrow_moving_" + d,
                    [gnarrow(DIR_ANGLE[d], a) for a in SNIP]))
    for name, base in TURNS.items():
        out.append(("gnarrow_rotating_" + name, [gnarrow(a, 22) for a in turn_angles(base)]))
    for d in DIRS:
        out.append(("electron_moving_" + d, [electron(22.5 * k, DIR_ANGLE[d], k) for k in range(4)]))
    for name, base in TURNS.items():
        out.append(("electron_rotating_" + name,
                    [electron(11.25 + 22.5 * i, a, i) for i, a in enumerate(turn_angles(base))]))
    out.append(("terminal", [terminal(k) for k in range(16)]))
    out.append(("nothing", [blank()]))
    out.append(("hardware", [hardware(v) for v in range(11)]))
    out.append(("ram", [ram(v) for v in range(5)]))
    out.append(("disk_red", [disk_red_eaten(k) for k in range(16)]))
    out.append(("disk_yellow", [floppy("yellow")]))
    out.append(("disk_orange", [floppy("orange")]))
    out.append(("grobble", [grobble(k) for k in range(16)]))
    out.append(("base", [base_tile()]))
    out.append(("base_charging", [bug_spark(k) for k in range(15)]))
    out.append(("base_eating", [base_eaten(k) for k in range(16)]))
    out.append(("exit", [exit_tile(False), exit_tile(True)]))
    out.append(("explosion", [explosion(k) for k in range(16)]))
    out.append(("exploding_quarkel", [exploding_quarkel(k) for k in range(16)]))
    out.append(("quarkel", [quarkel(k) for k in range(16)]))
    out.append(("quarkel_tumb", [scaled(quarkel(0), 0.6)]))
    out.append(("quarkel_eating", [quarkel_eaten(k) for k in range(16)]))
    for kind in ("cross", "l_to_r", "r_to_l", "u_to_d", "d_to_u", "horizontal", "vertical"):
        out.append(("port_" + kind, [port(kind)]))
    return out


def resource_file(table):
    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             "<!-- The game objects' sprites. Written by tools/gen_sprites.py: change the generator, not this file. -->",
             "<resources>", '<section name="Graphics">', '<section name="Objects">']
    for name, frames in table:
        lines.append('  <sprite name="%s"><image file="Objects/%s.png"><grid pos="0,0" size="32,32" array="%d,1"/>'
                     "</image></sprite>" % (name, name, len(frames)))
    lines += ["</section>", "</section>", "</resources>", ""]
    return "\n".join(lines)


def contact_sheet(table):
    """Every sprite and frame at twice their size, two columns of sprites, over the field's black."""
    font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf", 13)
    label_w, cell, rows = 240, 68, (len(table) + 1) // 2
    col_w = label_w + 16 * cell
    sheet = Image.new("RGBA", (2 * col_w + 10, rows * (cell + 6) + 6), (4, 6, 4, 255))
    d = ImageDraw.Draw(sheet)
    for i, (name, frames) in enumerate(table):
        x0, y0 = (i // rows) * (col_w + 10), 6 + (i % rows) * (cell + 6)
        d.text((x0 + 6, y0 + 24), name, font=font, fill=(190, 210, 180, 255))
        for f, frame in enumerate(frames):
            x = x0 + label_w + f * cell
            d.rectangle([x, y0, x + 65, y0 + 65], fill=(0, 0, 0, 255), outline=(40, 52, 40, 255))
            sheet.alpha_composite(frame.resize((64, 64), Image.NEAREST), (x + 1, y0 + 1))
    return sheet.convert("RGB")


# A small made-up field, to judge the sprites side by side as a player meets them.
FIELD = ["HHHHHHHHHHHHHHHH",
         "H..bbbQbbGbbb.xH",
         "H.P.bbGQbbb.b..H",
         "HbbbRRbb12bEb.yH",
         "HHHH.>.<^v-|+HHH",
         "Hbobbb.3.b.4bTsH",
         "HbQGbbgbbb.e.bkH",
         "HHHHHHHHHHHHHHHH"]
FIELD_KEY = {"b": ("base", 0), "Q": ("quarkel", 0), "G": ("grobble", 0), "P": ("pellik", 0),
             "R": ("disk_red", 0), "1": ("ram", 1), "2": ("ram", 2), "3": ("ram", 3), "4": ("ram", 0),
             "E": ("exit", 0), ">": ("port_l_to_r", 0), "<": ("port_r_to_l", 0), "^": ("port_d_to_u", 0),
             "v": ("port_u_to_d", 0), "-": ("port_horizontal", 0), "|": ("port_vertical", 0),
             "+": ("port_cross", 0), "o": ("disk_orange", 0), "y": ("disk_yellow", 0), "T": ("terminal", 3),
             "s": ("base_charging", 6), "g": ("gnarrow_moving_left", 3), "e": ("electron_moving_up", 1),
             "x": ("explosion", 6), "k": ("hardware", 7)}


def field_picture(table):
    frames = dict(table)
    img = Image.new("RGBA", (32 * len(FIELD[0]), 32 * len(FIELD)), (0, 0, 0, 255))
    for y, row in enumerate(FIELD):
        for x, c in enumerate(row):
            if c == "H":
                name, i = "hardware", ((x * 7 + y * 3) % 11 if (x + y) % 3 == 0 else 0)
            elif c in FIELD_KEY:
                name, i = FIELD_KEY[c]
            else:
                continue
            img.alpha_composite(frames[name][i], (32 * x, 32 * y))
    return img.resize((img.width * 2, img.height * 2), Image.NEAREST).convert("RGB")


def main():
    data_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "data")
    review = sys.argv[2] if len(sys.argv) > 2 else os.path.join(HERE, "review", "sprites.png")
    out_dir = os.path.join(data_dir, "Graphics", "Objects")
    os.makedirs(out_dir, exist_ok=True)
    table = sprites()
    for name, frames in table:
        sheet = Image.new("RGBA", (32 * len(frames), 32), (0, 0, 0, 0))
        for i, frame in enumerate(frames):
            sheet.alpha_composite(frame, (32 * i, 0))
        sheet.save(os.path.join(out_dir, name + ".png"))
    with open(os.path.join(data_dir, "Graphics", "objects_resourses.xml"), "w", encoding="utf-8") as f:
        f.write(resource_file(table))
    os.makedirs(os.path.dirname(os.path.abspath(review)), exist_ok=True)
    contact_sheet(table).save(review)
    field_picture(table).save(os.path.join(os.path.dirname(os.path.abspath(review)), "field.png"))


if __name__ == "__main__":
    main()
