#include "common/decimal_digits.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <random>
#include <string>

namespace vesk {
namespace {

template <class... Values>
std::string printed(const char* format, Values... values) {
  char t[64];
  std::snprintf(t, sizeof t, format, values...);
  return t;
}

// Every width of digits, its edges and random values of each size: the
// texts of the formatted print.
TEST(DecimalDigits, AsTheFormattedPrint) {
  std::vector<std::uint64_t> values = {0, 1, 9, 10, 99, 100, 999, 1000, 9999, 10000, 65535, 99999999, 100000000,
                                       4294967295u, 4294967296u, 9999999999999999999u, 10000000000000000000u,
                                       18446744073709551615u};
  for (std::uint64_t p = 1; p < 10000000000000000000u; p *= 10) {
    values.push_back(p - 1);
    values.push_back(p);
    values.push_back(p + 1);
  }
  std::mt19937_64 rng(7);
  for (int i = 0; i < 2000; ++i) values.push_back(rng() >> (rng() % 64));
  for (std::uint64_t v : values) {
    char out[32];
    EXPECT_EQ(std::string(out, static_cast<std::size_t>(put_decimal(out, v))), printed("%" PRIu64, v));
    const auto s = static_cast<long long>(v);
    EXPECT_EQ(std::string(out, static_cast<std::size_t>(put_signed_decimal(out, s))), printed("%lld", s));
    EXPECT_EQ(std::string(out, static_cast<std::size_t>(put_signed_decimal(out, -s))), printed("%lld", -s));
    EXPECT_EQ(decimal_width(v), static_cast<int>(printed("%" PRIu64, v).size()));
    for (int min_digits : {1, 4, 7}) {
      EXPECT_EQ(std::string(out, static_cast<std::size_t>(put_padded_digits(out, v, true, min_digits))),
                printed("%0*" PRIu64, min_digits, v));
      EXPECT_EQ(std::string(out, static_cast<std::size_t>(put_padded_digits(out, v, false, min_digits))),
                printed("%0*" PRIX64, min_digits, v));
    }
  }
  char out[32];
  const long long least = -9223372036854775807LL - 1;
  EXPECT_EQ(std::string(out, static_cast<std::size_t>(put_signed_decimal(out, least))), "-9223372036854775808");
}

}  // namespace
}  // namespace vesk
