#include "compare/block_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/memory_file_test_support.h"
#include "compare/partner_blocks.h"

namespace vesk {
namespace {

// A file of n blocks of 16 bytes, block k holding the byte k % 251 throughout.
std::string blocks(int n) {
  std::string s;
  for (int k = 0; k < n; ++k) s.append(16, static_cast<char>(k % 251));
  return s;
}

bool holds_block(const unsigned char* b, int k) {
  for (int i = 0; i < 16; ++i)
    if (b[i] != static_cast<unsigned char>(k % 251)) return false;
  return true;
}

// Whatever the order of the reads, each gives the bytes at its position:
// in order (the pieces grow past the buffer), backwards, scattered, and
// a little past what is held.
TEST(BlockReader, EveryOrderReadsTheBytesAtThePosition) {
  const int n = 40000;  // 640,000 bytes: more than the buffer holds
  test_support::MemoryFile file(blocks(n));
  BlockReader in(file.fd, "f");
  unsigned char b[16];
  for (int k = 0; k < n; ++k) ASSERT_TRUE(in.read_at(16LL * k, b, 16) == 16 && holds_block(b, k)) << k;
  for (int k = n - 1; k >= 0; k -= 7) ASSERT_TRUE(in.read_at(16LL * k, b, 16) == 16 && holds_block(b, k)) << k;
  unsigned seed = 3;
  for (int r = 0; r < 5000; ++r) {
    seed = seed * 1103515245u + 12345u;
    int k = static_cast<int>((seed >> 8) % n);
    ASSERT_TRUE(in.read_at(16LL * k, b, 16) == 16 && holds_block(b, k)) << k;
    int near = k + 1 + static_cast<int>(seed % 200);  // up to 3,200 bytes on
    if (near < n) {
      ASSERT_TRUE(in.read_at(16LL * near, b, 16) == 16 && holds_block(b, near)) << near;
    }
  }
}

TEST(BlockReader, TheEndOfTheFile) {
  test_support::MemoryFile file(blocks(3) + "xyz");
  BlockReader in(file.fd, "f");
  unsigned char b[16];
  EXPECT_EQ(in.read_at(48, b, 16), 3);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(b), 3), "xyz");
  EXPECT_EQ(in.read_at(51, b, 16), 0);
  EXPECT_EQ(in.read_at(1LL << 60, b, 16), 0);  // past the largest file
  EXPECT_EQ(in.read_at(16, b, 16), 16);
  EXPECT_TRUE(holds_block(b, 1));
}

// The blocks of a run of pairs are read in file order and handed back in
// the order of the pairs.
TEST(PartnerBlocks, ReadInFileOrderKeptInPairOrder) {
  PartnerBlocks partners(16, 100);
  const std::vector<int> entries = {7, 2, 9, 2, 0};
  std::vector<int> read_order;
  auto read = [&read_order](int entry, unsigned char* dest) {
    read_order.push_back(entry);
    for (int i = 0; i < 16; ++i) dest[i] = static_cast<unsigned char>(entry);
    return 0;
  };
  ASSERT_EQ(partners.load(entries, read), 0);
  EXPECT_EQ(read_order, (std::vector<int>{0, 2, 2, 7, 9}));
  for (std::size_t k = 0; k < entries.size(); ++k) EXPECT_TRUE(holds_block(partners.block(k), entries[k])) << k;
  // A failed read ends the load with its status.
  auto fail_at_7 = [](int entry, unsigned char*) { return entry == 7 ? 1 : 0; };
  EXPECT_EQ(partners.load(entries, fail_at_7), 1);
}

}  // namespace
}  // namespace vesk
