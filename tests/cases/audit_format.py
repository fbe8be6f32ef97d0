"""Format file rules checked in an audit, where nothing else pins them down:
the struct and typedef tests look at the whole line (a name, a comment or a
"#" statement that holds the word counts), the "{" of a struct form must begin
the very next line, and an array of a template holding a double is laid out
element by element on 8-byte boundaries under -B."""
import struct

from vesk_e2e import Case, quote

DATA = b"\x00" * 64

INSIDE_STRUCT = b"the letters struct open a structure, even inside a name or a comment"
BRACE = b"the { of a structure ends this line or begins the next"


def fail(name, text, message, line, quoted):
    """Refused with message (on the given line, or none), then the quoted lines."""
    where = b" (line is %d)" % line if line else b""
    return Case(name, ["-f", "t.fmt", "a.dat"], stdout=b"",
                stderr=b"t.fmt: " + message + where + b"\n" + quoted,
                status=1, files={"t.fmt": text, "a.dat": DATA})


# typedef struct { char c; double d; } T: c at 0, d at 4 (align_double), size
# 12 padded to 16 (alignment 8). A: x at 0, t[0] at 8 (c 8, d 12), t[1] at 24
# (c 24, d 28), s at 40; 42 padded to 48.
TEMPLATE = (b"typedef struct {\n char c;\n double d;\n} T;\n"
            b"#BLNO 0 &\nstruct A {\n char x;\n T t[2];\n short s;\n};\n")
BLOCK = bytearray(48)
BLOCK[0] = ord("X")
BLOCK[8] = ord("a")
BLOCK[12:20] = struct.pack(">d", 1.0)
BLOCK[24] = ord("b")
BLOCK[28:36] = struct.pack(">d", 2.0)
BLOCK[40:42] = b"\x00\x07"


def item(offset, value, name):
    """Names of one byte, no comments: the label is the name alone in column 78."""
    text = " %04X: [%s] " % (offset, value)
    return (text + " " * (78 - len(text)) + name + "\n").encode()


CASES = [
    # "typedef" in an outermost line makes it a typedef, even inside a comment;
    # the type word "*/" is no type.
    fail("typedef-in-an-outermost-comment", b"#BLNO 0 &\n long n; /* not a typedef */\n", b"unknown type\n", None,
         quote(2, b" long n; /* not a typedef */", b"typedef",
               b"the letters typedef make a line a typedef, even inside a name or a comment")),
    # "struct" inside a #define name: the struct test comes before the "#" test,
    # and the next line does not begin with "{".
    # The message names the line that had to hold the "{"; the quote shows the
    # line whose letters asked for it.
    fail("struct-in-a-define-name", b"#define struct_len 4\n#BLNO 0\n", b"illegal struct statement", 2,
         quote(1, b"#define struct_len 4", b"struct", INSIDE_STRUCT)),
    # The "{" must begin the line right after the struct line: a blank line or
    # a comment before it is not skipped.
    fail("struct-brace-after-a-blank-line", b"#BLNO 0\nstruct A\n\n{\n long a;\n};\n",
         b"illegal struct statement", 3, quote(2, b"struct A", 0, BRACE)),
    fail("struct-brace-after-a-comment", b"#BLNO 0\nstruct A\n/* the record */ {\n long a;\n};\n",
         b"illegal struct statement", 3, quote(2, b"struct A", 0, BRACE)),
    Case("template-with-double-array-under-B", ["-B", "-f", "t.fmt", "a.dat"],
         files={"t.fmt": TEMPLATE, "a.dat": bytes(BLOCK)},
         stdout=b"       block: 0  addr: 0000\n"
         + item(0x00, "X", "x") + item(0x08, "a", "c") + item(0x0C, "1", "d")
         + item(0x18, "b", "c") + item(0x1C, "2", "d") + item(0x28, "7", "s")),
]
