#include "dump/color_dump_line.h"

#include "text/color_column_writer.h"

#include <cstring>
#include <tuple>

namespace vesk {

ColorDumpLineBuilder::ColorDumpLineBuilder(DumpLineBuilder& plain) : plain_(plain) {
  const DumpLayout& layout = plain.layout();
  const int lb = layout.line_bytes;
  // The parts before the character column as far as they may move, a style
  // change around the prefix, the colored hex pairs, the colored character
  // column, its blanks and bar.
  size_ = layout.char_col + DumpLineBuilder::kMaxShift + 4 * kMaxStyleChange + colored_hex_room(lb) +
          colored_column_room<Utf8Encoder>(lb) + lb + 8;
  line_.reset(new char[static_cast<std::size_t>(size_)]);
  start_.reset(new char[static_cast<std::size_t>(plain.max_line())]);
  chars_.reset(new char[static_cast<std::size_t>(colored_column_room<Utf8Encoder>(lb))]);
  hex_.reset(new char[static_cast<std::size_t>(colored_hex_room(lb))]);
}

const char* ColorDumpLineBuilder::marker() { return "\x1b[2m      ....\x1b[0m"; }

char* ColorDumpLineBuilder::put_start(char* out, const unsigned char* data, int n, long long block, int offset) {
  plain_.put_start(start_.get(), data, n, block, offset, false);
  const DumpLayout& layout = plain_.layout();
  const char* plain = start_.get();
  char* o = out;
  // The prefix, dim up to its last character: before the blank and the hex
  // part, or the blank and the bar of -C.
  int col = layout.chars_only ? 11 + layout.shift : layout.hex_start() - 1;
  while (col > 0 && plain[col - 1] == ' ') --col;
  o += put_style_change(Style::none, Style::position, o);
  std::memcpy(o, plain, static_cast<std::size_t>(col));
  o += col;
  o += put_style_change(Style::position, Style::none, o);
  // The blanks before the hex part (with -C, up to the characters: put_end).
  if (!layout.chars_only) {
    std::memcpy(o, plain + col, static_cast<std::size_t>(layout.hex_start() - col));
    o += layout.hex_start() - col;
  } else {
    prefix_end_ = col;
  }
  return o;
}

int ColorDumpLineBuilder::put_end(char* line, char* o, int n, int chars_len, int cols) {
  const DumpLayout& layout = plain_.layout();
  const char* plain = start_.get();
  int col = prefix_end_;
  if (!layout.chars_only) {
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
  std::memcpy(o, chars_.get(), static_cast<std::size_t>(chars_len));
  o += chars_len;
  for (int c = cols; c <= layout.line_bytes; ++c) *o++ = ' ';
  *o++ = '|';
  *o = '\0';
  return static_cast<int>(o - line);
}

template <class Decoder, class Encoder>
int ColorDumpLineBuilder::build(char* out, const unsigned char* data, int n, int avail, long long block, int offset,
                                ColumnState& columns) {
  char* o = put_start(out, data, n, block, offset);
  // The hex pairs straight into the line (-C: aside), the characters aside,
  // as the hex part's length is known only once they are written.
  int cols = 0, hex_len = 0;
  const bool hex = !plain_.layout().chars_only;
  const int chars_len = write_colored_columns<Decoder, Encoder>(columns, data, n, avail, chars_.get(), &cols,
                                                                hex ? o : hex_.get(), &hex_len);
  return put_end(out, hex ? o + hex_len : o, n, chars_len, cols);
}

namespace {

using BuildFn = int (ColorDumpLineBuilder::*)(char*, const unsigned char*, int, int, long long, int, ColumnState&);

// build for every decoder, in both encodings.
template <class... Decoders>
constexpr auto every_build(std::tuple<Decoders...>*) {
  return std::make_tuple(static_cast<BuildFn>(&ColorDumpLineBuilder::build<Decoders, SjisEncoder>)...,
                         static_cast<BuildFn>(&ColorDumpLineBuilder::build<Decoders, Utf8Encoder>)...);
}

}  // namespace

// Takes the address of each: they are made here, once.
extern const auto kEveryColoredBuild = every_build(static_cast<Decoders*>(nullptr));

}  // namespace vesk
