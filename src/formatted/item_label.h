// The name and comment columns at the right edge of a list line.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "common/short_copy.h"
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

  // The end of a list line whose label has no index text, from column 0:
  // blanks up to the label's column, then the label, as put places it when
  // the values end before that column. Empty for an item without a label.
  const std::string& list_line_end(int item) { return made(item).line; }
  // The column where a label without an index text starts.
  int list_label_column() const {
    const int col = view_.line_width - label_width(0);
    return col < 0 ? 0 : col;
  }

  // The label of a list line, without an index text, placed as put places
  // it. Returns the column after the line's last byte.
  int put_list_label(LineBuffer& line, int col, int item, Report& report) {
    const Made& label = made(item);
    if (label.empty) return col;
    const int label_col = label.column;
    const int end = static_cast<int>(label.line.size());
    if (!line.styled && col <= label_col && col >= 0 && end <= kLineBufSize - 1 &&
        (line.cells.empty() || line.cells.back().col + line.cells.back().cell.len <= col)) {
      // The blanks and the label in one copy, with the line's end.
      copy_short(line.data + col, label.line.data() + col, end - col + 1);
      return end;
    }
    move_to_label(line, col, label_col, report);
    PenScope pen(line, Style::label);
    const int label_end = line.put(label_col, label.whole.data(), static_cast<int>(label.whole.size()));
    line.end_at(label_end);
    return label_end;
  }

 private:
  // Blanks from col up to the label's column; when the values already reach
  // past it, the line goes out and the label stands alone on the next.
  static void move_to_label(LineBuffer& line, int col, int label_col, Report& report) {
    if (col <= label_col) {
      line.put_blanks(col, label_col - col);
    } else {
      line.end_at(col);
      report.put_line(line);
      line.put_blanks(0, label_col);
    }
  }

  // An item's label, made once: every block of a list shows the same labels.
  struct Made {
    std::string name_column;     // item_size bytes
    std::string comment_column;  // comment_size bytes
    std::string whole;           // the label without an index text
    std::string line;            // blanks up to column, then whole: a list line's end; empty without a label
    int column = 0;              // where it starts without an index text
    bool empty = false;          // no name and no comment: no label
    bool ready = false;
  };
  const Made& made(int item) {
    const std::size_t k = item < 0 ? 0 : static_cast<std::size_t>(item);
    if (k < made_.size() && made_[k].ready) return made_[k];
    return make(item);
  }
  const Made& make(int item);

  const FormView& view_;
  std::vector<Made> made_;
};

}  // namespace vesk
