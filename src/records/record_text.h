// Text as records carry it: Unicode characters read from the cells of a
// code, never through Shift_JIS.
#pragma once

#include <string>

#include "text/codec.h"

namespace vesk {

// Stands for bytes that are no character in their code.
constexpr char32_t kReplacementCharacter = 0xFFFD;

// Appends the characters of the n bytes at p read in codec, from its first
// state, to out. A control is a character like any other; the bytes of an
// escape sequence (JIS) switch the code and stand for no character, so they
// are left out; bytes that begin no character, and codes that stand for none,
// become U+FFFD. Returns false when any byte became U+FFFD.
bool decode_text(const Codec& codec, const unsigned char* p, int n, std::u32string& out);

// The characters of a name or comment of the format file, which is
// Shift_JIS text, read as decode_text reads it.
std::u32string format_file_text(const char* text);

// A control character: C0, DEL or C1.
constexpr bool is_control_character(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

}  // namespace vesk
