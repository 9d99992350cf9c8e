#!/usr/bin/env python3
"""Proof that a change leaves every game playing tick for tick as before.

    same_play.py record FOLDER TRACE LEVELC [--random N]
    same_play.py compare FOLDER TRACE

`record` runs TRACE (a karvolt-trace) over every stored solution and demo of the
shipped level sets, a few of them with --dump, and over N (default 300) random
runs: random small levels (compiled with LEVELC, a karvolt-levelc, and kept in
FOLDER) with random key scripts and seeds. Each run's output and exit status go
into FOLDER, with the list of runs in FOLDER/runs.txt.

`compare` builds nothing: it repeats the recorded runs with the given TRACE and
compares each output byte for byte, printing the first line that differs.
Exit status 0 when every run matches, 1 otherwise.
"""
import concurrent.futures
import os
import random
import subprocess
import sys

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LEVELS = os.path.join(REPO, "data", "Levels")
SHIPPED = [("karvolt", "karvolt.dat"), ("karvolt_wide", "karvolt_wide.hxm")]
RANDOM_SEED = 20261210
DUMP_TICKS = 400  # dumps print every cell each tick: keep those runs short

# Map characters of the level source format and how often each is drawn.
TILES = [(" ", 30), (".", 30), ("#", 8), ("O", 12), ("q", 10), ("R", 4), ("E", 1), ("T", 1), ("y", 2),
         ("r", 2), ("o", 3), ("B", 3), ("W", 1), ("G", 2), ("e", 2), (">", 1), ("<", 1), ("v", 1),
         ("^", 1), ("-", 1), ("|", 1), ("+", 1), ("1", 1), ("P", 1)]
ONE_WAY = "><v^"
MASKS = [0, 0, 1, 2, 4, 8, 1, 2, 4, 8, 16, 17, 18, 20, 24, 3, 5, 6, 9, 12, 15, 31]


def random_map(rng, width, height):
    chars = [c for c, _ in TILES]
    weights = [w for _, w in TILES]
    rows = [["#"] * width]
    for _ in range(height - 2):
        rows.append(["#"] + rng.choices(chars, weights, k=width - 2) + ["#"])
    rows.append(["#"] * width)
    rows[rng.randrange(1, height - 1)][rng.randrange(1, width - 1)] = "P"
    return rows


def random_level(rng, number, classic):
    width, height = (60, 24) if classic else (rng.randint(5, 40), rng.randint(5, 24))
    rows = random_map(rng, width, height)
    lines = ["level:", "title: random %d" % number, "quota: %d" % rng.choice([0, 0, 1, 3, 255]),
             "gravity: %s" % rng.choice(["on", "off", "off"]), "freeze: %s" % rng.choice(["on", "off", "off", "off"])]
    ports = [(x, y) for y, row in enumerate(rows) for x, c in enumerate(row) if c in ONE_WAY]
    for x, y in rng.sample(ports, min(len(ports), rng.randint(0, 3))):
        switches = [s for s in ("gravity", "freeze-grobbles", "freeze-enemies") if rng.random() < 0.5]
        lines.append(" ".join(["port: %d %d" % (x, y)] + switches))
    lines.append("map:")
    lines += ["".join(row) for row in rows]
    lines.append("end")
    return "\n".join(lines) + "\n"


def random_keys(rng):
    runs = ["%dx%d" % (rng.choice(MASKS), rng.randint(1, 70)) for _ in range(rng.randint(1, 25))]
    return ",".join(runs)


