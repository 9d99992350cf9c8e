"""Chapter three of the classic campaign: charge. Red disks carried and laid,
orange disks that fall and blow up, yellow disks fired by the terminal, chains
of blasts set up in advance, blasts that leave quarkels, and what a blast
destroys and what stands."""
from level_kit import Canvas, Level
from level_kit import room as plan

# Fire held long enough to lay a red disk (132 ticks are needed). A laid disk
# blows 80 ticks later; a plain fire can be walked into after 30 of its ticks.
LAY = "K16x135"


def room(x0, y0, x1, y1, wall="1", fill=" "):
    """A canvas of plain hardware with one walled room cut into it."""
    c = Canvas(60, 24, "#")
    c.rect(x0, y0, x1, y1, wall, filled=False).rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)
    return c


def levels():
    out = first_levels() + later_levels() + [last_level_d()]
    by_title = {lv.title: lv for lv in out}
    return [by_title[t] for t in ORDER] if ORDER else out


# The chapter's playing order, by title (the figures of karvolt-solve rise
# through it, with a breather now and then).
ORDER = ["Mind the blast", "Bridge for the bomb", "Corner shot", "Guard as the fuse", "Spare in the blast",
         "Hammer", "The port burns", "Keep the cage shut", "Same hole twice",
         "Under the shelf", "All at once", "Lay the fuse",
         "Dead link", "Nobody by the terminal", "Harvest", "Spent too early", "Up the chimney", "Break the fuse",
         "Quarkel fuse", "Three in order"]


