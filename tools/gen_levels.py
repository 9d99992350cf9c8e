#!/usr/bin/env python3
"""Writes the text sources of the level sets we ship, compiles them and checks
their solutions.

    tools/gen_levels.py sources            write data/Levels/src/*.txt
    tools/gen_levels.py build BUILD_DIR    sources, then compile them with
                                           BUILD_DIR/tools/karvolt-levelc
    tools/gen_levels.py solve BUILD_DIR [SET | SET:N ...]  build, then replay
                                           every level's solution (or those
                                           named) with karvolt-trace and write
                                           data/Levels/solutions/<set>.txt of
                                           each set replayed whole
    tools/gen_levels.py stats BUILD_DIR [SET...]  analyse the levels with
                                           karvolt-solve --all and write
                                           data/Levels/solutions/<set>.stats; a
                                           level whose line is there unchanged
                                           is not analysed again
                                           (KARVOLT_SOLVE_THREADS: threads)
    tools/gen_levels.py seeds BUILD_DIR [N]  replay the stored solutions with
                                           seeds 1..N (default 20): a new game
                                           is seeded from the clock, so each
                                           must win whatever the seed

A level is drawn on a canvas (the characters of game/level/level_writer.h) and
carries its solution as a walk: tokens separated by blanks,

    R3 / L3 / U3 / D3   hold the arrow for three cell steps (16 ticks each)
    W40                 no key for 40 ticks
    K20x5               key mask 20 for 5 ticks (anything else, e.g. fire)
    R@57,5              hold the arrow until Pellik has stepped into column 57,
                        row 5 (pushes and waits on the way included); the
                        replay finds how long that takes

The solution line stored is "LEVEL SEED KEYS TICKS" with seed 1, the key runs
of the walk and its length in ticks; a level counts as solved when the replay
reaches the won state (exit reached) within those ticks. Each solved level's
run is also written as a demo file, data/Levels/solutions/<set>_<NN>.kvd (NN
the 0-based level number), which the game replays like a recorded game.
"""
import hashlib
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LEVELS = os.path.join(ROOT, "data", "Levels")
SEED = 1

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from level_kit import STEP, Canvas, Level, key_runs  # noqa: E402

# The campaign after the tutorials, one module a chapter, in playing order.
CHAPTERS = ["levels_weight", "levels_hunters", "levels_charge", "levels_circuits"]


# ---------------------------------------------------------------------------
# The classic set: 60 x 24, one idea a level.

# Ticks to wait where an enemy or a bug sets the pace (found by replaying).
# Every bug sparks for the first 90 ticks and then stays quiet for at least 32
# more, whatever the seed: stepping into one in that gap is safe for any game.
BUG_WAIT = 58
FREEZE_WAIT = 30


def classic_levels():
    levels = tutorial_levels()
    for name in CHAPTERS:
        levels += __import__(name).levels()
    return levels


