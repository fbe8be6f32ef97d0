#include "output/line_buffer.h"

namespace vesk {

void LineBuffer::paint(int from, int to, Style s) {
  if (!styled || from >= to) return;
  if (!styles.empty() && styles.back().to == from && styles.back().style == s)
    styles.back().to = to;
  else
    styles.push_back(LineStyle{from, to, s});
}

}  // namespace vesk
