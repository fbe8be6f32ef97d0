#include "formatted/value_render.h"

#include <cstdio>
#include <cstring>

#include "dump/char_decode.h"
#include "formatted/element_value.h"
#include "formatted/item_text.h"
#include "main/settings.h"
#include "output/report.h"

namespace vesk {

namespace {

int width() { return settings.line_width; }

// "[" text "] ", on a continuation line first when it would pass the width.
int put_bracketed(LineBuffer& line, int col, const char* text, int len) {
  char t[kValueTextSize + 4];
  t[0] = '[';
  std::memcpy(t + 1, text, static_cast<std::size_t>(len));
  t[len + 1] = ']';
  t[len + 2] = ' ';
  if (len + 3 + col > width()) col = write_line(line);
  col = line.put(col, t, len + 3);
  line.end_at(col);
  return col;
}

constexpr char kLowerHex[] = "0123456789abcdef";
constexpr char kUpperHex[] = "0123456789ABCDEF";

}  // namespace

int write_line(LineBuffer& line) {
  put_line(line.c_str());
  int col = line.put(0, "       ", 7);
  line.end_at(col);
  return col;
}

int put_blanks(LineBuffer& line, int col, int n) {
  if (n > 0 && col >= 0) {
    // Blanks that would pass the last column are dropped, as LineBuffer::put does.
    int k = kLineBufSize - 1 - col < n ? kLineBufSize - 1 - col : n;
    if (k > 0) std::memset(line.data + col, ' ', static_cast<std::size_t>(k));
    col += n;
  }
  line.end_at(col);
  return col;
}

int line_wrap(LineBuffer& line, int col, int n) {
  return col + n > width() ? write_line(line) : col;
}

int put_offset(LineBuffer& line, int pos) {
  char t[24];
  if (pos < 0 || pos > 9999) {
    std::snprintf(t, sizeof t, settings.dec_mode ? " %04d: " : " %04X: ", pos);
    return line.put_end(0, t);
  }
  // Four digits, the case of every in-block position.
  unsigned v = static_cast<unsigned>(pos);
  t[0] = ' ';
  if (settings.dec_mode) {
    t[1] = static_cast<char>('0' + v / 1000);
    t[2] = static_cast<char>('0' + v / 100 % 10);
    t[3] = static_cast<char>('0' + v / 10 % 10);
    t[4] = static_cast<char>('0' + v % 10);
  } else {
    t[1] = kUpperHex[(v >> 12) & 15];
    t[2] = kUpperHex[(v >> 8) & 15];
    t[3] = kUpperHex[(v >> 4) & 15];
    t[4] = kUpperHex[v & 15];
  }
  t[5] = ':';
  t[6] = ' ';
  int col = line.put(0, t, 7);
  line.end_at(col);
  return col;
}

int put_char_value(LineBuffer& line, int col, const unsigned char* data, int& pos, int n) {
  const unsigned char* p = data + pos;
  const bool sjis = sjis_mode();
  const int w = width();
  col = line.put(col, "[", 1);
  line.end_at(col);
  // The line is ended (its zero byte written) only where it is written out:
  // before a wrap, and by the closing bracket.
  int i = 0;
  while (i < n) {
    if (sjis && n - i >= 2 && iskanji_sjis(p[i], p[i + 1])) {
      col = line.put(col, reinterpret_cast<const char*>(p + i), 2);
      i += 2;
      if (col + 1 >= w) {
        line.end_at(col);
        col = write_line(line);
      }
      continue;
    }
    if (col + 1 >= w) {
      line.end_at(col);
      col = write_line(line);
    }
    unsigned char b = p[i];
    bool shown = (b >= 0x20 && b <= 0x7E) || (sjis && b >= 0xA1 && b <= 0xDF);
    char c = shown ? static_cast<char>(b) : '.';
    col = line.put(col, &c, 1);
    ++i;
  }
  col = line.put(col, "] ", col + 2 > w ? 1 : 2);
  line.end_at(col);
  pos += n;
  return col;
}

int put_hex_value(LineBuffer& line, int col, const unsigned char* data, int& pos, int n) {
  col = line.put(col, "[", 1);
  line.end_at(col);
  for (int i = 0; i < n; ++i) {
    if (col + 3 > width()) col = write_line(line);
    const char t[2] = {kLowerHex[data[pos + i] >> 4], kLowerHex[data[pos + i] & 15]};
    col = line.put(col, t, 2);
    line.end_at(col);
  }
  col = line.put(col, "] ", col + 2 > width() ? 1 : 2);
  line.end_at(col);
  pos += n;
  return col;
}

int put_short_value(LineBuffer& line, int col, const unsigned char* data, int& pos, char type) {
  char text[kValueTextSize];
  int len = element_text(type == 's' ? 's' : 'S', data + pos, list_byte_order(), text);
  pos += 2;
  return put_bracketed(line, col, text, len);
}

int put_long_value(LineBuffer& line, int col, const unsigned char* data, int& pos, char type) {
  char text[kValueTextSize];
  int len = element_text(type == 'l' || type == 'i' ? 'l' : 'L', data + pos, list_byte_order(), text);
  pos += 4;
  return put_bracketed(line, col, text, len);
}

int put_pointer_value(LineBuffer& line, int col, const unsigned char* data, int& pos, int bytes) {
  uint64_t v = read_element(data + pos, 4, list_byte_order());
  if (bytes == 2) v &= 0xFFFF;
  char text[kValueTextSize];
  int len = std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(v));
  pos += bytes;
  return put_bracketed(line, col, text, len);
}

int put_float_value(LineBuffer& line, int col, const unsigned char* data, int& pos) {
  char text[kValueTextSize];
  int len = element_text('f', data + pos, list_byte_order(), text);
  pos += 4;
  return put_bracketed(line, col, text, len);
}

int put_double_value(LineBuffer& line, int col, const unsigned char* data, int& pos) {
  char text[kValueTextSize];
  int len = element_text('d', data + pos, list_byte_order(), text);
  pos += 8;
  return put_bracketed(line, col, text, len);
}

int put_numeric_value(LineBuffer& line, int col, const unsigned char* data, int& pos, char type) {
  switch (type) {
    case 's': case 'S': return put_short_value(line, col, data, pos, type);
    case 'i': case 'I': case 'l': case 'L': return put_long_value(line, col, data, pos, type);
    case 'p': case 'P': return put_pointer_value(line, col, data, pos, 4);
    case 'f': return put_float_value(line, col, data, pos);
    case 'd': return put_double_value(line, col, data, pos);
    default: return col;
  }
}

}  // namespace vesk
