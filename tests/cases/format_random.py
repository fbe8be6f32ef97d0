"""Format files of random bytes, random statement lines, mutations of a valid
file, deep nesting and long lines: whatever the reader makes of them, vesk ends
with status 0 or 1 and never crashes (a sanitizer report fails the case).

Valid format files with one line added that must be refused, never read in
silence: a declaration whose name is not one word (blanks in it, a list of
names, a scale after the name, a type word that takes more words than it
has), or a statement of vesk's own in another case. Each ends with status 1,
its message on the added line's number and the line quoted under it with the
caret under the name, or under the statement."""
import random

from vesk_e2e import Case, quote

rng = random.Random(20261210)

SALES = (b"/* sales file */\n#define NLEN 20\n#REN YEN l\ntypedef struct {\n  short year;\n"
         b"  char mon[2];\n} DATE;\n#BLNO 0 0 ; header\nstruct HEAD {\n"
         b"  char title[NLEN]; /* file title */\n  DATE made;\n  long count;\n};\n"
         b"#BLNO offset=0x100 1 & ; records\nstruct REC {\n  BYTE flag; /* no display */\n"
         b"  YEN price[2][3];\n  struct {\n  short code;\n  } sub[2];\nc:8:memo:remark\n};\n")

# Statement shapes, valid and nearly valid, that random files are drawn from.
LINES = [
    b"#define N 4", b"#define M -3", b"#define BIG 200", b"#define", b"#REN YEN l", b"#REN X q",
    b"#BLNO 0", b"#BLNO 0 &", b"#BLNO 0 0 ; head", b"#BLNO 1 &", b"#BLNO offset=0x100 1 5",
    b"#BLNO offset=0x7FFFFFFF 2 &", b"#MULTI FORMAT", b"typedef long AMOUNT;", b"typedef struct {",
    b"typedef unsigned short CODE;", b"} DATE;", b"} T;", b"struct REC {", b"struct {", b"REC {",
    b"{", b"}", b"};", b"} recs[3];", b"} r[N*2];", b"} r[0];", b"} r[(N+1)/0];", b"/* comment */",
    b"/* open comment", b"end */", b"  char name[10][20];", b"  char c;", b"  BYTE id[4];",
    b"  long v[2][3];", b"  short a[N*2+1];", b"  short a[(N+2)*3];", b"  short a[7/2*2];",
    b"  double d;", b"  float f;", b"  char far *p;", b"  long *p;", b"  long far_ptr;",
    b"  unsigned long u;", b"  unsigned x;", b"  DATE made;", b"  T t[2];", b"  AMOUNT a;",
    b"  YEN price[2];", b"  CODE code;", b"  long x = 5; /* total */", b"  long x; /* no display */",
    b"  long id;", b"  char id[4];", b"  long a[", b"  long a[]", b"  short a[N/0];",
    b"  char big[1024][4];", b"  char huge[32767][1024];", b"  LPSTR s;", b"  DWORD w;",
    b"  // note", b"s:2:year:year of birth", b"c:10:title:book title", b"x:4[2]:raw:words",
    b"y:1:odd", b"c:0", b"R:1:r", b"c:256[32767]:x", b"\t int i;", b"  struct {", b"  } sub[2];",
    b"  } sub[N];", b"  struct POINT p;", b"  integer x;",
    b"  long a b;", b"  unsigned long long K;", b"  PACKED X(5);", b"  ZONED(0002) z[3];", b"  char(EUC) n[4];",
    b"  char(EBCDIC) n[4];", b"c(UTF-8):3:u", b"c(X):3:u", b"#endian BIG", b"#Code EUC", b"#blno 0 &",
    b"#DEFINE N 3",
]


def random_bytes():
    n = rng.choice([0, 1, 10, 100, 300, 1000, 3000])
    return bytes(rng.randrange(256) for _ in range(n))


def random_lines():
    n = rng.randrange(1, 60)
    out = []
    for _ in range(n):
        line = rng.choice(LINES)
        if rng.random() < 0.1:
            line = line.replace(b"N", str(rng.choice([0, 1, 7, 32767, 99999, -5])).encode())
        out.append(line)
    sep = rng.choice([b"\n", b"\n", b"\r\n"])
    return sep.join(out) + (sep if rng.random() < 0.8 else b"")


MEMBERS = [
    b"  char c;", b"  char name[%d];", b"  BYTE raw[%d];", b"  short s[%d];", b"  unsigned short u;",
    b"  long l;", b"  long id;", b"  long count;", b"  int i[%d];", b"  unsigned long ul;",
    b"  float f;", b"  double d[%d];", b"  char far *fp;", b"  long *p;", b"  LPSTR lp;",
    b"  DWORD w; /* a word */", b"  long hidden; /* no display */", b"c:%d:memo:remark",
    b"x:2[%d]:raw:bytes", b"s:%d:ss:shorts", b"  YEN price[2][%d];", b"  DATE made;",
]


