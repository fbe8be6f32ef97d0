"""The formatted dump as one CSV table (--csv): a header row of the items'
names along their structures, then a row a block, each row ended by CR LF;
fields quoted where they hold a comma, a quote or a line end; UTF-8, or
Shift_JIS with --sjis; the counts of what a field cannot hold as it is on
standard error; blocks of more than one data format refused.

Each expected row is written out by hand from the bytes of the data."""
import pathlib

from vesk_e2e import Case

ROOT = pathlib.Path(__file__).resolve().parents[2]
EX = ROOT / "examples"


def fmt(*text):
    return ("\n".join(text) + "\n").encode("cp932")


def rows(*texts, code="utf-8"):
    return "".join(t + "\r\n" for t in texts).encode(code)


SALES = {"s.fmt": (EX / "sales.fmt").read_bytes(), "s.dat": (EX / "sales.dat").read_bytes()}
SALES_ROWS = ["code,name,qty,price,amount",
              "G-0001,緑茶        ,12,800,9600",
              "M-0002,抹茶        ,3,2400,7200",
              "H-0003,ほうじ茶    ,7,650,4550"]

# Names along the structures: a template, a repeated structure, arrays of
# two dimensions and of text, the members of a structure without a name in
# place; a hidden item has no column.
ORDERS = fmt("typedef struct {",
             " short year;",
             " char mon[2];",
             "} DATE;",
             "#BLNO 0 & ; orders",
             "struct ORDER {",
             " long no;",
             " DATE made;",
             " struct {",
             "  short qty;",
             "  char unit[2];",
             " } line[2];",
             " short grid[2][2];",
             " char tags[2][3];",
             " struct {",
             "  BYTE flags[2]; /* no display */",
             "  UBYTE rank;",
             " };",
             "};")
ORDERS_DATA = (bytes.fromhex("000003e9") + bytes.fromhex("07e8") + b"04"
               + bytes.fromhex("0002") + b"kg" + bytes.fromhex("000c") + b"pc"
               + bytes.fromhex("0001000200030004") + b"abcxyz" + bytes.fromhex("ffff") + bytes.fromhex("05"))
ORDERS_ROWS = ["no,made.year,made.mon,line[0].qty,line[0].unit,line[1].qty,line[1].unit,"
               "grid[0][0],grid[0][1],grid[1][0],grid[1][1],tags[0],tags[1],rank",
               "1001,2024,04,2,kg,12,pc,1,2,3,4,abc,xyz,5"]

# Numbers of every kind as JSON has them; BYTE and pointers in hex.
NUMBERS = fmt("#BLNO 0 & ; numbers",
              "struct N {",
              " QUAD q;",
              " UQUAD uq;",
              " float f;",
              " double d;",
              " PACKED(2) pk[3];",
              " BYTE b[2];",
              " LPSTR p;",
              "};")
NUMBERS_DATA = (bytes.fromhex("8000000000000000") + bytes.fromhex("ffffffffffffffff")
                + bytes.fromhex("71 49 f2 ca") + bytes.fromhex("3fd5555555555555")
                + bytes.fromhex("30000c") + bytes.fromhex("0aff") + bytes.fromhex("0012abcd"))
NUMBERS_ROWS = ["q,uq,f,d,pk,b,p",
                "-9223372036854775808,18446744073709551615,1e+30,0.3333333333333333,300.00,0aff,0012ABCD"]

# Quotes where RFC 4180 needs them (a name of the colon form may hold a
# comma); a control other than a tab or a line end becomes U+FFFD.
QUOTED = fmt("#BLNO 0 & ; texts", "struct Q {", "c:5:a,b", "};")
QUOTED_DATA = b"a,b  " + b'q"q  ' + b"1\r\n2 " + b"\t\x00ok\x1b"
QUOTED_ROWS = ['"a,b"', '"a,b  "', '"q""q  "', '"1\r\n2 "', "\t\ufffdok\ufffd"]

# A block cut short: the fields of values not whole are empty, and counted.
SHORT = fmt("#BLNO 0 & ; pairs", "struct P {", " short a;", " short b;", " char t[2];", "};")

