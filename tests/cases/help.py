"""--help: English, every letter and long option, the version of --version at
its end, the same bytes in either report encoding (it is ASCII). An unknown
long option names the nearest one when one is near: a letter wrong, missing,
extra, or two swapped, or the start of a single name. A long option's value
comes after "="."""
from vesk_e2e import Case, lines

HELP = lines(
    "Usage: vesk [OPTION]... [FILE]",
    "  or:  vesk [OPTION]... -f FORMATFILE [FILE]",
    "  or:  vesk [OPTION]... -F FORMATFILE IDNAME FILE1 FILE2",
    "Dump FILE for a person to read: hexadecimal bytes beside their characters,",
    "cut into blocks; with -f, every item of every block as a format file",
    "describes it; with -F, the blocks of two files of one format that differ.",
    "With no FILE, or when FILE is -, read standard input (a pipe or a file).",
    "",
    "A value follows its letter (-b8) or the next argument is the value (-b 8);",
    "-n and -p take only an attached one. Letters without a value may be grouped",
    "(-DL). Options are read from left to right, and the order matters.",
    "",
    "Character column of the plain dump (default Shift_JIS):",
    "  -A                  ASCII only",
    "  -K                  ASCII and half-width kana",
    "  -J                  JIS (ISO-2022-JP)",
    "  -j                  JIS, showing its escape sequences",
    "  -E                  EUC-JP",
    "  -U                  UTF-8",
    "",
    "Plain dump:",
    "  -C                  characters only, no hexadecimal part (before -b)",
    "  -L                  write repeated lines too",
    "  -b N                bytes a line: 1-32, 1-256 with -C, 1-40 in a map (16)",
    "  -d N                data block size: 1-4096 (256)",
    "  -h N                header block size: 1-4095 (none)",
    "  -t TEXT             a block ends after TEXT, 1 to 8 bytes",
    "  -x HEX              a block ends after these bytes, 2 to 16 hex digits",
    "  -pN                 lines a page with the scale (24); -p0 one scale at the",
    "                      top; -pb a page a block (in a map: 32000 lines)",
    "",
    "Blocks, in every mode:",
    "  -D                  decimal block numbers and offsets; -n then reads decimal",
    "  -nN1[,N2]           blocks N1 to N2, hexadecimal unless -D came before; N1",
    "                      alone is that block (default: 0 to 7FFF)",
    "",
    "Formatted dump and comparison:",
    "  -f FORMATFILE       dump FILE item by item as FORMATFILE describes it",
    "  -F FORMATFILE IDNAME",
    "                      compare FILE1 and FILE2, pairing blocks by item IDNAME",
    "  -B                  align items as a C compiler does (before -f or -F)",
    "  -m                  map form",
    "  -M                  wide map form",
    "  -v                  numbers least significant byte first (list form)",
    "  -l N                line width: 80-256 (79)",
    "  -w N1,N2            widths of the name and comment columns (15,30)",
    "",
    "Long options, anywhere among the arguments:",
    "  --skip-bytes=N      start at the block that holds byte N (plain dump)",
    "  --read-bytes=N      end at the block that holds the Nth byte from there",
    "  --all               no default limits: to the end, any number of blocks",
    "  --changes-only      comparison: leave out pairs that are alike in every byte",
    "  --summary           comparison: end with the counts of each kind of block",
    "  --exit-code         0: same blocks byte for byte, 1: they differ, 2: trouble",
    "  --json              records as JSON Lines: one a block (-f) or finding (-F)",
    "  --csv               records as CSV: a header row, then a row a block (-f)",
    "  --guess             which code reads FILE: a table and a guess, no dump",
    "  --utf8              the report in UTF-8 (the default on a UTF-8 terminal)",
    "  --sjis              the report in Shift_JIS (the default elsewhere)",
    "  --color[=WHEN]      color: auto (on a terminal, the default), always, never",
    "  --help              write this text and end",
    "  --version           write the version of vesk and end",
    "  -usage              write the usage text of the first versions (Japanese)",
    "",
    "N of --skip-bytes and --read-bytes: decimal, or 0x and hexadecimal digits,",
    "then K, M or G for 1024, 1024^2, 1024^3 (1500M, 0x5968).",
    "VESK_ENCODING=utf8 or sjis sets the report's encoding where neither --utf8",
    "nor --sjis is given; else UTF-8 on a UTF-8 terminal and Shift_JIS elsewhere.",
    "--color=auto, the default, colors the report on a terminal where NO_COLOR is",
    "unset or empty and TERM is not dumb; --color alone means always.",
    "Exit status: 0 done, 1 trouble (with --exit-code: 0 same, 1 differ, 2 trouble).",
    "Every option, limit, message and mark: man vesk.",
    "vesk 2.72",
)
assert all(len(line) <= 79 for line in HELP.decode().split("\n"))


def unknown(typed, meant=None):
    hint = b"; did you mean --%s?" % meant.encode() if meant else b""
    return Case("unknown-" + typed.lstrip("-"), [typed, "a.bin"], files={"a.bin": b"x"},
                stderr=typed.encode() + b": invalid option" + hint + b"\n", status=1)


CASES = [
    Case("help-to-a-pipe", ["--help"], stdout=HELP),
    Case("help-sjis", ["--sjis", "--help"], stdout=HELP),
    Case("help-utf8", ["--help", "--utf8"], stdout=HELP),
    # --help wins over everything else on the line, even what is wrong.
    Case("help-among-other-arguments", ["-Z", "none.bin", "--help"], stdout=HELP),
    # The version that --help ends with is the one --version writes.
    Case("help-ends-with-the-version", [], shell="{vesk} --help | tail -n 1; {vesk} --version",
         stdout=b"vesk 2.72\nvesk 2.72\n"),

    # Did you mean: a swap, a letter missing, extra or wrong, the start of one name.
    unknown("--summray", "summary"),
    unknown("--sumary", "summary"),
    unknown("--summaryy", "summary"),
    unknown("--sum", "summary"),
    unknown("--utf-8", "utf8"),
    unknown("--hlep", "help"),
    unknown("--exitcode", "exit-code"),
    unknown("--changes", "changes-only"),
    unknown("--skip-byte=5", "skip-bytes"),
    # Nothing near: no suggestion. "--s" starts three names.
    unknown("--x"),
    unknown("--s"),
    unknown("--everything"),
    unknown("--"),
    # The first unknown one is named.
    Case("unknown-first-of-two", ["--versoin", "--halp", "a.bin"], files={"a.bin": b"x"},
         stderr=b"--versoin: invalid option; did you mean --version?\n", status=1),

    # Values come after "=", and only where an option takes one.
    Case("value-missing", ["--read-bytes", "a.bin"], files={"a.bin": b"x"},
         stderr=b"--read-bytes: needs a value (--read-bytes=N)\n", status=1),
    Case("value-not-taken", ["--utf8=yes", "a.bin"], files={"a.bin": b"x"},
         stderr=b"--utf8=yes: takes no value\n", status=1),
]
