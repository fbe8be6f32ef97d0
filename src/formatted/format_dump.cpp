#include "formatted/format_dump.h"

#include <cstdio>

#include "common/digits.h"

#include "common/messages.h"
#include "formatted/block_print.h"
#include "formatted/form_printer.h"
#include "formatted/item_map.h"
#include "formatted/map_scale.h"
#include "output/line_batch.h"

namespace vesk {

namespace {

// Past the largest block number a #BLNO line can write, every block lies in
// the same range: the first open one (with --all, "n &" runs on).
constexpr long long kLastWrittenBlock = 32767;

// Where the first block to show starts: the header size, then the blocks
// before it added up (or placed at their explicit offsets). -1 after a message.
long long start_position(const Settings& s, const Definitions& defs) {
  long long position = s.hdr_size;
  const long long n1 = s.start_blk;
  const long long walked = n1 < kLastWrittenBlock + 1 ? n1 : kLastWrittenBlock + 1;
  for (long long b = 0; b < walked; ++b) {
    BlockPlace place = defs.place_of(b);
    if (place.entry < 0) {
      report_undefined_block(n1);
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
  if (n1 > walked) {
    // The blocks above are all alike: counted, not walked one by one.
    BlockPlace place = defs.place_of(walked);
    if (place.entry < 0) {
      report_undefined_block(n1);
      return -1;
    }
    position += (n1 - walked) * place.size;
  }
  return position;
}

// The walk stopped after block stopped, the last block of an open range
// ("n &") that --all would lift, and the input goes on: one line on standard
// error telling how to see the rest. The last block it names is the file's
// (when its size tells it), or the end of the -n range when that comes first.
void notice_if_cut_short(const Settings& s, const Definitions& defs, ByteSource& in, long long stopped,
                         long long position) {
  BlockPlace place = defs.place_of(stopped);
  if (place.entry < 0 || !defs.blno_inf[place.entry].open_end) return;
  unsigned char b;
  if (in.peek(&b, 1) == 0) return;
  long long size = in.regular_file_size();
  long long last = -1;
  if (size >= 0) last = stopped + (size - position + place.size - 1) / place.size;
  if (s.range_given && (last < 0 || last > s.end_blk)) last = s.end_blk;
  notice_stopped_after(s.dec_mode, stopped, last);
}

}  // namespace

void report_undefined_block(long long n1) {
  char number[kDecimalTextSize];
  decimal_text(n1, number);
  errmsg("data block(%s) not defined in format file", number);
}

void notice_stopped_after(bool dec, long long stopped, long long last) {
  const unsigned base = dec ? 10 : 16;
  char from[kDecimalTextSize], to[kDecimalTextSize];
  from[put_digits(from, static_cast<std::uint64_t>(stopped), base, 1)] = '\0';
  if (last < 0) {
    errmsg("vesk: stopped after block %s; --all shows the rest\n", from);
    return;
  }
  to[put_digits(to, static_cast<std::uint64_t>(last), base, 1)] = '\0';
  errmsg("vesk: stopped after block %s; --all shows the rest, up to block %s\n", from, to);
}

namespace {

// The report's forms of a block: the list, or the map with its title lines.
// Their lines are gathered across blocks and written to the report some
// blocks at a time (and before any line written otherwise).
class ReportBlocks : public BlockSink {
 public:
  explicit ReportBlocks(FormPrinter& p) : p_(p), batch_(p.report) {}

  int block(const unsigned char* data, int got, long long number, long long position, const BlockPlace& place,
            bool new_position) override {
    if (p_.view.map) {
      // The lines gathered go out before the cells move: a page heading
      // among them stands over the cells as they were.
      if (p_.view.widen && map_widens_for(p_, number)) batch_.flush();
      widen_map_for(p_, number);
      if (new_position || place.range_first) {
        batch_.flush();
        put_block_title(p_, 12, position, place.size);
      }
    }
    print_block(p_, data, got, number, position, place, batch_);
    return p_.failed ? 1 : 0;
  }

  // Met in the middle of the report: it stands there, as a line of it.
  void offset_went_back(int offset) override {
    char t[120];
    std::snprintf(t, sizeof t, "Error: offset(%d) ... It has returned from the present position.", offset);
    batch_.flush();
    p_.report.put_line(t);
  }

  bool failed() const override { return p_.report.failed(); }

  // The lines gathered go out.
  void flush() { batch_.flush(); }

 private:
  FormPrinter& p_;
  LineBatch batch_;
};

}  // namespace

int format_dump(const Settings& s, const Definitions& defs, ByteSource& in, Report& report) {
  const FormView view(s, defs);
  FormPrinter p(view, report);
  MapScaleHeading scale(p);
  ScopedHeading heading(report, view.map ? &scale : nullptr);
  ReportBlocks sink(p);
  const int status = dump_blocks(s, defs, in, sink);
  sink.flush();
  return status != 0 || report.failed() ? 1 : 0;
}

int dump_blocks(const Settings& s, const Definitions& defs, ByteSource& in, BlockSink& sink) {
  long long position = start_position(s, defs);
  if (position < 0) return 1;
  if (!in.seek(position)) return 1;
  bool new_position = position != 0;

  unsigned char block[kMaxBlockSize];
  long long b = s.start_blk;
  for (; b <= s.end_blk; ++b) {
    if (sink.failed()) return 1;
    BlockPlace place = defs.place_of(b);
    if (place.entry < 0 || place.size > kMaxBlockSize) break;
    if (place.offset != -1) {
      if (position > place.offset) {
        sink.offset_went_back(place.offset);
        return 1;
      }
      position = place.offset;
      if (!in.seek(position)) return 1;
      new_position = true;
    }
    int got = static_cast<int>(in.read(block, static_cast<std::size_t>(place.size)));
    if (in.failed()) return 1;
    if (got == 0) break;
    if (sink.block(block, got, b, position, place, new_position) != 0) return 1;
    new_position = false;
    position += got;
  }
  if (sink.failed()) return 1;
  // Stopped by the default end of an open range, not by the end the -n
  // range asked for.
  if (!s.all_blocks && b - 1 == kLastWrittenBlock && (b <= s.end_blk || !s.range_given))
    notice_if_cut_short(s, defs, in, b - 1, position);
  return 0;
}

}  // namespace vesk
