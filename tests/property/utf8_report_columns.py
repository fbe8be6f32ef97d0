#!/usr/bin/env python3
"""Property: the UTF-8 report keeps the columns of the Shift_JIS report.

Each run of vesk is made twice, with --sjis and with --utf8: the status and
standard error are the same, the reports have as many lines, and for each
pair of lines:

- the UTF-8 line decodes as UTF-8;
- its width equals the byte length of the Shift_JIS line, a character taking
  two columns when its East Asian Width is W or F and one otherwise (a
  combining mark on its dotted circle none);
- every ASCII character of the Shift_JIS line (a byte that is not part of a
  pair) stands in the UTF-8 line at the same column, so bars, hex digits and
  labels line up; except points and blanks, where UTF-8 may show a character
  that Shift_JIS lacks, and the backslash and the tilde, which are also the
  Shift_JIS forms of the yen sign and the overline;
- no character is one that a terminal shows in no column or in a number of
  columns of its own: a control, format, private-use, unassigned or
  surrogate code point; a combining mark only on U+25CC DOTTED CIRCLE.

The runs are those of report_byte_set.py (random inputs from fixed seeds in
every character mode, the plain dump with and without -C and with odd -b,
the formatted list and map, the comparison list and map), with a seed of
their own, and further plain dumps of inputs made of real characters in
each encoding the character column reads.

usage: utf8_report_columns.py VESK

UTF8_COLUMNS_SEED runs another seed.
"""
import os
import random
import sys
import tempfile
import time
import unicodedata

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import report_byte_set as runs  # noqa: E402

SEED = int(os.environ.get("UTF8_COLUMNS_SEED", "20260517"))
NOT_SHOWN = ("Cc", "Cf", "Co", "Cn", "Cs")
MARKS = ("Mn", "Me")
DOTTED_CIRCLE = "\u25cc"
# Bytes of the Shift_JIS line that the UTF-8 line may show otherwise.
MAY_DIFFER = b". \\~"


def width(ch):
    return 2 if unicodedata.east_asian_width(ch) in ("W", "F") else 1


def is_lead(b):
    return 0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC


def is_trail(b):
    return 0x40 <= b <= 0x7E or 0x80 <= b <= 0xFC


def sjis_ascii_columns(line):
    """{column: ASCII byte} of a Shift_JIS line, read left to right."""
    out = {}
    i = 0
    while i < len(line):
        if is_lead(line[i]) and i + 1 < len(line) and is_trail(line[i + 1]):
            i += 2
            continue
        if line[i] < 0x80:
            out[i] = line[i]
        i += 1
    return out


def line_fault(sjis_line, utf8_line):
    """What is wrong with the UTF-8 form of one line, or None."""
    try:
        text = utf8_line.decode("utf-8")
    except UnicodeDecodeError as e:
        return f"not UTF-8 ({e.reason} at byte {e.start})"
    columns = {}
    col = 0
    before = ""
    for ch in text:
        category = unicodedata.category(ch)
        if category in NOT_SHOWN:
            return f"U+{ord(ch):04X} ({category}) at column {col}"
        if category in MARKS:
            if before != DOTTED_CIRCLE:
                return f"U+{ord(ch):04X} ({category}) at column {col}, not on a dotted circle"
        else:
            if ord(ch) < 0x80:
                columns[col] = ord(ch)
            col += width(ch)
        before = ch
    if col != len(sjis_line):
        return f"{col} columns for {len(sjis_line)} bytes"
    for at, b in sjis_ascii_columns(sjis_line).items():
        if b not in MAY_DIFFER and columns.get(at) != b:
            return f"{chr(b)!r} of column {at} is not there"
    return None


