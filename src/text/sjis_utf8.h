// The UTF-8 form of every Shift_JIS pair's character over the pair's two
// columns, as the UTF-8 encoder writes a cell of a pair: the character, a
// blank after a narrow one, U+3013 for no character, a mark on its dotted
// circle. Built once, at the first use.
#pragma once

#include "common/text_scan.h"
#include "text/tables/sjis_unicode.h"

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

struct Utf8Unit {
  char text[8];
  unsigned char len;  // 0 for a slot that is no pair
};

namespace detail {
// Null until the first use builds the table.
extern const Utf8Unit* sjis_pair_units_built;
const Utf8Unit* build_sjis_pair_units();
}  // namespace detail

// Indexed by sjis_slot. Every pair of a line looks here: kept inline.
inline const Utf8Unit* sjis_pair_units() {
  const Utf8Unit* units = detail::sjis_pair_units_built;
  return units != nullptr ? units : detail::build_sjis_pair_units();
}

}  // namespace vesk