def member():
    line = rng.choice(MEMBERS)
    return line % rng.randrange(1, 6) if b"%d" in line else line


def structure(depth):
    """Member lines of one structure, with nested structures now and then."""
    out = []
    for _ in range(rng.randrange(0 if depth else 1, 6)):
        if depth < 4 and rng.random() < 0.2:
            out.append(b"  struct {")
            out += structure(depth + 1)
            out.append(rng.choice([b"  } n;", b"  } n[2];", b"  };", b"  } n[N];"]))
        else:
            out.append(member())
    return out


def built():
    """Valid-looking formats: templates, ranges and data formats, now and then
    with one line changed."""
    out = [b"#define N %d" % rng.randrange(-2, 5), b"#REN YEN l",
           b"typedef struct {", b"  short year;", b"  char mon[2];", b"} DATE;"]
    block = 0
    for k in range(rng.randrange(1, 4)):
        last = k == 2 or rng.random() < 0.4
        to = b"&" if last else b"%d" % (block + rng.randrange(0, 3))
        out.append(b"#BLNO %d %s ; part %d" % (block, to, k))
        out.append(b"struct F%d {" % k)
        out += structure(0)
        out.append(rng.choice([b"};", b"};", b"} recs[2];", b"} recs[N];"]))
        if last:
            break
        block = int(to) + 1
    if rng.random() < 0.3:
        out[rng.randrange(len(out))] = rng.choice(LINES)
    return b"\n".join(out) + b"\n"


def mutated():
    data = bytearray(SALES)
    for _ in range(rng.randrange(1, 8)):
        kind = rng.randrange(5)
        pos = rng.randrange(len(data) + 1)
        if kind == 0 and data:
            data[min(pos, len(data) - 1)] = rng.randrange(256)
        elif kind == 1:
            data.insert(pos, rng.choice(b"{}[]()/*;:#&=\n \t0x9"))
        elif kind == 2:
            del data[pos:pos + rng.randrange(1, 20)]
        elif kind == 3:
            data[pos:pos] = rng.choice(LINES) + b"\n"
        else:
            data = data[:pos]
    return bytes(data)


def special(i):
    kinds = [
        lambda: b"#BLNO 0\n" + b"struct {\n" * 10000,
        lambda: b"#BLNO 0\nstruct A {\n" + b" struct {\n" * 9 + b" char c;\n" + b"}\n" * 10,
        lambda: b"}\n" * 10000,
        lambda: b"#BLNO 0\nstruct A {\n  char c[" + b"(" * 200 + b"1" + b")" * 200 + b"];\n};\n",
        lambda: b"#BLNO 0\nstruct A {\n  char c[" + b"N+" * 120 + b"1];\n};\n",
        lambda: b"#define N 1\n#BLNO 0\nstruct A {\n  short s[" + b"9" * 400 + b"];\n};\n",
        lambda: b"#BLNO 0\nstruct A {\n  long " + b"x" * 5000 + b";\n};\n",
        lambda: b"#BLNO 0\nstruct A {\n  long x; /* " + b"\x82\xa0" * 300 + b" */\n};\n",
        lambda: b"/*" + b"*" * 4000 + b"\n*/#BLNO 0\nA {\nc:1:a\n}\n",
        lambda: b"#BLNO 0\nstruct A {\n" + b" char c;\n" * 600 + b"};\n",
        lambda: b"typedef struct {\n} T0;\n" + b"".join(
            b"typedef struct {\n T%d a;\n T%d b;\n} T%d;\n" % (k, k, k + 1) for k in range(80))
        + b"#BLNO 0\nstruct A {\n char c;\n T80 t;\n};\n",
        lambda: b"".join(b"#BLNO %d\nA {\nc:1:a\n}\n" % k for k in range(120)),
        lambda: b"#BLNO 0 &\nstruct A {\n" + b"\x00" * 50 + b"\n};\n",
        lambda: b"#BLNO 0\nstruct A {\n \x81" + b"\n};\n",
        lambda: b"#BLNO 0\nstruct A {\n  char \x82[[2];\n};\n",
        lambda: b"\r" * 600 + b"\n",
    ]
    return kinds[i % len(kinds)]()


def args_for(k):
    """A few command lines: formatted dump with and without B, no data file, comparison."""
    return [
        ["-f", "t.fmt", "a.dat"],
        ["-B", "-f", "t.fmt", "a.dat"],
        ["-f", "t.fmt"],
        ["-F", "t.fmt", "id", "a.dat", "b.dat"],
        ["-B", "-F", "t.fmt", "count", "a.dat", "b.dat"],
    ][k % 5]