def first_levels():
    out = []

    # 1. The exit sits in a RAM vault and one red disk lies in the room. Every
    # cell from which a blast opens the vault also reaches one of the four
    # quarkels around it, and the quota wants all four. Insight: take the
    # quarkels first, then lay the disk beside the vault and run two cells.
    c = room(17, 4, 43, 18)
    c.rect(29, 10, 31, 12, "R").put(30, 11, "E")
    for x, y in ((30, 8), (27, 11), (33, 11), (30, 14)):
        c.put(x, y, "q").put(x, y + 1, "7")
    c.rect(20, 6, 22, 6, "7").put(21, 7, "r")
    c.put(22, 11, "P")
    out.append(Level("Mind the blast", "a blast takes what lies beside it: collect first, then blast", c,
                     "L@21,11 U@21,7 D@21,8 R@30,8 R@34,8 D@34,11 L@33,11 R@34,11 D@34,14 L@30,14 "
                     "L@26,14 U@26,11 R@27,11 R@28,11 " + LAY + " L@25,11 W60 R@29,11 R1"))

    # 2. One red disk and two RAM doors, one east into the exit's hall and one
    # south into the quarkels' cellar. No cell in front of one door reaches
    # the other. Insight: a blast is a square; the corner cell diagonal to
    # both doors opens them both at once.
    c = room(15, 4, 45, 19)
    c.vline(31, 4, 13, "1").hline(15, 31, 13, "1").vline(31, 13, 19, "1")
    c.put(31, 11, "R").put(29, 13, "R")
    c.rect(32, 5, 44, 12, ".").rect(16, 14, 30, 18, ".")
    c.rect(24, 8, 26, 9, "3").rect(37, 14, 39, 16, "3")
    for x, y in ((18, 16), (23, 17), (27, 15)):
        c.put(x, y, "q")
    c.rect(32, 13, 44, 18, "#")
    c.put(17, 6, "r").put(21, 9, "P").put(43, 8, "E")
    out.append(Level("Corner shot", "one blast, two doors: a blast is square, so a corner reaches both", c,
                     "U@21,6 L@17,6 D@17,12 R@30,12 " + LAY + " L@28,12 W90 R@29,12 D@29,15 "
                     "L@27,15 D@27,17 L@18,17 U@18,16 R@28,16 U@28,14 R@29,14 U@29,12 R@30,12 "
                     "U@30,11 R@43,11 U@43,9 U1"))

    # 3. A gnarrow spins in a pocket of the bulkhead, and behind it a RAM door
    # leads to the exit; no cell that Pellik can reach lies beside the door.
    # Insight: the guard is the fuse. A red disk laid diagonally beside the
    # pocket blows the gnarrow up, and its own blast, a moment later, takes
    # the door.
    c = room(14, 5, 46, 17)
    c.vline(31, 5, 17, "1").vline(32, 5, 17, "1")
    c.put(31, 11, "G").put(30, 11, "R").put(32, 9, "7").put(32, 13, "7")
    c.vline(32, 10, 12, "R")
    c.rect(20, 8, 22, 8, "5").rect(20, 14, 22, 14, "5")
    c.rect(37, 7, 39, 8, "9").rect(37, 14, 39, 15, "9")
    c.put(21, 7, "r").put(24, 11, "P").put(43, 11, "E")
    for x, y in ((36, 11), (40, 11)):
        c.put(x, y, "q").put(x, y + 1, "9")
    out.append(Level("Guard as the fuse", "a blasted enemy blasts in turn: the guard opens the door", c,
                     "U@24,7 L@21,7 R@30,7 D@30,10 " + LAY + " L@27,10 W130 R@30,10 D1 R1 "
                     "R@42,11 R1"))

    # 4. An orange disk lies at the foot of a deep shaft, walled in beside the
    # exit's RAM vault; nothing can reach it but what falls. Insight: a
    # grobble that lands on an orange disk sets it off; eat the base at the
    # shaft's mouth, then push the grobble on the shelf into it.
    c = room(16, 4, 44, 18)
    c.rect(33, 8, 43, 17, "#").rect(39, 13, 41, 15, "R").put(40, 14, "E")
    c.vline(38, 8, 15, " ").put(38, 15, "o").put(38, 7, ".")
    c.rect(42, 13, 42, 15, "#").rect(39, 16, 43, 17, "1")
    c.hline(33, 37, 8, "7").hline(39, 43, 8, "7").rect(34, 9, 37, 17, "2").rect(39, 9, 43, 12, "2")
    c.put(37, 7, "O").put(37, 8, "1")
    c.rect(21, 10, 27, 13, "9").rect(22, 11, 26, 12, "6")
    for x, y in ((20, 7), (19, 16), (30, 6)):
        c.put(x, y, "q").put(x, y + 1, "7")
    c.put(30, 11, "P")
    out.append(Level("Hammer", "a grobble dropped on an orange disk sets it off", c,
                     "D@30,16 L@19,16 U@19,7 R@20,7 U@20,6 R@30,6 R@38,6 D@38,7 U@38,6 L@36,6 D@36,7 "
                     "R@37,7 W100 R@38,7 D@38,14 R@39,14 R1"))

    # 5. Two orange disks on a gallery and one hole in its floor. The first
    # disk blasts the plug under the hole and opens a pit; the second falls
    # through the pit onto the plug at its bottom, and its blast takes the two
    # quarkels lying beside that plug. Insight: after the first drop, climb
    # down and take the pit's quarkels before sending the second disk.
    c = room(17, 4, 43, 19, fill=" ")
    c.rect(18, 7, 42, 18, "#")
    c.hline(18, 42, 7, "7").put(30, 7, " ").put(30, 8, " ").put(30, 9, "R")
    c.vline(29, 8, 9, "1").vline(31, 8, 9, "1")
    c.rect(26, 10, 34, 14, " ").hline(26, 34, 15, "1").put(30, 15, "R")
    c.rect(27, 16, 33, 17, " ").put(32, 17, "E")
    c.put(29, 14, "q").put(31, 14, "q").put(20, 5, "q").put(40, 5, "q")
    c.put(26, 6, "o").put(34, 6, "o").put(22, 6, "P")
    out.append(Level("Same hole twice", "the second disk follows the first: clear the pit between", c,
                     "R@25,6 R@29,6 W110 R@30,6 D@30,14 L@29,14 R@31,14 L@30,14 U@30,6 L@20,6 U@20,5 "
                     "R@40,5 D@40,6 L@35,6 L@31,6 W120 L@30,6 D@30,16 R@31,16 D@31,17 R1"))

    # 6. Three RAM doors in the floor of the hall, two yellow disks and one
    # terminal, which works once. Insight: the two doors on the left stand two
    # cells apart, so one disk pushed to the cell between them opens both;
    # the other goes to the exit's door; only then use the terminal.
    c = room(16, 4, 44, 17, fill=" ")
    c.hline(17, 43, 13, "1").rect(17, 14, 43, 16, "#")
    c.put(22, 13, "R").put(24, 13, "R").put(37, 13, "R")
    c.rect(21, 14, 22, 15, " ").rect(24, 14, 25, 15, " ").rect(35, 14, 39, 15, " ")
    c.put(21, 15, "q").put(25, 15, "q").put(38, 15, "E")
    c.rect(17, 5, 18, 6, ".").put(17, 5, "T").put(17, 6, "3")
    c.rect(29, 9, 31, 9, "9")
    c.hline(40, 43, 9, "5").hline(17, 19, 10, "5")
    c.put(28, 7, "y").put(34, 11, "y").put(25, 6, "P")
    out.append(Level("All at once", "yellow disks wait for the terminal, which fires them all once", c,
                     "R@29,6 D@29,7 L@24,7 U@24,6 L@23,6 D@23,11 R@33,11 R@36,11 U@36,10 R@37,10 D@37,11 "
                     "U@37,7 L@19,7 U@19,5 L@18,5 L1 W60 R@20,5 D@20,12 R@22,12 D@22,15 L@21,15 U@21,14 "
                     "R@22,14 U@22,12 R@24,12 D@24,15 R@25,15 U@25,14 L@24,14 U@24,12 R@37,12 D@37,14 "
                     "R@38,14 D1"))

    # 7. A fuse of orange disks runs down a sealed channel to the exit's vault,
    # but a grobble sits in the channel's mouth. Insight: blasts run from disk
    # to disk, not through a grobble; the first red disk only clears the
    # grobble away, the second, laid in the mouth, lights the fuse.
    c = room(15, 5, 46, 18)
    c.rect(30, 6, 45, 17, "#").hline(30, 38, 11, "7").hline(30, 38, 13, "7")
    c.put(30, 12, "O").hline(31, 38, 12, "o")
    c.rect(39, 11, 41, 13, "R").put(40, 12, "E").rect(42, 10, 45, 14, "1")
    c.rect(20, 8, 24, 9, "4").rect(20, 15, 24, 16, "4")
    c.put(22, 7, "r").put(22, 17, "r").put(17, 12, "q").put(26, 7, "q").put(26, 17, "q")
    c.put(17, 13, "4").put(26, 8, "4")
    c.put(23, 12, "P")
    out.append(Level("Dead link", "a fuse of disks carries a blast; a grobble in it does not", c,
                     "R@25,12 U@25,7 R@26,7 L@22,7 L@17,7 D@17,12 R@18,12 D@18,17 R@22,17 R@26,17 "
                     "U@26,12 R@29,12 " + LAY
                     + " L@26,12 W140 R@30,12 " + LAY + " L@28,12 W260 R@39,12 R1"))

    # 8. The quota asks for twelve quarkels and only three lie about; an
    # electron spins in a RAM pocket, and the exit stands just below its
    # right-hand corner. Insight: a blasted electron blasts again in the
    # quarkel flavour and leaves nine quarkels; lay the red disk on a corner
    # away from the exit, since a blast takes the exit too.
    c = room(17, 4, 43, 18)
    c.rect(29, 10, 31, 12, "R").put(30, 11, "e").hline(28, 31, 13, "3").put(28, 12, "3")
    c.put(29, 10, ".").put(31, 10, ".").put(29, 12, ".").put(31, 12, ".")
    c.put(32, 13, "E").hline(27, 33, 14, "3").vline(27, 9, 13, "3").vline(33, 9, 13, "3")
    c.put(27, 11, " ").put(33, 11, " ")
    c.put(20, 6, "r").put(20, 16, "q").put(40, 6, "q").put(40, 16, "q")
    c.put(20, 17, "3").put(40, 7, "3").put(40, 17, "3")
    c.rect(22, 8, 23, 14, "5").rect(37, 8, 38, 14, "5")
    c.put(25, 11, "P")
    out.append(Level("Harvest", "a blasted electron leaves quarkels; a blast also takes the exit", c,
                     "U@25,6 L@20,6 D@20,16 R@40,16 U@40,8 R@41,8 U@41,6 L@30,6 D@30,8 L@29,8 D@29,10 " + LAY
                     + " U@29,8 L@26,8 W240 D@26,11 R@32,11 D@32,12 L@29,12 W20 "
                     "R@32,12 D1", quota=12))

    # 9. One red disk lies beside a RAM strongroom full of quarkels, and the
    # exit waits behind a RAM door at the end of a narrow corridor. Insight:
    # the strongroom has a second way in, an orange disk on the shelf above
    # its roof; the corridor has none. Spend the red disk on the door; a disk
    # spent on the strongroom leaves the exit shut for good.
    c = room(14, 4, 46, 18)
    c.rect(24, 10, 32, 14, "R").rect(25, 11, 31, 13, " ")
    for x in (25, 28, 31):
        c.put(x, 13, "q")
    c.hline(24, 32, 7, "7").put(28, 7, " ").rect(27, 8, 27, 9, "1").rect(29, 8, 29, 9, "1")
    c.vline(28, 8, 9, " ").put(26, 6, "o").hline(27, 28, 6, " ")
    c.rect(35, 5, 45, 17, "#").hline(35, 41, 11, " ").put(42, 11, "R").rect(43, 10, 44, 12, " ")
    c.put(44, 11, "E").hline(35, 41, 10, "9").hline(35, 41, 12, "9")
    c.put(21, 12, "r").put(17, 6, "q").put(17, 16, "q").put(19, 12, "P")
    c.put(17, 7, "9").put(17, 17, "9")
    out.append(Level("Spent too early", "one red disk, two doors: the strongroom has another way in", c,
                     "R@21,12 U@21,6 L@17,6 R@18,6 D@18,16 L@17,16 R@34,16 U@34,11 R@41,11 " + LAY + " L@37,11 W140 "
                     "L@34,11 U@34,5 L@25,5 D@25,6 R@27,6 W120 R@28,6 D@28,13 L@25,13 R@31,13 L@28,13 "
                     "U@28,6 R@34,6 D@34,11 R@43,11 R1"))

    # 10. A fuse of orange disks runs along a sealed channel to the door of
    # the quarkels' vault; a branch of yellow disks drops from it into the
    # hall, down to the one that stands beside the exit. Lit as it
    # is, the fuse blows up the exit too. Insight: break the branch first,
    # pushing the yellow disk two cells aside (a blast reaches diagonals
    # too), then light the fuse at its mouth.
    c = room(15, 5, 45, 18)
    c.rect(16, 6, 44, 9, "#").hline(23, 35, 7, "7").hline(24, 35, 9, "7")
    c.hline(24, 34, 8, "o").put(23, 8, " ").put(23, 9, " ").put(35, 8, "R")
    c.rect(36, 7, 40, 9, " ").hline(36, 40, 10, "1").rect(41, 6, 44, 9, "1")
    for x in (37, 38, 39, 40):
        c.put(x, 9, "q")
    c.vline(30, 9, 10, "y").vline(29, 9, 10, "1").vline(31, 9, 10, "1")
    c.put(30, 11, "y").put(30, 12, "y").put(30, 13, "1").put(31, 12, "E")
    c.rect(18, 14, 21, 16, "8").rect(38, 14, 41, 16, "8")
    c.put(25, 16, "r").put(20, 11, "P")
    out.append(Level("Break the fuse", "a fuse runs wherever disks touch: break the branch first", c,
                     "R@29,11 D@29,14 R@32,14 U@32,11 L@31,11 L@29,11 D@29,16 L@25,16 L@23,16 U@23,9 U@23,8 "
                     + LAY + " D@23,12 W420 U@23,8 R@40,8 L@37,8 D@37,9 R@40,9 L@36,9 U@36,8 L@30,8 "
                     "D@30,11 R@31,11 D1"))

    # 11. A row of yellow disks lies in a channel, an electron caged at its
    # left end; the quota wants a quarkel for nearly every disk. Insight: a
    # blast passed on by a disk keeps its flavour. Lit at the far end the row
    # burns plain and leaves nothing; laid on the electron's corner, the
    # electron's quarkel blast runs down the whole row and fills it with
    # quarkels.
    c = room(15, 5, 45, 18)
    c.rect(20, 10, 40, 14, "#").hline(21, 39, 11, "0").hline(21, 39, 13, "0")
    c.put(23, 12, "e").hline(24, 36, 12, "y").hline(37, 39, 12, " ")
    # Open floor before the cage, base only in its two plugs and the far end:
    # a field of base would make the walk-only proof count every bite of it.
    c.put(22, 11, ".").put(22, 12, "0").put(22, 13, ".").rect(16, 11, 21, 13, " ")
    c.vline(20, 10, 14, " ").put(40, 12, ".")
    c.rect(24, 7, 36, 8, "6").rect(24, 16, 36, 16, "6")
    c.put(18, 7, "r").put(42, 16, "E").put(42, 7, "P")
    out.append(Level("Quarkel fuse", "a blast passed from disk to disk keeps its flavour", c,
                     "U@42,6 L@18,6 D@18,11 R@22,11 " + LAY + " L@20,11 D@20,14 W500 U@20,11 R@22,11 L@21,11 "
                     "D@21,13 R@22,13 L@20,13 U@20,9 R@41,9 D@41,12 L@23,12 R@41,12 D@41,16 R1", quota=16))

    # 12. Three charges, three doors. The orange disk sits right under the
    # RAM door of the terminal's vault; the yellow disk must go down the
    # orange disk's chute to the exit's door; the cellar's quarkels lie beside
    # that door. Insight: the order is the puzzle. Drop the orange disk first
    # (a red blast beside it would set it off where it stands), take the
    # cellar's quarkels and bring the yellow disk down, then the red disk,
    # then the terminal.
    c = Canvas(60, 24, "#")
    c.rect(16, 1, 40, 8, "1", filled=False).rect(17, 6, 39, 7, " ").rect(17, 6, 22, 7, ".")
    c.hline(16, 40, 5, "1").rect(23, 2, 29, 4, " ").rect(22, 1, 30, 5, "7", filled=False)
    c.put(26, 5, "R").put(24, 3, "T").put(28, 4, "q").put(18, 6, "r")
    c.put(26, 7, "o").put(33, 7, "y").put(28, 8, " ")
    c.vline(28, 9, 11, " ").put(28, 12, "R").vline(27, 9, 12, "3").vline(29, 9, 12, "3")
    c.rect(23, 13, 34, 16, " ").rect(22, 12, 35, 17, "1", filled=False)
    c.vline(27, 12, 12, "1").put(28, 12, "R")
    c.put(31, 16, "q").put(33, 16, "q").put(35, 15, "R").rect(36, 14, 38, 16, " ").put(37, 15, "E")
    c.rect(35, 13, 39, 17, "1", filled=False).put(35, 15, "R")
    c.put(20, 7, "P")
    out.append(Level("Three in order", "three blasts, and only one order of them wins", c,
                     "U@20,6 L@18,6 R@24,6 D@24,7 R@27,7 W120 R@28,7 D@28,15 R@33,15 D@33,16 L@31,16 "
                     "U@31,13 L@28,13 U@28,6 R@34,6 D@34,7 L@29,7 U@29,6 L@28,6 D@28,14 L@27,14 D@27,15 "
                     "R@33,15 L@28,15 U@28,6 L@25,6 " + LAY + " L@21,6 W140 R@26,6 U@26,4 R@28,4 L@25,4 U@25,3 "
                     "L1 W120 R@26,3 D@26,6 R@28,6 D@28,15 R@36,15 R1"))
    return out


