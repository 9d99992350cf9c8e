"""Chapter four of the campaign: circuits. Ports and the machine: one-way
ports make routes that cannot be walked back, two-way and cross ports let
Pellik through walls, special ports switch gravity and the freezes so that
one field turns into another puzzle after the pass, invisible walls show
themselves by what rests on them; the chapter ends with levels that combine
every mechanic of the campaign."""
from level_kit import Level, room


def shift(walk, dx, dy):
    """The walk with its @ targets moved by (dx, dy): walks are written in the
    picture's own columns and rows."""
    out = []
    for tok in walk.split():
        if "@" in tok:
            head, at = tok.split("@")
            x, y = (int(v) for v in at.split(","))
            tok = "%s@%d,%d" % (head, x + dx, y + dy)
        out.append(tok)
    return " ".join(out)


def keys(stream):
    """A key stream as karvolt-solve prints it ("4x32,8x16") as walk tokens."""
    return " ".join("K" + run for run in stream.split(","))


def level(title, teaches, x0, y0, rows, walk, **kw):
    return Level(title, teaches, room(x0, y0, rows), shift(walk, x0, y0), **kw)


def levels():
    return opening_levels() + port_levels() + finale_levels()


def opening_levels():
    out = []

    # No way back. Idea: a one-way port cannot be walked back. Four rooms
    # round Pellik's hall, each entered and left by one-way ports; the exit
    # lies beyond the south-east room. Insight: the west rooms lead back to
    # the hall, the east ones only on to the exit, so go west first; take the
    # east ports early and a quarkel is left behind for good.
    out.append(level("Point of no return", "one-way ports: go round the west rooms before the east ones", 20, 7, [
        "####################",
        "#q...#     #   q####",
        "#    <     >    ####",
        "#    #     #    ####",
        "##v###  P  ###v#####",
        "#    #     #    ####",
        "# q  >     >      E#",
        "#    #     #    ####",
        "####################",
    ], keys("1x32,2x32,1x64,8x16,17x16,8x48,24x16,4x64,2x64,4x128,8x16,20x16,8x32,4x16,8x16,4x33")))

    # Fall and climb. Idea: a special port that turns gravity on makes the
    # next room another puzzle. Past the port Pellik drops down the empty
    # shaft into the pit; the only way out is the base column, climbed cell
    # by cell to the up port in the ceiling, which turns gravity off again.
    # Insight: the quarkel in the side niche halfway up must be taken on the
    # climb, and on the way back Pellik must go on up the column as he
    # steps onto it: the column below him is eaten, and if he drops there
    # is no way back up (holding up and left together from the niche does
    # it without timing: up is refused until the column is overhead).
    out.append(level("Fall and climb", "gravity on past the port: climb the base column, take the niche on the way", 16, 4, [
        "#######################",
        "##########      q  E###",
        "#       > ###^#########",
        "# q     # ###.#########",
        "#       # ###.#########",
        "#   P   # ###...q######",
        "#       # ###.#########",
        "#       # ###.#########",
        "#     q # qq .#########",
        "#       ###############",
        "#######################",
    ], keys("1x16,8x64,0x64,17x16,4x48,2x112,4x48,0x128,4x64,2x48,4x32,20x16,1x32,2x64,4x81"),
       ports=[(16 + 8, 4 + 2, "gravity"), (16 + 13, 4 + 2, "none")]))

    # Switchboard. Idea: a maze of ports whose order matters. Six rooms in
    # two rows; the south-east room with the exit takes Pellik in but never
    # lets him out, and the north-east room leads only there. Insight: work
    # backwards from the exit: the north-east room must be the last before
    # it, so go down from the middle room first, round through the west
    # rooms (the two-way port between them is the way back up) and only then
    # east.
    out.append(level("Switchboard", "a maze of ports: plan the order backwards from the room you cannot leave", 20, 6, [
        "###################",
        "#q    #    q#    q#",
        "#  P  >     >     #",
        "#     #     #     #",
        "###|#####v#####v###",
        "#     #     #     #",
        "#q    <    q>   E #",
        "#     #     #    q#",
        "###################",
    ], keys("4x96,8x48,4x32,8x16,24x16,1x160,24x16,2x16,4x32,2x32,1x16,17x16,2x16,4x144,24x16,4x80,"
            "8x16,20x16,1x16,8x32,4x32,8x16,24x16,1x1")))

    # Glass floor. Idea: invisible walls show themselves by what rests on
    # them, and gravity turns them into floors. Past the gravity port Pellik
    # falls into a tall hall where rows of quarkels hang on invisible
    # ledges. Insight: each ledge is exactly as wide as its row of quarkels;
    # walk it to its far end and choose the edge to step off by where the
    # fall lands: the bottom left and bottom right pits hold a quarkel each
    # but no way out, so leave the middle ledge to the right and the lowest
    # one back to the left, after taking all of it.
    out.append(level("Glass floor", "invisible ledges under hanging quarkels: gravity makes them floors", 19, 3, [
        "######################",
        "#     >              #",
        "#  P  #              #",
        "#     #              #",
        "#     #qqqq          #",
        "#######WWWW          #",
        "#######              #",
        "#######              #",
        "#######    qqq       #",
        "#######    WWW       #",
        "#######              #",
        "#######       qqq    #",
        "#######       WWW    #",
        "#######    #    #    #",
        "#######    #    #    #",
        "#######    #    #    #",
        "####### q  #E   #  q #",
        "######################",
    ], keys("2x16,4x64,0x64,8x16,4x64,0x64,8x16,4x48,0x64,4x16,8x16,20x16,1x48,0x64,1x1"),
       quota=10, ports=[(19 + 6, 3 + 1, "gravity")]))

    # Light work. Idea: a special port that turns gravity off, on a loop of
    # one-way ports. Gravity is on from the start, so the quarkels under the
    # ceilings are out of reach on their shelves; the port out of the south middle room turns
    # it off for good. Insight: the north-east room leads only down to the
    # exit room, so it must be the last; go round the loop once to turn
    # gravity off, then a second time for the ceiling quarkel of the south
    # middle room, which gravity hid on the first pass.
    out.append(level("Light work", "go round the loop twice: once to turn gravity off, once for the ceiling", 21, 7, [
        "###################",
        "#q    #   q >   q #",
        "##    #   # #   # #",
        "# P   >     #     #",
        "###^#####v#####v###",
        "#     #q    #     #",
        "#     ##    #     #",
        "#q    <     #    E#",
        "###################",
    ], keys("4x112,8x32,0x64,1x112,17x16,2x32,4x16,2x32,1x16,2x32,17x16,4x48,8x32,4x64,8x32,1x16,17x16,"
            "8x32,1x80,2x64,4x64,2x32,4x128,20x16,8x64,4x32,8x17"),
       gravity=True, ports=[(21 + 6, 7 + 7, "none")]))

    # Set in stone. Idea: frozen grobbles hang where they are pushed, and a
    # special port that thaws them drops them all at once. The level starts
    # frozen; the quarkels lie in the side room behind the port, which also
    # turns gravity on, and from there the way is the floor below with a
    # hole in it. Insight: before the pass, push one hanging grobble over
    # the hole (it fills it when it drops) and the others over the two
    # brackets; a grobble left over the floor lands in the way and can only
    # be pushed on against the exit.
    out.append(level("Set in stone", "place the frozen grobbles before the port thaws them: one into the hole", 19, 6, [
        "######################",
        "#    #               #",
        "#    <  P            #",
        "#    #               #",
        "#    #   O    O  O   #",
        "#    #          #  # #",
        "#    #               #",
        "#    #               #",
        "#qqq >              E#",
        "############ #########",
        "######################",
    ], "D2 R@11,4 U1 R@16,3 D1 R@18,4 U1 L@13,3 D1 R@15,4 U2 L@6,2 L@4,2 L@1,8 R@4,8 R@6,8 R@19,8 R1",
       freeze=True, ports=[(19 + 5, 6 + 2, "gravity")]))

    return out


