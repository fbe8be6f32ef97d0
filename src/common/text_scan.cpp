#include "common/text_scan.h"

namespace vesk {

namespace {
using u8 = unsigned char;
u8 at(const char* p) { return static_cast<u8>(*p); }
// A lead byte followed by a non-zero byte forms one double-byte character.
bool is_pair(const char* p) { return is_sjis_lead(at(p)) && p[1] != '\0'; }
}  // namespace

const char* index(const char* s, int c) {
  if (c == 0) return nullptr;
  for (; *s; ++s)
    if (at(s) == static_cast<u8>(c)) return s;
  return nullptr;
}

const char* Strchr(const char* s, int c) {
  while (*s) {
    if (at(s) == static_cast<u8>(c)) return s;
    s += is_pair(s) ? 2 : 1;
  }
  return nullptr;
}

const char* index1(const char* s, const char* t) {
  for (; *s; ++s) {
    const char* a = s;
    const char* b = t;
    while (*b && *a == *b) ++a, ++b;
    if (*b == '\0') return s;
  }
  return nullptr;
}

const char* index2(const char* s, const char* set) {
  while (*s) {
    if (is_pair(s)) {
      s += 2;
      continue;
    }
    for (const char* k = set; *k; ++k)
      if (*k == *s) return s;
    ++s;
  }
  return nullptr;
}

const char* sp_skip(const char* s) {
  while (*s == ' ' || *s == '\t') ++s;
  return s;
}

const char* chr_skip(const char* s) {
  while (*s) {
    if (*s == ' ' || *s == '\t' || *s == '\n') return s;
    if (at(s) == 0x81 && at(s + 1) == 0x40) return s;
    s += is_pair(s) ? 2 : 1;
  }
  return s;
}

int isnum(const char* s) {
  for (; *s && *s != ' ' && *s != '\t' && *s != '\n'; ++s)
    if (*s < '0' || *s > '9') return 0;
  return 1;
}

}  // namespace vesk
