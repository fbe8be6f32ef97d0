// Building list lines: the offset field, the value text of an element of
// each item type, and wrapping onto continuation lines at the -l width.
// Shared by the list form of the formatted dump and the difference listing.
//
// Every renderer writes at column col of the printer's line (the text so far
// always ends with a zero byte), first writing the line and starting a
// continuation line of seven blanks when its wrap rule says so; it advances
// pos past the bytes it used and returns the new column. Numbers are read in
// the list's byte order.
#pragma once

#include "format/item_types.h"
#include "formatted/element_value.h"
#include "formatted/form_printer.h"
#include "text/codec.h"

namespace vesk {

// Writes the line through put_line and starts a continuation line (seven
// blanks). Returns 7, the column after them.
int write_line(FormPrinter& p);

// When col + n would pass the line width: write_line; else col unchanged.
int line_wrap(FormPrinter& p, int col, int n);

// " %04X: " (" %04d: " with -D) of the in-block position at the start of the
// line, replacing what was there. Returns the column after it (7).
int put_offset(FormPrinter& p, int pos);

// One element of item m, the len bytes at pos (its size, or what the end of
// the data leaves of a text element), as the list forms show it, by the
// renderer of the item's type:
// - text: "[" its characters in the item's code, one column a byte "] ";
// - hex: "[" two lower-case hex digits a byte "] ";
// - numbers: "[" the value text "] "; a decimal whose bytes are no number
//   shows them as put_cut_rest does.
// A value that fits on the line goes straight into it; one that reaches the
// line's end follows the wrap rules.
int put_value(FormPrinter& p, int col, const unsigned char* data, int& pos, const ItemInf& m, int len);
// The same for an item whose type is shown in form.
int put_value(FormPrinter& p, int col, const unsigned char* data, int& pos, const ItemInf& m, int len,
              ValueForm form);
// put_value's short way: the value of an element that fits on the line
// whole, written straight into it (text, hex and numbers of a fixed size).
// Returns the column after it, or -1 when the value does not fit, or takes
// the wrap rules' way, and the line ends at col as before.
int put_value_straight(FormPrinter& p, int col, const unsigned char* data, int pos, const ItemInf& m, int len,
                       ValueForm form);

// The columns the list form keeps for a value of len bytes of item m: a
// value that would pass the line starts a new one first. 0 for the values
// that wrap by themselves.
int value_columns(const ItemInf& m, int len);
// The same for a type shown in form.
int value_columns(ValueForm form, int len);
// The room the difference listing keeps after an element's first value for
// ": " and the second one; 0 where it keeps none.
int value_room(const ItemInf& m, int len);

// The n bytes at pos in hex, marked as no value: "[" two digits a byte "]x ",
// wrapped like a value. Shows the bytes left of a numeric element cut by the
// end of the data, and a decimal element with a bad digit or sign.
int put_cut_rest(FormPrinter& p, int col, const unsigned char* data, int pos, int n);

}  // namespace vesk
