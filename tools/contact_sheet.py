#!/usr/bin/python3
"""Draws the start of a range of levels side by side, as a player first sees
each one, so a chapter can be looked at in one picture.

    tools/contact_sheet.py BUILD_DIR SETFILE FIRST LAST OUTPUT.png [--columns N]

SETFILE is a level set under data/Levels (e.g. karvolt.dat); FIRST and LAST are
0-based level numbers, both included. Each picture is karvolt-trace's --shot of
the level's first tick (the field and the HUD at 800 x 600), shrunk, with the
level's number and title under it. Needs an X display; without one it runs
itself again under xvfb-run.
"""
import argparse
import os
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "data")
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
THUMB = (400, 300)
CAPTION = 26
GAP = 8


def titles(setfile):
    """The titles in the set's text source, in level order."""
    stem = os.path.splitext(os.path.basename(setfile))[0]
    src = os.path.join(DATA, "Levels", "src", stem + ".txt")
    with open(src) as f:
        return [line[len("title: "):].rstrip("\n") for line in f if line.startswith("title: ")]


def shot(trace, setfile, number, path):
    out = subprocess.run([trace, setfile, str(number), "1", "0", "1", "--shot", path],
                         cwd=DATA, capture_output=True, text=True, timeout=60)
    if out.returncode != 0 or not os.path.exists(path):
        raise RuntimeError("level %d: karvolt-trace --shot failed (%d): %s"
                           % (number, out.returncode, out.stderr.strip()))


def sheet(build_dir, setfile, first, last, output, columns):
    trace = os.path.join(os.path.abspath(build_dir), "tools", "karvolt-trace")
    setpath = os.path.join(DATA, "Levels", setfile)
    names = titles(setpath)
    numbers = list(range(first, last + 1))
    rows = (len(numbers) + columns - 1) // columns
    cell_w, cell_h = THUMB[0] + GAP, THUMB[1] + CAPTION + GAP
    out = Image.new("RGB", (columns * cell_w + GAP, rows * cell_h + GAP), (24, 26, 32))
    draw = ImageDraw.Draw(out)
    font = ImageFont.truetype(FONT, 16)
    with tempfile.TemporaryDirectory() as tmp:
        for k, n in enumerate(numbers):
            path = os.path.join(tmp, "%d.png" % n)
            shot(trace, setpath, n, path)
            x, y = GAP + (k % columns) * cell_w, GAP + (k // columns) * cell_h
            out.paste(Image.open(path).convert("RGB").resize(THUMB, Image.LANCZOS), (x, y))
            title = names[n] if n < len(names) else ""
            draw.text((x + 2, y + THUMB[1] + 4), "%d  %s" % (n + 1, title), fill=(235, 235, 220), font=font)
    out.save(output)


def main(argv):
    parser = argparse.ArgumentParser(description="the start of a range of levels in one picture")
    parser.add_argument("build_dir")
    parser.add_argument("setfile")
    parser.add_argument("first", type=int)
    parser.add_argument("last", type=int)
    parser.add_argument("output")
    parser.add_argument("--columns", type=int, default=4)
    a = parser.parse_args(argv[1:])
    if not os.environ.get("DISPLAY"):
        return subprocess.call(["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", sys.executable] + argv)
    sheet(a.build_dir, a.setfile, a.first, a.last, os.path.abspath(a.output), a.columns)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
