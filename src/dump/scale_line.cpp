#include "dump/scale_line.h"

#include <cstring>

#include "common/digits.h"

namespace vesk {

namespace {

// Writes text and its terminator at col, never past the buffer.
void put_at(char* buf, int size, int col, const char* text) {
  int n = static_cast<int>(std::strlen(text));
  if (col < 0 || col >= size) return;
  if (n > size - 1 - col) n = size - 1 - col;
  std::memcpy(buf + col, text, static_cast<std::size_t>(n));
  buf[col + n] = '\0';
}

}  // namespace

// The digit of byte i under the second hex digit of that byte (with the pair
// spacing of the dump line), then every digit over the character column.
// Only units are shown: 16 (10 under -D) repeats 0.
std::string ScaleHeading::build(int shift) const {
  DumpLayout layout = layout_;
  layout.shift = shift;
  const int lb = layout.line_bytes;
  const unsigned base = layout.dec ? 10 : 16;
  const int size = lb * 4 + 30 + layout.shift;
  std::string buf(static_cast<std::size_t>(size), ' ');
  buf[static_cast<std::size_t>(size - 1)] = '\0';
  char* b = buf.data();
  if (!layout.chars_only) {
    int p = layout.hex_start() - 1;
    for (int i = 0; i < lb; ++i) {
      if (i % 2 == 0) p += 1;
      const char digit[4] = {' ', kUpperHexDigits[static_cast<unsigned>(i) % base], ' ', '\0'};
      put_at(b, size, p, digit);
      p += 2;
    }
    put_at(b, size, p, "   ");
  }
  for (int i = 0; i < lb; ++i) {
    int col = layout.char_start() + i;
    if (col >= 0 && col < size - 1) b[col] = kUpperHexDigits[static_cast<unsigned>(i) % base];
  }
  int end = layout.char_start() + lb;
  if (end >= 0 && end < size) b[end] = '\0';
  return std::string(b, std::strlen(b));
}

}  // namespace vesk
