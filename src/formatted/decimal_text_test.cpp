#include "formatted/decimal_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vesk {
namespace {

std::string packed(const std::string& hex, int scale) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  char out[kDecimalValueSize];
  int n = packed_text(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()), scale, out);
  return n < 0 ? "bad" : std::string(out, static_cast<std::size_t>(n));
}

std::string zoned(const std::string& text, int scale) {
  char out[kDecimalValueSize];
  int n = zoned_text(reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()), scale, out);
  return n < 0 ? "bad" : std::string(out, static_cast<std::size_t>(n));
}

TEST(PackedText, SignsScalesAndLengths) {
  EXPECT_EQ(packed("000030000c", 0), "30000");
  EXPECT_EQ(packed("000030000c", 2), "300.00");
  EXPECT_EQ(packed("000030000f", 2), "300.00");
  EXPECT_EQ(packed("000030000d", 2), "-300.00");
  EXPECT_EQ(packed("5c", 0), "5");
  EXPECT_EQ(packed("5d", 1), "-0.5");
  EXPECT_EQ(packed("00005c", 2), "0.05");
  EXPECT_EQ(packed("00005c", 5), "0.00005");
  EXPECT_EQ(packed("0c", 0), "0");
  EXPECT_EQ(packed("0d", 0), "-0");       // a negative zero keeps its sign
  EXPECT_EQ(packed("000d", 2), "-0.00");
  EXPECT_EQ(packed("9999999999999999999999999999999c", 0), std::string(31, '9'));
  EXPECT_EQ(packed("1234567890123456789012345678901d", 31), "-0.1234567890123456789012345678901");
  EXPECT_EQ(packed("1234567890123456789012345678901d", 30), "-1.234567890123456789012345678901");
}

TEST(PackedText, BadDigitOrSign) {
  EXPECT_EQ(packed("0a0c", 0), "bad");   // a digit above 9
  EXPECT_EQ(packed("a00c", 0), "bad");
  EXPECT_EQ(packed("000a", 0), "bad");   // signs A, B, E are not taken
  EXPECT_EQ(packed("000b", 0), "bad");
  EXPECT_EQ(packed("000e", 0), "bad");
  EXPECT_EQ(packed("0009", 0), "bad");   // a digit where the sign belongs
  EXPECT_EQ(packed("00000000000000000000000000000000c", 0), "bad");  // 17 bytes
}

TEST(ZonedText, EverySignForm) {
  EXPECT_EQ(zoned("12345", 0), "12345");
  EXPECT_EQ(zoned("12345", 2), "123.45");
  EXPECT_EQ(zoned("0000{", 0), "0");
  EXPECT_EQ(zoned("0001A", 0), "11");
  EXPECT_EQ(zoned("0001I", 0), "19");
  EXPECT_EQ(zoned("0000}", 0), "-0");
  EXPECT_EQ(zoned("0001J", 0), "-11");
  EXPECT_EQ(zoned("0001R", 2), "-0.19");
  EXPECT_EQ(zoned("0001p", 0), "-10");
  EXPECT_EQ(zoned("0001y", 0), "-19");
  EXPECT_EQ(zoned("5", 1), "0.5");
  EXPECT_EQ(zoned("E", 1), "0.5");
  EXPECT_EQ(zoned("N", 1), "-0.5");
  EXPECT_EQ(zoned("007", 3), "0.007");
}

TEST(ZonedText, BadZone) {
  EXPECT_EQ(zoned(" 1234", 0), "bad");   // a blank is no digit
  EXPECT_EQ(zoned("12A45", 0), "bad");   // a sign before the last byte
  EXPECT_EQ(zoned("1234S", 0), "bad");
  EXPECT_EQ(zoned("1234z", 0), "bad");
  EXPECT_EQ(zoned("1234o", 0), "bad");
  EXPECT_EQ(zoned(std::string("12\xb4", 3), 0), "bad");  // EBCDIC-style zone 0xB
  EXPECT_EQ(zoned(std::string(32, '1'), 0), "bad");
}

}  // namespace
}  // namespace vesk
