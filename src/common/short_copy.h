// Copies and blank fills of a few bytes to a hundred or so, the pieces
// report lines are built from. Each writes exactly its n bytes, in a few
// moves of 32 bytes or fewer (which may overlap), rather than through a call
// or a string instruction, whose start costs more than such a copy.
#pragma once

#include <cstdint>
#include <cstring>

namespace vesk {

// Inlined where the source is a small array, these copies have branches for
// sizes that array cannot hold, which the compiler's bounds warnings see
// but which never run: n bounds every access.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overread"
#pragma GCC diagnostic ignored "-Wstringop-overflow"
#endif

// n bytes from src to dst (the two do not overlap), n >= 0. Up to 128
// bytes in moves from both ends that meet or overlap in the middle; more
// through memcpy.
inline void copy_short(char* dst, const char* src, int n) {
  if (n > 32) {
    if (n > 128) {
      std::memcpy(dst, src, static_cast<std::size_t>(n));
      return;
    }
    std::memcpy(dst, src, 32);
    std::memcpy(dst + n - 32, src + n - 32, 32);
    if (n > 64) {
      std::memcpy(dst + 32, src + 32, 32);
      std::memcpy(dst + n - 64, src + n - 64, 32);
    }
    return;
  }
  if (n >= 16) {
    std::memcpy(dst, src, 16);
    std::memcpy(dst + n - 16, src + n - 16, 16);
  } else if (n >= 8) {
    std::memcpy(dst, src, 8);
    std::memcpy(dst + n - 8, src + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(dst, src, 4);
    std::memcpy(dst + n - 4, src + n - 4, 4);
  } else if (n >= 2) {
    std::memcpy(dst, src, 2);
    std::memcpy(dst + n - 2, src + n - 2, 2);
  } else if (n == 1) {
    dst[0] = src[0];
  }
}

// n blanks from dst, n >= 0.
inline void fill_blanks_short(char* dst, int n) {
  static constexpr char kBlanks[32] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                       ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
  if (n > 128) {
    std::memset(dst, ' ', static_cast<std::size_t>(n));
    return;
  }
  if (n > 32) {
    std::memcpy(dst, kBlanks, 32);
    std::memcpy(dst + n - 32, kBlanks, 32);
    if (n > 64) {
      std::memcpy(dst + 32, kBlanks, 32);
      std::memcpy(dst + n - 64, kBlanks, 32);
    }
    return;
  }
  copy_short(dst, kBlanks, n);
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

}  // namespace vesk
