#include "formatted/element_value.h"

#include <bit>
#include <cstdio>
#include <cstring>

#include "common/float_text.h"
#include "main/settings.h"

namespace vesk {

ByteOrder list_byte_order() {
  return settings.byte_swap ? ByteOrder::lsb_first : ByteOrder::msb_first;
}

void swap_bytes(unsigned char* buffer, int n) {
  for (int i = 0; i < n / 2; ++i) {
    unsigned char t = buffer[i];
    buffer[i] = buffer[n - 1 - i];
    buffer[n - 1 - i] = t;
  }
}

uint64_t read_element(const unsigned char* p, int n, ByteOrder order) {
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

int numeric_size(char type) {
  switch (type) {
    case 's': case 'S':
      return 2;
    case 'i': case 'I': case 'l': case 'L': case 'p': case 'P': case 'f':
      return 4;
    case 'd':
      return 8;
    default:
      return 0;
  }
}

namespace {

// "%d" / "%u" of a 32-bit value without a formatted print (the list form
// prints hundreds of thousands of them). Returns the length.
int decimal_text(long long v, char (&text)[kValueTextSize]) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  char digits[24];
  int k = 0;
  unsigned long long u = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  // Two digits at a time, written backwards.
  while (u >= 100) {
    unsigned r = static_cast<unsigned>(u % 100);
    u /= 100;
    digits[k++] = kPairs[2 * r + 1];
    digits[k++] = kPairs[2 * r];
  }
  if (u >= 10) {
    digits[k++] = kPairs[2 * u + 1];
    digits[k++] = kPairs[2 * u];
  } else {
    digits[k++] = static_cast<char>('0' + u);
  }
  int len = 0;
  if (v < 0) text[len++] = '-';
  while (k > 0) text[len++] = digits[--k];
  text[len] = '\0';
  return len;
}

// "%08X" of a 32-bit value.
int pointer_text(uint32_t v, char (&text)[kValueTextSize]) {
  for (int i = 7; i >= 0; --i, v >>= 4) text[i] = "0123456789ABCDEF"[v & 15];
  text[8] = '\0';
  return 8;
}

// A text cut to fit; returns its length.
int copy_text(const char* from, char (&text)[kValueTextSize]) {
  std::size_t n = strnlen(from, kValueTextSize - 1);
  std::memcpy(text, from, n);
  text[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace

int element_text(char type, const unsigned char* p, ByteOrder order, char (&text)[kValueTextSize]) {
  text[0] = '\0';
  int n = numeric_size(type);
  if (n == 0) return 0;
  uint64_t raw = read_element(p, n, order);
  switch (type) {
    case 's':
      return decimal_text(static_cast<int16_t>(raw), text);
    case 'S':
      return decimal_text(static_cast<uint16_t>(raw), text);
    case 'i': case 'l':
      return decimal_text(static_cast<int32_t>(raw), text);
    case 'I': case 'L':
      return decimal_text(static_cast<uint32_t>(raw), text);
    case 'p': case 'P':
      return pointer_text(static_cast<uint32_t>(raw), text);
    case 'f': {
      char t[kFloatTextSize];
      float f = std::bit_cast<float>(static_cast<uint32_t>(raw));
      return copy_text(floatToStr(static_cast<double>(f), t), text);
    }
    case 'd': {
      char t[kFloatTextSize];
      return copy_text(dblToStr(std::bit_cast<double>(raw), t), text);
    }
  }
  return static_cast<int>(std::strlen(text));
}

}  // namespace vesk
