// The automata's table is what the codec table's decoders make: worked out
// again here, by decoding, and held to the committed table. After a change to
// a decoder, write the table anew:
//   VESK_WRITE_AUTOMATA=src/text/cell_automata_table.h build/vesk_unit_tests --gtest_filter='CellAutomata.*'
#include "text/cell_automaton.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "text/cell_automata_table.h"
#include "text/codec.h"

namespace vesk {
namespace {

using Bytes = std::basic_string<unsigned char>;

// A step as the table writes it, without its state and first byte.
StepRun counts_of(const Cell& c) {
  const std::uint64_t l = lanes_of(c);
  StepRun s{};
  s.invalid = static_cast<std::uint8_t>(lanes::count(l, lanes::kInvalid));
  s.multibyte = static_cast<std::uint8_t>(lanes::count(l, lanes::kMultibyte));
  s.beyond_ascii = static_cast<std::uint8_t>(lanes::count(l, lanes::kBeyondAscii));
  return s;
}

// Works an automaton out by decoding runs of bytes with nothing readable
// after them. The decoders' rule for such a run: a cell that covers it all
// and is no character is a character cut short by the end of what can be
// read (the longest start that the next byte cannot continue stops before
// that byte), unless it is a single byte that begins nothing.
//
// Every run of bytes that leaves a character open is met (they are at most
// three bytes long), and two of them are one state when every next byte does
// the same after both, and leaves them in the same state: worked out from the
// longest up.
class Builder {
 public:
  Builder(const Codec& codec, JisShift shift) : codec_(codec) { initial_.shift = shift; }

  // Every state's steps, in the order the states are met from a cell
  // boundary; the runs of equal steps.
  void build(std::vector<StepRun>& runs, std::vector<std::uint8_t>& open_bytes) {
    state_of_class_[class_of(Bytes())] = 0;
    open_.push_back(Bytes());
    for (std::size_t s = 0; s < open_.size(); ++s) {
      for (int b = 0; b < 256; ++b) {
        StepRun e = step(open_[s], static_cast<unsigned char>(b));
        e.state = static_cast<std::uint8_t>(s);
        e.first = static_cast<std::uint8_t>(b);
        if (b == 0 || !runs.back().same_step(e)) runs.push_back(e);
      }
    }
    for (const Bytes& q : open_) open_bytes.push_back(static_cast<std::uint8_t>(q.size()));
  }

 private:
  enum class Outcome : unsigned char {
    ends_before,  // a cell ends before the last byte, which starts afresh
    stays_open,   // the last byte continues a character not yet complete
    closes,       // the last byte completes a cell
  };

  Cell decode(const Bytes& r) const {
    DecoderState state = initial_;
    return codec_.decode(state, r.data(), static_cast<int>(r.size()));
  }

  Outcome outcome(const Bytes& r, const Cell& c) const {
    if (c.len < r.size()) return Outcome::ends_before;
    if (c.cls != CellClass::invalid) return Outcome::closes;
    if (r.size() >= 2) return Outcome::stays_open;
    // A single byte that is no character alone: open when a byte after it
    // makes a longer cell.
    for (int x = 0; x < 256; ++x)
      if (decode(r + static_cast<unsigned char>(x)).len >= 2) return Outcome::stays_open;
    return Outcome::closes;
  }

  // The class of the open bytes q (or of none): what every next byte does
  // after them, with the class it leaves open.
  int class_of(const Bytes& q) {
    const auto known = class_of_open_.find(q);
    if (known != class_of_open_.end()) return known->second;
    std::vector<int> key(1, static_cast<int>(q.size()));
    Bytes r = q + static_cast<unsigned char>(0);
    for (int x = 0; x < 256; ++x) {
      r.back() = static_cast<unsigned char>(x);
      const Cell c = decode(r);
      const StepRun k = counts_of(c);
      const int counts = k.invalid + 2 * k.multibyte + 4 * k.beyond_ascii;
      switch (outcome(r, c)) {
        case Outcome::ends_before: key.push_back(100 + counts); break;
        case Outcome::closes: key.push_back(200 + counts); break;
        case Outcome::stays_open: key.push_back(1000 + class_of(r)); break;
      }
    }
    const auto found = classes_.find(key);
    const int id = found != classes_.end() ? found->second : static_cast<int>(classes_.size());
    if (found == classes_.end()) classes_.emplace(key, id);
    class_of_open_.emplace(q, id);
    return id;
  }

  // The state of the open bytes q: numbered as first met.
  unsigned state_of(const Bytes& q) {
    const int c = class_of(q);
    const auto found = state_of_class_.find(c);
    if (found != state_of_class_.end()) return found->second;
    const unsigned s = static_cast<unsigned>(open_.size());
    state_of_class_.emplace(c, s);
    open_.push_back(q);
    return s;
  }

