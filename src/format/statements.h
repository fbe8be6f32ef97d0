// The "#" statements and simple typedefs of a format file, and the copies of
// text the definition tables point to.
#pragma once

#include "format/format_context.h"

namespace vesk {

// A copy of the text kept by the tables: leading blanks skipped, at most 511
// bytes taken, trailing blanks removed.
const char* save_str(Definitions& defs, const char* text);
// save_str of the bytes from begin up to end.
const char* save_word(Definitions& defs, const char* begin, const char* end);

// The numbers a "#BLNO" line gives.
struct BlnoRange {
  int from_blk = 0;
  int to_blk = 0;
  bool open_end = false;  // "n &": to the last block
  int offset = -1;
  const char* comment = nullptr;
};

// Reads the text after "#BLNO"; 0, or -1 after a message with the line number.
int parse_blno(const FormatContext& ctx, const char* text, long long line_no, BlnoRange* range);

// Adds a #define entry from the text after "#define"; 0, or -1 after a message.
int add_define(const FormatContext& ctx, const char* text);

enum class RenameKind { rename, typedef_ };
// Adds a ren_inf entry from the text after "#REN" or "typedef"; 0, or -1 after
// a message. typedef_inside: where the letters typedef stand inside a name
// or a comment of the line, to which its messages then point; else null.
int add_rename(const FormatContext& ctx, RenameKind kind, const char* text, const char* typedef_inside = nullptr);

// "#ENDIAN BIG|LITTLE" and "#CODE SJIS|EUC|JIS|UTF-8": the word after the
// statement word is read from text (what follows it is ignored, as after
// #REN). 0, or -1 after a message with the line number: an unknown word, or
// one that contradicts an earlier statement.
int parse_endian(const FormatContext& ctx, const char* text, long long line_no);
int parse_code(const FormatContext& ctx, const char* text, long long line_no);

// A "#" statement of vesk's own written in another case ("#endian", "#Code",
// "#blno"), refused rather than ignored. line: the whole line, its "#" in
// column 1. 0, or -1 after "#endian: did you mean #ENDIAN?" with the line
// number.
int check_statement_case(const FormatContext& ctx, const char* line, long long line_no);

// The text code named by the n bytes at word (SJIS, EUC, JIS or UTF-8, as
// after #CODE): sets *mode. False for any other word.
bool read_code_word(const char* word, std::size_t n, CharMode* mode);

// True when text begins with the whole word (followed by a blank or the end).
bool starts_with_word(const char* text, const char* word);

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
