"""The types of legacy records: 1- and 8-byte integers, packed and zoned
decimal, in the list form, the map form and the comparison (as a value and as
the id item); decimals with bad digits; the end of the data inside a decimal;
and format files whose own names look like the new type words.

Expected lines are worked out by hand from the bytes: the list line is the
offset field (7 columns), the values each "[text] ", and the label (name
column, " : ", comment column) ending in column 78; a map row is 12 columns
of prefix, then the cell of in-row byte k at 12 + k * cw, each text written
from its cell followed by a blank (a later text overwrites what ran over)."""
from vesk_e2e import Case, lines


def fmt(*text):
    return ("\n".join(text) + "\n").encode("latin-1")


def pad(text, col):
    assert len(text) <= col, (text, col)
    return text + " " * (col - len(text))


def title(block, addr):
    return f"       block: {block}  addr: {addr}"


def row(prefix, *cells):
    """A map row: the prefix, then each (column, text) written with a blank
    after it over what is there; trailing blanks cut."""
    line = list(prefix)
    for col, text in cells:
        line += [" "] * max(0, col + len(text) + 1 - len(line))
        line[col:col + len(text) + 1] = list(text + " ")
    return "".join(line).rstrip(" ")


def scale(line_bytes=16, cw=3):
    """The map's page scale: " %X  " at 12 + i * cw, each covering the end of
    the one before."""
    line = [" "] * 12
    for i in range(line_bytes):
        col = 12 + i * cw
        line[col:] = list(" %X  " % (i % 16))
    return "".join(line)


def pair(b1, a1, b2, a2):
    return "       block: %d  addr: %04X / block: %d  addr: %04X" % (b1, a1, b2, a2)


# ---- 1- and 8-byte integers at their limits --------------------------------

# Names up to 2 bytes, comments up to 8: the label is 2 + 3 + 8 = 13 columns
# from column 66.
INTS = fmt("#BLNO 0 &",
           "struct I {",
           " SBYTE sb[3]; /* signed */",
           " UBYTE ub[2]; /* unsigned */",
           " QUAD q[2]; /* signed */",
           " UQUAD uq; /* unsigned */",
           "};")
INTS_DATA = (bytes([0x80, 0x7F, 0xFF])                       # sb at 0x00
             + bytes([0x00, 0xFF])                           # ub at 0x03
             + bytes([0x80] + [0] * 7)                       # q at 0x05
             + bytes([0x7F] + [0xFF] * 7)                    # q[1] at 0x0D
             + bytes([0xFF] * 8))                            # uq at 0x15
INTS_FILES = {"i.fmt": INTS, "i.dat": INTS_DATA}


def ints_list(q_text):
    return lines(title(0, "0000"),
                 pad(" 0000: [-128] [127] [-1] ", 66) + "sb : signed  ",
                 pad(" 0003: [0] [255] ", 66) + "ub : unsigned",
                 pad(" 0005: " + q_text, 66) + "q  : signed  ",
                 pad(" 0015: [18446744073709551615] ", 66) + "uq : unsigned")


# Read least significant byte first: 80 00 .. 00 is 128, 7f ff .. ff is
# 0xffffffffffffff7f, -129. -128 fills its one cell of four columns: 127 in
# the next cell would leave no blank after it, so its cell shows the mark of a
# value too wide for its cells, "#" in all but its last column.
INTS_MAP = lines(scale(16, 4), " [0000000]  size: 001D",
                 row(" 0000 0000: ", (12, "###"), (16, "127"), (20, "-1"), (24, "0"), (28, "255"),
                     (32, "128"), (64, "-129")),
                 row("      0010: ", (32, "18446744073709551615")))

# ---- the comparison's id item, of each new type ------------------------------


