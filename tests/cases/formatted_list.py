"""The formatted dump in list form: value texts of every type, the name and
comment columns, -v, -w, wrapping at the line width and the end of the data.

Each expected line is worked out column by column: the offset field is seven
columns, the label (name column, " : ", comment column) ends in column W - 1,
W being 79 unless -l says otherwise."""
import struct

from vesk_e2e import Case, lines


def fmt(*text):
    return ("\n".join(text) + "\n").encode("latin-1")


def pad(text, col):
    """text blank-padded up to column col (the label column)."""
    assert len(text) <= col, (text, col)
    return text + " " * (col - len(text))


def title(block, addr):
    return f"       block: {block}  addr: {addr}"


# The worked line: names up to 8 bytes, comments up to 12, so -w15,30 is
# lowered to 8 and 12; the label is 8 + 3 + 12 = 23 columns from column 56.
WORKED = fmt("#BLNO 0 &",
             "struct REC {",
             " long id; /* record ident */",
             " short quantity; /* stock count */",
             "};")
WORKED_WORD = WORKED.replace(b"short quantity", b"WORD quantity")
WORKED_DATA = bytes([0, 0, 0, 7, 0x04, 0xB0])

# Every value type once. Names up to 3 bytes, comments up to 5: label 11
# columns from column 68.
TYPES = fmt("#BLNO 0 &",
            "struct T {",
            " long v[3]; /* three */",
            " CHAR t[6];",
            " BYTE b[3];",
            " char two[2][8];",
            " unsigned long u;",
            " int i;",
            " unsigned int ui;",
            " LPSTR p;",
            " char far *fp;",
            " float f;",
            " double d;",
            "};")
TYPES_DATA = (bytes([0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF])  # v at 0x00
              + bytes([0x41, 0x42, 0x01, 0x43, 0x44, 0x82])                         # t at 0x0C
              + bytes([0x01, 0xFF, 0x10])                                           # b at 0x12
              + b"abcdefghABCDEFGH"                                                 # two at 0x15
              + bytes([0xFF, 0xFF, 0xFF, 0xFF])                                     # u at 0x25
              + bytes([0x80, 0, 0, 0])                                              # i at 0x29
              + bytes([0, 0, 1, 0])                                                 # ui at 0x2D
              + bytes([0x00, 0x12, 0xAB, 0xCD])                                     # p at 0x31
              + bytes([0xDE, 0xAD, 0xBE, 0xEF])                                     # fp at 0x35
              + bytes([0x3F, 0xC0, 0, 0])                                           # f at 0x39: 1.5
              + bytes([0x40, 0x5E, 0xDD, 0x2F, 0x1A, 0x9F, 0xBE, 0x77]))            # d at 0x3D: 123.456
TYPES_OUT = lines(
    title(0, "0000"),
    pad(" 0000: [1] [-1] [2147483647] ", 68) + "v   : three",
    pad(" 000C: [AB.CD.] ", 68) + "t   :      ",
    pad(" 0012: [01ff10] ", 68) + "b   :      ",
    pad(" 0015: [abcdefgh] [ABCDEFGH] ", 68) + "two :      ",
    pad(" 0025: [4294967295] ", 68) + "u   :      ",
    pad(" 0029: [-2147483648] ", 68) + "i   :      ",
    pad(" 002D: [256] ", 68) + "ui  :      ",
    pad(" 0031: [0012ABCD] ", 68) + "p   :      ",
    pad(" 0035: [DEADBEEF] ", 68) + "fp  :      ",
    pad(" 0039: [1.5] ", 68) + "f   :      ",
    pad(" 003D: [123.456] ", 68) + "d   :      ",
)

# Float texts: not-a-number, infinity, the exponent form. Label "d" or "f"
# alone (no comments) in column 78.
FLOATS = fmt("#BLNO 0 &", "struct F {", " double d[3];", " float f[2];", "};")
FLOATS_DATA = (bytes.fromhex("7ff8000000000000") + bytes.fromhex("fff0000000000000")
               + struct.pack(">d", 1e-5) + struct.pack(">f", 0.1) + struct.pack(">f", 1234567.0))

