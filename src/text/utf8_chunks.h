// The column writer's fast path for UTF-8 input, in both reports: sixteen
// bytes a step, their lead bytes found by masks, and each sequence of two or
// three bytes written from its code point's entry in a generated table. A
// lead byte always begins a cell (a cell's later bytes are continuation
// bytes), so the sequences of a step are written in any order; the rarer
// ones (four bytes, E0, a sequence cut by the step's end) are decoded.
#pragma once

#include <cstdint>
#include <cstring>

#include "text/fast_columns.h"
#include "text/tables/utf8_forms.h"

namespace vesk {

#if defined(__SSE2__)

// Where the sequences of the first r bytes of x begin (x holds the bytes
// past them that may be read).
struct Utf8Starts {
  unsigned three = 0;   // E1-EF and two continuation bytes, all within the r
  unsigned others = 0;  // every other lead byte followed by a continuation
                        // byte, and every lead in the last byte of the 16
};

// Continuation bytes, 0x80-0xBF: below -64 as signed bytes.
inline unsigned continuation_bytes(simd::Bytes x) {
  return simd::bits(_mm_cmplt_epi8(x, _mm_set1_epi8(-64)));
}

inline Utf8Starts utf8_starts(simd::Bytes x, int r) {
  const unsigned cont = continuation_bytes(x);
  // Byte 16 is not in x: a lead in byte 15 is taken as a start (the paths
  // leave a start that may run past the bytes to the next step).
  const unsigned cont_after = cont >> 1 | 0x8000u;
  const unsigned starts = simd::bits(simd::in_range_of(x, 0xC2, 0xF4)) & cont_after & below(r);
  Utf8Starts s;
  if (r >= 3) s.three = simd::bits(simd::in_range_of(x, 0xE1, 0xEF)) & cont_after & (cont >> 2) & below(r - 2);
  s.others = starts & ~s.three;
  return s;
}

// Printable ASCII is itself, every other byte a point.
inline simd::Bytes shown_alone(simd::Bytes x) { return simd::select(simd::in_range_of(x, 0x20, 0x7E), x, '.'); }

// The code point of a three-byte sequence at each of bytes 0-13 of x
// (meaningless where none begins).
inline void three_byte_points(simd::Bytes x, std::uint16_t* cps) {
  const simd::Bytes second = _mm_srli_si128(x, 1), third = _mm_srli_si128(x, 2);
  const simd::Bytes low = _mm_or_si128(_mm_and_si128(_mm_slli_epi16(second, 6), _mm_set1_epi8(static_cast<char>(0xC0))),
                                       _mm_and_si128(third, _mm_set1_epi8(0x3F)));
  const simd::Bytes high = _mm_or_si128(_mm_slli_epi16(_mm_and_si128(x, _mm_set1_epi8(0x0F)), 4),
                                        _mm_and_si128(_mm_srli_epi16(second, 2), _mm_set1_epi8(0x0F)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(cps), _mm_unpacklo_epi8(low, high));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(cps + 8), _mm_unpackhi_epi8(low, high));
}

// The code point of a two-byte sequence (lead C2-DF).
inline unsigned two_byte_point(const unsigned char* p) { return (p[0] & 0x1Fu) << 6 | (p[1] & 0x3Fu); }

// A cell the tables do not give (a rare one), out of line: the line
// builders of the other codes keep put_cell in line.
template <class Encoder>
[[gnu::noinline]] int put_rare_utf8_cell(const Cell& c, char* out) {
  return put_cell<Encoder>(c, out);
}

// The Shift_JIS report, one byte a column, from offset off of a line of n
// bytes: what sjis_report_chunks does, with the sequences from the tables.
[[gnu::always_inline]] inline int utf8_input_sjis_chunks(DecoderState& st, const unsigned char* d, int off, int n, int avail,
                                  char* __restrict out) {
  const std::uint16_t* __restrict forms = kUtf8SjisForm;
  while (off < n) {
    const int r = n - off < 16 ? n - off : 16;
    const Window w(d + off, avail - off);
    char* at = out + off;
    simd::store(at, shown_alone(w.x));
    const Utf8Starts s = utf8_starts(w.x, r);
    if (s.three != 0) {
      // Two columns from the table; the third is the point already there.
      std::uint16_t cps[16];
      three_byte_points(w.x, cps);
      for (unsigned three = s.three; three != 0; three &= three - 1)
        std::memcpy(at + __builtin_ctz(three), &forms[cps[__builtin_ctz(three)]], 2);
    }
    int stop = r;
    for (unsigned others = s.others; others != 0;) {
      const int i = __builtin_ctz(others);
      const unsigned char* p = d + off + i;
      if (p[0] < 0xE0 && i + 1 < r) {
        std::memcpy(at + i, &forms[two_byte_point(p)], 2);
        others &= others - 1;
        continue;
      }
      if (i + kMaxCellLength > r) {
        // It may run past the step: the next step begins with it, or, at
        // the line's end, the caller.
        stop = i;
        break;
      }
      const Cell cell = Utf8Decoder::decode(st, p, avail - off - i);
      if (cell.len > 1) {
        // Its own columns only: the sequences after it are written already.
        char form[16];
        put_rare_utf8_cell<SjisEncoder>(cell, form);
        std::memcpy(at + i, form, 2);
        if (cell.len > 2) at[i + 2] = form[2];
        if (cell.len > 3) at[i + 3] = form[3];
      }
      others &= ~below(i + cell.len);
    }
    // A step that stops early leaves bytes past its stop that the next
    // one, or the cell-by-cell loop, writes again.
    off += stop;
    if (stop < r && off + (r - stop) >= n) break;
  }
  return off;
}

// Writes a sequence's entry of kUtf8Utf8Form at p: own holds its len bytes
// (and one more that may be read). Returns the end.
[[gnu::always_inline]] inline char* put_utf8_form(unsigned form, const unsigned char* own, int len, char* p) {
  static constexpr char kTails[2][5] = {"....", " ..."};
  const char* tail = kTails[(form & utf8_form::kBlank) != 0];
  if ((form & (utf8_form::kOwn | utf8_form::kDotted | utf8_form::kGeta)) != utf8_form::kOwn) {
    if (form & (utf8_form::kDotted | utf8_form::kGeta)) {
      std::memcpy(p, form & utf8_form::kDotted ? "\xE2\x97\x8C" : "\xE3\x80\x93", 3);
      p += 3;
    }
    if (!(form & utf8_form::kOwn)) {
      std::memcpy(p, tail, 4);
      return p + (form & utf8_form::kTailLength);
    }
  }
  std::memcpy(p, own, 4);
  p += len;
  std::memcpy(p, tail, 4);
  return p + (form & utf8_form::kTailLength);
}

// The UTF-8 report from offset off of a line of n bytes: printable ASCII
// and points copied a step at a time, each sequence its own bytes (it is
// valid UTF-8 already) with the blanks and points of its columns. o has
// room for the longest form of the line's bytes and sixteen bytes past it.
[[gnu::always_inline]] inline int utf8_input_utf8_chunks(DecoderState& st, const unsigned char* d, int off, int n, int avail, char** o) {
  const std::uint8_t* __restrict forms = kUtf8Utf8Form;
  char* __restrict p = *o;
  while (off < n) {
    const int r = n - off < 16 ? n - off : 16;
    const Window w(d + off, avail - off);
    const simd::Bytes shown = shown_alone(w.x);
    const Utf8Starts s = utf8_starts(w.x, r);
    unsigned starts = s.three | s.others;
    if (starts == 0) {
      simd::store(p, shown);
      p += r;
      off += r;
      continue;
    }
    alignas(16) char text[32];
    simd::store(text, shown);
    unsigned char raw[32];
    simd::store(reinterpret_cast<char*>(raw + 16), _mm_setzero_si128());
    simd::store(reinterpret_cast<char*>(raw), w.x);
    std::uint16_t cps[16];
    if (s.three != 0) three_byte_points(w.x, cps);
    int pos = 0, stop = r;
    // The sequences of three bytes before any other, the bulk of Japanese
    // text, in a loop of their own (with no other, the mask is all ones).
    const unsigned first_other = s.others & (0u - s.others);
    for (unsigned three = s.three & (first_other - 1u); three != 0; three &= three - 1) {
      const int i = __builtin_ctz(three);
      std::memcpy(p, text + pos, 16);
      p = put_utf8_form(forms[cps[i]], raw + i, 3, p + (i - pos));
      pos = i + 3;
    }
    starts &= ~below(pos);
    while (starts != 0) {
      const int i = __builtin_ctz(starts);
      // The bytes before it are themselves or points: sixteen copied, of
      // which what follows overwrites the rest.
      std::memcpy(p, text + pos, 16);
      p += i - pos;
      if (s.three & (1u << i)) {
        p = put_utf8_form(forms[cps[i]], raw + i, 3, p);
        pos = i + 3;
      } else if (raw[i] < 0xE0 && i + 1 < r) {
        p = put_utf8_form(forms[two_byte_point(raw + i)], raw + i, 2, p);
        pos = i + 2;
      } else {
        pos = i;
        if (i + kMaxCellLength > r) {
          stop = i;  // as in the Shift_JIS report
          break;
        }
        const Cell cell = Utf8Decoder::decode(st, d + off + i, avail - off - i);
        p += put_rare_utf8_cell<Utf8Encoder>(cell, p);
        pos = i + cell.len;
      }
      starts &= ~below(pos);
    }
    std::memcpy(p, text + pos, 16);
    p += stop - pos;
    off += stop;
    if (stop < r && off + (r - stop) >= n) break;
  }
  *o = p;
  return off;
}

// A character of three bytes (code point cp, bytes at own) whose first k
// bytes (1 or 2) end the line: its form where it fits in the line's columns
// and the one after them, and points for the rest of the k. Returns the
// bytes written; *columns gets the columns taken.
template <class Encoder>
inline int put_cut_three_bytes(char32_t cp, const unsigned char* own, int k, char* out, int* columns) {
  if constexpr (Encoder::kMaxBytesPerColumn == 1) {
    char form[2];
    std::memcpy(form, &kUtf8SjisForm[cp], 2);
    const int shown = form[0] == '.' ? 0 : form[1] == '.' ? 1 : 2;
    *columns = shown > k ? shown : k;
    std::memcpy(out, form, 2);
    return *columns;
  } else {
    const unsigned form = kUtf8Utf8Form[cp];
    const int blank = form & utf8_form::kBlank ? 1 : 0;
    const int shown = 3 - static_cast<int>(form & utf8_form::kTailLength) + blank;
    // The form without its points, then the points of the k it leaves.
    // put_utf8_form may read a byte past the three: they may end the data.
    const unsigned char bytes[4] = {own[0], own[1], own[2], 0};
    char* p = put_utf8_form(form & ~unsigned{utf8_form::kTailLength} & ~unsigned{utf8_form::kBlank}, bytes, 3, out);
    if (blank) *p++ = ' ';
    std::memcpy(p, "..", 2);
    if (k > shown) p += k - shown;
    *columns = shown > k ? shown : k;
    return static_cast<int>(p - out);
  }
}

template <class Encoder>
[[gnu::always_inline]] inline int utf8_input_columns(DecoderState& st, const unsigned char* d, int off, int n, int avail, char* out,
                              char** o) {
  if constexpr (Encoder::kMaxBytesPerColumn == 1) {
    const int reached = utf8_input_sjis_chunks(st, d, off, n, avail, out);
    *o = out + reached;
    return reached;
  } else {
    (void)out;
    return utf8_input_utf8_chunks(st, d, off, n, avail, o);
  }
}

#endif

}  // namespace vesk
