"""Standard input: "-" as a file operand, and, with no file operand, standard
input when it is a pipe or a file. A terminal, or /dev/null, still gets the
usage text (or "filename missing" after options). The comparison refuses a
pipe with its message, naming standard input, and takes standard input
redirected from a file.

The plain dump of "Hi!" LF: the prefix " 0000 0000" and three blanks, the hex
groups from column 13, "| " at 53, the characters from 55 padded to 17
columns, and the bar."""
import pathlib
import shlex

from vesk_e2e import PYTHON, Case, lines

ON_TERMINAL = shlex.quote(str(pathlib.Path(__file__).resolve().parents[1] / "e2e" / "on_terminal.py"))
SCALE16 = "              0 1  2 3  4 5  6 7  8 9  A B  C D  E F   0123456789ABCDEF"
HI = b"Hi!\n"
HI_DUMP = lines(SCALE16, " 0000 0000   4869 210a".ljust(53) + "| " + "Hi!.".ljust(17) + "|")
# -A -b4 -d8: one block of two lines of four bytes.
ABC = b"ABCDEFGH"
ABC_DUMP = lines("              0 1  2 3   0123",
                 " 0000 0000   4142 4344 | ABCD |",
                 "      0004   4546 4748 | EFGH |")
SHORT_USAGE = lines(
    "Usage: vesk [-AJEUCDKL] [-b<n>] [-d<n>] [-h<n>] [-n<n1>[,<n2>]] ",
    "            [-p<n>] [-t<str>|-x<hex>] <filename>",
    " ",
    "       vesk [-BDmMv] [-b<n>] [-l<n>] [-n<n1>[,<n2>]] [-w<n1>,<n2>]",
    "             -f <formatfile> <filename>",
    " ",
    "       vesk [-BDmMv] [-b<n>] [-l<n>] [-n<n1>[,<n2>]] [-w<n1>,<n2>]",
    "             -F <formatfile> <idname> <filename1> <filename2>",
)

# A formatted dump: one block of one char; name "c", no comment, so the label
# column is one wide and the label stands in column 78.
ONE = b"#BLNO 0 0 ; one\nstruct A {\n char c;\n};\n"
ONE_DUMP = lines("       block: 0  addr: 0000", "       one".ljust(79), " 0000: [x] ".ljust(78) + "c")

# A comparison of two equal one-block files (key X, n 1): one pair, no update.
KEYED = b"#BLNO 0 & ; k\nstruct K {\n char key;\n short n;\n};\n"
KEY_FILES = {"k.fmt": KEYED, "a.dat": b"X\x00\x01", "b.dat": b"X\x00\x01"}
SAME_PAIR = lines(" UPDATED DATA", "       block: 0  addr: 0000 / block: 0  addr: 0000",
                  "       k".ljust(79), " 0000: [X] ".ljust(76) + "key", "       NO UPDATED")
PIPE_REFUSED = b"standard input: cannot compare an input that cannot seek (a pipe); give a file\n"

CASES = [
    # A pipe, with no file operand or with "-", alone or after options.
    Case("pipe-no-operand", [], stdin=HI, stdout=HI_DUMP),
    Case("pipe-dash", ["-"], stdin=HI, stdout=HI_DUMP),
    Case("pipe-options-only", ["-A", "-b4", "-d8"], stdin=ABC, stdout=ABC_DUMP),
    Case("pipe-dash-between-options", ["-A", "-", "-b4", "-d8"], stdin=ABC, stdout=ABC_DUMP),
    Case("pipe-empty", [], stdin=b""),
    Case("pipe-through-the-shell", [], shell="printf 'Hi!\\n' | {vesk}", stdout=HI_DUMP),
    # A file redirected to standard input.
    Case("file-no-operand", [], shell="{vesk} -A -b4 -d8 < abc.bin", files={"abc.bin": ABC}, stdout=ABC_DUMP),
    Case("file-dash-seeks", [], shell="{vesk} -A -b4 -d4 -n1 - < abc.bin", files={"abc.bin": ABC},
         stdout=lines("              0 1  2 3   0123", " 0001 0000   4546 4748 | EFGH |")),
    # The formatted dump reads it too.
    Case("formatted-pipe", ["-f", "one.fmt"], files={"one.fmt": ONE}, stdin=b"xyz", stdout=ONE_DUMP),
    Case("formatted-pipe-dash", ["-f", "one.fmt", "-"], files={"one.fmt": ONE}, stdin=b"xyz", stdout=ONE_DUMP),
    # Not a pipe nor a file: /dev/null, or a terminal.
    Case("dev-null-gets-the-usage", [], shell="{vesk} < /dev/null", stderr=SHORT_USAGE, status=1),
    Case("dev-null-after-options", [], shell="{vesk} -A < /dev/null", stderr=b"filename missing\n", status=1),
    Case("terminal-gets-the-usage", [], shell=f"{PYTHON} {ON_TERMINAL} --input -- {{vesk}}",
         stderr=SHORT_USAGE, status=1),
    Case("terminal-after-options", [], shell=f"{PYTHON} {ON_TERMINAL} --input -- {{vesk}} -A",
         stderr=b"filename missing\n", status=1),
    # A file operand is read, not standard input.
    Case("operand-wins-over-a-pipe", ["hi.txt"], files={"hi.txt": HI}, stdin=ABC, stdout=HI_DUMP),
    # "-" is one operand: a second file is refused outside a comparison.
    Case("dash-then-a-file", ["-", "hi.txt"], files={"hi.txt": HI}, stdin=HI,
         stderr=b"hi.txt: invalid argument\n", status=1),

    # The comparison: a pipe refused, a redirected file read, "-" once only.
    Case("compare-pipe-dash-first", [], shell="cat a.dat | {vesk} -F k.fmt key - b.dat", files=KEY_FILES,
         stderr=PIPE_REFUSED, status=1),
    Case("compare-pipe-dash-second", [], shell="cat b.dat | {vesk} -F k.fmt key a.dat -", files=KEY_FILES,
         stderr=PIPE_REFUSED, status=1),
    Case("compare-file-dash", [], shell="{vesk} -F k.fmt key - b.dat < a.dat", files=KEY_FILES,
         stdout=SAME_PAIR),
    Case("compare-pipe-no-operand", ["-F", "k.fmt", "key"], files=KEY_FILES, stdin=b"X\x00\x01",
         stderr=b"filename2 missing\n", status=1),
    Case("compare-dash-twice", ["-F", "k.fmt", "key", "-", "-"], files=KEY_FILES, stdin=b"X\x00\x01",
         stderr=b"-: standard input given twice\n", status=1),
]
