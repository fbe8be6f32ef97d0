// A report line in the making: fixed size, every write bounded.
#pragma once

#include <cstddef>
#include <cstring>

namespace vesk {

constexpr int kLineBufSize = 2148;  // 2,147 columns and a terminating zero

struct LineBuffer {
  char data[kLineBufSize];

  LineBuffer() { fill_blanks(); }

  // 2,147 blanks and a terminating zero.
  void fill_blanks() {
    std::memset(data, ' ', kLineBufSize - 1);
    data[kLineBufSize - 1] = '\0';
  }
  // Copies n bytes to column col; bytes that would pass the last column are
  // dropped. Returns the column after the last byte written.
  int put(int col, const char* text, int n) {
    if (col < 0) return col;
    int room = kLineBufSize - 1 - col;
    int k = n < room ? n : room;
    if (k > 0) std::memcpy(data + col, text, static_cast<std::size_t>(k));
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
  // n blanks from column col, then the end of the line. Returns col + n.
  int put_blanks(int col, int n) {
    if (n > 0 && col >= 0) {
      int k = kLineBufSize - 1 - col < n ? kLineBufSize - 1 - col : n;
      if (k > 0) std::memset(data + col, ' ', static_cast<std::size_t>(k));
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
};

}  // namespace vesk
