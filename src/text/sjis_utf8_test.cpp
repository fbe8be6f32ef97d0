#include "text/sjis_utf8.h"

#include <gtest/gtest.h>

#include <string>

#include "text/encoders.h"

namespace vesk {
namespace {

// The generated table holds, for every pair, what the UTF-8 encoder writes
// for a cell of the pair, the character's columns and a point for each
// column it leaves: the table is the encoder's, worked out ahead.
TEST(SjisPairUtf8, EveryPairIsWhatTheEncoderWrites) {
  int pairs = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!is_sjis_lead(static_cast<unsigned char>(lead))) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      const std::uint64_t entry = kSjisPairUtf8[sjis_slot(lead, trail)];
      if (!is_sjis_trail(static_cast<unsigned char>(trail))) {
        EXPECT_EQ(entry, 0u) << std::hex << lead << " " << trail;
        continue;
      }
      ++pairs;
      Cell c;
      c.cls = CellClass::multibyte;
      c.len = 2;
      c.sjis = static_cast<std::uint16_t>(lead << 8 | trail);
      c.cp = unicode_of_sjis_pair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
      char buf[16];
      const Written w = Utf8Encoder::put_character(c, buf);
      std::string want(buf, static_cast<std::size_t>(w.bytes));
      for (int col = w.columns; col < 2; ++col) want += '.';
      char form[8];
      const int len = put_pair_form(entry, form);
      ASSERT_LE(len, 7);
      ASSERT_EQ(std::string(form, static_cast<std::size_t>(len)), want) << std::hex << lead << " " << trail;
      char again[8];
      ASSERT_EQ(put_sjis_pair_utf8(lead, trail, again), len);
    }
  }
  EXPECT_EQ(pairs, 60 * 188);
}

std::string form_of(unsigned lead, unsigned trail) {
  char out[8];
  return std::string(out, static_cast<std::size_t>(put_sjis_pair_utf8(lead, trail, out)));
}

TEST(SjisPairUtf8, SpotForms) {
  EXPECT_EQ(form_of(0x82, 0xA0), "\xe3\x81\x82");   // hiragana a, wide
  EXPECT_EQ(form_of(0x87, 0x40), "\xe2\x91\xa0 ");  // circled one, narrow: a blank after it
  EXPECT_EQ(form_of(0x86, 0x79), "\xe2\x97\x8c\xcc\x81 ");  // a mark on its dotted circle
  EXPECT_EQ(form_of(0xF0, 0x40), "\xe3\x80\x93");   // private use: the geta mark
  EXPECT_EQ(form_of(0x84, 0xDD), "\xe3\x80\x93");   // no character
}

}  // namespace
}  // namespace vesk