def id_case(decl, size, id_a, text_a, id_b, text_b):
    """Files of two records (id, short v): the first file holds A (v 1) and
    B (v 2), the second B (v 2) and A (v 5). Names "id" and "v", no comments:
    the label is the name alone, in 2 columns from column 77."""
    def rec(i, v):
        return i + v.to_bytes(2, "big")
    n = len(id_a)
    assert n == size
    files = {"r.fmt": fmt("#BLNO 0 &", "struct R {", " " + decl, " short v;", "};"),
             "a.dat": rec(id_a, 1) + rec(id_b, 2),
             "b.dat": rec(id_b, 2) + rec(id_a, 5)}
    out = lines(" UPDATED DATA",
                pair(0, 0, 1, n + 2),
                pad(" 0000: [%s] " % text_a, 77) + "id",
                pad(" %04X: [1] : [5] " % n, 77) + "v ",
                pair(1, n + 2, 0, 0),
                pad(" 0000: [%s] " % text_b, 77) + "id",
                "       NO UPDATED")
    return Case("id-" + decl.split()[0].split("(")[0].lower(), ["-F", "r.fmt", "id", "a.dat", "b.dat"],
                files=files, stdout=out)


ID_CASES = [
    id_case("SBYTE id;", 1, bytes([0x80]), "-128", bytes([0x7F]), "127"),
    id_case("UBYTE id;", 1, bytes([0xFF]), "255", bytes([0x0B]), "11"),
    id_case("QUAD id;", 8, bytes([0x80] + [0] * 7), "-9223372036854775808", bytes(7) + b"\x01", "1"),
    id_case("UQUAD id;", 8, bytes([0xFF] * 8), "18446744073709551615", bytes(8), "0"),
    id_case("PACKED(2) id[3];", 3, bytes([0x12, 0x34, 0x5D]), "-123.45", bytes([0, 0, 0x0C]), "0.00"),
    id_case("ZONED id[4];", 4, b"123}", "-1230", b"0042", "42"),
]

# The packed id in the map form of the comparison: each pair shows the id and
# what differs, first block against second, then second against first.
ID_MAP_FILES = {"r.fmt": fmt("#BLNO 0 &", "struct R {", " PACKED(2) id[3];", " short v;", "};"),
                "a.dat": bytes([0x12, 0x34, 0x5D, 0, 1, 0, 0, 0x0C, 0, 2]),
                "b.dat": bytes([0, 0, 0x0C, 0, 2, 0x12, 0x34, 0x5D, 0, 5])}
ID_MAP = lines(scale(), " UPDATED DATA", " [0000000]  size: 0005",
               # v is read least significant byte first: 00 01 is 256, 00 05 is 1280.
               row(" 0000 0000: ", (12, "-123.45"), (21, "256")), " ---------",
               row(" 0001 0000: ", (12, "-123.45"), (21, "1280")), " =========",
               row(" 0001 0000: ", (12, "0.00")), " ---------",
               row(" 0000 0000: ", (12, "0.00")), " =========")

# ---- packed decimal of 1 to 16 bytes ----------------------------------------

# (declaration, bytes in hex, text): every length, the signs C, D and F, and
# scales from none to all digits. Names up to 3 bytes, no comments: the
# label is the name in 3 columns from column 76.
PACKED = [
    ("PACKED p1;", "5c", "5"),
    ("PACKED(1) p2[2];", "123d", "-12.3"),
    ("PACKED p3[3];", "00001f", "1"),
    ("PACKED(2) p4[4];", "0000005c", "0.05"),
    ("PACKED(2) p5[5];", "000030000c", "300.00"),
    ("PACKED(3) p6[6];", "00000000000d", "-0.000"),
    ("PACKED p7[7];", "9999999999999f", "9999999999999"),
    ("PACKED(15) p8[8];", "123456789012345d", "-0.123456789012345"),
    ("PACKED(4) p9[9];", "00000000000000100c", "0.0100"),
    ("PACKED p10[10];", "1234567890123456789d", "-1234567890123456789"),
    ("PACKED(2) p11[11];", "000000000000000000001f", "0.01"),
    ("PACKED p12[12];", "99999999999999999999999c", "99999999999999999999999"),
    ("PACKED(10) p13[13];", "1000000000000000000000000d", "-100000000000000.0000000000"),
    ("PACKED p14[14];", "000000000000000000000000000c", "0"),
    ("PACKED(1) p15[15];", "00000000000000000000000000007f", "0.7"),
    ("PACKED(31) p16[16];", "9876543210987654321098765432109d", "-0.9876543210987654321098765432109"),
]
PACKED_FILES = {"p.fmt": fmt("#BLNO 0 &", "struct P {", *(" " + d for d, _, _ in PACKED), "};"),
                "p.dat": b"".join(bytes.fromhex(h) for _, h, _ in PACKED)}
