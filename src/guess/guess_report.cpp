#include "guess/guess_report.h"

#include <cstring>
#include <memory>
#include <string>

#include "common/digits.h"
#include "text/codec.h"

namespace vesk {

namespace {

// Bytes read at a time, and the look-ahead after those handed to the
// decoders for a character that their end cuts (the longest is four bytes).
// A read as large as the byte source's own buffer goes straight to ours.
constexpr int kChunk = 1 << 18;
constexpr int kLookAhead = 3;

std::string decimal(long long v) {
  char text[kDecimalTextSize];
  return std::string(text, static_cast<std::size_t>(decimal_text(v, text)));
}

// An offset as --skip-bytes takes it.
std::string offset_text(long long v, bool in_decimal) {
  if (in_decimal) return decimal(v);
  char text[kDecimalTextSize];
  return "0x" + std::string(text, static_cast<std::size_t>(put_digits(text, static_cast<std::uint64_t>(v), 16, 1)));
}

std::string row_name(const CodeGuess& guess, GuessRow row) {
  std::string name = guess_row_name(row).name;
  if (row == GuessRow::utf8 && guess.utf8_bom()) name += " with BOM";
  return name;
}

// The last line: the code and the option letter that reads it.
std::string guess_line(const CodeGuess& guess) {
  const Guess g = guess.guess();
  switch (g.kind) {
    case Guess::Kind::binary_nul:
      return "guess: binary (NUL bytes)";
    case Guess::Kind::binary_no_code:
      return "guess: binary (no code reads the whole file)";
    case Guess::Kind::code:
      break;
  }
  std::string line = "guess: " + row_name(guess, g.row) + ", ";
  if (g.row == GuessRow::ascii) return line + "no letter needed";
  const char letter = codec_of(guess_row_name(g.row).mode).letter;
  if (letter == 0) return line + "no letter (the default)";
  return line + "letter -" + letter;
}

constexpr int kColumns = 5;
constexpr int kTableLines = 1 + kGuessRows;

// The text columns are aligned left, the numbers right.
constexpr bool kLeftAligned[kColumns] = {true, true, false, false, false};

}  // namespace

std::string guess_table(const CodeGuess& guess, bool decimal_offsets) {
  std::string cells[kTableLines][kColumns] = {{"code", "decodes", "invalid", "first invalid", "multibyte"}};
  for (int r = 0; r < kGuessRows; ++r) {
    const GuessRow row = static_cast<GuessRow>(r);
    const CodeTally& t = guess.tally(row);
    std::string* line = cells[1 + r];
    line[0] = row_name(guess, row);
    line[1] = t.decodes() ? "yes" : "no";
    line[2] = decimal(t.invalid);
    line[3] = t.decodes() ? "-" : offset_text(t.first_invalid, decimal_offsets);
    line[4] = decimal(t.multibyte);
  }
  std::size_t width[kColumns] = {};
  for (const auto& line : cells)
    for (int c = 0; c < kColumns; ++c) width[c] = line[c].size() > width[c] ? line[c].size() : width[c];

  std::string out;
  for (const auto& line : cells) {
    for (int c = 0; c < kColumns; ++c) {
      const std::string pad(width[c] - line[c].size(), ' ');
      if (c > 0) out += "  ";
      out += kLeftAligned[c] ? line[c] + pad : pad + line[c];
    }
    out += '\n';
  }
  const ByteTally b = guess.bytes();
  out += "NUL bytes: " + decimal(b.nul) + "\n";
  out += "line ends: LF " + decimal(b.lf) + ", CRLF " + decimal(b.crlf) + ", CR " + decimal(b.cr) + "\n";
  out += guess_line(guess) + "\n";
  return out;
}

int guess_report(const Settings& s, ByteSource& in, Report& report) {
  CodeGuess guess;
  // The last bytes of a full read are the look-ahead of the others; they
  // are fed with the next read, which lands after them. Not cleared: the
  // reads fill what is fed.
  const std::unique_ptr<unsigned char[]> buffer(new unsigned char[kLookAhead + kChunk]);
  unsigned char* bytes = buffer.get();
  int kept = 0;
  while (true) {
    const int got = static_cast<int>(in.read(bytes + kept, kChunk));
    if (in.failed()) return 1;
    const int have = kept + got;
    if (got < kChunk) {
      guess.feed(bytes, have, have);
      break;
    }
    const int fed = have - kLookAhead;
    guess.feed(bytes, fed, have);
    std::memmove(bytes, bytes + fed, kLookAhead);
    kept = kLookAhead;
  }
  guess.finish();
  const std::string table = guess_table(guess, s.dec_mode);
  // One report line each.
  for (std::size_t at = 0; at < table.size();) {
    const std::size_t end = table.find('\n', at);
    report.put_line(table.data() + at, end - at);
    at = end + 1;
  }
  return report.failed() ? 1 : 0;
}

}  // namespace vesk
