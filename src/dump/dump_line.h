// Plain dump lines: the bytes of one line shown as a position prefix,
// hexadecimal pairs and the character column between bars. The builder
// writes the bars; the character column comes from the cells of the run's
// input code, in the report's encoding.
#pragma once

#include <memory>

#include "common/settings.h"
#include "text/codec.h"

namespace vesk {

// Where the parts of a plain dump line stand, from -b, -C and -D.
struct DumpLayout {
  int line_bytes = 16;
  bool chars_only = false;  // -C: no hex part
  bool dec = false;         // -D: decimal block numbers and offsets
  int hex_col = 13;         // first column of the hex part
  int char_col = 0;         // first column of the character part
  int same_w = 0;           // hex columns that decide whether two lines are the same
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
  DumpLineBuilder(const DumpLayout& layout, const Codec& codec, ReportEncoding encoding);

  // Builds the line of the n bytes (1..line_bytes) at offset in block (block
  // -1 is the header block); avail >= n bytes may be read at data (the rest of
  // the block and the look-ahead), to show a character the line's end cuts.
  // The column state carries such a character over to the next line. Returns
  // the line's length in bytes; text() holds it.
  int build(const unsigned char* data, int n, int avail, long long block, int offset, ColumnState& columns);
  const char* text() const { return line_.get(); }
  // The same without the character column: text() holds the prefix, the hex
  // part (unless hex is false) and the first bar, up to layout().char_start().
  void build_before_characters(const unsigned char* data, int n, long long block, int offset, bool hex = true);
  // Where the parts stand now (they move right once a block number needs it).
  const DumpLayout& layout() const { return layout_; }
  // Where the character column's bytes begin and end in the last line built
  // (after the opening bar and its blank, before the blanks and the closing bar).
  int chars_begin() const { return layout_.char_start(); }
  int chars_end() const { return chars_end_; }

  // The most the line moves right: a 64-bit block number of 20 digits.
  static constexpr int kMaxShift = 16;

 private:
  void put_first_prefix(long long block);
  void put_offset(int offset);
  void make_template();
  // The columns a block number's prefix needs beyond the usual ones.
  int shift_for(long long block) const;

  DumpLayout layout_;
  WriteColumnsFn write_columns_;
  int buf_size_;
  std::unique_ptr<char[]> line_;
  std::unique_ptr<char[]> template_;  // blanks, bars and offset digits: the start of every line
  int chars_end_ = 0;
};

// Writes b1 and b2 as four lower-case hex digits and a blank; with b2 < 0, b1's
// two digits and three blanks.
void put_hex_pair(char* dest, int b1, int b2);

}  // namespace vesk
