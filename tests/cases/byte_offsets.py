"""--skip-bytes=N and --read-bytes=N pick the blocks that hold a byte range:
the first block shown holds byte N, the last holds byte N + R - 1 (without
--read-bytes, the dump runs to the end of the file). Positions count from the
start of the file: with -h the header block holds the first bytes and is
shown when the range starts in it. The final -h and -d apply, wherever they
stand. Not with -n, an end code, or outside the plain dump.

The input is the 64 bytes 00 to 3F, dumped -A -b8 -d16: each block two lines
of eight bytes; the prefix (" 0001 0000", or six blanks and the offset), the
hex groups from column 13, "| " at 33, the characters (a point for a
control) padded to 9 columns, the bar."""
from vesk_e2e import Case, lines

SCALE8 = "              0 1  2 3  4 5  6 7   01234567"
DATA = bytes(range(64))
IN = {"in.bin": DATA}
ARGS = ["-A", "-b8", "-d16"]


def row(left, data):
    hexes = " ".join(data[i:i + 2].hex() for i in range(0, len(data), 2))
    chars = "".join(chr(c) if 0x20 <= c < 0x7F else "." for c in data)
    return (left + "   " + hexes).ljust(33) + "| " + chars.ljust(9) + "|"


def block(label, data):
    """The lines of one block: its label on the first, the offset on the rest."""
    return [row(label if o == 0 else "      %04X" % o, data[o:o + 8]) for o in range(0, len(data), 8)]


def blocks(*numbers, header=0):
    out = []
    for b in numbers:
        start = header + 16 * b
        out += block(" %04X 0000" % b, DATA[start:start + 16])
    return out


HEAD10 = block(" HEAD 0000", DATA[:10])


def dump(*rows):
    return lines(SCALE8, *rows)


def refused(name, args, message):
    return Case(name, args + ["in.bin"], files=IN, stderr=message, status=1)


CASES = [
    Case("skip-and-read", ARGS + ["--skip-bytes=20", "--read-bytes=0x10", "in.bin"], files=IN,
         stdout=dump(*blocks(1, 2))),
    Case("skip-to-the-end", ARGS + ["--skip-bytes=0x30", "in.bin"], files=IN, stdout=dump(*blocks(3))),
    Case("read-one-byte", ARGS + ["--read-bytes=1", "in.bin"], files=IN, stdout=dump(*blocks(0))),
    Case("one-whole-block", ARGS + ["--skip-bytes=16", "--read-bytes=16", "in.bin"], files=IN,
         stdout=dump(*blocks(1))),
    Case("two-bytes-over-a-block-end", ARGS + ["--skip-bytes=15", "--read-bytes=2", "in.bin"], files=IN,
         stdout=dump(*blocks(0, 1))),
    # The options anywhere; -d after them still sets the block size.
    Case("d-after-the-options", ["--skip-bytes=32", "-A", "in.bin", "-b8", "-d", "16"], files=IN,
         stdout=dump(*blocks(2, 3))),
    # -h10: bytes 0-9 are the header block, the data blocks start at byte 10.
    Case("header-only", ARGS + ["-h10", "--skip-bytes=4", "--read-bytes=3", "in.bin"], files=IN,
         stdout=dump(*HEAD10)),
    Case("header-and-block-0", ARGS + ["-h10", "--skip-bytes=4", "--read-bytes=7", "in.bin"], files=IN,
         stdout=dump(*HEAD10, *blocks(0, header=10))),
    Case("after-the-header", ARGS + ["-h10", "--skip-bytes=26", "in.bin"], files=IN,
         stdout=dump(*blocks(1, 2, header=10), *block(" 0003 0000", DATA[58:]))),
    # -D shows the block numbers in decimal; the byte values are the same.
    Case("decimal-numbers", ["-D", "-A", "-b8", "-d4", "--skip-bytes=40", "--read-bytes=8", "in.bin"], files=IN,
         stdout=dump(row(" 0010 0000", DATA[40:44]), row(" 0011 0000", DATA[44:48]))),
    # K: 1024 bytes of zeros then "Zzz" in blocks of 1024: block 1.
    Case("k-suffix", ["-A", "-d1024", "--skip-bytes=1k", "big.bin"], files={"big.bin": bytes(1024) + b"Zzz"},
         stdout=lines("              0 1  2 3  4 5  6 7  8 9  A B  C D  E F   0123456789ABCDEF",
                      " 0001 0000   5a7a 7a".ljust(53) + "| " + "Zzz".ljust(17) + "|")),
    # A pipe is read through to the first block.
    Case("pipe", [], shell="cat in.bin | {vesk} -A -b8 -d16 --skip-bytes=32 -", files=IN,
         stdout=dump(*blocks(2, 3))),
    # Past the end of the file: the block that would hold the byte is named.
    Case("past-the-end", ARGS + ["--skip-bytes=1G", "in.bin"], files=IN,
         stderr=b"vesk: block 4000000 is past the end of the file (last block 3)\n", status=1),

    refused("with-n", ARGS + ["-n1", "--skip-bytes=3"], b"--skip-bytes=3: not with -n\n"),
    refused("with-n-after", ["--read-bytes=3", "-n1"], b"--read-bytes=3: not with -n\n"),
    refused("with-end-code", ["-x0a", "--read-bytes=3"], b"--read-bytes=3: not with an end code (-t, -x)\n"),
    Case("formatted", ["--skip-bytes=3", "-f", "one.fmt", "in.bin"],
         files=dict(IN, **{"one.fmt": b"#BLNO 0 &\nstruct A {\n char c;\n};\n"}),
         stderr=b"--skip-bytes=3: for the plain dump only\n", status=1),
    refused("read-zero", ["--read-bytes=0"], b"--read-bytes=0: invalid number of bytes\n"),
    refused("negative", ["--skip-bytes=-5"], b"--skip-bytes=-5: invalid number of bytes\n"),
    refused("unknown-suffix", ["--skip-bytes=1T"], b"--skip-bytes=1T: invalid number of bytes\n"),
    refused("past-2-to-the-62", ["--skip-bytes=4611686018427387905"],
            b"--skip-bytes=4611686018427387905: invalid number of bytes\n"),
    refused("past-the-last-block-number", ["-d1", "--skip-bytes=0x4000000000001"],
            b"--skip-bytes=0x4000000000001: past the last block number\n"),
]
