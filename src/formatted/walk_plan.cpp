#include "formatted/walk_plan.h"

namespace vesk {

namespace {

// Steps kept at most for one plan (a block of 4 KiB of one-byte items
// walks longer): a plan costs at most some hundred KiB.
constexpr std::size_t kMaxSteps = 4096;

// Records the steps of a walk, and whether it ran its whole course.
class Recorder final : public ItemVisitor {
 public:
  explicit Recorder(std::vector<WalkStep>& steps) : steps_(steps) {}

  bool whole() const { return whole_; }

  void illegal_type(const FormView&) override { whole_ = false; }
  void data_ended(int, int) override { give_up(); }
  void member_begin(int item, int pos) override { add(WalkStep::Kind::member_begin, item, pos); }
  void hidden_member(int item, int pos) override { add(WalkStep::Kind::hidden_member, item, pos); }
  void element(const ElementRef& e) override {
    if (e.cut) {
      give_up();
      return;
    }
    steps_.push_back(WalkStep{WalkStep::Kind::element, e});
    if (steps_.size() > kMaxSteps) give_up();
  }
  void member_end(int item, int pos, bool data_end, int) override {
    if (data_end) {
      give_up();
      return;
    }
    add(WalkStep::Kind::member_end, item, pos);
  }

 private:
  void add(WalkStep::Kind kind, int item, int pos) {
    steps_.push_back(WalkStep{kind, ElementRef{item, 0, pos, 0, false, ValueForm::structure}});
    if (steps_.size() > kMaxSteps) give_up();
  }
  void give_up() {
    whole_ = false;
    stopped = true;
  }

  std::vector<WalkStep>& steps_;
  bool whole_ = true;
};

}  // namespace

const WalkPlan* WalkPlans::find_or_make(const FormView& view, int rec, int size, int pos, const WalkRules& rules) {
  // A walk through the end of the data is the records' own: they walk it
  // themselves.
  if (rules.through_end) return nullptr;
  for (const WalkPlan& plan : plans_) {
    if (plan.rec == rec && plan.size == size && plan.pos == pos &&
        plan.eod_at_member_start == rules.eod_at_member_start && plan.skip_hidden == rules.skip_hidden)
      return plan.usable ? (last_ = &plan) : nullptr;
  }
  if (plans_.size() >= kMaxWalkPlans) return nullptr;
  // Room for them all at once: a plan handed out never moves.
  plans_.reserve(kMaxWalkPlans);
  WalkPlan plan{rec, size, pos, rules.eod_at_member_start, rules.skip_hidden, false, -1, {}, {}};
  Recorder recorder(plan.steps);
  plan.end = walk_struct(view, rec, size, pos, rules, recorder);
  plan.usable = recorder.whole() && plan.end != -1;
  if (plan.usable) {
    for (const WalkStep& step : plan.steps)
      if (step.kind == WalkStep::Kind::element) plan.elements.push_back(step.e);
  } else {
    plan.steps = std::vector<WalkStep>();
  }
  plans_.push_back(std::move(plan));
  return plans_.back().usable ? (last_ = &plans_.back()) : nullptr;
}

}  // namespace vesk
