"""Chapter two of the classic campaign: hunters. Gnarrows and Electrons
follow the wall on their anti-clockwise side; the levels teach reading their
loops, passing in the gap, turning them aside with eaten base, and killing
them with what falls."""
from level_kit import Canvas, Level, plates


def levels():
    return opening_levels() + middle_levels() + closing_levels() + late_levels() + final_levels()


def opening_levels():
    out = []

    # Through the ring: a Gnarrow circles the exit's block, and the way in
    # is a grobble to push through a tunnel off the ring. Insight: wait in the
    # mouth of the outer tunnel (the Gnarrow's right-hand side, which it never
    # turns into) until it has gone by, then step out behind it and push; a
    # dash meets it in the ring.
    c = Canvas(60, 24, "#")
    c.rect(5, 8, 13, 15, "4", filled=False).rect(6, 9, 12, 14, " ")
    c.put(6, 9, "R").put(12, 9, "R").put(6, 14, "R").put(12, 14, "R")
    c.rect(18, 4, 47, 19, " ", filled=False)
    c.rect(19, 5, 46, 18, "2", filled=False)
    c.rect(26, 8, 39, 15, " ").rect(25, 7, 40, 16, "3", filled=False)
    c.hline(13, 17, 11, " ").hline(19, 25, 11, " ").put(19, 11, "O")
    for x in (29, 33, 37):
        c.put(x, 15, "q")
    c.put(8, 11, "P").put(36, 11, "E").put(23, 4, "G")
    out.append(Level("Through the ring", "wait in the tunnel mouth on the hunter's blind side, then push behind it",
                     c, "R@17,11 W100 R@29,11 D@29,15 R@37,15 U@37,11 L1"))

    # Let it pass: the exit lies at the far end of a corridor that a Gnarrow
    # runs the other way. It looks into every nook on its left (below it) and
    # never into one on its right; the one-way port in leaves no way back.
    # Insight: step up into a nook above the corridor, let the Gnarrow go by,
    # and walk on behind it.
    c = Canvas(60, 24, "#")
    c.rect(2, 1, 10, 6, "1", filled=False).rect(3, 2, 9, 5, " ").put(3, 2, "R").put(9, 2, "R")
    c.hline(10, 14, 4, " ").put(14, 5, " ").put(14, 6, "v")
    c.rect(12, 7, 47, 13, " ", filled=False)
    c.rect(13, 8, 46, 12, "4").rect(15, 9, 44, 11, "R")
    for x in (20, 27, 34, 41):
        c.put(x, 6, " ")
    for x in (23, 30, 37):
        c.put(x, 8, " ")
    c.vline(45, 3, 6, " ").hline(46, 52, 3, " ").put(52, 3, "E")
    c.put(5, 4, "P").put(40, 7, "G")
    out.append(Level("Let it pass", "hide in a nook on the hunter's right; it looks only into those on its left",
                     c, "R@14,4 D@14,7 R@20,7 U1 W300 D1 R@45,7 U@45,3 R@51,3 R1"))

    # Drop it on its head: a Gnarrow paces the only shaft down to the exit.
    # A grobble waits on the ledge beside the shaft's top. Insight: push the
    # grobble into the shaft; it falls on the Gnarrow wherever it turns, and
    # the blast takes the grobble with it. Then wait for the fire to die.
    c = Canvas(60, 24, "#")
    c.rect(34, 1, 42, 7, "8", filled=False).rect(35, 2, 41, 6, " ").put(41, 2, "R").put(41, 6, "R")
    c.hline(32, 34, 4, " ")
    c.rect(29, 3, 31, 18, "5", filled=False).put(31, 4, "O").vline(30, 4, 17, " ")
    c.rect(22, 14, 28, 18, "6", filled=False).rect(23, 15, 27, 17, " ").hline(28, 29, 16, ".").put(24, 16, "E")
    c.put(38, 4, "P").put(30, 9, "G")
    out.append(Level("Drop it on its head", "a grobble pushed down the hunter's shaft lands on it wherever it turns",
                     c, "L@32,4 L@31,4 W200 L1 D@30,16 L@25,16 L1"))

    # Sparks of value: the exit needs three quarkels and there are none,
    # only an Electron pacing a sealed shaft with a grobble on its base lid.
    # A one-way port leads to the lid, so there is no waiting far away.
    # Insight: an Electron dies in a shower of quarkels. Eat the lid while
    # the Electron is heading down, step away, and let the grobble fall; the
    # quarkels it leaves settle at the shaft's foot.
    c = Canvas(60, 24, "#")
    c.rect(11, 2, 20, 8, "9", filled=False).rect(12, 3, 19, 7, " ").put(12, 3, "R").put(12, 7, "R")
    c.hline(20, 27, 5, " ").put(25, 5, ">").put(26, 5, " ")
    c.rect(27, 3, 29, 17, "7", filled=False).put(28, 17, "R").put(27, 5, ".").put(28, 4, "O").put(28, 5, ".").vline(28, 6, 16, " ")
    c.hline(29, 34, 5, ".").rect(34, 3, 39, 7, "8", filled=False).rect(35, 4, 38, 6, " ").put(29, 5, ".").put(34, 5, ".")
    c.put(37, 5, "E").put(18, 5, "P").put(28, 8, "e")
    out.append(Level("Sparks of value", "an Electron crushed by a grobble leaves quarkels behind",
                     c, "R@27,5 R1 L1 W220 R1 D@28,16 D1 U@28,5 R@36,5 R1", quota=3))

    # Caught in the nook: the exit wants two quarkels, and the only ones
    # are in the Electron that circles the ring. Every lap it looks into the
    # deep nook on its left; a grobble waits by a shaft that ends above the
    # nook's mouth. Insight: push the grobble while the Electron is down in
    # the nook. Pushed at another time it only fills the nook, and the
    # Electron keeps its quarkels (R restarts).
    c = Canvas(60, 24, "#")
    c.rect(32, 1, 41, 5, "3", filled=False).rect(33, 2, 40, 4, " ").put(32, 3, " ")
    for x, y in ((33, 2), (40, 2), (33, 4), (40, 4)):
        c.put(x, y, "R")
    c.rect(29, 2, 31, 7, "3", filled=False).vline(30, 3, 7, " ").put(31, 3, "O")
    c.rect(14, 8, 45, 16, " ", filled=False).rect(15, 9, 44, 15, "9").vline(30, 9, 13, " ")
    c.hline(46, 48, 12, ".").rect(48, 10, 52, 14, "2", filled=False).rect(49, 11, 51, 13, " ")
    c.put(48, 12, ".").put(50, 12, "E")
    c.put(36, 3, "P").put(44, 8, "e")
    out.append(Level("Caught in the nook", "drop the grobble while the Electron is down in its nook",
                     c, "L@32,3 W150 L@31,3 W300 L1 D@30,13 U@30,8 R@45,8 D@45,12 R@49,12 R1", quota=2))

    # Statue: a one-way port into a long hall freezes the enemies. The
    # Electron pacing the hall becomes a deadly block wherever it stands, and
    # in the hall it would cut off the exit. Insight: pass the port only while
    # the Electron is up in the deep nook it looks into on its way east.
    c = Canvas(60, 24, "#")
    c.rect(2, 8, 10, 14, "4", filled=False).rect(3, 9, 9, 13, " ").put(10, 11, " ")
    for x, y in ((3, 9), (9, 9), (3, 13), (9, 13)):
        c.put(x, y, "R")
    c.rect(11, 10, 52, 12, "4", filled=False).put(11, 11, ">").hline(12, 50, 11, " ")
    c.rect(18, 3, 20, 10, "4", filled=False).vline(19, 4, 10, " ")
    for x in (24, 31, 38, 45):
        c.put(x, 12, "q").put(x, 13, "4")
    c.put(51, 11, "E").put(5, 11, "P").put(12, 11, "e")
    out.append(Level("Statue", "a port freezes the hunters where they stand; choose where that is",
                     c, "R@10,11 W150 R1 R@24,11 D1 U1 R@31,11 D1 U1 R@38,11 D1 U1 R@45,11 D1 U1 R@50,11 R1",
                     ports=[(11, 11, "freeze-enemies")]))

    # A falling star: the exit needs three of the four quarkels, and a
    # Gnarrow guards the shaft down to it. The fourth quarkel sits on the
    # base lid of that shaft. Insight: it is worth more as a stone; eat the
    # lid from the side while the Gnarrow is low and step back, and the
    # quarkel falls on it. The one-way port to the lid asks for the other
    # three first. Taking the lid's quarkel (from under it) leaves the shaft
    # guarded for good.
    c = Canvas(60, 24, "#")
    c.rect(29, 3, 31, 18, "0", filled=False).put(30, 4, "q").put(30, 5, ".").vline(30, 6, 17, " ")
    c.rect(32, 2, 43, 8, "0", filled=False).rect(33, 3, 42, 7, " ").put(34, 4, ".").put(31, 5, " ").put(32, 5, "<")
    for x, y in ((33, 3), (42, 3), (33, 7)):
        c.put(x, y, "R")
    c.rect(36, 8, 40, 10, "R").rect(37, 8, 39, 9, " ").put(38, 8, "q").put(38, 9, ".")
    c.put(34, 3, "q").put(42, 7, "q").put(38, 5, "P").put(30, 12, "G")
    c.rect(22, 14, 28, 18, "6", filled=False).rect(23, 15, 27, 17, " ").hline(28, 29, 16, ".").put(24, 16, "E")
    out.append(Level("A falling star", "a quarkel dropped on a hunter kills it; spend one to pass",
                     c, "U2 L4 D2 R8 D2 L4 D1 U1 U2 L@31,5 L1 R1 W200 L1 D@30,16 L@25,16 L1", quota=3))

    # One stone each: a Gnarrow paces the shaft down from the start, an
    # Electron the shaft that holds the exit's three quarkels, and a grobble
    # waits on a ledge at the top of each. Insight: the first stone opens the
    # way to the second; go down the Gnarrow's shaft, round and up to the
    # Electron's ledge, and come back down through its shower of quarkels.
    c = Canvas(60, 24, "#")
    c.rect(22, 1, 34, 5, "5", filled=False).rect(23, 2, 33, 4, " ").put(22, 3, " ")
    for x, y in ((23, 2), (33, 2), (23, 4), (33, 4)):
        c.put(x, y, "R")
    c.rect(19, 2, 21, 16, "5", filled=False).vline(20, 3, 15, " ").put(21, 3, "O").put(21, 15, ".")
    c.rect(37, 2, 39, 14, "7", filled=False).vline(38, 3, 13, " ").put(38, 14, ".").put(39, 3, "O")
    c.vline(40, 3, 15, " ").hline(22, 40, 15, " ")
    c.rect(26, 8, 32, 12, "6", filled=False).rect(27, 9, 31, 11, " ").vline(29, 12, 14, ".").put(29, 10, "E")
    c.put(28, 3, "P").put(20, 9, "G").put(38, 7, "e")
    out.append(Level("One stone each", "the first grobble opens the way to the second",
                     c, "L@22,3 L@21,3 W200 L1 D@20,15 R@40,15 U@40,3 L@39,3 W240 L1 D@38,14 D@38,15 L@29,15 U@29,11 U1",
                     quota=3))
    return out


