// The bytes of a dump line in color: the character column that
// write_columns (column_writer.h) writes, with an SGR sequence before each
// cell whose style differs from the one before, and the hex pairs of the
// bytes alike, each byte in the style of its cell. A cell that the line's end
// cuts keeps its style on the next line.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

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

#if defined(__SSE2__)

// The decoders whose chunks (fast_columns.h) the colored writer reads: in
// them a byte outside the chunk's pairs, and in UTF-8 outside the sequences
// its leads begin, is a cell of its own, whose style is its byte's. JIS,
// whose bytes mean what its shift says, is written cell by cell.
template <class Decoder>
constexpr bool colors_chunks() {
  return ChunkReader<Decoder>::kHas && !std::is_same_v<Decoder, JisDecoder>;
}

// Whether the decoder takes the half-width kana (0xA1-0xDF) alone.
template <class Decoder>
constexpr bool kana_alone() {
  return std::is_same_v<Decoder, SjisDecoder> || std::is_same_v<Decoder, KanaDecoder>;
}

// The style of each of sixteen bytes x taken alone by a decoder of colors_chunks
// (fx: the bytes flipped): below 0x80 ASCII and controls, above it a kana
// when kKana, else no character.
template <bool kKana>
inline simd::Bytes lone_styles(simd::Bytes x, simd::Bytes fx) {
  auto pick = [](simd::Bytes mask, Style style, simd::Bytes before) {
    return _mm_or_si128(_mm_and_si128(mask, _mm_set1_epi8(static_cast<char>(style))), _mm_andnot_si128(mask, before));
  };
  simd::Bytes s = _mm_set1_epi8(static_cast<char>(Style::invalid));
  s = pick(_mm_cmpgt_epi8(x, _mm_set1_epi8(-1)), Style::control, s);  // below 0x80
  s = pick(simd::in_range(fx, 0x21, 0x7E), Style::ascii, s);
  s = pick(_mm_or_si128(simd::in_range(fx, 0x09, 0x0D), _mm_cmpeq_epi8(x, _mm_set1_epi8(' '))), Style::space, s);
  s = pick(_mm_cmpeq_epi8(x, _mm_setzero_si128()), Style::zero, s);
  if constexpr (kKana) s = pick(simd::in_range(fx, 0xA1, 0xDF), Style::multibyte, s);
  return s;
}

// The index of each byte's change of style in kStyleChanges (the style
// before it, times kStyles, plus its own): the style before the first is
// now.
inline simd::Bytes change_indexes(simd::Bytes styles, Style now) {
  static_assert(kStyles * kStyles <= 256, "an index fits a byte");
  const simd::Bytes before =
      _mm_or_si128(_mm_slli_si128(styles, 1), _mm_cvtsi32_si128(static_cast<int>(now)));
  // Styles are below 16: shifted within their own bytes.
  return _mm_add_epi8(_mm_slli_epi16(before, 4), styles);
}

// The bytes of sixteen whose style differs from the one before them (the
// style before the first is now).
inline unsigned style_changes(simd::Bytes styles, Style now) {
  const simd::Bytes before =
      _mm_or_si128(_mm_slli_si128(styles, 1), _mm_cvtsi32_si128(static_cast<int>(now)));
  return simd::bits(_mm_cmpeq_epi8(before, styles)) ^ 0xFFFFu;
}

// How many bits of a mask of sixteen are set, from a table of bytes (SSE2
// has no instruction for it).
struct ByteBitCounts {
  unsigned char count[256] = {};
  constexpr ByteBitCounts() {
    for (int b = 1; b < 256; ++b) count[b] = static_cast<unsigned char>(count[b >> 1] + (b & 1));
  }
};
inline constexpr ByteBitCounts kByteBitCounts;
inline int count_bits16(unsigned mask) {
  return kByteBitCounts.count[mask & 0xFF] + kByteBitCounts.count[(mask >> 8) & 0xFF];
}

// A step with at most this many changes of style is written run by run,
// one with more byte by byte.
constexpr int kMostRunChanges = 4;

