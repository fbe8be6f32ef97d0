"""Runs every marked example of README.md, docs/user-guide.md and
docs/format-language.md.

In the markdown, an example is marked by a comment line right before its
command block:

    <!-- test: NAME -->            (optionally: status=N)
    ```sh
    $ build/vesk examples/hello.txt
    ```
    ```text
    the output, as a terminal shows it
    ```

Each "$ " line of the command block is a command; they run one after the other
in the shell, in a fresh folder holding a copy of examples/ and every file
block of the same document. The shell's standard output and standard error
are a UTF-8 terminal (a pseudo-terminal under LANG=C.UTF-8,
tests/e2e/on_terminal.py), as for a reader who types the commands, so vesk
writes its report in UTF-8 there. A build/vesk at the start of a command or
after a pipe stands for the program under test. When a text block follows
the command block it is the expected output, as UTF-8. What is not text is
not compared: the SGR sequences of color (the terminal shows them as color)
and the trailing blanks of each line (editors drop them from markdown); the
exact lines are checked by the other case files. Without a text block only the
exit status is checked.

A file block is marked the same way, <!-- file: NAME --> (text, written as
UTF-8), <!-- file: NAME sjis --> (text, written as Shift_JIS) or
<!-- file: NAME hex --> (bytes written as hexadecimal digits). A block marked
<!-- excerpt: PATH --> shows part of a file of the repository and must stand
in it word for word.

The manual page, vesk.1, marks its examples with roff comments before their
.EX blocks: `.\" test: NAME` (optionally status=N) before the commands, one a
line (a line ending in a backslash goes on in the next), where a vesk at the
start or after a pipe stands for the program under test; `.\" output: NAME`
before the expected output of that test; `.\" file: NAME` before a file.
Only roff requests may stand between a marker and its .EX line. The roff
escapes of the blocks are turned into the characters they print.
"""
import pathlib
import re
import shlex

from vesk_e2e import PYTHON, Case

ROOT = pathlib.Path(__file__).resolve().parents[2]
ON_TERMINAL = shlex.quote(str(ROOT / "tests" / "e2e" / "on_terminal.py"))
DOCUMENTS = ("README.md", "docs/user-guide.md", "docs/format-language.md")
# Every command and format file of these is run: each of their sh and c blocks
# is marked (the README also shows commands that are not examples).
ALL_MARKED = ("docs/format-language.md",)
MANUAL = "vesk.1"
MARKER = re.compile(r"^<!-- (test|file|excerpt): (\S+)((?: \S+)*) -->$")
PROGRAM = re.compile(r"(^|\|\s*)build/vesk\b")
ROFF_MARKER = re.compile(r'^\.\\" (test|output|file): (\S+)((?: \S+)*)$')
ROFF_PROGRAM = re.compile(r"(^|\|\s*)vesk\b")
# The roff escapes the manual page's examples use, and what they print.
ROFF_ESCAPES = {r"\-": "-", r"\e": "\\", r"\(aq": "'", r"\(dq": '"', r"\&": ""}


def example_files():
    return {f"examples/{p.name}": p.read_bytes()
            for p in sorted((ROOT / "examples").iterdir()) if p.is_file()}


def fence(lines, i):
    """The content of the fenced block starting at or after line i (skipping
    blank lines), and the line after it; None when no block starts there."""
    while i < len(lines) and not lines[i].strip():
        i += 1
    if i >= len(lines) or not lines[i].startswith("```"):
        return None, i
    end = i + 1
    while end < len(lines) and not lines[end].startswith("```"):
        end += 1
    assert end < len(lines), f"unclosed block at line {i + 1}"
    return lines[i + 1:end], end + 1


def file_bytes(body, options):
    text = "\n".join(body) + "\n"
    if "hex" in options:
        return bytes.fromhex("".join(text.split()))
    return text.encode("cp932" if "sjis" in options else "utf-8")


def example_script(commands, program=PROGRAM):
    """The commands as a script run with the program's words as its arguments."""
    body = "\n".join(program.sub(lambda m: m.group(1) + '"$@"', c) for c in commands)
    return ("exec 2>&1\n" + body + "\n").encode("utf-8")


# Runs the script on the terminal, keeps the last status, strips the SGR
# sequences and trailing blanks.
SHELL = (f"{PYTHON} {ON_TERMINAL} LANG=C.UTF-8 -- sh example.sh {{vesk}} > .out; s=$?; "
         "sed 's/\x1b\\[[0-9;]*m//g; s/ *$//' .out; exit $s")


