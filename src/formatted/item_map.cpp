#include "formatted/item_map.h"

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
// blanked as far as it was written. A row without cells laid over it (the
// common case) takes the text straight.
inline void put_cell_text(FormPrinter& p, int col, const char* text, int n) {
  LineBuffer& line = p.line;
  int end;
  if (line.cells.empty() && col >= 0 && col + n <= kLineBufSize - 1) {
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

// Sets the columns from `from` up to `to` of the row to c, within the line.
void fill_cells(FormPrinter& p, int from, int to, char c) {
  if (to > kLineBufSize - 1) to = kLineBufSize - 1;
  if (from < 0 || from >= to) return;
  std::memset(p.line.data + from, c, static_cast<std::size_t>(to - from));
  if (to > p.map_written_to) p.map_written_to = to;
}

// The number's text from start to end gives way to the mark, "#" from start
// up to mark_end: its own cells in the row but their last column.
void put_wide_mark(FormPrinter& p, int start, int end, int mark_end) {
  fill_cells(p, start, end, ' ');
  fill_cells(p, start, mark_end, kWideMark);
}

// A text is about to be written from column col: the number written before
// it in the row keeps a blank between them, or else it is marked, as it
// would be cut short or run into the new text.
inline void settle_before(FormPrinter& p, int col) {
  FormPrinter::MapValue& v = p.map_value;
  if (v.start < 0) return;
  if (col <= v.end) put_wide_mark(p, v.start, v.end, v.mark_end);
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
    put_wide_mark(p, col, col, mark_end);
    return;
  }
  put_cell_text(p, col, text, n);
  put_cell_text(p, col + n, " ", 1);
  p.map_value = FormPrinter::MapValue{col, col + n, mark_end};
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

class MapPrinter final : public ItemVisitor {
 public:
  MapPrinter(FormPrinter& p, const unsigned char* data, long long block, MapRow& row, const MapFilter* filter)
      : p_(p), data_(data), block_(block), row_(row), filter_(filter) {}

  void element(const ElementRef& e) override {
    if (filter_ != nullptr && !filter_->placed(e)) return;
    const ItemInf& m = p_.view.defs.item_inf[e.item];
    bool shown = m.display != 0;
    // The renderer of the type's form of value: characters, hex digits, or
    // the text of a number.
    const ValueForm form = e.form;
    if (form == ValueForm::text) {
      put_chars(e, shown);
    } else if (form == ValueForm::hex) {
      put_hex_cells(e.pos, e.len, shown);
    } else {
      char text[kValueTextSize + 1];
      int n = number_text(m, form, e.pos, text);
      if (n == kNoValue) {
        // A decimal with a bad digit or sign: its bytes, as those of an
        // element cut by the end of the data.
        put_hex_cells(e.pos, e.len, shown);
        return;
      }
      map_line_check(p_, block_, row_, e.pos);
      if (n < 0) {
        p_.failed = true;
        stopped = true;
        return;
      }
      if (shown) put_number_text(p_, row_, e.pos, e.len, text, n);
      row_.pending = true;
    }
  }

  void member_end(int item, int pos, bool data_end, int rest) override {
    if (!data_end) return;
    const ItemInf& m = p_.view.defs.item_inf[item];
    if (rest > 0 && !is_text_code(m.type)) {
      for (int i = 0; i < rest; ++i) {
        map_line_check(p_, block_, row_, pos + i);
        if (m.display != 0) put_hex_cell(p_, row_, pos + i, data_[pos + i]);
      }
      put_map_line(p_, block_, row_.start);
    } else if (row_.pending) {
      put_map_line(p_, block_, row_.start);
    }
    row_.pending = false;
    p_.report.put_line(" [EOD]");
  }

 private:
  // n bytes from pos, each as two hex digits in its cell.
  void put_hex_cells(int pos, int n, bool shown) {
    for (int i = 0; i < n; ++i) {
      map_line_check(p_, block_, row_, pos + i);
      if (shown) put_hex_cell(p_, row_, pos + i, data_[pos + i]);
      row_.pending = true;
    }
  }

  // The text of a number in the map's order: that of a type of fixed size
  // read at once (a float too long for its cells refused), that of a
  // decimal through the item.
  int number_text(const ItemInf& m, ValueForm form, int pos, char* text) {
    const ItemType* t = form == ValueForm::packed || form == ValueForm::zoned ? nullptr : item_type(m.type);
    if (t == nullptr) return map_value_text(p_.view, m, data_ + pos, text, kValueTextSize);
    const int n = fixed_number_text(form, t->size, data_ + pos, p_.view.map_order, text);
    if (form == ValueForm::float32 && n > 4 * p_.view.map_cell) {
      errmsg("program error!!\n");
      return kMapTextTooLong;
    }
    text[n] = '\0';
    return n;
  }

  // Characters, cell by cell in the item's code: a character of two or more
  // bytes alone in the cell of its first byte (the cells of its other bytes
  // stay blank), from the cell's second column; a byte shown as itself in
  // its cell's second column; any other byte as two hex digits.
  void put_chars(const ElementRef& e, bool shown) {
    const Codec& codec = p_.view.text_codec(p_.view.defs.item_inf[e.item]);
    // Characters of another code are laid over the row as cells, for a
    // UTF-8 report to write them in their own form.
    const bool own_utf8 = codec.mode != CharMode::sjis && p_.report.sink().utf8();
    TextCells cells(codec, p_.view.show_ctrl, data_ + e.pos, e.len);
    int pos = e.pos;
    while (const Cell* next = cells.next()) {
      const Cell& c = *next;
      if (c.cls == CellClass::multibyte) {
        map_line_check(p_, block_, row_, pos);
        if (shown) {
          CompactCharacter ch = compact_character(c);
          int col = map_cell_column(p_, row_, pos) + 1;
          settle_before(p_, col);
          if (own_utf8) {
            p_.line.put_cell(col, ch.sjis, ch.cell, true);
            if (col + ch.cell.len > p_.map_written_to) p_.map_written_to = col + ch.cell.len;
          } else {
            put_cell_text(p_, col, ch.sjis, ch.cell.len);
          }
        }
        row_.pending = true;
        pos += c.len;
        continue;
      }
      char form[kMaxCellLength];
      const bool itself = put_cell<SjisEncoder>(c, form) == 1 && form[0] != '.' ;
      for (int j = 0; j < c.len; ++j, ++pos) {
        map_line_check(p_, block_, row_, pos);
        if (shown) {
          if (itself || data_[pos] == '.')
            put_plain_text(p_, map_cell_column(p_, row_, pos) + 1, itself ? form : ".", 1);
          else
            put_hex_cell(p_, row_, pos, data_[pos]);
        }
        row_.pending = true;
      }
    }
  }

  FormPrinter& p_;
  const unsigned char* data_;
  long long block_;
  MapRow& row_;
  const MapFilter* filter_;
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
  char prefix[64];
  int n = map_prefix(prefix, p.view.dec, block, row_start);
  // A longer prefix (a block number of five digits and more) is cut to its
  // first 12 characters, unless the cells have moved right to make room.
  const int width = kPrefixWidth + p.map_shift;
  put_cell_text(p, 0, prefix, n < width ? n : width);

  int last = row_last_column(p);
  const char* s = p.line.c_str();
  // Back over the blanks, eight at a time while they last.
  constexpr std::uint64_t kEightBlanks = 0x2020202020202020u;
  for (std::uint64_t eight; last >= 8; last -= 8) {
    std::memcpy(&eight, s + last - 7, 8);
    if (eight != kEightBlanks) break;
  }
  while (last > 0 && s[last] == ' ') --last;
  p.line.end_at(last + 1);
  // A row holds no newline.
  p.report.put_line(p.line, strnlen(s, static_cast<std::size_t>(last) + 1));
  // Blank again what the row used, its end included.
  int used = p.map_written_to > last + 2 ? p.map_written_to : last + 2;
  if (used > kLineBufSize - 1) used = kLineBufSize - 1;
  fill_blanks_short(p.line.data, used);
  p.map_written_to = 0;
  p.map_value.start = -1;
}

void widen_map_for(FormPrinter& p, long long block) {
  if (!p.view.widen) return;
  // The prefix of the block's first row decides how far the cells move.
  char prefix[64];
  int need = map_prefix(prefix, p.view.dec, block, 0) - kPrefixWidth;
  if (need > p.map_shift) p.map_shift = need;
}

int print_map(FormPrinter& p, int rec, const unsigned char* data, int size, long long block, MapRow& row, int pos,
              const MapFilter* filter) {
  if (pos == 0) widen_map_for(p, block);
  MapPrinter printer(p, data, block, row, filter);
  const WalkRules rules{false, false};
  if (const WalkPlan* plan = p.plans.find(p.view, rec, size, pos, rules)) return replay(*plan, printer);
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
