#!/usr/bin/env python3
"""The look's generator is deterministic and its committed output is current: a fresh
run into a copy of the data folder gives the same images, byte for byte, and the same
"look" block; and every image the look loads is named in that block."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

root = sys.argv[1]
data = os.path.join(root, "data")
failures = []
with tempfile.TemporaryDirectory() as tmp:
    copy = os.path.join(tmp, "data")
    os.makedirs(copy)
    shutil.copy(os.path.join(data, "resources.xml"), copy)
    subprocess.run([sys.executable, os.path.join(root, "tools", "gen_look.py"), copy], check=True)
    folder = os.path.join(data, "Graphics", "Look")
    for name in sorted(os.listdir(os.path.join(copy, "Graphics", "Look"))):
        with open(os.path.join(copy, "Graphics", "Look", name), "rb") as a, open(os.path.join(folder, name), "rb") as b:
            if a.read() != b.read():
                failures.append("Graphics/Look/%s differs from a fresh run" % name)
    with open(os.path.join(copy, "resources.xml"), encoding="utf-8") as a, \
            open(os.path.join(data, "resources.xml"), encoding="utf-8") as b:
        if a.read() != b.read():
            failures.append("the look block of resources.xml differs from a fresh run")

with open(os.path.join(data, "resources.xml"), encoding="utf-8") as f:
    block = re.search(r"<!-- begin look:.*?<!-- end look -->", f.read(), re.S).group(0)
for section, item in [("CheckBox", "left"), ("CheckBox", "right"), ("CheckBox", "ticker"),
                      ("ListBox", "scroll_btn_up"), ("ListBox", "scroll_btn_down")]:
    sec = re.search(r'<section name="%s">(.*?)</section>' % section, block, re.S)
    if not sec or ('<surface name="%s"' % item) not in sec.group(1):
        failures.append("no image %s/%s in the look block" % (section, item))

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
