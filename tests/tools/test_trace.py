#!/usr/bin/env python3
"""karvolt-trace on a shipped level: one line a tick in the documented form, a
dump that agrees with it, the same output for the same run, the won state at
the end of the stored solution, and usage errors that exit with 2. A run saved
as a demo file replays to the same lines; files that are no demo exit with 1.

    test_trace.py KARVOLT_TRACE SOURCE_DIR
"""
import os
import re
import subprocess
import sys
import tempfile

LINE = re.compile(r"^(\d+) state=(\d+) moves=(\d+) q=(\d+) red=(\d+) p=(\d+),(\d+) "
                  r"snd=(\d+(?:,\d+){15}) ([0-9a-f]{16})$")
CELL = re.compile(r"^  L([0-3]) \((\d+),(\d+)\) type=(\d+) flags=0x([0-9a-f]+) s=([0-9a-f]{16})$")


def run(exe, *args):
    p = subprocess.run([exe] + list(args), capture_output=True, text=True)
    return p.returncode, p.stdout.splitlines()


def run_err(exe, *args):
    p = subprocess.run([exe] + list(args), capture_output=True, text=True)
    return p.returncode, p.stdout.splitlines(), p.stderr


def main(exe, root):
    failures = []

    def check(cond, what):
        if not cond:
            failures.append(what)

    levels = root + "/data/Levels/"
    # Pocket: 20 x 12, Pellik walks right.
    rc, out = run(exe, levels + "karvolt_wide.hxm", "0", "1", "4x3,0", "5", "--dump")
    check(rc == 0, "dump run exits with %d" % rc)
    ticks, pellik = [], {}
    for line in out:
        m = LINE.match(line)
        if m:
            ticks.append(m)
            continue
        m = CELL.match(line)
        check(m and ticks, "unexpected line: " + line)
        if m and ticks and m.group(4) == "2":  # Pellik
            pellik[ticks[-1].group(1)] = (m.group(2), m.group(3))
    for m in ticks:
        check(pellik.get(m.group(1)) == m.group(6, 7), "tick %s: the dump has Pellik elsewhere" % m.group(1))
    check([int(m.group(1)) for m in ticks] == [1, 2, 3, 4, 5], "ticks are not numbered 1..5")
    check(all(int(m.group(2)) & 1 for m in ticks), "the game is not running")
    check(len({m.group(9) for m in ticks}) > 1, "the digest does not follow the field")
    check(run(exe, levels + "karvolt_wide.hxm", "0", "1", "4x3,0", "5", "--dump") == (rc, out),
          "the same run prints something else")

    # The stored solution of the first classic level ends in the won state.
    first = open(levels + "solutions/karvolt.txt").readline().split()
    rc, out = run(exe, levels + "karvolt.dat", first[0], first[1], first[2], first[3])
    check(rc == 0 and len(out) == int(first[3]), "solution run: rc %d, %d lines" % (rc, len(out)))
    check(all(LINE.match(line) for line in out), "a solution line is malformed")
    check(out and int(LINE.match(out[-1]).group(2)) & 4, "the solution does not reach the exit")

    with tempfile.TemporaryDirectory() as tmp:
        # A run saved as a demo replays to the same lines, dump included; so does
        # the shipped demo of the same solution.
        saved = os.path.join(tmp, "first.kvd")
        traced = run(exe, levels + "karvolt.dat", first[0], first[1], first[2], first[3], "--dump",
                     "--save-demo", saved)
        check(traced[0] == 0 and os.path.exists(saved), "--save-demo: rc %d" % traced[0])
        check(run(exe, "--demo", saved, "--dump") == traced, "the saved demo replays differently")
        plain = run(exe, "--demo", levels + "solutions/karvolt_00.kvd")
        check(plain == (0, [l for l in traced[1] if LINE.match(l)]), "the shipped demo replays differently")

        for path, message in ((levels + "karvolt.dat", "not a storage file"),
                              (root + "/fuzz/corpus/bts_load/options.bts", "Invalid file type: "),
                              (os.path.join(tmp, "missing.kvd"), "not a storage file")):
            rc, out, err = run_err(exe, "--demo", path)
            check(rc == 1 and not out and message in err, "--demo %s: rc %d, stderr %r" % (path, rc, err))

    for args in ([], ["x.dat", "0", "1", "4", "3"], [levels + "karvolt.dat", "99", "1", "4", "3"],
                 [levels + "karvolt.dat", "0", "1", "4y3", "3"], [levels + "karvolt.dat", "0", "1", "4", "3", "--dmp"],
                 [levels + "karvolt.dat", "0", "1", "4", "3", "--save-demo"],
                 [levels + "karvolt.dat", "0", "1", "4", "3", "--shot"],
                 [levels + "karvolt.dat", "0", "1", "4", "3", "--shot", "a.png", "--shot", "b.png"], ["--demo"],
                 ["--demo", levels + "solutions/karvolt_00.kvd", "--dmp"]):
        rc, _ = run(exe, *args)
        check(rc == 2, "%s exits with %d, not 2" % (args, rc))

    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
