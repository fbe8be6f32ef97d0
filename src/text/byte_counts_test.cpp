#include "text/byte_counts.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace vesk {
namespace {

// Every length up to a few rounds of sixteen and past a sum of the byte
// counters, at every alignment, after a CR or not: the counts are those of
// the bytes one at a time.
TEST(ByteCounts, AsTheBytesOneAtATime) {
  std::mt19937 rng(16);
  std::vector<unsigned char> bytes(5000);
  // Mostly the bytes counted, so that counters fill.
  const unsigned char some[] = {0x00, '\n', '\r', 0x7F, 0x80, 0xFF, 'a'};
  for (unsigned char& b : bytes) b = rng() % 4 == 0 ? static_cast<unsigned char>(rng()) : some[rng() % std::size(some)];
  auto check = [&](int from, int n, bool after_cr) {
    ByteCounts want;
    int first = -1;
    bool cr = after_cr;
    for (int i = from; i < from + n; ++i) {
      const unsigned char b = bytes[i];
      want.nul += b == 0;
      want.lf += b == '\n';
      want.cr += b == '\r';
      want.crlf += b == '\n' && cr;
      want.high += b >= 0x80;
      if (b >= 0x80 && first < 0) first = i - from;
      cr = b == '\r';
    }
    const ByteCounts got = count_bytes(bytes.data() + from, n, after_cr);
    EXPECT_EQ(got.nul, want.nul) << from << " " << n;
    EXPECT_EQ(got.lf, want.lf) << from << " " << n;
    EXPECT_EQ(got.cr, want.cr) << from << " " << n;
    EXPECT_EQ(got.crlf, want.crlf) << from << " " << n << " " << after_cr;
    EXPECT_EQ(got.high, want.high) << from << " " << n;
    EXPECT_EQ(count_high(bytes.data() + from, n), want.high) << from << " " << n;
    EXPECT_EQ(first_high(bytes.data() + from, n), first) << from << " " << n;
  };
  for (int from = 0; from < 17; ++from)
    for (int n = 0; n < 70; ++n)
      for (bool after_cr : {false, true}) check(from, n, after_cr);
  for (int n : {16 * 255 - 1, 16 * 255, 16 * 255 + 1, 16 * 256 + 5, 4999}) check(1, n - 1, true), check(0, n, false);
  // Runs of a counted byte long enough to overflow a byte counter.
  for (unsigned char b : {0x00, 0x0A, 0x0D, 0x80}) {
    std::fill(bytes.begin(), bytes.end(), b);
    check(0, 5000, b == '\r');
  }
  // CR LF across the rounds of sixteen.
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = i % 2 == 0 ? '\n' : '\r';
  check(0, 5000, true);
  check(3, 4000, false);
}

}  // namespace
}  // namespace vesk
