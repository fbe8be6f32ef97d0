// The shared report line buffers: fixed size, every write bounded.
#pragma once

#include <cstddef>
#include <cstring>

namespace vesk {

constexpr int kLineBufSize = 2148;  // 2,147 columns and a terminating zero

struct LineBuffer {
  char data[kLineBufSize];

  // 2,147 blanks and a terminating zero.
  void fill_blanks();
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
  // Ends the line at column col (a zero byte there), when col is inside the buffer.
  void end_at(int col) {
    if (col >= 0 && col < kLineBufSize) data[col] = '\0';
  }
  char* c_str() { return data; }
  const char* c_str() const { return data; }
};

extern LineBuffer list_line;
extern LineBuffer work_line;
extern LineBuffer side_line;

constexpr int kBlankAreaSize = 256;
extern char blank_area[kBlankAreaSize];

// Block buffers: a block of up to 4,096 bytes, two look-ahead bytes and a zero.
constexpr int kMaxBlockSize = 4096;
constexpr int kBlockBufSize = kMaxBlockSize + 5;
extern unsigned char r_buff[kBlockBufSize];
extern unsigned char r_buff1[kBlockBufSize];

}  // namespace vesk
