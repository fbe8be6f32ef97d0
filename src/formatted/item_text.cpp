#include "formatted/item_text.h"

#include <cstdio>
#include <cstring>

#include "dump/char_decode.h"
#include "main/settings.h"

namespace vesk {

namespace {
constexpr int kAsciiMode = 1;
constexpr int kSjisMode = 3;
}  // namespace

bool sjis_mode() { return settings.char_mode == kSjisMode; }

bool is_displayable(unsigned char c) {
  if (c >= 0x20 && c <= 0x7E) return true;
  return settings.char_mode != kAsciiMode && c >= 0xA1 && c <= 0xDF;
}

void mask_char(unsigned char& c, unsigned char substitute) {
  if (!is_displayable(c)) c = substitute;
}

void clean_text(char* text, int n) {
  unsigned char* t = reinterpret_cast<unsigned char*>(text);
  int i = 0;
  while (i < n && t[i] != '\0') {
    if (sjis_mode() && n - i >= 2 && iskanji_sjis(t[i], t[i + 1])) {
      i += 2;
      continue;
    }
    mask_char(t[i], ' ');
    ++i;
  }
}

unsigned char* edit_char_text(unsigned char* data, int length, char* out, int out_size) {
  int len = 0;
  auto append = [&](const char* s) {
    for (; *s != '\0' && len < out_size - 1; ++s) out[len++] = *s;
  };
  if (out_size > 0) out[0] = '\0';
  int i = 0;
  while (i < length) {
    if (sjis_mode() && length - i >= 2 && iskanji_sjis(data[i], data[i + 1])) {
      i += 2;
      continue;
    }
    unsigned char code = data[i];
    mask_char(data[i], '.');
    if (data[i] == '.') {
      if (code == '.') {
        append(". ");
      } else {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x ", code);
        append(hex);
      }
    }
    ++i;
  }
  if (len > 0) --len;  // the trailing blank
  if (out_size > 0) out[len] = '\0';
  return data;
}

int copy_cut_text(char* out, const char* text, int width) {
  const unsigned char* t = reinterpret_cast<const unsigned char*>(text ? text : "");
  int i = 0;
  while (i < width && t[i] != '\0') {
    if (iskanji_sjis(t[i], t[i + 1])) {
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
