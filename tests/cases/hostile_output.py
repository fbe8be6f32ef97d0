"""A write error on standard output (a full device, a closed stream) ends vesk
with "write error on standard output" on standard error and status 1, in every
mode, whether the report fits the writer's buffer or not, and whether the
driver ends the process itself or returns. A run that writes no report line
has no write to fail. (The usage text is in usage.py.)"""
from vesk_e2e import Case, quote

WRITE_ERROR = b"write error on standard output\n"

SMALL = bytes(range(256)) * 2
# About 120,000 lines of report: far more than the writer buffers.
BIG = bytes((i * 7) & 0xFF for i in range(400000))

FMT = b"#BLNO 0 &\nstruct R {\n long id;\n char name[10];\n short v[3];\n double d;\n};\n"
BACKWARDS = (b"#BLNO 0 1\nstruct A {\n char t[40];\n};\n"
             b"#BLNO offset=0x10 2 &\nstruct B {\n long v;\n};\n")

def records(n, salt):
    """n blocks of FMT (28 bytes), each with its number as id."""
    return b"".join(i.to_bytes(4, "big") + bytes(((i + k) * salt) & 0xFF for k in range(24))
                    for i in range(n))


FILES = {"c1.dat": records(4000, 3), "c2.dat": records(4100, 5), "s.dat": SMALL, "b.dat": BIG, "t.fmt": FMT, "back.fmt": BACKWARDS, "none.fmt": b"#define N 1\n",
         "bad.fmt": b"#BLNO 1\n", "e.dat": b""}


def full(name, args, stderr=WRITE_ERROR, status=1):
    return Case("full-" + name, [], shell="{vesk} %s > /dev/full" % args, files=FILES,
                stderr=stderr, status=status)


def closed(name, args):
    return Case("closed-" + name, [], shell="{vesk} %s >&-" % args, files=FILES,
                stderr=WRITE_ERROR, status=1)


CASES = [
    # The plain dump ends the process itself.
    full("dump-small", "s.dat"),
    full("dump-big", "-L b.dat"),
    full("dump-chars-only-big", "-CL -b256 b.dat"),
    full("dump-end-code", "-x00 s.dat"),
    closed("dump", "s.dat"),
    # The formatted dump returns to main.
    full("formatted-small", "-f t.fmt s.dat"),
    full("formatted-big", "-f t.fmt b.dat"),
    full("formatted-map-big", "-M -f t.fmt -b40 b.dat"),
    closed("formatted", "-f t.fmt s.dat"),
    # The report line of an offset running backwards cannot be written either.
    full("formatted-offset-backwards", "-f back.fmt s.dat"),
    # The comparison: small, and past the writer's buffer.
    full("compare-small", "-F t.fmt id c1.dat c2.dat -n0,3"),
    full("compare-big", "-F t.fmt id c1.dat c2.dat"),
    full("compare-map-big", "-m -F t.fmt id -b16 c2.dat c1.dat"),
    closed("compare", "-F t.fmt id c1.dat c2.dat -n0,3"),
    # Nothing written: no write error; the run's own outcome stands.
    full("nothing-written-format-error", "-f bad.fmt s.dat",
         stderr=b"bad.fmt: from block number not 0 (line is 1)\n"
         + quote(1, b"#BLNO 1", 6, b"the first range starts at block 0"), status=1),
    full("nothing-written-no-data-format", "-f none.fmt s.dat",
         stderr=b"none.fmt: no data definition, exit!\n", status=1),
    full("nothing-written-empty-file", "-f t.fmt e.dat", stderr=b"", status=0),
    full("nothing-written-bad-option", "-b99 s.dat", stderr=b"99: invalid byte number\n", status=1),
]
