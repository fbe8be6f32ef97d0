#!/usr/bin/env python3
"""Property: the records (--json) say what the list form says, and lose
nothing in silence.

Random format files (every item type, arrays of one and two dimensions,
nested structures named, repeated and unnamed, items of a template, hidden
items, names that repeat, text codes of items, #CODE, #ENDIAN, -v, -B, the
letters) over random data (hostile bytes, digits, blocks cut short) are
dumped twice: as JSON Lines and as the list form (Shift_JIS, -l256 -w0,0:
the values alone).
For every block:

- each line of --json parses as JSON, with the block's number and offset of
  the list's title line;
- its items, leaf by leaf in document order, are the list's items element by
  element (the walk is the same; the printing is not):
  - integers, decimals, pointers and BYTE: the very text the list shows;
  - floats and doubles: a text that reads back to the element's very bytes,
    with no more digits than the shortest such text, and within the list's
    rounding of the list's value; NaN and infinities (the list's NAN, inf)
    are null;
  - text: the characters of the element's bytes in the item's code, as an
    independent reading here decodes them (U+FFFD for bytes that are no
    character; controls kept; JIS escape sequences left out); in Shift_JIS
    the list's bytes are those of the same characters;
  - an element that the list shows as bytes with "]x" (a number cut by the
    end of the data, a decimal with a bad digit) is null;
  - the items after the list's [EOD] are null;
- "unreadable" lists every null and every text that is not whole, by the
  name its place in the object gives, with every byte of it that the block
  holds, and nothing else.

usage: records_values.py VESK
RECORDS_VALUES_SEED runs another seed.
"""
import decimal
import json
import os
import random
import re
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from report_byte_set import hostile_bytes  # noqa: E402

SEED = int(os.environ.get("RECORDS_VALUES_SEED", "20261214"))
ROUNDS = 40

# Item types: (declaration word, code, element size or None for a length).
NUMERIC = [("SBYTE", "b", 1), ("UBYTE", "B", 1), ("short", "s", 2), ("WORD", "S", 2), ("int", "i", 4),
           ("unsigned int", "I", 4), ("long", "l", 4), ("DWORD", "L", 4), ("QUAD", "q", 8), ("UQUAD", "Q", 8),
           ("float", "f", 4), ("double", "d", 8), ("LPSTR", "p", 4)]
NAMES = ["a", "b", "qty", "x", "\u540d\u524d", "\uff76\uff85", "n_1"]
STRUCT_NAMES = ["a", "line", "x", "n_1"]
CODES = [None, "SJIS", "EUC", "JIS", "UTF-8"]
LETTERS = {None: "SJIS", "-A": "ASCII", "-K": "KANA", "-E": "EUC", "-J": "JIS", "-U": "UTF-8"}


# ---------------------------------------------------------------- format files

class Item:
    """A simple item: its code, element size, element count, dimensions,
    decimal scale, text code and whether it is shown."""
    def __init__(self, code, size, dims, shown, scale=0, text_code=None):
        self.code, self.size, self.dims, self.shown = code, size, dims, shown
        self.scale, self.text_code = scale, text_code
        self.count = 1
        for d in dims:
            self.count *= d


def dims_text(rng):
    k = rng.random()
    if k < 0.5:
        return []
    if k < 0.85:
        return [rng.randrange(1, 4)]
    return [rng.randrange(1, 3), rng.randrange(1, 4)]


def brackets(dims):
    return "".join("[%d]" % d for d in dims)