# The middle of the chapter: leading, waiting, closing loops, bugs.
def middle_levels():
    middle = []

    def plated(c, plate="1"):
        """Walls that border an open cell become plates, so rooms look built."""
        walls = "#0123456789"
        near = [(x, y) for y in range(1, c.h - 1) for x in range(1, c.w - 1) if c.cells[y][x] == "#"
                and any(c.cells[y + dy][x + dx] not in walls for dx in (-1, 0, 1) for dy in (-1, 0, 1))]
        for x, y in near:
            c.put(x, y, plate)
        return c

    # In the convoy: two Gnarrows run the same ring the same way, half a lap
    # apart, and the only door to the exit opens off the far side of the
    # ring. Insight: read which way they run and drop in right behind one;
    # walk with them in the gap, never against them, and duck into the
    # exit's nook on their blind side.
    c = Canvas(60, 24, "#")
    c.rect(3, 2, 9, 4, " ").hline(10, 20, 3, " ").put(20, 4, " ").put(20, 5, "v")
    c.rect(16, 6, 43, 17, " ", filled=False).rect(17, 7, 42, 16, "2")
    c.rect(19, 9, 40, 14, "R")
    c.put(44, 15, " ").put(45, 15, "E")
    c.put(6, 3, "P").put(24, 6, "G").put(43, 14, "G")
    middle.append(Level("In the convoy", "walk in the gap between two hunters, the way they run",
                        plated(c, "4"), "R@20,3 D@20,4 D1 L@16,6 D@16,17 R@43,17 U@43,15 R@44,15 R1"))

    # Close the ring: a Gnarrow shuttles round a ring of corridor that one
    # cell of base under Pellik's shaft leaves open; the quarkel lies at the
    # end of a long branch off the ring. Insight: eat the cell while the
    # Gnarrow runs the way that brings it to the cell along the shaft's
    # blind side; then it circles the ring for good and never looks into
    # the branch or the exit's nook. Eaten while it runs the other way, it
    # climbs into the shaft, and if Pellik is out of there, it still looks
    # into the branch every lap, sooner than he can fetch the quarkel.
    c = Canvas(60, 24, "#")
    c.rect(28, 3, 32, 5, " ").put(30, 6, "v").put(30, 7, " ")
    c.rect(24, 8, 36, 14, " ", filled=False).rect(25, 9, 35, 13, "7").rect(27, 10, 33, 12, "R")
    c.put(30, 8, ".").put(30, 15, " ").put(30, 16, "E")
    c.hline(37, 52, 11, " ").vline(52, 12, 16, " ").hline(47, 51, 16, " ").put(47, 16, "q")
    c.put(30, 4, "P").put(25, 14, "G")
    middle.append(Level("Close the ring", "eat the last cell of a ring while the hunter runs the way that keeps it in",
                        plated(c, "6"), "D@30,5 D@30,7 W230 K24x16 W560 D1 R@36,8 D@36,11 R@52,11 D@52,16 L@47,16 "
                        "R@52,16 U@52,11 L@37,11 W90 L1 D@36,14 L@30,14 D1 D1"))

    # Crossing the tracks: three corridors lie across Pellik's way down, a
    # Gnarrow shuttling in each, and one-way ports lead straight down from
    # one to the next, so once started there is no stopping on a track.
    # Insight: read the three shuttles from the closet above and go when
    # each will be far from the crossing as Pellik reaches its track; the
    # tracks are of different lengths, so that moment comes only now and then.
    c = Canvas(60, 24, "#")
    c.put(30, 5, "P").put(30, 6, "v").put(33, 8, "v").put(27, 10, "v").put(35, 12, "v")
    c.hline(24, 37, 7, " ").hline(22, 36, 9, " ").hline(24, 40, 11, " ")
    c.put(35, 13, " ").put(35, 14, "E")
    c.put(37, 7, "G").put(22, 9, "G").put(40, 11, "G")
    middle.append(Level("Crossing the tracks", "cross three hunters' tracks in one go; read when each is away",
                        plated(c, "9"), "W128 D1 D1 R@33,7 D1 D1 L@27,9 D1 D1 R@35,11 D1 D1 D1"))

    # Dig yourself a nook: a Gnarrow comes down the long corridor towards
    # Pellik, and its walls hold a few cells of base and a few bugs. Insight:
    # it looks into every opening on its left and never into one on its
    # right, so dig the nook into the wall on its right; the near cells on
    # that side are bugs, which spark when they like, so walk on to the base
    # cell further up the corridor. The base on the other side is a trap.
    c = Canvas(60, 24, "#")
    c.put(14, 9, " ").put(14, 10, "v")
    c.hline(10, 57, 11, " ").put(58, 11, "E")
    for x in (18, 22, 26):
        c.put(x, 10, "B")
    for x in (29, 38):
        c.put(x, 10, ".")
    for x in (17, 21, 25, 35):
        c.put(x, 12, ".")
    c.put(14, 9, "P").put(57, 11, "G")
    middle.append(Level("Dig yourself a nook", "dig a nook on the hunter's blind side; bugs make the near ones a gamble",
                        plated(c, "8"), "D1 D1 R@29,11 U1 W200 D1 R@57,11 R1"))

    # A road for the hunter: a Gnarrow paces the pen at the exit, and the
    # only door into it opens onto the corridor where Pellik stands; once
    # the door is eaten the Gnarrow comes out and runs the corridor to its
    # dead end. Insight: it turns into every opening on its left, so dig it
    # a deep road down through the base on that side first, open the door,
    # and wait beyond the road's mouth: while it runs down and back, slip
    # past and into the pen behind it. Hide in the road and it finds you.
    c = Canvas(60, 24, "#")
    c.rect(8, 3, 12, 5, " ").put(12, 6, "v")
    c.hline(6, 30, 7, " ").put(31, 7, ".").hline(32, 50, 7, " ").put(51, 7, "E")
    c.vline(22, 8, 14, ".")
    c.put(10, 4, "P").put(40, 7, "G")
    middle.append(Level("A road for the hunter", "dig the hunter a road on its left, and it leaves the way to you",
                        plated(c, "5"), "R@12,4 D@12,5 D1 R@22,7 D@22,14 U@22,7 R@30,7 R1 L@20,7 W170 R@50,7 R1"))
    return middle


