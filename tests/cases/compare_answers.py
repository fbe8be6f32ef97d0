"""Comparison: an answer a script can trust. Every byte of a pair is compared
(the later copies of the id item, hidden items, padding); the copies of an id
pair one to one in file order; -n follows the formatted dump's rules; every
failure ends non-zero; ids chosen to collide take no longer than others; an
input that never ends is refused.

Expected lines are put together column by column from the line width 79 and
the label width of each format (name column + " : " + comment column, the
columns lowered to the longest name and comment of the format file)."""
import os
import sys

from vesk_e2e import Case, lines

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))
from colliding_ids import colliding_ids  # noqa: E402


def at(*pieces):
    """A line made of texts placed at the given columns, blanks between."""
    s = ""
    for col, text in pieces:
        assert len(s) <= col, (s, col, text)
        s += " " * (col - len(s)) + text
    return s


def pair(b1, a1, b2, a2):
    return "       block: %d  addr: %04X / block: %d  addr: %04X" % (b1, a1, b2, a2)


def title(block, addr):
    return "       block: %d  addr: %04X" % (block, addr)


def summary(pairs, updated, hidden, deleted, inserted, first="0", second="0"):
    return ["", " SUMMARY",
            "       pairs compared: %d" % pairs,
            "       updated: %d" % updated,
            "       updated in hidden bytes only: %d" % hidden,
            "       unchanged: %d" % (pairs - updated - hidden),
            "       deleted: %d" % deleted,
            "       inserted: %d" % inserted,
            "       ids more than once in the first file: " + first,
            "       ids more than once in the second file: " + second]


ONLY_HIDDEN = "       ONLY HIDDEN BYTES UPDATED"
# The map scale of 16 cells of 3 columns: the digit of cell i at 13 + 3i.
SCALE = " " * 13 + "  ".join("0123456789ABCDEF") + "  "
SEP, END = " ---------", " ========="


def cmp(name, args, stdout=b"", files=None, stderr=b"", status=0, **kw):
    return Case(name, args, stdout=stdout, stderr=stderr, status=status, files=files or {}, **kw)


# ---- the id item stands more than once in a block ----------------------------
# The id is the first copy; later copies are compared like any item. Label
# "id : id", 2 + 3 + 2 wide, from column 72; the range comment "r" is padded
# to the line width.
REPEATED_STRUCT = b"#BLNO 0 & ; r\nstruct R {\n char id[2]; /* id */\n} r[2];\n"
# No comment: the label is the name column alone, 2 wide, from column 77.
NESTED_ARRAY = b"#BLNO 0 &\nstruct R {\n struct {\n  char id[2];\n } s[2];\n};\n"

REPEATED_ID = [
    cmp("repeated-structure-later-copy-differs", ["--summary", "--exit-code", "-F", "rep.fmt", "id", "a", "b"],
        lines(" UPDATED DATA", pair(0, 0, 0, 0), "       r".ljust(79),
              at((0, " 0000: [AA] "), (72, "id : id")),
              at((0, " 0002: [BB] : [XX] "), (72, "id : id")),
              *summary(1, 1, 0, 0, 0)),
        {"rep.fmt": REPEATED_STRUCT, "a": b"AABB", "b": b"AAXX"}, status=1),
    cmp("nested-array-later-copy-differs", ["--exit-code", "-F", "n.fmt", "id", "a", "b"],
        lines(" UPDATED DATA", pair(0, 0, 0, 0),
              at((0, " 0000: [AA] "), (77, "id")),
              at((0, " 0002: [BB] : [XX] "), (77, "id"))),
        {"n.fmt": NESTED_ARRAY, "a": b"AABB", "b": b"AAXX"}, status=1),
    # Equal later copies are equal items: not listed, status 0.
    cmp("nested-array-same", ["--exit-code", "-F", "n.fmt", "id", "a", "b"],
        lines(" UPDATED DATA", pair(0, 0, 0, 0), at((0, " 0000: [AA] "), (77, "id")), "       NO UPDATED"),
        {"n.fmt": NESTED_ARRAY, "a": b"AABB", "b": b"AABB"}),
    # Map form: the first copy is always placed, the later one because it
    # differs; each character in the second column of its cell.
    cmp("nested-array-later-copy-differs-map", ["-m", "-F", "n.fmt", "id", "a", "b"],
        lines(SCALE, " UPDATED DATA", " [0000000]  size: 0004",
              " 0000 0000:  A  A  B  B", SEP, " 0000 0000:  A  A  X  X", END),
        {"n.fmt": NESTED_ARRAY, "a": b"AABB", "b": b"AAXX"}),
]

