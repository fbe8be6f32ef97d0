"""The command line with -f and -F: options refused or checked after a format
file, the block id, the file arguments of a comparison and the two messages
given instead of running a driver. Each case ends before any driver runs."""
from vesk_e2e import Case, quote

# One data format of 8 bytes with a simple item "id".
GOOD = b"#BLNO 0 &\nstruct REC {\n long id;\n char name[4];\n};\n"
# Two data formats; only the first has "id".
TWO = (b"#BLNO 0 0\nstruct HEAD {\n long id;\n};\n"
       b"#BLNO 1 &\nstruct REC {\n long n;\n};\n")
# A define and nothing else: no data format.
NODEF = b"#define N 3\n"
# A first range that does not start at block 0.
BAD = b"#BLNO 1\nstruct R {\n long a;\n};\n"

FILES = {"g.fmt": GOOD, "two.fmt": TWO, "nodef.fmt": NODEF, "bad.fmt": BAD,
         "a.dat": b"\x00" * 16, "b.dat": b"\x00" * 16, "sub/x.dat": b"x"}
MISSING = b"filename missing\n"


def fail(name, args, err):
    return Case(name, args, stdout=b"", stderr=err, status=1, files=FILES)


CASES = [
    # The format is loaded as -f is met; the parse then misses the file.
    fail("f-then-no-file", ["-f", "g.fmt"], MISSING),
    fail("f-twice", ["-f", "g.fmt", "-f", "g.fmt", "a.dat"], b"-f: invalid option\n"),
    fail("F-after-f", ["-f", "g.fmt", "-F", "g.fmt", "id"], b"-F: invalid option\n"),
    fail("f-after-F", ["-F", "g.fmt", "id", "-f", "g.fmt"], b"-f: invalid option\n"),
    fail("C-after-f", ["-f", "g.fmt", "-C"], b"-C: invalid option\n"),
    fail("C-after-F", ["-F", "g.fmt", "id", "-DC"], b"-C: invalid option\n"),
    fail("f-format-not-found-ends-the-parse", ["-f", "nofmt.fmt", "missing.dat"],
         b"format file nofmt.fmt: not found"),
    fail("F-operands-are-taken-as-they-come", ["-F", "-A", "-B", "a.dat", "b.dat"],
         b"format file -A: not found"),
    fail("f-format-error-ends-the-parse", ["-f", "bad.fmt", "missing.dat"],
         b"bad.fmt: from block number not 0 (line is 1)\n"
         + quote(1, b"#BLNO 1", 6, b"the first range starts at block 0")),
    # The block id: the message is followed by the ids that would fit (every
    # simple item that is no array: a char item of one text is one), or the
    # nearest one, and says so when the id names a file.
    fail("F-id-not-found", ["-F", "g.fmt", "nosuch", "a.dat", "b.dat"],
         b"block id(nosuch) not found in data definition\n  ids that would fit: id, name\n"),
    fail("F-id-misspelt", ["-F", "g.fmt", "nmae", "a.dat", "b.dat"],
         b"block id(nmae) not found in data definition\n  did you mean name?\n"),
    fail("F-id-near-an-item-of-any-data-format", ["-F", "two.fmt", "nn", "a.dat", "b.dat"],
         b"block id(nn) not found in data definition\n  did you mean n?\n"),
    fail("F-operands-swapped", ["-F", "g.fmt", "a.dat", "b.dat", "id"],
         b"block id(a.dat) not found in data definition\n"
         b"  the id names a file: -F takes the format file, the id item, then the two files\n"
         b"  ids that would fit: id, name\n"),
    fail("F-id-without-data-format", ["-F", "nodef.fmt", "id", "a.dat", "b.dat"],
         b"block id(id) not found in data definition\n"
         b"  no item can be the id: an id is a simple item, not an array\n"),
    # -b after -f/-F: refused without an earlier m or M, else 1 to 40.
    fail("f-b-without-map-is-ignored", ["-f", "g.fmt", "-b20"],
         b"-b20: invalid argument\n" + MISSING),
    fail("f-b-after-m", ["-m", "-f", "g.fmt", "-b20", "-b41"], b"41: invalid byte number\n"),
    fail("f-b-after-M-given-after-f", ["-f", "g.fmt", "-M", "-b40", "-b0"],
         b"0: invalid byte number\n"),
    fail("f-m-after-the-b-is-too-late", ["-f", "g.fmt", "-b20", "-m", "-b41"],
         b"-b20: invalid argument\n41: invalid byte number\n"),
    fail("f-b-before-f-has-the-plain-range", ["-b33", "-f", "g.fmt"], b"33: invalid byte number\n"),
    fail("f-b-before-f-then-after", ["-b32", "-f", "g.fmt", "-b20"],
         b"-b20: invalid argument\n" + MISSING),
    fail("F-b-without-map-is-ignored", ["-F", "g.fmt", "id", "-b20", "a.dat"],
         b"-b20: invalid argument\nfilename2 missing\n"),
    fail("F-b-with-map-1-to-40", ["-M", "-F", "g.fmt", "id", "-b40", "-b41", "a.dat", "b.dat"],
         b"41: invalid byte number\n"),
    fail("F-b-with-map-0", ["-m", "-F", "g.fmt", "id", "-b0"], b"0: invalid byte number\n"),
    # -h, -t, -x and -d after -f: a message each, the parse goes on.
    fail("f-h-t-x-d-are-ignored", ["-f", "g.fmt", "-h10", "-tab", "-x41", "-x", "-d10", "-d9999"],
         b"-h10: invalid argument\n-tab: invalid argument\n-x41: invalid argument\n"
         b"-x: invalid argument\n-d: invalid argument\n-d: invalid argument\n" + MISSING),
    fail("f-h-before-f-is-checked", ["-h4096", "-f", "g.fmt"], b"4096: invalid header size\n"),
    fail("f-h-t-x-d-before-f-are-stored", ["-h10", "-t12", "-x41", "-d100", "-f", "g.fmt"], MISSING),
    # After -F they are checked as in a plain dump.
    fail("F-h-is-checked", ["-F", "g.fmt", "id", "-h4096"], b"4096: invalid header size\n"),
    fail("F-d-is-checked", ["-F", "g.fmt", "id", "-d5000"],
         b"5000: too large block size(max. 4096 bytes)\n"),
    fail("F-t-is-checked", ["-F", "g.fmt", "id", "-t123456789"], b"-t123456789: too long\n"),
    # Other options after -f keep their checks.
    fail("f-w-is-checked", ["-f", "g.fmt", "-w40,30"], b"illegal -s option\n"),
    fail("f-l-raises-the-w-limit", ["-l100", "-f", "g.fmt", "-w40,30"], MISSING),
    fail("f-n-is-checked", ["-f", "g.fmt", "-n5,3"], b"-n5,3: illegal block number\n"),
    # File arguments of a comparison.
    fail("F-third-file", ["-F", "g.fmt", "id", "a.dat", "b.dat", "c.dat"], b"c.dat: invalid argument\n"),
    fail("F-file-before-F-is-the-first", ["a.dat", "-F", "g.fmt", "id", "b.dat", "c.dat"],
         b"c.dat: invalid argument\n"),
    fail("F-second-file-missing", ["a.dat", "-F", "g.fmt", "id"], b"filename2 missing\n"),
    fail("F-no-file", ["-F", "g.fmt", "id"], MISSING),
    fail("F-second-not-found", ["-F", "g.fmt", "id", "a.dat", "missing.dat"], b"missing.dat: not found\n"),
    fail("F-second-is-a-directory", ["-F", "g.fmt", "id", "a.dat", "sub"], b"sub: not found\n"),
    fail("f-second-file", ["-f", "g.fmt", "a.dat", "b.dat"], b"b.dat: invalid argument\n"),
    # No driver runs: nothing is dumped or compared, a failure, status 1.
    Case("f-no-data-definition", ["-f", "nodef.fmt", "a.dat"],
         stderr=b"nodef.fmt: no data definition, exit!\n", status=1, files=FILES),
    Case("F-multiple-data-formats", ["-F", "two.fmt", "id", "a.dat", "b.dat"],
         stderr=b"two.fmt: Multiple data format is not available, exit!\n", status=1, files=FILES),
]
