#include "formatted/element_value.h"

#include <bit>
#include <cstring>

#include "common/digits.h"
#include "common/float_text.h"
#include "format/item_types.h"
#include "formatted/decimal_text.h"

namespace vesk {

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

long long sign_extend(uint64_t raw, int n) {
  if (n >= 8) return static_cast<long long>(raw);
  uint64_t sign = uint64_t{1} << (8 * n - 1);
  return static_cast<long long>((raw ^ sign) - sign);
}

namespace {

// "%08X" of a 32-bit value.
int pointer_text(uint32_t v, char (&text)[kValueTextSize]) {
  for (int i = 7; i >= 0; --i, v >>= 4) text[i] = kUpperHexDigits[v & 15];
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

int element_text(const ItemInf& m, const unsigned char* p, ByteOrder order, char (&text)[kValueTextSize]) {
  text[0] = '\0';
  const ItemType* t = item_type(m.type);
  if (t == nullptr) return 0;
  if (t->form == ValueForm::packed || t->form == ValueForm::zoned) {
    char d[kDecimalValueSize];
    int n = t->form == ValueForm::packed ? packed_text(p, m.length, m.scale, d) : zoned_text(p, m.length, m.scale, d);
    return n < 0 ? kNoValue : copy_text(d, text);
  }
  if (t->size == 0) return 0;
  uint64_t raw = read_element(p, t->size, order);
  switch (t->form) {
    case ValueForm::signed_int:
      return decimal_text(sign_extend(raw, t->size), text);
    case ValueForm::unsigned_int:
      return unsigned_text(raw, text);
    case ValueForm::pointer:
      return pointer_text(static_cast<uint32_t>(raw), text);
    case ValueForm::float32: {
      char f[kFloatTextSize];
      float v = std::bit_cast<float>(static_cast<uint32_t>(raw));
      return copy_text(floatToStr(static_cast<double>(v), f), text);
    }
    case ValueForm::float64: {
      char f[kFloatTextSize];
      return copy_text(dblToStr(std::bit_cast<double>(raw), f), text);
    }
    case ValueForm::text:
    case ValueForm::hex:
    case ValueForm::packed:
    case ValueForm::zoned:
    case ValueForm::structure:
      break;
  }
  return 0;
}

int element_text(char type, const unsigned char* p, ByteOrder order, char (&text)[kValueTextSize]) {
  ItemInf m;
  m.type = type;
  m.length = static_cast<int16_t>(numeric_size(type));
  return element_text(m, p, order, text);
}

}  // namespace vesk
