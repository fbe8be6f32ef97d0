"""Large inputs and the options made for them.

- The notice on standard error when the default range (blocks 0 to 7FFF) ended
  a dump while the input goes on, in the plain and the formatted dump, in hex
  and under -D, with and without the number of the input's last block.
- --all past block 7FFF: to the end of the file, with block numbers wider than
  the prefix moving the rest of the line (and the page heading) right.
- Block numbers far past the end of the file.
- A comparison of 5,001 + 5,001 blocks: refused without --all, reported with it.
- The comparison's --changes-only, --summary and --exit-code.

Inputs of more than 32,768 blocks are made of blocks of one or two bytes; far
block numbers lie in sparse files. Every expected line is put together from
the line layouts, column by column."""
import os

from vesk_e2e import Case


def lines(*texts):
    """Report lines, each followed by a newline (joined at once: the reports
    here run to tens of thousands of lines)."""
    return "".join(t + "\n" for t in texts).encode("latin-1")

DEFAULT_BLOCKS = 0x8000  # blocks 0 to 7FFF


def at(*pieces):
    """A line of texts placed at the given columns, blanks between."""
    s = ""
    for col, text in pieces:
        assert len(s) <= col, (s, col, text)
        s += " " * (col - len(s)) + text
    return s


def paged(heading, body, page=24):
    """The report lines with the page heading before every page-th line
    (the heading counts as a line of its page)."""
    out = []
    for line in body:
        if len(out) % page == 0:
            out.append(heading)
        out.append(line)
    return lines(*out)


def sparse(name, size):
    """A setup making a file of size zero bytes that takes no room on disk."""
    def make(folder):
        with open(os.path.join(folder, name), "wb") as f:
            f.truncate(size)
    return make


# ---- plain dump, two bytes a line ----------------------------------------
# Prefix in columns 0-11 (a longer block number runs on into column 12; past
# that, under --all, the rest moves right by `shift`), hex pairs from 13,
# bars at 18 and 23, the characters from 20.

def scale2(shift=0):
    # The units digit of each byte under its second hex digit, then over the
    # character column.
    return at((14 + shift, "0 1"), (20 + shift, "01"))


def row2(prefix, hexpart, chars, shift=0):
    return at((0, prefix), (13 + shift, hexpart), (18 + shift, "|"), (20 + shift, chars), (23 + shift, "|"))


def hex_first(block):
    """The prefix of a block's first line: " %04X %04X  "."""
    return " %04X 0000  " % block


def dec_first(block):
    """"%05d %04d  ", a leading zero shown as a blank."""
    text = "%05d 0000  " % block
    return " " + text[1:] if text[0] == "0" else text


def blocks_of_a(first_line, count, byte="a"):
    """One line for each one-byte block 0..count-1 holding `byte`."""
    return [row2(first_line(b), "%02x" % ord(byte), byte) for b in range(count)]


NOTICE_HEX_8001 = b"vesk: stopped after block 7FFF; -n0,8001 or --all shows the rest\n"
NOTICE_HEX = b"vesk: stopped after block 7FFF; --all shows the rest\n"

# Header "HDR", then 32,768 blocks "ab" and three bytes more: blocks 8000 ("cd")
# and 8001 ("e") are past the default range.
HEADED = b"HDR" + b"ab" * DEFAULT_BLOCKS + b"cde"
HEADED_OUT = paged(scale2(), [row2(" HEAD 0000  ", "4844", "HD"), row2("      0002  ", "52", "R")]
                   + [row2(hex_first(b), "6162", "ab") for b in range(DEFAULT_BLOCKS)])

# Pages of 24 lines, the scale first: one-byte blocks holding "a", and
# blocks of "a" and a line feed.
ONE_BYTE_BLOCKS = ["-d1", "-b2"]
LINES_A = paged(scale2(), blocks_of_a(hex_first, DEFAULT_BLOCKS))
LINES_A_NL = paged(scale2(), [row2(hex_first(b), "610a", "a.") for b in range(DEFAULT_BLOCKS)])

