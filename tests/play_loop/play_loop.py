#!/usr/bin/env python3
"""A whole evening of play, driven as a player would with real key events
(xdotool) under an X server: make a player, choose the shipped classic set and
its first level, play it to the exit, replay it, save it as a demo, replay the
demo from the demos menu, quit. Then the files the game wrote are read back.
Every screen and dialog is kept as a PNG in the artefact folder.

    play_loop.py KARVOLT CHECK_FILES DATA_DIR ARTEFACT_DIR
"""
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import driver  # noqa: E402

KARVOLT, CHECK_FILES, DATA, ARTEFACTS = (os.path.abspath(a) for a in sys.argv[1:5])
TITLE = r"^Karvolt: beta \(build: 0\.510\)$"
TIMEOUT = float(os.environ.get("KARVOLT_PLAY_TIMEOUT", "60"))


class Game:
    def __init__(self, d, cwd):
        self.d = d
        self.cwd = cwd
        self.log = os.path.join(cwd, "karvolt_debug.log")
        env = dict(os.environ, KARVOLT_NO_ERROR_BOX="1")
        self.proc = d.start([KARVOLT, "-nosound", "-log"], cwd=cwd, env=env)
        found = d.run(["xdotool", "search", "--sync", "--name", TITLE], capture_output=True, text=True,
                      timeout=TIMEOUT)
        self.window = found.stdout.split()[0] if found.stdout.split() else None
        d.require(self.window is not None, "the game's window opens")
        self.xdotool("windowfocus", "--sync", self.window)

    def xdotool(self, *args):
        self.d.run(["xdotool"] + list(args))

    def wait_log(self, needle, count=1, timeout=TIMEOUT):
        shown = driver.log_shows(self.log, 0, needle, count, timeout, self.proc)
        if shown:
            time.sleep(0.3)  # the new screen's first frames
        return self.d.require(shown, "log shows %r (%d times)" % (needle, count))

    def on_screen(self, menu, count=1):
        return self.wait_log('KV_MenuManager::switch to ("%s") success' % menu, count)

    def keys(self, *keys, settle=0.5):
        self.xdotool("key", "--delay", "80", *keys)
        time.sleep(settle)

    def type(self, text):
        self.xdotool("type", "--delay", "80", text)
        time.sleep(0.4)

    def hold(self, key, seconds):
        self.xdotool("keydown", key)
        time.sleep(seconds)
        self.xdotool("keyup", key)

    def tap(self, key, times, held=0.1, gap=0.4):
        for _ in range(times):
            self.hold(key, held)
            time.sleep(gap)

    def shot(self, name):
        self.d.shot(name, window=self.window)


# The first level of the shipped classic set ("First steps") at speed 80, a
# cell every 200 ms. Every long leg runs into a wall, so holding a key a
# little too long changes nothing; the one short leg is two taps of one cell.
FIRST_STEPS = [("Right", 13.0), ("Down", 3.5), ("Left", 13.0), ("Down", 2.5), ("tap", "Up", 2), ("Right", 13.0)]


def play(d):
    work = tempfile.mkdtemp(prefix="karvolt_play_")
    cwd = os.path.join(work, "data")
    driver.fresh_copy(DATA, cwd)
    d.step("start the game")
    game = Game(d, cwd)
    try:
        game.wait_log("Real menu run")
        game.shot("01_main_menu")

        # Play without a player: the player choice comes first.
        d.step("make a player")
        game.keys("Down", "Return")
        game.shot("02_choose_player")
        game.keys("Return")  # Add
        game.shot("03_enter_player_name")
        game.type("Tess")
        game.keys("Return")
        game.shot("04_player_added")
        game.keys("Escape")
        game.on_screen("menu_game")
        game.shot("05_game_menu")

        # Nothing to replay yet.
        d.step("replay with no game yet")
        game.keys("Right", "Right", "Down", "Return")
        game.shot("06_no_game_yet")
        game.keys("Return")
        d.step("play the first level")
        game.keys("Up", "Return", settle=1.0)  # Play
        game.on_screen("menu_play")
        game.keys("3", "3", "3", "2", "1", settle=0.8)  # 50 -> 80
        for step in FIRST_STEPS:
            if step[0] == "tap":
                game.tap(step[1], step[2])
            else:
                game.hold(step[0], step[1])
            if step == FIRST_STEPS[2]:
                game.shot("07_playing")
        game.on_screen("menu_game", 2)
        game.shot("08_level_solved")

        # Faster; the player's own speed stays.
        d.step("replay the last game")
        game.keys("Down", "Return")
        game.on_screen("menu_play", 2)
        game.keys(*(["3"] * 20), settle=0.3)
        game.shot("09_replay_last_game")
        game.on_screen("menu_game", 3)

        # An empty name first, then a name, then the same name again.
        d.step("save the last game as a demo")
        game.keys("Down", "Return")
        game.shot("10_save_demo")
        game.keys("Return")
        game.shot("11_empty_demo_name")
        game.keys("Return")
        game.type("FirstWin")
        game.keys("Return")
        game.keys("Return")
        game.shot("12_save_demo_again")
        game.type("FIRSTWIN.KVD")
        game.keys("Return")
        game.shot("13_overwrite_question")
        game.keys("Return")

        d.step("replay the demo from the demos menu")
        game.keys("Left", "Return")
        game.on_screen("menu_main", 1)
        game.keys("Down", "Return")
        game.on_screen("menu_demos")
        game.shot("14_demos_menu")
        game.keys("Return")
        game.on_screen("menu_play", 3)
        game.keys(*(["3"] * 20), settle=0.3)
        game.shot("15_replay_demo_file")
        game.on_screen("menu_demos", 2)
        game.shot("16_back_in_demos")

        d.step("quit")
        game.keys("Left", "Return")
        game.on_screen("menu_main", 2)
        game.keys("Down", "Down", "Down", "Return")
        d.check(driver.eventually(lambda: game.proc.poll() is not None, TIMEOUT) and game.proc.returncode == 0,
                "the game quits cleanly (exit %s)" % game.proc.poll())
    finally:
        d.end(game.proc)
        if os.path.exists(game.log):
            shutil.copy(game.log, os.path.join(ARTEFACTS, "karvolt_debug.log"))

    d.step("read back the files the game wrote")
    saved = d.run([CHECK_FILES, cwd], capture_output=True, text=True, check=False).stdout
    print(saved, end="")
    lines = saved.splitlines()
    d.check("player Tess speed=80" in lines, "the player keeps the speed of the speed keys, not the replays'")
    # The level list asks every level's state, so the list holds one per level.
    stat = [l.split() for l in lines if l.startswith("stat karvolt.dat ")]
    states = stat[0][2][len("states="):].split(",") if len(stat) == 1 else []
    d.check(states[:1] == ["2"] and set(states[1:]) <= {"0"} and stat[0][3] == "current=1",
            "the first level is solved and the second is current")
    demo = [l for l in lines if l.startswith("demo firstwin.kvd ")]
    d.check(len(demo) == 1 and "player=Tess set=karvolt.dat level=0" in demo[0] and demo[0].endswith("result=1"),
            "the saved demo loads and replays to the exit")
    d.check(sorted(os.listdir(os.path.join(cwd, "Demos"))) == ["firstwin.kvd"], "one demo file, overwritten once")
    d.check("options player=Tess" in lines, "the options name the player")
    if d.failures:
        print("the game's folder is kept in " + cwd)
    else:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    driver.need("xdotool", "import", display=True)
    sys.exit(driver.Driver(ARTEFACTS).main(play))
