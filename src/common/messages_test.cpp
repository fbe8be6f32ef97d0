#include "common/messages.h"

#include <gtest/gtest.h>

#include <string>

namespace vesk {
namespace {

std::string edit(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string s = err_edit(format, args);
  va_end(args);
  return s;
}

TEST(ErrEdit, Conversions) {
  EXPECT_EQ(edit("%s: not found\n", "a.dat"), "a.dat: not found\n");
  EXPECT_EQ(edit("%d: illegal line width\n", -5), "-5: illegal line width\n");
  EXPECT_EQ(edit("%x: no block data\n", 255), "ff: no block data\n");
  EXPECT_EQ(edit("[%c]", 'Q'), "[Q]");
  EXPECT_EQ(edit("%f", 1.5), "1.500000");
}

TEST(ErrEdit, WidthsAndFlagsAreNotSupported) {
  // The argument is not consumed: the %s that follows takes it.
  EXPECT_EQ(edit("%5d|%s", "x"), "%5d|x");
  EXPECT_EQ(edit("100%%"), "100%%");
  EXPECT_EQ(edit("%ld", 3), "%ld");
  EXPECT_EQ(edit("50%"), "50%");
}

TEST(ErrEdit, Backslashes) {
  EXPECT_EQ(edit("a\\%b%s", "c"), "a%bc");
  EXPECT_EQ(edit("end\\"), "end\\");
}

TEST(ErrEdit, LongStringsAreCut) {
  std::string big(2000, 'a');
  std::string out = edit("%s", big.c_str());
  EXPECT_EQ(out.size(), 1024u - 256u);
  std::string prefix(900, 'p');
  // 900 produced; the cut length 1024 - 900 - 256 is negative: nothing copied.
  std::string fmt = prefix + "%s";
  EXPECT_EQ(edit(fmt.c_str(), big.c_str()), prefix);
  // A text that fits is copied whole.
  EXPECT_EQ(edit("%s!", "short"), "short!");
}

TEST(Clear, FillsOnlyPositiveLengths) {
  char area[4] = {'a', 'b', 'c', 'd'};
  clear(area, ' ', 0);
  EXPECT_EQ(area[0], 'a');
  clear(area, ' ', 3);
  EXPECT_EQ(std::string(area, 4), "   d");
}

}  // namespace
}  // namespace vesk
