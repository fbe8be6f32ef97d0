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

// What the colored columns write for each byte that the decoder takes
// alone, after each style they may be in: the change of style and the
// character (16 bytes, the length in the last), the change and the hex
// digits (15 bytes, the length in the last); and the style of each byte (a
// table apart: the style the next byte's entry is found by comes from the
// byte, not from this entry). Built once a pair of decoder and encoder.
struct LoneColoredBytes {
  struct alignas(32) Entry {
    char chars[15];
    unsigned char chars_len;
    char hex[15];
    unsigned char hex_len;
  };
  Entry entry[kStyles * 256];  // [style before * 256 + byte]
  Style style[256];
};

template <class Decoder, class Encoder>
const LoneColoredBytes& lone_colored_bytes() {
  static const LoneColoredBytes* const table = [] {
    auto* t = new LoneColoredBytes();
    const LoneUnits& units = lone_units<Decoder, Encoder>();
    for (int b = 0; b < 256; ++b) {
      DecoderState st;
      const auto byte = static_cast<unsigned char>(b);
      const Style style = Decoder::kLone.lone[b] ? style_of_cell(Decoder::decode(st, &byte, 1)) : Style::invalid;
      t->style[b] = style;
      for (int now = 0; now < kStyles; ++now) {
        LoneColoredBytes::Entry& e = t->entry[now * 256 + b];
        char change[kMaxStyleChange];
        const int n = put_style_change(static_cast<Style>(now), style, change);
        std::memcpy(e.chars, change, static_cast<std::size_t>(n));
        std::memcpy(e.chars + n, units.unit[b].text, units.unit[b].len);
        e.chars_len = static_cast<unsigned char>(n + units.unit[b].len);
        std::memcpy(e.hex, change, static_cast<std::size_t>(n));
        std::memcpy(e.hex + n, kHexPairs.digits[b], 2);
        e.hex_len = static_cast<unsigned char>(n + 2);
      }
    }
    return t;
  }();
  return *table;
}

// Whether the decoder takes every byte alone, whatever its state (-A, -K).
template <class Decoder>
constexpr bool every_byte_alone() {
  for (bool alone : Decoder::kLone.lone)
    if (!alone) return false;
  return true;
}

// Writes the colored columns of the n bytes at data (avail >= n bytes
// readable there, as for write_columns): their characters to out, which has
// room for colored_column_room(n) bytes, and their hex pairs to hex, which
// has room for colored_hex_room(n): two lower-case digits a byte and a blank
// after each group of two bytes, each byte in the style of its cell. Both
// start and end in the terminal's color. Returns the bytes written to out;
// *hex_len gets those written to hex, *columns the columns taken, n or n + 1.
// Every call in it inlined (the decoder's above all), as write_columns has
// them: one loop decodes, encodes and colors.
template <class Decoder, class Encoder>
[[gnu::flatten]] int write_colored_columns(ColumnState& st, const unsigned char* data, int n, int avail, char* out,
                                           int* columns, char* hex, int* hex_len) {
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
  const LoneColoredBytes& table = lone_colored_bytes<Decoder, Encoder>();
  const LoneColoredBytes::Entry* __restrict entries = table.entry;
  const Style* __restrict lone_style = table.style;
  // A byte alone: its change of style and character, its change and hex
  // digits, from the table.
  auto put_lone = [&o, &h, &now, entries, lone_style](unsigned char b) {
    const LoneColoredBytes::Entry& e = entries[static_cast<int>(now) * 256 + b];
    const char* slots = reinterpret_cast<const char*>(&e);
    std::memcpy(o, slots, 16);
    o += e.chars_len;
    std::memcpy(h, slots + 16, 16);
    h += e.hex_len;
    now = lone_style[b];
  };
  if constexpr (every_byte_alone<Decoder>()) {
    // Every byte is a cell of its own: two at a time, the blank after them.
    for (; off + 1 < n; off += 2) {
      put_lone(d[off]);
      put_lone(d[off + 1]);
      *h++ = ' ';
    }
    if (off < n) put_lone(d[off++]);
    cols = off;
  }
  const bool* __restrict lone = Decoder::kLone.lone;
  while (off < n) {
    const unsigned char b = d[off];
    if (lone[b]) {
      put_lone(b);
      // The blank after a group of two bytes.
      *h = ' ';
      h += off & 1;
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