# The end of the chapter: the hardest hunts.
def closing_levels():
    last = []

    # Not by the door: the exit sits at the foot of the shaft an Electron
    # paces, and the quota is three quarkels that only the Electron holds. A
    # grobble waits on the ledge at the shaft's top. Insight: its blast takes
    # whatever is within a cell of it, the exit too; push the grobble in while
    # the Electron is on its way up, so that they meet high in the shaft.
    # Pushed while it heads down, the grobble follows it to the foot.
    c = Canvas(60, 24, "#")
    c.rect(36, 2, 44, 6, "3", filled=False).rect(37, 3, 43, 5, " ")
    c.hline(32, 36, 4, " ").put(31, 4, "O")
    c.rect(29, 3, 31, 18, "7", filled=False).vline(30, 4, 17, " ").put(31, 4, "O")
    c.rect(24, 15, 29, 19, "5", filled=False).rect(25, 16, 28, 18, "R").put(29, 17, "E")
    c.put(30, 18, "7")
    c.put(41, 4, "P").put(30, 12, "e")
    last.append(Level("Not by the door", "the blast takes the exit too; let the stone meet the Electron high",
                      c, "L@32,4 W220 L@31,4 W250 L1 D@30,17 L1", quota=3))
    # Hold still: the quota is three quarkels and only the Electron in the
    # hall holds them. A grobble sits on the base lid of the deep nook the
    # Electron looks into on its way east, and the only way to the lid is a
    # port that freezes the hunters. Insight: the freeze is the aim, not the
    # escape; pass the port while the Electron is up in the nook, and the
    # stone can be dropped on it at leisure. Frozen out in the hall, it keeps
    # its quarkels and bars the way to the exit.
    c = Canvas(60, 24, "#")
    c.rect(19, 1, 27, 7, "8", filled=False).rect(20, 2, 26, 6, " ")
    c.rect(33, 4, 35, 12, "9", filled=False).rect(25, 11, 47, 13, "9", filled=False)
    c.put(27, 4, " ").put(28, 4, ">").hline(29, 33, 4, " ").put(34, 4, ".").put(34, 3, "O")
    c.vline(34, 5, 11, " ").hline(26, 45, 12, " ").put(46, 12, "E")
    c.rect(20, 8, 26, 10, "R")
    c.put(23, 4, "P").put(40, 12, "e")
    last.append(Level("Hold still", "freeze the Electron under the stone, then drop it at leisure",
                      c, "R@27,4 W340 R1 R@33,4 K20x16 W200 R1 D@34,12 R@45,12 R1",
                      quota=3, ports=[(28, 4, "freeze-enemies")]))
    # Spent sparks: an Electron paces the upper shaft and a Gnarrow the lower
    # one, a base lid between them, and the exit lies past the Gnarrow's
    # foot. The exit wants two quarkels; the Electron holds three. Insight:
    # the third is the stone. Drop the grobble on the Electron, let its
    # quarkels settle on the lid, then come round through the port and eat
    # the lid from beside it while the Gnarrow is low: the first quarkel to
    # fall crushes it, the others come down after the fire. Opened with no
    # stone on it, the lid lets the Gnarrow out at the one who opened it.
    c = Canvas(60, 24, "#")
    c.rect(36, 2, 44, 6, "4", filled=False).rect(37, 3, 43, 5, " ")
    c.rect(29, 3, 31, 19, "0", filled=False).vline(30, 4, 9, " ").put(30, 10, ".").vline(30, 11, 18, " ")
    c.hline(31, 36, 4, " ").put(31, 4, "O")
    c.vline(40, 6, 21, " ").hline(24, 40, 21, " ").vline(24, 10, 21, " ").hline(24, 27, 10, " ")
    c.put(40, 7, "v").put(28, 10, ">").put(29, 10, " ")
    c.rect(31, 16, 37, 20, "5", filled=False).rect(32, 17, 36, 19, "R").hline(31, 33, 18, ".").put(34, 18, "E")
    c.rect(20, 14, 23, 17, "R").rect(41, 14, 44, 17, "R")
    c.put(40, 4, "P").put(30, 6, "e").put(30, 14, "G")
    last.append(Level("Spent sparks", "one of the Electron's quarkels is the stone for the Gnarrow",
                      c, "L@32,4 W1 L@31,4 W300 R@40,4 D@40,21 L@24,21 U@24,10 R@27,10 R1 W100 K20x16 W250 R1 D@30,18 R@33,18 R1",
                      quota=2))
    # Between two fires: a Gnarrow runs a loop pinched in the middle round
    # the exit's quarkels, and Pellik's closet lies inside the pinch, by the
    # base cell that would cut the loop in two. Insight: eating it closes
    # two small loops, and the Gnarrow keeps to the one it is in, so eat it
    # from the closet while the Gnarrow is in the far half: shut in there it
    # passes the closet on its blind side and leaves the near half, the
    # quarkels and the exit's door to Pellik. Eaten while it is in the near
    # half, it comes through the cut, looks into the closet and hunts the near
    # half for good; the deep nook of the first quarkel leaves no time to
    # race it round.
    c = Canvas(60, 24, "#")
    c.rect(12, 5, 29, 18, " ", filled=False).rect(32, 5, 47, 18, " ", filled=False)
    c.hline(29, 32, 11, " ").hline(29, 32, 13, " ").vline(30, 5, 10, "#").vline(31, 5, 10, "#")
    c.put(32, 12, "#").put(29, 12, ".").put(28, 12, " ").put(27, 12, ">")
    c.rect(20, 9, 26, 14, "4", filled=False).rect(21, 10, 25, 13, " ").put(26, 12, " ")
    c.rect(34, 7, 45, 16, "R").rect(14, 7, 19, 16, "3")
    c.vline(16, 6, 12, " ").put(16, 13, "q").hline(13, 14, 15, " ").put(14, 15, "q")
    c.hline(6, 11, 11, " ").rect(4, 9, 8, 13, "6", filled=False).rect(5, 10, 7, 12, " ").put(5, 11, "E").put(8, 11, " ")
    c.put(23, 12, "P").put(24, 17, "G")
    last.append(Level("Between two fires", "cut the hunter's loop in two while it runs the far half",
                      c, "R@26,12 R@28,12 W560 K20x16 R1 U@29,5 L@16,5 D@16,13 U@16,5 L@12,5 D@12,15 R@14,15 "
                      "L@12,15 U@12,11 L@6,11 L1",
                      quota=2))
    return last


