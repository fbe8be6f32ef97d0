// The character column of the plain dump: turns the bytes of a line into
// Shift_JIS display columns, one column per input byte, in the character mode
// of the run (ASCII, ASCII and kana, Shift_JIS, JIS, EUC-JP, UTF-8).
#pragma once

#include <cstdint>

#include "common/settings.h"

namespace vesk {

// The character mode of a run and the decoder state that lives for the whole
// run, across lines and blocks.
struct CharDecoder {
  CharDecoder() = default;
  CharDecoder(CharMode m, bool ctrl) : mode(m), show_ctrl(ctrl) {}

  CharMode mode = CharMode::sjis;
  bool show_ctrl = false;   // -j: the bytes of JIS escape sequences shown
  int jis_state = 0;        // 0 ASCII/Roman, 1 half-width kana, 2 kanji
  int esc_left = 0;         // escape-sequence bytes still to be shown
  char carry_text[4] = {};  // display of the part of a character that falls on the next line
  int carry_skip = 0;       // bytes at the start of the next line that belong to that character
};

// Shift_JIS double-byte test: lead 0x81-0x9F or 0xE0-0xFC, trail 0x40-0x7E or 0x80-0xFC.
inline int iskanji_sjis(int c1, int c2) {
  if (c1 < 0x80) return 0;
  bool lead = (c1 >= 0x81 && c1 <= 0x9F) || (c1 >= 0xE0 && c1 <= 0xFC);
  bool trail = (c2 >= 0x40 && c2 <= 0x7E) || (c2 >= 0x80 && c2 <= 0xFC);
  return lead && trail ? 1 : 0;
}

// Shift_JIS code of a 16-bit JIS code (high byte first), in 8-bit arithmetic.
std::uint16_t jis2sjis(std::uint16_t code);

// JIS: the state an escape sequence at p (3 bytes read) switches to: 2 kanji
// (ESC $@, ESC $B, ESC $D), 1 kana (ESC (I), 0 Roman/ASCII (ESC (J, ESC (B);
// -1 when none starts at p.
int jis_escape(const unsigned char* p);

// EUC-JP: length of the character at p (2, 3, or 0 for a single byte).
int euc_char_len(const unsigned char* p);
// Writes the display columns of the EUC character at p; returns the bytes consumed.
int euc2sjis(const unsigned char* p, char* dest);
// The same for a 3-byte code (first byte 0x8F); returns 3.
int euc3_2sjis(const unsigned char* p, char* dest);

// UTF-8: sequence length from the first byte (2, 3, 4, or 0 for a single byte).
int unicodeKanji(const unsigned char* p);
// Shift_JIS code of the sequence at p, or -1.
int unicode2sjis(const unsigned char* p);
// Binary search of unicodeTbl; -1 when the code point has no entry.
int sjis_of_unicode(std::uint32_t code);
// The same answer through a direct index of the Basic Multilingual Plane.
int sjis_of_unicode_fast(std::uint32_t code);

// Writes the display of the n bytes at data to dest (dest[0] is the column of
// data[0]), starting with the carry of a character split at the previous line's
// end, and sets the carry for the next line. May read up to 3 bytes past
// data[n - 1] and may write up to dest[n + 4]. A character that ends the line
// closes it with a zero byte; the result is that byte's column, or -1 when the
// line was not closed. Every other byte written is printable ASCII, half-width
// kana or part of a valid Shift_JIS pair; a converted byte outside them shows
// as ".".
int decode_chars(CharDecoder& st, char* dest, const unsigned char* data, int n);

}  // namespace vesk
