#!/usr/bin/env python3
"""The front end as a player meets it, under a real window manager (openbox)
with real key events (xdotool), in a fresh copy of data/ with a small level set
of our own ("a_hold.dat": Pellik stands above the exit, so holding Down wins).

- Options asks for a player first; the new player's file, the options and the
  chosen level set are on disk at once; the options screen changes the speed
  (the range message included) and writes it; Up and Down walk it, Escape
  leaves it; the credits, the level choice, the demos and the save-demo
  dialog's name line leave on Escape too.
- Down held into the exit and released in the level choice: the highlighted
  row stays the player's new current level.
- A second win, then SIGKILL: the win, the player and the options are there.
- The window's close button (wmctrl -c) in the main menu, in a dialog and in
  play: exit 0, players and options saved.

Screenshots of every screen and dialog go to the artefact folder.

    as_a_player.py KARVOLT CHECK_FILES LEVELC DATA_DIR ARTEFACT_DIR
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from drive import check, failures, fresh_copy, log_since
import driver  # noqa: E402  (drive puts tests/support on the path)

KARVOLT, CHECK_FILES, LEVELC, DATA, ARTEFACTS = (os.path.abspath(a) for a in sys.argv[1:6])
TITLE = "Karvolt: beta (build: 0.510)"
TITLE_PATTERN = r"^Karvolt: beta \(build: 0\.510\)$"
TIMEOUT = float(os.environ.get("KARVOLT_E2E_TIMEOUT", "40"))


class StepFailed(Exception):
    pass


def must(ok, what):
    """A check the steps after it can't do without."""
    if not check(ok, what):
        raise StepFailed(what)


def run(*args, **kw):
    return subprocess.run([str(a) for a in args], timeout=TIMEOUT, **kw)


def hold_level(title):
    """A 60 x 24 level: Pellik above four cells of base and the exit; all else hardware."""
    rows = ["#" * 60 for _ in range(24)]
    column = "P....E"
    for r, ch in enumerate(column, start=1):
        rows[r] = "#" + ch + "#" * 58
    return "level:\ntitle: %s\nquota: 0\ngravity: off\nfreeze: off\nmap:\n%s\nend\n" % (title, "\n".join(rows))


def make_hold_set(work):
    source = os.path.join(work, "a_hold.txt")
    with open(source, "w") as f:
        f.write("format: classic\n\n" + "\n".join(hold_level("Hold down %d" % n) for n in range(1, 6)))
    made = run(LEVELC, source, os.path.join(work, "data", "Levels", "a_hold.dat"), capture_output=True, text=True)
    must(made.returncode == 0, "the held-key level set compiles: " + made.stderr.strip())


