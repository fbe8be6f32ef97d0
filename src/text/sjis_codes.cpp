#include "text/sjis_codes.h"

#include "text/tables/jisx0212.h"
#include "text/tables/unicode_table.h"

namespace vesk {

namespace {

// Shift_JIS codes of the Basic Multilingual Plane through a two-level index,
// built at the first use in place of fourteen probes of a binary search per
// character. Only the pages of 256 code points that hold entries take memory.
struct BmpIndex {
  std::uint16_t page_of[256] = {};     // 0: no entry in the page; else page number + 1
  std::uint16_t pages[256][256] = {};  // Shift_JIS code + 1; 0: no entry
  int used = 0;
};

const BmpIndex& bmp_index() {
  static const BmpIndex* const index = [] {
    auto* x = new BmpIndex();
    // unicodeTbl is sorted by code point without repeats, so each code point
    // has exactly the entry that the binary search finds.
    for (int i = 0; i < kUnicodeTblSize && unicodeTbl[i].code < 0x10000; ++i) {
      unsigned hi = unicodeTbl[i].code >> 8;
      if (x->page_of[hi] == 0) x->page_of[hi] = static_cast<std::uint16_t>(++x->used);
      x->pages[x->page_of[hi] - 1][unicodeTbl[i].code & 0xFF] = static_cast<std::uint16_t>(unicodeTbl[i].sjis + 1);
    }
    return x;
  }();
  return *index;
}

}  // namespace

int sjis_of_unicode(std::uint32_t code) {
  int low = 0;
  int high = kUnicodeTblSize - 1;
  while (low <= high) {
    int mid = (low + high) / 2;
    if (unicodeTbl[mid].code < code)
      low = mid + 1;
    else if (unicodeTbl[mid].code > code)
      high = mid - 1;
    else
      return static_cast<int>(unicodeTbl[mid].sjis);
  }
  return -1;
}

int sjis_of_unicode_fast(std::uint32_t code) {
  if (code >= 0x10000) return sjis_of_unicode(code);
  const BmpIndex& x = bmp_index();
  unsigned page = x.page_of[code >> 8];
  if (page == 0) return -1;
  unsigned v = x.pages[page - 1][code & 0xFF];
  return v == 0 ? -1 : static_cast<int>(v - 1);
}

Jisx0212Code jisx0212_char(unsigned char hi, unsigned char lo) {
  if (hi < 0x21 || hi > 0x7E || lo < 0x21 || lo > 0x7E) return {0, 0};
  int row = kJisx0212RowOf[hi - 0x21];
  if (row < 0) return {0, 0};
  const Jisx0212Char& c = kJisx0212Rows[row][lo - 0x21];
  return {c.cp, c.sjis};
}

}  // namespace vesk
