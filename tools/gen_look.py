#!/usr/bin/env python3
"""Draws the images of the program's own GUI look and writes the "look" block of
data/resources.xml.

The check box is a rounded box cut in two halves ("CheckBox/left" at the box's corner,
"CheckBox/right" 16 pixels further) with a tick ("CheckBox/ticker") that is drawn 3
pixels left of and 10 above the corner, so it leaps out of the box; the list's scroll
buttons are arrows on the scroll bar's slider colour. Colours come from the look's
palette, read from src/app/style/palette.h, the one the styles paint with. Pure
Python (zlib), deterministic: the same run gives the same bytes.

Usage: gen_look.py [DATA_DIR]   (default: the data/ folder beside tools/)
"""

import os
import re
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from resource_blocks import replace_block  # noqa: E402

PALETTE_HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "app", "style", "palette.h")


def read_palette(path=PALETTE_HEADER):
    """The look's colours as the styles paint them: name -> (r, g, b, a), read from
    the C++ palette's `inline const CL_Color name(r, g, b, a);` lines."""
    pattern = re.compile(r"^inline const CL_Color (\w+)\((\d+), (\d+), (\d+), (\d+)\);", re.M)
    with open(path) as f:
        colours = {m.group(1): tuple(int(v) for v in m.group(2, 3, 4, 5)) for m in pattern.finditer(f.read())}
    if not colours:
        sys.exit("%s: no palette colours found" % path)
    return colours


_PALETTE = read_palette()
OUTLINE = _PALETTE["outline"][:3]
BOX = _PALETTE["box_background"][:3]
TRACK = _PALETTE["scroll_track"][:3]
SLIDER = _PALETTE["scroll_slider"][:3]
TAB = _PALETTE["title_tab"][:3]
# The tick is an image of its own: no style paints these two.
TICK = (226, 255, 190)
TICK_EDGE = (20, 60, 10)

SAMPLES = 4  # supersampling per axis for smooth edges


def write_png(path, width, height, pixels):
    """PIXELS: rows of (r, g, b, a) tuples."""
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)

    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def render(width, height, layers):
    """LAYERS: (inside(x, y) -> bool, (r, g, b), alpha) painted in order over transparency.
    Coverage comes from SAMPLES x SAMPLES points per pixel."""
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            r = g = b = a = 0.0
            for inside, color, alpha in layers:
                hits = sum(1 for sy in range(SAMPLES) for sx in range(SAMPLES)
                           if inside(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES))
                cov = alpha * hits / (SAMPLES * SAMPLES)
                if cov <= 0:
                    continue
                # "over" compositing in premultiplied form
                r = color[0] * cov + r * (1 - cov)
                g = color[1] * cov + g * (1 - cov)
                b = color[2] * cov + b * (1 - cov)
                a = cov + a * (1 - cov)
            if a > 0:
                row.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def rounded(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def ring(outer, inner):
    return lambda x, y: outer(x, y) and not inner(x, y)


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def thick_path(points, half_width):
    """Inside a polyline of width 2 * HALF_WIDTH with round joints."""
    def near(x, y):
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            if (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= half_width ** 2:
                return True
        return False
    return near


# The check box: 24 x 24 in all, split at x = 16; its text starts 4 pixels after it.
BOX_W, BOX_H, SPLIT = 24, 24, 16


def checkbox_halves():
    outer = rounded(0.5, 0.5, BOX_W - 0.5, BOX_H - 0.5, 6)
    inner = rounded(2.0, 2.0, BOX_W - 2.0, BOX_H - 2.0, 4.5)
    shine = rounded(4.0, 4.0, BOX_W - 4.0, 8.0, 2)
    whole = render(BOX_W, BOX_H, [(inner, BOX, 0.75), (shine, TAB, 0.25), (ring(outer, inner), OUTLINE, 1.0)])
    left = [row[:SPLIT] for row in whole]
    right = [row[SPLIT:] for row in whole]
    return left, right


def ticker():
    # Drawn at (-3, -10) from the box's corner: the tick rests in the box and its long
    # stroke leaps out above the top-right corner.
    w, h = 34, 36
    path = [(8.0, 21.0), (14.0, 29.0), (29.0, 5.0)]
    return w, h, render(w, h, [(thick_path(path, 4.6), TICK_EDGE, 0.85), (thick_path(path, 3.0), TICK, 1.0)])


def scroll_button(up):
    size = 18
    body = rounded(0.5, 0.5, size - 0.5, size - 0.5, 3.5)
    edge = ring(body, rounded(1.5, 1.5, size - 1.5, size - 1.5, 2.5))
    if up:
        arrow = polygon([(4.0, 12.0), (9.0, 5.5), (14.0, 12.0)])
    else:
        arrow = polygon([(4.0, 6.0), (9.0, 12.5), (14.0, 6.0)])
    return render(size, size, [(body, SLIDER, 1.0), (edge, OUTLINE, 0.55), (arrow, OUTLINE, 1.0)])


# (section, name, file, pixels, width, height)
def images():
    left, right = checkbox_halves()
    tw, th, tick = ticker()
    return [
        ("CheckBox", "left", "checkbox_left.png", left, SPLIT, BOX_H),
        ("CheckBox", "right", "checkbox_right.png", right, BOX_W - SPLIT, BOX_H),
        ("CheckBox", "ticker", "checkbox_ticker.png", tick, tw, th),
        ("ListBox", "scroll_btn_up", "scroll_btn_up.png", scroll_button(True), 18, 18),
        ("ListBox", "scroll_btn_down", "scroll_btn_down.png", scroll_button(False), 18, 18),
    ]


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    folder = os.path.join(data, "Graphics", "Look")
    os.makedirs(folder, exist_ok=True)
    sections = {}
    for section, name, file_name, pixels, w, h in images():
        write_png(os.path.join(folder, file_name), w, h, pixels)
        sections.setdefault(section, []).append('  <surface name="%s" file="Graphics/Look/%s"/>' % (name, file_name))
    body = "".join('<section name="%s">\n%s\n</section>\n' % (s, "\n".join(lines)) for s, lines in sections.items())
    replace_block(os.path.join(data, "resources.xml"), "look", body)


if __name__ == "__main__":
    main()
