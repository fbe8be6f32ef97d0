#include "main/byte_count.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(ReadByteCount, DecimalHexAndSuffixes) {
  struct Case {
    const char* text;
    long long value;
  };
  for (const Case& c : {Case{"0", 0}, Case{"1500000000", 1500000000}, Case{"0x10", 16}, Case{"0XfF", 255},
                        Case{"1K", 1024}, Case{"3k", 3072}, Case{"2M", 2 << 20}, Case{"1500m", 1500LL << 20},
                        Case{"1G", 1LL << 30}, Case{"0x10K", 16 << 10}, Case{"007", 7},
                        Case{"4611686018427387904", 1LL << 62}, Case{"4194304G", 1LL << 52},
                        Case{"0x4000000000000000", 1LL << 62}}) {
    long long v = -1;
    EXPECT_TRUE(read_byte_count(c.text, &v)) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
}

TEST(ReadByteCount, RefusesWhatIsNotACount) {
  for (const char* text : {"", "x", "0x", "-1", "+1", " 1", "1 ", "1KB", "1KK", "K", "1T", "12z", "0x1g2",
                           "1.5M", "4611686018427387905", "0x4000000000000001", "4294967297G",
                           "99999999999999999999999999"}) {
    long long v = -1;
    EXPECT_FALSE(read_byte_count(text, &v)) << text;
    EXPECT_EQ(v, -1) << text;
  }
}

}  // namespace
}  // namespace vesk
