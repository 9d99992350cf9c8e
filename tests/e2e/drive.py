"""What the end-to-end drivers of the real program share beyond
tests/support/driver.py: the checks they count and the log reading."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from driver import SKIP, fresh_copy, log_since  # noqa: E402,F401

TITLE_PATTERN = r"^Karvolt: beta \(build: 0\.510\)$"
TIMEOUT = float(os.environ.get("KARVOLT_E2E_TIMEOUT", "30"))
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok
