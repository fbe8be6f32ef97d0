#include "records/record_value.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formatted/formatted_test_support.h"
#include "records/record_text.h"

namespace vesk {
namespace {

using namespace formatted_test;

struct Row {
  char type;
  int length;  // for c, x and the decimals
  int scale;
  std::vector<unsigned char> bytes;
  const char* want;  // the number or hex text; nullptr for null
  Fault fault;
};

// Reads one element of an item of the row's type from the row's bytes.
RecordValue read(const Row& r, ByteOrder order = ByteOrder::msb_first, bool cut = false, int len = -1) {
  reset();
  settings.byte_swap = order == ByteOrder::lsb_first;
  ItemInf m;
  m.type = r.type;
  m.length = static_cast<int16_t>(r.length);
  m.scale = static_cast<int16_t>(r.scale);
  m.count = 1;
  FormView view(settings, defs);
  RecordValue v;
  const int n = len >= 0 ? len : static_cast<int>(r.bytes.size());
  read_record_value(view, m, r.bytes.data(), ElementRef{0, 0, 0, n, cut, item_type(r.type)->form}, v);
  return v;
}

TEST(RecordValue, NumbersWithEveryDigit) {
  const Row rows[] = {
      {'b', 0, 0, {0xFF}, "-1", Fault::none},
      {'B', 0, 0, {0xFF}, "255", Fault::none},
      {'s', 0, 0, {0x80, 0x00}, "-32768", Fault::none},
      {'S', 0, 0, {0xFF, 0xFF}, "65535", Fault::none},
      {'l', 0, 0, {0x80, 0, 0, 0}, "-2147483648", Fault::none},
      {'L', 0, 0, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295", Fault::none},
      {'q', 0, 0, {0x80, 0, 0, 0, 0, 0, 0, 0}, "-9223372036854775808", Fault::none},
      {'Q', 0, 0, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "18446744073709551615", Fault::none},
      {'Q', 0, 0, {0, 0x20, 0, 0, 0, 0, 0, 1}, "9007199254740993", Fault::none},  // 2^53 + 1
      {'p', 0, 0, {0x00, 0x12, 0xAB, 0xCD}, "0012ABCD", Fault::none},
      // Floats: the shortest text that reads back to the same value.
      {'f', 0, 0, {0x3D, 0xCC, 0xCC, 0xCD}, "0.1", Fault::none},
      {'f', 0, 0, {0x71, 0x49, 0xF2, 0xCA}, "1e+30", Fault::none},
      {'f', 0, 0, {0x00, 0x00, 0x00, 0x01}, "1e-45", Fault::none},
      {'f', 0, 0, {0x80, 0, 0, 0}, "-0", Fault::none},
      {'f', 0, 0, {0x3F, 0xAA, 0xAA, 0xAB}, "1.3333334", Fault::none},
      {'d', 0, 0, {0x3F, 0xB9, 0x99, 0x99, 0x99, 0x99, 0x99, 0x9A}, "0.1", Fault::none},
      {'d', 0, 0, {0x3F, 0xD5, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}, "0.3333333333333333", Fault::none},
      {'d', 0, 0, {0x7F, 0xEF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "1.7976931348623157e+308", Fault::none},
      {'f', 0, 0, {0x7F, 0xC0, 0, 0}, nullptr, Fault::not_finite},
      {'f', 0, 0, {0xFF, 0x80, 0, 0}, nullptr, Fault::not_finite},
      {'d', 0, 0, {0x7F, 0xF0, 0, 0, 0, 0, 0, 0}, nullptr, Fault::not_finite},
      // Decimals: their digits and scale.
      {'k', 3, 2, {0x30, 0x00, 0x0C}, "300.00", Fault::none},
      {'k', 3, 2, {0x00, 0x00, 0x5D}, "-0.05", Fault::none},
      {'k', 2, 0, {0x00, 0x0D}, "-0", Fault::none},
      {'k', 2, 3, {0x12, 0x3F}, "0.123", Fault::none},
      {'k', 2, 0, {0x1A, 0x0C}, nullptr, Fault::not_a_number},
      {'k', 2, 0, {0x12, 0x3A}, nullptr, Fault::not_a_number},
      {'z', 3, 0, {'1', '2', '}'}, "-120", Fault::none},
      {'z', 4, 1, {'0', '0', '4', 'A'}, "4.1", Fault::none},
      {'z', 3, 0, {'1', ' ', '3'}, nullptr, Fault::not_a_number},
      {'x', 3, 0, {0x01, 0xFF, 0x10}, "01ff10", Fault::none},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(1, r.type) + " " + (r.want ? r.want : "null"));
    RecordValue v = read(r);
    EXPECT_EQ(v.fault, r.fault);
    if (r.want == nullptr) {
      EXPECT_EQ(v.kind, RecordValue::Kind::null);
    } else {
      EXPECT_EQ(v.ascii, r.want);
      const bool hex = r.type == 'p' || r.type == 'x';
      EXPECT_EQ(v.kind, hex ? RecordValue::Kind::hex : RecordValue::Kind::number);
    }
  }
}

TEST(RecordValue, ByteOrderOfTheList) {
  EXPECT_EQ(read({'s', 0, 0, {0x04, 0xB0}, "", Fault::none}, ByteOrder::lsb_first).ascii, "-20476");
  EXPECT_EQ(read({'d', 0, 0, {0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F}, "", Fault::none},
                 ByteOrder::lsb_first)
                .ascii,
            "0.1");
}

// An element the end of the data cuts: a number is null; text and BYTE keep
// the bytes present, and are null only when none is.
TEST(RecordValue, CutByTheEndOfTheData) {
  RecordValue v = read({'l', 0, 0, {0x00, 0x01}, "", Fault::none}, ByteOrder::msb_first, true);
  EXPECT_EQ(v.kind, RecordValue::Kind::null);
  EXPECT_EQ(v.fault, Fault::cut);
  v = read({'c', 5, 0, {'a', 'b'}, "", Fault::none}, ByteOrder::msb_first, true);
  EXPECT_EQ(v.kind, RecordValue::Kind::text);
  EXPECT_EQ(v.text, U"ab");
  EXPECT_EQ(v.fault, Fault::cut);
  v = read({'x', 5, 0, {0xAB}, "", Fault::none}, ByteOrder::msb_first, true);
  EXPECT_EQ(v.ascii, "ab");
  EXPECT_EQ(v.fault, Fault::cut);
  v = read({'c', 5, 0, {}, "", Fault::none}, ByteOrder::msb_first, true, 0);
  EXPECT_EQ(v.kind, RecordValue::Kind::null);
  EXPECT_EQ(v.fault, Fault::cut);
}

std::u32string text_of(CharMode code, const std::vector<unsigned char>& bytes, bool* whole) {
  std::u32string out;
  *whole = decode_text(codec_of(code), bytes.data(), static_cast<int>(bytes.size()), out);
  return out;
}

// Characters from the cells: controls stay, escape sequences go, bytes that
// are no character and codes that stand for none become U+FFFD.
TEST(RecordText, CharactersOfEachCode) {
  struct Case {
    CharMode code;
    std::vector<unsigned char> bytes;
    std::u32string want;
    bool whole;
  };
  const Case cases[] = {
      {CharMode::sjis, {'A', 0x82, 0xA0, 0xB1, 0x01, 0x7F}, U"A\u3042\uFF71\u0001\u007F", true},
      {CharMode::sjis, {0x82, ' ', 'A', 0x82}, U"\uFFFD A\uFFFD", false},
      {CharMode::sjis, {0x82, 0xF5}, U"\uFFFD", false},  // a pair that stands for no character
      {CharMode::sjis, {0xF0, 0x40}, U"\uE000", true},   // the user-defined area: private use
      {CharMode::euc, {0xA4, 0xA2, 0x8E, 0xB1, 0x8F, 0xB0, 0xA1}, U"\u3042\uFF71\u4E02", true},
      {CharMode::euc, {0xA4, 'a'}, U"\uFFFDa", false},
      {CharMode::utf8, {0xE3, 0x81, 0x82, 0xC2, 0x85, 0xF0, 0x9F, 0x98, 0x80}, U"\u3042\u0085\U0001F600", true},
      {CharMode::utf8, {0xC0, 0xAF, 0xED, 0xA0, 0x80}, U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", false},
      {CharMode::jis, {0x1B, '$', 'B', '$', '"', 0x1B, '(', 'B', 'A'}, U"\u3042A", true},
      {CharMode::jis, {0x1B, '$', 'Z'}, U"\u001B$Z", true},
      {CharMode::ascii, {'a', 0xB1}, U"a\uFFFD", false},
      {CharMode::kana, {'a', 0xB1}, U"a\uFF71", true},
  };
  for (const Case& c : cases) {
    bool whole = false;
    EXPECT_EQ(text_of(c.code, c.bytes, &whole), c.want);
    EXPECT_EQ(whole, c.whole);
  }
  EXPECT_EQ(format_file_text("\x96\xbc\x91\x4f name"), U"\u540D\u524D name");
}

}  // namespace
}  // namespace vesk
