#!/usr/bin/env python3
"""Property: a comparison's counts and its --exit-code answer are the truth.

For any two files of one format, worked out here from the bytes alone:
- the blocks of an id pair one to one in file order (the k-th block of an id
  in the first file with the k-th of that id in the second); the blocks left
  over are deleted or inserted;
- a pair is updated when a byte of an item the listing shows differs (the
  id's first copy aside), updated in hidden bytes only when only bytes of
  items marked "no display" or padding differ, unchanged when the two blocks
  are the same in every byte;
- --exit-code gives 0 exactly when nothing is updated, deleted or inserted,
  else 1.
vesk's SUMMARY and status must say the same.

Random formats (char, short and long items, arrays, a repeated structure,
hidden items, with and without -B padding) and random pairs of files made
from each other by the edits a conversion makes (records changed in shown
bytes, in hidden bytes or in padding; deleted, inserted, moved, repeated
ids) from fixed seeds.

usage: compare_answers.py VESK

COMPARE_ANSWERS_SEED runs another seed (for a longer search by hand).
"""
import os
import random
import re
import subprocess
import sys
import tempfile

SEED = int(os.environ.get("COMPARE_ANSWERS_SEED", "20260501"))
RUNS = 150

SIZES = {"char": 1, "short": 2, "long": 4}


def layout(items, repeat, align):
    """Each item's (offset, bytes of one element, count, hidden, is_id) for
    every copy of the repeated structure, and the block size, by the rules of
    the format language: under -B a short on 2, a long on 4, a structure
    padded to its strictest member."""
    placed = []
    off = 0
    strictest = 1
    for _ in range(repeat):
        for kind, count, hidden, is_id in items:
            size = SIZES[kind]
            a = size if align and kind != "char" else 1
            strictest = max(strictest, a)
            off = (off + a - 1) // a * a
            placed.append((off, size, count, hidden, is_id))
            off += size * count
        if align:
            off = (off + strictest - 1) // strictest * strictest
    return placed, off


def random_format(rng):
    """The format file's text, the shown byte positions (the id's first copy
    aside), the id's position and length, the block size and whether -B."""
    items = [("char", rng.randrange(1, 4), rng.random() < 0.2, True)]
    for _ in range(rng.randrange(1, 5)):
        items.append((rng.choice(["char", "short", "long"]), rng.choice([1, 1, 2, 3]),
                      rng.random() < 0.3, False))
    rng.shuffle(items)
    repeat = rng.choice([1, 1, 1, 2])
    align = rng.random() < 0.5
    placed, size = layout(items, repeat, align)
    lines = ["#BLNO 0 &", "struct R {"]
    for n, (kind, count, hidden, is_id) in enumerate(items):
        name = "id" if is_id else "f%d" % n
        decl = " %s %s" % (kind, name)
        if kind == "char" or count > 1:
            # char k[n] is one element of n bytes; a number array n elements.
            decl += "[%d]" % count
        decl += ";"
        if hidden:
            decl += " /* no display */"
        lines.append(decl)
    lines.append("}%s;" % (" r[%d]" % repeat if repeat > 1 else ""))
    shown = set()
    id_pos = None
    for off, esize, count, hidden, is_id in placed:
        total = esize * count
        if is_id and id_pos is None:
            id_pos, id_len = off, total
            continue
        if not hidden:
            shown.update(range(off, off + total))
    return "\n".join(lines) + "\n", shown, id_pos, id_len, size, align


def make_files(rng, size, id_pos, id_len):
    """Two lists of blocks: the second made from the first by edits."""
    alphabet = [bytes([65 + k]) * id_len for k in range(rng.randrange(1, 6))]
    first = []
    for _ in range(rng.randrange(0, 12)):
        block = bytearray(rng.choice([b"\x00", b" ", bytes([rng.randrange(256)])]) * size)
        for k in range(size):
            if rng.random() < 0.5:
                block[k] = rng.randrange(256)
        block[id_pos:id_pos + id_len] = rng.choice(alphabet)
        first.append(bytes(block))
    second = list(first)
    for _ in range(rng.randrange(0, 4)):
        edit = rng.randrange(4)
        if edit == 0 and second:      # a byte changed (shown, hidden or padding)
            k = rng.randrange(len(second))
            b = bytearray(second[k])
            pos = rng.randrange(size)
            if id_pos <= pos < id_pos + id_len:
                continue
            b[pos] ^= 1 << rng.randrange(8)
            second[k] = bytes(b)
        elif edit == 1 and second:    # a block lost
            del second[rng.randrange(len(second))]
        elif edit == 2:               # a block made
            b = bytearray(rng.randbytes(size))
            b[id_pos:id_pos + id_len] = rng.choice(alphabet)
            second.insert(rng.randrange(len(second) + 1), bytes(b))
        elif second:                  # a block moved
            b = second.pop(rng.randrange(len(second)))
            second.insert(rng.randrange(len(second) + 1), b)
    return first, second


def truth(first, second, shown, id_pos, id_len):
    """pairs, updated, hidden only, deleted, inserted."""
    by_id = {}
    for b in second:
        by_id.setdefault(b[id_pos:id_pos + id_len], []).append(b)
    taken = {}
    pairs = updated = hidden = deleted = 0
    for b in first:
        key = b[id_pos:id_pos + id_len]
        k = taken.get(key, 0)
        copies = by_id.get(key, [])
        if k >= len(copies):
            deleted += 1
            continue
        taken[key] = k + 1
        partner = copies[k]
        pairs += 1
        if b == partner:
            continue
        if any(b[p] != partner[p] for p in shown):
            updated += 1
        else:
            hidden += 1
    inserted = len(second) - pairs
    return pairs, updated, hidden, deleted, inserted


ROW = re.compile(rb"^       (pairs compared|updated|updated in hidden bytes only|unchanged|deleted|inserted): (\d+)$",
                 re.M)


def main():
    vesk = os.path.abspath(sys.argv[1])
    rng = random.Random(SEED)
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        for run in range(RUNS):
            fmt, shown, id_pos, id_len, size, align = random_format(rng)
            first, second = make_files(rng, size, id_pos, id_len)
            for name, data in (("r.fmt", fmt.encode()), ("a", b"".join(first)), ("b", b"".join(second))):
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(data)
            args = [vesk] + (["-B"] if align else []) + ["--changes-only", "--summary", "--exit-code",
                                                           "-F", "r.fmt", "id", "a", "b"]
            proc = subprocess.run(args, cwd=folder, capture_output=True, timeout=60)
            rows = dict((k.decode(), int(v)) for k, v in ROW.findall(proc.stdout))
            pairs, updated, hidden, deleted, inserted = truth(first, second, shown, id_pos, id_len)
            want = {"pairs compared": pairs, "updated": updated, "updated in hidden bytes only": hidden,
                    "unchanged": pairs - updated - hidden, "deleted": deleted, "inserted": inserted}
            status = 1 if updated or hidden or deleted or inserted else 0
            if rows != want or proc.returncode != status or proc.stderr:
                failures.append("run %d (%s): want %s status %d, got %s status %d %r\n%s" % (
                    run, "-B" if align else "packed", want, status, rows, proc.returncode, proc.stderr, fmt))
    for f in failures[:10]:
        print(f)
    print("%d runs, %d failed" % (RUNS, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