# Late hunts: two Electrons and the second stone beside the first; an
# Electron led into a bay under the stone.
def late_levels():
    late = []

    # Spare the second stone: two Electrons pace two shafts, and the exit
    # wants the quarkels of both. Both grobbles lie on the one ledge road
    # from the start, one on each side of the near shaft's mouth: the near
    # one must go down first, and the far one can only be pushed on to the
    # far shaft from that mouth, which is safe only once its Electron is
    # dead. Insight: push the first stone while the near Electron is down
    # the shaft, so that the stone follows it and they meet low. Pushed as
    # it climbs to the mouth, they meet at the top, the blast takes the
    # second stone, and the far Electron keeps its quarkels (R restarts).
    c = Canvas(60, 24, "#")
    c.rect(33, 12, 43, 20, "2", filled=False).rect(34, 13, 42, 19, " ")
    for x, y in ((34, 13), (42, 13), (34, 19), (42, 19)):
        c.put(x, y, "R")
    c.hline(28, 31, 4, " ").vline(31, 5, 16, " ").hline(32, 33, 16, " ")
    c.rect(25, 3, 27, 19, "7", filled=False).vline(26, 4, 18, " ").vline(27, 17, 18, "R")
    c.rect(21, 3, 23, 15, "5", filled=False).vline(22, 4, 14, " ").hline(23, 24, 4, " ")
    c.put(27, 4, "O").put(25, 4, "O")
    c.put(21, 14, ".").hline(15, 20, 14, " ")
    c.rect(9, 11, 15, 17, "6", filled=False).rect(10, 12, 14, 16, " ").put(15, 14, " ").put(11, 14, "E")
    c.put(38, 16, "P").put(26, 12, "e").put(22, 9, "e")
    late.append(Level("Spare the second stone", "let the first stone meet its Electron low, or its blast takes the second",
                      c, "L@31,16 U@31,4 L@27,4 R2 W200 L@26,4 L@23,4 R3 W200 D@26,18 U@26,4 L@22,4 D@22,14 L@12,14 L1",
                      quota=6))


    # Points: an Electron runs the ring with the outer wall on its left, so it
    # turns into any opening on that side. A bay hangs off the ring's top
    # under a grobble's ledge, shut by a base plug, and Pellik reaches it only
    # through a port that the Electron cannot pass. Insight: open the plug
    # from inside the bay while the Electron is far round the ring, get out,
    # and push the grobble while the Electron climbs the bay: the stone meets
    # it on the way up and its quarkels settle at the bay's foot. The shaft
    # down from the corridor looks like the way to the exit; open its plug
    # and the Electron leaves the ring up that shaft, into Pellik's corridors.
    # The one-way port out of the start room keeps a plain walk at home.
    c = Canvas(60, 24, "#")
    c.rect(3, 1, 10, 4, " ")
    for x, y in ((3, 1), (10, 1), (3, 4), (10, 4)):
        c.put(x, y, "R")
    c.put(11, 2, ">").hline(12, 40, 2, " ").vline(40, 3, 4, " ").put(39, 4, "O")
    c.vline(36, 3, 7, " ").put(37, 7, "-").vline(38, 4, 9, " ").put(38, 10, ".")
    c.vline(24, 3, 9, " ").put(24, 10, ".")
    c.rect(20, 11, 44, 16, " ", filled=False).rect(22, 13, 42, 14, "R")
    c.put(30, 17, "E")
    c.put(6, 3, "P").put(26, 16, "e")
    late.append(Level("Points", "open the hunter a bay on its left, under the stone, and it goes where you want",
                      plates(c, "2"), "R@10,3 U1 R@36,2 D@36,7 R@38,7 D@38,9 K24x16 U@38,7 L@36,7 U@36,2 "
                      "R@40,2 D@40,4 W600 L@39,4 R1 W200 L2 D@38,11 R@44,11 D@44,16 L@30,16 D1", quota=3))
    return late


