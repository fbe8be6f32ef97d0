// The UTF-8 form of a Shift_JIS report line, with its columns kept: each
// character takes as many terminal columns as its Shift_JIS form has bytes.
#pragma once

#include <cstddef>

namespace vesk {

// Which character a Shift_JIS pair stands for.
enum class SjisMapping {
  standard,    // CP932, then Shift_JIS-2004 where CP932 has nothing
  utf8_input,  // the characters that UTF-8 input (-U) was converted from, else standard
};

// Bytes of UTF-8 written at most per Shift_JIS byte read.
constexpr std::size_t kUtf8PerSjisByte = 3;

// Writes the UTF-8 form of the n Shift_JIS bytes at in to out and returns its
// length, at most kUtf8PerSjisByte * n: out must hold that many bytes.
// Printable ASCII stays as it is; a half-width kana byte becomes U+FF61-U+FF9F;
// a pair becomes its character, followed by a blank when the character is
// narrow, or U+3013 when it stands for no character. Any other byte (a lead
// byte without its trail, a control byte, 0x7F, 0x80, 0xA0, 0xFD-0xFF) becomes
// ".", so a line is passed without its newline. Reads only the n bytes at in.
std::size_t sjis2utf8(const char* in, std::size_t n, char* out, SjisMapping mapping);

}  // namespace vesk
