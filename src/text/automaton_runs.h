// Stepping the guess's automata over runs of bytes: a step waits for the
// one before of its automaton, so a run is cut in pieces where the automaton
// is at a cell boundary whatever state it was in, and the pieces are stepped
// side by side, each from its own state.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "text/cell_automaton.h"
#include "text/cell_lanes.h"
#include "text/eight_bit_automaton.h"

namespace vesk {

// For each automaton of kCellAutomata, the bytes after which it is at its
// cell boundary whatever state it was in: there a run of bytes may be cut.
struct Resync {
  bool after[CellAutomata::kTables][256];
  bool eight_bit[256];  // Shift_JIS, EUC-JP and UTF-8 all
  bool one_state[CellAutomata::kTables];  // the automaton's state never changes

  constexpr Resync() : after(), eight_bit(), one_state() {
    for (int t = 0; t < CellAutomata::kTables; ++t) {
      const unsigned start = kCellAutomata.starts[t];
      const unsigned states = static_cast<unsigned>(kAutomatonTables[t].open_bytes.size());
      one_state[t] = states == 1;
      for (int b = 0; b < 256; ++b) {
        after[t][b] = true;
        for (unsigned s = start; s < start + states; ++s)
          if (lanes::next(kCellAutomata.steps[s * 256 + static_cast<unsigned>(b)]) != start * lanes::kStateBytes)
            after[t][b] = false;
      }
    }
    for (int b = 0; b < 256; ++b)
      eight_bit[b] = of(kCellAutomata.start(CharMode::sjis))[b] && of(kCellAutomata.start(CharMode::euc))[b] &&
                     of(kCellAutomata.start(CharMode::utf8))[b];
  }

  // The bytes of the automaton whose cell boundary is the state `start`.
  constexpr const bool* of(unsigned start) const { return after[table_of(start)]; }
  constexpr bool has_one_state(unsigned start) const { return one_state[table_of(start)]; }

  static constexpr int table_of(unsigned start) {
    for (int t = 0; t < CellAutomata::kTables; ++t)
      if (kCellAutomata.starts[t] * lanes::kStateBytes == start) return t;
    return 0;
  }
};
inline constexpr Resync kResync;

// For each automaton of kCellAutomata with two states that reads runs of
// bytes from lo to hi as pairs (JIS in a shift of two-byte characters): the
// range, empty for the others. A run of those bytes from its cell boundary
// is then counted without a step: one character of two bytes a pair.
struct PairRuns {
  struct Range {
    int lo = 1, hi = 0;  // empty
  };
  Range of_table[CellAutomata::kTables];

  constexpr PairRuns() : of_table() {
    for (int t = 0; t < CellAutomata::kTables; ++t) {
      if (kAutomatonTables[t].open_bytes.size() != 2) continue;
      const unsigned lead = kCellAutomata.starts[t], open = lead + 1;
      auto opens = [&](int b) {
        const std::uint64_t e = kCellAutomata.steps[lead * 256 + static_cast<unsigned>(b)];
        return lanes::next(e) == open * lanes::kStateBytes && (e & kCountsMask) == 0;
      };
      auto closes = [&](int b) {
        const std::uint64_t e = kCellAutomata.steps[open * 256 + static_cast<unsigned>(b)];
        return lanes::next(e) == lead * lanes::kStateBytes &&
               (e & kCountsMask) == (std::uint64_t{1} << lanes::kMultibyte | std::uint64_t{1} << lanes::kBeyondAscii);
      };
      Range r;
      for (int b = 0; b < 256; ++b) {
        if (!opens(b) || !closes(b)) continue;
        if (r.lo > r.hi) r.lo = b;
        if (r.hi == b - 1 || r.lo == b) r.hi = b;  // the first range of them
      }
      of_table[t] = r;
    }
  }

  constexpr Range of(unsigned start) const { return of_table[Resync::table_of(start)]; }

