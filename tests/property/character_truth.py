#!/usr/bin/env python3
"""Property: the character column shows only what the file holds.

For random inputs in every character letter (random bytes, and real text in
the letter's code with bytes flipped, dropped and added), the UTF-8 report of
the characters-only dump (-C) is read back column by column:

- every line has its 16 columns, the blank column after them and the bar;
- every character shown is what the very bytes of the file under its
  columns decode to in the letter's code, by Python's codecs, or for EUC-JP
  and JIS through the Shift_JIS code of the same JIS row and cell as CP932
  reads it (the reading vesk shares with CP932); EUC-JP shows a kana or a
  JIS X 0212 character after a
  point, so there the bytes start a column earlier; a character begun in a
  line's last column stands over the blank column and takes its bytes from
  the next line;
- every other column is a point or a blank: U+3013 stands for a code with no
  character, a mark stands on U+25CC.

In the Shift_JIS report of the Shift_JIS letter every pair and every kana
shown is the bytes under it.

usage: character_truth.py VESK
CHARACTER_TRUTH_SEED runs another seed.
"""
import os
import random
import subprocess
import sys
import tempfile
import unicodedata

SEED = int(os.environ.get("CHARACTER_TRUTH_SEED", "20261210"))
LINE = 16
PREFIX = 13  # " 0000 0000 | "
def sjis_of_row_cell(row, cell):
    """The Shift_JIS bytes of a JIS X 0208 row and cell (1 to 94 each)."""
    lead = (row + 1) // 2 + 0x80
    if lead > 0x9F:
        lead += 0x40
    if row % 2:
        trail = cell + 0x3F if cell <= 63 else cell + 0x40
    else:
        trail = cell + 0x9E
    return bytes([lead, trail])


def as_shift_jis(row_cell_of):
    """A reading through the Shift_JIS code of the same row and cell, as
    CP932 (and Shift_JIS-2004 where CP932 has none) reads it: EUC-JP and
    JIS name the JIS X 0208 characters by row and cell."""
    def read(b):
        rc = row_cell_of(b)
        if rc is None:
            return None
        code = sjis_of_row_cell(*rc)
        for codec in ("cp932", "shift_jis_2004"):
            try:
                return code.decode(codec)
            except UnicodeDecodeError:
                pass
        return None
    return read


def euc_row_cell(b):
    return (b[0] - 0xA0, b[1] - 0xA0) if len(b) == 2 and all(0xA1 <= x <= 0xFE for x in b) else None


def jis_row_cell(b):
    return (b[0] - 0x20, b[1] - 0x20) if len(b) == 2 and all(0x21 <= x <= 0x7E for x in b) else None


def python_decode(codec):
    def decode(b):
        try:
            return b.decode(codec)
        except UnicodeDecodeError:
            return None
    return decode


# For each letter, the readings of a run of bytes that may stand under a
# character.
READINGS = {
    "-A": [python_decode("ascii")],
    "-K": [python_decode("ascii"), python_decode("shift_jis")],
    "": [python_decode("cp932"), python_decode("shift_jis_2004")],
    "-E": [python_decode("euc_jp"), python_decode("euc_jis_2004"), as_shift_jis(euc_row_cell)],
    "-U": [python_decode("utf-8")],
    "-J": [python_decode("ascii"), as_shift_jis(jis_row_cell),
           lambda b: python_decode("iso2022_jp_2")(b"\x1b$B" + b + b"\x1b(B"),
           lambda b: python_decode("iso2022_jp_2")(b"\x1b$(D" + b + b"\x1b(B"),
           lambda b: python_decode("iso2022_jp_ext")(b"\x1b(I" + b + b"\x1b(B")],
}
TEXT_CODEC = {"-A": "ascii", "-K": "shift_jis", "": "cp932", "-E": "euc_jp", "-U": "utf-8", "-J": "iso2022_jp_2"}
SAMPLE = ("漢字かなカナｶﾅ、ASCII 123 éàü αβγ АБВ ①② 丂丄 𠮷 😀 ☃ 〜～ ¥‾ "
          "ファイル内容をダンプします。\r\n\t")


