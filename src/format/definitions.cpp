#include "format/definitions.h"

namespace vesk {

Definitions defs;

// The first range holding the block decides. The offset and the flag are set
// only for the range's first block; elsewhere in the range the offset is -1.
int find_blno(int block, int* offset, int* first_flag) {
  for (int i = 0; i < defs.blnoinf_cnt; ++i) {
    const BlnoInf& b = defs.blno_inf[i];
    if (b.from_blk > block || b.to_blk < block) continue;
    if (block == b.from_blk) {
      *offset = b.offset;
      *first_flag = 1;
    } else {
      *offset = -1;
      *first_flag = 0;
    }
    return b.size;
  }
  return -1;
}

}  // namespace vesk
