"""What the end-to-end drivers share: the checks they count and a fresh copy
of data/ without what a run of the game writes there."""
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
    def ignore(folder, names):
        if os.path.abspath(folder) != os.path.abspath(data):
            return []
        return [n for n in names if n in ("Players", "Demos", "options.bts", "karvolt.lock") or n.endswith(".log")]
    shutil.copytree(data, into, ignore=ignore)
