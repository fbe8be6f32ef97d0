#include "formatted/element_value.h"

#include <bit>
#include <cstring>

#include "common/digits.h"
#include "common/float_text.h"
#include "formatted/decimal_text.h"

namespace vesk {

void swap_bytes(unsigned char* buffer, int n) {
  for (int i = 0; i < n / 2; ++i) {
    unsigned char t = buffer[i];
    buffer[i] = buffer[n - 1 - i];
    buffer[n - 1 - i] = t;
  }
}

long long sign_extend(uint64_t raw, int n) {
  if (n >= 8) return static_cast<long long>(raw);
  uint64_t sign = uint64_t{1} << (8 * n - 1);
  return static_cast<long long>((raw ^ sign) - sign);
}

namespace {

// "%08X" of a 32-bit value.
int pointer_text(uint32_t v, char* out) {
  for (int i = 7; i >= 0; --i, v >>= 4) out[i] = kUpperHexDigits[v & 15];
  return 8;
}

// A zero-terminated text cut to fit; returns its length.
int copy_text(const char* from, char* out) {
  std::size_t n = strnlen(from, kValueTextSize - 1);
  std::memcpy(out, from, n);
  return static_cast<int>(n);
}

}  // namespace

int other_number_text(ValueForm form, int size, const unsigned char* p, ByteOrder order, char* out) {
  if (size < 1) return 0;
  const uint64_t raw = read_element(p, size, order);
  switch (form) {
    case ValueForm::pointer:
      return pointer_text(static_cast<uint32_t>(raw), out);
    case ValueForm::float32: {
      char f[kFloatTextSize];
      float v = std::bit_cast<float>(static_cast<uint32_t>(raw));
      return copy_text(floatToStr(static_cast<double>(v), f), out);
    }
    case ValueForm::float64: {
      char f[kFloatTextSize];
      return copy_text(dblToStr(std::bit_cast<double>(raw), f), out);
    }
    case ValueForm::signed_int:
    case ValueForm::unsigned_int:
    case ValueForm::text:
    case ValueForm::hex:
    case ValueForm::packed:
    case ValueForm::zoned:
    case ValueForm::structure:
      break;
  }
  return 0;
}

int element_text(const ItemInf& m, const unsigned char* p, ByteOrder order, char (&text)[kValueTextSize]) {
  text[0] = '\0';
  const ItemType* t = item_type(m.type);
  if (t == nullptr) return 0;
  if (t->form == ValueForm::packed || t->form == ValueForm::zoned) {
    char d[kDecimalValueSize];
    int n = t->form == ValueForm::packed ? packed_text(p, m.length, m.scale, d) : zoned_text(p, m.length, m.scale, d);
    if (n < 0) return kNoValue;
    n = copy_text(d, text);
    text[n] = '\0';
    return n;
  }
  const int n = fixed_number_text(t->form, t->size, p, order, text);
  text[n] = '\0';
  return n;
}

int element_text(char type, const unsigned char* p, ByteOrder order, char (&text)[kValueTextSize]) {
  ItemInf m;
  m.type = type;
  m.length = static_cast<int16_t>(numeric_size(type));
  return element_text(m, p, order, text);
}

}  // namespace vesk
