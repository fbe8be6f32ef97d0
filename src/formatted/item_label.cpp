#include "formatted/item_label.h"

#include <cstring>
#include <string>
#include <vector>

#include "format/definitions.h"
#include "formatted/item_text.h"
#include "formatted/value_render.h"
#include "main/settings.h"
#include "output/report.h"

namespace vesk {

namespace {

// A name or comment cut to width bytes, made displayable (the stored text is
// left as it is: cleaning a copy shows the same bytes), then blank-padded.
void make_column(const char* t, int width, std::string& out) {
  char cleaned[kLineBufSize];
  int n = static_cast<int>(strnlen(t, static_cast<std::size_t>(width)));
  std::memcpy(cleaned, t, static_cast<std::size_t>(n));
  cleaned[n] = '\0';
  clean_text(cleaned, width);
  char padded[kLineBufSize];
  copy_cut_text(padded, cleaned, width);
  out.assign(padded, static_cast<std::size_t>(width));
}

// The two columns of one item's label as last made. Every block of a list
// shows the same labels, so each is made once and then copied. The texts of
// the definitions never change once read (the reader's copies live for the
// run), so the same text pointers, widths and mode mean the same columns.
struct MadeLabel {
  const char* name = nullptr;
  const char* comment = nullptr;
  int item_size = -1;
  int comment_size = -1;
  int char_mode = -1;
  std::string name_column;     // item_size bytes
  std::string comment_column;  // comment_size bytes
  std::string whole;           // the label without an index text
};
std::vector<MadeLabel> made_labels;

const MadeLabel& made_label(int item, const char* name, const char* comment, int is, int cs) {
  std::size_t k = item < 0 ? 0 : static_cast<std::size_t>(item);
  if (made_labels.size() <= k) made_labels.resize(k + 1);
  MadeLabel& m = made_labels[k];
  if (m.name != name || m.comment != comment || m.item_size != is || m.comment_size != cs ||
      m.char_mode != settings.char_mode) {
    make_column(name, is, m.name_column);
    make_column(comment, cs, m.comment_column);
    m.whole = m.name_column;
    if (is != 0 && cs != 0) m.whole += " : ";
    m.whole += m.comment_column;
    m.name = name;
    m.comment = comment;
    m.item_size = is;
    m.comment_size = cs;
    m.char_mode = settings.char_mode;
  }
  return m;
}

}  // namespace

int label_width(int index_len) {
  int is = settings.item_size, cs = settings.comment_size;
  return index_len + is + cs + (is != 0 && cs != 0 ? 3 : 0);
}

int put_label_with_index(LineBuffer& line, int col, int item, const char* index_text) {
  const ItemInf& m = defs.item_inf[item];
  const char* name = m.name ? m.name : "";
  const char* comment = m.comment ? m.comment : "";
  if (name[0] == '\0' && comment[0] == '\0') return col;

  int is = settings.item_size, cs = settings.comment_size;
  int index_len = index_text[0] == '\0' ? 0 : static_cast<int>(std::strlen(index_text));
  // A label wider than the line (a -w checked against a wider -l) starts in column 0.
  int label_col = settings.line_width - label_width(index_len);
  if (label_col < 0) label_col = 0;
  if (col <= label_col) {
    put_blanks(line, col, label_col - col);
  } else {
    line.end_at(col);
    put_line(line.c_str());
    put_blanks(line, 0, label_col);
  }
  const int is_cut = is < kLineBufSize - 1 ? is : kLineBufSize - 1;
  const int cs_cut = cs < kLineBufSize - 1 ? cs : kLineBufSize - 1;
  const MadeLabel& made = made_label(item, name, comment, is_cut, cs_cut);
  int c = label_col;
  if (index_len == 0) {
    // The common case: the label made whole once.
    c = line.put(c, made.whole.data(), static_cast<int>(made.whole.size()));
    line.end_at(c);
    return label_col;
  }
  if (is != 0) {
    c = line.put(c, made.name_column.data(), is_cut);
    c = line.put(c, index_text, index_len);
  }
  if (is != 0 && cs != 0) c = line.put(c, " : ", 3);
  if (cs != 0) c = line.put(c, made.comment_column.data(), cs_cut);
  line.end_at(c);
  return label_col;
}

int put_item_label(LineBuffer& line, int col, int item) {
  return put_label_with_index(line, col, item, "");
}

}  // namespace vesk
