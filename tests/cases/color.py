"""Color: --color=auto|always|never. The report's text stays what it is
without color; SGR sequences (ESC [ ... m) are added around it, and every
line that has one ends in the terminal's color (ESC [ 0 m).

The palette: dim (2) for zero bytes, block numbers, offsets, the marker of
repeated lines, names and comments; in the plain dump printable ASCII cyan
(36), white space and line ends green (32), other controls and JIS escape
sequences magenta (35), bytes of a character beyond ASCII yellow (33), bytes
that are no character red (31); in the formatted dump numbers cyan, text
green, hex magenta, pointers yellow, what could not be read bold red (1;31);
in the comparison the first file's differing values and the deleted blocks
red, the second file's values and the inserted blocks green, nothing else.

A change of style is ESC [ p m from the terminal's color, or from a color
alone to a style with a color (which replaces it); ESC [ 0 ; p m from any
other style (clearing a color, bold or dim); ESC [ 0 m back to the
terminal's color; and nothing between two styles that look alike.

Plain dump lines: the prefix dim up to its last character, then the hex
pairs, each in the style of its byte's cell, the blank after a group of two
bytes in the style before it; the bars and the blanks before them in the
terminal's color; the characters cell by cell. A cell cut by the line's end
keeps its style on the next line.

auto colors only on a terminal where NO_COLOR is unset or empty and TERM is
not dumb; the terminal is a pseudo-terminal (tests/e2e/on_terminal.py)
started with only the variables given here."""
import pathlib
import re
import shlex

from vesk_e2e import PYTHON, Case, lines

ON_TERMINAL = shlex.quote(str(pathlib.Path(__file__).resolve().parents[1] / "e2e" / "on_terminal.py"))


def sgr(p):
    return b"\x1b[" + p + b"m"


OFF = sgr(b"0")
DIM, CYAN, GREEN, MAGENTA, YELLOW, RED, BOLD_RED = (sgr(b"2"), sgr(b"36"), sgr(b"32"), sgr(b"35"),
                                                    sgr(b"33"), sgr(b"31"), sgr(b"1;31"))


def cleared(p):
    """The change to style p from a dim or bold one."""
    return sgr(b"0;" + p)


def text_of(line):
    """A colored line without its sequences: the uncolored line."""
    return re.sub(rb"\x1b\[[0-9;]*m", b"", line)


def checked(*colored):
    """Report lines; each one's text is checked for its width by the caller."""
    return lines(*colored)


SCALE16 = b"              0 1  2 3  4 5  6 7  8 9  A B  C D  E F   0123456789ABCDEF"
SCALE4 = b"              0 1  2 3   0123"

# One line of every class: 00, A, a blank, a tab, BEL, the pair 82 A0 (あ),
# the kana B1 (ｱ), 80 (no character), A, B, a line feed, 00, 00, FF (no
# character), DEL.
CLASSES = bytes([0x00, 0x41, 0x20, 0x09, 0x07, 0x82, 0xA0, 0xB1, 0x80, 0x41, 0x42, 0x0A, 0x00, 0x00, 0xFF, 0x7F])
CLASSES_HEX = (DIM + b"00" + cleared(b"36") + b"41 " + GREEN + b"2009 " + MAGENTA + b"07" + YELLOW + b"82 a0b1 "
               + RED + b"80" + CYAN + b"41 42" + GREEN + b"0a " + cleared(b"2") + b"0000 " + cleared(b"31") + b"ff"
               + MAGENTA + b"7f " + OFF)


def classes_line(pair, kana):
    return (DIM + b" 0000 0000" + OFF + b"   " + CLASSES_HEX + b"| "
            + DIM + b"." + cleared(b"36") + b"A" + GREEN + b" ." + MAGENTA + b"." + YELLOW + pair + kana
            + RED + b"." + CYAN + b"AB" + GREEN + b"." + cleared(b"2") + b".." + cleared(b"31") + b"." + MAGENTA
            + b"." + OFF + b" |")


CLASSES_SJIS = classes_line(b"\x82\xa0", b"\xb1")
CLASSES_UTF8 = classes_line("あ".encode(), "ｱ".encode())
assert text_of(CLASSES_SJIS) == b" 0000 0000   0041 2009 0782 a0b1 8041 420a 0000 ff7f | .A ..\x82\xa0\xb1.AB..... |"

