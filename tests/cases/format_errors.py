"""Format files that are refused: every message of the reader, the item parser
and the layout, with the format file name and the line number, and status 1.
Under each message the line at fault is quoted with a caret under the word at
fault and a note. Each run stops while -f or -F is read, before any driver."""
from vesk_e2e import Case, quote

DATA = b"\x00" * 64

# The notes under the messages.
BRACE = b"the { of a structure ends this line or begins the next"
INSIDE_STRUCT = b"the letters struct open a structure, even inside a name or a comment"
NEEDS_BLNO = b"a structure outside any other is a data format: a #BLNO line comes before it"
NOT_CLOSED = b"this structure is not closed by a }"
COUNT = b"a count from 1 to 32767"
OFFSET = b"decimal, or 0x and hexadecimal digits, up to 0x7FFFFFFF"
FROM = b"a block number from 0 to 32767"
TO = b"a block number up to 32767, & or ; (a ; after a blank)"
LETTERS = b"one of the letters c s S i I l L x f d p"
UNSIGNED = b"unsigned takes char, int, short or long"
COLON_FORM = b"a line that begins in column 1 is an item of the colon form: c:LENGTH:NAME"
NO_TYPE_LETTER = b"no item type: a letter of the type table"
NO_TYPE = b"no type word, #REN or typedef name, or structure tag"
NO_BRACKET = b"this [ has no ]"
EXPRESSION = b"numbers, #define names, + - * / and parentheses, in their order"
BELOW_1 = b"the dimension comes out below 1"
NOT_UNIQUE = b"a second item of the id's name (an item of a template counts at each use)"
ONE_WORD = b"a name is one word: letters, digits, _ or Japanese"
CODES = b"SJIS, EUC, JIS or UTF-8 in parentheses"


def fail(name, text, message, line, quoted, args=None):
    """A format file t.fmt refused with message (on the given line, or none),
    followed by the quoted lines."""
    where = b" (line is %d)" % line if line else b""
    err = b"t.fmt: " + message + where + b"\n" + quoted
    return Case(name, args or ["-f", "t.fmt", "a.dat"], stdout=b"", stderr=err, status=1,
                files={"t.fmt": text, "a.dat": DATA, "b.dat": DATA})


def fmt(*members, close=b"};"):
    """One data format for all blocks, with the given member lines (lines 3 on)."""
    return b"#BLNO 0 &\nstruct REC {\n" + b"".join(m + b"\n" for m in members) + close + b"\n"


def repeat(line, n):
    return b"".join(line % i + b"\n" if b"%d" in line else line + b"\n" for i in range(n))


def member(name, line, message, at, note, before=b""):
    """A member line (line 3 of fmt, after the lines `before`) refused."""
    n = 3 + before.count(b"\n")
    return fail(name, before + fmt(line), message, n, quote(n, line, at, note))


