"""The statements #ENDIAN and #CODE of a format file, and the text code of one
item (char(EUC) name[20]; c(EUC):20:name), in the list form, the map form and
the comparison, with and without -v.

#ENDIAN BIG or LITTLE: both forms read numbers in that order; -v reverses the
list's order (the map's stays). #CODE: char items are decoded in the stated
code, one column a byte in the list; in the map a character of several bytes
stands in the cell of its first byte, the cells of its other bytes blank.

Lines are worked out by hand as in legacy_types.py: offset field, "[value] "
texts, the label ending in column 78; map cells at 12 + k * 3."""
from vesk_e2e import Case, lines, quote


def fmt(*text):
    return ("\n".join(text) + "\n").encode("latin-1")


def pad(text, col):
    if isinstance(text, str):
        text = text.encode("latin-1")
    assert len(text) <= col, (text, col)
    return text + b" " * (col - len(text))


def row(prefix, *cells):
    """A map row: the prefix, then each (column, text) written with a blank
    after it; trailing blanks cut. Texts are bytes (Shift_JIS) or ASCII."""
    line = bytearray(prefix.encode())
    for col, text in cells:
        text = text.encode("latin-1") if isinstance(text, str) else text
        line += b" " * max(0, col + len(text) + 1 - len(line))
        line[col:col + len(text) + 1] = text + b" "
    return bytes(line).rstrip(b" ")


SCALE = "             0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F  "


def pair(b1, a1, b2, a2):
    return "       block: %d  addr: %04X / block: %d  addr: %04X" % (b1, a1, b2, a2)


def title(block, addr):
    return f"       block: {block}  addr: {addr}"


# ---- #ENDIAN ---------------------------------------------------------------

# Names and comments up to 5 bytes: the label is 5 + 3 + 5 = 13 columns from 66.
def endian_format(order):
    return fmt("#ENDIAN " + order,
               "#BLNO 0 &",
               "struct E {",
               " short year; /* year */",
               " long count; /* count */",
               " QUAD total; /* total */",
               "};")


def big(year, count, total):
    return year.to_bytes(2, "big") + count.to_bytes(4, "big") + total.to_bytes(8, "big")


def little(year, count, total):
    return year.to_bytes(2, "little") + count.to_bytes(4, "little") + total.to_bytes(8, "little")


def endian_list(year, count, total):
    return lines(title(0, "0000"),
                 pad(" 0000: [%s] " % year, 66) + b"year  : year ",
                 pad(" 0002: [%s] " % count, 66) + b"count : count",
                 pad(" 0006: [%s] " % total, 66) + b"total : total")


# 2024, 12 and 123456 in the stated order; read the other way round (-v in the
# list) 07 e8 is 0xe807, -6137; 00 00 00 0c is 201326592; 00 .. 01 e2 40 is
# 0x40e2010000000000, 4675300462675623936.
RIGHT = endian_list(2024, 12, 123456)
REVERSED = endian_list(-6137, 201326592, 4675300462675623936)
ENDIAN_MAP = lines(SCALE, " [0000000]  size: 000E",
                   row(" 0000 0000: ", (12, "2024"), (18, "12"), (30, "123456")))
BIG_FILES = {"e.fmt": endian_format("BIG"), "e.dat": big(2024, 12, 123456)}
LITTLE_FILES = {"e.fmt": endian_format("LITTLE"), "e.dat": little(2024, 12, 123456)}

# Compared by count: (2024, 12, 123456) and (2023, 7, 1) in the first file;
# (2023, 7, 1) and (2025, 12, 99) in the second.
COMPARE_FILES = {"e.fmt": endian_format("BIG"),
                 "a.dat": big(2024, 12, 123456) + big(2023, 7, 1),
                 "b.dat": big(2023, 7, 1) + big(2025, 12, 99)}


