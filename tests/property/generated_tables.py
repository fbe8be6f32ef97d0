#!/usr/bin/env python3
"""The committed conversion tables are what their generators make from the
standard sources on this machine (Python's codecs and unicodedata, and the
system's iconv): each generator under tools/ writes into a scratch tree, and
every file it writes must equal the committed one byte for byte.

A Python whose Unicode database differs from the one the tables name (their
header says which) cannot check them: the test says so and passes.

usage: generated_tables.py SOURCE-ROOT
"""
import pathlib
import re
import subprocess
import sys
import tempfile
import unicodedata

GENERATORS = ("gen_unicode_table.py", "gen_sjis_unicode_tables.py", "gen_jisx0212_table.py",
              "gen_unicode_display.py", "gen_sjis_utf8_table.py", "gen_utf8_forms.py")
TABLES = pathlib.Path("src/text/tables")


def main():
    root = pathlib.Path(sys.argv[1])
    header = (root / TABLES / "unicode_display.h").read_text(encoding="utf-8")
    version = re.search(r"Unicode (\d+\.\d+\.\d+)", header).group(1)
    if version != unicodedata.unidata_version:
        print(f"tables of Unicode {version}, this Python has {unicodedata.unidata_version}: not checked")
        return 0
    failures = []
    with tempfile.TemporaryDirectory(prefix="vesk-tables-") as scratch:
        for gen in GENERATORS:
            run = subprocess.run([sys.executable, str(root / "tools" / gen), scratch],
                                 capture_output=True, text=True)
            if run.returncode != 0:
                failures.append(f"{gen} failed:\n{run.stderr}")
        made = sorted((pathlib.Path(scratch) / TABLES).glob("*"))
        committed = sorted(p for p in (root / TABLES).glob("*") if not p.name.endswith("_test.cpp"))
        if [p.name for p in made] != [p.name for p in committed]:
            failures.append(f"files differ: made {[p.name for p in made]}, committed {[p.name for p in committed]}")
        for p in made:
            if p.read_bytes() != (root / TABLES / p.name).read_bytes():
                failures.append(f"{p.name}: the committed file is not what {TABLES}'s generator makes")
    for f in failures:
        print(f)
    print(f"{len(made)} generated files checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
