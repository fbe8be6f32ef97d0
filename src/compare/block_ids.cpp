#include "compare/block_ids.h"

#include <cstring>

#include "common/messages.h"
#include "format/definitions.h"

namespace vesk {

BlockIds block_ids;

unsigned char* copy_mem(const unsigned char* src, int len) {
  std::size_t n = len > 0 ? static_cast<std::size_t>(len) : 0;
  // getmem never returns null; one byte at least, so an empty id still has a copy.
  auto* p = static_cast<unsigned char*>(getmem(n > 0 ? n : 1));
  if (n > 0) std::memcpy(p, src, n);
  return p;
}

int add_block_id(int file_no, int block_no, const unsigned char* block) {
  BlockIds& t = block_ids;
  if (t.blid_cnt >= MAX_ID_BLOCKS) return -1;
  BlidInf& e = t.blid_inf[t.blid_cnt++];
  e.file_no = static_cast<uint8_t>(file_no);
  e.pair_state = kUnresolved;
  e.id_copy = copy_mem(block + defs.block_id_pos, defs.block_id_len);
  e.block_no = static_cast<int16_t>(block_no);
  e.pair_index = 0;
  if (file_no == 0) t.file1_cnt = t.blid_cnt;
  return 0;
}

void pair_blocks() {
  BlockIds& t = block_ids;
  auto len = static_cast<std::size_t>(defs.block_id_len > 0 ? defs.block_id_len : 0);
  for (int k = 0; k < t.blid_cnt; ++k) t.blid_inf[k].pair_state = kUnresolved;

  for (int i = 0; i < t.file1_cnt; ++i) {
    BlidInf& a = t.blid_inf[i];
    a.pair_state = kDeleted;
    // Paired second-file entries are not skipped: equal ids in the first file
    // all pair with the same, earliest, second-file block.
    for (int j = t.file1_cnt; j < t.blid_cnt; ++j) {
      BlidInf& b = t.blid_inf[j];
      if (std::memcmp(a.id_copy, b.id_copy, len) != 0) continue;
      a.pair_state = kPaired;
      a.pair_index = static_cast<int16_t>(j);
      b.pair_state = kPaired;
      b.pair_index = static_cast<int16_t>(i);
      break;
    }
  }
  for (int j = t.file1_cnt; j < t.blid_cnt; ++j)
    if (t.blid_inf[j].pair_state == kUnresolved) t.blid_inf[j].pair_state = kInserted;
}

}  // namespace vesk
