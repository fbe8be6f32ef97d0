// Building list lines: the offset field, the value texts of the elements of
// each type, and wrapping onto continuation lines at the -l width. Shared by
// the list form of the formatted dump and the difference listing.
//
// Every renderer writes at column col of the printer's line (the text so far
// always ends with a zero byte), first writing the line and starting a
// continuation line of seven blanks when its wrap rule says so; it advances
// pos past the bytes it used and returns the new column. Numbers are read in
// the -v byte order.
#pragma once

#include "formatted/form_printer.h"

namespace vesk {

// Writes the line through put_line and starts a continuation line (seven
// blanks). Returns 7, the column after them.
int write_line(FormPrinter& p);

// When col + n would pass the line width: write_line; else col unchanged.
int line_wrap(FormPrinter& p, int col, int n);

// " %04X: " (" %04d: " with -D) of the in-block position at the start of the
// line, replacing what was there. Returns the column after it (7).
int put_offset(FormPrinter& p, int pos);

// "[" the n bytes as characters "] ": Shift_JIS pairs (in the Shift_JIS mode)
// as they are, displayable bytes as they are, others as "."; or, when the
// item's text has a code (text_code_of), its characters in that code.
int put_char_value(FormPrinter& p, int col, const unsigned char* data, int& pos, int n, TextCode code);
// "[" two lower-case hex digits a byte "] ".
int put_hex_value(FormPrinter& p, int col, const unsigned char* data, int& pos, int n);
// "[" the value text of the element at pos of item m, a type shown as a
// number, "] ". A packed or zoned element whose bytes are no valid number
// shows them as an element cut by the end of the data does: put_cut_rest.
int put_numeric_value(FormPrinter& p, int col, const unsigned char* data, int& pos, const ItemInf& m);
// The same for a type of fixed size.
int put_numeric_value(FormPrinter& p, int col, const unsigned char* data, int& pos, char type);

// The n bytes at pos in hex, marked as no value: "[" two digits a byte "]x ",
// wrapped like a value. Shows the bytes left of a numeric element cut by the
// end of the data, and a decimal element with a bad digit or sign.
int put_cut_rest(FormPrinter& p, int col, const unsigned char* data, int pos, int n);

}  // namespace vesk
