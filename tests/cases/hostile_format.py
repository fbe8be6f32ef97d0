"""Hostile format files: lines of 100,000 bytes, numbers that overflow 16, 32
and 64 bits in dimensions, repeats, lengths and #define values. Each is refused
with its message and status 1, or read as the stated rules say; never a crash.
(Deep nesting, a NUL byte, #BLNO numbers above 32767 and offsets above 31 bits
are in format_errors.py.)"""
from vesk_e2e import Case, quote

DATA = b"\x00" * 64

COUNT = b"a count from 1 to 32767"
NO_TERMINATOR = b"a ; ends the declaration"
BELOW_1 = b"the dimension comes out below 1"
NOT_OPEN = b"no structure is open"


def fail(name, text, message, line, quoted):
    """Refused with message on the line, then the quoted lines."""
    return Case(name, ["-f", "t.fmt", "a.dat"], stdout=b"",
                stderr=b"t.fmt: " + message + b" (line is %d)\n" % line + quoted,
                status=1, files={"t.fmt": text, "a.dat": DATA})


def member(name, line, message, at, note, before=b""):
    """The member line (line 3 of fmt, after the lines `before`) refused."""
    n = 3 + before.count(b"\n")
    return fail(name, before + fmt(line), message, n, quote(n, line, at, note))


def loads(name, text):
    """A format that is accepted: over an empty data file nothing is shown."""
    return Case(name, ["-f", "t.fmt", "e.dat"], files={"t.fmt": text, "e.dat": b""})


def fmt(*members, close=b"};"):
    """One data format for all blocks, members from line 3 on."""
    return b"#BLNO 0 &\nstruct REC {\n" + b"".join(m + b"\n" for m in members) + close + b"\n"


LONG = 100000

CASES = [
    # Lines are read in pieces of 255 bytes, each counted as a line. The comment
    # line is 100,004 bytes: 392 full pieces and one of 44 holding the "*/".
    fail("long-comment-line", b"/*" + b"x" * LONG + b"*/\n};\n", b"illegal nest of struct", 394,
         quote(394, b"};", 0, NOT_OPEN)),
    # 8 + 100,000 bytes: 393 pieces (lines 3 to 395), the rest all blanks.
    fail("long-blank-tail", fmt(b" long a;" + b" " * LONG, b" long b"), b"illegal statement", 396,
         quote(396, b" long b", 7, NO_TERMINATOR)),
    # The first piece holds the "/*" but not the "*/"; the quote is that piece.
    fail("long-item-comment", fmt(b" char a[2]; /* " + b"y" * LONG + b" */"),
         b"illegal comment statement", 3,
         quote(3, b" char a[2]; /* " + b"y" * 240, 12, b"the comment ends on its line with */")),
    # A name of 100,000 bytes: the first piece has no terminator.
    fail("long-name", fmt(b" long " + b"n" * LONG + b";"), b"illegal statement", 3,
         quote(3, b" long " + b"n" * 249, 255, NO_TERMINATOR)),
    # A word of 100,000 letters after #define: its first piece is the
    # statement, the next begins in column 1 with no colon.
    fail("long-define-name", b"#define " + b"D" * LONG + b" 3\n" + fmt(b" long a;"),
         b"data type missing", 2,
         quote(2, b"D" * 255, 0, b"a line that begins in column 1 is an item of the colon form: c:LENGTH:NAME")),

    # Products of dimensions past 16 bits (65,792 would keep 256 in 16 bits),
    # past 32 bits (3 x 2^32 would keep 0) and literals past 32 and 64 bits.
    member("product-past-16-bits", b" short a[256][257];", b"illegal repeat", 14,
           b"the dimensions multiply past 32767"),
    member("product-past-32-bits", b" short a[65536][65536][3];", b"illegal repeat", 9, COUNT),
    member("dimension-past-32-bits", b" long a[4294967296];", b"illegal repeat", 8, COUNT),
    member("dimension-past-64-bits", b" long a[99999999999999999999999999];", b"illegal repeat", 8, COUNT),
    member("dimension-from-defines-past-32-bits", b" long a[K*K*K*K*K*K];", b"illegal repeat", 8, COUNT,
           before=b"#define K 100\n"),
    member("text-dimensions-past-32-bits", b" char t[65536][65536][2];", b"illegal repeat", 8, COUNT),
    fail("closing-repeat-past-16-bits", fmt(b" char a;", close=b"} r[65537];"), b"illegal repeat", 4,
         quote(4, b"} r[65537];", 4, COUNT)),
    fail("closing-repeat-past-32-bits", fmt(b" char a;", close=b"} r[4294967297];"), b"illegal repeat", 4,
         quote(4, b"} r[4294967297];", 4, COUNT)),
    member("colon-count-past-32-bits", b"s:99999999999:t", b"illegal repeat", 2, COUNT),
    member("colon-length-past-32-bits", b"c:99999999999:t", b"illegal repeat", 2, b"a length from 1 to 256"),
    member("colon-bracket-count-past-16-bits", b"x:4[65537]:t", b"illegal repeat", 4, COUNT),
    # Nested repeats of 32,767 multiply past 64 bits before the 4,096 test.
    fail("nested-repeats-past-64-bits",
         b"#BLNO 0\nstruct A {\n" + b" struct {\n" * 8 + b"  char c[1024][16];\n"
         + b" } r[32767];\n" * 8 + b"} all[32767];\n",
         b"too large block size(max. 4096 bytes)", 20,
         quote(20, b"} all[32767];", 0, b"the structure takes 2^40 bytes or more")),

    # #define keeps its value modulo 256 as a signed byte: 300 reads 44, so
    # 44 x 93 = 4,092 bytes fit and 44 x 94 = 4,136 do not.
    loads("define-300-is-44", b"#define N 300\n" + fmt(b" char a[N][93];")),
    fail("define-300-is-44-too-large", b"#define N 300\n" + fmt(b" char a[N][94];"),
         b"too large block size(max. 4096 bytes)", 5, quote(5, b"};", 0, b"the structure takes 4136 bytes")),
    # -129 reads 127; 99,999,999,999 (0x174876E7FF) reads -1; a number past
    # 64 bits saturates (0x7FFF...FF) and reads -1 as well.
    loads("define-minus-129-is-127", b"#define N -129\n" + fmt(b" char a[N][32];")),
    member("define-past-32-bits", b" short a[N];", b"%s: illegal repeat or data length", 9, BELOW_1,
           before=b"#define N 99999999999\n"),
    member("define-past-64-bits", b" short a[N];", b"%s: illegal repeat or data length", 9, BELOW_1,
           before=b"#define N 999999999999999999999999999999\n"),

    # #BLNO comments that no data format takes stay reachable (a leak checker,
    # `make valgrind`, finds none lost): replaced by a later #BLNO, or pending
    # when the reading fails.
    Case("blno-comment-replaced", ["-f", "t.fmt", "a.dat"],
         files={"t.fmt": b"#BLNO 0 ; one\n#BLNO 0 ; two\nstruct A {\n long a;\n};\n",
                "a.dat": b"\x00\x00\x00\x07"},
         stdout=b"       block: 0  addr: 0000\n" + b"       two" + b" " * 69 + b"\n"
         + b" 0000: [7] " + b" " * 67 + b"a\n"),
    fail("blno-comment-pending-at-failure", b"#BLNO 0 ; c\n};\n", b"illegal nest of struct", 2,
         quote(2, b"};", 0, NOT_OPEN)),
]
