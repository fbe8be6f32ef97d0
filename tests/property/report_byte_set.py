#!/usr/bin/env python3
"""Property: the report holds only printable text.

Read left to right, every byte vesk writes to standard output is printable
ASCII (0x20-0x7E), a line end, a half-width kana (0xA1-0xDF) or a valid
Shift_JIS pair (lead 0x81-0x9F or 0xE0-0xFC, trail 0x40-0x7E or 0x80-0xFC),
whatever the input file and the format file hold: a control byte in the
report would let a hostile file drive the user's terminal.

Random inputs (fixed seeds) rich in the bytes that test it (control bytes,
DEL, 0x80-0x9F, lone lead bytes, JIS escape sequences, UTF-8 and EUC-JP
sequences, overlong forms) go through the plain dump in every character mode
and several layouts, and random format files (range comments, item names and
comments of such bytes; every item type; #ENDIAN, #CODE and the text codes of
items) through the formatted list, the maps and both comparison forms.

Format files with one line that must be refused (a declared name holding a
blank or another byte that no name holds, a statement in another case) end
with status 1 and that line's message; the line quoted under it keeps the
rule too, and under --utf8 is well-formed UTF-8 without controls.

usage: report_byte_set.py VESK

REPORT_BYTES_SEED runs another seed (for a longer search by hand);
REPORT_BYTES_SHOW sets how many failures are listed (20).
"""
import os
import random
import subprocess
import sys
import tempfile
import time

SEED = int(os.environ.get("REPORT_BYTES_SEED", "20260412"))

CHAR_MODES = [[], ["-A"], ["-K"], ["-J"], ["-j"], ["-E"], ["-U"]]


def first_breach(out):
    """The offset of the first byte outside the set, or None."""
    i, n = 0, len(out)
    while i < n:
        b = out[i]
        if b == 0x0A or 0x20 <= b <= 0x7E or 0xA1 <= b <= 0xDF:
            i += 1
        elif (0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC) and i + 1 < n and (
                0x40 <= out[i + 1] <= 0x7E or 0x80 <= out[i + 1] <= 0xFC):
            i += 2
        else:
            return i
    return None


# Pieces the random inputs are made of.
JIS_ESCAPES = [b"\x1b$B", b"\x1b$@", b"\x1b$D", b"\x1b(I", b"\x1b(J", b"\x1b(B"]
CONTROLS = bytes(range(0x01, 0x20)) + b"\x7f"
C1 = bytes(range(0x80, 0xA0))
LEADS = bytes(range(0x81, 0xA0)) + bytes(range(0xE0, 0xFD))


def piece(rng):
    k = rng.randrange(12)
    if k == 0:
        return rng.choice(JIS_ESCAPES)
    if k == 1:
        return bytes([0x0E, rng.randrange(256)])
    if k == 2:  # a UTF-8 lead byte and continuation bytes, checked or not
        lead = rng.randrange(0xC0, 0x100)
        return bytes([lead] + [rng.randrange(256) if rng.random() < 0.3 else rng.randrange(0x80, 0xC0)
                               for _ in range(rng.randrange(4))])
    if k == 3:
        return rng.choice([b"\xc1\xbf", b"\xe0\x81\xbf", b"\xe0\x01\x3f", b"\xf0\x80\x81\xbf", b"\xc0\x80"])
    if k == 4:  # EUC-JP: kana, 3-byte, 2-byte of any row, and of rows without a run
        return rng.choice([bytes([0x8E, rng.randrange(0xA0, 0xE0)]),
                           bytes([0x8F, rng.randrange(256), rng.randrange(256)]),
                           bytes([rng.randrange(0xA1, 0xFD), rng.randrange(0xA0, 0xFF)]),
                           bytes([rng.choice(b"\xa1\xa9\xae\xaf\xde\xdf\xf5\xf9"),
                                  rng.choice(b"\xa0\xa1\xdf\xe0\xfe")])])
    if k == 5:  # a Shift_JIS pair
        return bytes([rng.choice(LEADS), rng.randrange(0x40, 0xFD)])
    if k == 6:
        return bytes([rng.choice(LEADS)])
    if k == 7:
        return bytes([rng.choice(CONTROLS)])
    if k == 8:
        return bytes([rng.choice(C1)])
    if k == 9:
        return bytes(rng.randrange(0x20, 0x7F) for _ in range(rng.randrange(1, 6)))
    return bytes(rng.randrange(256) for _ in range(rng.randrange(1, 6)))


