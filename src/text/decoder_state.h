// What a decoder keeps from one cell to the next: the shift state of JIS,
// which lives across lines and blocks. The other codes keep nothing.
#pragma once

#include <cstdint>

namespace vesk {

enum class JisShift : std::uint8_t { ascii, kana, jisx0208, jisx0212 };

struct DecoderState {
  JisShift shift = JisShift::ascii;
  std::uint8_t escape_left = 0;  // bytes of an escape sequence still to come
  bool show_escapes = false;     // -j: the printable bytes of escape sequences shown
};

}  // namespace vesk
