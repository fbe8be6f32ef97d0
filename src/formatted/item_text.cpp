#include "formatted/item_text.h"

#include "common/ascii.h"
#include "text/sjis_codes.h"

namespace vesk {

bool is_displayable(unsigned char c, CharMode mode) {
  if (is_printable_ascii(c)) return true;
  return mode != CharMode::ascii && c >= 0xA1 && c <= 0xDF;
}

void clean_text(char* text, int n, CharMode mode) {
  unsigned char* t = reinterpret_cast<unsigned char*>(text);
  int i = 0;
  while (i < n && t[i] != '\0') {
    if (sjis_mode(mode) && n - i >= 2 && is_sjis_pair(t[i], t[i + 1])) {
      i += 2;
      continue;
    }
    mask_char(t[i], ' ', mode);
    ++i;
  }
}

int copy_cut_text(char* out, const char* text, int width) {
  const unsigned char* t = reinterpret_cast<const unsigned char*>(text ? text : "");
  int i = 0;
  while (i < width && t[i] != '\0') {
    if (is_sjis_pair(t[i], t[i + 1])) {
      if (i + 2 > width) break;
      out[i] = static_cast<char>(t[i]);
      out[i + 1] = static_cast<char>(t[i + 1]);
      i += 2;
      continue;
    }
    out[i] = static_cast<char>(t[i]);
    ++i;
  }
  for (; i < width; ++i) out[i] = ' ';
  return width;
}

}  // namespace vesk
