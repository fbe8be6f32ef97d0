#include "formatted/item_map.h"

#include <cstdio>
#include <cstring>

#include "common/line_buffer.h"
#include "common/messages.h"
#include "dump/char_decode.h"
#include "format/definitions.h"
#include "formatted/element_value.h"
#include "formatted/item_text.h"
#include "formatted/item_walk.h"
#include "main/settings.h"
#include "output/report.h"
#include "output/writer.h"

namespace vesk {

namespace {

constexpr int kPrefixWidth = 12;

// One past the last column of list_line written since it was last blanked:
// a written row is blanked only that far, not over all 2,147 columns. Every
// write into a map row goes through put_cell_text. At first nothing is known.
int written_to = kLineBufSize - 1;

void put_cell_text(int col, const char* text, int n) {
  int end = list_line.put(col, text, n);
  if (end > written_to) written_to = end;
}

// Two lower-case hex digits and a blank in the cell of pos.
void put_hex_cell(const MapRow& row, int pos, unsigned char b) {
  const char t[3] = {"0123456789abcdef"[b >> 4], "0123456789abcdef"[b & 15], ' '};
  put_cell_text(map_cell_column(row, pos), t, 3);
}

// " %04X %04X: " / "      %04X: " (%04d with -D) without a formatted print
// while the numbers have four digits.
int map_prefix(char (&prefix)[48], int block, int row_start) {
  const bool dec = settings.dec_mode != 0;
  const int limit = dec ? 9999 : 0xFFFF;
  if (block < 0 || block > limit || row_start < 0 || row_start > limit) {
    if (row_start == 0)
      std::snprintf(prefix, sizeof prefix, dec ? " %04d %04d: " : " %04X %04X: ", block, 0);
    else
      std::snprintf(prefix, sizeof prefix, dec ? "      %04d: " : "      %04X: ", row_start);
    return static_cast<int>(std::strlen(prefix));
  }
  auto four = [dec](char* out, unsigned v) {
    for (int i = 3; i >= 0; --i) {
      out[i] = "0123456789ABCDEF"[dec ? v % 10 : v % 16];
      v = dec ? v / 10 : v / 16;
    }
  };
  if (row_start == 0) {
    prefix[0] = ' ';
    four(prefix + 1, static_cast<unsigned>(block));
    std::memcpy(prefix + 5, " 0000: ", 7);
  } else {
    std::memcpy(prefix, "      ", 6);
    four(prefix + 6, static_cast<unsigned>(row_start));
    prefix[10] = ':';
    prefix[11] = ' ';
  }
  prefix[12] = '\0';
  return 12;
}

class MapPrinter : public ItemVisitor {
 public:
  MapPrinter(const unsigned char* data, int block, MapRow& row, const MapFilter* filter)
      : data_(data), block_(block), row_(row), filter_(filter) {}

  void element(const ElementRef& e) override {
    if (filter_ != nullptr && !filter_->placed(e)) return;
    const ItemInf& m = defs.item_inf[e.item];
    bool shown = m.display != 0;
    if (m.type == T_CHAR) {
      put_chars(e, shown);
    } else if (m.type == T_HEX) {
      for (int i = 0; i < e.len; ++i) {
        map_line_check(block_, row_, e.pos + i);
        if (shown) put_hex_cell(row_, e.pos + i, data_[e.pos + i]);
        row_.pending = true;
      }
    } else {
      map_line_check(block_, row_, e.pos);
      char text[kValueTextSize + 1];
      int n = map_value_text(m.type, data_ + e.pos, text, kValueTextSize);
      text[n++] = ' ';
      if (shown) put_cell_text(map_cell_column(row_, e.pos), text, n);
      row_.pending = true;
    }
  }

  void member_end(int item, int pos, bool data_end, int rest) override {
    if (!data_end) return;
    const ItemInf& m = defs.item_inf[item];
    if (rest > 0 && m.type != T_CHAR && m.type != T_HEX) {
      for (int i = 0; i < rest; ++i) {
        map_line_check(block_, row_, pos + i);
        if (m.display != 0) put_hex_cell(row_, pos + i, data_[pos + i]);
      }
      put_map_line(block_, row_.start);
    } else if (row_.pending) {
      put_map_line(block_, row_.start);
    }
    row_.pending = false;
    put_line(" [EOD]");
  }

 private:
  // Characters: a Shift_JIS pair in the second and third columns of its first
  // byte's cell, a displayable byte in the second column, any other byte as
  // two hex digits.
  void put_chars(const ElementRef& e, bool shown) {
    int i = 0;
    while (i < e.len) {
      int pos = e.pos + i;
      map_line_check(block_, row_, pos);
      int col = map_cell_column(row_, pos);
      unsigned char b = data_[pos];
      if (sjis_mode() && e.len - i >= 2 && iskanji_sjis(b, data_[pos + 1])) {
        if (shown) put_cell_text(col + 1, reinterpret_cast<const char*>(data_ + pos), 2);
        i += 2;
      } else if (is_displayable(b)) {
        if (shown) put_cell_text(col + 1, reinterpret_cast<const char*>(&b), 1);
        i += 1;
      } else {
        if (shown) put_hex_cell(row_, pos, b);
        i += 1;
      }
      row_.pending = true;
    }
  }

  const unsigned char* data_;
  int block_;
  MapRow& row_;
  const MapFilter* filter_;
};

}  // namespace

int map_cell_column(const MapRow& row, int pos) {
  return kPrefixWidth + (pos - row.start) * settings.map_cell;
}

void map_line_check(int block, MapRow& row, int pos) {
  int b = settings.line_bytes > 0 ? settings.line_bytes : 1;
  if (row.start + b <= pos) {
    put_map_line(block, row.start);
    row.pending = false;
    row.start = pos - pos % b;
  }
}

void put_map_line(int block, int row_start) {
  char prefix[48];
  int n = map_prefix(prefix, block, row_start);
  put_cell_text(0, prefix, n < kPrefixWidth ? n : kPrefixWidth);

  int last = settings.line_bytes * settings.map_cell + 24;
  if (last > kLineBufSize - 2) last = kLineBufSize - 2;
  char* s = list_line.c_str();
  while (last > 0 && s[last] == ' ') --last;
  list_line.end_at(last + 1);
  put_line(s);
  // Blank again what the row used, its end included.
  int used = written_to > last + 2 ? written_to : last + 2;
  if (used > kLineBufSize - 1) used = kLineBufSize - 1;
  std::memset(list_line.data, ' ', static_cast<std::size_t>(used));
  written_to = 0;
}

int print_map(int rec, const unsigned char* data, int size, int block, MapRow& row, int pos,
              const MapFilter* filter) {
  MapPrinter printer(data, block, row, filter);
  return walk_struct(rec, size, pos, WalkRules{false, false}, printer);
}

int map_value_text(char type, const unsigned char* p, char* text, int text_size) {
  char t[kValueTextSize];
  int n = element_text(type, p, kMapByteOrder, t);
  if (type == T_FLOAT && n > 4 * settings.map_cell) {
    errmsg("program error!!\n");
    end_process(1);
  }
  if (n > text_size - 1) n = text_size - 1;
  std::memcpy(text, t, static_cast<std::size_t>(n));
  text[n] = '\0';
  return n;
}

}  // namespace vesk
