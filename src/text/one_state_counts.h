// JIS in a shift whose automaton has one state (half-width kana): each byte
// counts on its own, as one range of seven-bit bytes shows characters
// beyond ASCII, another shows none, and every byte above 0x7F shows none.
// Counted sixteen bytes at a time from those ranges, which OneStateRanges
// works out from the automaton's steps.
#pragma once

#include <algorithm>
#include <cstdint>

#include "text/automaton_runs.h"
#include "text/byte_masks.h"
#include "text/cell_automaton.h"
#include "text/cell_lanes.h"

namespace vesk {

struct OneStateRanges {
  struct Ranges {
    bool fits = false;  // the automaton reads as above
    int beyond_lo = 1, beyond_hi = 0;    // seven-bit bytes beyond ASCII
    int invalid_lo = 1, invalid_hi = 0;  // seven-bit bytes that are no character
  };
  Ranges of_table[CellAutomata::kTables];

  constexpr OneStateRanges() : of_table() {
    constexpr std::uint64_t kCounts = (std::uint64_t{1} << lanes::kBack) - 1;
    constexpr std::uint64_t kOneInvalid = std::uint64_t{1} << lanes::kInvalid;
    constexpr std::uint64_t kOneBeyond = std::uint64_t{1} << lanes::kBeyondAscii;
    for (int t = 0; t < CellAutomata::kTables; ++t) {
      if (!kResync.one_state[t]) continue;
      const unsigned start = kCellAutomata.starts[t];
      Ranges r;
      bool fits = true;
      // Adds b to the range [lo, hi] when it goes on from it.
      auto extend = [&fits](int& lo, int& hi, int b) {
        if (lo > hi) lo = hi = b;
        else if (hi == b - 1) hi = b;
        else fits = false;
      };
      for (int b = 0; b < 256; ++b) {
        const std::uint64_t counts = kCellAutomata.steps[start * 256 + static_cast<unsigned>(b)] & kCounts;
        if (b >= 0x80) fits = fits && counts == kOneInvalid;
        else if (counts == kOneBeyond) extend(r.beyond_lo, r.beyond_hi, b);
        else if (counts == kOneInvalid) extend(r.invalid_lo, r.invalid_hi, b);
        else fits = fits && counts == 0;
      }
      // An empty range is 1 to 0, which the compares below take as none.
      r.fits = fits && r.beyond_lo > 0 && r.invalid_lo > 0;
      of_table[t] = r;
    }
  }

  constexpr const Ranges& of(unsigned start) const { return of_table[Resync::table_of(start)]; }
};
inline constexpr OneStateRanges kOneStateRanges;

struct OneStateCounts {
  long long invalid = 0;
  long long beyond_ascii = 0;
  long long high = 0;  // bytes above 0x7F
};

// The counts of the n bytes at p in an automaton whose ranges are r.
inline OneStateCounts count_one_state(const unsigned char* p, int n, const OneStateRanges::Ranges& r) {
  OneStateCounts c;
  int i = 0;
#if defined(__SSE2__)
  const unsigned char beyond_lo = static_cast<unsigned char>(r.beyond_lo);
  const unsigned char beyond_hi = static_cast<unsigned char>(r.beyond_hi);
  const unsigned char invalid_lo = static_cast<unsigned char>(r.invalid_lo);
  const unsigned char invalid_hi = static_cast<unsigned char>(r.invalid_hi);
  const __m128i zero = _mm_setzero_si128();
  auto sum_bytes = [&zero](__m128i counters) {
    const __m128i sums = _mm_sad_epu8(counters, zero);
    return _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
  };
  while (n - i >= 16) {
    // Byte counters overflow after 255 rounds.
    const int rounds = std::min((n - i) / 16, 255);
    __m128i beyond = zero, invalid = zero, high = zero;
    for (int k = 0; k < rounds; ++k, i += 16) {
      const simd::Bytes x = simd::load(p + i);
      beyond = _mm_sub_epi8(beyond, simd::in_range_of(x, beyond_lo, beyond_hi));
      invalid = _mm_sub_epi8(invalid, simd::in_range_of(x, invalid_lo, invalid_hi));
      high = _mm_sub_epi8(high, _mm_cmplt_epi8(x, zero));
    }
    c.beyond_ascii += sum_bytes(beyond);
    c.invalid += sum_bytes(invalid);
    c.high += sum_bytes(high);
  }
#endif
  for (; i < n; ++i) {
    const int b = p[i];
    c.beyond_ascii += b >= r.beyond_lo && b <= r.beyond_hi;
    c.invalid += b >= r.invalid_lo && b <= r.invalid_hi;
    c.high += b >= 0x80;
  }
  c.invalid += c.high;
  return c;
}

}  // namespace vesk
