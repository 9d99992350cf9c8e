#!/usr/bin/env python3
"""karvolt-solve on our levels, as a level designer runs it.

    test_solve.py SOLVE TRACE LEVELC SOURCE_DIR tutorial N   one tutorial of karvolt.dat is
                                                            solved, its stream wins under
                                                            karvolt-trace, its demo replays
    test_solve.py SOLVE TRACE LEVELC SOURCE_DIR levels       small levels made here: no
                                                            solution, a known shortest one,
                                                            luck, the walk-only baseline,
                                                            --all, bad input
"""
import os
import re
import subprocess
import sys
import tempfile

# Small budgets keep the suite quick; the tutorials need no more.
BUDGET = ["--max-decisions", "160000", "--max-seconds", "240"]
SOLUTION = re.compile(r"^(\d+) (\d+) ((?:\d+x\d+)(?:,\d+x\d+)*) (\d+)$")


def run(*args):
    p = subprocess.run(list(args), capture_output=True, text=True)
    return p.returncode, p.stdout, p.stderr


def fields(out):
    """The "name: value" lines of one level's analysis."""
    d = {}
    for line in out.splitlines()[1:]:
        name, _, value = line.partition(": ")
        d[name] = value
    return d


def won_tick(trace, setfile, line):
    """The first tick karvolt-trace shows the exit reached when it replays a
    solution line, or None."""
    level, seed, keys, ticks = line.split()
    rc, out, _ = run(trace, setfile, level, seed, keys, ticks)
    for l in out.splitlines():
        parts = l.split()
        if len(parts) > 1 and parts[1].startswith("state=") and int(parts[1][6:]) & 4:
            return int(parts[0])
    return None


class Checks:
    def __init__(self):
        self.failures = []

    def __call__(self, cond, what):
        if not cond:
            self.failures.append(what)
        return cond

    def report(self):
        for f in self.failures:
            print("FAIL:", f)
        return 1 if self.failures else 0


def tutorial(solve, trace, root, number):
    check = Checks()
    setfile = os.path.join(root, "data", "Levels", "karvolt.dat")
    with tempfile.TemporaryDirectory() as tmp:
        demo = os.path.join(tmp, "solved.kvd")
        rc, out, err = run(solve, setfile, str(number), "--search", "guided", "--threads", "2",
                           "--save-demo", demo, *BUDGET)
        if not check(rc == 0, "level %d: rc %d, %s" % (number, rc, err.strip())):
            return check.report()
        line = out.splitlines()[0]
        m = SOLUTION.match(line)
        check(m and int(m.group(1)) == number and m.group(2) == "1", "not a solution line: %r" % line)
        f = fields(out)
        ticks = int(m.group(4))
        check(f.get("ticks") == str(ticks), "ticks %r against the line's %d" % (f.get("ticks"), ticks))
        check(sum(int(r.split("x")[1]) for r in m.group(3).split(",")) == ticks, "the keys do not add up")
        # The stream ends on the tick the exit is reached, and that is what karvolt-trace sees.
        check(won_tick(trace, setfile, line) == ticks, "karvolt-trace does not see %r win at its end" % line)
        rc, replay, _ = run(trace, "--demo", demo)
        last = replay.splitlines()[-1].split() if replay else []
        check(rc == 0 and len(replay.splitlines()) == ticks and last[1] == "state=4",
              "the demo replays to %r (rc %d)" % (last, rc))
        check(f.get("luck", "").startswith(("no,", "depends on luck,")) and "of 17 seeds" in f.get("luck", ""),
              "luck line: %r" % f.get("luck"))
        print("level %d: %s | %s | luck %s | walk only %s" % (number, line, f.get("not walking"), f.get("luck"),
                                                              f.get("walk only")))
    return check.report()


