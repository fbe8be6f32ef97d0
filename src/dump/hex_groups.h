// The hex part of a dump line: four digits and a blank for each two bytes
// (the blanks are the line template's).
#pragma once

#include <cstdint>
#include <cstring>

#include "text/byte_masks.h"

namespace vesk {

#if defined(__SSE2__)
// The hex digits of sixteen bytes into the eight groups from h (four digits,
// then the blank that the line's template holds).
inline void put_hex16(char* h, const unsigned char* data) {
  std::uint64_t q[4];
  simd::put_hex_digits(reinterpret_cast<char*>(q), simd::load(data));
  for (int g = 0; g < 4; ++g) {
    const std::uint32_t a = static_cast<std::uint32_t>(q[g]), b = static_cast<std::uint32_t>(q[g] >> 32);
    std::memcpy(h + 10 * g, &a, 4);
    std::memcpy(h + 10 * g + 5, &b, 4);
  }
}
#endif

// The hex groups of the n bytes at data, from h.
void put_hex_groups(char* h, const unsigned char* data, int n);

}  // namespace vesk
