#include "formatted/value_render.h"

#include <cstring>

#include "common/decimal_digits.h"
#include "common/digits.h"
#include "format/item_types.h"
#include "formatted/element_value.h"
#include "formatted/value_text.h"
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

// The values that reach the line's end follow the wrap rules, through these;
// kept out of line, so that the values that fit, the common case, take the
// short way.

// The characters of a text element in the item's code, one column a byte,
// each kept whole on its line: one column, or a pair, wraps as Shift_JIS
// text does; a wider character goes to the next line when it would pass the
// width.
[[gnu::noinline]] int put_text_wrapping(FormPrinter& p, int col, const unsigned char* data, int& pos,
                                        const ItemInf& m, int n) {
  const int w = p.view.line_width;
  const Codec& codec = p.view.text_codec(m);
  const bool own_utf8 = codec.mode != CharMode::sjis;
  LineBuffer& line = p.line;
  col = line.put(col, "[", 1);
  line.end_at(col);
  TextCells cells(codec, p.view.show_ctrl, data + pos, n);
  while (const Cell* next = cells.next()) {
    const Cell& c = *next;
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

[[gnu::noinline]] int put_hex_wrapping(FormPrinter& p, int col, const unsigned char* data, int& pos, int n) {
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

// A number of any type: its text, or, for a decimal whose bytes are no
// number, the bytes as put_cut_rest shows them.
[[gnu::noinline]] int put_number_wrapping(FormPrinter& p, int col, const unsigned char* data, int& pos,
                                          const ItemInf& m, int n) {
  char text[kValueTextSize];
  int len = element_text(m, data + pos, p.view.list_order, text);
  int at = pos;
  pos += n;
  if (len == kNoValue) return put_cut_rest(p, col, data, at, n);
  // A float that is no number stands out as what could not be read.
  PenScope pen(p.line, is_nan_text(text, len) ? p.style_of_unread() : p.line.pen);
  return put_bracketed(p, col, text, len);
}

// The characters of a text element that fits, laid over the line as cells
// (characters of another code in a UTF-8 report, which writes them in their
// own form). The line has room past the element for what put_cell may
// write there.
int put_text_cells(FormPrinter& p, int col, const unsigned char* bytes, const Codec& codec, int n) {
  LineBuffer& line = p.line;
  char* const out = line.data;
  out[col] = '[';
  int at = col + 1;
  TextCells cells(codec, p.view.show_ctrl, bytes, n);
  while (const Cell* c = cells.next()) {
    put_cell<SjisEncoder>(*c, out + at);
    if (c->len > 1 && c->shows_character()) line.cells.push_back(LineCell{at, *c});
    at += c->len;
  }
  std::memcpy(out + at, "] ", 3);
  return at + 2;
}

// The columns a form keeps for a value of n bytes: per_byte * n + extra in
// the list form, per_byte * n + room_extra after a first value in the
// difference listing; per_byte 0: none, the value wraps by itself.
struct Columns {
  int per_byte;
  int list_extra;
  int room_extra;
};

Columns columns_of(ValueForm form) {
  switch (form) {
    case ValueForm::text:
      return {1, 2, 6};
    case ValueForm::hex:
      return {2, 3, 5};
    default:
      return {0, 0, 0};
  }
}

ValueForm form_of(const ItemInf& m) {
  const ItemType* t = item_type(m.type);
  return t != nullptr ? t->form : ValueForm::structure;
}

}  // namespace

int put_value_straight(FormPrinter& p, int col, const unsigned char* data, int pos, const ItemInf& m, int len,
                       ValueForm form) {
  // The columns from col may be written straight when no cell laid over the
  // line reaches them (cells lie before the column being written; a line
  // with none is the common case), and the value ends within the width. A
  // colored line paints each value: it takes the longer way.
  const std::vector<LineCell>& cells = p.line.cells;
  if (p.line.styled || col < 0 || (!cells.empty() && cells.back().col + cells.back().cell.len > col)) return -1;
  const int w = p.view.line_width < kLineBufSize - 1 ? p.view.line_width : kLineBufSize - 1;
  int most = 0;  // the longest text the value may have
  switch (form) {
    case ValueForm::text:
      // No character wraps and the closing "] " follows whole.
      if (col + len + 3 > w) return -1;
      if (p.view.text_codec(m).mode != CharMode::sjis && p.report.sink().utf8())
        return put_text_cells(p, col, data + pos, p.view.text_codec(m), len);
      most = len + 3;
      break;
    case ValueForm::hex:
      if (col + 2 * len + 3 > w) return -1;
      most = 2 * len + 3;
      break;
    case ValueForm::signed_int:
    case ValueForm::unsigned_int:
    case ValueForm::pointer:
    case ValueForm::float32:
    case ValueForm::float64:
      // A number's length is known once it is written: one that passes the
      // width takes the wrap rules' way, and is written again there.
      if (len != numeric_size(m.type)) return -1;
      most = kValueTextSize + 3;
      break;
    case ValueForm::packed:
    case ValueForm::zoned:
    case ValueForm::structure:
      return -1;
  }
  if (col + most + 1 > kLineBufSize) return -1;
  char* out = p.line.data + col;
  const int n =
      put_values_text(out, data + pos, len, 1, form, p.view.text_codec(m), p.view.show_ctrl, p.view.list_order);
  if (col + n > w) {
    out[0] = '\0';
    return -1;
  }
  out[n] = '\0';
  return col + n;
}

int write_line(FormPrinter& p) {
  p.report.put_line(p.line);
  PenScope blank(p.line, Style::none);
  int col = p.line.put(0, "       ", 7);
  p.line.end_at(col);
  return col;
}

int line_wrap(FormPrinter& p, int col, int n) { return col + n > p.view.line_width ? write_line(p) : col; }

int put_offset(FormPrinter& p, int pos) {
  char* t = p.line.data;
  if (pos >= 0 && pos <= (p.view.dec ? 9999 : 0xFFFF) && p.line.cells.empty() && !p.line.styled) {
    // Four digits, the case of every in-block position, written in place.
    t[0] = ' ';
    put_four_digits(t + 1, static_cast<unsigned>(pos), p.view.dec ? 10 : 16);
    std::memcpy(t + 5, ": ", 3);
    return 7;
  }
  char text[kDecimalTextSize + 4];
  text[0] = ' ';
  int n = put_padded_digits(text + 1, static_cast<std::uint64_t>(pos), p.view.dec, 4);
  text[n + 1] = ':';
  text[n + 2] = ' ';
  int col = p.line.put(0, text, n + 3);
  if (p.line.styled) p.line.paint(0, n + 2, Style::position);
  p.line.end_at(col);
  return col;
}

int put_value(FormPrinter& p, int col, const unsigned char* data, int& pos, const ItemInf& m, int len) {
  const ItemType* t = item_type(m.type);
  if (t == nullptr) return col;
  return put_value(p, col, data, pos, m, len, t->form);
}

int put_value(FormPrinter& p, int col, const unsigned char* data, int& pos, const ItemInf& m, int len,
              ValueForm form) {
  if (len < 0) return col;
  const int end = put_value_straight(p, col, data, pos, m, len, form);
  if (end >= 0) {
    pos += len;
    return end;
  }
  // In the style of the value's kind, when the report is colored.
  PenScope pen(p.line, p.line.styled ? p.style_of_value(m) : Style::none);
  switch (form) {
    case ValueForm::text:
      return put_text_wrapping(p, col, data, pos, m, len);
    case ValueForm::hex:
      return put_hex_wrapping(p, col, data, pos, len);
    default:
      return put_number_wrapping(p, col, data, pos, m, len);
  }
}

int value_columns(const ItemInf& m, int len) { return value_columns(form_of(m), len); }

int value_columns(ValueForm form, int len) {
  const Columns c = columns_of(form);
  return c.per_byte == 0 ? 0 : c.per_byte * len + c.list_extra;
}

int value_room(const ItemInf& m, int len) {
  const Columns c = columns_of(form_of(m));
  return c.per_byte == 0 ? 0 : c.per_byte * len + c.room_extra;
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
