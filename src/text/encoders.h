// The report's two encodings of a cell. Each cell takes as many columns as it
// covers bytes: its character, where it shows one, in the columns from its
// `at`, and a point in each column the character does not take. Both encoders
// keep the report's byte rule: Shift_JIS writes only printable ASCII,
// half-width kana and valid pairs; UTF-8 writes no control, format or
// unassigned character, and no mark without a base.
#pragma once

#include <cstring>

#include "common/text_scan.h"
#include "text/cell.h"
#include "text/sjis_codes.h"
#include "text/sjis_utf8.h"

namespace vesk {

// The report's encodings: Shift_JIS (the bytes of files and pipes) and
// UTF-8. Also the index of the per-encoding entries of a codec row.
enum class ReportEncoding { sjis, utf8 };
constexpr int kReportEncodings = 2;

template <class Encoder>
int put_cell_columns(const Cell& c, int from, int to, int shown_to, char* out, int* columns);

// What put_character wrote: bytes, and the columns they take.
struct Written {
  int bytes = 0;
  int columns = 0;  // 0: the cell shows points only
};

// The Shift_JIS report: the contract bytes.
struct SjisEncoder {
  // Bytes written at most for one column.
  static constexpr int kMaxBytesPerColumn = 1;

  // The character of a cell that shows one: its Shift_JIS form.
  static Written put_character(const Cell& c, char* out) {
    const unsigned s = c.sjis;
    if (s >= 0x100) {
      const auto hi = static_cast<unsigned char>(s >> 8), lo = static_cast<unsigned char>(s & 0xFF);
      if (!is_sjis_pair(hi, lo) || c.at + 2 > c.len) return {};
      out[0] = static_cast<char>(hi);
      out[1] = static_cast<char>(lo);
      return {2, 2};
    }
    if (s != 0 && is_shown_single(static_cast<unsigned char>(s))) {
      out[0] = static_cast<char>(s);
      return {1, 1};
    }
    return {};
  }

  // A cell of one byte, the common case.
  static int put_single(const Cell& c, char* out) {
    out[0] = c.cls == CellClass::ascii || c.cls == CellClass::kana || (c.cls == CellClass::escape && c.sjis != 0)
                 ? static_cast<char>(c.sjis)
                 : '.';
    return 1;
  }

  // A valid pair at the start of a cell of its two bytes.
  static int put_pair(unsigned pair, char* out) {
    out[0] = static_cast<char>(pair >> 8);
    out[1] = static_cast<char>(pair & 0xFF);
    return 2;
  }

  // A cell of two or more bytes: its points, and its character's form over
  // them.
  static int put_whole(const Cell& c, char* out) {
    std::memcpy(out, "....", 4);
    if (c.cls == CellClass::multibyte) put_character(c, out + c.at);
    return c.len;
  }
};

// The UTF-8 report: each code point as it is, in the columns of the cell.
struct Utf8Encoder {
  // A kana is three bytes; a mark on its circle five to seven, over at
  // least two columns.
  static constexpr int kMaxBytesPerColumn = 4;

  static Written put_character(const Cell& c, char* out);

  static int put_pair(unsigned pair, char* out) { return put_sjis_pair_utf8(pair >> 8, pair & 0xFF, out); }

  static int put_whole(const Cell& c, char* out) {
    // A pair of a Shift_JIS code read at the cell's start, the common case:
    // its unit, then a point for each further byte.
    if (c.cp == kCpOfSjis && c.at == 0) {
      const int len = put_sjis_pair_utf8(c.sjis >> 8, c.sjis & 0xFF, out);
      std::memcpy(out + len, "..", 2);
      return len + c.len - 2;
    }
    int columns;
    return put_cell_columns<Utf8Encoder>(c, 0, c.len, 0, out, &columns);
  }

  static int put_single(const Cell& c, char* out) {
    switch (c.cls) {
      case CellClass::ascii:
        out[0] = static_cast<char>(c.cp);
        return 1;
      case CellClass::kana:
        return put_utf8(c.cp, out);
      case CellClass::escape:
        out[0] = c.sjis != 0 ? static_cast<char>(c.sjis) : '.';
        return 1;
      default:
        out[0] = '.';
        return 1;
    }
  }
};

// Writes columns [from, to) of cell c: points, the character where it
// stands (its form may take one column past `to`: a pair begun in a line's
// last column stands over the blank before the bar), blanks for the columns
// before shown_to, which the line before has shown already. Returns the
// bytes written; *columns gets the columns taken.
template <class Encoder>
int put_cell_columns(const Cell& c, int from, int to, int shown_to, char* out, int* columns) {
  char* o = out;
  int col = from;
  const bool has_char = c.shows_character() || (c.cls == CellClass::escape && c.sjis != 0);
  while (col < to) {
    if (col < shown_to) {
      *o++ = ' ';
      ++col;
      continue;
    }
    if (has_char && col == c.at) {
      Written w = Encoder::put_character(c, o);
      if (w.columns > 0) {
        o += w.bytes;
        col += w.columns;
        continue;
      }
    }
    *o++ = '.';
    ++col;
  }
  *columns = col - from;
  return static_cast<int>(o - out);
}

// The columns of a whole cell. May write up to kMaxCellLength bytes more
// than it returns (the buffer must have room for them).
template <class Encoder>
inline int put_cell(const Cell& c, char* out) {
  if (c.len == 1 && c.cls != CellClass::multibyte) return Encoder::put_single(c, out);
  return Encoder::put_whole(c, out);
}

// A character alone, in as few columns as its forms take (a map cell shows
// it so): its Shift_JIS form, or a point when it has none, padded with
// blanks to the columns its UTF-8 form takes; `cell` is the character with
// those columns, for the UTF-8 encoder.
struct CompactCharacter {
  char sjis[2];
  Cell cell;
};
CompactCharacter compact_character_other(const Cell& c);
inline CompactCharacter compact_character(const Cell& c) {
  // The common case: a character whose Shift_JIS form is a pair takes its
  // two columns, whatever its UTF-8 form takes (never more).
  const auto hi = static_cast<unsigned char>(c.sjis >> 8), lo = static_cast<unsigned char>(c.sjis & 0xFF);
  if (c.sjis >= 0x100 && is_sjis_pair(hi, lo)) {
    CompactCharacter pair{{static_cast<char>(hi), static_cast<char>(lo)}, c};
    pair.cell.at = 0;
    pair.cell.len = 2;
    return pair;
  }
  return compact_character_other(c);
}

}  // namespace vesk
