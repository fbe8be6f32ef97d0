// The column writer's fast paths: up to sixteen bytes at a time, with the
// same results as writing their cells one by one (a unit test compares both
// on random bytes and text). Where a path cannot tell what a byte is, it
// stops there and leaves the rest to the cell-by-cell loop.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "text/byte_masks.h"
#include "text/common_cells.h"
#include "text/decoder_state.h"
#include "text/decoders.h"
#include "text/encoders.h"
#include "text/lone_units.h"
#include "text/sjis_utf8.h"

namespace vesk {

#if defined(__SSE2__)

// Sixteen bytes and the one after them, read where they lie, or from a copy
// with zeros past the bytes that may be read (a zero is no lead, trail or
// shown byte).
struct Window {
  simd::Bytes x;     // bytes 0..15
  simd::Bytes next;  // bytes 1..16
  Window(const unsigned char* p, int avail) {
    if (avail >= 17) {
      x = simd::load(p);
      next = simd::load(p + 1);
      return;
    }
    unsigned char copy[32] = {};
    std::memcpy(copy, p, static_cast<std::size_t>(avail > 0 ? avail : 0));
    x = simd::load(copy);
    next = simd::load(copy + 1);
  }
  // The same, without a copy, where up to avail bytes may be read and a
  // text of sixteen bytes read on its own is common.
  static Window sixteen_or_more(const unsigned char* p, int avail) {
    if (avail != 16) return Window(p, avail);
    Window w;
    w.x = simd::load(p);
    w.next = _mm_srli_si128(w.x, 1);
    return w;
  }

