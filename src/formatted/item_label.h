// The name and comment columns at the right edge of a list line.
#pragma once

#include "common/line_buffer.h"

namespace vesk {

// The width of the label: item_size + comment_size, and 3 more for the " : "
// between them when both are non-zero.
int label_width(int index_len);

// Places the name and comment of item after the values ending at col: the
// line is blank-filled up to column W - label width (or, when the values
// already pass that column, written and followed by a new line of that many
// blanks), then the name cut or padded to item_size bytes, " : ", and the
// comment cut or padded to comment_size bytes, so that the label ends in
// column W - 1. Nothing is added when name and comment are both empty.
// Returns the column where the label begins (col when nothing was added).
int put_item_label(LineBuffer& line, int col, int item);

// The same with an index text (such as "[2]") right after the padded name,
// the label starting that much further left. put_item_label is this with an
// empty index text.
int put_label_with_index(LineBuffer& line, int col, int item, const char* index_text);

}  // namespace vesk
