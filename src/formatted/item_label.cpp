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

// A column as last made for one item: every block of a list shows the same
// labels, so each is made once and then copied.
struct MadeColumn {
  const char* source = nullptr;  // the text it was made from, and a copy of
  std::string source_bytes;      // its first width bytes to tell a changed text
  int width = -1;
  int char_mode = -1;
  std::string text;  // width bytes
};
std::vector<MadeColumn> made_names;
std::vector<MadeColumn> made_comments;

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

int put_column(std::vector<MadeColumn>& made, int item, LineBuffer& line, int col, const char* text, int width) {
  if (width > kLineBufSize - 1) width = kLineBufSize - 1;
  const char* t = text ? text : "";
  std::size_t n = strnlen(t, static_cast<std::size_t>(width));
  if (item < 0) item = 0;
  if (made.size() <= static_cast<std::size_t>(item)) made.resize(static_cast<std::size_t>(item) + 1);
  MadeColumn& m = made[static_cast<std::size_t>(item)];
  if (m.source != t || m.width != width || m.char_mode != settings.char_mode ||
      m.source_bytes.compare(0, std::string::npos, t, n) != 0) {
    make_column(t, width, m.text);
    m.source = t;
    m.source_bytes.assign(t, n);
    m.width = width;
    m.char_mode = settings.char_mode;
  }
  return line.put(col, m.text.data(), width);
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
  int index_len = static_cast<int>(std::strlen(index_text));
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
  int c = label_col;
  if (is != 0) {
    c = put_column(made_names, item, line, c, name, is);
    c = line.put(c, index_text);
  }
  if (is != 0 && cs != 0) c = line.put(c, " : ");
  if (cs != 0) c = put_column(made_comments, item, line, c, comment, cs);
  line.end_at(c);
  return label_col;
}

int put_item_label(LineBuffer& line, int col, int item) {
  return put_label_with_index(line, col, item, "");
}

}  // namespace vesk
