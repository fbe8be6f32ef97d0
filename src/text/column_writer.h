// The character column of a dump line, in the report's encoding: the cells
// of the line's bytes, one column a byte. A character that the line's end
// cuts is shown whole on the line where it starts when its form fits in the
// line's columns and the one after them (the blank before the bar); the
// columns of its bytes on the next lines show points, or blanks where the
// line before has shown its form already.
#pragma once

#include <cstdint>
#include <cstring>

#include "common/text_scan.h"
#include "text/common_cells.h"
#include "text/decoder_state.h"
#include "text/encoders.h"
#include "text/fast_columns.h"
#include "text/lone_units.h"
#include "text/utf8_chunks.h"

namespace vesk {

struct ColumnState {
  DecoderState decoder;
  // A cell begun on an earlier line: its columns from `from` on are still to
  // come; those before shown_to have been shown.
  Cell pending;
  int from = 0;
  int shown_to = 0;
  bool has_pending = false;
};

// Room a line of n bytes may take in the column: its columns, the one after
// them, at the most bytes a column, and what a cell's writing may pass its
// end by.
template <class Encoder>
constexpr int column_room(int n) {
  return (n + 1) * Encoder::kMaxBytesPerColumn + 2 * kMaxCellLength + 8;
}

// Shows columns of the pending cell on a line of n bytes; returns the bytes
// written and sets *columns and *taken (the line's bytes it covers).
template <class Encoder>
int put_pending(ColumnState& st, int n, char* out, int* columns, int* taken) {
  const Cell& c = st.pending;
  int take = c.len - st.from;
  if (take > n) take = n;
  // The common case: the rest of a pair shown whole over the blank column.
  if (st.from + take <= st.shown_to) {
    std::memcpy(out, "    ", 4);  // take <= 3; out has room
    st.from += take;
    if (st.from >= c.len) st.has_pending = false;
    *columns = take;
    *taken = take;
    return take;
  }
  int bytes = put_cell_columns<Encoder>(c, st.from, st.from + take, st.shown_to, out, columns);
  st.shown_to = st.from + *columns;
  st.from += take;
  if (st.from >= c.len) st.has_pending = false;
  *taken = take;
  return bytes;
}

// Starts a cell that the line's end cuts after k of its bytes: shows its
// first columns and keeps it pending.
template <class Encoder>
int put_cut_cell(ColumnState& st, const Cell& c, int k, char* out, int* columns) {
  st.pending = c;
  st.has_pending = true;
  // The common case: a cell of two bytes cut after the first, whose
  // character's form is a pair and so takes both columns: it stands over the
  // blank column.
  if (c.len == 2 && k == 1 && c.cls == CellClass::multibyte && c.at == 0 && c.sjis >= 0x100) {
    int bytes = put_cell<Encoder>(c, out);
    st.from = 1;
    st.shown_to = 2;
    *columns = 2;
    return bytes;
  }
  st.from = 0;
  st.shown_to = 0;
  int taken;
  return put_pending<Encoder>(st, k, out, columns, &taken);
}

// True when the eight bytes at p are all printable ASCII: a byte passes when
// its top bit is clear, its low seven bits plus 0x60 reach 0x80 (it is at
// least 0x20) and plus 1 do not (it is not 0x7F).
inline bool eight_printable(const unsigned char* p) {
  std::uint64_t x;
  std::memcpy(&x, p, 8);
  constexpr std::uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
  const std::uint64_t low = x & ~kHigh;
  return ((x | (low + kOnes) | ~(low + 0x60 * kOnes)) & kHigh) == 0;
}

// Writes the character column of the n bytes at data (avail >= n bytes may be
// read there: the line's, the rest of the block's and the look-ahead).
// Returns the bytes written; *columns gets the columns taken, n or n + 1.
// out has room for column_room(n) bytes. With kFast false, cell by cell
// only: what the fast paths must give. One call a line, with everything it
// calls in line: the loop of a line is where the dump spends its time.
template <class Decoder, class Encoder, bool kFast = true>
[[gnu::noinline, gnu::flatten]] int write_columns(ColumnState& st, const unsigned char* data, int n, int avail, char* out, int* columns) {
  // No byte written aliases the bytes read or the tables: said, so that the
  // loops keep them in registers.
  const unsigned char* __restrict d = data;
  char* __restrict o = out;
  int off = 0;
  int cols = 0;
  if (st.has_pending) {
    int c;
    o += put_pending<Encoder>(st, n, o, &c, &off);
    cols = c;
  }
  const LoneUnits::Unit* __restrict units = lone_units<Decoder, Encoder>().unit;
  const bool* __restrict lone = Decoder::kLone.lone;
  if constexpr (kFast) {
    char* fast_end = o;
    const int reached = fast_columns<Decoder, Encoder>(st.decoder, d, off, n, avail, out, &fast_end);
    if (reached > off) {
      off = reached;
      o = fast_end;
      cols = off;
    }
  }
  // The line's columns, unless a cell that its end cuts takes one more.
  if (off < n) cols = n;
  while (off < n) {
    const unsigned char b = d[off];
    // A byte that is a cell of its own, through the table; in UTF-8, runs
    // of printable ASCII (itself) eight bytes at a time.
    if (lone[b]) {
      if constexpr (Encoder::kMaxBytesPerColumn == 1) {
        *o++ = units[b].text[0];
        ++off;
      } else if (is_printable_ascii(b) && n - off >= 8 && eight_printable(d + off)) {
        std::memcpy(o, d + off, 8);
        o += 8;
        off += 8;
      } else {
        std::memcpy(o, units[b].text, 4);
        o += units[b].len;
        ++off;
      }
      continue;
    }
    if constexpr (Decoder::kHasPairs) {
      if (off + 1 < n) {
        if (unsigned pair = Decoder::pair_at(d + off)) {
          o += Encoder::put_pair(pair, o);
          off += 2;
          continue;
        }
      }
    }
    if constexpr (CommonCell<Decoder, Encoder>::kHas) {
      int written;
      if (int len = CommonCell<Decoder, Encoder>::put(d + off, avail - off, n - off, o, &written)) {
        o += written;
        off += len;
        continue;
      }
    }
    Cell c = Decoder::decode(st.decoder, d + off, avail - off);
    if (off + c.len <= n) {
      o += put_cell<Encoder>(c, o);
      off += c.len;
      continue;
    }
    int k = n - off;
    int shown;
    o += put_cut_cell<Encoder>(st, c, k, o, &shown);
    cols = off + shown;
    off = n;
  }
  *columns = cols;
  return static_cast<int>(o - out);
}

#if defined(__SSE2__)
// Whether a whole line of sixteen bytes can be written in one step: the
// reader is between cells, and no cell is pending but the rest of a pair
// that the line before showed whole. Sets *first to the line's bytes that
// rest covers (0 or 1).
template <class Decoder>
[[gnu::always_inline]] inline bool line16_ready(const ColumnState& st, int avail, int* first) {
  if (avail < 17 || !ChunkReader<Decoder>::ready(st.decoder)) return false;
  *first = 0;
  if (st.has_pending) {
    if (st.pending.len != 2 || st.from != 1 || st.shown_to != 2) return false;
    *first = 1;
  }
  return true;
}

// A whole line of sixteen bytes in the Shift_JIS report in one step, where
// the masks tell every byte: no cell is pending but the rest of a pair that
// the line before showed whole (a blank), and the line's end cuts at most a
// pair, which is shown over the blank column. Returns the bytes written, or
// 0 when the line needs the cell-by-cell writer (nothing is changed then).
// avail >= 16 bytes may be read at d; out has room for column_room(16).
template <class Decoder>
[[gnu::always_inline]] inline int sjis_line16(ColumnState& st, const unsigned char* d, int avail, char* out,
                                              int* columns) {
  int first;
  if (!line16_ready<Decoder>(st, avail, &first)) return 0;
  const Window w(d, avail);
  const Chunk c = read_uncolored<Decoder>(st.decoder, w, 16, first);
  if (c.stop < 16 && !c.cut) return 0;
  simd::store(out, c.shown);
  if (first) out[0] = ' ';
  st.has_pending = false;
  if (!c.cut) {
    *columns = 16;
    return 16;
  }
  const Cell cell = Decoder::decode(st.decoder, d + 15, avail - 15);
  // The pair that the line's end cuts, over the blank column: what
  // put_cut_cell does for it, in line.
  if (cell.len == 2 && cell.cls == CellClass::multibyte && cell.at == 0 && cell.sjis >= 0x100) {
    st.pending = cell;
    st.has_pending = true;
    st.from = 1;
    st.shown_to = 2;
    *columns = 17;
    return 15 + put_cell<SjisEncoder>(cell, out + 15);
  }
  int shown;
  const int bytes = put_cut_cell<SjisEncoder>(st, cell, 1, out + 15, &shown);
  *columns = 15 + shown;
  return 15 + bytes;
}

// The same in the UTF-8 report: the chunk's Shift_JIS form written as UTF-8
// (put_utf8_chunk), a blank for the rest of a pair shown on the line before.
template <class Decoder>
[[gnu::always_inline]] inline int utf8_line16(ColumnState& st, const unsigned char* d, int avail, char* out,
                                              int* columns) {
  int first;
  if (!line16_ready<Decoder>(st, avail, &first)) return 0;
  const Window w(d, avail);
  const Chunk c = read_uncolored<Decoder>(st.decoder, w, 16, first);
  if (c.stop < 16 && !c.cut) return 0;
  out[0] = ' ';
  char* p = put_utf8_chunk(c, first, out + first);
  st.has_pending = false;
  if (!c.cut) {
    *columns = 16;
    return static_cast<int>(p - out);
  }
  const Cell cell = Decoder::decode(st.decoder, d + 15, avail - 15);
  // The pair that the line's end cuts, over the blank column: what
  // put_cut_cell does for it, in line.
  if (cell.len == 2 && cell.cls == CellClass::multibyte && cell.at == 0 && cell.sjis >= 0x100) {
    st.pending = cell;
    st.has_pending = true;
    st.from = 1;
    st.shown_to = 2;
    *columns = 17;
    return static_cast<int>(p - out) + put_cell<Utf8Encoder>(cell, p);
  }
  int shown;
  p += put_cut_cell<Utf8Encoder>(st, cell, 1, p, &shown);
  *columns = 15 + shown;
  return static_cast<int>(p - out);
}

// A whole line of sixteen bytes of UTF-8 input: the rest of a character
// begun on the line before, the cells after it (utf8_input_columns), and a
// character that the line's end cuts. Returns the bytes written.
template <class Encoder>
[[gnu::always_inline]] inline int utf8_input_line16(ColumnState& st, const unsigned char* d, int avail, char* out,
                                                    int* columns) {
  char* o = out;
  int off = 0;
  if (st.has_pending) {
    // A UTF-8 character stands in its first column: the columns after it
    // are blanks where the line before has shown it, points after that.
    const Cell& c = st.pending;
    const int shown_to = st.shown_to < c.len ? st.shown_to : c.len;
    std::memcpy(o, "   ", 3);
    std::memcpy(o + (shown_to > st.from ? shown_to - st.from : 0), "...", 3);
    off = c.len - st.from;
    o += off;
    st.from = c.len;
    st.has_pending = false;
  }
  off = utf8_input_columns<Encoder>(st.decoder, d, off, 16, avail, out, &o);
  while (off < 16) {
    const Cell c = Utf8Decoder::decode(st.decoder, d + off, avail - off);
    if (c.len == 1) {
      // A byte alone: itself where printable ASCII, else a point.
      *o++ = c.cls == CellClass::ascii ? static_cast<char>(c.cp) : '.';
      ++off;
      continue;
    }
    if (off + c.len <= 16) {
      o += put_rare_utf8_cell<Encoder>(c, o);
      off += c.len;
      continue;
    }
    int shown;
    if (c.len == 3 && c.cls == CellClass::multibyte) {
      o += put_cut_three_bytes<Encoder>(c.cp, d + off, 16 - off, o, &shown);
      st.pending = c;
      st.has_pending = true;
      st.from = 16 - off;
      st.shown_to = shown;
    } else {
      o += put_cut_cell<Encoder>(st, c, 16 - off, o, &shown);
    }
    *columns = off + shown;
    return static_cast<int>(o - out);
  }
  *columns = 16;
  return static_cast<int>(o - out);
}
#endif

// write_columns for a whole line of sixteen bytes, the commonest line: kept
// in line with the line's other steps, it tries the one-step paths first.
template <class Decoder, class Encoder>
[[gnu::always_inline]] inline int write_columns16(ColumnState& st, const unsigned char* d, int avail, char* out,
                                                  int* columns) {
#if defined(__SSE2__)
  if constexpr (Encoder::kMaxBytesPerColumn == 1 && ChunkReader<Decoder>::kHas &&
                !ChunkReader<Decoder>::kLeadsToFix) {
    if (int bytes = sjis_line16<Decoder>(st, d, avail, out, columns)) return bytes;
  }
  if constexpr (Encoder::kMaxBytesPerColumn > 1 && ChunkReader<Decoder>::kHas && !ChunkReader<Decoder>::kLeadsToFix) {
    if (int bytes = utf8_line16<Decoder>(st, d, avail, out, columns)) return bytes;
  }
  if constexpr (std::is_same_v<Decoder, Utf8Decoder>) return utf8_input_line16<Encoder>(st, d, avail, out, columns);
#endif
  return write_columns<Decoder, Encoder>(st, d, 16, avail, out, columns);
}

// The UTF-8 report of the n bytes of a text read on their own (a cell that
// their end cuts is no character): out has room for column_room(n) bytes.
// Returns the bytes written.
template <class Decoder>
int put_text_utf8(bool show_escapes, const unsigned char* data, int n, char* out) {
  ColumnState st;
  st.decoder.show_escapes = show_escapes;
  int columns;
  return write_columns<Decoder, Utf8Encoder>(st, data, n, n, out, &columns);
}

// The same for the n bytes of a block that is not shown: only the decoder's
// state and the pending cell move on, as if its lines of line_bytes bytes
// had been written.
template <class Decoder, class Encoder>
void skip_columns(ColumnState& st, const unsigned char* data, int n, int avail, int line_bytes) {
  char scratch[column_room<Encoder>(kMaxCellLength)];
  int off = 0;
  while (off < n) {
    const int line_end = off - off % line_bytes + line_bytes < n ? off - off % line_bytes + line_bytes : n;
    if (st.has_pending) {
      int cols, taken;
      put_pending<Encoder>(st, line_end - off, scratch, &cols, &taken);
      off += taken;
      continue;
    }
    Cell c = Decoder::decode(st.decoder, data + off, avail - off);
    if (off + c.len <= line_end) {
      off += c.len;
      continue;
    }
    int cols;
    put_cut_cell<Encoder>(st, c, line_end - off, scratch, &cols);
    off = line_end;
  }
}

// A cell that began earlier, on lines not written: its first first_part
// bytes on the line it starts on, then later_bytes more on the lines after
// it (of line_bytes bytes each); the rest is pending for the next line.
template <class Encoder>
void carry_cut_cell(ColumnState& st, const Cell& c, int first_part, int later_bytes, int line_bytes) {
  char scratch[column_room<Encoder>(kMaxCellLength)];
  int cols, taken;
  put_cut_cell<Encoder>(st, c, first_part, scratch, &cols);
  while (later_bytes > 0 && st.has_pending) {
    put_pending<Encoder>(st, later_bytes < line_bytes ? later_bytes : line_bytes, scratch, &cols, &taken);
    later_bytes -= taken;
  }
}

inline void carry_cut_cell(ColumnState& st, ReportEncoding encoding, const Cell& c, int first_part, int later_bytes,
                           int line_bytes) {
  if (encoding == ReportEncoding::utf8)
    carry_cut_cell<Utf8Encoder>(st, c, first_part, later_bytes, line_bytes);
  else
    carry_cut_cell<SjisEncoder>(st, c, first_part, later_bytes, line_bytes);
}

}  // namespace vesk
