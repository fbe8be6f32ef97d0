// Reading one numeric element out of a block, and its value text. Every form
// (list, map, difference list, difference map) reads elements through here.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "common/decimal_digits.h"
#include "format/definitions.h"
#include "format/item_types.h"

namespace vesk {

// Byte order of a multi-byte element in the data.
enum class ByteOrder { msb_first, lsb_first };

// Reverses the order of n bytes in place (the middle byte of an odd n stays).
void swap_bytes(unsigned char* buffer, int n);

// The n bytes (1 to 8) at p as an unsigned number read in the given order.
// The sizes of the types are read whole and turned round when the order is
// not the machine's; other sizes a byte at a time.
inline uint64_t read_element(const unsigned char* p, int n, ByteOrder order) {
  constexpr ByteOrder kNative = std::endian::native == std::endian::little ? ByteOrder::lsb_first
                                                                           : ByteOrder::msb_first;
  switch (n) {
    case 1:
      return p[0];
    case 2: {
      uint16_t v;
      std::memcpy(&v, p, 2);
      return order == kNative ? v : __builtin_bswap16(v);
    }
    case 4: {
      uint32_t v;
      std::memcpy(&v, p, 4);
      return order == kNative ? v : __builtin_bswap32(v);
    }
    case 8: {
      uint64_t v;
      std::memcpy(&v, p, 8);
      return order == kNative ? v : __builtin_bswap64(v);
    }
    default:
      break;
  }
  if (n < 1) return 0;
  if (n > 8) n = 8;
  uint64_t v = 0;
  if (order == ByteOrder::msb_first) {
    for (int i = 0; i < n; ++i) v = (v << 8) | p[i];
  } else {
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
  }
  return v;
}

// The n low bytes of raw (1 to 8, as read_element gives them) read as a
// signed number of that many bytes.
long long sign_extend(uint64_t raw, int n);

// Room for the longest value text ("-1.23456789012346e-308" and the like).
constexpr int kValueTextSize = 40;

// The element's bytes are no valid value of its type.
constexpr int kNoValue = -1;

// The text of one element of a type of fixed size shown as a number (form
// and size from the type's row), without brackets and without a terminator,
// written to out, which has room for kValueTextSize bytes: "%d" or "%u" for
// 1-, 2-, 4- and 8-byte integers, eight upper-case hex digits for pointers,
// floatToStr / dblToStr for floats and doubles. Returns its length; 0 for a
// form that is none of these. Integers, the common case, inline.
int other_number_text(ValueForm form, int size, const unsigned char* p, ByteOrder order, char* out);
inline int fixed_number_text(ValueForm form, int size, const unsigned char* p, ByteOrder order, char* out) {
  switch (form) {
    case ValueForm::signed_int: {
      if (size < 1) return 0;
      const uint64_t raw = read_element(p, size, order);
      // The value of the size bytes read as a signed number of that many bytes.
      const uint64_t sign = size >= 8 ? 0 : uint64_t{1} << (8 * size - 1);
      return put_signed_decimal(out, static_cast<long long>((raw ^ sign) - sign));
    }
    case ValueForm::unsigned_int:
      return size < 1 ? 0 : put_decimal(out, read_element(p, size, order));
    default:
      return other_number_text(form, size, p, order, out);
  }
}

// The text of one element of item m, a type shown as a number, without
// brackets: the text of fixed_number_text, or the number with m's scale for
// packed and zoned decimals (of m's length). Returns the text's length;
// kNoValue (and an empty text) when a packed or zoned element holds a bad
// digit or sign; 0 (an empty text) for a code that is not shown as a number.
int element_text(const ItemInf& m, const unsigned char* p, ByteOrder order, char (&text)[kValueTextSize]);
// The same for a type of fixed size.
int element_text(char type, const unsigned char* p, ByteOrder order, char (&text)[kValueTextSize]);

}  // namespace vesk
