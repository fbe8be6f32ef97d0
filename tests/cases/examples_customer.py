"""The example customer master (examples/customer.fmt, customer.dat,
customer-new.dat): 128-byte records with packed and zoned amounts, EUC-JP
names and addresses and big-endian counters, in the list form, the map form
and the comparison of the two files (list and map).

The expected texts are the values as written into the records by
examples/make-examples.py, put down here by hand; the names and addresses
show as the Shift_JIS form of the same characters (two columns a kanji)."""
import pathlib
import shlex

from vesk_e2e import Case, lines

ROOT = pathlib.Path(__file__).resolve().parents[2]
EX = ROOT / "examples"
FILES = {name: (EX / name).read_bytes() for name in ("customer.fmt", "customer.dat", "customer-new.dat")}
assert len(FILES["customer.dat"]) == 3 * 128 and FILES["customer.dat"][:4] == bytes.fromhex("0001001c")


def sj(text):
    return text.encode("cp932")


def pad(text, col):
    text = text.encode("latin-1") if isinstance(text, str) else text
    assert len(text) <= col, (text, col)
    return text + b" " * (col - len(text))


# (offset, name, comment) of each displayed item. The longest name is 7
# bytes, the longest comment 19 ("sales to date (yen)"): the label is
# 7 + 3 + 19 = 29 columns from column 50.
ITEMS = [(0, "custno", "customer number"), (4, "name", "name"), (28, "address", "address"),
         (68, "opened", "opened (yyyymmdd)"), (76, "rank", "rank (1-5)"), (77, "billday", "billing day"),
         (78, "balance", "balance (yen)"), (84, "limit", "credit limit (yen)"),
         (89, "lastpay", "last payment (yen)"), (98, "orders", "orders this year"), (100, "visits", "visits"),
         (104, "sales", "sales to date (yen)")]
WIDTH = {"name": 24, "address": 40}
LABEL = {name: pad(name, 7) + b" : " + pad(comment, 19) for _, name, comment in ITEMS}

# The records as shown: amounts with their two decimals, counters in decimal.
YAMADA = dict(custno="1001", name="山田太郎", address="東京都千代田区丸の内1-1-1", opened="19980401",
              rank="3", billday="25", balance="123456.78", limit="500000.00", lastpay="30000.00",
              orders="12", visits="340", sales="9876543")
YAMADA_NEW = dict(YAMADA, balance="98765.43", lastpay="25000.00", orders="13", visits="351", sales="9900000")
SATO = dict(custno="1002", name="佐藤花子", address="大阪府大阪市北区梅田2-4-9", opened="20050115",
            rank="5", billday="10", balance="-1500.00", limit="1000000.00", lastpay="-1500.00",
            orders="3", visits="41", sales="1234567")
SUZUKI = dict(custno="1003", name="鈴木一郎", address="名古屋市中区栄3-5-1", opened="20101201",
              rank="1", billday="31", balance="0.00", limit="100000.00", lastpay="0.00",
              orders="0", visits="2", sales="0")
TAKAHASHI = dict(custno="1004", name="高橋美咲", address="福岡市博多区博多駅前1-1", opened="20240301",
                 rank="2", billday="5", balance="50000.00", limit="300000.00", lastpay="50000.00",
                 orders="1", visits="1", sales="50000")

COMMENT = pad("       customer master", 79)


def value(rec, name):
    """The value text of an item in brackets: text blank-padded to its length."""
    if name in WIDTH:
        return b"[" + sj(rec[name]).ljust(WIDTH[name]) + b"]"
    return b"[" + rec[name].encode() + b"]"


def item_lines(rec):
    return [pad(b" %04X: " % off + value(rec, name) + b" ", 50) + LABEL[name] for off, name, _ in ITEMS]


def block_list(rec, block):
    return [b"       block: %d  addr: %04X" % (block, 128 * block), COMMENT] + item_lines(rec)


LIST = block_list(YAMADA, 0) + block_list(SATO, 1) + block_list(SUZUKI, 2)


def diff_line(off, name, old, new):
    return pad(b" %04X: [%s] : [%s] " % (off, old.encode(), new.encode()), 50) + LABEL[name]


COMPARE = ([b" UPDATED DATA",
            b"       block: 0  addr: 0000 / block: 0  addr: 0000", COMMENT,
            pad(b" 0000: [1001] ", 50) + LABEL["custno"],
            diff_line(78, "balance", "123456.78", "98765.43"),
            diff_line(89, "lastpay", "30000.00", "25000.00"),
            diff_line(98, "orders", "12", "13"),
            diff_line(100, "visits", "340", "351"),
            diff_line(104, "sales", "9876543", "9900000"),
            b"       block: 1  addr: 0080 / block: 1  addr: 0080", COMMENT,
            pad(b" 0000: [1002] ", 50) + LABEL["custno"],
            b"       NO UPDATED",
            b"", b" DELETED DATA"] + block_list(SUZUKI, 2)
           + [b"", b" INSERTED DATA"] + block_list(TAKAHASHI, 2))