class Game:
    """One run of the program in `cwd`; the debug log tells where it is."""

    def __init__(self, cwd):
        self.cwd = cwd
        self.log = os.path.join(cwd, "karvolt_debug.log")
        self.start_offset = os.path.getsize(self.log) if os.path.exists(self.log) else 0
        env = dict(os.environ, KARVOLT_NO_ERROR_BOX="1")
        self.proc = subprocess.Popen([KARVOLT, "-nosound", "-log"], cwd=cwd, env=env, start_new_session=True,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        found = run("xdotool", "search", "--sync", "--name", TITLE_PATTERN, capture_output=True, text=True)
        ids = found.stdout.split()
        must(bool(ids), "the game's window opens")
        self.window = ids[0]
        must(self.wait_log("{KV_MenuManager::Run} Real menu run\n"), "the main menu runs")
        run("xdotool", "windowactivate", "--sync", self.window)
        time.sleep(0.5)

    def text(self):
        return log_since(self.log, self.start_offset)

    def wait_log(self, needle, count=1):
        if not driver.log_shows(self.log, self.start_offset, needle, count, TIMEOUT, self.proc):
            return False
        time.sleep(0.4)  # the new screen's first frames
        return True

    def on_screen(self, menu, count=1):
        return check(self.wait_log('KV_MenuManager::switch to ("%s") success' % menu, count),
                     "%s shows (%d)" % (menu, count))

    def keys(self, *keys, settle=0.6):
        run("xdotool", "key", "--delay", "120", *keys)
        time.sleep(settle)

    def type(self, text):
        run("xdotool", "type", "--delay", "100", text)
        time.sleep(0.5)

    def shot(self, name):
        path = os.path.join(ARTEFACTS, name + ".png")
        run("import", "-window", self.window, path)
        print("shot " + path, flush=True)

    def close_window(self):
        run("wmctrl", "-c", TITLE)

    def exit_code(self):
        try:
            self.proc.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            return None
        return self.proc.returncode

    def end(self):
        """Whatever happened, the program and anything it started go."""
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.proc.wait()


def files(cwd):
    return run(CHECK_FILES, cwd, capture_output=True, text=True).stdout.splitlines()


def stat_of(lines, levelset):
    found = [l.split() for l in lines if l.startswith("stat %s " % levelset)]
    return " ".join(found[0][2:]) if found else "none"


def first_evening(cwd):
    """A new player by way of Options, the options screen, the credits, a win with Down held, a second win, SIGKILL."""
    game = Game(cwd)
    try:
        game.shot("01_main_menu")
        game.keys("Down", "Down", "Down", "Return")      # Options, with no player yet
        game.shot("02_options_asks_for_player")
        game.keys("Return")                              # Add
        game.shot("03_enter_player_name")
        game.type("Tess")
        game.keys("Return")
        must(game.wait_log("Adding player: Tess\n"), "the player is added")
        check(os.path.exists(os.path.join(cwd, "Players", "Tess.bts")), "the new player's file is written at once")
        game.shot("04_choose_player_added")
        game.keys("Escape")                              # Tess becomes current: the options open
        must(game.on_screen("menu_options"), "Options leads to the options screen")
        check("options player=Tess" in files(cwd), "the options name the new current player at once")
        game.shot("05_options_screen")

        game.keys("Return")                              # Change speed
        game.shot("06_speed_dialog")
        game.keys("End", "BackSpace", "BackSpace")
        game.type("0")
        game.keys("Return")
        game.shot("07_speed_out_of_range")
        game.keys("Return")                              # the dialog again, showing 0
        game.keys("End", "BackSpace")
        game.type("70")
        game.keys("Return")
        check("player Tess speed=70" in files(cwd), "the typed speed is written at once")
        game.shot("08_options_speed_70")
        game.keys("Down", "Up", "Return")                # Back, then Change speed again
        game.shot("09_speed_dialog_again")
        game.keys("Escape")                              # closes the dialog, nothing else
        check(game.text().count('switch to ("menu_main") success') == 0, "Escape in the dialog stays on the screen")
        game.keys("Escape")
        game.on_screen("menu_main")

        game.keys("Down", "Return")                      # Credits (the focus stayed on Options)
        game.on_screen("menu_credits")
        game.shot("10_credits")
        game.keys("Escape")
        game.on_screen("menu_main", 2)

        game.keys("Up", "Up", "Up", "Return")            # Play (the focus stayed on Credits)
        game.on_screen("menu_game")
        check(stat_of(files(cwd), "a_hold.dat") == "states= current=0", "the chosen level set is written at once")
        game.shot("11_level_choice")
        game.keys("Right", "Right", "Down", "Down", "Return")  # the levels, Play, Replay, Save
        game.shot("12_no_game_yet")
        game.keys("Return")
        game.keys("Up", "Up")                            # Replay, Play, then the levels
        game.keys("Up")

        # Down held from the first level's start through its exit into the
        # level choice, let go only there.
        game.keys("Return", settle=0.3)
        must(game.on_screen("menu_play"), "Enter in the level list plays")
        run("xdotool", "keydown", "Down")
        try:
            check(game.on_screen("menu_game", 2), "holding Down wins the first level")
            time.sleep(2.0)                              # well past the key repeat's delay
            game.shot("13_back_with_down_held")
        finally:
            run("xdotool", "keyup", "Down")
        time.sleep(0.5)
        game.shot("14_down_released")

        game.keys("Right", "Down", "Down", "Return")     # Save last game
        game.shot("15_save_demo_dialog")
        game.keys("Escape")                              # the name line has the focus: cancels
        game.shot("16_save_demo_cancelled")
        check(os.listdir(os.path.join(cwd, "Demos")) == [], "Escape in the name line saves nothing")
        game.keys("Escape")                              # the level choice goes back, with the choice written
        game.on_screen("menu_main", 3)
        check(stat_of(files(cwd), "a_hold.dat") == "states=2,0,0,0,0 current=1",
              "the highlighted row stayed the new current level: " + stat_of(files(cwd), "a_hold.dat"))

        # A second win, and then the program dies before anything else happens.
        game.keys("Return")                              # Play kept the focus
        game.on_screen("menu_game", 3)
        game.keys("Up", "Up", "Up")                      # from Save: Replay, Play, the levels
        game.keys("Return", settle=0.3)
        must(game.on_screen("menu_play", 2), "the second level starts")
        run("xdotool", "keydown", "Down")
        try:
            check(game.on_screen("menu_game", 4), "holding Down wins the second level")
        finally:
            run("xdotool", "keyup", "Down")
        os.killpg(game.proc.pid, signal.SIGKILL)
        game.proc.wait()
    finally:
        game.end()
    lines = files(cwd)
    print("\n".join(lines))
    check(stat_of(lines, "a_hold.dat") == "states=2,2,0,0,0 current=2",
          "after SIGKILL both wins are on disk: " + stat_of(lines, "a_hold.dat"))
    check("player Tess speed=70" in lines and "options player=Tess" in lines, "the player and the options outlive SIGKILL")


def close_in_menus(cwd):
    """The window's close button in the main menu and in a dialog over it."""
    game = Game(cwd)
    try:
        check("Setting curent player: Tess\n" in game.text(), "the next start finds Tess")
        game.keys("Down", "Down", "Return")              # Demos
        game.on_screen("menu_demos")
        game.shot("17_demos")
        game.keys("Escape")
        game.on_screen("menu_main")
        game.close_window()
        rc = game.exit_code()
        check(rc == 0, "closing the window in the main menu exits 0 (got %s)" % rc)
        check("Closing the window\n" in game.text() and "Saving players\n" in game.text()
              and "Saving options\n" in game.text(), "the close saves as Quit does")
    finally:
        game.end()

    game = Game(cwd)
    try:
        game.keys("Return")                              # Player: the choice is open
        game.shot("18_choose_player_one")
        game.keys("Right", "Return")                     # Add: a dialog over the dialog
        game.close_window()
        rc = game.exit_code()
        check(rc == 0, "closing the window over two dialogs exits 0 (got %s)" % rc)
        check("Saving options\n" in game.text(), "and saves")
    finally:
        game.end()


def close_in_play(cwd):
    """The window's close button while a level is played: the game ends as Escape ends it, then the usual end."""
    game = Game(cwd)
    try:
        game.keys("Down", "Return")                      # Play
        game.on_screen("menu_game")
        game.keys("Right", "Return", settle=0.3)         # the levels, Enter: the third level
        must(game.on_screen("menu_play"), "a level starts")
        time.sleep(1.0)
        game.shot("19_playing")
        game.close_window()
        rc = game.exit_code()
        log = game.text()
        check(rc == 0, "closing the window in play exits 0 (got %s)" % rc)
        check(log.count('switch to ("menu_game") success') == 2 and log.find("Closing the window\n")
              < log.rfind('switch to ("menu_game") success') < log.find("Saving players\n"),
              "the game ended back in the level choice, then the players were saved")
    finally:
        game.end()
    lines = files(cwd)
    check(stat_of(lines, "a_hold.dat") == "states=2,2,0,0,0 current=2", "a closed game books nothing: "
          + stat_of(lines, "a_hold.dat"))
    check("player Tess speed=70" in lines and "options player=Tess" in lines, "players and options saved")


def start_window_manager():
    wm = subprocess.Popen(["openbox", "--sm-disable"], start_new_session=True,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.time() + TIMEOUT
    while time.time() < deadline:
        if subprocess.run(["wmctrl", "-m"], capture_output=True).returncode == 0:
            return wm
        time.sleep(0.1)
    must(False, "openbox runs")


def main():
    driver.need("xdotool", "import", "openbox", "wmctrl", display=True)
    os.makedirs(ARTEFACTS, exist_ok=True)
    wm = None
    tmp = tempfile.mkdtemp(prefix="karvolt-player-")
    try:
        wm = start_window_manager()
        cwd = os.path.join(tmp, "data")
        fresh_copy(DATA, cwd)
        make_hold_set(tmp)
        for step in (first_evening, close_in_menus, close_in_play):
            print("-- " + step.__name__, flush=True)
            try:
                step(cwd)
            except StepFailed as e:
                print("step %s stopped: %s" % (step.__name__, e), flush=True)
                break
            except subprocess.TimeoutExpired as e:
                check(False, "%s: %s did not finish" % (step.__name__, e.cmd))
                break
    finally:
        if wm and wm.poll() is None:
            os.killpg(wm.pid, signal.SIGTERM)
            wm.wait()
        log = os.path.join(tmp, "data", "karvolt_debug.log")
        if os.path.exists(log):
            shutil.copy(log, os.path.join(ARTEFACTS, "karvolt_debug.log"))
        shutil.rmtree(tmp, ignore_errors=True)
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
