#!/usr/bin/env python3
"""Writes the benchmark inputs into the folder given as the only argument.

Everything is made from fixed seeds, so every run dumps the same bytes:
  random.bin                8 MiB of random bytes
  text.sjis/.utf8/.euc/.jis 8 MiB of Japanese text, one text in four encodings
  growth-<n>.sjis           the Shift_JIS text cut to 1, 2, 4 and 8 MiB
  records.dat               32,768 records of bench/records.fmt (68 bytes each)
  records-<n>.dat           n = 1000 and 1000000 of those records, repeated
  compare-a.dat, -b.dat     5,000 records each; about 1% of b's records changed
  customers-<n>-a.dat, -b.dat
                            n = 100000 and 1000000 records of bench/customers.fmt
                            (128 bytes each); in b 1% of the records changed,
                            0.5% deleted, 0.5% inserted and 10% moved
  sparse-1m.bin, -1g.bin, -2g.bin  1 MiB, 1 GiB and 2 GiB of zero bytes, sparse
  deep.bin                  256 bytes for bench/deep.fmt (256 one-byte blocks)
  ids-<kind>-<n>-a.dat, -b.dat
                            n = 40000 and 400000 records of bench/ids.fmt
                            (16 bytes each) whose 8-byte ids collide in the
                            low 22 bits of FNV-1a (kind colliding,
                            bench/colliding_ids.py) or are ordinary (kind
                            plain); in b 1% of the records changed
  order-a.dat, -b.dat, -shuffled.dat
                            1,000,000 records of bench/ids.fmt; b is a with 1%
                            of the records changed, shuffled the same records
                            as b in a random order
"""
import os
import random
import struct
import sys

from colliding_ids import colliding_ids

MIB = 1 << 20
RECORD_SIZE = 68

# Sentences of plain Japanese prose with some ASCII, digits and half-width kana,
# all of them in both Shift_JIS and EUC-JP.
SENTENCES = [
    "吾輩は猫である。名前はまだ無い。",
    "どこで生れたかとんと見当がつかぬ。",
    "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。",
    "Version 2.1 の変更点：出力を高速化しました（約3倍）。",
    "ﾊﾝｶｸｶﾅ も混ざります。",
    "東京都千代田区千代田1-1、電話 03-1234-5678。",
    "春はあけぼの。やうやう白くなりゆく山ぎは、少しあかりて、",
    "紫だちたる雲のほそくたなびきたる。",
    "数量：１２３個、単価：￥４５６、合計：５６，０８８円",
    "\r\n",
    "\n",
]


def japanese_text(size: int) -> str:
    """Prose of at least size UTF-8 bytes, sentences drawn in a fixed order."""
    rng = random.Random(7)
    parts = []
    total = 0
    while total < size:
        s = rng.choice(SENTENCES)
        parts.append(s)
        total += len(s.encode("utf-8"))
    return "".join(parts)


def write(folder: str, name: str, data: bytes) -> None:
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def record(rng: random.Random, index: int) -> bytes:
    names = ["りんご", "みかん", "ぶどう", "もも", "なし", "かき", "いちご", "メロン"]
    name = (rng.choice(names) + " " + str(index % 1000)).encode("shift_jis")
    rec = b"".join([
        b"R%07d" % index,
        name.ljust(20, b" ")[:20],
        struct.pack("<hHiIfd", rng.randint(-500, 500), rng.randint(0, 65535),
                    rng.randint(-10**6, 10**6), rng.randint(0, 10**9),
                    rng.choice([0.08, 0.1, 0.0]), rng.uniform(0, 1e7)),
        bytes(rng.randrange(256) for _ in range(4)),
        struct.pack("<3i", *(rng.randint(-9999, 9999) for _ in range(3))),
    ])
    assert len(rec) == RECORD_SIZE
    return rec


CUSTOMER_SIZE = 128
# Random bytes as letters and blanks, for the text fields.
LETTERS = bytes(b"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ "[b % 53] for b in range(256))
# The text fields of bench/customers.fmt: name and city, and the note.
TEXT_COLUMNS = list(range(12, 76)) + list(range(108, 128))


def customers(rng: random.Random, first_id: int, count: int) -> bytearray:
    """count records of bench/customers.fmt with the ids C<first_id>... .

    Made a column at a time (every 128th byte) with extended slices, which
    run in C: a million records take about a second."""
    buf = bytearray(rng.randbytes(count * CUSTOMER_SIZE))
    for k in TEXT_COLUMNS:
        buf[k::CUSTOMER_SIZE] = buf[k::CUSTOMER_SIZE].translate(LETTERS)
    ids = b"".join(b"C%011d" % i for i in range(first_id, first_id + count))
    for k in range(12):
        buf[k::CUSTOMER_SIZE] = ids[k::12]
    return buf


