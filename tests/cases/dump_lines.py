from vesk_e2e import Case, lines

# Plain dump lines: prefix, hex pairs, character column, bars, repeats.
#
# 16 bytes a line: columns 0-11 prefix, 13-52 hex groups, 53 "|", 55-70
# characters, 71 blank (or a character's second half), 72 "|".


def row16(left: bytes, chars: bytes) -> bytes:
    line = left.ljust(53) + b"| " + chars.ljust(17) + b"|"
    assert len(line) == 73
    return line


SCALE16 = b"              0 1  2 3  4 5  6 7  8 9  A B  C D  E F   0123456789ABCDEF"
SCALE16_DEC = b"              0 1  2 3  4 5  6 7  8 9  0 1  2 3  4 5   0123456789012345"
SCALE16_CHARS = b"             0123456789ABCDEF"
SCALE16_CHARS_DEC = b"             0123456789012345"
assert len(SCALE16) == 71 and len(SCALE16_DEC) == 71

HELLO = b"Hello, World!\r\n\x82\xa0ABC\x00\x01"
HELLO_1 = b" 0000 0000   4865 6c6c 6f2c 2057 6f72 6c64 210d 0a82 | Hello, World!..\x82\xa0|"
HELLO_2 = b"      0010   a041 4243 0001                          |  ABC..           |"
assert len(HELLO_1) == 73 and len(HELLO_2) == 73

ZEROS_16 = row16(b" 0000 0000   " + b"0000 " * 8, b"." * 16)
MARKER = b"      ...."

# A file whose byte k is k mod 256: with -d1, block k holds the byte k mod 256.
BIG = bytes(i % 256 for i in range(0x10001))

CASES = [
    Case("hello-world", ["hello.txt"], files={"hello.txt": HELLO},
         stdout=lines(SCALE16, HELLO_1, HELLO_2)),
    Case("hello-world-chars-only", ["-C", "hello.txt"], files={"hello.txt": HELLO},
         stdout=lines(SCALE16_CHARS,
                      b" 0000 0000 | Hello, World!..\x82\xa0|",
                      b"      0010 |  ABC..           |")),

    # One byte a line: char_col 18; the group's three blanks cover the first bar.
    Case("one-byte-lines", ["-b1", "in.bin"], files={"in.bin": b"AB"},
         stdout=lines(b"              0   0",
                      b" 0000 0000   41   A |",
                      b"      0001   42   B |")),
    # Three bytes a line: char_col 23, bars at 21 and 27; a full line's unpaired
    # byte covers the first bar, a shorter line keeps it.
    Case("odd-bytes-per-line", ["-b3", "in.bin"], files={"in.bin": b"ABCDEFG"},
         stdout=lines(b"              0 1  2   012",
                      b" 0000 0000   4142 43   ABC |",
                      b"      0003   4445 46   DEF |",
                      b"      0006   47      | G   |")),
    Case("odd-bytes-per-line-short", ["-b3", "in.bin"], files={"in.bin": b"ABCDE"},
         stdout=lines(b"              0 1  2   012",
                      b" 0000 0000   4142 43   ABC |",
                      b"      0003   4445    | DE  |")),

    # Decimal numbering: block and offsets in decimal, heading digits 0-9.
    Case("decimal-prefixes", ["-D", "-d20", "in.bin"],
         files={"in.bin": b"abcdefghijklmnopqrstABCDEFGHIJKLMNOPQRST"},
         stdout=lines(SCALE16_DEC,
                      row16(b" 0000 0000   6162 6364 6566 6768 696a 6b6c 6d6e 6f70", b"abcdefghijklmnop"),
                      row16(b"      0016   7172 7374", b"qrst"),
                      row16(b" 0001 0000   4142 4344 4546 4748 494a 4b4c 4d4e 4f50", b"ABCDEFGHIJKLMNOP"),
                      row16(b"      0016   5152 5354", b"QRST"))),
    Case("decimal-block-12", ["-D", "-d1", "-n12", "big.bin"], files={"big.bin": BIG},
         stdout=lines(SCALE16_DEC, row16(b" 0012 0000   0c", b"."))),
    Case("decimal-five-digit-blocks", ["-A", "-D", "-d1", "-n12344,12345", "big.bin"],
         files={"big.bin": BIG},
         stdout=lines(SCALE16_DEC,
                      row16(b"12344 0000   38", b"8"),
                      row16(b"12345 0000   39", b"9"))),
    Case("decimal-five-digit-chars-only", ["-C", "-D", "-A", "-d1", "-n12345", "big.bin"],
         files={"big.bin": BIG},
         stdout=lines(SCALE16_CHARS_DEC, b"12345 0000 | 9" + b" " * 16 + b"|")),
    # A hex block number of five digits pushes the prefix to column 12.
    Case("hex-five-digit-block", ["-A", "-d1", "-n10000", "big.bin"], files={"big.bin": BIG},
         stdout=lines(SCALE16, row16(b" 10000 0000  00", b"."))),

    # Repeated lines.
    Case("repeats-to-the-end", ["in.bin"], files={"in.bin": bytes(64)},
         stdout=lines(SCALE16, ZEROS_16, MARKER)),
    Case("repeats-all-shown", ["-L", "in.bin"], files={"in.bin": bytes(64)},
         stdout=lines(SCALE16, ZEROS_16,
                      row16(b"      0010   " + b"0000 " * 8, b"." * 16),
                      row16(b"      0020   " + b"0000 " * 8, b"." * 16),
                      row16(b"      0030   " + b"0000 " * 8, b"." * 16))),
    Case("repeats-then-a-different-line", ["in.bin"], files={"in.bin": bytes(64) + b"A"},
         stdout=lines(SCALE16, ZEROS_16, MARKER, row16(b"      0040   41", b"A"))),
    # A block's first line is always kept; the marker of the previous block's
    # repeats comes before it.
    Case("repeats-in-two-equal-blocks", ["-d32", "in.bin"], files={"in.bin": bytes(64)},
         stdout=lines(SCALE16, ZEROS_16, MARKER,
                      row16(b" 0001 0000   " + b"0000 " * 8, b"." * 16), MARKER)),
    # Block 0 is not shown: its repeats give no marker, which stands only
    # between lines that are shown.
    Case("repeats-in-a-hidden-block", ["-d32", "-n1,2", "in.bin"],
         files={"in.bin": bytes(32) + b"A" * 16 + b"B" * 16 + b"C" * 16},
         stdout=lines(SCALE16,
                      row16(b" 0001 0000   " + b"4141 " * 8, b"A" * 16),
                      row16(b"      0010   " + b"4242 " * 8, b"B" * 16),
                      row16(b" 0002 0000   " + b"4343 " * 8, b"C" * 16))),
    # With -C the characters decide.
    Case("repeats-chars-only", ["-C", "in.bin"], files={"in.bin": b"A" * 32 + b"B"},
         stdout=lines(SCALE16_CHARS,
                      b" 0000 0000 | AAAAAAAAAAAAAAAA |",
                      MARKER,
                      b"      0020 | B" + b" " * 16 + b"|")),
]
