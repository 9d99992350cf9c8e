"""Chapter one of the campaign: weight. Grobbles and quarkels fall, roll off
round things and come to rest; base holds them until Pellik eats it. The
first levels push and drop loads around a floating Pellik; from "Heavy feet"
on his own gravity is switched on: he falls where nothing holds him up and
climbs only through base. Each level's comment says its idea and the key
insight of the intended solution."""
from level_kit import Level, room

# The playing order: the floating levels first, the gravity ones after
# "Heavy feet", each part by karvolt-solve's figures (decisions, search
# effort, decisions that are not walks) rising, with a breather now and then.
ORDER = [
    "Mind your head", "Two lids", "Side step", "Out of the way", "The other side",
    "Round the back", "Knock it loose",
    "Heavy feet", "Step up", "Pull the pillar", "One climb", "A gem for a bridge",
    "Going down", "Stepping stones", "Clear the landing", "No way back",
    "Down the stairs", "In front of you", "All in order", "Everything in its place",
]


def levels():
    out = []

    # Mind your head. Idea: the first weight, one grobble to dodge. It hangs
    # over the corridor on a tile of base: eat the tile and it rests on your
    # head, step on and it drops behind you, shutting the way back to the
    # exit. Insight: keep walking, fetch the quarkel, and on the way back
    # push the fallen grobble on into the pit before it.
    c = room(1, 1, [
        "################",
        "#. ####O#####.##",
        "# P .  . .    ##",
        "#E ### ##### q##",
        "################",
    ])
    out.append(Level("Mind your head", "walk on under the hanging grobble, then push it into the pit", c,
                     "R@14,3 D1 U1 L@9,3 L@8,3 W20 L@2,3 D1", quota=1))

    # Out of the way. Idea: the first weights. Grobbles lie on the base of
    # Pellik's room and drop into every cell he eats under them, and one
    # grobble fills the doorway. Insight: keep walking under the loose ones
    # (they fall behind you), then push the door grobble along the ledge until
    # it drops into the pit; the way to the exit is open.
    c = room(1, 1, [
        "#####################",
        "#.O.O.###############",
        "#P....O    ##########",
        "#.....####      E  ##",
        "########## ##########",
        "#####################",
    ])
    out.append(Level("Out of the way", "push the door grobble along the ledge into the pit", c,
                     "R@6,3 R@10,3 W20 R1 D1 R@16,4 R1"))

    # Knock it loose. Idea: a quarkel that must be dropped, not reached. It
    # sits sealed in a slot of the ceiling on top of the grobble that blocks
    # the corridor. Insight: push the grobble away from under it (on into the
    # pit, which also opens the way), then turn back for the quarkel that has
    # dropped behind you.
    c = room(1, 1, [
        "#######################",
        "######q################",
        "#P....O   .......    E#",
        "#.....### ######  #####",
        "######### ##############"[:23],
        "#######################",
    ])
    out.append(Level("Knock it loose", "push the grobble from under the quarkel, then take it", c,
                     "R@6,3 R@9,3 L@7,3 R@21,3 R1", quota=1))

    # Side step. Idea: digging under a load. The quarkel lies at the foot of
    # a shaft of base under a grobble, and the exit is back at the top: the
    # grobble follows Pellik down whatever he does. Insight: dig down only to
    # the niche, duck into it and let the grobble land beside you, then push
    # it into the pocket opposite; run to the bottom instead and it plugs the
    # shaft above you for good.
    c = room(1, 1, [
        "###########",
        "#####O#####",
        "#E.P..#####",
        "#####.#####",
        "#####.#####",
        "#####.#####",
        "#####.#####",
        "#### . ####",
        "#####.#####",
        "#####.#####",
        "#####.q####",
        "###########",
    ])
    out.append(Level("Side step", "let the grobble that follows you down land beside you, then push it aside", c,
                     "R2 D5 L1 W40 R@6,8 D3 R1 L1 U8 L@3,3 L1", quota=1))

    # The other side. Idea: which way a grobble is pushed decides where it
    # falls. It lies as a lid on the base over the quarkel's shaft, between
    # a pit on the left and the shaft to the exit on the right. Insight: from
    # the start it can only be pushed right, down the exit shaft, which it
    # plugs; go round by the upper tunnel and push it left instead.
    c = room(1, 1, [
        "################",
        "#.........######",
        "#.#######.######",
        "#P   O    ######",
        "### #.# ########",
        "### # # ########",
        "#####q# ########",
        "####### ....E###",
        "################",
    ])
    out.append(Level("The other side", "go round and push the lid grobble away from the exit shaft", c,
                     "U2 R8 D2 L3 L@5,4 W30 R1 D3 U3 R2 D4 R@12,8 R1", quota=1))

    # Heavy feet. Idea: Pellik's own weight. Gravity is on: he stands on
    # hardware and base, walks off every edge and falls into the gaps of the
    # floor, where nothing lets him climb out again. Insight: a grobble pushed
    # into a gap fills it, and Pellik walks across on top of it; push each one
    # before you step.
    c = room(1, 1, [
        "##########################",
        "#    #####################",
        "#P O    O   .q.     E ####",
        "#### #### ################",
        "##########################",
    ])
    out.append(Level("Heavy feet", "with gravity on, push grobbles into the gaps and walk over them", c,
                     "R@4,3 R@8,3 R@9,3 R@20,3 R1", gravity=True, quota=1))

    # Pull the pillar. Idea: eating in place. Each gap of the floor is
    # spanned by one tile of base that carries grobbles: step onto it and
    # Pellik drops into the gap with the load on his head. Insight: stand
    # before the tile and eat it with fire and the arrow; the load falls into
    # the gap and fills it, two grobbles for the deep one.
    c = room(1, 1, [
        "##########################",
        "##############O###########",
        "#####O########O###########",
        "#P   .        .  q E######",
        "##### ######## ###########",
        "############## ###########",
        "##########################",
    ])
    out.append(Level("Pull the pillar", "eat the loaded base in place so its grobbles fill the gap", c,
                     "R@5,4 K20x16 W60 R@14,4 K20x16 W80 R@19,4 R1", gravity=True, quota=1))

    # Step up. Idea: a grobble as a step. Gravity is on; the way on leaves
    # the shaft one cell above its floor, too high to climb. Insight: push
    # the grobble into the shaft first and jump in after it: you land on top
    # of it, level with the passage. Jump first and you stand at the bottom
    # for good.
    c = room(1, 1, [
        "#######################",
        "#P  O  ################",
        "###### ################",
        "###### q   .   E#######",
        "###### ################",
        "#######################",
    ])
    out.append(Level("Step up", "drop the grobble into the shaft first and land on it", c,
                     "R@4,2 R@6,2 W40 R1 W40 R@15,4 R1", gravity=True, quota=1))

    # One climb. Idea: base is the only ladder, and a ladder is eaten by
    # climbing it. Gravity is on; the quarkel is on the upper ledge, the exit
    # beyond a gap of the lower floor. Insight: while you are up there, push
    # the ledge's grobble down the chute into the gap; once you drop back
    # down there is no way up again.
    c = room(1, 1, [
        "######################",
        "#######..q   O #######",
        "#######.###### #######",
        "#######.###### #######",
        "#P     .            E#",
        "############## #######",
        "######################",
    ])
    out.append(Level("One climb", "climb the base once: push the grobble down into the gap while up there", c,
                     "R6 U3 R@9,2 R@14,2 W40 R1 W40 R@20,5 R1", gravity=True, quota=1))

    # No way back. Idea: the gravity switch. The one-way port turns Pellik's
    # gravity on; beyond it the floor has a loaded tile over one gap and a
    # loose grobble before the other. Insight: float up to the quarkel on its
    # hardware post first (after the port there is no floating, and no way
    # back), then eat the loaded tile in place and push the grobble into the
    # second gap.
    c = room(1, 1, [
        "##########################",
        "#   q    #################",
        "#   #    #################",
        "#   #    ####O############",
        "#P  #    >   .   O   E####",
        "############# #### #######",
        "##########################",
    ])
    out.append(Level("No way back", "take the quarkel before the port switches gravity on", c,
                     "U3 R3 R1 D3 R@9,5 R@13,5 K20x16 W60 R@17,5 R@18,5 W30 R@21,5 R1",
                     quota=1, ports=[(10, 5, "gravity")]))

    # Stepping stones. Idea: two ways of filling a gap at once. The gap is
    # two cells wide: one grobble lies on the floor before it, the other
    # sits on a loaded tile over its far cell. Insight: push the first into
    # the near cell, stand on it and eat the tile in place, so the second
    # drops into the far cell.
    c = room(1, 1, [
        "########################",
        "############O###########",
        "#P      O   .    q   E##",
        "###########  ###########",
        "########################",
    ])
    out.append(Level("Stepping stones", "push one grobble in, drop the other by eating its tile in place", c,
                     "R@8,3 R@11,3 W40 R@12,3 K20x16 W50 R@21,3 R1", gravity=True, quota=1))

    # Going down. Idea: steps made in advance, floor by floor. Gravity is
    # on; each floor drops to the next through a shaft that ends in a pit,
    # and a pit can only be left standing on a grobble. Insight: send each
    # floor's grobble down before you: push the first into the shaft and
    # jump after it, then push the second (leftwards, from the quarkel's
    # side) down the next shaft before jumping again.
    c = room(1, 1, [
        "#################",
        "#P  O  ##########",
        "###### ##########",
        "###### ##########",
        "## O q ##########",
        "## ### ##########",
        "## ##############",
        "##          E####",
        "## ##############",
        "#################",
    ])
    out.append(Level("Going down", "send each floor's grobble down the shaft before you jump", c,
                     "R@4,2 R@6,2 W40 R1 W40 L@6,5 L@4,5 W40 L1 W40 R@12,8 R1",
                     gravity=True, quota=1))

    # In front of you. Idea: the loaded tile again, turned round: this time
    # Pellik needs its grobble. Gravity is on; climb the base to the ledge,
    # where a grobble sits over the ledge's last tile, and the chute beyond
    # drops into the gap of the lower floor. Insight: eat the tile in place,
    # so the grobble lands in front of you and can be pushed down the chute;
    # walk over the tile and it lands behind you, where no push reaches it.
    c = room(1, 1, [
        "#####################",
        "######O##############",
        "###..q.    ##########",
        "###.###### ##########",
        "###.###### ##########",
        "#P .             E###",
        "########## ##########",
        "#####################",
    ])
    out.append(Level("In front of you", "eat the loaded tile in place so its grobble lands where you can push it", c,
                     "R2 U3 R2 K20x16 W40 R@10,3 W40 R1 W40 R@17,6 R1", gravity=True, quota=1))

    # Clear the landing. Idea: a RAM chip decides where a falling grobble
    # goes. Gravity is on. The grobble under the sealed quarkel drops down
    # the chute onto a RAM chip and rolls off: left into a sump if the base
    # beside the chip is gone, else right, down the exit shaft, which it
    # plugs. Insight: first dig down, eat that base in place (walk onto it
    # and you drop into the sump), climb the other ladder back up, and only
    # then push.
    c = room(1, 1, [
        "##########",
        "######q###",
        "#P##..O ##",
        "#.##.## ##",
        "#.##.## ##",
        "#.##.## ##",
        "#     .  #",
        "###### R #",
        "######## #",
        "########E#",
        "##########",
    ])
    out.append(Level("Clear the landing", "empty the landing beside the RAM chip before pushing the grobble down", c,
                     "D4 R4 K20x16 W20 L1 U4 R1 R@7,3 L1 W30 R1 R1 W60 R1 W40 D1", gravity=True, quota=1))

    # All in order. Idea: the chapter's tricks in one plan, each only once.
    # Float to the quarkel on its post before the port turns gravity on; eat
    # the loaded tile in place to fill the gap; climb the base ladder (it is
    # gone after you); take the ledge's quarkel and push its grobble down
    # the shaft before you jump after it, so that you land on it level with
    # the passage to the exit. Every step missed or done out of turn leaves
    # Pellik in a pit or on the wrong side of a port.
    c = room(1, 1, [
        "#########################",
        "#   q   ######..q O #####",
        "#   #   ######.#### #####",
        "#   #   ###O##.#### #####",
        "#P  #   >  .  .#### #####",
        "########### ####### ...E#",
        "################### #####",
        "#########################",
    ])
    out.append(Level("All in order", "port, loaded tile, ladder, push and step: each in its turn", c,
                     "U3 R3 R1 D3 R@11,5 K20x16 W60 R@14,5 R1 U3 R1 R1 R1 R@19,2 W60 R1 W40 R@23,6 R1",
                     quota=2, ports=[(9, 5, "gravity")]))
    # Round the back. Idea: the side a grobble is pushed from, with a door
    # that shuts behind you. The corridor's grobble pushed from the start drops down
    # the chute and plugs the lower hall in front of the quarkel; the way
    # into that hall passes under a grobble on base that falls behind Pellik
    # and seals it. Insight: first eat the upper corridor up to the grobble
    # (room to push it into), then go down, take the quarkel, climb the chute
    # and push the grobble back the way you came, into the pit.
    c = room(1, 1, [
        "################",
        "#P  ...O  ######",
        "#.#E## # #######",
        "#.##O### #######",
        "#....... ...q###",
        "################",
    ])
    out.append(Level("Round the back", "clear its landing, go round and push the grobble back into the pit", c,
                     "R@7,2 L@2,2 D@2,5 R@13,5 L@9,5 U@9,2 L@8,2 W30 L@4,2 D1", quota=1))

    # Two lids. Idea: a quarkel that must be dropped, sealed in a shaft on
    # two grobbles. Push the lower one on into the pit and the upper one
    # drops into the corridor behind you, with the quarkel still on top of
    # it. Insight: turn round and push that one back the way you came; the
    # quarkel comes down onto your head, where you can eat it.
    c = room(1, 1, [
        "###################",
        "########q##########",
        "########O##########",
        "#P  .. .O    ....E#",
        "###### ### ########",
        "###################",
    ])
    out.append(Level("Two lids", "push the lower lid on, then the dropped upper lid back", c,
                     "R@9,4 R@10,4 W30 L@9,4 U1 D1 R@17,4 R1", quota=1))

    # Down the stairs. Idea: a rolling chain. Gravity is on; the grobble
    # pushed off the ledge lands on a RAM chip, rolls off it onto the next
    # and so on down the stairs, and comes to rest in the hole at their foot.
    # Insight: send it down first; step off the ledge before it and you land
    # in the hole yourself, with no base to climb out by.
    c = room(1, 1, [
        "######################",
        "#P  O ################",
        "#####  ###############",
        "#####R ###############",
        "######  ##############",
        "######R ##############",
        "#######  #############",
        "#######R #############",
        "######## ....  q .. E#",
        "######## #############",
        "######################",
    ])
    out.append(Level("Down the stairs", "push the grobble down the RAM stairs before you follow it", c,
                     "R@5,2 W100 R@20,9 R1", gravity=True, quota=1))

    # A gem for a bridge. Idea: a quarkel fills a gap as well as a grobble
    # does. Gravity is on; the level asks for one of its two quarkels, and
    # the one that hangs on the base tile over the second gap is the only
    # thing that can fill it. Insight: spend it; eat its tile in place, and
    # it drops into the gap for you to walk over. Walk onto the tile and you
    # fall into the gap with the quarkel on your head.
    c = room(1, 1, [
        "########################",
        "###########q############",
        "#P O  ...  .  .. q . .E#",
        "#### ###### ############",
        "########################",
    ])
    out.append(Level("A gem for a bridge", "eat the quarkel's tile in place so it fills the gap", c,
                     "R@4,3 R@5,3 W30 R@11,3 K20x16 W40 R@22,3 R1", gravity=True, quota=1))

    # Everything in its place. Idea: the chapter's last plan, each load to
    # its own hole. Gravity is on. Insight: send the ledge's grobble down the
    # RAM stairs before you follow it; spend the hanging quarkel on the
    # second hole by eating its tile in place; and push the last grobble into
    # the exit shaft before you jump, to land on it level with the way out.
    c = room(1, 1, [
        "##########################",
        "#P  O ####################",
        "#####  ###################",
        "#####R ###################",
        "######  ##################",
        "######R ##################",
        "#######  #################",
        "#######R ###q#############",
        "######## ....  q. O  #####",
        "######## ### #######  .E##",
        "#################### #####",
        "##########################",
    ])
    out.append(Level("Everything in its place", "stairs, a spent quarkel and a step: every load to its hole", c,
                     "R@5,2 W100 R@12,9 K20x16 W40 R@18,9 R@19,9 R@20,9 W50 R1 W30 R@23,10 R1",
                     gravity=True, quota=1))
    by_title = {lv.title: lv for lv in out}
    if sorted(by_title) != sorted(ORDER):
        raise ValueError("the playing order must name every level of the chapter once")
    return [by_title[t] for t in ORDER]