PLAIN_NOTICE = [
    # The last block from the size: 3 + 2 * 32,768 + 3 bytes, a header of 3
    # and blocks of 2, the last one short.
    Case("plain-notice-hex", ["-h3", "-d2", "-b2", "in.bin"], files={"in.bin": HEADED},
         stdout=HEADED_OUT, stderr=NOTICE_HEX_8001),
    Case("plain-notice-decimal", ["-D"] + ONE_BYTE_BLOCKS + ["in.bin"],
         files={"in.bin": b"a" * (DEFAULT_BLOCKS + 2)},
         stdout=paged(scale2(), blocks_of_a(dec_first, DEFAULT_BLOCKS)),
         stderr=b"vesk: stopped after block 32767; -n0,32769 or --all shows the rest\n"),
    # A pipe has no size: the notice names no last block.
    Case("plain-notice-pipe", [], shell="cat in.bin | {vesk} -d1 -b2 /dev/stdin",
         files={"in.bin": b"a" * (DEFAULT_BLOCKS + 1)}, stdout=LINES_A, stderr=NOTICE_HEX),
    # Blocks ended by a code: the rest of a file is cut to find its last
    # block, also when the end of the file was read with block 7FFF.
    Case("plain-notice-end-code", ["-b2", "-x0a", "in.bin"],
         files={"in.bin": b"a\n" * DEFAULT_BLOCKS + b"bb\nc"}, stdout=LINES_A_NL, stderr=NOTICE_HEX_8001),
    Case("plain-notice-end-code-long-rest", ["-b2", "-x0a", "in.bin"],
         files={"in.bin": b"a\n" * DEFAULT_BLOCKS + b"bb\n" * 1000}, stdout=LINES_A_NL,
         stderr=b"vesk: stopped after block 7FFF; -n0,83E7 or --all shows the rest\n"),
    Case("plain-notice-end-code-pipe", [], shell="cat in.bin | {vesk} -b2 -x0a /dev/stdin",
         files={"in.bin": b"a\n" * DEFAULT_BLOCKS + b"bb\nc"}, stdout=LINES_A_NL, stderr=NOTICE_HEX),
    # No notice: the file ends with block 7FFF; -n asked for that range; --all.
    Case("plain-no-notice-at-the-end", ONE_BYTE_BLOCKS + ["in.bin"], files={"in.bin": b"a" * DEFAULT_BLOCKS},
         stdout=LINES_A),
    Case("plain-no-notice-with-n", ONE_BYTE_BLOCKS + ["-n0,7FFF", "in.bin"],
         files={"in.bin": b"a" * (DEFAULT_BLOCKS + 2)}, stdout=LINES_A),
    Case("plain-all-past-7fff", ["--all"] + ONE_BYTE_BLOCKS + ["in.bin"],
         files={"in.bin": b"a" * (DEFAULT_BLOCKS + 2)},
         stdout=paged(scale2(), blocks_of_a(hex_first, DEFAULT_BLOCKS + 2))),
]

# ---- plain dump, wider block numbers under --all ---------------------------
# A sparse file of 0x100003 zero bytes: one-byte blocks 0 to 100002.
BIG = 0x100003
ZERO = ("00", ".")


def wide_case(name, args, stdout):
    return Case(name, args + ["big.bin"], setup=sparse("big.bin", BIG), stdout=stdout)


