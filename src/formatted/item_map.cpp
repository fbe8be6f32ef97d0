#include "formatted/item_map.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "common/decimal_digits.h"
#include "common/digits.h"
#include "common/messages.h"
#include "common/short_copy.h"
#include "format/item_types.h"
#include "formatted/element_value.h"
#include "formatted/item_text.h"
#include "formatted/walk_plan.h"
#include "text/text_cells.h"

namespace vesk {

namespace {

constexpr int kPrefixWidth = 12;

// The mark of a number too wide for the room it has: "#" over its cells.
constexpr char kWideMark = '#';

// Every write into a map row goes through here, so that the row is later
// blanked as far as it was written. A row without cells laid over it nor
// colors (the common case) takes the text straight.
inline void put_cell_text(FormPrinter& p, int col, const char* text, int n) {
  LineBuffer& line = p.line;
  int end;
  if (line.cells.empty() && !line.styled && col >= 0 && col + n <= kLineBufSize - 1) {
    copy_short(line.data + col, text, n);
    end = col + n;
  } else {
    end = line.put(col, text, n);
  }
  if (end > p.map_written_to) p.map_written_to = end;
}

// The last column of a map row that put_map_line keeps.
int row_last_column(const FormPrinter& p) {
  int last = p.view.line_bytes * p.view.map_cell + 24 + p.map_shift;
  return last > kLineBufSize - 2 ? kLineBufSize - 2 : last;
}

// The longest text of an integer: "-9223372036854775808".
constexpr int kLongestInteger = 20;

// The last column from which an integer's longest text ends within the row
// (last_column being the row's last) and, with the blank after it, within
// the line's buffer.
int integer_room_end(int last_column) {
  const int end = last_column - (kLongestInteger - 1);
  const int buffer_end = kLineBufSize - 2 - kLongestInteger;
  return end < buffer_end ? end : buffer_end;
}

// Sets the columns from `from` up to `to` of the row to c, within the line.
void fill_cells(FormPrinter& p, int from, int to, char c) {
  if (to > kLineBufSize - 1) to = kLineBufSize - 1;
  if (from < 0 || from >= to) return;
  std::memset(p.line.data + from, c, static_cast<std::size_t>(to - from));
  if (to > p.map_written_to) p.map_written_to = to;
}

// The number's text from start to end gives way to the mark, "#" from start
// up to mark_end: its own cells in the row but their last column.
void put_wide_mark(FormPrinter& p, int start, int end, int mark_end, Style style) {
  fill_cells(p, start, end, ' ');
  fill_cells(p, start, mark_end, kWideMark);
  p.line.paint(start, mark_end, style);
}

// A text is about to be written from column col: the number written before
// it in the row keeps a blank between them, or else it is marked, as it
// would be cut short or run into the new text.
inline void settle_before(FormPrinter& p, int col) {
  FormPrinter::MapValue& v = p.map_value;
  if (v.start < 0) return;
  if (col <= v.end) put_wide_mark(p, v.start, v.end, v.mark_end, v.mark_style);
  // Later texts lie further right: they cannot reach it.
  v.start = -1;
}

// Writes a text that is no number (characters, hex digits) at column col.
inline void put_plain_text(FormPrinter& p, int col, const char* text, int n) {
  settle_before(p, col);
  put_cell_text(p, col, text, n);
}

// Two lower-case hex digits and a blank in the cell of pos.
inline void put_hex_cell(FormPrinter& p, const MapRow& row, int pos, unsigned char b) {
  const char t[3] = {kHexPairs.digits[b][0], kHexPairs.digits[b][1], ' '};
  put_plain_text(p, map_cell_column(p, row, pos), t, 3);
}

// The n-byte text of a number of len bytes at pos, from the first column of
// its cell. A text that runs on past its cells is kept while nothing comes
// near it; one that the row's end would cut shows the mark at once.
void put_number_text(FormPrinter& p, const MapRow& row, int pos, int len, const char* text, int n) {
  const int col = map_cell_column(p, row, pos);
  settle_before(p, col);
  int cells = p.view.line_bytes - (pos - row.start);
  if (cells > len) cells = len;
  const int mark_end = col + cells * p.view.map_cell - 1;
  if (col + n - 1 > row_last_column(p)) {
    put_wide_mark(p, col, col, mark_end, p.style_of_unread());
    return;
  }
  if (p.line.cells.empty() && !p.line.styled && col >= 0 && col + n + 1 <= kLineBufSize - 1) {
    // The text and the blank after it, straight into the row.
    copy_short(p.line.data + col, text, n);
    p.line.data[col + n] = ' ';
    if (col + n + 1 > p.map_written_to) p.map_written_to = col + n + 1;
  } else {
    put_cell_text(p, col, text, n);
    put_cell_text(p, col + n, " ", 1);
  }
  p.map_value = FormPrinter::MapValue{col, col + n, mark_end, p.style_of_unread()};
}

// " %04X %04X: " / "      %04X: " (%04d with -D); numbers of more digits
// make it longer.
int map_prefix(char (&prefix)[64], bool dec, long long block, int row_start) {
  int n = 0;
  if (row_start == 0) {
    prefix[n++] = ' ';
    n += put_padded_digits(prefix + n, static_cast<std::uint64_t>(block), dec, 4);
    std::memcpy(prefix + n, " 0000: ", 7);
    n += 7;
  } else {
    std::memcpy(prefix, "      ", 6);
    n = 6;
    n += put_padded_digits(prefix + n, static_cast<std::uint64_t>(row_start), dec, 4);
    prefix[n++] = ':';
    prefix[n++] = ' ';
  }
  prefix[n] = '\0';
  return n;
}

// The map cells of a text element from the codec's Shift_JIS forms of its
// bytes and where its cells start (text/text_cells.h): a character alone in
// the cell of its first byte, from the cell's second column (a pair as it
// is, any other in its compact form); a byte shown as itself in its cell's
// second column (a point for a point); any other byte as two hex digits and
// a blank. The bytes of a longer cell that is no character show each so.
struct TextRun {
  char* row;
  int cell;  // columns a cell
  const char* forms;
  const unsigned char* starts;
  const unsigned char* bytes;
  int n;
  const Codec& codec;
  bool show_escapes;

