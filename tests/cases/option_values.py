"""Option values in the next argument: -b, -d, -h, -l, -t, -x and -w take it
where their bare form fails (it would read 0, or nothing); where a bare form
is taken (after -f, with "invalid argument" and the run going on) the next
argument stays what it was. -n and -p, valid bare, keep an attached value
only; a file operand after them that is not found but reads as their value
gets the fix in its message.

The input is "ABCDEFGHIJ". A plain-dump line of -b8: the prefix (" 0000 0000"
or " HEAD 0000", and three blanks), the hex groups from column 13, "| " at
33, the characters padded to 9 columns, the bar."""
from vesk_e2e import Case, lines

SCALE8 = "              0 1  2 3  4 5  6 7   01234567"
TEN = {"in.bin": b"ABCDEFGHIJ"}


def row8(left, chars):
    return left.ljust(33) + "| " + chars.ljust(9) + "|"


def dump(*rows):
    return lines(SCALE8, *(row8(left, chars) for left, chars in rows))


ONE = b"#BLNO 0 0 ; one\nstruct A {\n char c;\n};\n"
ONE_DUMP = lines("       block: 0  addr: 0000", "       one".ljust(79), " 0000: [x] ".ljust(78) + "c")


def same_meaning(letter):
    """After -f, a bare -<letter> is ignored with its message; 8 stays the file."""
    message = b"-d: invalid argument\n" if letter == "d" else b"-%s: invalid argument\n" % letter.encode()
    return Case("after-f-bare-%s-keeps-its-meaning" % letter, ["-f", "one.fmt", "-" + letter, "8"],
                files={"one.fmt": ONE, "8": b"xyz"}, stdout=ONE_DUMP, stderr=message)


CASES = [
    Case("b-and-d", ["-b", "8", "-d", "8", "in.bin"], files=TEN,
         stdout=dump((" 0000 0000   4142 4344 4546 4748", "ABCDEFGH"), (" 0001 0000   494a", "IJ"))),
    Case("d-then-glued-b", ["-d", "4", "-b8", "in.bin"], files=TEN,
         stdout=dump((" 0000 0000   4142 4344", "ABCD"), (" 0001 0000   4546 4748", "EFGH"),
                     (" 0002 0000   494a", "IJ"))),
    Case("x", ["-b", "8", "-x", "43", "in.bin"], files=TEN,
         stdout=dump((" 0000 0000   4142 43", "ABC"), (" 0001 0000   4445 4647 4849 4a", "DEFGHIJ"))),
    Case("t", ["-b8", "-t", "EF", "in.bin"], files=TEN,
         stdout=dump((" 0000 0000   4142 4344 4546", "ABCDEF"), (" 0001 0000   4748 494a", "GHIJ"))),
    Case("h", ["-b8", "-h", "2", "in.bin"], files=TEN,
         stdout=dump((" HEAD 0000   4142", "AB"), (" 0000 0000   4344 4546 4748 494a", "CDEFGHIJ"))),
    # The file may come first.
    Case("after-the-file", ["in.bin", "-b", "8", "-h", "2"], files=TEN,
         stdout=dump((" HEAD 0000   4142", "AB"), (" 0000 0000   4344 4546 4748 494a", "CDEFGHIJ"))),
    # -l and -w: -l 100 lets -w 40,30 through (70 > 79 - 11 otherwise).
    Case("l-then-w", ["-l", "100", "-w", "40,30"], stderr=b"filename missing\n", status=1),
    Case("w-alone-refused", ["-w", "40,30"], stderr=b"illegal -s option\n", status=1),
    Case("l-refused", ["-l", "79"], stderr=b"79: illegal line width\n", status=1),
    # The messages that name the argument show the option and its value.
    Case("x-message", ["-x", "zz", "in.bin"], files=TEN, stderr=b"-x zz: illegal code found\n", status=1),
    Case("t-message", ["-t", "123456789", "in.bin"], files=TEN, stderr=b"-t 123456789: too long\n", status=1),
    Case("b-message", ["-b", "33", "in.bin"], files=TEN, stderr=b"33: invalid byte number\n", status=1),
    Case("d-message", ["-d", "5000", "in.bin"], files=TEN,
         stderr=b"5000: too large block size(max. 4096 bytes)\n", status=1),
    # Last on the line, a bare option fails as before.
    Case("bare-d-last", ["in.bin", "-d"], files=TEN,
         stderr=b"0: too large block size(max. 4096 bytes)\n", status=1),
    Case("bare-x-last", ["in.bin", "-x"], files=TEN, stderr=b"-x: illegal -e option\n", status=1),
    # After -f the bare forms are ignored, as before: the next argument is a file.
    same_meaning("b"), same_meaning("d"), same_meaning("h"), same_meaning("t"), same_meaning("x"),
    # With the map, -b after -f fails bare, so it takes the value.
    Case("map-b-after-f", ["-m", "-f", "one.fmt", "-b", "41", "in.bin"], files=dict(TEN, **{"one.fmt": ONE}),
         stderr=b"41: invalid byte number\n", status=1),

    # -n and -p: valid bare; the message gives the fix for a value.
    Case("n-hint", ["-n", "100", "in.bin"], files=TEN,
         stderr=b"100: not found (for blocks, write -n100)\n", status=1),
    Case("n-hint-range", ["-n", "1f,2a", "in.bin"], files=TEN,
         stderr=b"1f,2a: not found (for blocks, write -n1f,2a)\n", status=1),
    Case("n-hint-decimal", ["-D", "-n", "12", "in.bin"], files=TEN,
         stderr=b"12: not found (for blocks, write -n12)\n", status=1),
    Case("n-no-hint-for-hex-after-D", ["-D", "-n", "1f", "in.bin"], files=TEN,
         stderr=b"1f: not found\n", status=1),
    Case("n-no-hint-for-a-name", ["-n", "data.bin"], stderr=b"data.bin: not found\n", status=1),
    Case("p-hint", ["-p", "24", "in.bin"], files=TEN,
         stderr=b"24: not found (for the page length, write -p24)\n", status=1),
    Case("p-hint-b", ["-p", "b", "in.bin"], files=TEN,
         stderr=b"b: not found (for the page length, write -pb)\n", status=1),
    # A file of that name is a file: bare -n is block 0 alone.
    Case("n-bare-then-a-file-named-like-a-value", ["-b8", "-d4", "-n", "ab"], files={"ab": b"ABCDEFGH"},
         stdout=dump((" 0000 0000   4142 4344", "ABCD"))),
]
