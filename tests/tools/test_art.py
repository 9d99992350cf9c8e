#!/usr/bin/python3
"""The shipped art: the generators give back exactly the committed files, every
sprite the game asks for is there with the frames its drawing reaches, every
font sheet has a glyph for each printable letter, and the menu backgrounds
are there at the window's size.

    test_art.py SOURCE_DIR
"""
import filecmp
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

from PIL import Image

ROOT = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
DATA = os.path.join(ROOT, "data")
TOOLS = os.path.join(ROOT, "tools")

# The sprites the game loads, by slot, with the frames the drawing can select
# (a step is 16 ticks; a sprite with too few frames silently shows its last).
NEEDED = {
    "pellik_moving_left": 16, "pellik_moving_right": 16, "pellik_moving_up": 16, "pellik_moving_down": 16,
    "pellik_eating_left": 8, "pellik_eating_right": 8, "pellik_eating_up": 8, "pellik_eating_down": 8,
    "pellik_pushing_left": 1, "pellik_pushing_right": 1, "pellik_pushing_up": 1, "pellik_pushing_down": 1,
    "pellik": 1, "pellik_seting_red_disk": 1,
    "gnarrow_moving_left": 7, "gnarrow_moving_right": 7, "gnarrow_moving_up": 7, "gnarrow_moving_down": 7,
    "gnarrow_rotating_left_to_up": 2, "gnarrow_rotating_up_to_right": 2,
    "gnarrow_rotating_right_to_down": 2, "gnarrow_rotating_down_to_left": 2,
    "electron_moving_left": 4, "electron_moving_right": 4, "electron_moving_up": 4, "electron_moving_down": 4,
    "electron_rotating_left_to_up": 2, "electron_rotating_up_to_right": 2,
    "electron_rotating_right_to_down": 2, "electron_rotating_down_to_left": 2,
    "terminal": 16,           # animation counter 0..255, a frame per 16
    "nothing": 1,
    "hardware": 11,           # wall variants 0..10
    "ram": 5,                 # chip variants 0..4
    "disk_red": 16,           # eaten over 16 ticks
    "disk_yellow": 1, "disk_orange": 1,
    "grobble": 16,            # a roll
    "base": 1,
    "base_charging": 15,      # a bug sparks 90 ticks, a frame per 6
    "base_eating": 16,
    "exit": 2,                # closed, open
    "explosion": 16, "exploding_quarkel": 16,  # 64 ticks, a frame per 4
    "quarkel": 16, "quarkel_tumb": 1, "quarkel_eating": 16,
    "port_cross": 1, "port_l_to_r": 1, "port_r_to_l": 1, "port_u_to_d": 1, "port_d_to_u": 1,
    "port_horizontal": 1, "port_vertical": 1,
}

GAME_FONTS = ["my_fnt_1", "my_fnt_2", "my_fnt_3", "my_fnt_4", "my_fnt_1_sh", "my_fnt_2_sh", "my_fnt_3_sh",
              "my_fnt_4_sh"]
LOOK_FONTS = ["Button/font", "Button/font_big", "Label/font", "CheckBox/font", "InputBox/font", "ListBox/font",
              "Window/font"]
BACKGROUNDS = ["menu_right_bottom", "menu_left_top", "menu_left_bottom", "menu_right_top"]


def named(root, tag):
    """Every element of TAG under ROOT by its full resource name (sections joined with '/')."""
    found = {}

    def walk(node, prefix):
        for child in node:
            if child.tag == "section":
                walk(child, prefix + child.get("name") + "/")
            elif child.tag == tag:
                found[prefix + child.get("name")] = child
    walk(root, "")
    return found


def frames_of(sprite, folder):
    """(image, [(x, y, w, h)]) of a sprite resource, as ClanLib cuts its frames."""
    image = sprite.find("image")
    img = Image.open(os.path.join(folder, image.get("file")))
    boxes = []
    for grid in image.findall("grid"):
        x, y = map(int, grid.get("pos").split(","))
        w, h = map(int, grid.get("size").split(","))
        nx, ny = map(int, grid.get("array").split(","))
        boxes += [(x + i * w, y + j * h, w, h) for j in range(ny) for i in range(nx)]
    return img, boxes


def regenerate(tool, out_dir, *extra):
    subprocess.run([sys.executable, os.path.join(TOOLS, tool), out_dir] + list(extra), check=True)


def differing(committed, fresh):
    """Files of the committed folder that the fresh one lacks or has with other bytes."""
    cmp = filecmp.dircmp(committed, fresh)
    bad = cmp.left_only + cmp.right_only
    bad += [f for f in cmp.common_files if not filecmp.cmp(os.path.join(committed, f), os.path.join(fresh, f),
                                                           shallow=False)]
    return sorted(bad)


