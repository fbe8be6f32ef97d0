"""--guess: in place of the dump, a table of how each code reads the file,
then its NUL bytes, its line ends and the guess.

The tables are worked out by hand, cell by cell as each code's character
column reads the bytes. Columns: the code's name, then "decodes", "invalid",
"first invalid" and "multibyte", two blanks apart, each as wide as its
widest entry; the names and yes/no aligned left, the numbers right. Offsets
are 0x and hexadecimal digits, decimal after -D."""
from vesk_e2e import Case, lines

HEAD = "code         decodes  invalid  first invalid  multibyte"


def row(name, invalid, first, multibyte):
    """A row of the table when the names are at most 11 wide."""
    decodes = "yes" if invalid == 0 else "no"
    return "%-11s  %-7s  %7d  %13s  %9d" % (name, decodes, invalid, first, multibyte)


def guess(name, data, rows, ends, verdict, nul=0, args=()):
    return Case(name, ["--guess", *args, "in.txt"], files={"in.txt": data},
                stdout=lines(HEAD, *rows, "NUL bytes: %d" % nul, "line ends: " + ends, "guess: " + verdict))


ALL_READ = [row("ASCII", 0, "-", 0), row("Shift_JIS", 0, "-", 0), row("EUC-JP", 0, "-", 0),
            row("ISO-2022-JP", 0, "-", 0), row("UTF-8", 0, "-", 0)]

# "ab", あ in UTF-8 (E3 81 82), LF.
UTF8 = b"ab\xe3\x81\x82\n"
UTF8_ROWS = [
    row("ASCII", 3, "0x2", 0),
    # E3 81 a pair; 82 then LF: no pair.
    row("Shift_JIS", 1, "0x4", 1),
    # E3 then 81: no pair; 81 and 82 begin nothing.
    row("EUC-JP", 3, "0x2", 0),
    row("ISO-2022-JP", 3, "0x2", 0),
    row("UTF-8", 0, "-", 1),
]

