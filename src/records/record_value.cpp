#include "records/record_value.h"

#include <bit>
#include <charconv>
#include <cmath>

#include "common/digits.h"
#include "format/item_types.h"
#include "formatted/decimal_text.h"
#include "formatted/element_value.h"
#include "records/record_text.h"

namespace vesk {

namespace {

template <class T>
void append_number(std::string& out, T value) {
  char t[40];
  auto r = std::to_chars(t, t + sizeof t, value);
  out.append(t, r.ptr);
}

// The digits as a number with scale digits after the point: leading zeros
// dropped but one before the point, "-" for a negative sign (also of zero).
void append_decimal(std::string& out, const DecimalDigits& d, int scale) {
  if (scale < 0) scale = 0;
  if (scale > d.count) scale = d.count;
  if (d.negative) out += '-';
  const int whole = d.count - scale;
  int first = 0;
  while (first < whole - 1 && d.digits[first] == 0) ++first;
  if (whole == 0) out += '0';
  for (int i = first; i < whole; ++i) out += static_cast<char>('0' + d.digits[i]);
  if (scale > 0) {
    out += '.';
    for (int i = whole; i < d.count; ++i) out += static_cast<char>('0' + d.digits[i]);
  }
}

void append_hex(std::string& out, const unsigned char* p, int n) {
  for (int i = 0; i < n; ++i) out.append(kHexPairs.digits[p[i]], 2);
}

void set_null(RecordValue& v, Fault f) {
  v.kind = RecordValue::Kind::null;
  v.fault = f;
}

template <class Float>
void set_float(RecordValue& v, Float value) {
  if (!std::isfinite(value)) return set_null(v, Fault::not_finite);
  v.kind = RecordValue::Kind::number;
  append_number(v.ascii, value);
}

void read_number(const ItemType& t, const ItemInf& m, const unsigned char* p, ByteOrder order, RecordValue& v) {
  if (t.form == ValueForm::packed || t.form == ValueForm::zoned) {
    DecimalDigits d;
    const bool ok = t.form == ValueForm::packed ? packed_digits(p, m.length, d) : zoned_digits(p, m.length, d);
    if (!ok) return set_null(v, Fault::not_a_number);
    v.kind = RecordValue::Kind::number;
    append_decimal(v.ascii, d, m.scale);
    return;
  }
  const std::uint64_t raw = read_element(p, t.size, order);
  switch (t.form) {
    case ValueForm::signed_int:
      v.kind = RecordValue::Kind::number;
      append_number(v.ascii, sign_extend(raw, t.size));
      return;
    case ValueForm::unsigned_int:
      v.kind = RecordValue::Kind::number;
      append_number(v.ascii, raw);
      return;
    case ValueForm::pointer: {
      v.kind = RecordValue::Kind::hex;
      const auto value = static_cast<std::uint32_t>(raw);
      for (int shift = 28; shift >= 0; shift -= 4) v.ascii += kUpperHexDigits[(value >> shift) & 15];
      return;
    }
    case ValueForm::float32:
      return set_float(v, std::bit_cast<float>(static_cast<std::uint32_t>(raw)));
    case ValueForm::float64:
      return set_float(v, std::bit_cast<double>(raw));
    case ValueForm::text:
    case ValueForm::hex:
    case ValueForm::packed:
    case ValueForm::zoned:
    case ValueForm::structure:
      break;
  }
}

}  // namespace

const char* fault_text(Fault f) {
  switch (f) {
    case Fault::none: return "";
    case Fault::not_a_number: return "not a number";
    case Fault::not_finite: return "not a finite number";
    case Fault::cut: return "cut by the end of the data";
    case Fault::not_a_character: return "not a character in its code";
  }
  return "";
}

void read_record_value(const FormView& view, const ItemInf& m, const unsigned char* data, const ElementRef& e,
                       RecordValue& v) {
  v.kind = RecordValue::Kind::null;
  v.fault = Fault::none;
  v.ascii.clear();
  v.text.clear();
  const ItemType* t = item_type(m.type);
  if (t == nullptr || t->form == ValueForm::structure) return;
  // Only the bytes the data holds are read: an element past the end has none.
  if (t->form == ValueForm::text || t->form == ValueForm::hex) {
    if (e.len <= 0) return set_null(v, Fault::cut);
    const unsigned char* p = data + e.pos;
    if (t->form == ValueForm::hex) {
      v.kind = RecordValue::Kind::hex;
      append_hex(v.ascii, p, e.len);
    } else {
      v.kind = RecordValue::Kind::text;
      if (!decode_text(view.text_codec(m), p, e.len, v.text)) v.fault = Fault::not_a_character;
    }
    if (e.cut) v.fault = Fault::cut;
    return;
  }
  if (e.cut) return set_null(v, Fault::cut);
  read_number(*t, m, data + e.pos, view.list_order, v);
}

}  // namespace vesk