# Wrapping. Names up to 4 bytes, comments up to 9: label 16 columns from 63.
WRAP = fmt("#BLNO 0 &",
           "struct W {",
           " long many[10]; /* ten longs */",
           " long six[6]; /* six longs */",
           " char text[100];",
           " char pair[2][40];",
           " BYTE raw[40];",
           " short s; /* after */",
           "};")
MILLION = bytes([0x00, 0x0F, 0x42, 0x40])
WRAP_DATA = (MILLION * 10 + MILLION * 6 + b"abcdefghij" * 10 + b"A" * 40 + b"B" * 40
             + bytes(range(40)) + bytes([0, 7]))
HEX40 = "".join(f"{i:02x}" for i in range(40))
WRAP_OUT = lines(
    title(0, "0000"),
    # 7 values reach column 77; the 8th would pass 79.
    " 0000: " + "[1000000] " * 7,
    pad("       " + "[1000000] " * 3, 63) + "many : ten longs",
    # The values pass column 63: the label goes on a line of its own.
    " 0028: " + "[1000000] " * 6,
    " " * 63 + "six  : six longs",
    # Characters wrap one by one: columns 8 to 77 hold 70 of them.
    " 0040: [" + ("abcdefghij" * 7),
    pad("       " + "abcdefghij" * 3 + "] ", 63) + "text :          ",
    # The second element would pass the width: it starts a continuation line.
    " 00A4: [" + "A" * 40 + "] ",
    pad("       [" + "B" * 40 + "] ", 63) + "pair :          ",
    # Hex pairs: 35 of them reach column 77.
    " 00F4: [" + HEX40[:70],
    pad("       " + HEX40[70:] + "] ", 63) + "raw  :          ",
    pad(" 011C: [7] ", 63) + "s    : after    ",
)

# Labels: a long name, a long comment, a name of two double-byte characters.
LABELS = (b"#BLNO 0 &\nstruct L {\n short quantity_on_hand; /* units in the warehouse */\n"
          b" short ab\x82\xa0\x82\xa0; /* x */\n};\n")
LABELS_DATA = bytes([0, 1, 0, 2])

# A label wider than the line: -w checked against -l100, then -l80.
WIDE = fmt("#BLNO 0 &",
           "struct X {",
           " short " + "n" * 60 + "; /* " + "c" * 29 + " */",
           "};")


def labels_case(name, widths, first, second):
    return Case(name, ["-w" + widths, "-f", "l.fmt", "l.dat"],
                stdout=lines(title(0, "0000"), first, second),
                files={"l.fmt": LABELS, "l.dat": LABELS_DATA})


# An item without name and comment (colon form) beside a labelled one.
UNNAMED = fmt("#BLNO 0 &",
              "struct N {",
              "l:2",
              " short named; /* c */",
              "};")

# Natural alignment under -B: the long on 4, the double on 4 (not 8), the
# structure (alignment 8) padded to 24 bytes. Label 1 + 3 + 2 from column 73.
ALIGN = fmt("#BLNO 0 &",
            "struct A {",
            " char c; /* cc */",
            " long n; /* nn */",
            " char e;",
            " double d; /* dd */",
            "};")
TWO_AND_A_HALF = bytes([0x40, 0x04, 0, 0, 0, 0, 0, 0])

# End of the data.
EOD_NUM = fmt("#BLNO 0 &",
              "struct E {",
              " short a; /* first */",
              " long b; /* second */",
              "};")
EOD_CHARS = fmt("#BLNO 0 &",
                "struct E {",
                " char t[3][2]; /* pairs */",
                "};")
EOD_REPEAT = fmt("#BLNO 0 &",
                 "struct E {",
                 " struct S {",
                 "  short a; /* aa */",
                 "  char c; /* cc */",
                 " } s[2];",
                 "};")
HIDDEN = fmt("#BLNO 0 &",
             "struct H {",
             " short a; /* aa */",
             " char gap[3]; /* no display: spare */",
             " short b; /* bb */",
             " char pad[4]; /* no display */",
             "};")

