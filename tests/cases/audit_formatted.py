"""The formatted dump at the edges of the line and of the character rules:
values that close exactly at the line width, the hex tail of a number cut by
the end of the data, a Shift_JIS pair that fills the line, half-width kana
under -K, and the map row prefix of a block number with five digits.

Every expected line is put together column by column from the line width
(79) and the label width (here the names are one byte long and there are no
comments, so the label is the name alone, in column 78)."""
from vesk_e2e import Case, lines


def fmt(*text):
    return ("\n".join(text) + "\n").encode("latin-1")


def pad(text, col):
    """text blank-padded up to column col."""
    assert len(text) <= col, (text, col)
    return text + " " * (col - len(text))


TITLE = "       block: 0  addr: 0000"
MILLION = bytes([0x00, 0x0F, 0x42, 0x40])
LONGS = fmt("#BLNO 0 &", "struct E {", " long a[8];", "};")

# BYTE b[35]: "[" in column 7, 35 pairs in columns 8 to 77; column 78 + 2
# passes 79, so the close is "]" alone and the line is 79 long. The label
# no longer fits: it stands alone, right-aligned. The same for 70 characters.
CLOSE_FMT = fmt("#BLNO 0 &", "struct C {", " BYTE b[35];", " char c[70];", "};")
CLOSE_DATA = bytes(range(35)) + b"abcdefghij" * 7
HEX35 = "".join("%02x" % i for i in range(35))

# char k[72]: 69 letters in columns 8 to 76; the pair goes into columns 77
# and 78, after which column 79 + 1 reaches the width: the line is written.
# The last letter and "] " go on the continuation line.
PAIR_FMT = fmt("#BLNO 0 &", "struct P {", " char k[72];", "};")
PAIR_DATA = b"a" * 69 + b"\x82\xa0" + b"z"

# Half-width kana: the character value shows them only in the Shift_JIS
# mode; the map cells and the label columns show them in every mode but -A.
KANA_FMT = b"#BLNO 0 &\nstruct K {\n char t[4]; /* \xb1\xb2 */\n};\n"
KANA_DATA = b"\xb1\xb2A\x82"
SCALE16 = " " * 13 + "  ".join("%X" % i for i in range(16)) + "  "
SCALE16_DEC = " " * 13 + "  ".join("%d" % (i % 10) for i in range(16)) + "  "

CASES = [
    # Seven values reach column 77; the three bytes left need 3 x 3 + 2 more
    # columns: the tail starts a continuation line and closes with "]x ".
    Case("number-tail-on-a-continuation-line", ["-f", "e.fmt", "e.dat"],
         stdout=lines(TITLE,
                      " 0000: " + "[1000000] " * 7,
                      pad("       [000f42]x ", 78) + "a",
                      " [EOD]"),
         files={"e.fmt": LONGS, "e.dat": MILLION * 7 + MILLION[:3]}),
    # Six values and "[1234] " reach column 74; one byte left: 74 + 3 + 2
    # fits, "[" 74, "00" 75-76, and 77 + 3 passes 79: "]x" without the blank.
    Case("number-tail-closes-without-blank", ["-f", "e.fmt", "e.dat"],
         stdout=lines(TITLE,
                      " 0000: " + "[1000000] " * 6 + "[1234] [00]x",
                      " " * 78 + "a",
                      " [EOD]"),
         files={"e.fmt": LONGS, "e.dat": MILLION * 6 + bytes([0, 0, 4, 0xD2, 0])}),
    Case("values-closing-at-the-line-width", ["-f", "c.fmt", "c.dat"],
         stdout=lines(TITLE,
                      " 0000: [" + HEX35 + "]",
                      " " * 78 + "b",
                      " 0023: [" + "abcdefghij" * 7 + "]",
                      " " * 78 + "c"),
         files={"c.fmt": CLOSE_FMT, "c.dat": CLOSE_DATA}),
    Case("shift-jis-pair-fills-the-line", ["-f", "p.fmt", "p.dat"],
         stdout=lines(TITLE,
                      b" 0000: [" + b"a" * 69 + b"\x82\xa0",
                      pad("       z] ", 78) + "k"),
         files={"p.fmt": PAIR_FMT, "p.dat": PAIR_DATA}),
    # Label "t : " and the two kana: 6 columns from column 73.
    Case("kana-in-the-list-shift-jis", ["-f", "k.fmt", "k.dat"],
         stdout=lines(TITLE, pad(" 0000: [\xb1\xb2A.] ", 73) + "t : \xb1\xb2"),
         files={"k.fmt": KANA_FMT, "k.dat": KANA_DATA}),
    # -K reads the text as ASCII and kana in the list as in the map; -A as
    # ASCII only. The label is the format file's Shift_JIS text under any letter.
    Case("kana-in-the-list-K", ["-K", "-f", "k.fmt", "k.dat"],
         stdout=lines(TITLE, pad(" 0000: [\xb1\xb2A.] ", 73) + "t : \xb1\xb2"),
         files={"k.fmt": KANA_FMT, "k.dat": KANA_DATA}),
    Case("kana-in-the-list-A", ["-A", "-f", "k.fmt", "k.dat"],
         stdout=lines(TITLE, pad(" 0000: [..A.] ", 73) + "t : \xb1\xb2"),
         files={"k.fmt": KANA_FMT, "k.dat": KANA_DATA}),
    # Cells of 3 from column 12: kana in columns 13 and 16, A in 19, the
    # lead byte without its partner as "82" in columns 21-22.
    Case("kana-in-the-map-K", ["-K", "-m", "-f", "k.fmt", "k.dat"],
         stdout=lines(SCALE16, " [0000000]  size: 0004", " 0000 0000:  \xb1  \xb2  A 82"),
         files={"k.fmt": KANA_FMT, "k.dat": KANA_DATA}),
    # Block 10000 in decimal: " 10000 0000: " is 13 characters; its first 12
    # are the prefix, so cell 0 still starts in column 12.
    Case("map-prefix-of-a-five-digit-block", ["-Dm", "-n10000,10001", "-f", "e.fmt", "e.dat"],
         stdout=lines(SCALE16_DEC, " [0010000]  size: 0001", " 10000 0000: A", " 10001 0000: B"),
         files={"e.fmt": fmt("#BLNO 0 &", "struct E {", " char a;", "};"), "e.dat": b"AB" * 5001}),
]
