"""The report in UTF-8 (--utf8) beside the same report in Shift_JIS (--sjis).

In UTF-8 every Shift_JIS pair of the report becomes its character: CP932's,
else Shift_JIS-2004's; under -U the character the UTF-8 input held (so
é comes back as é, 〜 U+301C as itself, not as CP932's ～ U+FF5E). A pair
that stands for no character (unassigned in both tables, or CP932's
user-defined area F0 40-F9 FC outside -U) becomes 〓 U+3013. A character
that takes one terminal column (East Asian Width other than W and F) is
followed by one blank, so that each line takes as many columns as its
Shift_JIS form has bytes. Half-width kana become U+FF61-U+FF9F; ASCII,
0x5C and 0x7E included, stays as it is.

Plain dump lines, 16 bytes a line: columns 0-11 the prefix, the hex groups
from 13, "| " at 53, the characters from 55, the blank column at 71 and the
bar at 72. A pair that starts on a line's last byte stands in the blank
column, and the next line leaves its first column blank. A map row is 12
columns of prefix and a cell of 3 columns a byte; a pair stands in the
second and third column of its first byte's cell.

Messages on standard error are the same in both encodings."""
import pathlib
import unicodedata

from vesk_e2e import Case, lines, sjis


def wide(ch):
    return unicodedata.east_asian_width(ch) in ("W", "F")


def utf8_lines(*texts):
    return b"".join(t.encode("utf-8") + b"\n" for t in texts)


def row16(left, chars, columns):
    """A dump line, 16 bytes a line: left (prefix and hex digits) padded to
    column 53, "| ", the characters taking the given columns, blanks up to
    17 columns (16 and the blank one), "|". Text or bytes, as left is."""
    assert len(left) <= 53 and columns <= 17
    if isinstance(left, bytes):
        return left.ljust(53) + b"| " + chars + b" " * (17 - columns) + b"|"
    return left.ljust(53) + "| " + chars + " " * (17 - columns) + "|"


SCALE16 = "              0 1  2 3  4 5  6 7  8 9  A B  C D  E F   0123456789ABCDEF"
SCALE3_CHARS = "             012"
MAP_SCALE = "             0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F  "

# The characters of the cases, checked against Python's codecs and unicodedata.
assert b"\x87\x40".decode("cp932") == "①" and not wide("①")
assert b"\xfb\xfc".decode("cp932") == "髙" and wide("髙")
assert b"\x87\x8a".decode("cp932") == "㈱" and wide("㈱")
assert b"\xb1".decode("cp932") == "ｱ" and not wide("ｱ")
assert b"\x81\x60".decode("cp932") == "～" and wide("～")
assert "é".encode("shift_jis_2004") == b"\x85\x7e" and not wide("é")
assert "𠂉".encode("shift_jis_2004") == b"\xf0\x40" and wide("𠂉")
assert "〜".encode("shift_jis_2004") == b"\x81\x60" and wide("〜")
assert b"\xfc\x4b".decode("cp932") == "黑" and wide("黑")
assert b"\xfa\x40".decode("cp932") == "ⅰ" and not wide("ⅰ")
assert b"\x88\x40".decode("shift_jis_2004") == "咩" and wide("咩")
assert wide("〓") and wide("あ")


def decoded(code, codec):
    try:
        return code.decode(codec)
    except UnicodeDecodeError:
        return None


# No character: 84 DD is unassigned in both tables; F0 40 is private use in CP932.
assert decoded(b"\x84\xdd", "cp932") is None and decoded(b"\x84\xdd", "shift_jis_2004") is None
assert unicodedata.category(decoded(b"\xf0\x40", "cp932")) == "Co"
# Shift_JIS-2004 only.
assert decoded(b"\x85\x7e", "cp932") is None and decoded(b"\x88\x40", "cp932") is None

# -U: é (C3 A9, 2 bytes) shows as 85 7E; 𠂉 (F0 A0 82 89) as F0 40 and two
# points; 〜 (E3 80 9C) as 81 60 and a point.
U_INPUT = "é𠂉〜A".encode("utf-8")
assert U_INPUT == bytes.fromhex("c3a9f0a08289e3809c41")
U_LEFT = " 0000 0000   c3a9 f0a0 8289 e380 9c41"
U_SJIS = row16(U_LEFT.encode(), b"\x85\x7e" + b"\xf0\x40.." + b"\x81\x60." + b"A", 10)
U_UTF8 = row16(U_LEFT, "é " + "𠂉.." + "〜." + "A", 10)

# Default mode, 17 bytes: ①, 髙, ㈱, ｱ, 5C, 7E, é, ～, an unassigned pair,
# then F0 40 from the first line's last byte on.
SJ_INPUT = bytes.fromhex("8740 fbfc 878a b1 5c 7e 857e 8160 84dd f040")
SJ_LEFT1 = " 0000 0000   8740 fbfc 878a b15c 7e85 7e81 6084 ddf0"
SJ_LEFT2 = "      0010   40"
SJ_SJIS = lines(SCALE16, row16(SJ_LEFT1.encode(), SJ_INPUT, 17), row16(SJ_LEFT2.encode(), b" ", 1))
SJ_UTF8 = utf8_lines(SCALE16, row16(SJ_LEFT1, "① 髙㈱ｱ\\~é ～〓〓", 17), row16(SJ_LEFT2, " ", 1))

