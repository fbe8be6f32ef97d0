#include "dump/color_dump_line.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <type_traits>

#include "common/digits.h"
#include "text/color_column_writer.h"
#include "text/color_line16.h"

namespace vesk {

ColorDumpLineBuilder::ColorDumpLineBuilder(DumpLineBuilder& plain) : plain_(plain) {
  const DumpLayout& layout = plain.layout();
  const int lb = layout.line_bytes;
  // The parts before the character column as far as they may move, a style
  // change around the prefix, the colored hex pairs, the colored character
  // column, its blanks and bar.
  // The character column's room: at least the whole stores of a short one.
  const int chars_room = std::max(colored_column_room<Utf8Encoder>(lb), kShortChars);
  size_ = layout.char_col + DumpLineBuilder::kMaxShift + 4 * kMaxStyleChange + colored_hex_room(lb) + chars_room +
          lb + 8 + kCopyStore;
  line_.reset(new char[static_cast<std::size_t>(size_)]);
  start_.reset(new char[static_cast<std::size_t>(plain.max_line())]);
  // Zeroed: put_chars copies whole stores, past the bytes written.
  chars_.reset(new char[static_cast<std::size_t>(chars_room + kCopyStore)]());
  hex_.reset(new char[static_cast<std::size_t>(colored_hex_room(lb))]);
}

void ColorDumpLineBuilder::make_template() {
  const DumpLayout& layout = plain_.layout();
  // The plain line's start: six blanks and the offset, then blanks.
  char plain[DumpLineBuilder::kTemplateCopy + DumpLineBuilder::kMaxShift];
  std::memset(plain, ' ', sizeof plain);
  std::memcpy(plain + 6, "0000", 4);
  char* o = template_;
  o += put_style_change(Style::none, Style::position, o);
  template_digits_ = static_cast<int>(o - template_) + 6;
  std::memcpy(o, plain, kOffsetEnd);
  o += kOffsetEnd;
  o += put_style_change(Style::position, Style::none, o);
  std::memcpy(o, plain + kOffsetEnd, static_cast<std::size_t>(layout.hex_start() - kOffsetEnd));
  o += layout.hex_start() - kOffsetEnd;
  template_len_ = static_cast<int>(o - template_);
  template_shift_ = layout.shift;
}

char* ColorDumpLineBuilder::put_chars(char* o, int chars_len) const {
  const char* chars = chars_.get();
  // Most lines: a fixed number of stores, no loop (text: few changes of
  // style, random bytes: many).
  if (chars_len <= kShortChars / 2) {
    for (int i = 0; i < kShortChars / 2; i += kCopyStore) std::memcpy(o + i, chars + i, kCopyStore);
  } else if (chars_len <= kShortChars) {
    for (int i = 0; i < kShortChars; i += kCopyStore) std::memcpy(o + i, chars + i, kCopyStore);
  } else {
    for (int i = 0; i < chars_len; i += kCopyStore) std::memcpy(o + i, chars + i, kCopyStore);
  }
  return o + chars_len;
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
  o = put_chars(o, chars_len);
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
  int cols = 0, hex_len = 0, chars_len = 0;
  const bool hex = !plain_.layout().chars_only;
#if defined(__SSE2__)
  // A block's first line of sixteen bytes in one step too, as build16's.
  if constexpr (std::is_same_v<Encoder, SjisEncoder> && colors_line16<Decoder>()) {
    if (hex && n == 16) hex_len = colored_line16<Decoder>(columns, data, avail, o, chars_.get(), &chars_len, &cols);
  }
#endif
  if (hex_len == 0)
    chars_len = write_colored_columns<Decoder, Encoder>(columns, data, n, avail, chars_.get(), &cols,
                                                        hex ? o : hex_.get(), &hex_len);
  return put_end(out, hex ? o + hex_len : o, n, chars_len, cols);
}

template <class Decoder, class Encoder>
int ColorDumpLineBuilder::build16(char* out, const unsigned char* data, int avail, int offset, ColumnState& columns) {
  const DumpLayout& layout = plain_.layout();
  if (layout.shift != template_shift_) make_template();
  for (int i = 0; i < kTemplateRoom; i += 16) std::memcpy(out + i, template_ + i, 16);
  put_four_digits(out + template_digits_, static_cast<unsigned>(offset), layout.dec ? 10 : 16);
  char* hex = out + template_len_;
  int cols = 0, hex_len = 0, chars_len = 0;
#if defined(__SSE2__)
  if constexpr (std::is_same_v<Encoder, SjisEncoder> && colors_line16<Decoder>())
    hex_len = colored_line16<Decoder>(columns, data, avail, hex, chars_.get(), &chars_len, &cols);
#endif
  if (hex_len == 0)
    chars_len = write_colored_columns<Decoder, Encoder>(columns, data, 16, avail, chars_.get(), &cols, hex, &hex_len);
  char* o = hex + hex_len;
  std::memcpy(o, "| ", 2);
  o = put_chars(o + 2, chars_len);
  // One blank before the bar, none when a character took its column.
  std::memcpy(o, "  ", 2);
  o += 17 - cols;
  *o++ = '|';
  return static_cast<int>(o - out);
}

namespace {

using BuildFn = int (ColorDumpLineBuilder::*)(char*, const unsigned char*, int, int, long long, int, ColumnState&);

using Build16Fn = int (ColorDumpLineBuilder::*)(char*, const unsigned char*, int, int, ColumnState&);

// build and build16 for every decoder, in both encodings.
template <class... Decoders>
constexpr auto every_build(std::tuple<Decoders...>*) {
  return std::make_tuple(static_cast<BuildFn>(&ColorDumpLineBuilder::build<Decoders, SjisEncoder>)...,
                         static_cast<BuildFn>(&ColorDumpLineBuilder::build<Decoders, Utf8Encoder>)...,
                         static_cast<Build16Fn>(&ColorDumpLineBuilder::build16<Decoders, SjisEncoder>)...,
                         static_cast<Build16Fn>(&ColorDumpLineBuilder::build16<Decoders, Utf8Encoder>)...);
}

}  // namespace

// Takes the address of each: they are made here, once.
extern const auto kEveryColoredBuild = every_build(static_cast<Decoders*>(nullptr));

}  // namespace vesk
