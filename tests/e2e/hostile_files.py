#!/usr/bin/env python3
"""The real program against hostile and damaged files, under an X server with
sound on through SDL's dummy driver, in fresh copies of data/:

- a music folder whose playlist names a folder, a FIFO and endless devices
  before the real tracks: start-up and N in play neither crash, hang nor eat memory;
- a second copy on the same folder: refused with the message, status 1, nothing written;
- temporary files of killed saves: gone after the next start;
- a damaged player file: said on stderr and kept;
- a level set that doesn't load: no levels listed, nothing to play;
- a truncated sprite: the error path, naming the file, status 1.

    hostile_files.py KARVOLT DATA_DIR ARTEFACT_DIR
"""
import os
import signal
import subprocess
import sys
import tempfile
import time

from drive import TIMEOUT, TITLE_PATTERN, check, failures, fresh_copy, log_since
import driver  # noqa: E402

KARVOLT, DATA, ARTEFACTS = (os.path.abspath(a) for a in sys.argv[1:4])
# How much the program may grow while it walks the hostile playlist (a device
# read as a track grew it by hundreds of megabytes a second); the sanitizer's
# own growth fits in it too.
MAX_GROWTH_KB = 256 * 1024
MENU_RUNS = "{KV_MenuManager::Run} Real menu run\n"
running = []


def dead_pid():
    child = subprocess.Popen(["true"])
    child.wait()
    return child.pid


