// The walk over a structure, recorded once for blocks of one size. The walk
// reads no byte of the block, only its size, so every block of that size has
// the same members at the same places: the list and map forms replay the
// record, a switch a step, instead of walking the format's tables again (and
// calling through the visitor's table) for each block.
#pragma once

#include <cstdint>
#include <vector>

#include "formatted/item_walk.h"

namespace vesk {

struct WalkStep {
  enum class Kind : std::uint8_t { member_begin, hidden_member, element, member_end };
  Kind kind;
  ElementRef e;  // the element; for the other steps, its item and pos
};

// A walk that ran its whole course: the data did not end inside the
// structure, every type code is known. Its steps, and the position the walk
// returned.
struct WalkPlan {
  int rec;
  int size;
  int pos;
  bool eod_at_member_start;
  bool skip_hidden;
  bool usable;  // false: the walk must be done for each block
  int end;
  std::vector<WalkStep> steps;
  // The elements alone, in order, for a form that does nothing at a
  // member's start or end.
  std::vector<ElementRef> elements;
};

// Plans kept at most for a run.
constexpr std::size_t kMaxWalkPlans = 4;

// The plans of a run, each made when a block first needs it. A run has few
// block sizes, so few plans; past a handful, and for a walk too long to keep,
// blocks are walked as before.
class WalkPlans {
 public:
  // The plan of structure rec over a block of size bytes from pos; null when
  // the walk must be done for each block.
  const WalkPlan* find(const FormView& view, int rec, int size, int pos, const WalkRules& rules) {
    // Most blocks are of the size of the block before.
    const WalkPlan* last = last_;
    if (last != nullptr && last->rec == rec && last->size == size && last->pos == pos &&
        last->eod_at_member_start == rules.eod_at_member_start && last->skip_hidden == rules.skip_hidden &&
        !rules.through_end)
      return last;
    return find_or_make(view, rec, size, pos, rules);
  }

 private:
  const WalkPlan* find_or_make(const FormView& view, int rec, int size, int pos, const WalkRules& rules);

  std::vector<WalkPlan> plans_;
  const WalkPlan* last_ = nullptr;  // the usable plan found last
};

// Replays a plan to visitor (of its final type, so that its calls are direct).
// Returns what walk_struct would have returned.
template <class Visitor>
int replay(const WalkPlan& plan, Visitor& visitor) {
  for (const WalkStep& s : plan.steps) {
    switch (s.kind) {
      case WalkStep::Kind::member_begin:
        visitor.member_begin(s.e.item, s.e.pos);
        break;
      case WalkStep::Kind::hidden_member:
        visitor.hidden_member(s.e.item, s.e.pos);
        break;
      case WalkStep::Kind::element:
        visitor.element(s.e);
        if (visitor.stopped) return -1;
        break;
      case WalkStep::Kind::member_end:
        visitor.member_end(s.e.item, s.e.pos, false, 0);
        break;
    }
  }
  return plan.end;
}

// Replays only the elements of a plan to visitor (of its final type), for a
// visitor that does nothing on the other steps. Returns what walk_struct
// would have returned.
template <class Visitor>
int replay_elements(const WalkPlan& plan, Visitor& visitor) {
  for (const ElementRef& e : plan.elements) {
    visitor.element(e);
    if (visitor.stopped) return -1;
  }
  return plan.end;
}

}  // namespace vesk
