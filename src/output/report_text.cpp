#include "output/report_text.h"

#include "common/text_scan.h"

namespace vesk {

namespace {

// What each byte value may be in the report: on its own, or the first of a pair.
struct ByteClass {
  bool single[256];
  bool lead[256];
  bool trail[256];
  constexpr ByteClass() : single(), lead(), trail() {
    for (int b = 0; b < 256; ++b) {
      const auto c = static_cast<unsigned char>(b);
      single[b] = is_shown_single(c) || c == '\n';
      lead[b] = is_sjis_lead(c);
      trail[b] = is_sjis_trail(c);
    }
  }
};
constexpr ByteClass kClass;

}  // namespace

std::size_t first_non_report_byte(const char* text, std::size_t n) {
  const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
  std::size_t i = 0;
  while (i < n) {
    if (kClass.single[t[i]]) {
      ++i;
    } else if (kClass.lead[t[i]] && i + 1 < n && kClass.trail[t[i + 1]]) {
      i += 2;
    } else {
      return i;
    }
  }
  return n;
}

}  // namespace vesk
