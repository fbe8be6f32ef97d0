// What an encoder writes for each byte that a decoder takes alone, as a
// table of 256 entries.
#pragma once

#include <cstring>

#include "text/decoder_state.h"
#include "text/encoders.h"

namespace vesk {

// What the encoder writes for each byte that the decoder takes alone: up to
// four bytes, and how many. Built once for each pair of them.
struct LoneUnits {
  struct Unit {
    char text[4];
    unsigned char len;  // 0: the byte is no cell of its own
  };
  Unit unit[256];
};

template <class Decoder, class Encoder>
const LoneUnits& lone_units() {
  static const LoneUnits units = [] {
    LoneUnits u{};
    for (int b = 0; b < 256; ++b) {
      if (!Decoder::kLone.lone[b]) continue;
      DecoderState st;
      const auto byte = static_cast<unsigned char>(b);
      char buf[16];
      int n = put_cell<Encoder>(Decoder::decode(st, &byte, 1), buf);
      std::memcpy(u.unit[b].text, buf, 4);
      u.unit[b].len = static_cast<unsigned char>(n);
    }
    return u;
  }();
  return units;
}

}  // namespace vesk