  struct Done {
    int next;     // the first byte not placed
    int written;  // one past the last column written
  };

  // Whether the eight bytes from starts and forms are each a cell of one
  // byte shown as itself (a form that is no point): the common run of text.
  static bool eight_shown_as_themselves(const unsigned char* start, const char* form) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    constexpr std::uint64_t kPoints = 0x2E2E2E2E2E2E2E2Eu;
    std::uint64_t starts8;
    std::uint64_t forms8;
    std::memcpy(&starts8, start, 8);
    std::memcpy(&forms8, form, 8);
    // A zero byte in forms ^ points marks a point.
    const std::uint64_t x = forms8 ^ kPoints;
    return starts8 == kOnes && ((x - kOnes) & ~x & kHighBits) == 0;
  }

  // A byte of a cell that is no character, shown as form (its form when it
  // is a cell of its own).
  bool shows_itself(int i, char form) const { return form != '.' || bytes[i] == '.'; }

  // The column that the cell at byte i, in the cell at col, writes first.
  int first_write_column(int i, int col) const {
    const unsigned start = starts[i];
    if ((start & kStartsCharacter) != 0) return col + 1;
    const char form = (start & (kStartsCharacter - 1)) == 1 ? forms[i] : '.';
    return shows_itself(i, form) ? col + 1 : col;
  }

