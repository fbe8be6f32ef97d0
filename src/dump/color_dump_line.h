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

  // The marker of repeated lines, dim; in the report's encoding.
  static const char* marker();

 private:
  // The dim prefix and the blanks before the hex part; returns where the
  // hex pairs go.
  char* put_start(char* out, const unsigned char* data, int n, long long block, int offset);
  // After the hex pairs (hex_len bytes at o): the blanks and bar before the
  // characters, the characters (chars_len bytes in chars_, taking cols
  // columns), their blanks and bar. Returns the line's length.
  int put_end(char* line, char* o, int n, int chars_len, int cols);

  DumpLineBuilder& plain_;
  int size_;
  std::unique_ptr<char[]> line_;
  std::unique_ptr<char[]> start_;  // the plain line's start: template and prefix
  std::unique_ptr<char[]> chars_;  // the colored character column
  std::unique_ptr<char[]> hex_;    // the colored hex pairs of -C, not shown
  int prefix_end_ = 0;             // -C: the column after the dim prefix
};

}  // namespace vesk
