"""The extended set, karvolt_wide.hxm: fields the classic 60 x 24 cannot
hold. The set rises in size and difficulty; the first half are regions of a
few screens, the second half the large fields, ending with the 256 x 256
expedition."""
from level_kit import Canvas, Level, machinery, plates


def levels():
    # The set is played in rising size: fewest cells first.
    return sorted(smaller_levels() + middle_levels() + larger_levels(), key=lambda lv: lv.canvas.w * lv.canvas.h)


# ---------------------------------------------------------------------------
# The first half: from a small room to fields of a few screens.

def smaller_levels():
    levels = []

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
                        plates(c),
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
    plates(c)
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
                        plates(c),
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
                        plates(c),
                        "U@21,8 L@17,8 L@15,8 L@3,8 D@3,13 R@6,13 D@6,16 R@12,16 U@12,14 "
                        "D@12,16 L@6,16 U@6,13 R@8,13 R@12,13 R@15,13 R@17,13 U@17,8 R@26,8 "
                        "R@28,8 R@41,8 D@41,13 L@33,13 U@33,11 R@35,11 L@33,11 D@33,13 L@28,13 L@26,13 "
                        "L@18,13 D@18,15 R@21,15 K16x140 U4 W120 D@21,16 D1",
                        quota=4))
    return levels


# ---------------------------------------------------------------------------
# Between the small rooms and the large fields: regions of a few screens.

def middle_levels():
    levels = []

    # Cold storage (64 x 40). Idea: the exit at the east end of the hall is
    # sealed with RAM, and the only red disk lies in a niche off a wide ring
    # in the south where an Electron circles; both ways into the ring are
    # one-way ports, so it cannot get out, and Pellik cannot dodge it for long
    # inside. The north halls hold the quarkels and, between them, a port that
    # freezes every enemy for the rest of the game. Insight: go north first;
    # pass the freezing port, and only then enter the ring, walk round the
    # still Electron (the ring is two cells wide) to the disk, and carry it
    # to the seal.
    c = Canvas(64, 40, "#")
    c.rect(2, 19, 4, 21, " ").put(3, 20, "P").put(5, 20, ">")      # the closet
    c.hline(6, 51, 20, " ").put(52, 20, "R").put(53, 20, " ")       # the hall, its seal
    c.rect(53, 18, 58, 22, " ").put(57, 20, "E")                    # the exit room
    c.vline(20, 9, 19, " ").vline(38, 9, 19, " ")                   # up and down the north
    c.rect(14, 3, 29, 8, " ").rect(31, 3, 42, 8, " ").put(30, 5, ">")
    c.put(16, 8, "q").put(25, 8, "q").put(36, 8, "q")
    for x, y in ((17, 4), (22, 4), (27, 4), (34, 4), (40, 4)):
        c.put(x, y, "R")
    c.vline(30, 21, 24, " ").put(30, 25, "v")                       # into the ring
    c.vline(34, 21, 24, " ").put(34, 25, "^")                       # and out
    c.rect(23, 26, 37, 35, " ").rect(25, 28, 35, 33, "#")           # the ring, its pillar
    c.rect(27, 30, 33, 31, "R")
    c.put(30, 36, "r").put(23, 30, "e")
    plates(c)
    levels.append(Level("Cold storage", "freeze the Electron at the north port before entering its ring for the disk",
                        c,
                        "R@20,20 U@20,8 L@16,8 R@25,8 U@25,5 R@31,5 R@36,5 D@36,8 R@38,8 D@38,20 "
                        "L@30,20 D@30,26 R@37,26 D@37,35 L@30,35 D@30,36 U@30,35 R@37,35 U@37,26 "
                        "L@34,26 U@34,20 R@51,20 K16x135 L@48,20 W120 R@53,20 R@56,20 R1",
                        quota=3, ports=[(30, 5, "freeze-enemies")]))
    return levels


# ---------------------------------------------------------------------------
# The second half: the large fields, ending with the 256 x 256 expedition.
# Each field is hardware into which the rooms are stamped and the corridors
# dug by Pellik's own route: a Trip walks the solution while it carves the
# way, so the map and the walk cannot drift apart. Every level starts in a
# closet left through a one-way port: the start shows the way in.

