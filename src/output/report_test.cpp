#include "output/report.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "output/line_batch.h"

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

// Lines gathered go out as written one by one: a heading at each page start,
// also inside a batch, and in the order given around lines written directly.
TEST(LineBatch, LinesAsWrittenOneByOne) {
  for (int page : {1, 2, 3, 7}) {
    ReportSink one_by_one_sink;
    Report one_by_one(one_by_one_sink, page);
    Numbered heading1;
    ScopedHeading in_use1(one_by_one, &heading1);
    ReportSink batched_sink;
    Report batched(batched_sink, page);
    Numbered heading2;
    ScopedHeading in_use2(batched, &heading2);
    LineBatch batch(batched);
    for (int i = 0; i < 20; ++i) {
      const std::string line = "line " + std::to_string(i);
      one_by_one.put_line(line.c_str());
      if (i % 5 == 4) {
        // A line of another writer: the batch goes first.
        batch.flush();
        batched.put_line(line.c_str());
      } else if (i % 2 == 0) {
        batch.add(line.data(), line.size());
      } else {
        char* out = batch.line_space(line.size());
        std::memcpy(out, line.data(), line.size());
        batch.end_line(line.size());
      }
    }
    batch.flush();
    one_by_one_sink.flush();
    batched_sink.flush();
    EXPECT_EQ(batched_sink.memory(), one_by_one_sink.memory()) << "page of " << page;
    EXPECT_EQ(batched.line_count(), one_by_one.line_count());
  }
}

// Lines in the report's encoding, many at once, split where pages start.
TEST(Report, EncodedLinesSplitAtPageStarts) {
  ReportSink sink;
  Report report(sink, 3);
  Numbered heading;
  ScopedHeading in_use(report, &heading);
  report.put_encoded_lines("a\nb\nc\nd\ne", 9, 5);
  sink.flush();
  EXPECT_EQ(sink.memory(), "page 1\na\nb\npage 2\nc\nd\npage 3\ne\n");
  EXPECT_EQ(report.line_count(), 8);
}

}  // namespace
}  // namespace vesk
