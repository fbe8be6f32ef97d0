"""The formatted dump as JSON Lines (--json): one object a block, with its
number, file offset, data format name and items; every value type, nesting
and arrays, hidden items, each kind of value that is not whole, duplicate
names, text codes, and the options that do not apply to records or refuse
them.

Each expected line is written out by hand from the bytes of the data and the
format file: numbers in decimal with every digit, decimals with their scale,
floats as the shortest text that reads back the same, BYTE and pointers in
hex, text as its characters in UTF-8."""
import pathlib
import shlex

from vesk_e2e import PYTHON, Case

ROOT = pathlib.Path(__file__).resolve().parents[2]
EX = ROOT / "examples"
ON_TERMINAL = shlex.quote(str(ROOT / "tests" / "e2e" / "on_terminal.py"))


def fmt(*text):
    return ("\n".join(text) + "\n").encode("cp932")


def out(*objects):
    """JSON Lines: each text as written by hand, one a line, in UTF-8."""
    return "".join(o + "\n" for o in objects).encode("utf-8")


# Every value type once, most significant byte first.
TYPES = fmt("#BLNO 0 & ; types",
            "struct T {",
            " char c[3];",
            " BYTE b[2];",
            " SBYTE sb;",
            " UBYTE ub;",
            " short s;",
            " WORD w;",
            " int i;",
            " unsigned int ui;",
            " long l;",
            " DWORD dw;",
            " QUAD q;",
            " UQUAD uq;",
            " float f;",
            " double d;",
            " LPSTR p;",
            " char far *fp;",
            " PACKED(2) pk[3];",
            " ZONED(1) zn[4];",
            "};")
TYPES_DATA = (b"Ab " + bytes.fromhex("01ff") + bytes.fromhex("fe") + bytes.fromhex("fe")
              + bytes.fromhex("ff9c") + bytes.fromhex("ff9c")
              + bytes.fromhex("80000000") + bytes.fromhex("ffffffff") + bytes.fromhex("0001e240")
              + bytes.fromhex("00000007")
              + bytes.fromhex("ffffffffffffffff") + bytes.fromhex("0020000000000001")  # -1, 2^53 + 1
              + bytes.fromhex("3fc00000") + bytes.fromhex("3fb999999999999a")          # 1.5, 0.1
              + bytes.fromhex("0012abcd") + bytes.fromhex("deadbeef")
              + bytes.fromhex("12345d") + b"100A")                                    # -123.45, +100.1
TYPES_JSON = ('{"block":0,"offset":0,"format":"types","items":{"c":"Ab ","b":"01ff","sb":-2,"ub":254,'
              '"s":-100,"w":65436,"i":-2147483648,"ui":4294967295,"l":123456,"dw":7,"q":-1,'
              '"uq":9007199254740993,"f":1.5,"d":0.1,"p":"0012ABCD","fp":"DEADBEEF","pk":-123.45,"zn":100.1}}')

# The same numbers least significant byte first: -v, or #ENDIAN LITTLE.
LITTLE = fmt("#BLNO 0 & ; little", "struct L {", " short s;", " long l;", " double d;", "};")
LITTLE_DATA = bytes.fromhex("9cff") + bytes.fromhex("40e20100") + bytes.fromhex("9a9999999999b93f")
LITTLE_JSON = '{"block":0,"offset":0,"format":"little","items":{"s":-100,"l":123456,"d":0.1}}'

# Structures: a template, a nested structure repeated twice, arrays of two
# dimensions (of numbers and of text), a nested structure without a name
# (its members stand in the record), and hidden items left out.
ORDERS = fmt("typedef struct {",
             " short year;",
             " char mon[2];",
             "} DATE;",
             "#BLNO 0 & ; orders",
             "struct ORDER {",
             " long no; /* order number */",
             " DATE ordered;",
             " struct {",
             "  short qty;",
             "  char unit[2];",
             " } line[2];",
             " short grid[2][3];",
             " char tags[2][3];",
             " struct {",
             "  BYTE flags[2]; /* no display */",
             "  UBYTE rank;",
             " };",
             " long note; /* no display */",
             "};")
