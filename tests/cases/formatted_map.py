"""The formatted dump in map form (-m, -M): the scale at page starts, block
titles, rows of cells, values read least significant byte first, rows that
follow the values, hidden items, and the end of the data.

A row is 12 columns of prefix, then the cell of in-row byte k at column
12 + k * cw (cw 3, or 4 with -M); trailing blanks are cut."""
import struct

from vesk_e2e import Case, lines


def fmt(*text):
    return ("\n".join(text) + "\n").encode("latin-1")


def pad(text, col):
    assert len(text) <= col, (text, col)
    return text + " " * (col - len(text))


def row(prefix, *cells):
    """A map row: prefix, then (column, text) pieces; blanks elsewhere."""
    line = prefix
    for col, text in cells:
        line = pad(line, col) + text
    return line


# The page scale: " %X  " at 12 + i * cw for each of the -b bytes.
SCALE = "             0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F  "
SCALE_WIDE = "             0   1   2   3   4   5   6   7   8   9   A   B   C   D   E   F  "
SCALE_DEC = "             0  1  2  3  4  5  6  7  8  9  0  1  2  3  4  5  "
SCALE_4 = "             0  1  2  3  "

# The worked row: block 3 of a file of 12-byte blocks.
WORKED = fmt("#BLNO 0 &",
             "struct M {",
             " short a;",
             " long b;",
             " char c[4];",
             " BYTE d[2];",
             "};")
WORKED_BLOCK = bytes([0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x41, 0x42, 0x01, 0x43, 0xFF, 0x10])
WORKED_DATA = bytes(36) + WORKED_BLOCK
WORKED_ROW = row(" 0003 0000: ", (12, "256"), (18, "33554432"), (31, "A"), (34, "B"), (36, "01"),
                 (40, "C"), (42, "ff"), (45, "10"))
WORKED_ROW_WIDE = row(" 0003 0000: ", (12, "256"), (20, "33554432"), (37, "A"), (41, "B"),
                      (44, "01"), (49, "C"), (52, "ff"), (56, "10"))

BYTES40 = fmt("#BLNO 0 &", "struct X {", " BYTE x[40];", "};")


def hex_row(prefix, first, last):
    return prefix + " ".join(f"{b:02x}" for b in range(first, last))


DOUBLES = fmt("#BLNO 0 &", "struct D {", " double a;", " double b;", "};")
THIRD = bytes.fromhex("555555555555d53f")       # 1/3, least significant byte first
TWO_AND_A_HALF = bytes.fromhex("0000000000000440")  # 2.5
CHAR_DOUBLE = fmt("#BLNO 0 &", "struct C {", " char c[3];", " double d;", "};")
TINY = struct.pack("<d", -1.2345678901234567e-300)

HIDDEN = fmt("#BLNO 0 &",
             "struct H {",
             " long a;",
             " char pad[28]; /* no display */",
             " long b;",
             "};")
NESTED = fmt("#BLNO 0 &",
             "struct N {",
             " BYTE h[14];",
             " struct P {",
             "  short x;",
             "  short y;",
             " } p;",
             " BYTE t[2];",
             "};")
LONG_AT_14 = fmt("#BLNO 0 &", "struct L {", " BYTE h[14];", " long v;", " short w;", "};")
THREE_LONGS = fmt("#BLNO 0 &", "struct E {", " long a;", " long b;", " long c;", "};")
CHARS = fmt("#BLNO 0 &", "struct S {", " char t[4];", "};")

# Three data formats (as in the block-walk cases), little-endian numbers.
MULTI = fmt("#BLNO 0 0 ; file header",
            "struct HEAD {",
            " char magic[4]; /* file magic */",
            " short count; /* records */",
            "};",
            "#BLNO offset=16 1 3 ; records",
            "struct REC {",
            " long id;",
            " short qty;",
            "};",
            "#BLNO 4 &",
            "struct TAIL {",
            " BYTE b[2];",
            "};")