# -C -b3: ① from the first line's last byte stands in the blank column,
# followed by its blank; the bar comes right after.
SPLIT_INPUT = b"ab\x87\x40c"

# -E: 8F F4 FE is FC 4B (黑), 8F F3 F3 FA 40 (ⅰ, narrow): a point, then the pair.
E_INPUT = bytes.fromhex("8ff4fe 8ff3f3 41")
E_LEFT = " 0000 0000   8ff4 fe8f f3f3 41"

# -J: ESC $ B, JIS 28 5F (84 DD, unassigned in both tables), JIS 2F 21 (88 40,
# only in Shift_JIS-2004), ESC ( B, A.
J_INPUT = bytes.fromhex("1b2442 285f 2f21 1b2842 41")
J_LEFT = " 0000 0000   1b24 4228 5f2f 211b 2842 41"

CHARS_FMT = b"#BLNO 0 &\nstruct S {\n char t[4];\n};\n"

# The usage text is kept as UTF-8 beside its generator; every character in
# it is wide and reads back from CP932 as itself, so its UTF-8 form is the
# source text.
USAGE = (pathlib.Path(__file__).resolve().parents[2] / "tools" / "usage_text.txt").read_text(
    encoding="utf-8").split("\n")[:89]
assert all(wide(c) for line in USAGE for c in line if ord(c) > 0x7F)
assert all(sjis(line).decode("cp932") == line for line in USAGE)
USAGE_SJIS = b"".join(sjis(line) + b"\n" for line in USAGE)
USAGE_UTF8 = utf8_lines(*USAGE)

HELLO = {"hello.txt": b"Hello, World!\r\n\x82\xa0ABC\x00\x01"}
HELLO_UTF8 = utf8_lines(
    SCALE16,
    " 0000 0000   4865 6c6c 6f2c 2057 6f72 6c64 210d 0a82 | Hello, World!..あ|",
    "      0010   a041 4243 0001                          |  ABC..           |")

# -U: characters that Shift_JIS lacks, 😀 (F0 9F 98 80) and 𠮷 (F0 A0 AE B7),
# show as themselves in UTF-8, each in two columns and two points for its
# four bytes, and as four points in Shift_JIS. e and U+0301 (CC 81, which
# Shift_JIS-2004 writes 86 79): the mark stands on a dotted circle, in one
# column, and a blank fills its pair's second.
assert "😀".encode("utf-8") == bytes.fromhex("f09f9880") and wide("😀")
assert "\U00020bb7".encode("utf-8") == bytes.fromhex("f0a0aeb7") and wide("\U00020bb7")
assert "\u0301".encode("shift_jis_2004") == b"\x86\x79"
for ch in ("😀", "\U00020bb7"):
    try:
        ch.encode("shift_jis_2004")
        raise AssertionError(ch)
    except UnicodeEncodeError:
        pass
OUTSIDE = bytes.fromhex("f09f9880 f0a0aeb7 65cc81 41")
OUTSIDE_LEFT = " 0000 0000   f09f 9880 f0a0 aeb7 65cc 8141"
OUTSIDE_SJIS = row16(OUTSIDE_LEFT.encode(), b"." * 8 + b"e\x86\x79A", 12)
OUTSIDE_UTF8 = row16(OUTSIDE_LEFT, "😀.." + "\U00020bb7.." + "e" + "\u25cc\u0301 " + "A", 12)

# 😀 begun in the last byte of a line of three (-C -b3): in UTF-8 it stands
# over the blank column; the next line shows a blank for the byte there and
# points for the last two. In Shift_JIS, points throughout.
EMOJI_SPLIT = b"ab\xf0\x9f\x98\x80c"

