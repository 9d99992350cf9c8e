"""Chapter four of the campaign: circuits. Ports and the machine: one-way
ports make routes that cannot be walked back, two-way and cross ports let
Pellik through walls, special ports switch gravity and the freezes so that
one field turns into another puzzle after the pass, invisible walls show
themselves by what rests on them; the chapter ends with levels that combine
every mechanic of the campaign."""
from level_kit import Canvas, Level, room


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

    # Fetch the fuse. Idea: a disk fetched through a one-way port blasts a
    # hunter's guard post, and the guard's own blast opens the door. The
    # hall's only way on is the port into the gallery, so its quarkels come
    # first. In the gallery an orange disk must go east to the shaft, but
    # between them a pit would swallow it and blow up the pusher. Insight:
    # walk over the top to the grobble beyond the pit and push it back into
    # the pit; then the disk rolls over the filled pit into the shaft, lands
    # beside the caged Gnarrow, and the Gnarrow's blast takes the RAM door.
    # A grobble pushed down the shaft instead plugs it: the disk then blows
    # up too high to reach the cage.
    pic = Canvas(30, 13, "#")
    pic.rect(1, 1, 6, 11, " ").rect(8, 1, 24, 2, " ").vline(17, 3, 9, " ")
    pic.put(12, 3, " ").put(7, 2, ">")
    pic.put(10, 2, "o").put(13, 2, "O")
    pic.put(18, 9, "R").put(18, 10, "G").put(19, 10, "R").hline(20, 26, 10, " ").put(27, 10, "E")
    pic.hline(20, 25, 9, "5").hline(20, 25, 11, "5")
    pic.put(1, 11, "q").put(6, 11, "q").put(3, 4, "q").put(23, 2, "q").put(24, 10, "q")
    pic.hline(2, 4, 5, "7").hline(3, 5, 8, "7").put(3, 2, "P")
    out_rows = pic.rows()
    last.append(level("Fetch the fuse", "fill the pit with the grobble, then roll the disk into the guard's shaft",
                      15, 5, out_rows,
                      "D@3,4 R@6,4 D@6,11 L@1,11 R@5,11 U@5,9 R@6,9 U@6,2 R@8,2 U@8,1 R@14,1 D@14,2 "
                      "L@13,2 U@13,1 L@9,1 D@9,2 R@16,2 U@16,1 R@22,1 D@22,2 R@23,2 U@23,1 L@17,1 D@17,9 R@18,9 D@18,10 R@26,10 R1"))

    # Hang them first. Idea: grobbles frozen in the air are placed before a
    # special port thaws them and turns gravity on; where each one hangs is
    # where it lands. The port booth drops Pellik back onto the walkway at
    # its west end, and from there he can only walk east and fall. Insight:
    # hang one grobble over the notch in the walkway, so that it becomes a
    # bridge, and one over the orange disk in the floor: it sets the disk
    # off, the blast opens the cellar and kills the caged Electron, whose
    # quarkels the quota needs. The third grobble is free to stay.
    pic = Canvas(24, 16, "#")
    pic.rect(1, 1, 3, 9, " ").rect(5, 1, 21, 9, " ").put(4, 3, "<").put(4, 9, ">")
    pic.put(9, 10, " ").put(15, 10, "o").put(15, 11, "R").put(16, 11, "e")
    pic.rect(11, 12, 21, 13, " ").put(16, 12, "3").put(21, 13, "E")
    pic.put(7, 4, "O").put(13, 4, "O").put(18, 4, "O")
    pic.put(1, 9, "q").put(7, 9, "q").put(12, 9, "q").put(19, 9, "q").put(12, 13, "q").put(19, 13, "q")
    pic.put(13, 2, "P")
    last.append(level("Hang them first", "hang the frozen grobbles over the notch and the disk before the thaw",
                      17, 4, pic.rows(),
                      "R@19,2 D@19,9 L@12,9 U@12,4 R@14,4 U@14,3 L@6,3 D@6,4 R@8,4 U@8,3 L@5,3 L@3,3 W40 "
                      "L@1,9 R@3,9 R@5,9 R@14,9 R1 W60 D@15,13 L@12,13 R@20,13 R1",
                      freeze=True, quota=10, ports=[(17 + 4, 4 + 3, "gravity")]))

    # Across the loop. Idea: an Electron runs the ring corridor round the
    # terminal's hall, and every trip between the start hall and the
    # terminal crosses the ring through a pair of one-way ports, one ring
    # cell apart. Insight: both yellow disks must be in place before the
    # terminal fires them once: one beside the vault's RAM wall in the start
    # hall (not beside its quarkels), one beside the exit's RAM door (not
    # beside the exit). Then cross back for the vault and in again for the
    # exit; each crossing is a step into the ring when the Electron is well
    # away round the loop.
    pic = Canvas(30, 16, "#")
    pic.rect(1, 1, 8, 14, " ").rect(1, 11, 5, 14, "R").rect(1, 12, 4, 14, " ")
    pic.rect(9, 1, 28, 14, "5", filled=False).rect(10, 2, 27, 13, " ", filled=False)
    pic.rect(11, 3, 26, 12, "4", filled=False).rect(12, 4, 25, 11, " ")
    pic.put(9, 5, ">").put(11, 5, ">").put(11, 9, "<").put(9, 9, "<")
    pic.rect(23, 9, 25, 11, "R").put(25, 11, "E").put(24, 11, " ").put(23, 9, "6").put(25, 9, "6")
    pic.put(18, 8, "T").put(17, 8, "6").put(19, 8, "6")
    pic.put(4, 4, "y").put(15, 6, "y")
    pic.put(1, 14, "q").put(2, 14, "q").put(2, 13, "q").put(7, 14, "q")
    pic.put(12, 11, "q").put(14, 11, "q").put(19, 11, "q")
    pic.put(20, 13, "e")
    pic.put(3, 2, "P")
    last.append(level("Across the loop", "place both yellow disks, then cross the Electron's ring for each",
                      15, 4, pic.rows(),
                      "R@7,2 D@7,14 U@7,3 L@4,3 D@4,9 U@4,5 R@8,5 R@10,5 R@12,5 D@12,6 R@21,6 U@21,5 R@22,5 D@22,9 U@22,7 L@18,7 D1 "
                      "W80 L@12,7 D@12,9 L@10,9 L@8,9 L@4,9 D@4,14 L@1,14 U@1,13 R@2,13 D@2,14 R@4,14 U@4,12 "
                      "U@4,5 R@8,5 W100 R@10,5 R@12,5 D@12,11 R@24,11 R1"))

    # The plug. Idea: a frozen grobble plugs the shaft of a Gnarrow, and the
    # thaw that gravity's port brings drops it on the hunter's head; the
    # shaft is then the only way down, to a door that only a red disk opens.
    # Insight: the grobble hanging above the shaft would follow the plug
    # down and block the shaft's foot at the port; push it east over the
    # notch in the walkway instead, where it lands as the bridge. Take the
    # red disk before the thaw: gravity then allows no way back up.
    pic = Canvas(26, 18, "#")
    pic.rect(1, 1, 20, 8, " ").rect(22, 1, 24, 8, " ").put(21, 2, ">").put(21, 8, "<")
    pic.put(15, 9, " ").put(10, 9, "O").vline(10, 10, 15, " ").put(10, 13, "G")
    pic.put(9, 15, "<").hline(2, 8, 15, " ").rect(5, 13, 8, 14, " ").put(6, 14, "7")
    pic.put(4, 15, "R").put(2, 15, "E")
    pic.put(10, 3, "O").put(4, 5, "O")
    pic.put(3, 8, "r").put(1, 8, "q").put(23, 8, "q").put(24, 8, "q").put(7, 15, "q")
    pic.put(13, 4, "P")
    last.append(level("The plug", "the thaw drops the plug on the hunter; hang the other grobble as a bridge",
                      17, 3, pic.rows(),
                      "D@13,8 L@1,8 U@1,3 R@14,3 D@14,8 R@18,8 U@18,2 R@20,2 R@22,2 W20 R@24,8 L@22,8 L@20,8 "
                      "L@11,8 L1 W80 L@8,15 L@5,15 K16x135 R@7,15 W150 L@3,15 L1",
                      freeze=True, ports=[(17 + 21, 3 + 2, "gravity")]))

    # Full circuit. Idea: one pass through gravity's port turns the hall
    # into another puzzle, so every job up there is done before it: the
    # yellow disk comes down from its shelf to the exit's RAM door, and a
    # grobble is hung over the notch as a bridge. The thaw drops the frozen
    # plug on the Electron in the shaft, whose quarkels the quota needs;
    # the shaft leads down to the terminal, and a base ladder and an up port
    # lead back into the hall, where gravity allows only the floor.
    # Insight: the terminal is met last but fires the disk placed first, and
    # the disk can only be brought down while Pellik still flies: once the
    # port is passed it hangs out of reach.
    pic = Canvas(28, 19, "#")
    pic.rect(1, 1, 22, 7, " ").rect(24, 1, 26, 7, " ").put(23, 2, ">").put(23, 7, "<")
    pic.put(17, 8, " ").put(12, 8, "O").vline(12, 9, 16, " ").put(12, 12, "e").put(11, 16, "<")
    pic.rect(6, 13, 10, 16, " ").vline(7, 9, 15, ".").put(7, 8, "^").put(6, 16, "T")
    pic.put(1, 7, "E").put(3, 7, "R").hline(1, 3, 6, "6")
    pic.put(9, 2, "y").put(9, 3, "7").put(14, 3, "O")
    pic.put(20, 7, "q").put(2, 5, "q").put(26, 7, "q").put(25, 7, "q").put(9, 16, "q").put(8, 16, "q")
    pic.put(16, 5, "P")
    last.append(level("Full circuit", "bring the disk down and hang the bridge before gravity; the terminal is last",
                      16, 2, pic.rows(),
                      "U@16,2 L@13,2 D@13,3 R@16,3 U@16,2 L@10,2 L@9,2 U@9,1 L@8,1 D@8,6 R@9,6 D@9,7 L@5,7 "
                      "U@5,5 L@2,5 U@2,4 R@20,4 D@20,7 U@20,2 R@22,2 R@24,2 W20 R@26,7 L@24,7 L@22,7 L@13,7 W100 L1 "
                      "D@12,16 L@10,16 L@7,16 L1 W20 U@7,9 U1 L@2,7 L1",
                      freeze=True, quota=8, ports=[(16 + 23, 2 + 2, "gravity")]))
    return last
