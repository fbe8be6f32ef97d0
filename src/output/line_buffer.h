// A report line in the making: fixed size, every write bounded. It holds the
// line's Shift_JIS form, one byte a column, and the cells whose UTF-8 form is
// their own (characters decoded from another code, which their Shift_JIS
// form may not hold): the report writes those through the UTF-8 encoder.
#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

#include "common/short_copy.h"
#include "text/cell.h"

namespace vesk {

constexpr int kLineBufSize = 2148;  // 2,147 columns and a terminating zero

// A cell laid over columns [col, col + cell.len) of a line.
struct LineCell {
  int col;
  Cell cell;
};

struct LineBuffer {
  char data[kLineBufSize];
  std::vector<LineCell> cells;  // by column, none overlapping

  LineBuffer() { fill_blanks(); }

  // 2,147 blanks and a terminating zero.
  void fill_blanks() {
    std::memset(data, ' ', kLineBufSize - 1);
    data[kLineBufSize - 1] = '\0';
    cells.clear();
  }
  // Copies n bytes to column col; bytes that would pass the last column are
  // dropped. Returns the column after the last byte written.
  int put(int col, const char* text, int n) {
    if (col < 0) return col;
    int room = kLineBufSize - 1 - col;
    int k = n < room ? n : room;
    if (k > 0) {
      if (!cells.empty()) drop_cells(col, col + k);
      copy_short(data + col, text, k);
    }
    return col + (n > 0 ? n : 0);
  }
  // Copies a zero-terminated text (without its terminator).
  int put(int col, const char* text) { return put(col, text, static_cast<int>(std::strlen(text))); }
  // Copies a text and its terminator, so the line ends after it.
  int put_end(int col, const char* text) {
    int end = put(col, text);
    end_at(end);
    return end;
  }
  // The Shift_JIS form of a cell (its n columns) at col; with utf8_own, the
  // cell's UTF-8 form is written in their place in a UTF-8 report.
  int put_cell(int col, const char* sjis_form, const Cell& cell, bool utf8_own) {
    int end = put(col, sjis_form, cell.len);
    if (utf8_own && end <= kLineBufSize - 1) cells.push_back(LineCell{col, cell});
    return end;
  }
  // n blanks from column col, then the end of the line. Returns col + n.
  int put_blanks(int col, int n) {
    if (n > 0 && col >= 0) {
      int k = kLineBufSize - 1 - col < n ? kLineBufSize - 1 - col : n;
      if (k > 0) {
        if (!cells.empty()) drop_cells(col, col + k);
        fill_blanks_short(data + col, k);
      }
      col += n;
    }
    end_at(col);
    return col;
  }
  // Ends the line at column col (a zero byte there), when col is inside the buffer.
  void end_at(int col) {
    if (col >= 0 && col < kLineBufSize) data[col] = '\0';
  }
  char* c_str() { return data; }
  const char* c_str() const { return data; }

 private:
  // A write over a cell's columns replaces the cell.
  void drop_cells(int from, int to) {
    std::size_t k = 0;
    for (const LineCell& c : cells)
      if (c.col + c.cell.len <= from || c.col >= to) cells[k++] = c;
    cells.resize(k);
  }
};

}  // namespace vesk
