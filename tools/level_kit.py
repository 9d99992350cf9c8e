"""The pieces a level is made of: the canvas it is drawn on, the level with
its title, switches and solution walk, and the walk's key runs. The level sets
(tools/gen_levels.py) and each chapter of the campaign (tools/levels_*.py)
draw their levels with these."""

STEP = 16  # ticks of one Pellik step
KEY = {"L": 1, "U": 2, "R": 4, "D": 8}


class Canvas:
    """A level map; (x, y) is column, row. The outer ring is hardware."""

    def __init__(self, width, height, fill=" "):
        self.w, self.h = width, height
        self.cells = [[fill] * width for _ in range(height)]
        self.rect(0, 0, width - 1, height - 1, "#", filled=False)

    def put(self, x, y, c):
        if not (0 <= x < self.w and 0 <= y < self.h):
            raise ValueError("(%d, %d) lies outside the map" % (x, y))
        self.cells[y][x] = c
        return self

    def rect(self, x0, y0, x1, y1, c, filled=True):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if filled or x in (x0, x1) or y in (y0, y1):
                    self.put(x, y, c)
        return self

    def hline(self, x0, x1, y, c):
        return self.rect(x0, y, x1, y, c)

    def vline(self, x, y0, y1, c):
        return self.rect(x, y0, x, y1, c)

    def stamp(self, x, y, rows):
        """Copies a small picture with its top left corner at (x, y)."""
        for dy, row in enumerate(rows):
            for dx, c in enumerate(row):
                self.put(x + dx, y + dy, c)
        return self

    def rows(self):
        for y in (0, self.h - 1):
            if any(c != "#" for c in self.cells[y]):
                raise ValueError("the outer ring must be hardware")
        for row in self.cells:
            if row[0] != "#" or row[-1] != "#":
                raise ValueError("the outer ring must be hardware")
        return ["".join(r) for r in self.cells]


def picture(rows, fill="#"):
    """A canvas from a full picture; every row must have the same width."""
    width = len(rows[0])
    for i, r in enumerate(rows):
        if len(r) != width:
            raise ValueError("picture row %d is %d wide, not %d" % (i, len(r), width))
    c = Canvas(width, len(rows))
    c.stamp(0, 0, rows)
    return c


class Level:
    def __init__(self, title, teaches, canvas, walk, quota=0, gravity=False, freeze=False, ports=()):
        if len(title) > 23:
            raise ValueError("title too long: " + title)
        self.title, self.teaches, self.canvas, self.walk = title, teaches, canvas, walk
        self.quota, self.gravity, self.freeze, self.ports = quota, gravity, freeze, list(ports)

    def source(self):
        out = ["level:", "# " + self.teaches, "title: " + self.title, "quota: %d" % self.quota,
               "gravity: " + ("on" if self.gravity else "off"), "freeze: " + ("on" if self.freeze else "off")]
        for x, y, switches in self.ports:
            out.append("port: %d %d %s" % (x, y, switches))
        out.append("map:")
        out.extend(self.canvas.rows())
        out.append("end")
        return "\n".join(out) + "\n"


def key_runs(walk, until=None):
    """The walk as (mask, ticks) runs, neighbours of one mask merged. `until`
    (runs so far, mask, (x, y)) gives the ticks of an R@x,y token."""
    runs = []
    for tok in walk.split():
        head, rest = tok[0], tok[1:]
        if head in KEY and rest.startswith("@"):
            x, y = (int(v) for v in rest[1:].split(","))
            mask, n = KEY[head], until(list(runs), KEY[head], (x, y))
        elif head in KEY:
            mask, n = KEY[head], STEP * (int(rest) if rest else 1)
        elif head == "W":
            mask, n = 0, int(rest)
        elif head == "K":
            m, t = rest.split("x")
            mask, n = int(m), int(t)
        else:
            raise ValueError("unknown walk token " + tok)
        if runs and runs[-1][0] == mask:
            runs[-1] = (mask, runs[-1][1] + n)
        else:
            runs.append((mask, n))
    return runs


def room(x0, y0, rows, fill="#", plate="1"):
    """A 60 x 24 field of hardware with the picture `rows` at (x0, y0); the
    hardware that borders the picture's open cells is drawn as wall plates,
    so the rooms look built."""
    c = Canvas(60, 24, fill)
    c.stamp(x0, y0, rows)
    return plates(c, plate)


def plates(c, digit="1"):
    """Hardware that borders an open cell becomes a wall plate, so the rooms
    look built; the solid rock between them stays plain."""
    open_cells = {(x, y) for y in range(c.h) for x in range(c.w) if c.cells[y][x] != "#"}
    for y in range(1, c.h - 1):
        for x in range(1, c.w - 1):
            if c.cells[y][x] == "#" and any((x + dx, y + dy) in open_cells
                                            for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                c.cells[y][x] = digit
    return c


# Panels of machinery for the solid parts of a big field: (digit, shape).
# Hazard stripes and the blue dome stay out: in the rock they would read as
# warnings or as things to take.
MACHINERY = (("8", "block"), ("5", "block"), ("0", "run"), ("2", "run"), ("6", "board"))


def machinery(c, seed, tries=None):
    """Sets panels of machinery into the rock that lies two cells or more from
    anything open, so a big field's solid parts read as built. Play cannot
    change: every hardware variant is the same wall, and nothing moves, falls
    or burns into a cell two cells deep in rock."""
    import random
    rng = random.Random(seed)

    def deep(x, y):
        # Plain rock all round: a panel never touches a room's wall plate.
        return (1 < x < c.w - 2 and 1 < y < c.h - 2
                and all(c.cells[y + dy][x + dx] == "#" for dx in (-1, 0, 1) for dy in (-1, 0, 1)))
    for _ in range(tries if tries is not None else c.w * c.h // 40):
        digit, shape = MACHINERY[rng.randrange(len(MACHINERY))]
        if shape == "run":
            w, h = (rng.randint(6, 18), 1) if rng.random() < 0.5 else (1, rng.randint(5, 14))
        else:
            w, h = rng.randint(3, 8), rng.randint(2, 5)
        x0, y0 = rng.randint(2, max(2, c.w - w - 2)), rng.randint(2, max(2, c.h - h - 2))
        box = [(x, y) for y in range(y0, y0 + h) for x in range(x0, x0 + w)]
        # Checked before any cell is set, so panels keep a row of rock apart.
        if not all(deep(x, y) for x, y in box):
            continue
        for x, y in box:
            edge = x in (x0, x0 + w - 1) or y in (y0, y0 + h - 1)
            c.cells[y][x] = ("6" if edge else "4") if shape == "board" else digit
    return c
