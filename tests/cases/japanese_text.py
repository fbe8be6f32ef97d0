"""Real Japanese text in each encoding the character column reads.

One sentence, ended by a line feed, is encoded as Shift_JIS, EUC-JP,
ISO-2022-JP and UTF-8 and dumped characters-only (-C) on one line of 80
bytes with the matching character mode. Every character shows in its
Shift_JIS form, one column a byte: a character of more bytes is followed by
points, an escape sequence of JIS shows as three points (with -j as a point
and its two printable bytes), the line feed as a point. The UTF-8 text is
also dumped sixteen bytes a line, where characters straddle the line ends."""
from vesk_e2e import Case, lines

SENTENCE = "これは日本語の文章です。vesk で読めます。"
TEXT = SENTENCE + "\n"
KANJI_RUNS = ("これは日本語の文章です。", "で読めます。")
WIDTH = 80


def sj(text):
    return text.encode("cp932")


ENCODED = {
    "sjis": TEXT.encode("cp932"),
    "euc": TEXT.encode("euc_jp"),
    "jis": TEXT.encode("iso2022_jp"),
    "utf8": TEXT.encode("utf-8"),
}
# ISO-2022-JP switches to kanji with ESC $ B and back with ESC ( B.
assert ENCODED["jis"] == (b"\x1b$B" + KANJI_RUNS[0].encode("iso2022_jp")[3:-3] + b"\x1b(B"
                          + b"vesk " + b"\x1b$B" + KANJI_RUNS[1].encode("iso2022_jp")[3:-3]
                          + b"\x1b(B\n")

# The character column of each dump, by the rules above.
SJIS_COLUMN = sj(SENTENCE) + b"."            # Shift_JIS and EUC-JP: 2 bytes, 2 columns


def jis_column(escape):
    return (escape(b"$B") + sj(KANJI_RUNS[0]) + escape(b"(B") + b"vesk "
            + escape(b"$B") + sj(KANJI_RUNS[1]) + escape(b"(B") + b".")


UTF8_COLUMN = b"".join(sj(c) + b"." if ord(c) > 0x7F else c.encode() for c in SENTENCE) + b"."

COLUMNS = {
    "sjis": SJIS_COLUMN,
    "euc": SJIS_COLUMN,
    "jis": jis_column(lambda seq: b"..."),
    "jis-shown": jis_column(lambda seq: b"." + seq),
    "utf8": UTF8_COLUMN,
}

# Each column, read back, holds the sentence's characters in order, and is
# one column a byte of its encoding.
for column in COLUMNS.values():
    back = column.decode("cp932")
    rest = iter(back)
    assert all(ch in rest for ch in SENTENCE), back
for name, data in (("sjis", "sjis"), ("euc", "euc"), ("jis", "jis"), ("jis-shown", "jis"),
                   ("utf8", "utf8")):
    assert len(COLUMNS[name]) == len(ENCODED[data]), name


def characters_only(column):
    """Scale line, then one line: prefix, a blank, 80 columns, a blank, a bar."""
    assert len(column) <= WIDTH
    scale = b" " * 13 + b"".join(b"%X" % (i % 16) for i in range(WIDTH))
    line = b" 0000 0000 | " + column + b" " * (WIDTH - len(column)) + b" |"
    return lines(scale, line)


def case(name, mode, data):
    args = ([mode] if mode else []) + ["-C", "-b%d" % WIDTH, "text.txt"]
    return Case("japanese-" + name, args, files={"text.txt": ENCODED[data]},
                stdout=characters_only(COLUMNS[name]))


# UTF-8 at sixteen bytes a line (bytes 0-59): 語 (15-17) and め (47-49) start
# on a line's last byte and stand whole there, over the blank before the bar;
# the next line shows a blank and a point for their two bytes there. す (30-32)
# starts two bytes before a line end: two columns, and the next line starts
# with a point for its last byte.
U = ENCODED["utf8"]
SCALE = "              0 1  2 3  4 5  6 7  8 9  A B  C D  E F   0123456789ABCDEF"


def hex_line(prefix, data, column, closing=b" |"):
    groups = b"".join((data[j:j + 2].hex().encode() + b" ").ljust(5) for j in range(0, 16, 2))
    return prefix + b" " + groups + b"| " + column + closing


UTF8_LINES = lines(
    SCALE,
    hex_line(b" 0000 0000  ", U[0:16], sj("こ.れ.は.日.本.語"), b"|"),
    hex_line(b"      0010  ", U[16:32], b" ." + sj("の.文.章.で.す")),
    hex_line(b"      0020  ", U[32:48], b"." + sj("。.vesk で.読.め"), b"|"),
    hex_line(b"      0030  ", U[48:60], b" ." + sj("ま.す.。..") + b"    "))

CASES = [
    case("sjis", None, "sjis"),
    case("euc", "-E", "euc"),
    case("jis", "-J", "jis"),
    case("jis-shown", "-j", "jis"),
    case("utf8", "-U", "utf8"),
    Case("japanese-utf8-split-characters", ["-U", "text.txt"], files={"text.txt": U},
         stdout=UTF8_LINES),
]