def customer_pair(n: int, seed: int):
    """Two files of n records: b is a with 1% of the records changed (the
    balance), 0.5% deleted, 0.5% new ones inserted and 10% moved, each new or
    moved record at a random place."""
    rng = random.Random(seed)
    a = customers(rng, 0, n)
    k_deleted, k_changed, k_moved = n // 200, n // 100, n // 10
    picked = rng.sample(range(n), k_deleted + k_changed + k_moved)
    deleted = set(picked[:k_deleted])
    changed = set(picked[k_deleted:k_deleted + k_changed])
    moved = set(picked[k_deleted + k_changed:])
    inserted = customers(rng, n, k_deleted)
    # The order of b: records kept where they were, the others sorted in
    # at random places.
    order = [(rng.uniform(0, n) if i in moved else i, i) for i in range(n) if i not in deleted]
    order += [(rng.uniform(0, n), n + j) for j in range(k_deleted)]
    order.sort()
    old, new = memoryview(a), memoryview(inserted)
    parts = []
    size = CUSTOMER_SIZE
    for _, i in order:
        if i >= n:
            parts.append(new[(i - n) * size:(i - n + 1) * size])
        elif i in changed:
            rec = bytearray(old[i * size:(i + 1) * size])
            rec[76:80] = bytes(x ^ 0x5A for x in rec[76:80])
            parts.append(rec)
        else:
            parts.append(old[i * size:(i + 1) * size])
    return a, b"".join(parts)


def id_records(ids, rng: random.Random):
    """Records of bench/ids.fmt: each id with two random longs; and the same
    records with 1% of them changed (their second long)."""
    a = [i + rng.randbytes(8) for i in ids]
    b = list(a)
    for k in rng.sample(range(len(a)), len(a) // 100):
        b[k] = b[k][:12] + bytes(x ^ 0x5A for x in b[k][12:])
    return a, b


def sparse(folder: str, name: str, size: int) -> None:
    with open(os.path.join(folder, name), "wb") as f:
        f.truncate(size)


def main() -> None:
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)

    write(folder, "random.bin", random.Random(1).randbytes(8 * MIB))

    text = japanese_text(12 * MIB)
    encoded = {
        "sjis": text.encode("shift_jis"),
        "utf8": text.encode("utf-8"),
        "euc": text.encode("euc_jp"),
        # Half-width kana as ESC ( I.
        "jis": text.encode("iso2022_jp_ext"),
    }
    for ext, data in encoded.items():
        assert len(data) >= 8 * MIB, ext
        write(folder, "text." + ext, data[: 8 * MIB])
    for mib in (1, 2, 4, 8):
        write(folder, "growth-%d.sjis" % mib, encoded["sjis"][: mib * MIB])

    rng = random.Random(3)
    records = b"".join(record(rng, i) for i in range(32768))
    write(folder, "records.dat", records)
    # The records again and again, for the memory of the records output at
    # two sizes: 1,000 and 1,000,000 records.
    write(folder, "records-1000.dat", records[:1000 * RECORD_SIZE])
    write(folder, "records-1000000.dat", (records * (1000000 // 32768 + 1))[:1000000 * RECORD_SIZE])

    rng = random.Random(5)
    old = [record(rng, i) for i in range(5000)]
    new = list(old)
    for i in rng.sample(range(5000), 50):
        # Same id, new quantity, price and flags.
        r = bytearray(new[i])
        r[28:30] = struct.pack("<h", rng.randint(-500, 500))
        r[32:36] = struct.pack("<i", rng.randint(-10**6, 10**6))
        r[52] ^= 0xFF
        new[i] = bytes(r)
    write(folder, "compare-a.dat", b"".join(old))
    write(folder, "compare-b.dat", b"".join(new))

    for n in (100000, 1000000):
        a, b = customer_pair(n, 11)
        write(folder, "customers-%d-a.dat" % n, a)
        write(folder, "customers-%d-b.dat" % n, b)

    colliding = colliding_ids(400000)
    for n in (40000, 400000):
        for kind, ids in (("colliding", colliding[:n]), ("plain", [b"I%07d" % i for i in range(n)])):
            a, b = id_records(ids, random.Random(13))
            write(folder, "ids-%s-%d-a.dat" % (kind, n), b"".join(a))
            write(folder, "ids-%s-%d-b.dat" % (kind, n), b"".join(b))
    rng = random.Random(17)
    a, b = id_records([b"C%07d" % i for i in range(1000000)], rng)
    write(folder, "order-a.dat", b"".join(a))
    write(folder, "order-b.dat", b"".join(b))
    rng.shuffle(b)
    write(folder, "order-shuffled.dat", b"".join(b))

    sparse(folder, "sparse-1m.bin", MIB)
    sparse(folder, "sparse-1g.bin", 1024 * MIB)
    sparse(folder, "sparse-2g.bin", 2048 * MIB)
    write(folder, "deep.bin", bytes(random.Random(9).randrange(32, 127) for _ in range(256)))


if __name__ == "__main__":
    main()