PLAIN_WIDE = [
    # Five hex digits fill column 12; six move the rest one column right from
    # block 100000 on, and the next page's scale with it. The dump goes
    # straight to block FFFFE.
    wide_case("all-six-hex-digits", ["--all", "-p5", "-d1", "-b2", "-nFFFFE,100002"],
              lines(scale2(),
                    row2(" FFFFE 0000  ", *ZERO),
                    row2(" FFFFF 0000  ", *ZERO),
                    row2(" 100000 0000  ", *ZERO, shift=1),
                    row2(" 100001 0000  ", *ZERO, shift=1),
                    scale2(1),
                    row2(" 100002 0000  ", *ZERO, shift=1))),
    # -C: the bar after the prefix stands in column 11 (12 with five digits,
    # 13 with six), and the blank after it stays: the characters from 13 +
    # shift, the closing bar at 16 + shift, shift being 1 and then 2.
    wide_case("all-six-hex-digits-characters-only", ["--all", "-p0", "-C", "-A", "-d1", "-b2", "-nFFFFF,100000"],
              lines(at((14, "01")),
                    at((0, " FFFFF 0000 |"), (14, "."), (17, "|")),
                    at((0, " 100000 0000 |"), (15, "."), (18, "|")))),
    # -D: six decimal digits fill column 12, seven move the line.
    wide_case("all-seven-decimal-digits", ["--all", "-D", "-p0", "-A", "-d1", "-b2", "-n999999,1000000"],
              lines(scale2(),
                    row2("999999 0000  ", *ZERO),
                    row2("1000000 0000  ", *ZERO, shift=1))),
    # Without --all the prefix runs into the hex part, as it always did.
    wide_case("six-hex-digits-without-all", ["-p0", "-A", "-d1", "-b2", "-n100000"],
              lines(scale2(), at((0, " 100000 0000 "), (13, "00"), (18, "|"), (20, "."), (23, "|")))),
    # A start block whose position passes what the file system can seek to:
    # past the end of the file (0x100003 bytes: blocks 0 to 1000).
    Case("far-start-block-by-seek", ["-A", "-n3FFFFFFFFFFFF", "big.bin"], setup=sparse("big.bin", BIG),
         stderr=b"vesk: block 3FFFFFFFFFFFF is past the end of the file (last block 1000)\n", status=1),
]

# ---- formatted dump --------------------------------------------------------
ONE_CHAR_FMT = b"#BLNO 0 &\nstruct R {\n char c;\n};\n"
TWO_CHAR_FMT = b"#BLNO 0 &\nstruct R {\n char c[2];\n};\n"
CLOSED_FMT = b"#BLNO 0 32767\nstruct R {\n char c;\n};\n"

# The map scale: " %X  " at 12 + 3i for each of 16 bytes (digits 0-9 twice
# and 0-5 under -D), moved right with the cells.
HEX_DIGITS = "0123456789ABCDEF"
DEC_DIGITS = "0123456789012345"


def map_scale(digits=HEX_DIGITS, shift=0):
    return " " * (13 + shift) + "  ".join(digits) + "  "


def map_row(prefix, *chars, shift=0):
    """A map row of character cells: each character in the second column of
    its cell, cell k at 12 + shift + 3k."""
    return at((0, prefix), *((13 + shift + 3 * k, ch) for k, ch in enumerate(chars)))


# List form of one char item named c: no comment column, so the name stands
# alone in column 78.
def list_block(block, addr, value):
    return ["       block: %d  addr: %04X" % (block, addr), at((0, " 0000: [%s] " % value), (78, "c"))]


# The map of one-byte blocks 0 to n - 1 holding "x", in pages of 24 lines.
def x_rows(n):
    return paged(map_scale(), [" [0000000]  size: 0001"] + [map_row(" %04X 0000: " % b, "x") for b in range(n)])


