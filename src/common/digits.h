// Numbers as text without a formatted print: the report writes hundreds of
// thousands of them.
#pragma once

#include <cstdint>
#include <cstring>

namespace vesk {

inline constexpr char kUpperHexDigits[] = "0123456789ABCDEF";
inline constexpr char kLowerHexDigits[] = "0123456789abcdef";

// The two hex digits of every byte value, from a set of sixteen digits.
struct HexPairTable {
  char digits[256][2];
  constexpr explicit HexPairTable(const char* set) : digits() {
    for (int b = 0; b < 256; ++b) {
      digits[b][0] = set[b >> 4];
      digits[b][1] = set[b & 15];
    }
  }
};
inline constexpr HexPairTable kHexPairs{kLowerHexDigits};
inline constexpr HexPairTable kUpperHexPairs{kUpperHexDigits};

// Writes v in base 10 or 16 (upper-case digits) with at least min_digits
// digits, leading zeros added; at most 20 digits plus the zeros asked for
// (min_digits is capped at 24). Returns the number of characters written.
int put_digits(char* out, std::uint64_t v, unsigned base, int min_digits);

// Exactly four digits of v in base 10 or 16 (upper case), the lowest ones
// when v has more. Every line of a dump writes one: kept inline.
[[gnu::always_inline]] inline void put_four_digits(char* out, unsigned v, unsigned base) {
  if (base == 16) {
    std::memcpy(out, kUpperHexPairs.digits[(v >> 8) & 0xFF], 2);
    std::memcpy(out + 2, kUpperHexPairs.digits[v & 0xFF], 2);
    return;
  }
  for (int i = 3; i >= 0; --i) {
    out[i] = kUpperHexDigits[v % base];
    v /= base;
  }
}

// Room for the text of any 64-bit integer and its terminator.
constexpr int kDecimalTextSize = 24;

// "%lld" of v, two digits at a time, with a terminator. Returns the length.
int decimal_text(long long v, char* out);
// "%llu" of v.
int unsigned_text(std::uint64_t v, char* out);

}  // namespace vesk
