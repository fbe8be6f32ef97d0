// The char items of a format file that states its text code (#CODE): the
// bytes of an element cut into the characters of that code and shown through
// the plain dump's decoders (dump/char_decode), one display column per byte.
#pragma once

#include "dump/char_decode.h"

namespace vesk {

// One step through an element: a character, or one byte that is no part of
// a character of the code (a character cut by the element's end leaves such
// bytes).
struct CodedUnit {
  int len = 0;             // bytes of the data it stands for (1 to 4)
  bool multibyte = false;  // a character of two or more bytes
  char cols[4] = {};       // its display: one column a byte, printable ASCII,
                           // half-width kana or valid Shift_JIS pairs
};

class CodedChars {
 public:
  // Starts at the first of the n bytes at data, in the code's initial state
  // (JIS: ASCII).
  CodedChars(CharMode code, bool show_ctrl, const unsigned char* data, int n);

  // The next unit; false after the last.
  bool next(CodedUnit& u);

 private:
  CharDecoder st_;
  const unsigned char* data_;
  int n_;
  int at_ = 0;
};

// What the map writes in the cell of a multibyte character's first byte: its
// display without the points the decoder fills its other columns with, at
// most two bytes (a Shift_JIS pair or one or two single bytes); "." when
// nothing is left (a character the decoder cannot show). Returns the length.
int coded_cell_text(const CodedUnit& u, char (&out)[2]);

}  // namespace vesk
