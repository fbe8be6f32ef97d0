#include "dump/dump_line.h"

#include <algorithm>
#include <cstring>

#include "common/digits.h"

namespace vesk {

DumpLayout DumpLayout::of(const Settings& s) {
  DumpLayout d;
  d.line_bytes = s.line_bytes;
  d.chars_only = s.run_mode == RunMode::char_dump;
  d.dec = s.dec_mode;
  const int lb = d.line_bytes;
  if (!d.chars_only) {
    d.char_col = d.hex_col + 2 * lb + (lb + 1) / 2 + 2;
    d.same_w = 2 * lb + lb / 2;
  } else {
    d.char_col = d.hex_col;
  }
  d.widen = s.all_blocks;
  return d;
}

DumpLineBuilder::DumpLineBuilder(const DumpLayout& layout, const Codec& codec, ReportEncoding encoding)
    : layout_(layout), write_columns_(codec.write_columns[static_cast<int>(encoding)]) {
  // The parts before the character column, as far as they may move, then
  // the character column at its widest, its blanks and bar.
  buf_size_ = layout.char_col + kMaxShift + column_room<Utf8Encoder>(layout.line_bytes) + layout.line_bytes + 8;
  line_.reset(new char[buf_size_]);
  template_.reset(new char[buf_size_]);
  make_template();
}

void DumpLineBuilder::make_template() {
  char* b = template_.get();
  std::memset(b, ' ', static_cast<std::size_t>(buf_size_));
  if (!layout_.chars_only) b[layout_.char_start() - 2] = '|';
  std::memcpy(b + 6, "0000", 4);
  if (layout_.chars_only) b[11 + layout_.shift] = '|';
}

// The last character of a first line's prefix stands in column 11 with four
// hex digits (five decimal ones). With the hex part, column 12 is the last
// one it may take; with -C, whose prefix ends in the opening bar, column 11.
int DumpLineBuilder::shift_for(long long block) const {
  if (block < 0) return 0;
  char digits[kDecimalTextSize];
  auto v = static_cast<std::uint64_t>(block);
  int last = layout_.dec ? 6 + std::max(5, put_digits(digits, v, 10, 1)) : 7 + std::max(4, put_digits(digits, v, 16, 1));
  int limit = layout_.chars_only ? 11 : 12;
  return std::min(kMaxShift, std::max(0, last - limit));
}

void put_hex_pair(char* dest, int b1, int b2) {
  std::memcpy(dest, kHexPairs.digits[b1 & 0xFF], 2);
  if (b2 < 0) {
    std::memcpy(dest + 2, "   ", 3);
    return;
  }
  std::memcpy(dest + 2, kHexPairs.digits[b2 & 0xFF], 2);
  dest[4] = ' ';
}

namespace {

// The hex groups of a whole line: four digits and a blank for each two
// bytes, eight bytes of output at a time where they fit.
void put_hex_groups(char* h, const unsigned char* data, int n) {
  int j = 0;
  for (; j + 1 < n; j += 2, h += 5) {
    std::memcpy(h, kHexPairs.digits[data[j]], 2);
    std::memcpy(h + 2, kHexPairs.digits[data[j + 1]], 2);
    h[4] = ' ';
  }
  if (j < n) put_hex_pair(h, data[j], -1);
}

}  // namespace

// The first line of a block: " HEAD 0000  ", " %04X %04X  " or "%05d %04d  "
// (a leading zero shown as a blank); with -C the last blank is a bar.
void DumpLineBuilder::put_first_prefix(long long block) {
  char* line = line_.get();
  const char tail = layout_.chars_only ? '|' : ' ';
  if (block == -1) {
    std::memcpy(line, " HEAD 0000  ", 12);
    return;
  }
  char* p = line;
  auto v = static_cast<std::uint64_t>(block);
  if (layout_.dec) {
    p += put_digits(p, v, 10, 5);
    if (line[0] == '0') line[0] = ' ';
  } else {
    *p++ = ' ';
    p += put_digits(p, v, 16, 4);
  }
  std::memcpy(p, " 0000 ", 6);
  p[6] = tail;
}

// Every other line: six blanks, the offset in four digits, then "  " or " |",
// which the template already holds.
void DumpLineBuilder::put_offset(int offset) {
  put_four_digits(line_.get() + 6, static_cast<unsigned>(offset), layout_.dec ? 10 : 16);
}

void DumpLineBuilder::build_before_characters(const unsigned char* data, int n, long long block, int offset,
                                              bool hex) {
  char* line = line_.get();
  if (offset == 0 && layout_.widen) {
    int shift = shift_for(block);
    if (shift > layout_.shift) {
      layout_.shift = shift;
      make_template();
    }
  }
  const int char_col = layout_.char_start();
  std::memcpy(line, template_.get(), static_cast<std::size_t>(char_col));
  if (offset == 0)
    put_first_prefix(block);
  else
    put_offset(offset);

  if (hex && !layout_.chars_only) put_hex_groups(line + layout_.hex_start(), data, n);
}

int DumpLineBuilder::build(const unsigned char* data, int n, int avail, long long block, int offset,
                           ColumnState& columns) {
  build_before_characters(data, n, block, offset);
  const int lb = layout_.line_bytes;
  const int char_col = layout_.char_start();
  char* line = line_.get();

  // The characters, then blanks up to the closing bar, which stands in the
  // column after the one that follows the last byte's.
  int cols = 0;
  char* p = line + char_col;
  p += write_columns_(columns, data, n, avail, p, &cols);
  chars_end_ = static_cast<int>(p - line);
  for (int c = cols; c <= lb; ++c) *p++ = ' ';
  *p++ = '|';
  *p = '\0';
  return static_cast<int>(p - line);
}

}  // namespace vesk
