#include "formatted/block_print.h"

#include <cstring>
#include <string>

#include "common/decimal_digits.h"
#include "common/digits.h"
#include "common/text_scan.h"
#include "text/sjis_codes.h"
#include "formatted/item_list.h"
#include "formatted/item_map.h"
#include "formatted/item_text.h"
#include "output/utf8_transcode.h"

namespace vesk {

namespace {

// "       block: %d  addr: %04llX" (with -D "%04lld"): written for every block
// of a list, at t (room for kListTitleSize bytes). Printable ASCII, the same
// in both encodings of the report. Returns its length.
constexpr std::size_t kListTitleSize = 80;
int make_list_title(char* t, bool dec, long long block, long long addr) {
  std::memcpy(t, "       block: ", 14);
  int n = 14;
  n += put_signed_decimal(t + n, block);
  std::memcpy(t + n, "  addr: ", 8);
  n += 8;
  n += put_padded_digits(t + n, static_cast<std::uint64_t>(addr), dec, 4);
  return n;
}

void put_list_title(FormPrinter& p, LineBatch& batch, long long block, long long addr) {
  if (p.line.styled) {
    // A colored report may color every line: none goes around it.
    batch.flush();
    char t[kListTitleSize];
    p.report.put_line(t, static_cast<std::size_t>(make_list_title(t, p.view.dec, block, addr)));
    return;
  }
  char* out = batch.line_space(kListTitleSize);
  batch.end_line(static_cast<std::size_t>(make_list_title(out, p.view.dec, block, addr)));
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

// The comment's line, in text (without its end): seven blanks and the
// shown comment cut to the line's width. Returns its length.
int make_comment_line(FormPrinter& p, const char* comment, char (&text)[kLineBufSize]) {
  int width = p.view.line_width - 7;
  if (width < 0) width = 0;
  if (width > kLineBufSize - 8) width = kLineBufSize - 8;
  std::memcpy(text, "       ", 7);
  char shown[kLineBufSize];
  make_shown_comment(shown, kLineBufSize, comment);
  // A Shift_JIS pair is never cut in half.
  copy_cut_text(text + 7, shown, width);
  return 7 + width;
}

// range_comment_line for a comment other than the last one written.
[[gnu::noinline]] const std::string* other_range_comment_line(FormPrinter& p, const char* comment) {
  auto& lines = p.range_comment_lines;
  for (const auto& kept : lines) {
    if (kept.first == comment) {
      p.last_range_comment = &kept;
      return &kept.second;
    }
  }
  // A format of many ranges keeps the lines of the first ones.
  constexpr std::size_t kKeptLines = 64;
  if (lines.size() >= kKeptLines) return nullptr;
  char text[kLineBufSize];
  const auto len = static_cast<std::size_t>(make_comment_line(p, comment, text));
  std::string line(text, len);
  if (p.report.sink().utf8()) {
    std::string utf8(kUtf8PerSjisByte * len, '\0');
    utf8.resize(sjis2utf8(text, len, utf8.data()));
    line = utf8;
  }
  // Room for them all: a line kept never moves.
  lines.reserve(kKeptLines);
  lines.emplace_back(comment, std::move(line));
  p.last_range_comment = &lines.back();
  return &lines.back().second;
}

// The line of a range's comment in the report's encoding, made once: every
// block of the range shows it. Null past the lines kept.
inline const std::string* range_comment_line(FormPrinter& p, const char* comment) {
  if (p.last_range_comment != nullptr && p.last_range_comment->first == comment) return &p.last_range_comment->second;
  return other_range_comment_line(p, comment);
}

}  // namespace

// The shown comment holds no control byte: its line is one line.
void put_range_comment(FormPrinter& p, const char* comment) {
  if (p.line.styled) {
    char text[kLineBufSize];
    text[make_comment_line(p, comment, text)] = '\0';
    p.report.put_line(text, Style::label);
    return;
  }
  if (const std::string* line = range_comment_line(p, comment)) {
    p.report.put_encoded_line(line->data(), line->size());
    return;
  }
  LineBatch batch(p.report);
  put_range_comment(p, comment, batch);
}

void put_range_comment(FormPrinter& p, const char* comment, LineBatch& batch) {
  if (p.line.styled) {
    batch.flush();
    put_range_comment(p, comment);
    return;
  }
  if (const std::string* line = range_comment_line(p, comment)) {
    batch.add_encoded(line->data(), line->size());
    return;
  }
  // Past the lines kept: made again.
  char text[kLineBufSize];
  batch.add(text, static_cast<std::size_t>(make_comment_line(p, comment, text)));
}

int print_block(FormPrinter& p, const unsigned char* data, int size, long long block, long long addr) {
  LineBatch batch(p.report);
  return print_block(p, data, size, block, addr, p.view.defs.place_of(block), batch);
}

int print_block(FormPrinter& p, const unsigned char* data, int size, long long block, long long addr,
                const BlockPlace& place, LineBatch& batch) {
  if (!p.view.map) {
    put_list_title(p, batch, block, addr);
    if (place.entry < 0) {
      batch.flush();
      p.error("no data description");
      return -1;
    }
    const BlnoInf& e = p.view.defs.blno_inf[place.entry];
    if (e.comment != nullptr) put_range_comment(p, e.comment, batch);
    print_items(p, e.item_no, data, size, 0, batch);
    return p.failed ? -1 : 0;
  }
  if (place.entry < 0) {
    p.error("no data description");
    return -1;
  }
  // The map's rows are gathered too (in color, each goes out as it is made).
  struct Gathering {
    FormPrinter& p;
    ~Gathering() { p.batch = nullptr; }
  } gathering{p};
  if (p.line.styled)
    batch.flush();
  else
    p.batch = &batch;
  const BlnoInf& e = p.view.defs.blno_inf[place.entry];
  if (e.comment != nullptr) put_range_comment(p, e.comment, batch);
  MapRow row;
  print_map(p, e.item_no, data, size, block, row, 0);
  // The row being built is the one the last value went into.
  if (row.pending && !p.failed) put_map_line(p, block, row.start);
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