def endian_compare(y1, y2, id1, t1, t2, id2):
    return lines(" UPDATED DATA",
                 pair(0, 0, 1, 14),
                 pad(" 0000: [%s] : [%s] " % (y1, y2), 66) + b"year  : year ",
                 pad(" 0002: [%s] " % id1, 66) + b"count : count",
                 pad(" 0006: [%s] : [%s] " % (t1, t2), 66) + b"total : total",
                 pair(1, 14, 0, 0),
                 pad(" 0002: [%s] " % id2, 66) + b"count : count",
                 "       NO UPDATED")


# -v: 2025 (07 e9) read backwards is 0xe907, -5881; 7 is 0x07000000,
# 117440512; 99 is 0x6300000000000000, 7133701809754865664.
COMPARE = endian_compare(2024, 2025, 12, 123456, 99, 7)
COMPARE_V = endian_compare(-6137, -5881, 201326592, 4675300462675623936, 7133701809754865664, 117440512)
COMPARE_MAP = lines(SCALE, " UPDATED DATA", " [0000000]  size: 000E",
                    row(" 0000 0000: ", (12, "2024"), (18, "12"), (30, "123456")), " ---------",
                    row(" 0001 0000: ", (12, "2025"), (18, "12"), (30, "99")), " =========",
                    row(" 0001 0000: ", (18, "7")), " ---------",
                    row(" 0000 0000: ", (18, "7")), " =========")

# ---- #CODE ------------------------------------------------------------------

# Names and comments up to 4 bytes: the label is 4 + 3 + 4 = 11 columns from 68.
EUC_FMT = fmt("#CODE EUC",
              "#BLNO 0 &",
              "struct C {",
              " char id[4]; /* id */",
              " char name[10]; /* name */",
              " short n; /* n */",
              "};")

# 山 (EUC bb b3, Shift_JIS 8e 52), 田 (c5 c4; 93 63), 本 (cb dc; 96 7b), the
# half-width kana ﾀ (EUC 8e c0, Shift_JIS c0).
YAMADA = bytes.fromhex("bbb3c5c4") + b"\x8e\xc0ro  "
YAMAMOTO = bytes.fromhex("bbb3cbdc") + b"\x8e\xc0ro  "
YAMADA_SHOWN = b"\x8e\x52\x93\x63.\xc0ro  "     # two columns a character, ".ﾀ" for the kana
YAMAMOTO_SHOWN = b"\x8e\x52\x96\x7b.\xc0ro  "
EUC_FILES = {"c.fmt": EUC_FMT, "c.dat": b"A001" + YAMADA + bytes([0, 7])}


def euc_list(n):
    return lines(title(0, "0000"),
                 pad(" 0000: [A001] ", 68) + b"id   : id  ",
                 pad(b" 0004: [" + YAMADA_SHOWN + b"] ", 68) + b"name : name",
                 pad(" 000E: [%d] " % n, 68) + b"n    : n   ")


# 山 at byte 4, 田 at byte 6, ﾀ (8e c0) at byte 8, each in the cell of its
# first byte; n (00 07) read least significant byte first is 1792.
def euc_cells(second, n):
    return [(13, "A"), (16, "0"), (19, "0"), (22, "1"), (25, b"\x8e\x52"), (31, second), (37, b"\xc0"),
            (43, "r"), (46, "o"), (54, n)]


EUC_MAP = lines(SCALE, " [0000000]  size: 0010", row(" 0000 0000: ", *euc_cells(b"\x93\x63", "1792")))

EUC_COMPARE_FILES = {"c.fmt": EUC_FMT, "a.dat": b"A001" + YAMADA + bytes([0, 7]),
                     "b.dat": b"A001" + YAMAMOTO + bytes([0, 8])}


def euc_compare(n1, n2):
    return lines(" UPDATED DATA", pair(0, 0, 0, 0),
                 pad(" 0000: [A001] ", 68) + b"id   : id  ",
                 pad(b" 0004: [" + YAMADA_SHOWN + b"] : [" + YAMAMOTO_SHOWN + b"] ", 68) + b"name : name",
                 pad(" 000E: [%d] : [%d] " % (n1, n2), 68) + b"n    : n   ")