  // The cells that start at bytes i to stop - 1 (and the bytes of a cell
  // that is no character up to stop), byte i's in the cell at col.
  Done put_cells(int i, int stop, int col) const {
    // Locals, as the row's bytes may be any object's for the compiler.
    char* __restrict const out = row;
    const char* __restrict const form_of = forms;
    const unsigned char* __restrict const start_of = starts;
    const unsigned char* __restrict const byte_of = bytes;
    const int step = cell;
    int written = 0;
    while (i < stop) {
      if (stop - i >= 8 && eight_shown_as_themselves(start_of + i, form_of + i)) {
        // Eight bytes, each its own character: their forms a cell apart.
        for (int k = 0; k < 8; ++k) out[col + 1 + k * step] = form_of[i + k];
        written = col + 7 * step + 2;
        i += 8;
        col += 8 * step;
        continue;
      }
      const unsigned start = start_of[i];
      if (start == 1) {
        // A byte shown as itself (a point for a point), else as its hex digits.
        const char form = form_of[i];
        if (form != '.' || byte_of[i] == '.') {
          out[col + 1] = form;
          written = col + 2;
        } else {
          std::memcpy(out + col, kHexPairs.digits[byte_of[i]], 2);
          out[col + 2] = ' ';
          written = col + 3;
        }
        ++i;
        col += step;
        continue;
      }
      // A byte inside a cell is one of a cell that is no character, which a
      // row's end has cut (a character is placed whole at its first byte).
      const int len = start == 0 ? 1 : static_cast<int>(start & (kStartsCharacter - 1));
      if ((start & kStartsCharacter) == 0) {
        // The bytes of a longer cell that is no character, each so, each in
        // the row of its own cell.
        for (const int end = i + len < stop ? i + len : stop; i < end; ++i, col += step) {
          if (byte_of[i] == '.') {
            out[col + 1] = '.';
            written = col + 2;
          } else {
            std::memcpy(out + col, kHexPairs.digits[byte_of[i]], 2);
            out[col + 2] = ' ';
            written = col + 3;
          }
        }
        continue;
      }
      CompactCharacter ch{{form_of[i], form_of[i + 1]}, Cell{}};
      ch.cell.len = 2;
      if (!is_sjis_pair(static_cast<unsigned char>(form_of[i]), static_cast<unsigned char>(form_of[i + 1]))) {
        DecoderState st;
        st.show_escapes = show_escapes;
        ch = compact_character(codec.decode(st, byte_of + i, n - i));
      }
      out[col + 1] = ch.sjis[0];
      if (ch.cell.len > 1) out[col + 2] = ch.sjis[1];
      written = col + 1 + ch.cell.len;
      col += len * step;
      i += len;
    }
    return Done{i, written};
  }
};

// The style a filter chooses for an element, while it is placed.
class ChosenStyle {
 public:
  ChosenStyle(FormPrinter& p, const MapFilter* filter, const ElementRef& e) : p_(p), before_(p.value_style) {
    if (filter != nullptr) p_.value_style = filter->style(e);
  }
  ~ChosenStyle() { p_.value_style = before_; }
  ChosenStyle(const ChosenStyle&) = delete;
  ChosenStyle& operator=(const ChosenStyle&) = delete;

 private:
  FormPrinter& p_;
  std::optional<Style> before_;
};

class MapPrinter final : public ItemVisitor {
 public:
  MapPrinter(FormPrinter& p, const unsigned char* data, long long block, MapRow& row, const MapFilter* filter)
      : p_(p),
        data_(data),
        block_(block),
        row_(row),
        filter_(filter),
        first_column_(kPrefixWidth + p.map_shift),
        cell_(p.view.map_cell),
        row_bytes_(p.view.line_bytes > 0 ? p.view.line_bytes : 1),
        last_column_(row_last_column(p)),
        straight_rows_(!p.line.styled && first_column_ >= 0 &&
                       first_column_ + (row_bytes_ + 1) * cell_ + 4 <= kLineBufSize - 1),
        items_(p.view.defs.item_inf),
        integer_room_end_(integer_room_end(last_column_)),
        unfiltered_plain_(filter == nullptr && !p.line.styled) {}

  // The renderer of the type's form of value: characters, hex digits, or the
  // text of a number.
  void element(const ElementRef& e) override {
    if (unfiltered_plain_) {
      put_element(e, items_[e.item]);
      return;
    }
    if (filter_ != nullptr && !filter_->placed(e)) return;
    const ItemInf& m = items_[e.item];
    if (p_.line.styled) {
      // In the style the filter chooses, else in that of the value's kind.
      ChosenStyle chosen(p_, filter_, e);
      PenScope pen(p_.line, p_.style_of_value(m));
      put_element(e, m);
      return;
    }
    put_element(e, m);
  }

  void member_end(int item, int pos, bool data_end, int rest) override {
    if (!data_end) return;
    const ItemInf& m = p_.view.defs.item_inf[item];
    if (rest > 0 && !is_text_code(m.type)) {
      // The bytes left of an element cut by the end of the data.
      ChosenStyle chosen(p_, filter_, ElementRef{item, 0, pos, rest, true, item_type(m.type)->form});
      PenScope pen(p_.line, p_.style_of_unread());
      for (int i = 0; i < rest; ++i) {
        map_line_check(p_, block_, row_, pos + i);
        if (m.display != 0) put_hex_cell(p_, row_, pos + i, data_[pos + i]);
      }
      put_map_line(p_, block_, row_.start);
    } else if (row_.pending) {
      put_map_line(p_, block_, row_.start);
    }
    row_.pending = false;
    if (p_.batch != nullptr) p_.batch->flush();
    p_.report.put_line(" [EOD]", Style::unread);
  }