CASES = [
    # Structures. A struct line without its "{": the message names the line
    # that had to begin with it, the quote the line that asked for it.
    fail("struct-without-brace", b"#BLNO 0\nstruct REC\n long a;\n};\n",
         b"illegal struct statement", 3, quote(2, b"struct REC", 0, BRACE)),
    fail("struct-member-line", fmt(b" struct POINT p;", b" long a;"), b"illegal struct statement", 4,
         quote(3, b" struct POINT p;", 1, BRACE)),
    fail("name-holding-struct", fmt(b" long structure;", b" long a;"), b"illegal struct statement", 4,
         quote(3, b" long structure;", 6, INSIDE_STRUCT)),
    fail("struct-in-a-comment", fmt(b" long a; /* struct */", b" long b;"), b"illegal struct statement", 4,
         quote(3, b" long a; /* struct */", 12, INSIDE_STRUCT)),
    fail("nest-too-deep", b"#BLNO 0\nstruct A {\n" + repeat(b" struct {", 10),
         b"the nest of struct is too deep", 12, quote(12, b" struct {", 1, b"10 structures deep at most")),
    fail("nest-ten-thousand", b"#BLNO 0\n" + repeat(b"S {", 10000),
         b"the nest of struct is too deep", 12, quote(12, b"S {", 0, b"10 structures deep at most")),
    fail("too-many-data-formats",
         b"".join(b"#BLNO %d\nA {\nc:1:a\n}\n" % i for i in range(100)) + b"#BLNO 100\nA {\n",
         b"too many block data definition", 402, quote(402, b"A {", 0, b"100 data formats at most")),
    fail("blno-missing", b"struct REC {\n long a;\n};\n", b"#BLNO statement is missing", 1,
         quote(1, b"struct REC {", 0, NEEDS_BLNO)),
    fail("blno-missing-second", fmt(b" long a;") + b"struct REC2 {\n",
         b"#BLNO statement is missing", 5, quote(5, b"struct REC2 {", 0, NEEDS_BLNO)),
    fail("close-without-open", b"#define N 1\n};\n", b"illegal nest of struct", 2,
         quote(2, b"};", 0, b"no structure is open")),
    fail("closing-repeat-zero", fmt(b" long a;", close=b"} r[0];"), b"illegal repeat", 4,
         quote(4, b"} r[0];", 4, COUNT)),
    fail("closing-repeat-empty", fmt(b" long a;", close=b"} r[];"), b"illegal repeat", 4,
         quote(4, b"} r[];", 4, COUNT)),
    fail("closing-repeat-div-zero", fmt(b" long a;", close=b"} r[2/(1-1)];"), b"illegal repeat", 4,
         quote(4, b"} r[2/(1-1)];", 4, b"a division by zero")),
    fail("closing-repeat-undefined", fmt(b" long a;", close=b"} r[N];"), b"illegal repeat", 4,
         quote(4, b"} r[N];", 4, b"no #define of this name")),
    fail("closing-repeat-bad-character", fmt(b" long a;", close=b"} r[2 % 3];"), b"illegal repeat", 4,
         quote(4, b"} r[2 % 3];", 6, b"no part of an expression: numbers, #define names, + - * / and parentheses")),
    fail("closing-repeat-too-large", fmt(b" char a;", close=b"} r[40000];"), b"illegal repeat", 4,
         quote(4, b"} r[40000];", 4, COUNT)),
    # 1024 x 5 = 5120; 4 x 1025 = 4100; under B 16 (c at 0, d at 4, 12
    # padded to the 8 of the double) x 300 = 4800.
    fail("block-too-large", fmt(b" char a[1024][5];"), b"too large block size(max. 4096 bytes)", 4,
         quote(4, b"};", 0, b"the structure takes 5120 bytes")),
    fail("block-too-large-by-repeat", fmt(b" long a;", close=b"} r[1025];"),
         b"too large block size(max. 4096 bytes)", 4, quote(4, b"} r[1025];", 0, b"the structure takes 4100 bytes")),
    fail("block-too-large-with-B", fmt(b" char c;", b" double d;", close=b"} r[300];"),
         b"too large block size(max. 4096 bytes)", 5, quote(5, b"} r[300];", 0, b"the structure takes 4800 bytes"),
         ["-B", "-f", "t.fmt", "a.dat"]),
    fail("block-too-large-huge-sum", b"typedef struct {\n char a[1024][16];\n} T0;\n"
         + b"".join(b"typedef struct {\n T%d a[32767];\n} T%d;\n" % (i, i + 1) for i in range(8))
         + b"#BLNO 0\nstruct A {\n T8 t[32767];\n} all[32767];\n",
         b"too large block size(max. 4096 bytes)", 31,
         quote(31, b"} all[32767];", 0, b"the structure takes 2^40 bytes or more")),
    fail("data-size-zero", b"#BLNO 0\nstruct REC {\n};\n", b"data size not defined", 3,
         quote(3, b"};", 0, b"the structure holds no item: a block of 0 bytes")),
    fail("data-size-empty-nested", fmt(b" struct {", b" } e[3];"), b"data size not defined", 5,
         quote(5, b"};", 0, b"the structure holds no item: a block of 0 bytes")),
    # The file ends with a structure open: the message names the last line,
    # the quote the opening of the innermost open structure.
    fail("unclosed", b"#BLNO 0\nstruct REC {\n long a;\n\n", b"{,} ... does not match", 4,
         quote(2, b"struct REC {", 0, NOT_CLOSED)),
    fail("unclosed-nested", b"#BLNO 0\nstruct REC {\n long a;\n  struct {\n  short b;\n};\n",
         b"{,} ... does not match", 6, quote(2, b"struct REC {", 0, NOT_CLOSED)),
    fail("unclosed-inside-comment", b"#BLNO 0\nstruct REC {\n/* open\n\n\n", b"{,} ... does not match", 5,
         quote(2, b"struct REC {", 0, NOT_CLOSED)),
    # The 500th record stops the reading: that line is to blame.
    fail("unclosed-full-table", b"#BLNO 0\nstruct REC {\n" + repeat(b" char c%d;", 499) + b"};\n",
         b"{,} ... does not match", 501,
         quote(501, b" char c498;", 0, b"the 500th item or structure: the format file is read no further")),
    # #BLNO.
    fail("offset-not-a-number", b"#BLNO offset=12a 0\n", b"offset: illegal number", 1,
         quote(1, b"#BLNO offset=12a 0", 13, OFFSET)),
    fail("offset-hex-without-digit", b"#BLNO offset=0x 0\n", b"offset: illegal number", 1,
         quote(1, b"#BLNO offset=0x 0", 13, OFFSET)),
    fail("offset-above-31-bits", b"#BLNO offset=0x80000000 0\n", b"offset: illegal number", 1,
         quote(1, b"#BLNO offset=0x80000000 0", 13, OFFSET)),
    fail("offset-decimal-above-31-bits", b"#BLNO offset=2147483648 0\n", b"offset: illegal number", 1,
         quote(1, b"#BLNO offset=2147483648 0", 13, OFFSET)),
    fail("from-not-a-number", b"#BLNO x 3\n", b"from block: illegal number", 1, quote(1, b"#BLNO x 3", 6, FROM)),
    fail("from-with-semicolon", b"#BLNO 0;x\n", b"from block: illegal number", 1, quote(1, b"#BLNO 0;x", 6, FROM)),
    fail("from-above-32767", b"#BLNO 0 9\nA {\nc:1:a\n}\n#BLNO 32768\n", b"from block: illegal number", 5,
         quote(5, b"#BLNO 32768", 6, FROM)),
    fail("to-with-semicolon", b"#BLNO 0 9;x\n", b"to block: illegal number", 1, quote(1, b"#BLNO 0 9;x", 8, TO)),
    fail("to-above-32767", b"#BLNO 0 32768\n", b"to block: illegal number", 1, quote(1, b"#BLNO 0 32768", 8, TO)),
    fail("to-below-from", b"#BLNO 0 9\nA {\nc:1:a\n}\n#BLNO 10 5\n",
         b"illegal relation: to block numer > from block number", 5, quote(5, b"#BLNO 10 5", 9)),
    fail("first-from-not-0", b"/* */\n#BLNO 1\n", b"from block number not 0", 2,
         quote(2, b"#BLNO 1", 6, b"the first range starts at block 0")),
    fail("from-not-sequential", b"#BLNO 0 9\nA {\nc:1:a\n}\n#BLNO 11\n",
         b"illegal from block number: not sequentioal", 5,
         quote(5, b"#BLNO 11", 6, b"the range before ends at block 9: expected 10")),
    fail("from-after-open-range", fmt(b" long a;") + b"#BLNO 32767\n",
         b"illegal from block number: not sequentioal", 5,
         quote(5, b"#BLNO 32767", 6, b"the range before runs to the last block")),
    # #define, #REN and typedef: reported without a line number, which the
    # quote gives.
    fail("too-many-defines", repeat(b"#define N%d 1", 201), b"too many definition data", None,
         quote(201, b"#define N200 1", 0, b"200 #define lines at most")),
    fail("define-without-name", b"#define\n", b"illegal definition", None,
         quote(1, b"#define", 7, b"a name must follow #define")),
    fail("define-blank-name", b"#define   \n", b"illegal definition", None,
         quote(1, b"#define   ", 10, b"a name must follow #define")),
    fail("too-many-renames", repeat(b"#REN R%d l", 101), b"too many rename definition", None,
         quote(101, b"#REN R100 l", 0, b"100 #REN and typedef names at most")),
    fail("too-many-typedefs", repeat(b"#REN R%d l", 50) + repeat(b"typedef long T%d;", 51),
         b"too many rename definition", None, quote(101, b"typedef long T50;", 0, b"100 #REN and typedef names at most")),
    fail("rename-bad-letter", b"#REN YEN q\n", b"illegal rename definition", None, quote(1, b"#REN YEN q", 9, LETTERS)),
    fail("rename-without-letter", b"#REN YEN\n", b"illegal rename definition", None, quote(1, b"#REN YEN", 8, LETTERS)),
    fail("rename-without-name", b"#REN\n", b"illegal rename definition", None,
         quote(1, b"#REN", 4, b"a name must follow #REN")),
    fail("typedef-unsigned-unknown", b"typedef unsigned float F;\n", b"unknown type", None,
         quote(1, b"typedef unsigned float F;", 17, UNSIGNED)),
    # "unknown type" carries its own line end: an empty line follows it. No
    # type word lies near "string": the note lists them.
    fail("typedef-unknown", b"typedef string S;\n", b"unknown type\n", None,
         quote(1, b"typedef string S;", 8, b"no type word of typedef: char, int, short, long, float, double, "
                                            b"CHAR, BYTE, WORD, INT, LONG, DWORD, LPSTR")),
    fail("typedef-misspelt", b"typedef shrot S;\n", b"unknown type\n", None,
         quote(1, b"typedef shrot S;", 8, b"did you mean short?")),
    # Item lines, colon form.
    member("colon-no-colon", b"c10", b"data type missing", 0, COLON_FORM),
    member("colon-slashes-in-column-1", b"// note", b"data type missing", 0, COLON_FORM),
    member("colon-structure-code", b"R:1:r", b"data type missing", 0, NO_TYPE_LETTER),
    member("colon-length-zero", b"c:0:t", b"illegal repeat", 2, b"a length from 1 to 256"),
    member("colon-length-too-large", b"x:257:t", b"illegal repeat", 2, b"a length from 1 to 256"),
    member("colon-length-too-large-with-count", b"c:257[2]:t", b"illegal data length", 2, b"a length from 1 to 256"),
    member("colon-count-without-bracket", b"x:4[2:t", b"illegal repeat", 3, NO_BRACKET),
    member("colon-count-zero", b"x:4[0]:t", b"illegal repeat", 4, COUNT),
    member("colon-count-too-large", b"s:32768:t", b"illegal repeat", 2, COUNT),
    member("colon-numeric-count-zero", b"l:0:t", b"illegal repeat", 2, COUNT),
    member("colon-text-code-unknown", b"c(EUCJP):3:n", b"illegal text code", 1, CODES),
    # Item lines, declaration form.
    fail("unsigned-unknown", fmt(b" unsigned float f;"), b"illegal data type found", None,
         quote(3, b" unsigned float f;", 10, UNSIGNED)),
    member("type-unknown", b" string s;", b"illegal data type", 1, NO_TYPE),
    member("type-alone", b" DATE", b"illegal data type", 1, NO_TYPE),
    member("type-alone-known", b" DATE", b"illegal data type", 1, b"a name must follow the type word",
           before=b"typedef struct {\n short year;\n} DATE;\n"),
    member("type-misspelt", b" shrot year;", b"illegal data type", 1, b"did you mean short?"),
    member("type-in-another-case", b" Long n;", b"illegal data type", 1, b"did you mean long?"),
    member("type-misspelt-rename", b" YNE price;", b"illegal data type", 1, b"did you mean YEN?",
           before=b"#REN YEN l\n"),
    member("type-misspelt-template", b" DAET made;", b"illegal data type", 1, b"did you mean DATE?",
           before=b"typedef struct {\n short year;\n} DATE;\n"),
    fail("type-data-format-tag", b"#BLNO 0\nstruct REC {\n long a;\n};\n#BLNO 1\nstruct B {\n REC r;\n};\n",
         b"illegal data type", 7, quote(7, b" REC r;", 1, b"a data format is no type: a typedef struct is")),
    fail("indented-hash-line", b" #BLNO 0\n", b"illegal data type", 1,
         quote(1, b" #BLNO 0", 1, b"statements begin in column 1")),
    member("name-missing", b" long   ", b"item name missing", 8, b"a name must follow the type word"),
    member("far-without-star", b" long far_ptr;", b"illegal far definition", 6,
           b"far stands before a * and the name: char far *name"),
    member("no-terminator", b" long a", b"illegal statement", 7, b"a ; ends the declaration"),
    member("bracket-unclosed", b" long a[3;", b" ']' ... does not match", 7, NO_BRACKET),
    member("bracket-bad-expression", b" short a[2*-1];", b"illegal repeat", 9, EXPRESSION),
    member("bracket-undefined-name", b" short a[M];", b"illegal repeat", 9, b"no #define of this name"),
    member("bracket-misspelt-name", b" short a[2*NLNE];", b"illegal repeat", 11,
           b"no #define of this name: did you mean NLEN?", before=b"#define NLEN 4\n"),
    member("bracket-zero", b" short a[N-4];", b"%s: illegal repeat or data length", 9, BELOW_1,
           before=b"#define N 4\n"),
    member("bracket-div-zero", b" short a[4/0];", b"%s: illegal repeat or data length", 9, b"a division by zero"),
    member("bracket-define-wraps", b" short a[N];", b"%s: illegal repeat or data length", 9, BELOW_1,
           before=b"#define N 200\n"),
    member("bracket-empty", b" long a[];", b"%s: illegal repeat or data length", 8, BELOW_1),
    member("bracket-product-too-large", b" short a[200][200];", b"illegal repeat", 14,
           b"the dimensions multiply past 32767"),
    member("text-length-too-large", b" char a[1025];", b"too large data length or invalid length", 8,
           b"a length from 1 to 1024"),
    member("comment-unclosed", b" long a; /* total", b"illegal comment statement", 9,
           b"the comment ends on its line with */"),
    member("text-code-unknown", b" char(EBCDIC) n[4];", b"illegal text code", 5, CODES),
    member("text-code-unclosed", b" char(EUC n[4];", b"illegal text code", 5, CODES),
    # A name is one word. The type word ends at the first blank, so a type of
    # two words more, or a scale after the name, leaves a name that is not one.
    member("name-after-a-type-of-three-words", b" unsigned long long K;", b"illegal item name", 15, ONE_WORD),
    member("name-of-two-words", b" long sales total;", b"illegal item name", 6, ONE_WORD),
    member("names-in-a-list", b" SBYTE a,b,c;", b"illegal item name", 7, ONE_WORD),
    member("name-with-a-scale", b" PACKED X(5);", b"illegal item name", 8,
           b"the scale follows the type word: PACKED(s) name[bytes]"),
    member("zoned-name-with-a-scale", b" ZONED z(2)[3];", b"illegal item name", 7,
           b"the scale follows the type word: ZONED(s) name[bytes]"),
    member("name-with-a-dot", b" long rec.no;", b"illegal item name", 6, ONE_WORD),
    # A full-width blank (81 40) is a blank too; the line is shown as it is.
    member("name-with-a-full-width-blank", b" char \x96\xbc\x81\x40\x91\x4f[4];", b"illegal item name", 6,
           ONE_WORD),
    # A control byte of the line shows as a point in the quote.
    fail("name-with-a-control-byte", fmt(b" long a\x1bb;"), b"illegal item name", 3,
         quote(3, b" long a.b;", 6, ONE_WORD)),
    # Statements of vesk's own in another case are refused and named, inside
    # a structure too.
    fail("endian-in-lower-case", b"#endian big\n" + fmt(b" QUAD q;"), b"#endian: did you mean #ENDIAN?", 1,
         quote(1, b"#endian big", 0)),
    fail("code-in-mixed-case", b"#Code EUC\n" + fmt(b" char n[4];"), b"#Code: did you mean #CODE?", 1,
         quote(1, b"#Code EUC", 0)),
    fail("blno-in-lower-case", b"#blno 0 &\nstruct A {\n long a;\n};\n", b"#blno: did you mean #BLNO?", 1,
         quote(1, b"#blno 0 &", 0)),
    fail("define-in-upper-case", b"#DEFINE N 3\n", b"#DEFINE: did you mean #define?", 1, quote(1, b"#DEFINE N 3", 0)),
    fail("ren-in-mixed-case", fmt(b" long a;") + b"#Ren YEN l\n", b"#Ren: did you mean #REN?", 5,
         quote(5, b"#Ren YEN l", 0)),
    fail("statement-case-inside-a-structure", fmt(b" long a;", b"#Endian BIG"), b"#Endian: did you mean #ENDIAN?", 4,
         quote(4, b"#Endian BIG", 0)),
    # The quoted line as the report shows text: a Shift_JIS character as it
    # is, a control byte as a point; under --utf8 the character in UTF-8, in
    # the two columns of its Shift_JIS form, so the caret keeps its column.
    fail("quote-in-shift-jis", b"#REN \x89\x7e\x1b q\n", b"illegal rename definition", None,
         quote(1, b"#REN \x89\x7e. q", 9, LETTERS)),
    fail("quote-in-utf8", b"#REN \x89\x7e\x1b q\n", b"illegal rename definition", None,
         quote(1, "#REN 円. q".encode("utf-8"), 9, LETTERS), ["--utf8", "-f", "t.fmt", "a.dat"]),
    fail("quote-in-utf8-note-with-a-name", b"#REN \x93\xfa\x95\x74 l\n" + fmt(b" \x93\xfa\x95\x84 d;"),
         b"illegal data type", 4,
         quote(4, " 日符 d;".encode("utf-8"), 1, "did you mean 日付?".encode("utf-8")),
         ["--utf8", "-f", "t.fmt", "a.dat"]),
    # Reading.
    fail("nul-byte", fmt(b" long a;\x00 x"), b"illegal character (NUL) found", 3,
         quote(3, b" long a;. x", 8, b"a zero byte")),
    # The layout: the comparison's id item, quoted from the line that declared it.
    fail("id-not-unique", fmt(b" long id;", b" struct {", b"  short id;", b" } n;"),
         b"no unique block_id.", None, quote(5, b"  short id;", 8, NOT_UNIQUE), ["-F", "t.fmt", "id", "a.dat", "b.dat"]),
    fail("id-in-template-used-twice",
         b"typedef struct {\n long id;\n} K;\n" + fmt(b" K a;", b" K b;"),
         b"no unique block_id.", None, quote(2, b" long id;", 6, NOT_UNIQUE), ["-F", "t.fmt", "id", "a.dat", "b.dat"]),
    fail("id-is-array", fmt(b" long id[2];"), b"block id. is array data", None,
         quote(3, b" long id[2];", 6, b"the id is one value: no array"), ["-F", "t.fmt", "id", "a.dat", "b.dat"]),
    fail("id-is-text-array", fmt(b" char id[2][4];"), b"block id. is array data", None,
         quote(3, b" char id[2][4];", 6, b"the id is one value: no array"), ["-F", "t.fmt", "id", "a.dat", "b.dat"]),
    Case("layout-unknown-code", ["-f", "t.fmt", "a.dat"], stdout=b"",
         stderr=b"program error: type:y, item_no:2\n" + quote(4, b"y:1:odd", 0, NO_TYPE_LETTER), status=1,
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
    # A structure is no id; its item x would fit.
    Case("id-structure-is-not-an-id", ["-F", "t.fmt", "id"], stdout=b"",
         stderr=b"block id(id) not found in data definition\n  ids that would fit: x\n", status=1,
         files={"t.fmt": b"typedef struct {\n long x;\n} K;\n" + fmt(b" K id;")}),
]
