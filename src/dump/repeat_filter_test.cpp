#include "dump/repeat_filter.h"

#include <gtest/gtest.h>

#include <cstring>
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
    EXPECT_EQ(f.take(s.columns, static_cast<int>(std::strlen(s.columns)), s.block), s.verdict) << "step " << i;
    EXPECT_EQ(f.marker_pending(), s.marker_pending) << "step " << i;
    ++i;
  }
}

TEST(RepeatFilter, Transitions) {
  RepeatFilter f(4, true);
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

TEST(RepeatFilter, OnlyTheComparedBytesCount) {
  RepeatFilter f(2, true);
  EXPECT_EQ(f.take("aaX", 2, 0), Verdict::keep);
  EXPECT_EQ(f.take("aaY", 2, 0), Verdict::suppress);
}

TEST(RepeatFilter, OffWithL) {
  RepeatFilter f(4, false);
  run(f, {{"aaaa", 0, Verdict::keep, false}, {"aaaa", 0, Verdict::keep, false}});
}

// The characters-only dump compares the characters' bytes, which differ in
// number from line to line in UTF-8: a line that begins like the last one
// is no repeat of it.
TEST(RepeatFilter, PartsOfAnotherLengthDiffer) {
  RepeatFilter f(8, true);
  EXPECT_EQ(f.take("ab", 2, 0), Verdict::keep);
  EXPECT_EQ(f.take("abc", 3, 0), Verdict::keep);
  EXPECT_EQ(f.take("ab", 2, 0), Verdict::keep);
  EXPECT_EQ(f.take("ab", 2, 0), Verdict::suppress);
}

// Nothing kept yet: no line counts as a repeat of the start.
TEST(RepeatFilter, TheFirstLineIsKept) {
  RepeatFilter f(3, true);
  EXPECT_EQ(f.take("", 0, 0), Verdict::keep);
}

}  // namespace
}  // namespace vesk