ORDERS_DATA = (bytes.fromhex("000003e9") + bytes.fromhex("07e8") + b"04"
               + bytes.fromhex("0002") + b"kg" + bytes.fromhex("000c") + b"pc"
               + bytes.fromhex("000100020003000400050006") + b"abcxyz"
               + bytes.fromhex("ffff") + bytes.fromhex("05") + bytes.fromhex("00000009"))
ORDERS_JSON = ('{"block":0,"offset":0,"format":"orders","items":{"no":1001,"ordered":{"year":2024,"mon":"04"},'
               '"line":[{"qty":2,"unit":"kg"},{"qty":12,"unit":"pc"}],"grid":[[1,2,3],[4,5,6]],'
               '"tags":["abc","xyz"],"rank":5}}')

# Each kind of value that is not whole: a bad digit of a packed and of a
# zoned decimal, NaN and infinity, text with bytes that are no character of
# its code (a Shift_JIS pair that stands for none; a UTF-8 sequence cut
# short and a byte that begins none), a number cut by the end of the data and
# the items after it. Each is listed under "unreadable" with its bytes.
FAULTS = fmt("#BLNO 0 & ; faults",
             "struct F {",
             " PACKED pk[2];",
             " ZONED zn[2];",
             " float f;",
             " double d;",
             " char t[4];",
             " char(UTF-8) u[3];",
             " long tail;",
             " char rest[4];",
             " short after;",
             "};")
FAULTS_DATA = (bytes.fromhex("1a0c") + b"x1" + bytes.fromhex("7fc00000") + bytes.fromhex("7ff0000000000000")
               + bytes.fromhex("4182f542") + bytes.fromhex("e381ff") + bytes.fromhex("0007"))
FAULTS_JSON = ('{"block":0,"offset":0,"format":"faults","items":{"pk":null,"zn":null,"f":null,"d":null,'
               '"t":"A\ufffdB","u":"\ufffd\ufffd","tail":null,"rest":null,"after":null},"unreadable":['
               '{"item":"pk","bytes":"1a0c","reason":"not a number"},'
               '{"item":"zn","bytes":"7831","reason":"not a number"},'
               '{"item":"f","bytes":"7fc00000","reason":"not a finite number"},'
               '{"item":"d","bytes":"7ff0000000000000","reason":"not a finite number"},'
               '{"item":"t","bytes":"4182f542","reason":"not a character in its code"},'
               '{"item":"u","bytes":"e381ff","reason":"not a character in its code"},'
               '{"item":"tail","bytes":"0007","reason":"cut by the end of the data"},'
               '{"item":"rest","bytes":"","reason":"cut by the end of the data"},'
               '{"item":"after","bytes":"","reason":"cut by the end of the data"}]}')

# Text cut by the end of the data keeps the characters present.
CUT_TEXT = fmt("#BLNO 0 & ; names", "struct N {", " char name[6];", "};")
CUT_TEXT_JSON = ('{"block":0,"offset":0,"format":"names","items":{"name":"abcdef"}}',
                 '{"block":1,"offset":6,"format":"names","items":{"name":"ab"},"unreadable":['
                 '{"item":"name","bytes":"6162","reason":"cut by the end of the data"}]}')

# Names that repeat in one structure: the first keeps its name, the later
# ones take "#2", "#3"..., passing over a name that an item bears ("x#2",
# in the colon form, which takes any name). A nested structure is an object
# of its own names; the members of one without a name stand in the record.
DUPS = fmt("#BLNO 0 & ; dups",
           "struct D {",
           " short x;",
           " short x;",
           "s:1:x#2",
           " struct {",
           "  short x;",
           "  short x;",
           " } inner;",
           " struct {",
           "  short x;",
           " };",
           "};")
