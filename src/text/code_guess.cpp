#include "text/code_guess.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <initializer_list>

#include "text/byte_counts.h"
#include "text/cell_automaton.h"
#include "text/codec.h"
#include "text/decoders.h"
#include "text/automaton_runs.h"
#include "text/eight_bit_automaton.h"
#include "text/one_state_counts.h"
#include "text/pair_shift_counts.h"

namespace vesk {

namespace {

const GuessRowName kRowNames[kGuessRows] = {
    {GuessRow::ascii, CharMode::ascii, "ASCII"},
    {GuessRow::sjis, CharMode::sjis, "Shift_JIS"},
    {GuessRow::euc, CharMode::euc, "EUC-JP"},
    {GuessRow::jis, CharMode::jis, "ISO-2022-JP"},
    {GuessRow::utf8, CharMode::utf8, "UTF-8"},
};

constexpr std::uint64_t kInvalidLane = lanes::kMask << lanes::kInvalid;

// ISO-2022-JP: the byte that begins an escape sequence.
constexpr unsigned char kEsc = 0x1B;

void add_lanes(CodeTally& t, std::uint64_t sum) {
  t.invalid += lanes::count(sum, lanes::kInvalid);
  t.multibyte += lanes::count(sum, lanes::kMultibyte);
  t.beyond_ascii += lanes::count(sum, lanes::kBeyondAscii);
}

void count_cell(CodeTally& t, const Cell& c, long long at) {
  if (c.cls == CellClass::invalid && t.first_invalid < 0) t.first_invalid = at;
  add_lanes(t, lanes_of(c));
}

constexpr unsigned char kUtf8Bom[3] = {0xEF, 0xBB, 0xBF};

// What the steps of JIS in each shift need, worked out once rather than
// looked up at each run.
struct JisShiftSteps {
  unsigned start;  // the shift's automaton at its cell boundary
  PairRuns::Range pairs;
  bool pair_shift;  // counted from bit masks
  OneStateRanges::Ranges one_state_ranges;  // counted from ranges of bytes where they fit
  bool one_state;
  const bool* resync;
};
constexpr JisShiftSteps jis_shift_steps(JisShift shift) {
  const unsigned start = kCellAutomata.start(CharMode::jis, shift);
  return JisShiftSteps{start, kPairRuns.of(start), kPairShift.fits(start), kOneStateRanges.of(start),
                       kResync.has_one_state(start), kResync.of(start)};
}
constexpr JisShift kJisShifts[] = {JisShift::ascii, JisShift::kana, JisShift::jisx0208, JisShift::jisx0212};
constexpr JisShiftSteps kJisShiftSteps[] = {jis_shift_steps(kJisShifts[0]), jis_shift_steps(kJisShifts[1]),
                                            jis_shift_steps(kJisShifts[2]), jis_shift_steps(kJisShifts[3])};
constexpr const JisShiftSteps& steps_of(JisShift shift) { return kJisShiftSteps[static_cast<int>(shift)]; }
static_assert(
    [] {
      for (int k = 0; k < 4; ++k)
        if (static_cast<int>(kJisShifts[k]) != k) return false;
      return true;
    }(),
    "kJisShiftSteps is indexed by the shift");
// A run of pair bytes alone holds no byte above 0x7F.
static_assert(steps_of(JisShift::jisx0208).pairs.hi < 0x80 && steps_of(JisShift::jisx0212).pairs.hi < 0x80);
static_assert(steps_of(JisShift::jisx0208).pair_shift, "JIS X 0208 is counted from bit masks");
static_assert(steps_of(JisShift::kana).one_state_ranges.fits, "kana are counted from ranges of bytes");

}  // namespace

const GuessRowName& guess_row_name(GuessRow row) { return kRowNames[static_cast<int>(row)]; }

CodeGuess::CodeGuess()
    : pair_(kEightBitAutomata.pair_start()),
      utf8_(EightBitAutomata::utf8_start()),
      jis_(kCellAutomata.start(CharMode::jis)) {}

void CodeGuess::feed(const unsigned char* data, int n, int avail) {
  for (int start = 0; start < n; start += lanes::kLaneBytes)
    scan_block(data, start, n - start < lanes::kLaneBytes ? n : start + lanes::kLaneBytes, avail);
  for (int i = 0; i < n && bom_ >= 0 && bom_ < 3; ++i) bom_ = data[i] == kUtf8Bom[bom_] ? bom_ + 1 : -1;
  for (int i = n >= 3 ? n - 3 : 0; i < n; ++i) {
    if (tail_len_ == 3) {
      tail_[0] = tail_[1];
      tail_[1] = tail_[2];
      tail_len_ = 2;
    }
    tail_[tail_len_++] = data[i];
  }
  offset_ += n;
}

// A block is counted in three passes over its bytes: the bytes' own counts
// (which are ASCII's), the eight-bit codes, and JIS. The passes that a
// block's bytes leave nothing to count in are left out: the eight-bit codes
// at a cell boundary read seven-bit bytes as ASCII does, and so does JIS in
// its ASCII shift up to the next ESC.
void CodeGuess::scan_block(const unsigned char* data, int start, int end, int avail) {
  const ByteCounts counts = count_bytes(data + start, end - start, after_cr_);
  nul_ += counts.nul;
  lf_ += counts.lf;
  cr_ += counts.cr;
  crlf_ += counts.crlf;
  after_cr_ = data[end - 1] == '\r';
  add_high(GuessRow::ascii, data, start, end, counts.high);
  const bool eight_bit_at_start = pair_ == kEightBitAutomata.pair_start() && utf8_ == EightBitAutomata::utf8_start();
  if (counts.high > 0 || !eight_bit_at_start) scan_eight_bit(data, start, end);
  scan_jis(data, start, end, avail, counts.high);
}

// The bytes from start to end, high of them above 0x7F, in a code that reads
// those as no character and every other byte as one.
void CodeGuess::add_high(GuessRow row, const unsigned char* data, int start, int end, int high) {
  if (high == 0) return;
  CodeTally& t = tallies_[static_cast<int>(row)];
  if (t.first_invalid < 0) t.first_invalid = offset_ + start + first_high(data + start, end - start);
  t.invalid += high;
}

// Shift_JIS, EUC-JP and UTF-8 take each byte of a block in turn, Shift_JIS
// and EUC-JP as one automaton (eight_bit_automaton.h). A step waits for the
// one before of its code; to keep more of them under way, the block is cut
// where every code is at a cell boundary, and the pieces are stepped side by
// side (automaton_runs.h). The first cell that is no character is looked
// for afterwards, in the one block where a code's count of them leaves 0.
void CodeGuess::scan_eight_bit(const unsigned char* data, int start, int end) {
  const unsigned char* table = reinterpret_cast<const unsigned char*>(kEightBitAutomata.steps);
  const unsigned pair_at_start = pair_, utf8_at_start = utf8_;
  // Up to three pieces; the first from the states the block begins in,
  // the others from a cell boundary.
  constexpr int kPieces = 3;
  int bounds[kPieces + 1] = {start};
  int pieces = 1;
  if (end - start >= kPieces * kFewestToCut) {
    for (int k = 1; k < kPieces; ++k) {
      const int cut = cut_near(data, start + (end - start) * k / kPieces, end, kResync.eight_bit);
      if (cut < end) bounds[pieces++] = cut;
    }
  }
  bounds[pieces] = end;
  EightBitStates states[kPieces];
  states[0] = EightBitStates{pair_, utf8_};
  for (int k = 1; k < pieces; ++k)
    states[k] = EightBitStates{kEightBitAutomata.pair_start(), EightBitAutomata::utf8_start()};
  EightBitSums sums;
  int all = bounds[1] - bounds[0];
  for (int k = 1; k < pieces; ++k) all = std::min(all, bounds[k + 1] - bounds[k]);
  std::ptrdiff_t apart[kPieces];
  for (int k = 0; k < pieces; ++k) apart[k] = bounds[k] - start;
  switch (pieces) {
    case 1: break;
    case 2: run_side_by_side<2>(table, data + start, apart, all, states, sums); break;
    default: run_side_by_side<3>(table, data + start, apart, all, states, sums);
  }
  if (pieces == 1) all = 0;
  for (int k = 0; k < pieces; ++k) states[k].run(table, data + bounds[k] + all, bounds[k + 1] - bounds[k] - all, sums);
  const EightBitStates& last = states[pieces - 1];
  pair_ = static_cast<unsigned>(last.pair);
  utf8_ = static_cast<unsigned>(last.utf8);

  // The sums in the lanes of cell_lanes.h.
  auto lane16 = [](std::uint64_t sum, int at) { return sum >> at & 0xFFFF; };
  const std::uint64_t sjis_sum = lane16(sums.pair_even, 0) << lanes::kInvalid |
                                 lane16(sums.pair_odd, 0) << lanes::kMultibyte |
                                 lane16(sums.pair_even, 16) << lanes::kBeyondAscii;
  const std::uint64_t euc_sum = lane16(sums.pair_odd, 16) << lanes::kInvalid |
                                lane16(sums.pair_even, 32) << lanes::kMultibyte |
                                lane16(sums.pair_odd, 32) << lanes::kBeyondAscii;

  struct Done {
    GuessRow row;
    std::uint64_t sum;
    unsigned state_at_start;  // as kCellAutomata numbers them
  };
  const Done done[] = {{GuessRow::sjis, sjis_sum, kEightBitAutomata.sjis_there(pair_at_start)},
                       {GuessRow::euc, euc_sum, kEightBitAutomata.euc_there(pair_at_start)},
                       {GuessRow::utf8, sums.utf8, EightBitAutomata::utf8_there(utf8_at_start)}};
  for (const Done& d : done) {
    CodeTally& t = tallies_[static_cast<int>(d.row)];
    if (t.first_invalid < 0 && lanes::count(d.sum, lanes::kInvalid) > 0)
      find_first_invalid(d.row, d.state_at_start, data, start, end);
    add_lanes(t, d.sum);
  }
}

// JIS, from one ESC to the next: the decoder reads the ESC (jis_escape),
// and the bytes up to the next are counted in the shift it leaves; the
// automaton steps over them only in a shift beyond ASCII. high: the bytes
// above 0x7F in the whole block.
void CodeGuess::scan_jis(const unsigned char* data, int start, int end, int avail, int high) {
  CodeTally& t = tallies_[static_cast<int>(GuessRow::jis)];
  const unsigned ascii_shift = steps_of(JisShift::ascii).start;
  // In its ASCII shift JIS reads the bytes above 0x7F as no character, and
  // escape sequences hold none: those of the block, but for the ones read in
  // another shift.
  int high_in_other_shifts = 0;
  int i = start + std::min(jis_hold_, end - start);  // the rest of an escape sequence the last block cut
  jis_hold_ -= i - start;
  while (i < end) {
    const void* esc = std::memchr(data + i, kEsc, static_cast<std::size_t>(end - i));
    const int stop = esc != nullptr ? static_cast<int>(static_cast<const unsigned char*>(esc) - data) : end;
    if (jis_ != ascii_shift) {
      int high_here = 0;
      jis_ = step_jis(data, i, stop, avail, jis_, high > 0, &high_here);
      high_in_other_shifts += high_here;
    } else if (high > 0 && t.first_invalid < 0) {
      const int first = first_high(data + i, stop - i);
      if (first >= 0) t.first_invalid = offset_ + i + first;
    }
    if (stop == end) break;
    int hold = 0;
    jis_ = jis_escape(data, stop, avail, jis_, &hold);
    i = stop + 1 + std::min(hold, end - stop - 1);
    jis_hold_ = hold - (i - stop - 1);
  }
  t.invalid += high - high_in_other_shifts;
}

// JIS's automaton in a shift beyond ASCII over bytes with no ESC (avail
// bytes may be read at data); returns its state after them, and *high the
// bytes above 0x7F among them when count_high. As in scan_eight_bit, the
// run is cut where the shift's automaton is at its cell boundary, here in
// up to four pieces, stepped side by side. A shift of two-byte characters is counted without steps:
// a run of pair bytes alone by its length, others from bit masks
// (pair_shift_counts.h); so is a shift of one state, from ranges of bytes
// (one_state_counts.h).
unsigned CodeGuess::step_jis(const unsigned char* data, int start, int end, int avail, unsigned state,
                             bool count_high, int* high) {
  const JisShiftSteps& shift = steps_of(jis_state_.shift);
  const unsigned shift_start = shift.start;
  const PairRuns::Range pairs = shift.pairs;
  CodeTally& t = tallies_[static_cast<int>(GuessRow::jis)];
  if (state == shift_start && pairs.lo <= pairs.hi &&
      all_in_range(data + start, end - start, static_cast<unsigned char>(pairs.lo),
                   static_cast<unsigned char>(pairs.hi))) {
    // Two-byte characters alone, but for a lead the end leaves open.
    *high = 0;
    t.multibyte += (end - start) / 2;
    t.beyond_ascii += (end - start) / 2;
    return (end - start) % 2 == 0 ? shift_start : shift_start + lanes::kStateBytes;
  }
  if (shift.pair_shift) {
    PairShiftCounts counts;
    const bool open = count_pair_shift(data + start, end - start, avail - start, static_cast<unsigned char>(pairs.lo),
                                       static_cast<unsigned char>(pairs.hi), state != shift_start, &counts);
    if (t.first_invalid < 0 && counts.invalid > 0) find_first_invalid(GuessRow::jis, state, data, start, end);
    t.invalid += counts.invalid;
    t.multibyte += counts.pairs;
    t.beyond_ascii += counts.pairs;
    *high = static_cast<int>(counts.high);
    return open ? shift_start + lanes::kStateBytes : shift_start;
  }
  if (shift.one_state_ranges.fits) {
    const OneStateCounts counts = count_one_state(data + start, end - start, shift.one_state_ranges);
    if (t.first_invalid < 0 && counts.invalid > 0) find_first_invalid(GuessRow::jis, state, data, start, end);
    t.invalid += counts.invalid;
    t.beyond_ascii += counts.beyond_ascii;
    *high = static_cast<int>(counts.high);
    return state;
  }
  if (count_high) *high = vesk::count_high(data + start, end - start);
  if (shift.one_state) {
    // No step waits for another.
    std::uint64_t sum = 0;
    for (int i = start; i < end; ++i) sum += step_at(kCellAutomata.steps, shift_start, data[i]);
    if (t.first_invalid < 0 && lanes::count(sum, lanes::kInvalid) > 0)
      find_first_invalid(GuessRow::jis, state, data, start, end);
    add_lanes(t, sum);
    return state;
  }
  constexpr int kPieces = 4;
  int bounds[kPieces + 1] = {start};
  int pieces = 1;
  if (end - start >= kFewestToCut) {
    const bool* resync = shift.resync;
    // Four pieces where the run is long enough for the cuts' searches not to
    // meet, else two.
    const int parts = end - start >= kPieces * kFewestToCut ? kPieces : 2;
    for (int k = 1; k < parts; ++k) {
      const int cut = cut_near(data, start + (end - start) * k / parts, end, resync);
      if (cut < end) bounds[pieces++] = cut;
    }
  }
  bounds[pieces] = end;
  std::uint64_t at[kPieces];  // in full words, as the steps hold them
  at[0] = state;
  for (int k = 1; k < pieces; ++k) at[k] = shift_start;
  std::uint64_t sum = 0;
  switch (pieces) {
    case 1: step_pieces<1>(data, bounds, at, &sum); break;
    case 2: step_pieces<2>(data, bounds, at, &sum); break;
    case 3: step_pieces<3>(data, bounds, at, &sum); break;
    default: step_pieces<4>(data, bounds, at, &sum);
  }
  if (t.first_invalid < 0 && lanes::count(sum, lanes::kInvalid) > 0)
    find_first_invalid(GuessRow::jis, state, data, start, end);
  add_lanes(t, sum);
  return static_cast<unsigned>(at[pieces - 1]);
}

void CodeGuess::find_first_invalid(GuessRow row, unsigned state, const unsigned char* data, int start, int end) {
  for (int i = start; i < end; ++i) {
    const std::uint64_t e = step_at(kCellAutomata.steps, state, data[i]);
    if ((e & kInvalidLane) != 0) {
      tallies_[static_cast<int>(row)].first_invalid = offset_ + i - lanes::back(e);
      return;
    }
    state = lanes::next(e);
  }
}

// JIS at an ESC: the decoder reads it, as it may begin an escape sequence
// that changes the shift; a pair that the ESC cuts is no character. The
// other bytes of a sequence it knows for one are escape cells, which count
// nothing: *hold gets their number, for the scan to pass over. Returns the
// automaton's state after them.
unsigned CodeGuess::jis_escape(const unsigned char* data, int at, int avail, unsigned open, int* hold) {
  CodeTally& t = tallies_[static_cast<int>(GuessRow::jis)];
  if (kCellAutomata.open_at(open) > 0) {
    const std::uint64_t e = step_at(kCellAutomata.steps, open, kEsc);
    if (t.first_invalid < 0 && (e & kInvalidLane) != 0) t.first_invalid = offset_ + at - lanes::back(e);
    add_lanes(t, e);
  }
  // The decoder itself, not through the codec table: an ESC comes every
  // 256 bytes in random bytes.
  const Cell c = JisDecoder::decode(jis_state_, data + at, avail - at);
  count_cell(t, c, offset_ + at);
  *hold = jis_state_.escape_left;
  jis_state_.escape_left = 0;
  return steps_of(jis_state_.shift).start;
}

// The open bytes are the last ones of the input: they decode with nothing
// after them, as the dump decodes the end of a file.
void CodeGuess::close_open(GuessRow row, DecoderState state, int open) {
  CodeTally& t = tallies_[static_cast<int>(row)];
  const Codec& codec = codec_of(guess_row_name(row).mode);
  const unsigned char* p = tail_ + tail_len_ - open;
  for (int at = 0; at < open;) {
    const Cell c = codec.decode(state, p + at, open - at);
    count_cell(t, c, offset_ - open + at);
    at += c.len;
  }
}

void CodeGuess::finish() {
  close_open(GuessRow::sjis, DecoderState{}, kCellAutomata.open_at(kEightBitAutomata.sjis_there(pair_)));
  close_open(GuessRow::euc, DecoderState{}, kCellAutomata.open_at(kEightBitAutomata.euc_there(pair_)));
  close_open(GuessRow::utf8, DecoderState{}, kCellAutomata.open_at(EightBitAutomata::utf8_there(utf8_)));
  close_open(GuessRow::jis, jis_state_, kCellAutomata.open_at(jis_));
}

Guess CodeGuess::guess() const {
  if (nul_ > 0) return Guess{Guess::Kind::binary_nul, GuessRow::ascii};
  // Seven-bit bytes: ASCII, unless JIS escape sequences shift to characters
  // beyond it.
  if (tally(GuessRow::ascii).decodes()) {
    const CodeTally& jis = tally(GuessRow::jis);
    return Guess{Guess::Kind::code, jis.decodes() && jis.beyond_ascii > 0 ? GuessRow::jis : GuessRow::ascii};
  }
  // Eight-bit bytes. Text in another code is seldom valid UTF-8; EUC-JP text
  // nearly always reads as Shift_JIS (as kana and pairs), while Shift_JIS
  // text, whose common lead bytes 0x81-0x9F EUC-JP lacks, seldom reads as
  // EUC-JP.
  for (GuessRow row : {GuessRow::utf8, GuessRow::euc, GuessRow::sjis})
    if (tally(row).decodes()) return Guess{Guess::Kind::code, row};
  return Guess{Guess::Kind::binary_no_code, GuessRow::ascii};
}

}  // namespace vesk