# -b4: ABC and あ cut by the line's end (shown whole over the blank column),
# the rest of あ (yellow, a blank in the character column) before three
# zero bytes, a line of zero bytes, its repeat (folded into the dim marker)
# and D.
CUT = b"ABC\x82\xa0\x00\x00\x00" + bytes(8) + b"D"
CUT_LINES = [
    DIM + b" 0000 0000" + OFF + b"   " + CYAN + b"4142 43" + YELLOW + b"82 " + OFF + b"| "
    + CYAN + b"ABC" + YELLOW + b"\x82\xa0" + OFF + b"|",
    DIM + b"      0004" + OFF + b"   " + YELLOW + b"a0" + cleared(b"2") + b"00 0000 " + OFF + b"| "
    + YELLOW + b" " + cleared(b"2") + b"..." + OFF + b" |",
    DIM + b"      0008" + OFF + b"   " + DIM + b"0000 0000 " + OFF + b"| " + DIM + b"...." + OFF + b" |",
    DIM + b"      ...." + OFF,
    DIM + b"      0010" + OFF + b"   " + CYAN + b"44" + OFF + b"        | " + CYAN + b"D" + OFF + b"    |",
]
assert [text_of(l) for l in CUT_LINES] == [b" 0000 0000   4142 4382 | ABC\x82\xa0|",
                                            b"      0004   a000 0000 |  ... |",
                                            b"      0008   0000 0000 | .... |",
                                            b"      ....",
                                            b"      0010   44        | D    |"]

# JIS: the escape sequences magenta, the kanji 0x3021 (Shift_JIS 88 9F) yellow.
JIS = b"\x1b$B0!\x1b(BA"
JIS_LINE = (DIM + b" 0000 0000" + OFF + b"   " + MAGENTA + b"1b24 42" + YELLOW + b"30 21" + MAGENTA + b"1b 2842 "
            + CYAN + b"41" + OFF + b" " * 18 + b"| " + MAGENTA + b"..." + YELLOW + b"\x88\x9f" + MAGENTA + b"..."
            + CYAN + b"A" + OFF + b" " * 8 + b"|")
assert len(text_of(JIS_LINE)) == 73

# UTF-8 (-U), -b3: é (C3 A9, yellow; one column wide, then a blank), E3
# (which A cannot continue: no character, red), A, and 😀 (F0 9F 98 80) cut
# after two bytes: shown on the line it starts on, two columns wide, its
# last two bytes points on the next line, yellow on both. A full line of an
# odd -b has no first bar: the blank of its last group stands over it.
UTF8 = b"\xc3\xa9\xe3A\xf0\x9f\x98\x80"
UTF8_LINES = [
    DIM + b" 0000 0000" + OFF + b"   " + YELLOW + b"c3a9 " + RED + b"e3" + OFF + b"   "
    + YELLOW + "é ".encode() + RED + b"." + OFF + b" |",
    DIM + b"      0003" + OFF + b"   " + CYAN + b"41" + YELLOW + b"f0 9f" + OFF + b"   "
    + CYAN + b"A" + YELLOW + "😀".encode() + OFF + b" |",
    DIM + b"      0006" + OFF + b"   " + YELLOW + b"9880 " + OFF + b"   | " + YELLOW + b".." + OFF + b"  |",
]
assert [text_of(l) for l in UTF8_LINES] == [" 0000 0000   c3a9 e3   é . |".encode(),
                                             "      0003   41f0 9f   A😀 |".encode(),
                                             b"      0006   9880    | ..  |"]

# The formatted list: a number, a text, hex digits, a pointer, a float that
# is no number (NAN) and a long that the end of the data cuts ([..]x, then
# [EOD]). Names of one byte, comments up to 7: the label is 1 + 3 + 7 = 11
# columns from column 68.
LIST_FMT = (b"#BLNO 0 0 ; demo\n"
            b"struct D {\n"
            b" short n; /* count */\n"
            b" char t[3]; /* text */\n"
            b" BYTE h[2]; /* bytes */\n"
            b" LPSTR p; /* pointer */\n"
            b" float f; /* ratio */\n"
            b" long l; /* total */\n"
            b"};\n")
