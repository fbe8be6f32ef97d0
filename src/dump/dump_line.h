// Plain dump lines: the bytes of one line shown as a position prefix,
// hexadecimal pairs and the character column between bars. The builder
// writes the bars; the character column comes from the cells of the run's
// input code, in the report's encoding.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "common/digits.h"
#include "common/settings.h"
#include "dump/hex_groups.h"
#include "text/codec.h"
#include "text/column_writer.h"

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

// What every line of sixteen bytes that build16 builds takes from the
// builder, copied once for a run of them: the compiler keeps it in
// registers, where the builder's members would be read again for each line
// (the line's stores might change them, as far as it can tell).
struct Line16Frame {
  char start[80];                  // the template's first bytes
  const std::uint32_t* offsets;    // the offsets' digits, by offset / 16
  int hex_at;                      // the hex part's first column
  int char_at;                     // the character column's first column

  template <class Decoder, class Encoder>
  [[gnu::always_inline]] int build(char* line, const unsigned char* data, int avail, int offset,
                                   ColumnState& columns) const;
};

class DumpLineBuilder {
 public:
  explicit DumpLineBuilder(const DumpLayout& layout);

  // Builds the line of the n bytes (1..line_bytes) at offset in block (block
  // -1 is the header block) into out, which has room for max_line() bytes;
  // its characters are the cells of Decoder written by Encoder. avail >= n
  // bytes may be read at data (the rest of the block and the look-ahead), to
  // show a character the line's end cuts. The column state carries such a
  // character over to the next line. Returns the line's length in bytes.
  template <class Decoder, class Encoder>
  int build(char* out, const unsigned char* data, int n, int avail, long long block, int offset,
            ColumnState& columns);
  // The same into the builder's own buffer, which text() then holds.
  template <class Decoder, class Encoder>
  int build(const unsigned char* data, int n, int avail, long long block, int offset, ColumnState& columns) {
    return build<Decoder, Encoder>(line_.get(), data, n, avail, block, offset, columns);
  }
  const char* text() const { return line_.get(); }
  // Everything up to the character column: the template, the prefix and,
  // unless hex is false (the colored line writes its own), the hex groups.
  // Returns the character column's first column.
  int put_start(char* line, const unsigned char* data, int n, long long block, int offset, bool hex = true);
  // The commonest line, built with every step in line: sixteen bytes, not
  // the first of their block, with the hex part, when builds16().
  template <class Decoder, class Encoder>
  [[gnu::always_inline]] int build16(char* out, const unsigned char* data, int avail, int offset,
                                     ColumnState& columns);
  // build16's frame for the lines of a run, while the layout stays.
  Line16Frame frame16() const {
    Line16Frame f;
    std::memcpy(f.start, template_.get(), kTemplateCopy);
    f.offsets = line16_offsets_;
    f.hex_at = layout_.hex_start();
    f.char_at = layout_.char_start();
    return f;
  }
  // Lines of sixteen bytes with the hex part that build16 may build: the
  // template's stores reach their character column.
  bool builds16() const { return layout_.line_bytes == 16 && !layout_.chars_only && layout_.char_start() <= kTemplateCopy; }
  // The first line of the block from here on: moves the parts right when
  // its number needs more columns (--all).
  void start_block(long long block);
  // The prefix of a block's first line over a line built as another one.
  void put_first_prefix(char* line, long long block);
  // The most bytes a line takes, and some room past it for whole stores.
  int max_line() const { return buf_size_; }
  // Where the parts stand now (they move right once a block number needs it).
  const DumpLayout& layout() const { return layout_; }
  // The most the line moves right: a 64-bit block number of 20 digits.
  static constexpr int kMaxShift = 16;
  // The template bytes every line takes, in five stores: a line of sixteen
  // bytes reaches its character column within them, however far it moved.
  static constexpr int kTemplateCopy = 80;

 private:
  // Blanks after the characters up to the closing bar, and the bar.
  int put_end(char* line, char* p, int cols) const;
  void put_offset(char* line, int offset);
  void make_template();
  // The columns a block number's prefix needs beyond the usual ones.
  int shift_for(long long block) const;

  DumpLayout layout_;
  int buf_size_;
  std::unique_ptr<char[]> line_;
  std::unique_ptr<char[]> template_;  // blanks, bars and offset digits: the start of every line
  // The four digits of the offsets of lines of sixteen bytes, by offset / 16
  // (a block holds at most 4096 bytes).
  std::uint32_t line16_offsets_[256];
};

// Writes b1 and b2 as four lower-case hex digits and a blank; with b2 < 0, b1's
// two digits and three blanks.
void put_hex_pair(char* dest, int b1, int b2);

template <class Decoder, class Encoder>
int DumpLineBuilder::build(char* line, const unsigned char* data, int n, int avail, long long block, int offset,
                           ColumnState& columns) {
  const int char_col = put_start(line, data, n, block, offset);
  int cols = 0;
  char* p = line + char_col;
  // A whole line of sixteen bytes (as -C writes them), too, in one step.
  if (n == 16)
    p += write_columns16<Decoder, Encoder>(columns, data, avail, p, &cols);
  else
    p += write_columns<Decoder, Encoder>(columns, data, n, avail, p, &cols);
  return put_end(line, p, cols);
}

template <class Decoder, class Encoder>
[[gnu::always_inline]] inline int DumpLineBuilder::build16(char* line, const unsigned char* data, int avail, int offset,
                                                          ColumnState& columns) {
  return frame16().template build<Decoder, Encoder>(line, data, avail, offset, columns);
}

template <class Decoder, class Encoder>
[[gnu::always_inline]] inline int Line16Frame::build(char* __restrict line, const unsigned char* data, int avail,
                                                     int offset, ColumnState& columns) const {
  static_assert(sizeof start == DumpLineBuilder::kTemplateCopy);
  std::memcpy(line, start, sizeof start);
  std::memcpy(line + 6, &offsets[(offset >> 4) & 0xFF], 4);
#if defined(__SSE2__)
  put_hex16(line + hex_at, data);
#else
  put_hex_groups(line + hex_at, data, 16);
#endif
  int cols = 0;
  char* p = line + char_at;
  p += write_columns16<Decoder, Encoder>(columns, data, avail, p, &cols);
  // One blank before the bar, none when a character took its column.
  std::memcpy(p, "  ", 2);
  p += 17 - cols;
  *p++ = '|';
  return static_cast<int>(p - line);
}

}  // namespace vesk
