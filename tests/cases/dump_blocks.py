from vesk_e2e import Case, lines

# Block handling of the plain dump: header block, end codes, block ranges (by a
# seek or by decoding through), the end of the file, and input from a pipe.
#
# 8 bytes a line: columns 0-11 prefix, 13-32 hex groups, 33 "|", 35-42
# characters, 43 blank, 44 "|".


def row8(left: bytes, chars: bytes) -> bytes:
    line = left.ljust(33) + b"| " + chars.ljust(9) + b"|"
    assert len(line) == 45
    return line


SCALE8 = b"              0 1  2 3  4 5  6 7   01234567"
assert len(SCALE8) == 43

ABCDE = b"AAAABBBBCCCCDDDDEEEE"
SPLIT = b"AAA\x82\xa0BBBCCCC"
HDR = b"HDRaaaabbbbcccc"


def pipe(args: str) -> str:
    return "cat in.bin | {vesk} " + args + " /dev/stdin"


def both(name, args, data, stdout):
    """The same run on the file and on a pipe that cannot seek."""
    return [
        Case(name, args + ["in.bin"], files={"in.bin": data}, stdout=stdout),
        Case(name + "-pipe", [], shell=pipe(" ".join(args)), files={"in.bin": data}, stdout=stdout),
    ]


CASES = [
    # End codes: the block ends just after the code; at the end of the file the
    # rest is cut into all its blocks.
    Case("text-code", ["-b8", "-tX", "in.bin"], files={"in.bin": b"abXcdefXgh"},
         stdout=lines(SCALE8,
                      row8(b" 0000 0000   6162 58", b"abX"),
                      row8(b" 0001 0000   6364 6566 58", b"cdefX"),
                      row8(b" 0002 0000   6768", b"gh"))),
    Case("hex-code-crlf", ["-b8", "-x0d0a", "in.bin"], files={"in.bin": b"ab\r\ncd\r\n"},
         stdout=lines(SCALE8,
                      row8(b" 0000 0000   6162 0d0a", b"ab.."),
                      row8(b" 0001 0000   6364 0d0a", b"cd.."))),
    Case("two-byte-text-code", ["-b8", "-tXY", "in.bin"], files={"in.bin": b"aXYbXYc"},
         stdout=lines(SCALE8,
                      row8(b" 0000 0000   6158 59", b"aXY"),
                      row8(b" 0001 0000   6258 59", b"bXY"),
                      row8(b" 0002 0000   63", b"c"))),
    # The rest after a code is carried; the next read tops it up to -d bytes.
    Case("code-with-carry", ["-b8", "-d8", "-tX", "in.bin"], files={"in.bin": b"abXcdefghXij"},
         stdout=lines(SCALE8,
                      row8(b" 0000 0000   6162 58", b"abX"),
                      row8(b" 0001 0000   6364 6566 6768 58", b"cdefghX"),
                      row8(b" 0002 0000   696a", b"ij"))),
    Case("code-ending-the-file", ["-b8", "-tX", "in.bin"], files={"in.bin": b"aXbXcX"},
         stdout=lines(SCALE8,
                      row8(b" 0000 0000   6158", b"aX"),
                      row8(b" 0001 0000   6258", b"bX"),
                      row8(b" 0002 0000   6358", b"cX"))),
    # A line longer than the block size is cut into blocks of -d bytes.
    Case("code-line-longer-than-block", ["-b8", "-d4", "-x0a", "in.bin"], files={"in.bin": b"abcdefg\nhi\n"},
         stdout=lines(SCALE8,
                      row8(b" 0000 0000   6162 6364", b"abcd"),
                      row8(b" 0001 0000   6566 670a", b"efg."),
                      row8(b" 0002 0000   6869 0a", b"hi."))),
    # A block is shown when its own number is in the range.
    Case("code-single-block", ["-b8", "-tX", "-n1", "in.bin"], files={"in.bin": b"aXbXcX"},
         stdout=lines(SCALE8, row8(b" 0001 0000   6258", b"bX"))),

    # Blocks cut from the rest at the end of the file past the range are not
    # shown, and their repeated lines give no marker.
    Case("code-repeats-in-a-hidden-last-block", ["-b4", "-tZ", "-n1", "in.bin"],
         files={"in.bin": b"aZbZcccccccc"},
         stdout=lines(b"              0 1  2 3   0123",
                      b" 0001 0000   625a      | bZ   |")),
    # A code whose first byte is a blank counts as no code.
    Case("code-beginning-with-a-blank", ["-b8", "-d4", "-t a", "in.bin"], files={"in.bin": b"xx aaaa"},
         stdout=lines(SCALE8,
                      row8(b" 0000 0000   7878 2061", b"xx a"),
                      row8(b" 0001 0000   6161 61", b"aaa"))),

    # Header block.
    Case("header-block", ["-b8", "-h3", "-d4", "in.bin"], files={"in.bin": HDR},
         stdout=lines(SCALE8,
                      row8(b" HEAD 0000   4844 52", b"HDR"),
                      row8(b" 0000 0000   6161 6161", b"aaaa"),
                      row8(b" 0001 0000   6262 6262", b"bbbb"),
                      row8(b" 0002 0000   6363 6363", b"cccc"))),
    Case("header-of-two-lines", ["-b8", "-h10", "in.bin"], files={"in.bin": b"0123456789ab"},
         stdout=lines(SCALE8,
                      row8(b" HEAD 0000   3031 3233 3435 3637", b"01234567"),
                      row8(b"      0008   3839", b"89"),
                      row8(b" 0000 0000   6162", b"ab"))),
    Case("header-hidden-for-a-single-block", ["-b8", "-h3", "-d4", "-n1", "in.bin"], files={"in.bin": HDR},
         stdout=lines(SCALE8, row8(b" 0001 0000   6262 6262", b"bbbb"))),
    Case("header-longer-than-the-file", ["-b8", "-h10", "in.bin"], files={"in.bin": b"abcd"},
         stdout=lines(SCALE8, row8(b" HEAD 0000   6162 6364", b"abcd"))),

    # End of file.
    Case("empty-file", ["in.bin"], files={"in.bin": b""}, stdout=b""),
    Case("empty-file-with-header", ["-h4", "in.bin"], files={"in.bin": b""}, stdout=b""),
    Case("exact-multiple-of-the-block-size", ["-b8", "-d4", "in.bin"], files={"in.bin": b"aaaabbbb"},
         stdout=lines(SCALE8,
                      row8(b" 0000 0000   6161 6161", b"aaaa"),
                      row8(b" 0001 0000   6262 6262", b"bbbb"))),
]

