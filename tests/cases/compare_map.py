"""Comparison, map form (-m, -M): each pair as two maps, the first block
against the second, " ---------", the second against the first, " =========".
A map shows the block-id item and the elements whose bytes differ, each in the
cell of its first byte (column 12 + k * cell width), read least significant
byte first; rows without any of them are not written."""
from vesk_e2e import Case, lines


def at(*pieces):
    """A line made of texts placed at the given columns, blanks between."""
    s = ""
    for col, text in pieces:
        assert len(s) <= col, (s, col, text)
        s += " " * (col - len(s)) + text
    return s


def le(n, size):
    return n.to_bytes(size, "little")


def scale(cells, width, dec=False):
    """The map scale: the digit of cell i at column 13 + i * width."""
    digits = [("%d" % (i % 10)) if dec else ("%X" % (i % 16)) for i in range(cells)]
    return " " * 13 + (" " * (width - 1)).join(digits) + "  "


SEP = " ---------"
END = " ========="

# The worked example: a 4-byte id at 0, a short at 12, a long at 40; 44 bytes.
WORKED_FMT = (b"#BLNO 0 &\nstruct REC {\n long id;\n char pad1[8];\n short s;\n"
              b" char pad2[26];\n long v;\n};\n")


def rec(ident, s=0, v=0):
    return le(ident, 4) + b"\x00" * 8 + le(s, 2) + b"\x00" * 26 + le(v, 4)


# Blocks 5 to 7 (-n5,7): the first file's 5 (id 11) pairs with the second
# file's 7; its 6 and 7 pair, unchanged, with the second file's 5 and 6.
HEAD = b"".join(rec(i) for i in range(1, 6))
WORKED_FILES = {"w.fmt": WORKED_FMT,
                "a.dat": HEAD + rec(11, 3, 100) + rec(12) + rec(13),
                "b.dat": HEAD + rec(12) + rec(13) + rec(11, 4, 200)}
ARGS = ["-F", "w.fmt", "id", "-n5,7", "a.dat", "b.dat"]
UNCHANGED = [" 0006 0000: 12", SEP, " 0005 0000: 12", END,
             " 0007 0000: 13", SEP, " 0006 0000: 13", END]


def cmp(name, args, stdout, files):
    return Case(name, args, stdout=stdout, stderr=b"", status=0, files=files)


# Hidden items: an id that is not displayed, and a long at 16 that is not
# displayed either; 22 bytes.
HIDDEN_FMT = (b"#BLNO 0 &\nstruct H {\n char key; /* no display */\n char pad[15];\n"
              b" long spare; /* no display */\n short n;\n};\n")


def hidden(spare):
    return b"K" + b"\x00" * 15 + le(spare, 4) + le(1, 2)


# The id in the second row: 20 bytes before it, a short after it; 26 bytes.
LATE_ID_FMT = b"#BLNO 0 &\nstruct L {\n char pad[20];\n long id;\n short x;\n};\n"

# Characters and bytes: a char element is placed whole when one byte differs.
CHAR_FMT = b"#BLNO 0 &\nstruct C {\n char key;\n char name[4];\n BYTE raw[2];\n};\n"

# Numbers wider than their cells: a text that would touch the next placed
# text shows the mark "#" over its cells but the last; an element equal in
# both blocks is not placed, so a text may run on over its blank cells.
WIDE_FMT = b"#BLNO 0 &\nstruct W {\n char key;\n SBYTE a;\n SBYTE b;\n SBYTE c;\n};\n"
WIDE_FILES = {"w.fmt": WIDE_FMT,
              "a.dat": b"K\x80\x05\x01" + b"L\x80\x07\x01",
              "b.dat": b"K\x81\x06\x01" + b"L\x9c\x07\x01"}

