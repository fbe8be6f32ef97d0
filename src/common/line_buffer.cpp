#include "common/line_buffer.h"

#include <cstring>

namespace vesk {

LineBuffer list_line;
LineBuffer work_line;
LineBuffer side_line;
char blank_area[kBlankAreaSize];
unsigned char r_buff[kBlockBufSize];
unsigned char r_buff1[kBlockBufSize];

void LineBuffer::fill_blanks() {
  std::memset(data, ' ', kLineBufSize - 1);
  data[kLineBufSize - 1] = '\0';
}

int LineBuffer::put(int col, const char* text, int n) {
  if (col < 0) return col;
  int room = kLineBufSize - 1 - col;
  int k = n < room ? n : room;
  if (k > 0) std::memcpy(data + col, text, static_cast<std::size_t>(k));
  return col + (n > 0 ? n : 0);
}

int LineBuffer::put(int col, const char* text) {
  return put(col, text, static_cast<int>(std::strlen(text)));
}

int LineBuffer::put_end(int col, const char* text) {
  int end = put(col, text);
  end_at(end);
  return end;
}

void LineBuffer::end_at(int col) {
  if (col >= 0 && col < kLineBufSize) data[col] = '\0';
}

}  // namespace vesk