FORMATTED_NOTICE = [
    Case("formatted-notice-hex", ["-f", "r.fmt", "in.bin"],
         files={"r.fmt": ONE_CHAR_FMT, "in.bin": b"x" * (DEFAULT_BLOCKS + 2)},
         stdout=lines(*(ln for b in range(DEFAULT_BLOCKS) for ln in list_block(b, b, "x"))),
         stderr=b"vesk: stopped after block 7FFF; --all shows the rest, up to block 8001\n"),
    # -D map: two-byte blocks, the last one short (2 * 32,768 + 3 bytes). Row
    # prefixes of five decimal digits are cut to their first 12 characters.
    Case("formatted-notice-decimal-map", ["-D", "-m", "-f", "r.fmt", "in.bin"],
         files={"r.fmt": TWO_CHAR_FMT, "in.bin": b"ab" * DEFAULT_BLOCKS + b"cde"},
         stdout=paged(map_scale(DEC_DIGITS), [" [0000000]  size: 0002"]
                      + [map_row(" %04d 0000: " % b, "a", "b") if b < 10000
                         else at((0, " %05d 0000:" % b), (13, "a"), (16, "b"))
                         for b in range(DEFAULT_BLOCKS)]),
         stderr=b"vesk: stopped after block 32767; --all shows the rest, up to block 32769\n"),
    Case("formatted-notice-pipe", [], shell="cat in.bin | {vesk} -m -f r.fmt /dev/stdin",
         files={"r.fmt": ONE_CHAR_FMT, "in.bin": b"x" * (DEFAULT_BLOCKS + 1)},
         stdout=x_rows(DEFAULT_BLOCKS), stderr=NOTICE_HEX),
    # No notice: the range ends at 32767 by its own number; the file ends
    # with block 7FFF.
    Case("formatted-no-notice-closed-range", ["-m", "-f", "r.fmt", "in.bin"],
         files={"r.fmt": CLOSED_FMT, "in.bin": b"x" * (DEFAULT_BLOCKS + 1)}, stdout=x_rows(DEFAULT_BLOCKS)),
    Case("formatted-no-notice-at-the-end", ["-m", "-f", "r.fmt", "in.bin"],
         files={"r.fmt": ONE_CHAR_FMT, "in.bin": b"x" * DEFAULT_BLOCKS}, stdout=x_rows(DEFAULT_BLOCKS)),
    # --all: "&" runs to the end of the file.
    Case("formatted-all-past-7fff", ["--all", "-m", "-f", "r.fmt", "in.bin"],
         files={"r.fmt": ONE_CHAR_FMT, "in.bin": b"x" * (DEFAULT_BLOCKS + 2)}, stdout=x_rows(DEFAULT_BLOCKS + 2)),
]

# Two-byte blocks "AB", 0x10002 of them: blocks FFFE to 10001 are the last four.
AB = {"m.fmt": TWO_CHAR_FMT, "m.bin": b"AB" * 0x10002}

FORMATTED_WIDE = [
    # A block number of five hex digits moves the cells one column right, and
    # the scale of the next page with them.
    Case("map-all-five-hex-digits", ["--all", "-p4", "-m", "-nFFFE,10001", "-f", "m.fmt", "m.bin"], files=AB,
         stdout=lines(map_scale(), " [001FFFC]  size: 0002",
                      map_row(" FFFE 0000: ", "A", "B"),
                      map_row(" FFFF 0000: ", "A", "B"),
                      map_scale(shift=1),
                      map_row(" 10000 0000: ", "A", "B", shift=1),
                      map_row(" 10001 0000: ", "A", "B", shift=1))),
    # Pages of three lines: the second starts with block FFFF, so its scale
    # stands over the cells as they were, and block 10000 below it has moved.
    Case("map-all-cells-move-within-a-page", ["--all", "-p3", "-m", "-nFFFE,10001", "-f", "m.fmt", "m.bin"],
         files=AB,
         stdout=lines(map_scale(), " [001FFFC]  size: 0002",
                      map_row(" FFFE 0000: ", "A", "B"),
                      map_scale(),
                      map_row(" FFFF 0000: ", "A", "B"),
                      map_row(" 10000 0000: ", "A", "B", shift=1),
                      map_scale(shift=1),
                      map_row(" 10001 0000: ", "A", "B", shift=1))),
    # Starting there, the first page's scale already stands over the cells.
    Case("map-all-starting-past-ffff", ["--all", "-m", "-n10000,10001", "-f", "m.fmt", "m.bin"], files=AB,
         stdout=lines(map_scale(shift=1), " [0020000]  size: 0002",
                      map_row(" 10000 0000: ", "A", "B", shift=1),
                      map_row(" 10001 0000: ", "A", "B", shift=1))),
    # -D: five decimal digits, cut without --all (above), move the cells with it.
    Case("map-all-five-decimal-digits", ["--all", "-D", "-m", "-n9999,10000", "-f", "m.fmt", "m.bin"], files=AB,
         stdout=lines(map_scale(DEC_DIGITS), " [0019998]  size: 0002",
                      map_row(" 9999 0000: ", "A", "B"),
                      map_row(" 10000 0000: ", "A", "B", shift=1))),
    # Far start blocks are counted, not walked: at once, past the end of the
    # file, nothing to show; without --all "&" ends at 32767, and the message
    # names the whole block number.
    Case("formatted-far-start-block", [], shell="timeout 20 {vesk} --all -n3FFFFFFFFFFFF -f r.fmt in.bin",
         files={"r.fmt": ONE_CHAR_FMT, "in.bin": b"x" * 4}),
    Case("formatted-far-start-block-without-all", ["-n100000000", "-f", "r.fmt", "in.bin"],
         files={"r.fmt": ONE_CHAR_FMT, "in.bin": b"x" * 4},
         stderr=b"data block(4294967296) not defined in format file", status=1),
]

