#include "main/byte_count.h"

#include "common/ascii.h"

namespace vesk {

bool read_byte_count(const char* text, long long* out) {
  const char* p = text;
  int base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    base = 16;
    p += 2;
  }
  // Digits are summed while the value stays within the limit, so that no
  // step can overflow.
  unsigned long long value = 0;
  const char* digits = p;
  for (; *p; ++p) {
    int d = base == 16 ? hex_value(*p) : is_digit(*p) ? *p - '0' : -1;
    if (d < 0) break;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    if (value > static_cast<unsigned long long>(kMaxByteCount)) return false;
  }
  if (p == digits) return false;
  int shift = 0;
  switch (*p) {
    case 'k': case 'K': shift = 10; break;
    case 'm': case 'M': shift = 20; break;
    case 'g': case 'G': shift = 30; break;
    case '\0': break;
    default: return false;
  }
  if (shift != 0 && *++p != '\0') return false;
  if (value > static_cast<unsigned long long>(kMaxByteCount) >> shift) return false;
  *out = static_cast<long long>(value << shift);
  return true;
}

}  // namespace vesk