def simple_item(rng, model):
    """One item line, and its Item appended to model."""
    name = rng.choice(NAMES)
    shown = rng.random() > 0.12
    comment = " /* no display */" if not shown else ""
    dims = dims_text(rng)
    k = rng.randrange(8)
    if k < 3:
        code = rng.choice(CODES)
        length = rng.randrange(1, 10)
        word = "char" if code is None else "char(%s)" % code
        model.append(Item("c", length, dims, shown, text_code=code))
        return " %s %s%s[%d];%s" % (word, name, brackets(dims), length, comment)
    if k == 3:
        length = rng.randrange(1, 5)
        model.append(Item("x", length, dims, shown))
        return " BYTE %s%s[%d];%s" % (name, brackets(dims), length, comment)
    if k == 4:
        word, code, longest = rng.choice([("PACKED", "k", 6), ("ZONED", "z", 8)])
        length = rng.randrange(1, longest + 1)
        digits = 2 * length - 1 if code == "k" else length
        scale = rng.randrange(0, digits + 1)
        model.append(Item(code, length, dims, shown, scale=scale))
        return " %s(%d) %s%s[%d];%s" % (word, scale, name, brackets(dims), length, comment)
    if k == 5 and rng.random() < 0.5:
        model.append(Item("P", 4, dims, shown))
        return " char far *%s%s;%s" % (name, brackets(dims), comment)
    word, code, size = rng.choice(NUMERIC)
    model.append(Item(code, size, dims, shown))
    return " %s %s%s;%s" % (word, name, brackets(dims), comment)


def members(rng, depth, model):
    """The lines of a structure's members; model receives its items in walk
    order, a structure's repeated."""
    lines = []
    for _ in range(rng.randrange(1, 5 if depth else 7)):
        if rng.random() < 0.08:
            # An item of the template DATE, once or repeated.
            count = rng.choice([1, 1, 2])
            lines.append(" DATE %s%s;" % (rng.choice(NAMES), "[2]" if count == 2 else ""))
            for _ in range(count):
                model += [Item("s", 2, [], True), Item("c", 2, [], True)]
        elif depth < 2 and rng.random() < 0.2:
            inner_model = []
            inner = members(rng, depth + 1, inner_model)
            # The name after a closing brace begins with an ASCII letter.
            k = rng.randrange(3)
            if k == 0:
                close, count = " } %s;" % rng.choice(STRUCT_NAMES), 1
            elif k == 1:
                count = rng.randrange(1, 4)
                close = " } %s[%d];" % (rng.choice(STRUCT_NAMES), count)
            else:
                close, count = " };", 1
            lines += [" struct {"] + inner + [close]
            for _ in range(count):
                model += inner_model
        else:
            lines.append(simple_item(rng, model))
    return lines


def format_file(rng):
    """A format file of one or two data formats, and the model of each."""
    head = []
    if rng.random() < 0.3:
        head.append(rng.choice(["#ENDIAN BIG", "#ENDIAN LITTLE"]))
    if rng.random() < 0.3:
        head.append("#CODE " + rng.choice(CODES[1:]))
    head += ["typedef struct {", " short year;", " char mon[2];", "} DATE;"]
    models = []
    formats = 2 if rng.random() < 0.3 else 1
    for f in range(formats):
        model = []
        lines = members(rng, 0, model)
        span = "%d &" % f if f == formats - 1 else "%d %d" % (f, f)
        head += ["#BLNO " + span, "struct F%d {" % f] + lines + ["};"]
        models.append(model)
    return ("\n".join(head) + "\n").encode("cp932"), models, head


def data_bytes(rng, n):
    """Hostile bytes, with runs of digits and of small nibbles so that
    decimals are often numbers."""
    out = bytearray()
    while len(out) < n:
        k = rng.randrange(4)
        if k == 0:
            out += bytes(rng.choice(b"0123456789") for _ in range(rng.randrange(1, 9)))
        elif k == 1:
            out += bytes(rng.randrange(10) * 16 + rng.choice([rng.randrange(10), 12, 13, 15])
                         for _ in range(rng.randrange(1, 6)))
        else:
            out += hostile_bytes(rng, rng.randrange(1, 12))
    return bytes(out[:n])


# --------------------------------------------------------- readings of text

def sjis_char(pair):
    """The character of a Shift_JIS pair: cp932, else Shift_JIS-2004; one
    code point or none."""
    for codec in ("cp932", "shift_jis_2004"):
        try:
            s = pair.decode(codec)
        except UnicodeDecodeError:
            continue
        return s if len(s) == 1 else None
    return None


def jis2sjis(hi, lo):
    l = lo + 0x1F if hi & 1 else lo + 0x7D
    if l >= 0x7F:
        l += 1
    h = ((hi - 0x21) >> 1) + 0x81
    if h > 0x9F:
        h += 0x40
    return bytes([h, l])


