"""Comparison, list form: the heading line of a pair, the range comment, one
line per differing element with both values side by side, the block-id line,
"       NO UPDATED", and the name and comment columns at the right edge.

Expected lines are put together column by column from the line width (79
unless -l), the label width (name column + " : " + comment column, plus the
index text of an array element) and the value texts."""
from vesk_e2e import Case, lines


def at(*pieces):
    """A line made of texts placed at the given columns, blanks between."""
    s = ""
    for col, text in pieces:
        assert len(s) <= col, (s, col, text)
        s += " " * (col - len(s)) + text
    return s


def be(n, size):
    return n.to_bytes(size, "big")


def pair(b1, a1, b2, a2, dec=False):
    f = "%04d" if dec else "%04X"
    return ("       block: %d  addr: " + f + " / block: %d  addr: " + f) % (b1, a1, b2, a2)


# The worked line: a short named count at 0x10 with a 12-byte comment; the
# longest name is 10 bytes, so the label is 10 + 3 + 12 = 25 wide, from column 54.
WORKED_FMT = (b"#BLNO 0 &\nstruct REC {\n long id;\n char reserved_1[12];\n"
              b" short count; /* stock amount */\n};\n")


def worked_block(count):
    return be(1, 4) + b"\x00" * 12 + be(count, 2)


WORKED = lines(
    " UPDATED DATA",
    pair(0, 0, 0, 0),
    at((0, " 0000: [1] "), (54, "id         : "), (67, " " * 12)),
    at((0, " 0010: [12] : [15] "), (54, "count      : stock amount")),
)

# An array and a range comment: name column 3 (key), comment column 6
# (values); the label of v[k] is 3 wider for its index text "[k]".
ARRAY_FMT = b"#BLNO 0 & ; stock records\nstruct REC {\n char key;\n short v[10]; /* values */\n};\n"


def array_block(key, changes=None):
    v = list(range(10))
    for k, value in (changes or {}).items():
        v[k] = value
    return key.encode() + b"".join(be(x, 2) for x in v)


ARRAY_FILES = {"v.fmt": ARRAY_FMT,
               "a.dat": array_block("K") + array_block("L"),
               "b.dat": array_block("K") + array_block("L", {3: 33, 7: 77})}
COMMENT = "       " + "stock records".ljust(72)


def key_line(k):
    return at((0, " 0000: [%s] " % k), (67, "key :       "))


def v_line(offset, k, v1, v2):
    return at((0, offset + "[%d] : [%d] " % (v1, v2)), (64, "v  [%d] : values" % k))


# A char item and a BYTE item: name column 4 (text), comment column 4 (memo).
TEXT_FMT = b"#BLNO 0 &\nstruct T {\n char id;\n char text[60]; /* memo */\n BYTE raw[3];\n};\n"
TEXT_FILES = {"t.fmt": TEXT_FMT,
              "a.dat": b"I" + b"a" * 60 + b"\x01\x02\xff",
              "b.dat": b"I" + b"b" * 60 + b"\x01\x02\x03"}
A60 = "[" + "a" * 60 + "] "
B60 = "[" + "b" * 60 + "] "

# An item that is not displayed, and an id that is not displayed. Their
# comment "no display" is the longest (10), so the labels are 18 and 16 wide.
HIDDEN_FMT = b"#BLNO 0 &\nstruct H {\n char key;\n long spare; /* no display */\n};\n"
HIDDEN_ID_FMT = b"#BLNO 0 &\nstruct H {\n char key; /* no display */\n short n;\n};\n"


def cmp(name, args, stdout, files):
    return Case(name, args, stdout=stdout, stderr=b"", status=0, files=files)


