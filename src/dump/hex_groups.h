// The hex part of a dump line: four digits and a blank for each two bytes
// (the blanks are the line template's).
#pragma once

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vesk {

#if defined(__SSE2__)
// The hex digits of sixteen bytes into the eight groups from h (four digits,
// then the blank that the line's template holds): the nibbles of each byte
// side by side, turned into digits all at once.
inline void put_hex16(char* h, const unsigned char* data) {
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
  const __m128i low4 = _mm_set1_epi8(0x0F);
  const __m128i hi = _mm_and_si128(_mm_srli_epi16(x, 4), low4);
  const __m128i lo = _mm_and_si128(x, low4);
  auto digits = [](__m128i v) {
    const __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(9)), _mm_set1_epi8('a' - '0' - 10));
    return _mm_add_epi8(_mm_add_epi8(v, _mm_set1_epi8('0')), letters);
  };
  const __m128i first = digits(_mm_unpacklo_epi8(hi, lo));   // bytes 0-7
  const __m128i second = digits(_mm_unpackhi_epi8(hi, lo));  // bytes 8-15
  std::uint64_t q[4];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(q), first);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(q + 2), second);
  for (int g = 0; g < 4; ++g) {
    const std::uint32_t a = static_cast<std::uint32_t>(q[g]), b = static_cast<std::uint32_t>(q[g] >> 32);
    std::memcpy(h + 10 * g, &a, 4);
    std::memcpy(h + 10 * g + 5, &b, 4);
  }
}
#endif

// The hex groups of the n bytes at data, from h.
void put_hex_groups(char* h, const unsigned char* data, int n);

}  // namespace vesk