# ---- ids that stand more than once: paired one to one, in file order --------
# Two-byte blocks: a one-character id and a value. Label: the name column
# alone, 2 wide, from column 77.
KV_FMT = b"#BLNO 0 &\nstruct R {\n char id;\n char v;\n};\n"


def id_line(k):
    return at((0, " 0000: [%s] " % k), (77, "id"))


def v_line(values):
    return at((0, " 0001: " + values), (77, "v "))


PAIRING = [
    # Ids 1 1 2 against 1 2: the second 1 has no partner. It was once paired
    # with the one 1 of the second file, and the loss passed for "same".
    cmp("lost-record-is-deleted", ["--summary", "--exit-code", "-F", "kv.fmt", "id", "a", "b"],
        lines(" UPDATED DATA",
              pair(0, 0, 0, 0), id_line("1"), "       NO UPDATED",
              pair(2, 4, 1, 2), id_line("2"), "       NO UPDATED",
              "", " DELETED DATA", title(1, 2), id_line("1"), v_line("[a] "),
              *summary(2, 0, 0, 1, 0, first="1: [1]")),
        {"kv.fmt": KV_FMT, "a": b"1a1a2b", "b": b"1a2b"}, status=1),
    # The same file twice, its ids repeated: every block paired with its own,
    # nothing inserted, status 0.
    cmp("same-files-repeated-ids", ["--changes-only", "--summary", "--exit-code", "-F", "kv.fmt", "id", "a", "b"],
        lines(*summary(4, 0, 0, 0, 0, first="1: [1]", second="1: [1]")[1:]),
        {"kv.fmt": KV_FMT, "a": b"1a1b2c1d", "b": b"1a1b2c1d"}),
    # The copies of an id in the order they come: the second 1 of each file
    # pairs with the second of the other, and differs.
    cmp("copies-pair-in-order", ["--changes-only", "--exit-code", "-F", "kv.fmt", "id", "a", "b"],
        lines(" UPDATED DATA", pair(1, 2, 2, 4), id_line("1"), v_line("[b] : [x] ")),
        {"kv.fmt": KV_FMT, "a": b"1a1b2c", "b": b"1a2c1x"}, status=1),
]

# ---- bytes that the list shows no value of ----------------------------------
# A FILLER item marked "no display" turned from zero bytes into blanks. Names
# id, filler, n (6 wide); comments id, no display, count (10 wide): the label
# is 6 + 3 + 10 = 19 wide, from column 60.
FILLER_FMT = (b"#BLNO 0 &\nstruct R {\n char id[4]; /* id */\n char filler[4]; /* no display */\n"
              b" long n; /* count */\n};\n")
FILLER_ID = at((0, " 0000: [0001] "), (60, "id     : id        "))
FILLER_HIDDEN = at((0, " 0004: (hidden) "), (60, "filler : no display"))
# Under -B: id at 0, three bytes of padding, v at 4, c at 8, one byte of
# padding, s at 10; 12 bytes. Names of 2 at most, no comment: label from 77.
PADDED_FMT = b"#BLNO 0 &\nstruct R {\n char id;\n long v;\n char c;\n short s;\n};\n"
PADDED_A = b"A" + b"\x00" * 3 + bytes([0, 0, 0, 7]) + b"c" + b"\x00" + bytes([0, 9])