# ---- the map form ----------------------------------------------------------

SCALE = b"             0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F  "


def row(prefix, cells):
    """A map row: each (column, text) written with a blank after it over what
    is there; trailing blanks cut."""
    line = bytearray(prefix)
    for col, text in cells:
        line += b" " * max(0, col + len(text) + 1 - len(line))
        line[col:col + len(text) + 1] = text + b" "
    return bytes(line).rstrip(b" ")


def placements(rec, names):
    """(offset, text, is_char) of the named items: a number at the cell of its
    first byte; a text character by character in the second column of the
    cell of its first byte (a kanji's two bytes take two cells, the second
    left blank); the hidden filler takes its cells, blank."""
    out = []
    for off, name, _ in ITEMS:
        if name not in names:
            continue
        if name not in WIDTH:
            out.append((off, rec[name].encode(), False))
            continue
        at = off
        for ch in rec[name].ljust(WIDTH[name] - len(rec[name].encode("euc_jp")) + len(rec[name])):
            out.append((at, sj(ch), True))
            at += len(ch.encode("euc_jp"))
        assert at == off + WIDTH[name]
    if "filler" in names:
        out += [(112 + k, b" ", True) for k in range(16)]
    return out


def map_rows(block, placed):
    rows = {}
    for off, text, is_char in placed:
        start = off - off % 16
        rows.setdefault(start, []).append((12 + 3 * (off - start) + (1 if is_char else 0), text))
    return [row(b" %04X 0000: " % block if start == 0 else b"      %04X: " % start, rows[start])
            for start in sorted(rows)]


ALL = [name for _, name, _ in ITEMS] + ["filler"]


def whole_map(rec, block):
    return [COMMENT] + map_rows(block, placements(rec, ALL))


def paged(groups, page=24):
    """The report's lines with the scale at the top of each page of 24 lines;
    a group is what one write puts out (several lines at once)."""
    out, count = [], 0
    for group in groups:
        if count % page == 0:
            out.append(SCALE)
            count += 1
        out += group
        count += len(group)
    return out


MAP = paged([[b" [0000000]  size: 0080"]]
            + [[line] for rec, block in ((YAMADA, 0), (SATO, 1), (SUZUKI, 2)) for line in whole_map(rec, block)])

CHANGED = ["custno", "balance", "lastpay", "orders", "visits", "sales"]
COMPARE_MAP = paged([[b" UPDATED DATA"], [b" [0000000]  size: 0080"]]
                    + [[line] for line in map_rows(0, placements(YAMADA, CHANGED))] + [[b" ---------"]]
                    + [[line] for line in map_rows(0, placements(YAMADA_NEW, CHANGED))] + [[b" ========="]]
                    + [[line] for line in map_rows(1, placements(SATO, ["custno"]))] + [[b" ---------"]]
                    + [[line] for line in map_rows(1, placements(SATO, ["custno"]))] + [[b" ========="]]
                    + [[b"", b" DELETED DATA"]] + [[line] for line in whole_map(SUZUKI, 2)]
                    + [[b"", b" INSERTED DATA"]] + [[line] for line in whole_map(TAKAHASHI, 2)])

# The committed data files are those that examples/make-examples.py makes.
REMAKE = (f"python3 {shlex.quote(str(EX / 'make-examples.py'))} . && "
          + " && ".join(f"cmp {name} {shlex.quote(str(EX / name))}"
                        for name in ("customer.dat", "customer-new.dat")))

CASES = [
    Case("customer-data-is-what-the-script-makes", [], shell=REMAKE),
    Case("customer-list", ["-f", "customer.fmt", "customer.dat"], files=FILES, stdout=lines(*LIST)),
    Case("customer-map", ["-m", "-f", "customer.fmt", "customer.dat"], files=FILES, stdout=lines(*MAP)),
    Case("customer-compare", ["-F", "customer.fmt", "custno", "customer.dat", "customer-new.dat"],
         files=FILES, stdout=lines(*COMPARE)),
    Case("customer-compare-map", ["-m", "-F", "customer.fmt", "custno", "customer.dat", "customer-new.dat"],
         files=FILES, stdout=lines(*COMPARE_MAP)),
]
