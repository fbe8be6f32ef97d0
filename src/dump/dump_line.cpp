#include "dump/dump_line.h"

#include <cstring>

#include "common/messages.h"
#include "dump/char_decode.h"
#include "main/settings.h"
#include "output/report.h"

namespace vesk {

DumpLineState dump_state;

namespace {

constexpr int kHexCol = 13;
constexpr char kUpperDigits[] = "0123456789ABCDEF";

// Two lower-case hex digits of every byte value.
struct HexPairs {
  char digits[256][2];
  constexpr HexPairs() : digits() {
    constexpr char lower[] = "0123456789abcdef";
    for (int b = 0; b < 256; ++b) {
      digits[b][0] = lower[b >> 4];
      digits[b][1] = lower[b & 15];
    }
  }
};
constexpr HexPairs kHexPairs;

// Writes v with at least min_digits digits (leading zeros) in base 10 or 16;
// returns the number of characters written (at most 20).
int put_number(char* dest, unsigned long long v, int base, int min_digits) {
  char tmp[24];
  int k = 0;
  do {
    tmp[k++] = kUpperDigits[v % static_cast<unsigned>(base)];
    v /= static_cast<unsigned>(base);
  } while (v != 0 && k < 22);
  while (k < min_digits && k < 22) tmp[k++] = '0';
  for (int i = 0; i < k; ++i) dest[i] = tmp[k - 1 - i];
  return k;
}

// The first line of a block: " HEAD 0000  ", " %04X %04X  " or "%05d %04d  "
// (a leading zero shown as a blank); with -C the last blank is a bar.
void put_first_prefix(char* line, long long block) {
  char* p = line;
  const char tail = settings.run_mode == 1 ? '|' : ' ';
  if (block == -1) {
    std::memcpy(p, " HEAD 0000  ", 12);
    return;
  }
  unsigned long long v = static_cast<unsigned long long>(block);
  if (settings.dec_mode) {
    p += put_number(p, v, 10, 5);
    if (line[0] == '0') line[0] = ' ';
  } else {
    *p++ = ' ';
    p += put_number(p, v, 16, 4);
  }
  std::memcpy(p, " 0000 ", 6);
  p[6] = tail;
}

// Every other line: six blanks, the offset in four digits, then "  " or " |",
// which the blank line already holds.
void put_offset(char* line, int offset) {
  unsigned o = static_cast<unsigned>(offset);
  if (settings.dec_mode) {
    line[6] = static_cast<char>('0' + o / 1000 % 10);
    line[7] = static_cast<char>('0' + o / 100 % 10);
    line[8] = static_cast<char>('0' + o / 10 % 10);
    line[9] = static_cast<char>('0' + o % 10);
  } else {
    line[6] = kUpperDigits[(o >> 12) & 15];
    line[7] = kUpperDigits[(o >> 8) & 15];
    line[8] = kUpperDigits[(o >> 4) & 15];
    line[9] = kUpperDigits[o & 15];
  }
}

// Sizes the buffers from -b at the first line and lays out the blank line.
void start_lines() {
  DumpLineState& s = dump_state;
  const int lb = settings.line_bytes;
  page.hex_col = kHexCol;
  if (settings.run_mode == 0) {
    page.char_col = kHexCol + 2 * lb + (lb + 1) / 2 + 2;
    s.same_w = 2 * lb + lb / 2;
  } else {
    page.char_col = kHexCol;
    s.same_w = lb;
  }
  // Room for the character column's longest reach (a closing text and its zero
  // byte up to 5 columns past the last byte) and the longest prefix.
  s.buf_size = lb * 4 + 34;
  int reach = page.char_col + lb + 6;
  if (s.buf_size < reach) s.buf_size = reach;
  s.line_buf = static_cast<char*>(getmem(static_cast<std::size_t>(s.buf_size)));
  s.prev_line = static_cast<char*>(getmem(static_cast<std::size_t>(s.buf_size)));
  s.blank_line = static_cast<char*>(getmem(static_cast<std::size_t>(s.buf_size)));

  char* b = s.blank_line;
  std::memset(b, ' ', static_cast<std::size_t>(s.buf_size - 1));
  b[s.buf_size - 1] = '\0';
  if (settings.run_mode == 0) b[page.char_col - 2] = '|';
  b[page.char_col + lb + 1] = '|';
  std::memcpy(b + 6, "0000", 4);
  if (settings.run_mode == 1) b[11] = '|';
}

// Equal as text over w columns: a zero byte in both ends the comparison as equal.
bool same_columns(const char* a, const char* b, int w) {
  if (std::memcmp(a, b, static_cast<std::size_t>(w)) == 0) return true;
  return settings.run_mode == 1 && std::strncmp(a, b, static_cast<std::size_t>(w)) == 0;
}

}  // namespace

void put_hex_pair(char* dest, int b1, int b2) {
  std::memcpy(dest, kHexPairs.digits[b1 & 0xFF], 2);
  if (b2 < 0) {
    std::memcpy(dest + 2, "   ", 3);
    return;
  }
  std::memcpy(dest + 2, kHexPairs.digits[b2 & 0xFF], 2);
  dest[4] = ' ';
}

void dump_line(const unsigned char* data, int n, long long block, int offset, int show) {
  DumpLineState& s = dump_state;
  if (s.line_buf == nullptr) start_lines();
  const int lb = settings.line_bytes;
  const int char_col = page.char_col;
  char* line = s.line_buf;

  std::memcpy(line, s.blank_line, static_cast<std::size_t>(s.buf_size));
  if (offset == 0)
    put_first_prefix(line, block);
  else
    put_offset(line, offset);

  if (settings.run_mode == 0) {
    char* h = line + kHexCol;
    int j = 0;
    for (; j + 1 < n; j += 2, h += 5) put_hex_pair(h, data[j], data[j + 1]);
    if (j < n) put_hex_pair(h, data[j], -1);
  }

  // The line ends just after its closing bar, or earlier where a character
  // that ends it closed it.
  int end = decode_chars(char_decoder, line + char_col, data, n);
  if (end < 0 || end > lb + 2) end = lb + 2;
  line[char_col + end] = '\0';
  std::size_t len = static_cast<std::size_t>(char_col + end);

  if (block == s.prev_blk && settings.omit_same == 1 &&
      same_columns(line + kHexCol, s.prev_line + kHexCol, s.same_w)) {
    s.same_flag = 1;
    return;
  }
  if (s.same_flag == 1) put_line(kSameMarker);
  std::memcpy(s.prev_line + kHexCol, line + kHexCol, static_cast<std::size_t>(s.same_w));
  s.same_flag = 0;
  s.prev_blk = block;
  // The decoders write no newline, so the line counts as one.
  if (show == 1) put_line_plain(line, len);
}

void dump_block(const unsigned char* data, int length, long long block, long long /*position*/, int show) {
  if (settings.page_lines == 32000) page.line_cnt = 0;
  const int lb = settings.line_bytes;
  for (int o = 0; o < length; o += lb) {
    int n = length - o < lb ? length - o : lb;
    dump_line(data + o, n, block, o, show);
  }
}

}  // namespace vesk
