from vesk_e2e import Case, lines

# Paging of the plain dump: the position heading at the top of every page,
# -p<n>, -p0, -pb (a page per block), and the heading's forms.


def row8(left: bytes, chars: bytes) -> bytes:
    line = left.ljust(33) + b"| " + chars.ljust(9) + b"|"
    assert len(line) == 45
    return line


SCALE8 = b"              0 1  2 3  4 5  6 7   01234567"
SCALE16 = b"              0 1  2 3  4 5  6 7  8 9  A B  C D  E F   0123456789ABCDEF"
SCALE16_DEC = b"              0 1  2 3  4 5  6 7  8 9  0 1  2 3  4 5   0123456789012345"
SCALE8_CHARS = b"             01234567"
SCALE32 = (b"              0 1  2 3  4 5  6 7  8 9  A B  C D  E F  0 1  2 3  4 5  6 7  8 9  A B  C D  E F"
           b"   0123456789ABCDEF0123456789ABCDEF")
assert len(SCALE16) == 71 and len(SCALE32) == 127

ZERO_LINES = [row8((b" 0000 0000   " if o == 0 else b"      %04X   " % o) + b"0000 " * 4, b"........")
              for o in range(0, 72, 8)]
PAGED = b"HEADabcdefghABCDEFGH"
PAGED_LINES = lines(SCALE8, row8(b" HEAD 0000   4845 4144", b"HEAD"),
                    SCALE8, row8(b" 0000 0000   6162 6364 6566 6768", b"abcdefgh"),
                    SCALE8, row8(b" 0001 0000   4142 4344 4546 4748", b"ABCDEFGH"))

CASES = [
    # A page of 5 lines: the heading and 4 dump lines.
    Case("page-of-five", ["-L", "-b8", "-p5", "in.bin"], files={"in.bin": bytes(72)},
         stdout=lines(SCALE8, *ZERO_LINES[0:4], SCALE8, *ZERO_LINES[4:8], SCALE8, ZERO_LINES[8])),
    Case("page-default-24", ["-L", "-b8", "in.bin"], files={"in.bin": bytes(8 * 30)},
         stdout=lines(SCALE8, *[row8((b" 0000 0000   " if o == 0 else b"      %04X   " % o) + b"0000 " * 4,
                                     b"........") for o in range(0, 23 * 8, 8)],
                      SCALE8, *[row8(b"      %04X   " % o + b"0000 " * 4, b"........")
                                for o in range(23 * 8, 30 * 8, 8)])),
    Case("page-zero-heads-only-the-top", ["-L", "-b8", "-p0", "in.bin"], files={"in.bin": bytes(72)},
         stdout=lines(SCALE8, *ZERO_LINES)),
    # The marker line counts toward the page.
    Case("page-counts-the-marker", ["-p3", "in.bin"], files={"in.bin": bytes(64) + b"A"},
         stdout=lines(SCALE16,
                      b" 0000 0000   " + b"0000 " * 8 + b"| " + b"." * 16 + b" |",
                      b"      ....",
                      SCALE16,
                      b"      0040   41" + b" " * 38 + b"| A" + b" " * 16 + b"|")),
    # -pb: every block, the header block too, starts a page; -p32000 is the same.
    Case("page-per-block", ["-pb", "-b8", "-h4", "-d8", "in.bin"], files={"in.bin": PAGED},
         stdout=PAGED_LINES),
    Case("page-32000-is-per-block", ["-p32000", "-b8", "-h4", "-d8", "in.bin"], files={"in.bin": PAGED},
         stdout=PAGED_LINES),
    # Heading forms.
    Case("heading-decimal", ["-D", "in.bin"], files={"in.bin": b"A"},
         stdout=lines(SCALE16_DEC, b" 0000 0000   41" + b" " * 38 + b"| A" + b" " * 16 + b"|")),
    Case("heading-chars-only", ["-C", "-b8", "in.bin"], files={"in.bin": b"ABCDEFGH"},
         stdout=lines(SCALE8_CHARS, b" 0000 0000 | ABCDEFGH |")),
    Case("heading-32-bytes", ["-b32", "in.bin"], files={"in.bin": b"A"},
         stdout=lines(SCALE32, b" 0000 0000   41" + b" " * 78 + b"| A" + b" " * 32 + b"|")),
]
