// Text routines of the item renderers: which bytes may be shown, and making
// names, comments and character data safe to print.
#pragma once

namespace vesk {

// True when the character mode is Shift_JIS (no A, K, J, j, E or U letter).
bool sjis_mode();

// True when the byte is displayable in the current character mode: 0x20-0x7E,
// and 0xA1-0xDF except in the ASCII mode (-A).
bool is_displayable(unsigned char c);

// Replaces c by substitute when it is not displayable.
void mask_char(unsigned char& c, unsigned char substitute);

// Makes the first n bytes of text displayable in place (stopping at its end):
// Shift_JIS pairs are kept in the Shift_JIS mode, every other byte that is not
// displayable becomes a blank, so a lead byte cut off at the n-th byte does too.
void clean_text(char* text, int n);

// Replaces every non-displayable single byte of data[0..length) by '.', and
// lists in out what was replaced: "%02x" of each such byte, "." for a byte that
// was a '.' already, separated by blanks. out is cut to out_size - 1 bytes.
// Returns data.
unsigned char* edit_char_text(unsigned char* data, int length, char* out, int out_size);

// Copies text into out[0..width): Shift_JIS pairs kept whole (a pair that
// would pass the width is left out), the rest blank-padded. Returns width.
int copy_cut_text(char* out, const char* text, int width);

}  // namespace vesk
