// The state of printing formatted blocks into a report: the line or map row
// in the making and the labels made so far. One per run, shared by the list
// and map forms and by the comparison.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "output/line_batch.h"
#include "output/line_buffer.h"
#include "formatted/form_view.h"
#include "formatted/item_label.h"
#include "formatted/list_plan.h"
#include "formatted/walk_plan.h"
#include "output/report.h"

namespace vesk {

struct FormPrinter {
  FormPrinter(const FormView& v, Report& r) : view(v), report(r), labels(v) { line.styled = r.sink().colored(); }

  const FormView& view;
  Report& report;
  LineBuffer line;    // the list line, or the map row in the making
  LabelMaker labels;
  WalkPlans plans;  // the walks over blocks of each size, made once
  ListPlans list_plans;  // the list's lines for each of those walks
  // The comment lines of the #BLNO ranges in the report's encoding, made
  // once: the comment and its line.
  std::vector<std::pair<const char*, std::string>> range_comment_lines;
  // The last one written, which the next block's range most often has.
  const std::pair<const char*, std::string>* last_range_comment = nullptr;
  // One past the last column of the map row written since it was last
  // blanked: a written row is blanked only that far. At first nothing is known.
  int map_written_to = kLineBufSize - 1;
  // Columns the map cells have moved right for a long block number (--all).
  int map_shift = 0;
  // The last number written in the map row, which a later text must leave a
  // blank after: its first column, one past its text, and one past its own
  // cells in the row less their last column (where its mark would end).
  // start is -1 when there is none to watch.
  struct MapValue {
    int start = -1;
    int end = 0;
    int mark_end = 0;
    Style mark_style = Style::unread;  // the style of its mark
  } map_value;
  // A renderer met a condition that ends the run (its message is out).
  bool failed = false;
  // While set, the map's rows are gathered here (and it is flushed before
  // any other line). Never in a colored report.
  LineBatch* batch = nullptr;
  // The style of the values written now, when the comparison chooses it
  // (old, new, or none for the values alike in both files); else each value
  // is in the style of its kind (style_of_value).
  std::optional<Style> value_style;

  // The style of a value of item m: the one chosen, or that of its kind.
  Style style_of_value(const ItemInf& m) const;
  // The style of what could not be read: the one chosen, or unread.
  Style style_of_unread() const { return value_style ? *value_style : Style::unread; }

  // "<format file>: <message>\n" on standard error.
  void error(const char* message) const;
};

}  // namespace vesk