def tutorial_levels():
    levels = []

    # 1: walking and eating base, the exit.
    c = Canvas(60, 24, ".")
    c.hline(1, 55, 7, "#").hline(4, 58, 15, "#")
    c.rect(10, 2, 14, 4, " ").rect(30, 10, 36, 12, " ").rect(44, 18, 48, 21, " ")
    c.put(2, 2, "P").put(57, 20, "E")
    levels.append(Level("First steps", "walk, eat base, reach the exit", c,
                        "R55 D6 L55 D8 D4 R54 R1"))

    # 2: quarkels open the exit.
    c = Canvas(60, 24, ".")
    c.vline(12, 1, 19, "#").vline(36, 1, 19, "#").vline(24, 4, 22, "#").vline(48, 4, 22, "#")
    for x, y in [(6, 5), (6, 10), (6, 15), (9, 21), (15, 21), (18, 17), (18, 12), (18, 7),
                 (21, 2), (27, 2), (30, 8), (30, 14), (33, 21), (39, 21), (42, 16), (42, 9),
                 (45, 2), (51, 2)]:
        c.put(x, y, "q")
    c.put(6, 1, "P").put(56, 2, "E")
    levels.append(Level("Quarkels", "collect every quarkel, then the exit opens", c,
                        "D20 R12 U19 R12 D19 R12 U19 R13 R1"))
    # 3: grobbles fall when the base under them is eaten; they roll off RAM.
    c = Canvas(60, 24, ".")
    for x in range(6, 55, 4):
        c.put(x, 12, "O")
    c.rect(20, 1, 40, 1, " ")
    for x in range(18, 43, 2):
        c.put(x, 18, "R")
    for x in range(19, 42, 4):
        c.put(x, 17, "O")
    c.stamp(8, 2, ["  O  ", " ORO ", "ORRRO"]).stamp(46, 2, ["  O  ", " ORO ", "ORRRO"])
    c.put(2, 2, "P").put(58, 13, "E")
    levels.append(Level("Falling grobbles", "grobbles drop into eaten base; never stand below one", c,
                        "D11 R55 R1"))

    # 4: pushing grobbles sideways.
    c = Canvas(60, 24, "#")
    c.hline(2, 57, 5, " ").vline(57, 5, 15, " ").hline(2, 57, 15, " ")
    for x in (9, 24, 40):
        c.put(x, 6, " ")
    for x in (42, 27, 26):
        c.put(x, 16, " ")
    c.put(6, 5, "O").put(20, 5, "O").put(35, 5, "O").put(45, 15, "O").put(31, 15, "O")
    c.put(2, 5, "P").put(2, 15, "E")
    levels.append(Level("Push", "lean on a grobble to push it into a pit", c,
                        "R@57,5 D@57,15 L@3,15 L1"))
    # 5: one-way ports.
    c = Canvas(60, 24, " ")
    c.vline(30, 1, 22, "#").hline(1, 58, 12, "#")
    c.rect(8, 13, 12, 17, "#", filled=False)
    c.put(30, 5, ">").put(45, 12, "v").put(30, 18, "<").put(10, 17, "^")
    c.rect(3, 8, 26, 10, ".").rect(34, 1, 56, 3, ".").rect(33, 20, 57, 22, ".").rect(14, 20, 28, 22, ".")
    # Quarkels fall like grobbles: each lies on a base tile.
    for x, y in [(15, 5), (40, 5), (45, 16), (20, 18)]:
        c.put(x, y, "q").put(x, y + 1, ".")
    c.put(3, 5, "P").put(10, 14, "E")
    levels.append(Level("One way", "ports let Pellik pass one way only", c,
                        "R26 R2 R14 D6 D2 D5 L14 L2 L19 U2 U1 U1"))

    # 6: ports that work both ways.
    c = Canvas(60, 24, " ")
    c.vline(20, 1, 22, "#").vline(40, 1, 22, "#").hline(1, 58, 8, "#").hline(1, 58, 16, "#")
    c.put(20, 4, "-").put(30, 8, "|").put(20, 12, "-").put(40, 12, "+").put(50, 16, "+")
    c.rect(2, 18, 18, 21, ".").rect(22, 18, 38, 21, ".").rect(42, 2, 57, 6, ".")
    c.put(12, 12, "q").put(12, 13, ".").put(10, 4, "P").put(50, 20, "E")
    levels.append(Level("Both ways", "horizontal, vertical and cross ports", c,
                        "R9 R2 R9 D3 D2 D3 L9 L2 L7 R7 R2 R18 R2 R9 D3 D2 D2 D1"))
    # 7: red disks: collect, lay with fire, keep away from the blast.
    c = Canvas(60, 24, "#")
    c.rect(2, 9, 46, 13, ".").hline(2, 46, 11, " ")
    c.vline(20, 9, 13, "#").vline(32, 9, 13, "#").put(20, 11, "R").put(32, 11, "R")
    c.put(6, 11, "r").put(8, 11, "r").put(2, 11, "P").put(45, 11, "E")
    levels.append(Level("Red disks", "hold fire to lay a red disk; it blasts RAM chips", c,
                        "R@19,11 K16x135 L2 W100 R@31,11 K16x135 L2 W100 R@44,11 R1"))

    # 8: an orange disk explodes where it lands.
    c = Canvas(60, 24, "#")
    c.hline(2, 12, 5, " ").vline(9, 6, 15, " ").hline(9, 40, 15, " ")
    c.rect(12, 14, 40, 16, ".").hline(11, 40, 15, " ")
    c.put(10, 15, "R").put(6, 5, "o").put(2, 5, "P").put(30, 15, "E")
    levels.append(Level("Orange disks", "push an orange disk down a shaft; it blows up", c,
                        "R@8,5 W300 R1 D10 R@29,15 R1"))

    # 9: the terminal fires every yellow disk.
    c = Canvas(60, 24, "#")
    c.hline(2, 26, 10, " ").put(4, 9, "T").put(12, 10, "y").put(20, 10, "R")
    c.rect(14, 6, 24, 8, ".").rect(14, 12, 24, 14, ".")
    c.put(2, 10, "P").put(26, 10, "E")
    levels.append(Level("Terminal", "push a yellow disk, then use the terminal", c,
                        "R@18,10 L@4,10 U1 W100 R@25,10 R1"))
    # 10: bugs spark now and then; eat one only while it is quiet. Pellik starts
    # in front of the bug in the wall, which sparks at once: wait for it to
    # stop, then eat through.
    c = Canvas(60, 24, ".")
    c.vline(30, 1, 22, "#").put(30, 11, "B")
    for x, y in [(5, 3), (12, 6), (20, 4), (25, 9), (8, 15), (16, 19), (24, 14), (36, 5), (44, 8),
                 (52, 3), (40, 16), (48, 19), (55, 14), (20, 10), (20, 12), (40, 10), (40, 12)]:
        c.put(x, y, "B")
    c.put(26, 11, "P").put(58, 11, "E")
    levels.append(Level("Bugs", "a sparking bug kills; wait until it is quiet", c,
                        "R3 W%d R@57,11 R1" % BUG_WAIT))

    # 11: invisible walls.
    c = Canvas(60, 24, " ")
    c.vline(30, 1, 22, "W").put(30, 20, " ").put(30, 1, "R").put(30, 22, "R")
    c.rect(40, 2, 56, 6, ".").rect(4, 14, 20, 18, ".")
    # The first 'P' is Pellik; the second is a still double of him.
    c.put(3, 3, "P").put(50, 3, "E").put(50, 4, " ").put(44, 11, "P")
    levels.append(Level("Unseen", "some walls cannot be seen, and one Pellik never moves", c,
                        "D17 R47 U16 U1"))

    # 12: a special port freezes the enemies: two gnarrows and an electron.
    c = Canvas(60, 24, "#")
    c.rect(2, 8, 8, 14, " ").hline(10, 57, 11, " ")
    for x, enemy in ((20, "G"), (32, "e"), (44, "G")):
        c.hline(x - 1, x, 10, " ").put(x, 10, enemy)
    c.rect(12, 13, 55, 14, ".")
    c.put(9, 11, ">").put(4, 11, "P").put(58, 11, "E").put(58, 11, "E")
    levels.append(Level("Freeze", "a special port freezes the enemies in their nooks", c,
                        "R4 W%d R2 R@57,11 R1" % FREEZE_WAIT, ports=[(9, 11, "freeze-enemies")]))
    return levels


