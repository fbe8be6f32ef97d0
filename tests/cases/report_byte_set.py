"""Only printable text in the report: every byte written is printable ASCII,
a line end, half-width kana or a valid Shift_JIS pair; a byte that a
conversion yields outside them shows as a point. A control byte from a
hostile file or format file must not reach the user's terminal.

Plain dump lines, 16 bytes a line: columns 0-11 prefix, 13-52 hex groups,
53 "|", 55-70 characters, 71 blank, 72 "|"; with -C the characters start at
column 13 and the bar stands at 30. Formatted lines: the range comment is
seven blanks and the comment cut or blank-padded to 72 columns; the label of
the format below is 12 columns wide (name 3, " : ", comment 6) from column
67 of 79; a map row has 12 columns of prefix, then the cell of byte k at
12 + k * 3 (4 with -M)."""
from vesk_e2e import Case, lines


def row16(left: bytes, chars: bytes) -> bytes:
    line = left.ljust(53) + b"| " + chars.ljust(17) + b"|"
    assert len(line) == 73
    return line


def chars_row16(left: bytes, chars: bytes) -> bytes:
    line = left + b" " + chars.ljust(17) + b"|"
    assert len(line) == 31
    return line


SCALE16 = b"              0 1  2 3  4 5  6 7  8 9  A B  C D  E F   0123456789ABCDEF"
SCALE16_CHARS = b"             0123456789ABCDEF"


def at(*pieces):
    """A line made of texts placed at the given columns, blanks between."""
    s = b""
    for col, text in pieces:
        text = text.encode("latin-1") if isinstance(text, str) else text
        assert len(s) <= col, (s, col, text)
        s += b" " * (col - len(s)) + text
    return s


# A range comment that would set the terminal's title, clear the screen and
# return the carriage, then the 8-bit CSI 0x9B, BS, VT, FF, TAB and DEL, a
# Shift_JIS pair, a half-width kana and a lead byte that ends the comment.
# (0x9B is a lead byte: before a trail byte it would be half of a valid pair.)
HOSTILE = (b"\x1b]0;owned\x07\x1b[2J\rx\x9b\x08\x0b\x0c\t\x7f"
           b"\x82\xa0\xb1\x81")
# The same, read left to right: each byte outside the set is a point.
HOSTILE_SHOWN = b".]0;owned..[2J.x......\x82\xa0\xb1."
assert len(HOSTILE_SHOWN) == len(HOSTILE) == 26
COMMENT_LINE = b" " * 7 + HOSTILE_SHOWN + b" " * (72 - 26)

# The blanks after the semicolon are not part of the comment.
KEY_FMT = (b"#BLNO 0 & ; " + HOSTILE + b"\n"
           b"struct REC {\n char key;\n short n; /* amount */\n};\n")


def blk(key, n):
    return key.encode() + n.to_bytes(2, "big")


def title(block, addr):
    return "       block: %d  addr: %04X" % (block, addr)


def pair(b1, a1, b2, a2):
    return "       block: %d  addr: %04X / block: %d  addr: %04X" % (b1, a1, b2, a2)


def key_line(k):
    return at((0, " 0000: [%s] " % k), (67, "key :       "))


def n_line(values):
    return at((0, " 0001: " + values), (67, "n   : amount"))


SCALE_MAP = " " * 13 + "  ".join("0123456789ABCDEF") + "  "
SCALE_MAP_WIDE = " " * 13 + "   ".join("0123456789ABCDEF") + "  "

TWO_BLOCKS = {"k.fmt": KEY_FMT, "k.dat": blk("A", 0x0101) + blk("B", 0x0202)}
LIST_OUT = lines(title(0, 0), COMMENT_LINE, key_line("A"), n_line("[257] "),
                 title(1, 3), COMMENT_LINE, key_line("B"), n_line("[514] "))
COMPARE_FILES = {"k.fmt": KEY_FMT, "a.dat": blk("A", 0x0101) + blk("C", 0x0303),
                 "b.dat": blk("A", 0x0505)}

# A comment cut at the line: "." for the BEL, then 70 or 69 letters, then a
# pair at columns 71-72 of the comment (left out: it would pass the 72) or
# at 70-71 (kept).
CUT_FMT = b"#BLNO 0 & ;\x07" + b"a" * 70 + b"\x82\xa0\nstruct C {\n char c;\n};\n"
FIT_FMT = b"#BLNO 0 & ;\x07" + b"a" * 69 + b"\x82\xa0\nstruct C {\n char c;\n};\n"
C_LINE = at((0, " 0000: [z] "), (78, "c"))

