"""What the drivers of the real programs share (tests/play_loop, tests/e2e,
bench): the programs they need, named with their Debian package; the programs
they start, ended with everything they started on every path out; the step
they are at, named when it fails; and their screenshots, kept.

A driver that lacks a program fails under CI (CI=true) and under scripts/test
(KARVOLT_NO_SKIP=1); run by hand it skips with exit code 77.
"""
import atexit
import os
import re
import shutil
import signal
import subprocess
import sys
import time
import traceback

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
INSTALL_DEPS = os.path.join(ROOT, "scripts", "install-deps")
SKIP = 77


def package_lines():
    """The lines of install-deps' package table, comments dropped."""
    with open(INSTALL_DEPS, encoding="utf-8") as f:
        text = f.read()
    body = re.search(r"<<'PACKAGES'\n(.*?)\nPACKAGES\n", text, re.S)
    return [line.split("#", 1)[0] for line in body.group(1).splitlines()] if body else []


def packages():
    """{program: Debian package} from the table of scripts/install-deps."""
    table = {}
    for line in package_lines():
        words = line.split()
        for program in words[1:]:
            table[program] = words[0]
    return table


def strict():
    return os.environ.get("CI") == "true" or os.environ.get("KARVOLT_NO_SKIP") == "1"


def need(*programs, display=False):
    """Ends the driver at once unless every program is on PATH (and an X server is set)."""
    table = packages()
    missing = ["%s (Debian package %s)" % (p, table.get(p, "not in the table of scripts/install-deps"))
               for p in programs if shutil.which(p) is None]
    hint = "; scripts/install-deps installs it" if missing else ""
    if display and not os.environ.get("DISPLAY"):
        missing.append("an X server (run it under xvfb-run)")
    if not missing:
        return
    if strict():
        print("FAIL needs %s%s" % (", ".join(missing), hint), flush=True)
        sys.exit(1)
    print("SKIP needs %s" % ", ".join(missing), flush=True)
    sys.exit(SKIP)


class StepFailed(Exception):
    """A check the rest of the run cannot go on without."""


def _named(args, call):
    # A program missing at the call names its package too.
    try:
        return call()
    except FileNotFoundError as e:
        if e.filename != args[0]:
            raise
        raise FileNotFoundError("%s is missing (Debian package %s)"
                                % (args[0], packages().get(os.path.basename(args[0]), "not in the table of scripts/install-deps"))) \
            from None


class Driver:
    def __init__(self, artefacts=None):
        self.artefacts = artefacts
        self.current = "start"
        self.failures = []
        self.started = []
        if artefacts:
            os.makedirs(artefacts, exist_ok=True)
        # ctest's timeout and ^C end the driver through its cleanup too.
        for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            signal.signal(sig, self._on_signal)
        atexit.register(self.end_all)

    def _on_signal(self, number, _frame):
        raise SystemExit(128 + number)

    def step(self, name):
        self.current = name
        print("-- " + name, flush=True)

    def check(self, ok, what):
        print(("ok   " if ok else "FAIL ") + what, flush=True)
        if not ok:
            self.failures.append((self.current, what))
        return ok

    def require(self, ok, what):
        if not self.check(ok, what):
            raise StepFailed(what)
        return ok

    def start(self, args, **popen):
        """Starts a program in a process group of its own, ended by end() or at the driver's exit."""
        proc = _named(args, lambda: subprocess.Popen(args, start_new_session=True, **popen))
        self.started.append(proc)
        return proc

    def end(self, proc, grace=3.0):
        """Ends the program and whatever it started; returns its exit code."""
        if proc.poll() is None:
            self._signal_group(proc, signal.SIGTERM)
            try:
                proc.wait(timeout=grace)
            except subprocess.TimeoutExpired:
                pass
        self._signal_group(proc, signal.SIGKILL)
        proc.wait()
        for stream in (proc.stdin, proc.stdout, proc.stderr):
            if stream:
                stream.close()
        if proc in self.started:
            self.started.remove(proc)
        return proc.returncode

    @staticmethod
    def _signal_group(proc, sig):
        try:
            os.killpg(proc.pid, sig)
        except (ProcessLookupError, PermissionError):
            pass

    def end_all(self):
        # A second signal must not cut the ending short.
        for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            signal.signal(sig, signal.SIG_IGN)
        for proc in list(self.started):
            self.end(proc)

    def run(self, args, timeout=60, check=True, **kwargs):
        """A short program (xdotool, import, a checker) with a time limit."""
        args = [str(a) for a in args]
        return _named(args, lambda: subprocess.run(args, timeout=timeout, check=check, **kwargs))

    def shot(self, name, window="root", crop=None):
        path = os.path.join(self.artefacts, name + ".png")
        self.run(["import", "-window", window] + (["-crop", crop] if crop else []) + [path])
        print("shot " + path, flush=True)
        return path

    def _last_shot(self):
        # What the screen showed when the step failed, beside the other pictures.
        if not self.artefacts or not os.environ.get("DISPLAY") or shutil.which("import") is None:
            return
        name = "failed_" + re.sub(r"[^A-Za-z0-9]+", "_", self.current).strip("_")
        try:
            self.shot(name, crop="800x600+0+0")
        except (subprocess.SubprocessError, OSError) as e:
            print("no screenshot of the failure: %s" % e, flush=True)

    def main(self, body):
        """Runs body(driver); every failure names its step; returns the exit code."""
        try:
            body(self)
        except StepFailed:
            self._last_shot()
        except SystemExit as e:  # a signal: ctest's timeout, ^C
            print("ended (exit %s) in step %r" % (e.code, self.current), flush=True)
            raise
        except Exception as e:  # a failed program, a timeout, a missing file
            traceback.print_exc()
            self.failures.append((self.current, "%s: %s" % (type(e).__name__, e)))
            self._last_shot()
        finally:
            self.end_all()
        if not self.failures:
            return 0
        print("%d check(s) failed, the first in step %r:" % (len(self.failures), self.failures[0][0]))
        for step, what in self.failures:
            print("  %s: %s" % (step, what))
        if self.artefacts:
            print("screenshots kept in " + self.artefacts)
        return 1


def log_since(path, offset=0):
    """What a log file gained after `offset` bytes; empty while it doesn't exist."""
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            f.seek(offset)
            return f.read()
    except FileNotFoundError:
        return ""


def log_shows(path, offset, needle, count, timeout, proc=None):
    """Whether the log gains `needle` `count` times within `timeout` seconds;
    gives up early when `proc` ends. The game's debug log is the drivers' clock:
    without the screen a driver waits for, the rest of its keys would go astray."""
    deadline = time.time() + timeout
    while True:
        if log_since(path, offset).count(needle) >= count:
            return True
        if time.time() >= deadline or (proc is not None and proc.poll() is not None):
            return log_since(path, offset).count(needle) >= count
        time.sleep(0.05)


def fresh_copy(data, into):
    """The game's data folder without what a run of the game wrote into it."""
    shutil.copytree(data, into, ignore=lambda folder, names: [
        n for n in names if os.path.samefile(folder, data) and (n in ("Players", "Demos", "options.bts", "karvolt.lock")
                                                                or n.endswith(".log"))])


def eventually(condition, timeout, every=0.05):
    deadline = time.time() + timeout
    while not condition() and time.time() < deadline:
        time.sleep(every)
    return condition()