def hostile_bytes(rng, n):
    out = bytearray()
    while len(out) < n:
        out += piece(rng)
    return bytes(out[:n])


def hostile_text(rng, n, exclude):
    """A text for a format file: no NUL, no line end, no brace (the reader
    matches braces on any line), none of exclude."""
    bad = set(b"\x00\n{}") | set(exclude)
    out = bytearray()
    while len(out) < n:
        out += bytes(b for b in piece(rng) if b not in bad)
    text = bytes(out[:n])
    while b"*/" in text:
        text = text.replace(b"*/", b"*")
    return text


# The ASCII bytes a declared name may hold besides its bytes from 0x80 up.
NAME_ASCII = b"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_"


def name(rng):
    # One word, as a declaration's name must be: letters, digits, "_" and any
    # byte from 0x80 up (a full-width blank, 81 40, cannot arise: "@" is no
    # name byte). The letters around it keep it from reading as "far" or a
    # pointer, and a lead byte at its end from swallowing the bracket.
    text = hostile_text(rng, rng.randrange(0, 16), b"")
    return b"n" + bytes(b for b in text if b >= 0x80 or b in NAME_ASCII) + b"z"


def hostile_name(rng):
    """A colon-form name: any bytes but its colons."""
    return b"n" + hostile_text(rng, rng.randrange(0, 16), b":") + b"z"


def comment(rng):
    return hostile_text(rng, rng.randrange(0, 40), b"")


def range_comment(rng):
    return hostile_text(rng, rng.choice([0, 5, 30, 71, 72, 73, 100, 200]), b"")


def members(rng, with_id):
    lines = [b" char id[2];"] if with_id else []
    for _ in range(rng.randrange(2, 7)):
        k = rng.randrange(10)
        nm, cm = name(rng), comment(rng)
        if k == 0:
            lines.append(b" char " + nm + b"[%d]; /*" % rng.randrange(1, 40) + cm + b"*/")
        elif k == 1:
            lines.append(b" BYTE " + nm + b"[%d]; /*" % rng.randrange(1, 12) + cm + b"*/")
        elif k == 2:
            lines.append(b" short " + nm + b"[%d]; /*" % rng.randrange(1, 4) + cm + b"*/")
        elif k == 3:
            lines.append(b" long " + nm + b"; /*" + cm + b"*/")
        elif k == 4:
            lines.append(rng.choice([b" float ", b" double ", b" LPSTR "]) + nm + b"; /*" + cm + b"*/")
        elif k == 5:
            lines.append(b"c:%d:" % rng.randrange(1, 30) + hostile_name(rng) + b":" + cm)
        elif k == 6:  # a text code of the item's own
            code = rng.choice([b"SJIS", b"EUC", b"JIS", b"UTF-8"])
            if rng.random() < 0.5:
                lines.append(b" char(" + code + b") " + nm + b"[%d]; /*" % rng.randrange(1, 30) + cm + b"*/")
            else:
                lines.append(b"c(" + code + b"):%d:" % rng.randrange(1, 30) + hostile_name(rng) + b":" + cm)
        elif k == 7:  # the integers of legacy records
            lines.append(rng.choice([b" SBYTE ", b" UBYTE ", b" QUAD ", b" UQUAD "]) + nm
                         + b"[%d]; /*" % rng.randrange(1, 4) + cm + b"*/")
        elif k == 8:  # packed and zoned decimals, with a scale now and then
            word, longest = rng.choice([(b"PACKED", 16), (b"ZONED", 31)])
            n = rng.randrange(1, longest + 1)
            digits = 2 * n - 1 if word == b"PACKED" else n
            scale = b"(%d)" % rng.randrange(0, digits + 1) if rng.random() < 0.5 else b""
            lines.append(b" " + word + scale + b" " + nm + b"[%d][%d]; /*" % (rng.randrange(1, 3), n) + cm + b"*/")
        elif k == 9:
            code, longest = rng.choice([(b"k", 16), (b"z", 31)])
            lines.append(code + b":%d:" % rng.randrange(1, longest + 1) + hostile_name(rng) + b":" + cm)
        else:
            lines.append(b" char " + nm + b";")
    return lines


