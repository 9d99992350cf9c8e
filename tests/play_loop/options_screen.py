#!/usr/bin/env python3
"""The options screen and its game-speed dialog driven with real keys: an
out-of-range speed is told and the dialog comes again showing it; "25abc" is
taken as 25; Escape leaves the speed alone.

    options_screen.py OPTIONS_SCREEN DATA_DIR LAYOUT ARTEFACT_DIR
"""
import os
import subprocess
import sys
import time

PROGRAM, DATA, LAYOUT, ARTEFACTS = (os.path.abspath(a) for a in sys.argv[1:5])


def xdotool(*args):
    subprocess.run(["xdotool"] + list(args), check=True)


def keys(*k, settle=0.6):
    xdotool("key", "--delay", "80", *k)
    time.sleep(settle)


def main():
    os.makedirs(ARTEFACTS, exist_ok=True)
    proc = subprocess.Popen([PROGRAM, DATA, LAYOUT], stdout=subprocess.PIPE, text=True)
    found = subprocess.run(["xdotool", "search", "--sync", "--name", "^Karvolt options$"], capture_output=True,
                           text=True, timeout=60)
    window = found.stdout.split()[0]
    xdotool("windowfocus", "--sync", window)
    time.sleep(1.5)

    def shot(name):
        subprocess.run(["import", "-window", window, os.path.join(ARTEFACTS, name + ".png")], check=True)

    shot("options_01_screen")
    keys("Return")                      # Change speed: the dialog shows 50
    shot("options_02_speed_dialog")
    keys("End", "BackSpace", "BackSpace")
    xdotool("type", "--delay", "80", "1001")
    keys("Return")
    shot("options_03_out_of_range")
    keys("Return")                      # OK: the dialog again, showing 1001
    shot("options_04_dialog_again")
    keys("End", "BackSpace", "BackSpace", "BackSpace", "BackSpace")
    xdotool("type", "--delay", "80", "25abc")
    keys("Return")
    shot("options_05_speed_25")
    keys("Return")                      # again, then Escape: nothing changes
    keys("Escape")
    shot("options_06_after_escape")
    # Back by the mouse.
    xdotool("mousemove", "--window", window, "560", "231")
    time.sleep(0.5)
    xdotool("click", "1")
    out, _ = proc.communicate(timeout=60)
    print(out, end="")
    ok = "speed=25 label=25" in out.splitlines()
    print(("ok   " if ok else "FAIL ") + "the typed speed reaches the player and the label")
    return 0 if ok and proc.returncode == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