LIST_DATA = b"\x00\x2a" + b"AB\x01" + b"\xff\x10" + b"\x00\x12\xff\x40" + b"\x7f\xc0\x00\x00" + b"\x00\x01"


def listed(offset, style, value, label):
    """An item's line: the dim offset field, the value, blanks up to column
    68, the dim label."""
    start = b" %s:" % offset
    blanks = 68 - len(start) - 1 - len(value)
    return DIM + start + OFF + b" " + style + value + OFF + b" " * blanks + DIM + label + OFF


LIST_LINES = [
    b"       block: 0  addr: 0000",
    b"       " + DIM + b"demo" + OFF + b" " * 68,
    listed(b"0000", CYAN, b"[42]", b"n : count  "),
    listed(b"0002", GREEN, b"[AB.]", b"t : text   "),
    listed(b"0005", MAGENTA, b"[ff10]", b"h : bytes  "),
    listed(b"0007", YELLOW, b"[0012FF40]", b"p : pointer"),
    listed(b"000B", BOLD_RED, b"[NAN]", b"f : ratio  "),
    listed(b"000F", BOLD_RED, b"[0001]x", b"l : total  "),
    b" " + BOLD_RED + b"[EOD]" + OFF,
]
assert all(len(text_of(l)) == 79 for l in LIST_LINES[1:-1])

# The map (-m): -32768 (6 characters in the 6 columns of its two cells) meets
# the next value, 5, and gives way to the mark, bold red; Z and the byte 01
# of a text, green; the byte FF, magenta. The blank after a number keeps its
# style; blanks between two cells of one style take it.
MAP_FMT = (b"#BLNO 0 0\n"
           b"struct M {\n"
           b" short a;\n"
           b" short b;\n"
           b" char c[2];\n"
           b" BYTE x[1];\n"
           b"};\n")
MAP_DATA = b"\x00\x80\x05\x00Z\x01\xff"
MAP_SCALE = b"             0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F  "
MAP_ROW = (DIM + b" 0000 0000: " + cleared(b"1;31") + b"#####" + cleared(b"36") + b" 5 " + OFF + b"     "
           + GREEN + b"Z 01 " + MAGENTA + b"ff" + OFF)
assert text_of(MAP_ROW) == b" 0000 0000: ##### 5      Z 01 ff"

# The comparison: record A1 changes its quantity from 12 to 15, B2 is
# deleted and C3 inserted. Names up to 2 bytes, comments up to 3: the label
# is 8 columns from column 71.
CMP_FMT = (b"#BLNO 0 &\n"
           b"struct R {\n"
           b" char id[2]; /* id */\n"
           b" short q; /* qty */\n"
           b"};\n")
CMP_A = b"A1\x00\x0c" + b"B2\x00\x01"
CMP_B = b"A1\x00\x0f" + b"C3\x00\x02"


def whole(style, line):
    """A line of a deleted or inserted block: its text, from its first
    character to its last, in one style."""
    text = line.strip(b" ")
    start = line.index(text)
    return line[:start] + style + text + OFF + line[start + len(text):]


def record(name, value):
    return b" 0000: [%s]" % name + b" " * 60 + b"id : id ", b" 0002: [%s]" % value


CMP_LIST = [
    b" UPDATED DATA",
    b"       block: 0  addr: 0000 / block: 0  addr: 0000",
    DIM + b" 0000:" + OFF + b" [A1]" + b" " * 60 + DIM + b"id : id " + OFF,
    DIM + b" 0002:" + OFF + b" " + RED + b"[12]" + OFF + b" : " + GREEN + b"[15]" + OFF + b" " * 53 + DIM
    + b"q  : qty" + OFF,
    b"",
    b" " + RED + b"DELETED DATA" + OFF,
    whole(RED, b"       block: 1  addr: 0004"),
    whole(RED, b" 0000: [B2]" + b" " * 60 + b"id : id "),
    whole(RED, b" 0002: [1]" + b" " * 61 + b"q  : qty"),
    b"",
    b" " + GREEN + b"INSERTED DATA" + OFF,
    whole(GREEN, b"       block: 1  addr: 0004"),
    whole(GREEN, b" 0000: [C3]" + b" " * 60 + b"id : id "),
    whole(GREEN, b" 0002: [2]" + b" " * 61 + b"q  : qty"),
]
assert all(len(text_of(l)) == 79 for l in CMP_LIST[2:4] + CMP_LIST[7:9] + CMP_LIST[12:14])

