"""The command line without a format file: every refusal, and options that are
accepted shown by a later refusal (a missing file, or the same option again out
of range), so that no case depends on a dump's output."""
import os

from vesk_e2e import Case

DATA = {"a.dat": b"0123456789", "b.dat": b"ABCDEFGHIJ"}
MISSING = b"filename missing\n"

HEX16 = "0123456789abcdef"


def fail(name, args, err, files=None, setup=None):
    """A command line that ends with status 1, nothing on stdout and err on stderr."""
    return Case(name, args, stdout=b"", stderr=err, status=1, files=files or {}, setup=setup)


def accepted(name, args):
    """Options that are all accepted: the parse runs to its end and misses the file."""
    return fail(name, args, MISSING)


def _dangling_link(tmp):
    os.symlink("nowhere.dat", os.path.join(tmp, "link.dat"))


CASES = [
    # Letter groups.
    fail("letter-unknown", ["-Z"], b"-Z: invalid option\n"),
    fail("letter-unknown-after-known", ["-AZ", "a.dat"], b"-AZ: invalid option\n", DATA),
    fail("letter-f-glued-is-a-group", ["-fA"], b"-fA: invalid option\n"),
    fail("letter-usage-among-others", ["-A", "-usage"], b"-usage: invalid option\n"),
    fail("letter-usage-before-file", ["-usage", "a.dat"], b"-usage: invalid option\n", DATA),
    accepted("letters-all-known", ["-AJjEUDKLBmMv"]),
    # A lone "-" is standard input, a file operand: a second one is refused.
    fail("lone-dash-twice", ["-", "-"], b"-: invalid argument\n"),
    fail("letter-C-twice-in-a-group", ["-CC"], b"-C: invalid option\n"),
    fail("letter-C-twice-apart", ["-C", "-DC"], b"-C: invalid option\n"),
    # -f and -F operands, and -f/-F after the letter C.
    fail("f-without-operand", ["-f"], b"no format file parameter\n"),
    fail("f-without-operand-after-letters", ["-A", "-f"], b"no format file parameter\n"),
    fail("F-without-operands", ["-F"], b"no format_file or block_id parameter\n"),
    fail("F-with-one-operand", ["-F", "x.fmt"], b"no format_file or block_id parameter\n"),
    fail("f-after-C", ["-C", "-f", "x.fmt", "a.dat"], b"-f: invalid option\n", DATA),
    fail("F-after-C", ["-C", "-F", "x.fmt", "id", "a.dat", "b.dat"], b"-F: invalid option\n", DATA),
    # -l: 80 to 256.
    fail("l-79", ["-l79"], b"79: illegal line width\n"),
    fail("l-257-after-256", ["-l256", "-l257"], b"257: illegal line width\n"),
    fail("l-bare", ["-l"], b"0: illegal line width\n"),
    fail("l-not-a-number", ["-lx"], b"0: illegal line width\n"),
    fail("l-negative", ["-l-100"], b"-100: illegal line width\n"),
    accepted("l-80-trailing-text", ["-l80abc"]),
    # -w: a comma, both numbers 0 or more, the sum at most line_width - 11.
    fail("w-sum-70-at-width-79", ["-w40,30"], b"illegal -s option\n"),
    fail("w-sum-69-at-width-79", ["-w34,35"], b"illegal -s option\n"),
    accepted("w-sum-68-at-width-79", ["-w34,34"]),
    fail("w-without-comma", ["-w40"], b"illegal -s option\n"),
    fail("w-negative-name", ["-w-1,5"], b"illegal -s option\n"),
    fail("w-negative-comment", ["-w5,-1"], b"illegal -s option\n"),
    accepted("w-after-wider-l", ["-l100", "-w40,30"]),
    fail("w-before-wider-l", ["-w40,30", "-l100"], b"illegal -s option\n"),
    accepted("w-sum-69-at-width-80", ["-l80", "-w35,34"]),
    fail("w-sum-70-at-width-80", ["-l80", "-w35,35"], b"illegal -s option\n"),
    accepted("w-empty-numbers", ["-w,"]),
    fail("w-huge-sum-does-not-wrap", ["-w2147483647,2147483647"], b"illegal -s option\n"),
    # -p: 0 or more, "b".
    fail("p-negative", ["-p-1"], b"-1: illegal page size\n"),
    accepted("p-zero-bare-b-and-number", ["-p0", "-p", "-pb", "-p100", "-pbx"]),
    fail("p-negative-after-b", ["-pb", "-p-5"], b"-5: illegal page size\n"),
    # -b: 1 to 32, 1 to 256 after C.
    fail("b-33", ["-b33"], b"33: invalid byte number\n"),
    fail("b-0", ["-b0"], b"0: invalid byte number\n"),
    fail("b-bare", ["-b"], b"0: invalid byte number\n"),
    fail("b-negative", ["-b-1"], b"-1: invalid byte number\n"),
    fail("b-20-accepted-then-33", ["-b20", "-b33"], b"33: invalid byte number\n"),
    accepted("b-1-and-32", ["-b1", "-b32"]),
    accepted("b-256-after-C", ["-C", "-b256"]),
    fail("b-257-after-C", ["-C", "-b257"], b"257: invalid byte number\n"),
    fail("b-256-before-C", ["-b256", "-C"], b"256: invalid byte number\n"),
    # Numbers past an int keep the low 32 bits of their 64-bit value.
    accepted("b-two-to-the-32-plus-16", ["-b4294967312"]),
    fail("b-two-to-the-32", ["-b4294967296"], b"0: invalid byte number\n"),
    fail("b-past-64-bits", ["-b99999999999999999999"], b"-1: invalid byte number\n"),
    # -h: 1 to 4095.
    fail("h-4096", ["-h4096"], b"4096: invalid header size\n"),
    fail("h-0", ["-h0"], b"0: invalid header size\n"),
    fail("h-bare", ["-h"], b"0: invalid header size\n"),
    accepted("h-1-and-4095", ["-h1", "-h4095"]),
    # -t: 1 to 8 bytes.
    fail("t-nine-bytes", ["-t123456789"], b"-t123456789: too long\n"),
    accepted("t-eight-bytes", ["-t12345678"]),
    fail("t-empty", ["-t"], b"-t: illegal -e option\n"),
    accepted("t-two-kanji", [b"-t\x8a\xbf\x8e\x9a"]),
    fail("t-five-kanji", [b"-t\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8"],
         b"-t\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8: too long\n"),
    # -x: pairs of hex digits, at most 16 digits.
    accepted("x-mixed-case", ["-xa0B1"]),
    accepted("x-sixteen-digits", ["-x" + HEX16]),
    fail("x-seventeen-digits", ["-x" + HEX16 + "0"], ("-x" + HEX16 + "0: too long byte\n").encode()),
    fail("x-eighteen-digits", ["-x" + HEX16 + "00"], ("-x" + HEX16 + "00: too long byte\n").encode()),
    fail("x-seventeenth-digit-before-bad-char", ["-x" + HEX16 + "0z"],
         ("-x" + HEX16 + "0z: too long byte\n").encode()),
    fail("x-bad-char-after-sixteen-digits", ["-x" + HEX16 + "z"],
         ("-x" + HEX16 + "z: illegal code found\n").encode()),
    fail("x-not-hex", ["-xzz"], b"-xzz: illegal code found\n"),
    fail("x-bad-char-after-odd-digits", ["-x123z"], b"-x123z: illegal code found\n"),
    fail("x-0x-prefix", ["-x0x41"], b"-x0x41: illegal code found\n"),
    fail("x-odd-digits", ["-xA"], b"-xA: illegal -e option\n"),
    fail("x-three-digits", ["-xABC"], b"-xABC: illegal -e option\n"),
    fail("x-empty", ["-x"], b"-x: illegal -e option\n"),
    # -n: hexadecimal, decimal after D.
    accepted("n-one-block", ["-n5"]),
    accepted("n-range-and-zero-end", ["-n10,20", "-n10,0"]),
    fail("n-reversed", ["-n20,10"], b"-n20,10: illegal block number\n"),
    fail("n-negative", ["-n-1"], b"-n-1: illegal block number\n"),
    fail("n-negative-end", ["-n5,-1"], b"-n5,-1: illegal block number\n"),
    fail("n-read-as-hex", ["-n10,f"], b"-n10,f: illegal block number\n"),
    accepted("n-read-as-decimal-after-D", ["-D", "-n10,f"]),
    fail("n-D-after-is-too-late", ["-n10,f", "-D"], b"-n10,f: illegal block number\n"),
    fail("n-reversed-decimal", ["-D", "-n20,10"], b"-n20,10: illegal block number\n"),
    fail("n-negative-decimal", ["-D", "-n-3"], b"-n-3: illegal block number\n"),
    fail("n-empty-hex-keeps-start", ["-n3", "-n,2"], b"-n,2: illegal block number\n"),
    accepted("n-empty-decimal-reads-0", ["-D", "-n3", "-n,2"]),
    # -d: 1 to 4096.
    fail("d-4097", ["-d4097"], b"4097: too large block size(max. 4096 bytes)\n"),
    fail("d-0", ["-d0"], b"0: too large block size(max. 4096 bytes)\n"),
    fail("d-bare", ["-d"], b"0: too large block size(max. 4096 bytes)\n"),
    fail("d-negative", ["-d-1"], b"-1: too large block size(max. 4096 bytes)\n"),
    accepted("d-1-and-4096", ["-d1", "-d4096"]),
    # File arguments.
    fail("file-second-without-F", ["a.dat", "b.dat"], b"b.dat: invalid argument\n", DATA),
    fail("file-second-is-not-opened", ["a.dat", "missing.dat"], b"missing.dat: invalid argument\n", DATA),
    fail("file-second-after-C", ["-C", "a.dat", "b.dat"], b"b.dat: invalid argument\n", DATA),
    fail("file-not-found", ["missing.dat"], b"missing.dat: not found\n"),
    fail("file-not-found-stops-the-parse", ["missing.dat", "-Z"], b"missing.dat: not found\n"),
    fail("file-empty-name", [""], b": not found\n"),
    fail("file-dangling-link", ["link.dat"], b"link.dat: not found\n", setup=_dangling_link),
    fail("file-directory", ["sub"], b"sub: not found\n", {"sub/x.dat": b"x"}),
    fail("file-after-options-refused-later", ["a.dat", "-b33"], b"33: invalid byte number\n", DATA),
    fail("filename-missing", ["-A"], MISSING),
]