# Text in Shift_JIS: a character that Shift_JIS lacks is the geta mark, counted.
WIDE = fmt("#BLNO 0 & ; 名簿", "struct W {", " char(UTF-8) 名前[7];", "};")
WIDE_DATA = "あ".encode("utf-8") + "😀".encode("utf-8")

CASES = [
    Case("csv-sales-records", ["-n1,", "--csv", "-f", "s.fmt", "s.dat"], files=SALES, stdout=rows(*SALES_ROWS)),
    # The blocks shown, by the file's length: a file of the header alone.
    Case("csv-only-the-formats-shown", ["--csv", "-f", "s.fmt", "h.dat"],
         files={"s.fmt": SALES["s.fmt"], "h.dat": SALES["s.dat"][:32]},
         stdout=rows("title,made.year,made.mon,count", "TEA SHOP SALES          ,2024,04,3")),
    Case("csv-two-formats-refused", ["--csv", "-f", "s.fmt", "s.dat"], files=SALES,
         stderr=b"--csv: the blocks shown are of more than one data format; choose one with -n, or use --json:\n"
                b"  header (from block 0)\n"
                b"  sales (from block 1)\n", status=1),
    Case("csv-names-along-structures", ["--csv", "-f", "o.fmt", "o.dat"],
         files={"o.fmt": ORDERS, "o.dat": ORDERS_DATA}, stdout=rows(*ORDERS_ROWS)),
    # A data format repeated in its block: each copy's index leads its names.
    Case("csv-format-repeated-in-its-block", ["--csv", "-f", "r.fmt", "r.dat"],
         files={"r.fmt": fmt("#BLNO 0 &", "struct A {", " short a;", "} x[2];"), "r.dat": bytes.fromhex("00010002")},
         stdout=rows("[0].a,[1].a", "1,2")),
    Case("csv-numbers", ["--csv", "-f", "n.fmt", "n.dat"], files={"n.fmt": NUMBERS, "n.dat": NUMBERS_DATA},
         stdout=rows(*NUMBERS_ROWS)),
    Case("csv-quoting-and-controls", ["--csv", "-f", "q.fmt", "q.dat"], files={"q.fmt": QUOTED, "q.dat": QUOTED_DATA},
         stdout=rows(*QUOTED_ROWS),
         stderr=b"vesk: 2 control characters in text written as U+FFFD\n"),
    Case("csv-block-cut-short", ["--csv", "-f", "p.fmt", "p.dat"],
         files={"p.fmt": SHORT, "p.dat": bytes.fromhex("0001000261620003ff")},
         stdout=rows("a,b,t", "1,2,ab", "3,,"),
         stderr=b"vesk: 2 values not read whole (--json lists their bytes): numbers left empty, text with U+FFFD\n"),
    Case("csv-utf8-by-default", ["--csv", "-f", "w.fmt", "w.dat"], files={"w.fmt": WIDE, "w.dat": WIDE_DATA},
         stdout=rows("名前", "あ😀")),
    Case("csv-sjis", ["--sjis", "--csv", "-f", "w.fmt", "w.dat"], files={"w.fmt": WIDE, "w.dat": WIDE_DATA},
         stdout=rows("名前", "あ〓", code="cp932"),
         stderr=b"vesk: 1 character that Shift_JIS lacks written as 81AC (geta mark)\n"),
    Case("csv-sjis-by-the-variable", [], files={"w.fmt": WIDE, "w.dat": WIDE_DATA},
         shell="VESK_ENCODING=sjis {vesk} --csv -f w.fmt w.dat",
         stdout=rows("名前", "あ〓", code="cp932"),
         stderr=b"vesk: 1 character that Shift_JIS lacks written as 81AC (geta mark)\n"),
    Case("csv-sjis-bytes-no-character", ["--sjis", "--csv", "-f", "w.fmt", "w.dat"],
         files={"w.fmt": WIDE, "w.dat": b"ab\xffcdef"},
         stdout=rows("名前", "ab〓cdef", code="cp932"),
         stderr=b"vesk: 1 value not read whole (--json lists their bytes): numbers left empty, "
                b"text with 81AC (geta mark)\n"),
]
