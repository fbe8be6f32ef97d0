"""Hostile inputs: files that cannot be read, data that ends inside any item,
and input that cannot seek (a pipe). A pipe must give the same report and
status as the file itself, in every mode; what cannot be done on it is
reported. (A folder as a file argument is in options.py, a read error in the
plain dump in dump_read_error.py, files of different lengths and pipes in a
comparison in compare_sections.py.)"""
import os

from vesk_e2e import Case

# ---- files that cannot be read ---------------------------------------------


def locked_file(tmp):
    """A file nobody may read, in a folder anybody may enter."""
    os.chmod(tmp, 0o755)
    path = os.path.join(tmp, "locked")
    with open(path, "wb") as f:
        f.write(b"secret")
    os.chmod(path, 0)


# root reads any file: the run then drops to an unprivileged user.
AS_NOBODY = ('if [ "$(id -u)" = 0 ]; then setpriv --reuid=65534 --regid=65534 --clear-groups {vesk} %s; '
             'else {vesk} %s; fi')

SMALL_FMT = b"#BLNO 0 &\nstruct R {\n long id;\n char t[4];\n};\n"

CASES = [
    Case("unreadable-file", [], shell=AS_NOBODY % ("locked", "locked"), setup=locked_file,
         stderr=b"locked: not found\n", status=1),
    Case("unreadable-data-file-formatted", [], shell=AS_NOBODY % ("-f t.fmt locked", "-f t.fmt locked"),
         setup=locked_file, files={"t.fmt": SMALL_FMT}, stderr=b"locked: not found\n", status=1),
    Case("unreadable-format-file", [], shell=AS_NOBODY % ("-f locked d.dat", "-f locked d.dat"),
         setup=locked_file, files={"d.dat": b"x"}, stderr=b"format file locked: not found", status=1),
    # /proc/self/mem opens but its first read fails (I/O error).
    Case("read-error-formatted", ["-f", "t.fmt", "/proc/self/mem"], files={"t.fmt": SMALL_FMT},
         stderr=b"/proc/self/mem: read error\n", status=1),
    Case("read-error-compare-first", ["-F", "t.fmt", "id", "/proc/self/mem", "d.dat"],
         files={"t.fmt": SMALL_FMT, "d.dat": b"\x00" * 16},
         stderr=b"/proc/self/mem: read error\n", status=1),
    Case("read-error-compare-second", ["-F", "t.fmt", "id", "d.dat", "/proc/self/mem"],
         files={"t.fmt": SMALL_FMT, "d.dat": b"\x00" * 16},
         stderr=b"/proc/self/mem: read error\n", status=1),
]

# ---- data that ends inside any item ------------------------------------------

# Every kind of item, 55 bytes without -B: c[3] x[2] s S i I l L f d p P,
# a nested structure of 3 bytes repeated twice, and a template of 4 bytes.
ALL_ITEMS = (b"typedef struct {\n short y;\n char m[2];\n} DATE;\n#BLNO 0 &\nstruct R {\n"
             b" char c[3];\n BYTE x[2];\n short s;\n WORD w;\n int i;\n unsigned int u;\n"
             b" long l;\n DWORD dw;\n float f;\n double d;\n char *p;\n char far *q;\n"
             b" struct {\n  short a;\n  char b;\n } n[2];\n DATE dt;\n};\n")
ALL_SIZE = 55
ALL_DATA = bytes(range(0x41, 0x41 + ALL_SIZE))


def cut_sweep(options):
    """Runs the dump of every cut of one block, 1 to 54 bytes: each report ends
    with the line " [EOD]" and status 0."""
    run = ('for k in $(seq 1 %d); do head -c $k d.dat > c.dat; {vesk} %s -f t.fmt c.dat > o; '
           'echo "$k $? $(tail -n 1 o)"; done') % (ALL_SIZE - 1, options)
    expect = b"".join(b"%d 0  [EOD]\n" % k for k in range(1, ALL_SIZE))
    return Case("cut-inside-items " + (options or "list"), [], shell=run, stdout=expect,
                files={"t.fmt": ALL_ITEMS, "d.dat": ALL_DATA})


CASES += [cut_sweep(""), cut_sweep("-m"), cut_sweep("-Mv")]

# ---- input that cannot seek -------------------------------------------------