EUC_COMPARE_MAP = lines(SCALE, " UPDATED DATA", " [0000000]  size: 0010",
                        row(" 0000 0000: ", *euc_cells(b"\x93\x63", "1792")), " ---------",
                        row(" 0000 0000: ", *euc_cells(b"\x96\x7b", "2048")), " =========")

# UTF-8: 山 (e5 b1 b1), 田 (e7 94 b0), 亜 (e4 ba 9c; Shift_JIS 88 9f) take
# three columns in the list, the pair and a point. The name alone: label "t"
# in column 78.
UTF8_FILES = {"u.fmt": fmt("#CODE UTF-8", "#BLNO 0 &", "struct U {", " char t[12];", "};"),
              "u.dat": "山田ab亜c".encode("utf-8")}
UTF8_LIST = lines(title(0, "0000"), pad(b" 0000: [\x8e\x52.\x93\x63.ab\x88\x9f.c] ", 78) + b"t")
UTF8_MAP = lines(SCALE, " [0000000]  size: 000C",
                 row(" 0000 0000: ", (13, b"\x8e\x52"), (22, b"\x93\x63"), (31, "a"), (34, "b"),
                     (37, b"\x88\x9f"), (46, "c")))

# JIS: ESC $ B, 亜 (30 21), ESC ( B, A. The escape sequences are no
# characters: points in the list, their bytes in hex in the map (shown with
# -j as the plain dump shows them).
JIS_FILES = {"j.fmt": fmt("#CODE JIS", "#BLNO 0 &", "struct J {", " char t[9];", "};"),
             "j.dat": b"\x1b$B\x30\x21\x1b(BA"}
JIS_LIST = lines(title(0, "0000"), pad(b" 0000: [...\x88\x9f...A] ", 78) + b"t")
JIS_LIST_CTRL = lines(title(0, "0000"), pad(b" 0000: [.$B\x88\x9f.(BA] ", 78) + b"t")
JIS_MAP = lines(SCALE, " [0000000]  size: 0009",
                row(" 0000 0000: ", (12, "1b"), (15, "24"), (18, "42"), (22, b"\x88\x9f"), (27, "1b"),
                    (30, "28"), (33, "42"), (37, "A")))

# #CODE SJIS decides for the char items whatever the letter: with -A the
# pair and the kana are shown all the same.
SJIS_FILES = {"s.fmt": fmt("#CODE SJIS", "#BLNO 0 &", "struct S {", " char t[4];", "};"),
              "s.dat": b"\x88\x9f\xb1A"}
SJIS_LIST = lines(title(0, "0000"), pad(b" 0000: [\x88\x9f\xb1A] ", 78) + b"t")

# ---- A text code per item ---------------------------------------------------

# Without #CODE, each char item may state its own code: sj is read as
# Shift_JIS, eu (char(EUC)) as EUC-JP, u8 (c(UTF-8):) as UTF-8. Names and
# comments of 2 bytes: the label is 2 + 3 + 2 = 7 columns from 72.
MIXED_FMT = fmt("#BLNO 0 &",
                "struct M {",
                " char id[2]; /* id */",
                " char sj[4]; /* sj */",
                " char(EUC) eu[4]; /* eu */",
                "c(UTF-8):3:u8:u8",
                "};")
YAMA, DA, MOTO = b"\x8e\x52", b"\x93\x63", b"\x96\x7b"   # 山 田 本 in Shift_JIS
MIXED_A = b"01" + "山田".encode("cp932") + "山田".encode("euc_jp") + "山".encode("utf-8")
MIXED_B = b"01" + "山田".encode("cp932") + "山本".encode("euc_jp") + "田".encode("utf-8")
MIXED_FILES = {"m.fmt": MIXED_FMT, "a.dat": MIXED_A, "b.dat": MIXED_B}

# The UTF-8 character takes three columns: its pair and a point.
MIXED_LIST = lines(title(0, "0000"),
                   pad(" 0000: [01] ", 72) + b"id : id",
                   pad(b" 0002: [" + YAMA + DA + b"] ", 72) + b"sj : sj",
                   pad(b" 0006: [" + YAMA + DA + b"] ", 72) + b"eu : eu",
                   pad(b" 000A: [" + YAMA + b".] ", 72) + b"u8 : u8")
