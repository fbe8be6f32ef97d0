// Byte-string scanning over zero-terminated Shift_JIS text.
#pragma once

#include "common/ascii.h"

namespace vesk {

// A Shift_JIS lead byte: 0x81-0x9F or 0xE0-0xFC.
constexpr bool is_sjis_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
// A Shift_JIS trail byte: 0x40-0x7E or 0x80-0xFC.
constexpr bool is_sjis_trail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }
// A half-width kana byte: 0xA1-0xDF.
constexpr bool is_half_width_kana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }
// A byte the report may show on its own: printable ASCII or a half-width kana.
constexpr bool is_shown_single(unsigned char c) { return is_printable_ascii(c) || is_half_width_kana(c); }

// First byte of s equal to c; a zero c is never found.
const char* index(const char* s, int c);
// Like index, but steps over double-byte characters (c may match a lead byte).
const char* Strchr(const char* s, int c);
// First position of s where t follows; null for an empty s.
const char* index1(const char* s, const char* t);
// First single-byte character of s that occurs in set; double-byte characters never match.
const char* index2(const char* s, const char* set);
// Skips blanks and tabs.
const char* sp_skip(const char* s);
// Skips a word: up to a blank, tab, newline or full-width space.
const char* chr_skip(const char* s);
// 1 when the word at s (up to blank, tab, newline or end) is all digits.
int isnum(const char* s);

// Mutable-pointer overloads for callers that edit the text they scan.
inline char* index(char* s, int c) { return const_cast<char*>(index(static_cast<const char*>(s), c)); }
inline char* Strchr(char* s, int c) { return const_cast<char*>(Strchr(static_cast<const char*>(s), c)); }
inline char* index1(char* s, const char* t) { return const_cast<char*>(index1(static_cast<const char*>(s), t)); }
inline char* index2(char* s, const char* set) { return const_cast<char*>(index2(static_cast<const char*>(s), set)); }
inline char* sp_skip(char* s) { return const_cast<char*>(sp_skip(static_cast<const char*>(s))); }
inline char* chr_skip(char* s) { return const_cast<char*>(chr_skip(static_cast<const char*>(s))); }

}  // namespace vesk
