// JIS in a shift of two-byte characters, counted without stepping its
// automaton: 64 bytes at a time, as bit masks of the bytes that read as
// halves of a pair and of the bytes above 0x7F. A run of pair bytes reads
// two at a time; a lead that the run's end leaves alone is no character; a
// byte above 0x7F is none either, and the other bytes count nothing. Which
// automata read so is worked out from their steps (PairShift).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "text/automaton_runs.h"
#include "text/byte_masks.h"
#include "text/cell_automaton.h"
#include "text/cell_lanes.h"

namespace vesk {

// For each automaton of kCellAutomata: whether it reads as this header's
// counts do, with its pair bytes in kPairRuns' range.
struct PairShift {
  bool reads_so[CellAutomata::kTables];

  constexpr PairShift() : reads_so() {
    constexpr std::uint64_t kCounts = (std::uint64_t{1} << lanes::kBack) - 1;
    constexpr std::uint64_t kOneInvalid = std::uint64_t{1} << lanes::kInvalid;
    for (int t = 0; t < CellAutomata::kTables; ++t) {
      const PairRuns::Range r = kPairRuns.of_table[t];
      if (r.lo > r.hi) continue;
      const unsigned lead = kCellAutomata.starts[t], open = lead + 1;
      bool fits = true;
      for (int b = 0; b < 256; ++b) {
        if (b >= r.lo && b <= r.hi) continue;  // kPairRuns checked those
        const std::uint64_t from_lead = kCellAutomata.steps[lead * 256 + static_cast<unsigned>(b)];
        const std::uint64_t from_open = kCellAutomata.steps[open * 256 + static_cast<unsigned>(b)];
        const std::uint64_t own = b >= 0x80 ? kOneInvalid : 0;
        fits = fits && lanes::next(from_lead) == lead * lanes::kStateBytes && (from_lead & kCounts) == own &&
               lanes::next(from_open) == lead * lanes::kStateBytes && (from_open & kCounts) == own + kOneInvalid;
      }
      reads_so[t] = fits;
    }
  }

  constexpr bool fits(unsigned start) const { return reads_so[Resync::table_of(start)]; }
};
inline constexpr PairShift kPairShift;

struct PairShiftCounts {
  long long invalid = 0;
  long long pairs = 0;  // characters of two bytes
  long long high = 0;   // bytes above 0x7F
};

namespace pair_shift_detail {

struct WordMasks {
  std::uint64_t pair = 0, high = 0;
};

// The bits set in x. std::popcount calls a library function where the
// build does not assume the processor's instruction; this is inlined.
inline int bits_set(std::uint64_t x) {
  x -= x >> 1 & 0x5555555555555555;
  x = (x & 0x3333333333333333) + (x >> 2 & 0x3333333333333333);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0F;
  return static_cast<int>(x * 0x0101010101010101 >> 56);
}

// The masks of the 64 bytes at p.
inline WordMasks masks_of(const unsigned char* p, unsigned char lo, unsigned char hi) {
  WordMasks m;
#if defined(__SSE2__)
  for (int k = 0; k < 4; ++k) {
    const simd::Bytes x = simd::load(p + 16 * k);
    m.pair |= std::uint64_t{simd::bits(simd::in_range_of(x, lo, hi))} << 16 * k;
    m.high |= std::uint64_t{simd::bits(x)} << 16 * k;
  }
#else
  for (int i = 0; i < 64; ++i) {
    m.pair |= std::uint64_t{p[i] >= lo && p[i] <= hi} << i;
    m.high |= std::uint64_t{p[i] >= 0x80} << i;
  }
#endif
  return m;
}

}  // namespace pair_shift_detail

// The n bytes at p, with no ESC among them, in a shift whose pair bytes are
// lo to hi; open: a lead is open before them. readable >= n bytes may be
// read at p. Adds their counts to *counts and returns whether a lead is
// open after them.
inline bool count_pair_shift(const unsigned char* p, int n, int readable, unsigned char lo, unsigned char hi,
                             bool open, PairShiftCounts* counts) {
  constexpr std::uint64_t kEvenBits = 0x5555555555555555;
  for (int i = 0; i < n; i += 64) {
    const int len = std::min(64, n - i);
    pair_shift_detail::WordMasks m;
    if (i + 64 <= readable) {
      m = pair_shift_detail::masks_of(p + i, lo, hi);
    } else {
      unsigned char word[64] = {};
      std::memcpy(word, p + i, static_cast<std::size_t>(len));
      m = pair_shift_detail::masks_of(word, lo, hi);
    }
    // Of the bytes past n, if any, nothing is counted.
    const std::uint64_t in_word = len == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << len) - 1;
    m.pair &= in_word;
    m.high &= in_word;
    // A run of pair bytes that begins on an even bit has its leads on the
    // even bits, one that begins on an odd bit on the odd ones; so has a run
    // at bit 0 that closes the pair open before the word. Adding a run's
    // first bit to it clears the run: what is cleared is the runs that
    // begin on an even bit.
    const std::uint64_t starts = m.pair & ~(m.pair << 1);
    const std::uint64_t even_starts = starts & kEvenBits & ~std::uint64_t{open};
    const std::uint64_t even_runs = m.pair & ~(m.pair + even_starts);
    const std::uint64_t leads = (even_runs & kEvenBits) | (m.pair & ~even_runs & ~kEvenBits);
    const std::uint64_t after_lead = (leads << 1 | std::uint64_t{open}) & in_word;
    counts->pairs += pair_shift_detail::bits_set(m.pair & after_lead);
    counts->invalid += pair_shift_detail::bits_set(~m.pair & after_lead) + pair_shift_detail::bits_set(m.high);
    counts->high += pair_shift_detail::bits_set(m.high);
    open = (leads >> (len - 1) & 1) != 0;
  }
  return open;
}

}  // namespace vesk
