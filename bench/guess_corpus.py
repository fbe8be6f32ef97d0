#!/usr/bin/env python3
"""Checks the verdict of `vesk --guess` against `nkf --guess` on files that
neither vesk's tests nor its developers wrote: by default the CJK codec test
files that ship with CPython's standard library (test/cjkencodings), or the
files and folders given.

For each file it prints nkf's answer, vesk's, whether they name the same code
(nkf's names of a code's variants count as the code: CP932 and
Shift_JIS-2004 as Shift_JIS, EUC-JIS-2004 and CP51932 as EUC-JP), whether
they agree on the line ends, and, as the referee, the codes that Python's
strict decoders read the whole file in. Then the counts. It installs nkf
(Debian package nkf) when it is missing. It asserts nothing: it is not a test.

usage: guess_corpus.py VESK [PATH...] [--disagreements-only]
"""
import argparse
import os
import re
import shutil
import subprocess
import sys

# nkf's name of a code (the part before its line ends) -> the row of vesk's table.
NKF_CODES = {
    "ASCII": "ASCII",
    "Shift_JIS": "Shift_JIS", "CP932": "Shift_JIS", "Shift_JIS-2004": "Shift_JIS", "Windows-31J": "Shift_JIS",
    "EUC-JP": "EUC-JP", "CP51932": "EUC-JP", "eucJP-ms": "EUC-JP", "EUCJP-MS": "EUC-JP", "EUC-JIS-2004": "EUC-JP",
    "ISO-2022-JP": "ISO-2022-JP", "CP50220": "ISO-2022-JP", "CP50221": "ISO-2022-JP", "CP50222": "ISO-2022-JP",
    "ISO-2022-JP-1": "ISO-2022-JP", "ISO-2022-JP-3": "ISO-2022-JP", "ISO-2022-JP-2004": "ISO-2022-JP",
    "UTF-8": "UTF-8",
    "BINARY": "binary",
}
NKF_LINE_ENDS = {"LF": "LF", "CRLF": "CRLF", "CR": "CR", "MIXED NL": "mixed"}
# Python's strict decoders, as referee: the row each stands for.
REFEREES = [("ascii", "ASCII"), ("utf-8", "UTF-8"), ("cp932", "Shift_JIS"), ("shift_jis_2004", "Shift_JIS"),
            ("euc_jp", "EUC-JP"), ("euc_jis_2004", "EUC-JP"), ("iso2022_jp", "ISO-2022-JP"),
            ("iso2022_jp_2004", "ISO-2022-JP")]


def ensure_nkf():
    if shutil.which("nkf"):
        return
    print("installing: nkf", file=sys.stderr)
    subprocess.run("apt-get update -q >&2 && DEBIAN_FRONTEND=noninteractive apt-get install -y -q nkf >&2",
                   shell=True, check=True)


def default_corpus():
    """test/cjkencodings of this Python, else of a Debian Python's test suite."""
    try:
        import test
        here = os.path.join(os.path.dirname(test.__file__), "cjkencodings")
        if os.path.isdir(here):
            return here
    except ImportError:
        pass
    for root in sorted(os.listdir("/usr/lib")):
        path = os.path.join("/usr/lib", root, "test", "cjkencodings")
        if root.startswith("python3") and os.path.isdir(path):
            return path
    v = sys.version_info
    sys.exit("no test/cjkencodings here: install the Debian package libpython%d.%d-testsuite, "
             "or name the files to check" % (v.major, v.minor))


def files_of(paths):
    for p in paths:
        if os.path.isdir(p):
            for folder, dirs, names in os.walk(p):
                dirs[:] = sorted(d for d in dirs if d != "__pycache__")
                for name in sorted(names):
                    yield os.path.join(folder, name)
        else:
            yield p


def nkf_guess(path):
    out = subprocess.run(["nkf", "--guess", path], capture_output=True).stdout.decode("ascii", "replace").strip()
    m = re.match(r"^(.*?)(?: \(BOM\))?(?: \((LF|CRLF|CR|MIXED NL)\))?$", out)
    name, ends = m.group(1), m.group(2)
    return out, NKF_CODES.get(name, name), "(BOM)" in out, NKF_LINE_ENDS.get(ends)


def vesk_guess(vesk, path):
    out = subprocess.run([vesk, "--guess", path], capture_output=True, check=True).stdout.decode("ascii")
    lines = out.splitlines()
    verdict = lines[-1][len("guess: "):]
    code = "binary" if verdict.startswith("binary") else verdict.split(",")[0]
    bom = code == "UTF-8 with BOM"
    if bom:
        code = "UTF-8"
    counts = dict(re.findall(r"(LF|CRLF|CR) (\d+)", lines[-2]))
    kinds = [k for k in ("LF", "CRLF", "CR") if int(counts[k]) > 0]
    ends = None if not kinds else kinds[0] if len(kinds) == 1 else "mixed"
    return verdict, code, bom, ends


def referees(data):
    rows = []
    for codec, row in REFEREES:
        try:
            data.decode(codec)
        except UnicodeDecodeError:
            continue
        if row not in rows:
            rows.append(row)
    return rows


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("vesk")
    ap.add_argument("paths", nargs="*")
    ap.add_argument("--disagreements-only", action="store_true", help="list only the files where the two differ")
    a = ap.parse_args()
    ensure_nkf()
    paths = a.paths or [default_corpus()]
    print("| file | bytes | nkf --guess | vesk --guess | code agrees | line ends agree | Python reads it as |")
    print("|---|---|---|---|---|---|---|")
    total = same_code = same_ends = ends_compared = 0
    by_pair = {}
    for path in files_of(paths):
        with open(path, "rb") as f:
            data = f.read()
        nkf_out, nkf_code, nkf_bom, nkf_ends = nkf_guess(path)
        vesk_out, vesk_code, vesk_bom, vesk_ends = vesk_guess(a.vesk, path)
        code_ok = nkf_code == vesk_code and nkf_bom == vesk_bom
        # nkf names no line ends for a file it takes for binary.
        ends_ok = None if nkf_ends is None and nkf_code == "binary" else nkf_ends == vesk_ends
        total += 1
        same_code += code_ok
        if ends_ok is not None:
            ends_compared += 1
            same_ends += ends_ok
        if not code_ok:
            key = (nkf_code, vesk_out)
            by_pair[key] = by_pair.get(key, 0) + 1
        if a.disagreements_only and code_ok and ends_ok is not False:
            continue
        name = os.path.relpath(path, paths[0]) if os.path.isdir(paths[0]) else path
        print("| %s | %d | %s | %s | %s | %s | %s |" % (
            name, len(data), nkf_out, vesk_out, "yes" if code_ok else "**no**",
            "-" if ends_ok is None else "yes" if ends_ok else "**no**", ", ".join(referees(data)) or "none"))
    print()
    print("%d files: the code agrees in %d, line ends in %d of %d that nkf names them for"
          % (total, same_code, same_ends, ends_compared))
    for (nkf_code, vesk_out), n in sorted(by_pair.items(), key=lambda kv: -kv[1]):
        print("  %4d  nkf %s, vesk %s" % (n, nkf_code, vesk_out))


if __name__ == "__main__":
    main()
