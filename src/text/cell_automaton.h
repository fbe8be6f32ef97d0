// The decoders run a byte at a time: each byte is one step of an automaton
// whose state is the character still open (its bytes read so far; none at a
// cell boundary), and each step counts the cells it closes (cell_lanes.h).
// The steps are a table worked out from the codec table's decoders, by
// decoding (cell_automata_table.h); a unit test works them out again and
// holds the table to them, so the automata make the very cells the decoders
// make.
#pragma once

#include <cstdint>

#include "text/cell_automata_table.h"
#include "text/cell_lanes.h"

namespace vesk {

// Every code's automaton in one table, their states numbered one after
// another, so that one scan steps them all from one place.
struct CellAutomata {
  // Where a state's steps begin, in bytes, fits the 16 bits of a step.
  static constexpr int kMaxStates = 32;
  static constexpr int kTables = static_cast<int>(std::size(kAutomatonTables));

  std::uint64_t steps[kMaxStates * 256];  // state * 256 + byte
  std::uint8_t open[kMaxStates];         // the bytes open in each state: that many of the last bytes read
  unsigned starts[kTables];              // the state at a cell boundary of each table

  constexpr CellAutomata() : steps(), open(), starts() {
    unsigned base = 0;
    for (int t = 0; t < kTables; ++t) {
      const AutomatonTable& table = kAutomatonTables[t];
      starts[t] = base;
      if (base + table.open_bytes.size() > kMaxStates) throw "too many states";
      for (std::size_t s = 0; s < table.open_bytes.size(); ++s) open[base + s] = table.open_bytes[s];
      for (std::size_t i = 0; i < table.runs.size(); ++i) {
        const StepRun& run = table.runs[i];
        const bool last_of_state = i + 1 == table.runs.size() || table.runs[i + 1].state != run.state;
        const int end = last_of_state ? 256 : table.runs[i + 1].first;
        // The next state counted among all the automata's states.
        const std::uint64_t step =
            std::uint64_t{run.invalid} << lanes::kInvalid | std::uint64_t{run.multibyte} << lanes::kMultibyte |
            std::uint64_t{run.beyond_ascii} << lanes::kBeyondAscii | std::uint64_t{run.back} << lanes::kBack |
            std::uint64_t{(base + run.next) * lanes::kStateBytes} << lanes::kNext;
        for (int b = run.first; b < end; ++b) steps[(base + run.state) << 8 | b] = step;
      }
      base += static_cast<unsigned>(table.open_bytes.size());
    }
  }

  // The bytes open in the state whose steps begin at byte `at` of steps.
  constexpr int open_at(unsigned at) const { return open[at / lanes::kStateBytes]; }

  // Where the steps of a code's state at a cell boundary begin: in a JIS
  // shift for JIS (no escape sequence under way; an ESC byte is left to the
  // decoder, which looks past it).
  constexpr unsigned start(CharMode mode, JisShift shift = JisShift::ascii) const {
    for (int t = 0; t < kTables; ++t)
      if (kAutomatonTables[t].mode == mode && (mode != CharMode::jis || kAutomatonTables[t].shift == shift))
        return starts[t] * lanes::kStateBytes;
    return 0;
  }
};

inline constexpr CellAutomata kCellAutomata;

}  // namespace vesk
