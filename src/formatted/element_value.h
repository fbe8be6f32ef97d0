// Reading one numeric element out of a block, and its value text. Every form
// (list, map, difference list, difference map) reads elements through here.
#pragma once

#include <cstdint>

#include "format/definitions.h"

namespace vesk {

// Byte order of a multi-byte element in the data.
enum class ByteOrder { msb_first, lsb_first };

// Reverses the order of n bytes in place (the middle byte of an odd n stays).
void swap_bytes(unsigned char* buffer, int n);

// The n bytes (1 to 8) at p as an unsigned number read in the given order.
uint64_t read_element(const unsigned char* p, int n, ByteOrder order);

// The n low bytes of raw (1 to 8, as read_element gives them) read as a
// signed number of that many bytes.
long long sign_extend(uint64_t raw, int n);

// Room for the longest value text ("-1.23456789012346e-308" and the like).
constexpr int kValueTextSize = 40;

// The element's bytes are no valid value of its type.
constexpr int kNoValue = -1;

// The text of one element of item m, a type shown as a number, without
// brackets: "%d" or "%u" for 1-, 2-, 4- and 8-byte integers, eight
// upper-case hex digits for pointers, floatToStr / dblToStr for floats and
// doubles, and the number with m's scale for packed and zoned decimals (of
// m's length). Returns the text's length; kNoValue (and an empty text) when a
// packed or zoned element holds a bad digit or sign; 0 (an empty text) for a
// code that is not shown as a number.
int element_text(const ItemInf& m, const unsigned char* p, ByteOrder order, char (&text)[kValueTextSize]);
// The same for a type of fixed size.
int element_text(char type, const unsigned char* p, ByteOrder order, char (&text)[kValueTextSize]);

}  // namespace vesk
