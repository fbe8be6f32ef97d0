// A report line in color: its text in the report's encoding, with an SGR
// sequence wherever the style changes, ending in the terminal's color. The
// colored lines of the formatted dump and the comparison, and whole lines in
// one style, are made here.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "output/line_buffer.h"

namespace vesk {

// Makes colored lines, one at a time; its buffers serve every line.
class StyledLineMaker {
 public:
  // The colored form of text[0..n), a line in its Shift_JIS form (without
  // its newline): each column in the style of the last span over it, or all
  // of them in `whole` when it is not none; in UTF-8 (utf8) the cells laid
  // over columns in their own UTF-8 form, as the sink writes them uncolored.
  // A newline inside the text stays, in the terminal's color. Valid until
  // the next call.
  const std::string& make(const char* text, std::size_t n, const LineCell* cells, std::size_t cell_count,
                          const LineStyle* styles, std::size_t style_count, Style whole, bool utf8);

 private:
  void style_columns(const char* text, std::size_t n, const LineStyle* styles, std::size_t style_count,
                     Style whole);
  void change_to(Style to);

  std::vector<Style> by_column_;  // the style of each column of the line
  std::vector<LineCell> sorted_;  // its cells, by column
  std::string out_;
  Style now_ = Style::none;
};

}  // namespace vesk
