#include "formatted/map_scale.h"

#include <cstring>

#include "common/digits.h"

namespace vesk {

// " %X  " of each byte index (" %d  " under -D) at the start of its cell, the
// digit in the cell's second column; each text's end is covered by the next.
MapScaleHeading::MapScaleHeading(const FormView& view) {
  constexpr int kStart = 12;
  const unsigned base = view.dec ? 10 : 16;
  const int size = view.line_bytes * 4 + 30;
  std::string buf(static_cast<std::size_t>(size), ' ');
  buf[static_cast<std::size_t>(size - 1)] = '\0';
  for (int i = 0; i < view.line_bytes; ++i) {
    const char cell[5] = {' ', kUpperHexDigits[static_cast<unsigned>(i) % base], ' ', ' ', '\0'};
    int col = kStart + i * view.map_cell;
    if (col < 0 || col >= size) continue;
    int n = size - 1 - col < 4 ? size - 1 - col : 4;
    std::memcpy(buf.data() + col, cell, static_cast<std::size_t>(n));
    buf[static_cast<std::size_t>(col + n)] = '\0';
  }
  text_.assign(buf.data(), std::strlen(buf.data()));
}

void MapScaleHeading::write(Report& report) { report.put_heading_line(text_.data(), text_.size()); }

}  // namespace vesk