HIDDEN = [
    cmp("hidden-filler-differs", ["--summary", "--exit-code", "-F", "f.fmt", "id", "a", "b"],
        lines(" UPDATED DATA", pair(0, 0, 0, 0), FILLER_ID, FILLER_HIDDEN, ONLY_HIDDEN,
              *summary(1, 0, 1, 0, 0)),
        {"f.fmt": FILLER_FMT, "a": b"0001" + b"\x00" * 4 + bytes([0, 0, 0, 5]),
         "b": b"0001" + b"    " + bytes([0, 0, 0, 5])}, status=1),
    # Only the pairs the same in every byte are left out by --changes-only.
    cmp("hidden-filler-changes-only", ["--changes-only", "-F", "f.fmt", "id", "a", "b"],
        lines(" UPDATED DATA", pair(1, 12, 1, 12), at((0, " 0000: [0002] "), (60, "id     : id        ")),
              at((0, " 0004: (hidden) "), (60, "filler : no display")), ONLY_HIDDEN),
        {"f.fmt": FILLER_FMT, "a": (b"0001" + b"    " + bytes(4)) + (b"0002" + b"\x00" * 4 + bytes(4)),
         "b": (b"0001" + b"    " + bytes(4)) + (b"0002" + b"    " + bytes(4))}),
    cmp("padding-differs", ["-B", "--summary", "--exit-code", "-F", "p.fmt", "id", "a", "b"],
        lines(" UPDATED DATA", pair(0, 0, 0, 0), id_line("A"),
              " 0001: (padding: 3 bytes)", " 0009: (padding: 1 byte)", ONLY_HIDDEN,
              *summary(1, 0, 1, 0, 0)),
        {"p.fmt": PADDED_FMT, "a": PADDED_A,
         "b": b"A" + b"xyz" + bytes([0, 0, 0, 7]) + b"c" + b"!" + bytes([0, 9])}, status=1),
    # A value differs too: the pair is updated; the padding lines stand in
    # the order of the block's bytes, among the values.
    cmp("padding-and-value-differ", ["-B", "--summary", "-F", "p.fmt", "id", "a", "b"],
        lines(" UPDATED DATA", pair(0, 0, 0, 0), id_line("A"),
              " 0001: (padding: 3 bytes)", at((0, " 0004: [7] : [8] "), (77, "v ")),
              " 0009: (padding: 1 byte)", *summary(1, 1, 0, 0, 0)),
        {"p.fmt": PADDED_FMT, "a": PADDED_A,
         "b": b"A" + b"xyz" + bytes([0, 0, 0, 8]) + b"c" + b"!" + bytes([0, 9])}),
    # Padding the same, the rest the same: nothing but the id.
    cmp("padding-same", ["-B", "--exit-code", "-F", "p.fmt", "id", "a", "b"],
        lines(" UPDATED DATA", pair(0, 0, 0, 0), id_line("A"), "       NO UPDATED"),
        {"p.fmt": PADDED_FMT, "a": PADDED_A, "b": PADDED_A}),
    # Map form: the padding has no cell; the pair says that only hidden bytes
    # differ before the line that closes it.
    cmp("padding-differs-map", ["-B", "-m", "--exit-code", "-F", "p.fmt", "id", "a", "b"],
        lines(SCALE, " UPDATED DATA", " [0000000]  size: 000C",
              " 0000 0000:  A", SEP, " 0000 0000:  A", ONLY_HIDDEN, END),
        {"p.fmt": PADDED_FMT, "a": PADDED_A,
         "b": b"A" + b"\x00" * 3 + bytes([0, 0, 0, 7]) + b"c" + b"!" + bytes([0, 9])}, status=1),
]

# ---- -n: the formatted dump's rules -----------------------------------------
# 33,100 blocks of 2 bytes, all "k0" but block 8050 of the second file.
LONG_A = b"k0" * 33100
LONG_B = b"k0" * 0x8050 + b"k1" + b"k0" * (33100 - 0x8050 - 1)
LONG = {"kv.fmt": KV_FMT, "a": LONG_A, "b": LONG_B}
STOPPED = b"vesk: stopped after block 7FFF; --all shows the rest, up to block 8100\n"
K_REPEATED = "1: [k]"
# The definition ends at block 1: block 2 is the first past it.
SHORT_FMT = KV_FMT.replace(b"0 &", b"0 1")

