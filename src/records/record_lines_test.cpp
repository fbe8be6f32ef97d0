// The two line writers of the records: JSON Lines and CSV.
#include <gtest/gtest.h>

#include <string>

#include "records/csv_line.h"
#include "records/json_line.h"
#include "records/record_text.h"

namespace vesk {
namespace {

std::string json_string(std::u32string_view text) {
  std::string out;
  append_json_string(out, text);
  return out;
}

TEST(JsonLine, StringsEscaped) {
  EXPECT_EQ(json_string(U"plain"), "\"plain\"");
  EXPECT_EQ(json_string(U"a\"b\\c/"), "\"a\\\"b\\\\c/\"");
  EXPECT_EQ(json_string(U"\n\r\t\b\f"), "\"\\n\\r\\t\\b\\f\"");
  EXPECT_EQ(json_string(std::u32string(U"\0\x1b\x7f\x85", 4)), "\"\\u0000\\u001b\\u007f\\u0085\"");
  EXPECT_EQ(json_string(U"\u3042\U0001F600\u00A0"), "\"\xE3\x81\x82\xF0\x9F\x98\x80\xC2\xA0\"");
  // Only scalar values have a UTF-8 form.
  EXPECT_EQ(json_string(std::u32string(1, char32_t{0xD800})), "\"\xEF\xBF\xBD\"");
}

TEST(JsonLine, CommasBetweenValues) {
  JsonLine j;
  j.open_object();
  j.key_ascii("a");
  j.open_array();
  j.integer(1);
  j.open_array();
  j.close_array();
  j.null();
  j.open_object();
  j.close_object();
  j.close_array();
  j.key("\"b\":");
  j.string_ascii("0a");
  j.close_object();
  EXPECT_EQ(j.text(), "{\"a\":[1,[],null,{}],\"b\":\"0a\"}");
  j.clear();
  j.integer(-5);
  EXPECT_EQ(j.text(), "-5");
}

RecordValue text_value(std::u32string text, Fault fault = Fault::none) {
  RecordValue v;
  v.kind = RecordValue::Kind::text;
  v.text = std::move(text);
  v.fault = fault;
  return v;
}

TEST(CsvLine, FieldsQuotedWhereTheyMustBe) {
  CsvLine csv(false);
  csv.field_text(U"a");
  csv.field(text_value(U"b,c"));
  csv.field(text_value(U"say \"x\""));
  csv.field(text_value(U"two\r\nlines\ttab"));
  RecordValue number;
  number.kind = RecordValue::Kind::number;
  number.ascii = "-0.50";
  csv.field(number);
  csv.field(RecordValue{});
  csv.end_row();
  EXPECT_EQ(csv.text(), "a,\"b,c\",\"say \"\"x\"\"\",\"two\r\nlines\ttab\",-0.50,\r");
  EXPECT_EQ(csv.faulty_values(), 0);
  csv.clear();
  csv.field(text_value(U"\u3042"));
  EXPECT_EQ(csv.text(), "\xE3\x81\x82");
}

// Controls other than a tab and the line ends have no place in a field;
// a value not whole is counted.
TEST(CsvLine, WhatAFieldCannotHold) {
  CsvLine csv(false);
  csv.field(text_value(std::u32string(U"a\0b\x1b", 4), Fault::none));
  RecordValue null_value;
  null_value.fault = Fault::cut;
  csv.field(null_value);
  csv.field(text_value(U"x\uFFFD", Fault::not_a_character));
  EXPECT_EQ(csv.text(), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD,,x\xEF\xBF\xBD");
  EXPECT_EQ(csv.controls_replaced(), 2);
  EXPECT_EQ(csv.faulty_values(), 2);
  EXPECT_EQ(csv.lacking_in_sjis(), 0);
}

TEST(CsvLine, ShiftJis) {
  CsvLine csv(true);
  csv.field(text_value(U"A\u3042\uFF71\\"));
  csv.field(text_value(U"\U0001F600\u3042", Fault::none));
  csv.field(text_value(U"\uFFFD", Fault::not_a_character));
  EXPECT_EQ(csv.text(), "A\x82\xA0\xB1\\,\x81\xAC\x82\xA0,\x81\xAC");
  // U+FFFD stands for bytes that are no character: counted as such, not as lacking.
  EXPECT_EQ(csv.lacking_in_sjis(), 1);
  EXPECT_EQ(csv.faulty_values(), 1);
}

}  // namespace
}  // namespace vesk
