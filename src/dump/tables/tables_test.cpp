#include <gtest/gtest.h>

#include "dump/tables/euc_tables.h"
#include "dump/tables/unicode_table.h"

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

TEST(EucTables, Runs) {
  EXPECT_EQ(kEuc2sjRuns, 125);
  EXPECT_EQ(euc2sj[0].euc, 0x8EA1);
  EXPECT_EQ(euc2sj[0].sjis, 0x00A1);
  EXPECT_EQ(euc2sj[1].euc, 0xA1A1);
  EXPECT_EQ(euc2sj[1].sjis, 0x8140);
  EXPECT_EQ(euc2sj[2].euc, 0xA1E0);
  EXPECT_EQ(euc2sj[2].sjis, 0x8180);
  EXPECT_EQ(euc2sj[3].euc, 0xA2A1);
  EXPECT_EQ(euc2sj[3].sjis, 0x819F);
  EXPECT_EQ(euc2sj[kEuc2sjRuns - 1].euc, 0xFCFE);
  EXPECT_EQ(euc2sj[kEuc2sjRuns - 1].sjis, 0xEEFC);
  EXPECT_EQ(euc2sj[kEuc2sjRuns].euc, 0);
  for (int i = 1; i < kEuc2sjRuns; ++i) ASSERT_LT(euc2sj[i - 1].euc, euc2sj[i].euc) << i;
}

TEST(EucTables, ThreeByteRows) {
  // 388 IBM extended characters; two (0xFA54, 0xFA5B) have no 3-byte code in
  // EUC-JP-MS and 0xFA59 has two.
  EXPECT_EQ(kEuc2sj3Rows, 387);
  EXPECT_EQ(euc2sj_3[0].euc, 0x8FF3F3u);
  EXPECT_EQ(euc2sj_3[0].sjis, 0xFA40);
  EXPECT_EQ(euc2sj_3[kEuc2sj3Rows - 1].euc, 0x8FF4FEu);
  EXPECT_EQ(euc2sj_3[kEuc2sj3Rows - 1].sjis, 0xFC4B);
  EXPECT_EQ(euc2sj_3[kEuc2sj3Rows].euc, 0u);
  for (int i = 0; i < kEuc2sj3Rows; ++i) {
    ASSERT_EQ(euc2sj_3[i].euc >> 16, 0x8Fu) << i;
    ASSERT_GE(euc2sj_3[i].sjis, 0xFA40) << i;
    ASSERT_LE(euc2sj_3[i].sjis, 0xFC4B) << i;
    ASSERT_NE(euc2sj_3[i].sjis, 0xFA54) << i;
    ASSERT_NE(euc2sj_3[i].sjis, 0xFA5B) << i;
  }
}

}  // namespace
}  // namespace vesk
