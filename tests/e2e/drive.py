"""What the drivers of the real program share: the checks they count, a
fresh working folder and the log reading."""
import os
import shutil

TITLE_PATTERN = r"^Karvolt: beta \(build: 0\.510\)$"
TIMEOUT = float(os.environ.get("KARVOLT_E2E_TIMEOUT", "30"))
SKIP = 77
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


def fresh_copy(data, into):
    """data/ without what the game writes there (players, demos, options, its
    lock, logs)."""
    data = os.path.abspath(data)

    def ignore(folder, names):
        if os.path.abspath(folder) != data:
            return []
        return [n for n in names if n in ("Players", "Demos", "options.bts", "karvolt.lock") or n.endswith(".log")]
    shutil.copytree(data, into, ignore=ignore)


def log_since(path, offset):
    """What a log file gained after `offset` bytes; empty while it doesn't exist."""
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            f.seek(offset)
            return f.read()
    except FileNotFoundError:
        return ""
