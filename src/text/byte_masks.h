// Sixteen bytes at a time: which of them lie in a range of values, as a mask
// of sixteen bits, and a mask of bits spread back over bytes. The fast paths
// of the column writer build on these; without SSE2 they are not used.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>

#include <cstdint>

namespace vesk::simd {

using Bytes = __m128i;

inline Bytes load(const unsigned char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void store(char* p, Bytes x) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), x); }

// Bytes flipped in their top bit, so that signed comparisons order them as
// unsigned values.
inline Bytes flipped(Bytes x) { return _mm_xor_si128(x, _mm_set1_epi8(static_cast<char>(0x80))); }

// The bytes of flipped bytes fx that lie in [lo, hi], as 0xFF.
inline Bytes in_range(Bytes fx, unsigned char lo, unsigned char hi) {
  const Bytes low = _mm_set1_epi8(static_cast<char>((lo - 1) ^ 0x80));
  const Bytes high = _mm_set1_epi8(static_cast<char>((hi + 1) ^ 0x80));
  return _mm_and_si128(_mm_cmpgt_epi8(fx, low), _mm_cmplt_epi8(fx, high));
}

// The bytes of x itself that lie in [lo, hi] (fewer than 256 values, or
// none when lo = hi + 1), as 0xFF: x - lo, flipped in its top bit, is below
// hi - lo + 1 there; one add and one compare.
inline Bytes in_range_of(Bytes x, unsigned char lo, unsigned char hi) {
  const Bytes shift = _mm_set1_epi8(static_cast<char>(0x80 - lo));
  const Bytes limit = _mm_set1_epi8(static_cast<char>(hi - lo + 1 - 0x80));
  return _mm_cmplt_epi8(_mm_add_epi8(x, shift), limit);
}

inline unsigned bits(Bytes m) { return static_cast<unsigned>(_mm_movemask_epi8(m)); }

// Each mask of eight bits as eight bytes, 0xFF where its bit is set.
struct SpreadBytes {
  std::uint64_t bytes[256];
  constexpr SpreadBytes() : bytes() {
    for (unsigned m = 0; m < 256; ++m)
      for (unsigned i = 0; i < 8; ++i)
        if (m >> i & 1) bytes[m] |= std::uint64_t{0xFF} << (8 * i);
  }
};
inline constexpr SpreadBytes kSpreadBytes;

// The byte mask of a mask of sixteen bits: byte i is 0xFF where bit i is set.
inline Bytes spread(unsigned mask) {
  return _mm_set_epi64x(static_cast<long long>(kSpreadBytes.bytes[(mask >> 8) & 0xFF]),
                        static_cast<long long>(kSpreadBytes.bytes[mask & 0xFF]));
}

// x where mask is set, c elsewhere.
inline Bytes select(Bytes mask, Bytes x, char c) {
  return _mm_or_si128(_mm_and_si128(mask, x), _mm_andnot_si128(mask, _mm_set1_epi8(c)));
}

// The two lower-case hex digits of each of sixteen bytes, to 32 bytes at
// out: the nibbles of each byte side by side, turned into digits all at once.
inline void put_hex_digits(char* out, Bytes x) {
  const Bytes low4 = _mm_set1_epi8(0x0F);
  const Bytes hi = _mm_and_si128(_mm_srli_epi16(x, 4), low4);
  const Bytes lo = _mm_and_si128(x, low4);
  auto digits = [](Bytes v) {
    const Bytes letters = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(9)), _mm_set1_epi8('a' - '0' - 10));
    return _mm_add_epi8(_mm_add_epi8(v, _mm_set1_epi8('0')), letters);
  };
  store(out, digits(_mm_unpacklo_epi8(hi, lo)));        // bytes 0-7
  store(out + 16, digits(_mm_unpackhi_epi8(hi, lo)));  // bytes 8-15
}

}  // namespace vesk::simd

#endif