SETS = [
    # (file stem, format, output extension, levels)
    ("karvolt", "classic", "dat", classic_levels),
    ("karvolt_wide", "extended", "hxm", lambda: __import__("levels_wide").levels()),
]


def drawn_sets():
    """The sets with their levels drawn once (the 256 x 256 canvas is not cheap)."""
    return [(stem, fmt, ext, levels()) for stem, fmt, ext, levels in SETS]


def write_sources(sets):
    os.makedirs(os.path.join(LEVELS, "src"), exist_ok=True)
    for stem, fmt, _, levels in sets:
        # The level list reads like a campaign: no title twice.
        titles = [lv.title for lv in levels]
        twice = sorted({t for t in titles if titles.count(t) > 1})
        if twice:
            raise ValueError("%s: titles used twice: %s" % (stem, ", ".join(twice)))
        text = ["# %s: generated by tools/gen_levels.py; edit that script, not this file." % stem,
                "format: " + fmt, ""]
        for lv in levels:
            text.append(lv.source())
        with open(os.path.join(LEVELS, "src", stem + ".txt"), "w") as f:
            f.write("\n".join(text))


def build(build_dir, sets):
    write_sources(sets)
    levelc = os.path.join(build_dir, "tools", "karvolt-levelc")
    for stem, _, ext, _ in sets:
        subprocess.run([levelc, os.path.join(LEVELS, "src", stem + ".txt"),
                        os.path.join(LEVELS, stem + "." + ext)], check=True)


def trace(build_dir, path, number, keys, ticks, *options):
    exe = os.path.join(build_dir, "tools", "karvolt-trace")
    out = subprocess.run([exe, path, str(number), str(SEED), keys, str(ticks)] + list(options),
                         capture_output=True, text=True)
    return out.stdout.splitlines(), out.returncode


def demo_path(stem, number):
    return os.path.join(LEVELS, "solutions", "%s_%02d.kvd" % (stem, number))


