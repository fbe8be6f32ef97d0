#include "compare/id_hash.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

// The key 00 01 .. 0F of the published SipHash test vectors: the empty input
// gives the published SipHash-1-3 value, the others the reference algorithm's.
const IdHash kTestKey(0x0706050403020100ull, 0x0F0E0D0C0B0A0908ull);

TEST(IdHash, SipHash13Vectors) {
  unsigned char bytes[15];
  for (int i = 0; i < 15; ++i) bytes[i] = static_cast<unsigned char>(i);
  EXPECT_EQ(kTestKey(bytes, 0), 0xabac0158050fc4dcull);
  EXPECT_EQ(kTestKey(bytes, 7), 0xd3927d989bb11140ull);
  EXPECT_EQ(kTestKey(bytes, 8), 0x369095118d299a8eull);
  EXPECT_EQ(kTestKey(bytes, 15), 0xd320d86d2a519956ull);
}

TEST(IdHash, EachRunDrawsItsOwnKey) {
  const unsigned char id[8] = {'C', '0', '0', '0', '0', '0', '0', '1'};
  // Two keys drawn alike would take a broken random source.
  EXPECT_NE(IdHash()(id, 8), IdHash()(id, 8));
}

}  // namespace
}  // namespace vesk
