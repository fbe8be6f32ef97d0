// The cells of single bytes, shared by every decoder.
#pragma once

#include "common/text_scan.h"
#include "text/cell.h"
#include "text/sjis_codes.h"

namespace vesk {

inline Cell ascii_cell(unsigned char b) {
  Cell c;
  c.cp = b;
  c.sjis = b;
  c.cls = CellClass::ascii;
  return c;
}

// A byte below 0x80: printable ASCII, else a control byte (its character
// kept, shown as a point).
inline Cell seven_bit_cell(unsigned char b) {
  if (is_printable_ascii(b)) return ascii_cell(b);
  Cell c;
  c.cp = b;
  c.cls = CellClass::control;
  return c;
}

// A half-width kana whose Shift_JIS byte is b (0xA1-0xDF), covering len bytes.
inline Cell kana_cell(unsigned char b, int len, int at) {
  Cell c;
  c.cp = unicode_of_kana(b);
  c.sjis = b;
  c.len = static_cast<std::uint8_t>(len);
  c.at = static_cast<std::uint8_t>(at);
  c.cls = len == 1 ? CellClass::kana : CellClass::multibyte;
  return c;
}

// A character of len bytes whose Shift_JIS form is sjis (0: none).
inline Cell multibyte_cell(char32_t cp, int sjis, int len, int at = 0) {
  Cell c;
  c.cp = cp;
  c.sjis = static_cast<std::uint16_t>(sjis > 0 ? sjis : 0);
  c.len = static_cast<std::uint8_t>(len);
  c.at = static_cast<std::uint8_t>(at);
  c.cls = CellClass::multibyte;
  return c;
}

}  // namespace vesk
