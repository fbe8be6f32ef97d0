"""Limits and rules that the README, the guide and the manual page state, at
their edges, where the other case files do not reach them: the largest block
number of -n, the scale that -p0 repeats every 32767 lines, an end code that
starts with a blank, the default label widths, the largest format file and
items that load, the -n start right after a format's last block, duplicate
ids in the second file of a comparison, and the plain-dump options that a
comparison takes without using them."""
from vesk_e2e import Case, lines, quote

SCALE8 = b"              0 1  2 3  4 5  6 7   01234567"


def row8(left: bytes, chars: bytes) -> bytes:
    """A plain-dump line of 8 bytes: prefix and hex groups, then the characters."""
    line = left.ljust(33) + b"| " + chars.ljust(9) + b"|"
    assert len(line) == 45
    return line


def zero_block(b: int) -> bytes:
    """Block b of 8 zero bytes, -b8 -d8: one line."""
    return row8(b" %04X 0000   " % b + b"0000 " * 4, b"." * 8)


def pad(text: str, col: int) -> str:
    assert len(text) <= col, (text, col)
    return text + " " * (col - len(text))


def comment_line(text: str) -> str:
    """The range comment under a block title, padded to the 79 columns."""
    return pad("       " + text, 79)


def loads(name, text):
    """A format file that is accepted: over an empty data file nothing is shown."""
    return Case(name, ["-f", "t.fmt", "e.dat"], files={"t.fmt": text, "e.dat": b""})


def refused(name, text, message, line, quoted):
    return Case(name, ["-f", "t.fmt", "e.dat"], stderr=b"t.fmt: %s (line is %d)\n" % (message, line) + quoted,
                status=1, files={"t.fmt": text, "e.dat": b""})


def one_item(item: bytes) -> bytes:
    """One data format of one item, the item on line 3."""
    return b"#BLNO 0 &\nstruct R {\n" + item + b"\n};\n"


# -p0: the scale at the top, and again at line 32767 (a multiple of the page
# length 32767, the scale lines counted): 32768 blocks of 8 bytes, one line
# each, so blocks 0 to 32765 fill the first page and 32766, 32767 follow the
# second scale. The file ends with block 7FFF: no notice.
P0_LINES = lines(SCALE8, *[zero_block(b) for b in range(32766)],
                 SCALE8, zero_block(32766), zero_block(32767))

# Names and comments longer than the default columns of 15 and 30: the label,
# 15 + 3 + 30 = 48 columns, ends at column 79.
LONG_LABEL = (b"#BLNO 0 0 ; r\nstruct R {\n"
              b" char abcdefghijklmnopqrst; /* 0123456789012345678901234567890123456789 */\n};\n")

# A format of one block: -n1 is right after it, -n2 one further.
ONE = b"#BLNO 0 0 ; one\nstruct A {\n char c;\n};\n"

# The comparison format: a one-letter key and a short, 3-byte blocks. Names
# "key" and "n", no comments: a label of 3 columns from column 76.
KEYED = b"#BLNO 0 & ; k\nstruct K {\n char key;\n short n;\n};\n"


def key_block(key: bytes, n: int) -> bytes:
    return key + n.to_bytes(2, "big")


def item(offset: int, value: str, name: str) -> str:
    return pad(" %04X: [%s] " % (offset, value), 76) + name.ljust(3)


SAME_PAIR = lines(" UPDATED DATA", "       block: 0  addr: 0000 / block: 0  addr: 0000",
                  comment_line("k"), item(0, "X", "key"), "       NO UPDATED")

