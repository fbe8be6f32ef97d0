// The bytes of a dump line in color: the character column that
// write_columns (column_writer.h) writes, with an SGR sequence before each
// cell whose style differs from the one before, and the hex pairs of the
// bytes alike, each byte in the style of its cell. A cell that the line's end
// cuts keeps its style on the next line.
#pragma once

#include <cstdint>

#include "common/digits.h"
#include "text/color.h"
#include "text/column_writer.h"

namespace vesk {

// Room for the colored column of a line of n bytes: its columns, and a style
// change before each cell and at its end.
template <class Encoder>
constexpr int colored_column_room(int n) {
  return column_room<Encoder>(n) + (n + 2) * kMaxStyleChange;
}

// Room for the colored hex pairs of a line of n bytes.
constexpr int colored_hex_room(int n) { return n * 3 + (n + 2) * kMaxStyleChange; }

// What the colored columns show of each byte that the decoder takes alone,
// in an encoding of one byte a column: its character, its style and its hex
// digits. Built once a pair of decoder and encoder.
struct LoneColumns {
  struct Byte {
    char unit[4];  // the character, as LoneUnits has it
    char hex[2];
    Style style;
  };
  Byte byte[256];
};

template <class Decoder, class Encoder>
const LoneColumns& lone_columns() {
  static const LoneColumns columns = [] {
    LoneColumns t{};
    const LoneUnits& units = lone_units<Decoder, Encoder>();
    for (int b = 0; b < 256; ++b) {
      DecoderState st;
      const auto byte = static_cast<unsigned char>(b);
      LoneColumns::Byte& x = t.byte[b];
      std::memcpy(x.unit, units.unit[b].text, 4);
      std::memcpy(x.hex, kHexPairs.digits[b], 2);
      x.style = Decoder::kLone.lone[b] ? style_of_cell(Decoder::decode(st, &byte, 1)) : Style::invalid;
    }
    return t;
  }();
  return columns;
}

// Writes the colored columns of the n bytes at data (avail >= n bytes
// readable there, as for write_columns): their characters to out, which has
// room for colored_column_room(n) bytes, and their hex pairs to hex, which
// has room for colored_hex_room(n): two lower-case digits a byte and a blank
// after each group of two bytes, each byte in the style of its cell. Both
// start and end in the terminal's color. Returns the bytes written to out;
// *hex_len gets those written to hex, *columns the columns taken, n or n + 1.
template <class Decoder, class Encoder>
int write_colored_columns(ColumnState& st, const unsigned char* data, int n, int avail, char* out, int* columns,
                          char* hex, int* hex_len) {
  const unsigned char* __restrict d = data;
  char* __restrict o = out;
  char* __restrict h = hex;
  Style now = Style::none;
  int off = 0;
  int cols = 0;
  // The change of style before a cell, in both parts. Random bytes change
  // style at most bytes: the sequence is copied always, and is empty when the
  // style stays.
  auto change_to = [&o, &h, &now](Style style) {
    const StyleChanges::Change& c = kStyleChanges.change[static_cast<int>(now)][static_cast<int>(style)];
    std::memcpy(o, &c, kMaxStyleChange);
    std::memcpy(h, &c, kMaxStyleChange);
    o += c.len;
    h += c.len;
    now = style;
  };
  // The hex digits of bytes [from, to).
  auto put_hex = [&h, d](int from, int to) {
    for (int j = from; j < to; ++j) {
      std::memcpy(h, kHexPairs.digits[d[j]], 2);
      h[2] = ' ';
      h += 2 + (j & 1);
    }
  };
  if (st.has_pending) {
    change_to(style_of_cell(st.pending));
    int c;
    o += put_pending<Encoder>(st, n, o, &c, &off);
    put_hex(0, off);
    cols = c;
  }
  const LoneColumns::Byte* __restrict lone_column = lone_columns<Decoder, Encoder>().byte;
  const bool* __restrict lone = Decoder::kLone.lone;
  while (off < n) {
    const unsigned char b = d[off];
    if (lone[b]) {
      const LoneColumns::Byte x = lone_column[b];
      const StyleChanges::Change& c = kStyleChanges.change[static_cast<int>(now)][static_cast<int>(x.style)];
      std::memcpy(o, &c, kMaxStyleChange);
      std::memcpy(h, &c, kMaxStyleChange);
      o += c.len;
      h += c.len;
      now = x.style;
      if constexpr (Encoder::kMaxBytesPerColumn == 1) {
        *o++ = x.unit[0];
      } else {
        const LoneUnits::Unit& u = lone_units<Decoder, Encoder>().unit[b];
        std::memcpy(o, u.text, 4);
        o += u.len;
      }
      std::memcpy(h, x.hex, 2);
      h[2] = ' ';
      h += 2 + (off & 1);
      cols = ++off;
      continue;
    }
    if constexpr (Decoder::kHasPairs) {
      if (off + 1 < n) {
        if (unsigned pair = Decoder::pair_at(d + off)) {
          change_to(Style::multibyte);
          o += Encoder::put_pair(pair, o);
          put_hex(off, off + 2);
          off += 2;
          cols = off;
          continue;
        }
      }
    }
    Cell c = Decoder::decode(st.decoder, d + off, avail - off);
    change_to(style_of_cell(c));
    if (off + c.len <= n) {
      o += put_cell<Encoder>(c, o);
      put_hex(off, off + c.len);
      off += c.len;
      cols = off;
      continue;
    }
    int shown;
    o += put_cut_cell<Encoder>(st, c, n - off, o, &shown);
    put_hex(off, n);
    cols = off + shown;
    off = n;
  }
  change_to(Style::none);
  *hex_len = static_cast<int>(h - hex);
  *columns = cols;
  return static_cast<int>(o - out);
}

}  // namespace vesk
