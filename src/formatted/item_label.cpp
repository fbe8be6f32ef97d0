#include "formatted/item_label.h"

#include <cstring>

#include "formatted/item_text.h"

namespace vesk {

namespace {

// A name or comment cut to width bytes, made displayable (the stored text is
// left as it is: cleaning a copy shows the same bytes), then blank-padded.
std::string make_column(const char* t, int width, CharMode mode) {
  char cleaned[kLineBufSize];
  int n = static_cast<int>(strnlen(t, static_cast<std::size_t>(width)));
  std::memcpy(cleaned, t, static_cast<std::size_t>(n));
  cleaned[n] = '\0';
  clean_text(cleaned, width, mode);
  char padded[kLineBufSize];
  copy_cut_text(padded, cleaned, width);
  return std::string(padded, static_cast<std::size_t>(width));
}

int capped(int width) { return width < kLineBufSize - 1 ? width : kLineBufSize - 1; }

}  // namespace

int LabelMaker::label_width(int index_len) const {
  int is = view_.item_size, cs = view_.comment_size;
  return index_len + is + cs + (is != 0 && cs != 0 ? 3 : 0);
}

const LabelMaker::Made& LabelMaker::make(int item) {
  std::size_t k = item < 0 ? 0 : static_cast<std::size_t>(item);
  if (made_.size() <= k) made_.resize(k + 1);
  Made& m = made_[k];
  if (!m.ready) {
    const ItemInf& it = view_.defs.item_inf[item];
    const int is = view_.item_size, cs = view_.comment_size;
    // Names and comments are the format file's text, Shift_JIS whatever
    // the code of the data.
    m.name_column = make_column(it.name ? it.name : "", capped(is), CharMode::sjis);
    m.comment_column = make_column(it.comment ? it.comment : "", capped(cs), CharMode::sjis);
    m.whole = m.name_column;
    if (is != 0 && cs != 0) m.whole += " : ";
    m.whole += m.comment_column;
    // A label wider than the line (a -w checked against a wider -l) starts in column 0.
    m.column = list_label_column();
    m.empty = (it.name == nullptr || it.name[0] == '\0') && (it.comment == nullptr || it.comment[0] == '\0');
    if (!m.empty) m.line = std::string(static_cast<std::size_t>(m.column), ' ') + m.whole;
    m.ready = true;
  }
  return m;
}

int LabelMaker::put(LineBuffer& line, int col, int item, const char* index_text, Report& report) {
  const ItemInf& m = view_.defs.item_inf[item];
  const char* name = m.name ? m.name : "";
  const char* comment = m.comment ? m.comment : "";
  if (name[0] == '\0' && comment[0] == '\0') return col;

  const int is = view_.item_size, cs = view_.comment_size;
  const int index_len = static_cast<int>(std::strlen(index_text));
  // A label wider than the line (a -w checked against a wider -l) starts in column 0.
  int label_col = view_.line_width - label_width(index_len);
  if (label_col < 0) label_col = 0;
  move_to_label(line, col, label_col, report);
  const Made& label = made(item);
  PenScope pen(line, Style::label);
  int c = label_col;
  if (index_len == 0) {
    // The common case: the label made whole once.
    c = line.put(c, label.whole.data(), static_cast<int>(label.whole.size()));
    line.end_at(c);
    return label_col;
  }
  if (is != 0) {
    c = line.put(c, label.name_column.data(), static_cast<int>(label.name_column.size()));
    c = line.put(c, index_text, index_len);
  }
  if (is != 0 && cs != 0) c = line.put(c, " : ", 3);
  if (cs != 0) c = line.put(c, label.comment_column.data(), static_cast<int>(label.comment_column.size()));
  line.end_at(c);
  return label_col;
}


}  // namespace vesk
