#include "records/csv_line.h"

#include "records/record_text.h"
#include "text/sjis_codes.h"
#include "text/unicode_display.h"

namespace vesk {

namespace {

// The geta mark, 〓, in Shift_JIS.
constexpr unsigned char kSjisGeta[] = {0x81, 0xAC};

bool needs_quotes(std::u32string_view text) {
  for (char32_t c : text)
    if (c == ',' || c == '"' || c == '\r' || c == '\n') return true;
  return false;
}

}  // namespace

void CsvLine::put_character(char32_t c) {
  if (is_control_character(c) && c != '\t' && c != '\r' && c != '\n') {
    ++controls_;
    c = kReplacementCharacter;
  }
  if (c == '"') out_ += '"';
  if (!sjis_) {
    char u[4];
    out_.append(u, static_cast<std::size_t>(put_utf8(c, u)));
    return;
  }
  const int code = c < 0x80 ? static_cast<int>(c) : c == kReplacementCharacter ? -1 : sjis_of_unicode_fast(c);
  if (code < 0) {
    if (c != kReplacementCharacter) ++lacking_;
    out_.append(reinterpret_cast<const char*>(kSjisGeta), sizeof kSjisGeta);
  } else if (code < 0x100) {
    out_ += static_cast<char>(code);
  } else {
    out_ += static_cast<char>(code >> 8);
    out_ += static_cast<char>(code & 0xFF);
  }
}

void CsvLine::field_text(std::u32string_view text) {
  separate();
  const bool quoted = needs_quotes(text);
  if (quoted) out_ += '"';
  for (char32_t c : text) put_character(c);
  if (quoted) out_ += '"';
}

void CsvLine::field(const RecordValue& v) {
  if (v.fault != Fault::none) ++faulty_;
  switch (v.kind) {
    case RecordValue::Kind::null:
      separate();
      return;
    case RecordValue::Kind::number:
    case RecordValue::Kind::hex:
      separate();
      out_ += v.ascii;
      return;
    case RecordValue::Kind::text:
      field_text(v.text);
      return;
  }
}

}  // namespace vesk
