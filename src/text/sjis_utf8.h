// The UTF-8 form of every Shift_JIS pair's character over the pair's two
// columns, as the UTF-8 encoder writes a cell of a pair: the generated table
// (text/tables/sjis_utf8.h), and how a pair finds and writes its entry.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "common/text_scan.h"
#include "text/tables/sjis_unicode.h"
#include "text/tables/sjis_utf8.h"

namespace vesk {

// The slot of every pair of a lead byte, less 0x40, so that a pair's slot
// is start[lead] + trail: one look-up in place of sjis_slot's arithmetic.
struct SjisRowStarts {
  int start[256];
  constexpr SjisRowStarts() : start() {
    for (unsigned b = 0; b < 256; ++b)
      if (is_sjis_lead(static_cast<unsigned char>(b))) start[b] = sjis_slot(b, 0x40) - 0x40;
  }
};
inline constexpr SjisRowStarts kSjisRowStarts;

// Writes a pair's entry of kSjisPairUtf8: eight bytes, of which the form's
// length counts (the rest is overwritten by what follows). Returns the
// length.
inline int put_pair_form(std::uint64_t entry, char* out) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, &entry, 8);
  } else {
    for (int k = 0; k < 8; ++k) out[k] = static_cast<char>(entry >> (8 * k));
  }
  return static_cast<int>(entry >> 56);
}

// The UTF-8 form of a valid pair.
inline int put_sjis_pair_utf8(unsigned lead, unsigned trail, char* out) {
  return put_pair_form(kSjisPairUtf8[kSjisRowStarts.start[lead] + static_cast<int>(trail)], out);
}

}  // namespace vesk