# Each character in the cell of its first byte: bytes 2, 4 (sj), 6, 8 (eu)
# and 10 (u8) at columns 18, 24, 30, 36 and 42, from their second column.
MIXED_MAP = lines(SCALE, " [0000000]  size: 000D",
                  row(" 0000 0000: ", (13, "0"), (16, "1"), (19, YAMA), (25, DA), (31, YAMA), (37, DA),
                      (43, YAMA)))
# Compared by id: eu and u8 differ, each read in its own code.
MIXED_COMPARE = lines(" UPDATED DATA", pair(0, 0, 0, 0),
                      pad(" 0000: [01] ", 72) + b"id : id",
                      pad(b" 0006: [" + YAMA + DA + b"] : [" + YAMA + MOTO + b"] ", 72) + b"eu : eu",
                      pad(b" 000A: [" + YAMA + b".] : [" + DA + b".] ", 72) + b"u8 : u8")
MIXED_COMPARE_MAP = lines(SCALE, " UPDATED DATA", " [0000000]  size: 000D",
                          row(" 0000 0000: ", (13, "0"), (16, "1"), (31, YAMA), (37, DA), (43, YAMA)),
                          " ---------",
                          row(" 0000 0000: ", (13, "0"), (16, "1"), (31, YAMA), (37, MOTO), (43, DA)),
                          " =========")
# #CODE EUC is the file's default; char(SJIS) reads one item in Shift_JIS.
# Names of 2 bytes, no comments: the label "sj" in columns 77 and 78.
OVERRIDE_FILES = {"o.fmt": fmt("#CODE EUC", "#BLNO 0 &", "struct O {", " char(SJIS) sj[4];", " char eu[4];", "};"),
                  "o.dat": "山田".encode("cp932") + "山田".encode("euc_jp")}
OVERRIDE_LIST = lines(title(0, "0000"),
                      pad(b" 0000: [" + YAMA + DA + b"] ", 77) + b"sj",
                      pad(b" 0004: [" + YAMA + DA + b"] ", 77) + b"eu")