 private:
  static constexpr std::uint64_t kCountsMask = (std::uint64_t{1} << lanes::kBack) - 1;
};
inline constexpr PairRuns kPairRuns;

// Where to cut a run of bytes that ends at end, near `near`: the byte after
// the first byte from there on, a few at most, after which an automaton is
// at its cell boundary (resync); end for none.
inline int cut_near(const unsigned char* data, int near, int end, const bool* resync) {
  constexpr int kLookFor = 16;
  const int last = std::min(end - 1, near + kLookFor);
  for (int at = near; at < last; ++at)
    if (resync[data[at]]) return at + 1;
  return end;
}

// Runs shorter than this are not cut: the cut would not pay.
inline constexpr int kFewestToCut = 32;

// The sums of the steps of the pair, in 16-bit lanes (pair_lanes), and of
// UTF-8.
struct EightBitSums {
  std::uint64_t pair_even = 0, pair_odd = 0, utf8 = 0;
};

// Where a step's next state lies in its bytes.
static_assert(std::endian::native == std::endian::little || std::endian::native == std::endian::big);
inline constexpr int kNextByte = std::endian::native == std::endian::little ? lanes::kNext / 8 : 0;
static_assert(lanes::kNext == 48);

// The states of the pair and of UTF-8, in full words: a step's top bits are
// the next one as they stand.
struct EightBitStates {
  std::uint64_t pair, utf8;

  // One byte's steps; returns the pair's step, to be summed.
  std::uint64_t step(const unsigned char* table, unsigned b, EightBitSums& sums) {
    // The steps of every state for this byte, a state's table apart.
    const unsigned char* column = table + b * sizeof(std::uint64_t);
    std::uint64_t p, u;
    std::memcpy(&p, column + pair, sizeof p);
    std::memcpy(&u, column + utf8, sizeof u);
    sums.utf8 += u;
    // The next states read on their own, from the steps' top bytes: a load
    // waits no longer than a shift of the step would, and leaves the step
    // whole for its sum.
    std::uint16_t next_pair, next_utf8;
    std::memcpy(&next_pair, column + pair + kNextByte, sizeof next_pair);
    std::memcpy(&next_utf8, column + utf8 + kNextByte, sizeof next_utf8);
    pair = next_pair;
    utf8 = next_utf8;
    return p;
  }

  // The n bytes at p.
  void run(const unsigned char* table, const unsigned char* p, int n, EightBitSums& sums) {
    while (n > 0) {
      const int steps = std::min(n, pair_lanes::kMaxPairSteps);
      std::uint64_t pair_sum = 0;
      for (int i = 0; i < steps; ++i) pair_sum += step(table, p[i], sums);
      pair_lanes::spread_pair(pair_sum, &sums.pair_even, &sums.pair_odd);
      p += steps;
      n -= steps;
    }
  }
};

// kPieces runs side by side: the n bytes at p, and the n bytes apart[k]
// bytes on for each other piece k.
template <int kPieces>
void run_side_by_side(const unsigned char* table, const unsigned char* p, const std::ptrdiff_t* apart, int n,
                      EightBitStates* states, EightBitSums& sums) {
  while (n > 0) {
    // The runs add to one sum.
    const int steps = std::min(n, pair_lanes::kMaxPairSteps / kPieces);
    std::uint64_t pair_sum = 0;
    for (const unsigned char* stop = p + steps; p != stop; ++p)
      for (int k = 0; k < kPieces; ++k) pair_sum += states[k].step(table, p[apart[k]], sums);
    pair_lanes::spread_pair(pair_sum, &sums.pair_even, &sums.pair_odd);
    n -= steps;
  }
}

// One automaton of kCellAutomata over kPieces runs of bytes side by side, the
// runs from bounds[k] to bounds[k + 1] of data, from the states at[k]; the
// steps added to *sum.
template <int kPieces>
void step_pieces(const unsigned char* data, const int* bounds, std::uint64_t* at, std::uint64_t* sum) {
  const unsigned char* table = reinterpret_cast<const unsigned char*>(kCellAutomata.steps);
  auto step = [&](std::uint64_t& state, unsigned b) {
    const unsigned char* e = table + b * sizeof(std::uint64_t) + state;
    std::uint64_t whole;
    std::uint16_t next;
    std::memcpy(&whole, e, sizeof whole);
    std::memcpy(&next, e + kNextByte, sizeof next);  // as in EightBitStates::step
    *sum += whole;
    state = next;
  };
  int all = bounds[1] - bounds[0];
  for (int k = 1; k < kPieces; ++k) all = std::min(all, bounds[k + 1] - bounds[k]);
  std::ptrdiff_t apart[kPieces];
  for (int k = 0; k < kPieces; ++k) apart[k] = bounds[k] - bounds[0];
  for (const unsigned char *p = data + bounds[0], *stop = p + all; p != stop; ++p)
    for (int k = 0; k < kPieces; ++k) step(at[k], p[apart[k]]);
  for (int k = 0; k < kPieces; ++k)
    for (int i = bounds[k] + all; i < bounds[k + 1]; ++i) step(at[k], data[i]);
}

}  // namespace vesk
