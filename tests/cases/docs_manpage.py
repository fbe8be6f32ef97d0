"""The manual page renders without a warning, and `cmake --install` puts the
program, the page, the guide and the examples in place."""
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
     "./share/doc/vesk/format-language.md"]
    + ["./share/doc/vesk/examples/" + p.name for p in (ROOT / "examples").iterdir() if p.is_file()])

INSTALL = (f"cmake --install {shlex.quote(BUILD)} --prefix inst > install.log || "
           "{ cat install.log; exit 1; }\n"
           "cmp inst/share/man/man1/vesk.1 vesk.1 && (cd inst && find . -type f | LC_ALL=C sort)")

CASES = [
    Case("manual-page-renders-cleanly", [], shell=GROFF, files={"vesk.1": PAGE}),
    Case("install-puts-everything-in-place", [], shell=INSTALL, files={"vesk.1": PAGE},
         stdout="".join(p + "\n" for p in sorted(INSTALLED)).encode()),
]