class PairRunner(runs.RunnerBase):
    """A runner of report_byte_set's runs: each run is made in both encodings."""
    kept_prefix = "vesk-utf8-"

    def __init__(self, vesk, folder):
        super().__init__(vesk, folder)
        self.lines = 0
        self.chars = {"wide": 0, "narrow": 0, "geta": 0}

    def run(self, args, label):
        sj = self.run_one(["--sjis"] + args)
        u8 = self.run_one(args + ["--utf8"])
        self.runs += 2
        where = f"{label}: {args}"
        if (sj.returncode, sj.stderr) != (u8.returncode, u8.stderr):
            self.failures.append(f"{where}: status or messages differ: {sj.returncode} {sj.stderr[:100]!r}"
                                 f" / {u8.returncode} {u8.stderr[:100]!r}")
            return
        sj_lines = sj.stdout.split(b"\n")
        u8_lines = u8.stdout.split(b"\n")
        if len(sj_lines) != len(u8_lines):
            self.failures.append(f"{where}: {len(sj_lines)} lines in Shift_JIS, {len(u8_lines)} in UTF-8")
            return
        for n, (s, u) in enumerate(zip(sj_lines, u8_lines), 1):
            self.lines += 1
            fault = line_fault(s, u)
            if fault is not None:
                self.failures.append(f"{where}: line {n}: {fault}\n    sjis  {s!r}\n    utf8  {u!r}")
                self.keep()
                return
            self.count(u)

    def count(self, utf8_line):
        for ch in utf8_line.decode("utf-8"):
            if ch == "\u3013":
                self.chars["geta"] += 1
            elif ord(ch) > 0x7F:
                self.chars["wide" if width(ch) == 2 else "narrow"] += 1



# Real characters: Latin, Greek, Cyrillic, symbols, kana, kanji, full-width
# and half-width forms, plane 2 kanji; some CP932 has, some only
# Shift_JIS-2004, some neither (Thai with its marks, Hangul, combining marks,
# emoji, private use, format characters).
CODE_POINTS = [(0xA0, 0x17F), (0x370, 0x3FF), (0x400, 0x45F), (0x2010, 0x2312), (0x2460, 0x24FF),
               (0x3000, 0x30FF), (0x3200, 0x33FF), (0x4E00, 0x9FFF), (0xFF01, 0xFF9F),
               (0x20000, 0x2A6B2), (0x300, 0x36F), (0xE00, 0xE5B), (0xAC00, 0xAD00), (0x1F300, 0x1F64F),
               (0xE000, 0xE0FF), (0x200B, 0x200F), (0xFE00, 0xFE0F)]


def characters(rng, n):
    out = []
    for _ in range(n):
        if rng.random() < 0.2:
            out.append(chr(rng.randrange(0x20, 0x7F)))
            continue
        low, high = rng.choice(CODE_POINTS)
        out.append(chr(rng.randrange(low, high + 1)))
    return "".join(out)


def encoded(rng, mode):
    """A text of real characters in the encoding that the character mode reads."""
    text = characters(rng, rng.randrange(40, 400))
    codec = {"-U": "utf-8", "-E": "euc_jis_2004", "-J": "iso2022_jp_2004", "-j": "iso2022_jp_2004"}.get(
        mode, rng.choice(["cp932", "shift_jis_2004"]))
    return text.encode(codec, errors="ignore")


TEXT_LAYOUTS = [[], ["-C"], ["-b3"], ["-b7"], ["-C", "-b5"], ["-C", "-b31"], ["-C", "-b200"], ["-d33"]]


def text_dumps(r, rng):
    for layout in TEXT_LAYOUTS:
        for mode in ["", "-A", "-K", "-J", "-j", "-E", "-U"]:
            r.write("t.txt", encoded(rng, mode))
            r.run(([mode] if mode else []) + layout + ["t.txt"], "text")


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    vesk = os.path.abspath(sys.argv[1])
    rng = random.Random(SEED)
    started = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="vesk-utf8-") as folder:
        r = PairRunner(vesk, folder)
        r.run(["-usage"], "usage")
        text_dumps(r, rng)
        runs.plain_dumps(r, rng)
        runs.formatted_dumps(r, rng)
        runs.comparisons(r, rng, vesk)
    took = time.monotonic() - started
    for f in r.failures[:20]:
        print(f)
    print(f"{r.runs} runs, {r.lines} line pairs checked ({r.chars['wide']} wide, {r.chars['narrow']} narrow"
          f" and {r.chars['geta']} U+3013 characters), {len(r.failures)} failures, {took:.2f} s")
    return 1 if r.failures else 0


if __name__ == "__main__":
    sys.exit(main())
