#include "formatted/block_print.h"

#include <cstring>

#include "common/digits.h"
#include "common/text_scan.h"
#include "text/sjis_codes.h"
#include "formatted/item_list.h"
#include "formatted/item_map.h"
#include "formatted/item_text.h"

namespace vesk {

namespace {

// "       block: %d  addr: %04llX" (with -D "%04lld"): written for every block
// of a list.
void put_list_title(FormPrinter& p, long long block, long long addr) {
  char t[80];
  std::memcpy(t, "       block: ", 14);
  int n = 14;
  n += decimal_text(block, t + n);
  std::memcpy(t + n, "  addr: ", 8);
  n += 8;
  n += put_digits(t + n, static_cast<std::uint64_t>(addr), p.view.dec ? 10 : 16, 4);
  p.report.put_line(t, static_cast<std::size_t>(n));
}

// The comment as the report may show it, in every character mode: printable
// ASCII, half-width kana and valid Shift_JIS pairs as they are, every other
// byte as a point (a control byte from the format file must not reach the
// user's terminal). At most size - 1 bytes and a zero byte.
void make_shown_comment(char* out, int size, const char* comment) {
  const unsigned char* t = reinterpret_cast<const unsigned char*>(comment);
  int i = 0;
  while (i < size - 1 && t[i] != '\0') {
    if (i + 2 < size && is_sjis_pair(t[i], t[i + 1])) {
      out[i] = static_cast<char>(t[i]);
      out[i + 1] = static_cast<char>(t[i + 1]);
      i += 2;
      continue;
    }
    out[i] = is_shown_single(t[i]) ? static_cast<char>(t[i]) : '.';
    ++i;
  }
  out[i] = '\0';
}

}  // namespace

// A Shift_JIS pair is never cut in half.
void put_range_comment(FormPrinter& p, const char* comment) {
  int width = p.view.line_width - 7;
  if (width < 0) width = 0;
  char text[kLineBufSize];
  if (width > kLineBufSize - 8) width = kLineBufSize - 8;
  std::memcpy(text, "       ", 7);
  char shown[kLineBufSize];
  make_shown_comment(shown, kLineBufSize, comment);
  copy_cut_text(text + 7, shown, width);
  text[7 + width] = '\0';
  p.report.put_line(text, Style::label);
}

int print_block(FormPrinter& p, const unsigned char* data, int size, long long block, long long addr) {
  if (!p.view.map) put_list_title(p, block, addr);
  BlockPlace place = p.view.defs.place_of(block);
  if (place.entry < 0) {
    p.error("no data description");
    return -1;
  }
  const BlnoInf& e = p.view.defs.blno_inf[place.entry];
  if (e.comment != nullptr) put_range_comment(p, e.comment);

  if (!p.view.map) {
    print_items(p, e.item_no, data, size, 0);
  } else {
    MapRow row;
    print_map(p, e.item_no, data, size, block, row, 0);
    // The row being built is the one the last value went into.
    if (row.pending && !p.failed) put_map_line(p, block, row.start);
  }
  return p.failed ? -1 : 0;
}

void put_block_title(FormPrinter& p, int indent, long long addr, int block_size) {
  LineBuffer title;
  const unsigned base = p.view.dec ? 10 : 16;
  int col = indent;
  int end = 0;
  if (addr >= 0) {
    char t[kDecimalTextSize + 8];
    int n = 0;
    t[n++] = '[';
    n += put_digits(t + n, static_cast<std::uint64_t>(addr), base, 7);
    std::memcpy(t + n, "]  ", 3);
    n += 3;
    col = title.put(1, t, n);
    end = col;
  }
  if (block_size != -1) {
    char t[kDecimalTextSize + 8];
    std::memcpy(t, "size: ", 6);
    int n = 6 + put_digits(t + 6, static_cast<std::uint64_t>(block_size), base, 4);
    end = title.put(col, t, n);
  }
  title.end_at(end);
  p.report.put_line(title.c_str());
}

}  // namespace vesk