// The colored columns of a step of stop bytes from offset off, run by run:
// each run of one style copied whole from the step's character form and
// hex digits, after the change of style that begins it (changes: bit i,
// byte i begins a run; index as from change_indexes).
inline void put_colored_runs(unsigned changes, int stop, int off, const unsigned char* index, const char* form,
                             const char* digits, char** out, char** hex) {
  const StyleChanges::Change* changes_table = &kStyleChanges.change[0][0];
  // The step's hex part as the line lays it out: a blank after each byte at
  // an odd offset of the line; whole stores may be copied from any point.
  // digits holds 32: from an odd offset, a byte alone, seven groups of two
  // and a byte alone.
  char text[48 + 48] = {};
  char* t = text;
  const char* g = digits;
  int groups = 8;
  if (off & 1) {
    std::memcpy(t, g, 2);
    t[2] = ' ';
    std::memcpy(t + 3 + 35, g + 30, 2);
    t += 3;
    g += 2;
    groups = 7;
  }
  for (int k = 0; k < groups; ++k) {
    std::memcpy(t + 5 * k, g + 4 * k, 4);
    t[5 * k + 4] = ' ';
  }
  char chars[32] = {};
  std::memcpy(chars, form, 16);
  // Where byte i's digits stand in text.
  auto at = [off](int i) { return 2 * i + (off + i) / 2 - off / 2; };
  char* o = *out;
  char* h = *hex;
  int i = 0;
  for (;;) {
    const int j = changes != 0 ? __builtin_ctz(changes) : stop;
    // The run [i, j): its digits and blanks, its characters.
    const int from = at(i);
    for (int k = 0; k < 48; k += 16) std::memcpy(h + k, text + from + k, 16);
    h += at(j) - from;
    std::memcpy(o, chars + i, 16);
    o += j - i;
    if (changes == 0) break;
    const StyleChanges::Change* change = changes_table + index[j];
    std::memcpy(o, change, kMaxStyleChange);
    std::memcpy(h, change, kMaxStyleChange);
    o += change->len;
    h += change->len;
    changes &= changes - 1;
    i = j;
  }
  *out = o;
  *hex = h;
}

