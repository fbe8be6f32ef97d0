#include "format/source_quote.h"

#include <gtest/gtest.h>

#include <string>

namespace vesk {
namespace {

std::string shown(const std::string& text) {
  std::string out(text.size(), '?');
  shown_bytes(text.data(), static_cast<int>(text.size()), out.data());
  return out;
}

TEST(ShownBytes, TheReportsSet) {
  EXPECT_EQ(shown(" long a;"), " long a;");
  EXPECT_EQ(shown("\tlong\x1b\x7f;"), ".long..;");
  EXPECT_EQ(shown(std::string("a\0b", 3)), "a.b");
  EXPECT_EQ(shown("\x82\xa0\xb1"), "\x82\xa0\xb1");  // a pair and a half-width kana
  EXPECT_EQ(shown("\x82 x"), ". x");                 // a lead byte without its trail
  EXPECT_EQ(shown("x\x82"), "x.");                   // nor at the end
  EXPECT_EQ(shown("\x80\xa0\xfd\xfe\xff"), ".....");
  EXPECT_EQ(shown("\x81\x40"), "\x81\x40");          // a full-width blank is a character
}

std::string quoted(const SourceLine& line, int column, const char* note, bool utf8) {
  testing::internal::CaptureStderr();
  quote_source(line, column, note, utf8);
  return testing::internal::GetCapturedStderr();
}

TEST(QuoteSource, LineAndCaret) {
  const char text[] = " shrot x;";
  const SourceLine line{text, 9, 3};
  EXPECT_EQ(quoted(line, 1, "did you mean short?", false), " 3 |  shrot x;\n   |  ^ did you mean short?\n");
  EXPECT_EQ(quoted(line, 0, nullptr, false), " 3 |  shrot x;\n   | ^\n");
  EXPECT_EQ(quoted(line, 0, "", false), " 3 |  shrot x;\n   | ^\n");
  // The caret may stand after the last byte, never further.
  EXPECT_EQ(quoted(line, 40, nullptr, false), " 3 |  shrot x;\n   |          ^\n");
  // The gutter grows with the number.
  const SourceLine far{text, 9, 123456};
  EXPECT_EQ(quoted(far, 1, nullptr, false), " 123456 |  shrot x;\n        |  ^\n");
}

TEST(QuoteSource, BytesOfTheLineAndTheNote) {
  // 円 (89 7e), an escape byte, and a note naming a Japanese word.
  const char text[] = "#REN \x89\x7e\x1b q";
  const SourceLine line{text, 10, 1};
  EXPECT_EQ(quoted(line, 9, "\x89\x7e\x07", false), " 1 | #REN \x89\x7e. q\n   |          ^ \x89\x7e.\n");
  // In UTF-8 the character takes the two columns of its Shift_JIS form.
  EXPECT_EQ(quoted(line, 9, "\x89\x7e", true), " 1 | #REN 円. q\n   |          ^ 円\n");
}

}  // namespace
}  // namespace vesk