# Names are one word of letters, digits, "_" and Japanese: 人数 (4 bytes) and
# 店名_1 (6 bytes), no comments. The name column is 6 bytes wide, from column 73.
JAPANESE_NAMES = (b"#BLNO 0 &\nstruct J {\n short " + "人数".encode("cp932") + b";\n char "
                  + "店名_1".encode("cp932") + b"[2];\n};\n")

CASES = [
    Case("japanese-names", ["-f", "j.fmt", "j.dat"],
         stdout=lines(title(0, "0000"),
                      pad(" 0000: [5] ", 73).encode() + "人数".encode("cp932") + b"  ",
                      pad(" 0002: [ab] ", 73).encode() + "店名_1".encode("cp932")),
         files={"j.fmt": JAPANESE_NAMES, "j.dat": b"\x00\x05ab"}),
    Case("worked-line", ["-f", "r.fmt", "r.dat"],
         stdout=lines(title(0, "0000"),
                      pad(" 0000: [7] ", 56) + "id       : record ident",
                      pad(" 0004: [1200] ", 56) + "quantity : stock count "),
         files={"r.fmt": WORKED, "r.dat": WORKED_DATA}),
    Case("worked-line-v-signed", ["-v", "-f", "r.fmt", "r.dat"],
         stdout=lines(title(0, "0000"),
                      pad(" 0000: [117440512] ", 56) + "id       : record ident",
                      pad(" 0004: [-20476] ", 56) + "quantity : stock count "),
         files={"r.fmt": WORKED, "r.dat": WORKED_DATA}),
    Case("worked-line-v-unsigned", ["-v", "-f", "r.fmt", "r.dat"],
         stdout=lines(title(0, "0000"),
                      pad(" 0000: [117440512] ", 56) + "id       : record ident",
                      pad(" 0004: [45060] ", 56) + "quantity : stock count "),
         files={"r.fmt": WORKED_WORD, "r.dat": WORKED_DATA}),
    Case("worked-line-decimal-offsets", ["-D", "-f", "r.fmt", "r.dat"],
         stdout=lines(title(0, "0000"),
                      pad(" 0000: [7] ", 56) + "id       : record ident",
                      pad(" 0004: [1200] ", 56) + "quantity : stock count "),
         files={"r.fmt": WORKED, "r.dat": WORKED_DATA}),
    Case("every-type", ["-f", "t.fmt", "t.dat"], stdout=TYPES_OUT,
         files={"t.fmt": TYPES, "t.dat": TYPES_DATA}),
    Case("float-texts", ["-f", "f.fmt", "f.dat"],
         stdout=lines(title(0, "0000"), pad(" 0000: [NAN] [-inf] [1e-5] ", 78) + "d",
                      pad(" 0018: [0.1] [1.23457e6] ", 78) + "f"),
         files={"f.fmt": FLOATS, "f.dat": FLOATS_DATA}),
    Case("wrapping", ["-f", "w.fmt", "w.dat"], stdout=WRAP_OUT,
         files={"w.fmt": WRAP, "w.dat": WRAP_DATA}),
    # Names cut to the name column; a lead byte cut off shows as a blank.
    labels_case("label-columns-cut", "5,12",
                pad(" 0000: [1] ", 59) + "quant : units in the",
                pad(" 0002: [2] ", 59) + "ab\x82\xa0  : x           "),
    labels_case("label-name-column-only", "8,0",
                pad(" 0000: [1] ", 71) + "quantity",
                pad(" 0002: [2] ", 71) + "ab\x82\xa0\x82\xa0  "),
    labels_case("label-comment-column-only", "0,12",
                pad(" 0000: [1] ", 67) + "units in the",
                pad(" 0002: [2] ", 67) + "x           "),
    # No columns at all: the line is still filled with blanks to the width.
    labels_case("label-no-columns", "0,0", pad(" 0000: [1] ", 79), pad(" 0002: [2] ", 79)),
    Case("label-wider-than-the-line", ["-l100", "-w60,29", "-l80", "-f", "x.fmt", "x.dat"],
         stdout=lines(title(0, "0000"), " 0000: [1] ", "n" * 60 + " : " + "c" * 29),
         files={"x.fmt": WIDE, "x.dat": bytes([0, 1])}),
    # Without name and comment the line ends right after the values.
    Case("item-without-label", ["-f", "u.fmt", "u.dat"],
         stdout=lines(title(0, "0000"), " 0000: [1] [2] ", pad(" 0008: [3] ", 70) + "named : c"),
         files={"u.fmt": UNNAMED, "u.dat": bytes([0, 0, 0, 1, 0, 0, 0, 2, 0, 3])}),
    Case("alignment-under-B", ["-B", "-f", "a.fmt", "a.dat"],
         stdout=lines(title(0, "0000"),
                      pad(" 0000: [A] ", 73) + "c : cc", pad(" 0004: [5] ", 73) + "n : nn",
                      pad(" 0008: [B] ", 73) + "e :   ", pad(" 000C: [2.5] ", 73) + "d : dd",
                      title(1, "0018"), pad(" 0000: [C] ", 73) + "c : cc", " [EOD]"),
         files={"a.fmt": ALIGN, "a.dat": b"A...\x00\x00\x00\x05B..." + TWO_AND_A_HALF + b"...."
                + b"C"}),
    Case("no-alignment-without-B", ["-f", "a.fmt", "a.dat"],
         stdout=lines(title(0, "0000"),
                      pad(" 0000: [A] ", 73) + "c : cc", pad(" 0001: [5] ", 73) + "n : nn",
                      pad(" 0005: [B] ", 73) + "e :   ", pad(" 0006: [2.5] ", 73) + "d : dd"),
         files={"a.fmt": ALIGN, "a.dat": b"A\x00\x00\x00\x05B" + TWO_AND_A_HALF}),
    # A block that ends two bytes into a long.
    Case("eod-inside-a-number", ["-f", "e.fmt", "e.dat"],
         stdout=lines(title(0, "0000"),
                      pad(" 0000: [5] ", 69) + "a : first ",
                      pad(" 0002: [0001]x ", 69) + "b : second",
                      " [EOD]"),
         files={"e.fmt": EOD_NUM, "e.dat": bytes([0, 5, 0, 1])}),
    Case("eod-at-a-char-element-boundary", ["-f", "e.fmt", "e.dat"],
         stdout=lines(title(0, "0000"), pad(" 0000: [AB] [CD] [] ", 70) + "t : pairs", " [EOD]"),
         files={"e.fmt": EOD_CHARS, "e.dat": b"ABCD"}),
    Case("eod-inside-a-char-element", ["-f", "e.fmt", "e.dat"],
         stdout=lines(title(0, "0000"), pad(" 0000: [AB] [C] ", 70) + "t : pairs", " [EOD]"),
         files={"e.fmt": EOD_CHARS, "e.dat": b"ABC"}),
    Case("eod-between-repetitions", ["-f", "e.fmt", "e.dat"],
         stdout=lines(title(0, "0000"),
                      pad(" 0000: [9] ", 73) + "a : aa",
                      pad(" 0002: [x] ", 73) + "c : cc",
                      " [EOD]"),
         files={"e.fmt": EOD_REPEAT, "e.dat": b"\x00\x09x"}),
    # Hidden items print nothing and take their bytes (their comments still
    # count for the comment column); only hidden bytes past the end: no end mark.
    Case("no-display-items", ["-f", "h.fmt", "h.dat"],
         stdout=lines(title(0, "0000"),
                      pad(" 0000: [1] ", 56) + "a   : aa               ",
                      pad(" 0005: [2] ", 56) + "b   : bb               ",
                      title(1, "000B"),
                      pad(" 0000: [3] ", 56) + "a   : aa               ",
                      pad(" 0005: [4] ", 56) + "b   : bb               "),
         files={"h.fmt": HIDDEN, "h.dat": bytes([0, 1, 9, 9, 9, 0, 2, 9, 9, 9, 9,
                                                 0, 3, 9, 9, 9, 0, 4, 9])}),
]
