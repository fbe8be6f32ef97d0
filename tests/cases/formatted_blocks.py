"""The formatted dump's walk over the blocks: start position (-h, -n),
titles (-D), range comments, several data formats with explicit offsets,
the two "returned from the present position" errors, and an input that
cannot seek."""
from vesk_e2e import Case, lines


def fmt(*text):
    return ("\n".join(text) + "\n").encode("latin-1")


def pad(text, col):
    assert len(text) <= col, (text, col)
    return text + " " * (col - len(text))


def title(block, addr):
    return f"       block: {block}  addr: {addr}"


def be32(n):
    return n.to_bytes(4, "big")


def le32(n):
    return n.to_bytes(4, "little")


def le16(n):
    return n.to_bytes(2, "little")


# A 32-byte block: one number shown, 28 bytes hidden. Names up to 3 bytes,
# comments up to 10 ("no display"): label 16 columns from column 63.
BLOCK32 = fmt("#BLNO 0 &",
              "struct B {",
              " long n; /* number */",
              " char pad[28]; /* no display */",
              "};")
ONE_BLOCK = BLOCK32.replace(b"#BLNO 0 &", b"#BLNO 0 0")
# 16 header bytes, then blocks holding 1, 2, 3.
HEADED = b"H" * 16 + b"".join(be32(n) + b"\x00" * 28 for n in (1, 2, 3))


def n_line(n):
    return pad(f" 0000: [{n}] ", 63) + "n   : number    "


# Three data formats: a header at 0, records from an explicit offset, and an
# open range after them. Names up to 5 bytes, comments up to 10: label 18
# columns from column 61.
MULTI = fmt("#BLNO 0 0 ; file header",
            "struct HEAD {",
            " char magic[4]; /* file magic */",
            " short count; /* records */",
            "};",
            "#BLNO offset=16 1 3 ; records",
            "struct REC {",
            " long id;",
            " short qty;",
            "};",
            "#BLNO 4 &",
            "struct TAIL {",
            " BYTE b[2];",
            "};")
# Little-endian numbers: read with -v in the list form, as they are in the map.
MULTI_DATA = (b"VESK" + le16(3) + b"\x00" * 10                            # 0x00 header, gap
              + le32(1) + le16(10) + le32(2) + le16(20) + le32(3) + le16(30)  # 0x10 records
              + bytes([0xAB, 0xCD, 0xEF, 0x01]))                         # 0x22 tails
COMMENT_HEADER = pad("       file header", 79)
COMMENT_RECORDS = pad("       records", 79)


def rec_lines(block, addr, ident, qty):
    return [title(block, addr), COMMENT_RECORDS,
            pad(f" 0000: [{ident}] ", 61) + "id    :           ",
            pad(f" 0004: [{qty}] ", 61) + "qty   :           "]


MULTI_LIST = lines(
    title(0, "0000"), COMMENT_HEADER,
    pad(" 0000: [VESK] ", 61) + "magic : file magic",
    pad(" 0004: [3] ", 61) + "count : records   ",
    *rec_lines(1, "0010", 1, 10),
    *rec_lines(2, "0016", 2, 20),
    *rec_lines(3, "001C", 3, 30),
    title(4, "0022"),
    pad(" 0000: [abcd] ", 61) + "b     :           ",
    title(5, "0024"),
    pad(" 0000: [ef01] ", 61) + "b     :           ")

# The records' offset lies inside the header block's bytes.
BACKWARD = fmt("#BLNO 0 0",
               "struct HEAD {",
               " char magic[6];",
               "};",
               "#BLNO offset=4 1 1",
               "struct REC {",
               " short n;",
               "};",
               "#BLNO 2 3",
               "struct TAIL {",
               " short t;",
               "};")

# A comment longer than the line: cut to 72 bytes after the seven blanks.
LONG_COMMENT = "0123456789" * 8
COMMENTED = fmt("#BLNO 0 & ; " + LONG_COMMENT,
                "struct C {",
                " short v;",
                "};")

