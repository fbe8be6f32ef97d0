#include "formatted/map_scale.h"

#include <cstring>

#include "common/digits.h"

namespace vesk {

// " %X  " of each byte index (" %d  " under -D) at the start of its cell, the
// digit in the cell's second column; each text's end is covered by the next.
std::string MapScaleHeading::build(int shift) const {
  const FormView& view = p_.view;
  const int start = 12 + shift;
  const unsigned base = view.dec ? 10 : 16;
  const int size = view.line_bytes * 4 + 30 + shift;
  std::string buf(static_cast<std::size_t>(size), ' ');
  buf[static_cast<std::size_t>(size - 1)] = '\0';
  for (int i = 0; i < view.line_bytes; ++i) {
    const char cell[5] = {' ', kUpperHexDigits[static_cast<unsigned>(i) % base], ' ', ' ', '\0'};
    int col = start + i * view.map_cell;
    if (col < 0 || col >= size) continue;
    int n = size - 1 - col < 4 ? size - 1 - col : 4;
    std::memcpy(buf.data() + col, cell, static_cast<std::size_t>(n));
    buf[static_cast<std::size_t>(col + n)] = '\0';
  }
  return std::string(buf.data(), std::strlen(buf.data()));
}

}  // namespace vesk