CASES = [
    # The range comment in the list form, on every block.
    Case("range-comment-list", ["-f", "k.fmt", "k.dat"], files=TWO_BLOCKS, stdout=LIST_OUT),
    # Pairs and kana in a range comment stay in every character mode, even -A.
    Case("range-comment-list-ascii-mode", ["-A", "-f", "k.fmt", "k.dat"], files=TWO_BLOCKS,
         stdout=LIST_OUT),
    Case("range-comment-map", ["-m", "-f", "k.fmt", "k.dat"], files=TWO_BLOCKS,
         stdout=lines(SCALE_MAP, " [0000000]  size: 0003", COMMENT_LINE, " 0000 0000:  A 257",
                      COMMENT_LINE, " 0001 0000:  B 514")),
    Case("range-comment-wide-map", ["-M", "-f", "k.fmt", "k.dat"], files=TWO_BLOCKS,
         stdout=lines(SCALE_MAP_WIDE, " [0000000]  size: 0003", COMMENT_LINE, " 0000 0000:  A  257",
                      COMMENT_LINE, " 0001 0000:  B  514")),
    # Comparison, list form: under the pair's heading and before a deleted block.
    Case("range-comment-compare-list", ["-F", "k.fmt", "key", "a.dat", "b.dat"], files=COMPARE_FILES,
         stdout=lines(" UPDATED DATA", pair(0, 0, 0, 0), COMMENT_LINE, key_line("A"),
                      n_line("[257] : [1285] "),
                      "", " DELETED DATA", title(1, 3), COMMENT_LINE, key_line("C"), n_line("[771] "))),
    # Comparison, map form: a pair's maps have no comment; a deleted block has.
    Case("range-comment-compare-map", ["-m", "-F", "k.fmt", "key", "a.dat", "b.dat"], files=COMPARE_FILES,
         stdout=lines(SCALE_MAP, " UPDATED DATA", " [0000000]  size: 0003",
                      " 0000 0000:  A 257", " ---------", " 0000 0000:  A 1285", " =========",
                      "", " DELETED DATA", COMMENT_LINE, " 0001 0000:  C 771")),
    # Cutting to the width keeps a pair whole, after a byte shown as a point.
    Case("range-comment-cut-before-a-pair", ["-f", "c.fmt", "c.dat"], files={"c.fmt": CUT_FMT, "c.dat": b"z"},
         stdout=lines(title(0, 0), b" " * 7 + b"." + b"a" * 70 + b" ", C_LINE)),
    Case("range-comment-pair-at-the-end", ["-f", "c.fmt", "c.dat"], files={"c.fmt": FIT_FMT, "c.dat": b"z"},
         stdout=lines(title(0, 0), b" " * 7 + b"." + b"a" * 69 + b"\x82\xa0", C_LINE)),

    # JIS kana state: 1B+80 would be CSI (0x9B); B2+80 and CA+80 are "2" and
    # "J", no kana either: only results 0xA1-0xDF are shown.
    Case("jis-kana-state-csi", ["-J", "-C", "in.bin"], files={"in.bin": b"\x1b(I\x1b\xb2\xca"},
         stdout=lines(SCALE16_CHARS, chars_row16(b" 0000 0000 |", b"......"))),
    # FF+80 would be DEL.
    Case("jis-kana-state-del", ["-J", "in.bin"], files={"in.bin": b"\x1b(I\xff"},
         stdout=lines(SCALE16, row16(b" 0000 0000   1b28 49ff", b"...."))),
    # In the kanji state the controls 0E and 7F are themselves (points), and
    # 41 with no byte after it pairs with none.
    Case("jis-0e-pairs", ["-J", "in.bin"], files={"in.bin": b"\x1b$B\x0e\x7f\x0e\x41"},
         stdout=lines(SCALE16, row16(b" 0000 0000   1b24 420e 7f0e 41", b"......."))),
    # E1 7B gives 0x21 0x9B: "!" and the 8-bit CSI, not a pair: two points.
    Case("jis-kanji-state-csi", ["-J", "in.bin"], files={"in.bin": b"\x1b$B\xe1\x7b"},
         stdout=lines(SCALE16, row16(b" 0000 0000   1b24 42e1 7b", b"....."))),
    # Rows that CP932 leaves empty read by the JIS row/cell rule: AE DF (JIS
    # 2E 5F) is the pair 87 DD, A9 A1 (JIS 29 21) 85 40; A1 before A0 pairs
    # with nothing, and A0 is no EUC byte.
    Case("euc-codes-outside-the-table", ["-E", "in.bin"], files={"in.bin": b"\xae\xdf\xa1\xa0\xa9\xa1A"},
         stdout=lines(SCALE16, row16(b" 0000 0000   aedf a1a0 a9a1 41", b"\x87\xdd..\x85\x40A"))),
    # Overlong and unchecked forms of U+007F: C1 BF, E0 81 BF, E0 01 3F and
    # F0 80 81 BF are no UTF-8: a point a byte, and the 3F (a question mark)
    # and 01 of the third stand for themselves.
    Case("utf8-forms-of-del", ["-U", "in.bin"],
         files={"in.bin": b"\xc1\xbf\xe0\x81\xbf\xe0\x01\x3f\xf0\x80\x81\xbfA"},
         stdout=lines(SCALE16, row16(b" 0000 0000   c1bf e081 bfe0 013f f080 81bf 41", b"." * 7 + b"?" + b"." * 4 + b"A"))),
]
