// The counts the guess takes of the bytes themselves, whatever the code:
// NUL bytes, line ends, and bytes above 0x7F (which ASCII, and JIS in its
// ASCII shift, read as no character). Sixteen bytes at a time with SSE2, in
// byte counters summed at the end; a byte at a time without it.
#pragma once

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vesk {

struct ByteCounts {
  int nul = 0;
  int lf = 0;    // every LF
  int cr = 0;    // every CR
  int crlf = 0;  // LF after a CR
  int high = 0;  // bytes above 0x7F
};

#if defined(__SSE2__)
namespace byte_counts_detail {
// Byte counters overflow after 255 rounds.
constexpr int kMaxRounds = 255;
inline int sum_bytes(__m128i counters) {
  const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
  return _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
}
}  // namespace byte_counts_detail
#endif

// The counts of the n bytes at p; after_cr: the byte before them was a CR.
inline ByteCounts count_bytes(const unsigned char* p, int n, bool after_cr) {
  ByteCounts c;
  int i = 0;
#if defined(__SSE2__)
  using byte_counts_detail::kMaxRounds;
  using byte_counts_detail::sum_bytes;
  const __m128i zero = _mm_setzero_si128();
  const __m128i lf_byte = _mm_set1_epi8('\n');
  const __m128i cr_byte = _mm_set1_epi8('\r');
  while (n - i >= 16) {
    const int rounds = std::min((n - i) / 16, kMaxRounds);
    __m128i nul = zero, lf = zero, cr = zero, crlf = zero, high = zero;
    // A CR as the byte before the round's first.
    __m128i cr_carried = _mm_cvtsi32_si128((i > 0 ? p[i - 1] == '\r' : after_cr) ? 0xFF : 0);
    for (int r = 0; r < rounds; ++r, i += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      // Each compare gives -1 where it holds. No branch: in random bytes
      // and in text alike, a round holds a NUL, LF or CR too often to guess.
      high = _mm_sub_epi8(high, _mm_cmplt_epi8(v, zero));
      const __m128i is_nul = _mm_cmpeq_epi8(v, zero);
      const __m128i is_lf = _mm_cmpeq_epi8(v, lf_byte);
      const __m128i is_cr = _mm_cmpeq_epi8(v, cr_byte);
      const __m128i cr_before_each = _mm_or_si128(_mm_slli_si128(is_cr, 1), cr_carried);
      cr_carried = _mm_srli_si128(is_cr, 15);
      nul = _mm_sub_epi8(nul, is_nul);
      lf = _mm_sub_epi8(lf, is_lf);
      cr = _mm_sub_epi8(cr, is_cr);
      crlf = _mm_sub_epi8(crlf, _mm_and_si128(is_lf, cr_before_each));
    }
    c.nul += sum_bytes(nul);
    c.lf += sum_bytes(lf);
    c.cr += sum_bytes(cr);
    c.crlf += sum_bytes(crlf);
    c.high += sum_bytes(high);
  }
  if (i > 0) after_cr = p[i - 1] == '\r';
#endif
  for (; i < n; ++i) {
    const unsigned char b = p[i];
    c.nul += b == 0;
    c.lf += b == '\n';
    c.cr += b == '\r';
    c.crlf += b == '\n' && after_cr;
    c.high += b >= 0x80;
    after_cr = b == '\r';
  }
  return c;
}

// The bytes above 0x7F among the n bytes at p.
inline int count_high(const unsigned char* p, int n) {
  int high = 0;
  int i = 0;
#if defined(__SSE2__)
  using byte_counts_detail::kMaxRounds;
  using byte_counts_detail::sum_bytes;
  const __m128i zero = _mm_setzero_si128();
  while (n - i >= 16) {
    const int rounds = std::min((n - i) / 16, kMaxRounds);
    __m128i counters = zero;
    for (int r = 0; r < rounds; ++r, i += 16)
      counters = _mm_sub_epi8(counters, _mm_cmplt_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), zero));
    high += sum_bytes(counters);
  }
#endif
  for (; i < n; ++i) high += p[i] >= 0x80;
  return high;
}

// Where the first byte above 0x7F lies among the n bytes at p; -1 for none.
inline int first_high(const unsigned char* p, int n) {
  int i = 0;
#if defined(__SSE2__)
  for (; n - i >= 16; i += 16) {
    const unsigned mask =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i))));
    if (mask != 0) return i + std::countr_zero(mask);
  }
#endif
  for (; i < n; ++i)
    if (p[i] >= 0x80) return i;
  return -1;
}

// Whether each of the n bytes at p lies in [lo, hi].
inline bool all_in_range(const unsigned char* p, int n, unsigned char lo, unsigned char hi) {
  int i = 0;
#if defined(__SSE2__)
  // Bytes flipped in their top bit, so that signed compares order them as
  // unsigned values.
  const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i below = _mm_set1_epi8(static_cast<char>(lo ^ 0x80));
  const __m128i above = _mm_set1_epi8(static_cast<char>(hi ^ 0x80));
  for (; n - i >= 16; i += 16) {
    const __m128i fx = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), flip);
    if (_mm_movemask_epi8(_mm_or_si128(_mm_cmplt_epi8(fx, below), _mm_cmpgt_epi8(fx, above))) != 0) return false;
  }
#endif
  for (; i < n; ++i)
    if (p[i] < lo || p[i] > hi) return false;
  return true;
}

}  // namespace vesk
