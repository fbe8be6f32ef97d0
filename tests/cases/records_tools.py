"""The records read by the tools they are for: jq parses every line of
--json, sqlite3 loads --csv, and the totals they work out are those of the
values the list form shows (summed from the list by awk). jq and sqlite3
are Debian packages that tools/install-deps.sh installs."""
import pathlib

from vesk_e2e import Case

ROOT = pathlib.Path(__file__).resolve().parents[2]
EX = ROOT / "examples"
CASES_DIR = pathlib.Path(__file__).resolve().parent

CUSTOMERS = {"c.fmt": (EX / "customer.fmt").read_bytes(), "c.dat": (EX / "customer.dat").read_bytes(),
             "n.dat": (EX / "customer-new.dat").read_bytes()}

# The balances of the list form: the value in brackets of each line at offset 004E.
LIST_BALANCES = "{vesk} -f c.fmt c.dat | sed -n 's/^ 004E: \\[\\([^]]*\\)\\].*/\\1/p'"

# Every output of the records, of the examples and of hostile inputs, parsed
# by jq: each line one object.
HOSTILE_FMT = b"#BLNO 0 & ; hostile\nstruct H {\n char t[40];\n PACKED k[2];\n double d;\n char(UTF-8) u[9];\n};\n"
HOSTILE_DAT = bytes(range(0, 40)) + b"\x1a\x0c" + b"\xff" * 8 + b"\xe3\x81\xc2\x85\x00\xed\xa0\x80\xf4" \
    + bytes(range(0x80, 0xD3))
PARSE_ALL = """set -e
for run in "-f c.fmt c.dat" "-F c.fmt custno c.dat n.dat" "--summary -F c.fmt custno c.dat n.dat" \\
           "-f h.fmt h.dat" "-E -f h.fmt h.dat" "-J -f h.fmt h.dat"; do
  {vesk} --json $run > out.json
  jq -e 'type == "object"' out.json > types
  echo "$(wc -l < out.json) lines, $(sort -u types)"
done
"""

CASES = [
    Case("jq-parses-every-line", [], shell=PARSE_ALL,
         files=dict(CUSTOMERS, **{"h.fmt": HOSTILE_FMT, "h.dat": HOSTILE_DAT}),
         stdout=b"3 lines, true\n4 lines, true\n5 lines, true\n3 lines, true\n3 lines, true\n3 lines, true\n"),
    # Text read back as it was: controls escaped, U+FFFD where no character.
    Case("jq-reads-the-text", [], files={"h.fmt": HOSTILE_FMT, "h.dat": HOSTILE_DAT},
         shell="{vesk} --json -n0 -f h.fmt h.dat | jq -r '.items.u | explode | map(tostring) | join(\" \")'",
         stdout=b"65533 133 0 65533 65533 65533 65533\n"),
    Case("jq-total-of-the-list", [], files=CUSTOMERS,
         shell="{vesk} --json -f c.fmt c.dat | jq -s 'map(.items.balance) | add'; "
               + LIST_BALANCES + " | awk '{ s += $1 } END { printf \"%.2f\\n\", s }'",
         stdout=b"121956.78\n121956.78\n"),
    Case("sqlite3-total-of-the-list", [], files=CUSTOMERS,
         shell="{vesk} --csv -f c.fmt c.dat > c.csv && "
               "sqlite3 :memory: -cmd '.import --csv c.csv customers' "
               "\"select printf('%.2f', sum(balance)), count(*), sum(visits) from customers\"; "
               + LIST_BALANCES + " | awk '{ s += $1 } END { printf \"%.2f\\n\", s }'",
         stdout=b"121956.78|3|383\n121956.78\n"),
    # Text comes through whole: the names of the customers in UTF-8.
    Case("sqlite3-reads-the-text", [], files=CUSTOMERS,
         shell="{vesk} --csv -f c.fmt c.dat > c.csv && "
               "sqlite3 :memory: -cmd '.import --csv c.csv customers' "
               "\"select rtrim(name) from customers where custno = '1002'\"",
         stdout="佐藤花子\n".encode("utf-8")),
]
