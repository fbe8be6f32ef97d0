// Which input code reads a file: the decoders of the codec table run side by
// side over the same bytes, in one pass, each as the automaton worked out
// from it (cell_automaton.h), and each counts the cells it makes. A cell the
// dump shows as no character is counted here as invalid, so the guess and
// the dump agree on every byte.
#pragma once

#include <cstdint>

#include "common/settings.h"
#include "text/decoder_state.h"

namespace vesk {

// The codes the guess reads a file in, in the order of its table.
enum class GuessRow : std::uint8_t { ascii, sjis, euc, jis, utf8 };
constexpr int kGuessRows = 5;

struct GuessRowName {
  GuessRow row;
  CharMode mode;     // the code of the codec table that reads it
  const char* name;  // its name in the table
};
const GuessRowName& guess_row_name(GuessRow row);

// What one code's decoder found in the whole input.
struct CodeTally {
  long long invalid = 0;         // cells that are no character (bytes that begin none, or one cut short)
  long long first_invalid = -1;  // the offset of the first of them; -1 for none
  long long multibyte = 0;       // characters of two or more bytes
  long long beyond_ascii = 0;    // characters that are not ASCII: a kana or one of two or more bytes

  bool decodes() const { return invalid == 0; }
};

// The bytes that tell text from binary, and the line ends.
struct ByteTally {
  long long nul = 0;
  long long lf = 0;    // LF not after a CR
  long long crlf = 0;  // CR LF
  long long cr = 0;    // CR not before an LF
};

// The answer: the code to read the file in, or none.
struct Guess {
  enum class Kind : std::uint8_t {
    code,            // row reads the file
    binary_nul,      // the file holds NUL bytes, which no text holds
    binary_no_code,  // no code reads the whole file
  };
  Kind kind;
  GuessRow row;  // for Kind::code
};

class CodeGuess {
 public:
  CodeGuess();

  // The next n bytes of the input; avail >= n bytes may be read at data: the
  // bytes after them, for a JIS escape sequence that the chunk's end cuts
  // (avail == n at the end of the input).
  void feed(const unsigned char* data, int n, int avail);
  // The end of the input: a character still open is cut short.
  void finish();

  const CodeTally& tally(GuessRow row) const { return tallies_[static_cast<int>(row)]; }
  ByteTally bytes() const { return ByteTally{nul_, lf_ - crlf_, crlf_, cr_ - crlf_}; }
  // The input begins with the UTF-8 form of U+FEFF.
  bool utf8_bom() const { return bom_ == 3; }

  // The first of UTF-8, EUC-JP and Shift_JIS that reads the whole input
  // when it holds bytes above 0x7F; else ISO-2022-JP when it reads the whole
  // input and shifts to characters beyond ASCII, else ASCII. Binary when the
  // input holds a NUL byte, or when no code reads it whole.
  Guess guess() const;

 private:
  void scan_block(const unsigned char* data, int start, int end, int avail);
  void add_high(GuessRow row, const unsigned char* data, int start, int end, int high);
  void scan_eight_bit(const unsigned char* data, int start, int end);
  void scan_jis(const unsigned char* data, int start, int end, int avail, int high);
  unsigned step_jis(const unsigned char* data, int start, int end, int avail, unsigned state, bool count_high,
                    int* high);
  unsigned jis_escape(const unsigned char* data, int at, int avail, unsigned open, int* hold);
  void find_first_invalid(GuessRow row, unsigned state, const unsigned char* data, int start, int end);
  void close_open(GuessRow row, DecoderState state, int open);

  CodeTally tallies_[kGuessRows];
  // The automata's states: Shift_JIS and EUC-JP as a pair, and UTF-8, as
  // kEightBitAutomata numbers them (eight_bit_automaton.h); JIS's in its
  // shift (ASCII has one).
  unsigned pair_, utf8_, jis_;
  DecoderState jis_state_;
  int jis_hold_ = 0;  // bytes of an escape sequence still to pass over
  long long offset_ = 0;  // of the next chunk's first byte
  long long nul_ = 0;
  long long lf_ = 0;  // every LF
  long long cr_ = 0;  // every CR
  long long crlf_ = 0;
  bool after_cr_ = false;  // the last byte fed was a CR
  int bom_ = 0;            // bytes of the UTF-8 BOM matched at the start; -1: none there
  unsigned char tail_[3] = {};  // the last bytes fed, for a character open at the end
  int tail_len_ = 0;
};

}  // namespace vesk
