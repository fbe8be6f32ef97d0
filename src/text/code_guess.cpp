#include "text/code_guess.h"

#include <initializer_list>

#include "text/cell_automaton.h"
#include "text/codec.h"

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

// ASCII, whose every byte is a cell, and the bytes' own counts, in one
// table: the ASCII automaton's step, and the NUL, LF, CR and CR LF (an LF
// after a CR) of each byte in lanes of 12 bits above its invalid lane,
// indexed by whether the byte before was a CR.
constexpr int kNulLane = 16, kLfLane = 28, kCrLane = 40, kCrLfLane = 52;
constexpr std::uint64_t kLane12 = 0xFFF;
struct AsciiAndBytes {
  std::uint64_t of[2 * 256];
  constexpr AsciiAndBytes() : of() {
    const unsigned ascii = kCellAutomata.start(CharMode::ascii);
    for (int after_cr = 0; after_cr < 2; ++after_cr) {
      for (int b = 0; b < 256; ++b) {
        std::uint64_t sum = kCellAutomata.steps[ascii / lanes::kStateBytes * 256 + b] & kInvalidLane;
        if (b == 0) sum += std::uint64_t{1} << kNulLane;
        if (b == '\n') sum += std::uint64_t{1} << kLfLane;
        if (b == '\n' && after_cr) sum += std::uint64_t{1} << kCrLfLane;
        if (b == '\r') sum += std::uint64_t{1} << kCrLane;
        of[after_cr << 8 | b] = sum;
      }
    }
  }
};
constexpr AsciiAndBytes kAsciiAndBytes;
// The 12-bit lanes hold the counts of a block.
static_assert(lanes::kLaneBytes < 1 << 12);

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

}  // namespace

const GuessRowName& guess_row_name(GuessRow row) { return kRowNames[static_cast<int>(row)]; }

CodeGuess::CodeGuess()
    : sjis_(kCellAutomata.start(CharMode::sjis)),
      euc_(kCellAutomata.start(CharMode::euc)),
      utf8_(kCellAutomata.start(CharMode::utf8)),
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

// Every code takes each byte of a block in turn: their states hang on the
// bytes before, and side by side the steps of one do not wait for
// another's. The first cell that is no character is looked for afterwards,
// in the one block where a code's count of them leaves 0 (but for JIS, whose
// escape sequences the decoder reads).
void CodeGuess::scan_block(const unsigned char* data, int start, int end, int avail) {
  const std::uint64_t* steps = kCellAutomata.steps;
  const unsigned sjis_at_start = sjis_, euc_at_start = euc_, utf8_at_start = utf8_;
  unsigned sjis = sjis_, euc = euc_, utf8 = utf8_, jis = jis_;
  std::uint64_t sjis_sum = 0, euc_sum = 0, utf8_sum = 0, jis_sum = 0, bytes_sum = 0;
  unsigned after_cr = after_cr_ ? 1 : 0;
  CodeTally& jis_tally = tallies_[static_cast<int>(GuessRow::jis)];
  bool jis_unmet = jis_tally.first_invalid < 0;
  int hold = jis_hold_;
  for (int i = start; i < end; ++i) {
    const unsigned b = data[i];
    const std::uint64_t s1 = step_at(steps, sjis, b);
    const std::uint64_t s2 = step_at(steps, euc, b);
    const std::uint64_t s3 = step_at(steps, utf8, b);
    sjis_sum += s1;
    euc_sum += s2;
    utf8_sum += s3;
    sjis = lanes::next(s1);
    euc = lanes::next(s2);
    utf8 = lanes::next(s3);
    bytes_sum += kAsciiAndBytes.of[after_cr << 8 | b];
    after_cr = b == '\r' ? 1 : 0;
    if (b == kEsc || hold != 0) [[unlikely]] {
      if (hold != 0) {
        --hold;  // read with its ESC
        continue;
      }
      jis = jis_escape(data, i, avail, jis, &hold);
      jis_unmet = jis_tally.first_invalid < 0;
      continue;
    }
    const std::uint64_t s4 = step_at(steps, jis, b);
    jis_sum += s4;
    jis = lanes::next(s4);
    if (jis_unmet && (s4 & kInvalidLane) != 0) {
      jis_tally.first_invalid = offset_ + i - lanes::back(s4);
      jis_unmet = false;
    }
  }
  sjis_ = sjis;
  euc_ = euc;
  utf8_ = utf8;
  jis_ = jis;
  jis_hold_ = hold;
  after_cr_ = after_cr != 0;
  add_lanes(jis_tally, jis_sum);

  struct Done {
    GuessRow row;
    std::uint64_t sum;
    unsigned state_at_start;
  };
  const Done done[] = {{GuessRow::ascii, bytes_sum & kInvalidLane, kCellAutomata.start(CharMode::ascii)},
                       {GuessRow::sjis, sjis_sum, sjis_at_start},
                       {GuessRow::euc, euc_sum, euc_at_start},
                       {GuessRow::utf8, utf8_sum, utf8_at_start}};
  for (const Done& d : done) {
    CodeTally& t = tallies_[static_cast<int>(d.row)];
    if (t.first_invalid < 0 && lanes::count(d.sum, lanes::kInvalid) > 0)
      find_first_invalid(d.row, d.state_at_start, data, start, end);
    add_lanes(t, d.sum);
  }
  nul_ += static_cast<long long>(bytes_sum >> kNulLane & kLane12);
  lf_ += static_cast<long long>(bytes_sum >> kLfLane & kLane12);
  cr_ += static_cast<long long>(bytes_sum >> kCrLane & kLane12);
  crlf_ += static_cast<long long>(bytes_sum >> kCrLfLane & kLane12);
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
  const Cell c = codec_of(CharMode::jis).decode(jis_state_, data + at, avail - at);
  count_cell(t, c, offset_ + at);
  *hold = jis_state_.escape_left;
  jis_state_.escape_left = 0;
  return kCellAutomata.start(CharMode::jis, jis_state_.shift);
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
  close_open(GuessRow::sjis, DecoderState{}, kCellAutomata.open_at(sjis_));
  close_open(GuessRow::euc, DecoderState{}, kCellAutomata.open_at(euc_));
  close_open(GuessRow::utf8, DecoderState{}, kCellAutomata.open_at(utf8_));
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
