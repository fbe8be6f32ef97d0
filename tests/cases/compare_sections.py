"""Comparison: collecting the block ids of both files, pairing them, and the
three sections (updated, deleted, inserted) with their headings; the range of
blocks, the definition's offset, the table limit, short blocks and inputs that
cannot seek.

Expected lines are put together column by column: the list-form label of this
format is 12 columns wide (name 3, " : ", comment 6), so it starts at column 67
of the 79."""
from vesk_e2e import Case, lines

# Three-byte blocks: a one-character key (the block id) and a short.
KEY_FMT = b"#BLNO 0 &\nstruct REC {\n char key;\n short n; /* amount */\n};\n"


def at(*pieces):
    """A line made of texts placed at the given columns, blanks between."""
    s = ""
    for col, text in pieces:
        assert len(s) <= col, (s, col, text)
        s += " " * (col - len(s)) + text
    return s


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


# The map scale of 16 cells of 3 columns: the digit of cell i at 13 + 3i.
SCALE = " " * 13 + "  ".join("0123456789ABCDEF") + "  "

# Ids A B C D against B A E D D; n values chosen with two equal bytes, so that
# both byte orders read them alike.
FILE1 = blk("A", 0x0101) + blk("B", 0x0202) + blk("C", 0x0303) + blk("D", 0x0404)
FILE2 = blk("B", 0x0202) + blk("A", 0x0505) + blk("E", 0x0606) + blk("D", 0x0404) + blk("D", 0x0707)
FILES = {"k.fmt": KEY_FMT, "a.dat": FILE1, "b.dat": FILE2}

WORKED_LIST = lines(
    " UPDATED DATA",
    pair(0, 0, 1, 3), key_line("A"), n_line("[257] : [1285] "),
    pair(1, 3, 0, 0), key_line("B"), "       NO UPDATED",
    pair(3, 9, 3, 9), key_line("D"), "       NO UPDATED",
    "", " DELETED DATA",
    title(2, 6), key_line("C"), n_line("[771] "),
    "", " INSERTED DATA",
    title(2, 6), key_line("E"), n_line("[1542] "),
    title(4, 12), key_line("D"), n_line("[1799] "),
)

# Map form: the scale heads the page; the title line stands once, under the
# first heading. The key's character is in the second column of cell 0, n's
# value (least significant byte first) from cell 1, column 15.
WORKED_MAP = lines(
    SCALE,
    " UPDATED DATA",
    " [0000000]  size: 0003",
    " 0000 0000:  A 257", " ---------", " 0001 0000:  A 1285", " =========",
    " 0001 0000:  B", " ---------", " 0000 0000:  B", " =========",
    " 0003 0000:  D", " ---------", " 0003 0000:  D", " =========",
    "", " DELETED DATA",
    " 0002 0000:  C 771",
    "", " INSERTED DATA",
    " 0002 0000:  E 1542",
    " 0004 0000:  D 1799",
)


def cmp(name, args, stdout=b"", files=None, stderr=b"", status=0, **kw):
    return Case(name, args, stdout=stdout, stderr=stderr, status=status,
                files=files if files is not None else FILES, **kw)


def with_files(a, b, fmt=KEY_FMT):
    return {"k.fmt": fmt, "a.dat": a, "b.dat": b}


# A one-byte block whose only item is not displayed: in map form each block
# prints as its row prefix alone. Used for the size of the id table.
HIDDEN_FMT = b"#BLNO 0 &\nstruct K {\n char key; /* no display */\n};\n"

