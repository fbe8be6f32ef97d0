// The "#" statements and simple typedefs of a format file, and the copies of
// text the definition tables point to.
#pragma once

namespace vesk {

// A copy of the text: leading blanks skipped, at most 511 bytes taken,
// trailing blanks removed, stored in just the bytes it needs.
char* save_str(const char* text);
// save_str of the bytes from begin up to end.
char* save_word(const char* begin, const char* end);

// The numbers a "#BLNO" line gives.
struct BlnoRange {
  int from_blk = 0;
  int to_blk = 0;
  int offset = -1;
  const char* comment = nullptr;
};

// Reads the text after "#BLNO"; 0, or -1 after a message with the line number.
int parse_blno(const char* text, int line_no, BlnoRange* range);

// Adds a #define entry from the text after "#define"; 0, or -1 after a message.
int add_define(const char* text);

enum class RenameKind { rename, typedef_ };
// Adds a ren_inf entry from the text after "#REN" or "typedef"; 0, or -1 after
// a message.
int add_rename(RenameKind kind, const char* text);

// A decimal number read like atoi (leading white space, optional sign, the
// digits that follow; no digit reads 0); a number too large for 64 bits reads
// as the largest one of its sign, never wrapping.
long long read_number(const char* text);

// The code of a type word matched by its beginning, or 0. The item parser and
// typedef differ only in two spellings, so each passes its own list.
struct TypeWord {
  const char* prefix;
  char code;
};
char match_type_word(const char* word, const TypeWord* list, int n);
// The code after "unsigned": char, int, short or long by their beginning, or 0.
char match_unsigned_word(const char* word);

bool starts_with(const char* text, const char* prefix);

}  // namespace vesk
