// A whole colored line of sixteen bytes in the Shift_JIS report in one step,
// where the masks tell every byte (as sjis_line16 in column_writer.h): the
// styles of the sixteen bytes at once, then their changes of style, hex
// digits and characters written run by run, or byte by byte when the style
// changes often (random bytes). What write_colored_columns writes for the
// same line (a unit test compares both).
#pragma once

#include <cstdint>
#include <cstring>
#include <utility>

#include "text/color_column_writer.h"

namespace vesk {

#if defined(__SSE2__)

// The decoders whose lines colored_line16 writes: those whose chunks tell
// every byte, with no lead decoded afterwards.
template <class Decoder>
constexpr bool colors_line16() {
  if constexpr (ChunkReader<Decoder>::kHas) {
    return colors_chunks<Decoder>() && !ChunkReader<Decoder>::kLeadsToFix;
  } else {
    return false;
  }
}

// The two lower-case hex digits of each of sixteen bytes, as words: bytes
// 0-7 in pairs[0], 8-15 in pairs[1] (as simd::put_hex_digits stores them).
inline void hex_digit_pairs(simd::Bytes x, simd::Bytes* pairs) {
  const simd::Bytes low4 = _mm_set1_epi8(0x0F);
  const simd::Bytes hi = _mm_and_si128(_mm_srli_epi16(x, 4), low4);
  const simd::Bytes lo = _mm_and_si128(x, low4);
  auto digits = [](simd::Bytes v) {
    const simd::Bytes letters = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(9)), _mm_set1_epi8('a' - '0' - 10));
    return _mm_add_epi8(_mm_add_epi8(v, _mm_set1_epi8('0')), letters);
  };
  pairs[0] = digits(_mm_unpacklo_epi8(hi, lo));
  pairs[1] = digits(_mm_unpackhi_epi8(hi, lo));
}

// Byte I of sixteen in color: its change of style (its slot's offset in
// kStyleChanges the Ith word of slots) to both parts, then its hex digits
// (and the blank after an odd byte) and its character.
template <int I>
[[gnu::always_inline]] inline void put_colored_byte(const char* changes, const simd::Bytes* slots,
                                                    const simd::Bytes* digit_pairs, const char* form, char** hex,
                                                    char** chars) {
  const char* change = changes + _mm_extract_epi16(slots[I >> 3], I & 7);
  const simd::Bytes sequence = _mm_load_si128(reinterpret_cast<const __m128i*>(change));
  const int len = static_cast<unsigned char>(change[kMaxStyleChange - 1]);
  char* h = *hex;
  char* o = *chars;
  simd::store(h, sequence);
  simd::store(o, sequence);
  h += len;
  o += len;
  const auto pair = static_cast<std::uint16_t>(_mm_extract_epi16(digit_pairs[I >> 3], I & 7));
  std::memcpy(h, &pair, 2);
  if constexpr ((I & 1) != 0) h[2] = ' ';
  *hex = h + 2 + (I & 1);
  *o = form[I];
  *chars = o + 1;
}

template <int... I>
[[gnu::always_inline]] inline void put_colored_bytes(const char* changes, const simd::Bytes* slots,
                                                     const simd::Bytes* digit_pairs, const char* form, char** hex,
                                                     char** chars, std::integer_sequence<int, I...>) {
  (put_colored_byte<I>(changes, slots, digit_pairs, form, hex, chars), ...);
}

// The same for a decoder that takes every byte alone (-A, -K): each byte's
// change of style and character, change and hex digits from its entry in
// the table of lone bytes, as write_colored_columns takes them.
template <class Decoder>
[[gnu::always_inline]] inline int colored_lone_line16(const unsigned char* d, char* hex, char* chars,
                                                      int* chars_len, int* columns) {
  const LoneColoredBytes& table = lone_colored_bytes<Decoder, SjisEncoder>();
  const LoneColoredBytes::Entry* entries = table.entry;
  const Style* style = table.style;
  char* h = hex;
  char* o = chars;
  int row = 0;  // the style before the byte, times 256
#pragma GCC unroll 16
  for (int i = 0; i < 16; ++i) {
    const unsigned char b = d[i];
    const LoneColoredBytes::Entry& e = entries[row + b];
    const char* slots = reinterpret_cast<const char*>(&e);
    std::memcpy(o, slots, 16);
    std::memcpy(h, slots + 16, 16);
    o += e.chars_len;
    h += e.hex_len;
    if (i & 1) *h++ = ' ';
    row = static_cast<int>(style[b]) * 256;
  }
  const StyleChanges::Change& to_none = kStyleChanges.change[row / 256][0];
  std::memcpy(h, &to_none, kMaxStyleChange);
  std::memcpy(o, &to_none, kMaxStyleChange);
  *chars_len = static_cast<int>(o + to_none.len - chars);
  *columns = 16;
  return static_cast<int>(h + to_none.len - hex);
}