def later_levels():
    out = []

    # A. The quarkels lie in a vault whose only door is a one-way port, and
    # its walls are hardware. A red disk lies in the far corner of the hall.
    # Insight: a blast burns a port like anything else, while the hardware
    # beside it stands; carry the disk in (or burn the port first), collect
    # the quarkels by the door, then lay the disk beside the port and stand
    # clear.
    c = plan(14, 5, [
        "################################",
        "#                              #",
        "# P        ############        #",
        "#          #q  q      #  RRR   #",
        "#  4    4  #3  3      #  RrR   #",
        "#          >          #  R.R   #",
        "#  4    4  #q    q   q#        #",
        "#          ############        #",
        "#   E                          #",
        "################################",
    ])
    out.append(Level("The port burns", "a blast burns a port and leaves the hardware beside it", c,
                     "U@16,6 R@40,6 D@40,7 R@43,7 D@43,11 L@40,11 U@40,9 D@40,13 L@24,13 U@24,10 R@26,10 D@26,11 U@26,10 "
                     "R@27,10 U@27,8 L@26,8 R@29,8 R@30,8 D@30,11 R@31,11 R@35,11 U@35,10 L@26,10 "
                     + LAY + " R@29,10 W80 L@24,10 L@18,10 D@18,12 D1"))

    # B. An orange disk and a grobble lie on a gallery with two holes in its
    # floor: a shallow pit near the disk, and further on a shaft down to the
    # RAM plug over the exit's room. Pushed along, the disk drops into the
    # pit and is wasted. Insight: fill the pit first; the grobble, pushed
    # back into it from the far side, becomes the bridge the disk rolls over
    # (pushed the other way it would plug the shaft for good).
    c = plan(14, 4, [
        "################################",
        "##RRR##          ##7777#777#####",
        "##RRR##P o   O   ##7777#777#####",
        "##RRR###### ### ################",
        "###########7### ################",
        "############### ##9999##########",
        "##9999######### ##9999##########",
        "##9999######### ##9999##########",
        "##9999######### ################",
        "############### ################",
        "#########555555R5555555#########",
        "#########              #########",
        "#########          E   #########",
        "################################",
    ])
    out.append(Level("Bridge for the bomb", "fill the pit with the grobble, then the disk rolls over it", c,
                     "U@21,5 R@28,5 D@28,6 L@25,6 U@25,5 L@22,5 D@22,6 R@28,6 W170 R@29,6 D@29,15 "
                     "D@29,16 R@32,16 R1"))

    # D. Two RAM doors lie in the floor of the hall, five cells apart: one to
    # the quarkels' cellar, one to the exit's. There is one red disk, and no
    # cell is near both doors; three orange disks lie about the floor.
    # Insight: a blast runs along disks that touch; push the three disks
    # into a row between the doors (the far ones first, since a disk cannot
    # pass another), then one red disk at the row's end opens both.
    c = plan(15, 6, [
        "##############################",
        "####3####3####3####r##########",
        "#                     #999####",
        "# P     o o         o #999####",
        "############R####R############",
        "#########    7777      #######",
        "######### qq 7777    E #######",
        "##############################",
        "##############################",
        "##############################",
    ])
    out.append(Level("Lay the fuse", "disks pushed side by side carry one blast to two doors", c,
                     "U@17,8 R@24,8 D@24,9 R@28,9 U@28,8 L@22,8 D@22,9 R@27,9 U@27,8 R@34,8 U@34,7 D@34,8 R@36,8 D@36,9 L@31,9 "
                     + LAY + " U@31,8 R@35,8 W250 L@27,8 D@27,12 L@25,12 R@27,12 U@27,8 R@32,8 D@32,12 R@35,12 R1"))

    # E. A fuse of orange disks lies sealed in a channel high above the hall
    # and ends at the exit's RAM door; its only open end is the top of a
    # chimney. A yellow disk lies in the hall and the terminal stands by the
    # wall. Insight: a yellow disk goes up as well as sideways; bring it
    # under the chimney from the row that leaves room below it (a pillar
    # stands under the chimney's foot), push it up to the fuse, then fire it.
    c = plan(16, 5, [
        "############################",
        "############################",
        "##############7777777#######",
        "############## oooR E#######",
        "#######999#### 777777#######",
        "#######999#### #############",
        "############## #############",
        "## 3                   #####",
        "## T                   #####",
        "##    P  y    5   44   #####",
        "## 3              44   #####",
        "############################",
        "############################",
    ])
    out.append(Level("Up the chimney", "a yellow disk is pushed up too: carry the spark to the fuse", c,
                     "D@22,15 R@25,15 U@25,13 L@24,13 U@24,12 R@29,12 D@29,13 R@30,13 U@30,9 D@30,12 L@20,12 D@20,13 L1 W200 R@30,13 U@30,8 R@35,8 R1"))

    # F. Two RAM doors, two red disks. The first door is reached by a
    # corridor, and only its last cell brings the door into a blast; the
    # second disk lies in a nook beside that cell. Insight: a lying red disk
    # does not go off in a blast, it only burns; take the spare from the
    # nook before the first blast, and carry both.
    c = plan(14, 6, [
        "################################",
        "#    RR       #####          q #",
        "#    RR       #####   999    7 #",
        "#  P          #####   999      #",
        "#                 R            #",
        "#             ##r##  q         #",
        "#   r    444  ###########R######",
        "#        444  #######          #",
        "#        444  #######          #",
        "#####################       E  #",
        "################################",
        "################################",
    ])
    out.append(Level("Spare in the blast", "a lying red disk only burns: take the spare before the blast", c,
                     "D@17,12 R@18,12 U@18,10 R@30,10 D@30,11 U@30,10 R@31,10 " + LAY + " L@28,10 W70 R@35,10 D@35,11 U@35,10 R@42,10 U@42,7 R@43,7 L@39,7 D@39,11 "
                     + LAY + " U@39,7 W90 D@39,15 R@41,15 R1"))

    # G. The terminal stands in an alcove between two yellow disks, and two
    # RAM doors wait in the ceiling of the gallery above. Used at once, the
    # terminal fires the disks beside Pellik. Insight: every yellow disk
    # goes off, wherever it lies; push both up out of the alcove and along
    # the gallery to the doors, and only then use the terminal, which now
    # stands alone.
    c = plan(15, 6, [
        "##############################",
        "######qq    #######     E#####",
        "#########R###########R########",
        "########               #######",
        "########               #######",
        "##############yTy#############",
        "###3                       3##",
        "###                         ##",
        "###  P   44         44      ##",
        "###3     44         44     3##",
        "##############################",
        "##############################",
    ])
    out.append(Level("Nobody by the terminal", "the terminal fires the disks beside it too: move them first", c,
                     "U@20,13 R@29,13 U@29,10 R@30,10 U@30,9 L@26,9 D@26,10 R@29,10 D@29,12 R@31,12 U@31,10 L@30,10 U@30,9 R@34,9 L@30,9 D@30,10 D1 W120 U@30,9 L@24,9 U@24,7 L@21,7 R@24,7 D@24,9 R@36,9 U@36,7 R@38,7 R1"))

    # H. A corridor ends at the RAM door to the exit; over its last cells a
    # gnarrow paces a cage whose floor is two ports, and a nook opens below
    # the corridor's end. Insight: a blast burns ports, and the cage's bars
    # are ports; laid at the corridor's end the disk opens the cage as well
    # as the door, laid in the nook it reaches the door and not the bars.
    c = plan(15, 6, [
        "##############################",
        "##############################",
        "##############################",
        "############999###############",
        "############999#   ###########",
        "##3        #999#G  #       ###",
        "##         #####||## 44    ###",
        "##  P              R 44    ###",
        "##         ####### #     E ###",
        "##3      r #########       ###",
        "##############################",
        "##############################",
    ])
    out.append(Level("Keep the cage shut", "ports burn: lay the disk where the blast misses the cage", c,
                     "D@19,15 R@24,15 U@24,13 R@33,13 D@33,14 " + LAY + " U@33,13 L@29,13 W80 R@33,13 R@35,13 D@35,14 R@39,14 R1"))
    return out


