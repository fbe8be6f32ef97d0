// The formatted dump driver: the blocks of the input from the first to the
// last -n block number, placed by the #BLNO ranges, each printed through
// print_block.
#pragma once

#include "common/byte_source.h"
#include "common/settings.h"
#include "format/definitions.h"
#include "output/report.h"

namespace vesk {

// Returns the exit status: 0, or 1 after a message (a block before the first
// shown that no range defines, an offset that goes back, a failed read or
// seek, a failed write to the report).
int format_dump(const Settings& settings, const Definitions& defs, ByteSource& in, Report& report);

// What the walk over the blocks hands each block to: the report (list or
// map form) or the records (--json, --csv).
class BlockSink {
 public:
  virtual ~BlockSink() = default;
  // One block: data holds got bytes (1 to the block size) read at file
  // offset position. new_position: the position was set anew (a start other
  // than 0, an offset=) since the block before. Returns 0, or 1 to stop the
  // run (after a message).
  virtual int block(const unsigned char* data, int got, long long number, long long position,
                    const BlockPlace& place, bool new_position) = 0;
  // An offset= lies behind the position reached: the run stops after this.
  virtual void offset_went_back(int offset) = 0;
  // A write has failed: the run stops.
  virtual bool failed() const = 0;
};

// The walk of format_dump: the blocks from the first to the last -n block
// number, placed by the #BLNO ranges, each read and handed to sink, and the
// notice of a walk that the default range cut short. Returns the exit status
// as format_dump does.
int dump_blocks(const Settings& settings, const Definitions& defs, ByteSource& in, BlockSink& sink);

// "data block(%d) not defined in format file" (no line end) for a -n start
// that lies past a block no range defines; shared with the comparison.
void report_undefined_block(long long n1);

// The notice of a walk that the default end of an open range ("n &", block
// 7FFF without --all) stopped while the input and the -n range go on: "vesk:
// stopped after block %s; --all shows the rest, up to block %s\n", or without
// the last block when it is not known (last < 0).
void notice_stopped_after(bool dec, long long stopped, long long last);

}  // namespace vesk
