#include "compare/block_ids.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "format/definitions.h"

namespace vesk {
namespace {

// Ids of one byte at the start of each block.
class Pairing : public testing::Test {
 protected:
  void SetUp() override {
    block_ids.blid_cnt = 0;
    block_ids.file1_cnt = 0;
    defs.block_id_pos = 0;
    defs.block_id_len = 1;
  }
  // The copies come from getmem (calloc) and are kept for a run; a test gives
  // them back so that the next one can reuse the table.
  void TearDown() override {
    for (int i = 0; i < block_ids.blid_cnt; ++i)
      std::free(const_cast<unsigned char*>(block_ids.blid_inf[i].id_copy));
    block_ids.blid_cnt = 0;
  }
  void add(int file_no, const std::string& ids) {
    for (std::size_t b = 0; b < ids.size(); ++b) {
      unsigned char block[1] = {static_cast<unsigned char>(ids[b])};
      ASSERT_EQ(add_block_id(file_no, static_cast<int>(b), block), 0);
    }
  }
  const BlidInf& e(int i) { return block_ids.blid_inf[i]; }
};

TEST_F(Pairing, WorkedExample) {
  add(0, "ABCD");
  add(1, "BAEDD");
  pair_blocks();
  // First file: entries 0..3; second file: entries 4..8.
  EXPECT_EQ(e(0).pair_state, kPaired);
  EXPECT_EQ(e(0).pair_index, 5);
  EXPECT_EQ(e(1).pair_index, 4);
  EXPECT_EQ(e(2).pair_state, kDeleted);
  EXPECT_EQ(e(3).pair_index, 7);
  EXPECT_EQ(e(4).pair_index, 1);
  EXPECT_EQ(e(5).pair_index, 0);
  EXPECT_EQ(e(6).pair_state, kInserted);
  EXPECT_EQ(e(7).pair_index, 3);
  EXPECT_EQ(e(8).pair_state, kInserted);
  EXPECT_EQ(e(8).block_no, 4);
  EXPECT_EQ(e(8).file_no, 1);
}

TEST_F(Pairing, DuplicatesInTheFirstFileShareTheEarliestPartner) {
  add(0, "XX");
  add(1, "YX");
  pair_blocks();
  EXPECT_EQ(e(0).pair_index, 3);
  EXPECT_EQ(e(1).pair_index, 3);
  EXPECT_EQ(e(3).pair_index, 1);  // names the last of them
  EXPECT_EQ(e(2).pair_state, kInserted);
}

TEST_F(Pairing, TheTableHoldsTenThousand) {
  unsigned char block[1] = {'k'};
  for (int i = 0; i < MAX_ID_BLOCKS; ++i) ASSERT_EQ(add_block_id(i % 2, 0, block), 0);
  EXPECT_EQ(add_block_id(1, 0, block), -1);
  EXPECT_EQ(block_ids.blid_cnt, MAX_ID_BLOCKS);
}

// Many ids, most of them repeated in both files: the pairing is the one the
// rule gives, worked out here by scanning the second file for each entry.
TEST_F(Pairing, AgreesWithTheScanOverManyRepeatedIds) {
  defs.block_id_len = 2;
  unsigned seed = 7;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  const int n1 = 3000, n2 = 4000;
  for (int f = 0; f < 2; ++f) {
    for (int b = 0; b < (f == 0 ? n1 : n2); ++b) {
      unsigned char block[2] = {static_cast<unsigned char>(next() % 40), static_cast<unsigned char>(next() % 50)};
      ASSERT_EQ(add_block_id(f, b, block), 0);
    }
  }
  pair_blocks();
  std::vector<int> partner_of_second(n1 + n2, -1);
  for (int i = 0; i < n1; ++i) {
    int want = -1;
    for (int j = n1; j < n1 + n2 && want < 0; ++j)
      if (std::memcmp(e(i).id_copy, e(j).id_copy, 2) == 0) want = j;
    if (want < 0) {
      ASSERT_EQ(e(i).pair_state, kDeleted) << i;
      continue;
    }
    ASSERT_EQ(e(i).pair_state, kPaired) << i;
    ASSERT_EQ(e(i).pair_index, want) << i;
    partner_of_second[want] = i;  // the last first-file entry wins
  }
  for (int j = n1; j < n1 + n2; ++j) {
    if (partner_of_second[j] < 0) {
      ASSERT_EQ(e(j).pair_state, kInserted) << j;
    } else {
      ASSERT_EQ(e(j).pair_state, kPaired) << j;
      ASSERT_EQ(e(j).pair_index, partner_of_second[j]) << j;
    }
  }
}

TEST(CopyMem, CopiesTheBytes) {
  const unsigned char src[3] = {1, 0, 255};
  unsigned char* p = copy_mem(src, 3);
  ASSERT_NE(p, src);
  EXPECT_EQ(p[0], 1);
  EXPECT_EQ(p[1], 0);
  EXPECT_EQ(p[2], 255);
  std::free(p);
}

}  // namespace
}  // namespace vesk