  StepRun step(const Bytes& q, unsigned char b) {
    const Bytes r = q + b;
    const Cell c = decode(r);
    switch (outcome(r, c)) {
      case Outcome::closes:
        return counts_of(c);
      case Outcome::stays_open: {
        StepRun open{};
        open.next = static_cast<std::uint8_t>(state_of(r));
        return open;
      }
      case Outcome::ends_before:
        break;
    }
    // The open bytes make a cell of their own (one that is no character);
    // the bytes after it start afresh, from the cell boundary.
    StepRun sum = counts_of(c);
    int back = c.cls == CellClass::invalid ? static_cast<int>(q.size()) : -1;
    Bytes open;
    for (std::size_t i = c.len; i < r.size(); ++i) {
      const StepRun e = step(open, r[i]);
      sum.invalid = static_cast<std::uint8_t>(sum.invalid + e.invalid);
      sum.multibyte = static_cast<std::uint8_t>(sum.multibyte + e.multibyte);
      sum.beyond_ascii = static_cast<std::uint8_t>(sum.beyond_ascii + e.beyond_ascii);
      if (back < 0 && e.invalid > 0) back = static_cast<int>(r.size() - 1 - i) + e.back;
      open = open_[e.next];
    }
    sum.next = static_cast<std::uint8_t>(state_of(open));
    sum.back = static_cast<std::uint8_t>(back < 0 ? 0 : back);
    return sum;
  }

  const Codec& codec_;
  DecoderState initial_;
  std::map<std::vector<int>, int> classes_;
  std::map<Bytes, int> class_of_open_;
  std::map<int, unsigned> state_of_class_;
  std::vector<Bytes> open_;  // the open bytes of each state, as first met
};

struct Named {
  CharMode mode;
  JisShift shift;
  const char* name;       // of its arrays
  const char* mode_name;  // in C++
  const char* shift_name;
};

const Named kNamed[] = {
    {CharMode::ascii, JisShift::ascii, "Ascii", "ascii", "ascii"},
    {CharMode::sjis, JisShift::ascii, "Sjis", "sjis", "ascii"},
    {CharMode::euc, JisShift::ascii, "Euc", "euc", "ascii"},
    {CharMode::utf8, JisShift::ascii, "Utf8", "utf8", "ascii"},
    {CharMode::jis, JisShift::ascii, "JisAscii", "jis", "ascii"},
    {CharMode::jis, JisShift::kana, "JisKana", "jis", "kana"},
    {CharMode::jis, JisShift::jisx0208, "JisX0208", "jis", "jisx0208"},
    {CharMode::jis, JisShift::jisx0212, "JisX0212", "jis", "jisx0212"},
};

std::string table_file(const std::vector<std::vector<StepRun>>& runs, const std::vector<std::vector<std::uint8_t>>& open) {
  std::string out =
      "// Generated from the codec table's decoders by src/text/cell_automaton_test.cpp; do not edit.\n"
      "#pragma once\n\n#include \"text/cell_lanes.h\"\n\nnamespace vesk {\n";
  char line[96];
  for (std::size_t k = 0; k < std::size(kNamed); ++k) {
    out += std::string("\ninline constexpr StepRun k") + kNamed[k].name + "Steps[] = {\n";
    for (const StepRun& r : runs[k]) {
      std::snprintf(line, sizeof line, "    {%u, 0x%02X, %u, %u, %u, %u, %u},\n", r.state, r.first, r.invalid,
                    r.multibyte, r.beyond_ascii, r.back, r.next);
      out += line;
    }
    out += "};\ninline constexpr std::uint8_t k" + std::string(kNamed[k].name) + "Open[] = {";
    for (std::size_t s = 0; s < open[k].size(); ++s) out += (s ? ", " : "") + std::to_string(open[k][s]);
    out += "};\n";
  }
  out += "\ninline constexpr AutomatonTable kAutomatonTables[] = {\n";
  for (const Named& n : kNamed)
    out += std::string("    {CharMode::") + n.mode_name + ", JisShift::" + n.shift_name + ", k" + n.name + "Steps, k" +
           n.name + "Open},\n";
  out += "};\n\n}  // namespace vesk\n";
  return out;
}

TEST(CellAutomata, AreWhatTheDecodersMake) {
  std::vector<std::vector<StepRun>> runs(std::size(kNamed));
  std::vector<std::vector<std::uint8_t>> open(std::size(kNamed));
  for (std::size_t k = 0; k < std::size(kNamed); ++k) {
    Builder(codec_of(kNamed[k].mode), kNamed[k].shift).build(runs[k], open[k]);
    // The automata's states are counted in a byte, and all of them fit the table.
    EXPECT_LE(open[k].size(), 256u) << kNamed[k].name;
  }
  if (const char* path = std::getenv("VESK_WRITE_AUTOMATA")) std::ofstream(path, std::ios::binary) << table_file(runs, open);
  ASSERT_EQ(std::size(kAutomatonTables), std::size(kNamed));
  for (std::size_t k = 0; k < std::size(kNamed); ++k) {
    const AutomatonTable& t = kAutomatonTables[k];
    EXPECT_EQ(t.mode, kNamed[k].mode);
    EXPECT_EQ(t.shift, kNamed[k].shift);
    ASSERT_EQ(t.runs.size(), runs[k].size()) << kNamed[k].name << ": write the table anew (see the top of this file)";
    for (std::size_t i = 0; i < runs[k].size(); ++i) {
      EXPECT_EQ(t.runs[i].state, runs[k][i].state) << kNamed[k].name << " run " << i;
      EXPECT_EQ(t.runs[i].first, runs[k][i].first) << kNamed[k].name << " run " << i;
      EXPECT_TRUE(t.runs[i].same_step(runs[k][i])) << kNamed[k].name << " run " << i;
    }
    EXPECT_EQ(std::vector<std::uint8_t>(t.open_bytes.begin(), t.open_bytes.end()), open[k]) << kNamed[k].name;
  }
}

}  // namespace
}  // namespace vesk