# The map form (least significant byte first: 00 0C is 3072): only the cells
# that differ are colored; the id is not.
CMP_MAP = [
    MAP_SCALE,
    b" UPDATED DATA",
    b" [0000000]  size: 0004",
    DIM + b" 0000 0000: " + OFF + b" A  1 " + RED + b"3072" + OFF,
    b" ---------",
    DIM + b" 0000 0000: " + OFF + b" A  1 " + GREEN + b"3840" + OFF,
    b" =========",
    b"",
    b" " + RED + b"DELETED DATA" + OFF,
    whole(RED, b" 0001 0000:  B  2 256"),
    b"",
    b" " + GREEN + b"INSERTED DATA" + OFF,
    whole(GREEN, b" 0001 0000:  C  3 512"),
]

HELLO = {"hello.txt": b"Hello, World!\r\n\x82\xa0ABC\x00\x01"}
HELLO_PLAIN = lines(SCALE16,
                    b" 0000 0000   4865 6c6c 6f2c 2057 6f72 6c64 210d 0a82 | Hello, World!..\x82\xa0|",
                    b"      0010   a041 4243 0001                          |  ABC..           |")
# The same in color: the blank of "Hello, World!" green among cyan, CR LF
# green, あ yellow over the line's end; A0 the rest of it, then ABC, 00, 01.
HELLO_COLORED = lines(
    SCALE16,
    DIM + b" 0000 0000" + OFF + b"   " + CYAN + b"4865 6c6c 6f2c " + GREEN + b"20" + CYAN + b"57 6f72 6c64 21"
    + GREEN + b"0d 0a" + YELLOW + b"82 " + OFF + b"| " + CYAN + b"Hello," + GREEN + b" " + CYAN + b"World!"
    + GREEN + b".." + YELLOW + b"\x82\xa0" + OFF + b"|",
    DIM + b"      0010" + OFF + b"   " + YELLOW + b"a0" + CYAN + b"41 4243 " + cleared(b"2") + b"00" + cleared(b"35")
    + b"01 " + OFF + b" " * 25 + b"| " + YELLOW + b" " + CYAN + b"ABC" + cleared(b"2") + b"." + cleared(b"35")
    + b"." + OFF + b" " * 11 + b"|")
assert text_of(HELLO_COLORED) == HELLO_PLAIN


def on_terminal(settings, args):
    """vesk with args on a terminal given only these variables (no locale:
    the report in Shift_JIS)."""
    return f"{PYTHON} {ON_TERMINAL} {settings} -- {{vesk}} {args}"


