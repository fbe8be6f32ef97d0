#include "text/byte_masks.h"

#include <gtest/gtest.h>

#if defined(__SSE2__)

namespace vesk {
namespace {

// Every byte value against ranges at the ends of the byte values, and an
// empty one.
TEST(ByteMasks, InRangeOfTakesEachByteValueAsItsRangeSays) {
  struct Range {
    int lo, hi;
  };
  const Range ranges[] = {{0x21, 0x7E}, {0x21, 0x5F}, {0x60, 0x7E}, {0x00, 0x00}, {0xFF, 0xFF},
                          {0x00, 0xFE}, {0x01, 0xFF}, {0x7F, 0x80}, {1, 0}};
  unsigned char all[256];
  for (int b = 0; b < 256; ++b) all[b] = static_cast<unsigned char>(b);
  for (const Range& r : ranges) {
    for (int at = 0; at < 256; at += 16) {
      const unsigned got = simd::bits(simd::in_range_of(simd::load(all + at), static_cast<unsigned char>(r.lo),
                                                        static_cast<unsigned char>(r.hi)));
      for (int i = 0; i < 16; ++i) {
        const int b = at + i;
        EXPECT_EQ((got >> i & 1) != 0, b >= r.lo && b <= r.hi) << "byte " << b << " in " << r.lo << "-" << r.hi;
      }
    }
  }
}

}  // namespace
}  // namespace vesk

#endif
