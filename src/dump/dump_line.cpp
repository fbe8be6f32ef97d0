#include "dump/dump_line.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/digits.h"
#include "dump/hex_groups.h"

namespace vesk {

namespace {
constexpr char kBlanks[17] = "                ";
}  // namespace

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

DumpLineBuilder::DumpLineBuilder(const DumpLayout& layout) : layout_(layout) {
  // The parts before the character column, as far as they may move, then
  // the character column at its widest, its blanks and bar.
  buf_size_ = layout.char_col + kMaxShift + column_room<Utf8Encoder>(layout.line_bytes) + layout.line_bytes + 32;
  // The template is copied in whole stores of kTemplateCopy bytes at least.
  if (buf_size_ < kTemplateCopy) buf_size_ = kTemplateCopy;
  line_.reset(new char[buf_size_]);
  template_.reset(new char[buf_size_]);
  make_template();
  for (unsigned i = 0; i < 256; ++i) {
    char digits[4];
    put_four_digits(digits, 16 * i, layout_.dec ? 10 : 16);
    std::memcpy(&line16_offsets_[i], digits, 4);
  }
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
  // The usual numbers fit: no digits to count.
  if (block < 0 || block < (layout_.dec ? 100000 : 0x10000)) return 0;
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

void put_hex_groups(char* h, const unsigned char* data, int n) {
  int j = 0;
#if defined(__SSE2__)
  for (; j + 16 <= n; j += 16, h += 40) put_hex16(h, data + j);
#endif
  for (; j + 1 < n; j += 2, h += 5) {
    std::memcpy(h, kHexPairs.digits[data[j]], 2);
    std::memcpy(h + 2, kHexPairs.digits[data[j + 1]], 2);
    h[4] = ' ';
  }
  if (j < n) put_hex_pair(h, data[j], -1);
}

// The first line of a block: " HEAD 0000  ", " %04X %04X  " or "%05d %04d  "
// (a leading zero shown as a blank); with -C the last blank is a bar.
void DumpLineBuilder::put_first_prefix(char* line, long long block) {
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
  } else if (v <= 0xFFFF) {
    *p++ = ' ';
    put_four_digits(p, static_cast<unsigned>(v), 16);
    p += 4;
  } else {
    *p++ = ' ';
    p += put_digits(p, v, 16, 4);
  }
  std::memcpy(p, " 0000 ", 6);
  p[6] = tail;
}

// Every other line: six blanks, the offset in four digits, then "  " or " |",
// which the template already holds.
void DumpLineBuilder::put_offset(char* line, int offset) {
  put_four_digits(line + 6, static_cast<unsigned>(offset), layout_.dec ? 10 : 16);
}

void DumpLineBuilder::start_block(long long block) {
  if (!layout_.widen) return;
  int shift = shift_for(block);
  if (shift > layout_.shift) {
    layout_.shift = shift;
    make_template();
  }
}

int DumpLineBuilder::put_start(char* line, const unsigned char* data, int n, long long block, int offset,
                               bool hex) {
  if (offset == 0) start_block(block);
  const int char_col = layout_.char_start();
  // The template sixteen bytes at a time: fixed-size copies, no call.
  if (char_col <= kTemplateCopy) {
    for (int i = 0; i < kTemplateCopy; i += 16) std::memcpy(line + i, template_.get() + i, 16);
  } else {
    for (int i = 0; i < char_col; i += 16) std::memcpy(line + i, template_.get() + i, 16);
  }
  if (offset == 0)
    put_first_prefix(line, block);
  else
    put_offset(line, offset);
  if (layout_.chars_only || !hex) return char_col;
#if defined(__SSE2__)
  if (n == 16) {
    put_hex16(line + layout_.hex_start(), data);
    return char_col;
  }
#endif
  put_hex_groups(line + layout_.hex_start(), data, n);
  return char_col;
}

// The closing bar stands in the column after the one that follows the last
// byte's.
int DumpLineBuilder::put_end(char* line, char* p, int cols) const {
  // Blanks sixteen at a time (the buffer has room past the line), then the bar.
  const int blanks = layout_.line_bytes + 1 - cols;
  std::memcpy(p, kBlanks, 16);
  for (int i = 16; i < blanks; i += 16) std::memcpy(p + i, kBlanks, 16);
  p += blanks > 0 ? blanks : 0;
  *p++ = '|';
  *p = '\0';
  return static_cast<int>(p - line);
}

}  // namespace vesk
