// Character classes of the ASCII range, the same wherever text is scanned.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vesk {

constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }
constexpr bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool is_blank(char c) { return c == ' ' || c == '\t'; }

// A lower-case ASCII letter made upper case; any other byte as it is.
constexpr char to_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The value of a hexadecimal digit of either case, or -1.
constexpr int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Printable ASCII: a blank up to the tilde.
constexpr bool is_printable_ascii(unsigned char c) { return c >= 0x20 && c <= 0x7E; }

// No byte of the n at p has its top bit set (text of the report so made is
// printable ASCII, the same in both of its encodings).
inline bool all_ascii(const char* p, std::size_t n) {
  std::uint64_t high = 0;
  std::size_t i = 0;
  for (std::uint64_t eight; i + 8 <= n; i += 8) {
    std::memcpy(&eight, p + i, 8);
    high |= eight;
  }
  for (; i < n; ++i) high |= static_cast<unsigned char>(p[i]);
  return (high & 0x8080808080808080u) == 0;
}

}  // namespace vesk
