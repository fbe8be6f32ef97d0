#include "formatted/decimal_text.h"

namespace vesk {

namespace {

// Writes the digits (values 0 to 9), count of them, as a number with scale
// digits after the point. Returns the length.
int put_decimal(const unsigned char* digits, int count, bool negative, int scale, char (&out)[kDecimalValueSize]) {
  if (scale < 0) scale = 0;
  if (scale > count) scale = count;
  int n = 0;
  if (negative) out[n++] = '-';
  int whole = count - scale;
  int first = 0;
  while (first < whole - 1 && digits[first] == 0) ++first;
  if (whole == 0) out[n++] = '0';
  for (int i = first; i < whole; ++i) out[n++] = static_cast<char>('0' + digits[i]);
  if (scale > 0) {
    out[n++] = '.';
    for (int i = whole; i < count; ++i) out[n++] = static_cast<char>('0' + digits[i]);
  }
  out[n] = '\0';
  return n;
}

// The sign and digit of the last byte of a zoned decimal; false when it is
// none of them.
bool zoned_last(unsigned char b, int* digit, bool* negative) {
  *negative = false;
  if (b >= '0' && b <= '9') {
    *digit = b - '0';
  } else if (b == '{') {
    *digit = 0;
  } else if (b >= 'A' && b <= 'I') {
    *digit = b - 'A' + 1;
  } else if (b == '}') {
    *digit = 0;
    *negative = true;
  } else if (b >= 'J' && b <= 'R') {
    *digit = b - 'J' + 1;
    *negative = true;
  } else if (b >= 'p' && b <= 'y') {
    *digit = b - 'p';
    *negative = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool packed_digits(const unsigned char* p, int n, DecimalDigits& out) {
  int count = 2 * n - 1;
  if (n < 1 || count > kMaxDecimalDigits) return false;
  for (int i = 0; i < count; ++i) {
    int nibble = (i % 2 == 0) ? p[i / 2] >> 4 : p[i / 2] & 0x0F;
    if (nibble > 9) return false;
    out.digits[i] = static_cast<unsigned char>(nibble);
  }
  int sign = p[n - 1] & 0x0F;
  if (sign != 0x0C && sign != 0x0D && sign != 0x0F) return false;
  out.count = count;
  out.negative = sign == 0x0D;
  return true;
}

bool zoned_digits(const unsigned char* p, int n, DecimalDigits& out) {
  if (n < 1 || n > kMaxDecimalDigits) return false;
  for (int i = 0; i < n - 1; ++i) {
    if (p[i] < '0' || p[i] > '9') return false;
    out.digits[i] = static_cast<unsigned char>(p[i] - '0');
  }
  int last = 0;
  bool negative = false;
  if (!zoned_last(p[n - 1], &last, &negative)) return false;
  out.digits[n - 1] = static_cast<unsigned char>(last);
  out.count = n;
  out.negative = negative;
  return true;
}

int packed_text(const unsigned char* p, int n, int scale, char (&out)[kDecimalValueSize]) {
  DecimalDigits d;
  if (!packed_digits(p, n, d)) return -1;
  return put_decimal(d.digits, d.count, d.negative, scale, out);
}

int zoned_text(const unsigned char* p, int n, int scale, char (&out)[kDecimalValueSize]) {
  DecimalDigits d;
  if (!zoned_digits(p, n, d)) return -1;
  return put_decimal(d.digits, d.count, d.negative, scale, out);
}

}  // namespace vesk
