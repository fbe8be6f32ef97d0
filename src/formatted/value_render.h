// Building list lines: the offset field, the value texts of the elements of
// each type, and wrapping onto continuation lines at the -l width. Shared by
// the list form of the formatted dump and the difference listing.
//
// Every renderer writes at column col of line (the text so far always ends
// with a zero byte), first writing the line and starting a continuation line
// of seven blanks when its wrap rule says so; it advances pos past the bytes
// it used and returns the new column. Values are read in the -v byte order.
#pragma once

#include "common/line_buffer.h"

namespace vesk {

// Writes the line through put_line and starts a continuation line (seven
// blanks). Returns 7, the column after them.
int write_line(LineBuffer& line);

// n blanks from column col (the text then ends after them). Returns col + n.
int put_blanks(LineBuffer& line, int col, int n);

// When col + n would pass the line width: write_line; else col unchanged.
int line_wrap(LineBuffer& line, int col, int n);

// " %04X: " (" %04d: " with -D) of the in-block position at the start of the
// line, replacing what was there. Returns the column after it (7).
int put_offset(LineBuffer& line, int pos);

// "[" the n bytes as characters "] ": Shift_JIS pairs (in the Shift_JIS mode)
// as they are, displayable bytes as they are, others as ".".
int put_char_value(LineBuffer& line, int col, const unsigned char* data, int& pos, int n);
// "[" two lower-case hex digits a byte "] ".
int put_hex_value(LineBuffer& line, int col, const unsigned char* data, int& pos, int n);
// "[%d] " for type 's', else "[%u] ".
int put_short_value(LineBuffer& line, int col, const unsigned char* data, int& pos, char type);
// "[%ld] " for types 'l' and 'i', else "[%lu] ".
int put_long_value(LineBuffer& line, int col, const unsigned char* data, int& pos, char type);
// "[%p] " (eight upper-case hex digits) of the 4-byte value; bytes 2 shows its
// low 16 bits. Four bytes are read; pos advances by bytes.
int put_pointer_value(LineBuffer& line, int col, const unsigned char* data, int& pos, int bytes);
// "[%s] " with floatToStr / dblToStr.
int put_float_value(LineBuffer& line, int col, const unsigned char* data, int& pos);
int put_double_value(LineBuffer& line, int col, const unsigned char* data, int& pos);

// The element at pos of a numeric type code, by its type's renderer (pointers
// with width 4).
int put_numeric_value(LineBuffer& line, int col, const unsigned char* data, int& pos, char type);

}  // namespace vesk
