#include "dump/color_dump_line.h"

#include <cstring>

namespace vesk {

ColorDumpLineBuilder::ColorDumpLineBuilder(DumpLineBuilder& plain, const Codec& codec, ReportEncoding encoding)
    : plain_(plain), write_columns_(codec.write_colored_columns[static_cast<int>(encoding)]) {
  const DumpLayout& layout = plain.layout();
  const int lb = layout.line_bytes;
  // The parts before the character column as far as they may move, a style
  // change before each hex pair and around the prefix and the hex part, the
  // colored character column, its blanks and bar.
  const int size = layout.char_col + DumpLineBuilder::kMaxShift + lb * (kMaxStyleChange + 3) + 4 * kMaxStyleChange +
                   colored_column_room<Utf8Encoder>(lb) + lb + 8;
  line_.reset(new char[static_cast<std::size_t>(size)]);
  chars_.reset(new char[static_cast<std::size_t>(colored_column_room<Utf8Encoder>(lb) + lb + 2)]);
  hex_.reset(new char[static_cast<std::size_t>(colored_hex_room(lb))]);  // for -C
}

const char* ColorDumpLineBuilder::marker() { return "\x1b[2m      ....\x1b[0m"; }

int ColorDumpLineBuilder::build(const unsigned char* data, int n, int avail, long long block, int offset,
                                ColumnState& columns) {
  plain_.build_before_characters(data, n, block, offset, false);
  const DumpLayout& layout = plain_.layout();
  const char* plain = plain_.text();
  char* line = line_.get();
  char* o = line;
  // The prefix, dim up to its last character: before the blank and the hex
  // part, or the blank and the bar of -C.
  int col = layout.chars_only ? 11 + layout.shift : layout.hex_start() - 1;
  while (col > 0 && plain[col - 1] == ' ') --col;
  o += put_style_change(Style::none, Style::position, o);
  std::memcpy(o, plain, static_cast<std::size_t>(col));
  o += col;
  o += put_style_change(Style::position, Style::none, o);
  if (!layout.chars_only) {
    const int hex = layout.hex_start();
    std::memcpy(o, plain + col, static_cast<std::size_t>(hex - col));
    o += hex - col;
  }

  // The hex pairs straight into the line (-C: to scratch), the characters
  // aside, as the hex part's length is known only once they are written.
  int cols = 0, hex_len = 0;
  const int chars_len =
      write_columns_(columns, data, n, avail, chars_.get(), &cols, layout.chars_only ? hex_.get() : o, &hex_len);
  if (!layout.chars_only) {
    o += hex_len;
    // The hex pairs end with the blank after their last group; an unpaired
    // last byte's group ends in three blanks (the last over the first bar of
    // a full line, as put_hex_pair writes it).
    col = layout.hex_start() + 2 * n + n / 2;
    if (n % 2 == 1) {
      std::memcpy(o, "   ", 3);
      o += 3;
      col += 3;
    }
  }
  // What follows in the plain line up to the characters: blanks, the bar.
  const int char_col = layout.char_start();
  std::memcpy(o, plain + col, static_cast<std::size_t>(char_col - col));
  o += char_col - col;
  head_len_ = static_cast<int>(o - line);
  // The characters, then blanks up to the closing bar.
  char* c = chars_.get() + chars_len;
  for (int k = cols; k <= layout.line_bytes; ++k) *c++ = ' ';
  *c++ = '|';
  chars_len_ = static_cast<int>(c - chars_.get());
  return head_len_ + chars_len_;
}

void ColorDumpLineBuilder::write(Report& report) const {
  report.put_encoded_line(line_.get(), static_cast<std::size_t>(head_len_), chars_.get(),
                          static_cast<std::size_t>(chars_len_));
}

}  // namespace vesk
