#include "formatted/item_label.h"

#include <cstring>

#include "format/definitions.h"
#include "formatted/item_text.h"
#include "formatted/value_render.h"
#include "main/settings.h"
#include "output/report.h"

namespace vesk {

namespace {

// A name or comment cut to width bytes, made displayable (the stored text is
// left as it is: cleaning a copy shows the same bytes), then blank-padded.
int put_column(LineBuffer& line, int col, const char* text, int width) {
  char cleaned[kLineBufSize];
  if (width > kLineBufSize - 1) width = kLineBufSize - 1;
  const char* t = text ? text : "";
  int n = static_cast<int>(strnlen(t, static_cast<std::size_t>(width)));
  std::memcpy(cleaned, t, static_cast<std::size_t>(n));
  cleaned[n] = '\0';
  clean_text(cleaned, width);
  char padded[kLineBufSize];
  copy_cut_text(padded, cleaned, width);
  return line.put(col, padded, width);
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
    c = put_column(line, c, name, is);
    c = line.put(c, index_text);
  }
  if (is != 0 && cs != 0) c = line.put(c, " : ");
  if (cs != 0) c = put_column(line, c, comment, cs);
  line.end_at(c);
  return label_col;
}

int put_item_label(LineBuffer& line, int col, int item) {
  return put_label_with_index(line, col, item, "");
}

}  // namespace vesk
