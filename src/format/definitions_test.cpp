#include "format/definitions.h"

#include <gtest/gtest.h>

#include "format/format_test_support.h"

namespace vesk {
namespace {

using namespace format_test;


TEST(PlaceOf, OneOpenRangeCoversEveryBlock) {
  reset_tables();
  ASSERT_EQ(load("#BLNO 0 &\nstruct A {\n long a;\n};\n"), 0);
  BlockPlace p = defs.place_of(0);
  EXPECT_EQ(p.entry, 0);
  EXPECT_EQ(p.size, 4);
  EXPECT_EQ(p.offset, -1);  // no offset= given
  EXPECT_TRUE(p.range_first);
  p = defs.place_of(32767);
  EXPECT_EQ(p.size, 4);
  EXPECT_EQ(p.offset, -1);
  EXPECT_FALSE(p.range_first);
}

TEST(PlaceOf, RangesAndOffsets) {
  reset_tables();
  ASSERT_EQ(load("#BLNO 0 9\nstruct A {\n long a;\n};\n"
                 "#BLNO offset=0x40 10 &\nstruct B {\n short b;\n};\n"),
            0);
  BlockPlace p = defs.place_of(9);
  EXPECT_EQ(p.size, 4);
  EXPECT_FALSE(p.range_first);
  p = defs.place_of(10);
  EXPECT_EQ(p.entry, 1);
  EXPECT_EQ(p.size, 2);
  EXPECT_EQ(p.offset, 0x40);
  EXPECT_TRUE(p.range_first);
  p = defs.place_of(11);
  EXPECT_EQ(p.size, 2);
  EXPECT_EQ(p.offset, -1);  // the offset holds for the range's first block only
  EXPECT_FALSE(p.range_first);
}

TEST(PlaceOf, NoRange) {
  reset_tables();
  ASSERT_EQ(load("#BLNO 0 9\nstruct A {\n long a;\n};\n"), 0);
  EXPECT_EQ(defs.place_of(10).entry, -1);
  EXPECT_EQ(defs.place_of(10).size, -1);
  EXPECT_EQ(defs.place_of(-1).entry, -1);
}

TEST(KeepText, CopiesLiveAsLongAsTheTables) {
  Definitions d;
  std::string text = "name";
  const char* kept = d.keep_text(text.data(), 2);
  text = "xxxx";
  for (int i = 0; i < 1000; ++i) d.keep_text("filler", 6);
  EXPECT_STREQ(kept, "na");
}

}  // namespace
}  // namespace vesk