def check_all_marked(document, lines):
    """Each sh or c block stands right after a marker."""
    inside = False
    for n, line in enumerate(lines):
        if not line.startswith("```"):
            continue
        if not inside and line in ("```sh", "```c"):
            k = n - 1
            while k >= 0 and not lines[k].strip():
                k -= 1
            assert k >= 0 and MARKER.match(lines[k]), f"{document}:{n + 1}: a {line[3:]} block without a marker"
        inside = not inside


def cases_of(document):
    lines = (ROOT / document).read_text(encoding="utf-8").split("\n")
    if document in ALL_MARKED:
        check_all_marked(document, lines)
    files = example_files()
    examples = []
    i = 0
    while i < len(lines):
        m = MARKER.match(lines[i])
        i += 1
        if not m:
            continue
        kind, name, options = m.group(1), m.group(2), m.group(3).split()
        body, i = fence(lines, i)
        assert body is not None, f"{document}: no block after the marker {name}"
        if kind == "file":
            files[name] = file_bytes(body, options)
            continue
        if kind == "excerpt":
            excerpt = "\n".join(body) + "\n"
            assert excerpt in (ROOT / name).read_text(encoding="utf-8"), \
                f"{document}: the block marked excerpt: {name} is not in {name}"
            continue
        commands = [l[2:] for l in body if l.startswith("$ ")]
        assert commands, f"{document}: example {name} has no command"
        shown, after = fence(lines, i)
        expected = None
        if shown is not None:
            i = after
            expected = "".join(l.rstrip(" ") + "\n" for l in shown).encode("utf-8")
        status = 0
        for o in options:
            if o.startswith("status="):
                status = int(o[len("status="):])
        examples.append((f"{document}:{name}", example_script(commands), expected, status))
    # Every example sees every file block of its document.
    return [Case(name, [], shell=SHELL, stdout=expected, stderr=None, status=status,
                 files=dict(files, **{"example.sh": script}))
            for name, script, expected, status in examples]


def unescape(line):
    """A line of an .EX block as the page prints it."""
    out, i = "", 0
    while i < len(line):
        for escape, text in ROFF_ESCAPES.items():
            if line.startswith(escape, i):
                out += text
                i += len(escape)
                break
        else:
            assert line[i] != "\\", f"{MANUAL}: unknown escape in: {line}"
            out += line[i]
            i += 1
    return out


def roff_block(lines, i, where):
    """The unescaped lines of the .EX block after line i (only requests may
    stand before it), and the line after its .EE."""
    while not lines[i].startswith(".EX"):
        assert lines[i].startswith("."), f"{MANUAL}: text between {where} and its .EX block"
        i += 1
    end = i + 1
    while not lines[end].startswith(".EE"):
        end += 1
    return [unescape(l) for l in lines[i + 1:end]], end + 1


def manual_cases():
    lines = (ROOT / MANUAL).read_text(encoding="utf-8").split("\n")
    files = example_files()
    examples = {}
    # Every .EX block of the page is a marked command, output or file.
    blocks = sum(1 for l in lines if l.startswith(".EX"))
    markers = sum(1 for l in lines if ROFF_MARKER.match(l))
    assert blocks == markers, f"{MANUAL}: {blocks} .EX blocks, {markers} markers"
    for i, line in enumerate(lines):
        m = ROFF_MARKER.match(line)
        if not m:
            continue
        kind, name, options = m.group(1), m.group(2), m.group(3).split()
        body, _ = roff_block(lines, i + 1, line)
        if kind == "file":
            files[name] = file_bytes(body, options)
        elif kind == "test":
            status = 0
            for o in options:
                if o.startswith("status="):
                    status = int(o[len("status="):])
            assert name not in examples, f"{MANUAL}: two tests named {name}"
            examples[name] = [example_script(body, ROFF_PROGRAM), None, status]
        else:
            assert name in examples, f"{MANUAL}: output of {name} before its test"
            examples[name][1] = "".join(l.rstrip(" ") + "\n" for l in body).encode("utf-8")
    assert examples, f"{MANUAL}: no marked example"
    return [Case(f"{MANUAL}:{name}", [], shell=SHELL, stdout=expected, stderr=None, status=status,
                 files=dict(files, **{"example.sh": script}))
            for name, (script, expected, status) in examples.items()]


CASES = [case for document in DOCUMENTS for case in cases_of(document)] + manual_cases()
