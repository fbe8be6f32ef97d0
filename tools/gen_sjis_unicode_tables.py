#!/usr/bin/env python3
"""Generates src/output/tables/sjis_unicode.{h,cpp}: the Unicode character of
every Shift_JIS pair, with its width in terminal columns, for the UTF-8 report.

A pair is a lead byte 0x81-0x9F or 0xE0-0xFC and a trail byte 0x40-0x7E or
0x80-0xFC. There are two mappings:

- standard: Python's cp932 codec (NEC and IBM extensions included); where cp932
  leaves a pair unassigned, the shift_jis_2004 codec. So 87 40 is U+2460,
  FB FC U+9AD9 and 85 40 (Shift_JIS-2004 only) U+20AC.
- utf8_input: the inverse of unicodeTbl (tools/gen_unicode_table.py), the table
  that turns UTF-8 input into the Shift_JIS codes of the report, so that a
  character read from UTF-8 comes back as itself (85 7E is U+00E9). Where
  several code points give one code, the one that shift_jis_2004 decodes the
  code to wins; a code reached only through one of the table's overrides gets
  that override's code point (81 5F is U+FF3C). Codes that unicodeTbl does not
  produce take the standard mapping.

A pair that stands for no character shows as U+3013 (GETA MARK). That is a pair
that decodes to nothing, or to more than one code point (Shift_JIS-2004 has
kana and letters with a combining mark), or to a combining mark (Mn, Me), or to
a control, format, private-use or unassigned code point (Cc, Cf, Co, Cn). Such
characters take no column, or a number of columns that depends on the terminal,
and the UTF-8 line must keep the columns of the Shift_JIS line. The user-defined
area F0 40-F9 FC is private use in cp932 and so shows as U+3013 in the standard
mapping; under utf8_input the Shift_JIS-2004 characters there show.

Width: East Asian Width W or F is two columns, anything else one (Ambiguous
characters such as U+2460, Greek and Cyrillic included). The width is taken
from unicodedata here and written into the table, so that the report does not
depend on the locale tables of the machine it runs on. A narrow character is
followed by one blank in the report to fill its pair's two columns.

The table holds, for each pair, the UTF-8 bytes the report writes (the
character, then the blank of a narrow one), their number and the character's
width. In the generated source an entry reads W(code point) for a wide
character and N(code point) for a narrow one; the C++ side encodes it at
compile time. X marks the slot of trail 0x7F, which is no trail byte.
"""
import pathlib
import sys
import unicodedata

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import gen_unicode_table  # noqa: E402

LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
TRAILS = list(range(0x40, 0x7F)) + list(range(0x80, 0xFD))
TRAIL_SLOTS = 0xFC - 0x40 + 1  # 0x7F is no trail; its slot is never read
NO_CHAR = 0x3013
NO_CHAR_CATEGORIES = ("Mn", "Me", "Cc", "Cf", "Co", "Cn")


def decode(code, codec):
    """The code points of a two-byte code in codec; None when unassigned."""
    try:
        return [ord(ch) for ch in code.to_bytes(2, "big").decode(codec)]
    except UnicodeDecodeError:
        return None


def shown(points):
    """The code point a decoding shows as: itself, or U+3013 for no character."""
    if points is None or len(points) != 1:
        return NO_CHAR
    if unicodedata.category(chr(points[0])) in NO_CHAR_CATEGORIES:
        return NO_CHAR
    return points[0]


def width(cp):
    return 2 if unicodedata.east_asian_width(chr(cp)) in ("W", "F") else 1


def standard_mapping():
    table = {}
    for lead in LEADS:
        for trail in TRAILS:
            code = (lead << 8) | trail
            points = decode(code, "cp932")
            if points is None:
                points = decode(code, "shift_jis_2004")
            table[code] = shown(points)
    return table


def utf8_input_mapping(standard):
    """The inverse of unicodeTbl over the pairs, the standard mapping elsewhere."""
    by_code = {}
    for cp, sjis in gen_unicode_table.build():
        if sjis > 0xFF:
            by_code.setdefault(sjis, []).append(cp)
    table = dict(standard)
    for code, points in by_code.items():
        assert code in table, "unicodeTbl gives %04X, no Shift_JIS pair" % code
        own = decode(code, "shift_jis_2004")
        if own is not None and len(own) == 1 and own[0] in points:
            table[code] = shown(own)
        else:
            assert len(points) == 1, "%04X comes from several overrides" % code
            table[code] = shown(points)
    return table, set(by_code)


def check(standard, utf8_input):
    for table in (standard, utf8_input):
        for code, cp in table.items():
            assert width(cp) in (1, 2), "%04X" % code
            assert unicodedata.category(chr(cp)) not in NO_CHAR_CATEGORIES, "%04X" % code
            # A cell holds at most 4 bytes: the character and its blank.
            assert len(chr(cp).encode("utf-8")) + (2 - width(cp)) <= 4, "%04X" % code
    assert standard[0x8740] == 0x2460 and width(0x2460) == 1  # (1), Ambiguous: narrow
    assert standard[0xFBFC] == 0x9AD9 and width(0x9AD9) == 2  # IBM extension
    assert standard[0x8540] == 0x20AC                          # euro, Shift_JIS-2004 only
    assert standard[0x82A0] == 0x3042
    assert standard[0xF040] == NO_CHAR and width(NO_CHAR) == 2  # user-defined area
    assert standard[0x857E] == 0x00E9                          # cp932 has none: Shift_JIS-2004
    assert utf8_input[0x857E] == 0x00E9
    assert utf8_input[0x815F] == 0xFF3C and standard[0x815F] == 0xFF3C
    assert utf8_input[0x8160] == 0x301C and standard[0x8160] == 0xFF5E
    assert utf8_input[0x81D4] == 0xFF5F                        # override only
    assert utf8_input[0x8790] == 0x2252                        # override only
    assert utf8_input[0xF040] == 0x20089
    assert standard[0x82F5] == NO_CHAR                         # ka with a combining mark
    assert standard[0x84DD] == NO_CHAR                         # unassigned in both


