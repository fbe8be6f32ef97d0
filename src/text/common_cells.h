// The commonest cell of a code written straight from its bytes, without
// building the cell: a character of three UTF-8 bytes (from U+1000, short of
// the surrogates), the bulk of Japanese text in UTF-8. What is written is
// what the encoder writes for the decoded cell (the column writer's unit test
// compares both); any other case is left to the decoder.
#pragma once

#include "text/decoders.h"
#include "text/encoders.h"
#include "text/sjis_codes.h"
#include "text/unicode_display.h"

namespace vesk {

template <class Decoder, class Encoder>
struct CommonCell {
  static constexpr bool kHas = false;
  static int put(const unsigned char*, int, int, char*, int*) { return 0; }
};

// The code point of a three-byte sequence at p with a lead of 0xE1-0xEC or
// 0xEE-0xEF (whose second byte may be any continuation byte), or 0.
inline char32_t common_three_bytes(const unsigned char* p, int avail, int room) {
  if (room < 3 || avail < 3 || p[0] < 0xE1 || p[0] == 0xED || p[0] > 0xEF) return 0;
  if ((p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80) return 0;
  return (p[0] & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
}

// In the Shift_JIS report: a character that has a pair is the pair and a point.
template <>
struct CommonCell<Utf8Decoder, SjisEncoder> {
  static constexpr bool kHas = true;
  // Writes the cell at p (within the room of the line's bytes) to out: the
  // bytes it takes, or 0; *bytes gets the bytes written.
  static int put(const unsigned char* p, int avail, int room, char* out, int* bytes) {
    const char32_t cp = common_three_bytes(p, avail, room);
    if (cp == 0) return 0;
    const int sjis = sjis_of_unicode_fast(cp);
    if (sjis < 0x100) return 0;
    out[0] = static_cast<char>(sjis >> 8);
    out[1] = static_cast<char>(sjis & 0xFF);
    out[2] = '.';
    *bytes = 3;
    return 3;
  }
};

// In the UTF-8 report: a wide character is its own bytes and a point.
template <>
struct CommonCell<Utf8Decoder, Utf8Encoder> {
  static constexpr bool kHas = true;
  static int put(const unsigned char* p, int avail, int room, char* out, int* bytes) {
    const char32_t cp = common_three_bytes(p, avail, room);
    if (cp == 0 || unicode_display(cp) != UnicodeDisplay::wide) return 0;
    std::memcpy(out, p, 3);
    out[3] = '.';
    *bytes = 4;
    return 3;
  }
};

}  // namespace vesk