def width(ch):
    return 2 if unicodedata.east_asian_width(ch) in ("W", "F") else 1


def read_as(ch, under, letter):
    """True when some run of bytes that begins under holds ch."""
    return any(read(under[:k]) == ch for read in READINGS[letter] for k in range(1, 5) if k <= len(under))


def units(text):
    """(column, character or None for a mark, columns) of a line's characters."""
    col, i = 0, 0
    while i < len(text):
        ch = text[i]
        if ch == "\u25cc" and i + 1 < len(text) and unicodedata.category(text[i + 1]) in ("Mn", "Me"):
            yield col, text[i + 1], 1
            col += 1
            i += 2
            continue
        if ch in ". \u3013":
            yield col, None, width(ch)
        else:
            yield col, ch, width(ch)
        col += width(ch)
        i += 1


def check_utf8(report, data, letter, where, failures):
    for n, line in enumerate(report.decode("utf-8").split("\n")[1:-1]):
        if not line.startswith(" ") or line[11:13] != "| ":
            failures.append(f"{where}: line {n + 2} malformed: {line!r}")
            return
        body = line[PREFIX:]
        if not body.endswith("|"):
            failures.append(f"{where}: line {n + 2} has no closing bar: {line!r}")
            return
        start = n * LINE
        columns = 0
        for col, ch, w in units(body[:-1]):
            columns = col + w
            if ch is None:
                continue
            offsets = (0, 1) if letter == "-E" else (0,)
            if not any(read_as(ch, data[start + col - off:start + col - off + 4], letter) for off in offsets):
                failures.append(f"{where}: line {n + 2} column {col}: {ch!r} (U+{ord(ch):04X}) is not "
                                f"{data[start + col:start + col + 4].hex()}: {line!r}")
                return
        if columns != LINE + 1:
            failures.append(f"{where}: line {n + 2} takes {columns} columns: {line!r}")
            return


def check_sjis(report, data, where, failures):
    for n, line in enumerate(report.split(b"\n")[1:-1]):
        body = line[PREFIX:-1]
        start = n * LINE
        i = 0
        while i < len(body):
            b = body[i]
            if (0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC) and i + 1 < len(body):
                if body[i:i + 2] != data[start + i:start + i + 2]:
                    failures.append(f"{where}: line {n + 2} column {i}: pair {body[i:i + 2].hex()} not under it")
                    return
                i += 2
                continue
            if b not in b". " and body[i] != data[start + i]:
                failures.append(f"{where}: line {n + 2} column {i}: {bytes([b])!r} not under it")
                return
            i += 1


def damaged(rng, data):
    out = bytearray(data)
    for _ in range(max(1, len(out) // 20)):
        k = rng.randrange(len(out)) if out else 0
        what = rng.randrange(3)
        if what == 0 and out:
            out[k] = rng.randrange(256)
        elif what == 1 and out:
            del out[k]
        else:
            out.insert(k, rng.randrange(256))
    return bytes(out)


def main():
    vesk = os.path.abspath(sys.argv[1])
    rng = random.Random(SEED)
    failures, runs = [], 0
    with tempfile.TemporaryDirectory(prefix="vesk-truth-") as folder:
        path = os.path.join(folder, "in.bin")
        for letter in READINGS:
            text = "".join(rng.choice(SAMPLE) for _ in range(400))
            real = text.encode(TEXT_CODEC[letter], errors="ignore")
            inputs = [bytes(rng.randrange(256) for _ in range(600)), real, damaged(rng, real), damaged(rng, real)]
            for k, data in enumerate(inputs):
                with open(path, "wb") as f:
                    f.write(data)
                args = [vesk, "-C", "-d4096", "-L", "-p0"] + ([letter] if letter else []) + [path]
                where = f"{letter or 'Shift_JIS'} input {k}"
                u8 = subprocess.run(args + ["--utf8"], capture_output=True)
                check_utf8(u8.stdout, data, letter, where, failures)
                if letter == "":
                    sj = subprocess.run(args + ["--sjis"], capture_output=True)
                    check_sjis(sj.stdout, data, where, failures)
                runs += 1
    for f in failures[:20]:
        print(f)
    print(f"{runs} inputs, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