def format_file(rng, ranges, with_id=False):
    out = []
    # The byte order and the text code of the char items, now and then.
    if rng.random() < 0.5:
        out.append(rng.choice([b"#ENDIAN BIG", b"#ENDIAN LITTLE"]))
    if rng.random() < 0.7:
        out.append(rng.choice([b"#CODE SJIS", b"#CODE EUC", b"#CODE JIS", b"#CODE UTF-8"]))
    for r in range(ranges):
        span = b"%d &" % r if r == ranges - 1 else b"%d %d" % (r, r)
        head = b"#BLNO " + span
        if rng.random() < 0.9:
            head += b" ;" + range_comment(rng)
        out.append(head)
        out.append(b"struct S%d {" % r)
        out += members(rng, with_id)
        out.append(b"};")
    return b"\n".join(out) + b"\n"


class RunnerBase:
    """What every property's runner shares: the folder of the inputs, the
    runs made, the failures found, and a copy of the inputs of the first
    failures for a look. A subclass gives run(args, label)."""
    kept_prefix = "vesk-bytes-"

    def __init__(self, vesk, folder):
        self.vesk = vesk
        self.folder = folder
        self.runs = 0
        self.failures = []

    def write(self, file_name, data):
        with open(os.path.join(self.folder, file_name), "wb") as f:
            f.write(data)

    def run_one(self, args):
        return subprocess.run([self.vesk] + args, cwd=self.folder, capture_output=True, timeout=60)

    def keep(self, label=""):
        if len(self.failures) > 3:
            return
        kept = tempfile.mkdtemp(prefix=self.kept_prefix)
        for f in os.listdir(self.folder):
            with open(os.path.join(self.folder, f), "rb") as src, open(os.path.join(kept, f), "wb") as dst:
                dst.write(src.read())
        self.failures.append(f"  inputs{' of ' + label if label else ''} kept in {kept}")


class Runner(RunnerBase):
    def __init__(self, vesk, folder):
        super().__init__(vesk, folder)
        self.bytes = 0

    def run(self, args, label):
        proc = self.run_one(args)
        self.runs += 1
        self.bytes += len(proc.stdout)
        if proc.returncode != 0:
            self.failures.append(f"{label}: {args}: status {proc.returncode}: {proc.stderr[:200]!r}")
            return
        if not proc.stdout:
            self.failures.append(f"{label}: {args}: no report")
            return
        at = first_breach(proc.stdout)
        if at is not None:
            start = proc.stdout.rfind(b"\n", 0, at) + 1
            end = proc.stdout.find(b"\n", at)
            line = proc.stdout[start:end if end >= 0 else len(proc.stdout)]
            self.failures.append(f"{label}: {args}: byte 0x{proc.stdout[at]:02x} at column {at - start}"
                                 f" of {line!r}")
            # Keep the inputs of the first failures for a look.
            self.keep(label)


PLAIN_LAYOUTS = [[], ["-C"], ["-b3"], ["-b1"], ["-C", "-b1"], ["-C", "-b7"], ["-D", "-b5"],
                 ["-d40", "-n1,3"], ["-d24", "-n2"], ["-h5", "-d33"], ["-x0a"], ["-t;"],
                 ["-L", "-b2", "-p7"], ["-C", "-b200"], ["-b32", "-d100"]]


