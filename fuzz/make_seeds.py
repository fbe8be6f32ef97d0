#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz harnesses into fuzz/corpus/<harness>/.

The seeds are small, valid inputs that reach each part of vesk: the harness
header layouts are described in fuzz/harness.cpp.
"""
import glob
import hashlib
import importlib.util
import os
import re
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def pattern(n, step=37):
    return bytes((i * step + (i >> 8)) & 0xFF for i in range(n))


TEXT = "ファイル内容をダンプします。ｶﾀｶﾅ ABC abc 123\n"
JAPANESE = {
    "sjis": TEXT.encode("cp932"),
    "euc": TEXT.encode("euc_jp"),
    "jis": TEXT.replace("ｶﾀｶﾅ", "カタカナ").encode("iso2022_jp"),
    "utf8": TEXT.encode("utf-8") + "𠀋 ①".encode("utf-8"),
}

# Formats taken from the harness (kept the same by hand) and a few more.
FORMAT_ALL = open(os.path.join(HERE, "harness.cpp"), encoding="utf-8").read()


def c_string(name):
    """The text of a const char array defined in harness.cpp."""
    m = re.search(r"const char %s\[\] =\n(.*?);\n" % name, FORMAT_ALL, re.S)
    parts = re.findall(r'"((?:[^"\\]|\\.)*)"', m.group(1))
    return "".join(parts).encode().decode("unicode_escape").encode("latin-1")


FORMATS = [c_string(n) for n in ("kFormatAll", "kFormatCompare", "kFormatSizes", "kFormatFloats")]
MORE_FORMATS = [
    b"#BLNO 0 &\nstruct REC {\n long id;\n char name[4];\n};\n",
    b"#define N 4\n#BLNO 0 0\nstruct A {\n short a[N*2+1];\n short b[(N+2)*3];\n char c[N/3][7/2*2];\n};\n"
    b"#BLNO 1 &\nB {\n  T {\n  char c;\n  long l;\n } x[3];\n double d;\n};\n",
    b"/* a\n b\n c */#BLNO 0\n  /**/ \nstruct A {\n/*/ long a; */  long b;\n};\n",
    b"#MULTI FORMAT\n#BLNO 0 0\nstruct H {\n long id; /* no display: spare */\n float f;\n};\n"
    b"#BLNO offset=4096 1 9 ; body\nstruct R {\n long id;\n char *p;\n char far *q;\n} r[2];\n",
    b"#REN YEN l\n#REN TXT c\ntypedef unsigned long UL;\ntypedef float8 F8;\n#BLNO 0\nstruct A {\n"
    b" YEN y[2];\n TXT t;\n UL u;\n F8 f;\n unsigned short us;\n unsigned int ui;\n};\n",
    b"#BLNO 0\nstruct A {\n struct {\n  struct {\n   char c[3];\n  } b[2];\n } a[2];\n} x[2];\n",
]
# The types and statements of legacy records.
LEGACY_FORMATS = [
    b"#ENDIAN BIG\n#CODE EUC\n#BLNO 0 &\nstruct L {\n SBYTE b[2];\n UBYTE u;\n QUAD q;\n UQUAD uq[2];\n"
    b" PACKED(2) p[5];\n ZONED(1) z[4];\n char t[6];\n};\n",
    b"#ENDIAN LITTLE\n#CODE UTF-8\n#BLNO 0 &\nstruct C {\nk(3):4[2]:pk:packed\nz:5:zn\nb:2:sb\nB:1:ub\n"
    b"q:1:qd\nQ:1:uq\nc:8:t\n};\n",
    b"#CODE JIS\ntypedef short QUAD;\n#REN PACKET x\n#BLNO 0 &\nstruct K {\n QUAD q;\n PACKET p[3];\n"
    b" INT8 i;\n PACKED(31) big[16];\n ZONED(0) z[31];\n char j[9];\n};\n",
    b"#CODE SJIS\n#ENDIAN BIG\n#BLNO 0 &\nstruct E {\n PACKED(9) x[5];\n ZONED(x) y[3];\n};\n",
]


def project_formats(limit=40, max_size=2048):
    """The format files under examples/ and those of the end-to-end cases."""
    found = {}
    for path in sorted(glob.glob(os.path.join(ROOT, "examples", "*.fmt"))):
        with open(path, "rb") as f:
            found[f.read()] = True
    sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
    texts = set()
    for path in sorted(glob.glob(os.path.join(ROOT, "tests", "cases", "*.py"))):
        mod_spec = importlib.util.spec_from_file_location("cases", path)
        mod = importlib.util.module_from_spec(mod_spec)
        try:
            mod_spec.loader.exec_module(mod)
        except Exception:  # a case file that needs its runner's arguments
            continue
        for case in mod.CASES:
            for name, data in case.files.items():
                if name.endswith(".fmt") and len(data) <= max_size:
                    texts.add(data)
    # A stable choice among the cases' formats.
    for data in sorted(texts, key=lambda d: hashlib.sha1(d).hexdigest())[:limit]:
        found[data] = True
    return list(found)


def dump_header(mode=0, b=0, d=0, h=0, n1=0, n2=0, eod=0, p=0):
    return bytes([mode, b, d, h, n1, n2, eod, p])


def seeds():
    out = {"options": [], "dump": [], "format": [], "formatted": [], "compare": []}
    for line in [
        "-b20\n@d", "-AL\n-d100\n-h10\n-n1,3\n@d", "-x0d0a\n@d", "-tab\n@d", "-Dp5\n-n2,4\n@d",
        "-m\n-f\n@f\n-b20\n@d", "-F\n@c\nid\n@d\n@g", "-l100\n-w40,30\n-f\n@f\n@d", "-usage",
        "-C\n-b256\n@d", "-Mv\n-F\n@c\nid\n-b8\n@d\n@g", "@t", "-n5\n@e", "-f\n@f\n-h5\n-t1\n-x41\n-d4\n@d",
        "-Bm\n-F\n@f\nid\n@d\n@g", "-pb\n-U\n@d", "",
    ]:
        out["options"].append(line.encode())
    data = pattern(600) + b"\x00" * 64 + b"\x00" * 64 + pattern(90, 11)
    for mode in range(8):
        text = [JAPANESE["sjis"], JAPANESE["sjis"], JAPANESE["sjis"], JAPANESE["jis"], JAPANESE["jis"],
                JAPANESE["euc"], JAPANESE["utf8"], JAPANESE["euc"]][mode]
        out["dump"].append(dump_header(mode=mode) + text * 3)
    out["dump"].append(dump_header(mode=0x08 | 0x10, b=60) + JAPANESE["sjis"] * 4)
    out["dump"].append(dump_header(mode=0x20, b=7, d=50, h=20, n1=1, n2=3) + data)
    out["dump"].append(dump_header(b=16, eod=2) + b"\r\n" + (b"line one\r\nline 2\r\n" * 10))
    out["dump"].append(dump_header(b=8, eod=0x80 | 1) + b"\n" + JAPANESE["euc"] * 3)
    out["dump"].append(dump_header(mode=0x40 | 6, eod=0x40) + JAPANESE["utf8"] * 5)
    out["dump"].append(dump_header(p=2, d=5) + data)
    out["format"] = FORMATS + MORE_FORMATS + project_formats() + LEGACY_FORMATS
    for sel in range(4):
        out["formatted"].append(bytes([sel * 0x09 & 0x1F, sel, 0, 0, 0]) + pattern(700 + sel * 300))
    out["formatted"].append(bytes([0x01, 0, 0xC0, 12, 0x21]) + pattern(1200, 13))
    out["formatted"].append(bytes([0x42, 3, 0, 30, 0]) + pattern(300) + b"\xff" * 64 + b"\x00" * 64)
    # Blocks of 47 bytes (56 under B), the id first.
    for rec, flags in ((47, 0x00), (47, 0x01 | 0x04), (56, 0x10 | 0x02), (47, 0x20), (47, 0x40)):
        old = b"".join(bytes([0, 0, 0, i]) + pattern(rec - 4, i + 3) for i in range(6))
        new = b"".join(bytes([0, 0, 0, i]) + pattern(rec - 4, i + (i % 2) + 3) for i in range(2, 9))
        if flags & 0x20:
            new = new[:-7]
        out["compare"].append(bytes([flags, 0x80 if flags & 1 else 0, len(old) >> 8, len(old) & 0xFF, 12])
                              + old + new)
    return out


def main():
    corpus = os.path.join(HERE, "corpus")
    all_seeds = seeds()
    shutil.rmtree(corpus, ignore_errors=True)
    for harness, items in all_seeds.items():
        os.makedirs(os.path.join(corpus, harness))
        for i, data in enumerate(items):
            with open(os.path.join(corpus, harness, "seed%02d" % i), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
