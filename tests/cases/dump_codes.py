from vesk_e2e import Case, lines

# The character column in each character mode, and characters split across a
# line end or a block end.


def row16(left: bytes, chars: bytes) -> bytes:
    line = left.ljust(53) + b"| " + chars.ljust(17) + b"|"
    assert len(line) == 73
    return line


SCALE16 = b"              0 1  2 3  4 5  6 7  8 9  A B  C D  E F   0123456789ABCDEF"
SCALE4 = b"              0 1  2 3   0123"
A15 = b"4141 " * 7

JIS = b"\x1b$B0!\x1b(BA"
JIS_HEX = b" 0000 0000   1b24 4230 211b 2842 41"

CASES = [
    # JIS: escape sequences as three points (or a point and their two bytes
    # with -j), the kanji 0x3021 as Shift_JIS 0x889F.
    Case("jis-kanji", ["-J", "in.bin"], files={"in.bin": JIS},
         stdout=lines(SCALE16, row16(JIS_HEX, b"...\x88\x9f...A"))),
    Case("jis-kanji-with-control-codes", ["-j", "in.bin"], files={"in.bin": JIS},
         stdout=lines(SCALE16, row16(JIS_HEX, b".$B\x88\x9f.(BA"))),
    Case("jis-kana", ["-J", "in.bin"], files={"in.bin": b"\x1b(I12\x1b(B"},
         stdout=lines(SCALE16, row16(b" 0000 0000   1b28 4931 321b 2842", b"...\xb1\xb2..."))),
    # A kanji pair begun in a line's last byte: shown whole before the bar.
    Case("jis-kanji-split-at-line-end", ["-J", "-b4", "in.bin"], files={"in.bin": b"\x1b$B0!"},
         stdout=lines(SCALE4,
                      b" 0000 0000   1b24 4230 | ...\x88\x9f|",
                      b"      0004   21        |      |")),
    # The state lives across blocks, also through blocks that are not shown.
    Case("jis-state-from-a-hidden-block", ["-J", "-d3", "-n1", "in.bin"],
         files={"in.bin": b"\x1b$B0!\x1b(B"},
         stdout=lines(SCALE16, row16(b" 0001 0000   3021 1b", b"\x88\x9f."))),

    # EUC-JP: kana, kanji, two 3-byte codes of JIS X 0212: the breve (˘),
    # which Shift_JIS lacks (a point a byte), and ⅰ (FA 40 after a point).
    Case("euc-codes", ["-E", "in.bin"],
         files={"in.bin": b"\x8e\xb1\xa4\xa2\x8f\xa2\xaf\x8f\xf3\xf3A"},
         stdout=lines(SCALE16, row16(b" 0000 0000   8eb1 a4a2 8fa2 af8f f3f3 41",
                                     b".\xb1\x82\xa0....\xfa\x40A"))),
    # A character that ends a short line leaves the bar where it stands on
    # every line.
    Case("euc-character-ending-a-short-line", ["-E", "in.bin"], files={"in.bin": b"A\xa4\xa2"},
         stdout=lines(SCALE16, row16(b" 0000 0000   41a4 a2", b"A\x82\xa0"))),
    Case("euc-2-byte-split", ["-E", "in.bin"], files={"in.bin": b"A" * 15 + b"\xa4\xa2B"},
         stdout=lines(SCALE16,
                      row16(b" 0000 0000   " + A15 + b"41a4", b"A" * 15 + b"\x82\xa0"),
                      row16(b"      0010   a242", b" B"))),
    Case("euc-3-byte-split-after-1", ["-E", "in.bin"], files={"in.bin": b"A" * 15 + b"\x8f\xf3\xf3B"},
         stdout=lines(SCALE16,
                      row16(b" 0000 0000   " + A15 + b"418f", b"A" * 15 + b"."),
                      row16(b"      0010   f3f3 42", b"\xfa\x40B"))),
    Case("euc-3-byte-split-after-2", ["-E", "in.bin"], files={"in.bin": b"A" * 14 + b"\x8f\xf3\xf3B"},
         stdout=lines(SCALE16,
                      row16(b" 0000 0000   " + b"4141 " * 7 + b"8ff3", b"A" * 14 + b".\xfa\x40"),
                      row16(b"      0010   f342", b" B"))),

    # UTF-8: hiragana, half-width kana, a 4-byte character, an unmapped one.
    Case("utf8-codes", ["-U", "in.bin"],
         files={"in.bin": b"\xe3\x81\x82\xef\xbd\xb1\xf0\xa0\xae\x9f\xf0\x9f\x98\x80A"},
         stdout=lines(SCALE16, row16(b" 0000 0000   e381 82ef bdb1 f0a0 ae9f f09f 9880 41",
                                     b"\x82\xa0.\xb1..\x98\x73......A"))),
    Case("utf8-character-ending-a-short-line", ["-U", "in.bin"], files={"in.bin": b"A\xe3\x81\x82"},
         stdout=lines(SCALE16, row16(b" 0000 0000   41e3 8182", b"A\x82\xa0."))),
    # A 3-byte character starting in a line's last byte: its two columns and
    # the bar; the next line starts with " ." and decodes from its third byte.
    Case("utf8-split-after-1", ["-U", "in.bin"], files={"in.bin": b"A" * 15 + b"\xe3\x81\x82B"},
         stdout=lines(SCALE16,
                      row16(b" 0000 0000   " + A15 + b"41e3", b"A" * 15 + b"\x82\xa0"),
                      row16(b"      0010   8182 42", b" .B"))),
    # Two bytes on the line: " |||" after it, cut to " |" by the line end.
    Case("utf8-split-after-2", ["-U", "in.bin"], files={"in.bin": b"A" * 14 + b"\xe3\x81\x82B"},
         stdout=lines(SCALE16,
                      row16(b" 0000 0000   " + b"4141 " * 7 + b"e381", b"A" * 14 + b"\x82\xa0"),
                      row16(b"      0010   8242", b".B"))),

    # A lead byte in the file's last byte begins no character: a point (never
    # completed with what an earlier block left in the buffer, here "A").
    Case("utf8-lead-ending-the-file", ["-U", "-b4", "-d4", "in.bin"], files={"in.bin": b"AAAAB\xe3"},
         stdout=lines(SCALE4,
                      b" 0000 0000   4141 4141 | AAAA |",
                      b" 0001 0000   42e3      | B.   |")),

    # Shift_JIS: a lead byte ending a block is completed from the look-ahead.
    Case("sjis-split-across-blocks", ["-d16", "in.bin"], files={"in.bin": b"A" * 15 + b"\x82\xa0B"},
         stdout=lines(SCALE16,
                      row16(b" 0000 0000   " + A15 + b"4182", b"A" * 15 + b"\x82\xa0"),
                      row16(b" 0001 0000   a042", b" B"))),
    # No look-ahead after the header: a lead byte there meets a zero byte.
    Case("sjis-lead-ending-the-header", ["-h2", "in.bin"], files={"in.bin": b"A\x81\x82\xa0"},
         stdout=lines(SCALE16,
                      row16(b" HEAD 0000   4181", b"A."),
                      row16(b" 0000 0000   82a0", b"\x82\xa0"))),
    Case("ascii-only-kana-byte", ["-A", "in.bin"], files={"in.bin": b"\xb1"},
         stdout=lines(SCALE16, row16(b" 0000 0000   b1", b"."))),
    Case("kana-mode-kana-byte", ["-K", "in.bin"], files={"in.bin": b"\xb1\x82\xa0"},
         stdout=lines(SCALE16, row16(b" 0000 0000   b182 a0", b"\xb1.."))),
    Case("sjis-kana-byte", ["in.bin"], files={"in.bin": b"\xb1"},
         stdout=lines(SCALE16, row16(b" 0000 0000   b1", b"\xb1"))),
]
