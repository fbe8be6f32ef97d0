#!/usr/bin/env python3
"""Checks the committed table of the UTF-8 report (src/output/tables/sjis_unicode.cpp)
against Python's codecs and unicodedata, pair by pair, in both mappings:

- the width flag of every entry is East Asian Width W or F (two columns), else one;
- every entry is one character that takes columns: no combining mark, no
  control, format, private-use or unassigned code point;
- standard: each entry is what the first of cp932 and shift_jis_2004 that
  assigns the pair decodes it to, or U+3013 where that is no such character;
- utf8_input: where unicodeTbl (src/dump/tables/unicode_table.cpp) gives the
  pair, the entry is a code point that unicodeTbl turns back into the pair, the
  one shift_jis_2004 decodes the pair to when that one does (or U+3013);
  elsewhere it is the standard entry.

usage: utf8_table_widths.py SOURCE-ROOT
"""
import pathlib
import re
import sys
import unicodedata

NO_CHAR = 0x3013
WIDE = 1 << 31  # marks a W() entry
NOT_SHOWN = ("Mn", "Me", "Cc", "Cf", "Co", "Cn")


def pairs():
    for lead in list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)):
        for trail in list(range(0x40, 0x7F)) + list(range(0x80, 0xFD)):
            yield lead, trail


def read_cells(root):
    """The two tables of the generated source, as {code: code point | WIDE, or None}."""
    text = (root / "src/output/tables/sjis_unicode.cpp").read_text(encoding="utf-8")
    body = text[text.index("sjisCells[2][kSjisSlots] = {"):]
    cells = []
    for m in re.finditer(r"\b([WN])\(0x([0-9A-F]+)\)|\bX\b", body):
        if m.group(1) is None:
            cells.append(None)
        else:
            cells.append(int(m.group(2), 16) | (WIDE if m.group(1) == "W" else 0))
    slots = 60 * 189
    assert len(cells) == 2 * slots, len(cells)
    tables = []
    for half in (cells[:slots], cells[slots:]):
        table = {}
        for lead, trail in pairs():
            row = lead - 0x81 if lead <= 0x9F else lead - 0xC1
            table[(lead << 8) | trail] = half[row * 189 + trail - 0x40]
        assert all(half[row * 189 + 0x3F] is None for row in range(60)), "trail 0x7F slot"
        assert None not in table.values(), "a pair without a character"
        tables.append(table)
    return tables


def read_unicode_tbl(root):
    text = (root / "src/dump/tables/unicode_table.cpp").read_text(encoding="utf-8")
    return {int(cp, 16): int(sjis, 16)
            for sjis, cp in re.findall(r"\{0x([0-9A-F]+), 0x([0-9A-F]+)\}", text)}


def first_decoding(code):
    raw = code.to_bytes(2, "big")
    for codec in ("cp932", "shift_jis_2004"):
        try:
            return raw.decode(codec)
        except UnicodeDecodeError:
            pass
    return ""


def one_shown_char(text):
    return len(text) == 1 and unicodedata.category(text) not in NOT_SHOWN


def main():
    root = pathlib.Path(sys.argv[1])
    standard, utf8_input = read_cells(root)
    to_sjis = read_unicode_tbl(root)
    assert len(to_sjis) == 11406, len(to_sjis)
    produced = {}
    for cp, sjis in to_sjis.items():
        produced.setdefault(sjis, set()).add(cp)
    faults = []

    def fault(code, what):
        faults.append("%04X: %s" % (code, what))

    for table in (standard, utf8_input):
        for code, entry in table.items():
            cp = entry & ~WIDE
            wide = unicodedata.east_asian_width(chr(cp)) in ("W", "F")
            if bool(entry & WIDE) != wide:
                fault(code, "width flag of U+%04X" % cp)
            if not one_shown_char(chr(cp)):
                fault(code, "U+%04X takes no column" % cp)

    for code, entry in standard.items():
        text = first_decoding(code)
        want = ord(text) if one_shown_char(text) else NO_CHAR
        if entry & ~WIDE != want:
            fault(code, "standard U+%04X, codecs U+%04X" % (entry & ~WIDE, want))

    for code, entry in utf8_input.items():
        cp = entry & ~WIDE
        if code not in produced:
            if entry != standard[code]:
                fault(code, "-U differs from standard where unicodeTbl has no entry")
            continue
        if cp != NO_CHAR and to_sjis.get(cp) != code:
            fault(code, "-U U+%04X does not convert back" % cp)
        try:
            own = code.to_bytes(2, "big").decode("shift_jis_2004")
        except UnicodeDecodeError:
            own = ""
        if len(own) == 1 and to_sjis.get(ord(own)) == code:
            want = ord(own) if one_shown_char(own) else NO_CHAR
            if cp != want:
                fault(code, "-U U+%04X, shift_jis_2004 U+%04X" % (cp, want))

    for line in faults[:20]:
        print(line)
    if faults:
        print("%d faults" % len(faults))
        return 1
    print("%d pairs checked in both mappings (Unicode %s)" % (len(standard), unicodedata.unidata_version))
    return 0


if __name__ == "__main__":
    sys.exit(main())