# ---- comparison: past the id table ------------------------------------------
# Five-byte blocks: a four-character key and a one-character value. Names
# "key" and "v", no comments: the label is the name alone, from column 76.
KV_FMT = b"#BLNO 0 &\nstruct R {\n char key[4];\n char v;\n};\n"


def kv(key, v):
    return key.encode() + v.encode()


MANY = 5001
# The first file: keys 0000 to 5000, value a. The second: the same, but block
# 1 holds b, block 4999 holds c, and block 2500's key is 9999.
KV_A = b"".join(kv("%04d" % i, "a") for i in range(MANY))
KV_B = b"".join(kv("9999" if i == 2500 else "%04d" % i, {1: "b", 4999: "c"}.get(i, "a")) for i in range(MANY))
KV_FILES = {"kv.fmt": KV_FMT, "a.dat": KV_A, "b.dat": KV_B}


def kv_key(key):
    return at((0, " 0000: [%s] " % key), (76, "key"))


def kv_value(text):
    return at((0, " 0004: " + text), (76, "v  "))


def kv_pair(i):
    return "       block: %d  addr: %04X / block: %d  addr: %04X" % (i, 5 * i, i, 5 * i)


CHANGED = {1: "[a] : [b] ", 4999: "[a] : [c] "}


def kv_pairs(only_changed):
    out = []
    for i in range(MANY):
        if i == 2500 or (only_changed and i not in CHANGED):
            continue
        out += [kv_pair(i), kv_key("%04d" % i)]
        out.append(kv_value(CHANGED[i]) if i in CHANGED else "       NO UPDATED")
    return out


KV_REST = ["", " DELETED DATA", "       block: 2500  addr: 30D4", kv_key("2500"), kv_value("[a] "),
           "", " INSERTED DATA", "       block: 2500  addr: 30D4", kv_key("9999"), kv_value("[a] ")]


def summary(pairs, updated, deleted, inserted, first="0", second="0", hidden=0):
    return ["", " SUMMARY",
            "       pairs compared: %d" % pairs,
            "       updated: %d" % updated,
            "       updated in hidden bytes only: %d" % hidden,
            "       unchanged: %d" % (pairs - updated - hidden),
            "       deleted: %d" % deleted,
            "       inserted: %d" % inserted,
            "       ids more than once in the first file: " + first,
            "       ids more than once in the second file: " + second]


KV_ARGS = ["-F", "kv.fmt", "key", "a.dat", "b.dat"]

COMPARE_MANY = [
    # 10,002 ids: more than the table holds without --all.
    Case("compare-5001-and-5001-refused", KV_ARGS, files=KV_FILES, stderr=b"too many data blocks", status=1),
    Case("compare-5001-and-5001-all", ["--all"] + KV_ARGS, files=KV_FILES,
         stdout=lines(" UPDATED DATA", *kv_pairs(False), *KV_REST)),
    Case("compare-5001-and-5001-changes-summary-exit-code",
         ["--all", "--changes-only", "--summary", "--exit-code"] + KV_ARGS, files=KV_FILES,
         stdout=lines(" UPDATED DATA", *kv_pairs(True), *KV_REST, *summary(5000, 2, 1, 1)), status=1),
    Case("compare-5001-and-5001-refused-exit-code", ["--exit-code"] + KV_ARGS, files=KV_FILES,
         stderr=b"too many data blocks", status=2),
]