MULTI_DATA = (b"VESK\x03\x00" + bytes(10)
              + bytes([1, 0, 0, 0, 10, 0, 2, 0, 0, 0, 20, 0, 3, 0, 0, 0, 30, 0])
              + bytes([0xAB, 0xCD, 0xEF, 0x01]))
HEADER = pad("       file header", 79)
RECORDS = pad("       records", 79)

# Values wider than their cells. A number's text may run on into the cells
# after it while they stay blank; when the next text would leave no blank
# after it, or the row's end (column 12 + -b * cw + 12) would cut it, the
# number shows the mark instead: "#" in every column of its cells in the row
# but the last.
SBYTES = fmt("#BLNO 0 &", "struct S {", " SBYTE a;", " SBYTE b;", " SBYTE c;", "};")
# The record: -0.9 (9d), -0.2 (72, "r"), -128, 255; the list shows them.
DECIMALS = fmt("#BLNO 0 &", "struct K {", " PACKED(1) p[1];", " ZONED(1) z[1];", " SBYTE b;", " UBYTE u;", "};")
UQUAD = fmt("#BLNO 0 &", "struct Q {", " UQUAD q;", "};")
FLOAT_DOUBLE = fmt("#BLNO 0 &", "struct F {", " float f;", " double d;", "};")
# -128 runs on over the blank cells of the hidden gap: nothing to mark.
GAP = fmt("#BLNO 0 &", "struct G {", " SBYTE a;", " BYTE gap[2]; /* no display */", " SBYTE b;", "};")
BYTE_AFTER = fmt("#BLNO 0 &", "struct B {", " SBYTE a;", " BYTE x[1];", "};")
SCALE_1 = "             0  "

