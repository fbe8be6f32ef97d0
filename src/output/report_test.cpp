#include "output/report.h"

#include <gtest/gtest.h>

#include <string>

namespace vesk {
namespace {

class Numbered : public PageHeading {
 public:
  void write(Report& report) override {
    std::string t = "page " + std::to_string(++pages);
    report.put_heading_line(t.data(), t.size());
  }
  int pages = 0;
};

TEST(Report, HeadingAtEachPageStart) {
  ReportSink sink;
  Report report(sink, 3);
  Numbered heading;
  ScopedHeading in_use(report, &heading);
  for (const char* line : {"a", "b", "c", "d"}) report.put_line(line);
  // Newlines inside a line count: "\n x" is two lines.
  report.put_line("\n x");
  report.put_line("e");
  sink.flush();
  EXPECT_EQ(sink.memory(), "page 1\na\nb\npage 2\nc\nd\npage 3\n\n x\npage 4\ne\n");
  EXPECT_EQ(report.line_count(), 11);
}

TEST(Report, NoHeadingWithoutOne) {
  ReportSink sink;
  Report report(sink, 1);
  report.put_line("a");
  report.new_page();
  report.put_line("b");
  sink.flush();
  EXPECT_EQ(sink.memory(), "a\nb\n");
}

// The page arithmetic stays right past 2^31 lines, where a 32-bit count
// would have wrapped.
TEST(Report, PageStartsPastTwoToThe31) {
  const long long two31 = 2147483648LL;
  EXPECT_TRUE(starts_page(two31, 32768));
  EXPECT_FALSE(starts_page(two31 + 1, 32768));
  EXPECT_TRUE(starts_page(two31 + 24 - two31 % 24, 24));
  EXPECT_TRUE(starts_page(3 * 32767LL * 65537, 32767));
  EXPECT_FALSE(starts_page(4294967296LL + 1, 2));
}

}  // namespace
}  // namespace vesk
