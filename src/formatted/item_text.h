// Text routines of the item renderers: which bytes may be shown, and making
// names, comments and character data safe to print.
#pragma once

#include "common/settings.h"

namespace vesk {

// True when the character mode is Shift_JIS (no A, K, J, j, E or U letter):
// only then are Shift_JIS pairs of the data shown as such.
inline bool sjis_mode(CharMode mode) { return mode == CharMode::sjis; }

// True when the byte is displayable in the character mode: 0x20-0x7E, and
// 0xA1-0xDF except in the ASCII mode (-A).
bool is_displayable(unsigned char c, CharMode mode);

// Replaces c by substitute when it is not displayable.
inline void mask_char(unsigned char& c, unsigned char substitute, CharMode mode) {
  if (!is_displayable(c, mode)) c = substitute;
}

// Makes the first n bytes of text displayable in place (stopping at its end):
// Shift_JIS pairs are kept in the Shift_JIS mode, every other byte that is not
// displayable becomes a blank, so a lead byte cut off at the n-th byte does too.
void clean_text(char* text, int n, CharMode mode);

// Copies text into out[0..width): Shift_JIS pairs kept whole (a pair that
// would pass the width is left out), the rest blank-padded. Returns width.
int copy_cut_text(char* out, const char* text, int width);

}  // namespace vesk
