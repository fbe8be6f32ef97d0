"""Runs that must end, and end saying why: format files whose structures
multiply into astronomical counts of nothing, a report that cannot be written
while the input goes on for ever, and a comparison whose file is cut short
while the report is being made."""
from vesk_e2e import Case, lines

# Four levels of empty structures of 32,767 copies each around one char: the
# walk once went through 32767^4 empty structures per block.
DEEP = b"""#BLNO 0 & ; dos
struct R {
 struct {
  struct {
   struct {
    struct {
    } w[32767];
   } z[32767];
  } y[32767];
 } x[32767];
 char c; /* c */
};
"""


def doubling_chain(levels):
    """Empty templates, each holding two copies of the one before."""
    out = [b"typedef struct {", b"} T0;"]
    for k in range(1, levels + 1):
        out += [b"typedef struct {", b" T%d a;" % (k - 1), b" T%d b;" % (k - 1), b"} T%d;" % k]
    out += [b"#BLNO 0 & ; chain", b"struct R {", b" T%d t;" % levels, b" char c; /* c */", b"};"]
    return b"\n".join(out) + b"\n"


CHAIN = doubling_chain(40)

# The label "c : c" of the one item ends in column 78.
LIST_OF_A = [b"       block: 0  addr: 0000", b"       dos".ljust(79), b" 0000: [A]".ljust(74) + b"c : c"]
CHAIN_LIST = [b"       block: 0  addr: 0000", b"       chain".ljust(79), b" 0000: [A]".ljust(74) + b"c : c"]
MAP_SCALE = b"             0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F  "

# Each run is given 20 s; the walk takes microseconds.
def timed(name, args, files, stdout, status=0):
    return Case(name, [], shell="timeout 20 {vesk} " + args, files=files, stdout=stdout, status=status)


WRITE_ERROR = b"write error on standard output\n"

# A comparison whose first file is cut to nothing, or written over with its
# records in reverse order, once the report has begun: 4,900 records of 64
# bytes a file (more than vesk reads at once, so the report reads the first
# file again), every record changed, and the report going through a pipe that
# the script reads only after changing the file. The first write of the
# report comes after the ids of both files were read.
SHRINK_SCRIPT = b"""
import os, subprocess, sys
change = sys.argv[1]  # cut or reverse
vesk = sys.argv[2:]  # the program, after any wrapper (valgrind)
p = subprocess.Popen(vesk + ["-F", "r.fmt", "id", "old.dat", "new.dat"],
                     stdout=subprocess.PIPE, stderr=subprocess.PIPE)
first = p.stdout.read(1)
if change == "cut":
    os.truncate("old.dat", 0)
else:
    with open("old.dat", "r+b") as f:
        data = f.read()
        f.seek(0)
        f.write(b"".join(data[k:k + 64] for k in range(len(data) - 64, -1, -64)))
rest = p.stdout.read()
err = p.stderr.read()
p.wait()
sys.stdout.buffer.write(b"%d %d\\n" % (len(first) + len(rest) > 0, p.returncode))
sys.stderr.buffer.write(err)
"""
RECORD_FMT = b"#BLNO 0 &\nstruct R {\n long id;\n long v[15];\n};\n"


def records(n, salt):
    return b"".join(i.to_bytes(4, "big") + bytes(((i * 7 + k) * salt) & 0xFF for k in range(60)) for i in range(n))


SHRINK_FILES = {"shrink.py": SHRINK_SCRIPT, "r.fmt": RECORD_FMT,
                "old.dat": records(4900, 3), "new.dat": records(4900, 5)}

CASES = [
    timed("deep-empty-structures-list", "-f deep.fmt one.bin", {"deep.fmt": DEEP, "one.bin": b"A"},
          lines(*LIST_OF_A)),
    timed("deep-empty-structures-map", "-m -f deep.fmt one.bin", {"deep.fmt": DEEP, "one.bin": b"A"},
          lines(MAP_SCALE, b" [0000000]  size: 0001", b"       dos".ljust(79), b" 0000 0000:  A")),
    # The comparison: block 0 pairs with block 0 (no difference), block 1 of
    # the second file is inserted.
    timed("deep-empty-structures-compare", "-F deep.fmt c one.bin two.bin",
          {"deep.fmt": DEEP, "one.bin": b"A", "two.bin": b"AB"},
          lines(b" UPDATED DATA", b"       block: 0  addr: 0000 / block: 0  addr: 0000", b"       dos".ljust(79),
                b" 0000: [A]".ljust(74) + b"c : c", b"       NO UPDATED", b"", b" INSERTED DATA",
                b"       block: 1  addr: 0001", b"       dos".ljust(79), b" 0000: [B]".ljust(74) + b"c : c")),
    timed("doubling-template-chain-list", "-f chain.fmt one.bin", {"chain.fmt": CHAIN, "one.bin": b"A"},
          lines(*CHAIN_LIST)),
    timed("doubling-template-chain-map-b", "-B -M -f chain.fmt one.bin", {"chain.fmt": CHAIN, "one.bin": b"A"},
          lines(b"             0   1   2   3   4   5   6   7   8   9   A   B   C   D   E   F  ",
                b" [0000000]  size: 0001", b"       chain".ljust(79), b" 0000 0000:  A")),

    # A report that cannot be written stops at the first failed write, not at
    # the end of an input that never ends.
    Case("full-output-endless-input", [], shell="timeout 20 {vesk} -n0,7fffffff /dev/zero > /dev/full",
         stderr=WRITE_ERROR, status=1),
    Case("full-output-endless-input-chars", [], shell="timeout 20 {vesk} -C -b256 -n0,7fffffff /dev/zero > /dev/full",
         stderr=WRITE_ERROR, status=1),
    # A closed pipe with SIGPIPE ignored: the write fails with EPIPE.
    Case("closed-pipe-endless-input", [],
         shell="trap '' PIPE; timeout 20 {vesk} -n0,7fffffff /dev/zero | head -c 10 > /dev/null",
         stderr=WRITE_ERROR),

    # The first file cut short while the report is being made: a message
    # naming it, status 1, never a report passed off as complete.
    Case("compare-file-cut-during-the-report", [], shell="python3 shrink.py cut {vesk}", files=SHRINK_FILES,
         stdout=b"1 1\n", stderr=b"old.dat: changed while being compared\n"),
    # Rewritten in place, the same size: the block read again for the report
    # holds another record than the one paired by its id. Caught, never
    # reported beside the id it no longer has.
    Case("compare-file-rewritten-during-the-report", [], shell="python3 shrink.py reverse {vesk}",
         files=SHRINK_FILES, stdout=b"1 1\n", stderr=b"old.dat: changed while being compared\n"),
]
