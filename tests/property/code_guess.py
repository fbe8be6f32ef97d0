#!/usr/bin/env python3
"""Property: --guess counts as Python's strict decoders read the bytes.

For random inputs (random bytes, and real text in each code with bytes
changed, dropped and added), the table of `vesk --guess` is read back:

- ASCII and UTF-8 rows: the sequences that are no character are those that
  Python's decoder reports (for UTF-8 each the longest start that the next
  byte cannot continue), the first at the offset of its first report, and the
  characters of two or more bytes are those above U+007F;
- Shift_JIS, EUC-JP and ISO-2022-JP rows: a file that Python's decoder of
  the code reads whole is one the row reads whole (vesk also takes codes that
  the standard leaves unassigned), with as many characters of two or more
  bytes;
- the NUL bytes and the line ends are those of the bytes;
- undamaged text in a code is guessed to be in that code.

usage: code_guess.py VESK
CODE_GUESS_SEED runs another seed.
"""
import codecs
import os
import random
import re
import subprocess
import sys
import tempfile

SEED = int(os.environ.get("CODE_GUESS_SEED", "20261211"))
SAMPLE = ("漢字かなカナ、ASCII 123 ファイル内容をダンプします。（全角）＋－ 丂丄 ｶﾅ éàü αβγ АБВ 😀 ☃\r\n\t")
# Each code's Python codec, what its text may hold, and its name in the table.
CODES = {
    "Shift_JIS": ("shift_jis", "ASCII 123 漢字かなカナ、ファイル内容をダンプします。ｶﾅ（全角）\r\n"),
    "EUC-JP": ("euc_jp", "ASCII 123 漢字かなカナ、ファイル内容をダンプします。ｶﾅ（全角）\r\n"),
    "ISO-2022-JP": ("iso2022_jp", "ASCII 123 漢字かなカナ、ファイル内容をダンプします。（全角）\r\n"),
    "UTF-8": ("utf-8", SAMPLE),
}

errors = []


def record_error(exc):
    errors.append(exc.start)
    return ("", exc.end)


codecs.register_error("vesk-guess-count", record_error)


def strict_counts(data, codec):
    """(errors, first error offset or None, characters above U+007F)."""
    errors.clear()
    text = data.decode(codec, errors="vesk-guess-count")
    return len(errors), (errors[0] if errors else None), sum(1 for ch in text if ord(ch) > 0x7F)


def reads_whole(data, codec):
    try:
        return data.decode(codec)
    except UnicodeDecodeError:
        return None


def table(vesk, path):
    out = subprocess.run([vesk, "--guess", path], capture_output=True, check=True).stdout.decode("ascii")
    lines = out.splitlines()
    rows = {}
    for line in lines[1:6]:
        m = re.match(r"^(.*?)\s+(yes|no)\s+(\d+)\s+(\S+)\s+(\d+)$", line)
        name = m.group(1).replace(" with BOM", "")
        rows[name] = (m.group(2) == "yes", int(m.group(3)), None if m.group(4) == "-" else int(m.group(4), 16),
                      int(m.group(5)))
    nul = int(lines[6].split(": ")[1])
    ends = tuple(int(x) for x in re.findall(r"\d+", lines[7]))
    return rows, nul, ends, lines[8]


def multibyte_of(name, text):
    if name == "Shift_JIS":
        return sum(1 for ch in text if ord(ch) > 0x7F and not 0xFF61 <= ord(ch) <= 0xFF9F)
    return sum(1 for ch in text if ord(ch) > 0x7F)


def damaged(rng, data):
    out = bytearray(data)
    for _ in range(max(1, len(out) // 40)):
        k = rng.randrange(len(out)) if out else 0
        what = rng.randrange(3)
        if what == 0 and out:
            out[k] = rng.randrange(256)
        elif what == 1 and out:
            del out[k]
        else:
            out.insert(k, rng.randrange(256))
    return bytes(out)


def check(vesk, path, data, where, failures, expected_guess=None):
    rows, nul, ends, verdict = table(vesk, path)
    for name, codec in (("ASCII", "ascii"), ("UTF-8", "utf-8")):
        count, first, multibyte = strict_counts(data, codec)
        want = (count == 0, count, first, multibyte)
        if rows[name] != want:
            failures.append(f"{where}: {name} row {rows[name]}, Python's decoder {want}")
    for name, (codec, _) in CODES.items():
        text = reads_whole(data, codec)
        if name != "UTF-8" and text is not None:
            decodes, invalid, _, multibyte = rows[name]
            if not decodes or multibyte != multibyte_of(name, text):
                failures.append(f"{where}: Python reads it as {codec}, the {name} row says {rows[name]}")
    lf, crlf, cr = data.count(b"\n"), data.count(b"\r\n"), data.count(b"\r")
    if nul != data.count(b"\0") or ends != (lf - crlf, crlf, cr - crlf):
        failures.append(f"{where}: NUL {nul}, line ends {ends}")
    accepted = {"guess: %s" % expected_guess, "guess: UTF-8 with BOM" if expected_guess == "UTF-8" else None}
    if expected_guess and verdict.split(",")[0] not in accepted:
        failures.append(f"{where}: {verdict}")


def main():
    vesk = os.path.abspath(sys.argv[1])
    rng = random.Random(SEED)
    failures, runs = [], 0
    with tempfile.TemporaryDirectory(prefix="vesk-guess-") as folder:
        path = os.path.join(folder, "in.bin")
        for name, (codec, alphabet) in CODES.items():
            for k in range(6):
                text = "".join(rng.choice(alphabet) for _ in range(300))
                real = text.encode(codec)
                if name == "UTF-8" and k == 1:
                    real = b"\xef\xbb\xbf" + real
                inputs = [(real, name), (damaged(rng, real), None), (bytes(rng.randrange(256) for _ in range(80)), None)]
                for n, (data, expected) in enumerate(inputs):
                    with open(path, "wb") as f:
                        f.write(data)
                    check(vesk, path, data, f"{name} {k}.{n}", failures, expected)
                    runs += 1
    for f in failures[:20]:
        print(f)
    print(f"{runs} inputs, {len(failures)} failures (seed {SEED})")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
