// Plain dump lines in color, for a terminal: the line of DumpLineBuilder
// with SGR sequences added. The prefix is dim; each hex pair takes the style
// of its byte's cell, and so does the character column, cell by cell; the
// bars stay in the terminal's color, and the line ends in it.
#pragma once

#include <memory>

#include "dump/dump_line.h"
#include "output/report.h"
#include "text/color_column_writer.h"

namespace vesk {

class ColorDumpLineBuilder {
 public:
  // plain builds the prefix and the hex part (and keeps the layout, which
  // the page heading follows); it must outlive this builder.
  ColorDumpLineBuilder(DumpLineBuilder& plain, const Codec& codec, ReportEncoding encoding);

  // As DumpLineBuilder::build: returns the line's length. plain's text()
  // then holds the uncolored line's prefix, blanks and first bar (not its
  // hex part).
  int build(const unsigned char* data, int n, int avail, long long block, int offset, ColumnState& columns);
  // Writes the line built last, in two pieces: the part before the
  // characters and the characters, each written once.
  void write(Report& report) const;

  // The marker of repeated lines, dim; in the report's encoding.
  static const char* marker();

 private:
  DumpLineBuilder& plain_;
  WriteColoredColumnsFn write_columns_;
  std::unique_ptr<char[]> line_;
  std::unique_ptr<char[]> chars_;   // the colored character column, its blanks and bar
  int head_len_ = 0;                // bytes of line_: the parts before the characters
  int chars_len_ = 0;
  std::unique_ptr<char[]> hex_;     // the colored hex pairs
};

}  // namespace vesk