CASES = [
    # -n: up to 2^50 blocks, hexadecimal or, after -D, decimal. A start past
    # the end of the file is an error that names the file's last block.
    Case("n-two-to-the-50-hex", ["-A", "-n4000000000000", "in.bin"], files={"in.bin": b"A"},
         stderr=b"vesk: block 4000000000000 is past the end of the file (last block 0)\n", status=1),
    Case("n-past-two-to-the-50-hex", ["-n0,4000000000001", "in.bin"], files={"in.bin": b"A"},
         stderr=b"-n0,4000000000001: illegal block number\n", status=1),
    Case("n-two-to-the-50-decimal", ["-D", "-A", "-n1125899906842624", "in.bin"], files={"in.bin": b"A"},
         stderr=b"vesk: block 1125899906842624 is past the end of the file (last block 0)\n", status=1),
    Case("n-past-two-to-the-50-decimal", ["-D", "-n1125899906842625", "in.bin"], files={"in.bin": b"A"},
         stderr=b"-n1125899906842625: illegal block number\n", status=1),
    Case("p0-scale-every-32767-lines", ["-p0", "-b8", "-d8", "in.bin"], files={"in.bin": bytes(32768 * 8)},
         stdout=P0_LINES),
    # An end code whose first byte is a blank is no end code: 4-byte blocks.
    Case("x-code-beginning-with-a-blank", ["-b8", "-d4", "-x2061", "in.bin"], files={"in.bin": b"xx aaaa"},
         stdout=lines(SCALE8, row8(b" 0000 0000   7878 2061", b"xx a"), row8(b" 0001 0000   6161 61", b"aaa"))),
    Case("default-label-widths-15-and-30", ["-f", "t.fmt", "in.dat"], files={"t.fmt": LONG_LABEL, "in.dat": b"x"},
         stdout=lines("       block: 0  addr: 0000", comment_line("r"),
                      pad(" 0000: [x] ", 31) + "abcdefghijklmno : 012345678901234567890123456789")),
    # Format files: 499 items and structures load (the 500th is in
    # format_errors.py), and the longest item of each kind.
    loads("format-of-499-records", b"#BLNO 0 0\nstruct R {\n"
          + b"".join(b" char c%d;\n" % i for i in range(498)) + b"};\n"),
    loads("block-of-4096-bytes", one_item(b" char a[1024][4];")),
    loads("text-of-1024-bytes", one_item(b" char t[1024];")),
    loads("colon-text-of-256-bytes", one_item(b"c:256:t")),
    loads("packed-of-16-bytes", one_item(b" PACKED p[16];")),
    refused("packed-of-17-bytes", one_item(b" PACKED p[17];"), b"too large data length or invalid length", 3,
            quote(3, b" PACKED p[17];", 10, b"a length from 1 to 16")),
    loads("zoned-of-31-bytes", one_item(b" ZONED z[31];")),
    refused("zoned-of-32-bytes", one_item(b" ZONED z[32];"), b"too large data length or invalid length", 3,
            quote(3, b" ZONED z[32];", 9, b"a length from 1 to 31")),
    # -n right after the last block that the format file describes: an empty
    # report; one further: the message, without a line end.
    Case("formatted-start-right-after-the-last-block", ["-n1", "-f", "one.fmt", "in.dat"],
         files={"one.fmt": ONE, "in.dat": b"xyz"}),
    Case("formatted-start-two-past-the-last-block", ["-n2", "-f", "one.fmt", "in.dat"],
         files={"one.fmt": ONE, "in.dat": b"xyz"},
         stderr=b"data block(2) not defined in format file", status=1),
    # X in the first file, X X in the second: the first X pairs with the
    # earliest, the later one is inserted.
    Case("duplicate-ids-in-second-file", ["-F", "k.fmt", "key", "a.dat", "b.dat"],
         files={"k.fmt": KEYED, "a.dat": key_block(b"X", 1), "b.dat": key_block(b"X", 1) + key_block(b"X", 2)},
         stdout=SAME_PAIR + lines("", " INSERTED DATA", "       block: 1  addr: 0003", comment_line("k"),
                                  item(0, "X", "key"), item(1, "2", "n"))),
    # Around -F the plain dump's -h, -d, -t and -x pass their checks and do
    # nothing, without a message.
    Case("F-takes-h-d-t-x-without-using-them",
         ["-h32", "-F", "k.fmt", "key", "-d64", "-tab", "-x0a", "a.dat", "b.dat"],
         files={"k.fmt": KEYED, "a.dat": key_block(b"X", 1), "b.dat": key_block(b"X", 1)},
         stdout=SAME_PAIR),
]