ANY = object()  # a character this reading does not name (JIS X 0212): any one
JIS_SHIFTS = {b"\x1b$@": "0208", b"\x1b$B": "0208", b"\x1b$D": "0212", b"\x1b(I": "kana",
              b"\x1b(B": "ascii", b"\x1b(J": "ascii"}


def kana(b):
    return chr(0xFF61 + b - 0xA1)


def cells(code, b):
    """The cells of bytes b read in code from its first state: a list of
    (bytes, character or None for no character, or ANY; escape cells
    have the character "")."""
    out, i, n = [], 0, len(b)
    shift = "ascii"
    escape_left = 0
    while i < n:
        c = b[i]
        if code == "JIS":
            if escape_left:
                out.append((b[i:i + 1], ""))
                escape_left -= 1
                i += 1
                continue
            seq = b[i:i + 3]
            if seq in JIS_SHIFTS:
                shift = JIS_SHIFTS[seq]
                out.append((b[i:i + 1], ""))
                escape_left = 2
                i += 1
                continue
            if c >= 0x80:
                out.append((b[i:i + 1], None))
            elif not 0x21 <= c <= 0x7E or shift == "ascii":
                out.append((b[i:i + 1], chr(c)))
            elif shift == "kana":
                out.append((b[i:i + 1], kana(c + 0x80) if c <= 0x5F else None))
            elif i + 1 < n and 0x21 <= b[i + 1] <= 0x7E:
                ch = sjis_char(jis2sjis(c, b[i + 1])) if shift == "0208" else ANY
                out.append((b[i:i + 2], ch))
                i += 1
            else:
                out.append((b[i:i + 1], None))
            i += 1
            continue
        if c < 0x80:
            out.append((b[i:i + 1], chr(c)))
            i += 1
            continue
        if code in ("SJIS", "KANA") and 0xA1 <= c <= 0xDF:
            out.append((b[i:i + 1], kana(c)))
            i += 1
            continue
        if code == "SJIS" and (0x81 <= c <= 0x9F or 0xE0 <= c <= 0xFC) and i + 1 < n \
                and (0x40 <= b[i + 1] <= 0x7E or 0x80 <= b[i + 1] <= 0xFC):
            out.append((b[i:i + 2], sjis_char(b[i:i + 2])))
            i += 2
            continue
        if code == "EUC":
            euc = lambda x: 0xA1 <= x <= 0xFE  # noqa: E731
            if euc(c) and i + 1 < n and euc(b[i + 1]):
                out.append((b[i:i + 2], sjis_char(jis2sjis(c & 0x7F, b[i + 1] & 0x7F))))
                i += 2
                continue
            if c == 0x8E and i + 1 < n and 0xA1 <= b[i + 1] <= 0xDF:
                out.append((b[i:i + 2], kana(b[i + 1])))
                i += 2
                continue
            if c == 0x8F and i + 1 < n and euc(b[i + 1]):
                if i + 2 < n and euc(b[i + 2]):
                    out.append((b[i:i + 3], ANY))
                    i += 3
                else:
                    out.append((b[i:i + 2], None))
                    i += 2
                continue
        out.append((b[i:i + 1], None))
        i += 1
    return out


def utf8_cells(b):
    """UTF-8 as Python reads it with replacement (the maximal subparts of
    ill-formed sequences, as vesk cuts them), and whether any was replaced."""
    try:
        return b.decode("utf-8"), False
    except UnicodeDecodeError:
        return b.decode("utf-8", "replace"), True


def shown_in_list(cell_bytes, ch):
    """The Shift_JIS list's bytes of a cell of the Shift_JIS code."""
    if len(cell_bytes) == 2:
        return cell_bytes
    c = cell_bytes[0]
    return cell_bytes if 0x20 <= c <= 0x7E or 0xA1 <= c <= 0xDF else b"."


# ------------------------------------------------------------- the list form

TITLE = re.compile(rb"^       block: (\d+)  addr: ([0-9A-F]{4,})$")
ENTRY = re.compile(rb"^ ([0-9A-F]{4,}): ")


