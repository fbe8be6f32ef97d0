#include "dump/plain_dump.h"

#include <gtest/gtest.h>

#include <cstring>

#include "dump/dump_line.h"
#include "main/settings.h"

namespace vesk {
namespace {

int eod(const char* code, const char* text, int n) {
  settings = Settings{};
  settings.eod_len = static_cast<int>(std::strlen(code));
  int e = find_eod(reinterpret_cast<const unsigned char*>(text), reinterpret_cast<const unsigned char*>(code), n);
  settings = Settings{};
  return e;
}

TEST(FindEod, PositionJustPastTheCode) {
  EXPECT_EQ(eod("\r\n", "ab\r\ncd", 6), 4);
  EXPECT_EQ(eod("X", "abXcd", 5), 3);
  EXPECT_EQ(eod("X", "abcd", 4), -1);
  // Starts run while i < n - 1: a one-byte code in the last byte is not taken.
  EXPECT_EQ(eod("X", "abcX", 4), -1);
  // A code that ends in the last byte is taken; one that passes it is not.
  EXPECT_EQ(eod("cX", "abcX", 4), 4);
  EXPECT_EQ(eod("cXY", "abcXY", 4), -1);
}

TEST(PutHexPair, PairAndSingle) {
  char buf[8] = "xxxxxxx";
  put_hex_pair(buf, 0x0A, 0xFF);
  EXPECT_EQ(std::string(buf, 7), "0aff xx");
  put_hex_pair(buf, 0xB1, -1);
  EXPECT_EQ(std::string(buf, 7), "b1   xx");
}

}  // namespace
}  // namespace vesk