assert all(len(bytes.fromhex(h)) == k for k, (_, h, _) in enumerate(PACKED, start=1))
assert len(PACKED_FILES["p.dat"]) == 136


def packed_list():
    out, off = [title(0, "0000")], 0
    for k, (_, h, text) in enumerate(PACKED, start=1):
        out.append(pad(" %04X: [%s] " % (off, text), 76) + ("p%d" % k).ljust(3))
        off += k
    return lines(*out)


# -M -b 32: cells of 4 columns, 32 a row; each text fits in its own cells.
PACKED_MAP = lines(
    scale(32, 4), " [0000000]  size: 0088",
    # p1 at 0 .. p8 at 28: column 12 + 4 * offset.
    row(" 0000 0000: ", (12, "5"), (16, "-12.3"), (24, "1"), (36, "0.05"), (52, "300.00"),
        (72, "-0.000"), (96, "9999999999999"), (124, "-0.123456789012345")),
    # p9 at 36, p10 at 45, p11 at 55.
    row("      0020: ", (28, "0.0100"), (64, "-1234567890123456789"), (104, "0.01")),
    # p12 at 66, p13 at 78, p14 at 91.
    row("      0040: ", (20, "99999999999999999999999"), (68, "-100000000000000.0000000000"), (120, "0")),
    # p15 at 105, p16 at 120.
    row("      0060: ", (48, "0.7"), (108, "-0.9876543210987654321098765432109")))

# ---- zoned decimal: every form of the last byte ------------------------------

ZONED = [
    ("ZONED z1[5];", b"12345", "12345"),     # no sign
    ("ZONED(2) z2[5];", b"1234{", "123.40"),  # { is +0
    ("ZONED z3[3];", b"12A", "121"),          # A is +1
    ("ZONED z4[2];", b"1I", "19"),            # I is +9
    ("ZONED z5[4];", b"000}", "-0"),          # } is -0
    ("ZONED(1) z6[4];", b"123J", "-123.1"),   # J is -1
    ("ZONED z7[2];", b"9R", "-99"),           # R is -9
    ("ZONED(3) z8[3];", b"00p", "-0.000"),    # p is -0
    ("ZONED z9[3];", b"12y", "-129"),         # y is -9
]
ZONED_FILES = {"z.fmt": fmt("#BLNO 0 &", "struct Z {", *(" " + d for d, _, _ in ZONED), "};"),
               "z.dat": b"".join(b for _, b, _ in ZONED)}


def zoned_list():
    out, off = [title(0, "0000")], 0
    for k, (_, b, text) in enumerate(ZONED, start=1):
        out.append(pad(" %04X: [%s] " % (off, text), 77) + "z%d" % k)
        off += len(b)
    return lines(*out)


# Offsets 0, 5, 10, 13, 15 in the first row; 19, 23, 25, 28 in the second.
ZONED_MAP = lines(scale(), " [0000000]  size: 001F",
                  row(" 0000 0000: ", (12, "12345"), (27, "123.40"), (42, "121"), (51, "19"), (57, "-0")),
                  row("      0010: ", (21, "-123.1"), (33, "-99"), (39, "-0.000"), (48, "-129")))

# ---- bad digits and signs ---------------------------------------------------