# Map form past block FFFF: the block numbers are known before the report,
# so the cells move once, for the largest, and the scale with them from the
# first page. Keys are the block numbers in five decimal digits.
K5_FMT = b"#BLNO 0 &\nstruct R {\n char key[5];\n};\n"
K5 = b"".join(b"%05d" % i for i in range(0x10001))
COMPARE_MANY.append(
    Case("compare-map-all-past-ffff", ["--all", "-m", "-F", "k5.fmt", "key", "-nFFFF,10000", "a.dat", "b.dat"],
         files={"k5.fmt": K5_FMT, "a.dat": K5, "b.dat": K5},
         stdout=lines(map_scale(shift=1), " UPDATED DATA", " [0000000]  size: 0005",
                      map_row(" FFFF 0000: ", *"65535", shift=1), " ---------",
                      map_row(" FFFF 0000: ", *"65535", shift=1), " =========",
                      map_row(" 10000 0000: ", *"65536", shift=1), " ---------",
                      map_row(" 10000 0000: ", *"65536", shift=1), " =========")))
# A start block far past the end of both files: nothing to compare.
COMPARE_MANY.append(
    Case("compare-all-far-start-block", ["--all", "-n3FFFFFFFFFFFF"] + KV_ARGS, files=KV_FILES))

# ---- comparison: --changes-only, --summary, --exit-code --------------------
# Three-byte blocks: a one-character key and a short. The label is 12 columns
# wide (name 3, " : ", comment 6), from column 67.
KEY_FMT = b"#BLNO 0 &\nstruct REC {\n char key;\n short n; /* amount */\n};\n"
# The same with a hidden byte after the short.
HIDDEN_FMT = b"#BLNO 0 &\nstruct REC {\n char key;\n short n; /* amount */\n char pad; /* no display */\n};\n"


def blk(key, n):
    return key.encode() + n.to_bytes(2, "big")


def key_line(k):
    return at((0, " 0000: [%s] " % k), (67, "key :       "))


def n_line(values):
    return at((0, " 0001: " + values), (67, "n   : amount"))


def title(block, addr):
    return "       block: %d  addr: %04X" % (block, addr)


def pair(b1, a1, b2, a2):
    return "       block: %d  addr: %04X / block: %d  addr: %04X" % (b1, a1, b2, a2)


# Ids A B C D against B A E D D; only the pair of A changed (257 to 1285).
WORKED = {"k.fmt": KEY_FMT,
          "a.dat": blk("A", 0x0101) + blk("B", 0x0202) + blk("C", 0x0303) + blk("D", 0x0404),
          "b.dat": blk("B", 0x0202) + blk("A", 0x0505) + blk("E", 0x0606) + blk("D", 0x0404) + blk("D", 0x0707)}
WORKED_REST = ["", " DELETED DATA", title(2, 6), key_line("C"), n_line("[771] "),
               "", " INSERTED DATA",
               title(2, 6), key_line("E"), n_line("[1542] "),
               title(4, 12), key_line("D"), n_line("[1799] ")]
K_ARGS = ["-F", "k.fmt", "key", "a.dat", "b.dat"]


def files(a, b, fmt=KEY_FMT):
    return {"k.fmt": fmt, "a.dat": a, "b.dat": b}


# Twelve ids of eight characters, each twice in each file: ten named. From
# column 49 (50 for the second file) each takes 11 columns; one that would
# pass column 79 (col + 10 > 79) starts a continuation line of seven blanks.
TWELVE = [("ID-%02d" % i).ljust(8) for i in range(12)]


def twelve_named(which):
    return ["       ids more than once in the %s file: 12: [ID-00   ] [ID-01   ] " % which,
            "       " + "".join("[ID-%02d   ] " % i for i in range(2, 8)),
            "       [ID-08   ] [ID-09   ]"]
