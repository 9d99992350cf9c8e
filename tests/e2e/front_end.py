#!/usr/bin/env python3
"""The game as a player meets it: the real program under an X server, driven by
real key events (xdotool), in a fresh copy of data/. Screenshots of every screen
and dialog go to the artefact folder.

    front_end.py KARVOLT SAVED_STATE DATA_DIR ARTEFACT_DIR
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from drive import SKIP, TIMEOUT, TITLE_PATTERN, check, failures, fresh_copy, log_since

KARVOLT, SAVED_STATE, DATA, ARTEFACTS = (os.path.abspath(a) for a in sys.argv[1:5])


class Game:
    """One run of the program in `cwd`, with the debug log as its clock."""

    def __init__(self, cwd, *args):
        self.cwd = cwd
        self.log = os.path.join(cwd, "karvolt_debug.log")
        self.start_offset = os.path.getsize(self.log) if os.path.exists(self.log) else 0
        env = dict(os.environ, KARVOLT_NO_ERROR_BOX="1")
        self.proc = subprocess.Popen([KARVOLT] + list(args), cwd=cwd, env=env,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def text(self):
        return log_since(self.log, self.start_offset)

    def wait_log(self, needle, count=1):
        deadline = time.time() + TIMEOUT
        while time.time() < deadline:
            if self.text().count(needle) >= count:
                return True
            if self.proc.poll() is not None:
                break
            time.sleep(0.05)
        return check(self.text().count(needle) >= count, "log shows %r" % needle)

    def focus_window(self):
        found = subprocess.run(["xdotool", "search", "--sync", "--name", TITLE_PATTERN, "windowfocus"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=TIMEOUT)
        check(found.returncode == 0, "the window carries its title")

    def keys(self, *keys, settle=0.6):
        subprocess.run(["xdotool", "key", "--delay", "60"] + list(keys), check=True)
        time.sleep(settle)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)
        time.sleep(0.6)

    def shot(self, name):
        path = os.path.join(ARTEFACTS, name + ".png")
        subprocess.run(["import", "-window", "root", "-crop", "800x600+0+0", path], check=True)
        print("shot " + path, flush=True)

    def finish(self):
        try:
            out, err = self.proc.communicate(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            out, err = self.proc.communicate()
            check(False, "the program ends by itself")
        self.stderr = err
        return self.proc.returncode


def eventually(condition):
    deadline = time.time() + TIMEOUT
    while not condition() and time.time() < deadline:
        time.sleep(0.05)
    return condition()


def saved_state(folder):
    return subprocess.run([SAVED_STATE, folder], capture_output=True, text=True, check=True).stdout


def in_order(text, lines):
    at = 0
    for line in lines:
        found = text.find(line, at)
        if found < 0:
            return check(False, "start-up line in order: %r" % line)
        at = found + len(line)
    return check(True, "%d start-up lines in order" % len(lines))


STARTUP = [
    "---------------- Startup: ", "Main: Creating main window\n", "Main: Loading resources\n",
    "Main: Initializing sprite manager\n", "Time = ", "Main: Initializing interfaces\n", "Time = ",
    "Main: Initializing sound engine\n", "Time = ", "Main: Loading other resources\n", "Time = ",
    "Main: Running menu\n", "Creating directory: Demos\n", "Creating directory: Players\n",
    "Loading players\n", "Loading options\n", "Creating menu manager\n", "Creating menu Main\n",
    "Creating menu Credits\n", "Creating menu Options\n", "End of creating menus\n", "Running menu\n",
    "{KV_MenuManager::Run} Real menu run\n",
]


def first_run(work):
    """Empty folder: create a player, visit the options and the credits, quit."""
    game = Game(work, "-log", "-nosound")
    game.wait_log("{KV_MenuManager::Run} Real menu run\n")
    game.focus_window()
    time.sleep(0.5)
    game.shot("01_main_menu")
    game.keys("Return")                       # Player: the choice, empty
    game.shot("02_choose_player_empty")
    game.keys("Return")                       # Add has the focus without players
    game.type("  Tester One! ")
    game.shot("03_enter_player_name")
    game.keys("Return")
    game.wait_log("Adding player: Tester One\n")
    game.shot("04_choose_player_added")
    game.keys("Escape")                       # closing makes the row current
    game.keys("Down", "Down", "Down", "Return")
    game.wait_log('KV_MenuManager::switch to ("menu_options") success\n')
    game.keys("Escape")
    game.wait_log('KV_MenuManager::switch to ("menu_main") success\n')
    game.keys("Down", "Return")
    game.wait_log('KV_MenuManager::switch to ("menu_credits") success\n')
    game.shot("05_credits")
    game.keys("Return")
    game.wait_log('KV_MenuManager::switch to ("menu_main") success\n', 2)
    game.keys("Up", "Up", "Up", "Up")
    game.keys("Down", "Down", "Down", "Down", "Down", "Return")
    rc = game.finish()
    log = game.text()
    check(rc == 0, "first run exits 0 (got %s)" % rc)
    in_order(log, STARTUP)
    check(log.count("{KV_MenuManager::Run} Real menu run\n") == 5,
          "one menu pass at start, for the options, the way back, the credits and the way back")
    in_order(log, ["Saving players\n", "Saving options\n", "Main: Exiting\n"])
    check("Starting music" not in log and "Setting curent player" not in log,
          "no music with -nosound, no player named on a first start")
    check(os.path.isdir(os.path.join(work, "Demos")) and os.path.isdir(os.path.join(work, "Players")),
          "Demos and Players made")
    state = saved_state(work)
    check("options loaded=1 music=1 player=Tester One\n" in state, "options saved: " + state.splitlines()[0])
    check("player Tester One.bts loaded=1 name=Tester One speed=50\n" in state, "player file saved")


def error_run(work):
    """A missing resource: the error path, nothing saved, a non-zero exit."""
    kept = {name: open(os.path.join(work, name), "rb").read()
            for name in ("options.bts", "Players/Tester One.bts")}
    resources = os.path.join(work, "resources.xml")
    good = open(resources, encoding="utf-8").read()
    check('name="menu_left_top"' in good, "the credits background is a resource")
    with open(resources, "w", encoding="utf-8") as f:
        f.write(good.replace('name="menu_left_top"', 'name="menu_left_top_moved"'))
    started = time.time()
    game = Game(work, "-nosound")            # no -log: the error still switches the log on
    rc = game.finish()
    with open(resources, "w", encoding="utf-8") as f:
        f.write(good)
    check(rc == 1, "error run exits 1 (got %s)" % rc)
    check(time.time() - started < TIMEOUT, "error run does not hang")
    message = "Resource 'menu_left_top' not found"
    error_log = open(os.path.join(work, "karvolt_error.log"), encoding="utf-8").read()
    check(("Error: " + message) in error_log, "error log has the message: " + error_log.strip()[-80:])
    check(("Error: " + message) in game.stderr, "stderr has the message")
    check("Saving players" not in game.text(), "nothing saved on the error path")
    check(all(open(os.path.join(work, n), "rb").read() == b for n, b in kept.items()), "files unchanged")


def second_run(work):
    """The saved player comes back current; deleting it removes its file."""
    game = Game(work, "-log", "-nosound")
    game.wait_log("{KV_MenuManager::Run} Real menu run\n")
    game.focus_window()
    time.sleep(0.5)
    check("Setting curent player: Tester One\n" in game.text(), "the options name the player")
    game.keys("Return")                       # the list has the focus with a player
    game.shot("06_choose_player_one")
    game.keys("Left", "Right", "Return")      # Add, Delete, press
    game.shot("07_delete_question")
    game.keys("Return")                       # the first button (OK) has the focus
    check(eventually(lambda: not os.path.exists(os.path.join(work, "Players", "Tester One.bts"))),
          "deleting removes the file")
    game.shot("08_choose_player_deleted")
    game.keys("Escape")
    game.keys("Down", "Return")               # Play without a player: the choice comes first
    game.shot("09_play_asks_for_player")
    game.keys("Escape")
    check('switch to ("menu_game")' not in game.text(), "no player, no level screen")
    game.keys("Up", "Down", "Down", "Down", "Down", "Down", "Return")
    rc = game.finish()
    check(rc == 0, "second run exits 0 (got %s)" % rc)
    state = saved_state(work)
    check("options loaded=1 music=1 player=Tester One\n" in state, "an empty table keeps the stored name")
    check("player " not in state, "no player file left")


def third_run(work):
    """Rows come sorted, move one at a time, and a delete highlights the row above."""
    game = Game(work, "-log", "-nosound")
    game.wait_log("{KV_MenuManager::Run} Real menu run\n")
    game.focus_window()
    time.sleep(0.5)
    game.keys("Return")                       # no players: Add has the focus
    for name in ("Cid", "Ann", "Bob"):
        game.keys("Return")
        game.type(name)
        game.keys("Return")
        game.wait_log("Adding player: %s\n" % name)
    game.keys("Up", "Up", "Down")             # the list, then Ann, then Bob again
    game.shot("10_choose_player_three")
    game.keys("Left", "Right", "Return")      # Add, Delete, press
    game.keys("Return")                       # OK: Bob goes, Ann above it is highlighted
    game.shot("11_choose_player_after_delete")
    game.keys("Escape")                       # closing makes Ann current
    game.keys("Down", "Down", "Down", "Down", "Down", "Return")
    rc = game.finish()
    check(rc == 0, "third run exits 0 (got %s)" % rc)
    state = saved_state(work)
    check("options loaded=1 music=1 player=Ann\n" in state, "the row above the deleted one was current: "
          + state.splitlines()[0])
    players = [line.split()[1] for line in state.splitlines() if line.startswith("player ")]
    check(players == ["Ann.bts", "Cid.bts"], "Ann and Cid kept: %s" % players)


def fourth_run(work):
    """The stored player comes back highlighted; the title bar's X takes the highlighted row too."""
    game = Game(work, "-log", "-nosound")
    game.wait_log("{KV_MenuManager::Run} Real menu run\n")
    game.focus_window()
    time.sleep(0.5)
    check("Setting curent player: Ann\n" in game.text(), "the options name Ann")
    game.keys("Return", "Down")               # Ann highlighted, then Cid
    subprocess.run(["xdotool", "mousemove", "374", "109", "click", "1"], check=True)
    time.sleep(0.6)
    game.shot("12_closed_by_its_x")
    game.keys("Down", "Down", "Down", "Down", "Down", "Return")
    rc = game.finish()
    check(rc == 0, "fourth run exits 0 (got %s)" % rc)
    state = saved_state(work)
    check("options loaded=1 music=1 player=Cid\n" in state, "closing by the X takes the highlighted row: "
          + state.splitlines()[0])


def main():
    if not os.environ.get("DISPLAY") or not shutil.which("xdotool") or not shutil.which("import"):
        print("needs an X server, xdotool and ImageMagick's import")
        return SKIP
    os.makedirs(ARTEFACTS, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="karvolt-e2e-") as tmp:
        work = os.path.join(tmp, "data")
        fresh_copy(DATA, work)
        first_run(work)
        if not failures:
            error_run(work)
            second_run(work)
            third_run(work)
            fourth_run(work)
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
