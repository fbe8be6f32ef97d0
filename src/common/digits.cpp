#include "common/digits.h"

namespace vesk {

namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The decimal digits of u written backwards into digits; returns how many.
int reversed_decimal(std::uint64_t u, char* digits) {
  int k = 0;
  while (u >= 100) {
    unsigned r = static_cast<unsigned>(u % 100);
    u /= 100;
    digits[k++] = kDigitPairs[2 * r + 1];
    digits[k++] = kDigitPairs[2 * r];
  }
  if (u >= 10) {
    digits[k++] = kDigitPairs[2 * u + 1];
    digits[k++] = kDigitPairs[2 * u];
  } else {
    digits[k++] = static_cast<char>('0' + u);
  }
  return k;
}

int finish(bool negative, const char* digits, int k, char* out) {
  int len = 0;
  if (negative) out[len++] = '-';
  while (k > 0) out[len++] = digits[--k];
  out[len] = '\0';
  return len;
}

}  // namespace

int put_digits(char* out, std::uint64_t v, unsigned base, int min_digits) {
  char tmp[48];
  int k = 0;
  do {
    tmp[k++] = kUpperHexDigits[v % base];
    v /= base;
  } while (v != 0);
  if (min_digits > 24) min_digits = 24;
  while (k < min_digits) tmp[k++] = '0';
  for (int i = 0; i < k; ++i) out[i] = tmp[k - 1 - i];
  return k;
}

int decimal_text(long long v, char* out) {
  char digits[kDecimalTextSize];
  std::uint64_t u = v < 0 ? 0ULL - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  return finish(v < 0, digits, reversed_decimal(u, digits), out);
}

int unsigned_text(std::uint64_t v, char* out) {
  char digits[kDecimalTextSize];
  return finish(false, digits, reversed_decimal(v, digits), out);
}

}  // namespace vesk
