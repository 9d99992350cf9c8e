#!/usr/bin/python3
"""Draws whole level maps from a set's text source, with the first frame of
each object's sprite, so a level larger than the game window can be seen at
once.

    tools/level_map.py SOURCE.txt FIRST LAST OUTPUT.png [--cell N] [--tiles N]

SOURCE is a level-set source (data/Levels/src/*.txt); FIRST and LAST are 0-based
level numbers, both included, drawn one under the other with their titles.
N is the size of a cell in pixels (default: 16, or less for big fields so a
map stays within 2048 pixels). Invisible walls are drawn as a dotted outline,
which the game never shows. With --tiles N each cell is a plain square of N
pixels in its sprite's mean colour (Pellik, the exit and the enemies in
bright marks of their own), so even a 256 x 256 field fits one picture.
"""
import argparse
import os

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OBJECTS = os.path.join(ROOT, "data", "Graphics", "Objects")
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
CAPTION = 24

# Map character -> (sprite sheet, frame); see game/level/level_writer.h.
TILES = {
    "#": ("hardware", 0), ".": ("base", 0), "O": ("grobble", 0), "R": ("ram", 0),
    "q": ("quarkel", 0), "E": ("exit", 0), "T": ("terminal", 0), "y": ("disk_yellow", 0),
    "r": ("disk_red", 0), "o": ("disk_orange", 0), "B": ("base", 0), "P": ("pellik", 0),
    "G": ("gnarrow_moving_left", 0), "e": ("electron_moving_left", 0),
    ">": ("port_l_to_r", 0), "<": ("port_r_to_l", 0), "v": ("port_u_to_d", 0), "^": ("port_d_to_u", 0),
    "-": ("port_horizontal", 0), "|": ("port_vertical", 0), "+": ("port_cross", 0),
}
for k, ch in enumerate("1234567890"):
    TILES[ch] = ("hardware", k + 1)


def levels(path):
    """(title, switches line, rows) of each level in the source."""
    out, title, notes, rows, in_map = [], "", [], [], False
    with open(path) as f:
        for line in f:
            line = line.rstrip("\n")
            if in_map:
                if line == "end":
                    out.append((title, " ".join(notes), rows))
                    in_map, rows, notes = False, [], []
                else:
                    rows.append(line)
            elif line.startswith("title: "):
                title = line[7:]
            elif line.startswith(("quota: ", "gravity: on", "freeze: on", "port: ")):
                notes.append(line)
            elif line == "map:":
                in_map = True
    return out


class Sprites:
    def __init__(self, cell):
        self.cell, self.cache = cell, {}

    def get(self, name, frame):
        key = (name, frame)
        if key not in self.cache:
            sheet = Image.open(os.path.join(OBJECTS, name + ".png")).convert("RGBA")
            frame = min(frame, sheet.width // 32 - 1)
            tile = sheet.crop((32 * frame, 0, 32 * frame + 32, 32))
            self.cache[key] = tile.resize((self.cell, self.cell), Image.LANCZOS)
        return self.cache[key]


def draw_map(rows, cell, sprites):
    w, h = len(rows[0]), len(rows)
    img = Image.new("RGBA", (w * cell, h * cell), (0, 0, 0, 255))
    draw = ImageDraw.Draw(img)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch in TILES:
                tile = sprites.get(*TILES[ch])
                img.alpha_composite(tile, (x * cell, y * cell))
            if ch == "B":  # a bug sits in base: mark it
                draw.ellipse((x * cell + cell // 4, y * cell + cell // 4, x * cell + 3 * cell // 4,
                              y * cell + 3 * cell // 4), outline=(120, 200, 255), width=max(1, cell // 8))
            elif ch == "W":
                for k in range(0, cell, 3):
                    draw.point([(x * cell + k, y * cell), (x * cell + k, y * cell + cell - 1),
                                (x * cell, y * cell + k), (x * cell + cell - 1, y * cell + k)], fill=(90, 90, 110))
    return img


# Plain colours of the small tiles that must stand out at a few pixels a cell.
MARKS = {"P": (255, 255, 0), "E": (255, 60, 200), "G": (255, 90, 40), "e": (80, 255, 255),
         "B": (120, 200, 255), "W": (90, 90, 110)}


def mean_colour(sprites, name, frame):
    """The sprite frame's mean colour over black, as the game shows it."""
    tile = sprites.get(name, frame)
    base = Image.new("RGBA", tile.size, (0, 0, 0, 255))
    base.alpha_composite(tile)
    return base.convert("RGB").resize((1, 1), Image.BOX).getpixel((0, 0))


def draw_tiles(rows, cell, sprites):
    """The whole map at `cell` pixels a cell, one flat colour a tile."""
    w, h = len(rows[0]), len(rows)
    colours = {}
    img = Image.new("RGB", (w * cell, h * cell), (0, 0, 0))
    draw = ImageDraw.Draw(img)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch not in colours:
                colours[ch] = MARKS.get(ch) or (mean_colour(sprites, *TILES[ch]) if ch in TILES else None)
            if colours[ch]:
                draw.rectangle((x * cell, y * cell, x * cell + cell - 1, y * cell + cell - 1), fill=colours[ch])
    return img


def main():
    parser = argparse.ArgumentParser(description="whole level maps from a set's source")
    parser.add_argument("source")
    parser.add_argument("first", type=int)
    parser.add_argument("last", type=int)
    parser.add_argument("output")
    parser.add_argument("--cell", type=int, default=0)
    parser.add_argument("--tiles", type=int, default=0, help="flat squares of this many pixels a cell")
    a = parser.parse_args()
    chosen = levels(a.source)[a.first:a.last + 1]
    if not chosen:
        parser.error("no level in that range")
    widest = max(len(rows[0]) for _, _, rows in chosen)
    if a.tiles:
        sprites = Sprites(8)
        maps = [draw_tiles(rows, a.tiles, sprites) for _, _, rows in chosen]
    else:
        cell = a.cell or max(2, min(16, 2048 // widest))
        sprites = Sprites(cell)
        maps = [draw_map(rows, cell, sprites) for _, _, rows in chosen]
    width = max(m.width for m in maps) + 16
    height = sum(m.height + CAPTION + 16 for m in maps) + 8
    out = Image.new("RGB", (width, height), (24, 26, 32))
    draw = ImageDraw.Draw(out)
    font = ImageFont.truetype(FONT, 15)
    y = 8
    for n, ((title, notes, rows), m) in enumerate(zip(chosen, maps), a.first):
        draw.text((8, y), "%d  %s   (%d x %d) %s" % (n + 1, title, len(rows[0]), len(rows), notes),
                  fill=(235, 235, 220), font=font)
        out.paste(m.convert("RGB"), (8, y + CAPTION))
        y += m.height + CAPTION + 16
    out.save(a.output)


if __name__ == "__main__":
    main()
