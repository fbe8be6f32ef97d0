"""The example sales files (examples/sales.dat, sales-new.dat) with their
format files: the list form in decimal, exact to the last blank, and the
comparison of the two months in map form.

The sales file stores numbers most significant byte first; the map form reads
them least significant byte first, so its numbers are those of the bytes
reversed (12, stored 00 0C, shows as 3072)."""
import pathlib
import shlex

from vesk_e2e import Case, lines

ROOT = pathlib.Path(__file__).resolve().parents[2]
EX = ROOT / "examples"
FILES = {name: (EX / name).read_bytes()
         for name in ("sales.fmt", "sales-records.fmt", "sales.dat", "sales-new.dat")}

# (code, name, quantity, price) of each sale, as examples/make-examples.py writes them.
APRIL = [("G-0001", "緑茶", 12, 800), ("M-0002", "抹茶", 3, 2400), ("H-0003", "ほうじ茶", 7, 650)]
MAY = [("G-0001", "緑茶", 15, 800), ("M-0002", "抹茶", 3, 2400), ("K-0004", "玄米茶", 4, 500)]
assert FILES["sales.dat"][32:38] == b"G-0001" and len(FILES["sales-new.dat"]) == 32 * 4


def sj(text):
    return text.encode("cp932")


def pad(text, col):
    assert len(text) <= col, (text, col)
    return text + b" " * (col - len(text))


# sales.fmt: longest name amount (6), longest comment "quantity x price"
# (16): the label is 6 + 3 + 16 columns from column 79 - 25 = 54.
def item(values, name, note):
    return pad(values, 54) + pad(name.encode(), 6) + b" : " + pad(note.encode(), 16)


def sale_items(code, name, qty, price):
    return [item(b" 0000: [%s] " % code.encode(), "code", "product code"),
            item(b" 0006: [" + pad(sj(name), 12) + b"] ", "name", "product name"),
            item(b" 0018: [%d] " % qty, "qty", "quantity"),
            item(b" 0020: [%d] " % price, "price", "unit price"),
            item(b" 0024: [%d] " % (qty * price), "amount", "quantity x price")]


# -D: addresses and offsets in decimal.
LIST = [b"       block: 0  addr: 0000", pad(b"       header", 79),
        item(b" 0000: [TEA SHOP SALES          ] ", "title", "file title"),
        item(b" 0024: [2024] ", "year", "sales year"),
        item(b" 0026: [04] ", "mon", "sales month"),
        item(b" 0028: [3] ", "count", "number of sales")]
for block, sale in enumerate(APRIL, start=1):
    LIST += [b"       block: %d  addr: %04d" % (block, 32 * block), pad(b"       sales", 79)]
    LIST += sale_items(*sale)


def le(raw, signed):
    """A number as the map reads it: least significant byte first."""
    return int.from_bytes(raw, "little", signed=signed)


def row(start, block, cells):
    """A map row: cell k at column 12 + 3k; a value written at its cell and
    followed by a blank; a character in the cell's second column (a
    Shift_JIS pair in the second and third); trailing blanks cut."""
    line = bytearray(b" %04X %04X: " % (block, 0) if start == 0 else b"      %04X: " % start)
    for col, text in cells:
        line += b" " * max(0, col + len(text) + 1 - len(line))
        line[col:col + len(text) + 1] = text + b" "
    return bytes(line).rstrip(b" ")


def text_cells(raw, first_byte):
    cells, k = [], 0
    while k < len(raw):
        col = 12 + 3 * (first_byte + k)
        if raw[k] >= 0x81 and k + 1 < len(raw):       # the names' Shift_JIS pairs
            cells.append((col + 1, raw[k:k + 2]))
            k += 2
        else:
            cells.append((col + 1, raw[k:k + 1]))
            k += 1
    return cells


def record(data, block):
    return data[32 + 32 * block:64 + 32 * block]


def number_cells(rec, which):
    """Map cells of the row at 16 for the numbers named in which."""
    fields = {"qty": (18, 2), "price": (20, 4), "amount": (24, 4)}
    return [(12 + 3 * (fields[f][0] - 16),
             b"%d" % le(rec[fields[f][0]:sum(fields[f])], True)) for f in which]


def diff_map(shown, other, block):
    """The rows of one block of a pair: the id and the numbers that differ."""
    a, b = record(shown, block), record(other, block)
    rows = [row(0, block, text_cells(a[:6], 0))]
    changed = [f for f, (o, n) in {"qty": (18, 2), "price": (20, 4), "amount": (24, 4)}.items()
               if a[o:o + n] != b[o:o + n]]
    assert a[6:18] == b[6:18]   # the names of the paired sales are the same
    if changed:
        rows.append(row(16, block, number_cells(a, changed)))
    return rows


def whole_map(data, block):
    rec = record(data, block)
    return [pad(b"       sales", 79),
            row(0, block, text_cells(rec[:6], 0) + text_cells(rec[6:16], 6)),
            row(16, block, number_cells(rec, ["qty", "price", "amount"]))]


OLD, NEW = FILES["sales.dat"], FILES["sales-new.dat"]
COMPARE_MAP = ([b"             " + b"".join(b"%X  " % i for i in range(16)),
                b" UPDATED DATA", b" [0000020]  size: 0020"]
               + diff_map(OLD, NEW, 0) + [b" ---------"] + diff_map(NEW, OLD, 0) + [b" ========="]
               + diff_map(OLD, NEW, 1) + [b" ---------"] + diff_map(NEW, OLD, 1) + [b" ========="]
               + [b"", b" DELETED DATA"] + whole_map(OLD, 2)
               + [b"", b" INSERTED DATA"] + whole_map(NEW, 2))
# April's 12 green teas (00 0C) read backwards are 3072.
assert b"      0010:       3072" in COMPARE_MAP[4]

# The committed data files are those that examples/make-examples.py makes.
REMAKE = (f"python3 {shlex.quote(str(EX / 'make-examples.py'))} . && "
          + " && ".join(f"cmp {name} {shlex.quote(str(EX / name))}"
                        for name in ("sales.dat", "sales-new.dat", "beep.wav")))

CASES = [
    Case("example-data-is-what-the-script-makes", [], shell=REMAKE),
    Case("sales-list-decimal", ["-D", "-f", "sales.fmt", "sales.dat"], files=FILES,
         stdout=lines(*LIST)),
    Case("sales-compare-map", ["-m", "-F", "sales-records.fmt", "code", "sales.dat", "sales-new.dat"],
         files=FILES, stdout=lines(*COMPARE_MAP)),
]
