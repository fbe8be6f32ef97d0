// The block identities of a comparison: one entry per data block read from
// either file (first all blocks of the first file, then all of the second, each
// in file order), holding a copy of the block's id bytes, and the pairing of the
// two files' blocks by equal id.
#pragma once

#include <cstdint>
#include <vector>

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
  long long block_no = 0;  // the block's number in its file
  int pair_index = 0;      // the partner's entry, when paired
};

class BlockIds {
 public:
  // id_len: bytes of each id (the block-id item's length); capacity: entries
  // the table holds for both files together.
  explicit BlockIds(int id_len, int capacity = MAX_ID_BLOCKS);

  // Adds the entry of block block_no of file file_no with a copy of the id_len
  // bytes at id. Returns -1 when the table is full (nothing added), else 0.
  int add(int file_no, long long block_no, const unsigned char* id);

  // Pairs the entries: each first-file entry with the earliest second-file
  // entry of equal id (already paired or not), else deleted; second-file
  // entries left unpaired are inserted.
  void pair();

  int count() const { return static_cast<int>(entries_.size()); }
  int file1_count() const { return file1_cnt_; }
  const BlidInf& entry(int i) const { return entries_[static_cast<std::size_t>(i)]; }
  const unsigned char* id(int i) const { return id_bytes_.data() + static_cast<std::size_t>(i) * id_len_; }

 private:
  std::size_t id_len_;
  int capacity_;
  std::vector<BlidInf> entries_;
  std::vector<unsigned char> id_bytes_;  // entry i's id at i * id_len
  int file1_cnt_ = 0;                    // entries 0 .. file1_cnt_ - 1 belong to the first file
};

}  // namespace vesk