# Ports of every kind, special ports, invisible walls, ports and falls.
def port_levels():
    middle = []

    # Stone in the doorway. Idea: a grobble in front of a port keeps it shut,
    # since Pellik leaves a port only into a cell he can enter. The stone
    # sits on a single base cell that the corridor below can reach; eaten
    # away, it drops down the pit beneath it. Insight: the pit holds a
    # quarkel, so take it before the stone goes down on top of it; then eat
    # the base and step aside, and the port to the exit is free.
    middle.append(level("Stone in the doorway", "a grobble blocks the port: take the pit before you drop it", 22, 8, [
        "################",
        "#     #    E####",
        "#q P  >O########",
        "#^##v##. #######",
        "#           q###",
        "####### ########",
        "#######q########",
        "################",
    ], keys("1x16,17x16,4x32,8x32,4x48,8x16,24x16,2x16,18x16,4x64,20x16,1x64,2x48,4x49")))

    # Circuit breaker. Idea: with gravity on only the doors at floor level are
    # in reach, and a port that turns gravity off again opens the rest. The
    # middle room's quarkel lies on a shelf; its floor door east turns
    # gravity on for good. Insight: go down into the room below first (that
    # port turns gravity off), come back up through the lift and take the
    # shelf, and only then the east door; the floor door from the room below
    # to the exit is the same mistake in another place.
    middle.append(level("Circuit breaker", "gravity off comes from below: take the shelf before the east door", 20, 6, [
        "###################",
        "#     #  q  #    ##",
        "#  P  #  #  #     #",
        "#q    >     >    q#",
        "#######^#v#####v###",
        "#RRRRR#     #     #",
        "#RRRRR#     #     #",
        "#RRRRR#q    >  E q#",
        "###################",
    ], keys("1x32,17x16,4x112,8x32,1x32,8x16,24x16,2x80,4x64,8x32,4x80,20x16,1x16,8x32,1x16,4x16,1x16,20x16,1x1"),
       gravity=True, ports=[(20 + 12, 6 + 3, "gravity"), (20 + 9, 6 + 4, "none")]))

    # Until the thaw. Idea: a special port that freezes the grobbles makes a
    # deadly dig safe. Three grobbles sit on the base of a corridor, each over
    # a shaft down to a quarkel; thawed, a grobble drops after Pellik the
    # moment he steps from under it, caps the shaft or crushes him in it.
    # Insight: past the port they hang where they are, so dig every shaft
    # before the port to the exit room, which thaws them again.
    middle.append(level("Until the thaw", "dig under the hanging grobbles while the port holds them", 18, 8, [
        "#######################",
        "#######O#O#O###########",
        "#    > ......>      ###",
        "#  P ##.#.#.##   E  ###",
        "#    ##.#.#.##      ###",
        "#    ##q#q#q##      ###",
        "#######################",
    ], keys("2x16,4x64,8x32,24x16,2x32,4x32,8x32,24x16,2x32,4x32,8x32,24x16,2x32,4x96,8x1"),
       ports=[(18 + 5, 8 + 2, "freeze-grobbles"), (18 + 13, 8 + 2, "none")]))

    # Frozen patrol. Idea: a port that freezes the enemies turns a patrolled
    # ring into a maze with one fixed deadly cell. An electron runs round the
    # block that holds the quarkels; the port into the ring stops it wherever
    # it is when Pellik steps out. Insight: the block has a way in from the
    # north and the south and the ring can be walked either way round, so
    # anywhere will do but the mouth of the port to the exit: step through
    # while the electron is away from it.
    middle.append(level("Frozen patrol", "the port stops the electron where it is: not in front of the way out", 19, 6, [
        "######################",
        "#    #          #    #",
        "#    # ###.#### #    #",
        "# P  > #q....q# >  E #",
        "#    # ####.### #    #",
        "#    #     e    #    #",
        "######################",
    ], keys("4x64,2x32,4x64,8x32,1x16,17x16,4x48,20x16,1x16,8x32,4x64,2x32,4x49"),
       ports=[(19 + 5, 6 + 3, "freeze-enemies"), (19 + 16, 6 + 3, "none")]))

    # Crossed wires. Idea: the Switchboard again, but each port may switch
    # gravity, so a room is another puzzle depending on the door you came in
    # by. The port beside Pellik turns gravity on, and in the middle room the
    # door on to the east lies above the floor: a Pellik who takes it sits on
    # the floor for good. Insight: go down, east through the port that turns
    # gravity off, up into the middle room, and east from there.
    middle.append(level("Crossed wires", "the port beside you turns gravity on: go round by the room below", 20, 6, [
        "###################",
        "#     #     #     #",
        "#  P  >     >     #",
        "#q    #    q#    q#",
        "###v#####^#####v###",
        "#     #     #     #",
        "#     >     #   E #",
        "#q    #    q#    q#",
        "###################",
    ], keys("1x16,8x16,0x16,17x16,4x16,8x32,1x32,8x16,24x16,4x160,24x16,1x32,2x48,4x32,2x16,4x80,8x16,20x16,1x16,8x32,4x32,8x16,24x16,1x1"),
       ports=[(20 + 6, 6 + 2, "gravity"), (20 + 12, 6 + 2, "none"), (20 + 6, 6 + 6, "none")]))

    # Straight across. Idea: a cross port passes Pellik straight on, from any
    # side, but never round the corner. Four rooms meet at one cross; north
    # and south are joined through it, west and east too. A one-way port
    # beside Pellik leads from the north room to the east one, another from
    # the south room to the west one. Insight: west and east only lead to
    # each other, so they must come last: down through the cross first,
    # then the south room's port, and across to the exit.
    middle.append(level("Straight across", "a cross port lets Pellik through straight on, never round the corner", 19, 5, [
        "#####################",
        "#######   P  >   ####",
        "#######q     ###v####",
        "##     ###.####     #",
        "##     ###.####     #",
        "##     ### ####     #",
        "##     .. + ..      #",
        "##     ### ####     #",
        "##     ###.####  E  #",
        "##  q  ###.####    q#",
        "####^#####      #####",
        "####      q     #####",
        "#####################",
    ], keys("1x32,8x16,17x16,4x32,8x128,24x16,4x80,2x16,4x48,20x16,1x48,2x48,1x176,8x32,24x16,2x32,4x208,8x17")))

    # Lift shafts. Idea: two-way and one-way ports under gravity. Four floors
    # are joined by vertical ports: the two-way ones are lifts up and down,
    # the up-only ones lead one way, and a hole in a floor drops Pellik to the
    # one below. Insight: the right-hand tower (the second up port on the
    # ground floor, or the hole in the top floor) never leads back to the
    # left, so finish the left-hand floors first and drop into the tower last.
    middle.append(level("Lift shafts", "the two-way ports are lifts, the up ports and the holes lead one way", 20, 7, [
        "####################",
        "#q             q  E#",
        "##^########### ##|##",
        "#   q       #  q   #",
        "#####^# #########|##",
        "#q        #  q     #",
        "###|###########^####",
        "#  P    q         q#",
        "####################",
    ], keys("4x224,20x16,1x224,2x32,1x16,17x16,4x48,2x32,1x48,2x32,17x16,4x192,0x64,4x48,8x32,1x48,17x16,4x48,2x64,1x16,17x16,4x17"),
       gravity=True))

    # Cold circuit. Idea: one port freezes the grobbles and the enemies
    # alike. The electron's ring runs round a block in which four grobbles
    # hang over the base of a corridor with a shaft under each, as in Until
    # the thaw. Insight: everything inside must be dug in one visit, since
    # the only way on is the port that thaws both; and the corridor can be
    # entered from either end of the ring, so the moment of the freeze only
    # has to keep the electron off the port to the exit.
    middle.append(level("Cold circuit", "one pass freezes the electron and the grobbles alike", 18, 7, [
        "########################",
        "#    #            #    #",
        "#    > #O#O#O#O## #    #",
        "# P  # .......... #    #",
        "#    # #.#.#.#.## >  E #",
        "#    # #.#.#.#.## #    #",
        "#    # #q#q#q#q## #    #",
        "#    # ########## #    #",
        "#    #      e     #    #",
        "########################",
    ], keys("2x16,4x64,8x16,4x32,8x32,24x16,2x32,4x32,8x32,24x16,2x32,4x32,8x32,24x16,2x32,4x32,8x32,24x16,2x32,4x48,8x16,4x49"),
       ports=[(18 + 5, 7 + 2, "freeze-grobbles freeze-enemies"), (18 + 18, 7 + 4, "none")]))

    # Drop zone. Idea: invisible ledges, marked by the quarkels that rest on
    # them, under ports that turn gravity on; a lift that turns it off again
    # brings Pellik back up. Each drop port lands on a ledge or the floor.
    # Insight: walk a ledge to its end and choose the edge by where the fall
    # lands (the left ledge's right edge drops onto the middle one); every
    # trip down costs a climb back through the lift, so plan the drops to
    # take the ledges in as few trips as there are ports.
    middle.append(level("Drop zone", "glass ledges under the drop ports; the lift turns gravity off again", 20, 5, [
        "####################",
        "#  P       q       #",
        "###v####v#####v### #",
        "#                # #",
        "#                # #",
        "#qqqq      qqqqq # #",
        "#WWWW      WWWWW # #",
        "#                # #",
        "#    qqqqqq      # #",
        "#    WWWWWW      # #",
        "#                # #",
        "#                #^#",
        "#q      E       q  #",
        "####################",
    ], keys("8x32,1x16,8x16,1x16,17x16,4x48,0x64,8x16,4x96,0x64,4x112,2x176,1x64,8x32,1x16,8x16,1x32,17x16,4x64,0x128,4x32,2x176,1x160,8x32,0x64,1x80,0x64,1x32,17x16,4x81"),
       ports=[(20 + 3, 5 + 2, "gravity"), (20 + 8, 5 + 2, "gravity"), (20 + 14, 5 + 2, "gravity"),
                    (20 + 18, 5 + 11, "none")]))

    return middle


# The campaign's finale: every mechanic of the four chapters.
def finale_levels():
    last = []
    return last
