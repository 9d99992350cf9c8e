#!/usr/bin/env python3
"""How long the game takes from its start to the main menu, under an X server.

    xvfb-run -a -s "-screen 0 1024x768x24" bench/startup_time.py [KARVOLT] [RUNS]

Each run starts the program in a fresh copy of data/ with "-log -nosound" and
stops the clock when the debug log shows the menu loop's first pass (the main
menu's first frame follows at once); then it quits with Down x5 and Enter.
Prints each run and the median, in milliseconds, and the start-up steps' own
"Time =" figures of the last run.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "support"))
import driver  # noqa: E402

KARVOLT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build/release/src/app/karvolt"))
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 5
MENU = "{KV_MenuManager::Run} Real menu run"


def one_run(d, tmp, n):
    work = os.path.join(tmp, "run%d" % n)
    driver.fresh_copy(os.path.join(ROOT, "data"), work)
    log = os.path.join(work, "karvolt_debug.log")
    env = dict(os.environ, KARVOLT_NO_ERROR_BOX="1")
    started = time.perf_counter()
    proc = d.start([KARVOLT, "-log", "-nosound"], cwd=work, env=env,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    elapsed = None
    while time.perf_counter() - started < 30 and proc.poll() is None:
        if os.path.exists(log) and MENU in open(log, errors="replace").read():
            elapsed = (time.perf_counter() - started) * 1000
            break
        time.sleep(0.002)
    d.run(["xdotool", "search", "--sync", "--name", "^Karvolt: beta", "windowfocus"], check=False,
          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)
    time.sleep(0.3)
    d.run(["xdotool", "key", "--delay", "30", "Down", "Down", "Down", "Down", "Down", "Return"], check=False)
    driver.eventually(lambda: proc.poll() is not None, 10)
    d.end(proc)
    steps = [line.strip() for line in open(log, errors="replace") if line.startswith("Time =")]
    return elapsed, steps


def runs(d):
    times = []
    with tempfile.TemporaryDirectory(prefix="karvolt-startup-") as tmp:
        for n in range(RUNS):
            d.step("run %d" % n)
            elapsed, steps = one_run(d, tmp, n)
            d.require(elapsed is not None, "run %d reaches the main menu" % n)
            times.append(elapsed)
            print("run %d: %7.1f ms to the main menu" % (n, elapsed))
    print("median %.1f ms (min %.1f, max %.1f) over %d runs" % (statistics.median(times), min(times), max(times), RUNS))
    print("last run's steps (sprites, interfaces, sound, other resources): " + ", ".join(steps))


if __name__ == "__main__":
    driver.need("xdotool", display=True)
    sys.exit(driver.Driver().main(runs))