CASES = [
    # The plain dump: one line of each class, in Shift_JIS and in UTF-8.
    Case("plain-classes", ["--color=always", "in.bin"], files={"in.bin": CLASSES},
         stdout=checked(SCALE16, CLASSES_SJIS)),
    Case("plain-classes-utf8", ["--color=always", "--utf8", "in.bin"], files={"in.bin": CLASSES},
         stdout=checked(SCALE16, CLASSES_UTF8)),
    Case("plain-cut-cell-and-repeats", ["--color", "-b4", "in.bin"], files={"in.bin": CUT},
         stdout=checked(SCALE4, *CUT_LINES)),
    Case("plain-jis-escapes", ["--color", "-J", "in.bin"], files={"in.bin": JIS},
         stdout=checked(SCALE16, JIS_LINE)),
    Case("plain-utf8-cut-and-invalid", ["--color", "--utf8", "-U", "-b3", "in.bin"], files={"in.bin": UTF8},
         stdout=checked(b"              0 1  2   012", *UTF8_LINES)),
    # -C: the prefix dim up to its bar.
    Case("plain-characters-only", ["--color", "-C", "-b4", "in.bin"], files={"in.bin": b"A\x00 \x80"},
         stdout=checked(b"             0123",
                        DIM + b" 0000 0000" + OFF + b" | " + CYAN + b"A" + cleared(b"2") + b"." + cleared(b"32") + b" "
                        + RED + b"." + OFF + b" |")),

    # The formatted dump, list and map.
    Case("formatted-list", ["--color", "-f", "d.fmt", "d.dat"], files={"d.fmt": LIST_FMT, "d.dat": LIST_DATA},
         stdout=checked(*LIST_LINES)),
    Case("formatted-map", ["--color", "-m", "-f", "m.fmt", "m.dat"], files={"m.fmt": MAP_FMT, "m.dat": MAP_DATA},
         stdout=checked(MAP_SCALE, b" [0000000]  size: 0007", MAP_ROW)),

    # The comparison: old red, new green; deleted and inserted blocks whole.
    Case("compare-list", ["--color", "-F", "r.fmt", "id", "a.dat", "b.dat"],
         files={"r.fmt": CMP_FMT, "a.dat": CMP_A, "b.dat": CMP_B}, stdout=checked(*CMP_LIST)),
    Case("compare-map", ["--color", "-m", "-F", "r.fmt", "id", "a.dat", "b.dat"],
         files={"r.fmt": CMP_FMT, "a.dat": CMP_A, "b.dat": CMP_B}, stdout=checked(*CMP_MAP)),

    # Switched on: always to a pipe; auto on a terminal (TERM unset or not
    # dumb, NO_COLOR unset or empty); always whatever NO_COLOR says.
    Case("always-to-a-pipe", [], shell="{vesk} --color=always hello.txt | cat", files=HELLO,
         stdout=HELLO_COLORED),
    Case("auto-on-a-terminal", [], shell=on_terminal("TERM=xterm", "hello.txt"), files=HELLO,
         stdout=HELLO_COLORED),
    Case("auto-on-a-terminal-without-term", [], shell=on_terminal("", "hello.txt"), files=HELLO,
         stdout=HELLO_COLORED),
    Case("auto-with-no-color-empty", [], shell=on_terminal("NO_COLOR= TERM=xterm", "--color=auto hello.txt"),
         files=HELLO, stdout=HELLO_COLORED),
    Case("always-over-no-color", [], shell=on_terminal("NO_COLOR=1", "--color=always hello.txt"), files=HELLO,
         stdout=HELLO_COLORED),
    # Switched off: never, NO_COLOR, TERM=dumb, a pipe or a file under auto.
    Case("never-on-a-terminal", [], shell=on_terminal("TERM=xterm", "--color=never hello.txt"), files=HELLO,
         stdout=HELLO_PLAIN),
    Case("no-color-on-a-terminal", [], shell=on_terminal("NO_COLOR=1 TERM=xterm", "hello.txt"), files=HELLO,
         stdout=HELLO_PLAIN),
    Case("dumb-terminal", [], shell=on_terminal("TERM=dumb", "hello.txt"), files=HELLO, stdout=HELLO_PLAIN),
    Case("auto-to-a-pipe", [], shell="TERM=xterm {vesk} hello.txt | cat", files=HELLO, stdout=HELLO_PLAIN),
    Case("auto-to-a-file", [], shell="TERM=xterm {vesk} --color=auto hello.txt > out; cat out", files=HELLO,
         stdout=HELLO_PLAIN),
    # The later option wins.
    Case("later-option-wins", ["--color", "--color=never", "hello.txt"], files=HELLO, stdout=HELLO_PLAIN),
    Case("bad-value", ["--color=yes", "hello.txt"], files=HELLO,
         stderr=b"--color=yes: invalid value (auto, always or never)\n", status=1),
    # Records are for programs: never colored, even with always.
    Case("records-not-colored", [],
         shell="for f in --json --csv; do {vesk} --color=always $f -f j.fmt j.dat | grep -c $(printf '\\033'); done",
         files={"j.fmt": b"#BLNO 0 0\nstruct D {\n short n;\n};\n", "j.dat": b"\x00\x2a"},
         stdout=b"0\n0\n", status=1),
    # Messages, the usage text and --help are not colored.
    Case("help-not-colored", [], shell="{vesk} --color --help | grep -c $(printf '\\033') || true",
         stdout=b"0\n"),
]
