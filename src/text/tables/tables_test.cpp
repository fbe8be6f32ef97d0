#include <gtest/gtest.h>

#include "text/sjis_codes.h"
#include "text/tables/jisx0212.h"
#include "text/tables/unicode_table.h"

namespace vesk {
namespace {

std::uint32_t sjis_for(std::uint32_t code) {
  for (const UnicodePair& p : unicodeTbl)
    if (p.code == code) return p.sjis;
  return 0xFFFFFFFF;
}

TEST(UnicodeTable, SizeOrderAndEnds) {
  EXPECT_EQ(kUnicodeTblSize, 11406);
  EXPECT_EQ(unicodeTbl[0].code, 0u);
  EXPECT_EQ(unicodeTbl[0].sjis, 0u);
  EXPECT_EQ(unicodeTbl[kUnicodeTblSize - 1].code, 0x2A6B2u);
  EXPECT_EQ(unicodeTbl[kUnicodeTblSize - 1].sjis, 0xFCF4u);
  for (int i = 1; i < kUnicodeTblSize; ++i) ASSERT_LT(unicodeTbl[i - 1].code, unicodeTbl[i].code) << i;
}

TEST(UnicodeTable, SpotValues) {
  struct Case {
    std::uint32_t code, sjis;
  } cases[] = {
      {0x0041, 0x41},   {0x203E, 0x7E},   {0x007E, 0x81B0}, {0x00A5, 0x5C},   {0x005C, 0x5C},
      {0x3042, 0x82A0}, {0x4E9C, 0x889F}, {0xFF71, 0xB1},   {0x20B9F, 0x9873}, {0x2014, 0x815C},
      {0x2015, 0x815C}, {0xFF3C, 0x815F}, {0xFF5E, 0x8160}, {0xFF5F, 0x81D4}, {0xFF60, 0x81D5},
      {0xFFE2, 0x81CA}, {0x2252, 0x8790}, {0x2211, 0x8794}, {0x222A, 0x879C}, {0x2225, 0x8161},
  };
  for (const Case& c : cases) EXPECT_EQ(sjis_for(c.code), c.sjis) << std::hex << c.code;
  EXPECT_EQ(sjis_for(0x2985), 0xFFFFFFFFu);
  EXPECT_EQ(sjis_for(0x2986), 0xFFFFFFFFu);
}

// JIS X 0212: the characters of the plane, and the Shift_JIS codes of the
// IBM extended characters. FA54 and FA5B have no code of the plane;
// FA59 has two.
TEST(Jisx0212Table, CharactersAndShiftJisCodes) {
  EXPECT_EQ(jisx0212_char(0x30, 0x21).cp, 0x4E02u);  // the plane's first kanji
  EXPECT_EQ(jisx0212_char(0x30, 0x21).sjis, 0);
  EXPECT_EQ(jisx0212_char(0x73, 0x73).sjis, 0xFA40);  // small roman numeral one
  EXPECT_EQ(jisx0212_char(0x73, 0x73).cp, 0x2170u);
  EXPECT_EQ(jisx0212_char(0x74, 0x7E).sjis, 0xFC4B);
  EXPECT_EQ(jisx0212_char(0x21, 0x21).cp, 0u);  // row 1 is empty
  EXPECT_EQ(jisx0212_char(0x20, 0x21).cp, 0u);  // no row/cell byte
  int with_sjis = 0;
  for (int hi = 0x21; hi <= 0x7E; ++hi) {
    for (int lo = 0x21; lo <= 0x7E; ++lo) {
      Jisx0212Code c = jisx0212_char(static_cast<unsigned char>(hi), static_cast<unsigned char>(lo));
      if (c.sjis == 0) continue;
      ++with_sjis;
      ASSERT_GE(c.sjis, 0xFA40);
      ASSERT_LE(c.sjis, 0xFC4B);
      ASSERT_NE(c.sjis, 0xFA54);
      ASSERT_NE(c.sjis, 0xFA5B);
      ASSERT_TRUE(is_sjis_pair(c.sjis >> 8, c.sjis & 0xFF));
    }
  }
  EXPECT_EQ(with_sjis, 387);
}

}  // namespace
}  // namespace vesk