def make_cases():
    cases = []
    makers = ([("bytes", random_bytes)] * 60 + [("lines", random_lines)] * 150
              + [("mutated", mutated)] * 90 + [("built", built)] * 120)
    for i, (kind, make) in enumerate(makers):
        cases.append((f"{kind}-{i:03d}", make()))
    for i in range(16):
        cases.append((f"special-{i:02d}", special(i)))
    data = bytes(rng.randrange(256) for _ in range(300))
    return [Case(name, args_for(i), stdout=None, stderr=None, status=(0, 1),
                 files={"t.fmt": text, "a.dat": data, "b.dat": data[::-1]})
            for i, (name, text) in enumerate(cases)]


# ---- Lines that must be refused ---------------------------------------------

NAME_PARTS = [b"sales", b"total", b"no", b"K", b"x1", b"_tmp", b"long", b"amount", b"\x8b\xe0\x8a\x7a"]
# What stands between two words of a name: blanks, or a byte no name holds.
SEPARATORS = [b" ", b"  ", b"\t", b" \t ", b",", b".", b"-"]
TYPE_WORDS = [b"long", b"short", b"char", b"DWORD", b"unsigned long", b"unsigned short", b"SBYTE", b"QUAD",
              b"double", b"float", b"BYTE", b"UQUAD"]
ONE_WORD = b"a name is one word: letters, digits, _ or Japanese"
STATEMENTS = [(b"define", b" N 3"), (b"BLNO", b" 0 &"), (b"REN", b" X l"), (b"ENDIAN", b" BIG"),
              (b"CODE", b" EUC")]


def shown(line):
    """A line as the quote shows it: a tab, or any byte outside the report's
    set, as a point (these lines hold no other)."""
    return line.replace(b"\t", b".")


def refused_name():
    """A declaration whose name is not one word: the line, the column where
    the name begins, and the note."""
    indent = rng.choice([b" ", b"  ", b"\t"])
    word = rng.choice(TYPE_WORDS)
    gap = rng.choice([b" ", b"  ", b"\t"])
    if rng.random() < 0.15:
        decimal = rng.choice([b"PACKED", b"ZONED"])
        name = rng.choice(NAME_PARTS[:6]) + b"(%d)" % rng.randrange(0, 3)
        line = indent + decimal + gap + name + b"[5];"
        return line, len(indent + decimal + gap), b"the scale follows the type word: %s(s) name[bytes]" % decimal
    parts = [rng.choice(NAME_PARTS) for _ in range(rng.randrange(2, 4))]
    name = parts[0]
    for p in parts[1:]:
        name += rng.choice(SEPARATORS) + p
    dims = rng.choice([b"", b"[2]", b"[N]"])
    tail = rng.choice([b";", b"; /* a comment */", b" = 5;"])
    return indent + word + gap + name + dims + tail, len(indent + word + gap), ONE_WORD


def valid_members(depth):
    """Members of a structure that loads: small counts, one level of nesting,
    never a structure without an item."""
    out = []
    for _ in range(rng.randrange(1, 5)):
        if depth == 0 and rng.random() < 0.2:
            out.append(b"  struct {")
            out += valid_members(1)
            out.append(rng.choice([b"  } n;", b"  } n[2];"]))
        else:
            out.append(member())
    return out


def valid_format():
    """Lines of a format file that loads."""
    out = [b"#define N %d" % rng.randrange(1, 4), b"#REN YEN l",
           b"typedef struct {", b"  short year;", b"  char mon[2];", b"} DATE;"]
    block = 0
    for k in range(rng.randrange(1, 4)):
        last = k == 2 or rng.random() < 0.4
        to = b"&" if last else b"%d" % (block + rng.randrange(0, 3))
        out.append(b"#BLNO %d %s ; part %d" % (block, to, k))
        out.append(b"struct F%d {" % k)
        out += valid_members(0)
        out.append(rng.choice([b"};", b"} recs[2];"]))
        if last:
            break
        block = int(to) + 1
    return out


def other_case(word):
    while True:
        out = bytes(c ^ 0x20 if rng.random() < 0.5 else c for c in word)
        if out != word:
            return out


def refusal_cases():
    cases = []
    data = bytes(64)
    for i in range(60):
        lines = valid_format()
        at = rng.randrange(len(lines) + 1)
        if i % 3 == 2:
            word, rest = rng.choice(STATEMENTS)
            written = other_case(word)
            line = b"#" + written + rest
            err = b"t.fmt: #%s: did you mean #%s? (line is %d)\n" % (written, word, at + 1) + quote(at + 1, line, 0)
            name = "statement-in-another-case"
        else:
            line, col, note = refused_name()
            err = b"t.fmt: illegal item name (line is %d)\n" % (at + 1) + quote(at + 1, shown(line), col, note)
            name = "name-not-one-word"
        lines.insert(at, line)
        cases.append(Case(f"{name}-{i:02d}", ["-f", "t.fmt", "a.dat"], stdout=b"", stderr=err, status=1,
                          files={"t.fmt": b"\n".join(lines) + b"\n", "a.dat": data}))
    return cases


CASES = make_cases() + refusal_cases()
