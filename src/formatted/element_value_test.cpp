#include "formatted/element_value.h"

#include <gtest/gtest.h>

#include "formatted/formatted_test_support.h"

namespace vesk {
using namespace formatted_test;
}

namespace vesk {
namespace {

TEST(ReadElement, BothOrders) {
  const unsigned char b[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
  EXPECT_EQ(read_element(b, 2, ByteOrder::msb_first), 0x0102u);
  EXPECT_EQ(read_element(b, 2, ByteOrder::lsb_first), 0x0201u);
  EXPECT_EQ(read_element(b, 4, ByteOrder::msb_first), 0x01020304u);
  EXPECT_EQ(read_element(b, 4, ByteOrder::lsb_first), 0x04030201u);
  EXPECT_EQ(read_element(b, 8, ByteOrder::msb_first), 0x0102030405060708ull);
  EXPECT_EQ(read_element(b, 8, ByteOrder::lsb_first), 0x0807060504030201ull);
}

TEST(SwapBytes, ReversesInPlace) {
  unsigned char odd[] = {1, 2, 3, 4, 5};
  swap_bytes(odd, 5);
  EXPECT_EQ(odd[0], 5); EXPECT_EQ(odd[1], 4); EXPECT_EQ(odd[2], 3); EXPECT_EQ(odd[4], 1);
  unsigned char even[] = {1, 2};
  swap_bytes(even, 2);
  EXPECT_EQ(even[0], 2); EXPECT_EQ(even[1], 1);
}

TEST(ElementText, EveryNumericType) {
  struct Row {
    char type;
    unsigned char bytes[8];
    ByteOrder order;
    const char* text;
  };
  const Row rows[] = {
      {'s', {0x04, 0xB0}, ByteOrder::msb_first, "1200"},
      {'s', {0x04, 0xB0}, ByteOrder::lsb_first, "-20476"},
      {'s', {0x80, 0x00}, ByteOrder::msb_first, "-32768"},
      {'s', {0, 0}, ByteOrder::msb_first, "0"},
      {'S', {0xFF, 0xFF}, ByteOrder::msb_first, "65535"},
      {'S', {0x00, 0x09}, ByteOrder::msb_first, "9"},
      {'S', {0x00, 0x0A}, ByteOrder::msb_first, "10"},
      {'S', {0x00, 0x63}, ByteOrder::msb_first, "99"},
      {'S', {0x00, 0x64}, ByteOrder::msb_first, "100"},
      {'s', {0xFC, 0x18}, ByteOrder::msb_first, "-1000"},
      {'l', {0x7F, 0xFF, 0xFF, 0xFF}, ByteOrder::msb_first, "2147483647"},
      {'L', {0, 0, 0, 0}, ByteOrder::msb_first, "0"},
      {'S', {0x04, 0xB0}, ByteOrder::lsb_first, "45060"},
      {'l', {0xFF, 0xFF, 0xFF, 0xFE}, ByteOrder::msb_first, "-2"},
      {'i', {0x80, 0, 0, 0}, ByteOrder::msb_first, "-2147483648"},
      {'L', {0xFF, 0xFF, 0xFF, 0xFE}, ByteOrder::msb_first, "4294967294"},
      {'I', {0, 0, 0, 2}, ByteOrder::lsb_first, "33554432"},
      {'p', {0x00, 0x12, 0xab, 0xcd}, ByteOrder::msb_first, "0012ABCD"},
      {'P', {0x01, 0, 0, 0}, ByteOrder::lsb_first, "00000001"},
      {'f', {0x3F, 0xC0, 0, 0}, ByteOrder::msb_first, "1.5"},
      {'f', {0, 0, 0xC0, 0x3F}, ByteOrder::lsb_first, "1.5"},
      {'d', {0x40, 0x5E, 0xDD, 0x2F, 0x1A, 0x9F, 0xBE, 0x77}, ByteOrder::msb_first, "123.456"},
      {'d', {0x7F, 0xF8, 0, 0, 0, 0, 0, 0}, ByteOrder::msb_first, "NAN"},
      {'b', {0x80}, ByteOrder::msb_first, "-128"},
      {'b', {0x7F}, ByteOrder::lsb_first, "127"},
      {'b', {0xFF}, ByteOrder::msb_first, "-1"},
      {'B', {0xFF}, ByteOrder::msb_first, "255"},
      {'B', {0x0B}, ByteOrder::lsb_first, "11"},
      {'q', {0x80, 0, 0, 0, 0, 0, 0, 0}, ByteOrder::msb_first, "-9223372036854775808"},
      {'q', {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, ByteOrder::lsb_first, "9223372036854775807"},
      {'q', {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, ByteOrder::msb_first, "-1"},
      {'Q', {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, ByteOrder::msb_first, "18446744073709551615"},
      {'Q', {0x80, 0, 0, 0, 0, 0, 0, 0}, ByteOrder::msb_first, "9223372036854775808"},
      {'Q', {0x80, 0, 0, 0, 0, 0, 0, 0}, ByteOrder::lsb_first, "128"},
  };
  for (const Row& r : rows) {
    char text[kValueTextSize];
    element_text(r.type, r.bytes, r.order, text);
    EXPECT_STREQ(text, r.text) << r.type;
  }
}

TEST(ElementText, DecimalsTakeTheItemsLengthAndScale) {
  const unsigned char packed[] = {0x00, 0x00, 0x30, 0x00, 0x0C};
  const unsigned char zoned[] = {'0', '1', '5', '0', '}'};
  const unsigned char bad[] = {0x00, 0x0A, 0x0C};
  ItemInf m;
  m.type = 'k';
  m.length = 5;
  m.scale = 2;
  char text[kValueTextSize];
  // Decimals are strings of digits: no byte order.
  EXPECT_EQ(element_text(m, packed, ByteOrder::lsb_first, text), 6);
  EXPECT_STREQ(text, "300.00");
  m.type = 'z';
  EXPECT_EQ(element_text(m, zoned, ByteOrder::msb_first, text), 6);
  EXPECT_STREQ(text, "-15.00");
  m.type = 'k';
  m.length = 3;
  m.scale = 0;
  EXPECT_EQ(element_text(m, bad, ByteOrder::msb_first, text), kNoValue);
  EXPECT_STREQ(text, "");
}

// Without #ENDIAN: the list reads most significant byte first (least with
// -v), the map least significant first whatever -v says. With it, both read
// in the stated order, and -v reverses the list's.
TEST(ByteOrders, FollowEndianAndV) {
  struct Row {
    Endian endian;
    bool v;
    ByteOrder list, map;
  };
  const ByteOrder msb = ByteOrder::msb_first, lsb = ByteOrder::lsb_first;
  const Row rows[] = {
      {Endian::unstated, false, msb, lsb}, {Endian::unstated, true, lsb, lsb},
      {Endian::big, false, msb, msb},      {Endian::big, true, lsb, msb},
      {Endian::little, false, lsb, lsb},   {Endian::little, true, msb, lsb},
  };
  for (const Row& r : rows) {
    reset();
    formatted_test::defs.endian = r.endian;
    settings.byte_swap = r.v;
    FormView view(settings, formatted_test::defs);
    EXPECT_EQ(view.list_order, r.list) << static_cast<int>(r.endian) << r.v;
    EXPECT_EQ(view.map_order, r.map) << static_cast<int>(r.endian) << r.v;
  }
}

}  // namespace
}  // namespace vesk