CASES = [
    Case("wide-values-run-together", ["-m", "-f", "s.fmt", "s.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0003", row(" 0000 0000: ", (12, "##"), (15, "5"), (18, "-100"))),
         files={"s.fmt": SBYTES, "s.dat": b"\x80\x05\x9c"}),
    # Cells of four columns: "-128" fills its cell, so 5 would still touch it.
    Case("wide-values-run-together-wide-cells", ["-M", "-f", "s.fmt", "s.dat"],
         stdout=lines(SCALE_WIDE, " [0000000]  size: 0003",
                      row(" 0000 0000: ", (12, "###"), (16, "5"), (20, "-100"))),
         files={"s.fmt": SBYTES, "s.dat": b"\x80\x05\x9c"}),
    Case("wide-decimals-and-bytes", ["-m", "-f", "k.fmt", "k.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0004",
                      row(" 0000 0000: ", (12, "##"), (15, "##"), (18, "##"), (21, "255"))),
         files={"k.fmt": DECIMALS, "k.dat": b"\x9d\x72\x80\xff"}),
    # -b1: a row keeps 12 + 3 + 12 = 27 columns; the 20 digits from column 12
    # would be cut after 16. The rows of the other 7 bytes hold no value.
    Case("wide-value-cut-by-the-row-end", ["-m", "-b1", "-f", "q.fmt", "q.dat"],
         stdout=lines(SCALE_1, " [0000000]  size: 0008", " 0000 0000: ##"),
         files={"q.fmt": UQUAD, "q.dat": b"\xff" * 8}),
    Case("wide-value-kept-in-a-row-of-16", ["-m", "-f", "q.fmt", "q.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0008", " 0000 0000: 18446744073709551615"),
         files={"q.fmt": UQUAD, "q.dat": b"\xff" * 8}),
    # The float's 12 characters fill its four cells; the double's follow at once.
    Case("wide-float-before-a-double", ["-m", "-f", "f.fmt", "f.dat"],
         stdout=lines(SCALE, " [0000000]  size: 000C",
                      row(" 0000 0000: ", (12, "#" * 11), (24, "-1.234567890123e-300"))),
         files={"f.fmt": FLOAT_DOUBLE,
                "f.dat": struct.pack("<f", -1.17549e-38) + struct.pack("<d", -1.234567890123e-300)}),
    Case("wide-value-over-hidden-cells", ["-m", "-f", "g.fmt", "g.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0004", row(" 0000 0000: ", (12, "-128"), (21, "127"))),
         files={"g.fmt": GAP, "g.dat": b"\x80\x00\x00\x7f"}),
    Case("wide-value-before-hex-digits", ["-m", "-f", "b.fmt", "b.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0002", row(" 0000 0000: ", (12, "##"), (15, "ff"))),
         files={"b.fmt": BYTE_AFTER, "b.dat": b"\x80\xff"}),
    # Block 3 is reached by arithmetic: the new position gives a title.
    Case("worked-row", ["-m", "-n3", "-f", "w.fmt", "w.dat"],
         stdout=lines(SCALE, " [0000024]  size: 000C", WORKED_ROW),
         files={"w.fmt": WORKED, "w.dat": WORKED_DATA}),
    Case("worked-row-wide", ["-M", "-n3", "-f", "w.fmt", "w.dat"],
         stdout=lines(SCALE_WIDE, " [0000024]  size: 000C", WORKED_ROW_WIDE),
         files={"w.fmt": WORKED, "w.dat": WORKED_DATA}),
    Case("v-has-no-effect-on-the-map", ["-v", "-m", "-n3", "-f", "w.fmt", "w.dat"],
         stdout=lines(SCALE, " [0000024]  size: 000C", WORKED_ROW),
         files={"w.fmt": WORKED, "w.dat": WORKED_DATA}),
    # Block 0 is the first of its range: a title, then rows of 16 bytes; the
    # last, partly filled row is written at the end of the block.
    Case("rows", ["-m", "-f", "x.fmt", "x.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0028",
                      hex_row(" 0000 0000: ", 0, 16), hex_row("      0010: ", 16, 32),
                      hex_row("      0020: ", 32, 40)),
         files={"x.fmt": BYTES40, "x.dat": bytes(range(40))}),
    Case("rows-decimal", ["-D", "-m", "-f", "x.fmt", "x.dat"],
         stdout=lines(SCALE_DEC, " [0000000]  size: 0040",
                      hex_row(" 0000 0000: ", 0, 16), hex_row("      0016: ", 16, 32),
                      hex_row("      0032: ", 32, 40)),
         files={"x.fmt": BYTES40, "x.dat": bytes(range(40))}),
    # The heading line counts: a page of 4 holds the scale and 3 more lines.
    Case("scale-at-each-page", ["-m", "-p4", "-f", "x.fmt", "x.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0028",
                      hex_row(" 0000 0000: ", 0, 16), hex_row("      0010: ", 16, 32),
                      SCALE, hex_row("      0020: ", 32, 40)),
         files={"x.fmt": BYTES40, "x.dat": bytes(range(40))}),
    # Four bytes a row: the first double's text runs past the row's cells; the
    # second starts the row 0008 (no row 0004).
    Case("doubles-on-rows-of-four", ["-m", "-f", "d.fmt", "-b4", "d.dat"],
         stdout=lines(SCALE_4, " [0000000]  size: 0010",
                      " 0000 0000: 3.33333333333333e-1", "      0008: 2.5"),
         files={"d.fmt": DOUBLES, "d.dat": THIRD + TWO_AND_A_HALF}),
    # A text that runs on is kept up to column 12 + 4 * 3 + 12 = 36; the
    # double's 22 characters from column 21 would pass it, so the cell of the
    # double's first byte, the last of the row, shows the mark "##" instead.
    Case("run-on-text-cut-by-the-row-end-is-marked", ["-m", "-f", "c.fmt", "-b4", "c.dat"],
         stdout=lines(SCALE_4, " [0000000]  size: 000B",
                      row(" 0000 0000: ", (13, "a"), (16, "b"), (19, "c"), (21, "##"))),
         files={"c.fmt": CHAR_DOUBLE, "c.dat": b"abc" + TINY}),
    # Hidden items keep their cells blank; a row of them is its prefix alone.
    Case("hidden-cells", ["-m", "-f", "h.fmt", "h.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0024", " 0000 0000: 1", "      0010:",
                      "      0020: 2"),
         files={"h.fmt": HIDDEN, "h.dat": b"\x01\x00\x00\x00" + b"\xee" * 28 + b"\x02\x00\x00\x00"}),
    # After a nested structure the parent goes on in the row where it ended.
    Case("nested-structure-continues-the-rows", ["-m", "-f", "n.fmt", "n.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0014",
                      hex_row(" 0000 0000: ", 0, 14) + " 5",
                      row("      0010: ", (12, "6"), (18, "aa bb"))),
         files={"n.fmt": NESTED, "n.dat": bytes(range(14)) + bytes([5, 0, 6, 0, 0xAA, 0xBB])}),
    # A long at 14 stays in the first row; the short at 18 starts row 0010.
    Case("value-at-the-row-end", ["-m", "-f", "l.fmt", "l.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0014",
                      hex_row(" 0000 0000: ", 0, 14) + " 123456789",
                      row("      0010: ", (18, "7"))),
         files={"l.fmt": LONG_AT_14,
                "l.dat": bytes(range(14)) + (123456789).to_bytes(4, "little") + b"\x07\x00"}),
    # 10 bytes of a 12-byte block: the last long's two bytes in hex.
    Case("eod-inside-a-number", ["-m", "-f", "e.fmt", "e.dat"],
         stdout=lines(SCALE, " [0000000]  size: 000C",
                      row(" 0000 0000: ", (12, "1"), (24, "2"), (36, "ab cd")), " [EOD]"),
         files={"e.fmt": THREE_LONGS, "e.dat": bytes([1, 0, 0, 0, 2, 0, 0, 0, 0xAB, 0xCD])}),
    Case("eod-inside-chars", ["-m", "-f", "s.fmt", "s.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0004", row(" 0000 0000: ", (13, "x")), " [EOD]"),
         files={"s.fmt": CHARS, "s.dat": b"x"}),
    # A Shift_JIS pair in the second and third columns of its first cell;
    # half-width kana shown; with -A both are hex.
    Case("characters-shift-jis", ["-m", "-f", "s.fmt", "s.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0004",
                      row(" 0000 0000: ", (13, "\x82\xa0"), (19, "A"), (22, "\xb1"))),
         files={"s.fmt": CHARS, "s.dat": b"\x82\xa0A\xb1"}),
    Case("characters-ascii", ["-A", "-m", "-f", "s.fmt", "s.dat"],
         stdout=lines(SCALE, " [0000000]  size: 0004",
                      row(" 0000 0000: ", (12, "82 a0"), (19, "A"), (21, "b1"))),
         files={"s.fmt": CHARS, "s.dat": b"\x82\xa0A\xb1"}),
    # Titles at the first block of each range and after an explicit offset;
    # range comments on every block.
    Case("several-formats", ["-m", "-f", "m.fmt", "m.dat"],
         stdout=lines(SCALE,
                      " [0000000]  size: 0006", HEADER,
                      row(" 0000 0000: ", (13, "V"), (16, "E"), (19, "S"), (22, "K"), (24, "3")),
                      " [0000010]  size: 0006", RECORDS, row(" 0001 0000: ", (12, "1"), (24, "10")),
                      RECORDS, row(" 0002 0000: ", (12, "2"), (24, "20")),
                      RECORDS, row(" 0003 0000: ", (12, "3"), (24, "30")),
                      " [0000022]  size: 0002", " 0004 0000: ab cd", " 0005 0000: ef 01"),
         files={"m.fmt": MULTI, "m.dat": MULTI_DATA}),
    Case("several-formats-decimal-from-block-2", ["-D", "-m", "-n2,4", "-f", "m.fmt", "m.dat"],
         stdout=lines(SCALE_DEC,
                      " [0000022]  size: 0006", RECORDS, row(" 0002 0000: ", (12, "2"), (24, "20")),
                      RECORDS, row(" 0003 0000: ", (12, "3"), (24, "30")),
                      " [0000034]  size: 0002", " 0004 0000: ab cd"),
         files={"m.fmt": MULTI, "m.dat": MULTI_DATA}),
]