DUPS_DATA = bytes.fromhex("000100020003000400050006")
DUPS_JSON = ('{"block":0,"offset":0,"format":"dups","items":{"x":1,"x#3":2,"x#2":3,'
             '"inner":{"x":4,"x#2":5},"x#4":6}}')

# Text in the code an item names, #CODE's, or the letter's. Controls are
# characters (escaped); the escape sequences of JIS switch the code and stand
# for no character.
CODES = fmt("#CODE EUC",
            "#BLNO 0 & ; codes",
            "struct C {",
            " char e[2];",
            " char(JIS) j[9];",
            " char(SJIS) s[2];",
            "};")
CODES_DATA = bytes.fromhex("a4a2") + b"\x1b$B$\"\x1b(B\t" + bytes.fromhex("82a0")
CODES_JSON = '{"block":0,"offset":0,"format":"codes","items":{"e":"あ","j":"あ\\t","s":"あ"}}'
LETTER = fmt("#BLNO 0 & ; letter", "struct U {", " char t[4];", "};")
LETTER_JSON = '{"block":0,"offset":0,"format":"letter","items":{"t":"あ\\u0000"}}'

# The sales example: two data formats, each block named by its #BLNO comment.
SALES_LINES = [
    '{"block":0,"offset":0,"format":"header","items":{"title":"TEA SHOP SALES          ",'
    '"made":{"year":2024,"mon":"04"},"count":3}}',
    '{"block":1,"offset":32,"format":"sales","items":{"code":"G-0001","name":"緑茶        ",'
    '"qty":12,"price":800,"amount":9600}}',
    '{"block":2,"offset":64,"format":"sales","items":{"code":"M-0002","name":"抹茶        ",'
    '"qty":3,"price":2400,"amount":7200}}',
    '{"block":3,"offset":96,"format":"sales","items":{"code":"H-0003","name":"ほうじ茶    ",'
    '"qty":7,"price":650,"amount":4550}}']
SALES_JSON = out(*SALES_LINES)
SALES = {"s.fmt": (EX / "sales.fmt").read_bytes(), "s.dat": (EX / "sales.dat").read_bytes()}

# A range without a comment is named by its structure's tag.
NO_COMMENT = fmt("#BLNO 0 &", "struct REC {", " UBYTE n;", "};")

# A data format repeated in its block: the items are an array of objects.
REPEATED = fmt("#BLNO 0 & ; pairs", "struct A {", " short a;", " char t[2];", "} x[2];")

# An offset= behind the end of the block before.
BACK = fmt("#BLNO 0 0", "struct A {", " long a;", "};", "#BLNO offset=2 1 &", "struct B {", " short b;", "};")

