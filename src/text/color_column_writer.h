// The character column of a dump line in color: the same columns as
// write_columns (column_writer.h) writes, with an SGR sequence before each
// cell whose style differs from the one before; and the runs of the line's
// bytes of one style, for their hex pairs. A cell that the line's end cuts
// keeps its style on the next line.
#pragma once

#include <cstdint>

#include "text/color.h"
#include "text/column_writer.h"

namespace vesk {

// Room for the colored column of a line of n bytes: its columns, and a style
// change before each cell and at its end.
template <class Encoder>
constexpr int colored_column_room(int n) {
  return column_room<Encoder>(n) + (n + 2) * kMaxStyleChange;
}

// Bytes of a line from `start` up to the next run's start (or the line's
// end) in one style.
struct StyleRun {
  std::uint16_t start;
  Style style;
};

// The style of each byte that the decoder takes alone. Built once a decoder.
struct LoneStyles {
  Style style[256];
};

template <class Decoder>
const LoneStyles& lone_styles() {
  static const LoneStyles styles = [] {
    LoneStyles s{};
    for (int b = 0; b < 256; ++b) {
      DecoderState st;
      const auto byte = static_cast<unsigned char>(b);
      s.style[b] = Decoder::kLone.lone[b] ? style_of_cell(Decoder::decode(st, &byte, 1)) : Style::invalid;
    }
    return s;
  }();
  return styles;
}

// Writes the colored character column of the n bytes at data (as
// write_columns does, avail >= n bytes readable there) to out, which has
// room for colored_column_room(n) bytes. runs gets the runs of one style
// among the n bytes (room for n + 1), and *run_count their number. The
// column starts and ends in the terminal's color. Returns the bytes written;
// *columns gets the columns taken, n or n + 1.
template <class Decoder, class Encoder>
int write_colored_columns(ColumnState& st, const unsigned char* data, int n, int avail, char* out, int* columns,
                          StyleRun* runs, int* run_count) {
  const unsigned char* __restrict d = data;
  char* __restrict o = out;
  StyleRun* __restrict r = runs;
  int count = 0;
  Style now = Style::none;
  // A run begins where the style changes. Random bytes change it at most
  // bytes: the run is written always, and kept when the style changed; the
  // sequence is copied always, and is empty when the style stays.
  auto change_to = [&](int at, Style style) {
    r[count] = StyleRun{static_cast<std::uint16_t>(at), style};
    count += style != now;
    o += put_style_change(now, style, o);
    now = style;
  };
  int off = 0;
  int cols = 0;
  if (st.has_pending) {
    change_to(0, style_of_cell(st.pending));
    int c;
    o += put_pending<Encoder>(st, n, o, &c, &off);
    cols = c;
  }
  const LoneUnits::Unit* __restrict units = lone_units<Decoder, Encoder>().unit;
  const Style* __restrict lone_style = lone_styles<Decoder>().style;
  const bool* __restrict lone = Decoder::kLone.lone;
  while (off < n) {
    const unsigned char b = d[off];
    if (lone[b]) {
      change_to(off, lone_style[b]);
      if constexpr (Encoder::kMaxBytesPerColumn == 1) {
        *o++ = units[b].text[0];
      } else {
        std::memcpy(o, units[b].text, 4);
        o += units[b].len;
      }
      cols = ++off;
      continue;
    }
    if constexpr (Decoder::kHasPairs) {
      if (off + 1 < n) {
        if (unsigned pair = Decoder::pair_at(d + off)) {
          change_to(off, Style::multibyte);
          o += Encoder::put_pair(pair, o);
          off += 2;
          cols = off;
          continue;
        }
      }
    }
    Cell c = Decoder::decode(st.decoder, d + off, avail - off);
    change_to(off, style_of_cell(c));
    if (off + c.len <= n) {
      o += put_cell<Encoder>(c, o);
      off += c.len;
      cols = off;
      continue;
    }
    int shown;
    o += put_cut_cell<Encoder>(st, c, n - off, o, &shown);
    cols = off + shown;
    off = n;
  }
  o += put_style_change(now, Style::none, o);
  *run_count = count;
  *columns = cols;
  return static_cast<int>(o - out);
}

}  // namespace vesk
