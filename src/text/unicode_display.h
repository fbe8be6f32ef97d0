// How the UTF-8 report shows a code point, and its UTF-8 bytes.
#pragma once

#include <cstdint>

#include "text/tables/unicode_display.h"

namespace vesk {

enum class UnicodeDisplay : std::uint8_t {
  narrow,     // one terminal column
  wide,       // two columns (East Asian Width W or F)
  combining,  // a mark that joins its neighbour: written on U+25CC, one column
  invisible,  // a control, format or separator character: points
  nochar,     // unassigned, private use, a spacing mark, or no character: U+3013
};

// A well-formed code of an input that stands for no character of Unicode (an
// unassigned Shift_JIS pair, say).
constexpr char32_t kNoCharacter = 0x110000;

inline UnicodeDisplay unicode_display(char32_t cp) {
  if (cp >= 0x110000) return UnicodeDisplay::nochar;
  return static_cast<UnicodeDisplay>(kDisplayRows[kDisplayRowOf[cp >> 8]][cp & 0xFF] - '0');
}

// Writes the UTF-8 bytes of a code point below 0x110000 to out; returns
// their number, 1 to 4.
inline int put_utf8(char32_t cp, char* out) {
  auto* o = reinterpret_cast<unsigned char*>(out);
  if (cp < 0x80) {
    o[0] = static_cast<unsigned char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    o[0] = static_cast<unsigned char>(0xC0 | (cp >> 6));
    o[1] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    o[0] = static_cast<unsigned char>(0xE0 | (cp >> 12));
    o[1] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
    o[2] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    return 3;
  }
  o[0] = static_cast<unsigned char>(0xF0 | (cp >> 18));
  o[1] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
  o[2] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
  o[3] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
  return 4;
}

}  // namespace vesk
