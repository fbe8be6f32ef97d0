#include "formatted/value_render.h"

#include <cstring>

#include "common/digits.h"
#include "format/item_types.h"
#include "formatted/element_value.h"
#include "text/text_cells.h"

namespace vesk {

namespace {

bool is_nan_text(const char* text, int len) { return len == 3 && std::memcmp(text, "NAN", 3) == 0; }

// The blank after a value, in no style: a value's color ends before it.
int put_blank(FormPrinter& p, int col) { return p.line.put_blank(col); }

// "[" text "] ", on a continuation line first when it would pass the width.
int put_bracketed(FormPrinter& p, int col, const char* text, int len) {
  char t[kValueTextSize + 4];
  t[0] = '[';
  std::memcpy(t + 1, text, static_cast<std::size_t>(len));
  t[len + 1] = ']';
  if (len + 3 + col > p.view.line_width) col = write_line(p);
  col = p.line.put(col, t, len + 2);
  return put_blank(p, col);
}

// The characters of a text element in the item's code, one column a byte,
// each kept whole on its line: one column, or a pair, wraps as Shift_JIS
// text does; a wider character goes to the next line when it would pass the
// width.
int put_text(FormPrinter& p, int col, const unsigned char* data, int& pos, const ItemInf& m, int n) {
  const int w = p.view.line_width;
  const Codec& codec = p.view.text_codec(m);
  const bool own_utf8 = codec.mode != CharMode::sjis;
  LineBuffer& line = p.line;
  col = line.put(col, "[", 1);
  line.end_at(col);
  TextCells cells(codec, p.view.show_ctrl, data + pos, n);
  Cell c;
  while (cells.next(c)) {
    bool wrap_first = c.len == 1 ? col + 1 >= w : (c.len > 2 && col + c.len > w);
    if (wrap_first) {
      line.end_at(col);
      col = write_line(p);
    }
    char form[kMaxCellLength];
    put_cell<SjisEncoder>(c, form);
    col = line.put_cell(col, form, c, own_utf8 && c.len > 1 && c.shows_character());
    if (c.len > 1 && col + 1 >= w) {
      line.end_at(col);
      col = write_line(p);
    }
  }
  const bool blank = col + 2 <= w;
  col = line.put(col, "]", 1);
  line.end_at(col);
  pos += n;
  return blank ? put_blank(p, col) : col;
}

int put_hex(FormPrinter& p, int col, const unsigned char* data, int& pos, const ItemInf&, int n) {
  LineBuffer& line = p.line;
  col = line.put(col, "[", 1);
  line.end_at(col);
  for (int i = 0; i < n; ++i) {
    if (col + 3 > p.view.line_width) col = write_line(p);
    col = line.put(col, kHexPairs.digits[data[pos + i]], 2);
    line.end_at(col);
  }
  const bool blank = col + 2 <= p.view.line_width;
  col = line.put(col, "]", 1);
  line.end_at(col);
  pos += n;
  return blank ? put_blank(p, col) : col;
}

int put_number(FormPrinter& p, int col, const unsigned char* data, int& pos, const ItemInf& m, int n) {
  char text[kValueTextSize];
  int len = element_text(m, data + pos, p.view.list_order, text);
  int at = pos;
  pos += n;
  if (len == kNoValue) return put_cut_rest(p, col, data, at, n);
  // A float that is no number stands out as what could not be read.
  PenScope pen(p.line, is_nan_text(text, len) ? p.style_of_unread() : p.line.pen);
  return put_bracketed(p, col, text, len);
}

// The renderer of each form of value.
struct Renderer {
  int (*put)(FormPrinter& p, int col, const unsigned char* data, int& pos, const ItemInf& m, int n);
  // The columns of a value of n bytes kept by the list form (per_byte * n +
  // list_extra) and the room the difference listing keeps after a first
  // value (per_byte * n + room_extra); per_byte 0: none, the value wraps by
  // itself.
  int per_byte;
  int list_extra;
  int room_extra;
};

const Renderer& renderer_of(const ItemInf& m) {
  static constexpr Renderer kText{&put_text, 1, 2, 6};
  static constexpr Renderer kHex{&put_hex, 2, 3, 5};
  static constexpr Renderer kNumber{&put_number, 0, 0, 0};
  const ItemType* t = item_type(m.type);
  if (t != nullptr && t->form == ValueForm::text) return kText;
  if (t != nullptr && t->form == ValueForm::hex) return kHex;
  return kNumber;
}

}  // namespace

int write_line(FormPrinter& p) {
  p.report.put_line(p.line);
  PenScope blank(p.line, Style::none);
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
  if (p.line.styled) p.line.paint(0, n + 2, Style::position);
  p.line.end_at(col);
  return col;
}

int put_value(FormPrinter& p, int col, const unsigned char* data, int& pos, const ItemInf& m, int len) {
  if (item_type(m.type) == nullptr || len < 0) return col;
  PenScope pen(p.line, p.style_of_value(m));
  return renderer_of(m).put(p, col, data, pos, m, len);
}

int value_columns(const ItemInf& m, int len) {
  const Renderer& r = renderer_of(m);
  return r.per_byte == 0 ? 0 : r.per_byte * len + r.list_extra;
}

int value_room(const ItemInf& m, int len) {
  const Renderer& r = renderer_of(m);
  return r.per_byte == 0 ? 0 : r.per_byte * len + r.room_extra;
}

int put_cut_rest(FormPrinter& p, int col, const unsigned char* data, int pos, int n) {
  const int w = p.view.line_width;
  PenScope pen(p.line, p.style_of_unread());
  if (col + 3 * n + 2 > w) col = write_line(p);
  col = p.line.put_end(col, "[");
  for (int i = 0; i < n; ++i) {
    if (col + 3 > w) col = write_line(p);
    col = p.line.put(col, kHexPairs.digits[data[pos + i]], 2);
    p.line.end_at(col);
  }
  const bool blank = col + 3 <= w;
  col = p.line.put_end(col, "]x");
  return blank ? put_blank(p, col) : col;
}

}  // namespace vesk
