#include "formatted/format_dump.h"

#include <cstdio>

#include "common/line_buffer.h"
#include "common/messages.h"
#include "format/definitions.h"
#include "formatted/block_print.h"
#include "formatted/input_file.h"
#include "main/settings.h"
#include "output/report.h"
#include "output/writer.h"

namespace vesk {

namespace {

// The block size of block b from the #BLNO ranges (-1 when none holds it),
// with its explicit offset (-1 for none) and whether it starts its range.
int block_size(int b, int& offset, int& first) {
  offset = -1;
  first = 0;
  int size = find_blno(b, &offset, &first);
  settings.blk_size = size;
  return size;
}

// Where the first block to show starts: the header size, then the blocks
// before it added up (or placed at their explicit offsets).
long long start_position(int n1) {
  long long position = settings.hdr_size;
  for (int b = 0; b < n1; ++b) {
    int offset, first;
    int size = block_size(b, offset, first);
    if (size == -1) {
      errmsg("data block(%d) not defined in format file", n1);
      end_process(1);
    }
    if (offset != -1) {
      if (position > offset) {
        errmsg("offset=%d: It has returned from the present position.", offset);
        end_process(1);
      }
      position = static_cast<long long>(offset) + size;
    } else {
      position += size;
    }
  }
  return position;
}

}  // namespace

void format_dump() {
  InputFile in;
  input_attach(in, settings.fp1, settings.file1_name);
  int n1 = settings.start_blk;
  int n2 = settings.end_blk;

  long long position = start_position(n1);
  if (input_seek(in, position) != 0) end_process(1);
  bool new_position = position != 0;

  for (int b = n1; b <= n2; ++b) {
    int offset, first;
    int size = block_size(b, offset, first);
    if (size == -1 || size > kMaxBlockSize) break;
    if (offset != -1) {
      if (position > offset) {
        char t[120];
        std::snprintf(t, sizeof t, "Error: offset(%d) ... It has returned from the present position.", offset);
        work_line.put_end(0, t);
        put_line(work_line.c_str());
        end_process(1);
      }
      position = offset;
      if (input_seek(in, position) != 0) end_process(1);
      new_position = true;
    }
    int got = input_read(in, r_buff, size);
    if (got == 0) break;
    if (settings.map_disp) {
      if (new_position || first) put_block_title(12, position, settings.blk_size);
      new_position = false;
    }
    print_block('D', r_buff, got, b, position);
    position += got;
  }
  std::fclose(settings.fp1);
  settings.fp1 = nullptr;
}

}  // namespace vesk
