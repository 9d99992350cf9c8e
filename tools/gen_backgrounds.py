#!/usr/bin/python3
"""Draws the four menu backgrounds and writes their resource entries.

    tools/gen_backgrounds.py [DATA_DIR]

Writes DATA_DIR/Graphics/Backgrounds/<name>.png (800x600) and the
"backgrounds" block of DATA_DIR/resources.xml. Each background is a dark board
with circuit traces grown from the corner its name gives, fading out toward
the middle so that buttons and lists read over it; the main menu's also
carries the title. Deterministic: every random choice comes from a seeded
generator.
"""

import math
import os
import random
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gen_sprites import quarkel_gem  # noqa: E402
from pixelkit import Layer, mix  # noqa: E402
from resource_blocks import replace_block  # noqa: E402

W, H = 800, 600
Z = 2  # drawn twice as large, then boxed down for clean lines
CELL = 10  # routing grid of the traces, in pixels

# name -> the corner it decorates (x side, y side), its seed, and its title
# (font size, top, centre x) or None. The titles stay above y = 95, where the
# player choice and the other dialogs open.
BACKGROUNDS = [
    ("menu_right_bottom", ("right", "bottom"), 1, (80, 14, W // 2)),  # main menu
    ("menu_left_top", ("left", "top"), 2, (56, 22, 560)),            # credits, options
    ("menu_left_bottom", ("left", "bottom"), 3, None),               # game menu
    ("menu_right_top", ("right", "top"), 4, None),                   # demos menu
]

TRACE_DARK, TRACE, TRACE_LIGHT = (42, 97, 29), (60, 120, 48), (93, 156, 39)
PAD, GLOW = (175, 205, 148), (152, 211, 101)


def board():
    """The calm ground: a dark green gradient with a faint grid."""
    img = Image.new("RGB", (W, H))
    px = img.load()
    for y in range(H):
        for x in range(W):
            t = (x / W * 0.4 + y / H * 0.6)
            c = mix((4, 14, 8), (10, 28, 16), t)
            if x % 40 == 0 or y % 40 == 0:
                c = mix(c, (24, 52, 28), 0.35)
            px[x, y] = c
    return img


def corner_weight(x, y, corner):
    """1 at the decorated corner, falling to 0 some 560 pixels away."""
    cx = W if corner[0] == "right" else 0
    cy = H if corner[1] == "bottom" else 0
    d = math.hypot(x - cx, y - cy)
    return max(0.0, 1.0 - d / 560.0) ** 1.4


def cpu_box(corner):
    """The big chip sitting in the corner, partly off screen: (x0, y0, x1, y1) on the grid."""
    size = 15  # cells
    c0 = (W // CELL - size + 4) if corner[0] == "right" else -4
    r0 = (H // CELL - size + 4) if corner[1] == "bottom" else -4
    return c0, r0, c0 + size, r0 + size


def traces(corner, seed):
    """Traces routed on a grid: fanned out from the corner chip's pins and run in from the
    corner's two edges, each ending in a pad, none crossing another."""
    rnd = random.Random(seed)
    cols, rows = W // CELL, H // CELL
    sx = -1 if corner[0] == "right" else 1
    sy = -1 if corner[1] == "bottom" else 1
    c0, r0, c1, r1 = cpu_box(corner)
    taken = {(c, r) for c in range(c0 - 1, c1 + 1) for r in range(r0 - 1, r1 + 1)}
    for x, y, w, h in chips(corner, seed):  # the small chips keep their ground, pins and all
        taken |= {(c, r) for c in range(int(x // CELL) - 1, int((x + w) // CELL) + 2)
                  for r in range(int(y // CELL) - 1, int((y + h) // CELL) + 2)}
    starts = []
    inner_x = c0 - 2 if sx < 0 else c1 + 1  # the chip's sides that face the screen
    inner_y = r0 - 2 if sy < 0 else r1 + 1
    for r in range(r0 + 1, r1 - 1):
        if 0 <= r < rows:
            starts.append((inner_x, r, sx, 0))
    for c in range(c0 + 1, c1 - 1):
        if 0 <= c < cols:
            starts.append((c, inner_y, 0, sy))
    for i in range(90):  # along the screen's edges near the corner
        if i % 2 == 0:
            c = rnd.randint(0, cols // 2 + 10)
            starts.append(((cols - 1 - c) if sx < 0 else c, rows - 1 if sy < 0 else 0, 0, sy))
        else:
            r = rnd.randint(0, rows // 2 + 12)
            starts.append((cols - 1 if sx < 0 else 0, (rows - 1 - r) if sy < 0 else r, sx, 0))
    paths = []
    for c, r, dx, dy in starts:
        if (c, r) in taken or not (0 <= c < cols and 0 <= r < rows):
            continue
        path = [(c, r)]
        taken.add((c, r))
        length = rnd.randint(6, 46)
        for step in range(length):
            if step > 2 and rnd.random() < 0.2:  # a 45-degree bend, mostly toward the inside
                if dx == 0:
                    dx = sx if rnd.random() < 0.7 else -sx
                elif dy == 0:
                    dy = sy if rnd.random() < 0.7 else -sy
                elif rnd.random() < 0.5:
                    dx = 0
                else:
                    dy = 0
            nc, nr = c + dx, r + dy
            if not (0 <= nc < cols and 0 <= nr < rows) or (nc, nr) in taken:
                break
            if dx and dy and ((c + dx, r) in taken and (c, r + dy) in taken):
                break  # would cut across a diagonal neighbour
            c, r = nc, nr
            path.append((c, r))
            taken.add((c, r))
        if len(path) > 2:
            paths.append(path)
    return paths


def chips(corner, seed):
    """A few chips near the corner: (x, y, w, h)."""
    rnd = random.Random(seed + 100)
    out = []
    for _ in range(3):
        w, h = rnd.choice(((60, 36), (44, 44), (80, 30)))
        d1, d2 = rnd.uniform(40, 190), rnd.uniform(30, 150)
        x = W - d1 - w if corner[0] == "right" else d1
        y = H - d2 - h if corner[1] == "bottom" else d2
        if all(abs(x - ox) > w + ow + 10 or abs(y - oy) > h + oh + 10 for ox, oy, ow, oh in out):
            out.append((x, y, w, h))
    return out


def decoration(corner, seed):
    """The corner's circuit as an RGBA layer at full strength (fading comes after)."""
    big = Image.new("RGBA", (W * Z, H * Z), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)

    def pt(c, r):
        return ((c + 0.5) * CELL * Z, (r + 0.5) * CELL * Z)

    paths = traces(corner, seed)
    for path in paths:
        d.line([pt(c, r) for c, r in path], fill=TRACE_DARK + (255,), width=4 * Z, joint="curve")
    for path in paths:
        d.line([pt(c, r) for c, r in path], fill=TRACE + (255,), width=2 * Z, joint="curve")
        d.line([(x - Z * 0.5, y - Z * 0.5) for x, y in (pt(c, r) for c, r in path)],
               fill=TRACE_LIGHT + (150,), width=Z, joint="curve")
        x, y = pt(*path[-1])
        d.ellipse([x - 4.5 * Z, y - 4.5 * Z, x + 4.5 * Z, y + 4.5 * Z], fill=PAD + (255,))
        d.ellipse([x - 2 * Z, y - 2 * Z, x + 2 * Z, y + 2 * Z], fill=(8, 20, 10, 255))
    for x, y, w, h in chips(corner, seed):
        x, y, w, h = x * Z, y * Z, w * Z, h * Z
        for i in range(int(w / (8 * Z))):
            px = x + 4 * Z + i * 8 * Z
            d.rectangle([px, y - 4 * Z, px + 3 * Z, y + h + 4 * Z], fill=(170, 176, 170, 255))
        d.rectangle([x, y, x + w, y + h], fill=(18, 22, 20, 255), outline=(60, 72, 64, 255), width=Z)
        d.ellipse([x + 4 * Z, y + 4 * Z, x + 9 * Z, y + 9 * Z], fill=(44, 52, 48, 255))
        for i in range(2):
            d.line([(x + 14 * Z, y + (10 + i * 7) * Z), (x + w - 10 * Z, y + (10 + i * 7) * Z)],
                   fill=(80, 96, 84, 255), width=Z)
    c0, r0, c1, r1 = cpu_box(corner)
    x0, y0, x1, y1 = c0 * CELL * Z, r0 * CELL * Z, c1 * CELL * Z, r1 * CELL * Z
    for i in range(c0 + 1, c1 - 1):  # pins on all four sides, one per grid cell
        px = (i + 0.5) * CELL * Z
        d.rectangle([px - 2 * Z, y0 - 7 * Z, px + 2 * Z, y1 + 7 * Z], fill=(176, 182, 172, 255))
        py = (r0 + (i - c0) + 0.5) * CELL * Z
        d.rectangle([x0 - 7 * Z, py - 2 * Z, x1 + 7 * Z, py + 2 * Z], fill=(176, 182, 172, 255))
    d.rectangle([x0, y0, x1, y1], fill=(20, 26, 22, 255), outline=(70, 86, 74, 255), width=2 * Z)
    for i in range(12):  # the die, lit from inside
        k = i / 11.0
        inset = (30 + i * 3) * Z
        d.rectangle([x0 + inset, y0 + inset, x1 - inset, y1 - inset], fill=mix((30, 40, 32), (70, 120, 60), k) + (255,))
    layer = big.convert("RGBa").resize((W, H), Image.BOX).convert("RGBA")
    neon = Image.new("RGBA", (W, H), GLOW + (0,))
    neon.putalpha(layer.getchannel("A").filter(ImageFilter.GaussianBlur(4)).point(lambda v: v * 0.35))
    neon.alpha_composite(layer)
    layer = neon
    # light where the current runs: soft glows on some pads
    rnd = random.Random(seed + 200)
    glow = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    g = ImageDraw.Draw(glow)
    for path in paths:
        if rnd.random() < 0.35:
            x, y = ((path[-1][0] + 0.5) * CELL, (path[-1][1] + 0.5) * CELL)
            g.ellipse([x - 14, y - 14, x + 14, y + 14], fill=GLOW + (120,))
    glow = glow.filter(ImageFilter.GaussianBlur(7))
    glow.alpha_composite(layer)
    return glow


def faded_by_corner(layer, corner):
    alpha = Image.new("L", (W, H))
    ap = alpha.load()
    src = layer.getchannel("A").load()
    for y in range(H):
        for x in range(W):
            ap[x, y] = int(src[x, y] * corner_weight(x, y, corner))
    out = layer.copy()
    out.putalpha(alpha)
    return out


def title(img, size, top_y, centre_x):
    """KARVOLT in lit green metal with a glow, `size` points high, its top at top_y."""
    font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", size)
    text = "KARVOLT"
    left, top, right, bottom = font.getbbox(text)
    tw, th = right - left, bottom - top
    x0, y0 = centre_x - tw // 2 - left, top_y - top
    mask = Image.new("L", (W, H), 0)
    ImageDraw.Draw(mask).text((x0, y0), text, font=font, fill=255)
    halo = Image.new("RGBA", (W, H), GLOW + (0,))
    halo.putalpha(mask.filter(ImageFilter.MaxFilter(9)).filter(ImageFilter.GaussianBlur(12)).point(
        lambda v: v * 0.55))
    img.alpha_composite(halo)
    edge = Image.new("RGBA", (W, H), (6, 20, 8, 0))
    edge.putalpha(mask.filter(ImageFilter.MaxFilter(7)))
    img.alpha_composite(edge)
    fill = Image.new("RGBA", (W, H))
    fp = fill.load()
    bottom_y = top_y + th
    for y in range(max(0, top_y - 4), min(H, bottom_y + 6)):
        t = (y - top_y) / max(1, th)
        # bright at the top, a dark band across the middle, lit again below: brushed metal
        c = mix((236, 250, 214), (120, 190, 70), min(1, t * 1.6)) if t < 0.55 else \
            mix((60, 120, 48), (175, 205, 148), (t - 0.55) / 0.45)
        for x in range(W):
            fp[x, y] = c + (255,)
    fill.putalpha(mask)
    img.alpha_composite(fill)
    line = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    gap = size * 18 // 112
    ImageDraw.Draw(line).line([(centre_x - tw // 2, bottom_y + gap), (centre_x + tw // 2, bottom_y + gap)],
                              fill=TRACE_LIGHT + (200,), width=3)
    img.alpha_composite(line)


def mascot(img, corner):
    """A large Pellik watching from the main menu's corner, a Quarkel beside it."""
    lay = Layer(180, 190)
    for fx in (52, 128):
        lay.ellipse(fx, 172, 24, 13, (236, 124, 44))
    lay.sphere(90, 96, 70, (200, 228, 62))
    for ex in (64, 112):
        lay.ellipse(ex, 74, 15, 18, (252, 252, 242))
        lay.circle(ex - 5, 70, 8, (22, 22, 34))
        lay.circle(ex - 8, 66, 3, (255, 255, 255))
    lay.d.arc([60 * 4, 100 * 4, 120 * 4, 136 * 4], 20, 160, fill=(22, 22, 34, 255), width=20)
    x = W - 180 - 96 if corner[0] == "right" else 96
    y = H - 190 - 6 if corner[1] == "bottom" else 6
    gem = quarkel_gem(10, 0.9, 96)
    halo = Image.new("RGBA", (96, 96), (90, 220, 255, 0))
    halo.putalpha(gem.getchannel("A").filter(ImageFilter.MaxFilter(9)).filter(ImageFilter.GaussianBlur(10))
                  .point(lambda v: v * 0.6))
    halo.alpha_composite(gem)
    img.alpha_composite(halo, (x - 80, y + 70))
    img.alpha_composite(lay.down(), (x, y))


def background(corner, seed, with_mascot, heading):
    img = board().convert("RGBA")
    img.alpha_composite(faded_by_corner(decoration(corner, seed), corner))
    if with_mascot:
        mascot(img, corner)
    if heading:
        title(img, *heading)
    return img.convert("RGB")


def main():
    data_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    out_dir = os.path.join(data_dir, "Graphics", "Backgrounds")
    os.makedirs(out_dir, exist_ok=True)
    entries = []
    for name, corner, seed, heading in BACKGROUNDS:
        background(corner, seed, name == "menu_right_bottom", heading).save(os.path.join(out_dir, name + ".png"))
        entries.append('<sprite name="%s"><image file="Graphics/Backgrounds/%s.png">'
                       '<grid pos="0,0" size="%d,%d" array="1,1"/></image></sprite>' % (name, name, W, H))
    replace_block(os.path.join(data_dir, "resources.xml"), "backgrounds", "\n".join(entries))


if __name__ == "__main__":
    main()