RANGE = [
    # Past the blocks the format file defines: the formatted dump's message,
    # no report, status 1 (2 with --exit-code).
    cmp("start-past-the-defined-blocks", ["--summary", "--changes-only", "--exit-code", "-n9000,9100",
                                          "-F", "kv.fmt", "id", "a", "b"],
        files=LONG, stderr=b"data block(36864) not defined in format file", status=2),
    cmp("start-past-the-defined-blocks-status-1", ["-n9000,9100", "-F", "kv.fmt", "id", "a", "b"],
        files=LONG, stderr=b"data block(36864) not defined in format file", status=1),
    cmp("start-two-past-the-definition", ["--summary", "-n3", "-F", "s.fmt", "id", "a", "b"],
        files={"s.fmt": SHORT_FMT, "a": b"1a2b", "b": b"1a2b"},
        stderr=b"data block(3) not defined in format file", status=1),
    # Right after the definition's last block: nothing to compare, and the
    # summary, asked for, says so.
    cmp("start-right-after-the-definition", ["--summary", "--exit-code", "-n2", "-F", "s.fmt", "id", "a", "b"],
        lines(*summary(0, 0, 0, 0, 0)[1:]),
        files={"s.fmt": SHORT_FMT, "a": b"1a2b", "b": b"1a2b"}),
    # The default end of the & range (block 7FFF) cuts -n7F00,8100 short:
    # 256 pairs compared, the difference at 8050 not among them. The notice
    # of the formatted dump says so; with --exit-code the answer is 2, as no
    # difference was found in the blocks compared but the others were not.
    cmp("range-cut-by-the-default-end", ["--summary", "--changes-only", "-n7F00,8100",
                                         "-F", "kv.fmt", "id", "a", "b"],
        lines(*summary(256, 0, 0, 0, 0, first=K_REPEATED, second=K_REPEATED)[1:]),
        files=LONG, stderr=STOPPED),
    cmp("range-cut-by-the-default-end-exit-code", ["--summary", "--changes-only", "--exit-code", "-n7F00,8100",
                                                   "-F", "kv.fmt", "id", "a", "b"],
        lines(*summary(256, 0, 0, 0, 0, first=K_REPEATED, second=K_REPEATED)[1:]),
        files=LONG, stderr=STOPPED, status=2),
    # A difference within the blocks compared is an answer: 1.
    cmp("range-cut-with-a-difference", ["--changes-only", "--exit-code", "-n7F00,8100",
                                        "-F", "kv.fmt", "id", "a", "b"],
        lines(" UPDATED DATA", "       block: 32528  addr: FE20 / block: 32528  addr: FE20",
              id_line("k"), v_line("[0] : [2] ")),
        files={"kv.fmt": KV_FMT, "a": LONG_A, "b": b"k0" * 0x7F10 + b"k2" + b"k0" * (33100 - 0x7F10 - 1)},
        stderr=STOPPED, status=1),
    # --all goes past it: 513 pairs, the one at 8050 updated.
    cmp("range-with-all", ["--all", "--summary", "--changes-only", "--exit-code", "-n7F00,8100",
                           "-F", "kv.fmt", "id", "a", "b"],
        lines(" UPDATED DATA", "       block: 32848  addr: 100A0 / block: 32848  addr: 100A0",
              id_line("k"), v_line("[0] : [1] "),
              *summary(513, 1, 0, 0, 0, first=K_REPEATED, second=K_REPEATED)),
        files=LONG, status=1),
    # A range that ends at 7FFF is not cut: no notice.
    cmp("range-ending-at-7fff", ["--changes-only", "--exit-code", "-n7F00,7FFF", "-F", "kv.fmt", "id", "a", "b"],
        files=LONG),
    # The formatted dump gives the same notice for the same range.
    cmp("formatted-range-cut-by-the-default-end", ["-n7FFF,8100", "-f", "kv.fmt", "a"],
        lines("       block: 32767  addr: FFFE", id_line("k"), v_line("[0] ")),
        files=LONG, stderr=STOPPED),
]

# ---- inputs that are not regular files ---------------------------------------
NOT_A_FILE = b": cannot compare an input that is not a regular file; give a file\n"
INPUTS = [
    cmp("first-file-never-ends", [], shell="timeout 20 {vesk} --all --summary -F kv.fmt id /dev/zero a",
        files={"kv.fmt": KV_FMT, "a": b"1a"}, stderr=b"/dev/zero" + NOT_A_FILE, status=1),
    cmp("second-file-never-ends", [],
        shell="timeout 20 {vesk} --all --summary --exit-code -F kv.fmt id a /dev/zero",
        files={"kv.fmt": KV_FMT, "a": b"1a"}, stderr=b"/dev/zero" + NOT_A_FILE, status=2),
]

# ---- ids chosen to collide ----------------------------------------------------
# 100,000 eight-byte ids whose FNV-1a hashes share their low 22 bits: a table
# indexed by those bits once took minutes over them. Both files the same, each
# record its id and its number.
COLLIDING = colliding_ids(100000)
COLLIDING_FILE = b"".join(i + n.to_bytes(4, "big") for n, i in enumerate(COLLIDING))
# The ids are bytes of any value: shown in hexadecimal.
ID8_FMT = b"#BLNO 0 &\nstruct R {\n BYTE id[8];\n long n;\n};\n"
COLLIDING_CHANGED = bytearray(COLLIDING_FILE)
COLLIDING_CHANGED[99999 * 12 + 11] ^= 1  # the last record's number: 99999 becomes 99998

COLLISIONS = [
    cmp("colliding-ids-same-files", [],
        shell="timeout 20 {vesk} --all --changes-only --summary --exit-code -F c.fmt id a b",
        stdout=lines(*summary(100000, 0, 0, 0, 0)[1:]),
        files={"c.fmt": ID8_FMT, "a": COLLIDING_FILE, "b": COLLIDING_FILE}),
    cmp("colliding-ids-one-changed", [],
        shell="timeout 20 {vesk} --all --changes-only --exit-code -F c.fmt id a b",
        stdout=lines(" UPDATED DATA", "       block: 99999  addr: 124F74 / block: 99999  addr: 124F74",
                     at((0, " 0000: [%s] " % COLLIDING[99999].hex()), (77, "id")),
                     at((0, " 0008: [99999] : [99998] "), (77, "n "))),
        files={"c.fmt": ID8_FMT, "a": COLLIDING_FILE, "b": bytes(COLLIDING_CHANGED)}, status=1),
]

CASES = REPEATED_ID + PAIRING + HIDDEN + RANGE + INPUTS + COLLISIONS
