#include "formatted/block_print.h"

#include <cstdio>
#include <cstring>

#include "common/line_buffer.h"
#include "common/messages.h"
#include "dump/char_decode.h"
#include "format/definitions.h"
#include "formatted/item_list.h"
#include "formatted/item_map.h"
#include "formatted/item_text.h"
#include "main/settings.h"
#include "output/report.h"

namespace vesk {

namespace {

// Title and comment lines are built apart from list_line, which may hold a
// map row in the making.
LineBuffer title_line;

// The digits of v (not negative), at least min_digits of them, in base 10 or 16.
int put_digits(char* out, unsigned long long v, unsigned base, int min_digits) {
  char digits[24];
  int k = 0;
  do {
    digits[k++] = "0123456789ABCDEF"[v % base];
    v /= base;
  } while (v != 0);
  while (k < min_digits) digits[k++] = '0';
  for (int i = 0; i < k; ++i) out[i] = digits[k - 1 - i];
  return k;
}

// "       block: %d  addr: %04llX" (with -D "%04lld"), built by hand: it is
// written for every block of a list.
void put_list_title(int block, long long addr) {
  char t[80];
  if (block < 0 || addr < 0) {
    std::snprintf(t, sizeof t, settings.dec_mode ? "       block: %d  addr: %04lld" : "       block: %d  addr: %04llX",
                  block, addr);
  } else {
    int n = 0;
    std::memcpy(t, "       block: ", 14);
    n = 14;
    n += put_digits(t + n, static_cast<unsigned>(block), 10, 1);
    std::memcpy(t + n, "  addr: ", 8);
    n += 8;
    n += put_digits(t + n, static_cast<unsigned long long>(addr), settings.dec_mode ? 10 : 16, 4);
    t[n] = '\0';
  }
  put_line(t);
}

// The comment as the report may show it, in every character mode: printable
// ASCII, half-width kana and valid Shift_JIS pairs as they are, every other
// byte as a point (a control byte from the format file must not reach the
// user's terminal). At most size - 1 bytes and a zero byte.
void make_shown_comment(char* out, int size, const char* comment) {
  const unsigned char* t = reinterpret_cast<const unsigned char*>(comment);
  int i = 0;
  while (i < size - 1 && t[i] != '\0') {
    if (i + 2 < size && iskanji_sjis(t[i], t[i + 1])) {
      out[i] = static_cast<char>(t[i]);
      out[i + 1] = static_cast<char>(t[i + 1]);
      i += 2;
      continue;
    }
    bool single = (t[i] >= 0x20 && t[i] <= 0x7E) || (t[i] >= 0xA1 && t[i] <= 0xDF);
    out[i] = single ? static_cast<char>(t[i]) : '.';
    ++i;
  }
  out[i] = '\0';
}

}  // namespace

// A Shift_JIS pair is never cut in half.
void put_range_comment(const char* comment) {
  int width = settings.line_width - 7;
  if (width < 0) width = 0;
  char text[kLineBufSize];
  if (width > kLineBufSize - 8) width = kLineBufSize - 8;
  std::memcpy(text, "       ", 7);
  char shown[kLineBufSize];
  make_shown_comment(shown, kLineBufSize, comment);
  copy_cut_text(text + 7, shown, width);
  text[7 + width] = '\0';
  put_line(text);
}

int find_blno_entry(int block) {
  for (int i = 0; i < defs.blnoinf_cnt; ++i) {
    const BlnoInf& e = defs.blno_inf[i];
    if (e.from_blk <= block && block <= e.to_blk) return i;
  }
  return -1;
}

int print_block(char kind, const unsigned char* data, int size, int block, long long addr) {
  if (settings.map_disp == 0 && kind == 'D') put_list_title(block, addr);
  int entry = find_blno_entry(block);
  if (entry < 0) {
    def_error("no data description", 0);
    return -1;
  }
  const BlnoInf& e = defs.blno_inf[entry];
  if (e.comment != nullptr) put_range_comment(e.comment);

  if (settings.map_disp == 0) {
    if (defs.item_mlen < settings.item_size) settings.item_size = defs.item_mlen;
    if (defs.comment_mlen < settings.comment_size) settings.comment_size = defs.comment_mlen;
    print_items(e.item_no, data, size, 0);
  } else {
    MapRow row;
    print_map(e.item_no, data, size, block, row, 0);
    // The row being built is the one the last value went into.
    if (row.pending) put_map_line(block, row.start);
  }
  return 0;
}

void put_block_title(int indent, long long addr, int size) {
  title_line.fill_blanks();
  int col = indent;
  if (addr >= 0) {
    char t[40];
    std::snprintf(t, sizeof t, settings.dec_mode ? "[%07lld]  " : "[%07llX]  ", addr);
    col = title_line.put(1, t);
  }
  int end = addr >= 0 ? col : 0;
  if (size != -1) {
    char t[40];
    std::snprintf(t, sizeof t, "size: %s", size_text());
    end = title_line.put(col, t);
  }
  title_line.end_at(end);
  put_line(title_line.c_str());
}

const char* size_text() {
  static char text[16];
  std::snprintf(text, sizeof text, settings.dec_mode ? "%04d" : "%04X", settings.blk_size);
  return text;
}

}  // namespace vesk