 private:
  [[gnu::always_inline]] void put_element(const ElementRef& e, const ItemInf& m) {
    const bool shown = m.display != 0;
    switch (e.form) {
      case ValueForm::text:
        put_chars(e, m, shown);
        return;
      case ValueForm::hex:
        put_hex_cells(e.pos, e.len, shown);
        return;
      default:
        put_number(e, m, shown);
        return;
    }
  }

  // The first column of the cell of pos in the current row.
  int column(int pos) const { return first_column_ + (pos - row_.start) * cell_; }
  // map_line_check.
  void check_row(int pos) {
    if (row_.start + row_bytes_ <= pos) start_map_row(p_, block_, row_, pos);
  }

  // The cells of the row may be written straight: they lie in the line, the
  // report is not colored, and no cell of a character is laid over the row
  // (the common case).
  bool straight() const { return straight_rows_ && p_.line.cells.empty(); }

  // A character in the second column of the cell of pos.
  void put_char_cell(int pos, char c) {
    const int col = column(pos) + 1;
    if (!straight()) {
      put_plain_text(p_, col, &c, 1);
      return;
    }
    settle_before(p_, col);
    p_.line.data[col] = c;
    if (col + 1 > p_.map_written_to) p_.map_written_to = col + 1;
  }

  // Two lower-case hex digits and a blank in the cell of pos.
  void put_hex_digits_cell(int pos, unsigned char b) {
    if (!straight()) {
      put_hex_cell(p_, row_, pos, b);
      return;
    }
    const int col = column(pos);
    settle_before(p_, col);
    char* o = p_.line.data + col;
    std::memcpy(o, kHexPairs.digits[b], 2);
    o[2] = ' ';
    if (col + 3 > p_.map_written_to) p_.map_written_to = col + 3;
  }

  void put_number(const ElementRef& e, const ItemInf& m, bool shown) {
    if (shown && (e.form == ValueForm::signed_int || e.form == ValueForm::unsigned_int) && straight()) {
      check_row(e.pos);
      if (put_integer_straight(e)) return;
    }
    char text[kValueTextSize + 1];
    const int n = number_text(m, e.form, e.pos, e.len, text);
    if (n == kNoValue) {
      // A decimal with a bad digit or sign: its bytes, as those of an
      // element cut by the end of the data.
      if (p_.line.styled) p_.line.pen = p_.style_of_unread();
      put_hex_cells(e.pos, e.len, shown);
      return;
    }
    // A float that is no number stands out as what could not be read.
    if (p_.line.styled && n == 3 && std::memcmp(text, "NAN", 3) == 0) p_.line.pen = p_.style_of_unread();
    check_row(e.pos);
    if (n < 0) {
      p_.failed = true;
      stopped = true;
      return;
    }
    if (shown) {
      const int col = column(e.pos);
      if (straight() && col + n - 1 <= last_column_ && col + n + 1 <= kLineBufSize - 1) {
        // The common case, the text and the blank after it within the row:
        // straight into it.
        settle_before(p_, col);
        char* const out = p_.line.data + col;
        copy_short(out, text, n);
        out[n] = ' ';
        if (col + n + 1 > p_.map_written_to) p_.map_written_to = col + n + 1;
        int cells = p_.view.line_bytes - (e.pos - row_.start);
        if (cells > e.len) cells = e.len;
        p_.map_value = FormPrinter::MapValue{col, col + n, col + cells * cell_ - 1};
      } else {
        put_number_text(p_, row_, e.pos, e.len, text, n);
      }
    }
    row_.pending = true;
  }