CASES = [
    Case("outside-shift-jis-sjis", ["--sjis", "-U", "o.txt"], files={"o.txt": OUTSIDE},
         stdout=lines(SCALE16, OUTSIDE_SJIS)),
    Case("outside-shift-jis-utf8", ["--utf8", "-U", "o.txt"], files={"o.txt": OUTSIDE},
         stdout=utf8_lines(SCALE16, OUTSIDE_UTF8)),
    Case("emoji-at-the-line-end-sjis", ["--sjis", "-U", "-C", "-b3", "e.txt"], files={"e.txt": EMOJI_SPLIT},
         stdout=lines(SCALE3_CHARS, b" 0000 0000 | ab. |", b"      0003 | ... |", b"      0006 | c   |")),
    Case("emoji-at-the-line-end-utf8", ["--utf8", "-U", "-C", "-b3", "e.txt"], files={"e.txt": EMOJI_SPLIT},
         stdout=utf8_lines(SCALE3_CHARS, " 0000 0000 | ab😀|", "      0003 |  .. |", "      0006 | c   |")),
    # é and 𠂉 through -U come back as themselves, 〜 as U+301C.
    Case("u-mode-sjis", ["--sjis", "-U", "u.txt"], files={"u.txt": U_INPUT},
         stdout=lines(SCALE16, U_SJIS)),
    Case("u-mode-utf8", ["--utf8", "-U", "u.txt"], files={"u.txt": U_INPUT},
         stdout=utf8_lines(SCALE16, U_UTF8)),
    # The same Shift_JIS codes in the default mode: CP932 first (81 60 is ～),
    # Shift_JIS-2004 where CP932 has none (85 7E), 〓 for no character.
    Case("default-mode-sjis", ["--sjis", "s.bin"], files={"s.bin": SJ_INPUT}, stdout=SJ_SJIS),
    Case("default-mode-utf8", ["--utf8", "s.bin"], files={"s.bin": SJ_INPUT}, stdout=SJ_UTF8),
    Case("narrow-pair-at-the-line-end-sjis", ["--sjis", "-C", "-b3", "s.bin"], files={"s.bin": SPLIT_INPUT},
         stdout=lines(SCALE3_CHARS, b" 0000 0000 | ab\x87\x40|", "      0003 |  c  |")),
    Case("narrow-pair-at-the-line-end-utf8", ["--utf8", "-C", "-b3", "s.bin"], files={"s.bin": SPLIT_INPUT},
         stdout=utf8_lines(SCALE3_CHARS, " 0000 0000 | ab① |", "      0003 |  c  |")),
    Case("euc-ibm-sjis", ["--sjis", "-E", "e.bin"], files={"e.bin": E_INPUT},
         stdout=lines(SCALE16, row16(E_LEFT.encode(), b".\xfc\x4b.\xfa\x40A", 7))),
    Case("euc-ibm-utf8", ["--utf8", "-E", "e.bin"], files={"e.bin": E_INPUT},
         stdout=utf8_lines(SCALE16, row16(E_LEFT, ".黑.ⅰ A", 7))),
    Case("jis-outside-the-tables-sjis", ["--sjis", "-J", "j.bin"], files={"j.bin": J_INPUT},
         stdout=lines(SCALE16, row16(J_LEFT.encode(), b"...\x84\xdd\x88\x40...A", 11))),
    Case("jis-outside-the-tables-utf8", ["--utf8", "-J", "j.bin"], files={"j.bin": J_INPUT},
         stdout=utf8_lines(SCALE16, row16(J_LEFT, "...〓咩...A", 11))),
    # The map: ① in columns 13-14 (its blank in 14), あ in 19-20.
    Case("map-cells-sjis", ["--sjis", "-m", "-f", "s.fmt", "s.dat"],
         files={"s.fmt": CHARS_FMT, "s.dat": b"\x87\x40\x82\xa0"},
         stdout=lines(MAP_SCALE, " [0000000]  size: 0004", b" 0000 0000:  \x87\x40    \x82\xa0")),
    Case("map-cells-utf8", ["--utf8", "-m", "-f", "s.fmt", "s.dat"],
         files={"s.fmt": CHARS_FMT, "s.dat": b"\x87\x40\x82\xa0"},
         stdout=utf8_lines(MAP_SCALE, " [0000000]  size: 0004", " 0000 0000:  ① " + "    " + "あ")),

    # The usage text in the report's encoding (--help, in English, is in help.py).
    Case("usage-sjis", ["-usage", "--sjis"], stdout=USAGE_SJIS),
    Case("usage-utf8", ["-usage", "--utf8"], stdout=USAGE_UTF8),
    Case("version-sjis", ["--sjis", "--version"], stdout=b"vesk 2.72\n"),
    Case("version-utf8", ["--version", "--utf8"], stdout=b"vesk 2.72\n"),
    # An unknown long option, wherever it stands, before anything is written.
    Case("unknown-long-option", ["--x"], stderr=b"--x: invalid option\n", status=1),
    Case("unknown-long-option-after-others", ["--utf8", "hello.txt", "--x"], files=HELLO,
         stderr=b"--x: invalid option\n", status=1),
    # A lone "-" is standard input.
    Case("lone-dash-utf8", ["-", "--utf8"], stdin=HELLO["hello.txt"], stdout=HELLO_UTF8),
    Case("lone-dash-then-a-file", ["--utf8", "-", "hello.txt"], files=HELLO,
         stderr=b"hello.txt: invalid argument\n", status=1),
    # Messages are not transcoded: a Shift_JIS file name comes back as typed.
    Case("message-bytes-unchanged", ["--utf8", b"\x82\xa0.txt"], stderr=b"\x82\xa0.txt: not found\n",
         status=1),
    Case("short-usage-on-stderr", ["--utf8"], stderr=b"".join(sjis(line) + b"\n" for line in USAGE[3:11]),
         status=1),
]
