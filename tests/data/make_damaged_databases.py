#!/usr/bin/env python3
"""Makes damaged copies of a database file, each changed in one way named in
its file name (a letter or digit, random bytes, a page zeroed or copied over
another, the file cut short, a header field), the same for the same arguments.

Usage: make_damaged_databases.py DATABASE FOLDER [COUNT]
"""
import os
import random
import sys

ALNUM = b"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"


def change_a_character(data, rng, size, count, positions=[]):
    # Most bytes of the file that are letters or digits are row values.
    if not positions:
        positions.extend(i for i in range(len(data)) if data[i] in ALNUM)
    for _ in range(rng.randint(1, 2)):
        at = rng.choice(positions)
        data[at] = rng.choice([c for c in ALNUM if c != data[at]])


def random_bytes(data, rng, size, count):
    for _ in range(rng.randint(1, 4)):
        data[rng.randrange(100, len(data))] = rng.randrange(256)


def zero_a_page(data, rng, size, count):
    page = rng.randrange(1, count)
    data[page * size:(page + 1) * size] = bytes(size)


def copy_a_page(data, rng, size, count):
    source, target = rng.sample(range(1, count), 2)
    data[target * size:(target + 1) * size] = data[source * size:(source + 1) * size]


def cut_short(data, rng, size, count):
    del data[rng.randrange(1, count) * size:]


def header_field(data, rng, size, count):
    # Page size, reserved bytes, page count, schema cookie, encoding, …
    at = rng.choice([16, 17, 20, 28, 29, 30, 31, 40, 43, 44, 52, 56, 59])
    data[at] = (data[at] + rng.randrange(1, 256)) % 256


KINDS = [("value", change_a_character)] * 6 + [("bytes", random_bytes)] * 3 + [
    ("zero_page", zero_a_page), ("copy_page", copy_a_page), ("cut", cut_short), ("header", header_field)]

if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    with open(sys.argv[1], "rb") as f:
        original = f.read()
    size = int.from_bytes(original[16:18], "big")
    size = 65536 if size == 1 else size
    os.makedirs(sys.argv[2], exist_ok=True)
    rng = random.Random(14)
    for n in range(int(sys.argv[3]) if len(sys.argv) == 4 else 120):
        name, damage = KINDS[n % len(KINDS)]
        data = bytearray(original)
        damage(data, rng, size, len(original) // size)
        with open(os.path.join(sys.argv[2], "%03d_%s.mdb" % (n, name)), "wb") as f:
            f.write(data)
