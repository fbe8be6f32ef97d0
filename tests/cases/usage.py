from vesk_e2e import Case, lines, sjis
import pathlib

# The usage text is kept as UTF-8 beside its generator; the program writes it
# as Shift_JIS.
_USAGE = (pathlib.Path(__file__).resolve().parents[2] / "tools" / "usage_text.txt").read_text(
    encoding="utf-8").split("\n")[:89]

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

CASES = [
    Case("no-arguments", [], stderr=SHORT_USAGE, status=1),
    Case("usage-long", ["-usage"], stdout=b"".join(sjis(l) + b"\n" for l in _USAGE)),
    Case("usage-then-more-is-a-letter-group", ["-usage", "x"],
         stderr=b"-usage: invalid option\n", status=1),
    Case("usage-twice-is-a-letter-group", ["-usage", "-usage"],
         stderr=b"-usage: invalid option\n", status=1),
    # The text goes through the report writer, which reports a failed write.
    Case("usage-write-error", [], shell="{vesk} -usage > /dev/full",
         stderr=b"write error on standard output\n", status=1),
]

# Spot checks of the long text's bytes, independent of the UTF-8 source file.
assert len(_USAGE) == 89 and _USAGE[11] == "" and _USAGE[88] == "Version: 2.71"
assert sjis(_USAGE[0]) == b"\x83t\x83@\x83C\x83\x8b\x93\xe0\x97e\x82\xf0\x83_\x83\x93\x83v\x82\xb5\x82\xdc\x82\xb7\x81B"
assert sjis(_USAGE[24]).startswith(b"   -b<n>   \x82P\x8ds")
assert sjis(_USAGE[73]).startswith(b"   -l<n>   \x82P\x8ds")
assert b"\x96\xbc\x81i\x8c\xb3" in sjis(_USAGE[83]) and sjis(_USAGE[83]).endswith(
    b"\x96\xbc\x81j\x82\xf0\x8ew\x92\xe8\x82\xb5\x82\xdc\x82\xb7\x81B")
assert [i for i, l in enumerate(_USAGE) if l == " "] == [2, 5, 8, 23, 28, 32, 36, 43, 48, 54, 70, 86, 87]
assert _USAGE[3].endswith("]] ") and not any(l.endswith(" ") for i, l in enumerate(_USAGE) if l.strip() and i != 3)
