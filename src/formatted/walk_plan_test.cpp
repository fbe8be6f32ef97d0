#include "formatted/walk_plan.h"

#include <gtest/gtest.h>

#include <string>

#include "formatted/formatted_test_support.h"

namespace vesk {
namespace {

using namespace formatted_test;

// Records every event of a walk as text (only the elements with
// elements_only).
class Events final : public ItemVisitor {
 public:
  explicit Events(bool elements_only = false) : elements_only_(elements_only) {}
  std::string log;
  void data_ended(int item, int pos) override { add("eod", item, pos); }
  void member_begin(int item, int pos) override { add("begin", item, pos); }
  void hidden_member(int item, int pos) override { add("hidden", item, pos); }
  void element(const ElementRef& e) override {
    log += "element " + std::to_string(e.item) + "@" + std::to_string(e.pos) + " ";
    log += "/" + std::to_string(e.index) + "/" + std::to_string(e.len) + "/" +
           std::to_string(static_cast<int>(e.form)) + " ";
  }
  void member_end(int item, int pos, bool data_end, int rest) override {
    add("end", item, pos);
    if (data_end) log += "data end " + std::to_string(rest) + " ";
  }

 private:
  void add(const char* what, int item, int pos) {
    if (elements_only_) return;
    log += std::string(what) + " " + std::to_string(item) + "@" + std::to_string(pos) + " ";
  }
  bool elements_only_;
};

// A data format with a nested structure repeated, an item of structure type,
// an array and a member not displayed.
int sample_format() {
  reset();
  const int d = open_struct('D');
  item('l', 4, 1, "id");
  const int inner = open_struct(' ', 2);
  item('s', 2, 1, "q");
  item('c', 3, 1, "t");
  close_struct(inner);
  item('x', 2, 3, "h", "no display", 0);
  ref_item(inner, 1, "again");
  item('S', 2, 2, "w");
  close_struct(d);
  return d;
}

// For a block the walk goes through whole, the plan replays the walk's
// events and returns where it ends, under both forms' rules.
TEST(WalkPlan, ReplaysTheWalk) {
  const int d = sample_format();
  FormView view(settings, defs);
  for (const WalkRules rules : {WalkRules{true, true}, WalkRules{false, false}}) {
    for (int size : {40, 64}) {
      Events walked;
      const int end = walk_struct(view, d, size, 0, rules, walked);
      WalkPlans plans;
      const WalkPlan* plan = plans.find(view, d, size, 0, rules);
      ASSERT_NE(plan, nullptr);
      Events replayed;
      EXPECT_EQ(replay(*plan, replayed), end);
      EXPECT_EQ(replayed.log, walked.log);
      // The elements alone, in the walk's order, for a form that needs no
      // other event.
      Events walked_elements(true);
      walk_struct(view, d, size, 0, rules, walked_elements);
      Events replayed_elements(true);
      EXPECT_EQ(replay_elements(*plan, replayed_elements), end);
      EXPECT_EQ(replayed_elements.log, walked_elements.log);
      EXPECT_NE(replayed_elements.log.find("element"), std::string::npos);
      // Found again, not made again.
      EXPECT_EQ(plans.find(view, d, size, 0, rules), plan);
    }
  }
}

// A block that ends inside the structure, and a member of an unknown type,
// make no plan: each block is walked, and the walk reports the type then,
// not the plan.
TEST(WalkPlan, NoneWhereTheWalkStops) {
  const int d = sample_format();
  FormView view(settings, defs);
  WalkPlans plans;
  EXPECT_EQ(plans.find(view, d, 10, 0, WalkRules{true, true}), nullptr);
  EXPECT_EQ(plans.find(view, d, 10, 0, WalkRules{false, false}), nullptr);
  defs.item_inf[d + 1].type = '?';
  testing::internal::CaptureStderr();
  WalkPlans others;
  EXPECT_EQ(others.find(view, d, 64, 0, WalkRules{true, true}), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace vesk