 private:
  Window() = default;
};

// Bits 0..k-1 (k <= 16).
inline unsigned below(int k) { return (1u << k) - 1; }

// The pairs that begin in candidates c (bit i: byte i is a lead and byte i + 1
// a trail), read from the left: in a run of candidates each pair takes the
// next byte, so a pair begins at every other one from the run's first. The
// runs that begin at an even bit are cleared by adding their first bits (the
// carry runs through them); the others are the runs that begin at an odd bit.
inline unsigned pair_starts(unsigned c) {
  constexpr unsigned kEven = 0x55555555u, kOdd = 0xAAAAAAAAu;
  const unsigned first = c & ~(c << 1);
  const unsigned even_runs = c & ~(c + (first & kEven));
  return (even_runs & kEven) | (c & ~even_runs & kOdd);
}

// The Shift_JIS pairs of JIS X 0208 codes, sixteen at once: hi and lo hold
// row and cell bytes (0x21-0x7E) side by side; the result holds each pair's
// first byte where hi stood and its second where lo stood, one byte later.
// The arithmetic of jis2sjis.
inline void jis_pairs_to_sjis(simd::Bytes hi, simd::Bytes lo, simd::Bytes* first, simd::Bytes* second) {
  const simd::Bytes odd = _mm_cmpeq_epi8(_mm_and_si128(hi, _mm_set1_epi8(1)), _mm_set1_epi8(1));
  // Odd rows: cell + 0x1F, one more from 0x60 on; even rows: cell + 0x7E.
  const simd::Bytes l_odd =
      _mm_sub_epi8(_mm_add_epi8(lo, _mm_set1_epi8(0x1F)), _mm_cmpgt_epi8(lo, _mm_set1_epi8(0x5F)));
  const simd::Bytes l_even = _mm_add_epi8(lo, _mm_set1_epi8(0x7E));
  const simd::Bytes l = _mm_or_si128(_mm_and_si128(odd, l_odd), _mm_andnot_si128(odd, l_even));
  // (row - 0x21) / 2 + 0x81, and 0x40 more past 0x9F.
  const simd::Bytes half = _mm_and_si128(_mm_srli_epi16(_mm_sub_epi8(hi, _mm_set1_epi8(0x21)), 1), _mm_set1_epi8(0x7F));
  const simd::Bytes high = _mm_and_si128(_mm_cmpgt_epi8(half, _mm_set1_epi8(0x1E)), _mm_set1_epi8(0x40));
  *first = _mm_add_epi8(_mm_add_epi8(half, _mm_set1_epi8(static_cast<char>(0x81))), high);
  *second = _mm_slli_si128(l, 1);
}

// What the Shift_JIS report shows for the first r bytes of a window (r <=
// 16; the bytes past them are not looked at), and how many of them that
// holds for: the first byte the masks cannot tell, or a pair begun in the
// last byte, which the line's end cuts, stops it.
struct Chunk {
  simd::Bytes shown;
  int stop;
  unsigned pairs = 0;  // bit i: a pair's first byte stands at i in shown
  bool cut = false;    // it stops before a pair that the line's end cuts
};

// A decoder's way to read a window. ready(): whether its masks apply in the
// decoder's state. kLeadsToFix: bytes that begin longer cells, written
// afterwards one by one (leads() gives them). read() takes the bytes from
// `first` (0 or 1) on as cells; a byte before it ends a cell of the line
// before, and what it shows there is the caller's.
template <class Decoder>
struct ChunkReader {
  static constexpr bool kHas = false;
};

template <>
struct ChunkReader<AsciiDecoder> {
  static constexpr bool kHas = true;
  static constexpr bool kLeadsToFix = false;
  static bool ready(const DecoderState&) { return true; }
  static Chunk read(const DecoderState&, const Window& w, int r, int = 0) {
    return {simd::select(simd::in_range(simd::flipped(w.x), 0x20, 0x7E), w.x, '.'), r};
  }
};

inline simd::Bytes ascii_or_kana(simd::Bytes fx) {
  return _mm_or_si128(simd::in_range(fx, 0x20, 0x7E), simd::in_range(fx, 0xA1, 0xDF));
}

template <>
struct ChunkReader<KanaDecoder> {
  static constexpr bool kHas = true;
  static constexpr bool kLeadsToFix = false;
  static bool ready(const DecoderState&) { return true; }
  static Chunk read(const DecoderState&, const Window& w, int r, int = 0) {
    return {simd::select(ascii_or_kana(simd::flipped(w.x)), w.x, '.'), r};
  }
};

// A pair begun in the last byte of the r is cut by the line's end: the
// chunk stops before it.
inline int stop_before_cut_pair(unsigned* starts, int r, bool* cut) {
  if (*starts & (1u << (r - 1))) {
    *starts &= below(r - 1);
    *cut = true;
    return r - 1;
  }
  return r;
}

template <>
struct ChunkReader<SjisDecoder> {
  static constexpr bool kHas = true;
  static constexpr bool kLeadsToFix = false;
  static bool ready(const DecoderState&) { return true; }
  static Chunk read(const DecoderState&, const Window& w, int r, int first = 0) {
    // The leads 0x81-0x9F and 0xE0-0xFC, their bit 5 flipped, are the one
    // range 0xA1-0xDC; the trails are 0x40-0xFC but 0x7F.
    const unsigned leads = simd::bits(simd::in_range_of(_mm_xor_si128(w.x, _mm_set1_epi8(0x20)), 0xA1, 0xDC));
    const unsigned trails_after = simd::bits(_mm_andnot_si128(_mm_cmpeq_epi8(w.next, _mm_set1_epi8(0x7F)),
                                                              simd::in_range_of(w.next, 0x40, 0xFC)));
    unsigned starts = pair_starts(leads & trails_after & below(r) & ~below(first));
    bool cut = false;
    const int stop = stop_before_cut_pair(&starts, r, &cut);
    const simd::Bytes shown_alone = _mm_or_si128(simd::in_range_of(w.x, 0x20, 0x7E), simd::in_range_of(w.x, 0xA1, 0xDF));
    const unsigned keep = starts | (starts << 1) | simd::bits(shown_alone);
    return {simd::select(simd::spread(keep), w.x, '.'), stop, starts, cut};
  }
};

// Pairs of 7-bit row and cell bytes, shown as their Shift_JIS pairs, where
// pair starts are set; elsewhere the lone bytes' form.
inline simd::Bytes with_jis_pairs(simd::Bytes seven_bits, simd::Bytes next_seven_bits, unsigned starts,
                                  simd::Bytes lone_form) {
  simd::Bytes first, second;
  jis_pairs_to_sjis(seven_bits, next_seven_bits, &first, &second);
  // A pair's second byte follows its first: the same mask a byte later.
  const simd::Bytes at_first = simd::spread(starts), at_second = _mm_slli_si128(at_first, 1);
  const simd::Bytes pairs = _mm_or_si128(_mm_and_si128(at_first, first), _mm_and_si128(at_second, second));
  return _mm_or_si128(pairs, _mm_andnot_si128(_mm_or_si128(at_first, at_second), lone_form));
}

// EUC-JP: pairs of 0xA1-0xFE bytes by the row/cell arithmetic; a kana or a
// JIS X 0212 character (8E, 8F) stops the chunk. read_with_kana() reads 8E
// and a kana byte as the point and the kana that the encoders show for them,
// a lone 8E as a point; there an 8F, or an 8E in the last byte (its kana may
// lie past it), stops the chunk. The colored writer, which styles every
// byte outside the pairs as a cell of its own, reads with read().
template <>
struct ChunkReader<EucDecoder> {
  static constexpr bool kHas = true;
  static constexpr bool kLeadsToFix = false;
  static bool ready(const DecoderState&) { return true; }
  static Chunk read(const DecoderState&, const Window& w, int r, int first = 0) {
    return read_bytes<false>(w, r, first);
  }
  static Chunk read_with_kana(const DecoderState&, const Window& w, int r, int first = 0) {
    return read_bytes<true>(w, r, first);
  }

