#include "text/eight_bit_automaton.h"

#include "text/automaton_runs.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

std::uint64_t eight_bit_step(unsigned state, int b) {
  return kEightBitAutomata.steps[state / lanes::kStateBytes * 256 + b];
}
std::uint64_t cell_step(unsigned state, int b) { return kCellAutomata.steps[state / lanes::kStateBytes * 256 + b]; }
long long pair_lane(std::uint64_t step, int lane) { return static_cast<long long>(step >> lane & 0xFF); }

// Each pair state steps as its two codes' states step, and leads to the pair
// of their next states; UTF-8 steps as it does in kCellAutomata.
TEST(EightBitAutomata, PairStepsAreTheTwoCodesSteps) {
  using namespace pair_lanes;
  ASSERT_GT(kEightBitAutomata.pair_states, 0u);
  for (unsigned p = 0; p < kEightBitAutomata.pair_states; ++p) {
    const unsigned here = (kEightBitAutomata.utf8_states + p) * lanes::kStateBytes;
    const unsigned sjis = kEightBitAutomata.sjis_there(here), euc = kEightBitAutomata.euc_there(here);
    for (int b = 0; b < 256; ++b) {
      const std::uint64_t step = eight_bit_step(here, b), s = cell_step(sjis, b), e = cell_step(euc, b);
      EXPECT_EQ(pair_lane(step, kSjisInvalid), lanes::count(s, lanes::kInvalid)) << p << " " << b;
      EXPECT_EQ(pair_lane(step, kSjisMultibyte), lanes::count(s, lanes::kMultibyte)) << p << " " << b;
      EXPECT_EQ(pair_lane(step, kSjisBeyondAscii), lanes::count(s, lanes::kBeyondAscii)) << p << " " << b;
      EXPECT_EQ(pair_lane(step, kEucInvalid), lanes::count(e, lanes::kInvalid)) << p << " " << b;
      EXPECT_EQ(pair_lane(step, kEucMultibyte), lanes::count(e, lanes::kMultibyte)) << p << " " << b;
      EXPECT_EQ(pair_lane(step, kEucBeyondAscii), lanes::count(e, lanes::kBeyondAscii)) << p << " " << b;
      const unsigned next = lanes::next(step);
      EXPECT_EQ(kEightBitAutomata.sjis_there(next), lanes::next(s)) << p << " " << b;
      EXPECT_EQ(kEightBitAutomata.euc_there(next), lanes::next(e)) << p << " " << b;
    }
  }
  for (unsigned u = 0; u < kEightBitAutomata.utf8_states; ++u) {
    const unsigned here = u * lanes::kStateBytes;
    const unsigned there = EightBitAutomata::utf8_there(here);
    for (int b = 0; b < 256; ++b) {
      const std::uint64_t step = eight_bit_step(here, b), want = cell_step(there, b);
      EXPECT_EQ(step & ~(~std::uint64_t{0} << lanes::kNext), want & ~(~std::uint64_t{0} << lanes::kNext)) << u;
      EXPECT_EQ(EightBitAutomata::utf8_there(lanes::next(step)), lanes::next(want)) << u << " " << b;
    }
  }
  EXPECT_EQ(kEightBitAutomata.sjis_there(kEightBitAutomata.pair_start()), kCellAutomata.start(CharMode::sjis));
  EXPECT_EQ(kEightBitAutomata.euc_there(kEightBitAutomata.pair_start()), kCellAutomata.start(CharMode::euc));
}

// JIS's shifts of two-byte characters read the bytes 0x21 to 0x7E as pairs;
// the automata of one state have no such run.
TEST(PairRuns, AreJisTwoByteShifts) {
  for (JisShift shift : {JisShift::jisx0208, JisShift::jisx0212}) {
    const PairRuns::Range r = kPairRuns.of(kCellAutomata.start(CharMode::jis, shift));
    EXPECT_EQ(r.lo, 0x21);
    EXPECT_EQ(r.hi, 0x7E);
  }
  for (unsigned start : {kCellAutomata.start(CharMode::jis), kCellAutomata.start(CharMode::jis, JisShift::kana),
                         kCellAutomata.start(CharMode::ascii)}) {
    const PairRuns::Range r = kPairRuns.of(start);
    EXPECT_GT(r.lo, r.hi);
  }
}

}  // namespace
}  // namespace vesk
