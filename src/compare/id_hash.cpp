#include "compare/id_hash.h"

#include <bit>
#include <chrono>
#include <cstring>
#include <random>

namespace vesk {

namespace {

struct SipState {
  std::uint64_t v0, v1, v2, v3;

  void round() {
    v0 += v1;
    v1 = std::rotl(v1, 13);
    v1 ^= v0;
    v0 = std::rotl(v0, 32);
    v2 += v3;
    v3 = std::rotl(v3, 16);
    v3 ^= v2;
    v0 += v3;
    v3 = std::rotl(v3, 21);
    v3 ^= v0;
    v2 += v1;
    v1 = std::rotl(v1, 17);
    v1 ^= v2;
    v2 = std::rotl(v2, 32);
  }

  void take(std::uint64_t m) {
    v3 ^= m;
    round();
    v0 ^= m;
  }
};

// Eight bytes as a little-endian word, whatever the machine's order.
std::uint64_t word(const unsigned char* p, std::size_t n) {
  std::uint64_t w = 0;
  for (std::size_t i = 0; i < n; ++i) w |= static_cast<std::uint64_t>(p[i]) << (8 * i);
  return w;
}

std::uint64_t random_word() {
  try {
    std::random_device source;
    return (static_cast<std::uint64_t>(source()) << 32) ^ source();
  } catch (...) {
    // No random source: the clock still differs from run to run.
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) *
           0x9E3779B97F4A7C15ull;
  }
}

}  // namespace

IdHash::IdHash() : k0_(random_word()), k1_(random_word()) {}

std::uint64_t IdHash::operator()(const unsigned char* bytes, std::size_t n) const {
  SipState s{k0_ ^ 0x736f6d6570736575ull, k1_ ^ 0x646f72616e646f6dull, k0_ ^ 0x6c7967656e657261ull,
             k1_ ^ 0x7465646279746573ull};
  std::size_t whole = n - n % 8;
  for (std::size_t i = 0; i < whole; i += 8) s.take(word(bytes + i, 8));
  s.take(word(bytes + whole, n % 8) | (static_cast<std::uint64_t>(n) << 56));
  s.v2 ^= 0xff;
  s.round();
  s.round();
  s.round();
  return s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
}

}  // namespace vesk
