// The block identities of a comparison: one entry per data block read from
// either file (first all blocks of the first file, then all of the second, each
// in file order), holding a copy of the block's id bytes, and the pairing of the
// two files' blocks by equal id. An entry's block number is its place in its
// file's run of blocks: the memory a comparison takes grows with its ids only.
#pragma once

#include <cstdint>
#include <vector>

#include "compare/id_hash.h"

namespace vesk {

// Entries a comparison holds for both files together without --all.
constexpr int MAX_ID_BLOCKS = 10000;
// With --all: as many as an entry's index can count.
constexpr int kMaxAllIdBlocks = 2147483647;

// pair_state values.
constexpr uint8_t kUnresolved = 255;
constexpr uint8_t kPaired = 0;
constexpr uint8_t kDeleted = 1;   // only in the first file
constexpr uint8_t kInserted = 2;  // only in the second file

class BlockIds {
 public:
  // id_len: bytes of each id (the block-id item's length); first_block: the
  // number of each file's first block; capacity: entries the table holds for
  // both files together; hash: the index's hash (a random key by default).
  explicit BlockIds(int id_len, long long first_block = 0, int capacity = MAX_ID_BLOCKS, IdHash hash = IdHash());

  // Room for n entries more, asked for at once when the count is known.
  void reserve(std::size_t n);

  // Adds the entry of the next block of file file_no (all of the first file's
  // come first) with a copy of the id_len bytes at id. Returns -1 when the
  // table is full (nothing added), else 0.
  int add(int file_no, const unsigned char* id);

  // Pairs the entries one to one: the k-th block of an id in the first file
  // with the k-th block of that id in the second. First-file entries left
  // over are deleted, second-file ones inserted. Linear in the entries.
  void pair();

  int count() const { return static_cast<int>(state_.size()); }
  int file1_count() const { return file1_cnt_; }
  uint8_t state(int i) const { return state_[static_cast<std::size_t>(i)]; }
  // The partner's entry, when paired.
  int partner(int i) const { return pair_[static_cast<std::size_t>(i)]; }
  int file_of(int i) const { return i < file1_cnt_ ? 0 : 1; }
  long long block_no(int i) const { return first_block_ + (i < file1_cnt_ ? i : i - file1_cnt_); }
  const unsigned char* id(int i) const { return id_bytes_.data() + static_cast<std::size_t>(i) * id_len_; }
  int id_len() const { return static_cast<int>(id_len_); }
  std::uint64_t hash_of(const unsigned char* id) const { return hash_(id, id_len_); }

  // The ids that stand more than once among one file's entries: their count,
  // and the first entries of up to max_named of them, in the order their
  // second copies come.
  struct Repeats {
    long long count = 0;
    std::vector<int> named;
  };
  Repeats repeated_ids(int file_no, int max_named) const;

 private:
  std::size_t id_len_;
  long long first_block_;
  int capacity_;
  IdHash hash_;
  std::vector<uint8_t> state_;
  std::vector<int32_t> pair_;
  std::vector<unsigned char> id_bytes_;  // entry i's id at i * id_len
  int file1_cnt_ = 0;                    // entries 0 .. file1_cnt_ - 1 belong to the first file
};

}  // namespace vesk