# Small levels, each with what is known about it by hand.
WALLED = """
level:
title: Walled in
map:
##########
#P    #  #
#     #E #
#     ####
##########
end
"""
# The grobble blocks the way unless it is pushed into the pit.
PUSH = """
level:
title: Push it away
map:
#########
#P O   E#
#### ####
#########
end
"""
# Round the walls: 13 steps, then the exit (14 decisions, no fewer).
WALK = """
level:
title: Walk round
map:
#########
#P  #  E#
# # # # #
#   #   #
## ### ##
#       #
#########
end
"""
# Every way leads over three bugs, which spark when the generator says so.
BUGS = """
level:
title: Through the bugs
map:
########################################
#P            B      B      B         E#
########################################
end
"""
NO_EXIT = """
level:
title: No way out
map:
#####
#P  #
#####
end
"""


def compile_set(levelc, tmp, name, *levels):
    src = os.path.join(tmp, name + ".txt")
    with open(src, "w") as f:
        f.write("format: extended\n" + "".join(levels))
    out = os.path.join(tmp, name + ".hxm")
    subprocess.run([levelc, src, out], check=True, capture_output=True)
    return out


def without_pellik(levelc, tmp):
    """A classic level whose player tile is blanked in the compiled file: the
    level compiler refuses to write one without."""
    rows = ["#" * 60] + ["#P E" + " " * 55 + "#"] + ["#" + " " * 58 + "#"] * 21 + ["#" * 60]
    src = os.path.join(tmp, "nobody.txt")
    with open(src, "w") as f:
        f.write("format: classic\nlevel:\ntitle: Nobody\nmap:\n" + "\n".join(rows) + "\nend\n")
    out = os.path.join(tmp, "nobody.dat")
    subprocess.run([levelc, src, out], check=True, capture_output=True)
    data = bytearray(open(out, "rb").read())
    data[60 + 1] = data[60 + 2]  # P becomes the blank beside it
    open(out, "wb").write(bytes(data))
    return out