BAD = fmt("#BLNO 0 &",
          "struct B {",
          " PACKED pk[2];",   # 0a 0c: a digit above 9
          " PACKED ps[2];",   # 12 3a: sign A
          " ZONED zb[4];",    # " 123": a blank is no digit
          " ZONED zs[4];",    # "12A4": a sign before the last byte
          " ZONED zl[3];",    # "12S": S is no sign
          " PACKED ok[2];",   # 01 2c: 12
          "};")
BAD_DATA = bytes([0x0A, 0x0C, 0x12, 0x3A]) + b" 12312A412S" + bytes([0x01, 0x2C])
BAD_FILES = {"b.fmt": BAD, "b.dat": BAD_DATA}
BAD_LIST = lines(title(0, "0000"),
                 pad(" 0000: [0a0c]x ", 77) + "pk",
                 pad(" 0002: [123a]x ", 77) + "ps",
                 pad(" 0004: [20313233]x ", 77) + "zb",
                 pad(" 0008: [31324134]x ", 77) + "zs",
                 pad(" 000C: [313253]x ", 77) + "zl",
                 pad(" 000F: [12] ", 77) + "ok")
# Each byte of a bad value in hex in its own cell, as the bytes of a number
# cut by the end of the data.
BAD_MAP = lines(scale(), " [0000000]  size: 0011",
                row(" 0000 0000: ", (12, "0a"), (15, "0c"), (18, "12"), (21, "3a"), (24, "20"), (27, "31"),
                    (30, "32"), (33, "33"), (36, "31"), (39, "32"), (42, "41"), (45, "34"), (48, "31"),
                    (51, "32"), (54, "53"), (57, "12")))
# Compared by ok: the second file's pk is the valid 01 2c.
BAD_COMPARE_FILES = {"b.fmt": BAD, "a.dat": BAD_DATA, "b.dat": bytes([0x01, 0x2C]) + BAD_DATA[2:]}
BAD_COMPARE = lines(" UPDATED DATA", pair(0, 0, 0, 0),
                    pad(" 0000: [0a0c]x : [12] ", 77) + "pk",
                    pad(" 000F: [12] ", 77) + "ok")
BAD_COMPARE_MAP = lines(scale(), " UPDATED DATA", " [0000000]  size: 0011",
                        row(" 0000 0000: ", (12, "0a"), (15, "0c"), (57, "12")), " ---------",
                        row(" 0000 0000: ", (12, "12"), (57, "12")), " =========")

# ---- a decimal cut by the end of the data -------------------------------------

CUT_FILES = {"c.fmt": fmt("#BLNO 0 &", "struct C {", " short n;", " PACKED(2) amt[5];", "};"),
             "c.dat": bytes([0x00, 0x01, 0x00, 0x00, 0x30])}
CUT_LIST = lines(title(0, "0000"),
                 pad(" 0000: [1] ", 76) + "n  ",
                 pad(" 0002: [000030]x ", 76) + "amt",
                 " [EOD]")
# n read least significant byte first: 00 01 is 256.
CUT_MAP = lines(scale(), " [0000000]  size: 0007",
                row(" 0000 0000: ", (12, "256"), (18, "00"), (21, "00"), (24, "30")),
                " [EOD]")

# ---- the file's own names keep their meaning --------------------------------

# INT8 is a long through its beginning; QUAD, QUADRANT and PACKET are the
# file's own types; ZONED is the tag of a nested structure. Names up to 2
# bytes, no comments: the name alone from column 77.
OWN = fmt("typedef short QUAD;",
          "typedef struct {",
          " char a[2];",
          "} QUADRANT;",
          "#REN PACKET x",
          "#BLNO 0 &",
          "struct K {",
          " INT8 i;",
          " QUAD q;",
          " QUADRANT r;",
          " PACKET p[3];",
          " struct ZONED {",
          "  UBYTE u;",
          " } z;",
          " ZONED zz;",
          "};")
