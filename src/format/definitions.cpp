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

const char* Definitions::keep_text(const char* text, std::size_t n) {
  texts_.emplace_back(text, n);
  return texts_.back().c_str();
}

const int16_t* Definitions::keep_dims(const std::vector<int16_t>& dims) {
  dims_.push_back(dims);
  return dims_.back().data();
}

}  // namespace vesk
