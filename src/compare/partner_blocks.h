// The second-file partners of a run of pairs, read in file order rather than
// in the order of the pairs, and kept until the pairs are shown. A second
// file whose records were shuffled then costs a few large reads for each run
// of pairs instead of a read for each pair.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vesk {

class PartnerBlocks {
 public:
  // Room for at most max_blocks blocks of block_size bytes.
  PartnerBlocks(int block_size, int max_blocks)
      : size_(static_cast<std::size_t>(block_size > 0 ? block_size : 1)),
        capacity_(held(size_, max_blocks)),
        blocks_(new unsigned char[capacity_ * size_]) {}

  // Blocks held at once.
  std::size_t capacity() const { return capacity_; }

  // Reads the blocks of entries (at most capacity(), second-file entries in
  // the order of their pairs) in the order of the entries, which is file
  // order, through read(entry, dest): 0, or what read returned first that
  // was not 0.
  template <typename Read>
  int load(const std::vector<int>& entries, Read&& read) {
    // Each entry with its place in the run, sorted as one number.
    order_.resize(entries.size());
    for (std::size_t k = 0; k < entries.size(); ++k)
      order_[k] = static_cast<std::uint64_t>(static_cast<std::uint32_t>(entries[k])) << 32 | k;
    // Files in the same order give entries in order already.
    if (!std::is_sorted(order_.begin(), order_.end())) std::sort(order_.begin(), order_.end());
    for (std::uint64_t key : order_) {
      int status = read(static_cast<int>(key >> 32), block(key & 0xFFFFFFFFu));
      if (status != 0) return status;
    }
    return 0;
  }

  // The block of the k-th entry of the last load.
  unsigned char* block(std::size_t k) { return blocks_.get() + k * size_; }

 private:
  // Memory for the blocks held: a few megabytes, whatever the files.
  static constexpr std::size_t kBytes = 4u << 20;

  static std::size_t held(std::size_t size, int max_blocks) {
    std::size_t n = kBytes / size;
    if (max_blocks > 0 && static_cast<std::size_t>(max_blocks) < n) n = static_cast<std::size_t>(max_blocks);
    return n > 0 ? n : 1;
  }

  std::size_t size_;
  std::size_t capacity_;
  std::unique_ptr<unsigned char[]> blocks_;
  std::vector<std::uint64_t> order_;
};

}  // namespace vesk
