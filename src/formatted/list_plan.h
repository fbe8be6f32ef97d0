// The list form of blocks of one size, worked out once from the walk's
// plan: a line for each shown member, with its offset field, its label and
// the blanks between them made, and its elements lying one after the other.
// Printing a block is then writing its values into those lines.
#pragma once

#include <string>
#include <vector>

#include "formatted/form_view.h"
#include "formatted/item_label.h"
#include "formatted/walk_plan.h"
#include "text/codec.h"

namespace vesk {

struct ListLine {
  int item;
  int pos;         // the first element's
  int count;       // its elements, one after the other
  int size;        // bytes of each
  ValueForm form;
  int columns;     // what value_columns keeps for each element
  const Codec* codec;  // a text item's code
  char offset[8];  // " %04X: " (" %04d: " with -D) and the line's end
  // The line's end when its values end before the label's column: blanks
  // from column 0, then the label (the text of LabelMaker::list_line_end);
  // empty for an item without a label.
  std::string end;
  // framed: whatever the bytes, the values fit before the label's column
  // (or within the width, without a label), none wraps, none needs cells
  // laid over the line: the line is its frame (the offset field, blanks, the
  // label) with the values written over the blanks from column 7. longest:
  // the line's length at most.
  bool framed;
  std::string frame;
  int longest;
  // In a UTF-8 report, the line's end in UTF-8, from column 0 (blanks, then
  // the label): its bytes from the values' end column on follow the values.
  std::string end_utf8;
};

struct ListPlan {
  const WalkPlan* walk;
  bool usable;  // false: the walk's plan is replayed instead
  int label_column;
  std::vector<ListLine> lines;
};

// The list plans of a run, one for each walk plan of the list's rules.
class ListPlans {
 public:
  // The plan for the walk plan; null when its members do not fit the shape
  // of a line (an offset of more than four digits, say). utf8_report: the
  // report is written in UTF-8.
  const ListPlan* find(const WalkPlan& walk, const FormView& view, LabelMaker& labels, bool utf8_report);
  // The plan found last when it is for structure rec over size bytes from
  // pos, as most blocks' is; else null.
  const ListPlan* recent(int rec, int size, int pos) const {
    if (last_ == nullptr) return nullptr;
    const WalkPlan& w = *last_->walk;
    return w.rec == rec && w.size == size && w.pos == pos ? last_ : nullptr;
  }

 private:
  std::vector<ListPlan> plans_;
  const ListPlan* last_ = nullptr;  // the usable plan found last
};

}  // namespace vesk
