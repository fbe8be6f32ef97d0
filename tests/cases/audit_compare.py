"""Comparison, list form: the room kept for the second value of a char or
BYTE element (length + 6 and 2 x length + 5 columns), at the exact fit and
one column past it, and for the block-id item too, which has no second value.

Expected lines are put together column by column from the line width 79 and
the label width (names up to 3 bytes, no comments: the label is the name
column alone, from column 76)."""
from vesk_e2e import Case, lines


def pad(text, col):
    """text blank-padded up to column col."""
    assert len(text) <= col, (text, col)
    return text + " " * (col - len(text))


HEADING = "       block: 0  addr: 0000 / block: 0  addr: 0000"

ROOM_FMT = b"#BLNO 0 &\nstruct R {\n char id;\n BYTE raw[16];\n char t[32];\n};\n"
HEX_A = "".join("%02x" % i for i in range(16))
HEX_B = HEX_A[:30] + "ff"

ID_FMT = b"#BLNO 0 &\nstruct R {\n char key[40];\n short n;\n};\n"

CASES = [
    Case("room-for-the-second-value", ["-F", "r.fmt", "id", "a.dat", "b.dat"],
         stdout=lines(
             " UPDATED DATA", HEADING,
             pad(" 0000: [I] ", 76) + "id ",
             # The first value ends in column 41; 42 + 2 x 16 + 5 = 79 fits,
             # so both values share the line, which ends in column 78.
             " 0001: [" + HEX_A + "] : [" + HEX_B + "] ",
             " " * 76 + "raw",
             # The first value ends in column 41; 42 + 32 + 6 = 80 passes 79.
             " 0011: [" + "a" * 32 + "] ",
             pad("       : [" + "b" * 32 + "] ", 76) + "t  "),
         files={"r.fmt": ROOM_FMT,
                "a.dat": b"I" + bytes(range(16)) + b"a" * 32,
                "b.dat": b"I" + bytes(range(15)) + b"\xff" + b"b" * 32}),
    # The id has no second value, but the room is kept all the same: the line
    # is written after it and the label goes on a continuation line.
    Case("block-id-keeps-the-room", ["-F", "k.fmt", "key", "a.dat", "b.dat"],
         stdout=lines(
             " UPDATED DATA", HEADING,
             " 0000: [" + "K" * 40 + "] ",
             pad("       ", 76) + "key",
             pad(" 0028: [1] : [2] ", 76) + "n  "),
         files={"k.fmt": ID_FMT,
                "a.dat": b"K" * 40 + b"\x00\x01",
                "b.dat": b"K" * 40 + b"\x00\x02"}),
]
