#include "output/styled_line.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/text_scan.h"
#include "output/utf8_transcode.h"
#include "text/encoders.h"

namespace vesk {

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;

// The first column from `from` on, before stop, whose style is not s: eight
// columns at a time where they can be.
std::size_t same_style_to(const Style* by, std::size_t from, std::size_t stop, Style s) {
  const std::uint64_t all_s = kEveryByte * static_cast<std::uint8_t>(s);
  for (std::uint64_t x; from + 8 <= stop; from += 8) {
    std::memcpy(&x, by + from, 8);
    if (x != all_s) break;
  }
  while (from < stop && by[from] == s) ++from;
  return from;
}

// Where the Shift_JIS units of t from `from` end at or after end: a pair
// begun before end takes its second byte along (a pair needs both bytes
// before stop). Runs of ASCII eight bytes at a time.
std::size_t whole_units_to(const unsigned char* t, std::size_t from, std::size_t end, std::size_t stop) {
  while (from < end) {
    std::uint64_t x;
    if (from + 8 <= end && (std::memcpy(&x, t + from, 8), (x & 0x80 * kEveryByte) == 0)) {
      from += 8;
      continue;
    }
    from += is_sjis_lead(t[from]) && from + 1 < stop && is_sjis_trail(t[from + 1]) ? 2 : 1;
  }
  return from;
}

}  // namespace

// The style of each column: whole from the line's first character to its
// last (not its margins), else that of the spans, a later one over an
// earlier one. A newline is in no style; blanks between two columns of one
// style take it (fewer sequences, and a blank looks the same in any style).
void StyledLineMaker::style_columns(const char* text, std::size_t n, const LineStyle* styles,
                                    std::size_t style_count, Style whole) {
  by_column_.assign(n, Style::none);
  Style* by = by_column_.data();
  if (whole != Style::none) {
    std::size_t first = 0, end = n;
    while (first < n && (text[first] == ' ' || text[first] == '\n')) ++first;
    while (end > first && (text[end - 1] == ' ' || text[end - 1] == '\n')) --end;
    std::fill(by + first, by + end, whole);
  } else {
    for (std::size_t k = 0; k < style_count; ++k) {
      const auto from = static_cast<std::size_t>(std::max(styles[k].from, 0));
      const auto to = std::min(static_cast<std::size_t>(std::max(styles[k].to, 0)), n);
      if (from < to) std::fill(by + from, by + to, styles[k].style);
    }
  }
  for (const char* nl = static_cast<const char*>(std::memchr(text, '\n', n)); nl != nullptr;
       nl = static_cast<const char*>(std::memchr(nl + 1, '\n', n - static_cast<std::size_t>(nl + 1 - text))))
    by[nl - text] = Style::none;
  for (std::size_t c = 0; c < n;) {
    const std::size_t end = same_style_to(by, c + 1, n, by[c]);
    if (by[c] == Style::none && c > 0 && end < n && by[end] == by[c - 1] &&
        std::all_of(text + c, text + end, [](char ch) { return ch == ' '; }))
      std::fill(by + c, by + end, by[c - 1]);
    c = end;
  }
}

void StyledLineMaker::change_to(Style to) {
  char change[kMaxStyleChange];
  out_.append(change, static_cast<std::size_t>(put_style_change(now_, to, change)));
  now_ = to;
}

const std::string& StyledLineMaker::make(const char* text, std::size_t n, const LineCell* cells,
                                         std::size_t cell_count, const LineStyle* styles, std::size_t style_count,
                                         Style whole, bool utf8) {
  out_.clear();
  now_ = Style::none;
  style_columns(text, n, styles, style_count, whole);
  const Style* by = by_column_.data();
  // The cells in their own UTF-8 form, by column (a cell that overlaps the
  // one before, or passes the end, is left out as the sink leaves it out).
  sorted_.clear();
  if (utf8 && cell_count > 0) {
    sorted_.assign(cells, cells + cell_count);
    std::sort(sorted_.begin(), sorted_.end(), [](const LineCell& a, const LineCell& b) { return a.col < b.col; });
  }
  std::size_t next_cell = 0;
  const auto* t = reinterpret_cast<const unsigned char*>(text);
  const bool newlines = std::memchr(text, '\n', n) != nullptr;
  std::size_t at = 0;
  while (at < n) {
    while (next_cell < sorted_.size() && static_cast<std::size_t>(sorted_[next_cell].col) < at) ++next_cell;
    const bool cell_here = next_cell < sorted_.size() && static_cast<std::size_t>(sorted_[next_cell].col) == at &&
                           at + sorted_[next_cell].cell.len <= n;
    change_to(by[at]);
    if (cell_here) {
      char form[4 * kMaxCellLength + 8];
      out_.append(form, static_cast<std::size_t>(put_cell<Utf8Encoder>(sorted_[next_cell].cell, form)));
      at += sorted_[next_cell].cell.len;
      continue;
    }
    if (text[at] == '\n') {
      out_ += '\n';
      ++at;
      continue;
    }
    // A run of text in one style up to the next cell or newline: whole
    // Shift_JIS pairs, each in the style of its first column.
    const std::size_t stop = next_cell < sorted_.size() ? std::min<std::size_t>(sorted_[next_cell].col, n) : n;
    std::size_t end = same_style_to(by, at + 1, stop, now_);
    if (const void* nl = newlines ? std::memchr(text + at, '\n', end - at) : nullptr)
      end = static_cast<std::size_t>(static_cast<const char*>(nl) - text);
    end = whole_units_to(t, at, end, stop);
    if (!utf8) {
      out_.append(text + at, end - at);
    } else {
      const std::size_t old = out_.size();
      out_.resize(old + kUtf8PerSjisByte * (end - at));
      out_.resize(old + sjis2utf8(text + at, end - at, &out_[old]));
    }
    at = end;
  }
  change_to(Style::none);
  return out_;
}

}  // namespace vesk
