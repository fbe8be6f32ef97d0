"""The comparison as JSON Lines (--json with -F): one object a finding, in
the report's order: the pairs (updated or unchanged) in the first file's
order, the deleted and the inserted blocks with their records, and with
--summary the counts; --changes-only and --exit-code as in the report.

Each expected line is written out by hand from the records of the files."""
import pathlib

from vesk_e2e import Case

ROOT = pathlib.Path(__file__).resolve().parents[2]
EX = ROOT / "examples"


def fmt(*text):
    return ("\n".join(text) + "\n").encode("cp932")


def out(*objects):
    return "".join(o + "\n" for o in objects).encode("utf-8")


SALES_FMT = (EX / "sales-records.fmt").read_bytes()
APRIL = (EX / "sales.dat").read_bytes()
MAY = (EX / "sales-new.dat").read_bytes()
FILES = {"s.fmt": SALES_FMT, "a.dat": APRIL, "b.dat": MAY}

UPDATED = ('{"finding":"updated","id":"G-0001","old":{"block":0,"offset":32},"new":{"block":0,"offset":32},'
           '"items":[{"item":"qty","old":12,"new":15},{"item":"amount","old":9600,"new":12000}]}')
UNCHANGED = '{"finding":"unchanged","id":"M-0002","old":{"block":1,"offset":64},"new":{"block":1,"offset":64}}'
DELETED = ('{"finding":"deleted","id":"H-0003","block":2,"offset":96,"items":{"code":"H-0003",'
           '"name":"ほうじ茶    ","qty":7,"price":650,"amount":4550}}')
INSERTED = ('{"finding":"inserted","id":"K-0004","block":2,"offset":96,"items":{"code":"K-0004",'
            '"name":"玄米茶      ","qty":4,"price":500,"amount":2000}}')
SUMMARY = ('{"finding":"summary","pairs_compared":2,"updated":1,"updated_in_hidden_bytes_only":0,"unchanged":1,'
           '"deleted":1,"inserted":1,"ids_more_than_once":{"old":{"count":0,"ids":[]},"new":{"count":0,"ids":[]}}}')

# A value, an element of a repeated structure and a hidden item differ; a
# value that is no number in the first file is listed on its side.
STOCK = fmt("#BLNO 0 & ; stock",
            "struct S {",
            " char id[2];",
            " PACKED(2) price[3];",
            " struct {",
            "  short qty;",
            " } line[2];",
            " BYTE flags[2]; /* no display */",
            "};")
STOCK_A = b"A1" + bytes.fromhex("00100c" "0001" "0002" "0000") + b"B1" + bytes.fromhex("1a000c" "0003" "0004" "0000")
STOCK_B = b"A1" + bytes.fromhex("00200c" "0001" "0005" "0001") + b"B1" + bytes.fromhex("00300c" "0003" "0004" "0000")
STOCK_JSON = out(
    '{"finding":"updated","id":"A1","old":{"block":0,"offset":0},"new":{"block":0,"offset":0},'
    '"items":[{"item":"price","old":1.00,"new":2.00},{"item":"line[1].qty","old":2,"new":5}],'
    '"hidden":[{"item":"flags","offset":9,"length":2}]}',
    '{"finding":"updated","id":"B1","old":{"block":1,"offset":11},"new":{"block":1,"offset":11},'
    '"items":[{"item":"price","old":null,"new":3.00}],'
    '"unreadable":[{"item":"price","side":"old","bytes":"1a000c","reason":"not a number"}]}')

# Under -B the bytes between c and n are padding; only they differ.
PADDED = fmt("#BLNO 0 & ; padded", "struct P {", " char c;", " long n;", "};")
PADDED_JSON = out('{"finding":"updated","id":"A","old":{"block":0,"offset":0},"new":{"block":0,"offset":0},'
                  '"items":[],"hidden":[{"padding":true,"offset":1,"length":3}]}')

# An id twice in the first file: the second copy has no partner.
HEADER, G, M = APRIL[:32], APRIL[32:64], APRIL[64:96]
TWICE = {"s.fmt": SALES_FMT, "a.dat": HEADER + G + G + M, "b.dat": HEADER + G}
TWICE_JSON = out(
    '{"finding":"unchanged","id":"G-0001","old":{"block":0,"offset":32},"new":{"block":0,"offset":32}}',
    '{"finding":"deleted","id":"G-0001","block":1,"offset":64,"items":{"code":"G-0001",'
    '"name":"緑茶        ","qty":12,"price":800,"amount":9600}}',
    '{"finding":"deleted","id":"M-0002","block":2,"offset":96,"items":{"code":"M-0002",'
    '"name":"抹茶        ","qty":3,"price":2400,"amount":7200}}',
    '{"finding":"summary","pairs_compared":1,"updated":0,"updated_in_hidden_bytes_only":0,"unchanged":1,'
    '"deleted":2,"inserted":0,"ids_more_than_once":{"old":{"count":1,"ids":["G-0001"]},'
    '"new":{"count":0,"ids":[]}}}')

CASES = [
    Case("compare-json-every-kind", ["--json", "-F", "s.fmt", "code", "a.dat", "b.dat"], files=FILES,
         stdout=out(UPDATED, UNCHANGED, DELETED, INSERTED)),
    Case("compare-json-changes-only-summary", ["--json", "--changes-only", "--summary", "-F", "s.fmt", "code",
                                               "a.dat", "b.dat"], files=FILES,
         stdout=out(UPDATED, DELETED, INSERTED, SUMMARY)),
    Case("compare-json-exit-code-differ", ["--exit-code", "--json", "--changes-only", "-F", "s.fmt", "code",
                                           "a.dat", "b.dat"], files=FILES,
         stdout=out(UPDATED, DELETED, INSERTED), status=1),
    Case("compare-json-exit-code-same", ["--exit-code", "--json", "-F", "s.fmt", "code", "a.dat", "a.dat"],
         files=FILES,
         stdout=out('{"finding":"unchanged","id":"G-0001","old":{"block":0,"offset":32},'
                    '"new":{"block":0,"offset":32}}',
                    UNCHANGED,
                    '{"finding":"unchanged","id":"H-0003","old":{"block":2,"offset":96},'
                    '"new":{"block":2,"offset":96}}'), status=0),
    Case("compare-json-only-nothing", ["--json", "--changes-only", "-F", "s.fmt", "code", "a.dat", "a.dat"],
         files=FILES, stdout=b""),
    Case("compare-json-items-hidden-unreadable", ["--json", "-F", "s.fmt", "id", "a.dat", "b.dat"],
         files={"s.fmt": STOCK, "a.dat": STOCK_A, "b.dat": STOCK_B}, stdout=STOCK_JSON),
    Case("compare-json-padding", ["-B", "--json", "-F", "p.fmt", "c", "a.dat", "b.dat"],
         files={"p.fmt": PADDED, "a.dat": bytes.fromhex("4100000000000007"), "b.dat": bytes.fromhex("4101020300000007")},
         stdout=PADDED_JSON),
    Case("compare-json-repeated-ids-summary", ["--json", "--summary", "-F", "s.fmt", "code", "a.dat", "b.dat"],
         files=TWICE, stdout=TWICE_JSON),
]