def list_blocks(report):
    """[(number, addr, [(offset, text of its values)], ended)] of a list."""
    blocks = []
    for line in report.split(b"\n"):
        m = TITLE.match(line)
        if m:
            blocks.append([int(m.group(1)), int(m.group(2), 16), [], False])
        elif line == b" [EOD]":
            blocks[-1][3] = True
        elif ENTRY.match(line):
            m = ENTRY.match(line)
            blocks[-1][2].append([int(m.group(1), 16), line[m.end():]])
        elif line.startswith(b"       ") and blocks and blocks[-1][2]:
            blocks[-1][2][-1][1] += line[7:]
    return blocks


class Values:
    """The elements of one list entry, read one after the other."""
    def __init__(self, text):
        self.t, self.i = text, 0

    def skip_blanks(self):
        while self.i < len(self.t) and self.t[self.i] == 0x20:
            self.i += 1

    def text(self, n):
        """[n bytes]: the bytes."""
        self.skip_blanks()
        assert self.t[self.i] == 0x5B, self.t[self.i:]
        body = self.t[self.i + 1:self.i + 1 + n]
        assert self.t[self.i + 1 + n] == 0x5D, (self.t, self.i, n)
        self.i += n + 2
        return body

    def value(self):
        """[text] or [hex]x: (text, whether marked x)."""
        self.skip_blanks()
        assert self.t[self.i] == 0x5B, self.t[self.i:]
        end = self.t.index(b"]", self.i)
        body = self.t[self.i + 1:end]
        marked = self.t[end + 1:end + 2] == b"x"
        self.i = end + (2 if marked else 1)
        return body.replace(b" ", b""), marked


# ----------------------------------------------------------------- the check

def leaves(node, path, out):
    """(name, value) of every leaf of an item tree, in document order; names
    as records give them: keys joined by ".", indexes in brackets."""
    if isinstance(node, dict):
        for k, v in node.items():
            leaves(v, path + [k], out)
    elif isinstance(node, list):
        for i, v in enumerate(node):
            leaves(v, path + [i], out)
    else:
        name = ""
        for p in path:
            name += "[%d]" % p if isinstance(p, int) else ("." if name else "") + p
        out.append((name, node))
    return out


def shortest_digits(bits):
    """The fewest significant digits that read back to the float or double
    of bits (4 or 8 bytes, most significant first), as a decimal text."""
    if len(bits) == 8:
        return repr(struct.unpack(">d", bits)[0])
    v = struct.unpack(">f", bits)[0]
    for p in range(1, 10):
        text = "%.*g" % (p, v)
        if struct.pack(">f", float(text)) == bits:
            return text
    return "%.9g" % v


def shortest_length(text):
    """The length of the shorter of the plain and the exponent form of the
    number text holds, with the same significant digits (an exponent of at
    least two digits, as C writes it)."""
    sign, digits, exponent = decimal.Decimal(text).normalize().as_tuple()
    n = len(digits)
    e = exponent + n  # digits before the point
    exp_digits = max(2, len(str(abs(e - 1))))
    scientific = n + (1 if n > 1 else 0) + 2 + exp_digits
    plain = e if e >= n else n + 1 if e > 0 else 2 - e + n
    return min(scientific, plain) + sign