def plain_dumps(r, rng):
    for layout in PLAIN_LAYOUTS:
        for mode in CHAR_MODES:
            r.write("in.bin", hostile_bytes(rng, rng.randrange(200, 1500)))
            r.run(mode + layout + ["in.bin"], "plain")


LIST_OPTIONS = [[], ["-l120"], ["-w20,40"], ["-D", "-v"], ["-l256", "-w100,140"], ["-l80"]]
MAP_OPTIONS = [["-m"], ["-M"], ["-m", "-D"], ["-M", "-v"]]
MAP_ROWS = [[], ["-b7"], ["-b1"], ["-b40"]]


def formatted_dumps(r, rng):
    for round_no in range(6):
        r.write("f.fmt", format_file(rng, rng.randrange(1, 4)))
        r.write("f.dat", hostile_bytes(rng, rng.randrange(50, 900)))
        for mode in CHAR_MODES:
            r.run(mode + rng.choice(LIST_OPTIONS) + ["-f", "f.fmt", "f.dat"], "list")
            r.run(mode + rng.choice(MAP_OPTIONS) + ["-f", "f.fmt"] + rng.choice(MAP_ROWS) + ["f.dat"], "map")


def coded_texts(r, rng):
    """Blocks made only of char items, read in each code of #CODE: every byte
    of the hostile data goes through the decoders."""
    for code in (b"SJIS", b"EUC", b"JIS", b"UTF-8"):
        for round_no in range(3):
            items = b"".join(b" char t%d[%d];\n" % (k, rng.randrange(1, 24)) for k in range(rng.randrange(1, 6)))
            r.write("t.fmt", b"#CODE " + code + b"\n#BLNO 0 &\nstruct T {\n" + items + b"};\n")
            r.write("t.dat", hostile_bytes(rng, rng.randrange(200, 1500)))
            r.run(rng.choice(LIST_OPTIONS) + ["-f", "t.fmt", "t.dat"], "coded list")
            r.run(rng.choice(MAP_OPTIONS) + ["-f", "t.fmt"] + rng.choice(MAP_ROWS) + ["t.dat"], "coded map")


def comparisons(r, rng, vesk):
    for round_no in range(6):
        fmt = format_file(rng, 1, with_id=True)
        r.write("c.fmt", fmt)
        # The block size from a map of one block of zeros: " [0000000]  size: %04X".
        r.write("z.dat", bytes(4096))
        proc = subprocess.run([vesk, "-m", "-n0", "-f", "c.fmt", "z.dat"], cwd=r.folder, capture_output=True)
        size = int(proc.stdout.split(b"size: ")[1][:4], 16)
        ids = [bytes([rng.choice(b"AB"), rng.choice(b"\x82\xa0\x1b\x7f")]) for _ in range(6)]

        def blocks(count):
            return b"".join(rng.choice(ids) + hostile_bytes(rng, size - 2) for _ in range(count))

        first = blocks(rng.randrange(1, 6))
        # The second file: some blocks of the first, changed here and there, and new ones.
        second = bytearray(first)
        for _ in range(rng.randrange(0, 8)):
            second[rng.randrange(len(second))] = rng.randrange(256)
        second = bytes(second) + blocks(rng.randrange(0, 3))
        r.write("a.dat", first)
        r.write("b.dat", second)
        for mode in CHAR_MODES:
            r.run(mode + rng.choice(LIST_OPTIONS) + ["-F", "c.fmt", "id", "a.dat", "b.dat"], "compare list")
            r.run(mode + rng.choice(MAP_OPTIONS) + ["-F", "c.fmt", "id"] + rng.choice(MAP_ROWS)
                  + ["a.dat", "b.dat"], "compare map")


# Bytes that cannot stand in a declared name: blanks (a full-width one too),
# parentheses, punctuation, control bytes, DEL. None is a Shift_JIS trail
# byte, so a lead byte before it cannot take it into a pair.
NOT_IN_A_NAME = [b" ", b"\t", b"  ", b"(", b"(5)", b")", b",", b".", b"-", b"+", b"\x81\x40", b"\x1b", b"\x07",
                 b"\x7f", b"\x0b"]
