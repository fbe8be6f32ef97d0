#include "format/statements.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/ascii.h"
#include "common/text_scan.h"
#include "format/near_names.h"
#include "text/codec.h"

namespace vesk {

namespace {

constexpr int kMaxSaved = 511;
constexpr int kMaxBlock = 32767;
constexpr long long kMaxOffset = 0x7FFFFFFF;

// A word of digits only (isnum) read as a number; false when it is not one or
// is above max. The empty word reads 0.
bool read_digit_word(const char* p, long long max, long long* out) {
  if (!isnum(p)) return false;
  long long v = 0;
  for (; is_digit(*p); ++p) {
    v = v * 10 + (*p - '0');
    if (v > max) return false;
  }
  *out = v;
  return true;
}

// "offset=" and what follows it: "0x" and hexadecimal digits, or a word of
// decimal digits. Returns the text after the word and its blanks, or null.
const char* read_offset(const char* p, int* offset) {
  long long v = 0;
  if (starts_with(p, "0x")) {
    const char* d = p + 2;
    if (hex_value(*d) < 0) return nullptr;
    for (; hex_value(*d) >= 0; ++d) {
      v = v * 16 + hex_value(*d);
      if (v > kMaxOffset) return nullptr;
    }
  } else if (!read_digit_word(p, kMaxOffset, &v)) {
    return nullptr;
  }
  *offset = static_cast<int>(v);
  return sp_skip(chr_skip(p));
}

const TypeWord kTypedefWords[] = {
    {"char", 'c'}, {"int", 'i'},  {"short", 's'}, {"long", 'l'},  {"float", 'f'},
    {"doubl", 'd'}, {"CHAR", 'c'}, {"BYTE", 'x'},  {"WORD", 'S'},  {"INT", 'l'},
    {"LONG", 'l'},  {"DWORD", 'L'}, {"LPSTR", 'p'},
};

// The whole words of the list above, for "did you mean ...?".
const char* const kTypedefWordNames[] = {"char", "int",  "short", "long",  "float", "double", "CHAR",
                                         "BYTE", "WORD", "INT",   "LONG",  "DWORD", "LPSTR", "unsigned"};

const char kTypedefInside[] = "the letters typedef make a line a typedef, even inside a name or a comment";

// The name word of a typedef or #REN, less one trailing ";".
const char* name_end(const char* begin) {
  const char* end = chr_skip(begin);
  if (end > begin && end[-1] == ';') --end;
  return end;
}

}  // namespace

bool read_code_word(const char* word, std::size_t n, CharMode* mode) {
  const Codec* c = codec_named(word, n);
  if (c == nullptr) return false;
  *mode = c->mode;
  return true;
}

int check_statement_case(const FormatContext& ctx, const char* line, long long line_no) {
  static const char* const kStatements[] = {"define", "BLNO", "REN", "ENDIAN", "CODE"};
  const char* word = line + 1;
  const std::size_t n = static_cast<std::size_t>(chr_skip(word) - word);
  for (const char* s : kStatements) {
    if (std::strlen(s) != n || std::strncmp(word, s, n) == 0) continue;
    std::size_t i = 0;
    while (i < n && to_upper(word[i]) == to_upper(s[i])) ++i;
    if (i < n) continue;
    // The word matched a statement's letters: it is ASCII, as written.
    char message[64];
    std::snprintf(message, sizeof message, "%.*s: did you mean #%s?", static_cast<int>(n + 1), line, s);
    return ctx.error_at(message, line_no, line);
  }
  return 0;
}

bool starts_with_word(const char* text, const char* word) {
  std::size_t n = std::strlen(word);
  return std::strncmp(text, word, n) == 0 && (text[n] == '\0' || is_blank(text[n]));
}

int parse_endian(const FormatContext& ctx, const char* text, long long line_no) {
  const char* p = sp_skip(text);
  Endian e = Endian::unstated;
  if (starts_with_word(p, "BIG")) e = Endian::big;
  if (starts_with_word(p, "LITTLE")) e = Endian::little;
  if (e == Endian::unstated) return ctx.error_at("#ENDIAN: BIG or LITTLE expected", line_no, p);
  // The order holds for the whole file: a second statement may only repeat it.
  if (ctx.defs.endian != Endian::unstated && ctx.defs.endian != e)
    return ctx.error_at("#ENDIAN: another order was stated before", line_no, p);
  ctx.defs.endian = e;
  return 0;
}

int parse_code(const FormatContext& ctx, const char* text, long long line_no) {
  const char* p = sp_skip(text);
  const char* end = p;
  while (*end != '\0' && !is_blank(*end)) ++end;
  CharMode mode;
  if (!read_code_word(p, static_cast<std::size_t>(end - p), &mode))
    return ctx.error_at(("#CODE: " + std::string(codec_names()) + " expected").c_str(), line_no, p);
  if (ctx.defs.code_stated && ctx.defs.code != mode) return ctx.error_at("#CODE: another code was stated before", line_no, p);
  ctx.defs.code_stated = true;
  ctx.defs.code = mode;
  return 0;
}

bool starts_with(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

const char* save_word(Definitions& defs, const char* begin, const char* end) {
  while (begin < end && is_blank(*begin)) ++begin;
  long long n = end - begin;
  if (n > kMaxSaved) n = kMaxSaved;
  while (n > 0 && is_blank(begin[n - 1])) --n;
  return defs.keep_text(begin, static_cast<std::size_t>(n));
}

const char* save_str(Definitions& defs, const char* text) {
  const char* begin = sp_skip(text);
  // Never look further than the bytes that can be taken.
  const char* end = begin;
  while (*end && end - begin < kMaxSaved) ++end;
  return save_word(defs, begin, end);
}

long long read_number(const char* text) {
  // strtoll reads like atoi and saturates instead of overflowing.
  return std::strtoll(text, nullptr, 10);
}

char match_type_word(const char* word, const TypeWord* list, int n) {
  for (int i = 0; i < n; ++i)
    if (starts_with(word, list[i].prefix)) return list[i].code;
  return 0;
}

char match_unsigned_word(const char* word) {
  if (starts_with(word, "char")) return 'c';
  if (starts_with(word, "int")) return 'I';
  if (starts_with(word, "short")) return 'S';
  if (starts_with(word, "long")) return 'L';
  return 0;
}

int parse_blno(const FormatContext& ctx, const char* text, long long line_no, BlnoRange* range) {
  const Definitions& defs = ctx.defs;
  BlnoRange r;
  const char* p = sp_skip(text);
  if (starts_with(p, "offset=")) {
    const char* value = p + 7;
    p = read_offset(value, &r.offset);
    if (p == nullptr) {
      return ctx.error_at("offset: illegal number", line_no, value,
                          "decimal, or 0x and hexadecimal digits, up to 0x7FFFFFFF");
    }
  }
  const char* from_at = p;
  long long from = 0;
  if (!read_digit_word(p, kMaxBlock, &from)) {
    return ctx.error_at("from block: illegal number", line_no, from_at, "a block number from 0 to 32767");
  }
  r.from_blk = static_cast<int>(from);
  p = sp_skip(chr_skip(p));
  const char* to_at = p;
  if (*p == '\0' || *p == ';') {
    r.to_blk = r.from_blk;
  } else if (*p == '&') {
    r.to_blk = kMaxBlock;
    r.open_end = true;
  } else {
    long long to = 0;
    if (!read_digit_word(p, kMaxBlock, &to)) {
      return ctx.error_at("to block: illegal number", line_no, to_at,
                          "a block number up to 32767, & or ; (a ; after a blank)");
    }
    r.to_blk = static_cast<int>(to);
  }
  if (r.to_blk < r.from_blk) {
    return ctx.error_at("illegal relation: to block numer > from block number", line_no, to_at);
  }
  if (defs.blnoinf_cnt == 0) {
    if (r.from_blk != 0) {
      return ctx.error_at("from block number not 0", line_no, from_at, "the first range starts at block 0");
    }
  } else if (r.from_blk != defs.blno_inf[defs.blnoinf_cnt - 1].to_blk + 1) {
    // An open range ("&") leaves no block after it.
    const BlnoInf& before = defs.blno_inf[defs.blnoinf_cnt - 1];
    char note[128] = "the range before runs to the last block";
    if (!before.open_end)
      std::snprintf(note, sizeof note, "the range before ends at block %lld: expected %lld",
                    static_cast<long long>(before.to_blk), static_cast<long long>(before.to_blk) + 1);
    return ctx.error_at("illegal from block number: not sequentioal", line_no, from_at, note);
  }
  const char* semicolon = index(text, ';');
  if (semicolon != nullptr) r.comment = save_str(ctx.defs, semicolon + 1);
  *range = r;
  return 0;
}

int add_define(const FormatContext& ctx, const char* text) {
  Definitions& defs = ctx.defs;
  if (defs.def_cnt >= MAX_DEF) {
    return ctx.error_at("too many definition data", 0, nullptr, "200 #define lines at most");
  }
  const char* name = sp_skip(text);
  const char* end = chr_skip(name);
  if (end == name) {
    return ctx.error_at("illegal definition", 0, name, "a name must follow #define");
  }
  // The number is kept as one signed byte: its value modulo 256.
  long long v = read_number(end);
  DefInf& d = defs.def_inf[defs.def_cnt];
  d.name = save_word(defs, name, end);
  d.value = static_cast<int8_t>(static_cast<uint8_t>(static_cast<unsigned long long>(v) & 0xFF));
  defs.def_cnt += 1;
  return 0;
}

int add_rename(const FormatContext& ctx, RenameKind kind, const char* text, const char* typedef_inside) {
  Definitions& defs = ctx.defs;
  if (defs.ren_cnt >= MAX_REN) {
    return ctx.error_at("too many rename definition", 0, typedef_inside,
                        typedef_inside != nullptr ? kTypedefInside : "100 #REN and typedef names at most");
  }
  const char* p = sp_skip(text);
  char code = 0;
  const char* name = nullptr;
  if (kind == RenameKind::rename) {
    name = p;
    const char* after = sp_skip(chr_skip(p));
    if (chr_skip(p) == p) return ctx.error_at("illegal rename definition", 0, p, "a name must follow #REN");
    if (*after == '\0' || std::strchr("csSiIlLxfdp", *after) == nullptr) {
      return ctx.error_at("illegal rename definition", 0, after, "one of the letters c s S i I l L x f d p");
    }
    code = *after;
    const char* end = chr_skip(p);
    RenInf& r = defs.ren_inf[defs.ren_cnt];
    r.type = code;
    r.name = save_word(defs, name, end);
    defs.ren_cnt += 1;
    return 0;
  }
  if (starts_with(p, "unsigned")) {
    p = sp_skip(chr_skip(p));
    code = match_unsigned_word(p);
    if (code == 0) {
      if (typedef_inside != nullptr) return ctx.error_at("unknown type", 0, typedef_inside, kTypedefInside);
      return ctx.error_at("unknown type", 0, p, "unsigned takes char, int, short or long");
    }
  } else {
    code = match_type_word(p, kTypedefWords, sizeof kTypedefWords / sizeof kTypedefWords[0]);
    if (code == 0) {
      if (typedef_inside != nullptr) return ctx.error_at("unknown type\n", 0, typedef_inside, kTypedefInside);
      std::vector<const char*> words;
      for (const char* w : kTypedefWordNames) words.push_back(w);
      char note[160] =
          "no type word of typedef: char, int, short, long, float, double, CHAR, BYTE, WORD, INT, LONG, DWORD, "
          "LPSTR";
      const char* near = nearest_name(p, static_cast<std::size_t>(chr_skip(p) - p), words);
      if (near != nullptr) std::snprintf(note, sizeof note, "did you mean %s?", near);
      return ctx.error_at("unknown type\n", 0, p, note);
    }
  }
  name = sp_skip(chr_skip(p));
  RenInf& r = defs.ren_inf[defs.ren_cnt];
  r.type = code;
  r.name = save_word(defs, name, name_end(name));
  defs.ren_cnt += 1;
  return 0;
}

}  // namespace vesk
