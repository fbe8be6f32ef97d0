#include "output/styled_line.h"

#include <algorithm>
#include <vector>

#include "common/text_scan.h"
#include "output/utf8_transcode.h"
#include "text/encoders.h"

namespace vesk {

namespace {

// The style of each column: whole from the line's first character to its
// last (not its margins), else that of the spans.
std::vector<Style> column_styles(const char* text, std::size_t n, const LineStyle* styles, std::size_t count,
                                 Style whole) {
  std::vector<Style> by_column(n, Style::none);
  if (whole != Style::none) {
    std::size_t first = 0, end = n;
    while (first < n && (text[first] == ' ' || text[first] == '\n')) ++first;
    while (end > first && (text[end - 1] == ' ' || text[end - 1] == '\n')) --end;
    for (std::size_t c = first; c < end; ++c) by_column[c] = whole;
  } else {
    for (std::size_t k = 0; k < count; ++k) {
      const auto from = static_cast<std::size_t>(std::max(styles[k].from, 0));
      const auto to = std::min(static_cast<std::size_t>(std::max(styles[k].to, 0)), n);
      for (std::size_t c = from; c < to; ++c) by_column[c] = styles[k].style;
    }
  }
  for (std::size_t c = 0; c < n; ++c)
    if (text[c] == '\n') by_column[c] = Style::none;
  // Blanks between two columns of one style take it: fewer sequences, and
  // a blank looks the same in any style.
  for (std::size_t c = 1; c < n; ++c) {
    if (by_column[c] != Style::none || text[c] != ' ' || by_column[c - 1] == Style::none) continue;
    std::size_t end = c;
    while (end < n && text[end] == ' ' && by_column[end] == Style::none) ++end;
    if (end < n && by_column[end] == by_column[c - 1])
      for (std::size_t k = c; k < end; ++k) by_column[k] = by_column[c - 1];
    c = end;
  }
  return by_column;
}

void add_change(Style& now, Style to, std::string& out) {
  char change[kMaxStyleChange];
  out.append(change, static_cast<std::size_t>(put_style_change(now, to, change)));
  now = to;
}

}  // namespace

void make_styled_line(const char* text, std::size_t n, const LineCell* cells, std::size_t cell_count,
                      const LineStyle* styles, std::size_t style_count, Style whole, bool utf8, std::string& out) {
  out.clear();
  const std::vector<Style> by_column = column_styles(text, n, styles, style_count, whole);
  // The cells in their own UTF-8 form, by column (a cell that overlaps the
  // one before, or passes the end, is left out as the sink leaves it out).
  std::vector<LineCell> sorted;
  if (utf8) {
    sorted.assign(cells, cells + cell_count);
    std::sort(sorted.begin(), sorted.end(), [](const LineCell& a, const LineCell& b) { return a.col < b.col; });
  }
  std::size_t next_cell = 0;
  const auto* t = reinterpret_cast<const unsigned char*>(text);
  Style now = Style::none;
  std::size_t at = 0;
  while (at < n) {
    while (next_cell < sorted.size() && static_cast<std::size_t>(sorted[next_cell].col) < at) ++next_cell;
    const bool cell_here = next_cell < sorted.size() && static_cast<std::size_t>(sorted[next_cell].col) == at &&
                           at + sorted[next_cell].cell.len <= n;
    add_change(now, by_column[at], out);
    if (cell_here) {
      char form[4 * kMaxCellLength + 8];
      out.append(form, static_cast<std::size_t>(put_cell<Utf8Encoder>(sorted[next_cell].cell, form)));
      at += sorted[next_cell].cell.len;
      continue;
    }
    if (text[at] == '\n') {
      out += '\n';
      ++at;
      continue;
    }
    // A run of text in one style up to the next cell or newline: whole
    // Shift_JIS pairs, each in the style of its first column.
    const std::size_t stop = next_cell < sorted.size() ? std::min<std::size_t>(sorted[next_cell].col, n) : n;
    std::size_t end = at;
    do {
      end += is_sjis_lead(t[end]) && end + 1 < stop && is_sjis_trail(t[end + 1]) ? 2 : 1;
    } while (end < stop && by_column[end] == now && text[end] != '\n');
    if (!utf8) {
      out.append(text + at, end - at);
    } else {
      const std::size_t old = out.size();
      out.resize(old + kUtf8PerSjisByte * (end - at));
      out.resize(old + sjis2utf8(text + at, end - at, &out[old]));
    }
    at = end;
  }
  add_change(now, Style::none, out);
}

}  // namespace vesk