def position(line):
    for part in line.split():
        if part.startswith("p="):
            x, y = part[2:].split(",")
            return int(x), int(y)
    return None


def reach(build_dir, path, number, runs, mask, target, limit=6000):
    """Ticks of `mask` after `runs` until Pellik has entered `target` and
    finished that step."""
    done = sum(n for _, n in runs)
    keys = ",".join("%dx%d" % r for r in runs + [(mask, limit)])
    out, _ = trace(build_dir, path, number, keys, done + limit)
    for line in out[done:]:
        if position(line) == target:
            return int(line.split()[0]) + STEP - 1 - done
    raise RuntimeError("level %d: Pellik never reaches %s (last: %s)" % (number, target, out[-1] if out else "-"))


def won_line(line):
    parts = line.split()
    return len(parts) > 1 and parts[1].startswith("state=") and int(parts[1][6:]) & 4 != 0


def solve(build_dir, only=None):
    """Replays the solutions; with `only` (set stems or (stem, level) pairs)
    just those. A set's solution file is written when the whole set was
    replayed; a few levels alone leave it as it is."""
    sets = drawn_sets()
    build(build_dir, sets)
    os.makedirs(os.path.join(LEVELS, "solutions"), exist_ok=True)
    ok = True
    for stem, _, ext, levels in sets:
        lines = []
        path = os.path.join(LEVELS, stem + "." + ext)
        for i, lv in enumerate(levels):
            if only is not None and (stem, i) not in only and stem not in only:
                continue
            try:
                runs = key_runs(lv.walk, lambda r, m, t: reach(build_dir, path, i, r, m, t))
            except RuntimeError as e:
                ok = False
                print("%s %2d %-23s NOT SOLVED: %s" % (stem, i, lv.title, e))
                continue
            keys = ",".join("%dx%d" % r for r in runs)
            ticks = sum(n for _, n in runs)
            lines.append("%d %d %s %d" % (i, SEED, keys, ticks))
            out, rc = trace(build_dir, path, i, keys, ticks, "--save-demo", demo_path(stem, i))
            won = next((l.split()[0] for l in out if won_line(l)), None)
            last = out[-1] if out else "(no output, rc %d)" % rc
            if won is None:
                ok = False
                if os.path.exists(demo_path(stem, i)):
                    os.remove(demo_path(stem, i))
                print("%s %2d %-23s NOT SOLVED: %s" % (stem, i, lv.title, last))
            else:
                print("%s %2d %-23s won at tick %s of %d" % (stem, i, lv.title, won, ticks))
        if only is None or stem in only:
            with open(os.path.join(LEVELS, "solutions", stem + ".txt"), "w") as f:
                f.write("\n".join(lines) + "\n")
    return ok


# The search budget of the stats, in decisions only (no seconds), so the files
# come out the same on any machine; the threads do not change the answer.
STATS_BUDGET = {"karvolt": 400000, "karvolt_wide": 40000}
# The walk-only baseline must prove "no", which with enemies about (walking to
# and fro stands in for waiting) takes more than finding a solution.
WALK_BUDGET = {"karvolt": 2000000, "karvolt_wide": 400000}
STATS_HEADER = """\
# {stem}: karvolt-solve --all --max-decisions {budget} --walk-decisions {walk} on {stem}.{ext},
# written by tools/gen_levels.py stats; one line a level (0-based), name=value:
#   solved          yes, no (no stream wins: every reachable state was tried), unknown (budget spent)
#   decisions       of the solution found; ticks: its length
#   shortest        yes when found breadth-first: no solution has fewer decisions
#   not_walking     decisions that are not plain walks: push, port, use (terminal),
#                   eat (fire and an arrow), lay (a red disk), wait (no key 16 or 64 ticks)
#   no_win_within   no stream of this many decisions or fewer wins ("all": none at all)
#   expanded        decisions the search ran
#   walk_only       yes / no (proved) / unknown: won by plain walks alone
#   luck            yes when the solution does not win with every seed tried (seeds=won/tried)
#   digest          of the level and the budget: a line is analysed again only when it changes
"""


def level_digest(lv, budgets):
    """What a stats line depends on: the level as compiled and the budgets."""
    return hashlib.sha1(("%d %d\n" % budgets + lv.source()).encode()).hexdigest()[:12]


