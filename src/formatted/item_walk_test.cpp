#include "formatted/item_walk.h"

#include <gtest/gtest.h>

#include <string>

#include "formatted/formatted_test_support.h"

namespace vesk {
namespace {

using namespace formatted_test;

// Records the walk as text: "name@pos" per element, "name@pos/len!" for a cut
// one, "EOD@pos" before a member, "end name rest" after a member the data ended in.
class Recorder : public ItemVisitor {
 public:
  std::string log;
  void data_ended(int, int pos) override { add("EOD@", pos, " "); }
  void element(const ElementRef& e) override {
    add(defs.item_inf[e.item].name, -1, "@");
    add("", e.pos, "");
    if (e.cut) add("/", e.len, "!");
    log += ' ';
  }
  void member_end(int item, int, bool data_end, int rest) override {
    if (!data_end) return;
    add("end ", -1, defs.item_inf[item].name);
    add(" ", rest, " ");
  }

 private:
  // before, the number (none when negative), after.
  void add(const char* before, int n, const char* after) {
    log.append(before);
    if (n >= 0) log.append(std::to_string(n));
    log.append(after);
  }
};

const WalkRules kList{true, true};
const WalkRules kMap{false, false};

std::string walk(int rec, int size, const WalkRules& rules, int* result = nullptr) {
  lay_out(rec);  // under the -B of the moment
  Recorder r;
  FormView view(settings, defs);
  int pos = walk_struct(view, rec, size, 0, rules, r);
  if (result) *result = pos;
  return r.log;
}

TEST(ItemWalk, AlignmentOnlyUnderB) {
  reset();
  int d = open_struct('D', 1, 2);
  item('c', 1, 1, "a");
  item('s', 2, 1, "b");
  item('c', 1, 1, "c");
  close_struct(d);
  int end;
  EXPECT_EQ(walk(d, 100, kList, &end), "a@0 b@1 c@3 ");
  EXPECT_EQ(end, 4);
  settings.align_mode = true;
  EXPECT_EQ(walk(d, 100, kList, &end), "a@0 b@2 c@4 ");
  EXPECT_EQ(end, 6);
}

TEST(ItemWalk, DoubleAlignsToFourInAStructureOfEight) {
  reset();
  settings.align_mode = true;
  int d = open_struct('D', 1, 8);
  item('c', 1, 1, "c");
  item('d', 8, 1, "d");
  close_struct(d);
  int end;
  EXPECT_EQ(walk(d, 100, kList, &end), "c@0 d@4 ");
  EXPECT_EQ(end, 16);
}

TEST(ItemWalk, NestedRepeatedAndSharedStructures) {
  reset();
  int t = open_struct('T', 1, 2);  // typedef struct { char k; short v; } PAIR;
  item('c', 1, 1, "k");
  item('s', 2, 1, "v");
  close_struct(t);
  int d = open_struct('D', 1, 4);
  item('l', 4, 1, "n");
  int nested = open_struct(' ', 2, 1);
  item('c', 1, 1, "x");
  close_struct(nested);
  ref_item(t, 2, "pairs");
  item('c', 1, 1, "z");
  close_struct(d);
  int end;
  EXPECT_EQ(walk(d, 100, kList, &end), "n@0 x@4 x@5 k@6 v@7 k@9 v@10 z@12 ");
  EXPECT_EQ(end, 13);
  settings.align_mode = true;
  // The nested chars are not padded; each PAIR lies on 2 and takes 4 bytes.
  EXPECT_EQ(walk(d, 100, kList, &end), "n@0 x@4 x@5 k@6 v@8 k@10 v@12 z@14 ");
  EXPECT_EQ(end, 16);
}

TEST(ItemWalk, EndOfDataInTheListForm) {
  reset();
  int d = open_struct('D');
  item('s', 2, 1, "a");
  item('l', 4, 1, "b");
  item('c', 3, 2, "t");
  close_struct(d);
  int end;
  EXPECT_EQ(walk(d, 4, kList, &end), "a@0 end b 2 ");  // two bytes into the long
  EXPECT_EQ(end, -1);
  EXPECT_EQ(walk(d, 6, kList), "a@0 b@2 EOD@6 ");  // between members
  EXPECT_EQ(walk(d, 9, kList), "a@0 b@2 t@6 t@9/0! end t 0 ");  // at an element boundary
  EXPECT_EQ(walk(d, 10, kList), "a@0 b@2 t@6 t@9/1! end t 0 ");
}

TEST(ItemWalk, EndOfDataBetweenRepetitions) {
  reset();
  int d = open_struct('D', 2);
  item('s', 2, 1, "a");
  close_struct(d);
  EXPECT_EQ(walk(d, 2, kList), "a@0 EOD@2 ");
  EXPECT_EQ(walk(d, 2, kMap), "a@0 end a 0 ");
}

TEST(ItemWalk, HiddenItems) {
  reset();
  int d = open_struct('D');
  item('c', 2, 1, "a");
  item('l', 4, 3, "h", "no display", 0);
  item('c', 1, 1, "z");
  close_struct(d);
  EXPECT_EQ(walk(d, 100, kList), "a@0 z@14 ");
  EXPECT_EQ(walk(d, 100, kMap), "a@0 h@2 h@6 h@10 z@14 ");
  // Only hidden bytes lie past the end: the list form never looks at them.
  EXPECT_EQ(walk(d, 8, kList), "a@0 EOD@14 ");
  EXPECT_EQ(walk(d, 8, kMap), "a@0 h@2 end h 2 ");
}

TEST(ItemWalk, UnknownTypeStops) {
  reset();
  int d = open_struct('D');
  item('c', 1, 1, "a");
  item('y', 1, 1, "bad");
  item('c', 1, 1, "never");
  // A table that the reader would refuse, so never laid out: the walk reads
  // the offsets it has.
  defs.item_inf[d].last = static_cast<int16_t>(defs.item_cnt - 1);
  defs.item_inf[d + 2].offset = 1;
  testing::internal::CaptureStderr();
  int end;
  Recorder r;
  FormView view(settings, defs);
  end = walk_struct(view, d, 100, 0, kList, r);
  EXPECT_EQ(r.log, "a@0 ");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "t.fmt: illegal data type found\n");
  EXPECT_EQ(end, -1);
}

TEST(ItemWalk, AStructureThatHoldsItselfIsRefused) {
  reset();
  int d = open_struct('D');
  int r = item('R', 1, 1, "loop");
  defs.item_inf[r].first = static_cast<int16_t>(r);
  defs.item_inf[r].last = static_cast<int16_t>(r);
  close_struct(d);
  testing::internal::CaptureStderr();
  int end;
  walk(d, 100, kList, &end);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "t.fmt: illegal data type found\n");
  EXPECT_EQ(end, -1);
}

}  // namespace
}  // namespace vesk