class Generators(unittest.TestCase):
    """Rerun into a scratch folder, each generator writes the committed bytes."""

    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        shutil.copy(os.path.join(DATA, "resources.xml"), self.tmp)

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def test_fonts(self):
        regenerate("gen_fonts.py", self.tmp)
        self.assertEqual(differing(os.path.join(DATA, "Graphics", "Fonts"),
                                   os.path.join(self.tmp, "Graphics", "Fonts")), [])
        self.assertTrue(filecmp.cmp(os.path.join(DATA, "resources.xml"), os.path.join(self.tmp, "resources.xml"),
                                    shallow=False))

    def test_sprites(self):
        review = os.path.join(self.tmp, "sprites.png")
        regenerate("gen_sprites.py", self.tmp, review)
        self.assertEqual(differing(os.path.join(DATA, "Graphics", "Objects"),
                                   os.path.join(self.tmp, "Graphics", "Objects")), [])
        self.assertTrue(filecmp.cmp(os.path.join(DATA, "Graphics", "objects_resourses.xml"),
                                    os.path.join(self.tmp, "Graphics", "objects_resourses.xml"), shallow=False))
        for picture in ("sprites.png", "field.png"):
            self.assertTrue(filecmp.cmp(os.path.join(TOOLS, "review", picture), os.path.join(self.tmp, picture),
                                        shallow=False), picture)

    def test_backgrounds(self):
        regenerate("gen_backgrounds.py", self.tmp)
        self.assertEqual(differing(os.path.join(DATA, "Graphics", "Backgrounds"),
                                   os.path.join(self.tmp, "Graphics", "Backgrounds")), [])
        self.assertTrue(filecmp.cmp(os.path.join(DATA, "resources.xml"), os.path.join(self.tmp, "resources.xml"),
                                    shallow=False))


class ObjectSprites(unittest.TestCase):
    def test_every_sprite_has_the_frames_its_drawing_reaches(self):
        folder = os.path.join(DATA, "Graphics")
        sprites = named(ET.parse(os.path.join(folder, "objects_resourses.xml")).getroot(), "sprite")
        self.assertEqual(sorted(sprites), sorted("Graphics/Objects/" + n for n in NEEDED))
        for name, need in NEEDED.items():
            img, boxes = frames_of(sprites["Graphics/Objects/" + name], folder)
            self.assertGreaterEqual(len(boxes), need, name)
            for x, y, w, h in boxes:
                self.assertEqual((w, h), (32, 32), name)
                self.assertLessEqual((x + w, y + h), img.size, name)
            # A frame left empty would make the object vanish for a tick.
            if name != "nothing":
                for x, y, w, h in boxes:
                    self.assertIsNotNone(img.convert("RGBA").crop((x, y, x + w, y + h)).getbbox(), name)

    def test_animations_change_from_frame_to_frame(self):
        folder = os.path.join(DATA, "Graphics")
        sprites = named(ET.parse(os.path.join(folder, "objects_resourses.xml")).getroot(), "sprite")
        for name, need in NEEDED.items():
            img, boxes = frames_of(sprites["Graphics/Objects/" + name], folder)
            cuts = [img.convert("RGBA").crop((x, y, x + w, y + h)).tobytes() for x, y, w, h in boxes]
            for i in range(1, len(cuts)):  # a still frame in an animation reads as a stall
                self.assertTrue(cuts[i - 1] != cuts[i], "%s: frames %d and %d alike" % (name, i - 1, i))


class Fonts(unittest.TestCase):
    def test_every_font_has_a_glyph_for_every_printable_letter(self):
        root = ET.parse(os.path.join(DATA, "resources.xml")).getroot()
        fonts, sprites = named(root, "font"), named(root, "sprite")
        self.assertEqual(sorted(fonts), sorted(GAME_FONTS + LOOK_FONTS))
        for name, font in fonts.items():
            bitmap = font.find("bitmap")
            letters = bitmap.get("letters")
            self.assertEqual(letters, "".join(chr(c) for c in range(33, 127)), name)
            self.assertGreater(int(bitmap.get("spacelen")), 0, name)
            img, boxes = frames_of(sprites[bitmap.get("glyphs")], DATA)
            self.assertEqual(len(boxes), len(letters), name)
            heights = {h for _, _, _, h in boxes}
            self.assertEqual(len(heights), 1, name + ": glyphs of different heights")
            for letter, (x, y, w, h) in zip(letters, boxes):
                glyph = img.crop((x, y, x + w, y + h))
                self.assertIsNotNone(glyph.getbbox(), "%s: '%s' is blank" % (name, letter))
                # white ink, so a colour call gives exact colours; a shadow adds black and the
                # greys where the ink's edge lies over it, never a hue
                colours = {px[:3] for px in glyph.getdata() if px[3] > 0}
                if name.endswith("_sh"):
                    self.assertTrue(all(r == g == b for r, g, b in colours), "%s: '%s'" % (name, letter))
                    self.assertIn((255, 255, 255), colours, "%s: '%s'" % (name, letter))
                else:
                    self.assertEqual(colours, {(255, 255, 255)}, "%s: '%s'" % (name, letter))

    def test_sizes_follow_their_use(self):
        root = ET.parse(os.path.join(DATA, "resources.xml")).getroot()
        fonts, sprites = named(root, "font"), named(root, "sprite")

        def height(name):
            return frames_of(sprites[fonts[name].find("bitmap").get("glyphs")], DATA)[1][0][3]
        self.assertLess(height("my_fnt_4_sh"), height("my_fnt_3_sh"))
        self.assertLessEqual(height("my_fnt_3_sh"), 20)  # two HUD rows 20 pixels apart
        self.assertLess(height("Button/font"), height("Button/font_big"))


class Backgrounds(unittest.TestCase):
    def test_four_backgrounds_at_window_size(self):
        root = ET.parse(os.path.join(DATA, "resources.xml")).getroot()
        sprites = named(root, "sprite")
        for name in BACKGROUNDS:
            self.assertIn(name, sprites)
            img, boxes = frames_of(sprites[name], DATA)
            self.assertEqual(boxes, [(0, 0, 800, 600)], name)
            self.assertEqual(img.size, (800, 600), name)


if __name__ == "__main__":
    unittest.main()
