// A report line in the making: fixed size, every write bounded. It holds the
// line's Shift_JIS form, one byte a column, and the cells whose UTF-8 form is
// their own (characters decoded from another code, which their Shift_JIS
// form may not hold): the report writes those through the UTF-8 encoder.
// When the report is colored it also holds the style of spans of columns,
// which the report writes as SGR sequences.
#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

#include "common/short_copy.h"
#include "text/cell.h"
#include "text/color.h"

namespace vesk {

constexpr int kLineBufSize = 2148;  // 2,147 columns and a terminating zero

// A cell laid over columns [col, col + cell.len) of a line.
struct LineCell {
  int col;
  Cell cell;
};

// Columns [from, to) of a line in a style.
struct LineStyle {
  int from;
  int to;
  Style style;
};

struct LineBuffer {
  char data[kLineBufSize];
  std::vector<LineCell> cells;  // by column, none overlapping
  // Spans in a style, a later one over an earlier one; kept only when styled.
  std::vector<LineStyle> styles;
  bool styled = false;      // the report is colored: set once
  Style pen = Style::none;  // the style of what put() writes (only when styled)

  LineBuffer() { fill_blanks(); }

  // 2,147 blanks and a terminating zero.
  void fill_blanks() {
    std::memset(data, ' ', kLineBufSize - 1);
    data[kLineBufSize - 1] = '\0';
    cells.clear();
    styles.clear();
  }
  // Columns [from, to) are in style s (when styled). Out of line: the
  // uncolored report never calls it.
  void paint(int from, int to, Style s);
  // Copies n bytes to column col; bytes that would pass the last column are
  // dropped. Returns the column after the last byte written.
  int put(int col, const char* text, int n) {
    if (col < 0) return col;
    int room = kLineBufSize - 1 - col;
    int k = n < room ? n : room;
    if (k > 0) {
      if (!cells.empty()) drop_cells(col, col + k);
      copy_short(data + col, text, k);
      if (pen != Style::none) paint(col, col + k, pen);
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
  // A blank at column col, in no style, then the end of the line. Returns
  // col + 1.
  int put_blank(int col) {
    if (col >= 0 && col < kLineBufSize - 1) {
      if (!cells.empty()) drop_cells(col, col + 1);
      data[col] = ' ';
    }
    end_at(col + 1);
    return col + 1;
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

// Sets a line's pen for as long as it lives, then puts the one before back.
class PenScope {
 public:
  PenScope(LineBuffer& line, Style style) : line_(line), before_(line.pen) {
    if (line.styled) line.pen = style;
  }
  ~PenScope() { line_.pen = before_; }
  PenScope(const PenScope&) = delete;
  PenScope& operator=(const PenScope&) = delete;

 private:
  LineBuffer& line_;
  Style before_;
};

}  // namespace vesk
