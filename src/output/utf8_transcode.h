// The UTF-8 form of a line of Shift_JIS text (the report's own texts: format
// file names and comments, the usage text, and lines built in their
// Shift_JIS form): the text decoded as Shift_JIS cells and each cell
// encoded in UTF-8, with its columns kept.
#pragma once

#include <cstddef>

namespace vesk {

// Bytes of UTF-8 written at most per Shift_JIS byte read: a half-width kana
// takes three, a pair whose character is a mark on its circle up to seven.
constexpr std::size_t kUtf8PerSjisByte = 4;

// Writes the UTF-8 form of the n Shift_JIS bytes at in to out and returns its
// length, at most kUtf8PerSjisByte * n: out must hold that many bytes. The
// same bytes as the UTF-8 cell encoder gives for the cells the Shift_JIS
// decoder makes of the text. Reads only the n bytes at in.
std::size_t sjis2utf8(const char* in, std::size_t n, char* out);

}  // namespace vesk
