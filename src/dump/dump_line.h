// Plain dump lines: the bytes of one line shown as a position prefix,
// hexadecimal pairs and the character column between bars.
#pragma once

#include <memory>

#include "common/settings.h"
#include "dump/char_decode.h"

namespace vesk {

// Where the parts of a plain dump line stand, from -b, -C and -D.
struct DumpLayout {
  int line_bytes = 16;
  bool chars_only = false;  // -C: no hex part
  bool dec = false;         // -D: decimal block numbers and offsets
  int hex_col = 13;         // first column of the hex part
  int char_col = 0;         // first column of the character part
  int same_w = 0;           // columns from hex_col that decide whether two lines are the same
  int buf_size = 0;         // room for the longest line and its end
  // --all: a block number too long for the prefix moves the rest of the line
  // right (for the rest of the run) instead of running into the hex part.
  bool widen = false;
  int shift = 0;            // columns the parts after the prefix have moved right

  int hex_start() const { return hex_col + shift; }
  int char_start() const { return char_col + shift; }

  static DumpLayout of(const Settings& s);
};

class DumpLineBuilder {
 public:
  explicit DumpLineBuilder(const DumpLayout& layout);

  // Builds the line of the n bytes (1..line_bytes) at offset in block (block
  // -1 is the header block); the decoder carries characters over line ends.
  // Reads up to 3 bytes past data[n - 1]. Returns the line's length; text()
  // holds it, ended by a zero byte.
  int build(const unsigned char* data, int n, long long block, int offset, CharDecoder& decoder);
  const char* text() const { return line_.get(); }
  // Where the parts stand now (they move right once a block number needs it).
  const DumpLayout& layout() const { return layout_; }

  // The most the line moves right: a 64-bit block number of 20 digits.
  static constexpr int kMaxShift = 16;

 private:
  void put_first_prefix(long long block);
  void put_offset(int offset);
  void make_blank_line();
  // The columns a block number's prefix needs beyond the usual ones.
  int shift_for(long long block) const;

  DumpLayout layout_;
  std::unique_ptr<char[]> line_;
  std::unique_ptr<char[]> blank_;  // blanks and bars: the start of every line
};

// Writes b1 and b2 as four lower-case hex digits and a blank; with b2 < 0, b1's
// two digits and three blanks.
void put_hex_pair(char* dest, int b1, int b2);

}  // namespace vesk
