// The characters of Shift_JIS codes and the Shift_JIS codes of characters:
// the tables every decoder and encoder shares.
#pragma once

#include <cstdint>

#include "common/text_scan.h"
#include "text/cell.h"
#include "text/tables/sjis_unicode.h"
#include "text/unicode_display.h"

namespace vesk {

// The Shift_JIS classes of each byte value, as bits: a lead byte, a trail byte.
struct SjisByteClass {
  static constexpr unsigned char kLead = 1, kTrail = 2;
  unsigned char bits[256];
  constexpr SjisByteClass() : bits() {
    for (int b = 0; b < 256; ++b)
      bits[b] = static_cast<unsigned char>((is_sjis_lead(static_cast<unsigned char>(b)) ? kLead : 0) |
                                           (is_sjis_trail(static_cast<unsigned char>(b)) ? kTrail : 0));
  }
};
inline constexpr SjisByteClass kSjisByteClass;

// A valid Shift_JIS pair: a lead byte and a trail byte.
constexpr bool is_sjis_pair(unsigned char lead, unsigned char trail) {
  return (kSjisByteClass.bits[lead] & SjisByteClass::kLead) && (kSjisByteClass.bits[trail] & SjisByteClass::kTrail);
}

// The character of a valid pair: its code point, or kNoCharacter.
inline char32_t unicode_of_sjis_pair(unsigned char lead, unsigned char trail) {
  char32_t cp = kSjisUnicode[sjis_slot(lead, trail)];
  return cp != 0 ? cp : kNoCharacter;
}

// The code point of a cell's character (kNoCharacter for a code that stands
// for none).
inline char32_t character_of(const Cell& c) {
  if (c.cp != kCpOfSjis) return c.cp;
  return unicode_of_sjis_pair(static_cast<unsigned char>(c.sjis >> 8), static_cast<unsigned char>(c.sjis & 0xFF));
}

// The character of a half-width kana byte 0xA1-0xDF: U+FF61-U+FF9F.
constexpr char32_t unicode_of_kana(unsigned char b) { return 0xFF61 + (b - 0xA1); }

// The Shift_JIS code of a JIS X 0208 code (each byte 0x21-0x7E): the row/cell
// arithmetic, whose results are all valid pairs.
constexpr std::uint16_t jis2sjis(unsigned char hi, unsigned char lo) {
  unsigned l = (hi & 1) ? lo + 0x1F : lo + 0x7D;
  if (l >= 0x7F) l += 1;
  unsigned h = ((hi - 0x21u) >> 1) + 0x81;
  if (h > 0x9F) h += 0x40;
  return static_cast<std::uint16_t>(h << 8 | l);
}

// The Shift_JIS code of a code point, as unicodeTbl gives it (a byte below
// 0x100, or a pair); -1 when it has none. Binary search of the table.
int sjis_of_unicode(std::uint32_t code);
// Shift_JIS codes of the Basic Multilingual Plane through a two-level index,
// in place of fourteen probes of a binary search per character. Only the
// pages of 256 code points that hold entries are filled.
// Its one object has static storage, which starts as zeros: the members
// have no initializers, so that no run clears its 128 KiB again at start.
struct BmpIndex {
  BmpIndex();
  std::uint16_t page_of[256];     // 0: no entry in the page; else page number + 1
  std::uint16_t pages[256][256];  // Shift_JIS code + 1; 0: no entry
  int used;
};
extern const BmpIndex kBmpIndex;

// The same answer as sjis_of_unicode through the index.
inline int sjis_of_unicode_fast(std::uint32_t code) {
  if (code >= 0x10000) return sjis_of_unicode(code);
  const unsigned page = kBmpIndex.page_of[code >> 8];
  if (page == 0) return -1;
  const unsigned v = kBmpIndex.pages[page - 1][code & 0xFF];
  return v == 0 ? -1 : static_cast<int>(v - 1);
}

// The JIS X 0212 character of row/cell bytes 0x21-0x7E: its code point (0:
// none) and Shift_JIS code (0: none).
struct Jisx0212Code {
  char32_t cp;
  std::uint16_t sjis;
};
Jisx0212Code jisx0212_char(unsigned char hi, unsigned char lo);

}  // namespace vesk
