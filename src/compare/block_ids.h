// The block identities of a comparison: one entry per data block read from
// either file (first all blocks of the first file, then all of the second, each
// in file order), holding a copy of the block's id bytes, and the pairing of the
// two files' blocks by equal id.
#pragma once

#include <cstdint>

namespace vesk {

constexpr int MAX_ID_BLOCKS = 10000;

// pair_state values.
constexpr uint8_t kUnresolved = 255;
constexpr uint8_t kPaired = 0;
constexpr uint8_t kDeleted = 1;   // only in the first file
constexpr uint8_t kInserted = 2;  // only in the second file

struct BlidInf {
  uint8_t file_no = 0;  // 0 first file, 1 second file
  uint8_t pair_state = kUnresolved;
  const unsigned char* id_copy = nullptr;  // block_id_len bytes
  int16_t block_no = 0;                    // the block's number in its file
  int16_t pair_index = 0;                  // the partner's entry, when paired
};

struct BlockIds {
  BlidInf blid_inf[MAX_ID_BLOCKS];
  int blid_cnt = 0;
  int file1_cnt = 0;  // entries 0 .. file1_cnt - 1 belong to the first file
};
extern BlockIds block_ids;

// A new allocation (from getmem) holding a copy of len bytes at src.
unsigned char* copy_mem(const unsigned char* src, int len);

// Adds the entry of block block_no of file file_no, copying the id bytes out of
// the block. Returns -1 when the table is full (nothing added), else 0.
int add_block_id(int file_no, int block_no, const unsigned char* block);

// Pairs the entries: each first-file entry with the earliest second-file entry
// of equal id (already paired or not), else deleted; second-file entries left
// unpaired are inserted.
void pair_blocks();

}  // namespace vesk
