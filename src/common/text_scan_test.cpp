#include "common/text_scan.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(TextScan, ChrSkipStopsAtBlankOrFullWidthSpace) {
  const char* s = "ABC DEF";
  EXPECT_EQ(chr_skip(s), s + 3);
  const char* w = "\x82\xa0\x81\x40x";  // a kana, then a full-width space
  EXPECT_EQ(chr_skip(w), w + 2);
  const char* t = "ab\tc";
  EXPECT_EQ(chr_skip(t), t + 2);
  const char* e = "abc";
  EXPECT_EQ(chr_skip(e), e + 3);
  const char* lead_at_end = "a\x81";
  EXPECT_EQ(chr_skip(lead_at_end), lead_at_end + 2);
  // 0x81 as the second byte of a pair never starts a full-width space.
  const char* p = "\x88\x81\x40 x";
  EXPECT_EQ(chr_skip(p), p + 3);
}

TEST(TextScan, StrchrSkipsSecondBytesIndexDoesNot) {
  const char* s = "\x95\x5c";  // a kanji whose second byte is a backslash
  EXPECT_EQ(Strchr(s, '\\'), nullptr);
  EXPECT_EQ(index(s, '\\'), s + 1);
  EXPECT_EQ(Strchr(s, 0x95), s);
  EXPECT_EQ(index("abc", 0), nullptr);
}

TEST(TextScan, SpSkip) {
  const char* fw = "\x81\x40x";
  EXPECT_EQ(sp_skip(fw), fw);
  const char* b = " \t x";
  EXPECT_EQ(sp_skip(b), b + 3);
  const char* n = "\nx";
  EXPECT_EQ(sp_skip(n), n);
}

TEST(TextScan, IsNum) {
  struct Case { const char* text; int want; };
  for (const Case& c : {Case{"12", 1}, Case{"12 ab", 1}, Case{"-12", 0}, Case{"1.5", 0},
                        Case{"", 1}, Case{"7\n", 1}, Case{"x", 0}})
    EXPECT_EQ(isnum(c.text), c.want) << c.text;
}

TEST(TextScan, Index1) {
  EXPECT_EQ(index1("", ""), nullptr);
  const char* s = "abc";
  EXPECT_EQ(index1(s, ""), s);
  EXPECT_EQ(index1(s, "bc"), s + 1);
  EXPECT_EQ(index1(s, "bd"), nullptr);
  EXPECT_EQ(index1(s, "abcd"), nullptr);
}

TEST(TextScan, Index2SkipsPairs) {
  const char* s = "\x83\x5b[x";  // the pair 83 5B holds a '[' second byte
  EXPECT_EQ(index2(s, "[;"), s + 2);
  EXPECT_EQ(index2("abc", "xyz"), nullptr);
  const char* t = "a;b[";
  EXPECT_EQ(index2(t, "[;"), t + 1);
}

TEST(TextScan, LeadByteBeforeTheEndIsASingleByte) {
  const char* s = "a\x95";
  EXPECT_EQ(Strchr(s, 0x95), s + 1);
  EXPECT_EQ(index2(s, "\x95"), s + 1);
  EXPECT_EQ(Strchr(s, 0), nullptr);
  EXPECT_EQ(index("", 'a'), nullptr);
}

TEST(TextScan, StrchrMatchesALeadByteNeverASecondByte) {
  // 0x89 0x81 is one character; the lone 0x81 that follows starts the next.
  const char* s = "\x89\x81\x81\x40";
  EXPECT_EQ(Strchr(s, 0x81), s + 2);
  EXPECT_EQ(index(s, 0x81), s + 1);
  EXPECT_EQ(Strchr("abc", 'd'), nullptr);
}

TEST(TextScan, ChrSkipSeparators) {
  const char* fw = "\x81\x40x";
  EXPECT_EQ(chr_skip(fw), fw);
  const char* nl = "ab\ncd";
  EXPECT_EQ(chr_skip(nl), nl + 2);
  const char* empty = "";
  EXPECT_EQ(chr_skip(empty), empty);
  // A pair whose second byte is 0x20 is kept whole: the blank is not a separator.
  const char* pair_blank = "\x81\x20 x";
  EXPECT_EQ(chr_skip(pair_blank), pair_blank + 2);
}

TEST(TextScan, SpSkipStopsAtLeadBytesAndTheEnd) {
  const char* lead = "  \x88\x9f";
  EXPECT_EQ(sp_skip(lead), lead + 2);
  const char* all = " \t ";
  EXPECT_EQ(sp_skip(all), all + 3);
}

TEST(TextScan, IsNumWordEnds) {
  EXPECT_EQ(isnum("12\tx"), 1);
  EXPECT_EQ(isnum(" 12"), 1);  // the word before the first blank is empty
  EXPECT_EQ(isnum("+1"), 0);
  EXPECT_EQ(isnum("0x10"), 0);
}

TEST(TextScan, Index1Positions) {
  const char* s = "aab";
  EXPECT_EQ(index1(s, "ab"), s + 1);
  EXPECT_EQ(index1(s, "b"), s + 2);
  EXPECT_EQ(index1("", "a"), nullptr);
  // No Shift_JIS knowledge: a match may start on a second byte.
  const char* k = "\x95\x5c\x5c";
  EXPECT_EQ(index1(k, "\x5c\x5c"), k + 1);
}

TEST(TextScan, Index2SetEnds) {
  EXPECT_EQ(index2("abc", ""), nullptr);
  const char* s = "\x83\x5b";
  EXPECT_EQ(index2(s, "["), nullptr);
}

}  // namespace
}  // namespace vesk