  // An integer shown, its row current, written straight into the row: its
  // digits and the blank after them. False, and nothing done, when its
  // longest text might not reach the row's end (the mark's case).
  bool put_integer_straight(const ElementRef& e) {
    const int col = column(e.pos);
    // (A position before the row's start is left to the careful way.)
    if (col < first_column_ || col > integer_room_end_) return false;
    settle_before(p_, col);
    char* const out = p_.line.data + col;
    const int n = integer_text(e, out);
    out[n] = ' ';
    if (col + n + 1 > p_.map_written_to) p_.map_written_to = col + n + 1;
    int cells = p_.view.line_bytes - (e.pos - row_.start);
    if (cells > e.len) cells = e.len;
    p_.map_value = FormPrinter::MapValue{col, col + n, col + cells * cell_ - 1};
    row_.pending = true;
    return true;
  }

  // The digits of an integer element at out; one of up to four bytes in
  // 32 bits.
  int integer_text(const ElementRef& e, char* out) const {
    const int len = e.len;
    if (len < 1 || len > 4) return fixed_number_text(e.form, len, data_ + e.pos, p_.view.map_order, out);
    const auto raw = static_cast<std::uint32_t>(read_element(data_ + e.pos, len, p_.view.map_order));
    if (e.form == ValueForm::unsigned_int) return put_decimal32(out, raw);
    const int unused_bits = 32 - 8 * len;
    const std::int32_t v = static_cast<std::int32_t>(raw << unused_bits) >> unused_bits;
    if (v >= 0) return put_decimal32(out, static_cast<std::uint32_t>(v));
    out[0] = '-';
    return 1 + put_decimal32(out + 1, 0u - static_cast<std::uint32_t>(v));
  }

  // The text of a number in the map's order: that of a type of fixed size
  // read at once (a float too long for its cells refused), that of a
  // decimal through the item.
  int number_text(const ItemInf& m, ValueForm form, int pos, int len, char* text) {
    // A number of a type of fixed size has the element's size.
    if (form == ValueForm::packed || form == ValueForm::zoned || form == ValueForm::structure)
      return map_value_text(p_.view, m, data_ + pos, text, kValueTextSize);
    const int n = fixed_number_text(form, len, data_ + pos, p_.view.map_order, text);
    if (form == ValueForm::float32 && n > 4 * p_.view.map_cell) {
      errmsg("program error!!\n");
      return kMapTextTooLong;
    }
    text[n] = '\0';
    return n;
  }

  // n bytes from pos, each as two hex digits and a blank in its cell: those
  // in one row written together.
  void put_hex_cells(int pos, int n, bool shown) {
    const int end = pos + n;
    while (pos < end) {
      check_row(pos);
      const int row_end = row_.start + row_bytes_;
      const int stop = end < row_end ? end : row_end;
      if (shown) {
        const int col = column(pos);
        const int written = col + (stop - pos - 1) * cell_ + 3;
        if (p_.line.cells.empty() && !p_.line.styled && col >= 0 && written <= kLineBufSize - 1) {
          settle_before(p_, col);
          char* o = p_.line.data + col;
          for (int i = pos; i < stop; ++i, o += cell_) {
            std::memcpy(o, kHexPairs.digits[data_[i]], 2);
            o[2] = ' ';
          }
          if (written > p_.map_written_to) p_.map_written_to = written;
        } else {
          for (int i = pos; i < stop; ++i) put_hex_cell(p_, row_, i, data_[i]);
        }
      }
      row_.pending = true;
      pos = stop;
    }
  }