// The colored columns in the Shift_JIS report from offset off of a line of n
// bytes, up to sixteen bytes a step: each step's form from the chunk reader,
// the styles of its bytes (a pair's, and a UTF-8 sequence's, multibyte or
// its cell's; every other byte's its own), then each byte's change of style,
// character and hex digits. o, h and now move on as the cell-by-cell loop
// moves them. Returns the offset reached; it stops where the chunk stops.
template <class Decoder>
inline int put_colored_chunks(DecoderState& st, const unsigned char* d, int off, int n, int avail, char** out,
                              char** hex, Style* style_now) {
  using Reader = ChunkReader<Decoder>;
  const StyleChanges::Change* __restrict changes = &kStyleChanges.change[0][0];
  char* __restrict o = *out;
  char* __restrict h = *hex;
  Style now = *style_now;
  while (off < n && Reader::ready(st)) {
    const int r = n - off < 16 ? n - off : 16;
    const Window w(d + off, avail - off);
    Chunk c = Reader::read(st, w, r);
    const simd::Bytes pair_bytes = simd::spread(c.pairs | c.pairs << 1);
    simd::Bytes styles = lone_styles<kana_alone<Decoder>()>(w.x, simd::flipped(w.x));
    styles = _mm_or_si128(_mm_andnot_si128(pair_bytes, styles),
                          _mm_and_si128(pair_bytes, _mm_set1_epi8(static_cast<char>(Style::multibyte))));
    char form[16];
    simd::store(form, c.shown);
    if constexpr (Reader::kLeadsToFix) {
      // Each lead begins a cell, as in sjis_report_chunks; one that the
      // line's end cuts stops the step.
      char style[16];
      simd::store(style, styles);
      unsigned leads = Reader::leads(w, r);
      while (leads != 0) {
        const int i = __builtin_ctz(leads);
        int written;
        if (int len = CommonCell<Decoder, SjisEncoder>::put(d + off + i, avail - off - i, r - i, form + i, &written)) {
          for (int j = i; j < i + len; ++j) style[j] = static_cast<char>(Style::multibyte);
          leads &= ~below(i + len);
          continue;
        }
        const Cell cell = Decoder::decode(st, d + off + i, avail - off - i);
        if (i + cell.len > r) {
          c.stop = i;
          break;
        }
        char cell_form[16];
        put_cell<SjisEncoder>(cell, cell_form);
        const Style cell_style = style_of_cell(cell);
        for (int j = 0; j < cell.len; ++j) {
          form[i + j] = cell_form[j];
          style[i + j] = static_cast<char>(cell_style);
        }
        leads &= ~below(i + cell.len);
      }
      styles = _mm_loadu_si128(reinterpret_cast<const __m128i*>(style));
    }
    if (c.stop == 0) break;
    unsigned char index[16];
    simd::store(reinterpret_cast<char*>(index), change_indexes(styles, now));
    // The bytes whose style differs from the one before them.
    const unsigned run_starts = style_changes(styles, now) & below(c.stop);
    unsigned char style_at[16];
    simd::store(reinterpret_cast<char*>(style_at), styles);
    now = static_cast<Style>(style_at[c.stop - 1]);
    // The hex digits, two a byte.
    char digits[32];
    simd::put_hex_digits(digits, w.x);
    // Lines of sixteen bytes or more have room for the runs' whole stores.
    if (n >= 16 && count_bits16(run_starts) <= kMostRunChanges) {
      char* run_o = o;
      char* run_h = h;
      put_colored_runs(run_starts, c.stop, off, index, form, digits, &run_o, &run_h);
      o = run_o;
      h = run_h;
      off += c.stop;
      if (c.stop < r) break;
      continue;
    }
    // Every byte's change of style is copied whole, empty when the style
    // stays: random bytes change style at most bytes. Each load before the
    // stores, which may not touch what is read.
    auto put_byte = [changes, &index, &form, &digits](int i, char* __restrict& o, char* __restrict& h) {
      const StyleChanges::Change* change = changes + index[i];
      const simd::Bytes sequence = _mm_load_si128(reinterpret_cast<const __m128i*>(change));
      const int len = change->len;
      const char shown = form[i];
      std::uint16_t pair;
      std::memcpy(&pair, digits + 2 * i, 2);
      simd::store(o, sequence);
      simd::store(h, sequence);
      o[len] = shown;
      o += len + 1;
      std::memcpy(h + len, &pair, 2);
      h += len + 2;
    };
    int i = 0;
    if (c.stop == 16 && !(off & 1)) {
      // A whole step: every offset known here.
#pragma GCC unroll 8
      for (int j = 0; j < 16; j += 2) {
        put_byte(j, o, h);
        put_byte(j + 1, o, h);
        *h++ = ' ';
      }
      i = 16;
    } else if (off & 1) {
      put_byte(i++, o, h);
      *h++ = ' ';
    }
    for (; i + 1 < c.stop; i += 2) {
      put_byte(i, o, h);
      put_byte(i + 1, o, h);
      *h++ = ' ';
    }
    if (i < c.stop) put_byte(i, o, h);
    off += c.stop;
    if (c.stop < r) break;
  }
  *out = o;
  *hex = h;
  *style_now = now;
  return off;
}

#endif

// Writes the colored columns of the n bytes at data (avail >= n bytes
// readable there, as for write_columns): their characters to out, which has
// room for colored_column_room(n) bytes, and their hex pairs to hex, which
// has room for colored_hex_room(n): two lower-case digits a byte and a blank
// after each group of two bytes, each byte in the style of its cell. Both
// start and end in the terminal's color. Returns the bytes written to out;
// *hex_len gets those written to hex, *columns the columns taken, n or n + 1.
// Every call in it inlined (the decoder's above all), as write_columns has
// them: one loop decodes, encodes and colors. With kFast false, cell by cell
// only: what the fast path must give.
template <class Decoder, class Encoder, bool kFast = true>
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
#if defined(__SSE2__)
  // Bytes that are each a cell are quicker from the table, one by one.
  if constexpr (kFast && Encoder::kMaxBytesPerColumn == 1 && colors_chunks<Decoder>() &&
                !every_byte_alone<Decoder>()) {
    char* chunk_o = o;
    char* chunk_h = h;
    const int reached = put_colored_chunks<Decoder>(st.decoder, d, off, n, avail, &chunk_o, &chunk_h, &now);
    o = chunk_o;
    h = chunk_h;
    if (reached > off) cols = off = reached;
  }
#endif
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
