#include "formatted/item_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vesk {
namespace {

TEST(MaskChar, KanaDisplayableExceptInAscii) {
  unsigned char kana = 0xB1, ctl = 0x01, tilde = '~';
  mask_char(kana, '.', CharMode::sjis);
  mask_char(ctl, '.', CharMode::sjis);
  mask_char(tilde, '.', CharMode::sjis);
  EXPECT_EQ(kana, 0xB1);
  EXPECT_EQ(ctl, '.');
  EXPECT_EQ(tilde, '~');
  mask_char(kana, '.', CharMode::ascii);  // -A
  EXPECT_EQ(kana, '.');
}

TEST(CleanText, KeepsPairsAndBlanksACutLeadByte) {
  char name[] = "ab\x82\xa0\x82\xa0\x01z";
  clean_text(name, 5, CharMode::sjis);  // the second pair is cut after its lead byte
  EXPECT_STREQ(name, "ab\x82\xa0 \xa0\x01z");
  char other[] = "a\x01\x82\xb1";
  clean_text(other, 10, CharMode::euc);  // -E: no Shift_JIS pairs
  EXPECT_STREQ(other, "a  \xb1");
}

TEST(CopyCutText, NeverHalvesAPair) {
  char out[8];
  copy_cut_text(out, "ab\x82\xa0", 3);
  EXPECT_EQ(0, std::memcmp(out, "ab ", 3));
  copy_cut_text(out, "ab\x82\xa0", 5);
  EXPECT_EQ(0, std::memcmp(out, "ab\x82\xa0 ", 5));
}

}  // namespace
}  // namespace vesk