class Game:
    """One run of the program in `cwd`, sound on through the dummy driver."""

    def __init__(self, cwd, *args):
        self.cwd = cwd
        self.log = os.path.join(cwd, "karvolt_debug.log")
        self.start_offset = os.path.getsize(self.log) if os.path.exists(self.log) else 0
        env = dict(os.environ, KARVOLT_NO_ERROR_BOX="1", SDL_AUDIODRIVER="dummy")
        self.proc = subprocess.Popen([KARVOLT] + list(args), cwd=cwd, env=env,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        running.append(self.proc)
        self.stderr = ""

    def text(self):
        return log_since(self.log, self.start_offset)

    def wait_log(self, needle):
        return check(driver.log_shows(self.log, self.start_offset, needle, 1, TIMEOUT, self.proc), "log shows %r" % needle)

    def alive(self):
        return self.proc.poll() is None

    def rss_kb(self):
        try:
            with open("/proc/%d/status" % self.proc.pid) as f:
                for line in f:
                    if line.startswith("VmRSS:"):
                        return int(line.split()[1])
        except OSError:
            pass
        return 0

    def focus_window(self):
        found = subprocess.run(["xdotool", "search", "--sync", "--name", TITLE_PATTERN, "windowfocus"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=TIMEOUT)
        check(found.returncode == 0, "the window carries its title")

    def keys(self, *keys, settle=0.6):
        subprocess.run(["xdotool", "key", "--delay", "60"] + list(keys), check=True, timeout=TIMEOUT)
        time.sleep(settle)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "60", text], check=True, timeout=TIMEOUT)
        time.sleep(0.6)

    def shot(self, name):
        path = os.path.join(ARTEFACTS, name + ".png")
        subprocess.run(["import", "-window", "root", "-crop", "800x600+0+0", path], check=True, timeout=TIMEOUT)
        print("shot " + path, flush=True)

    def finish(self):
        """Waits for the program to end by itself; kills it when it doesn't."""
        try:
            _, self.stderr = self.proc.communicate(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            self.kill()
            check(False, "the program ends by itself")
        return self.proc.returncode

    def kill(self):
        if self.alive():
            self.proc.send_signal(signal.SIGKILL)
        _, self.stderr = self.proc.communicate()

    def in_menu(self):
        """Waits for the main menu; a run that never gets there is ended."""
        if self.wait_log(MENU_RUNS):
            return True
        self.kill()
        return False

    def new_player_to_level_choice(self, name):
        """From the main menu: Play, which asks for a player first; add one, on to the level choice."""
        self.focus_window()
        time.sleep(0.5)
        self.keys("Down", "Return")
        self.keys("Return")                   # Add
        self.type(name)
        self.keys("Return")
        self.keys("Escape")
        self.wait_log('KV_MenuManager::switch to ("menu_game") success')


def snapshot(folder):
    """Every entry below folder with its size and modification time."""
    seen = {}
    for root, dirs, files in os.walk(folder):
        for name in dirs + files:
            path = os.path.join(root, name)
            st = os.lstat(path)
            seen[os.path.relpath(path, folder)] = (st.st_size, st.st_mtime_ns)
    return seen


def hostile_music(work):
    """A playlist that begins with what is no track, then the real ones."""
    music = os.path.join(work, "music")
    os.mkdir(os.path.join(music, "a_folder.xm"))
    os.mkfifo(os.path.join(music, "a_fifo.xm"))
    os.symlink("/dev/urandom", os.path.join(music, "random.mp3"))
    os.symlink("/dev/zero", os.path.join(music, "zeros.xm"))
    os.mkfifo(os.path.join(work, "sounds", "fifo.wav"))
    with open(os.path.join(music, "default.m3u"), encoding="utf-8") as f:
        real = f.read()
    with open(os.path.join(music, "default.m3u"), "w", encoding="utf-8") as f:
        f.write("a_folder.xm\na_fifo.xm\nrandom.mp3\nzeros.xm\n" + real)
    # One of the samples is a FIFO now.
    os.replace(os.path.join(work, "sounds", "fifo.wav"), os.path.join(work, "sounds", "eat.wav"))


def music_and_leftovers_run(work):
    """Hostile tracks at start-up and on N in play; stale temporaries, a damaged profile."""
    hostile_music(work)
    os.makedirs(os.path.join(work, "Players"), exist_ok=True)
    gone = dead_pid()
    stale = [os.path.join(work, "Players", ".Tess.bts.tmp%d-0" % gone),
             os.path.join(work, ".options.bts.tmp%d-4" % gone)]
    for path in stale:
        with open(path, "wb") as f:
            f.write(b"BTS0")
    damaged = os.path.join(work, "Players", "bob.bts")
    with open(damaged, "wb") as f:
        f.write(b"BTS0 and then nothing")

    game = Game(work, "-log")
    if not game.in_menu():
        return
    check("Starting music\n" in game.text(), "music starts with sound on")
    at_menu = game.rss_kb()
    time.sleep(2.0)   # the keep-alive walks the playlist meanwhile
    check(game.alive(), "start-up survives a folder, a FIFO and two devices as tracks")
    check(game.rss_kb() - at_menu < MAX_GROWTH_KB, "memory stays put in the menu (%d kB, then %d kB)"
          % (at_menu, game.rss_kb()))
    check(all(not os.path.exists(p) for p in stale), "the temporaries of killed saves are gone")
    game.focus_window()
    time.sleep(0.5)
    game.shot("hostile_01_main_menu")
    game.new_player_to_level_choice("Tess")
    game.keys("Right", "Right", "Return", settle=1.0)   # levels, Play
    game.wait_log('KV_MenuManager::switch to ("menu_play") success')
    for _ in range(7):                        # round the whole playlist, hostile entries and all
        game.keys("n", settle=0.4)
    game.shot("hostile_02_play_after_n")
    check(game.alive(), "N in play survives the hostile tracks")
    check(game.rss_kb() - at_menu < MAX_GROWTH_KB, "memory stays put in play (%d kB)" % game.rss_kb())
    game.kill()
    error_log = open(os.path.join(work, "karvolt_error.log"), encoding="utf-8", errors="replace").read()
    check("Could not play track" in error_log and "a_folder.xm" in error_log,
          "skipped tracks are named in the error log")
    check("Could not load sound" in error_log and "eat.wav" in error_log,
          "the sample that can't be loaded is named in the error log")
    check("Could not load ./Players/bob.bts: not a readable BTS file" in game.stderr,
          "the damaged profile is said on stderr")
    check(open(damaged, "rb").read() == b"BTS0 and then nothing", "the damaged profile is kept")


def second_copy_run(work):
    """Two copies on one folder: the second is refused and writes nothing."""
    first = Game(work, "-log")
    if not first.in_menu():
        return
    time.sleep(0.5)
    before = snapshot(work)
    second = Game(work, "-log")
    rc = second.finish()
    check(rc == 1, "the second copy exits 1 (got %s)" % rc)
    check("Karvolt is already running in this folder." in second.stderr,
          "the second copy says why: %r" % second.stderr.strip()[-80:])
    check(snapshot(work) == before, "the second copy wrote nothing")
    check(first.alive(), "the first copy runs on")
    first.kill()

    # The lock goes with the process, however it ended.
    third = Game(work, "-log")
    check(third.wait_log(MENU_RUNS), "a copy starts once the first is gone")
    third.kill()


def broken_levelset_run(work):
    """A set that doesn't load lists no levels and offers nothing to play."""
    with open(os.path.join(work, "Levels", "a_broken.dat"), "wb") as f:
        f.write(b"\0" * 100)                 # not one whole record
    game = Game(work, "-log", "-nosound")
    if not game.in_menu():
        return
    game.new_player_to_level_choice("Lee")
    game.keys("Down", settle=1.0)             # the shipped classic set
    game.shot("hostile_03_good_set")
    game.keys("Up", settle=1.0)               # back to the broken one
    game.shot("hostile_04_broken_set")
    game.keys("Right", "Right", "Return", settle=1.5)   # levels, Play
    check('switch to ("menu_play")' not in game.text(), "a broken set offers nothing to play")
    game.keys("Up", "Left", "Down", settle=1.0)        # the levels, the set list, the shipped classic set
    game.keys("Right", "Right", "Return", settle=1.0)
    check(game.wait_log('KV_MenuManager::switch to ("menu_play") success'), "a good set plays")
    game.kill()


def damaged_image_run(work):
    """A truncated sprite sheet: the error path with the file's name, status 1."""
    sprite = os.path.join(work, "Graphics", "Objects", "base.png")
    whole = open(sprite, "rb").read()
    with open(sprite, "wb") as f:
        f.write(whole[:len(whole) // 2])
    started = time.time()
    game = Game(work, "-nosound")
    rc = game.finish()
    with open(sprite, "wb") as f:
        f.write(whole)
    check(rc == 1, "a damaged sprite exits 1 (got %s)" % rc)
    check(time.time() - started < TIMEOUT, "a damaged sprite does not hang")
    check("Error: Damaged image Graphics/Objects/base.png: truncated" in game.stderr,
          "the error names the file: %r" % game.stderr.strip()[-100:])


def main():
    driver.need("xdotool", "import", "true", display=True)
    os.makedirs(ARTEFACTS, exist_ok=True)
    try:
        with tempfile.TemporaryDirectory(prefix="karvolt-hostile-") as tmp:
            for name, run in (("music", music_and_leftovers_run), ("lock", second_copy_run),
                              ("levelset", broken_levelset_run), ("image", damaged_image_run)):
                work = os.path.join(tmp, name)
                fresh_copy(DATA, work)
                run(work)
    finally:
        for proc in running:
            if proc.poll() is None:
                proc.kill()
                proc.wait()
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
