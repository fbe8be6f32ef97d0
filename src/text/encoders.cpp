#include "text/encoders.h"

#include "text/unicode_display.h"

namespace vesk {

namespace {

constexpr char32_t kDottedCircle = 0x25CC;

}  // namespace

Written Utf8Encoder::put_character(const Cell& c, char* out) {
  if (c.cls == CellClass::ascii || c.cls == CellClass::escape) {
    out[0] = static_cast<char>(c.sjis);
    return {1, 1};
  }
  if (c.cls == CellClass::kana) return {put_utf8(c.cp, out), 1};
  const int room = c.len - c.at;
  const char32_t cp = character_of(c);
  int bytes = 0, width = 0;
  switch (unicode_display(cp)) {
    case UnicodeDisplay::narrow:
      bytes = put_utf8(cp, out);
      width = 1;
      break;
    case UnicodeDisplay::wide:
      bytes = put_utf8(cp, out);
      width = 2;
      break;
    case UnicodeDisplay::combining:
      // A mark on its own would join the column before it: it stands on a
      // dotted circle, as character charts show it.
      bytes = put_utf8(kDottedCircle, out);
      bytes += put_utf8(cp, out + bytes);
      width = 1;
      break;
    case UnicodeDisplay::invisible:
      return {};
    case UnicodeDisplay::nochar:
      bytes = put_utf8(kGetaMark, out);
      width = 2;
      break;
  }
  if (width > room) return {};
  // A narrow character whose Shift_JIS form is a pair is followed by a blank,
  // so that it takes the columns the pair takes.
  const int form = c.sjis >= 0x100 ? 2 : c.sjis != 0 ? 1 : 0;
  while (width < form && width < room) {
    out[bytes++] = ' ';
    ++width;
  }
  return {bytes, width};
}

CompactCharacter compact_character_other(const Cell& c) {
  CompactCharacter out{{'.', ' '}, c};
  Cell two = c;
  two.at = 0;
  two.len = 2;
  char form[2 * kMaxCellLength];
  Written s = SjisEncoder::put_character(two, out.sjis);
  Written u = Utf8Encoder::put_character(two, form);
  int cols = s.columns > u.columns ? s.columns : u.columns;
  if (cols < 1) cols = 1;
  if (s.columns == 0) out.sjis[0] = '.';
  if (s.columns < 2) out.sjis[1] = ' ';
  out.cell.at = 0;
  out.cell.len = static_cast<std::uint8_t>(cols);
  return out;
}

}  // namespace vesk