class Checker:
    def __init__(self):
        self.failures = []
        self.leaves = 0

    def fail(self, where, what):
        self.failures.append("%s: %s" % (where, what))

    def block(self, where, record, listed, model, data, little, letter):
        items = leaves(record["items"], [], [])
        unreadable = {(u["item"], u.get("side")): u for u in record.get("unreadable", [])}
        if len(unreadable) != len(record.get("unreadable", [])):
            self.fail(where, "an item listed twice in unreadable")
        expected_faults = {}
        shown = [it for it in model if it.shown]
        if sum(it.count for it in shown) != len(items):
            return self.fail(where, "%d leaves for %d elements" % (len(items), sum(it.count for it in shown)))
        entries = listed[2]
        at = 0
        for n, item in enumerate(shown):
            elems = items[at:at + item.count]
            at += item.count
            if n >= len(entries):
                for name, v in elems:  # after [EOD]: null, no byte present
                    if v is not None:
                        self.fail(where, "%s after the end of the data is %r" % (name, v))
                    expected_faults[name] = b""
                continue
            offset, text = entries[n]
            reader = Values(text)
            for k, (name, v) in enumerate(elems):
                self.leaves += 1
                pos = offset + k * item.size
                elem = data[pos:pos + item.size] if pos < len(data) else b""
                try:
                    fault = self.element(where, name, item, v, reader, elem, little, letter)
                except (AssertionError, IndexError) as e:
                    self.fail(where, "%s: list not read (%s)" % (name, e))
                    return
                if fault is not None:
                    expected_faults[name] = fault
                if len(elem) < item.size:  # the end of the data: the list shows no more
                    for later, v2 in elems[k + 1:]:
                        if v2 is not None:
                            self.fail(where, "%s past the end is %r" % (later, v2))
                        expected_faults[later] = b""
                    break
        for name, present in expected_faults.items():
            u = unreadable.pop((name, None), None)
            if u is None:
                self.fail(where, "%s is not listed in unreadable" % name)
            elif u["bytes"] != present.hex():
                self.fail(where, "%s listed with bytes %s, not %s" % (name, u["bytes"], present.hex()))
        for (name, _), u in unreadable.items():
            self.fail(where, "%s listed in unreadable but whole: %r" % (name, u))

    def element(self, where, name, item, v, reader, elem, little, letter):
        """Checks one element against the list; returns the bytes that
        unreadable must list for it, or None when it is whole."""
        code = item.code
        if not elem and code != "c" and code != "x":
            # A number at the very end of the data: the list shows nothing of it.
            if v is not None:
                self.fail(where, "%s past the end is %r" % (name, v))
            return b""
        if code == "c":
            shown = reader.text(len(elem))
            text_code = item.text_code or letter
            if text_code in ("ASCII", "KANA", "SJIS", "EUC", "JIS"):
                cs = cells(text_code, elem)
                chars = [ch for _, ch in cs if ch != ""]
                whole = all(ch is not None for _, ch in cs)
                if text_code == "SJIS":
                    want_list = b"".join(shown_in_list(cb, ch) for cb, ch in cs)
                    if shown != want_list:
                        self.fail(where, "%s: the list shows %r for %r" % (name, shown, elem))
            else:
                text, replaced = utf8_cells(elem)
                chars, whole = list(text), not replaced
            if v is None and not elem:
                return b""
            if not isinstance(v, str) or len(v) != len(chars):
                self.fail(where, "%s: %r for the characters %r" % (name, v, chars))
                return None
            for got, want in zip(v, chars):
                if want is ANY:
                    whole = whole and got != "\ufffd"
                elif got != (want if want is not None else "\ufffd"):
                    self.fail(where, "%s: %r for %r (bytes %s)" % (name, v, chars, elem.hex()))
                    return None
            cut = len(elem) < item.size
            return elem if (cut or not whole) else None
        if code == "x":
            shown, _ = reader.value()
            if not elem:  # the data ends where it starts: no byte of it
                if v is not None:
                    self.fail(where, "%s past the end is %r" % (name, v))
                return b""
            if v != shown.decode():
                self.fail(where, "%s: %r where the list shows %r" % (name, v, shown))
            return elem if len(elem) < item.size else None
        shown, marked = reader.value()
        if marked or shown in (b"NAN", b"inf", b"-inf"):
            if v is not None:
                self.fail(where, "%s: %r where the list shows %r" % (name, v, shown))
            return elem
        if code in ("f", "d"):
            if not isinstance(v, str):
                self.fail(where, "%s: %r is no number" % (name, v))
                return None
            fmt = ("<" if little else ">") + code
            if struct.pack(fmt, float(v)) != elem:
                self.fail(where, "%s: %s does not read back to %s" % (name, v, elem.hex()))
            bits = elem if not little else elem[::-1]
            shortest = shortest_length(shortest_digits(bits))
            if len(v) > shortest:
                self.fail(where, "%s: %s is longer than %d characters" % (name, v, shortest))
            # The list rounds the same value to 6 or 15 digits.
            value, listed = struct.unpack(fmt, elem)[0], float(shown)
            if abs(value - listed) > abs(value) * (1e-5 if code == "f" else 1e-14):
                self.fail(where, "%s: %s where the list shows %s" % (name, v, shown.decode()))
            return None
        if v != shown.decode():
            self.fail(where, "%s: %r where the list shows %r" % (name, v, shown))
        return None


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    vesk = os.path.abspath(sys.argv[1])
    os.environ.pop("VESK_ENCODING", None)
    rng = random.Random(SEED)
    checker = Checker()
    runs = 0
    with tempfile.TemporaryDirectory(prefix="vesk-records-") as folder:
        for round_no in range(ROUNDS):
            fmt, models, lines = format_file(rng)
            with open(os.path.join(folder, "f.fmt"), "wb") as f:
                f.write(fmt)
            letter = rng.choice(list(LETTERS))
            options = ([letter] if letter else []) + (["-v"] if rng.random() < 0.3 else []) \
                + (["-B"] if rng.random() < 0.3 else [])
            # The block size of each format, from a map of zeros: " [0000000]  size: %04X"
            # at the first block of each range.
            with open(os.path.join(folder, "z.dat"), "wb") as f:
                f.write(bytes(4096 * 2))
            mapped = subprocess.run([vesk] + [o for o in options if o == "-B"] + ["-m", "-n0,1", "-f", "f.fmt", "z.dat"],
                                    cwd=folder, capture_output=True).stdout
            sizes = [int(t[:4], 16) for t in mapped.split(b"size: ")[1:]]
            if len(sizes) != len(models):
                checker.fail("round %d" % round_no, "format refused: %r\n%s" % (mapped, "\n".join(lines)))
                continue
            blocks = rng.randrange(1, 4)
            total = sizes[0] + sizes[-1] * (blocks - 1)
            data = data_bytes(rng, total - (rng.randrange(sizes[-1]) if rng.random() < 0.5 else 0))
            with open(os.path.join(folder, "f.dat"), "wb") as f:
                f.write(data)
            # -B before -f: the layout is made when the format file is read.
            args = options + ["-f", "f.fmt", "f.dat"]
            got_json = subprocess.run([vesk, "--json"] + args, cwd=folder, capture_output=True)
            got_list = subprocess.run([vesk, "--sjis", "-l256", "-w0,0"] + args, cwd=folder, capture_output=True)
            runs += 2
            where = "round %d (%s)" % (round_no, " ".join(args))
            if got_json.returncode != 0 or got_list.returncode != 0:
                checker.fail(where, "status %d, %d: %r" % (got_json.returncode, got_list.returncode,
                                                           got_json.stderr))
                continue
            listed = list_blocks(got_list.stdout)
            records = got_json.stdout.split(b"\n")
            if records[-1] != b"" or len(records) - 1 != len(listed):
                checker.fail(where, "%d records for %d blocks" % (len(records) - 1, len(listed)))
                continue
            little = ("#ENDIAN LITTLE" in lines) != ("-v" in options)
            text_letter = LETTERS[letter]
            code_line = [l for l in lines if l.startswith("#CODE ")]
            if code_line:
                text_letter = code_line[0][6:]
            for line, block in zip(records, listed):
                try:
                    record = json.loads(line, parse_float=str, parse_int=str)
                except ValueError as e:
                    checker.fail(where, "not JSON (%s): %r" % (e, line[:200]))
                    continue
                b_where = "%s block %d" % (where, block[0])
                if int(record["block"]) != block[0] or int(record["offset"]) != block[1]:
                    checker.fail(b_where, "block %s offset %s" % (record["block"], record["offset"]))
                k = min(block[0], len(models) - 1)
                start = block[1]
                checker.block(b_where, record, block, models[k], data[start:start + sizes[k]], little, text_letter)
                if len(checker.failures) > 3:
                    checker.failures.append("  format file:\n" + "\n".join(lines))
                    break
            if len(checker.failures) > 3:
                break
    for f in checker.failures[:20]:
        print(f)
    print("%d runs, %d elements checked, %d failures" % (runs, checker.leaves, len(checker.failures)))
    return 1 if checker.failures else 0


if __name__ == "__main__":
    sys.exit(main())