def same_as_file(name, args, data, fmt=None, status=0, shown=True):
    """The report, messages and status of `vesk ARGS /dev/stdin` fed by a pipe
    equal those of `vesk ARGS d.dat`; the report is not empty when shown."""
    run = ('{vesk} %s d.dat > a 2> ae; echo "status $?" >> a; '
           'cat d.dat | {vesk} %s /dev/stdin > b 2> be; echo "status $?" >> b; '
           'cmp -s a b && cmp -s ae be && echo same; tail -n 1 a; test $(wc -l < a) -gt 2 && echo lines; :') % (args, args)
    files = {"d.dat": data}
    if fmt is not None:
        files["t.fmt"] = fmt
    return Case("pipe-" + name, [], shell=run, files=files,
                stdout=b"same\nstatus %d\n" % status + (b"lines\n" if shown else b""))


def text_mix():
    """Characters of every code, at every offset against blocks and lines, with
    runs of equal lines and CR LF line ends."""
    sjis = "ファイル内容をダンプします。ｶﾀｶﾅ\r\n".encode("cp932")
    euc = "漢字とかな、ｶﾅ\r\n".encode("euc_jp") + b"\x8f\xb0\xa1\x8e\xb1"
    jis = "漢字カナ\r\n".encode("iso2022_jp") + b"\x1b(I1234\x1b(B"
    utf8 = "漢字 😀 ①\r\n".encode("utf-8")
    zeros = b"\x00" * 100
    part = b"x" + sjis + euc + jis + utf8 + zeros
    return b"".join(part[i:] + part[:i] for i in range(0, 40, 3)) + bytes(range(256))


MIX = text_mix()
# Larger than a pipe's buffer and not a multiple of any block size used.
BIG = MIX * (70000 // len(MIX) + 1)

CASES += [
    same_as_file("default", "", MIX),
    same_as_file("sjis-odd-blocks", "-d7", MIX),
    same_as_file("jis", "-J -d5", MIX),
    same_as_file("jis-controls", "-jL -d11 -b5", MIX),
    same_as_file("euc", "-E -d3", MIX),
    same_as_file("utf8", "-U -d5 -b7", MIX),
    same_as_file("ascii", "-A", MIX),
    same_as_file("kana-chars-only", "-KC -b60", MIX),
    same_as_file("header", "-h10 -d100", MIX),
    same_as_file("skip-blocks-ascii", "-A -n3,5", MIX),
    same_as_file("skip-blocks-decimal", "-KD -d50 -n12,14", MIX),
    same_as_file("skip-blocks-sjis", "-n3,5 -d13", MIX),
    same_as_file("skip-blocks-header", "-A -h7 -d9 -n5", MIX),
    # Past the end: the same message, status 1.
    same_as_file("skip-past-the-end", "-A -n7fff", MIX, status=1, shown=False),
    same_as_file("empty", "-h5", b"", shown=False),
    same_as_file("end-code-text", "-tx", MIX),
    same_as_file("end-code-hex", "-U -x0d0a -d20", MIX),
    same_as_file("end-code-range", "-E -x00 -n2,6", MIX),
    same_as_file("page-per-block", "-pb -d64", MIX),
    same_as_file("big", "-d4096", BIG),
    same_as_file("big-utf8", "-U -d4095 -b9", BIG),
    same_as_file("big-end-code", "-J -x1b -h3", BIG),
]

# The formatted dump: forward seeks (a start block, an offset ahead, a header)
# are read through on a pipe.
RANGES = (b"#BLNO 0 0 ; head\nstruct H {\n long n;\n char t[6];\n};\n"
          b"#BLNO offset=0x40 1 3 ; body\nstruct B {\n short v[3];\n BYTE x[4];\n double d;\n};\n"
          b"#BLNO offset=0x200 4 & ; tail\nstruct T {\n char t[16];\n float f;\n};\n")
# An offset behind the blocks already read: reported after them, status 1.
BACKWARDS = (b"#BLNO 0 1\nstruct A {\n char t[40];\n};\n"
             b"#BLNO offset=0x10 2 &\nstruct B {\n long v;\n};\n")

CASES += [
    same_as_file("formatted", "-f t.fmt", MIX, RANGES),
    same_as_file("formatted-start-block", "-f t.fmt -n2,5", MIX, RANGES),
    same_as_file("formatted-start-past-offset", "-D -f t.fmt -n6", MIX, RANGES),
    same_as_file("formatted-header", "-h3 -f t.fmt", MIX, RANGES),
    same_as_file("formatted-map", "-M -f t.fmt -b12", MIX, RANGES),
    same_as_file("formatted-big", "-m -f t.fmt", BIG, RANGES),
    same_as_file("formatted-offset-backwards", "-f t.fmt", MIX, BACKWARDS, status=1),
]
