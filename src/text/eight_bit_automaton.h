// The guess's eight-bit codes in two automata instead of three: Shift_JIS
// and EUC-JP as one (their product: a state is a pair of their states, a
// step both their steps), and UTF-8 as it is. Both are worked out from the
// automata of cell_automaton.h, in one table, so that a byte's steps lie a
// state's table apart and one scan steps both from one place.
//
// A step of the pair holds each code's counts in lanes of 8 bits: a scan
// sums at most kMaxPairSteps of them, then spreads the sum into lanes of 16
// bits (spread_pair). UTF-8's steps are those of cell_automaton.h.
#pragma once

#include <cstdint>

#include "text/cell_automaton.h"
#include "text/cell_lanes.h"

namespace vesk {

namespace pair_lanes {
// Shift_JIS's invalid, multibyte and beyond-ASCII counts, then EUC-JP's.
constexpr int kSjisInvalid = 0, kSjisMultibyte = 8, kSjisBeyondAscii = 16;
constexpr int kEucInvalid = 24, kEucMultibyte = 32, kEucBeyondAscii = 40;
constexpr int kNext = lanes::kNext;  // where the next state's steps begin, as in cell_lanes.h
// A step adds at most 2 to a lane of 8 bits.
constexpr int kMaxPairSteps = 127;

// The lanes of a sum of pair steps, spread to 16 bits each: lanes 0, 2 and 4
// into *even, lanes 1, 3 and 5 into *odd, at bits 0, 16 and 32.
constexpr std::uint64_t kEveryOther = 0x00FF00FF00FF;
inline void spread_pair(std::uint64_t sum, std::uint64_t* even, std::uint64_t* odd) {
  *even += sum & kEveryOther;
  *odd += sum >> 8 & kEveryOther;
}
}  // namespace pair_lanes

struct EightBitAutomata {
  // Where a state's steps begin, in bytes, fits the 16 bits of a step.
  static constexpr int kMaxStates = 32;

  std::uint64_t steps[kMaxStates * 256];  // state * 256 + byte
  unsigned utf8_states = 0;               // UTF-8's states come first
  unsigned pair_states = 0;               // then the pairs'
  // Each pair state's Shift_JIS and EUC-JP states, as kCellAutomata numbers
  // their steps (in bytes).
  unsigned sjis_of[kMaxStates] = {};
  unsigned euc_of[kMaxStates] = {};

  constexpr EightBitAutomata() : steps() {
    const unsigned utf8_start = kCellAutomata.start(CharMode::utf8);
    while (utf8_states == 0 || kCellAutomata.open_at(utf8_start + utf8_states * lanes::kStateBytes) > 0)
      ++utf8_states;
    for (unsigned s = 0; s < utf8_states; ++s) {
      for (int b = 0; b < 256; ++b) {
        const std::uint64_t step = kCellAutomata.steps[(utf8_start / lanes::kStateBytes + s) * 256 + b];
        const std::uint64_t next = lanes::next(step) - utf8_start;
        steps[s * 256 + b] = (step & ~(~std::uint64_t{0} << lanes::kNext)) | next << lanes::kNext;
      }
    }
    // The pairs reached from both codes' cell boundary, in the order met.
    add_pair(kCellAutomata.start(CharMode::sjis), kCellAutomata.start(CharMode::euc));
    for (unsigned p = 0; p < pair_states; ++p) {
      const unsigned state = utf8_states + p;
      for (int b = 0; b < 256; ++b) {
        const std::uint64_t s = kCellAutomata.steps[sjis_of[p] / sizeof(std::uint64_t) + b];
        const std::uint64_t e = kCellAutomata.steps[euc_of[p] / sizeof(std::uint64_t) + b];
        const unsigned next = add_pair(lanes::next(s), lanes::next(e));
        using namespace pair_lanes;
        steps[state * 256 + b] =
            count(s, lanes::kInvalid) << kSjisInvalid | count(s, lanes::kMultibyte) << kSjisMultibyte |
            count(s, lanes::kBeyondAscii) << kSjisBeyondAscii | count(e, lanes::kInvalid) << kEucInvalid |
            count(e, lanes::kMultibyte) << kEucMultibyte | count(e, lanes::kBeyondAscii) << kEucBeyondAscii |
            std::uint64_t{next} << kNext;
      }
    }
  }

  // UTF-8's state here, of its state in kCellAutomata, and back.
  static constexpr unsigned utf8_here(unsigned utf8) { return utf8 - kCellAutomata.start(CharMode::utf8); }
  static constexpr unsigned utf8_there(unsigned here) { return here + kCellAutomata.start(CharMode::utf8); }

  // The pair state of a Shift_JIS and an EUC-JP state, both as kCellAutomata
  // numbers them; the pair state must have been reached.
  constexpr unsigned pair_here(unsigned sjis, unsigned euc) const {
    for (unsigned p = 0; p < pair_states; ++p)
      if (sjis_of[p] == sjis && euc_of[p] == euc) return (utf8_states + p) * lanes::kStateBytes;
    throw "pair state not reached";
  }
  // The pair and UTF-8 at a cell boundary.
  constexpr unsigned pair_start() const {
    return pair_here(kCellAutomata.start(CharMode::sjis), kCellAutomata.start(CharMode::euc));
  }
  static constexpr unsigned utf8_start() { return utf8_here(kCellAutomata.start(CharMode::utf8)); }
  constexpr unsigned sjis_there(unsigned here) const { return sjis_of[here / lanes::kStateBytes - utf8_states]; }
  constexpr unsigned euc_there(unsigned here) const { return euc_of[here / lanes::kStateBytes - utf8_states]; }

 private:
  static constexpr std::uint64_t count(std::uint64_t step, int lane) {
    return static_cast<std::uint64_t>(lanes::count(step, lane));
  }
  // The pair state of (sjis, euc), added when not met before; in bytes.
  constexpr unsigned add_pair(unsigned sjis, unsigned euc) {
    for (unsigned p = 0; p < pair_states; ++p)
      if (sjis_of[p] == sjis && euc_of[p] == euc) return (utf8_states + p) * lanes::kStateBytes;
    if (utf8_states + pair_states >= kMaxStates) throw "too many states";
    sjis_of[pair_states] = sjis;
    euc_of[pair_states] = euc;
    return (utf8_states + pair_states++) * lanes::kStateBytes;
  }
};

inline constexpr EightBitAutomata kEightBitAutomata;

}  // namespace vesk
