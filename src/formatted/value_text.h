// The list form's value texts written straight into a line, without the
// wrap rules: inline, as each line of a block writes some.
#pragma once

#include <cstring>

#include "common/digits.h"
#include "format/item_types.h"
#include "formatted/element_value.h"
#include "text/codec.h"

namespace vesk {

// The list form's texts of count elements of len bytes lying one after the
// other from bytes, "[" value "] " each, written at out with nothing after
// them: the Shift_JIS forms of the characters of a text element in the code
// of codec, the hex digits of a hex element, or the number of a type of
// fixed size (whose size len is) read in order. Returns their length; -1,
// and nothing written, for a form that has no such text (decimals). out has
// room for len + 3 bytes an element (text), 2 * len + 3 (hex) or
// kValueTextSize + 3 (numbers).
[[gnu::always_inline]] inline int put_values_text(char* out, const unsigned char* bytes, int len, int count,
                                                  ValueForm form, const Codec& codec, bool show_escapes,
                                                  ByteOrder order) {
  char* o = out;
  switch (form) {
    case ValueForm::text:
      for (int k = 0; k < count; ++k, bytes += len) {
        o[0] = '[';
        // The forms may run two bytes past the element: "] " covers them.
        codec.put_text_forms(show_escapes, bytes, len, o + 1, nullptr);
        std::memcpy(o + len + 1, "] ", 2);
        o += len + 3;
      }
      break;
    case ValueForm::hex:
      for (int k = 0; k < count; ++k) {
        *o++ = '[';
        for (int i = 0; i < len; ++i, o += 2) std::memcpy(o, kHexPairs.digits[*bytes++], 2);
        std::memcpy(o, "] ", 2);
        o += 2;
      }
      break;
    case ValueForm::signed_int:
    case ValueForm::unsigned_int:
    case ValueForm::pointer:
    case ValueForm::float32:
    case ValueForm::float64:
      for (int k = 0; k < count; ++k, bytes += len) {
        o[0] = '[';
        const int n = fixed_number_text(form, len, bytes, order, o + 1);
        std::memcpy(o + n + 1, "] ", 2);
        o += n + 3;
      }
      break;
    case ValueForm::packed:
    case ValueForm::zoned:
    case ValueForm::structure:
      return -1;
  }
  return static_cast<int>(o - out);
}

}  // namespace vesk
