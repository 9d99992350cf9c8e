"""Chapter three of the classic campaign: charge. Red disks carried and laid,
orange disks that fall and blow up, yellow disks fired by the terminal, chains
of blasts set up in advance, blasts that leave quarkels, and what a blast
destroys and what stands."""
from level_kit import Canvas, Level

# Ticks of fire that lay a red disk (132 are needed) and of a blast's fire
# that stays deadly (a plain fire can be walked into after 30).
LAY = "K16x135"


def room(x0, y0, x1, y1, wall="1", fill="."):
    """A canvas of plain hardware with one walled room cut into it."""
    c = Canvas(60, 24, "#")
    c.rect(x0, y0, x1, y1, wall, filled=False).rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)
    return c


def levels():
    out = []

    # 1. The exit sits in a RAM vault and one red disk lies in the room. Every
    # cell from which a blast opens the vault also reaches one of the four
    # quarkels around it, and the quota wants all four. Insight: take the
    # quarkels first, then lay the disk beside the vault and run two cells.
    c = room(17, 4, 43, 18)
    c.rect(29, 10, 31, 12, "R").put(30, 11, "E")
    for x, y in ((30, 8), (27, 11), (33, 11), (30, 14)):
        c.put(x, y, "q")
    c.rect(20, 6, 22, 6, "7").put(21, 7, "r")
    c.put(22, 11, "P")
    out.append(Level("Mind the blast", "a blast takes what lies beside it: collect first, then blast", c,
                     "L@21,11 U@21,7 D@21,8 R@30,8 R@33,8 D@33,14 L@27,14 U@27,11 R@28,11 "
                     + LAY + " L@25,11 W60 R@29,11 R1"))
    return out
