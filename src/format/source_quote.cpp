#include "format/source_quote.h"

#include <string>

#include "common/digits.h"
#include "common/messages.h"
#include "common/text_scan.h"
#include "output/utf8_transcode.h"

namespace vesk {

namespace {

// Appends the shown form of n bytes, in Shift_JIS or UTF-8.
void append_shown(std::string& out, const char* text, int n, bool utf8) {
  if (n <= 0) return;
  std::string shown(static_cast<std::size_t>(n), '.');
  shown_bytes(text, n, shown.data());
  if (!utf8) {
    out += shown;
    return;
  }
  std::string wide(kUtf8PerSjisByte * static_cast<std::size_t>(n), '\0');
  wide.resize(sjis2utf8(shown.data(), shown.size(), wide.data()));
  out += wide;
}

}  // namespace

void shown_bytes(const char* text, int n, char* out) {
  const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
  int i = 0;
  while (i < n) {
    if (i + 1 < n && is_sjis_lead(t[i]) && is_sjis_trail(t[i + 1])) {
      out[i] = text[i];
      out[i + 1] = text[i + 1];
      i += 2;
      continue;
    }
    out[i] = is_shown_single(t[i]) ? text[i] : '.';
    ++i;
  }
}

void quote_source(const SourceLine& line, int column, const char* note, bool utf8) {
  if (line.text == nullptr) return;
  char number[kDecimalTextSize];
  int digits = decimal_text(line.number, number);
  std::string out = " ";
  out.append(number, static_cast<std::size_t>(digits));
  out += " | ";
  append_shown(out, line.text, line.length, utf8);
  out += '\n';
  out.append(static_cast<std::size_t>(digits) + 1, ' ');
  out += " | ";
  if (column > line.length) column = line.length;
  if (column > 0) out.append(static_cast<std::size_t>(column), ' ');
  out += '^';
  if (note != nullptr && note[0] != '\0') {
    out += ' ';
    append_shown(out, note, static_cast<int>(std::char_traits<char>::length(note)), utf8);
  }
  out += '\n';
  write_message(out.data(), out.size());
}

void write_hint(const char* text, bool utf8) {
  std::string out = "  ";
  append_shown(out, text, static_cast<int>(std::char_traits<char>::length(text)), utf8);
  out += '\n';
  write_message(out.data(), out.size());
}

}  // namespace vesk