 private:
  template <bool kKana>
  static Chunk read_bytes(const Window& w, int r, int first) {
    unsigned kana = 0;
    int stop;
    if constexpr (kKana) {
      const unsigned marks = simd::bits(_mm_cmpeq_epi8(w.x, _mm_set1_epi8(static_cast<char>(0x8E))));
      const unsigned hard =
          (simd::bits(_mm_cmpeq_epi8(w.x, _mm_set1_epi8(static_cast<char>(0x8F)))) | (marks & (1u << (r - 1)))) &
          below(r);
      stop = hard != 0 ? __builtin_ctz(hard) : r;
      // Every 8E begins a cell (it is no trail); the kana byte after it is
      // no lead.
      kana = (marks & simd::bits(simd::in_range_of(w.next, 0xA1, 0xDF)) & below(stop) & ~below(first)) << 1;
    } else {
      const unsigned hard = simd::bits(simd::in_range_of(w.x, 0x8E, 0x8F)) & below(r);
      stop = hard != 0 ? __builtin_ctz(hard) : r;
    }
    // An 8E or 8F is no trail: no pair crosses it.
    const unsigned euc = simd::bits(simd::in_range_of(w.x, 0xA1, 0xFE)) & ~kana;
    const unsigned euc_after = simd::bits(simd::in_range_of(w.next, 0xA1, 0xFE));
    unsigned starts = pair_starts(euc & euc_after & below(stop) & ~below(first));
    bool cut = false;
    if (stop == r) stop = stop_before_cut_pair(&starts, r, &cut);
    const simd::Bytes seven = _mm_and_si128(w.x, _mm_set1_epi8(0x7F));
    const simd::Bytes next_seven = _mm_and_si128(w.next, _mm_set1_epi8(0x7F));
    simd::Bytes shown_alone = simd::in_range_of(w.x, 0x20, 0x7E);
    if constexpr (kKana)
      if (kana != 0) shown_alone = _mm_or_si128(shown_alone, simd::spread(kana));
    const simd::Bytes lone = simd::select(shown_alone, w.x, '.');
    return {with_jis_pairs(seven, next_seven, starts, lone), stop, starts, cut};
  }
};

// The chunk that the reports without color read: with EUC-JP's kana where
// the reader takes them.
template <class Decoder>
[[gnu::always_inline]] inline Chunk read_uncolored(const DecoderState& st, const Window& w, int r, int first = 0) {
  if constexpr (std::is_same_v<Decoder, EucDecoder>)
    return ChunkReader<Decoder>::read_with_kana(st, w, r, first);
  else
    return ChunkReader<Decoder>::read(st, w, r, first);
}

// UTF-8: printable ASCII is itself, every byte that leads no sequence a
// point; the leads are decoded afterwards.
template <>
struct ChunkReader<Utf8Decoder> {
  static constexpr bool kHas = true;
  static constexpr bool kLeadsToFix = true;
  static bool ready(const DecoderState&) { return true; }
  static unsigned leads(const Window& w, int r) {
    return simd::bits(simd::in_range(simd::flipped(w.x), 0xC2, 0xF4)) & below(r);
  }
  static Chunk read(const DecoderState&, const Window& w, int r, int = 0) {
    return {simd::select(simd::in_range(simd::flipped(w.x), 0x20, 0x7E), w.x, '.'), r};
  }
};

// JIS, outside an escape sequence, in ASCII or JIS X 0208: an escape byte
// stops the chunk (what follows it may switch).
template <>
struct ChunkReader<JisDecoder> {
  static constexpr bool kHas = true;
  static constexpr bool kLeadsToFix = false;
  static bool ready(const DecoderState& st) {
    return st.escape_left == 0 && (st.shift == JisShift::ascii || st.shift == JisShift::jisx0208);
  }
  static Chunk read(const DecoderState& st, const Window& w, int r, int first = 0) {
    const simd::Bytes fx = simd::flipped(w.x);
    const unsigned esc = simd::bits(_mm_cmpeq_epi8(w.x, _mm_set1_epi8(JisDecoder::kEsc))) & below(r);
    int stop = esc != 0 ? __builtin_ctz(esc) : r;
    if (st.shift == JisShift::ascii) return {simd::select(simd::in_range(fx, 0x20, 0x7E), w.x, '.'), stop};
    // JIS X 0208: runs of 0x21-0x7E pair up; a blank is itself, every other
    // byte (and a row byte without its cell) a point.
    const unsigned jis = simd::bits(simd::in_range(fx, 0x21, 0x7E));
    const unsigned jis_after = simd::bits(simd::in_range(simd::flipped(w.next), 0x21, 0x7E));
    unsigned starts = pair_starts(jis & jis_after & below(stop) & ~below(first));
    bool cut = false;
    if (stop == r) stop = stop_before_cut_pair(&starts, r, &cut);
    const simd::Bytes lone = simd::select(_mm_cmpeq_epi8(w.x, _mm_set1_epi8(' ')), w.x, '.');
    return {with_jis_pairs(w.x, w.next, starts, lone), stop, starts, cut};
  }
};

// The Shift_JIS report, one byte a column: from offset off of a line of n
// bytes, up to sixteen bytes a step, each step's bytes stored at the line's
// own offsets (out, the line's column 0, has room for sixteen bytes past the
// line). Returns the offset reached.
template <class Decoder>
inline int sjis_report_chunks(DecoderState& st, const unsigned char* d, int off, int n, int avail, char* out) {
  using Reader = ChunkReader<Decoder>;
  while (off < n && Reader::ready(st)) {
    const int r = n - off < 16 ? n - off : 16;
    const Window w(d + off, avail - off);
    Chunk c = read_uncolored<Decoder>(st, w, r);
    simd::store(out + off, c.shown);
    if constexpr (Reader::kLeadsToFix) {
      // Each lead, in turn, begins a cell; a cell of one byte is the point
      // already there; one that the line's end cuts stops the chunk.
      unsigned leads = Reader::leads(w, r);
      while (leads != 0) {
        const int i = __builtin_ctz(leads);
        int written;
        if (int len = CommonCell<Decoder, SjisEncoder>::put(d + off + i, avail - off - i, r - i, out + off + i, &written)) {
          leads &= ~below(i + len);
          continue;
        }
        const Cell cell = Decoder::decode(st, d + off + i, avail - off - i);
        if (i + cell.len > r) {
          c.stop = i;
          break;
        }
        if (cell.len > 1) {
          // Its form takes its own columns, as many as its bytes.
          char form[16];
          put_cell<SjisEncoder>(cell, form);
          char* at = out + off + i;
          std::memcpy(at, form, 2);
          if (cell.len > 2) at[2] = form[2];
          if (cell.len > 3) at[3] = form[3];
        }
        leads &= ~below(i + cell.len);
      }
    }
    off += c.stop;
    if (c.stop == r) continue;
    if constexpr (std::is_same_v<Decoder, JisDecoder>) {
      // An escape sequence within the line: its three cells, then on in the
      // shift it selects.
      if (!c.cut && n - off >= 3 && JisDecoder::escape_at(d + off, avail - off, st.shift)) {
        for (int k = 0; k < 3; ++k) {
          const unsigned char b = d[off + k];
          out[off + k] = st.show_escapes && is_printable_ascii(b) ? static_cast<char>(b) : '.';
        }
        off += 3;
        continue;
      }
    }
    break;
  }
  return off;
}

// The UTF-8 form of a half-width kana byte 0xA1-0xDF (U+FF61-U+FF9F), three
// bytes in a word whose fourth byte is written past them.
struct KanaUtf8 {
  std::uint32_t bytes[256];
  constexpr KanaUtf8() : bytes() {
    for (unsigned b = 0xA1; b <= 0xDF; ++b) {
      const unsigned cp = 0xFEC0 + b;
      bytes[b] = 0xEFu | (0x80u | ((cp >> 6) & 0x3F)) << 8 | (0x80u | (cp & 0x3F)) << 16;
    }
  }
};
inline constexpr KanaUtf8 kKanaUtf8;

// The slots (sjis_slot) of the pairs that begin at the even bytes of x:
// lane k holds the slot of bytes 2k and 2k + 1 as a pair, which means
// nothing where they are none. In 16 bits, whose wrap-around a slot (below
// kSjisSlots) does not see.
inline simd::Bytes even_pair_slots(simd::Bytes x) {
  const simd::Bytes lead = _mm_and_si128(x, _mm_set1_epi16(0xFF));
  const simd::Bytes trail = _mm_srli_epi16(x, 8);
  const simd::Bytes slot = _mm_sub_epi16(_mm_add_epi16(_mm_mullo_epi16(lead, _mm_set1_epi16(kSjisTrailSlots)), trail),
                                         _mm_set1_epi16(0x81 * kSjisTrailSlots + 0x40));
  // The leads from 0xE0 on follow 0x9F: 0x40 rows fewer.
  const simd::Bytes far =
      _mm_and_si128(_mm_cmpgt_epi16(lead, _mm_set1_epi16(0x9F)), _mm_set1_epi16(0x40 * kSjisTrailSlots));
  return _mm_sub_epi16(slot, far);
}

// Seven or eight pairs from byte `from` (0 or 1) on, nothing else: their
// forms one after the other, without a branch but the eighth.
[[gnu::always_inline]] inline char* put_pair_run(simd::Bytes shown, int from, int pairs, char* __restrict p) {
  const simd::Bytes slots = even_pair_slots(from != 0 ? _mm_srli_si128(shown, 1) : shown);
  const std::uint64_t* __restrict forms = kSjisPairUtf8;
  p += put_pair_form(forms[_mm_extract_epi16(slots, 0)], p);
  p += put_pair_form(forms[_mm_extract_epi16(slots, 1)], p);
  p += put_pair_form(forms[_mm_extract_epi16(slots, 2)], p);
  p += put_pair_form(forms[_mm_extract_epi16(slots, 3)], p);
  p += put_pair_form(forms[_mm_extract_epi16(slots, 4)], p);
  p += put_pair_form(forms[_mm_extract_epi16(slots, 5)], p);
  p += put_pair_form(forms[_mm_extract_epi16(slots, 6)], p);
  if (pairs == 8) p += put_pair_form(forms[_mm_extract_epi16(slots, 7)], p);
  return p;
}

// Writes the UTF-8 report of a chunk's Shift_JIS form from byte `from` to
// its stop at p, and returns the end: printable ASCII and points are
// themselves, copied sixteen bytes at a time up to the next byte of another
// kind; a pair is its form (one store of eight bytes), a kana its three
// bytes. A chunk of pairs only, the bulk of Japanese text, goes straight
// through them. p has room for sixteen bytes past the longest form of the
// bytes.
[[gnu::always_inline]] inline char* put_utf8_chunk(const Chunk& c, int from, char* __restrict p) {
  const int pair_bytes = c.stop - from;
  if (pair_bytes >= 14 && (c.pairs | c.pairs << 1) == (below(c.stop) & ~below(from)))
    return put_pair_run(c.shown, from, pair_bytes / 2, p);
  alignas(16) unsigned char form[32];
  simd::store(reinterpret_cast<char*>(form), c.shown);
  // Pairs and kana: the bytes with their top bit set that are no pair's
  // second byte (which may be ASCII or not).
  unsigned others = simd::bits(c.shown) & ~(c.pairs << 1) & below(c.stop) & ~below(from);
  int pos = from;
  if (others == c.pairs) {
    // Pairs between runs of bytes that are themselves, the run before each
    // copied whole (sixteen bytes, of which the next writes overwrite the
    // rest).
    while (others != 0) {
      const int i = __builtin_ctz(others);
      others &= others - 1;
      if (i != pos) {
        std::memcpy(p, form + pos, 16);
        p += i - pos;
      }
      p += put_sjis_pair_utf8(form[i], form[i + 1], p);
      pos = i + 2;
    }
    std::memcpy(p, form + pos, 16);
    return p + (c.stop - pos);
  }
  while (others != 0) {
    const int i = __builtin_ctz(others);
    others &= others - 1;
    if (i != pos) {
      std::memcpy(p, form + pos, 16);
      p += i - pos;
    }
    if (c.pairs & (1u << i)) {
      p += put_sjis_pair_utf8(form[i], form[i + 1], p);
      pos = i + 2;
    } else {
      std::memcpy(p, &kKanaUtf8.bytes[form[i]], 4);
      p += 3;
      pos = i + 1;
    }
  }
  std::memcpy(p, form + pos, 16);
  return p + (c.stop - pos);
}

// The UTF-8 report from the Shift_JIS form of chunks, which is what the
// encoder writes for the cells they hold. o has room for the longest form
// of the line's bytes and sixteen bytes past it. Returns the offset reached.
template <class Decoder>
inline int utf8_report_chunks(DecoderState& st, const unsigned char* d, int off, int n, int avail, char** o) {
  using Reader = ChunkReader<Decoder>;
  char* p = *o;
  while (off < n && Reader::ready(st)) {
    const int r = n - off < 16 ? n - off : 16;
    const Window w = Window::sixteen_or_more(d + off, avail - off);
    const Chunk c = read_uncolored<Decoder>(st, w, r);
    p = put_utf8_chunk(c, 0, p);
    off += c.stop;
    if (c.stop < r) break;
  }
  *o = p;
  return off;
}

// The UTF-8 report: runs of printable ASCII, which is itself, up to sixteen
// bytes a step (o has room for sixteen bytes past the line's column).
inline int ascii_chunks(const unsigned char* d, int off, int n, int avail, char** o) {
  while (off < n) {
    const int r = n - off < 16 ? n - off : 16;
    const Window w(d + off, avail - off);
    const unsigned printable = simd::bits(simd::in_range(simd::flipped(w.x), 0x20, 0x7E)) & below(r);
    if (printable != below(r)) break;
    simd::store(*o, w.x);
    *o += r;
    off += r;
  }
  return off;
}

// UTF-8 input's own path (utf8_chunks.h).
template <class Encoder>
int utf8_input_columns(DecoderState& st, const unsigned char* d, int off, int n, int avail, char* out, char** o);

#endif

// The fast path for a decoder and an encoder, from offset off of a line of n
// bytes: returns the offset it reached (off when it does not apply); o moves
// on past what it wrote. The Shift_JIS encoder writes one byte a column, so
// its bytes stand at the line's own offsets.
template <class Decoder, class Encoder>
inline int fast_columns(DecoderState& st, const unsigned char* d, int off, int n, int avail, char* out, char** o) {
#if defined(__SSE2__)
  if constexpr (!ChunkReader<Decoder>::kHas) {
    (void)st, (void)d, (void)n, (void)avail, (void)out, (void)o;
    return off;
  } else if constexpr (std::is_same_v<Decoder, Utf8Decoder>) {
    return utf8_input_columns<Encoder>(st, d, off, n, avail, out, o);
  } else if constexpr (Encoder::kMaxBytesPerColumn == 1) {
    const int reached = sjis_report_chunks<Decoder>(st, d, off, n, avail, out);
    *o = out + reached;
    return reached;
  } else if constexpr (ChunkReader<Decoder>::kLeadsToFix) {
    (void)st, (void)out;
    return ascii_chunks(d, off, n, avail, o);
  } else {
    (void)out;
    return utf8_report_chunks<Decoder>(st, d, off, n, avail, o);
  }
#else
  (void)st, (void)d, (void)n, (void)avail, (void)out, (void)o;
  return off;
#endif
}

}  // namespace vesk