  // Characters, cell by cell in the item's code: a character of two or more
  // bytes alone in the cell of its first byte (the cells of its other bytes
  // stay blank), from the cell's second column; a byte shown as itself in
  // its cell's second column; any other byte as two hex digits.
  void put_chars(const ElementRef& e, const ItemInf& m, bool shown) {
    const Codec& codec = p_.view.text_codec(m);
    // Characters of another code are laid over the row as cells, for a
    // UTF-8 report to write them in their own form.
    const bool own_utf8 = codec.mode != CharMode::sjis && p_.report.sink().utf8();
    if (shown && !own_utf8 && straight() && put_chars_straight(e, codec)) return;
    TextCells cells(codec, p_.view.show_ctrl, data_ + e.pos, e.len);
    int pos = e.pos;
    while (const Cell* next = cells.next()) {
      const Cell& c = *next;
      if (c.len == 1 && c.cls != CellClass::multibyte) {
        // A byte: itself, or its hex digits (a point stands for itself).
        check_row(pos);
        if (shown) {
          char form;
          SjisEncoder::put_single(c, &form);
          if (form != '.' || data_[pos] == '.')
            put_char_cell(pos, form);
          else
            put_hex_digits_cell(pos, data_[pos]);
        }
        row_.pending = true;
        ++pos;
        continue;
      }
      if (c.cls == CellClass::multibyte) {
        check_row(pos);
        if (shown) {
          CompactCharacter ch = compact_character(c);
          int col = column(pos) + 1;
          settle_before(p_, col);
          if (own_utf8) {
            p_.line.put_cell(col, ch.sjis, ch.cell, true);
            if (col + ch.cell.len > p_.map_written_to) p_.map_written_to = col + ch.cell.len;
          } else if (straight()) {
            // Its form in one column or two.
            char* o = p_.line.data + col;
            o[0] = ch.sjis[0];
            if (ch.cell.len > 1) o[1] = ch.sjis[1];
            if (col + ch.cell.len > p_.map_written_to) p_.map_written_to = col + ch.cell.len;
          } else {
            put_cell_text(p_, col, ch.sjis, ch.cell.len);
          }
        }
        row_.pending = true;
        pos += c.len;
        continue;
      }
      // Bytes that are no character: points or hex digits, a cell each.
      for (int j = 0; j < c.len; ++j, ++pos) {
        check_row(pos);
        if (shown) {
          if (data_[pos] == '.')
            put_char_cell(pos, '.');
          else
            put_hex_digits_cell(pos, data_[pos]);
        }
        row_.pending = true;
      }
    }
  }

  // put_chars for an element shown in rows that no cell is laid over and
  // none is to be, of a code that can decode afresh at any cell's start: the
  // same cells, from the codec's Shift_JIS forms of the element and where
  // its cells start, written straight a row at a time. False, and nothing
  // done, for an element too long for this way.
  bool put_chars_straight(const ElementRef& e, const Codec& codec) {
    constexpr int kLongest = 256;
    const int n = e.len;
    if (n > kLongest || !codec.resumable()) return false;
    char forms[kLongest + kMaxCellLength];
    unsigned char starts[kLongest];
    const unsigned char* const bytes = data_ + e.pos;
    codec.put_text_layout(p_.view.show_ctrl, bytes, n, forms, starts);
    TextRun run{p_.line.data, cell_, forms, starts, bytes, n, codec, p_.view.show_ctrl};
    for (int i = 0; i < n;) {
      check_row(e.pos + i);
      // The cells that start in this row; the first settles the number
      // before them.
      const int stop = row_.start + row_bytes_ - e.pos;
      const int col = column(e.pos + i);
      settle_before(p_, run.first_write_column(i, col));
      const TextRun::Done done = run.put_cells(i, stop < n ? stop : n, col);
      if (done.written > p_.map_written_to) p_.map_written_to = done.written;
      i = done.next;
    }
    if (n > 0) row_.pending = true;
    return true;
  }

  FormPrinter& p_;
  const unsigned char* data_;
  long long block_;
  MapRow& row_;
  const MapFilter* filter_;
  // The columns of the cells (which a block's walk does not move) and the
  // bytes of a row.
  const int first_column_;
  const int cell_;
  const int row_bytes_;
  const int last_column_;  // of a row, as put_map_line keeps it
  // Every cell of a row lies in the line's buffer, and none is painted.
  const bool straight_rows_;
  const ItemInf* const items_;
  // The last column where an integer's longest text, and the blank after
  // it, fit the row as put_map_line keeps it.
  const int integer_room_end_;
  // Every element is placed, none is painted: the common case.
  const bool unfiltered_plain_;
};

}  // namespace

int map_cell_column(const FormPrinter& p, const MapRow& row, int pos) {
  return kPrefixWidth + p.map_shift + (pos - row.start) * p.view.map_cell;
}

void start_map_row(FormPrinter& p, long long block, MapRow& row, int pos) {
  int b = p.view.line_bytes > 0 ? p.view.line_bytes : 1;
  put_map_line(p, block, row.start);
  row.pending = false;
  row.start = pos - pos % b;
}