def larger_levels():
    out = []
    lay = "K16x135"  # fire held until the red disk is laid (132 ticks)
    walls = "#0123456789"

    class Trip:
        """Pellik's route: each leg digs its corridor (where there is hardware)
        and adds its walk token; legs are straight lines."""

        def __init__(self, c, x, y):
            self.c, self.x, self.y, self.tokens = c, x, y, []
            c.put(x, y, "P")

        def go(self, *points, floor=" "):
            for x, y in points:
                if x != self.x and y != self.y:
                    raise ValueError("leg (%d, %d) -> (%d, %d) is not straight" % (self.x, self.y, x, y))
                dx, dy = (x > self.x) - (x < self.x), (y > self.y) - (y < self.y)
                n = abs(x - self.x) + abs(y - self.y)
                for k in range(1, n + 1):
                    if self.c.cells[self.y + k * dy][self.x + k * dx] == "#":
                        self.c.put(self.x + k * dx, self.y + k * dy, floor)
                if n:
                    self.tokens.append("%s%d" % ({1: "R", -1: "L"}[dx] if dx else {1: "D", -1: "U"}[dy], n))
                self.x, self.y = x, y
            return self

        def key(self, token, x=None, y=None):
            self.tokens.append(token)
            if x is not None:
                self.x, self.y = x, y
            return self

        def walk(self):
            return " ".join(self.tokens)

    def hall(c, x0, y0, x1, y1, fill=" "):
        """A room: its inside (x0..x1, y0..y1) cleared."""
        c.rect(x0, y0, x1, y1, fill)

    def plate(c, digit, box=None):
        """Hardware that borders open cells becomes wall plates of one variant,
        within the box (x0, y0, x1, y1), so rooms and shafts look built."""
        x0, y0, x1, y1 = box or (1, 1, c.w - 2, c.h - 2)
        x0, y0, x1, y1 = max(1, x0), max(1, y0), min(c.w - 2, x1), min(c.h - 2, y1)
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if c.cells[y][x] == "#" and any(c.cells[y + dy][x + dx] not in walls
                                                for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                    c.cells[y][x] = digit

    def closet(c, x, y):
        """The start: a closet of three cells with Pellik in it and a one-way
        port east; returns the trip standing beyond the port."""
        hall(c, x - 1, y - 1, x + 1, y + 1)
        c.put(x + 2, y, ">")
        return Trip(c, x, y).go((x + 3, y))

    # -- regions, each stamped where the trip stands and walked through -----

    def niche(c, t, side, quarkel="q"):
        """A niche beside a shaft: a lip of base and a quarkel behind it.
        Falling past with the arrow held towards it, Pellik steps onto the lip;
        he collects and steps back into the shaft."""
        x, y = t.x, t.y
        c.put(x + side, y, ".").put(x + 2 * side, y, quarkel)
        letter, back = ("R", "L") if side > 0 else ("L", "R")
        t.key("%s2" % letter).key("%s2" % back)

    def fall(c, t, y, niches=()):
        """Falls (gravity on) to row y; niches: {row: side} passed on the way."""
        for ny in sorted(niches):
            t.go((t.x, ny))
            niche(c, t, niches[ny])
        t.go((t.x, y))

    def cage_pair(c, t, up=True):
        """Two electrons caged in single cells, diagonal to a notch off the
        corridor (Pellik stands at the notch's foot). A red disk laid in the
        notch blows both; each electron dies in a blast that leaves quarkels:
        four of them, in the cages, between them and in the notch."""
        x, y = t.x, t.y
        s = -1 if up else 1
        c.put(x - 1, y + 2 * s, "e").put(x + 1, y + 2 * s, "e").put(x, y + 2 * s, "R").put(x, y + s, " ")
        v, back = ("U", "D") if up else ("D", "U")
        t.key(v + "1").key(lay).key(back + "1").key("L2").key("W230").key("R2")
        # The quarkel of the notch has fallen to the corridor; then up through
        # the notch to the three in and between the cages.
        t.key(v + "2").key("L1").key("R2").key("L1").key(back + "2")

    def yellow_vault(c, t, up=True):
        """A sealed vault of four quarkels above (or below) the corridor, and a
        yellow disk in the branch that leads to its seal: pushed one cell it
        lies against the seal, and the terminal's signal blows it open."""
        x, y = t.x, t.y
        s = -1 if up else 1
        c.put(x, y + s, " ").put(x, y + 2 * s, "y").put(x, y + 3 * s, " ").put(x, y + 4 * s, "R")
        hall(c, x - 2, min(y + 5 * s, y + 7 * s), x + 2, max(y + 5 * s, y + 7 * s))
        for dx in (-2, -1, 1, 2):  # on the vault's floor
            c.put(x + dx, y + (5 if up else 7) * s, "q")
        v = "U" if up else "D"
        # A push is a lean of 16 ticks and a step of 16; then a short rest.
        t.key(v + "1").key(v + "2").key("W8").key(("D" if up else "U") + "2")

    def vault_collect(t, up=True):
        """After the blast: into the vault and the four quarkels."""
        v, back, n = ("U", "D", 5) if up else ("D", "U", 7)
        t.key("%s%d" % (v, n)).key("L2").key("R4").key("L2").key("%s%d" % (back, n))

    def port_maze(c, t, cols, rows, seed, treasure, gap=4, resting=True):
        """A lattice of junctions joined by one-way ports, every junction
        reachable from every other; quarkels lie at some junctions. The trip
        enters at the junction (0, 0) from the west and leaves at the last
        junction eastward. Returns the quarkel count."""
        import random
        rng = random.Random(seed)
        x0, y0 = t.x + 1, t.y
        node = lambda i, j: (x0 + gap * i, y0 + gap * j)
        if rows % 2:
            raise ValueError("the ring needs an even number of rows")
        # A ring through every junction keeps them all within reach of each
        # other; the other passages point at random.
        ring = [(i, 0) for i in range(cols)]
        for j in range(1, rows):
            xs = range(cols - 1, 0, -1) if j % 2 else range(1, cols)
            ring += [(i, j) for i in xs]
        ring += [(0, j) for j in range(rows - 1, 0, -1)]
        if rng.random() < 0.5:
            ring.reverse()
        edges = {}
        for a, b in zip(ring, ring[1:] + ring[:1]):
            key = (min(a, b), max(a, b))
            edges[key] = key == (a, b)
        for i in range(cols):
            for j in range(rows):
                for b in ((i + 1, j), (i, j + 1)):
                    if b[0] < cols and b[1] < rows and ((i, j), b) not in edges and rng.random() < 0.6:
                        edges[((i, j), b)] = rng.random() < 0.5
        succ = {(i, j): [] for i in range(cols) for j in range(rows)}
        for (a, b), forward in edges.items():
            succ[a if forward else b].append(b if forward else a)

        def bfs(start):
            prev, todo = {start: None}, [start]
            for n in todo:
                for m in sorted(succ[n]):
                    if m not in prev:
                        prev[m] = n
                        todo.append(m)
            return prev
        for i in range(cols):
            for j in range(rows):
                x, y = node(i, j)
                c.put(x, y, " ")
        for ((i, j), (k, l)), forward in edges.items():
            (ax, ay), (bx, by) = node(i, j), node(k, l)
            for n in range(1, gap):
                c.put(ax + (bx - ax) * n // gap, ay + (by - ay) * n // gap, " ")
            mid = (ax + (bx - ax) // 2, ay + (by - ay) // 2)
            c.put(mid[0], mid[1], (">" if forward else "<") if ay == by else ("v" if forward else "^"))
        spots = [(i, j) for i in range(cols) for j in range(rows) if (i, j) not in ((0, 0), (cols - 1, rows - 1))]
        rng.shuffle(spots)
        # Quarkels fall: only junctions with no passage down hold one (or,
        # not resting, a quarkel over a passage drops onto its port and waits).
        wanted = [(i, j) for i, j in spots if not resting or ((i, j), (i, j + 1)) not in edges][:treasure]
        for n in wanted:
            x, y = node(*n)
            c.put(x, y, "q")
        # The route: from junction to junction, the shortest way each time, to
        # the nearest quarkel still lying, then to the last junction.
        here, route = (0, 0), []
        t.go((x0, y0))
        left = list(wanted)
        goals = []
        while left:
            prev = bfs(here)
            dist = {}
            for n in left:
                d, m = 0, n
                while m != here:
                    m, d = prev[m], d + 1
                dist[n] = d
            nxt = min(left, key=lambda n: (dist[n], n))
            left.remove(nxt)
            goals.append(nxt)
            here = nxt
        goals.append((cols - 1, rows - 1))
        here = (0, 0)
        for g in goals:
            prev = bfs(here)
            path, m = [], g
            while m != here:
                path.append(m)
                m = prev[m]
            for n in reversed(path):
                t.go(node(*n))
            here = g
        return len(wanted)

    # -- 1. A lattice of one-way ports ------------------------------------------
    # 80 x 56. Seventeen by twelve junctions, each passage a one-way port;
    # a ring through all of them means no junction is a trap, but the short
    # way to each of the eight quarkels is rarely the obvious one. Insight:
    # read the arrows backwards from the quarkel to where Pellik stands.
    c = Canvas(80, 56, "#")
    t = closet(c, 3, 4)
    port_maze(c, t, 17, 12, 7, 8)
    t.go((75, 48))
    c.put(76, 48, "E")
    t.key("R1")
    plate(c, "2")
    out.append(Level("Arrow lattice", "a lattice of one-way ports: find the way to each quarkel", c, t.walk()))

    # -- 2. A tall, narrow shaft ------------------------------------------------
    # 41 x 144. The red disk lies in the hall at the top; the only way on is a
    # port that switches gravity on, into a shaft that zigzags down 130 rows
    # past niches of quarkels, to the exit sealed behind RAM at the bottom.
    # Insight: nothing climbs back up: take the disk before the port, and hold
    # the arrow towards each niche while falling, so Pellik steps onto its lip.
    c = Canvas(41, 144, "#")
    t = closet(c, 3, 3)
    hall(c, 6, 2, 34, 6)
    c.rect(9, 5, 11, 6, "R").rect(14, 5, 16, 6, "R")
    c.put(31, 5, "r")
    t.go((31, 3), (31, 5), (20, 5), (20, 6))
    c.put(20, 7, "v")
    ports = [(20, 7, "gravity")]
    t.go((20, 8))
    fall(c, t, 48, {14: -1, 24: 1, 36: -1})
    t.go((8, 48))
    fall(c, t, 92, {56: 1, 66: -1, 78: 1})
    t.go((31, 92))
    fall(c, t, 140, {100: -1, 112: 1, 126: -1})
    t.go((34, 140))
    t.key(lay).go((31, 140)).key("W120")
    c.put(35, 140, "R").put(37, 140, "E")
    t.go((36, 140)).key("R1")
    for y0, y1, d in ((8, 48, "3"), (48, 92, "4"), (92, 143, "5")):
        plate(c, d, (0, y0, 40, y1))
    plate(c, "1")
    machinery(c, 5)
    out.append(Level("Free fall", "a fall that takes seconds: take the disk first, "
                        "then steer into the niches on the way down", c, t.walk(), ports=ports))

    # -- 3. The yellow works --------------------------------------------------
    # 150 x 40, wide and flat. Ten vaults of quarkels off one long corridor,
    # each sealed with RAM, each with a yellow disk in the branch below (or
    # above) its seal; the terminal at the far end fires every yellow disk at
    # once, and only once. Insight: the terminal is the last thing to touch:
    # push every disk against its seal first, then signal, then go round the
    # opened vaults.
    c = Canvas(150, 40, "#")
    t = closet(c, 3, 20)
    works = [(x, k % 2 == 0) for k, x in enumerate(range(20, 136, 12))]
    for x, up in works:
        t.go((x, 20))
        yellow_vault(c, t, up)
    t.go((139, 20))
    c.put(140, 20, "T")
    t.key("R1").key("W80")
    for x, up in reversed(works):
        t.go((x, 20))
        vault_collect(t, up)
    t.go((136, 20), (136, 30), (144, 30))
    c.put(145, 30, "E")
    t.key("R1")
    plate(c, "3")
    machinery(c, 6)
    out.append(Level("Yellow works", "one terminal fires every yellow disk: set them all first", c, t.walk()))

    # -- 4. A gallery of caged electrons ----------------------------------------
    # 200 x 24, wide and flat. No quarkel lies free: the quota is paid by the
    # electrons, caged in pairs above and below the corridor, each pair beside
    # a notch; red disks lie in the corridor. Insight: a disk laid in the notch
    # reaches both cages diagonally, and an electron dies in a blast that
    # leaves quarkels; stand two cells off and let the fire burn out.
    c = Canvas(200, 24, "#")
    t = closet(c, 3, 12)
    for k, x in enumerate(range(20, 190, 14)):
        c.put(x - 5, 12, "r")
        t.go((x, 12))
        cage_pair(c, t, up=k % 2 == 0)
    t.go((194, 12))
    c.put(195, 12, "E")
    t.key("R1")
    plate(c, "4")
    machinery(c, 7)
    # Thirteen pairs pay 52 quarkels; one pair may be spared.
    out.append(Level("Electron mines", "caged electrons pay in quarkels: one disk between two cages", c,
                     t.walk(), quota=48))


    # -- 5. Works and fall ------------------------------------------------------
    # 160 x 120. Three ideas met before, now in a row that cannot be turned
    # round: a lattice of one-way ports, four vaults that one terminal opens,
    # and a gravity port over a shaft down to an exit sealed with RAM. The red
    # disk for that seal lies inside the first vault. Insight: the key is
    # behind the works, the works behind the lattice, and all of it above the
    # gravity port: finish each before passing on.
    c = Canvas(160, 120, "#")
    t = closet(c, 3, 4)
    port_maze(c, t, 10, 8, 11, 6)
    t.go((60, 32), (60, 40))
    works = [(x, k % 2 == 0) for k, x in enumerate(range(70, 110, 12))]
    for x, up in works:
        t.go((x, 40))
        yellow_vault(c, t, up)
    c.put(70, 35, "r")  # in the first vault, where Pellik steps in
    t.go((120, 40))
    c.put(121, 40, "T")
    t.key("R1").key("W80")
    for x, up in reversed(works):
        t.go((x, 40))
        vault_collect(t, up)
    t.go((114, 40), (114, 50), (140, 50), (140, 54))
    c.put(140, 55, "v")
    t.go((140, 56))
    fall(c, t, 110, {66: -1, 78: 1, 90: -1, 102: 1})
    t.go((150, 110)).key(lay).go((146, 110)).key("W120")
    c.put(151, 110, "R").put(153, 110, "E")
    t.go((152, 110)).key("R1")
    for box, d in (((0, 0, 60, 36), "2"), ((56, 30, 130, 52), "3"), ((130, 48, 159, 119), "5")):
        plate(c, d, box)
    plate(c, "1")
    machinery(c, 8)
    out.append(Level("Works and fall", "lattice, works, then gravity: the key disk is in a vault", c,
                     t.walk(), ports=[(140, 55, "gravity")]))

    # -- 6. The arena ---------------------------------------------------------
    # 200 x 130. A hall of pillars, eleven by seven, with aisles one cell wide
    # between them; Gnarrows and Electrons each run a loop round their own
    # pillar, the pillar on their turning side, so they never leave it. Quarkels
    # lie in niches cut into quiet pillars: a niche beside a loop is safe, since
    # an enemy turns only towards its own pillar. The quota wants two more than
    # the niches hold: they are in the Electron shut up in a cell inside a
    # quiet pillar, and the red disk from the store north of the gate frees
    # them. Insight: read a loop before stepping onto it, walk behind an enemy
    # rather than against it, cross a side while its enemy is round the far
    # corner; lay the disk in the lower notch beside the Electron's cell and
    # step back into the aisle, then fetch the quarkels from both notches.
    c = Canvas(200, 130, "#")
    wait = {"gate": 40, "first": 40, "west side": 96, "east": 272}  # each mid-window
    t = closet(c, 3, 8)
    hall(c, 8, 4, 22, 12)                                          # the store
    c.rect(11, 5, 13, 6, "R").rect(17, 10, 19, 11, "R")
    c.put(20, 8, "r")
    aisle_x = [30 + 12 * i for i in range(12)]
    aisle_y = [36 + 8 * j for j in range(8)]
    for x in aisle_x:
        c.vline(x, aisle_y[0], aisle_y[-1], " ")
    for y in aisle_y:
        c.hline(aisle_x[0], aisle_x[-1], y, " ")
    # Each enemy starts in the aisle above its pillar and sets off west.
    foes = {(0, 0): "G", (4, 0): "G", (8, 0): "e", (2, 2): "G", (4, 2): "e", (6, 2): "G",
            (10, 2): "G", (0, 4): "e", (8, 4): "G", (2, 6): "G", (6, 6): "e", (10, 6): "G"}
    for (i, j), foe in foes.items():
        c.put(aisle_x[i] + 6, aisle_y[j], foe)
    for x, y in ((36, 45), (84, 45), (96, 69), (120, 69)):       # the niches
        c.put(x, y, "q")
    # The shut-up Electron: a cell with walls on all four sides, and two
    # notches from the quiet aisle west of it that touch it only by a corner,
    # so it cannot get out, and a disk in the lower notch always reaches it.
    c.put(81, 63, "e")
    c.hline(79, 80, 62, " ").hline(79, 80, 64, " ")
    t.go((24, 8), (24, 44), (28, 44)).key("W%d" % wait["gate"])
    c.put(29, 44, ">")                                              # the gate
    t.go((30, 44), (36, 44)).key("D1").key("U1")
    t.go((84, 44)).key("D1").key("W%d" % wait["first"]).key("U1")
    t.go((78, 44), (78, 51)).key("W%d" % wait["west side"])
    t.go((78, 64), (80, 64)).key(lay).go((78, 64)).key("W200")
    t.go((80, 64), (78, 64), (78, 62), (80, 62), (78, 62), (78, 68), (96, 68)).key("D1").key("U1")
    t.go((120, 68)).key("D1").key("U1").go((122, 68)).key("W%d" % wait["east"])
    t.go((162, 68), (162, 76), (185, 76))
    hall(c, 176, 72, 190, 80)                                      # the exit room
    c.rect(179, 73, 181, 74, "R").rect(179, 78, 181, 79, "R")
    c.put(186, 76, "E")
    t.key("R1")
    plate(c, "4", (79, 61, 89, 67))                     # the Electron's pillar stands out
    for box, d in (((0, 0, 26, 46), "3"), ((27, 33, 165, 95), "6"), ((166, 60, 199, 90), "5")):
        plate(c, d, box)
    plate(c, "1")
    machinery(c, 10)
    out.append(Level("Arena of loops", "read the enemies' loops, wait in niches, and free the shut-up "
                     "Electron's quarkels with the red disk", c, t.walk(), quota=6))

    # -- 7. The expedition ----------------------------------------------------
    # 256 x 256, seven regions in an order the map enforces. From the closet in
    # the north-west a gallery runs the whole width to the archive, where the
    # red disk for the exit's seal lies; a lattice of one-way ports with
    # quarkels at its junctions; the yellow works, five vaults that one
    # terminal opens at once; a gallery of caged electrons, each pair worth
    # four quarkels to a red disk laid between them; and the port that turns
    # gravity on for the rest of the map, over the shafts down to the exit's
    # vault in the far south-east. Insight: everything below the gravity port
    # is one way; the archive's disk must still be in hand at the bottom, and
    # every disk of the works must lie at its seal before the terminal is used.
    # The quota wants the cages too: 32 quarkels lie about, the twelve pairs
    # pay 48 more, and only one pair may be spared.
    c = Canvas(256, 256, "#")
    t = closet(c, 4, 4)
    t.go((240, 4), (240, 22))
    hall(c, 226, 18, 252, 26)
    c.rect(230, 19, 233, 20, "R").rect(246, 19, 249, 20, "R")
    c.put(228, 25, "r")
    t.go((228, 22), (228, 25), (228, 34), (100, 34), (100, 40), (119, 40))
    port_maze(c, t, 8, 6, 30, 5, resting=False)
    t.go((156, 60), (156, 100))
    vaults = [(140, True), (125, False), (110, True), (95, False), (80, True)]
    for x, up in vaults:
        t.go((x, 100))
        yellow_vault(c, t, up)
    t.go((30, 100))
    c.put(29, 100, "T")
    t.key("L1").key("W80")
    for x, up in reversed(vaults):
        t.go((x, 100))
        vault_collect(t, up)
    t.go((156, 100), (156, 112), (20, 112), (20, 130))
    pairs = list(range(34, 200, 14))
    for k, x in enumerate(pairs):
        c.put(x - 5, 130, "r")
        t.go((x, 130))
        cage_pair(c, t, up=k % 2 == 0)
    # A special port's place must lie in the upper half of so wide a field.
    t.go((212, 130), (212, 116), (220, 116), (220, 118))
    c.put(220, 119, "v")
    t.go((220, 120))
    fall(c, t, 190, {136: -1, 150: 1, 164: -1, 178: 1})
    t.go((236, 190))
    fall(c, t, 240, {200: 1, 212: -1, 226: 1})
    t.go((244, 240)).key(lay).go((240, 240)).key("W120")
    c.put(245, 240, "R").put(247, 240, "E")
    t.go((246, 240)).key("R1")
    for box, d in (((0, 0, 255, 30), "1"), ((96, 32, 160, 64), "6"), ((20, 66, 170, 110), "3"),
                   ((0, 111, 210, 145), "4"), ((200, 140, 255, 255), "5")):
        plate(c, d, box)
    plate(c, "1")
    machinery(c, 9)
    out.append(Level("The long way round", "an expedition: a disk from the far archive, a port "
                     "lattice, one terminal for five vaults, caged electrons, then gravity down "
                     "to the exit", c, t.walk(), quota=76, ports=[(220, 119, "gravity")]))
    return out
