// Text inside vesk: a decoder turns the bytes of an input code into cells,
// and the report's encoder writes the cells. A cell is one character, or
// bytes that are none; it covers one or more source bytes and takes as many
// columns of the report as it covers bytes.
#pragma once

#include <cstdint>

namespace vesk {

enum class CellClass : std::uint8_t {
  ascii,      // a printable ASCII byte
  kana,       // a half-width kana byte
  multibyte,  // a character of two or more bytes
  control,    // a control byte or control character (shown as points)
  escape,     // a byte of an escape sequence that switches the code (JIS)
  invalid,    // bytes that begin no character of the code, or a character cut short
  filler,     // bytes of a character shown on the line before (made by the line builder)
};

struct Cell {
  // The character: a Unicode code point, or kCpOfSjis for the character of
  // its Shift_JIS pair (looked up only where it is needed: character_of).
  // Controls and escape bytes keep their byte value; 0 for invalid bytes.
  char32_t cp = 0;
  // Its Shift_JIS form: a byte (below 0x100) or a pair (high byte first);
  // 0 when Shift_JIS lacks the character.
  std::uint16_t sjis = 0;
  std::uint8_t len = 1;  // source bytes covered, and columns taken: 1 to 4
  // The column of the cell where the character stands: 0, or 1 after a
  // point (EUC-JP writes kana and the second plane after a byte of its own).
  std::uint8_t at = 0;
  CellClass cls = CellClass::invalid;

  // The cell shows its character (otherwise it shows points, one a column;
  // an escape byte shows itself when its sjis form is set).
  bool shows_character() const {
    return cls == CellClass::ascii || cls == CellClass::kana || cls == CellClass::multibyte;
  }
};

// Stands in Cell::cp for the character of the cell's Shift_JIS pair.
constexpr char32_t kCpOfSjis = 0x110001;

// The longest cell: a four-byte UTF-8 sequence.
constexpr int kMaxCellLength = 4;

// A code that Unicode holds but that stands for no character of its own
// (an unassigned pair of a code): the UTF-8 report shows U+3013 for it.
constexpr char32_t kGetaMark = 0x3013;

inline Cell invalid_cell(int len) {
  Cell c;
  c.len = static_cast<std::uint8_t>(len);
  return c;
}

}  // namespace vesk
