#!/usr/bin/env python3
"""The game as a player meets it: the real program under an X server, driven by
real key events (xdotool), in a fresh copy of data/. Screenshots of every screen
and dialog go to the artefact folder.

    front_end.py KARVOLT SAVED_STATE DATA_DIR ARTEFACT_DIR
"""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import driver  # noqa: E402

KARVOLT, SAVED_STATE, DATA, ARTEFACTS = (os.path.abspath(a) for a in sys.argv[1:5])
TITLE_PATTERN = r"^Karvolt: beta \(build: 0\.510\)$"
TIMEOUT = float(os.environ.get("KARVOLT_E2E_TIMEOUT", "30"))
d = driver.Driver(ARTEFACTS)
check = d.check


class Game:
    """One run of the program in `cwd`, with the debug log as its clock."""

    def __init__(self, cwd, *args):
        self.cwd = cwd
        self.log = os.path.join(cwd, "karvolt_debug.log")
        self.start_offset = os.path.getsize(self.log) if os.path.exists(self.log) else 0
        env = dict(os.environ, KARVOLT_NO_ERROR_BOX="1")
        self.proc = d.start([KARVOLT] + list(args), cwd=cwd, env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def text(self):
        return driver.log_since(self.log, self.start_offset)

    def wait_log(self, needle, count=1):
        return d.require(driver.log_shows(self.log, self.start_offset, needle, count, TIMEOUT, self.proc),
                         "log shows %r" % needle)

    def focus_window(self):
        found = d.run(["xdotool", "search", "--sync", "--name", TITLE_PATTERN, "windowfocus"], check=False,
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=TIMEOUT)
        check(found.returncode == 0, "the window carries its title")

    def keys(self, *keys, settle=0.6):
        d.run(["xdotool", "key", "--delay", "60"] + list(keys))
        time.sleep(settle)

    def type(self, text):
        d.run(["xdotool", "type", "--delay", "60", text])
        time.sleep(0.6)

    def shot(self, name):
        d.shot(name, crop="800x600+0+0")

    def finish(self):
        try:
            _, err = self.proc.communicate(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            err = ""
            check(False, "the program ends by itself")
        d.end(self.proc)
        self.stderr = err
        return self.proc.returncode


def eventually(condition):
    return driver.eventually(condition, TIMEOUT)


def saved_state(folder):
    return d.run([SAVED_STATE, folder], capture_output=True, text=True).stdout


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
    d.run(["xdotool", "mousemove", "374", "109", "click", "1"])
    time.sleep(0.6)
    game.shot("12_closed_by_its_x")
    game.keys("Down", "Down", "Down", "Down", "Down", "Return")
    rc = game.finish()
    check(rc == 0, "fourth run exits 0 (got %s)" % rc)
    state = saved_state(work)
    check("options loaded=1 music=1 player=Cid\n" in state, "closing by the X takes the highlighted row: "
          + state.splitlines()[0])


def all_runs(d):
    with tempfile.TemporaryDirectory(prefix="karvolt-e2e-") as tmp:
        work = os.path.join(tmp, "data")
        driver.fresh_copy(DATA, work)
        d.step("first run: a player, the options, the credits")
        first_run(work)
        if d.failures:
            return
        d.step("a run with a resource missing")
        error_run(work)
        d.step("second run: the player comes back, then goes")
        second_run(work)
        d.step("third run: three players, one deleted")
        third_run(work)
        d.step("fourth run: the title bar's X")
        fourth_run(work)


if __name__ == "__main__":
    driver.need("xdotool", "import", display=True)
    sys.exit(d.main(all_runs))
