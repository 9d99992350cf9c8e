"""The extended set, karvolt_wide.hxm: fields the classic 60 x 24 cannot
hold. The set rises in size and difficulty; the first half are regions of a
few screens, the second half the large fields, ending with the 256 x 256
expedition."""
from level_kit import Canvas, Level


def levels():
    return smaller_levels() + larger_levels()


# ---------------------------------------------------------------------------
# The first half: from a small room to fields of a few screens.

def smaller_levels():
    levels = []

    # 20 x 12: a first small room.
    c = Canvas(20, 12, ".")
    c.rect(3, 2, 16, 3, " ").put(5, 2, "O").put(10, 2, "O").put(14, 2, "O")
    for x in (5, 8, 11, 14):
        c.put(x, 6, "q")
    c.rect(3, 9, 16, 10, " ").hline(3, 16, 8, "R")
    c.put(2, 6, "P").put(17, 6, "E")
    levels.append(Level("Pocket", "a small room: quarkels, then the exit", c, "R@16,6 R1"))

    # 40 x 30: gravity from the start; Pellik drops from ledge to ledge.
    c = Canvas(40, 30, " ")
    for i, y in enumerate(range(5, 29, 4)):
        x0 = 1 + 6 * i
        c.hline(x0, x0 + 5, y, "#")
        c.put(x0 + 4, y - 1, "q")
    c.hline(1, 38, 28, "#")
    c.put(2, 4, "P").put(38, 27, "E")
    levels.append(Level("Steps down", "with gravity on, walk off each ledge and drop", c,
                        "R@37,27 R1", gravity=True))
    return levels


# ---------------------------------------------------------------------------
# The second half: the large fields, ending with the 256 x 256 expedition.

def larger_levels():
    levels = []
    # 100 x 50: a long way through walls with ports.
    c = Canvas(100, 50, ".")
    for x in (25, 50, 75):
        c.vline(x, 1, 48, "#")
    c.put(25, 25, ">").put(26, 25, " ").put(50, 25, "-").put(51, 25, " ").put(75, 25, "+").put(76, 25, " ")
    for x in range(6, 96, 6):
        if x % 25 not in (0, 1):
            c.put(x, 25, "q")
    for x0 in range(4, 96, 8):
        for y0 in (6, 16, 34, 42):
            if all(c.cells[y0 + dy][x0 + dx] == "." for dy in range(3) for dx in range(3)):
                c.stamp(x0, y0, [" O ", "ORO", "RRR"])
    c.put(2, 25, "P").put(97, 25, "E")
    levels.append(Level("Long haul", "a wide field: three walls, three ports", c, "R@96,25 R1"))

    # 256 x 256: the largest field; the exit is close, the rest is to explore.
    c = Canvas(256, 256, ".")
    for k in range(16, 255, 16):
        c.hline(1, 254, k, "#").vline(k, 1, 254, "#")
    for k in range(8, 256, 16):
        for j in range(16, 255, 16):
            c.put(k, j, " ").put(j, k, " ")
    for ry in range(0, 16):
        for rx in range(0, 16):
            x0, y0 = 16 * rx + 4, 16 * ry + 4
            kind = (rx * 7 + ry * 3) % 5
            if kind == 0:
                c.stamp(x0, y0, ["RRRRR", "R q R", "R   R", "RRRRR"])
            elif kind == 1:
                c.stamp(x0, y0, ["  O  ", " ORO ", "ORRRO"])
            elif kind == 2:
                c.stamp(x0, y0 + 2, ["q.q.q"])
    c.rect(121, 121, 135, 135, " ").rect(121, 121, 135, 135, "#", filled=False)
    c.put(128, 121, " ").put(128, 135, " ").put(121, 128, " ").put(135, 128, " ")
    c.put(125, 128, "P").put(127, 128, "q").put(127, 129, ".").put(129, 128, "q").put(129, 129, ".").put(131, 128, "E")
    levels.append(Level("Wide open", "a huge field; two quarkels open the exit", c, "R5 R1", quota=2))
    return levels
