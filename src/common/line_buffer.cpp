#include "common/line_buffer.h"

#include <cstring>

namespace vesk {

LineBuffer list_line;
LineBuffer work_line;
LineBuffer side_line;
char blank_area[kBlankAreaSize];
unsigned char r_buff[kBlockBufSize];
unsigned char r_buff1[kBlockBufSize];

void LineBuffer::fill_blanks() {
  std::memset(data, ' ', kLineBufSize - 1);
  data[kLineBufSize - 1] = '\0';
}

}  // namespace vesk
