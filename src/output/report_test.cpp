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

// The count and the page arithmetic stay right past 2^31 lines, where a
// 32-bit count would have wrapped.
TEST(Report, CountsPastTwoToThe31) {
  const long long two31 = 2147483648LL;
  ReportSink sink;
  // 2^31 - 2 lines before: 2^31 is a multiple of 32768, so its page starts
  // with the line numbered 2^31.
  Report report(sink, 32768, two31 - 2);
  Numbered heading;
  ScopedHeading in_use(report, &heading);
  report.put_line("a");  // line 2^31 - 2
  report.put_line("b");  // line 2^31 - 1
  report.put_line("c");  // a page starts: heading, then line 2^31 + 1
  sink.flush();
  EXPECT_EQ(sink.memory(), "a\nb\npage 1\nc\n");
  EXPECT_EQ(report.line_count(), two31 + 2);
  EXPECT_GT(report.line_count(), 2147483647LL);
}

}  // namespace
}  // namespace vesk