def entry(cp):
    return ("W(0x%04X)" if width(cp) == 2 else "N(0x%04X)") % cp


def rows_of(table):
    lines = []
    for lead in LEADS:
        lines.append("    // lead 0x%02X" % lead)
        row = [table.get((lead << 8) | trail) for trail in range(0x40, 0xFD)]
        cells = [entry(cp) if cp is not None else "X" for cp in row]
        for i in range(0, len(cells), 8):
            lines.append("    " + " ".join(c + "," for c in cells[i:i + 8]))
    return "\n".join(lines)


def main():
    standard = standard_mapping()
    utf8_input, produced = utf8_input_mapping(standard)
    check(standard, utf8_input)

    root = pathlib.Path(__file__).resolve().parent.parent
    out = root / "src" / "output" / "tables"
    out.mkdir(parents=True, exist_ok=True)
    version = unicodedata.unidata_version
    header = f"""// Generated by tools/gen_sjis_unicode_tables.py; do not edit.
// The Unicode character of every Shift_JIS pair as the UTF-8 report writes it,
// with its width in terminal columns (East Asian Width W or F: two, else one;
// Unicode {version}).
#pragma once

namespace vesk {{

// What the report writes for one pair: the character's UTF-8 bytes, then a
// blank when the character takes one column, so that the pair keeps its two.
struct SjisCell {{
  unsigned char text[4] = {{}};  // the bytes written; unused bytes are 0
  unsigned char len = 0;       // bytes of text written: 1 to 4
  unsigned char width = 0;     // columns of the character itself: 1 or 2
}};

// Slots: one row of trail bytes 0x40-0xFC per lead byte (0x81-0x9F, 0xE0-0xFC).
// The slot of trail 0x7F, which is no trail byte, is empty.
constexpr int kSjisLeads = {len(LEADS)};
constexpr int kSjisTrailSlots = {TRAIL_SLOTS};
constexpr int kSjisSlots = kSjisLeads * kSjisTrailSlots;

// The slot of a valid pair.
constexpr int sjis_slot(unsigned lead, unsigned trail) {{
  unsigned row = lead <= 0x9F ? lead - 0x81 : lead - 0xC1;
  return static_cast<int>(row * kSjisTrailSlots + trail - 0x40);
}}

// [0]: CP932, then Shift_JIS-2004 where CP932 has nothing.
// [1]: the inverse of unicodeTbl where it gives the pair, else as [0].
// A pair that stands for no character holds U+3013.
extern const SjisCell sjisCells[2][kSjisSlots];

}}  // namespace vesk
"""
    source = f"""// Generated by tools/gen_sjis_unicode_tables.py; do not edit.
#include "output/tables/sjis_unicode.h"

#include <cstdint>

namespace vesk {{

namespace {{

// The cell of a code point of the given width, encoded at compile time.
constexpr SjisCell cell(std::uint32_t code, unsigned char width) {{
  SjisCell c;
  int n = 0;
  if (code < 0x80) {{
    c.text[n++] = static_cast<unsigned char>(code);
  }} else if (code < 0x800) {{
    c.text[n++] = static_cast<unsigned char>(0xC0 | (code >> 6));
    c.text[n++] = static_cast<unsigned char>(0x80 | (code & 0x3F));
  }} else if (code < 0x10000) {{
    c.text[n++] = static_cast<unsigned char>(0xE0 | (code >> 12));
    c.text[n++] = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
    c.text[n++] = static_cast<unsigned char>(0x80 | (code & 0x3F));
  }} else {{
    c.text[n++] = static_cast<unsigned char>(0xF0 | (code >> 18));
    c.text[n++] = static_cast<unsigned char>(0x80 | ((code >> 12) & 0x3F));
    c.text[n++] = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
    c.text[n++] = static_cast<unsigned char>(0x80 | (code & 0x3F));
  }}
  // The blank of a narrow character; one after four bytes would leave text: no
  // constant expression, so the table would not compile.
  if (width == 1) c.text[n++] = ' ';
  c.len = static_cast<unsigned char>(n);
  c.width = width;
  return c;
}}

constexpr SjisCell N(std::uint32_t code) {{ return cell(code, 1); }}
constexpr SjisCell W(std::uint32_t code) {{ return cell(code, 2); }}
constexpr SjisCell X{{}};

}}  // namespace

constinit const SjisCell sjisCells[2][kSjisSlots] = {{
  {{  // CP932, then Shift_JIS-2004
{rows_of(standard)}
  }},
  {{  // the inverse of unicodeTbl, else as above
{rows_of(utf8_input)}
  }},
}};

}}  // namespace vesk
"""
    (out / "sjis_unicode.h").write_text(header, encoding="utf-8")
    (out / "sjis_unicode.cpp").write_text(source, encoding="utf-8")

    differ = sum(1 for c in standard if standard[c] != utf8_input[c])
    print("pairs %d, no character: standard %d, utf8_input %d; from unicodeTbl %d, differing %d"
          % (len(standard), sum(v == NO_CHAR for v in standard.values()),
             sum(v == NO_CHAR for v in utf8_input.values()), len(produced), differ))


if __name__ == "__main__":
    main()
