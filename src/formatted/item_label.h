// The name and comment columns at the right edge of a list line.
#pragma once

#include <string>
#include <vector>

#include "output/line_buffer.h"
#include "formatted/form_view.h"
#include "output/report.h"

namespace vesk {

// The two columns of each item's label, made once: every block of a list
// shows the same labels.
class LabelMaker {
 public:
  explicit LabelMaker(const FormView& view) : view_(view) {}

  // The width of the label: item_size + comment_size, and 3 more for the " : "
  // between them when both are non-zero.
  int label_width(int index_len) const;

  // Places the name and comment of item after the values ending at col: the
  // line is blank-filled up to column W - label width (or, when the values
  // already pass that column, written through put_line and followed by a new
  // line of that many blanks), then the name cut or padded to item_size bytes,
  // the index text (such as "[2]") when not empty, " : ", and the comment cut
  // or padded to comment_size bytes, so that the label ends in column W - 1.
  // Nothing is added when name and comment are both empty. Returns the column
  // where the label begins (col when nothing was added).
  int put(LineBuffer& line, int col, int item, const char* index_text, Report& report);

 private:
  struct Made {
    std::string name_column;     // item_size bytes
    std::string comment_column;  // comment_size bytes
    std::string whole;           // the label without an index text
    bool ready = false;
  };
  const Made& made(int item);

  const FormView& view_;
  std::vector<Made> made_;
};

}  // namespace vesk
