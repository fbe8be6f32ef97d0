from vesk_e2e import Case, lines

# Plain dump rules that the other dump cases leave out: characters split at
# every position of a line end and of a block end (JIS, EUC-JP, UTF-8), the
# header block's prefixes under -C and -D, block numbers that outgrow the
# prefix, and repeats decided by the characters under -C.
#
# 4 bytes a line: columns 0-11 prefix, 13-22 hex groups, 23 "|", 25-28
# characters, 29 blank (or a character's second half), 30 "|".


def row4(left: bytes, chars: bytes) -> bytes:
    line = left.ljust(23) + b"| " + chars.ljust(5) + b"|"
    assert len(line) == 31
    return line


def row16(left: bytes, chars: bytes) -> bytes:
    line = left.ljust(53) + b"| " + chars.ljust(17) + b"|"
    assert len(line) == 73
    return line


SCALE4 = b"              0 1  2 3   0123"
SCALE16 = b"              0 1  2 3  4 5  6 7  8 9  A B  C D  E F   0123456789ABCDEF"
SCALE16_CHARS = b"             0123456789ABCDEF"
SCALE16_CHARS_DEC = b"             0123456789012345"
SCALE8_CHARS_DEC = b"             01234567"
MARKER = b"      ...."

# Blocks of 3 bytes: an escape sequence begun in a block's last byte is found
# through the look-ahead and goes on in the next block (with -j its two bytes
# show); a kanji pair begun in a block's last byte is shown whole there and
# the next block leaves its first column blank.
JIS_BLOCKS = b"AB\x1b$B0!0!\x1b(BA"

# Three-byte and two-byte EUC codes begun in a block's last two bytes.
EUC_BLOCKS = b"AAA\x8f" b"\xf3\xf3BB" b"AA\x8f\xf3" b"\xf3AB\xa4" b"\xa2C"

# U+20B9F (Shift_JIS 0x9873) split after 2, 1 and 3 of its 4 bytes.
UTF8_FOUR = b"AA\xf0\xa0" b"\xae\x9fA\xf0" b"\xa0\xae\x9fA" b"A\xf0\xa0\xae" b"\x9fA"

# Two-byte codes and codes with a single-byte Shift_JIS form, split: U+00A7
# (0x8198) and U+00A5 (0x5C) after 1 byte, U+FF71 (0xB1) after 2 and 1; an
# overlong 4-byte form of "A" (F0 80 81 81), which is no UTF-8 (a point a
# byte), after 2 and 3.
UTF8_SHORT = (b"AAA\xc2" b"\xa7AA\xc2" b"\xa5A\xef\xbd" b"\xb1AA\xef" b"\xbd\xb1\xf0\x80"
              b"\x81\x81AA" b"A\xf0\x80\x81" b"\x81B")


def sparse_file(tmp):
    # Byte 0x100000 lies in block 0x100000 with -d1 (a zero byte).
    with open(tmp + "/big.bin", "wb") as f:
        f.truncate(0x100001)


