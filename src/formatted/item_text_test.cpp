#include "formatted/item_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "formatted/formatted_test_support.h"

namespace vesk {
namespace {

TEST(MaskChar, KanaDisplayableExceptInAscii) {
  formatted_test::reset();
  unsigned char kana = 0xB1, ctl = 0x01, tilde = '~';
  mask_char(kana, '.');
  mask_char(ctl, '.');
  mask_char(tilde, '.');
  EXPECT_EQ(kana, 0xB1);
  EXPECT_EQ(ctl, '.');
  EXPECT_EQ(tilde, '~');
  settings.char_mode = 1;  // -A
  mask_char(kana, '.');
  EXPECT_EQ(kana, '.');
}

TEST(CleanText, KeepsPairsAndBlanksACutLeadByte) {
  formatted_test::reset();
  char name[] = "ab\x82\xa0\x82\xa0\x01z";
  clean_text(name, 5);  // the second pair is cut after its lead byte
  EXPECT_STREQ(name, "ab\x82\xa0 \xa0\x01z");
  char other[] = "a\x01\x82\xb1";
  settings.char_mode = 5;  // -E: no Shift_JIS pairs
  clean_text(other, 10);
  EXPECT_STREQ(other, "a  \xb1");
}

TEST(EditCharText, ListsTheReplacedBytes) {
  formatted_test::reset();
  unsigned char data[] = {'A', 0x01, '.', 0x82, 0xA0, 0xFF, 'B'};
  char out[64];
  edit_char_text(data, 7, out, sizeof out);
  EXPECT_STREQ(out, "01 . ff");
  EXPECT_EQ(0, std::memcmp(data, "A..\x82\xa0.B", 7));
  unsigned char plain[] = {'x', 'y'};
  edit_char_text(plain, 2, out, sizeof out);
  EXPECT_STREQ(out, "");
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
