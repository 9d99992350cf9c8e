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

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import driver  # noqa: E402

PROGRAM, DATA, LAYOUT, ARTEFACTS = (os.path.abspath(a) for a in sys.argv[1:5])


def drive(d):
    d.step("start the options screen")
    proc = d.start([PROGRAM, DATA, LAYOUT], stdout=subprocess.PIPE, text=True)
    found = d.run(["xdotool", "search", "--sync", "--name", "^Karvolt options$"], capture_output=True, text=True)
    window = found.stdout.split()[0]
    d.run(["xdotool", "windowfocus", "--sync", window])
    time.sleep(1.5)

    def keys(*k, settle=0.6):
        d.run(["xdotool", "key", "--delay", "80"] + list(k))
        time.sleep(settle)

    def type_text(text):
        d.run(["xdotool", "type", "--delay", "80", text])

    def shot(name):
        d.shot(name, window=window)

    shot("options_01_screen")
    d.step("open the speed dialog")
    keys("Return")                      # Change speed: the dialog shows 50
    shot("options_02_speed_dialog")
    d.step("type an out-of-range speed")
    keys("End", "BackSpace", "BackSpace")
    type_text("1001")
    keys("Return")
    shot("options_03_out_of_range")
    keys("Return")                      # OK: the dialog again, showing 1001
    shot("options_04_dialog_again")
    d.step("type 25abc")
    keys("End", "BackSpace", "BackSpace", "BackSpace", "BackSpace")
    type_text("25abc")
    keys("Return")
    shot("options_05_speed_25")
    d.step("leave the dialog with Escape")
    keys("Return")                      # again, then Escape: nothing changes
    keys("Escape")
    shot("options_06_after_escape")
    d.step("leave the screen by its Back button")
    d.run(["xdotool", "mousemove", "--window", window, "560", "231"])
    time.sleep(0.5)
    d.run(["xdotool", "click", "1"])
    out, _ = proc.communicate(timeout=60)
    print(out, end="")
    d.check(proc.returncode == 0, "the screen exits 0 (got %s)" % proc.returncode)
    d.check("speed=25 label=25" in out.splitlines(), "the typed speed reaches the player and the label")


if __name__ == "__main__":
    driver.need("xdotool", "import", display=True)
    sys.exit(driver.Driver(ARTEFACTS).main(drive))