def stored_stats(path):
    """The lines of a stats file by digest, level numbers dropped; a file
    joined from two branches' files keeps every line of both."""
    rows = {}
    if os.path.exists(path):
        for line in open(path):
            m = re.match(r"\d+ (.*) digest=([0-9a-f]+)$", line.strip())
            if m:
                rows[m.group(2)] = m.group(1)
    return rows


def write_stats(build_dir, only=None):
    """Analyses the levels whose lines are missing or stale (a level changed,
    or the budget) and rewrites each set's stats file in level order."""
    solver = os.path.join(build_dir, "tools", "karvolt-solve")
    levelc = os.path.join(build_dir, "tools", "karvolt-levelc")
    threads = os.environ.get("KARVOLT_SOLVE_THREADS", "0")
    ok = True
    for stem, fmt, ext, levels in drawn_sets():
        if only is not None and stem not in only:
            continue
        budget, walk = STATS_BUDGET[stem], WALK_BUDGET[stem]
        out_path = os.path.join(LEVELS, "solutions", stem + ".stats")
        rows = stored_stats(out_path)
        digests = [level_digest(lv, (budget, walk)) for lv in levels]
        todo = [i for i, d in enumerate(digests) if d not in rows]
        if todo:
            # Only the levels to analyse, as a set of their own.
            with tempfile.TemporaryDirectory() as tmp:
                src, compiled = os.path.join(tmp, "todo.txt"), os.path.join(tmp, "todo." + ext)
                with open(src, "w") as f:
                    f.write("format: %s\n\n" % fmt + "\n".join(levels[i].source() for i in todo))
                subprocess.run([levelc, src, compiled], check=True, stdout=subprocess.DEVNULL)
                out = subprocess.run([solver, compiled, "--all", "--max-decisions", str(budget), "--walk-decisions", str(walk),
                                      "--max-seconds", "1000000", "--threads", threads],
                                     capture_output=True, text=True)
            if out.returncode != 0:
                print("%s: karvolt-solve --all failed (%d): %s" % (stem, out.returncode, out.stderr.strip()))
                ok = False
                continue
            for line in out.stdout.splitlines():
                k, rest = line.split(" ", 1)
                rows[digests[todo[int(k)]]] = rest
        with open(out_path, "w") as f:
            f.write(STATS_HEADER.format(stem=stem, ext=ext, budget=budget, walk=walk))
            for i, d in enumerate(digests):
                f.write("%d %s digest=%s\n" % (i, rows[d], d))
        for i, d in enumerate(digests):
            print("%s %d %s%s" % (stem, i, rows[d], "" if i in todo else " (kept)"))
            ok = ok and rows[d].startswith("solved=yes ")
    return ok


def every_seed(build_dir, count):
    """Replays each stored solution with seeds 1..count; names the seeds that lose."""
    exe = os.path.join(build_dir, "tools", "karvolt-trace")
    ok = True
    for stem, _, ext, _ in SETS:
        path = os.path.join(LEVELS, stem + "." + ext)
        with open(os.path.join(LEVELS, "solutions", stem + ".txt")) as f:
            solutions = [line.split() for line in f if line.strip()]
        for number, _, keys, ticks in solutions:
            lost = []
            for seed in range(1, count + 1):
                out = subprocess.run([exe, path, number, str(seed), keys, ticks],
                                     capture_output=True, text=True).stdout.splitlines()
                if not any(won_line(l) for l in out):
                    lost.append(seed)
            ok = ok and not lost
            print("%s %2s %s" % (stem, number, "lost with seeds %s" % lost if lost else "won with every seed"))
    return ok


def main(argv):
    if len(argv) >= 2 and argv[1] == "sources":
        write_sources(drawn_sets())
        return 0
    if len(argv) >= 3 and argv[1] == "build":
        build(argv[2], drawn_sets())
        return 0
    if len(argv) >= 3:
        argv[2] = os.path.abspath(argv[2])
    if len(argv) >= 3 and argv[1] == "stats":
        return 0 if write_stats(argv[2], set(argv[3:]) or None) else 1
    if len(argv) >= 3 and argv[1] == "solve":
        only = None
        if len(argv) > 3:
            only = set()
            for a in argv[3:]:
                if ":" in a:
                    s, n = a.split(":")
                    only.add((s, int(n)))
                else:
                    only.add(a)
        return 0 if solve(argv[2], only) else 1
    if len(argv) >= 3 and argv[1] == "seeds":
        return 0 if every_seed(argv[2], int(argv[3]) if len(argv) > 3 else 20) else 1
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
