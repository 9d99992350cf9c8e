#!/usr/bin/env python3
"""Every program the scripts, tests, benchmarks and tools run by name is named
in the package table of scripts/install-deps, so that script installs it on
a fresh machine; and a driver that looks up what it needs looks up what it runs.

The programs are read from the sources: the words in command position of the
shell scripts, the first word of each command of a std::system or popen call,
the first item of a Python command list, the names a driver passes to
driver.need(), and the names CMake's find_program looks for.

    test_packages.py SOURCE_DIR
"""
import glob
import os
import re
import sys
import unittest

ROOT = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "support"))
import driver  # noqa: E402

# install-deps runs apt-get through sudo only where there is one.
OPTIONAL = {"sudo"}

NAME = re.compile(r"^[a-z][a-z0-9.+_-]*$")
SHELL_WORDS = {
    "[", "[[", "]", "]]", "break", "case", "cd", "command", "continue", "done", "echo", "elif", "else", "esac",
    "eval", "exit", "export", "false", "fi", "for", "function", "if", "in", "local", "printf", "pwd", "read",
    "return", "set", "shift", "source", "test", "then", "trap", "true", "unset", "until", "wait", "while", "do",
}
LEADING = {"!", "{", "}", "exec", "if", "elif", "while", "until", "then", "do", "else", "time"}


def shell_code(line):
    """The line without its comment and with quoted text blanked to "", but the
    commands of a $(...) inside double quotes kept."""
    out, stack, i = [], ["code"], 0  # "code", "quote", or the open parens of a $(...)
    while i < len(line):
        c, top = line[i], stack[-1]
        if line.startswith("$(", i) and top != "'":
            stack.append(0)
            out.append("$(")
            i += 2
            continue
        if top == "quote":
            if c == "\\":
                i += 1
            elif c == '"':
                stack.pop()
                out.append('"')
        elif c == "#" and (i == 0 or line[i - 1].isspace()):
            break
        elif c == "'":
            end = line.find("'", i + 1)
            out.append("''")
            i = len(line) if end < 0 else end
        elif c == '"':
            stack.append("quote")
            out.append('"')
        else:
            if isinstance(top, int) and c == "(":
                stack[-1] += 1
            elif isinstance(top, int) and c == ")":
                if top == 0:
                    stack.pop()
                else:
                    stack[-1] -= 1
            out.append(c)
        i += 1
    return "".join(out)


def shell_programs(text):
    """The programs a bash script runs: the first word of each simple command."""
    functions = set(re.findall(r"^\s*([A-Za-z_][\w-]*)\s*\(\)\s*\{", text, re.M))
    found = set()
    heredoc = None  # the word that ends the here-document being skipped: its lines are data
    for line in text.splitlines():
        if heredoc is not None:
            if line.strip() == heredoc:
                heredoc = None
            continue
        opened = re.search(r"(?<!<)<<-?\s*['\"]?(\w+)", line)
        if opened:
            heredoc = opened.group(1)
        for piece in re.split(r"\$\(|`|&&|\|\||[;|()]", shell_code(line)):
            words = piece.split()
            while words and (words[0] in LEADING or re.match(r"^\w+\+?=", words[0]) or words[0].startswith(('"', "$"))):
                compiler = re.match(r"^(?:CC|CXX)=(\S+)$", words.pop(0))  # CC=clang cmake ...
                if compiler:
                    found.add(compiler.group(1))
            if len(words) > 2 and words[:2] == ["command", "-v"]:
                words = words[2:]
            if words and words[0] not in SHELL_WORDS and words[0] not in functions and NAME.match(words[0]):
                found.add(words[0])
    return found


def c_programs(text):
    """The programs of std::system and popen calls: each command of the call's first string."""
    found = set()
    for m in re.finditer(r'\b(?:system|popen)\(([^;"]*)"((?:[^"\\]|\\.)*)"', text):
        for command in re.split(r"[;&|()]", m.group(2)):
            words = command.split()
            if words and NAME.match(words[0]):
                found.add(words[0])
    return found


def python_programs(text):
    """The first item of each command list handed to subprocess or the driver, and what need() names."""
    found = set(re.findall(r'\b(?:run|Popen|call|check_call|check_output|start)\(\s*\[\s*"([^"]+)"', text))
    found |= set(re.findall(r'\bwhich\(\s*"([^"]+)"', text))
    return {p for p in found | needed(text) if NAME.match(p)}


def needed(text):
    names = set()
    for args in re.findall(r"\bneed\(([^)]*)\)", text):
        names |= set(re.findall(r'"([^"]+)"', args))
    return names


