#include "format/statements.h"

#include <cstdlib>
#include <cstring>

#include "common/messages.h"
#include "common/text_scan.h"
#include "format/definitions.h"

namespace vesk {

namespace {

constexpr int kMaxSaved = 511;
constexpr int kMaxBlock = 32767;
constexpr long long kMaxOffset = 0x7FFFFFFF;

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

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

bool starts_with(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

char* save_word(const char* begin, const char* end) {
  while (begin < end && is_blank(*begin)) ++begin;
  long long n = end - begin;
  if (n > kMaxSaved) n = kMaxSaved;
  while (n > 0 && is_blank(begin[n - 1])) --n;
  char* copy = static_cast<char*>(getmem(static_cast<std::size_t>(n) + 1));
  std::memcpy(copy, begin, static_cast<std::size_t>(n));
  copy[n] = '\0';
  return copy;
}

char* save_str(const char* text) {
  const char* begin = sp_skip(text);
  // Never look further than the bytes that can be taken.
  const char* end = begin;
  while (*end && end - begin < kMaxSaved) ++end;
  return save_word(begin, end);
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

int parse_blno(const char* text, int line_no, BlnoRange* range) {
  BlnoRange r;
  const char* p = sp_skip(text);
  if (starts_with(p, "offset=")) {
    p = read_offset(p + 7, &r.offset);
    if (p == nullptr) {
      def_error("offset: illegal number", line_no);
      return -1;
    }
  }
  long long from = 0;
  if (!read_digit_word(p, kMaxBlock, &from)) {
    def_error("from block: illegal number", line_no);
    return -1;
  }
  r.from_blk = static_cast<int>(from);
  p = sp_skip(chr_skip(p));
  if (*p == '\0' || *p == ';') {
    r.to_blk = r.from_blk;
  } else if (*p == '&') {
    r.to_blk = kMaxBlock;
  } else {
    long long to = 0;
    if (!read_digit_word(p, kMaxBlock, &to)) {
      def_error("to block: illegal number", line_no);
      return -1;
    }
    r.to_blk = static_cast<int>(to);
  }
  if (r.to_blk < r.from_blk) {
    def_error("illegal relation: to block numer > from block number", line_no);
    return -1;
  }
  if (defs.blnoinf_cnt == 0) {
    if (r.from_blk != 0) {
      def_error("from block number not 0", line_no);
      return -1;
    }
  } else if (r.from_blk != defs.blno_inf[defs.blnoinf_cnt - 1].to_blk + 1) {
    def_error("illegal from block number: not sequentioal", line_no);
    return -1;
  }
  const char* semicolon = index(text, ';');
  if (semicolon != nullptr) r.comment = save_str(semicolon + 1);
  *range = r;
  return 0;
}

int add_define(const char* text) {
  if (defs.def_cnt >= MAX_DEF) {
    def_error("too many definition data", 0);
    return -1;
  }
  const char* name = sp_skip(text);
  const char* end = chr_skip(name);
  if (end == name) {
    def_error("illegal definition", 0);
    return -1;
  }
  // The number is kept as one signed byte: its value modulo 256.
  long long v = read_number(end);
  DefInf& d = defs.def_inf[defs.def_cnt];
  d.name = save_word(name, end);
  d.value = static_cast<int8_t>(static_cast<uint8_t>(static_cast<unsigned long long>(v) & 0xFF));
  defs.def_cnt += 1;
  return 0;
}

int add_rename(RenameKind kind, const char* text) {
  if (defs.ren_cnt >= MAX_REN) {
    def_error("too many rename definition", 0);
    return -1;
  }
  const char* p = sp_skip(text);
  char code = 0;
  const char* name = nullptr;
  if (kind == RenameKind::rename) {
    name = p;
    const char* after = sp_skip(chr_skip(p));
    if (chr_skip(p) == p || *after == '\0' || std::strchr("csSiIlLxfdp", *after) == nullptr) {
      def_error("illegal rename definition", 0);
      return -1;
    }
    code = *after;
    const char* end = chr_skip(p);
    RenInf& r = defs.ren_inf[defs.ren_cnt];
    r.type = code;
    r.name = save_word(name, end);
    defs.ren_cnt += 1;
    return 0;
  }
  if (starts_with(p, "unsigned")) {
    p = sp_skip(chr_skip(p));
    code = match_unsigned_word(p);
    if (code == 0) {
      def_error("unknown type", 0);
      return -1;
    }
  } else {
    code = match_type_word(p, kTypedefWords, sizeof kTypedefWords / sizeof kTypedefWords[0]);
    if (code == 0) {
      def_error("unknown type\n", 0);
      return -1;
    }
  }
  name = sp_skip(chr_skip(p));
  RenInf& r = defs.ren_inf[defs.ren_cnt];
  r.type = code;
  r.name = save_word(name, name_end(name));
  defs.ren_cnt += 1;
  return 0;
}

}  // namespace vesk