CASES = [
    Case("jis-escape-and-kanji-across-blocks", ["-j", "-b4", "-d3", "in.bin"], files={"in.bin": JIS_BLOCKS},
         stdout=lines(SCALE4,
                      row4(b" 0000 0000   4142 1b", b"AB."),
                      row4(b" 0001 0000   2442 30", b"$B\x88\x9f"),
                      row4(b" 0002 0000   2130 21", b" \x88\x9f"),
                      row4(b" 0003 0000   1b28 42", b".(B"),
                      row4(b" 0004 0000   41", b"A"))),

    # 3 bytes with 1 on the block: ".", " |", the rest starts the next block;
    # 3 with 2: "|" after it; 2 with 1: "|" after it.
    Case("euc-split-across-blocks", ["-E", "-b4", "-d4", "in.bin"], files={"in.bin": EUC_BLOCKS},
         stdout=lines(SCALE4,
                      row4(b" 0000 0000   4141 418f", b"AAA."),
                      row4(b" 0001 0000   f3f3 4242", b"\xfa\x40BB"),
                      b" 0002 0000   4141 8ff3 | AA.\xfa\x40|",
                      b" 0003 0000   f341 42a4 |  AB\x82\xa0|",
                      row4(b" 0004 0000   a243", b" C"))),

    Case("utf8-four-byte-splits", ["-U", "-b4", "in.bin"], files={"in.bin": UTF8_FOUR},
         stdout=lines(SCALE4,
                      row4(b" 0000 0000   4141 f0a0", b"AA\x98\x73"),
                      b"      0004   ae9f 41f0 | ..A\x98\x73|",
                      row4(b"      0008   a0ae 9f41", b" ..A"),
                      row4(b"      000C   41f0 a0ae", b"A\x98\x73."),
                      row4(b"      0010   9f41", b".A"))),

    Case("utf8-short-and-single-byte-splits", ["-U", "-b4", "in.bin"], files={"in.bin": UTF8_SHORT},
         stdout=lines(SCALE4,
                      b" 0000 0000   4141 41c2 | AAA\x81\x98|",
                      row4(b"      0004   a741 41c2", b" AA\\"),
                      row4(b"      0008   a541 efbd", b".A\xb1."),
                      row4(b"      000C   b141 41ef", b".AA\xb1"),
                      row4(b"      0010   bdb1 f080", b"...."),
                      row4(b"      0014   8181 4141", b"..AA"),
                      row4(b"      0018   41f0 8081", b"A..."),
                      row4(b"      001C   8142", b".B"))),

    # The header block's first line keeps " HEAD 0000  " (no bar under -C);
    # its other lines carry decimal offsets under -D.
    Case("header-chars-only-decimal", ["-C", "-D", "-b8", "-h10", "in.bin"], files={"in.bin": b"0123456789KLMN"},
         stdout=lines(SCALE8_CHARS_DEC,
                      b" HEAD 0000   01234567 |",
                      b"      0008 | 89       |",
                      b" 0000 0000 | KLMN     |")),

    # Six hex digits (seven decimal) push the prefix to column 13, where the
    # hex part, or with -C the character column, writes over its last blank
    # or bar.
    Case("hex-six-digit-block", ["-A", "-d1", "-n100000", "big.bin"], setup=sparse_file,
         stdout=lines(SCALE16, row16(b" 100000 0000 00", b"."))),
    Case("decimal-seven-digit-block-chars-only", ["-C", "-A", "-D", "-d1", "-n1048576", "big.bin"],
         setup=sparse_file,
         stdout=lines(SCALE16_CHARS_DEC, b"1048576 0000 ." + b" " * 16 + b"|")),

    # With -C the bytes decide too: zero bytes and 0x01 bytes both show as
    # points, but the second line holds other bytes and is no repeat; the
    # third repeats it.
    Case("repeats-by-characters-only", ["-C", "in.bin"],
         files={"in.bin": bytes(16) + b"\x01" * 32 + b"B"},
         stdout=lines(SCALE16_CHARS,
                      b" 0000 0000 | " + b"." * 16 + b" |",
                      b"      0010 | " + b"." * 16 + b" |",
                      MARKER,
                      b"      0030 | B" + b" " * 16 + b"|")),
    Case("repeats-by-hex-digits", ["in.bin"], files={"in.bin": bytes(16) + b"\x01" * 16},
         stdout=lines(SCALE16,
                      row16(b" 0000 0000   " + b"0000 " * 8, b"." * 16),
                      row16(b"      0010   " + b"0101 " * 8, b"." * 16))),
    # A run of repeats still open when the block range ends gives the marker.
    Case("repeats-open-at-the-range-end", ["-d32", "-n0", "in.bin"], files={"in.bin": bytes(64)},
         stdout=lines(SCALE16, row16(b" 0000 0000   " + b"0000 " * 8, b"." * 16), MARKER)),
]
