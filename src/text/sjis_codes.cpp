#include "text/sjis_codes.h"

#include "text/tables/jisx0212.h"
#include "text/tables/unicode_table.h"

namespace vesk {

BmpIndex::BmpIndex() {
  // unicodeTbl is sorted by code point without repeats, so each code point
  // has exactly the entry that the binary search finds.
  for (int i = 0; i < kUnicodeTblSize && unicodeTbl[i].code < 0x10000; ++i) {
    unsigned hi = unicodeTbl[i].code >> 8;
    if (page_of[hi] == 0) page_of[hi] = static_cast<std::uint16_t>(++used);
    pages[page_of[hi] - 1][unicodeTbl[i].code & 0xFF] = static_cast<std::uint16_t>(unicodeTbl[i].sjis + 1);
  }
}

// Built before main from unicodeTbl, which is constant data; nothing that
// runs before main looks characters up.
const BmpIndex kBmpIndex;

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


Jisx0212Code jisx0212_char(unsigned char hi, unsigned char lo) {
  if (hi < 0x21 || hi > 0x7E || lo < 0x21 || lo > 0x7E) return {0, 0};
  int row = kJisx0212RowOf[hi - 0x21];
  if (row < 0) return {0, 0};
  const Jisx0212Char& c = kJisx0212Rows[row][lo - 0x21];
  return {c.cp, c.sjis};
}

}  // namespace vesk
