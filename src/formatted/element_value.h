// Reading one numeric element out of a block, and its value text. Every form
// (list, map, difference list, difference map) reads elements through here.
#pragma once

#include <cstdint>

namespace vesk {

// Byte order of a multi-byte element in the data.
enum class ByteOrder { msb_first, lsb_first };

// The map forms always read least significant byte first.
constexpr ByteOrder kMapByteOrder = ByteOrder::lsb_first;

// Reverses the order of n bytes in place (the middle byte of an odd n stays).
void swap_bytes(unsigned char* buffer, int n);

// The n bytes (1 to 8) at p as an unsigned number read in the given order.
uint64_t read_element(const unsigned char* p, int n, ByteOrder order);

// Room for the longest value text ("-1.23456789012346e-308" and the like).
constexpr int kValueTextSize = 40;

// The text of one element of a numeric type, without brackets: "%d" or "%u"
// for 2-byte, "%ld" or "%lu" for 4-byte integers, eight upper-case hex digits
// for pointers, floatToStr / dblToStr for floats and doubles. Returns the
// text's length; 0 (an empty text) for a code that is not numeric.
int element_text(char type, const unsigned char* p, ByteOrder order, char (&text)[kValueTextSize]);

}  // namespace vesk
