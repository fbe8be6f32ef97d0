#include "formatted/value_render.h"

#include <cstring>

#include "common/digits.h"
#include "dump/char_decode.h"
#include "format/item_types.h"
#include "formatted/coded_chars.h"
#include "formatted/element_value.h"
#include "formatted/item_text.h"

namespace vesk {

namespace {

// "[" text "] ", on a continuation line first when it would pass the width.
int put_bracketed(FormPrinter& p, int col, const char* text, int len) {
  char t[kValueTextSize + 4];
  t[0] = '[';
  std::memcpy(t + 1, text, static_cast<std::size_t>(len));
  t[len + 1] = ']';
  t[len + 2] = ' ';
  if (len + 3 + col > p.view.line_width) col = write_line(p);
  col = p.line.put(col, t, len + 3);
  p.line.end_at(col);
  return col;
}

// put_char_value under #CODE: the characters of the stated code, one column
// a byte, each kept whole on its line.
int put_coded_value(FormPrinter& p, int col, const unsigned char* data, int& pos, int n, CharMode code) {
  const int w = p.view.line_width;
  LineBuffer& line = p.line;
  col = line.put(col, "[", 1);
  line.end_at(col);
  CodedChars chars(code, p.view.show_ctrl, data + pos, n);
  CodedUnit u;
  while (chars.next(u)) {
    // One column, or a pair, wraps as the Shift_JIS text does; a wider
    // character goes to the next line when it would pass the width.
    bool wrap_first = u.len == 1 ? col + 1 >= w : (u.len > 2 && col + u.len > w);
    if (wrap_first) {
      line.end_at(col);
      col = write_line(p);
    }
    col = line.put(col, u.cols, u.len);
    if (u.len > 1 && col + 1 >= w) {
      line.end_at(col);
      col = write_line(p);
    }
  }
  col = line.put(col, "] ", col + 2 > w ? 1 : 2);
  line.end_at(col);
  pos += n;
  return col;
}

}  // namespace

int write_line(FormPrinter& p) {
  p.report.put_line(p.line.c_str());
  int col = p.line.put(0, "       ", 7);
  p.line.end_at(col);
  return col;
}

int line_wrap(FormPrinter& p, int col, int n) { return col + n > p.view.line_width ? write_line(p) : col; }

int put_offset(FormPrinter& p, int pos) {
  const unsigned base = p.view.dec ? 10 : 16;
  char t[kDecimalTextSize + 4];
  t[0] = ' ';
  // Four digits, the case of every in-block position; more when it needs them.
  int n = pos >= 0 && pos <= (p.view.dec ? 9999 : 0xFFFF) ? (put_four_digits(t + 1, static_cast<unsigned>(pos), base), 4)
                                                         : put_digits(t + 1, static_cast<std::uint64_t>(pos), base, 4);
  t[n + 1] = ':';
  t[n + 2] = ' ';
  int col = p.line.put(0, t, n + 3);
  p.line.end_at(col);
  return col;
}

int put_char_value(FormPrinter& p, int col, const unsigned char* data, int& pos, int n, TextCode code) {
  if (code.coded) return put_coded_value(p, col, data, pos, n, code.code);
  const unsigned char* d = data + pos;
  const bool sjis = sjis_mode(p.view.char_mode);
  const int w = p.view.line_width;
  LineBuffer& line = p.line;
  col = line.put(col, "[", 1);
  line.end_at(col);
  // The line is ended (its zero byte written) only where it is written out:
  // before a wrap, and by the closing bracket.
  int i = 0;
  while (i < n) {
    if (sjis && n - i >= 2 && iskanji_sjis(d[i], d[i + 1])) {
      col = line.put(col, reinterpret_cast<const char*>(d + i), 2);
      i += 2;
      if (col + 1 >= w) {
        line.end_at(col);
        col = write_line(p);
      }
      continue;
    }
    if (col + 1 >= w) {
      line.end_at(col);
      col = write_line(p);
    }
    unsigned char b = d[i];
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

int put_hex_value(FormPrinter& p, int col, const unsigned char* data, int& pos, int n) {
  LineBuffer& line = p.line;
  col = line.put(col, "[", 1);
  line.end_at(col);
  for (int i = 0; i < n; ++i) {
    if (col + 3 > p.view.line_width) col = write_line(p);
    col = line.put(col, kHexPairs.digits[data[pos + i]], 2);
    line.end_at(col);
  }
  col = line.put(col, "] ", col + 2 > p.view.line_width ? 1 : 2);
  line.end_at(col);
  pos += n;
  return col;
}

int put_numeric_value(FormPrinter& p, int col, const unsigned char* data, int& pos, const ItemInf& m) {
  const ItemType* t = item_type(m.type);
  int n = has_item_length(m.type) ? m.length : (t != nullptr ? t->size : 0);
  if (t == nullptr || n <= 0) return col;
  char text[kValueTextSize];
  int len = element_text(m, data + pos, p.view.list_order, text);
  int at = pos;
  pos += n;
  if (len == kNoValue) return put_cut_rest(p, col, data, at, n);
  return put_bracketed(p, col, text, len);
}

int put_numeric_value(FormPrinter& p, int col, const unsigned char* data, int& pos, char type) {
  ItemInf m;
  m.type = type;
  return put_numeric_value(p, col, data, pos, m);
}

int put_cut_rest(FormPrinter& p, int col, const unsigned char* data, int pos, int n) {
  const int w = p.view.line_width;
  if (col + 3 * n + 2 > w) col = write_line(p);
  col = p.line.put_end(col, "[");
  for (int i = 0; i < n; ++i) {
    if (col + 3 > w) col = write_line(p);
    col = p.line.put(col, kHexPairs.digits[data[pos + i]], 2);
    p.line.end_at(col);
  }
  return p.line.put_end(col, col + 3 > w ? "]x" : "]x ");
}

}  // namespace vesk
