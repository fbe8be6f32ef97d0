#include "text/sjis_utf8.h"

#include <cstring>

#include "text/encoders.h"

namespace vesk {

namespace detail {

const Utf8Unit* sjis_pair_units_built = nullptr;

const Utf8Unit* build_sjis_pair_units() {
  static const Utf8Unit* const units = [] {
    auto* u = new Utf8Unit[kSjisSlots]();
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!is_sjis_lead(static_cast<unsigned char>(lead))) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (!is_sjis_trail(static_cast<unsigned char>(trail))) continue;
        Cell c;
        c.cls = CellClass::multibyte;
        c.len = 2;
        c.sjis = static_cast<std::uint16_t>(lead << 8 | trail);
        c.cp = unicode_of_sjis_pair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
        char buf[16];
        Written w = Utf8Encoder::put_character(c, buf);
        Utf8Unit& unit = u[sjis_slot(lead, trail)];
        int n = w.bytes;
        // A character that shows no form of its own leaves its points.
        for (int col = w.columns; col < 2; ++col) buf[n++] = '.';
        std::memcpy(unit.text, buf, static_cast<std::size_t>(n));
        unit.len = static_cast<unsigned char>(n);
      }
    }
    return u;
  }();
  sjis_pair_units_built = units;
  return units;
}

}  // namespace detail

}  // namespace vesk
