#include "output/report_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vesk {
namespace {

std::size_t bad(const std::string& s) { return first_non_report_byte(s.data(), s.size()); }

TEST(ReportText, TheBytesTheReportMayHold) {
  struct Case {
    std::string text;
    std::size_t bad_at;
  };
  const Case cases[] = {
      {"plain ~ text\n", 13},
      {"\xb1\xdf\xa1", 3},          // half-width kana
      {"\x82\xa0\xfc\xfc\xe0\x40", 6},  // pairs, at the edges of lead and trail
      {"a\x1b[2J", 1},              // ESC
      {"a\x7f", 1},                 // DEL
      {"ab\x9b", 2},                // an 8-bit control, not followed by a trail
      {"\x81\x7f", 0},              // a lead byte with a bad trail
      {"x\x82", 1},                 // a lead byte at the end
      {"\xa0", 0},
      {"\xfd", 0},
      {"\t", 0},
      {"\r\n", 0},
      {std::string("a\0", 2), 1},
  };
  for (const Case& c : cases) EXPECT_EQ(bad(c.text), c.bad_at) << c.text;
}

// Read left to right: 0x9B followed by a trail byte is a pair, as is any
// lead byte so followed.
TEST(ReportText, PairsAreReadLeftToRight) {
  EXPECT_EQ(bad("\x9b\x41"), 2u);
  EXPECT_EQ(bad("\x82\x82\xa0"), 2u);  // 82 82 is a pair, then A0 alone breaks it
}

}  // namespace
}  // namespace vesk
