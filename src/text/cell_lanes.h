// Counting cells without a branch: a step of a decoder's automaton (see
// cell_automaton.h) holds the counts of the cells it closes in lanes of one
// word, and a scan sums the steps.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>

#include "common/settings.h"
#include "text/cell.h"
#include "text/decoder_state.h"

namespace vesk {

// The lanes, 14 bits each: the cells that are no character, the characters
// of two or more bytes, and the characters that are not ASCII (a kana, or one
// of two or more bytes). A step adds at most 2 to a lane: sums of up to
// kLaneBytes steps stay in their lanes. Above them a step holds where its
// first cell that is no character began, and at the top where its next
// state's steps begin in the table, in bytes, to which a scan adds the next
// byte's place; summed, these are garbage.
namespace lanes {
constexpr int kInvalid = 0, kMultibyte = 14, kBeyondAscii = 28;
constexpr int kBack = 42;  // 6 bits: that cell began this many bytes before the step's byte
constexpr int kNext = 48;  // 16 bits
// The bytes of one state's steps.
constexpr unsigned kStateBytes = 256 * sizeof(std::uint64_t);
constexpr std::uint64_t kMask = 0x3FFF;
constexpr int kLaneBytes = 4000;

constexpr long long count(std::uint64_t sum, int lane) { return static_cast<long long>(sum >> lane & kMask); }
// Where the next state's steps begin.
constexpr unsigned next(std::uint64_t step) { return static_cast<unsigned>(step >> kNext); }
constexpr int back(std::uint64_t step) { return static_cast<int>(step >> kBack & 0x3F); }
}  // namespace lanes

// The step of the state whose steps begin at byte `at` of the table, for the
// byte b: one load, its address added up from the two.
inline std::uint64_t step_at(const std::uint64_t* steps, std::uint64_t at, unsigned b) {
  std::uint64_t step;
  std::memcpy(&step, reinterpret_cast<const unsigned char*>(steps) + at + b * sizeof(std::uint64_t), sizeof step);
  return step;
}

// The lanes of one cell: what the tallies count of it.
constexpr std::uint64_t lanes_of(const Cell& c) {
  if (c.cls == CellClass::invalid) return std::uint64_t{1} << lanes::kInvalid;
  std::uint64_t sum = 0;
  if (c.len >= 2) sum += std::uint64_t{1} << lanes::kMultibyte;
  if (c.shows_character() && c.cls != CellClass::ascii) sum += std::uint64_t{1} << lanes::kBeyondAscii;
  return sum;
}

// The steps of one state of an automaton for the bytes from first up to the
// next run's first (or to 0xFF): the cells they close (that many that are no
// character, of two or more bytes, not ASCII), where the first of those that
// are no character began (back bytes before), and the state they go to.
struct StepRun {
  std::uint8_t state;
  std::uint8_t first;
  std::uint8_t invalid, multibyte, beyond_ascii, back;
  std::uint8_t next;

  constexpr bool same_step(const StepRun& o) const {
    return invalid == o.invalid && multibyte == o.multibyte && beyond_ascii == o.beyond_ascii && back == o.back &&
           next == o.next;
  }
};

// The automaton of a code in one shift (JIS; every other code has one): its
// steps, and the bytes open in each state.
struct AutomatonTable {
  CharMode mode;
  JisShift shift;
  std::span<const StepRun> runs;
  std::span<const std::uint8_t> open_bytes;
};

}  // namespace vesk
