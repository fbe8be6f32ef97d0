#include "format/definitions.h"

#include <gtest/gtest.h>

#include "format/format_test_support.h"

namespace vesk {
namespace {

using format_test::load;
using format_test::reset_tables;

// Other tests empty the tables too: what a test leaves there is kept at its end.
class KeepTables : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo&) override { format_test::keep_tables(); }
};
const bool kKeepTablesAdded = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new KeepTables);
  return true;
}();

TEST(FindBlno, OneOpenRangeCoversEveryBlock) {
  reset_tables();
  ASSERT_EQ(load("#BLNO 0 &\nstruct A {\n long a;\n};\n"), 0);
  int offset = 7, flag = 7;
  EXPECT_EQ(find_blno(0, &offset, &flag), 4);
  EXPECT_EQ(offset, -1);  // no offset= given
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(find_blno(32767, &offset, &flag), 4);
  EXPECT_EQ(offset, -1);
  EXPECT_EQ(flag, 0);
}

TEST(FindBlno, RangesAndOffsets) {
  reset_tables();
  ASSERT_EQ(load("#BLNO 0 9\nstruct A {\n long a;\n};\n"
                 "#BLNO offset=0x40 10 &\nstruct B {\n short b;\n};\n"),
            0);
  int offset = 7, flag = 7;
  EXPECT_EQ(find_blno(9, &offset, &flag), 4);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(find_blno(10, &offset, &flag), 2);
  EXPECT_EQ(offset, 0x40);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(find_blno(11, &offset, &flag), 2);
  EXPECT_EQ(offset, -1);
  EXPECT_EQ(flag, 0);
}

TEST(FindBlno, NoRangeLeavesTheOutputs) {
  reset_tables();
  ASSERT_EQ(load("#BLNO 0 9\nstruct A {\n long a;\n};\n"), 0);
  int offset = 7, flag = 8;
  EXPECT_EQ(find_blno(10, &offset, &flag), -1);
  EXPECT_EQ(offset, 7);
  EXPECT_EQ(flag, 8);
  EXPECT_EQ(find_blno(-1, &offset, &flag), -1);
}

}  // namespace
}  // namespace vesk
