#include "format/statements.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "common/ascii.h"
#include "common/text_scan.h"
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

// The name word of a typedef or #REN, less one trailing ";".
const char* name_end(const char* begin) {
  const char* end = chr_skip(begin);
  if (end > begin && end[-1] == ';') --end;
  return end;
}

}  // namespace

bool starts_with_word(const char* text, const char* word) {
  std::size_t n = std::strlen(word);
  return std::strncmp(text, word, n) == 0 && (text[n] == '\0' || is_blank(text[n]));
}

int parse_endian(const FormatContext& ctx, const char* text, long long line_no) {
  const char* p = sp_skip(text);
  Endian e = Endian::unstated;
  if (starts_with_word(p, "BIG")) e = Endian::big;
  if (starts_with_word(p, "LITTLE")) e = Endian::little;
  if (e == Endian::unstated) return ctx.error("#ENDIAN: BIG or LITTLE expected", line_no);
  // The order holds for the whole file: a second statement may only repeat it.
  if (ctx.defs.endian != Endian::unstated && ctx.defs.endian != e)
    return ctx.error("#ENDIAN: another order was stated before", line_no);
  ctx.defs.endian = e;
  return 0;
}

int parse_code(const FormatContext& ctx, const char* text, long long line_no) {
  const char* p = sp_skip(text);
  const char* end = p;
  while (*end != '\0' && !is_blank(*end)) ++end;
  const Codec* c = codec_named(p, static_cast<std::size_t>(end - p));
  if (c == nullptr) return ctx.error(("#CODE: " + std::string(codec_names()) + " expected").c_str(), line_no);
  if (ctx.defs.code_stated && ctx.defs.code != c->mode)
    return ctx.error("#CODE: another code was stated before", line_no);
  ctx.defs.code_stated = true;
  ctx.defs.code = c->mode;
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
    p = read_offset(p + 7, &r.offset);
    if (p == nullptr) {
      return ctx.error("offset: illegal number", line_no);
    }
  }
  long long from = 0;
  if (!read_digit_word(p, kMaxBlock, &from)) {
    return ctx.error("from block: illegal number", line_no);
  }
  r.from_blk = static_cast<int>(from);
  p = sp_skip(chr_skip(p));
  if (*p == '\0' || *p == ';') {
    r.to_blk = r.from_blk;
  } else if (*p == '&') {
    r.to_blk = kMaxBlock;
    r.open_end = true;
  } else {
    long long to = 0;
    if (!read_digit_word(p, kMaxBlock, &to)) {
      return ctx.error("to block: illegal number", line_no);
    }
    r.to_blk = static_cast<int>(to);
  }
  if (r.to_blk < r.from_blk) {
    return ctx.error("illegal relation: to block numer > from block number", line_no);
  }
  if (defs.blnoinf_cnt == 0) {
    if (r.from_blk != 0) {
      return ctx.error("from block number not 0", line_no);
    }
  } else if (r.from_blk != defs.blno_inf[defs.blnoinf_cnt - 1].to_blk + 1) {
    return ctx.error("illegal from block number: not sequentioal", line_no);
  }
  const char* semicolon = index(text, ';');
  if (semicolon != nullptr) r.comment = save_str(ctx.defs, semicolon + 1);
  *range = r;
  return 0;
}

int add_define(const FormatContext& ctx, const char* text) {
  Definitions& defs = ctx.defs;
  if (defs.def_cnt >= MAX_DEF) {
    return ctx.error("too many definition data", 0);
  }
  const char* name = sp_skip(text);
  const char* end = chr_skip(name);
  if (end == name) {
    return ctx.error("illegal definition", 0);
  }
  // The number is kept as one signed byte: its value modulo 256.
  long long v = read_number(end);
  DefInf& d = defs.def_inf[defs.def_cnt];
  d.name = save_word(defs, name, end);
  d.value = static_cast<int8_t>(static_cast<uint8_t>(static_cast<unsigned long long>(v) & 0xFF));
  defs.def_cnt += 1;
  return 0;
}

int add_rename(const FormatContext& ctx, RenameKind kind, const char* text) {
  Definitions& defs = ctx.defs;
  if (defs.ren_cnt >= MAX_REN) {
    return ctx.error("too many rename definition", 0);
  }
  const char* p = sp_skip(text);
  char code = 0;
  const char* name = nullptr;
  if (kind == RenameKind::rename) {
    name = p;
    const char* after = sp_skip(chr_skip(p));
    if (chr_skip(p) == p || *after == '\0' || std::strchr("csSiIlLxfdp", *after) == nullptr) {
      return ctx.error("illegal rename definition", 0);
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
      return ctx.error("unknown type", 0);
    }
  } else {
    code = match_type_word(p, kTypedefWords, sizeof kTypedefWords / sizeof kTypedefWords[0]);
    if (code == 0) {
      return ctx.error("unknown type\n", 0);
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
