#include "records/json_line.h"

#include <charconv>

#include "common/digits.h"
#include "records/record_text.h"
#include "text/unicode_display.h"

namespace vesk {

void append_json_string(std::string& out, std::u32string_view text) {
  out += '"';
  for (char32_t c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else if (is_control_character(c)) {
      switch (c) {
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: {
          const char escaped[] = {'\\', 'u', '0', '0', kLowerHexDigits[(c >> 4) & 15], kLowerHexDigits[c & 15]};
          out.append(escaped, sizeof escaped);
        }
      }
    } else {
      // Only a scalar value has a UTF-8 form.
      const bool scalar = c < 0x110000 && (c < 0xD800 || c > 0xDFFF);
      char u[4];
      out.append(u, static_cast<std::size_t>(put_utf8(scalar ? c : kReplacementCharacter, u)));
    }
  }
  out += '"';
}

void JsonLine::key_ascii(std::string_view name) {
  separate();
  out_ += '"';
  out_ += name;
  out_ += "\":";
  comma_ = false;
}

void JsonLine::integer(long long v) {
  char t[24];
  auto r = std::to_chars(t, t + sizeof t, v);
  plain(std::string_view(t, static_cast<std::size_t>(r.ptr - t)));
}

void JsonLine::string_ascii(std::string_view text) {
  separate();
  out_ += '"';
  out_ += text;
  out_ += '"';
  comma_ = true;
}

void JsonLine::value(const RecordValue& v) {
  switch (v.kind) {
    case RecordValue::Kind::null: return null();
    case RecordValue::Kind::number: return number(v.ascii);
    case RecordValue::Kind::hex: return string_ascii(v.ascii);
    case RecordValue::Kind::text: return string(v.text);
  }
}

}  // namespace vesk