# The chapter's finale: two ideas at once.
def final_levels():
    final = []

    # Fire next door: the exit's quota is held by an Electron caged in RAM
    # beside the foot of a Gnarrow's shaft, where no stone can reach it. A
    # grobble waits on the ledge at the shaft's top. Insight: the Gnarrow's
    # blast is the fuse; push the grobble while the Gnarrow heads down, so
    # that it is crushed at the foot, next to the cage. Crushed higher up, its
    # fire never touches the cage, and the Electron keeps its quarkels.
    c = Canvas(60, 24, "#")
    # The lookout: a low gallery with a bay of RAM, the grobble's ledge at
    # its east end.
    c.rect(9, 2, 22, 5, "4", filled=False).rect(10, 3, 21, 4, " ")
    c.rect(11, 5, 15, 8, "4", filled=False).rect(12, 5, 14, 7, " ").hline(12, 14, 7, "R")
    c.hline(22, 27, 4, " ")
    # The shaft, the Gnarrow's whole world, and the cage at its foot.
    c.rect(28, 3, 30, 17, "6", filled=False).vline(29, 4, 16, " ").put(28, 4, "O")
    c.put(29, 17, "R").put(27, 17, "R").put(28, 18, "R").put(28, 17, "e")
    # The exit hall: pillars of plates either side of the way in.
    c.hline(19, 26, 17, " ").hline(20, 27, 16, "6").hline(20, 27, 18, "6")
    c.rect(3, 14, 19, 20, "2", filled=False).rect(4, 15, 18, 19, " ").put(19, 17, " ")
    for x in (7, 10, 13, 16):
        c.put(x, 15, "8").put(x, 19, "8")
    c.put(5, 17, "E")
    c.put(18, 4, "P").put(29, 10, "G")
    final.append(Level("Fire next door", "crush the Gnarrow at the foot, and its blast sets off the caged Electron",
                       c, "R@27,4 W380 R@28,4 W320 R1 D@29,17 L@6,17 L1", quota=4))
    return final