# Block ranges: -A and -K reach the first block by a seek (on a pipe, by
# reading forward); the other modes decode the blocks before it.
CASES += both("range-by-seek", ["-A", "-b8", "-d4", "-n2,3"], ABCDE,
              lines(SCALE8,
                    row8(b" 0002 0000   4343 4343", b"CCCC"),
                    row8(b" 0003 0000   4444 4444", b"DDDD")))
CASES += both("range-by-seek-kana", ["-K", "-b8", "-d4", "-n3"], ABCDE,
              lines(SCALE8, row8(b" 0003 0000   4444 4444", b"DDDD")))
CASES += both("range-by-seek-with-header", ["-A", "-b8", "-h3", "-d4", "-n1,2"], HDR,
              lines(SCALE8,
                    row8(b" HEAD 0000   4844 52", b"HDR"),
                    row8(b" 0001 0000   6262 6262", b"bbbb"),
                    row8(b" 0002 0000   6363 6363", b"cccc")))
# Past the end of the input: a message naming its last block (-n reads hex).
PAST_END = [Case(c.name, c.args, files=c.files, shell=c.shell, stdout=b"",
                 stderr=b"vesk: block 10 is past the end of the file (last block 1)\n", status=1)
            for c in both("range-by-seek-past-the-end", ["-A", "-b8", "-d4", "-n10"], ABCDE[:8], b"")]
CASES += PAST_END
# Block 0 ends with a lead byte: decoded through, block 1 leaves its first
# column blank; reached by a seek, its first byte is a lone 0xA0.
CASES += both("range-decoded-through", ["-b8", "-d4", "-n1,2"], SPLIT,
              lines(SCALE8,
                    row8(b" 0001 0000   a042 4242", b" BBB"),
                    row8(b" 0002 0000   4343 4343", b"CCCC")))
CASES += both("range-by-seek-split-char", ["-A", "-b8", "-d4", "-n1,2"], SPLIT,
              lines(SCALE8,
                    row8(b" 0001 0000   a042 4242", b".BBB"),
                    row8(b" 0002 0000   4343 4343", b"CCCC")))
# The look-ahead on a pipe.
CASES += both("look-ahead", ["-b8", "-d4"], SPLIT,
              lines(SCALE8,
                    row8(b" 0000 0000   4141 4182", b"AAA\x82\xa0"),
                    row8(b" 0001 0000   a042 4242", b" BBB"),
                    row8(b" 0002 0000   4343 4343", b"CCCC")))
CASES += both("code-with-carry", ["-b8", "-d8", "-tX"], b"abXcdefghXij",
              lines(SCALE8,
                    row8(b" 0000 0000   6162 58", b"abX"),
                    row8(b" 0001 0000   6364 6566 6768 58", b"cdefghX"),
                    row8(b" 0002 0000   696a", b"ij")))[1:]
