// The line of the format file that a message is about, shown under the
// message with a caret under the word at fault, as compilers do:
//
//   t.fmt: illegal data type (line is 3)
//    3 |  shrot year;
//      |  ^ did you mean short?
//
// A format file may hold any byte: the line is shown as the report shows
// text (printable ASCII, half-width kana and Shift_JIS pairs as they are,
// every other byte as "."), in Shift_JIS or, for a terminal that reads it,
// in UTF-8 with its columns kept, so that the caret stays under its word.
#pragma once

namespace vesk {

// A line as read from the format file.
struct SourceLine {
  const char* text = nullptr;
  int length = 0;          // its bytes (a NUL byte among them included)
  long long number = 0;    // its line number
};

// Writes " N | <line>" and "   | <blanks>^ <note>" to standard error.
// column: the caret's, in bytes from the line's start (at most its length);
// note: text after the caret, or null. utf8: written in UTF-8.
void quote_source(const SourceLine& line, int column, const char* note, bool utf8);

// Writes "  <text>" to standard error, as a line that follows a message.
// The text (which may hold names of the format file) is shown as a line is.
void write_hint(const char* text, bool utf8);

// Copies the n bytes at text as the report shows them: Shift_JIS pairs,
// printable ASCII and half-width kana as they are, any other byte as ".".
// out holds n bytes (nothing is added, nothing ended).
void shown_bytes(const char* text, int n, char* out);

}  // namespace vesk
