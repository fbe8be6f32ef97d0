// Plain dump lines in color, for a terminal: the line of DumpLineBuilder
// with SGR sequences added. The prefix is dim; each hex pair takes the style
// of its byte's cell, and so does the character column, cell by cell; the
// bars stay in the terminal's color, and the line ends in it.
#pragma once

#include <memory>

#include "dump/dump_line.h"
#include "text/codec.h"
#include "text/color.h"

namespace vesk {

class ColorDumpLineBuilder {
 public:
  // plain builds the prefix (and keeps the layout, which the page heading
  // follows); it must outlive this builder.
  explicit ColorDumpLineBuilder(DumpLineBuilder& plain);

  // As DumpLineBuilder::build: the line into out, which has room for
  // max_line() bytes. Returns its length. Made in color_dump_line.cpp for
  // every decoder and encoder: the printer of plain lines is compiled
  // without the colored writer, which would change what it inlines.
  template <class Decoder, class Encoder>
  int build(char* out, const unsigned char* data, int n, int avail, long long block, int offset,
            ColumnState& columns);
  // The same into the builder's own buffer, which text() then holds.
  template <class Decoder, class Encoder>
  int build(const unsigned char* data, int n, int avail, long long block, int offset, ColumnState& columns) {
    return build<Decoder, Encoder>(line_.get(), data, n, avail, block, offset, columns);
  }
  const char* text() const { return line_.get(); }
  int max_line() const { return size_; }
  // As DumpLineBuilder::build16: a line of sixteen bytes, not the first of
  // its block, with the hex part, when builds16(); from a template of the
  // dim offset and the blanks after it.
  template <class Decoder, class Encoder>
  int build16(char* out, const unsigned char* data, int avail, int offset, ColumnState& columns);
  bool builds16() const { return plain_.layout().line_bytes == 16 && !plain_.layout().chars_only; }

  // The marker of repeated lines, dim; in the report's encoding.
  static const char* marker();

 private:
  // The template's room: two style changes, the columns before the hex
  // part as far as it moves, in whole stores of sixteen bytes.
  static constexpr int kTemplateRoom = 64;
  // The columns of the offset's line start: six blanks and four digits.
  static constexpr int kOffsetEnd = 10;
  // Bytes copied at a time from the character column.
  static constexpr int kCopyStore = 16;
  // A character column this long or shorter is copied whole in stores of
  // kCopyStore: both buffers have room for them.
  static constexpr int kShortChars = 128;

  // The dim prefix and the blanks before the hex part; returns where the
  // hex pairs go.
  char* put_start(char* out, const unsigned char* data, int n, long long block, int offset);
  // After the hex pairs (hex_len bytes at o): the blanks and bar before the
  // characters, the characters (chars_len bytes in chars_, taking cols
  // columns), their blanks and bar. Returns the line's length.
  int put_end(char* line, char* o, int n, int chars_len, int cols);
  // The colored start of a line after the first of its block, as far as
  // the layout has moved.
  void make_template();
  // The colored character column (chars_len bytes) to o, sixteen bytes at a
  // time: both buffers have room for the last store.
  char* put_chars(char* o, int chars_len) const;

  DumpLineBuilder& plain_;
  int size_;
  std::unique_ptr<char[]> line_;
  std::unique_ptr<char[]> start_;  // the plain line's start: template and prefix
  std::unique_ptr<char[]> chars_;  // the colored character column
  std::unique_ptr<char[]> hex_;    // the colored hex pairs of -C, not shown
  int prefix_end_ = 0;             // -C: the column after the dim prefix
  // The dim offset "      0000" and the blanks up to the hex part, for the
  // layout moved right by template_shift_ columns; template_len_ bytes.
  char template_[kTemplateRoom] = {};
  int template_len_ = 0;
  int template_digits_ = 0;  // where the offset's digits stand in it
  int template_shift_ = -1;
};

}  // namespace vesk
