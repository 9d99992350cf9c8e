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

    def plate(c, digit="1"):
        """Hardware that borders an open cell becomes a wall plate, so the
        rooms look built; the solid rock between them stays plain."""
        walls = {"#"}
        open_cells = {(x, y) for y in range(c.h) for x in range(c.w) if c.cells[y][x] not in walls}
        for y in range(1, c.h - 1):
            for x in range(1, c.w - 1):
                if c.cells[y][x] == "#" and any((x + dx, y + dy) in open_cells
                                                for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                    c.cells[y][x] = digit
        return c

    # Pocket. Idea: a yellow disk waits in its pocket above the corridor,
    # the exit room is sealed by a door of RAM chips at the foot of a shaft,
    # and the terminal fires the disk wherever it lies. The start room opens
    # onto the corridor by a one-way port only, and the pocket is reached
    # from the start room alone. Insight: push the disk down out of its
    # pocket before taking the port (from below it only goes back up and
    # sticks); then push it along the corridor, climb into the notch over
    # the shaft head and push it down the shaft against the door, and only
    # then use the terminal.
    c = Canvas(30, 20, "#")
    c.rect(2, 2, 6, 7, " ")                             # the start room
    c.hline(6, 9, 1, " ").vline(9, 1, 5, " ")           # the way over the pocket
    c.hline(7, 22, 6, " ").put(7, 6, ">")               # the port, the corridor
    c.hline(21, 22, 5, " ")                             # the notch over the shaft
    c.vline(22, 7, 13, " ").hline(21, 23, 14, "R")      # the shaft, the door
    c.rect(12, 15, 28, 18, " ").rect(11, 1, 19, 3, " ")
    c.vline(15, 4, 5, " ").rect(24, 1, 28, 12, " ").put(23, 9, " ")
    for x, y in ((12, 2), (18, 2), (25, 4), (27, 9), (13, 16), (18, 17), (26, 16), (2, 7)):
        c.put(x, y, "R")
    c.put(3, 3, "P").put(28, 1, "T").put(9, 5, "y")
    # Quarkels fall: each one lies on a floor or a hardware shelf.
    c.put(27, 4, "#").put(14, 3, "q").put(27, 3, "q").put(25, 12, "q").put(14, 18, "q")
    c.put(27, 17, "E")
    levels.append(Level("Pocket", "push the yellow disk out of its pocket before the port, then to the door",
                        plate(c),
                        "R@6,3 U@6,1 R@9,1 D@9,5 U@9,1 L@6,1 D@6,6 R@8,6 R@21,6 "
                        "U@21,5 R@22,5 D@22,12 U@22,6 L@15,6 U@15,3 L@14,3 R@15,3 D@15,6 "
                        "R@22,6 D@22,9 R@24,9 R@26,9 U@26,3 R@28,3 U@28,2 U1 W90 "
                        "D@28,12 L@25,12 U@25,10 L@24,10 U@24,9 L@22,9 D@22,15 L@14,15 D@14,18 R@27,18 U1"))

    # Plumb line (21 x 112, gravity on). Idea: one shaft, ninety cells deep;
    # a fall down it takes half a minute, and Pellik cannot climb back. Its
    # foot is a floor of RAM chips over the port to the exit room, and the
    # orange disk on the ledge at its head is the only thing that opens it.
    # Insight: push the disk down the shaft first; it lands long before
    # Pellik, who follows and catches the niches on the way by holding the
    # arrow of their side while he falls (a niche's base mouth is the only
    # thing he can step into from the air). A niche passed is lost for good,
    # so he switches sides as the niches alternate, and in the third he
    # pushes the grobble into its hole to walk over it to the quarkel.
    c = Canvas(21, 112, "#")
    c.rect(2, 2, 18, 5, " ")                             # the top room
    c.vline(17, 6, 7, ".").hline(11, 17, 8, " ")         # down to the ledge
    c.vline(10, 8, 103, " ")                             # the shaft
    c.put(11, 8, "o").put(3, 5, "P").put(6, 5, "q")
    for x in (5, 9, 13):
        c.put(x, 2, "R")
    # The niches: base mouth, quarkel behind; the third hides its quarkel
    # behind a grobble over a hole.
    c.put(9, 24, ".").put(8, 24, "q")
    c.put(11, 40, ".").put(12, 40, ".").put(13, 40, "q")
    c.put(9, 56, ".").put(8, 56, "O").put(7, 56, " ").put(7, 57, " ").put(6, 56, "q")
    c.put(11, 72, ".").put(12, 72, "q")
    c.put(9, 88, ".").put(8, 88, "q")
    c.hline(9, 11, 104, "R").put(10, 105, "v")           # the floor, the port
    c.rect(2, 106, 18, 109, " ")                         # the exit room
    c.put(6, 108, "R").put(11, 108, "R")
    c.put(3, 109, "q").put(14, 107, "#").put(14, 106, "q").put(17, 109, "E")
    plate(c)
    for y in range(12, 104, 8):                          # depth marks along the shaft
        c.put(9, y, "5").put(11, y, "5")
    for y, side in ((24, -1), (40, 1), (56, -1), (72, 1), (88, -1)):
        c.put(10 + side, y - 1, "3").put(10 + side, y + 1, "3")
    levels.append(Level("Plumb line", "send the orange disk down the shaft first, then fall and catch the niches",
                        c,
                        "R@17,5 D@17,8 L@11,8 L@9,24 L@8,24 R@10,24 R@11,40 R@13,40 L@10,40 "
                        "L@9,56 L@8,56 L@6,56 R@10,56 R@11,72 R@12,72 L@10,72 L@9,88 L@8,88 "
                        "R@10,88 D@10,106 L@3,106 D@3,109 R@13,109 U@13,106 R@14,106 R@17,106 D@17,108 D1",
                        gravity=True, ports=[(10, 105, "none")]))

    # Menagerie (112 x 12). Idea: a long track runs past a row of caged
    # enemies; each cage is a single cell under or over a horizontal port,
    # so an enemy in it only spins, and Pellik, in the port, is no prey.
    # The quota asks for more quarkels than lie about: the rest must come
    # from blasted Electrons. Insight: the three red disks on the track are
    # all there is; lay each one beside a port whose cage holds an Electron,
    # never a Gnarrow (its blast leaves nothing), walk five cells away, and
    # come back for the four quarkels the Electron leaves.
    c = Canvas(112, 12, "#")
    c.hline(2, 109, 5, " ").rect(2, 3, 5, 7, " ")
    cages = {14: (6, "e"), 26: (4, "G"), 38: (4, "e"), 50: (6, "G"),
             62: (6, "e"), 74: (4, "G"), 86: (4, "e"), 98: (6, "G")}
    for x, (y, enemy) in cages.items():
        c.put(x, 5, "-").put(x, y, enemy)
        c.put(x - 1, y, "0").put(x + 1, y, "0").put(x, y + (1 if y > 5 else -1), "0")
    for x in (8, 32, 56):
        c.put(x, 5, "r")
    for x, y in ((20, 4), (44, 6), (68, 4), (92, 6)):
        c.put(x, y, " ")
    c.put(20, 4, "q").put(44, 6, "q").put(92, 6, "q").put(68, 4, "R")
    c.put(3, 5, "P").put(109, 5, "E")
    lay = "K16x140 L5 W120"
    levels.append(Level("Menagerie", "blast the caged Electrons with the three red disks for their quarkels",
                        plate(c),
                        "R@13,5 %s R@14,5 D@14,6 U@14,5 R@15,5 R@37,5 %s R@38,5 U@38,4 D@38,5 R@39,5 "
                        "R@44,5 D@44,6 U@44,5 R@61,5 %s R@62,5 D@62,6 U@62,5 R@63,5 R@92,5 D@92,6 U@92,5 R@108,5 R1" % (lay, lay, lay),
                        quota=15))

    # Side rooms (44 x 24). Idea: a hall with two side rooms, each entered
    # and left by one-way ports; the exit waits in a closet under the hall
    # behind a RAM chip, and the east room holds the only red disk. Insight:
    # in the west room, take the quarkel out of the pit by the tunnel below
    # before pushing the grobble along the corridor, for the pit is the only
    # place it can go (pushed on, it shuts the port home). In the east room
    # the quarkel behind the RAM wall is bait: the red disk opens either that
    # wall or the exit, and the quota does without the bait.
    c = Canvas(44, 24, "#")
    c.rect(17, 6, 26, 15, " ").put(21, 16, "R").put(21, 17, "E")
    c.put(16, 8, "<").put(16, 13, ">").put(27, 8, ">").put(27, 13, "<")
    c.hline(3, 15, 8, " ").vline(3, 8, 13, " ").hline(3, 15, 13, " ")      # the west room
    c.vline(6, 14, 16, " ").hline(6, 12, 16, " ").vline(12, 14, 16, " ")   # its tunnel
    c.put(9, 13, "O").put(12, 14, "q").put(12, 15, ".").put(3, 13, "q")
    c.hline(28, 41, 8, " ").vline(41, 8, 13, " ").hline(28, 41, 13, " ")  # the east room
    c.rect(37, 3, 39, 5, " ").hline(37, 39, 6, "R").put(38, 7, " ").put(38, 5, "q")
    c.rect(31, 10, 36, 11, " ").put(33, 12, " ").put(35, 11, "q").put(41, 10, "r")
    c.put(18, 15, "q").put(21, 10, "P")
    for x, y in ((19, 7), (24, 7), (19, 14), (24, 14)):
        c.put(x, y, "R")
    levels.append(Level("Side rooms", "empty the pit before the grobble fills it; the red disk is for the exit",
                        plate(c),
                        "U@21,8 L@17,8 L@15,8 L@3,8 D@3,13 R@6,13 D@6,16 R@12,16 U@12,14 "
                        "D@12,16 L@6,16 U@6,13 R@8,13 R@12,13 R@15,13 R@17,13 U@17,8 R@26,8 "
                        "R@28,8 R@41,8 D@41,13 L@33,13 U@33,11 R@35,11 L@33,11 D@33,13 L@28,13 L@26,13 "
                        "L@18,13 D@18,15 R@21,15 K16x140 U4 W120 D@21,16 D1",
                        quota=4))
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
