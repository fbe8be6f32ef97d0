"""The manual page renders without a warning, every option that `--help`
lists (every letter and long option, from the program's one table of long
options) has its row in the user guide's options tables and its entry in the
manual page, and `cmake --install` puts the program, the page, the guide and the
examples in place."""
import os
import pathlib
import shlex
import sys

from vesk_e2e import Case

ROOT = pathlib.Path(__file__).resolve().parents[2]
PAGE = (ROOT / "vesk.1").read_bytes()
# run_cases.py is started as: run_cases.py VESK CASEFILE; VESK lies in the
# build folder that cmake --install installs from.
BUILD = os.path.dirname(os.path.abspath(sys.argv[1]))

GROFF = ("command -v groff >/dev/null || "
         "{ echo 'groff is missing: tools/install-deps.sh installs groff-base'; exit 1; }\n"
         "groff -ww -z -man vesk.1")

INSTALLED = sorted(
    ["./bin/vesk", "./share/man/man1/vesk.1", "./share/doc/vesk/README.md",
     "./share/doc/vesk/format-language.md", "./share/doc/vesk/user-guide.md"]
    + ["./share/doc/vesk/examples/" + p.name for p in (ROOT / "examples").iterdir() if p.is_file()])

INSTALL = (f"cmake --install {shlex.quote(BUILD)} --prefix inst > install.log || "
           "{ cat install.log; exit 1; }\n"
           "cmp inst/share/man/man1/vesk.1 vesk.1 && (cd inst && find . -type f | LC_ALL=C sort)")

# Reads `vesk --help` (Shift_JIS, to a pipe) on standard input and prints each
# option it lists that the user guide's tables or the manual page lack.
AGREE = r"""
import re, sys
help_text = sys.stdin.buffer.read().decode("ascii")
options = set()
for line in help_text.splitlines():
    # "  -A  ...", "  -b N  ...", "  -pN  ...", "  --all  ...", "  --skip-bytes=N  ...", "  -usage  ..."
    options.update(re.findall(r"^  (-[A-Za-z])(?![a-z])", line))
    options.update(re.findall(r"^  (--[a-z0-9-]+|-usage)[=\[ ]", line))
assert len(options) > 30, sorted(options)
guide = open("user-guide.md", encoding="utf-8").read()
page = open("vesk.1", encoding="utf-8").read()
for o in sorted(options):
    if not re.search(r"^\| `" + re.escape(o) + r"[`<=\[ ]", guide, re.M):
        print("user-guide.md lacks", o)
    if not re.search(r"^\.BI? " + re.escape(o.replace("-", "\\-")) + r"(\s|$|=|\[)", page, re.M):
        print("vesk.1 lacks", o)
"""
AGREE_SHELL = f"{{vesk}} --help | {shlex.quote(sys.executable)} agree.py"

CASES = [
    Case("options-agree-with-help", [], shell=AGREE_SHELL,
         files={"agree.py": AGREE.encode(), "user-guide.md": (ROOT / "docs" / "user-guide.md").read_bytes(), "vesk.1": PAGE}),
    Case("manual-page-renders-cleanly", [], shell=GROFF, files={"vesk.1": PAGE}),
    Case("install-puts-everything-in-place", [], shell=INSTALL, files={"vesk.1": PAGE},
         stdout="".join(p + "\n" for p in sorted(INSTALLED)).encode()),
]