CASES = [
    # The header size moves every block; no -n: to the end of the file.
    Case("header-size", ["-h16", "-f", "b.fmt", "b.dat"],
         stdout=lines(title(0, "0010"), n_line(1), title(1, "0030"), n_line(2),
                      title(2, "0050"), n_line(3)),
         files={"b.fmt": BLOCK32, "b.dat": HEADED}),
    Case("header-size-decimal", ["-D", "-h16", "-f", "b.fmt", "b.dat"],
         stdout=lines(title(0, "0016"), n_line(1), title(1, "0048"), n_line(2),
                      title(2, "0080"), n_line(3)),
         files={"b.fmt": BLOCK32, "b.dat": HEADED}),
    # Blocks 0 and 1 are skipped by arithmetic.
    Case("start-block", ["-h16", "-n2", "-f", "b.fmt", "b.dat"],
         stdout=lines(title(2, "0050"), n_line(3)),
         files={"b.fmt": BLOCK32, "b.dat": HEADED}),
    Case("block-range", ["-h16", "-n0,1", "-f", "b.fmt", "b.dat"],
         stdout=lines(title(0, "0010"), n_line(1), title(1, "0030"), n_line(2)),
         files={"b.fmt": BLOCK32, "b.dat": HEADED}),
    # Within the definitions but past the end of the file: nothing is shown.
    Case("start-past-the-end-of-file", ["-h16", "-n5", "-f", "b.fmt", "b.dat"],
         files={"b.fmt": BLOCK32, "b.dat": HEADED}),
    Case("empty-file", ["-f", "b.fmt", "b.dat"], files={"b.fmt": BLOCK32, "b.dat": b""}),
    # Three formats, an explicit offset, range comments on every block.
    Case("several-formats", ["-v", "-f", "m.fmt", "m.dat"], stdout=MULTI_LIST,
         files={"m.fmt": MULTI, "m.dat": MULTI_DATA}),
    # -n2: block 0 by arithmetic (6 bytes), block 1 at its offset: 16 + 6.
    Case("several-formats-start-inside-a-range", ["-v", "-n2,4", "-f", "m.fmt", "m.dat"],
         stdout=lines(*rec_lines(2, "0016", 2, 20), *rec_lines(3, "001C", 3, 30),
                      title(4, "0022"), pad(" 0000: [abcd] ", 61) + "b     :           "),
         files={"m.fmt": MULTI, "m.dat": MULTI_DATA}),
    Case("several-formats-decimal", ["-D", "-v", "-n3,4", "-f", "m.fmt", "m.dat"],
         stdout=lines(*rec_lines(3, "0028", 3, 30),
                      title(4, "0034"), pad(" 0000: [abcd] ", 61) + "b     :           "),
         files={"m.fmt": MULTI, "m.dat": MULTI_DATA}),
    # The same through a pipe: the offset and the start lie ahead, so the
    # input is read forward to them.
    Case("several-formats-through-a-pipe", [], stdout=MULTI_LIST,
         shell="cat m.dat | {vesk} -v -f m.fmt /dev/stdin",
         files={"m.fmt": MULTI, "m.dat": MULTI_DATA}),
    Case("start-block-through-a-pipe", [], stdout=lines(title(2, "0050"), n_line(3)),
         shell="cat b.dat | {vesk} -h16 -n2 -f b.fmt /dev/stdin",
         files={"b.fmt": BLOCK32, "b.dat": HEADED}),
    # An offset behind the blocks already reached.
    Case("offset-behind-while-skipping", ["-n2", "-f", "k.fmt", "k.dat"],
         stderr=b"offset=4: It has returned from the present position.", status=1,
         files={"k.fmt": BACKWARD, "k.dat": b"ABCDEF\x00\x01\x00\x02"}),
    Case("offset-behind-while-showing", ["-w4,0", "-f", "k.fmt", "k.dat"],
         stdout=lines(title(0, "0000"), pad(" 0000: [ABCDEF] ", 75) + "magic"[:4],
                      "Error: offset(4) ... It has returned from the present position."),
         status=1, files={"k.fmt": BACKWARD, "k.dat": b"ABCDEF\x00\x01\x00\x02"}),
    Case("start-block-not-defined", ["-n5", "-f", "one.fmt", "b.dat"],
         stderr=b"data block(5) not defined in format file", status=1,
         files={"one.fmt": ONE_BLOCK, "b.dat": HEADED}),
    # Past the last range the walk stops quietly.
    Case("last-range-ends-the-walk", ["-h16", "-f", "one.fmt", "b.dat"],
         stdout=lines(title(0, "0010"), n_line(1)),
         files={"one.fmt": ONE_BLOCK, "b.dat": HEADED}),
    # Reading /proc/self/mem at offset 0 fails: reported, not taken for the end.
    Case("read-error", ["-f", "b.fmt", "/proc/self/mem"],
         stderr=b"/proc/self/mem: read error\n", status=1, files={"b.fmt": BLOCK32}),
    Case("range-comment-cut-to-the-line", ["-f", "c.fmt", "c.dat"],
         stdout=lines(title(0, "0000"), "       " + LONG_COMMENT[:72],
                      pad(" 0000: [258] ", 78) + "v"),
         files={"c.fmt": COMMENTED, "c.dat": b"\x01\x02"}),
    Case("range-comment-cut-to-a-wider-line", ["-l100", "-f", "c.fmt", "c.dat"],
         stdout=lines(title(0, "0000"), pad("       " + LONG_COMMENT, 100),
                      pad(" 0000: [258] ", 99) + "v"),
         files={"c.fmt": COMMENTED, "c.dat": b"\x01\x02"}),
]
