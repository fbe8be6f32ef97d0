// Numbers written straight into a line: the digits two at a time from a
// table of pairs, in groups split off by divisions by constants (which the
// compiler turns into multiplications), so that a value costs a few
// instructions a digit and no division instruction.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "common/digits.h"

namespace vesk {

// "00" to "99", two characters a value.
inline constexpr char kDecimalPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The digits of v in base 10 (1 for 0), at most 20.
inline int decimal_width(std::uint64_t v) {
  static constexpr std::uint64_t kPowers[20] = {1ULL,
                                                10ULL,
                                                100ULL,
                                                1000ULL,
                                                10000ULL,
                                                100000ULL,
                                                1000000ULL,
                                                10000000ULL,
                                                100000000ULL,
                                                1000000000ULL,
                                                10000000000ULL,
                                                100000000000ULL,
                                                1000000000000ULL,
                                                10000000000000ULL,
                                                100000000000000ULL,
                                                1000000000000000ULL,
                                                10000000000000000ULL,
                                                100000000000000000ULL,
                                                1000000000000000000ULL,
                                                10000000000000000000ULL};
  if (v < 10) return 1;
  // 1233 / 4096 is just over log10(2): t is the width or one less.
  const int t = (64 - std::countl_zero(v)) * 1233 >> 12;
  return t + (v >= kPowers[t] ? 1 : 0);
}

// Writes the n digits of v (n its decimal_width, or more for leading zeros)
// to out, without a terminator.
template <class Unsigned>
inline void put_decimal_digits(char* out, Unsigned v, int n) {
  char* p = out + n;
  while (v >= 100) {
    const auto r = static_cast<unsigned>(v % 100);
    v /= 100;
    p -= 2;
    std::memcpy(p, kDecimalPairs + 2 * r, 2);
  }
  if (v >= 10) {
    p -= 2;
    std::memcpy(p, kDecimalPairs + 2 * static_cast<unsigned>(v), 2);
  } else {
    *--p = static_cast<char>('0' + static_cast<unsigned>(v));
  }
  while (p > out) *--p = '0';
}

// The digits of v < 10000 without leading zeros (1 to 4 of them); returns
// how many.
inline int put_up_to_four_digits(char* out, unsigned v) {
  if (v < 100) {
    if (v < 10) {
      out[0] = static_cast<char>('0' + v);
      return 1;
    }
    std::memcpy(out, kDecimalPairs + 2 * v, 2);
    return 2;
  }
  const unsigned hi = v / 100, lo = v - hi * 100;
  if (hi < 10) {
    out[0] = static_cast<char>('0' + hi);
    std::memcpy(out + 1, kDecimalPairs + 2 * lo, 2);
    return 3;
  }
  std::memcpy(out, kDecimalPairs + 2 * hi, 2);
  std::memcpy(out + 2, kDecimalPairs + 2 * lo, 2);
  return 4;
}

// Exactly four digits of v < 10000.
inline void put_four_decimal_digits(char* out, unsigned v) {
  const unsigned hi = v / 100, lo = v - hi * 100;
  std::memcpy(out, kDecimalPairs + 2 * hi, 2);
  std::memcpy(out + 2, kDecimalPairs + 2 * lo, 2);
}

// Exactly eight digits of v < 100000000.
inline void put_eight_decimal_digits(char* out, std::uint32_t v) {
  const std::uint32_t hi = v / 10000;
  put_four_decimal_digits(out, hi);
  put_four_decimal_digits(out + 4, v - hi * 10000);
}

// "%u" of v, without a terminator; returns its length. The digits in groups
// of four and eight from a few multiplications, without a loop.
inline int put_decimal32(char* out, std::uint32_t v) {
  if (v < 10000) return put_up_to_four_digits(out, v);
  if (v < 100000000) {
    const std::uint32_t hi = v / 10000;
    const int n = put_up_to_four_digits(out, hi);
    put_four_decimal_digits(out + n, v - hi * 10000);
    return n + 4;
  }
  const std::uint32_t hi = v / 100000000;
  const int n = put_up_to_four_digits(out, hi);
  put_eight_decimal_digits(out + n, v - hi * 100000000);
  return n + 8;
}

// "%llu" of v, without a terminator; returns its length.
inline int put_decimal(char* out, std::uint64_t v) {
  if (v <= 0xFFFFFFFFu) return put_decimal32(out, static_cast<std::uint32_t>(v));
  // Eight digits at a time from the right: at most 20 in all.
  const std::uint64_t hi = v / 100000000;
  const auto lo = static_cast<std::uint32_t>(v - hi * 100000000);
  int n;
  if (hi <= 0xFFFFFFFFu) {
    n = put_decimal32(out, static_cast<std::uint32_t>(hi));
  } else {
    const std::uint64_t top = hi / 100000000;
    n = put_up_to_four_digits(out, static_cast<unsigned>(top));
    put_eight_decimal_digits(out + n, static_cast<std::uint32_t>(hi - top * 100000000));
    n += 8;
  }
  put_eight_decimal_digits(out + n, lo);
  return n + 8;
}

// "%lld" of v, without a terminator; returns its length.
inline int put_signed_decimal(char* out, long long v) {
  if (v >= 0) return put_decimal(out, static_cast<std::uint64_t>(v));
  out[0] = '-';
  return 1 + put_decimal(out + 1, 0ULL - static_cast<std::uint64_t>(v));
}

// v in base 10 or 16 (upper case), with at least min_digits digits (leading
// zeros); the same text as put_digits. Returns its length.
inline int put_padded_digits(char* out, std::uint64_t v, bool decimal, int min_digits) {
  if (min_digits > 24) min_digits = 24;
  if (decimal) {
    const int w = decimal_width(v);
    const int n = w > min_digits ? w : min_digits;
    if (v <= 0xFFFFFFFFu)
      put_decimal_digits(out, static_cast<std::uint32_t>(v), n);
    else
      put_decimal_digits(out, v, n);
    return n;
  }
  const int w = v == 0 ? 1 : (67 - std::countl_zero(v)) / 4;
  const int n = w > min_digits ? w : min_digits;
  // Two digits a byte from the right, then the odd one.
  int i = n;
  for (; i >= 2; i -= 2, v >>= 8) std::memcpy(out + i - 2, kUpperHexPairs.digits[v & 0xFF], 2);
  if (i == 1) out[0] = kUpperHexPairs.digits[v & 0xF][1];
  return n;
}

}  // namespace vesk