ID8_FMT = b"#BLNO 0 &\nstruct R {\n char key[8];\n};\n"
HEXID_FMT = b"#BLNO 0 &\nstruct R {\n BYTE key[2];\n};\n"


def hexid_line(value):
    return at((0, " 0000: [%s] " % value), (76, "key"))


OPTIONS = [
    # --changes-only: the pairs without a difference are left out; deleted
    # and inserted blocks stay.
    Case("changes-only-list", ["--changes-only"] + K_ARGS, files=WORKED,
         stdout=lines(" UPDATED DATA", pair(0, 0, 1, 3), key_line("A"), n_line("[257] : [1285] "), *WORKED_REST)),
    Case("changes-only-map", ["--changes-only", "-m"] + K_ARGS, files=WORKED,
         stdout=lines(map_scale(), " UPDATED DATA", " [0000000]  size: 0003",
                      " 0000 0000:  A 257", " ---------", " 0001 0000:  A 1285", " =========",
                      "", " DELETED DATA", " 0002 0000:  C 771",
                      "", " INSERTED DATA", " 0002 0000:  E 1542", " 0004 0000:  D 1799")),
    # No pair changed: no UPDATED DATA heading, and no empty line before the
    # first heading; in map form the title line stands under it.
    Case("changes-only-no-pair-changed", ["--changes-only"] + K_ARGS,
         files=files(blk("P", 1) + blk("Q", 2), blk("P", 1)),
         stdout=lines(" DELETED DATA", title(1, 3), key_line("Q"), n_line("[2] "))),
    Case("changes-only-no-pair-changed-map", ["--changes-only", "-m"] + K_ARGS,
         files=files(blk("P", 1) + blk("Q", 2), blk("P", 1)),
         stdout=lines(map_scale(), " DELETED DATA", " [0000000]  size: 0003", " 0001 0000:  Q 512")),
    # Identical files: nothing to show, status 0.
    Case("changes-only-identical-exit-code", ["--changes-only", "--exit-code"] + K_ARGS,
         files=files(blk("P", 1) + blk("Q", 2), blk("P", 1) + blk("Q", 2))),
    # A difference only in an item that is not displayed is a difference: the
    # pair is listed, with a line for the hidden item and no values, counted
    # apart, and the status is 1. The label is 3 + 3 + 10 wide, from 63.
    Case("changes-only-hidden-difference", ["--changes-only", "--summary", "--exit-code"] + K_ARGS,
         files=files(blk("P", 1) + b"x", blk("P", 1) + b"y", HIDDEN_FMT),
         stdout=lines(" UPDATED DATA", pair(0, 0, 0, 0),
                      at((0, " 0000: [P] "), (63, "key : " + " " * 10)),
                      at((0, " 0003: (hidden) "), (63, "pad : no display")),
                      "       ONLY HIDDEN BYTES UPDATED",
                      *summary(1, 0, 0, 0, hidden=1)),
         status=1),

    # --summary after the whole report, with an id twice in the second file.
    Case("summary-list", ["--summary"] + K_ARGS, files=WORKED,
         stdout=lines(" UPDATED DATA",
                      pair(0, 0, 1, 3), key_line("A"), n_line("[257] : [1285] "),
                      pair(1, 3, 0, 0), key_line("B"), "       NO UPDATED",
                      pair(3, 9, 3, 9), key_line("D"), "       NO UPDATED",
                      *WORKED_REST, *summary(3, 1, 1, 2, second="1: [D]"))),
    # Alone in a map report: the scale heads the page, no block title follows
    # the heading (no block follows it).
    Case("summary-alone-map", ["--changes-only", "--summary", "-m"] + K_ARGS,
         files=files(blk("P", 1) + blk("Q", 2), blk("P", 1) + blk("Q", 2)),
         stdout=lines(map_scale(), *summary(2, 0, 0, 0)[1:])),
    # More than ten repeated ids: ten named, wrapped like list values. The
    # files are the same: each copy of an id pairs with its own, and every
    # block is paired once.
    Case("summary-ten-ids-named", ["--changes-only", "--summary", "--exit-code",
                                   "-F", "i.fmt", "key", "a.dat", "b.dat"],
         files={"i.fmt": ID8_FMT, "a.dat": "".join(TWELVE * 2).encode(), "b.dat": "".join(TWELVE * 2).encode()},
         stdout=lines(*summary(24, 0, 0, 0)[1:-2], *twelve_named("first"), *twelve_named("second"))),
    # A BYTE id shows in hexadecimal.
    Case("summary-hex-ids", ["--changes-only", "--summary", "-F", "h.fmt", "key", "a.dat", "b.dat"],
         files={"h.fmt": HEXID_FMT, "a.dat": bytes.fromhex("0a0b0a0b0c0d"), "b.dat": bytes.fromhex("0c0d0c0d0c0d")},
         stdout=lines(" DELETED DATA", title(0, 0), hexid_line("0a0b"), title(1, 2), hexid_line("0a0b"),
                      "", " INSERTED DATA", title(1, 2), hexid_line("0c0d"), title(2, 4), hexid_line("0c0d"),
                      *summary(1, 0, 2, 2, first="1: [0a0b]", second="1: [0c0d]"))),

    # --exit-code: 1 when the files differ in any way.
    Case("exit-code-updated", ["--exit-code", "--changes-only"] + K_ARGS,
         files=files(blk("P", 1), blk("P", 2)),
         stdout=lines(" UPDATED DATA", pair(0, 0, 0, 0), key_line("P"), n_line("[1] : [2] ")), status=1),
    Case("exit-code-deleted", ["--exit-code", "--changes-only"] + K_ARGS,
         files=files(blk("P", 1) + blk("Q", 2), blk("P", 1)),
         stdout=lines(" DELETED DATA", title(1, 3), key_line("Q"), n_line("[2] ")), status=1),
    Case("exit-code-inserted", ["--exit-code", "--changes-only"] + K_ARGS,
         files=files(blk("P", 1), blk("P", 1) + blk("Q", 2)),
         stdout=lines(" INSERTED DATA", title(1, 3), key_line("Q"), n_line("[2] ")), status=1),
    # 2 on any trouble: the comparison could not be made, or nothing was compared.
    Case("exit-code-missing-file", ["--exit-code", "-F", "k.fmt", "key", "a.dat", "none.dat"],
         files=files(blk("P", 1), b""), stderr=b"none.dat: not found\n", status=2),
    Case("exit-code-option-error", ["--exit-code", "-b33", "a.dat"], files=files(b"", b""),
         stderr=b"33: invalid byte number\n", status=2),
    Case("exit-code-unknown-long-option-before-it", ["--everything", "--exit-code"] + K_ARGS,
         files=files(blk("P", 1), blk("P", 1)), stderr=b"--everything: invalid option\n", status=2),
    Case("exit-code-partial-block", ["--exit-code"] + K_ARGS, files=files(blk("P", 1) + b"Z", blk("P", 1)),
         stderr=b"data size(1) does not match\n", status=2),
    Case("exit-code-several-data-formats", ["--exit-code", "-F", "two.fmt", "a", "a.dat", "b.dat"],
         files={"two.fmt": b"#BLNO 0 0\nstruct A {\n char a;\n};\n#BLNO 1 &\nstruct B {\n char b;\n};\n",
                "a.dat": b"x", "b.dat": b"x"},
         stderr=b"two.fmt: Multiple data format is not available, exit!\n", status=2),
    Case("exit-code-no-data-format", ["--exit-code", "-f", "none.fmt", "a.dat"],
         files={"none.fmt": b"#define A 1\n", "a.dat": b"x"},
         stderr=b"none.fmt: no data definition, exit!\n", status=2),
]

CASES = PLAIN_NOTICE + PLAIN_WIDE + FORMATTED_NOTICE + FORMATTED_WIDE + COMPARE_MANY + OPTIONS
