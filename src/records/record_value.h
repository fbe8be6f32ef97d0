// The value of one element as records carry it: a number written with every
// digit it has, hex digits, Unicode text, or nothing when the bytes hold no
// value of the item's type, with the reason.
#pragma once

#include <cstdint>
#include <string>

#include "formatted/form_view.h"
#include "formatted/item_walk.h"

namespace vesk {

// Why an element's value is not whole.
enum class Fault : std::uint8_t {
  none,
  not_a_number,    // a packed or zoned decimal with a bad digit or sign
  not_finite,      // a float or double that is NaN or infinite
  cut,             // the end of the data cuts the element, or leaves none of it
  not_a_character, // text with bytes that are no character in its code
};

// The words of a fault in the records ("not a number", ...).
const char* fault_text(Fault f);

struct RecordValue {
  enum class Kind : std::uint8_t {
    null,    // no value
    number,  // ascii holds a number in the form JSON and CSV write it
    hex,     // ascii holds hex digits (BYTE items and pointers)
    text,    // text holds the characters
  };
  Kind kind = Kind::null;
  Fault fault = Fault::none;
  std::string ascii;
  std::u32string text;
};

// Reads element e of item m (one of view's simple items) from the block data
// into v:
// - integers of every size: their decimal digits, all of them;
// - packed and zoned decimals: their digits and scale as the list shows them
//   ("300.00", "-0.05"); a bad digit or sign: null;
// - floats and doubles: the shortest text that reads back to the same value
//   ("0.1", "1e+30"); NaN and infinities: null;
// - pointers: eight upper-case hex digits; BYTE: two lower-case hex digits a
//   byte;
// - text: its characters in the item's code (decode_text).
// An element that the end of the data cuts is null, but for text and BYTE
// items, which keep the bytes present (null when none is).
void read_record_value(const FormView& view, const ItemInf& m, const unsigned char* data, const ElementRef& e,
                       RecordValue& v);

}  // namespace vesk
