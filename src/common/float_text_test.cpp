#include "common/float_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace vesk {
namespace {

struct Row {
  double value;
  const char* text;
};

TEST(DblToStr, WorkedResults) {
  const Row rows[] = {
      {123.456, "123.456"},
      {0.0001, "0.0001"},
      {0.00001, "1e-5"},
      {123456789.0, "1.23456789e8"},
      {0.001234567, "1.234567e-3"},
      {-0.5, "-0.5"},
      {0.0, "0"},
      {-0.0, "-0"},
      {1.0, "1"},
      {10.0, "10"},
      {12345678.0, "12345678"},
      {0.000123, "0.000123"},
      {0.0000123, "1.23e-5"},
      {-123.25, "-123.25"},
      {1.5e10, "1.5e10"},
      {-2.5e-7, "-2.5e-7"},
      {1e100, "1e100"},
      {-1.5e-300, "-1.5e-300"},
      {0.1, "0.1"},
      {100000000.0, "1e8"},
      {3.0, "3"},
  };
  for (const Row& r : rows) {
    char text[kFloatTextSize];
    EXPECT_STREQ(dblToStr(r.value, text), r.text) << r.value;
  }
}

TEST(FloatToStr, WorkedResults) {
  const Row rows[] = {
      {static_cast<double>(0.1f), "0.1"},
      {1234567.0, "1.23457e6"},
      {123456.0, "123456"},
      {static_cast<double>(1.5f), "1.5"},
      {static_cast<double>(-0.25f), "-0.25"},
      {static_cast<double>(0.012345f), "0.012345"},
      {static_cast<double>(0.0001234567f), "1.23457e-4"},
      {0.0, "0"},
      {static_cast<double>(std::numeric_limits<float>::denorm_min()), "1.4013e-45"},
      {static_cast<double>(-std::numeric_limits<float>::max()), "-3.40282e38"},
  };
  for (const Row& r : rows) {
    char text[kFloatTextSize];
    EXPECT_STREQ(floatToStr(r.value, text), r.text) << r.value;
  }
  // floatToStr puts the precision back.
  char text[kFloatTextSize];
  EXPECT_STREQ(dblToStr(0.001234567, text), "1.234567e-3");
}

double from_bits(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

TEST(DblToStr, NotANumberAndInfinity) {
  char text[kFloatTextSize];
  EXPECT_STREQ(dblToStr(from_bits(0x7FF8000000000000ull), text), "NAN");  // quiet
  EXPECT_STREQ(dblToStr(from_bits(0x7FF0000000000001ull), text), "NAN");  // signalling
  EXPECT_STREQ(dblToStr(from_bits(0xFFF8000000000000ull), text), "NAN");  // negative
  EXPECT_STREQ(floatToStr(std::numeric_limits<double>::quiet_NaN(), text), "NAN");
  EXPECT_STREQ(dblToStr(std::numeric_limits<double>::infinity(), text), "inf");
  EXPECT_STREQ(dblToStr(-std::numeric_limits<double>::infinity(), text), "-inf");
  EXPECT_STREQ(floatToStr(-std::numeric_limits<double>::infinity(), text), "-inf");
}

TEST(DblToStr, LongestTextsFitTheBuffer) {
  char text[kFloatTextSize];
  EXPECT_STREQ(dblToStr(-1.2345678901234567e-300, text), "-1.23456789012346e-300");
  EXPECT_STREQ(dblToStr(-std::numeric_limits<double>::max(), text), "-1.79769313486232e308");
}

}  // namespace
}  // namespace vesk