def last_level_d():
    # A grobble rests in a nook of the hall floor on a RAM shelf; under the
    # shelf a horizontal port crosses the corridor, and under the port a shaft
    # drops to an orange disk beside the RAM door of the exit's vault. The one
    # red disk cannot reach the shaft's foot, only the grobble can. Insight:
    # the niche beside the shelf is the trap, its blast takes the grobble too;
    # laid one row lower, beside the port, the blast takes shelf and port and
    # stops one cell short of the grobble, which then falls onto the disk.
    c = Canvas(60, 24, "#")
    c.rect(13, 5, 46, 9, "1", filled=False).rect(14, 6, 45, 8, " ")
    c.hline(14, 45, 9, "7").rect(21, 7, 22, 8, "5").rect(30, 7, 31, 8, "5").rect(40, 7, 41, 8, "5")
    c.put(36, 9, "O").put(36, 10, "R").put(35, 10, " ").put(37, 10, " ")
    c.vline(27, 9, 10, " ").hline(27, 44, 11, " ").put(36, 11, "-")
    c.hline(26, 45, 12, "3").hline(28, 34, 10, "3").hline(38, 45, 10, "3")
    c.vline(36, 12, 16, " ").put(36, 17, "o").vline(35, 13, 18, "9").put(36, 18, "9")
    c.rect(37, 15, 42, 19, "1", filled=False).rect(38, 16, 41, 18, " ").put(37, 17, "R")
    c.put(41, 17, "E").put(39, 18, "q").put(40, 18, "q")
    c.put(15, 8, "q").put(45, 8, "q").put(44, 11, "q").put(45, 6, "r").put(33, 7, "P")
    return Level("Under the shelf", "a blast stops one cell short: lay it where the grobble is spared", c,
                 "U@33,6 L@15,6 D@15,8 U@15,6 R@45,6 D@45,8 U@45,6 L@27,6 D@27,11 R@35,11 R@37,11 R@44,11 L@37,11 L@35,11 "
                 + LAY + " L@31,11 W400 R@36,11 D@36,17 R@38,17 D@38,18 R@40,18 U@40,17 R1")
