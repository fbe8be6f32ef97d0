// The character column of a dump line, in the report's encoding: the cells
// of the line's bytes, one column a byte. A character that the line's end
// cuts is shown whole on the line where it starts when its form fits in the
// line's columns and the one after them (the blank before the bar); the
// columns of its bytes on the next lines show points, or blanks where the
// line before has shown its form already.
#pragma once

#include "text/decoder_state.h"
#include "text/encoders.h"

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
// them, at the most bytes a column.
template <class Encoder>
constexpr int column_room(int n) {
  return (n + 1) * Encoder::kMaxBytesPerColumn + 8;
}

// Shows columns of the pending cell on a line of n bytes; returns the bytes
// written and sets *columns and *taken (the line's bytes it covers).
template <class Encoder>
int put_pending(ColumnState& st, int n, char* out, int* columns, int* taken) {
  const Cell& c = st.pending;
  int take = c.len - st.from;
  if (take > n) take = n;
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
  st.from = 0;
  st.shown_to = 0;
  st.has_pending = true;
  int taken;
  return put_pending<Encoder>(st, k, out, columns, &taken);
}

// Writes the character column of the n bytes at data (avail >= n bytes may be
// read there: the line's, the rest of the block's and the look-ahead).
// Returns the bytes written; *columns gets the columns taken, n or n + 1.
template <class Decoder, class Encoder>
int write_columns(ColumnState& st, const unsigned char* data, int n, int avail, char* out, int* columns) {
  char* o = out;
  int off = 0;
  int cols = 0;
  if (st.has_pending) {
    int c;
    o += put_pending<Encoder>(st, n, o, &c, &off);
    cols = c;
  }
  while (off < n) {
    Cell c = Decoder::decode(st.decoder, data + off, avail - off);
    if (off + c.len <= n) {
      o += put_cell<Encoder>(c, o);
      off += c.len;
      cols = off;
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