def cmake_programs(text):
    found = set()
    for args in re.findall(r"\bfind_program\(([^)]*)\)", text):
        words = args.split()
        if len(words) > 1:
            found.add(words[1])
    return {p for p in found if NAME.match(p)}


def sources():
    """(path, reader) of every file that may run a program."""
    files = [(os.path.join(ROOT, p), shell_programs) for p in ("scripts/install-deps", "scripts/play", "scripts/test",
                                                                ".ci/run")]
    readers = {".py": python_programs, ".cpp": c_programs, ".h": c_programs}
    for folder, dirs, names in os.walk(ROOT):
        dirs[:] = [d for d in dirs if not d.startswith((".", "build"))]
        top = os.path.relpath(folder, ROOT).split(os.sep)[0]
        for name in names:
            path = os.path.join(folder, name)
            if name == "CMakeLists.txt":
                files.append((path, cmake_programs))
            elif top in ("tests", "bench", "tools", "src") and os.path.splitext(name)[1] in readers \
                    and path != os.path.abspath(__file__):
                files.append((path, readers[os.path.splitext(name)[1]]))
    return files


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


class Readers(unittest.TestCase):
    """The readers find a program in each way a source runs one, and take no text or function for one."""

    def test_each_reader_finds_what_its_sources_run(self):
        cases = [
            (shell_programs, r"""
                CC=clang CXX=clang++ cmake -S . >/dev/null
                name=$(basename "$t")
                "$target" -x 2>&1 | tail -n 5
                f() { local a=$1; shift; }
                f x && zstd -d
                echo "no (text) here ${x}s" 'a (b)'
                [ -x "$t" ] || continue
                if ! command -v sox >/dev/null; then exit 1; fi
                for p in "${all[@]}"; do
                  dpkg-query -W "$p"  # a comment mentioning foo
                done
                "${as_root[@]}" env X=1 apt-get install
                t=$(cat <<'LIST'
                gimp   gimp  # a table is data, not commands
                LIST
                )
                read -r a <<<"$t" && wc -l""",
             {"clang", "clang++", "cmake", "basename", "tail", "zstd", "sox", "dpkg-query", "env", "cat", "wc"}),
            (c_programs, r"""
                std::system((std::string("(sleep 0.4; xdotool key ") + k + ") &").c_str());
                FILE* p = popen(("xwininfo -root '" + t + "' | head -1").c_str(), "r");
                std::system((std::string(TRACE) + " Levels/x.dat --shot " + png).c_str());""",
             {"sleep", "xdotool", "xwininfo"}),
            (python_programs, 'subprocess.run(["import", "-window", w], check=True)\n'
                              'd.run(["xdotool"] + list(args))\nself.proc = d.start([KARVOLT, "-log"])\n'
                              'p = subprocess.Popen(["wmctrl", "-l"])\nshutil.which("openbox")\n'
                              'driver.need("xwd", "convert", display=True)',
             {"import", "xdotool", "wmctrl", "openbox", "xwd", "convert"}),
            (cmake_programs, "find_program(XDOTOOL xdotool)\nfind_program(PY python3 PATHS /usr/bin NO_DEFAULT_PATH)",
             {"xdotool", "python3"}),
        ]
        for reader, text, programs in cases:
            self.assertEqual(reader(text), programs, reader.__name__)


class Packages(unittest.TestCase):
    def test_every_program_run_is_in_the_package_list(self):
        table = driver.packages()
        missing = {}
        for path, reader in sources():
            for program in reader(read(path)) - OPTIONAL:
                if program not in table:
                    missing.setdefault(program, []).append(os.path.relpath(path, ROOT))
        self.assertEqual(missing, {},
                         "programs no line of the table of scripts/install-deps names, with the files that run them")

    def test_a_driver_looks_up_what_it_runs(self):
        # Python and what the build makes are there by the time a driver runs.
        installed_with_the_build = {"python3", "cmake", "ctest", "ninja"}
        for path in glob.glob(os.path.join(ROOT, "tests", "**", "*.py"), recursive=True) + \
                glob.glob(os.path.join(ROOT, "bench", "*.py")):
            text = read(path)
            if "driver.need(" not in text or path == os.path.abspath(__file__):
                continue
            runs = python_programs(text) - needed(text) - installed_with_the_build
            self.assertEqual(runs, set(), os.path.relpath(path, ROOT) + " runs these without driver.need()")


if __name__ == "__main__":
    unittest.main()