CASES = [
    Case("endian-big-list", ["-f", "e.fmt", "e.dat"], files=BIG_FILES, stdout=RIGHT),
    Case("endian-big-list-v", ["-v", "-f", "e.fmt", "e.dat"], files=BIG_FILES, stdout=REVERSED),
    Case("endian-big-map", ["-m", "-f", "e.fmt", "e.dat"], files=BIG_FILES, stdout=ENDIAN_MAP),
    Case("endian-big-map-v", ["-mv", "-f", "e.fmt", "e.dat"], files=BIG_FILES, stdout=ENDIAN_MAP),
    Case("endian-little-list", ["-f", "e.fmt", "e.dat"], files=LITTLE_FILES, stdout=RIGHT),
    Case("endian-little-list-v", ["-v", "-f", "e.fmt", "e.dat"], files=LITTLE_FILES, stdout=REVERSED),
    Case("endian-little-map", ["-m", "-f", "e.fmt", "e.dat"], files=LITTLE_FILES, stdout=ENDIAN_MAP),
    Case("endian-little-map-v", ["-mv", "-f", "e.fmt", "e.dat"], files=LITTLE_FILES, stdout=ENDIAN_MAP),
    Case("endian-compare", ["-F", "e.fmt", "count", "a.dat", "b.dat"], files=COMPARE_FILES, stdout=COMPARE),
    Case("endian-compare-v", ["-v", "-F", "e.fmt", "count", "a.dat", "b.dat"], files=COMPARE_FILES,
         stdout=COMPARE_V),
    Case("endian-compare-map", ["-m", "-F", "e.fmt", "count", "a.dat", "b.dat"], files=COMPARE_FILES,
         stdout=COMPARE_MAP),
    Case("endian-compare-map-v", ["-mv", "-F", "e.fmt", "count", "a.dat", "b.dat"], files=COMPARE_FILES,
         stdout=COMPARE_MAP),
    Case("endian-unknown-word", ["-f", "e.fmt", "e.dat"],
         files={"e.fmt": b"#BLNO 0 &\n#ENDIAN MIDDLE\nstruct E {\n short s;\n};\n", "e.dat": b"\0\1"},
         stdout=b"", stderr=b"e.fmt: #ENDIAN: BIG or LITTLE expected (line is 2)\n"
         + quote(2, b"#ENDIAN MIDDLE", 8), status=1),
    Case("code-euc-list", ["-f", "c.fmt", "c.dat"], files=EUC_FILES, stdout=euc_list(7)),
    Case("code-euc-list-v", ["-v", "-f", "c.fmt", "c.dat"], files=EUC_FILES, stdout=euc_list(1792)),
    Case("code-euc-map", ["-m", "-f", "c.fmt", "c.dat"], files=EUC_FILES, stdout=EUC_MAP),
    Case("code-euc-map-v", ["-mv", "-f", "c.fmt", "c.dat"], files=EUC_FILES, stdout=EUC_MAP),
    Case("code-euc-compare", ["-F", "c.fmt", "id", "a.dat", "b.dat"], files=EUC_COMPARE_FILES,
         stdout=euc_compare(7, 8)),
    Case("code-euc-compare-v", ["-v", "-F", "c.fmt", "id", "a.dat", "b.dat"], files=EUC_COMPARE_FILES,
         stdout=euc_compare(1792, 2048)),
    Case("code-euc-compare-map", ["-m", "-F", "c.fmt", "id", "a.dat", "b.dat"], files=EUC_COMPARE_FILES,
         stdout=EUC_COMPARE_MAP),
    Case("code-euc-compare-map-v", ["-mv", "-F", "c.fmt", "id", "a.dat", "b.dat"], files=EUC_COMPARE_FILES,
         stdout=EUC_COMPARE_MAP),
    Case("code-utf8-list", ["-f", "u.fmt", "u.dat"], files=UTF8_FILES, stdout=UTF8_LIST),
    Case("code-utf8-map", ["-m", "-f", "u.fmt", "u.dat"], files=UTF8_FILES, stdout=UTF8_MAP),
    Case("code-jis-list", ["-f", "j.fmt", "j.dat"], files=JIS_FILES, stdout=JIS_LIST),
    Case("code-jis-list-ctrl", ["-j", "-f", "j.fmt", "j.dat"], files=JIS_FILES, stdout=JIS_LIST_CTRL),
    Case("code-jis-map", ["-m", "-f", "j.fmt", "j.dat"], files=JIS_FILES, stdout=JIS_MAP),
    Case("code-sjis-over-ascii-letter", ["-A", "-f", "s.fmt", "s.dat"], files=SJIS_FILES, stdout=SJIS_LIST),
    Case("item-codes-list", ["-f", "m.fmt", "a.dat"], files=MIXED_FILES, stdout=MIXED_LIST),
    Case("item-codes-map", ["-m", "-f", "m.fmt", "a.dat"], files=MIXED_FILES, stdout=MIXED_MAP),
    Case("item-codes-compare", ["-F", "m.fmt", "id", "a.dat", "b.dat"], files=MIXED_FILES, stdout=MIXED_COMPARE),
    Case("item-codes-compare-map", ["-m", "-F", "m.fmt", "id", "a.dat", "b.dat"], files=MIXED_FILES,
         stdout=MIXED_COMPARE_MAP),
    Case("item-code-over-the-files-code", ["-f", "o.fmt", "o.dat"], files=OVERRIDE_FILES, stdout=OVERRIDE_LIST),
    Case("code-unknown-word", ["-f", "c.fmt", "c.dat"],
         files={"c.fmt": b"#CODE EUC-JP\n" + EUC_FMT, "c.dat": b"A001"},
         stdout=b"", stderr=b"c.fmt: #CODE: SJIS, EUC, JIS or UTF-8 expected (line is 1)\n"
         + quote(1, b"#CODE EUC-JP", 6), status=1),
]