CASES = [
    cmp("worked-difference-line", ["-F", "w.fmt", "id", "a.dat", "b.dat"], WORKED,
        {"w.fmt": WORKED_FMT, "a.dat": worked_block(12), "b.dat": worked_block(15)}),
    # -v reads least significant byte first: 12 00 and 15 00 are 12 and 15.
    cmp("v-byte-order", ["-v", "-F", "w.fmt", "id", "a.dat", "b.dat"],
        lines(" UPDATED DATA", pair(0, 0, 0, 0),
              at((0, " 0000: [16777216] "), (54, "id         : "), (67, " " * 12)),
              at((0, " 0010: [12] : [15] "), (54, "count      : stock amount"))),
        {"w.fmt": WORKED_FMT, "a.dat": be(1, 4) + b"\x00" * 12 + b"\x0c\x00",
         "b.dat": be(1, 4) + b"\x00" * 12 + b"\x0f\x00"}),

    # Every differing element of an array has a line of its own, with its
    # offset and its index text; block 0 is unchanged.
    cmp("array-elements-and-range-comment", ["-F", "v.fmt", "key", "a.dat", "b.dat"],
        lines(" UPDATED DATA",
              pair(0, 0, 0, 0), COMMENT, key_line("K"), "       NO UPDATED",
              pair(1, 0x15, 1, 0x15), COMMENT, key_line("L"),
              v_line(" 0007: ", 3, 3, 33), v_line(" 000F: ", 7, 7, 77)),
        ARRAY_FILES),
    cmp("decimal", ["-D", "-F", "v.fmt", "key", "a.dat", "b.dat"],
        lines(" UPDATED DATA",
              pair(0, 0, 0, 0, True), COMMENT, key_line("K"), "       NO UPDATED",
              pair(1, 21, 1, 21, True), COMMENT, key_line("L"),
              v_line(" 0007: ", 3, 3, 33), v_line(" 0015: ", 7, 7, 77)),
        ARRAY_FILES),

    # -w: with both widths 0 no label is written, but the line is still filled
    # with blanks up to the line width less the index text; with one width 0
    # only the other column, without " : ".
    cmp("w-both-zero", ["-w0,0", "-F", "v.fmt", "key", "-n1", "a.dat", "b.dat"],
        lines(" UPDATED DATA", pair(1, 0x15, 1, 0x15), COMMENT,
              at((0, " 0000: [L] "), (79, "")),
              at((0, " 0007: [3] : [33] "), (76, "")),
              at((0, " 000F: [7] : [77] "), (76, ""))),
        ARRAY_FILES),
    cmp("w-name-only", ["-w5,0", "-F", "v.fmt", "key", "-n1", "a.dat", "b.dat"],
        lines(" UPDATED DATA", pair(1, 0x15, 1, 0x15), COMMENT,
              at((0, " 0000: [L] "), (76, "key")),
              at((0, " 0007: [3] : [33] "), (73, "v  [3]")),
              at((0, " 000F: [7] : [77] "), (73, "v  [7]"))),
        ARRAY_FILES),
    cmp("w-comment-only", ["-w0,8", "-F", "v.fmt", "key", "-n1", "a.dat", "b.dat"],
        lines(" UPDATED DATA", pair(1, 0x15, 1, 0x15), COMMENT,
              at((0, " 0000: [L] "), (73, "      ")),
              at((0, " 0007: [3] : [33] "), (70, "values")),
              at((0, " 000F: [7] : [77] "), (70, "values"))),
        ARRAY_FILES),

    # A char value that leaves no room for the second: the line is written
    # after the first value; the next holds 7 blanks, ": ", the second value
    # and the label (label of 4 + 3 + 4 = 11 columns).
    cmp("char-second-value-on-next-line", ["-l100", "-F", "t.fmt", "id", "a.dat", "b.dat"],
        lines(" UPDATED DATA", pair(0, 0, 0, 0),
              at((0, " 0000: [I] "), (89, "id   :     ")),
              " 0001: " + A60,
              at((0, "       : " + B60), (89, "text : memo")),
              at((0, " 003D: [0102ff] : [010203] "), (89, "raw  :     "))),
        TEXT_FILES),
    # At the width 79 the second value passes the label column: the label
    # stands alone on the next line, right-aligned.
    cmp("label-on-a-line-of-its-own", ["-F", "t.fmt", "id", "a.dat", "b.dat"],
        lines(" UPDATED DATA", pair(0, 0, 0, 0),
              at((0, " 0000: [I] "), (68, "id   :     ")),
              " 0001: " + A60,
              "       : " + B60,
              at((68, "text : memo")),
              at((0, " 003D: [0102ff] : [010203] "), (68, "raw  :     "))),
        TEXT_FILES),

    # A difference only in an item that is not displayed: a line for it,
    # with its label and no values, and the line that says that only hidden
    # bytes differ, never "NO UPDATED". The label is 5 + 3 + 10 wide, from 61.
    cmp("hidden-item-differs", ["-F", "h.fmt", "key", "a.dat", "b.dat"],
        lines(" UPDATED DATA", pair(0, 0, 0, 0),
              at((0, " 0000: [K] "), (61, "key   : " + " " * 10)),
              at((0, " 0001: (hidden) "), (61, "spare : no display")),
              "       ONLY HIDDEN BYTES UPDATED"),
        {"h.fmt": HIDDEN_FMT, "a.dat": b"K" + be(1, 4), "b.dat": b"K" + be(2, 4)}),
    # An id that is not displayed has no line.
    cmp("hidden-id", ["-F", "h.fmt", "key", "a.dat", "b.dat"],
        lines(" UPDATED DATA", pair(0, 0, 0, 0), "       NO UPDATED",
              pair(1, 3, 1, 3), at((0, " 0001: [2] : [3] "), (63, "n   : " + " " * 10))),
        {"h.fmt": HIDDEN_ID_FMT, "a.dat": b"K" + be(1, 2) + b"L" + be(2, 2),
         "b.dat": b"K" + be(1, 2) + b"L" + be(3, 2)}),
]
