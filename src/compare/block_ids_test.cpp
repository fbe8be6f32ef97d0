#include "compare/block_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace vesk {
namespace {

// Ids of one byte a block.
class Pairing : public testing::Test {
 protected:
  BlockIds t{1};
  void add(int file_no, const std::string& ids) {
    for (std::size_t b = 0; b < ids.size(); ++b) {
      unsigned char id[1] = {static_cast<unsigned char>(ids[b])};
      ASSERT_EQ(t.add(file_no, static_cast<int>(b), id), 0);
    }
  }
  const BlidInf& e(int i) { return t.entry(i); }
};

TEST_F(Pairing, WorkedExample) {
  add(0, "ABCD");
  add(1, "BAEDD");
  t.pair();
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
  t.pair();
  EXPECT_EQ(e(0).pair_index, 3);
  EXPECT_EQ(e(1).pair_index, 3);
  EXPECT_EQ(e(3).pair_index, 1);  // names the last of them
  EXPECT_EQ(e(2).pair_state, kInserted);
}

TEST_F(Pairing, TheTableHoldsTenThousand) {
  unsigned char id[1] = {'k'};
  for (int i = 0; i < MAX_ID_BLOCKS; ++i) ASSERT_EQ(t.add(i % 2, 0, id), 0);
  EXPECT_EQ(t.add(1, 0, id), -1);
  EXPECT_EQ(t.count(), MAX_ID_BLOCKS);
}

// Many ids, most of them repeated in both files: the pairing is the one the
// rule gives, worked out here by scanning the second file for each entry.
TEST(PairingMany, AgreesWithTheScanOverManyRepeatedIds) {
  BlockIds t(2);
  auto e = [&t](int i) -> const BlidInf& { return t.entry(i); };
  unsigned seed = 7;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  const int n1 = 3000, n2 = 4000;
  for (int f = 0; f < 2; ++f) {
    for (int b = 0; b < (f == 0 ? n1 : n2); ++b) {
      unsigned char id[2] = {static_cast<unsigned char>(next() % 40), static_cast<unsigned char>(next() % 50)};
      ASSERT_EQ(t.add(f, b, id), 0);
    }
  }
  t.pair();
  std::vector<int> partner_of_second(n1 + n2, -1);
  for (int i = 0; i < n1; ++i) {
    int want = -1;
    for (int j = n1; j < n1 + n2 && want < 0; ++j)
      if (std::memcmp(t.id(i), t.id(j), 2) == 0) want = j;
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

TEST(BlockIdsTable, KeepsACopyOfEachId) {
  BlockIds t(3);
  unsigned char id[3] = {1, 0, 255};
  ASSERT_EQ(t.add(0, 7, id), 0);
  id[0] = 9;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(t.id(0)), 3), std::string("\x01\x00\xff", 3));
  EXPECT_EQ(t.entry(0).block_no, 7);
}

}  // namespace
}  // namespace vesk