// The most bytes colored_line16 writes to chars: seventeen columns, a
// change of style before each and at the end.
constexpr int kColoredLine16Chars = 17 + 18 * kMaxStyleChange;

// The colored hex part of the sixteen bytes at d into hex, and their
// colored character column into chars (*chars_len bytes, *columns columns).
// Returns the hex part's length, or 0 when the line needs
// write_colored_columns (nothing is changed then). avail >= 16 bytes may be
// read at d; hex and chars have room for kColoredLine16Chars bytes and a
// whole store more.
template <class Decoder>
[[gnu::always_inline]] inline int colored_line16(ColumnState& st, const unsigned char* d, int avail, char* hex,
                                                 char* chars, int* chars_len, int* columns) {
  if constexpr (every_byte_alone<Decoder>()) {
    if (!st.has_pending) return colored_lone_line16<Decoder>(d, hex, chars, chars_len, columns);
  }
  using Reader = ChunkReader<Decoder>;
  int first;
  if (!line16_ready<Decoder>(st, avail, &first)) return 0;
  const Window w(d, avail);
  const Chunk c = Reader::read(st.decoder, w, 16, first);
  if (c.stop < 16 && !c.cut) return 0;
  // Each byte's style: a pair's multibyte, every other byte's its own.
  simd::Bytes styles = lone_styles<kana_alone<Decoder>()>(w.x, simd::flipped(w.x));
  if constexpr (Decoder::kHasPairs) {
    const simd::Bytes pair_bytes = simd::spread(c.pairs | c.pairs << 1);
    styles = _mm_or_si128(_mm_andnot_si128(pair_bytes, styles),
                          _mm_and_si128(pair_bytes, _mm_set1_epi8(static_cast<char>(Style::multibyte))));
  }
  char form[32] = {};
  simd::store(form, c.shown);
  int form_len = 16;
  int cols = 16;
  if (first != 0 || c.cut) {
    // The rest of the pair the line before showed whole, a blank in its
    // style; the pair the line's end cuts, shown over the blank column.
    alignas(16) unsigned char style[16];
    simd::store(reinterpret_cast<char*>(style), styles);
    if (first != 0) {
      style[0] = static_cast<unsigned char>(style_of_cell(st.pending));
      form[0] = ' ';
    }
    st.has_pending = false;
    if (c.cut) {
      const Cell cell = Decoder::decode(st.decoder, d + 15, avail - 15);
      style[15] = static_cast<unsigned char>(style_of_cell(cell));
      int shown;
      form_len = 15 + put_cut_cell<SjisEncoder>(st, cell, 1, form + 15, &shown);
      cols = 15 + shown;
    }
    styles = simd::load(style);
  }
  const simd::Bytes indexes = change_indexes(styles, Style::none);
  const unsigned starts = style_changes(styles, Style::none);
  char* h = hex;
  char* o = chars;
  if (count_bits16(starts) <= kMostRunChanges) {
    alignas(16) unsigned char index[16];
    simd::store(reinterpret_cast<char*>(index), indexes);
    char digits[32];
    simd::put_hex_digits(digits, w.x);
    put_colored_runs(starts, 16, 0, index, form, digits, &o, &h);
  } else {
    const char* changes = reinterpret_cast<const char*>(&kStyleChanges.change[0][0]);
    // Each change's place in the table, a word a byte (a slot is sixteen
    // bytes), taken from the registers with the hex digits.
    const simd::Bytes zero = _mm_setzero_si128();
    const simd::Bytes slots[2] = {_mm_slli_epi16(_mm_unpacklo_epi8(indexes, zero), 4),
                                  _mm_slli_epi16(_mm_unpackhi_epi8(indexes, zero), 4)};
    simd::Bytes digit_pairs[2];
    hex_digit_pairs(w.x, digit_pairs);
    // Each byte's change of style (empty when it stays), to both parts.
    put_colored_bytes(changes, slots, digit_pairs, form, &h, &o, std::make_integer_sequence<int, 16>());
  }
  // The rest of a cut pair's form; back to the terminal's color.
  for (int i = 16; i < form_len; ++i) *o++ = form[i];
  const auto last = static_cast<Style>(_mm_extract_epi16(styles, 7) >> 8);
  const StyleChanges::Change& to_none = kStyleChanges.change[static_cast<int>(last)][0];
  std::memcpy(h, &to_none, kMaxStyleChange);
  std::memcpy(o, &to_none, kMaxStyleChange);
  *chars_len = static_cast<int>(o + to_none.len - chars);
  *columns = cols;
  return static_cast<int>(h + to_none.len - hex);
}

#endif

}  // namespace vesk