CASES = [
    Case("json-every-type", ["--json", "-f", "t.fmt", "t.dat"], files={"t.fmt": TYPES, "t.dat": TYPES_DATA},
         stdout=out(TYPES_JSON)),
    Case("json-least-significant-first-v", ["-v", "--json", "-f", "l.fmt", "l.dat"],
         files={"l.fmt": LITTLE, "l.dat": LITTLE_DATA}, stdout=out(LITTLE_JSON)),
    Case("json-least-significant-first-endian", ["--json", "-f", "l.fmt", "l.dat"],
         files={"l.fmt": b"#ENDIAN LITTLE\n" + LITTLE, "l.dat": LITTLE_DATA}, stdout=out(LITTLE_JSON)),
    Case("json-structures-arrays-hidden", ["--json", "-f", "o.fmt", "o.dat"],
         files={"o.fmt": ORDERS, "o.dat": ORDERS_DATA}, stdout=out(ORDERS_JSON)),
    Case("json-faults-listed", ["--json", "-f", "f.fmt", "f.dat"], files={"f.fmt": FAULTS, "f.dat": FAULTS_DATA},
         stdout=out(FAULTS_JSON)),
    Case("json-text-cut-by-the-end", ["--json", "-f", "n.fmt", "n.dat"],
         files={"n.fmt": CUT_TEXT, "n.dat": b"abcdefab"}, stdout=out(*CUT_TEXT_JSON)),
    Case("json-duplicate-names", ["--json", "-f", "d.fmt", "d.dat"], files={"d.fmt": DUPS, "d.dat": DUPS_DATA},
         stdout=out(DUPS_JSON)),
    Case("json-text-codes", ["--json", "-f", "c.fmt", "c.dat"], files={"c.fmt": CODES, "c.dat": CODES_DATA},
         stdout=out(CODES_JSON)),
    Case("json-text-code-of-the-letter", ["-U", "--json", "-f", "u.fmt", "u.dat"],
         files={"u.fmt": LETTER, "u.dat": bytes.fromhex("e3818200")}, stdout=out(LETTER_JSON)),
    Case("json-sales-two-formats", ["--json", "-f", "s.fmt", "s.dat"], files=SALES, stdout=SALES_JSON),
    Case("json-format-named-by-its-tag", ["--json", "-f", "r.fmt", "r.dat"],
         files={"r.fmt": NO_COMMENT, "r.dat": b"\x07"},
         stdout=out('{"block":0,"offset":0,"format":"REC","items":{"n":7}}')),
    Case("json-format-repeated-in-its-block", ["--json", "-f", "r.fmt", "r.dat"],
         files={"r.fmt": REPEATED, "r.dat": bytes.fromhex("0001") + b"ab" + bytes.fromhex("0002")},
         stdout=out('{"block":0,"offset":0,"format":"pairs","items":[{"a":1,"t":"ab"},{"a":2,"t":null}],'
                    '"unreadable":[{"item":"[1].t","bytes":"","reason":"cut by the end of the data"}]}')),
    Case("json-blocks-of-n", ["-n2,3", "--json", "-f", "s.fmt", "s.dat"], files=SALES, stdout=out(*SALES_LINES[2:])),
    Case("json-from-a-pipe", ["--json", "-f", "s.fmt"], files=SALES, stdin=SALES["s.dat"], stdout=SALES_JSON),

    # Not a report: no page, no heading, no line width; JSON is UTF-8 whatever
    # the report's encoding; the same on a terminal as in a pipe.
    Case("json-ignores-page-and-widths", ["-l200", "-w3,3", "-p2", "-D", "--sjis", "--json", "-f", "s.fmt", "s.dat"],
         files=SALES, stdout=SALES_JSON),
    Case("json-on-a-terminal", [], files=SALES, stdout=SALES_JSON,
         shell=f"{PYTHON} {ON_TERMINAL} LANG=C.UTF-8 -- {{vesk}} --json -f s.fmt s.dat"),
    Case("json-offset-goes-back", ["--json", "-f", "b.fmt", "b.dat"], files={"b.fmt": BACK, "b.dat": bytes(8)},
         stdout=out('{"block":0,"offset":0,"format":"A","items":{"a":0}}'),
         stderr=b"Error: offset(2) ... It has returned from the present position.\n", status=1),

    # Records are of the formatted dump and the comparison, and not a map.
    Case("json-refused-in-the-plain-dump", ["--json", "s.dat"], files=SALES,
         stderr=b"--json: for the formatted dump (-f) and the comparison (-F) only\n", status=1),
    Case("csv-refused-in-a-comparison", ["--csv", "-F", "s.fmt", "code", "s.dat", "s.dat"],
         files={"s.fmt": (EX / "sales-records.fmt").read_bytes(), "s.dat": SALES["s.dat"]},
         stderr=b"--csv: for the formatted dump (-f) only; a comparison writes records with --json\n", status=1),
    Case("json-and-csv-refused", ["--json", "--csv", "-f", "s.fmt", "s.dat"], files=SALES,
         stderr=b"--csv: not with --json\n", status=1),
    Case("json-refused-with-a-map", ["-m", "--json", "-f", "s.fmt", "s.dat"], files=SALES,
         stderr=b"--json: not with the map form (-m, -M)\n", status=1),
]
