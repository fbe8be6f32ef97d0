// A count or position of bytes, as --skip-bytes and --read-bytes take it.
#pragma once

namespace vesk {

// The largest value: past the end of any file that a 64-bit offset reaches.
constexpr long long kMaxByteCount = 1LL << 62;

// Decimal digits, or 0x and hexadecimal digits, then optionally K, M or G
// (either case) for 1024, 1024^2 or 1024^3 times the number. Nothing else may
// stand in the text. false when the text is not such a number or the value is
// above kMaxByteCount.
bool read_byte_count(const char* text, long long* out);

}  // namespace vesk
