#!/usr/bin/env python3
"""Property: color changes no text.

Each run of vesk is made twice, with --color=never and with --color=always,
in Shift_JIS and in UTF-8 by turns: the status and standard error are the
same, and

- the colored report with its SGR sequences (ESC [ digits and ; m) removed
  is the uncolored report, byte for byte; so nothing but SGR sequences is
  added;
- outside the sequences it keeps the report's byte rule: printable ASCII,
  line ends, half-width kana and valid Shift_JIS pairs, or under --utf8
  well-formed UTF-8 without controls;
- every line that has a sequence ends in the terminal's color: its last
  sequence is ESC [ 0 m, so that a pager or a cut line shows no color
  running on;
- the sequences set only the eight basic colors, bold and dim (parameters
  0, 1, 2 and 31 to 36: no black or white, no bright colors).

The runs are those of report_byte_set.py (random inputs from fixed seeds in
every character mode and many layouts of the plain dump, the formatted list
and maps, texts in each code of #CODE, the comparison list and map) and the
dumps of real characters of utf8_report_columns.py, with a seed of their own.

usage: color_report.py VESK

COLOR_REPORT_SEED runs another seed.
"""
import os
import random
import re
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import report_byte_set as runs  # noqa: E402
import utf8_report_columns as texts  # noqa: E402

SEED = int(os.environ.get("COLOR_REPORT_SEED", "20260611"))
SGR = re.compile(rb"\x1b\[([0-9;]*)m")
ALLOWED = {b"0", b"1", b"2", b"31", b"32", b"33", b"34", b"35", b"36"}


def line_fault(line):
    """What is wrong with the sequences of one colored line, or None."""
    found = SGR.findall(line)
    if not found:
        return None
    for parameters in found:
        for p in parameters.split(b";"):
            if p not in ALLOWED:
                return f"parameter {p!r}"
    if found[-1] != b"0":
        return f"ends in ESC[{found[-1].decode()}m"
    return None


class ColorRunner(runs.RunnerBase):
    """A runner of report_byte_set's runs: each run is made without and with color."""
    kept_prefix = "vesk-color-"

    def __init__(self, vesk, folder):
        super().__init__(vesk, folder)
        self.sequences = 0

    def run(self, args, label):
        encoding = ["--sjis", "--utf8"][self.runs // 2 % 2]
        plain = self.run_one(["--color=never"] + args + [encoding])
        colored = self.run_one([encoding, "--color=always"] + args)
        self.runs += 2
        where = f"{label}: {args} {encoding}"
        if (plain.returncode, plain.stderr) != (colored.returncode, colored.stderr):
            self.failures.append(f"{where}: status or messages differ: {plain.returncode} {plain.stderr[:100]!r}"
                                 f" / {colored.returncode} {colored.stderr[:100]!r}")
            return
        stripped = SGR.sub(b"", colored.stdout)
        self.sequences += len(SGR.findall(colored.stdout))
        if stripped != plain.stdout:
            p_lines, s_lines = plain.stdout.split(b"\n"), stripped.split(b"\n")
            n = next((i for i, (a, b) in enumerate(zip(p_lines, s_lines)) if a != b),
                     min(len(p_lines), len(s_lines)))
            got = colored.stdout.split(b"\n")
            self.failures.append(f"{where}: line {n + 1} differs\n    plain    {p_lines[n] if n < len(p_lines) else None!r}"
                                 f"\n    colored  {got[n] if n < len(got) else None!r}")
            self.keep()
            return
        breach = runs.utf8_breach(stripped) if encoding == "--utf8" else runs.first_breach(stripped)
        if breach is not None:
            self.failures.append(f"{where}: outside the sequences: {breach}")
            return
        for n, line in enumerate(colored.stdout.split(b"\n"), 1):
            fault = line_fault(line)
            if fault is not None:
                self.failures.append(f"{where}: line {n}: {fault}: {line!r}")
                return



def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    vesk = os.path.abspath(sys.argv[1])
    rng = random.Random(SEED)
    started = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="vesk-color-") as folder:
        r = ColorRunner(vesk, folder)
        texts.text_dumps(r, rng)
        runs.plain_dumps(r, rng)
        runs.formatted_dumps(r, rng)
        runs.coded_texts(r, rng)
        runs.comparisons(r, rng, vesk)
    took = time.monotonic() - started
    for f in r.failures[:20]:
        print(f)
    print(f"{r.runs} runs, {r.sequences} SGR sequences, {len(r.failures)} failures, {took:.2f} s")
    return 1 if r.failures else 0


if __name__ == "__main__":
    sys.exit(main())