OWN_DATA = bytes([0, 0, 0, 5, 0, 7]) + b"AB" + bytes([1, 2, 3, 0x0B, 0x0C])
OWN_LIST = lines(title(0, "0000"),
                 pad(" 0000: [5] ", 77) + "i ",
                 pad(" 0004: [7] ", 77) + "q ",
                 pad(" 0006: [AB] ", 77) + "a ",
                 pad(" 0008: [010203] ", 77) + "p ",
                 pad(" 000B: [11] ", 77) + "u ",
                 pad(" 000C: [12] ", 77) + "u ")

# A scale is any number in parentheses, leading zeros included. Names of one
# byte, no comments: the label in column 78.
SCALE_ZEROS_FILES = {"s.fmt": fmt("#BLNO 0 &", "struct S {", " ZONED(0002) z[3];", "k(002):2:p", "};"),
                     "s.dat": b"123" + bytes([0x12, 0x3C])}

CASES = [
    Case("scale-with-leading-zeros", ["-f", "s.fmt", "s.dat"], files=SCALE_ZEROS_FILES,
         stdout=lines(title(0, "0000"), pad(" 0000: [1.23] ", 78) + "z", pad(" 0003: [1.23] ", 78) + "p")),
    Case("ints-list", ["-f", "i.fmt", "i.dat"], files=INTS_FILES,
         stdout=ints_list("[-9223372036854775808] [9223372036854775807] ")),
    # -v: least significant byte first; the 1-byte values stay.
    Case("ints-list-v", ["-v", "-f", "i.fmt", "i.dat"], files=INTS_FILES, stdout=ints_list("[128] [-129] ")),
    Case("ints-map", ["-M", "-f", "i.fmt", "i.dat"], files=INTS_FILES, stdout=INTS_MAP),
    Case("ints-map-v", ["-Mv", "-f", "i.fmt", "i.dat"], files=INTS_FILES, stdout=INTS_MAP),
    *ID_CASES,
    Case("id-packed-map", ["-m", "-F", "r.fmt", "id", "a.dat", "b.dat"], files=ID_MAP_FILES, stdout=ID_MAP),
    Case("packed-list", ["-f", "p.fmt", "p.dat"], files=PACKED_FILES, stdout=packed_list()),
    # A decimal is a string of digits: -v changes nothing.
    Case("packed-list-v", ["-v", "-f", "p.fmt", "p.dat"], files=PACKED_FILES, stdout=packed_list()),
    Case("packed-map", ["-M", "-b32", "-f", "p.fmt", "p.dat"], files=PACKED_FILES, stdout=PACKED_MAP),
    Case("zoned-list", ["-f", "z.fmt", "z.dat"], files=ZONED_FILES, stdout=zoned_list()),
    Case("zoned-map", ["-m", "-f", "z.fmt", "z.dat"], files=ZONED_FILES, stdout=ZONED_MAP),
    Case("bad-digits-list", ["-f", "b.fmt", "b.dat"], files=BAD_FILES, stdout=BAD_LIST),
    Case("bad-digits-map", ["-m", "-f", "b.fmt", "b.dat"], files=BAD_FILES, stdout=BAD_MAP),
    Case("bad-digits-compare", ["-F", "b.fmt", "ok", "a.dat", "b.dat"], files=BAD_COMPARE_FILES,
         stdout=BAD_COMPARE),
    Case("bad-digits-compare-map", ["-m", "-F", "b.fmt", "ok", "a.dat", "b.dat"], files=BAD_COMPARE_FILES,
         stdout=BAD_COMPARE_MAP),
    Case("packed-cut-list", ["-f", "c.fmt", "c.dat"], files=CUT_FILES, stdout=CUT_LIST),
    Case("packed-cut-map", ["-m", "-f", "c.fmt", "c.dat"], files=CUT_FILES, stdout=CUT_MAP),
    Case("own-names-keep-their-meaning", ["-f", "k.fmt", "k.dat"], files={"k.fmt": OWN, "k.dat": OWN_DATA},
         stdout=OWN_LIST),
]
