"""Rewrites one generator's block of a resource XML file.

A block lies between the lines "<!-- begin NAME: GENERATOR -->" and
"<!-- end NAME -->"; each generator owns its block and leaves the rest of the
file as it is, so several generators can share one file.
"""

import re


def replace_block(path, name, body):
    """Puts BODY (text, one or more lines) between the markers of block NAME in PATH."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    pattern = re.compile(r"(<!-- begin %s:[^\n]*-->\n).*?(<!-- end %s -->)" % (re.escape(name), re.escape(name)),
                         re.S)
    if not pattern.search(text):
        raise SystemExit("%s: no block '%s'" % (path, name))
    if body and not body.endswith("\n"):
        body += "\n"
    text = pattern.sub(lambda m: m.group(1) + body + m.group(2), text, count=1)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def xml_attr(text):
    """TEXT quoted for an XML attribute value."""
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;"))