CASES = [
    cmp("worked-example", ["-F", "k.fmt", "key", "a.dat", "b.dat"], WORKED_LIST),
    cmp("worked-example-map", ["-m", "-F", "k.fmt", "key", "a.dat", "b.dat"], WORKED_MAP),

    # X X against X: the copies of an id pair in file order, one to one; the
    # second X of the first file has no partner and is deleted.
    cmp("duplicate-ids-in-first-file", ["-F", "k.fmt", "key", "a.dat", "b.dat"],
        lines(" UPDATED DATA",
              pair(0, 0, 0, 0), key_line("X"), "       NO UPDATED",
              "", " DELETED DATA", title(1, 3), key_line("X"), n_line("[514] ")),
        files=with_files(blk("X", 0x0101) + blk("X", 0x0202), blk("X", 0x0101))),
    # X Y X against X Y X: each copy with its own.
    cmp("duplicate-ids-in-both-files", ["-F", "k.fmt", "key", "a.dat", "b.dat"],
        lines(" UPDATED DATA",
              pair(0, 0, 0, 0), key_line("X"), "       NO UPDATED",
              pair(1, 3, 1, 3), key_line("Y"), "       NO UPDATED",
              pair(2, 6, 2, 6), key_line("X"), n_line("[514] : [771] ")),
        files=with_files(blk("X", 0x0101) + blk("Y", 0x0505) + blk("X", 0x0202),
                         blk("X", 0x0101) + blk("Y", 0x0505) + blk("X", 0x0303))),
    cmp("identical-files", ["-F", "k.fmt", "key", "a.dat", "b.dat"],
        lines(" UPDATED DATA",
              pair(0, 0, 0, 0), key_line("P"), "       NO UPDATED",
              pair(1, 3, 1, 3), key_line("Q"), "       NO UPDATED"),
        files=with_files(blk("P", 1) + blk("Q", 2), blk("P", 1) + blk("Q", 2))),

    # One file empty: a single section, without the empty line before it.
    cmp("empty-second-file", ["-F", "k.fmt", "key", "a.dat", "b.dat"],
        lines(" DELETED DATA", title(0, 0), key_line("P"), n_line("[1] ")),
        files=with_files(blk("P", 1), b"")),
    cmp("empty-first-file", ["-F", "k.fmt", "key", "a.dat", "b.dat"],
        lines(" INSERTED DATA", title(0, 0), key_line("P"), n_line("[1] "),
              title(1, 3), key_line("Q"), n_line("[2] ")),
        files=with_files(b"", blk("P", 1) + blk("Q", 2))),
    cmp("empty-first-file-map-title-under-inserted", ["-m", "-F", "k.fmt", "key", "a.dat", "b.dat"],
        lines(SCALE, " INSERTED DATA", " [0000000]  size: 0003", " 0000 0000:  P 256"),
        files=with_files(b"", blk("P", 1))),
    cmp("map-title-under-deleted", ["-m", "-F", "k.fmt", "key", "a.dat", "b.dat"],
        lines(SCALE, " DELETED DATA", " [0000000]  size: 0003", " 0000 0000:  P 256",
              "", " INSERTED DATA", " 0000 0000:  Q 512"),
        files=with_files(blk("P", 1), blk("Q", 2))),
    cmp("both-files-empty", ["-m", "-F", "k.fmt", "key", "a.dat", "b.dat"], b"",
        files=with_files(b"", b"")),

    # A partial last block: a message and no report at all, even though the
    # blocks before it were read. The comparison cannot be made: status 1.
    cmp("partial-block-in-first-file", ["-F", "k.fmt", "key", "a.dat", "b.dat"],
        stderr=b"data size(1) does not match\n", status=1,
        files=with_files(FILE1 + b"Z", FILE2)),
    cmp("partial-block-in-second-file", ["-F", "k.fmt", "key", "a.dat", "b.dat"],
        stderr=b"data size(2) of b.dat does not match", status=1,
        files=with_files(FILE1, FILE2 + b"ZZ")),
    cmp("partial-blocks-in-both-first-reported", ["-F", "k.fmt", "key", "a.dat", "b.dat"],
        stderr=b"data size(2) does not match\n", status=1,
        files=with_files(FILE1 + b"ZZ", FILE2 + b"Z")),

    # The table holds 10,000 ids for both files together.
    cmp("ten-thousand-blocks", ["-p0", "-m", "-F", "h.fmt", "key", "a.dat", "b.dat"],
        lines(SCALE, " DELETED DATA", " [0000000]  size: 0001",
              *(" %04X 0000:" % b for b in range(10000))),
        files={"h.fmt": HIDDEN_FMT, "a.dat": b"k" * 10000, "b.dat": b""}),
    cmp("ten-thousand-and-one-blocks", ["-m", "-F", "h.fmt", "key", "a.dat", "b.dat"],
        stderr=b"too many data blocks", status=1,
        files={"h.fmt": HIDDEN_FMT, "a.dat": b"k" * 5001, "b.dat": b"k" * 5000}),

    # -n: both files are read from the start block to the end block; the block
    # numbers and addresses shown are those in the files.
    cmp("n-range", ["-F", "k.fmt", "key", "-n1,2", "a.dat", "b.dat"],
        lines(" UPDATED DATA",
              pair(1, 3, 2, 6), key_line("B"), n_line("[514] : [1028] "),
              "", " DELETED DATA", title(2, 6), key_line("C"), n_line("[771] "),
              "", " INSERTED DATA", title(1, 3), key_line("E"), n_line("[1285] ")),
        files=with_files(FILE1, blk("A", 1) + blk("E", 0x0505) + blk("B", 0x0404) + blk("Z", 0))),
    cmp("n-start-only-one-block-decimal", ["-D", "-F", "k.fmt", "key", "-n16", "a.dat", "b.dat"],
        lines(" DELETED DATA", "       block: 16  addr: 0048", key_line("Q"), n_line("[2] ")),
        files=with_files(blk("P", 1) * 16 + blk("Q", 2) + blk("R", 3), b"")),
    cmp("n-start-past-both-ends", ["-F", "k.fmt", "key", "-n10", "a.dat", "b.dat"], b""),
    # The definition's last block lowers the -n end.
    cmp("definition-ends-the-range", ["-F", "k1.fmt", "key", "a.dat", "b.dat"],
        lines(" DELETED DATA", title(0, 0), key_line("A"), n_line("[257] "),
              title(1, 3), key_line("B"), n_line("[514] ")),
        files={"k1.fmt": KEY_FMT.replace(b"0 &", b"0 1"), "a.dat": FILE1, "b.dat": b""}),
    cmp("start-past-the-definition-prints-nothing", ["-F", "k1.fmt", "key", "-n2", "a.dat", "b.dat"], b"",
        files={"k1.fmt": KEY_FMT.replace(b"0 &", b"0 1"), "a.dat": FILE1, "b.dat": b""}),
    # offset=: block k lies at the offset + k * size in both files, whatever the
    # -n start; the map title shows the offset.
    cmp("definition-offset", ["-F", "o.fmt", "key", "-n1", "a.dat", "b.dat"],
        lines(" UPDATED DATA", pair(1, 7, 1, 7), key_line("B"), n_line("[514] : [515] ")),
        files={"o.fmt": KEY_FMT.replace(b"0 &", b"offset=0x4 0 &"),
               "a.dat": b"HEAD" + blk("A", 1) + blk("B", 0x0202),
               "b.dat": b"head" + blk("A", 9) + blk("B", 0x0203)}),
    cmp("definition-offset-map-title", ["-m", "-F", "o.fmt", "key", "a.dat", "b.dat"],
        lines(SCALE, " UPDATED DATA", " [0000004]  size: 0003",
              " 0000 0000:  A", " ---------", " 0000 0000:  A", " ========="),
        files={"o.fmt": KEY_FMT.replace(b"0 &", b"offset=4 0 &"),
               "a.dat": b"HEAD" + blk("A", 1), "b.dat": b"head" + blk("A", 1)}),

    # Blocks are read again by position: an input that cannot seek is refused
    # before anything is read.
    cmp("first-file-is-a-pipe", [], shell="cat a.dat | {vesk} -F k.fmt key /dev/stdin b.dat",
        stderr=b"/dev/stdin: cannot compare an input that cannot seek (a pipe); give a file\n", status=1),
    cmp("second-file-is-a-pipe", [], shell="cat b.dat | {vesk} -F k.fmt key a.dat /dev/stdin",
        stderr=b"/dev/stdin: cannot compare an input that cannot seek (a pipe); give a file\n", status=1),

    # -b with the map display is 1 to 40 in a comparison as well.
    cmp("b-41-refused", ["-m", "-F", "k.fmt", "key", "-b41", "a.dat", "b.dat"],
        stderr=b"41: invalid byte number\n", status=1),
    cmp("b-0-refused", ["-M", "-F", "k.fmt", "key", "-b0", "a.dat", "b.dat"],
        stderr=b"0: invalid byte number\n", status=1),
]
