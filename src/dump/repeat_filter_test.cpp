#include "dump/repeat_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vesk {
namespace {

using Verdict = RepeatFilter::Verdict;

struct Step {
  const char* columns;
  long long block;
  Verdict verdict;
  bool marker_pending;
};

void run(RepeatFilter& f, const std::vector<Step>& steps) {
  int i = 0;
  for (const Step& s : steps) {
    EXPECT_EQ(f.take(s.columns, s.block), s.verdict) << "step " << i;
    EXPECT_EQ(f.marker_pending(), s.marker_pending) << "step " << i;
    ++i;
  }
}

TEST(RepeatFilter, Transitions) {
  RepeatFilter f(4, false, true);
  run(f, {
             {"aaaa", 0, Verdict::keep, false},               // the first line
             {"aaaa", 0, Verdict::suppress, true},            // a repeat
             {"aaaa", 0, Verdict::suppress, true},            // and another: one marker for both
             {"bbbb", 0, Verdict::keep_after_marker, false},  // the run ends
             {"bbbb", 1, Verdict::keep, false},               // equal, but in the next block
             {"bbbb", 1, Verdict::suppress, true},
             {"bbbb", 2, Verdict::keep_after_marker, false},  // a new block ends the run too
         });
}

TEST(RepeatFilter, OnlyTheComparedColumnsCount) {
  RepeatFilter f(2, false, true);
  run(f, {{"aaX", 0, Verdict::keep, false}, {"aaY", 0, Verdict::suppress, true}});
}

TEST(RepeatFilter, OffWithL) {
  RepeatFilter f(4, false, false);
  run(f, {{"aaaa", 0, Verdict::keep, false}, {"aaaa", 0, Verdict::keep, false}});
}

// The characters-only dump compares as text: lines that close early are
// equal up to their ends.
TEST(RepeatFilter, TextComparison) {
  const char a[] = {'a', '|', '\0', 'x'};
  const char b[] = {'a', '|', '\0', 'y'};
  RepeatFilter text(4, true, true);
  EXPECT_EQ(text.take(a, 0), Verdict::keep);
  EXPECT_EQ(text.take(b, 0), Verdict::suppress);
  RepeatFilter bytes(4, false, true);
  EXPECT_EQ(bytes.take(a, 0), Verdict::keep);
  EXPECT_EQ(bytes.take(b, 0), Verdict::keep);
}

// Nothing kept yet: no line counts as a repeat of the start.
TEST(RepeatFilter, TheFirstLineIsKept) {
  RepeatFilter f(3, true, true);
  const char empty[] = {'\0', '\0', '\0'};
  EXPECT_EQ(f.take(empty, 0), Verdict::keep);
}

}  // namespace
}  // namespace vesk