void put_map_line(FormPrinter& p, long long block, int row_start) {
  char* const s = p.line.data;
  const bool dec = p.view.dec;
  const long long four_digits = dec ? 9999 : 0xFFFF;
  const long long shown = row_start == 0 ? block : row_start;
  if (shown >= 0 && shown <= four_digits && p.line.cells.empty() && !p.line.styled) {
    // The common prefix, of twelve columns, written in place.
    if (row_start == 0) {
      s[0] = ' ';
      put_four_digits(s + 1, static_cast<unsigned>(block), dec ? 10 : 16);
      std::memcpy(s + 5, " 0000: ", 7);
    } else {
      std::memcpy(s, "      ", 6);
      put_four_digits(s + 6, static_cast<unsigned>(row_start), dec ? 10 : 16);
      std::memcpy(s + 10, ": ", 2);
    }
    if (kPrefixWidth > p.map_written_to) p.map_written_to = kPrefixWidth;
  } else {
    char prefix[64];
    int n = map_prefix(prefix, dec, block, row_start);
    // A longer prefix (a block number of five digits and more) is cut to its
    // first 12 characters, unless the cells have moved right to make room.
    const int width = kPrefixWidth + p.map_shift;
    PenScope pen(p.line, Style::position);
    put_cell_text(p, 0, prefix, n < width ? n : width);
  }

  // The row's last column that is no blank: nothing past the columns
  // written since the row was last blanked is.
  int last = row_last_column(p);
  if (last > p.map_written_to) last = p.map_written_to;
  constexpr std::uint64_t kEightBlanks = 0x2020202020202020u;
  for (std::uint64_t eight; last >= 8; last -= 8) {
    std::memcpy(&eight, s + last - 7, 8);
    if (eight == kEightBlanks) continue;
    if constexpr (std::endian::native == std::endian::little) {
      // The highest byte that differs from a blank is the last non-blank.
      last -= std::countl_zero(eight ^ kEightBlanks) / 8;
    }
    break;
  }
  while (last > 0 && s[last] == ' ') --last;
  p.line.end_at(last + 1);
  // A row holds no newline, nor a zero byte: the map writes none.
  const auto len = static_cast<std::size_t>(last) + 1;
  if (p.batch != nullptr && p.line.cells.empty()) {
    p.batch->add(s, len);
  } else {
    if (p.batch != nullptr) p.batch->flush();
    p.report.put_line(p.line, len);
  }
  // Blank again what the row used, its end included.
  int used = p.map_written_to > last + 2 ? p.map_written_to : last + 2;
  if (used > kLineBufSize - 1) used = kLineBufSize - 1;
  fill_blanks_short(p.line.data, used);
  p.map_written_to = 0;
  p.map_value.start = -1;
}

bool map_widens_for(const FormPrinter& p, long long block) {
  if (!p.view.widen) return false;
  // The prefix of the block's first row decides how far the cells move.
  char prefix[64];
  return map_prefix(prefix, p.view.dec, block, 0) - kPrefixWidth > p.map_shift;
}

void widen_map_for(FormPrinter& p, long long block) {
  if (!map_widens_for(p, block)) return;
  char prefix[64];
  p.map_shift = map_prefix(prefix, p.view.dec, block, 0) - kPrefixWidth;
}

int print_map(FormPrinter& p, int rec, const unsigned char* data, int size, long long block, MapRow& row, int pos,
              const MapFilter* filter) {
  if (pos == 0) widen_map_for(p, block);
  MapPrinter printer(p, data, block, row, filter);
  const WalkRules rules{false, false};
  // The map acts on elements only (and on the end of the data, which a
  // plan's block does not reach).
  if (const WalkPlan* plan = p.plans.find(p.view, rec, size, pos, rules)) return replay_elements(*plan, printer);
  return walk_struct(p.view, rec, size, pos, rules, printer);
}

int map_value_text(const FormView& view, const ItemInf& m, const unsigned char* p, char* text, int text_size) {
  char t[kValueTextSize];
  int n = element_text(m, p, view.map_order, t);
  if (n == kNoValue) {
    text[0] = '\0';
    return kNoValue;
  }
  if (m.type == T_FLOAT && n > 4 * view.map_cell) {
    errmsg("program error!!\n");
    return kMapTextTooLong;
  }
  if (n > text_size - 1) n = text_size - 1;
  std::memcpy(text, t, static_cast<std::size_t>(n));
  text[n] = '\0';
  return n;
}

}  // namespace vesk
