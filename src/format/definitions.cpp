#include "format/definitions.h"

namespace vesk {

BlockPlace Definitions::place_of(long long block) const {
  BlockPlace p;
  for (int i = 0; i < blnoinf_cnt; ++i) {
    const BlnoInf& b = blno_inf[i];
    if (b.from_blk > block || b.to_blk < block) continue;
    p.entry = i;
    p.size = b.size;
    // The offset holds for the range's first block only.
    p.range_first = block == b.from_blk;
    p.offset = p.range_first ? b.offset : -1;
    return p;
  }
  return p;
}

bool Definitions::reads_utf8_text() const {
  if (code_stated && code == CharMode::utf8) return true;
  for (int i = 0; i < item_cnt; ++i)
    if (item_inf[i].code_stated && item_inf[i].code == CharMode::utf8) return true;
  return false;
}

const char* Definitions::keep_text(const char* text, std::size_t n) {
  texts_.emplace_back(text, n);
  return texts_.back().c_str();
}

}  // namespace vesk
