// The hash of the comparison's id index: SipHash-1-3 under a key drawn at
// random for each run. Ids chosen to collide under one key are no worse than
// any others under the next, so no set of ids can make the index slow.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vesk {

class IdHash {
 public:
  // A key from the system's random source.
  IdHash();
  // A given key, for tests.
  IdHash(std::uint64_t k0, std::uint64_t k1) : k0_(k0), k1_(k1) {}

  std::uint64_t operator()(const unsigned char* bytes, std::size_t n) const;

 private:
  std::uint64_t k0_;
  std::uint64_t k1_;
};

}  // namespace vesk
