#include "formatted/format_dump.h"

#include <cstdio>

#include "common/messages.h"
#include "formatted/block_print.h"
#include "formatted/form_printer.h"
#include "formatted/map_scale.h"

namespace vesk {

namespace {

// Where the first block to show starts: the header size, then the blocks
// before it added up (or placed at their explicit offsets). -1 after a message.
long long start_position(const Settings& s, const Definitions& defs) {
  long long position = s.hdr_size;
  const long long n1 = s.start_blk;
  for (long long b = 0; b < n1; ++b) {
    BlockPlace place = defs.place_of(b);
    if (place.entry < 0) {
      errmsg("data block(%d) not defined in format file", static_cast<int>(n1));
      return -1;
    }
    if (place.offset != -1) {
      if (position > place.offset) {
        errmsg("offset=%d: It has returned from the present position.", place.offset);
        return -1;
      }
      position = static_cast<long long>(place.offset) + place.size;
    } else {
      position += place.size;
    }
  }
  return position;
}

}  // namespace

int format_dump(const Settings& s, const Definitions& defs, ByteSource& in, Report& report) {
  const FormView view(s, defs);
  FormPrinter p(view, report);
  MapScaleHeading scale(view);
  ScopedHeading heading(report, view.map ? &scale : nullptr);

  long long position = start_position(s, defs);
  if (position < 0) return 1;
  if (!in.seek(position)) return 1;
  bool new_position = position != 0;

  unsigned char block[kMaxBlockSize];
  for (long long b = s.start_blk; b <= s.end_blk; ++b) {
    if (report.failed()) return 1;
    BlockPlace place = defs.place_of(b);
    if (place.entry < 0 || place.size > kMaxBlockSize) break;
    if (place.offset != -1) {
      if (position > place.offset) {
        char t[120];
        std::snprintf(t, sizeof t, "Error: offset(%d) ... It has returned from the present position.", place.offset);
        report.put_line(t);
        return 1;
      }
      position = place.offset;
      if (!in.seek(position)) return 1;
      new_position = true;
    }
    int got = static_cast<int>(in.read(block, static_cast<std::size_t>(place.size)));
    if (in.failed()) return 1;
    if (got == 0) break;
    if (view.map) {
      if (new_position || place.range_first) put_block_title(p, 12, position, place.size);
      new_position = false;
    }
    print_block(p, block, got, b, position);
    if (p.failed) return 1;
    position += got;
  }
  return report.failed() ? 1 : 0;
}

}  // namespace vesk
