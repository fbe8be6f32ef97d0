"""Command-line checks found in an audit: a folder given as a file argument is
refused like any file that cannot be opened for reading."""
from vesk_e2e import Case

GOOD = b"#BLNO 0 &\nstruct REC {\n long id;\n};\n"

CASES = [
    # The format loads; the folder is then the data file and cannot be read.
    Case("f-data-file-is-a-folder", ["-f", "g.fmt", "sub"], stdout=b"",
         stderr=b"sub: not found\n", status=1, files={"g.fmt": GOOD, "sub/x.dat": b"x"}),
    # A folder as the first of two comparison files.
    Case("F-first-file-is-a-folder", ["-F", "g.fmt", "id", "sub", "a.dat"], stdout=b"",
         stderr=b"sub: not found\n", status=1,
         files={"g.fmt": GOOD, "sub/x.dat": b"x", "a.dat": b"\x00" * 4}),
]
