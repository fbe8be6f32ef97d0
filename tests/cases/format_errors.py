"""Format files that are refused: every message of the reader, the item parser
and the layout, with the format file name and the line number, and status 1.
Each run stops while -f or -F is read, before any driver."""
from vesk_e2e import Case

DATA = b"\x00" * 64


def fail(name, text, message, line=None, args=None):
    """A format file t.fmt refused with message (on the given line, if any)."""
    where = b" (line is %d)" % line if line else b""
    err = b"t.fmt: " + message + where + b"\n"
    return Case(name, args or ["-f", "t.fmt", "a.dat"], stdout=b"", stderr=err, status=1,
                files={"t.fmt": text, "a.dat": DATA, "b.dat": DATA})


def fmt(*members, close=b"};"):
    """One data format for all blocks, with the given member lines (lines 3 on)."""
    return b"#BLNO 0 &\nstruct REC {\n" + b"".join(m + b"\n" for m in members) + close + b"\n"


def repeat(line, n):
    return b"".join(line % i + b"\n" if b"%d" in line else line + b"\n" for i in range(n))


CASES = [
    # Structures.
    fail("struct-without-brace", b"#BLNO 0\nstruct REC\n long a;\n};\n",
         b"illegal struct statement", 3),
    fail("struct-member-line", fmt(b" struct POINT p;", b" long a;"), b"illegal struct statement", 4),
    fail("name-holding-struct", fmt(b" long structure;", b" long a;"), b"illegal struct statement", 4),
    fail("nest-too-deep", b"#BLNO 0\nstruct A {\n" + repeat(b" struct {", 10),
         b"the nest of struct is too deep", 12),
    fail("nest-ten-thousand", b"#BLNO 0\n" + repeat(b"S {", 10000),
         b"the nest of struct is too deep", 12),
    fail("too-many-data-formats",
         b"".join(b"#BLNO %d\nA {\nc:1:a\n}\n" % i for i in range(100)) + b"#BLNO 100\nA {\n",
         b"too many block data definition", 402),
    fail("blno-missing", b"struct REC {\n long a;\n};\n", b"#BLNO statement is missing", 1),
    fail("blno-missing-second", fmt(b" long a;") + b"struct REC2 {\n",
         b"#BLNO statement is missing", 5),
    fail("close-without-open", b"#define N 1\n};\n", b"illegal nest of struct", 2),
    fail("closing-repeat-zero", fmt(b" long a;", close=b"} r[0];"), b"illegal repeat", 4),
    fail("closing-repeat-empty", fmt(b" long a;", close=b"} r[];"), b"illegal repeat", 4),
    fail("closing-repeat-div-zero", fmt(b" long a;", close=b"} r[2/(1-1)];"), b"illegal repeat", 4),
    fail("closing-repeat-undefined", fmt(b" long a;", close=b"} r[N];"), b"illegal repeat", 4),
    fail("closing-repeat-too-large", fmt(b" char a;", close=b"} r[40000];"), b"illegal repeat", 4),
    fail("block-too-large", fmt(b" char a[1024][5];"), b"too large block size(max. 4096 bytes)", 4),
    fail("block-too-large-by-repeat", fmt(b" long a;", close=b"} r[1025];"),
         b"too large block size(max. 4096 bytes)", 4),
    fail("block-too-large-with-B", fmt(b" char c;", b" double d;", close=b"} r[300];"),
         b"too large block size(max. 4096 bytes)", 5, ["-B", "-f", "t.fmt", "a.dat"]),
    fail("block-too-large-huge-sum", b"typedef struct {\n char a[1024][16];\n} T0;\n"
         + b"".join(b"typedef struct {\n T%d a[32767];\n} T%d;\n" % (i, i + 1) for i in range(8))
         + b"#BLNO 0\nstruct A {\n T8 t[32767];\n} all[32767];\n",
         b"too large block size(max. 4096 bytes)", 31),
    fail("data-size-zero", b"#BLNO 0\nstruct REC {\n};\n", b"data size not defined", 3),
    fail("data-size-empty-nested", fmt(b" struct {", b" } e[3];"), b"data size not defined", 5),
    fail("unclosed", b"#BLNO 0\nstruct REC {\n long a;\n\n", b"{,} ... does not match", 4),
    fail("unclosed-inside-comment", b"#BLNO 0\nstruct REC {\n/* open\n\n\n", b"{,} ... does not match", 5),
    fail("unclosed-full-table", b"#BLNO 0\nstruct REC {\n" + repeat(b" char c%d;", 499) + b"};\n",
         b"{,} ... does not match", 501),
    # #BLNO.
    fail("offset-not-a-number", b"#BLNO offset=12a 0\n", b"offset: illegal number", 1),
    fail("offset-hex-without-digit", b"#BLNO offset=0x 0\n", b"offset: illegal number", 1),
    fail("offset-above-31-bits", b"#BLNO offset=0x80000000 0\n", b"offset: illegal number", 1),
    fail("offset-decimal-above-31-bits", b"#BLNO offset=2147483648 0\n", b"offset: illegal number", 1),
    fail("from-not-a-number", b"#BLNO x 3\n", b"from block: illegal number", 1),
    fail("from-with-semicolon", b"#BLNO 0;x\n", b"from block: illegal number", 1),
    fail("from-above-32767", b"#BLNO 0 9\nA {\nc:1:a\n}\n#BLNO 32768\n", b"from block: illegal number", 5),
    fail("to-with-semicolon", b"#BLNO 0 9;x\n", b"to block: illegal number", 1),
    fail("to-above-32767", b"#BLNO 0 32768\n", b"to block: illegal number", 1),
    fail("to-below-from", b"#BLNO 0 9\nA {\nc:1:a\n}\n#BLNO 10 5\n",
         b"illegal relation: to block numer > from block number", 5),
    fail("first-from-not-0", b"/* */\n#BLNO 1\n", b"from block number not 0", 2),
    fail("from-not-sequential", b"#BLNO 0 9\nA {\nc:1:a\n}\n#BLNO 11\n",
         b"illegal from block number: not sequentioal", 5),
    fail("from-after-open-range", fmt(b" long a;") + b"#BLNO 32767\n",
         b"illegal from block number: not sequentioal", 5),
    # #define, #REN and typedef: reported without a line number.
    fail("too-many-defines", repeat(b"#define N%d 1", 201), b"too many definition data"),
    fail("define-without-name", b"#define\n", b"illegal definition"),
    fail("define-blank-name", b"#define   \n", b"illegal definition"),
    fail("too-many-renames", repeat(b"#REN R%d l", 101), b"too many rename definition"),
    fail("too-many-typedefs", repeat(b"#REN R%d l", 50) + repeat(b"typedef long T%d;", 51),
         b"too many rename definition"),
    fail("rename-bad-letter", b"#REN YEN q\n", b"illegal rename definition"),
    fail("rename-without-letter", b"#REN YEN\n", b"illegal rename definition"),
    fail("rename-without-name", b"#REN\n", b"illegal rename definition"),
    fail("typedef-unsigned-unknown", b"typedef unsigned float F;\n", b"unknown type"),
    fail("typedef-unknown", b"typedef string S;\n", b"unknown type\n"),
    # Item lines, colon form.
    fail("colon-no-colon", fmt(b"c10"), b"data type missing", 3),
    fail("colon-slashes-in-column-1", fmt(b"// note"), b"data type missing", 3),
    fail("colon-structure-code", fmt(b"R:1:r"), b"data type missing", 3),
    fail("colon-length-zero", fmt(b"c:0:t"), b"illegal repeat", 3),
    fail("colon-length-too-large", fmt(b"x:257:t"), b"illegal repeat", 3),
    fail("colon-length-too-large-with-count", fmt(b"c:257[2]:t"), b"illegal data length", 3),
    fail("colon-count-without-bracket", fmt(b"x:4[2:t"), b"illegal repeat", 3),
    fail("colon-count-zero", fmt(b"x:4[0]:t"), b"illegal repeat", 3),
    fail("colon-count-too-large", fmt(b"s:32768:t"), b"illegal repeat", 3),
    fail("colon-numeric-count-zero", fmt(b"l:0:t"), b"illegal repeat", 3),
    # Item lines, declaration form.
    fail("unsigned-unknown", fmt(b" unsigned float f;"), b"illegal data type found"),
    fail("type-unknown", fmt(b" string s;"), b"illegal data type", 3),
    fail("type-alone", fmt(b" DATE"), b"illegal data type", 3),
    fail("type-data-format-tag", b"#BLNO 0\nstruct REC {\n long a;\n};\n#BLNO 1\nstruct B {\n REC r;\n};\n",
         b"illegal data type", 7),
    fail("indented-hash-line", b" #BLNO 0\n", b"illegal data type", 1),
    fail("name-missing", fmt(b" long   "), b"item name missing", 3),
    fail("far-without-star", fmt(b" long far_ptr;"), b"illegal far definition", 3),
    fail("no-terminator", fmt(b" long a"), b"illegal statement", 3),
    fail("bracket-unclosed", fmt(b" long a[3;"), b" ']' ... does not match", 3),
    fail("bracket-bad-expression", fmt(b" short a[2*-1];"), b"illegal repeat", 3),
    fail("bracket-undefined-name", fmt(b" short a[M];"), b"illegal repeat", 3),
    fail("bracket-zero", b"#define N 4\n" + fmt(b" short a[N-4];"),
         b"%s: illegal repeat or data length", 4),
    fail("bracket-div-zero", fmt(b" short a[4/0];"), b"%s: illegal repeat or data length", 3),
    fail("bracket-define-wraps", b"#define N 200\n" + fmt(b" short a[N];"),
         b"%s: illegal repeat or data length", 4),
    fail("bracket-empty", fmt(b" long a[];"), b"%s: illegal repeat or data length", 3),
    fail("bracket-product-too-large", fmt(b" short a[200][200];"), b"illegal repeat", 3),
    fail("text-length-too-large", fmt(b" char a[1025];"),
         b"too large data length or invalid length", 3),
    fail("comment-unclosed", fmt(b" long a; /* total"), b"illegal comment statement", 3),
    # Reading.
    fail("nul-byte", fmt(b" long a;\x00 x"), b"illegal character (NUL) found", 3),
    # The layout: the comparison's id item.
    fail("id-not-unique", fmt(b" long id;", b" struct {", b"  short id;", b" } n;"),
         b"no unique block_id.", None, ["-F", "t.fmt", "id", "a.dat", "b.dat"]),
    fail("id-in-template-used-twice",
         b"typedef struct {\n long id;\n} K;\n" + fmt(b" K a;", b" K b;"),
         b"no unique block_id.", None, ["-F", "t.fmt", "id", "a.dat", "b.dat"]),
    fail("id-is-array", fmt(b" long id[2];"), b"block id. is array data", None,
         ["-F", "t.fmt", "id", "a.dat", "b.dat"]),
    fail("id-is-text-array", fmt(b" char id[2][4];"), b"block id. is array data", None,
         ["-F", "t.fmt", "id", "a.dat", "b.dat"]),
    Case("layout-unknown-code", ["-f", "t.fmt", "a.dat"], stdout=b"",
         stderr=b"program error: type:y, item_no:2\n", status=1,
         files={"t.fmt": fmt(b" long a;", b"y:1:odd"), "a.dat": DATA}),
    Case("format-file-missing", ["-f", "nope.fmt", "a.dat"], stdout=b"",
         stderr=b"format file nope.fmt: not found", status=1, files={"a.dat": DATA}),
    Case("format-file-is-a-folder", ["-f", "sub", "a.dat"], stdout=b"",
         stderr=b"format file sub: not found", status=1, files={"sub/x": b"", "a.dat": DATA}),
    # A format that loads: the parse then misses the data file, or runs no driver.
    Case("loads-then-file-missing", ["-f", "t.fmt"], stdout=b"", stderr=b"filename missing\n",
         status=1, files={"t.fmt": fmt(b" long a;")}),
    Case("no-data-format", ["-f", "t.fmt", "a.dat"], stdout=b"",
         stderr=b"t.fmt: no data definition, exit!\n", status=1,
         files={"t.fmt": b"/* only names */\n#define N 3\n#REN YEN l\ntypedef long L;\n", "a.dat": DATA}),
    Case("id-found-in-template-used-once", ["-F", "t.fmt", "id"], stdout=b"",
         stderr=b"filename missing\n", status=1,
         files={"t.fmt": b"typedef struct {\n long id;\n} K;\n" + fmt(b" char c;", b" K a;")}),
    Case("id-structure-is-not-an-id", ["-F", "t.fmt", "id"], stdout=b"",
         stderr=b"block id(id) not found in data definition\n", status=1,
         files={"t.fmt": b"typedef struct {\n long x;\n} K;\n" + fmt(b" K id;")}),
]
