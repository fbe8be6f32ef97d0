#include "compare/hidden_diff.h"

#include <cstring>

#include "common/digits.h"
#include "compare/diff_list.h"
#include "formatted/item_walk.h"
#include "formatted/value_render.h"

namespace vesk {

bool HiddenDifferences::differ(int pos, int len) const {
  return len > 0 && std::memcmp(block1_ + pos, block2_ + pos, static_cast<std::size_t>(len)) != 0;
}

void HiddenDifferences::padding_to(int pos) {
  if (pos > size_) pos = size_;
  if (pos <= covered_) return;
  const int from = covered_, len = pos - from;
  covered_ = pos;
  if (!differ(from, len)) return;
  found_ = true;
  listener_.padding(from, len);
}

void HiddenDifferences::element(int pos, int len) {
  padding_to(pos);
  if (pos + len > covered_) covered_ = pos + len > size_ ? size_ : pos + len;
}

void HiddenDifferences::hidden_member(int item, int pos) {
  padding_to(pos);
  const ItemInf& m = view_.defs.item_inf[item];
  const int n = element_size(m);
  for (int k = 0; k < m.count && n > 0; ++k) {
    const int at = pos + k * n;
    if (at >= size_) break;
    const int len = at + n > size_ ? size_ - at : n;
    covered_ = at + len;
    if (!differ(at, len)) continue;
    found_ = true;
    listener_.hidden(item, k, at);
  }
}

void HiddenLines::padding(int pos, int len) {
  int col = put_offset(p_, pos);
  col = p_.line.put(col, "(padding: ");
  char n[kDecimalTextSize];
  decimal_text(len, n);
  col = p_.line.put(col, n);
  p_.line.put_end(col, len == 1 ? " byte)" : " bytes)");
  p_.report.put_line(p_.line);
}

void HiddenLines::hidden(int item, int k, int pos) {
  int col = put_offset(p_, pos);
  col = p_.line.put_end(col, "(hidden) ");
  put_diff_label(p_, col, item, k);
  p_.report.put_line(p_.line);
}

}  // namespace vesk