def levels(solve, trace, levelc):
    check = Checks()
    with tempfile.TemporaryDirectory() as tmp:
        walled = compile_set(levelc, tmp, "walled", WALLED)
        rc, out, err = run(solve, walled, "0")
        check(rc == 1 and not out and err.startswith("no solution:"), "walled in: rc %d, %r" % (rc, err))

        small = compile_set(levelc, tmp, "small", WALK, PUSH)
        rc, out, err = run(solve, small, "0", "--search", "breadth")
        f = fields(out)
        check(rc == 0 and f.get("decisions") == "14" and f.get("exhaustive", "").startswith("yes"),
              "walk round: rc %d, %r" % (rc, f))
        check(f.get("walk only") == "yes, 14 decisions" and f.get("not walking", "").startswith("0 "),
              "walk round is not a walk: %r" % f)
        check(rc == 0 and won_tick(trace, small, out.splitlines()[0]) == int(f.get("ticks", 0)),
              "walk round: karvolt-trace does not win with %r" % out.splitlines()[:1])
        # The same answer on four threads, and from the guided search a win all the same.
        rc4, out4, _ = run(solve, small, "0", "--search", "breadth", "--threads", "4")
        check((rc4, out4.splitlines()[:1]) == (rc, out.splitlines()[:1]), "four threads: %r" % out4.splitlines()[:1])
        rc, out, err = run(solve, small, "1", "--search", "breadth")
        f = fields(out)
        check(rc == 0 and re.match(r"[1-9]\d* \(push [1-9]", f.get("not walking", "")),
              "push it away: rc %d, %r" % (rc, f))
        check(f.get("walk only") == "no, no stream of plain walks wins", "push it away: %r" % f.get("walk only"))

        bugs = compile_set(levelc, tmp, "bugs", BUGS)
        rc, out, err = run(solve, bugs, "0")
        f = fields(out)
        check(rc == 0 and f.get("luck", "").startswith("depends on luck, won with "), "bugs: rc %d, %r" % (rc, f))
        # The guided search finds the same on three threads, after the same decisions.
        rc3, out3, _ = run(solve, bugs, "0", "--search", "guided", "--luck-seeds", "0", "--threads", "3")
        rc1, out1, _ = run(solve, bugs, "0", "--search", "guided", "--luck-seeds", "0")
        same = lambda out: [l.rsplit(",", 1)[0] for l in out.splitlines()[:5]]  # the seconds apart
        check(rc1 == rc3 == 0 and same(out1) == same(out3), "three threads: %r, one: %r" % (same(out3), same(out1)))
        won, lost = f.get("seeds won", "-"), f.get("seeds lost", "-")
        check(won.split(",")[0] == "1" and lost != "-" and len(won.split(",")) + len(lost.split(",")) == 17,
              "bugs: seeds won %r, lost %r" % (won, lost))

        # --all: one line a level, also for one that cannot be searched.
        mixed = compile_set(levelc, tmp, "mixed", WALK, WALLED, NO_EXIT)
        rc, out, err = run(solve, mixed, "--all", "--luck-seeds", "2")
        lines = out.splitlines()
        check(rc == 0 and len(lines) == 3, "--all: rc %d, %r" % (rc, lines))
        if len(lines) == 3:
            check(lines[0].startswith("0 solved=yes decisions=14 ticks=") and " shortest=yes " in lines[0] and
                  " walk_only=yes " in lines[0] and " luck=no seeds=3/3 " in lines[0] and
                  lines[0].endswith(' title="Walk round"'), "--all line 0: %r" % lines[0])
            check(lines[1].startswith("1 solved=no no_win_within=all ") and " walk_only=no " in lines[1],
                  "--all line 1: %r" % lines[1])
            check(lines[2].startswith("2 solved=error error=") and "has no exit" in lines[2],
                  "--all line 2: %r" % lines[2])

        # The committed stats: a line for every level of each shipped set, in order.
        for stem in ("karvolt", "karvolt_wide"):
            source = open(os.path.join(ROOT, "data", "Levels", "src", stem + ".txt")).read()
            count = source.count("\nlevel:\n")
            path = os.path.join(ROOT, "data", "Levels", "solutions", stem + ".stats")
            rows = [l for l in open(path).read().splitlines() if not l.startswith("#")]
            check([r.split()[0] for r in rows] == [str(i) for i in range(count)] and
                  all(re.match(r"\d+ solved=(yes|no|unknown) ", r) for r in rows), "%s.stats: %r" % (stem, rows[:2]))

        # Bad input: a clear message and a non-zero exit.
        nobody = without_pellik(levelc, tmp)
        no_exit = compile_set(levelc, tmp, "no_exit", NO_EXIT)
        tutorials = os.path.join(ROOT, "data", "Levels", "karvolt.dat")
        # One past the shipped set, which grows as the campaign does (1536 bytes a classic level).
        past = os.path.getsize(tutorials) // 1536
        for args, code, message in (
                ([os.path.join(tmp, "missing.dat"), "0"], 2, "missing.dat: not a level set that loads"),
                ([tutorials, str(past)], 2, "karvolt.dat: no level %d (the set holds %d)" % (past, past)),
                ([nobody, "0"], 2, "nobody.dat: level 0 has no Pellik"),
                ([no_exit, "0"], 2, "no_exit.hxm: level 0 has no exit"),
                ([tutorials, "0", "--max-decisions", "50"], 3, "no solution within "),
                # The baseline has its own budget and is told even when the search found nothing.
                ([tutorials, "3", "--max-decisions", "1", "--walk-decisions", "400000"], 3,
                 "walk only: no, no stream of plain walks wins"),
                ([small, "0", "--search", "sideways"], 2, "usage: karvolt-solve"),
                ([small, "0", "--threads"], 2, "usage: karvolt-solve"),
                ([small, "--all", "--save-demo", "x.kvd"], 2, "usage: karvolt-solve"),
                ([small], 2, "usage: karvolt-solve")):
            rc, out, err = run(solve, *args)
            check(rc == code and not out and message in err, "%s: rc %d, %r" % (args, rc, err))
    return check.report()


ROOT = None

if __name__ == "__main__":
    solve, trace, levelc, ROOT, what = sys.argv[1:6]
    if what == "tutorial":
        sys.exit(tutorial(solve, trace, ROOT, int(sys.argv[6])))
    sys.exit(levels(solve, trace, levelc))