STATEMENTS = [(b"define", b" N 3"), (b"BLNO", b" 0 &"), (b"REN", b" X l"), (b"ENDIAN", b" BIG"),
              (b"CODE", b" EUC")]


def bad_name_line(rng):
    """A declaration whose name is not one word, hostile bytes around the
    byte that breaks it."""
    word = rng.choice([b"long", b"short", b"char", b"DWORD", b"SBYTE", b"QUAD", b"double", b"PACKED"])
    part = lambda: hostile_text(rng, rng.randrange(0, 6), b"[=;/*\r")
    return b" " + word + b" n" + part() + rng.choice(NOT_IN_A_NAME) + part() + b"z[%d];" % rng.randrange(1, 4)


def other_case(rng, word):
    """The statement word with the case of some letters changed."""
    while True:
        out = bytes(c ^ 0x20 if rng.random() < 0.5 else c for c in word)
        if out != word:
            return out


def utf8_breach(err):
    """Why err is no well-formed UTF-8 without controls, or None."""
    try:
        text = err.decode("utf-8")
    except UnicodeDecodeError as e:
        return str(e)
    for i, c in enumerate(text):
        if c != "\n" and (ord(c) < 0x20 or 0x7F <= ord(c) <= 0x9F):
            return f"control U+{ord(c):04X} at {i}"
    return None


def refusals(r, rng):
    """A valid format file with one line that must be refused: a declaration
    whose name holds a blank or another byte that no name holds, or a
    statement of vesk's own in another case (#endian, #Code, #blno). The run
    ends with status 1 and the message for that line, never a report; the
    line quoted under the message keeps the byte rule (every byte outside it
    a point), in Shift_JIS and under --utf8 in UTF-8."""
    for round_no in range(60):
        lines = format_file(rng, rng.randrange(1, 3)).split(b"\n")[:-1]
        at = rng.randrange(len(lines) + 1)
        if round_no % 3 == 2:
            word, rest = rng.choice(STATEMENTS)
            written = other_case(rng, word)
            bad = b"#" + written + rest
            message = b"#%s: did you mean #%s?" % (written, word)
        else:
            bad = bad_name_line(rng)
            message = b"illegal item name"
        lines.insert(at, bad)
        r.write("r.fmt", b"\n".join(lines) + b"\n")
        r.write("r.dat", bytes(64))
        want = b"r.fmt: %s (line is %d)\n" % (message, at + 1)
        for encoding in ([], ["--utf8"]):
            args = encoding + ["-f", "r.fmt", "r.dat"]
            proc = subprocess.run([r.vesk] + args, cwd=r.folder, capture_output=True, timeout=60)
            r.runs += 1
            label = f"refusal: {bad!r}: {args}"
            if proc.returncode != 1 or proc.stdout or not proc.stderr.startswith(want):
                r.failures.append(f"{label}: status {proc.returncode}, {proc.stderr[:300]!r}")
                r.keep("refusal")
                continue
            breach = utf8_breach(proc.stderr) if encoding else first_breach(proc.stderr)
            if breach is not None:
                r.failures.append(f"{label}: message bytes: {breach}: {proc.stderr!r}")


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    vesk = os.path.abspath(sys.argv[1])
    # The Shift_JIS report of a pipe, whatever the tester's default.
    os.environ.pop("VESK_ENCODING", None)
    rng = random.Random(SEED)
    started = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="vesk-bytes-") as folder:
        r = Runner(vesk, folder)
        r.run(["-usage"], "usage")
        plain_dumps(r, rng)
        formatted_dumps(r, rng)
        coded_texts(r, rng)
        comparisons(r, rng, vesk)
        refusals(r, rng)
    took = time.monotonic() - started
    for f in r.failures[:int(os.environ.get("REPORT_BYTES_SHOW", "20"))]:
        print(f)
    print(f"{r.runs} runs, {r.bytes} report bytes checked, {len(r.failures)} failures, {took:.2f} s")
    return 1 if r.failures else 0


if __name__ == "__main__":
    sys.exit(main())
