#include "compare/block_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace vesk {
namespace {

// Ids of one byte a block.
class Pairing : public testing::Test {
 protected:
  BlockIds t{1};
  void add(int file_no, const std::string& ids) {
    for (char c : ids) {
      unsigned char id[1] = {static_cast<unsigned char>(c)};
      ASSERT_EQ(t.add(file_no, id), 0);
    }
  }
};

TEST_F(Pairing, WorkedExample) {
  add(0, "ABCD");
  add(1, "BAEDD");
  t.pair();
  // First file: entries 0..3; second file: entries 4..8.
  EXPECT_EQ(t.state(0), kPaired);
  EXPECT_EQ(t.partner(0), 5);
  EXPECT_EQ(t.partner(1), 4);
  EXPECT_EQ(t.state(2), kDeleted);
  EXPECT_EQ(t.partner(3), 7);
  EXPECT_EQ(t.partner(4), 1);
  EXPECT_EQ(t.partner(5), 0);
  EXPECT_EQ(t.state(6), kInserted);
  EXPECT_EQ(t.partner(7), 3);
  EXPECT_EQ(t.state(8), kInserted);
  EXPECT_EQ(t.block_no(8), 4);
  EXPECT_EQ(t.file_of(8), 1);
  EXPECT_EQ(t.block_no(2), 2);
}

// The copies of an id pair in file order, one to one: the copies left over
// are deleted or inserted, and no block is paired twice.
TEST_F(Pairing, CopiesOfAnIdPairInFileOrder) {
  add(0, "XXZX");
  add(1, "YXX");
  t.pair();
  EXPECT_EQ(t.partner(0), 5);
  EXPECT_EQ(t.partner(1), 6);
  EXPECT_EQ(t.state(2), kDeleted);
  EXPECT_EQ(t.state(3), kDeleted);  // a third X, with no third X to pair with
  EXPECT_EQ(t.state(4), kInserted);
  EXPECT_EQ(t.partner(5), 0);
  EXPECT_EQ(t.partner(6), 1);
}

TEST_F(Pairing, IdenticalFilesWithRepeatedIdsPairBlockForBlock) {
  add(0, "AABAB");
  add(1, "AABAB");
  t.pair();
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(t.state(i), kPaired) << i;
    EXPECT_EQ(t.partner(i), i + 5) << i;
    EXPECT_EQ(t.partner(i + 5), i) << i;
  }
}

TEST_F(Pairing, RepeatedIdsOfEachFile) {
  add(0, "ABACBBD");
  add(1, "ZZZ");
  BlockIds::Repeats first = t.repeated_ids(0, 10);
  EXPECT_EQ(first.count, 2);  // A and B; B three times counts once
  EXPECT_EQ(first.named, (std::vector<int>{0, 1}));  // in the order their second copies come
  BlockIds::Repeats second = t.repeated_ids(1, 10);
  EXPECT_EQ(second.count, 1);
  EXPECT_EQ(second.named, (std::vector<int>{7}));
  EXPECT_EQ(t.repeated_ids(0, 1).named.size(), 1u);
  EXPECT_EQ(t.repeated_ids(0, 1).count, 2);
}

TEST(BlockIdsTable, TheDefaultTableHoldsTenThousand) {
  BlockIds t(1);
  unsigned char id[1] = {'k'};
  for (int i = 0; i < MAX_ID_BLOCKS; ++i) ASSERT_EQ(t.add(i % 2, id), 0);
  EXPECT_EQ(t.add(1, id), -1);
  EXPECT_EQ(t.count(), MAX_ID_BLOCKS);
}

TEST(BlockIdsTable, BlockNumbersFromTheFirstBlock) {
  BlockIds t(1, 7);
  unsigned char id[1] = {'k'};
  t.add(0, id);
  t.add(0, id);
  t.add(1, id);
  EXPECT_EQ(t.block_no(0), 7);
  EXPECT_EQ(t.block_no(1), 8);
  EXPECT_EQ(t.block_no(2), 7);
}

// Many ids, most of them repeated in both files: the pairing is the one the
// rule gives, worked out here by scanning the second file for each entry and
// skipping the entries already taken.
TEST(PairingMany, AgreesWithTheScanOverManyRepeatedIds) {
  BlockIds t(2, 0, kMaxAllIdBlocks);
  unsigned seed = 7;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  const int n1 = 3000, n2 = 4000;
  for (int f = 0; f < 2; ++f) {
    for (int b = 0; b < (f == 0 ? n1 : n2); ++b) {
      unsigned char id[2] = {static_cast<unsigned char>(next() % 40), static_cast<unsigned char>(next() % 50)};
      ASSERT_EQ(t.add(f, id), 0);
    }
  }
  t.pair();
  std::vector<bool> taken(n1 + n2, false);
  for (int i = 0; i < n1; ++i) {
    int want = -1;
    for (int j = n1; j < n1 + n2 && want < 0; ++j)
      if (!taken[j] && std::memcmp(t.id(i), t.id(j), 2) == 0) want = j;
    if (want < 0) {
      ASSERT_EQ(t.state(i), kDeleted) << i;
      continue;
    }
    taken[want] = true;
    ASSERT_EQ(t.state(i), kPaired) << i;
    ASSERT_EQ(t.partner(i), want) << i;
    ASSERT_EQ(t.partner(want), i) << i;
  }
  for (int j = n1; j < n1 + n2; ++j) ASSERT_EQ(t.state(j), taken[j] ? kPaired : kInserted) << j;
}

TEST(BlockIdsTable, KeepsACopyOfEachId) {
  BlockIds t(3);
  unsigned char id[3] = {1, 0, 255};
  ASSERT_EQ(t.add(0, id), 0);
  id[0] = 9;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(t.id(0)), 3), std::string("\x01\x00\xff", 3));
}

}  // namespace
}  // namespace vesk