def make_random_sets(folder, levelc, count):
    """Writes and compiles the random level sets; returns the random runs."""
    rng = random.Random(RANDOM_SEED)
    os.makedirs(os.path.join(folder, "levels"), exist_ok=True)
    per_set = 20
    runs = []
    for s in range((count + per_set - 1) // per_set):
        classic = s % 4 == 3
        levels = min(per_set, count - s * per_set)
        source = ["format: %s" % ("classic" if classic else rng.choice(["extended", "extended-blank"])), ""]
        source += [random_level(rng, i, classic) for i in range(levels)]
        stem = os.path.join(folder, "levels", "random_%02d" % s)
        with open(stem + ".txt", "w") as f:
            f.write("\n".join(source))
        path = stem + (".dat" if classic else ".hxm")
        subprocess.run([levelc, stem + ".txt", path], check=True)
        for i in range(levels):
            args = [os.path.relpath(path, folder), str(i), str(rng.randrange(2 ** 32)), random_keys(rng),
                    str(rng.randint(50, 900))]
            if rng.random() < 0.05:
                args.append("--dump")
            runs.append(args)
    return runs


def shipped_runs():
    runs = []
    for stem, file_name in SHIPPED:
        path = os.path.join(LEVELS, file_name)
        with open(os.path.join(LEVELS, "solutions", stem + ".txt")) as f:
            solutions = [line.split() for line in f if line.strip()]
        for k, (number, seed, keys, ticks) in enumerate(solutions):
            runs.append([path, number, seed, keys, ticks])
            if k % 4 == 0:
                runs.append([path, number, seed, keys, str(min(int(ticks), DUMP_TICKS)), "--dump"])
            demo = os.path.join(LEVELS, "solutions", "%s_%02d.kvd" % (stem, int(number)))
            if os.path.exists(demo):
                runs.append(["--demo", demo])
                if k % 4 == 1:
                    runs.append(["--demo", demo, "--dump"])
    return runs


def run_one(trace, folder, args):
    full = [os.path.join(folder, a) if a.startswith("levels/") else a for a in args]
    out = subprocess.run([trace] + full, capture_output=True)
    return out.stdout + b"exit %d\n" % out.returncode + out.stderr


def run_all(trace, folder, runs):
    with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
        return list(pool.map(lambda a: run_one(trace, folder, a), runs))


def output_path(folder, k):
    return os.path.join(folder, "out", "%04d.txt" % k)


def record(folder, trace, levelc, count):
    runs = shipped_runs() + make_random_sets(folder, levelc, count)
    os.makedirs(os.path.join(folder, "out"), exist_ok=True)
    for k, out in enumerate(run_all(trace, folder, runs)):
        with open(output_path(folder, k), "wb") as f:
            f.write(out)
    with open(os.path.join(folder, "runs.txt"), "w") as f:
        f.write("".join("\t".join(a) + "\n" for a in runs))
    print("recorded %d runs in %s" % (len(runs), folder))
    return 0


def first_difference(old, new):
    a, b = old.split(b"\n"), new.split(b"\n")
    for n, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return "line %d:\n  was %s\n  now %s" % (n + 1, x.decode(errors="replace"), y.decode(errors="replace"))
    return "line %d: one output ends early (%d lines, now %d)" % (min(len(a), len(b)) + 1, len(a), len(b))


def compare(folder, trace):
    with open(os.path.join(folder, "runs.txt")) as f:
        runs = [line.rstrip("\n").split("\t") for line in f if line.strip()]
    differ = 0
    for k, out in enumerate(run_all(trace, folder, runs)):
        with open(output_path(folder, k), "rb") as f:
            old = f.read()
        if out != old:
            differ += 1
            print("run %d (%s) differs at %s" % (k, " ".join(runs[k]), first_difference(old, out)))
    print("%d of %d runs differ" % (differ, len(runs)) if differ else "all %d runs match" % len(runs))
    return 1 if differ else 0


def main(argv):
    if len(argv) >= 5 and argv[1] == "record":
        count = 300
        if len(argv) == 7 and argv[5] == "--random":
            count = int(argv[6])
        elif len(argv) != 5:
            return usage()
        return record(os.path.abspath(argv[2]), argv[3], argv[4], count)
    if len(argv) == 4 and argv[1] == "compare":
        return compare(os.path.abspath(argv[2]), argv[3])
    return usage()


def usage():
    sys.stderr.write("usage: same_play.py record FOLDER TRACE LEVELC [--random N]\n"
                     "       same_play.py compare FOLDER TRACE\n")
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
