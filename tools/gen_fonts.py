#!/usr/bin/python3
"""Draws the game's bitmap fonts from DejaVu and writes their resource entries.

    tools/gen_fonts.py [DATA_DIR]

Writes DATA_DIR/Graphics/Fonts/<name>.png (default DATA_DIR: data/) and the
"fonts" block of DATA_DIR/resources.xml. Every glyph is white with
anti-aliased alpha, so a font's colour call gives the exact colour; the
shadowed fonts carry a black drop shadow baked in, which the colour call
leaves black. Each glyph's frame is as wide as its advance, so the text is
spaced as DejaVu spaces it. Deterministic: the same fonts give the same bytes.
"""

import os
import sys

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from resource_blocks import replace_block, xml_attr  # noqa: E402

DEJAVU = "/usr/share/fonts/truetype/dejavu/"
LETTERS = "".join(chr(c) for c in range(33, 127))  # the space is the font's spacelen
PER_ROW = 16

# (resource id, DejaVu face, pixel size, drop shadow)
FONTS = [
    ("my_fnt_1", "DejaVuSans-Bold.ttf", 20, False),
    ("my_fnt_2", "DejaVuSans-Bold.ttf", 16, False),
    ("my_fnt_3", "DejaVuSansCondensed.ttf", 13, False),
    ("my_fnt_4", "DejaVuSans.ttf", 11, False),
    ("my_fnt_1_sh", "DejaVuSans-Bold.ttf", 20, True),
    ("my_fnt_2_sh", "DejaVuSans-Bold.ttf", 16, True),
    ("my_fnt_3_sh", "DejaVuSansCondensed.ttf", 13, True),
    ("my_fnt_4_sh", "DejaVuSans.ttf", 11, True),
    ("Button/font", "DejaVuSans-Bold.ttf", 14, False),  # dialog buttons: "OK" and "Cancel" fit their fixed places
    ("Button/font_big", "DejaVuSans-Bold.ttf", 28, False),
    ("Label/font", "DejaVuSans.ttf", 16, False),
    ("CheckBox/font", "DejaVuSans.ttf", 15, False),
    ("InputBox/font", "DejaVuSans.ttf", 15, False),
    ("ListBox/font", "DejaVuSans.ttf", 14, False),
    ("Window/font", "DejaVuSans-Bold.ttf", 16, False),
]


def sheet_name(font_id):
    return font_id.replace("/", "_").lower()


def render_glyph(font, ch, height, ascent, shadow):
    """One glyph as an RGBA frame: (image, advance)."""
    advance = max(1, int(round(font.getlength(ch))))
    left = font.getbbox(ch, anchor="ls")[0]
    shift = -left if left < 0 else 0  # keep a glyph that starts left of its origin whole
    # The frame is as wide as the advance, shadow or not, so a shadow never widens the text.
    mask = Image.new("L", (advance, height), 0)
    ImageDraw.Draw(mask).text((shift, ascent), ch, font=font, fill=255, anchor="ls")
    glyph = Image.new("RGBA", (advance, height), (0, 0, 0, 0))
    if shadow:
        shade = Image.new("L", (advance, height), 0)
        shade.paste(mask, (1, 1))
        glyph.paste((0, 0, 0, 255), (0, 0), shade)
    glyph.paste((255, 255, 255, 255), (0, 0), mask)
    return glyph, advance


def draw_font(face, size, shadow):
    """The glyph sheet and each letter's (x, y, width), and the frame height and space width."""
    font = ImageFont.truetype(DEJAVU + face, size)
    ascent, descent = font.getmetrics()
    height = ascent + descent + (1 if shadow else 0)
    glyphs = [render_glyph(font, ch, height, ascent, shadow) for ch in LETTERS]
    rows = [glyphs[i:i + PER_ROW] for i in range(0, len(glyphs), PER_ROW)]
    sheet_w = max(sum(w + 1 for _, w in row) for row in rows)
    sheet = Image.new("RGBA", (sheet_w, len(rows) * (height + 1)), (0, 0, 0, 0))
    places = []
    for r, row in enumerate(rows):
        x = 0
        for image, w in row:
            sheet.paste(image, (x, r * (height + 1)))
            places.append((x, r * (height + 1), w))
            x += w + 1
    space = int(round(font.getlength(" ")))
    return sheet, places, height, space


def resource_entries(font_id, places, height, space):
    """The sprite of glyph frames (section "Fonts") and the font over it, as XML lines."""
    sheet = sheet_name(font_id)
    grids = ['<grid pos="%d,%d" size="%d,%d" array="1,1"/>' % (x, y, w, height) for x, y, w in places]
    sprite = ['  <sprite name="%s">' % sheet, '    <image file="Graphics/Fonts/%s.png">' % sheet]
    sprite += ["      " + " ".join(grids[i:i + 6]) for i in range(0, len(grids), 6)]
    sprite += ["    </image>", "  </sprite>"]
    section, _, name = font_id.rpartition("/")
    font = '<font name="%s"><bitmap glyphs="Fonts/%s" letters="%s" spacelen="%d"/></font>' % (
        name, sheet, xml_attr(LETTERS), space)
    if section:
        font = '<section name="%s">%s</section>' % (section, font)
    return sprite, font


def main():
    data_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    out_dir = os.path.join(data_dir, "Graphics", "Fonts")
    os.makedirs(out_dir, exist_ok=True)
    sprites, fonts = [], []
    for font_id, face, size, shadow in FONTS:
        sheet, places, height, space = draw_font(face, size, shadow)
        sheet.save(os.path.join(out_dir, sheet_name(font_id) + ".png"), optimize=False)
        sprite, font = resource_entries(font_id, places, height, space)
        sprites += sprite
        fonts.append(font)
    body = ['<section name="Fonts">'] + sprites + ["</section>"] + fonts
    replace_block(os.path.join(data_dir, "resources.xml"), "fonts", "\n".join(body))


if __name__ == "__main__":
    main()