CASES = [
    # Seven bits, and every kind of line end: a CR LF, a CR, an LF.
    guess("ascii", b"a\r\nb\rc\n", ALL_READ, "LF 1, CRLF 1, CR 1", "ASCII, no letter needed"),
    guess("empty", b"", ALL_READ, "LF 0, CRLF 0, CR 0", "ASCII, no letter needed"),
    # "ab", あい in Shift_JIS (82 A0 82 A2), LF.
    guess("shift-jis", b"ab\x82\xa0\x82\xa2\n", [
        row("ASCII", 4, "0x2", 0),
        row("Shift_JIS", 0, "-", 2),
        # 82 and A0 begin nothing; 82 the same; A2 then LF is no pair.
        row("EUC-JP", 4, "0x2", 0),
        row("ISO-2022-JP", 4, "0x2", 0),
        # Four bytes that are no lead.
        row("UTF-8", 4, "0x2", 0),
    ], "LF 1, CRLF 0, CR 0", "Shift_JIS, no letter (the default)"),
    # "ab", あい in EUC-JP (A4 A2 A4 A4), LF: in Shift_JIS four half-width kana.
    guess("euc-jp", b"ab\xa4\xa2\xa4\xa4\n", [
        row("ASCII", 4, "0x2", 0),
        row("Shift_JIS", 0, "-", 0),
        row("EUC-JP", 0, "-", 2),
        row("ISO-2022-JP", 4, "0x2", 0),
        row("UTF-8", 4, "0x2", 0),
    ], "LF 1, CRLF 0, CR 0", "EUC-JP, letter -E"),
    # "a", ESC $ B, あ (24 22), ESC ( B, LF: seven bits that every code reads,
    # and one character of two bytes in JIS.
    guess("iso-2022-jp", b"a\x1b$B$\"\x1b(B\n", [
        row("ASCII", 0, "-", 0),
        row("Shift_JIS", 0, "-", 0),
        row("EUC-JP", 0, "-", 0),
        row("ISO-2022-JP", 0, "-", 1),
        row("UTF-8", 0, "-", 0),
    ], "LF 1, CRLF 0, CR 0", "ISO-2022-JP, letter -J"),
    # An escape sequence to ASCII alone shifts to nothing beyond it.
    # Escape sequences that the file's reads cut: ESC $ B at 65535 (64 KiB
    # minus one), 98302 pairs "F|" from 65538, ESC ( B at 262142 (256 KiB
    # minus two), LF. Every byte is seven-bit; JIS reads the pairs.
    guess("escapes-across-reads", b"a" * 65535 + b"\x1b$B" + b"F|" * 98302 + b"\x1b(B\n", [
        row("ASCII", 0, "-", 0), row("Shift_JIS", 0, "-", 0), row("EUC-JP", 0, "-", 0),
        row("ISO-2022-JP", 0, "-", 98302), row("UTF-8", 0, "-", 0),
    ], "LF 1, CRLF 0, CR 0", "ISO-2022-JP, letter -J"),
    guess("escape-to-ascii-only", b"\x1b(Bab\n", ALL_READ, "LF 1, CRLF 0, CR 0", "ASCII, no letter needed"),
    guess("utf-8", UTF8, UTF8_ROWS, "LF 1, CRLF 0, CR 0", "UTF-8, letter -U"),
    # The letters and the layout options change nothing.
    guess("utf-8-other-options", UTF8, UTF8_ROWS, "LF 1, CRLF 0, CR 0", "UTF-8, letter -U",
          args=("-E", "-C", "-b8", "-d16", "-h2", "-L", "-x0a", "--all")),
    # A UTF-8 character cut by the end of the file is none: E3 81 is a
    # Shift_JIS pair.
    guess("utf-8-cut-short", b"ab\xe3\x81", [
        row("ASCII", 2, "0x2", 0),
        row("Shift_JIS", 0, "-", 1),
        row("EUC-JP", 2, "0x2", 0),
        row("ISO-2022-JP", 2, "0x2", 0),
        row("UTF-8", 1, "0x2", 0),
    ], "LF 0, CRLF 0, CR 0", "Shift_JIS, no letter (the default)"),
    # The BOM names the row, which widens the first column to 14.
    Case("utf-8-bom", ["--guess", "in.txt"], files={"in.txt": b"\xef\xbb\xbfa\n"}, stdout=lines(
        "code            decodes  invalid  first invalid  multibyte",
        "ASCII           no             3            0x0          0",
        # EF BB a pair, BF a kana.
        "Shift_JIS       yes            0              -          1",
        # EF BB a pair, BF then "a": no pair.
        "EUC-JP          no             1            0x2          1",
        "ISO-2022-JP     no             3            0x0          0",
        "UTF-8 with BOM  yes            0              -          1",
        "NUL bytes: 0",
        "line ends: LF 1, CRLF 0, CR 0",
        "guess: UTF-8 with BOM, letter -U")),
    guess("nul-bytes", b"a\0b\n\0", ALL_READ, "LF 1, CRLF 0, CR 0", "binary (NUL bytes)", nul=2),
    # Latin-1: E9 (é) then a blank is nothing in any code.
    guess("latin-1", b"caf\xe9 au lait\n", [
        row("ASCII", 1, "0x3", 0),
        row("Shift_JIS", 1, "0x3", 0),
        row("EUC-JP", 1, "0x3", 0),
        row("ISO-2022-JP", 1, "0x3", 0),
        row("UTF-8", 1, "0x3", 0),
    ], "LF 1, CRLF 0, CR 0", "binary (no code reads the whole file)"),
    # The offset of byte 10, in hexadecimal, and in decimal after -D.
    guess("offset-hexadecimal", b"0123456789\xe9\n", [row(n, 1, "0xA", 0) for n in (
        "ASCII", "Shift_JIS", "EUC-JP", "ISO-2022-JP", "UTF-8")],
        "LF 1, CRLF 0, CR 0", "binary (no code reads the whole file)"),
    guess("offset-decimal", b"0123456789\xe9\n", [row(n, 1, "10", 0) for n in (
        "ASCII", "Shift_JIS", "EUC-JP", "ISO-2022-JP", "UTF-8")],
        "LF 1, CRLF 0, CR 0", "binary (no code reads the whole file)", args=("-D",)),
    # Standard input, a pipe.
    Case("standard-input", ["--guess"], stdin=UTF8, stdout=lines(
        HEAD, *UTF8_ROWS, "NUL bytes: 0", "line ends: LF 1, CRLF 0, CR 0", "guess: UTF-8, letter -U")),

    # It reads the whole file, of the plain dump.
    Case("not-with-a-format-file", ["--guess", "-f", "one.fmt", "in.txt"],
         files={"one.fmt": b"#BLNO 0 0 ; one\nstruct A {\n char c;\n};\n", "in.txt": b"x"},
         stderr=b"--guess: not with -f or -F\n", status=1),
    Case("not-with-blocks", ["-n1", "--guess", "in.txt"], files={"in.txt": b"x"},
         stderr=b"--guess: reads the whole file; not with -n, --skip-bytes or --read-bytes\n", status=1),
    Case("not-with-bytes", ["--guess", "--read-bytes=4", "in.txt"], files={"in.txt": b"x"},
         stderr=b"--guess: reads the whole file; not with -n, --skip-bytes or --read-bytes\n", status=1),
    Case("mistyped", ["--gues", "in.txt"], files={"in.txt": b"x"},
         stderr=b"--gues: invalid option; did you mean --guess?\n", status=1),
]
