#!/usr/bin/env python3
"""Eight-byte ids whose 32-bit FNV-1a hashes all share their low 22 bits.

A hash table that takes the low bits of FNV-1a for its slot puts every one
of them in one probe run: n ids cost n * n / 2 probes. The ids are made, not
searched for, by meeting in the middle: the low 22 bits of each FNV-1a step
depend only on the low 22 bits before it, and the multiplier is odd, so the
steps can be run backwards. Running the last three bytes backwards from the
target gives, for each of 2^16 choices of bytes 7 and 8, the state wanted
after byte 5 up to its low 8 bits, which byte 6 then sets: any first five
bytes whose state falls into one of these 2^14 blocks of 256 (almost all of
them do) finish an id.

usage: colliding_ids.py COUNT [TARGET]   writes COUNT ids, 8 bytes each, to stdout
"""
import sys

FNV_BASIS = 2166136261
FNV_PRIME = 16777619
BITS = 22
MASK = (1 << BITS) - 1
PRIME_INVERSE = pow(FNV_PRIME, -1, 1 << BITS)


def fnv1a(data: bytes) -> int:
    h = FNV_BASIS
    for b in data:
        h = ((h ^ b) * FNV_PRIME) & 0xFFFFFFFF
    return h


def colliding_ids(count: int, target: int = 0x2A5A5A):
    """count distinct 8-byte ids, in a fixed order, each hashing to target in
    its low 22 bits."""
    # The state after byte 5 that bytes 6, 7 and 8 take to the target, for
    # each (b7, b8): z, up to its low 8 bits, which b6 = (state ^ z) & 0xFF sets.
    wanted = {}
    after8 = (target * PRIME_INVERSE) & MASK  # the state xor byte 8
    for b8 in range(256):
        after7 = (((after8 ^ b8) * PRIME_INVERSE) & MASK)  # the state after byte 7, xor byte 7
        for b7 in range(256):
            z = ((after7 ^ b7) * PRIME_INVERSE) & MASK  # the state after byte 5, xor byte 6
            wanted.setdefault(z >> 8, (z, b7, b8))
    ids = []
    prefix = 0
    while len(ids) < count:
        head = prefix.to_bytes(5, "big")
        prefix += 1
        h = fnv1a(head) & MASK
        hit = wanted.get(h >> 8)
        if hit is None:
            continue
        z, b7, b8 = hit
        ids.append(head + bytes(((h ^ z) & 0xFF, b7, b8)))
    return ids


def main():
    count = int(sys.argv[1])
    target = int(sys.argv[2], 0) if len(sys.argv) > 2 else 0x2A5A5A
    ids = colliding_ids(count, target)
    assert all(fnv1a(i) & MASK == target for i in ids[:1000])
    sys.stdout.buffer.write(b"".join(ids))


if __name__ == "__main__":
    main()