CASES = [
    cmp("wide-values-marked-or-running-on", ["-m", "-F", "w.fmt", "key", "a.dat", "b.dat"],
        lines(scale(16, 3), " UPDATED DATA", " [0000000]  size: 0004",
              at((0, " 0000 0000: "), (13, "K"), (15, "##"), (18, "5")), SEP,
              at((0, " 0000 0000: "), (13, "K"), (15, "##"), (18, "6")), END,
              at((0, " 0001 0000: "), (13, "L"), (15, "-128")), SEP,
              at((0, " 0001 0000: "), (13, "L"), (15, "-100")), END),
        WIDE_FILES),
    cmp("worked-difference-map", ["-m"] + ARGS,
        lines(scale(16, 3), " UPDATED DATA", " [0000000]  size: 002C",
              at((0, " 0005 0000: "), (12, "11"), (48, "3")),
              at((0, "      0020: "), (36, "100")),
              SEP,
              at((0, " 0007 0000: "), (12, "11"), (48, "4")),
              at((0, "      0020: "), (36, "200")),
              END, *UNCHANGED),
        WORKED_FILES),
    cmp("wide-cells", ["-M"] + ARGS,
        lines(scale(16, 4), " UPDATED DATA", " [0000000]  size: 002C",
              at((0, " 0005 0000: "), (12, "11"), (60, "3")),
              at((0, "      0020: "), (44, "100")),
              SEP,
              at((0, " 0007 0000: "), (12, "11"), (60, "4")),
              at((0, "      0020: "), (44, "200")),
              END, *UNCHANGED),
        WORKED_FILES),
    # Four bytes a row, decimal: each value in cell 0 of the row that starts at
    # its own position; rows between are not written.
    cmp("small-rows-decimal", ["-Dm", "-F", "w.fmt", "id", "-b4", "-n5,7", "a.dat", "b.dat"],
        lines(scale(4, 3, True), " UPDATED DATA", " [0000000]  size: 0044",
              " 0005 0000: 11", "      0012: 3", "      0040: 100", SEP,
              " 0007 0000: 11", "      0012: 4", "      0040: 200", END,
              " 0006 0000: 12", SEP, " 0005 0000: 12", END,
              " 0007 0000: 13", SEP, " 0006 0000: 13", END),
        WORKED_FILES),

    # The id and the difference past the first row: row 0 is written with its
    # prefix alone, then the row 0010 with the id in cell 4 and x in cell 8.
    cmp("id-past-the-first-row", ["-m", "-F", "l.fmt", "id", "a.dat", "b.dat"],
        lines(scale(16, 3), " UPDATED DATA", " [0000000]  size: 001A",
              " 0000 0000:", at((0, "      0010: "), (24, "7"), (36, "1")), SEP,
              " 0000 0000:", at((0, "      0010: "), (24, "7"), (36, "2")), END),
        {"l.fmt": LATE_ID_FMT,
         "a.dat": b"\x00" * 20 + le(7, 4) + le(1, 2),
         "b.dat": b"\x00" * 20 + le(7, 4) + le(2, 2)}),

    # An id that is not displayed still takes its row: unchanged blocks show
    # the prefix alone; a hidden item that differs has its row written blank.
    cmp("hidden-id-unchanged", ["-m", "-F", "h.fmt", "key", "a.dat", "b.dat"],
        lines(scale(16, 3), " UPDATED DATA", " [0000000]  size: 0016",
              " 0000 0000:", SEP, " 0000 0000:", END),
        {"h.fmt": HIDDEN_FMT, "a.dat": hidden(1), "b.dat": hidden(1)}),
    cmp("hidden-item-differs", ["-m", "-F", "h.fmt", "key", "a.dat", "b.dat"],
        lines(scale(16, 3), " UPDATED DATA", " [0000000]  size: 0016",
              " 0000 0000:", "      0010:", SEP, " 0000 0000:", "      0010:",
              "       ONLY HIDDEN BYTES UPDATED", END),
        {"h.fmt": HIDDEN_FMT, "a.dat": hidden(1), "b.dat": hidden(2)}),

    # One differing byte places the whole char element: displayable bytes in
    # the second column of their cell, others as two hex digits; BYTE items
    # as two hex digits a cell.
    cmp("char-and-byte-elements", ["-m", "-F", "c.fmt", "key", "a.dat", "b.dat"],
        lines(scale(16, 3), " UPDATED DATA", " [0000000]  size: 0007",
              at((0, " 0000 0000: "), (13, "K"), (16, "A"), (19, "B"), (21, "01"), (25, "D"),
                 (27, "01"), (30, "02")),
              SEP,
              at((0, " 0000 0000: "), (13, "K"), (16, "A"), (19, "B"), (22, "C"), (25, "D"),
                 (27, "01"), (30, "03")),
              END),
        {"c.fmt": CHAR_FMT, "a.dat": b"KAB\x01D\x01\x02", "b.dat": b"KABCD\x01\x03"}),
    cmp("char-equal-not-placed", ["-m", "-F", "c.fmt", "key", "a.dat", "b.dat"],
        lines(scale(16, 3), " UPDATED DATA", " [0000000]  size: 0007",
              at((0, " 0000 0000: "), (13, "K"), (27, "01"), (30, "02")), SEP,
              at((0, " 0000 0000: "), (13, "K"), (27, "01"), (30, "03")), END),
        {"c.fmt": CHAR_FMT, "a.dat": b"KABCD\x01\x02", "b.dat": b"KABCD\x01\x03"}),

    # -b40 is the widest row accepted.
    cmp("forty-byte-rows", ["-m", "-F", "c.fmt", "key", "-b40", "a.dat", "b.dat"],
        lines(scale(40, 3), " UPDATED DATA", " [0000000]  size: 0007",
              " 0000 0000:  K", SEP, " 0000 0000:  K", END),
        {"c.fmt": CHAR_FMT, "a.dat": b"KABCD\x01\x02", "b.dat": b"KABCD\x01\x02"}),

    # The scale heads every page and counts on it: -p5 puts it on lines 1, 6, 11.
    cmp("page-headings", ["-p5", "-m", "-F", "c.fmt", "key", "a.dat", "b.dat"],
        lines(scale(16, 3), " UPDATED DATA", " [0000000]  size: 0007",
              " 0000 0000:  K", SEP,
              scale(16, 3), " 0001 0000:  K", END,
              " 0001 0000:  L", SEP,
              scale(16, 3), " 0000 0000:  L", END),
        {"c.fmt": CHAR_FMT, "a.dat": b"KABCD\x01\x02LABCD\x01\x02",
         "b.dat": b"LABCD\x01\x02KABCD\x01\x02"}),
]
